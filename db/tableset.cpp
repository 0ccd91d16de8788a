#include "db/tableset.h"

#include "db/storage.h"

#include <QSqlError>
#include <QSqlQuery>

namespace zdb {

namespace {

const TableDef &definitionOf(Session *session, const QString &fileName)
{
    const TableDef *def = session->tableDef(fileName);
    if (!def)
        throw EngineError(QStringLiteral("Ismeretlen tábla: %1").arg(fileName));
    return *def;
}

// A stored value in the one form both kinds of storage give it for a field of `type`.
QVariant storedForm(FieldType type, const QVariant &v)
{
    if (v.isNull())
        return QVariant();
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Int16:
    case FieldType::Int32: return QVariant(v.toLongLong());
    case FieldType::Boolean: return QVariant(v.toLongLong() != 0 || v.toString() == QLatin1String("true"));
    case FieldType::Float:
    case FieldType::Money: return QVariant(v.toDouble());
    case FieldType::Graphic: return QVariant(v.toByteArray());
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Date: return QVariant(v.toString());
    }
    return v;
}

// The value bound for a field: a truth value as the integer both kinds store it as.
QVariant boundForm(FieldType type, const QVariant &v)
{
    if (v.isNull())
        return QVariant();
    if (type == FieldType::Boolean)
        return QVariant(v.toBool() ? 1 : 0);
    return v;
}

}  // namespace

TableSet readTables(Session *session, const QString &alias, const QStringList &fileNames)
{
    std::shared_ptr<Storage> storage = session->storage(alias);
    TableSet set;
    for (const QString &name : fileNames) {
        const TableDef &def = definitionOf(session, name);
        TableRows rows;
        rows.fileName = def.fileName;
        bool canModify = false;
        const QString connection = storage->openTable(def, &canModify);
        QStringList columns{storage->rowid(def)};
        for (const FieldDef &fd : def.fields)
            columns.append(storage->column(fd.name));
        const QString sql = QStringLiteral("SELECT %1 FROM %2 ORDER BY 1")
                                .arg(columns.join(QStringLiteral(", ")), storage->table(def));
        try {
            storage->run(connection, QStringLiteral("A(z) %1 tábla nem olvasható").arg(def.fileName), true,
                         [&](QSqlQuery &q) {
                             rows.rowids.clear();
                             rows.rows.clear();
                             q.setForwardOnly(true);
                             if (!q.exec(sql))
                                 return false;
                             while (q.next()) {
                                 rows.rowids.append(q.value(0).toLongLong());
                                 QVector<QVariant> values;
                                 values.reserve(def.fields.size());
                                 for (int f = 0; f < def.fields.size(); ++f)
                                     values.append(storedForm(def.fields[f].type, q.value(f + 1)));
                                 rows.rows.append(values);
                             }
                             return !q.lastError().isValid();
                         });
        } catch (...) {
            storage->closeTable(connection);
            throw;
        }
        storage->closeTable(connection);
        set.append(rows);
    }
    return set;
}

void replaceTables(Session *session, const QString &alias, const TableSet &set)
{
    std::shared_ptr<Storage> storage = session->storage(alias);
    QList<TableDef> defs;
    QStringList keys;
    for (const TableRows &t : set) {
        const TableDef &def = definitionOf(session, t.fileName);
        if (t.rowids.size() != t.rows.size())
            throw EngineError(QStringLiteral("A(z) %1 tábla sorainak száma nem egyezik az azonosítóikéval.")
                                  .arg(def.fileName));
        for (const QVector<QVariant> &row : t.rows)
            if (row.size() != def.fields.size())
                throw EngineError(QStringLiteral("A(z) %1 tábla egy sorának mezőszáma nem egyezik a tábláéval.")
                                      .arg(def.fileName));
        if (!storage->hasTable(def))
            throw EngineError(QStringLiteral("A tábla nem található: %1").arg(def.fileName));
        defs.append(def);
        keys.append(storage->tableKey(def));
    }

    const auto fill = [&](int index, QSqlDatabase &db, const QString &table) {
        const TableDef &def = defs[index];
        const TableRows &t = set[index];
        const int autoInc = def.autoIncIndex();
        QStringList columns;
        if (autoInc < 0)
            columns.append(storage->rowid(def));
        for (const FieldDef &fd : def.fields)
            columns.append(storage->column(fd.name));
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks.append(QStringLiteral("?"));
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))))
            throw EngineError(QStringLiteral("A(z) %1 tábla nem írható: %2").arg(def.fileName, storage->describe(q.lastError())));
        for (int r = 0; r < t.rows.size(); ++r) {
            if (autoInc < 0)
                q.addBindValue(t.rowids[r]);
            for (int f = 0; f < def.fields.size(); ++f) {
                QVariant v = t.rows[r][f];
                if (f == autoInc && v.isNull())
                    v = t.rowids[r];
                q.addBindValue(boundForm(def.fields[f].type, v));
            }
            if (!q.exec())
                throw EngineError(QStringLiteral("A(z) %1 tábla %2. sora nem tárolható: %3")
                                      .arg(def.fileName)
                                      .arg(r + 1)
                                      .arg(storage->describe(q.lastError())));
        }
    };

    session->releaseTablesOf(keys);
    try {
        storage->replaceRows(defs, fill);
    } catch (...) {
        try {
            session->retakeTablesOf(keys);
        } catch (const EngineError &) {
            // The replacement's own error says more; a table that could not be taken again is closed.
        }
        throw;
    }
    session->retakeTablesOf(keys);
}

}  // namespace zdb
