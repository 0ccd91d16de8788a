#pragma once
// Where an alias keeps its tables, and everything that differs between the two kinds:
//   - a folder of table files (one SQLite file per table), the default, nothing to install;
//   - a PostgreSQL database shared by a class, every table of the schema in it.
// Tables and statements talk to their alias's Storage; nothing else in the programs knows
// which kind they are on.

#include "schema.h"
#include "serveraddress.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>
#include <memory>
#include <unordered_map>

class QSqlError;

namespace zdb {

// What a table's rows were read at, to tell whether another program changed them since:
// a folder's file counts the changes other connections commit (`counter`); a server's
// table gives the number of rows and the sum of their row versions' transaction ids.
struct DataVersion {
    qint64 counter = -1;
    qint64 sum = 0;
    bool operator==(const DataVersion &o) const { return counter == o.counter && sum == o.sum; }
    bool operator!=(const DataVersion &o) const { return !(*this == o); }
};

class Storage {
public:
    enum Kind { Folder, Server };

    static std::shared_ptr<Storage> folder(const QString &path);
    static std::shared_ptr<Storage> server(const ServerAddress &address);
    ~Storage();
    Storage(const Storage &) = delete;
    Storage &operator=(const Storage &) = delete;

    Kind kind() const { return m_kind; }
    bool isServer() const { return m_kind == Server; }
    QString folderPath() const { return m_path; }
    ServerAddress serverAddress() const { return m_server; }

    // The name open tables of the same stored table share, so that a statement can tell
    // them to re-read: the canonical file path, or the server and the table's name.
    QString tableKey(const TableDef &def) const;
    // The table file of a folder (another letter case on disk is tolerated).
    QString tablePath(const TableDef &def) const;
    bool hasTable(const TableDef &def);

    // A connection for one open table. A folder gives every table its own; a server's
    // tables share the storage's one connection. Throws when the table is missing.
    // `canModify` tells whether this connection may write the table: the file and its
    // folder writable, or the role's rights on the server.
    QString openTable(const TableDef &def, bool *canModify);
    void closeTable(const QString &connection);
    // The open database of a connection; a server connection that was lost is made again.
    QSqlDatabase database(const QString &connection);

    // SQL names in this kind: quoted identifiers, the table's name, the row's identity.
    QString column(const QString &field) const;
    QString table(const TableDef &def) const;
    QString rowid(const TableDef &def) const;
    // Whether an insert tells the new row's identity through RETURNING.
    bool insertReturnsRowid() const { return isServer(); }

    DataVersion dataVersion(const QString &connection, const TableDef &def);
    // The SQL of a row version's stamp (its transaction id on a server; 0 in a folder), and
    // whether a table's DataVersion is made of its rows' stamps, its own writes counted in
    // (a server's is; a file's change counter leaves a connection's own writes out).
    QString stamp() const;
    bool countsOwnWrites() const { return isServer(); }
    // Why a table this connection may not write is read-only (for the message).
    QString readOnlyReason(const QString &tableName) const;

    // Runs `work` with a query on the connection. A read (`retry`) that fails because the
    // server connection broke is repeated once on a new connection. Throws EngineError:
    // a lost server with a message naming it, otherwise `what` and the database's words.
    void run(const QString &connection, const QString &what, bool retry,
             const std::function<bool(QSqlQuery &)> &work);
    // The same for one statement `sql` given prepared to `work`, which binds, executes and
    // reads it. On a server the prepared statement is kept for the next call.
    void runPrepared(const QString &connection, const QString &what, bool retry, const QString &sql,
                     const std::function<bool(QSqlQuery &)> &work);
    // The text of a failed query as a user should read it.
    QString describe(const QSqlError &error) const;

    // Creates the table empty (an existing one of that name is replaced).
    void createTable(const TableDef &def);
    // The two login roles of a classroom server and their rights: the students' role may
    // read everything and write only the players' table; the teacher's role may write
    // every table. Roles missing are created (with LOGIN, without a password).
    void grantRoles(const QString &studentRole, const QString &teacherRole);
    // A statement run on a connection of its own, for the content tool and statements
    // that span tables. Returns the connection, to be given back with closeTable().
    QString openStatementConnection(const QStringList &tables, QStringList *attachedKeys);

private:
    explicit Storage(Kind kind);
    QString serverConnection();
    bool connectionAlive(QSqlDatabase &db) const;
    QString unreachable(const QString &detail) const;
    void execute(const QString &connection, const QString &what, bool retry, const QString &sql,
                 const std::function<bool(QSqlQuery &)> &work);
    QSqlQuery *keptQuery(QSqlDatabase &db, const QString &sql, QSqlError *error);
    void dropConnection(QSqlDatabase &db);

    Kind m_kind;
    QString m_path;
    ServerAddress m_server;
    QString m_shared;        // the server connection's name, once made
    QElapsedTimer m_lastUse; // the server connection's last successful statement
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_kept;   // prepared, by their SQL
};

}  // namespace zdb
