#pragma once
// The players' table of a working folder holds the class's stored games, so a rebuild keeps
// it. A file there that is not a sound players' table (empty, not a database, cut short,
// another table's file) is kept aside under a name of its own, a fresh table takes its
// place, and every stored game that can still be read from the damaged file is copied in.

#include <QString>

namespace content {

struct PlayersTableCheck {
    bool damaged = false;
    QString reason;        // why the file is no sound players' table (Hungarian)
};

// Whether the players' table file at `path` (which exists) can be used as it is.
PlayersTableCheck checkPlayersTable(const QString &path);

// Moves the damaged players' table at `path` aside, beside it, as
// "Jatekosok.serult-YYYYMMDD-HHMMSS.DB" (the journal files with it); a name already taken
// gets "-2", "-3"... so an earlier damaged file is never overwritten. Returns the new path.
// Throws std::runtime_error when the file cannot be moved.
QString setDamagedTableAside(const QString &path);

// Copies into the players' table at `freshPath` (just created, empty) every stored game that
// can still be read from the players' table in the damaged file `damagedPath`, keeping the
// rows' keys. Returns the number of games copied; a file with no readable games gives 0.
// Throws std::runtime_error when the fresh table cannot be written.
int copyReadableGames(const QString &damagedPath, const QString &freshPath);

}  // namespace content
