#include "db/upgrade.h"

#include "db/engine.h"
#include "db/folderstorage.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>

namespace zdb {

namespace {

// Files SQLite keeps beside a database while it writes it.
const char *const kSideFiles[] = {"-journal", "-wal"};

// Where SQLite keeps a file's user_version: bytes 60-63 of its 100-byte header, big-endian.
constexpr int kHeaderSize = 100;
constexpr int kUserVersionOffset = 60;

bool hasSideFile(const QString &path)
{
    for (const char *side : kSideFiles)
        if (QFileInfo::exists(path + QLatin1String(side)))
            return true;
    return false;
}

QString newConnectionName()
{
    return QStringLiteral("zdb-upgrade-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// The version through SQLite itself: a journal beside the file is rolled back (or cleared
// away) first, as any connection's first read does.
int versionThroughSqlite(const QString &path)
{
    const QString name = newConnectionName();
    int version = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
                version = q.value(0).toInt();
            q = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (version < 0)
        return -1;
    // A file that a rolled-back upgrade had only begun is empty again.
    return QFileInfo(path).size() == 0 ? 0 : qMax(version, 1);
}

// The folder's files by their names in small letters: the schema's names are matched in any
// letter case, as the engine opens them.
QHash<QString, QString> filesOf(const QString &folder)
{
    QHash<QString, QString> files;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names)
        files.insert(name.toLower(), dir.filePath(name));
    return files;
}

QString folderCopyName(const QDir &dir)
{
    const QString base = QStringLiteral("regi-") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QString name = base;
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("%1-%2").arg(base).arg(n);
    return name;
}

struct Change {
    const TableDef *def = nullptr;
    QString path;
    int from = 0;          // 0: the table is created
    QString database;      // its name on the upgrade's connection
};

class Upgrade {
public:
    Upgrade(const QString &folder, QList<Change> changes, const UpgradeStep &step)
        : m_folder(folder), m_changes(std::move(changes)), m_step(step), m_name(newConnectionName())
    {
    }
    ~Upgrade()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Upgrade(const Upgrade &) = delete;
    Upgrade &operator=(const Upgrade &) = delete;

    UpgradeResult run()
    {
        open();
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            return changeAll();
        } catch (...) {
            QSqlQuery(db()).exec(QStringLiteral("ROLLBACK"));
            if (!m_copy.isEmpty())
                QDir(m_copy).removeRecursively();
            throw;
        }
    }

private:
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    [[noreturn]] void failed(const QString &detail) const
    {
        throw EngineError(QStringLiteral("A(z) %1 mappa adatbázisa nem frissíthető az új formára; a mappa nem "
                                         "változott.\n%2")
                              .arg(QDir::toNativeSeparators(m_folder), detail));
    }

    void exec(const QString &sql, const QVariantList &values = {})
    {
        QSqlQuery q(db());
        bool ok;
        if (values.isEmpty()) {
            ok = q.exec(sql);
        } else {
            ok = q.prepare(sql);
            for (const QVariant &v : values)
                q.addBindValue(v);
            ok = ok && q.exec();
        }
        if (!ok)
            failed(q.lastError().text());
    }

    QVariant value(const QString &sql)
    {
        QSqlQuery q(db());
        if (!q.exec(sql) || !q.next())
            failed(q.lastError().text());
        return q.value(0);
    }

    void open()
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        // The first file is the connection's own database: a transaction over several files
        // commits all of them or none only when the main database is a file.
        d.setDatabaseName(m_changes.first().path);
        if (!d.open())
            failed(d.lastError().text());
        m_changes.first().database = QStringLiteral("main");
        for (int i = 1; i < m_changes.size(); ++i) {
            m_changes[i].database = QStringLiteral("t%1").arg(i);
            exec(QStringLiteral("ATTACH DATABASE ? AS %1").arg(m_changes[i].database), {m_changes[i].path});
        }
    }

    QStringList columns(const Change &c)
    {
        QSqlQuery q(db());
        if (!q.exec(QStringLiteral("PRAGMA %1.table_info(%2)")
                        .arg(quoteIdentifier(c.database), quoteIdentifier(c.def->sqlName()))))
            failed(q.lastError().text());
        QStringList names;
        while (q.next())
            names.append(q.value(1).toString());
        return names;
    }

