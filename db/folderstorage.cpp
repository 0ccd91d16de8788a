#include "db/folderstorage.h"

#include "db/engineerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUuid>

namespace zdb {

namespace {

constexpr int kBusyTimeoutMs = 15000;

QSqlDatabase openFileConnection(const QString &connection, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        const QString text = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
        throw EngineError(QStringLiteral("A tábla nem nyitható meg: %1\n%2").arg(path, text));
    }
    return db;
}

}  // namespace

FolderStorage::FolderStorage(const QString &path) : m_path(path) {}

QString FolderStorage::tablePath(const TableDef &def) const
{
    const QDir dir(m_path);
    const QString exact = dir.filePath(def.fileName);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString &name : entries)
        if (name.compare(def.fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return exact;
}

QString FolderStorage::tableKey(const TableDef &def) const
{
    const QFileInfo info(tablePath(def));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool FolderStorage::hasTable(const TableDef &def) { return QFileInfo::exists(tablePath(def)); }

QString FolderStorage::openTable(const TableDef &def, bool *canModify)
{
    const QString path = tablePath(def);
    if (!QFileInfo::exists(path))
        throw EngineError(QStringLiteral("A tábla nem található: %1").arg(path));
    const QString connection = newConnectionName("zdb-");
    openFileConnection(connection, path);
    // SQLite writes a journal beside the file, so the folder must be writable as well.
    const QFileInfo file(path);
    *canModify = file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    return connection;
}

void FolderStorage::closeTable(const QString &connection)
{
    if (connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

QSqlDatabase FolderStorage::database(const QString &connection) { return QSqlDatabase::database(connection, false); }

QString FolderStorage::column(const QString &field) const { return quoteIdentifier(field); }

QString FolderStorage::table(const TableDef &def) const { return quoteIdentifier(def.sqlName()); }

QString FolderStorage::rowid(const TableDef &) const { return QStringLiteral("rowid"); }

DataVersion FolderStorage::dataVersion(const QString &connection, const TableDef &)
{
    DataVersion version;
    QSqlQuery q(QSqlDatabase::database(connection, false));
    if (q.exec(QStringLiteral("PRAGMA data_version")) && q.next())
        version.counter = q.value(0).toLongLong();
    return version;
}

QString FolderStorage::stamp() const { return QStringLiteral("0"); }

QString FolderStorage::readOnlyReason(const QString &tableName) const
{
    return QStringLiteral("A(z) %1 tábla csak olvasható (a fájlja vagy a mappája írásvédett), ezért nem módosítható.")
        .arg(tableName);
}

void FolderStorage::run(const QString &connection, const QString &what, bool retry,
                        const std::function<bool(QSqlQuery &)> &work)
{
    runPrepared(connection, what, retry, QString(), work);
}

void FolderStorage::runPrepared(const QString &connection, const QString &what, bool, const QString &sql,
                                const std::function<bool(QSqlQuery &)> &work)
{
    // A file is on this machine: a failed statement is not worth repeating.
    QSqlQuery q(database(connection));
    if ((sql.isEmpty() || q.prepare(sql)) && work(q))
        return;
    throw EngineError(QStringLiteral("%1: %2").arg(what, describe(q.lastError())));
}

QString FolderStorage::describe(const QSqlError &error) const { return error.text(); }

void FolderStorage::createTable(const TableDef &def) { zdb::createTable(m_path, def); }

void FolderStorage::grantRoles(const QString &, const QString &, const QList<TableDef> &, const QStringList &) {}

QString FolderStorage::openStatementConnection(const QStringList &words, const QList<TableDef> &,
                                               QStringList *attachedKeys)
{
    attachedKeys->clear();
    const QDir dir(m_path);
    QList<QPair<QString, QString>> attach;   // schema name, file path
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &file : files) {
        const QFileInfo info(dir.filePath(file));
        if (info.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) != 0)
            continue;
        if (words.contains(info.completeBaseName().toLower()))
            attach.append({info.completeBaseName(), info.absoluteFilePath()});
    }
    if (attach.isEmpty())
        return QString();
    const QString connection = newConnectionName("zdb-stmt-");
    QSqlDatabase db = openFileConnection(connection, QStringLiteral(":memory:"));
    QSqlQuery q(db);
    for (const auto &a : attach) {
        q.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(quoteIdentifier(a.first)));
        q.addBindValue(a.second);
        if (!q.exec()) {
            const QString text = q.lastError().text();
            q = QSqlQuery();
            db = QSqlDatabase();
            closeTable(connection);
            throw EngineError(QStringLiteral("Az SQL utasítás nem hajtható végre: %1").arg(text));
        }
        const QString canonical = QFileInfo(a.second).canonicalFilePath();
        attachedKeys->append(canonical.isEmpty() ? a.second : canonical);
    }
    return connection;
}

QString sqliteColumnType(FieldType type)
{
    switch (type) {
    case FieldType::AutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::Boolean: return QStringLiteral("INTEGER");
    case FieldType::Float:
    case FieldType::Money: return QStringLiteral("REAL");
    case FieldType::Graphic: return QStringLiteral("BLOB");
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Date: return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

QStringList sqliteCreateStatements(const TableDef &def, const QString &database)
{
    const QString prefix = database.isEmpty() ? QString() : quoteIdentifier(database) + QLatin1Char('.');
    QStringList columns;
    for (const FieldDef &fd : def.fields)
        columns.append(quoteIdentifier(fd.name) + QLatin1Char(' ') + sqliteColumnType(fd.type));
    QStringList statements{QStringLiteral("CREATE TABLE %1%2 (%3)")
                               .arg(prefix, quoteIdentifier(def.sqlName()), columns.join(QStringLiteral(", ")))};
    for (const IndexDef &idx : def.indexes) {
        QStringList cols;
        for (const QString &c : idx.fields)
            cols.append(quoteIdentifier(c) + QStringLiteral(" COLLATE NOCASE"));
        statements.append(QStringLiteral("CREATE INDEX %1%2 ON %3 (%4)")
                              .arg(prefix, quoteIdentifier(idx.name), quoteIdentifier(def.sqlName()),
                                   cols.join(QStringLiteral(", "))));
    }
    return statements;
}

void createTable(const QString &folder, const TableDef &def)
{
    if (!QDir(folder).exists())
        throw EngineError(QStringLiteral("A mappa nem létezik: %1").arg(folder));
    const QString path = QDir(folder).filePath(def.fileName);
    // Remove any file of that name in another letter case too.
    const QStringList existing = QDir(folder).entryList(QDir::Files);
    for (const QString &name : existing)
        if (name.compare(def.fileName, Qt::CaseInsensitive) == 0)
            QFile::remove(QDir(folder).filePath(name));

    const QString connection = QStringLiteral("zdb-create-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open())
            throw EngineError(QStringLiteral("A tábla nem hozható létre: %1\n%2")
                                  .arg(path, db.lastError().text()));
        QSqlQuery q(db);
        const auto run = [&](const QString &sql) {
            if (!q.exec(sql))
                throw EngineError(QStringLiteral("A tábla nem hozható létre: %1\n%2")
                                      .arg(def.fileName, q.lastError().text()));
        };
        for (const QString &statement : sqliteCreateStatements(def))
            run(statement);
        run(QStringLiteral("PRAGMA user_version = %1").arg(def.version));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

}  // namespace zdb
