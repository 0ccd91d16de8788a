#pragma once
// Windows-1250 (Central European) text, the code page of the game's text files and
// career sheets.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace content {

// The Windows-1250 byte of a character, or -1 when the code page has none for it.
int cp1250Byte(QChar c);

// Encodes text in Windows-1250; a character the code page lacks becomes '?'.
QByteArray toCp1250(const QString &text);

// Decodes Windows-1250 bytes (undefined bytes become U+FFFD).
QString fromCp1250(const QByteArray &bytes);

// Lines in Windows-1250, each ended by CR LF.
QByteArray cp1250Lines(const QStringList &lines);

}  // namespace content
