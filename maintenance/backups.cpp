#include "maintenance/backups.h"

#include "db/engine.h"
#include "db/tableset.h"
#include "rules/usererror.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <vector>

namespace backups {

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

const char kStampFormat[] = "yyyy-MM-dd HH-mm-ss";
constexpr int kStampLength = 19;
// A file that changed while the set was taken makes it be taken again, this many times.
constexpr int kAttempts = 5;

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

// One SQLite connection of our own to a table file, closed and removed with the object.
class FileConnection {
public:
    FileConnection(const QString &path, bool readOnly)
        : m_name(QStringLiteral("backup-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=15000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
        m_open = db.open();
        if (!m_open)
            m_error = db.lastError().text();
    }
    ~FileConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    FileConnection(const FileConnection &) = delete;
    FileConnection &operator=(const FileConnection &) = delete;

    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // What other connections committed to the file so far (SQLite's data_version).
    qint64 dataVersion()
    {
        QSqlQuery q(db());
        if (q.exec(QStringLiteral("PRAGMA data_version")) && q.next())
            return q.value(0).toLongLong();
        return -1;
    }

private:
    QString m_name;
    bool m_open = false;
    QString m_error;
};

QByteArray readContentFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QString::fromUtf8("A mentés nem olvasható: %1\n%2").arg(native(path), file.errorString()));
    return file.readAll();
}

bool removeFolder(const QString &path) { return !QFileInfo::exists(path) || QDir(path).removeRecursively(); }

}  // namespace

QString stampName(const QDateTime &when) { return when.toString(QString::fromLatin1(kStampFormat)); }

