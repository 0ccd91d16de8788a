#pragma once
// The shapes of a classroom server's tables, recorded in a table of their own
// (`shapeTableName`), a row per table: the counterpart of a folder's user_version stamps
// (db/upgrade.h). The content tool builds the server and upgrades it; the programs only
// check it when they connect.

#include "db/tabledef.h"

#include <QList>
#include <QString>

namespace zdb {

class Storage;

// The table of shapes ("tablaformak").
QString shapeTableName();
// Refuses a server (`server`: its name for the message) whose tables are of a newer shape
// than `tables` give, or of an older one (with the command that upgrades it). Throws
// EngineError.
void checkServerShapes(Storage &storage, const QList<TableDef> &tables, const QString &server);
// Records the shape of a table just created on the server (Storage::createTable does).
void stampServerShape(Storage &storage, const TableDef &def);
// Lets the roles read the recorded shapes, as every program checks them when it connects.
// The role names are checked by the caller.
void grantShapeReading(Storage &storage, const QString &studentRole, const QString &teacherRole);
// The bin of a table's deleted rows on the server ("torolt_jatekosok" for the players'):
// a row per deleted row, its time of deletion and the row's values as JSON.
QString binTableName(const TableDef &def);
// Sets up the bin of `def` (the players' table): the bin table, and a trigger on the table
// that copies every deleted row into it and drops the rows kept longer than
// Storage::binKeepDays. The trigger's function runs with the rights of the database's owner
// (SECURITY DEFINER, its search path fixed), so a role that may delete players' rows but
// has no right on the bin cannot skip it; only `teacherRole` may read the bin and delete
// from it. Made again each time (a server made before gets it too); the role name is
// checked by the caller. Throws EngineError.
void installBin(Storage &storage, const TableDef &def, const QString &studentRole, const QString &teacherRole);
// Brings a kept table of the server (the players') to its shape, in one transaction: the
// fields added since, with what the rows stored before get, and its shape recorded.
// Returns whether anything changed.
bool upgradeServerTable(Storage &storage, const TableDef &def);

}  // namespace zdb
