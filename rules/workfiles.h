#pragma once
// The small text files the game keeps in its working folder ("szakma.txt",
// "Szakmavalasztas.txt", "szakmaleiras.txt", "ber.txt"): names are found without regard to
// letter case, text is Windows-1250 with CR LF line ends, and every failure is thrown as a
// std::runtime_error whose message names the file as the game names it, in Hungarian.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace workfiles {

// The path of a game file name (relative names are taken in `base`, by default the current
// folder; "\" separates folders as well as "/"). Each part of the name matches an existing
// entry of another letter case; a part that matches nothing is kept as written.
QString path(const QString &name, const QString &base = QString());

// The whole file; throws when it is missing or cannot be read.
QByteArray readBytes(const QString &name);
// The lines of a Windows-1250 text file (CR LF or LF ends; no empty line for the final end).
QStringList readLines(const QString &name);

// Replaces the file's content; throws when it cannot be written completely.
void writeBytes(const QString &name, const QByteArray &content);
// Writes the lines in Windows-1250, each ended by CR LF.
void writeLines(const QString &name, const QStringList &lines);

}  // namespace workfiles