QString describe(const Backup &backup)
{
    QStringList parts;
    parts << u("%1 tábla").arg(backup.tables.size());
    if (backup.year > 0)
        parts << u("%1-os adatok").arg(backup.year);
    if (backup.players >= 0)
        parts << u("%1 tárolt játék").arg(backup.players);
    if (backup.damaged)
        parts << u("sérült");
    return u("%1 – %2").arg(backup.made.toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss")), parts.join(QStringLiteral(", ")));
}

Backups::Backups(zdb::Session *session, const QString &alias, const QString &serverRoot)
    : m_session(session), m_alias(alias), m_serverRoot(serverRoot)
{
}

bool Backups::onServer() const { return m_session->isServerAlias(m_alias); }

QString Backups::folder() const
{
    if (onServer()) {
        const zdb::ServerAddress server = m_session->aliasServer(m_alias);
        const QString root = m_serverRoot.isEmpty()
                                 ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                                 : m_serverRoot;
        // A name every file system takes: letters, digits, dots, hyphens and underscores.
        QString name = QStringLiteral("%1_%2_%3").arg(server.host).arg(server.port).arg(server.database);
        for (QChar &c : name)
            if (!c.isLetterOrNumber() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('_'))
                c = QLatin1Char('_');
        return QDir(root).filePath(QStringLiteral("mentesek/") + name);
    }
    const QString path = m_session->aliasPath(m_alias);
    if (path.isEmpty() || !QFileInfo(path).isDir())
        fail(u("A munkamappa nem található: %1").arg(native(path)));
    return path;
}

QString Backups::location() const
{
    return onServer() ? folder() : QDir(folder()).filePath(QStringLiteral("Mentesek"));
}

Backup Backups::makeServerBackup(const QDateTime &when)
{
    const QString root = folder();
    if (!QDir().mkpath(root))
        fail(u("A biztonsági mentés helye nem hozható létre: %1").arg(native(root)));
    zdb::ContentFile content;
    content.schema = zdb::schemaVersion();
    content.tables = zdb::readTables(m_session, m_alias, zdb::contentTables());
    for (const zdb::TableRows &rows : content.tables)
        if (rows.fileName == QStringLiteral("Adoev.DB") && !rows.rows.isEmpty() && !rows.rows.first().isEmpty())
            content.year = rows.rows.first().first().toInt();
    const QByteArray json = zdb::toJson(content);
    QString name = stampName(when);
    for (int n = 2; QFileInfo::exists(QDir(root).filePath(name + QStringLiteral(".json"))); ++n)
        name = stampName(when) + QStringLiteral(" (%1)").arg(n);
    const QString path = QDir(root).filePath(name + QStringLiteral(".json"));
    // Written whole or not at all.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        fail(u("A biztonsági mentés nem írható ide: %1\n%2").arg(native(path), file.errorString()));
    if (when.date() == QDate::currentDate())
        m_dailyDone = when.date();
    return read(path);
}

Backup Backups::makeBackup(const QDateTime &when)
{
    if (onServer())
        return makeServerBackup(when);
    const QString source = folder();
    const QString root = QDir(source).filePath(QStringLiteral("Mentesek"));
    if (!QDir().mkpath(root))
        fail(u("A biztonsági mentés helye nem hozható létre: %1").arg(native(root)));
    QString name = stampName(when);
    for (int n = 2; QFileInfo::exists(QDir(root).filePath(name)); ++n)
        name = stampName(when) + QStringLiteral(" (%1)").arg(n);
    const QString working = QDir(root).filePath(name + QStringLiteral(".keszul"));
    const QString target = QDir(root).filePath(name);

    // The table files there are now, each with a connection of its own kept for the whole
    // set, so that a change another program commits meanwhile is seen.
    std::shared_ptr<zdb::Storage> storage = m_session->storage(m_alias);
    struct Source {
        QString path;
        std::unique_ptr<FileConnection> connection;
    };
    std::vector<Source> files;
    for (const zdb::TableDef &def : m_session->tableDefs()) {
        const QString path = storage->tablePath(def);
        if (!QFileInfo::exists(path))
            continue;
        auto connection = std::make_unique<FileConnection>(path, true);
        if (!connection->isOpen())
            fail(u("A(z) %1 tábla nem menthető: %2").arg(def.fileName, connection->error()));
        files.push_back({path, std::move(connection)});
    }
    if (files.empty())
        fail(u("A munkamappában nincs egy tábla sem: %1").arg(native(source)));

    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!removeFolder(working) || !QDir().mkpath(working))
            fail(u("A biztonsági mentés helye nem írható: %1").arg(native(root)));
        std::vector<qint64> before;
        for (Source &file : files)
            before.push_back(file.connection->dataVersion());
        for (Source &file : files) {
            QSqlQuery q(file.connection->db());
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(QDir(working).filePath(QFileInfo(file.path).fileName()));
            if (!q.exec()) {
                const QString why = q.lastError().text();
                removeFolder(working);
                fail(u("A biztonsági mentés nem írható ide: %1\n%2").arg(native(working), why));
            }
        }
        bool unchanged = true;
        for (std::size_t i = 0; i < files.size(); ++i)
            unchanged = unchanged && files[i].connection->dataVersion() == before[i];
        if (!unchanged)
            continue;
        files.clear();
        if (!QDir().rename(working, target)) {
            removeFolder(working);
            fail(u("A biztonsági mentés nem nevezhető át: %1").arg(native(target)));
        }
        if (when.date() == QDate::currentDate())
            m_dailyDone = when.date();
        return read(target);
    }
    removeFolder(working);
    fail(u("A biztonsági mentés nem készült el: a táblák a mentés közben folyton változtak. Próbálja újra."));
}