    bool tableExists(const Change &c)
    {
        return value(QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type = 'table' AND name = '%2' "
                                    "COLLATE NOCASE")
                         .arg(quoteIdentifier(c.database), c.def->sqlName()))
                   .toInt() > 0;
    }

    UpgradeResult changeAll()
    {
        // Read again under the lock: another program may have upgraded the folder meanwhile.
        QList<Change> due;
        for (const Change &c : std::as_const(m_changes)) {
            if (c.from == 0) {
                if (!tableExists(c))
                    due.append(c);
                continue;
            }
            // A file without its table (another table's file under its name) is not upgraded:
            // opening it, or the content tool's check of the players' table, says what it is.
            if (!tableExists(c))
                continue;
            const int version = qMax(1, value(QStringLiteral("PRAGMA %1.user_version").arg(quoteIdentifier(c.database))).toInt());
            if (version > c.def->version)
                throw EngineError(newerMessage(*c.def, c.path, version));
            if (version < c.def->version)
                due.append(Change{c.def, c.path, version, c.database});
        }
        if (due.isEmpty()) {
            exec(QStringLiteral("ROLLBACK"));
            return {};
        }

        UpgradeResult result;
        const QDir dir(m_folder);
        for (const Change &c : std::as_const(due)) {
            if (c.from == 0)
                continue;
            if (m_copy.isEmpty()) {
                const QString name = folderCopyName(dir);
                if (!dir.mkdir(name))
                    failed(QStringLiteral("A régi fájlok másolatának mappája nem hozható létre: %1")
                               .arg(QDir::toNativeSeparators(dir.filePath(name))));
                m_copy = dir.filePath(name);
            }
            const QString target = QDir(m_copy).filePath(QFileInfo(c.path).fileName());
            if (!QFile::copy(c.path, target))
                failed(QStringLiteral("A(z) %1 fájl nem másolható ide: %2")
                           .arg(QDir::toNativeSeparators(c.path), QDir::toNativeSeparators(target)));
        }
        if (m_step)
            m_step("copied");

        for (const Change &c : std::as_const(due)) {
            const TableDef &def = *c.def;
            const QString database = quoteIdentifier(c.database);
            if (c.from == 0) {
                for (const QString &statement : sqliteCreateStatements(def, c.database))
                    exec(statement);
                for (const QVariantList &row : def.rowsWhenAdded) {
                    QStringList names, marks;
                    for (int i = 0; i < row.size() && i < def.fields.size(); ++i) {
                        names.append(quoteIdentifier(def.fields[i].name));
                        marks.append(QStringLiteral("?"));
                    }
                    exec(QStringLiteral("INSERT INTO %1.%2 (%3) VALUES (%4)")
                             .arg(database, quoteIdentifier(def.sqlName()), names.join(QStringLiteral(", ")),
                                  marks.join(QStringLiteral(", "))),
                         row.mid(0, names.size()));
                }
            } else {
                const QStringList present = columns(c);
                for (const AddedField &added : def.added) {
                    if (added.version <= c.from || present.contains(added.name, Qt::CaseInsensitive))
                        continue;
                    const int index = def.fieldIndex(added.name);
                    if (index < 0)
                        failed(QStringLiteral("A(z) %1 mező nincs a(z) %2 táblában.").arg(added.name, def.fileName));
                    const QString table = database + QLatin1Char('.') + quoteIdentifier(def.sqlName());
                    exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                             .arg(table, quoteIdentifier(added.name), sqliteColumnType(def.fields[index].type)));
                    if (!added.value.isNull())
                        exec(QStringLiteral("UPDATE %1 SET %2 = ?").arg(table, quoteIdentifier(added.name)),
                             {added.value});
                }
            }
            exec(QStringLiteral("PRAGMA %1.user_version = %2").arg(database).arg(def.version));
            result.changed.append(def.fileName);
        }
        if (m_step)
            m_step("changed");
        exec(QStringLiteral("COMMIT"));
        if (m_step)
            m_step("committed");
        result.copyFolder = m_copy;
        return result;
    }

