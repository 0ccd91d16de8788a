#include "data/builder/playerstable.h"

#include "db/schema.h"
#include "rules/usererror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <stdexcept>

namespace content {

namespace {

const QString kPlayersFile = QStringLiteral("Jatekosok.DB");
// Files SQLite keeps beside a database while it writes it.
const char *const kSideFiles[] = {"-journal", "-wal", "-shm"};
// Past the last key known, keys are tried one by one until this many in a row are missing.
constexpr qint64 kProbeWindow = 1000;
// An upper bound on keys tried, so that a nonsense key read from a damaged page cannot keep
// the tool busy for long.
constexpr qint64 kMostProbes = 2000000;

const zdb::TableDef &playersDef()
{
    const zdb::TableDef *def = zdb::findTable(kPlayersFile);
    if (!def)
        fail(QStringLiteral("A játékosok táblája hiányzik a sémából."));
    return *def;
}

QString sqliteText(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

// One SQLite connection to a file, removed when it goes out of scope.
class Connection {
public:
    Connection(const QString &path, const QString &options = QString())
        : m_name(QStringLiteral("zomir-data-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        m_open = db.open();
        if (!m_open)
            m_error = sqliteText(db.lastError());
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_open = false;
    QString m_error;
};

// The tables of the file; false (with the reason) when its schema cannot be read.
bool tableNames(const Connection &c, QStringList *names, QString *error)
{
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"))) {
        *error = sqliteText(q.lastError());
        return false;
    }
    while (q.next())
        names->append(q.value(0).toString());
    if (q.lastError().isValid()) {
        *error = sqliteText(q.lastError());
        return false;
    }
    return true;
}

QString playersTableIn(const QStringList &names)
{
    const QString wanted = playersDef().sqlName();
    for (const QString &n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

QStringList columnsOf(const Connection &c, const QString &table)
{
    QStringList columns;
    QSqlQuery q(c.db());
    if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(zdb::quoteIdentifier(table))))
        while (q.next())
            columns.append(q.value(1).toString());
    return columns;
}

}  // namespace

PlayersTableCheck checkPlayersTable(const QString &path)
{
    PlayersTableCheck result;
    const auto damaged = [&](const QString &reason) {
        result.damaged = true;
        result.reason = reason;
        return result;
    };
    if (QFileInfo(path).size() == 0)
        return damaged(QStringLiteral("a fájl üres"));
    Connection c(path);
    if (!c.isOpen())
        return damaged(QStringLiteral("a fájl nem nyitható meg adatbázisként (%1)").arg(c.error()));
    QStringList names;
    QString error;
    if (!tableNames(c, &names, &error)) {
        if (error.contains(QLatin1String("not a database"), Qt::CaseInsensitive))
            return damaged(QStringLiteral("a fájl nem SQLite-adatbázis (%1)").arg(error));
        return damaged(QStringLiteral("a fájl tartalma sérült vagy csonka (%1)").arg(error));
    }
    const QString table = playersTableIn(names);
    if (table.isEmpty()) {
        if (names.isEmpty())
            return damaged(QStringLiteral("a fájlban nincs tábla"));
        return damaged(QStringLiteral("a fájl nem a játékosok táblája, hanem a(z) %1 tábláé")
                           .arg(names.join(QStringLiteral(", "))));
    }
    const QStringList columns = columnsOf(c, table);
    // A table of an older shape lacks the fields added since: the upgrade adds them.
    const zdb::TableDef &def = playersDef();
    QStringList missing;
    for (const zdb::FieldDef &fd : def.fields) {
        const bool addedLater = std::any_of(def.added.begin(), def.added.end(), [&](const zdb::AddedField &a) {
            return a.name.compare(fd.name, Qt::CaseInsensitive) == 0;
        });
        if (!addedLater && !columns.contains(fd.name, Qt::CaseInsensitive))
            missing.append(fd.name);
    }
    if (!missing.isEmpty())
        return damaged(QStringLiteral("a táblából hiányzik: %1").arg(missing.join(QStringLiteral(", "))));
    QSqlQuery q(c.db());
    if (!q.exec(QStringLiteral("PRAGMA quick_check")))
        return damaged(QStringLiteral("a fájl tartalma sérült vagy csonka (%1)").arg(sqliteText(q.lastError())));
    QStringList problems;
    while (q.next())
        problems.append(q.value(0).toString());
    if (q.lastError().isValid())
        return damaged(QStringLiteral("a fájl tartalma sérült vagy csonka (%1)").arg(sqliteText(q.lastError())));
    if (problems != QStringList{QStringLiteral("ok")})
        return damaged(QStringLiteral("a fájl tartalma sérült (%1)").arg(problems.value(0)));
    return result;
}

QString setDamagedTableAside(const QString &path)
{
    const QFileInfo info(path);
    const QDir dir = info.absoluteDir();
    const QString base = QStringLiteral("Jatekosok.serult-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const auto taken = [&](const QString &name) {
        if (dir.exists(name))
            return true;
        for (const char *side : kSideFiles)
            if (dir.exists(name + QLatin1String(side)))
                return true;
        return false;
    };
    QString name = base + QStringLiteral(".DB");
    for (int n = 2; taken(name); ++n)
        name = QStringLiteral("%1-%2.DB").arg(base).arg(n);
    const QString target = dir.filePath(name);
    if (!QFile::rename(info.absoluteFilePath(), target))
        fail(QStringLiteral("A sérült játékostábla (%1) nem tehető félre %2 néven; a mappának írhatónak kell "
                            "lennie.")
                 .arg(QDir::toNativeSeparators(info.absoluteFilePath()), name));
    // A journal left beside the name would be applied to the fresh table made under it.
    for (const char *side : kSideFiles) {
        const QString from = info.absoluteFilePath() + QLatin1String(side);
        if (QFileInfo::exists(from) && !QFile::rename(from, target + QLatin1String(side)))
            fail(QStringLiteral("A sérült játékostábla naplófájlja (%1) nem tehető félre.")
                     .arg(QDir::toNativeSeparators(from)));
    }
    return target;
}

int copyReadableGames(const QString &damagedPath, const QString &freshPath)
{
    const zdb::TableDef &def = playersDef();
    QMap<qint64, QVariantList> games;   // by key
    QStringList shared;                 // the schema's fields the damaged table has, as named there
    QList<int> fieldIndexes;            // their places in the schema
    // A file cut short ends in part of a page, whose missing end would read as zeros inside
    // its rows: only whole pages are read, from a copy without that part.
    QTemporaryDir scratch;
    QString readable = damagedPath;
    {
        QFile file(damagedPath);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray header = file.read(100);
        if (header.size() < 100)
            return 0;
        qint64 pageSize = (uchar(header[16]) << 8) | uchar(header[17]);
        if (pageSize == 1)
            pageSize = 65536;
        if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
            return 0;
        const qint64 whole = file.size() / pageSize * pageSize;
        if (whole != file.size()) {
            if (!scratch.isValid())
                return 0;
            readable = scratch.filePath(QStringLiteral("whole-pages.db"));
            QFile copy(readable);
            if (!copy.open(QIODevice::WriteOnly) || !file.seek(0))
                return 0;
            for (qint64 left = whole; left > 0;) {
                const QByteArray chunk = file.read(qMin<qint64>(left, 1 << 20));
                if (chunk.isEmpty() || copy.write(chunk) != chunk.size())
                    return 0;
                left -= chunk.size();
            }
        }
    }
    {
        // The size the file's header states is not trusted: what is there is read, page by
        // page, and a damaged page stops only the rows it holds.
        Connection c(readable, QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!c.isOpen())
            return 0;
        QSqlQuery(c.db()).exec(QStringLiteral("PRAGMA writable_schema = ON"));
        QStringList names;
        QString error;
        if (!tableNames(c, &names, &error))
            return 0;
        const QString table = playersTableIn(names);
        if (table.isEmpty())
            return 0;
        const QStringList columns = columnsOf(c, table);
        const int key = def.autoIncIndex();
        for (int i = 0; i < def.fields.size(); ++i) {
            if (i == key)
                continue;
            for (const QString &column : columns) {
                if (column.compare(def.fields[i].name, Qt::CaseInsensitive) == 0) {
                    shared.append(zdb::quoteIdentifier(column));
                    fieldIndexes.append(i);
                }
            }
        }
        if (shared.isEmpty())
            return 0;
        const QString select = QStringLiteral("SELECT rowid, %1 FROM %2")
                                   .arg(shared.join(QStringLiteral(", ")), zdb::quoteIdentifier(table));
        const int name = fieldIndexes.indexOf(def.fieldIndex(QStringLiteral("Nev")));
        // What a cut page shows where its rows were (zeros) reads as a row without a key or
        // a name: no stored game has those.
        const auto keep = [&](qint64 rowid, const QSqlQuery &q) {
            QVariantList values;
            bool any = false;
            for (int i = 0; i < shared.size(); ++i) {
                values.append(q.value(i + 1));
                any = any || !values.last().isNull();
            }
            if (rowid <= 0 || !any || (name >= 0 && values[name].toString().isEmpty()))
                return false;
            games.insert(rowid, values);
            return true;
        };

        // In key order, as far as the pages allow.
        bool whole = false;
        qint64 highest = 0;
        {
            QSqlQuery q(c.db());
            q.setForwardOnly(true);
            if (q.exec(select + QStringLiteral(" ORDER BY rowid"))) {
                while (q.next()) {
                    const qint64 rowid = q.value(0).toLongLong();
                    if (keep(rowid, q))
                        highest = qMax(highest, rowid);
                }
                whole = !q.lastError().isValid();
            }
        }
        if (!whole) {
            // Past a damaged page, each key is asked for on its own: a row on a sound page
            // is found whatever pages lie between. The highest key the table gave out says
            // how far to go.
            QSqlQuery q(c.db());
            if (q.exec(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = '%1'").arg(table)) && q.next())
                highest = qMax(highest, q.value(0).toLongLong());
            if (q.exec(QStringLiteral("SELECT max(rowid) FROM %1").arg(zdb::quoteIdentifier(table))) && q.next())
                highest = qMax(highest, q.value(0).toLongLong());
            QSqlQuery one(c.db());
            one.setForwardOnly(true);
            one.prepare(select + QStringLiteral(" WHERE rowid = ?"));
            qint64 lastFound = highest;
            for (qint64 rowid = 1, tries = 0; rowid <= qMax(highest, lastFound) + kProbeWindow && tries < kMostProbes;
                 ++rowid, ++tries) {
                if (games.contains(rowid))
                    continue;
                one.bindValue(0, rowid);
                if (one.exec() && one.next() && keep(rowid, one))
                    lastFound = qMax(lastFound, rowid);
                one.finish();
            }
        }
    }
    if (games.isEmpty())
        return 0;

    Connection fresh(freshPath);
    if (!fresh.isOpen())
        fail(QStringLiteral("Az új játékostábla nem nyitható meg: %1\n%2")
                 .arg(QDir::toNativeSeparators(freshPath), fresh.error()));
    QSqlDatabase db = fresh.db();
    QStringList columns{zdb::quoteIdentifier(def.fields[def.autoIncIndex()].name)};
    QStringList marks{QStringLiteral("?")};
    for (int index : fieldIndexes) {
        columns.append(zdb::quoteIdentifier(def.fields[index].name));
        marks.append(QStringLiteral("?"));
    }
    const auto refuse = [&](const QSqlError &error) {
        fail(QStringLiteral("A megmentett játékok nem írhatók az új játékostáblába (%1): %2")
                 .arg(QDir::toNativeSeparators(freshPath), sqliteText(error)));
    };
    if (!db.transaction())
        refuse(db.lastError());
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(zdb::quoteIdentifier(def.sqlName()), columns.join(QStringLiteral(", ")),
                                 marks.join(QStringLiteral(", ")))))
        refuse(insert.lastError());
    for (auto it = games.cbegin(); it != games.cend(); ++it) {
        insert.bindValue(0, it.key());
        for (int i = 0; i < it.value().size(); ++i)
            insert.bindValue(i + 1, it.value()[i]);
        if (!insert.exec())
            refuse(insert.lastError());
    }
    insert.finish();
    if (!db.commit())
        refuse(db.lastError());
    return int(games.size());
}

}  // namespace content
