#pragma once
// Brings a folder of table files made by an older program to the shapes of the schema.
//
// Every table file records the version of its shape in SQLite's user_version (0 in files
// made before versions were recorded, read as 1). When a folder is opened, a file of an
// older shape is upgraded and a table that a later schema added is created, holding its
// first rows. The files that change are first copied, as they are, into "regi-<date>"
// beside them; then every change is made in one transaction over those files, so a
// program killed on the way leaves the folder either as it was or upgraded, never half.
// A file of a newer shape than the schema knows is refused, and nothing is written.

#include "db/schema.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace zdb {

struct UpgradeResult {
    QStringList changed;   // the table files upgraded or created
    QString copyFolder;    // where the old files were copied; empty when nothing changed
};

// Called at the steps of an upgrade ("copied", "changed" before the commit, "committed"),
// so that a test can stop the program there.
using UpgradeStep = std::function<void(const char *step)>;

// Upgrades the table files of `folder` to the shapes `tables` give. A folder without any of
// the tables is left alone (it is yet to be built). Throws EngineError, with the folder
// unchanged, when a file is newer than the schema, when an older folder cannot be written,
// or when the upgrade fails.
UpgradeResult upgradeFolder(const QString &folder, const QList<TableDef> &tables,
                            const UpgradeStep &step = UpgradeStep());

// The version of the shape a table file records: 1 for a file without one, 0 when the file
// is missing or empty. Throws EngineError when the file is no database.
int fileShapeVersion(const QString &path);

}  // namespace zdb
