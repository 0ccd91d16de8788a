#pragma once
// The engine configuration: the database aliases, the configuration file both programs
// share, and the storage each alias keeps its tables in.

#include "db/engineerror.h"
#include "db/schema.h"
#include "db/storage.h"
#include "db/tabledef.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

namespace zdb {

// The alias through which both programs reach the game's tables. Alias names compare
// without regard to case, so "DB_Zomir" names the same alias.
inline QString gameAlias() { return QStringLiteral("DB_ZOMIR"); }

class Table;

// The engine configuration: the aliases and where the configuration file lives, and the
// definitions of the tables its tables and statements are made from. Both programs
// construct a Session over the same file, so an alias saved by one is seen by the other.
class Session {
public:
    // `configFile` empty means defaultConfigFile(). The tables are the game's (schema.h)
    // unless others are given: the one place the engine is told which tables there are.
    explicit Session(const QString &configFile = QString(), QList<TableDef> tables = schema());
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // $XDG_CONFIG_HOME/zomir/tablaengine.ini when XDG_CONFIG_HOME is set, else
    // zomir/tablaengine.ini where QStandardPaths keeps configuration: ~/.config on Linux,
    // %LOCALAPPDATA% on Windows.
    static QString defaultConfigFile();
    QString configFile() const { return m_configFile; }

    bool aliasExists(const QString &alias) const;       // names compare without regard to case
    void addStandardAlias(const QString &alias, const QString &folder);
    void removeAlias(const QString &alias);            // nothing when there is no such alias
    // Points the alias at a PostgreSQL database, adding it when it is new.
    void setServerAlias(const QString &alias, const ServerAddress &server);
    void saveConfig();                                  // throws when the file cannot be written
    QString aliasPath(const QString &alias) const;      // throws for an unknown alias; empty for a server
    // "STANDARD" for a folder of table files, "POSTGRES" for a server.
    QString aliasDriver(const QString &alias) const;
    bool isServerAlias(const QString &alias) const;     // throws for an unknown alias
    ServerAddress aliasServer(const QString &alias) const;
    // Where the alias's tables are kept; made on first use and shared by its tables.
    std::shared_ptr<Storage> storage(const QString &alias);

    // The tables this session knows. A table takes its definition when it is named, so a
    // change here reaches tables named afterwards.
    const QList<TableDef> &tableDefs() const { return m_tableDefs; }
    void setTableDefs(QList<TableDef> tables) { m_tableDefs = std::move(tables); }
    // The definition of a table file name (any letter case), or nullptr.
    const TableDef *tableDef(const QString &fileName) const;

    // Tables register themselves so that statements can make them re-read changed rows.
    void registerTable(Table *table);
    void unregisterTable(Table *table);
    // Tables are named by their storage key (Storage::tableKey).
    void refreshTablesOf(const QString &tableKey);
    void rowsDeleted(const QString &tableKey, const QSet<qint64> &rowids);
    // Around a replacement of whole tables: the open tables of those keys give back their
    // connections (refused, with nothing released, while one of them is being edited), and
    // afterwards take them again and re-read their rows.
    void releaseTablesOf(const QStringList &tableKeys);
    void retakeTablesOf(const QStringList &tableKeys);

private:
    struct Alias {
        QString name;
        QString driver;
        QString path;
        ServerAddress server;
        std::shared_ptr<Storage> storage;
    };
    void load();
    const Alias &alias(const QString &name) const;
    QString m_configFile;
    QList<TableDef> m_tableDefs;
    QVector<Alias> m_aliases;
    QVector<Table *> m_tables;
};

// A program's "--server <connection>" (or "--server=<connection>") argument: points the
// game's alias at that PostgreSQL database and saves the configuration, so every later start
// of either program uses it. Returns false when the argument is absent; throws EngineError
// for a missing or malformed connection or a configuration that cannot be saved.
bool pointAliasAtServer(Session &session, const QStringList &arguments);

}  // namespace zdb
