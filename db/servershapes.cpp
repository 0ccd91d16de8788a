#include "db/servershapes.h"

#include "db/engineerror.h"
#include "db/serverstorage.h"
#include "db/storage.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace zdb {

namespace {

QString serverConnectionOf(Storage &storage)
{
    QStringList keys;
    return storage.openStatementConnection({shapeTableName()}, {}, &keys);
}

void serverExec(Storage &storage, const QString &connection, const QString &what, const QString &sql,
                const QVariantList &values = {})
{
    storage.run(connection, what, false, [&](QSqlQuery &q) {
        if (values.isEmpty())
            return q.exec(sql);
        if (!q.prepare(sql))
            return false;
        for (const QVariant &v : values)
            q.addBindValue(v);
        return q.exec();
    });
}

void createShapeTable(Storage &storage, const QString &connection, const QString &what)
{
    serverExec(storage, connection, what,
               QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (tabla text PRIMARY KEY, verzio integer NOT NULL)")
                   .arg(shapeTableName()));
}

// The tables on the server (small letters) with the shapes recorded for them: 1 for a table
// with none (made before shapes were recorded).
QHash<QString, int> serverShapes(Storage &storage, const QString &connection)
{
    QHash<QString, int> shapes;
    storage.run(connection, QStringLiteral("A táblák formája nem kérdezhető le a szerverről"), true,
                [&](QSqlQuery &q) {
                    shapes.clear();
                    if (!q.exec(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                               "'public'")))
                        return false;
                    bool recorded = false;
                    while (q.next()) {
                        const QString name = q.value(0).toString().toLower();
                        recorded = recorded || name == shapeTableName();
                        shapes.insert(name, 1);
                    }
                    if (!recorded)
                        return true;
                    if (!q.exec(QStringLiteral("SELECT tabla, verzio FROM %1").arg(shapeTableName())))
                        return false;
                    while (q.next()) {
                        const QString name = q.value(0).toString().toLower();
                        if (shapes.contains(name))
                            shapes.insert(name, q.value(1).toInt());
                    }
                    return true;
                });
    return shapes;
}

}  // namespace

QString shapeTableName() { return QStringLiteral("tablaformak"); }

void checkServerShapes(Storage &storage, const QList<TableDef> &tables, const QString &server)
{
    const QString connection = serverConnectionOf(storage);
    const QHash<QString, int> shapes = serverShapes(storage, connection);
    bool anyTable = false;
    for (const TableDef &def : tables)
        anyTable = anyTable || shapes.contains(def.sqlName().toLower());
    for (const TableDef &def : tables) {
        const QString name = def.sqlName().toLower();
        // A server yet to be built has none of the tables; a table missing from a built one
        // is told when it is opened, unless a later schema added it.
        if (!shapes.contains(name) && (!anyTable || def.since == 1))
            continue;
        const int version = shapes.value(name, 0);
        if (version > def.version)
            throw EngineError(QStringLiteral("A tanterem adatbázisának (%1) %2 táblája a program egy újabb kiadásával "
                                             "készült (formája: %3, ez a program legfeljebb a(z) %4. formát ismeri). "
                                             "A program nem írja; indítsa a program újabb kiadását.")
                                  .arg(server, def.fileName)
                                  .arg(version)
                                  .arg(def.version));
        if (version < def.version)
            throw EngineError(QStringLiteral("A tanterem adatbázisa (%1) a program egy régebbi kiadásával készült, a(z) "
                                             "%2 tábla régi formájú. A tanár frissítse a tartalomkészítő eszközzel "
                                             "(zomir-data --server …); az elmentett játékok megmaradnak.")
                                  .arg(server, def.fileName));
    }
}

void stampServerShape(Storage &storage, const TableDef &def)
{
    const QString connection = serverConnectionOf(storage);
    const QString what = QStringLiteral("A(z) %1 tábla formája nem jegyezhető fel").arg(def.fileName);
    createShapeTable(storage, connection, what);
    serverExec(storage, connection, what,
               QStringLiteral("INSERT INTO %1 (tabla, verzio) VALUES (?, ?) ON CONFLICT (tabla) DO UPDATE SET verzio = "
                              "EXCLUDED.verzio")
                   .arg(shapeTableName()),
               {def.sqlName().toLower(), def.version});
}

void grantShapeReading(Storage &storage, const QString &studentRole, const QString &teacherRole)
{
    const QString connection = serverConnectionOf(storage);
    const QString what = QStringLiteral("A szerepkörök jogai nem állíthatók be");
    createShapeTable(storage, connection, what);
    serverExec(storage, connection, what, QStringLiteral("REVOKE ALL ON %1 FROM PUBLIC").arg(shapeTableName()));
    serverExec(storage, connection, what,
               QStringLiteral("GRANT SELECT ON %1 TO %2, %3").arg(shapeTableName(), studentRole, teacherRole));
}

