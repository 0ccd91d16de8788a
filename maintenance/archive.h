#pragma once
// Archiving finished games: the games of a period written into a readable file (UTF-8 JSON,
// every stored field of the players' table) and then taken out of the table, and such a
// file read back into it. The file's format and its reading are plain logic; the rest works
// on the game's tables through the engine, the same on a folder and on a server.

#include "db/tabledef.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace zdb {
class Session;
class Table;
}

namespace archive {

// The days of play a game's date (Datum) may fall on, both ends included.
struct Period {
    QDate from;
    QDate to;
    bool contains(const QDate &date) const { return date.isValid() && date >= from && date <= to; }
    // "2025.09.01. – 2026.06.30."
    QString text() const;
};

// One stored game: the players' table's stored fields by name, each as the table gives it
// (null when empty). A field the file does not name is null.
using Game = QVariantMap;

struct Contents {
    Period period;
    QDateTime made;
    QList<Game> games;
};

// A game counts as finished when its certificate was issued: Statusz 1 ("Befejezve: igen"
// on the results page). An unfinished game may still be loaded and played on.
bool isFinished(const Game &game);

// The file's text: a JSON object naming its format, the period, when it was made and the
// games, every field of `fields` in each (dates as 2026-03-02, pictures in base64).
QByteArray toJson(const QList<zdb::FieldDef> &fields, const Contents &contents);
// Reads a file made by toJson back. Throws UserError with a Hungarian message naming what
// is wrong (not such a file, another format version, a game without a name, a field of
// the wrong kind). `fileName` is for the message.
Contents fromJson(const QByteArray &bytes, const QList<zdb::FieldDef> &fields, const QString &fileName);

// What the save dialog suggests: "jatekok-2025-09-01--2026-06-30.json" in the teacher's
// documents folder (the home folder when there is none).
QString suggestedPath(const Period &period);

// The finished games of the period among the table's rows, in its order.
QList<Game> finishedGames(const zdb::Table &players, const Period &period);

// Writes the games into `path` (whole or not at all: a temporary file, flushed, renamed)
// and reads the file back to check it holds them. Throws UserError.
void writeArchive(const QString &path, const QList<zdb::FieldDef> &fields, const Contents &contents);

// Takes the games out of the players' table of the session's game alias in one statement
// (those still finished, by their keys) and out of a server's bin of deleted rows, where
// they would otherwise land. Returns how many rows went.
int removeGames(zdb::Session *session, const QList<Game> &games);

struct Loaded {
    int added = 0;
    int skipped = 0;   // already in the table: a row with every field the same but the key
};
// Puts the games back into the players' table: each keeps its key when no row has it, else
// it gets a new one. Open tables over it read their rows again.
Loaded loadGames(zdb::Session *session, const QList<Game> &games);

}  // namespace archive
