#pragma once
// Where an alias keeps its tables: the interface tables and statements talk to, behind
// which everything differs between the two kinds:
//   - FolderStorage (folderstorage.h): a folder of table files, one SQLite file per table,
//     the default, nothing to install;
//   - ServerStorage (serverstorage.h): a PostgreSQL database shared by a class, every table
//     in it.
// Nothing else in the programs knows which kind they are on.

#include "db/tabledef.h"
#include "db/serveraddress.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

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

// A row of a table deleted on a server, as the server's bin of deleted rows keeps it.
struct DeletedRow {
    qint64 id = 0;          // the bin's own number of the row
    QDateTime deletedAt;    // when it was deleted (local time)
    QStringList texts;      // the fields asked for, as text; empty for an empty value
};

class Storage {
public:
    enum Kind { Folder, Server };

    static std::shared_ptr<Storage> folder(const QString &path);
    static std::shared_ptr<Storage> server(const ServerAddress &address);
    virtual ~Storage();
    Storage(const Storage &) = delete;
    Storage &operator=(const Storage &) = delete;

    // Which kind this is, for callers that report it; the storage's own work never asks.
    virtual Kind kind() const = 0;
    bool isServer() const { return kind() == Server; }

    // The name open tables of the same stored table share, so that a statement can tell
    // them to re-read: the canonical file path, or the server and the table's name.
    virtual QString tableKey(const TableDef &def) const = 0;
    // The table file of a folder (another letter case on disk is tolerated); empty on a server.
    virtual QString tablePath(const TableDef &def) const = 0;
    virtual bool hasTable(const TableDef &def) = 0;

    // A connection for one open table. A folder gives every table its own; a server's
    // tables share the storage's one connection. Throws when the table is missing.
    // `canModify` tells whether this connection may write the table: the file and its
    // folder writable, or the role's rights on the server.
    virtual QString openTable(const TableDef &def, bool *canModify) = 0;
    virtual void closeTable(const QString &connection) = 0;
    // The open database of a connection; a server connection that was lost is made again.
    virtual QSqlDatabase database(const QString &connection) = 0;

    // SQL names in this kind: quoted identifiers, the table's name, the row's identity.
    virtual QString column(const QString &field) const = 0;
    virtual QString table(const TableDef &def) const = 0;
    virtual QString rowid(const TableDef &def) const = 0;
    // Whether an insert tells the new row's identity through RETURNING.
    virtual bool insertReturnsRowid() const = 0;

    virtual DataVersion dataVersion(const QString &connection, const TableDef &def) = 0;
    // The SQL of a row version's stamp (its transaction id on a server; 0 in a folder), and
    // whether a table's DataVersion is made of its rows' stamps, its own writes counted in
    // (a server's is; a file's change counter leaves a connection's own writes out).
    virtual QString stamp() const = 0;
    virtual bool countsOwnWrites() const = 0;
    // The SQL order (what follows ORDER BY) that gives a table's rows in the engine's own
    // order by `fields` (stored field indexes; none: the stored order), the rows' identity
    // last, when the storage can follow it without sorting the table (an index of that
    // order) and its DataVersion does not need every row; empty otherwise. A table in such
    // an order is read by position, a page at a time, without reading every row's keys.
    // `descending` gives the reverse order.
    virtual QString positionalOrder(const TableDef &def, const QVector<int> &fields, bool descending) const;
    // Why a table this connection may not write is read-only (for the message).
    virtual QString readOnlyReason(const QString &tableName) const = 0;

    // Runs `work` with a query on the connection. A read (`retry`) that fails because the
    // server connection broke is repeated once on a new connection. Throws EngineError:
    // a lost server with a message naming it, otherwise `what` and the database's words.
    virtual void run(const QString &connection, const QString &what, bool retry,
                     const std::function<bool(QSqlQuery &)> &work) = 0;
    // The same for one statement `sql` given prepared to `work`, which binds, executes and
    // reads it. On a server the prepared statement is kept for the next call.
    virtual void runPrepared(const QString &connection, const QString &what, bool retry, const QString &sql,
                             const std::function<bool(QSqlQuery &)> &work) = 0;
    // The text of a failed query as a user should read it.
    virtual QString describe(const QSqlError &error) const = 0;

    // Creates the table empty (an existing one of that name is replaced).
    virtual void createTable(const TableDef &def) = 0;
    // The two login roles of a classroom server and their rights on `tables`: the students'
    // role may read them all and write only those named in `studentWritable` (file names,
    // any letter case); the teacher's role may write every one. Roles missing are created
    // (with LOGIN, without a password). A folder has no roles: nothing to do there.
    virtual void grantRoles(const QString &studentRole, const QString &teacherRole, const QList<TableDef> &tables,
                            const QStringList &studentWritable) = 0;
    // A statement run on a connection of its own, for the content tool and statements
    // that span tables. `words` are the statement's words in small letters; `attachedKeys`
    // gets the keys (tableKey) of the tables among `tables` it names. Returns the
    // connection, to be given back with closeTable().
    virtual QString openStatementConnection(const QStringList &words, const QList<TableDef> &tables,
                                            QStringList *attachedKeys) = 0;

    // The bin of a table's deleted rows. A server keeps every deleted row of the players'
    // table for binKeepDays days, readable by the teacher's role only; a folder keeps none.
    enum class BinAccess {
        NoBin,     // this kind keeps no deleted rows
        Missing,   // a server whose bin has not been set up yet (the content tool sets it up)
        Denied,    // this role may not read it
        Allowed,
    };
    static constexpr int binKeepDays = 30;
    virtual BinAccess binAccess(const TableDef &def);
    // The rows kept, the latest deleted first, after those older than binKeepDays are
    // dropped; `fields` are the table's fields each row gives as text. Throws EngineError.
    virtual QList<DeletedRow> deletedRows(const TableDef &def, const QStringList &fields);
    // Puts the bin's rows `ids` back into the table with their values (their key kept when
    // no row has it, else a new one) and takes them out of the bin, in one transaction.
    // Returns how many came back. Open tables are not told: the caller refreshes them.
    virtual int restoreDeletedRows(const TableDef &def, const QList<qint64> &ids);
    // Drops from the bin the rows whose key is among `keys` (rows that were not lost but
    // moved elsewhere, as into an archive file).
    virtual void forgetDeletedRows(const TableDef &def, const QList<qint64> &keys);

    // Replaces every row of the tables `defs`, all of them or none, also when the program is
    // killed on the way: `fill(i, db, table)` inserts the new rows of defs[i] through `db`
    // into the SQL table `table` (throwing EngineError refuses them). A server does it in one
    // transaction; a folder fills new files beside the old and puts them in place by renames
    // it records in a journal first (finishReplacement() ends an interrupted one). The
    // program's own open tables of `defs` must have given back their connections. Throws
    // EngineError, and then nothing is changed.
    using RowFiller = std::function<void(int index, QSqlDatabase &db, const QString &table)>;
    virtual void replaceRows(const QList<TableDef> &defs, const RowFiller &fill) = 0;
    // A step of a replacement where a test may have the program killed: when the
    // environment's ZOMIR_TEST_STOP_AT names `step`, the process ends at once, as if killed.
    static void testStop(const QString &step);

protected:
    Storage() = default;
    // A connection name no other connection of the program has.
    static QString newConnectionName(const char *prefix);
};

}  // namespace zdb