QString binTableName(const TableDef &def) { return QStringLiteral("torolt_") + def.sqlName().toLower(); }

void installBin(Storage &storage, const TableDef &def, const QString &studentRole, const QString &teacherRole)
{
    const QString connection = serverConnectionOf(storage);
    const QString what = QStringLiteral("A törölt játékok gyűjtője nem állítható be");
    const QString table = QStringLiteral("public.") + serverName(def.sqlName());
    const QString bin = QStringLiteral("public.") + binTableName(def);
    const QString function = QStringLiteral("public.%1_gyujto()").arg(binTableName(def));
    const QString trigger = binTableName(def) + QStringLiteral("_gyujto");
    serverExec(storage, connection, what,
               QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, "
                              "torolve timestamptz NOT NULL DEFAULT now(), sor jsonb NOT NULL)")
                   .arg(bin));
    // Every name qualified and the search path fixed: a role cannot slip a table or an
    // operator of its own in front of the function's.
    serverExec(storage, connection, what,
               QStringLiteral("CREATE OR REPLACE FUNCTION %1 RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER "
                              "SET search_path = pg_catalog, pg_temp AS $gyujto$\n"
                              "BEGIN\n"
                              "  DELETE FROM %2 WHERE torolve < pg_catalog.now() - interval '%3 days';\n"
                              "  INSERT INTO %2 (torolve, sor) VALUES (pg_catalog.now(), pg_catalog.to_jsonb(OLD));\n"
                              "  RETURN OLD;\n"
                              "END\n"
                              "$gyujto$")
                   .arg(function, bin)
                   .arg(Storage::binKeepDays));
    // Dropped and made again rather than replaced, which servers before PostgreSQL 14 cannot.
    serverExec(storage, connection, what, QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2").arg(trigger, table));
    serverExec(storage, connection, what,
               QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON %2 FOR EACH ROW EXECUTE FUNCTION %3")
                   .arg(trigger, table, function));
    // The function and the bin belong to the database's owner, whoever runs the set-up.
    QString owner;
    storage.run(connection, what, true, [&](QSqlQuery &q) {
        if (!q.exec(QStringLiteral("SELECT pg_catalog.pg_get_userbyid(datdba), current_user FROM pg_catalog.pg_database "
                                   "WHERE datname = pg_catalog.current_database()")) ||
            !q.next())
            return false;
        owner = q.value(0).toString() == q.value(1).toString() ? QString() : q.value(0).toString();
        return true;
    });
    if (!owner.isEmpty()) {
        serverExec(storage, connection, what, QStringLiteral("ALTER TABLE %1 OWNER TO %2").arg(bin, quoteIdentifier(owner)));
        serverExec(storage, connection, what,
                   QStringLiteral("ALTER FUNCTION %1 OWNER TO %2").arg(function, quoteIdentifier(owner)));
    }
    serverExec(storage, connection, what, QStringLiteral("REVOKE ALL ON FUNCTION %1 FROM PUBLIC").arg(function));
    serverExec(storage, connection, what,
               QStringLiteral("REVOKE ALL ON %1 FROM PUBLIC, %2, %3").arg(bin, studentRole, teacherRole));
    serverExec(storage, connection, what, QStringLiteral("GRANT SELECT, DELETE ON %1 TO %2").arg(bin, teacherRole));
}

bool upgradeServerTable(Storage &storage, const TableDef &def)
{
    const QString connection = serverConnectionOf(storage);
    const int version = serverShapes(storage, connection).value(def.sqlName().toLower(), 1);
    if (version > def.version)
        throw EngineError(QStringLiteral("A szerver %1 táblája újabb formájú (%2), mint amit ez a program ismer (%3).")
                              .arg(def.fileName)
                              .arg(version)
                              .arg(def.version));
    if (version == def.version)
        return false;
    const QString what = QStringLiteral("A(z) %1 tábla nem frissíthető az új formára").arg(def.fileName);
    const QString table = serverName(def.sqlName());
    serverExec(storage, connection, what, QStringLiteral("BEGIN"));
    try {
        for (const AddedField &added : def.added) {
            if (added.version <= version)
                continue;
            const int index = def.fieldIndex(added.name);
            serverExec(storage, connection, what,
                       QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2 %3")
                           .arg(table, serverName(added.name), serverType(def.fields.value(index).type)));
            if (!added.value.isNull())
                serverExec(storage, connection, what,
                           QStringLiteral("UPDATE %1 SET %2 = ?").arg(table, serverName(added.name)), {added.value});
        }
        stampServerShape(storage, def);
        serverExec(storage, connection, what, QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            storage.run(connection, what, false, [](QSqlQuery &q) { return q.exec(QStringLiteral("ROLLBACK")); });
        } catch (const EngineError &) {
            // A connection that broke has ended its transaction with it.
        }
        throw;
    }
    return true;
}

}  // namespace zdb