public:
    static QString newerMessage(const TableDef &def, const QString &path, int version)
    {
        return QStringLiteral("A(z) %1 tábla (%2) a program egy újabb kiadásával készült (formája: %3, ez a program "
                              "legfeljebb a(z) %4. formát ismeri). A program nem nyitja meg és nem írja; indítsa a "
                              "program újabb kiadását.")
            .arg(def.fileName, QDir::toNativeSeparators(path))
            .arg(version)
            .arg(def.version);
    }

private:
    QString m_folder;
    QList<Change> m_changes;
    UpgradeStep m_step;
    QString m_name;
    QString m_copy;
};

}  // namespace

namespace {

// What a file's header says: -2 no file (or an empty one), -1 no database, else the
// user_version stored (0 in a file made before shapes were recorded).
constexpr int kMissing = -2;
constexpr int kNoDatabase = -1;

int storedStamp(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return kMissing;
    if (hasSideFile(path)) {
        const int version = versionThroughSqlite(path);
        return version < 0 ? kNoDatabase : QFileInfo(path).size() == 0 ? kMissing : version;
    }
    if (!file.open(QIODevice::ReadOnly))
        return kNoDatabase;
    const QByteArray header = file.read(kHeaderSize);
    if (header.isEmpty())
        return kMissing;
    if (header.size() < kHeaderSize || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return kNoDatabase;
    const auto byte = [&](int i) { return quint32(quint8(header.at(kUserVersionOffset + i))); };
    return qMax(0, qint32(byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3)));
}

}  // namespace

int fileShapeVersion(const QString &path)
{
    const int stamp = storedStamp(path);
    if (stamp == kNoDatabase)
        throw EngineError(QStringLiteral("A(z) %1 fájl nem adatbázis.").arg(QDir::toNativeSeparators(path)));
    return stamp == kMissing ? 0 : qMax(stamp, 1);
}

UpgradeResult upgradeFolder(const QString &folder, const QList<TableDef> &tables, const UpgradeStep &step)
{
    if (!QFileInfo(folder).isDir())
        return {};
    const QHash<QString, QString> files = filesOf(folder);
    QList<Change> changes;
    QList<Change> missing;     // tables a later schema added, if the folder is older
    bool older = false;        // a file of an older shape, or one made before shapes were recorded
    bool built = false;        // any of the tables is there
    for (const TableDef &def : tables) {
        const QString path = files.value(def.fileName.toLower(), QDir(folder).filePath(def.fileName));
        const int stamp = storedStamp(path);
        if (stamp == kNoDatabase)
            continue;   // opening the table says what is wrong with the file
        if (stamp == kMissing) {
            if (def.since > 1)
                missing.append(Change{&def, path, 0, QString()});
            continue;
        }
        built = true;
        const int version = qMax(stamp, 1);
        if (version > def.version)
            throw EngineError(Upgrade::newerMessage(def, path, version));
        if (stamp == 0 || version < def.version)
            older = true;
        if (version < def.version)
            changes.append(Change{&def, path, version, QString()});
    }
    // A built folder without a table a later schema added is older too, even when no table
    // of it changed shape since.
    if (older || (built && !missing.isEmpty()))
        changes.append(missing);
    if (changes.isEmpty())
        return {};

    const QFileInfo dir(folder);
    if (!dir.isWritable())
        throw EngineError(QStringLiteral("A(z) %1 mappa adatbázisa a program egy régebbi kiadásával készült, és "
                                         "frissíteni kell, de a mappa nem írható. Kérje meg a rendszergazdát, hogy "
                                         "tegye írhatóvá, vagy indítsa a programot egy írható mappával.")
                              .arg(QDir::toNativeSeparators(folder)));
    for (const Change &c : std::as_const(changes))
        if (c.from > 0 && !QFileInfo(c.path).isWritable())
            throw EngineError(QStringLiteral("A(z) %1 tábla a program egy régebbi kiadásával készült, és frissíteni "
                                             "kell, de a fájl nem írható: %2")
                                  .arg(c.def->fileName, QDir::toNativeSeparators(c.path)));
    // An existing file as the connection's own database, the created ones attached to it.
    std::stable_partition(changes.begin(), changes.end(), [](const Change &c) { return c.from > 0; });
    Upgrade upgrade(folder, changes, step);
    return upgrade.run();
}

}  // namespace zdb
