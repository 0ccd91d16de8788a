#include "db/statement.h"

#include "db/engineerror.h"
#include "db/session.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace zdb {

Statement::Statement(Session *session) : m_session(session) {}

void Statement::clear()
{
    m_sql.clear();
    m_bindings.clear();
}

void Statement::setSql(const QString &sql) { m_sql = sql; }

void Statement::bindValue(const QString &placeholder, const QVariant &value)
{
    m_bindings.insert(placeholder.startsWith(QLatin1Char(':')) ? placeholder : QLatin1Char(':') + placeholder,
                      value);
}

int Statement::execSql()
{
    if (!m_session)
        throw EngineError(QStringLiteral("Az utasításhoz nem tartozik adatbázis-munkamenet."));
    if (m_sql.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Az SQL utasítás üres."));
    std::shared_ptr<Storage> storage = m_session->storage(m_alias);

    QStringList words;
    static const QRegularExpression identifier(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
    auto it = identifier.globalMatch(m_sql);
    while (it.hasNext())
        words.append(it.next().captured(0).toLower());
    QStringList tables;   // storage keys of the tables the statement names
    const QString connection = storage->openStatementConnection(words, m_session->tableDefs(), &tables);
    if (tables.isEmpty()) {
        storage->closeTable(connection);
        throw EngineError(QStringLiteral("Az utasítás egyetlen táblát sem nevez meg a(z) %1 adatbázisban.")
                              .arg(m_alias));
    }

    // A delete from one table reports the rows it removed, so that open tables can drop
    // exactly those instead of reading everything again.
    QString sql = m_sql.trimmed();
    while (sql.endsWith(QLatin1Char(';')))
        sql.chop(1);
    const bool reportsRows = tables.size() == 1 && sql.startsWith(QLatin1String("delete"), Qt::CaseInsensitive) &&
                             !sql.contains(QLatin1String("returning"), Qt::CaseInsensitive);
    if (reportsRows) {
        QString rowid = QStringLiteral("rowid");
        for (const TableDef &def : m_session->tableDefs())
            if (storage->tableKey(def) == tables.first())
                rowid = storage->rowid(def);
        sql += QStringLiteral(" RETURNING ") + rowid;
    }
    int affected = 0;
    QSet<qint64> deleted;
    try {
        storage->run(connection, QStringLiteral("Az SQL utasítás nem hajtható végre"), false, [&](QSqlQuery &q) {
            deleted.clear();
            if (!q.prepare(sql))
                return false;
            for (auto b = m_bindings.cbegin(); b != m_bindings.cend(); ++b)
                q.bindValue(b.key(), b.value());
            if (!q.exec())
                return false;
            if (reportsRows) {
                while (q.next())
                    deleted.insert(q.value(0).toLongLong());
                if (q.lastError().isValid())
                    return false;
                affected = int(deleted.size());
            } else {
                affected = q.numRowsAffected();
            }
            q.finish();
            return true;
        });
    } catch (...) {
        storage->closeTable(connection);
        throw;
    }
    storage->closeTable(connection);
    if (reportsRows)
        m_session->rowsDeleted(tables.first(), deleted);
    else
        for (const QString &key : tables)
            m_session->refreshTablesOf(key);
    return affected;
}

}  // namespace zdb
