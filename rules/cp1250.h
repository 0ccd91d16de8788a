#pragma once
// Windows-1250 (Central European), the code page of the game's text files and career
// sheets. The one codec of the project: the game, the RTF reader and the content builder
// all use it.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cp1250 {

// The Windows-1250 byte of a character, or -1 when the code page has none for it.
int byteOf(QChar c);

// Encodes text; a character the code page lacks becomes '?'.
QByteArray encode(const QString &text);

// Decodes bytes (the five bytes the code page leaves undefined become U+FFFD).
QString decode(const QByteArray &bytes);

// Lines, each ended by CR LF.
QByteArray lines(const QStringList &lines);

}  // namespace cp1250
