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

QString FolderStorage::positionalOrder(const TableDef &def, const QVector<int> &fields, bool descending) const
{
    // SQLite orders as the engine does (empty values first, numbers by value, then texts, the
    // ASCII letters without regard to case), and every index of a table file is made with
    // NOCASE columns, whose entries end with the rowid: an order of an index is followed
    // through it, page by page, without a sort.
    if (!fields.isEmpty()) {
        bool indexed = false;
        for (const IndexDef &idx : def.indexes) {
            if (idx.fields.size() != fields.size())
                continue;
            indexed = true;
            for (int i = 0; i < fields.size() && indexed; ++i)
                indexed = idx.fields[i].compare(def.fields[fields[i]].name, Qt::CaseInsensitive) == 0;
            if (indexed)
                break;
        }
        if (!indexed)
            return QString();
    }
    const QString direction = descending ? QStringLiteral(" DESC") : QString();
    QStringList terms;
    for (int f : fields) {
        if (def.fields[f].type == FieldType::Graphic)
            return QString();
        terms.append(column(def.fields[f].name) + QStringLiteral(" COLLATE NOCASE") + direction);
    }
    terms.append(QStringLiteral("rowid") + direction);
    return terms.join(QStringLiteral(", "));
}

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

// A replacement of whole tables in a folder. The new files are made in kNewFolder beside
// the tables; then the journal names the tables (written to a file of its own and renamed
// into place, so that it is there whole or not at all); then each table's file is moved
// into kOldFolder and its new file into its place. A journal found on opening means every
// new file is complete: the moves are finished. No journal means none was made: the new
// files are dropped. Either way the two folders and the journal go at the end.
namespace zdb {

namespace {

const QString kNewFolder = QStringLiteral("tablacsere-uj");
const QString kOldFolder = QStringLiteral("tablacsere-regi");
const QString kJournal = QStringLiteral("tablacsere.naplo");

QString journalPath(const QDir &dir) { return dir.filePath(kJournal); }

void moveFile(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) && !QFile::remove(to))
        throw EngineError(QStringLiteral("A táblák cseréje nem fejezhető be: a(z) %1 fájl nem törölhető.").arg(to));
    if (!QFile::rename(from, to))
        throw EngineError(QStringLiteral("A táblák cseréje nem fejezhető be: a(z) %1 fájl nem nevezhető át "
                                         "(talán egy másik program használja).")
                              .arg(from));
}

// The table files the journal names, empty when there is no complete journal.
QStringList readJournal(const QDir &dir)
{
    QFile file(journalPath(dir));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    // The last line says the journal was written whole.
    if (lines.size() < 2 || lines.last() != QLatin1String("vege"))
        return {};
    return lines.mid(0, lines.size() - 1);
}

void writeJournal(const QDir &dir, const QStringList &files)
{
    const QString path = journalPath(dir);
    const QString part = path + QStringLiteral(".uj");
    QFile file(part);
    const QByteArray text = (files.join(QLatin1Char('\n')) + QStringLiteral("\nvege")).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush()) {
        file.close();
        QFile::remove(part);
        throw EngineError(QStringLiteral("A táblák cseréjének naplója nem írható: %1").arg(part));
    }
    file.close();
    moveFile(part, path);
}

void removeLeftovers(const QDir &dir)
{
    QDir(dir.filePath(kOldFolder)).removeRecursively();
    QFile::remove(journalPath(dir));
    QFile::remove(journalPath(dir) + QStringLiteral(".uj"));
    QDir(dir.filePath(kNewFolder)).removeRecursively();
}

