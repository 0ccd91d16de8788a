#pragma once
// A PostgreSQL database shared by a class: every table in it, reached through one
// connection that is made again when the server was lost. Statements run often are
// prepared once on the connection and kept, unless the server is reached through a
// transaction-mode pooler (ServerAddress::transactionPooler): then every statement is
// prepared, run and released within one transaction, the caller's or its own.

#include "db/storage.h"

#include <QElapsedTimer>

#include <unordered_map>

namespace zdb {

class ServerStorage : public Storage {
public:
    explicit ServerStorage(const ServerAddress &address);
    ~ServerStorage() override;

    Kind kind() const override { return Server; }
    ServerAddress serverAddress() const { return m_server; }

    QString tableKey(const TableDef &def) const override;
    QString tablePath(const TableDef &def) const override;
    bool hasTable(const TableDef &def) override;

    // Every table shares the storage's one connection, which stays for the storage's life.
    QString openTable(const TableDef &def, bool *canModify) override;
    void closeTable(const QString &connection) override;
    QSqlDatabase database(const QString &connection) override;

    // Identifiers in small letters; the row's identity is the table's own key.
    QString column(const QString &field) const override;
    QString table(const TableDef &def) const override;
    QString rowid(const TableDef &def) const override;
    bool insertReturnsRowid() const override { return true; }

    // The number of rows and the sum of their row versions' transaction ids.
    DataVersion dataVersion(const QString &connection, const TableDef &def) override;
    QString stamp() const override;
    bool countsOwnWrites() const override { return true; }
    QString readOnlyReason(const QString &tableName) const override;

    void run(const QString &connection, const QString &what, bool retry,
             const std::function<bool(QSqlQuery &)> &work) override;
    void runPrepared(const QString &connection, const QString &what, bool retry, const QString &sql,
                     const std::function<bool(QSqlQuery &)> &work) override;
    QString describe(const QSqlError &error) const override;

    void createTable(const TableDef &def) override;
    void grantRoles(const QString &studentRole, const QString &teacherRole, const QList<TableDef> &tables,
                    const QStringList &studentWritable) override;
    QString openStatementConnection(const QStringList &words, const QList<TableDef> &tables,
                                    QStringList *attachedKeys) override;
    void replaceRows(const QList<TableDef> &defs, const RowFiller &fill) override;

    // The bin of the players' table (servershapes.h sets it up).
    BinAccess binAccess(const TableDef &def) override;
    QList<DeletedRow> deletedRows(const TableDef &def, const QStringList &fields) override;
    int restoreDeletedRows(const TableDef &def, const QList<qint64> &ids) override;
    void forgetDeletedRows(const TableDef &def, const QList<qint64> &keys) override;

private:
    void inTransaction(const QString &what, const std::function<void()> &work);
    QString serverConnection();
    bool connectionAlive(QSqlDatabase &db) const;
    QString unreachable(const QString &detail) const;
    void execute(const QString &connection, const QString &what, bool retry, const QString &sql,
                 const std::function<bool(QSqlQuery &)> &work);
    QSqlQuery *keptQuery(QSqlDatabase &db, const QString &sql, QSqlError *error);
    void dropConnection(QSqlDatabase &db);
    // Through a transaction-mode pooler: whether `statement`, run by a caller's work, began
    // or ended a transaction of the caller's.
    void noteCallerTransaction(const QString &statement);

    ServerAddress m_server;
    QString m_shared;        // the server connection's name, once made
    QElapsedTimer m_lastUse; // the server connection's last successful statement
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_kept;   // prepared, by their SQL
    bool m_callerTransaction = false;  // through a transaction-mode pooler: a caller's BEGIN is open
};

// Identifiers on the server: the schema's names in small letters, quoted.
QString serverName(const QString &name);
// The PostgreSQL column type a field is stored as.
QString serverType(FieldType type);

}  // namespace zdb
