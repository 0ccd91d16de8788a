#include "db/session.h"

#include "db/fieldvalue.h"
#include "db/folderstorage.h"
#include "db/table.h"
#include "db/servershapes.h"
#include "db/upgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>

namespace zdb {

namespace {

const QString kStandardDriver = QStringLiteral("STANDARD");
const QString kServerDriver = QStringLiteral("POSTGRES");

}  // namespace

bool pointAliasAtServer(Session &session, const QStringList &arguments)
{
    QString connection;
    bool given = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--server")) {
            if (i + 1 >= arguments.size())
                throw EngineError(QStringLiteral("A --server kapcsoló után meg kell adni a kiszolgálót, például: "
                                                 "--server \"host=tanari-gep dbname=zomir user=zomir_diak\""));
            connection = arguments[++i];
            given = true;
        } else if (a.startsWith(QLatin1String("--server="))) {
            connection = a.mid(9);
            given = true;
        }
    }
    if (!given)
        return false;
    session.setServerAlias(gameAlias(), ServerAddress::parse(connection));
    session.saveConfig();
    return true;
}

Session::Session(const QString &configFile, QList<TableDef> tables)
    : m_configFile(configFile.isEmpty() ? defaultConfigFile() : configFile), m_tableDefs(std::move(tables))
{
    load();
}

Session::~Session()
{
    for (Table *t : m_tables)
        t->m_session = nullptr;
}

QString Session::defaultConfigFile()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zomir/tablaengine.ini");
}

void Session::load()
{
    m_aliases.clear();
    QFile file(m_configFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    Alias *current = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            m_aliases.append(Alias{line.mid(1, line.size() - 2).trimmed(), kStandardDriver, QString(), {}, {}});
            current = &m_aliases.last();
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toUpper();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("DRIVER"))
            current->driver = value;
        else if (key == QLatin1String("PATH"))
            current->path = value;
        else if (key == QLatin1String("HOST"))
            current->server.host = value;
        else if (key == QLatin1String("PORT"))
            current->server.port = value.toInt();
        else if (key == QLatin1String("DATABASE"))
            current->server.database = value;
        else if (key == QLatin1String("USER"))
            current->server.user = value;
        else if (key == QLatin1String("POOLER"))
            current->server.transactionPooler = value.compare(QLatin1String("transaction"), Qt::CaseInsensitive) == 0;
    }
}

const Session::Alias &Session::alias(const QString &name) const
{
    for (const Alias &a : m_aliases)
        if (a.name.compare(name, Qt::CaseInsensitive) == 0)
            return a;
    throw EngineError(QStringLiteral("Ismeretlen adatbázis-alias: %1").arg(name));
}

bool Session::aliasExists(const QString &alias) const
{
    for (const Alias &a : m_aliases)
        if (a.name.compare(alias, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void Session::addStandardAlias(const QString &alias, const QString &folder)
{
    const QString name = alias.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('[')) || name.contains(QLatin1Char(']')))
        throw EngineError(QStringLiteral("Érvénytelen adatbázis-alias név: %1").arg(quoted(alias)));
    if (aliasExists(name))
        throw EngineError(QStringLiteral("Az adatbázis-alias már létezik: %1").arg(name));
    if (folder.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Az adatbázis-alias %1 mappája nincs megadva.").arg(name));
    m_aliases.append(Alias{name, kStandardDriver, QDir(folder).absolutePath(), {}, {}});
}

void Session::removeAlias(const QString &alias)
{
    const QString key = alias.trimmed();
    m_aliases.erase(std::remove_if(m_aliases.begin(), m_aliases.end(),
                                   [&key](const Alias &a) { return a.name.compare(key, Qt::CaseInsensitive) == 0; }),
                    m_aliases.end());
}

void Session::setServerAlias(const QString &alias, const ServerAddress &server)
{
    const QString name = alias.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('[')) || name.contains(QLatin1Char(']')))
        throw EngineError(QStringLiteral("Érvénytelen adatbázis-alias név: %1").arg(quoted(alias)));
    if (server.database.isEmpty())
        throw EngineError(QStringLiteral("Az adatbázis-alias %1 kiszolgálóján nincs megadva az adatbázis.").arg(name));
    for (Alias &a : m_aliases) {
        if (a.name.compare(name, Qt::CaseInsensitive) == 0) {
            a.driver = kServerDriver;
            a.path.clear();
            a.server = server;
            a.storage.reset();
            return;
        }
    }
    m_aliases.append(Alias{name, kServerDriver, QString(), server, {}});
}

