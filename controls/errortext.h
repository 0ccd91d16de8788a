#pragma once
// Error texts a student can read. The table engine and Qt report some failures with the
// system's English words and with full local paths; before a message reaches the error
// box it is put into Hungarian and the paths are cut to the names of the game's files.

#include <QString>

// The message as the error box shows it: known English texts of SQLite, Qt and the
// operating system in Hungarian, absolute paths shortened to their file names, and, when
// the database folder named in the message no longer exists, how the game can be made to
// ask for it again.
QString friendlyError(const QString &message);
