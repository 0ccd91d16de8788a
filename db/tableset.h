#pragma once
// Whole tables read and replaced at once: the rows of several tables of an alias taken as
// they are stored, and put back all or none, for the teacher's content tools (export and
// import, the supplied figures, a restore from a backup).

#include "db/session.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace zdb {

// One table's stored rows: each row's identity (the storage's rowid) and its values in the order of the
// table definition's stored fields (pictures as their bytes, null as a null QVariant).
struct TableRows {
    QString fileName;                    // as in the schema, e.g. "Hazak.DB"
    QVector<qint64> rowids;
    QVector<QVector<QVariant>> rows;
};
using TableSet = QVector<TableRows>;

// Every row of the named tables of the alias, as stored. Throws EngineError.
TableSet readTables(Session *session, const QString &alias, const QStringList &fileNames);

// Replaces every row of each table of `set` by the set's rows (rowids kept), all the tables or none, also
// when the program is killed half way (server: one transaction; folder: new files beside the old, put in
// place by renames recorded in a journal that the next opening of the folder finishes or undoes). Tables
// of the program open on those tables re-read their rows afterwards (reset notices), so views follow.
// Throws EngineError and then nothing is changed.
void replaceTables(Session *session, const QString &alias, const TableSet &set);

}  // namespace zdb