void Session::saveConfig()
{
    const QFileInfo info(m_configFile);
    if (!QDir().mkpath(info.absolutePath()))
        throw EngineError(QStringLiteral("A tábla-motor beállításai nem menthetők: a mappa nem hozható "
                                         "létre (%1).")
                              .arg(info.absolutePath()));
    QSaveFile file(m_configFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EngineError(QStringLiteral("A tábla-motor beállításai nem menthetők: %1\n%2")
                              .arg(m_configFile, file.errorString()));
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    out << "; Database aliases of the zomir table engine\n";
    for (const Alias &a : m_aliases) {
        out << '[' << a.name << "]\nDRIVER=" << a.driver << '\n';
        if (a.driver.compare(kServerDriver, Qt::CaseInsensitive) == 0)
            out << "HOST=" << a.server.host << "\nPORT=" << a.server.port << "\nDATABASE=" << a.server.database
                << "\nUSER=" << a.server.user << '\n' << (a.server.transactionPooler ? "POOLER=transaction\n\n" : "\n");
        else
            out << "PATH=" << a.path << "\n\n";
    }
    out.flush();
    if (!file.commit())
        throw EngineError(QStringLiteral("A tábla-motor beállításai nem menthetők: %1\n%2")
                              .arg(m_configFile, file.errorString()));
}

QString Session::aliasPath(const QString &name) const { return alias(name).path; }

QString Session::aliasDriver(const QString &name) const { return alias(name).driver; }

bool Session::isServerAlias(const QString &name) const
{
    return alias(name).driver.compare(kServerDriver, Qt::CaseInsensitive) == 0;
}

ServerAddress Session::aliasServer(const QString &name) const { return alias(name).server; }

std::shared_ptr<Storage> Session::storage(const QString &name)
{
    const Alias &found = alias(name);
    Alias &a = const_cast<Alias &>(found);
    if (!a.storage) {
        if (a.driver.compare(kServerDriver, Qt::CaseInsensitive) == 0) {
            // A classroom server is upgraded by the content tool; the programs check it.
            std::shared_ptr<Storage> server = Storage::server(a.server);
            checkServerShapes(*server, m_tableDefs, a.server.displayName());
            a.storage = server;
        } else if (a.driver.compare(kStandardDriver, Qt::CaseInsensitive) == 0) {
            // A folder made by an older program is brought to today's shapes before any
            // table of it is read; a newer one is refused.
            finishReplacement(a.path);
            upgradeFolder(a.path, m_tableDefs);
            a.storage = Storage::folder(a.path);
        } else
            throw EngineError(QStringLiteral("Az adatbázis-alias %1 meghajtója nem támogatott: %2")
                                  .arg(a.name, a.driver));
    }
    return a.storage;
}

const TableDef *Session::tableDef(const QString &fileName) const
{
    for (const TableDef &def : m_tableDefs)
        if (def.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &def;
    return nullptr;
}

void Session::registerTable(Table *table)
{
    if (!m_tables.contains(table))
        m_tables.append(table);
}

void Session::unregisterTable(Table *table) { m_tables.removeAll(table); }

void Session::refreshTablesOf(const QString &tableKey)
{
    const QVector<Table *> tables = m_tables;
    for (Table *t : tables)
        if (t->active() && t->storageKey() == tableKey)
            t->refresh();
}

void Session::rowsDeleted(const QString &tableKey, const QSet<qint64> &rowids)
{
    if (rowids.isEmpty())
        return;
    const QVector<Table *> tables = m_tables;
    for (Table *t : tables)
        if (t->active() && t->storageKey() == tableKey)
            t->forgetRows(rowids);
}

void Session::releaseTablesOf(const QStringList &tableKeys)
{
    const QVector<Table *> tables = m_tables;
    for (Table *t : tables)
        if (t->active() && tableKeys.contains(t->storageKey()) && t->editing())
            throw EngineError(QStringLiteral("A(z) %1 tábla egy sora szerkesztés alatt áll: előbb mentsd vagy vesd el "
                                             "a változtatást.")
                                  .arg(t->tableName()));
    for (Table *t : tables)
        if (t->active() && tableKeys.contains(t->storageKey()))
            t->releaseConnection();
}

void Session::retakeTablesOf(const QStringList &tableKeys)
{
    const QVector<Table *> tables = m_tables;
    QString failed;
    for (Table *t : tables) {
        if (!t->active() || !tableKeys.contains(t->storageKey()))
            continue;
        try {
            t->retakeConnection();
        } catch (const EngineError &e) {
            if (failed.isEmpty())
                failed = e.message();
        }
    }
    if (!failed.isEmpty())
        throw EngineError(failed);
}

}  // namespace zdb