bool Backups::ensureDailyBackup(const QDateTime &now)
{
    const QDate today = now.date();
    if (m_dailyDone == today)
        return false;
    const QString root = location();
    const QStringList made = QDir(root).entryList({stampName(QDateTime(today, QTime(0, 0))).left(10) + QLatin1Char('*')},
                                                  QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    const bool exists = std::any_of(made.begin(), made.end(),
                                    [](const QString &name) { return !name.endsWith(QStringLiteral(".keszul")); });
    if (!exists)
        makeBackup(now);
    m_dailyDone = today;
    return !exists;
}

QList<Backup> Backups::list() const
{
    QList<Backup> found;
    const QDir root(location());
    const bool server = onServer();
    for (const QString &name : root.entryList((server ? QDir::Files : QDir::Dirs) | QDir::NoDotAndDotDot)) {
        if (name.endsWith(QStringLiteral(".keszul")) || (server && !name.endsWith(QStringLiteral(".json"))))
            continue;
        if (!QDateTime::fromString(name.left(kStampLength), QString::fromLatin1(kStampFormat)).isValid())
            continue;
        found.append(read(root.filePath(name)));
    }
    std::sort(found.begin(), found.end(), [](const Backup &a, const Backup &b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return found;
}

Backup Backups::read(const QString &path)
{
    Backup backup;
    backup.path = path;
    backup.made = QDateTime::fromString(QFileInfo(path).fileName().left(kStampLength), QString::fromLatin1(kStampFormat));
    if (QFileInfo(path).isFile()) {
        backup.contentFile = true;
        try {
            const zdb::ContentFile content = zdb::fromJson(readContentFile(path));
            backup.year = content.year;
            for (const zdb::TableRows &rows : content.tables)
                backup.tables << rows.fileName;
        } catch (const std::exception &) {
            backup.damaged = true;
        }
        return backup;
    }
    const QDir dir(path);
    for (const zdb::TableDef &def : zdb::schema()) {
        QString onDisk;
        for (const QString &name : dir.entryList(QDir::Files))
            if (name.compare(def.fileName, Qt::CaseInsensitive) == 0)
                onDisk = name;
        if (onDisk.isEmpty())
            continue;
        backup.tables << onDisk;
        const bool year = def.fileName == QStringLiteral("Adoev.DB");
        const bool players = def.fileName == QStringLiteral("Jatekosok.DB");
        FileConnection file(dir.filePath(onDisk), true);
        QSqlQuery q(file.db());
        const QString sql = year ? QStringLiteral("SELECT Ev FROM %1 LIMIT 1")
                          : players ? QStringLiteral("SELECT count(*) FROM %1")
                                    : QStringLiteral("SELECT count(*) FROM %1 LIMIT 0");
        if (!file.isOpen() || !q.exec(sql.arg(zdb::quoteIdentifier(def.sqlName())))) {
            backup.damaged = true;
            continue;
        }
        if (q.next()) {
            if (year)
                backup.year = q.value(0).toInt();
            else if (players)
                backup.players = q.value(0).toInt();
        } else if (players) {
            backup.players = 0;
        }
    }
    return backup;
}

namespace {

// The tables of a folder backup, read by the engine from a copy of it, so that the backup
// itself is never written (an older one would be upgraded where it lies).
zdb::TableSet readFolderBackup(const Backup &backup, const QStringList &wanted)
{
    QStringList files;   // as named on the backup's disk
    for (const QString &name : wanted)
        for (const QString &held : backup.tables)
            if (held.compare(name, Qt::CaseInsensitive) == 0)
                files << held;
    if (files.isEmpty())
        return {};
    QTemporaryDir copy;
    for (const QString &name : files)
        if (!copy.isValid() || !QFile::copy(QDir(backup.path).filePath(name), copy.filePath(name)))
            fail(u("A mentés nem olvasható: %1").arg(native(backup.path)));
    zdb::Session session(copy.filePath(QStringLiteral("mentes.ini")));
    session.addStandardAlias(QStringLiteral("MENTES"), copy.path());
    try {
        return zdb::readTables(&session, QStringLiteral("MENTES"), files);
    } catch (const std::exception &e) {
        fail(u("A mentés sérült, nem állítható vissza: %1\n%2").arg(native(backup.path), QString::fromUtf8(e.what())));
    }
}

}  // namespace

zdb::TableSet Backups::contentOf(const Backup &backup)
{
    if (!backup.contentFile)
        return readFolderBackup(backup, zdb::contentTables());
    try {
        return zdb::fromJson(readContentFile(backup.path)).tables;
    } catch (const UserError &) {
        throw;
    } catch (const std::exception &e) {
        fail(u("A mentés sérült, nem állítható vissza: %1\n%2").arg(native(backup.path), QString::fromUtf8(e.what())));
    }
}

zdb::TableSet Backups::playersOf(const Backup &backup)
{
    if (backup.contentFile)
        return {};
    return readFolderBackup(backup, {QStringLiteral("Jatekosok.DB")});
}

}  // namespace backups