// Moves each old file aside and its new file into its place; a file already moved is passed.
void completeMoves(const QDir &dir, const QStringList &files, bool live)
{
    const QDir newDir(dir.filePath(kNewFolder));
    const QDir oldDir(dir.filePath(kOldFolder));
    if (!QDir().mkpath(oldDir.path()))
        throw EngineError(QStringLiteral("A táblák cseréje nem fejezhető be: a(z) %1 mappa nem hozható létre.")
                              .arg(oldDir.path()));
    int n = 0;
    for (const QString &name : files) {
        ++n;
        if (!QFileInfo::exists(newDir.filePath(name)))
            continue;   // already in place
        if (QFileInfo::exists(dir.filePath(name)))
            moveFile(dir.filePath(name), oldDir.filePath(name));
        if (live)
            Storage::testStop(QStringLiteral("regi-%1").arg(n));
        moveFile(newDir.filePath(name), dir.filePath(name));
        if (live)
            Storage::testStop(QStringLiteral("uj-%1").arg(n));
    }
}

// Puts the old files back where a live replacement failed half way through its moves.
void undoMoves(const QDir &dir, const QStringList &files)
{
    const QDir newDir(dir.filePath(kNewFolder));
    const QDir oldDir(dir.filePath(kOldFolder));
    for (const QString &name : files) {
        if (!QFileInfo::exists(oldDir.filePath(name)))
            continue;
        if (QFileInfo::exists(dir.filePath(name)) && !QFileInfo::exists(newDir.filePath(name)))
            moveFile(dir.filePath(name), newDir.filePath(name));
        moveFile(oldDir.filePath(name), dir.filePath(name));
    }
}

}  // namespace

void finishReplacement(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = readJournal(dir);
    if (!files.isEmpty()) {
        completeMoves(dir, files, false);
    } else if (QDir(dir.filePath(kOldFolder)).exists()) {
        // No journal, so no move was made; an old file whose table is missing goes back all the same.
        const QDir oldDir(dir.filePath(kOldFolder));
        for (const QString &name : oldDir.entryList(QDir::Files))
            if (!QFileInfo::exists(dir.filePath(name)))
                moveFile(oldDir.filePath(name), dir.filePath(name));
    }
    removeLeftovers(dir);
}

void FolderStorage::replaceRows(const QList<TableDef> &defs, const RowFiller &fill)
{
    const QDir dir(m_path);
    finishReplacement(m_path);
    const QDir newDir(dir.filePath(kNewFolder));
    if (!QDir().mkpath(newDir.path()))
        throw EngineError(QStringLiteral("A táblák nem cserélhetők: a(z) %1 mappa nem hozható létre.")
                              .arg(newDir.path()));
    QStringList files;   // the tables' files as named on disk
    try {
        for (int i = 0; i < defs.size(); ++i) {
            TableDef def = defs[i];
            if (!hasTable(def))
                throw EngineError(QStringLiteral("A tábla nem található: %1").arg(tablePath(def)));
            def.fileName = QFileInfo(tablePath(def)).fileName();
            zdb::createTable(newDir.path(), def);
            const QString connection = newConnectionName("zdb-replace-");
            {
                QSqlDatabase db = openFileConnection(connection, newDir.filePath(def.fileName));
                try {
                    if (!db.transaction())
                        throw EngineError(QStringLiteral("%1: %2").arg(def.fileName, db.lastError().text()));
                    fill(i, db, table(def));
                    if (!db.commit())
                        throw EngineError(QStringLiteral("%1: %2").arg(def.fileName, db.lastError().text()));
                } catch (...) {
                    db.rollback();
                    db.close();
                    db = QSqlDatabase();
                    QSqlDatabase::removeDatabase(connection);
                    throw;
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(connection);
            files.append(def.fileName);
            testStop(QStringLiteral("uj-fajl-%1").arg(i + 1));
        }
        writeJournal(dir, files);
    } catch (...) {
        removeLeftovers(dir);
        throw;
    }
    testStop(QStringLiteral("naplo"));
    try {
        completeMoves(dir, files, true);
    } catch (...) {
        try {
            undoMoves(dir, files);
            removeLeftovers(dir);
        } catch (const EngineError &) {
            // What cannot be put back now the journal finishes on the next opening.
        }
        throw;
    }
    testStop(QStringLiteral("athelyezve"));
    removeLeftovers(dir);
}

}  // namespace zdb
