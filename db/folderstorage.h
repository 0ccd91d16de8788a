#pragma once
// A folder of table files: one SQLite file per table, named as the table's definition
// names it ("Hazak.DB"). The default kind of storage, nothing to install.

#include "db/storage.h"

namespace zdb {

class FolderStorage : public Storage {
public:
    explicit FolderStorage(const QString &path);

    Kind kind() const override { return Folder; }
    QString folderPath() const { return m_path; }

    QString tableKey(const TableDef &def) const override;
    QString tablePath(const TableDef &def) const override;
    bool hasTable(const TableDef &def) override;

    // Every table has a connection of its own.
    QString openTable(const TableDef &def, bool *canModify) override;
    void closeTable(const QString &connection) override;
    QSqlDatabase database(const QString &connection) override;

    QString column(const QString &field) const override;
    QString table(const TableDef &def) const override;
    QString rowid(const TableDef &def) const override;
    bool insertReturnsRowid() const override { return false; }

    // The file's change counter, which counts what other connections commit.
    DataVersion dataVersion(const QString &connection, const TableDef &def) override;
    QString stamp() const override;
    bool countsOwnWrites() const override { return false; }
    QString positionalOrder(const TableDef &def, const QVector<int> &fields, bool descending) const override;
    QString readOnlyReason(const QString &tableName) const override;

    void run(const QString &connection, const QString &what, bool retry,
             const std::function<bool(QSqlQuery &)> &work) override;
    void runPrepared(const QString &connection, const QString &what, bool retry, const QString &sql,
                     const std::function<bool(QSqlQuery &)> &work) override;
    QString describe(const QSqlError &error) const override;

    void createTable(const TableDef &def) override;
    void grantRoles(const QString &studentRole, const QString &teacherRole, const QList<TableDef> &tables,
                    const QStringList &studentWritable) override;
    // The table files of the folder the statement names, attached under their own names to
    // one connection, so the statement can refer to them as if they were one database.
    QString openStatementConnection(const QStringList &words, const QList<TableDef> &tables,
                                    QStringList *attachedKeys) override;
    void replaceRows(const QList<TableDef> &defs, const RowFiller &fill) override;

private:
    QString m_path;
};

// Ends a replacement of whole tables (FolderStorage::replaceRows) that a program killed on
// the way left in `folder`: one whose journal is complete is finished, any other undone,
// and the files it left are removed. Called whenever a folder is opened. Throws EngineError
// when a file cannot be moved.
void finishReplacement(const QString &folder);

// The SQLite column type a field is stored as in a table file.
QString sqliteColumnType(FieldType type);
// The statements that create the table and its indexes in a table file, in the attached
// database `database` when it is not empty; the file's user_version is stamped separately.
QStringList sqliteCreateStatements(const TableDef &def, const QString &database = QString());

// Creates an empty table file from its definition in `folder` (which must exist), stamped
// with the version of its shape. An existing file of that name is replaced. Throws
// EngineError on failure.
void createTable(const QString &folder, const TableDef &def);

}  // namespace zdb
