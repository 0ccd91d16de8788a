#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace zdb {

class Session;

// One SQL statement executed against the tables of an alias. Table names in the text
// are the table files' names without extension; values are bound as parameters.
class Statement {
public:
    explicit Statement(Session *session);
    void setAliasName(const QString &alias) { m_alias = alias; }
    QString aliasName() const { return m_alias; }
    void clear();
    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    void bindValue(const QString &placeholder, const QVariant &value);
    // Runs the statement in one transaction; returns the number of rows affected.
    // Open tables over the files it touched re-read their rows.
    int execSql();

private:
    Session *m_session;
    QString m_alias;
    QString m_sql;
    QHash<QString, QVariant> m_bindings;
};

}  // namespace zdb
