#include "maintenance/backups.h"

#include "db/engine.h"
#include "rules/usererror.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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

Backups::Backups(zdb::Session *session, const QString &alias) : m_session(session), m_alias(alias) {}

QString Backups::folder() const
{
    const QString path = m_session->aliasPath(m_alias);
    if (path.isEmpty() || !QFileInfo(path).isDir())
        fail(u("A munkamappa nem található: %1").arg(native(path)));
    return path;
}

QString Backups::location() const { return QDir(folder()).filePath(QStringLiteral("Mentesek")); }

Backup Backups::makeBackup(const QDateTime &when)
{
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
    const QStringList made =
        QDir(root).entryList({stampName(QDateTime(today, QTime(0, 0))).left(10) + QLatin1Char('*')}, QDir::Dirs);
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
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name.endsWith(QStringLiteral(".keszul")))
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

}  // namespace backups
