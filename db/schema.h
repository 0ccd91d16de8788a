#pragma once
// The game database: twelve tables, each stored in its own file of the alias folder: the
// catalogues, the players, the professions, the payroll tables and the folder's year.

#include "db/tabledef.h"

#include <QList>
#include <QString>

namespace zdb {

struct LookupDef {
    QString name;
    FieldType type;
    int size;
    QString keyField;       // field of the player table
    QString sourceFile;     // table the value comes from
    QString sourceKeyField;
    QString resultField;
};

// Every table of the game, in the order of the table list.
const QList<TableDef> &schema();
// The schema entry for a file name (any letter case), or nullptr.
const TableDef *findTable(const QString &fileName);
// The fourteen computed fields of the player table.
const QList<LookupDef> &playerLookups();

}  // namespace zdb
