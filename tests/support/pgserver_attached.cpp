// The tests' PostgreSQL server for test programs built for Windows (run under wine): the
// server cannot be started from here, so a program on the host starts it
// (tests/windows/pgserver_run) and names it in the environment:
//   ZOMIR_TEST_PGSERVER_PORT     the server's port on 127.0.0.1 (trust authentication)
//   ZOMIR_TEST_PGSERVER_CONTROL  a folder through which this side asks the host to stop the
//                                server at once ("kill") or start it again ("restart")
// Statements run through Qt's PostgreSQL driver instead of psql.

#include "tests/support/pgserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>

namespace {

const QString AdminRole = QStringLiteral("zomir_admin");

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

PgServer::PgServer() = default;
PgServer::~PgServer() = default;

bool PgServer::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool PgServer::start(QString *error)
{
    bool ok = false;
    m_port = qEnvironmentVariableIntValue("ZOMIR_TEST_PGSERVER_PORT", &ok);
    if (!ok || m_port <= 0) {
        fail(QStringLiteral("no tests' server: ZOMIR_TEST_PGSERVER_PORT is not set (the host's "
                            "pgserver_run starts one)"));
        if (error)
            *error = m_error;
        return false;
    }
    m_running = true;
    return true;
}

// Asks the host for `request` and waits for its answer.
static bool askHost(const QString &request, QString *error)
{
    const QString control = qEnvironmentVariable("ZOMIR_TEST_PGSERVER_CONTROL");
    if (control.isEmpty()) {
        *error = QStringLiteral("ZOMIR_TEST_PGSERVER_CONTROL is not set");
        return false;
    }
    const QDir dir(control);
    QFile::remove(dir.filePath(QStringLiteral("done")));
    {
        QFile file(dir.filePath(QStringLiteral("request.tmp")));
        if (!file.open(QIODevice::WriteOnly) || file.write(request.toUtf8()) < 0) {
            *error = QStringLiteral("cannot write %1").arg(file.fileName());
            return false;
        }
    }
    QFile::rename(dir.filePath(QStringLiteral("request.tmp")), dir.filePath(QStringLiteral("request")));
    QDeadlineTimer deadline(120000);
    QFile done(dir.filePath(QStringLiteral("done")));
    while (!done.exists()) {
        if (deadline.hasExpired()) {
            *error = QStringLiteral("the host did not answer \"%1\" in 120 s").arg(request);
            return false;
        }
        QThread::msleep(50);
    }
    QThread::msleep(50);  // the host writes the answer before it renames it into place
    done.open(QIODevice::ReadOnly);
    const QString answer = QString::fromUtf8(done.readAll()).trimmed();
    done.close();
    done.remove();
    if (answer != QLatin1String("ok")) {
        *error = answer;
        return false;
    }
    return true;
}

void PgServer::stop() { kill(); }

void PgServer::kill()
{
    if (!m_running)
        return;
    QString error;
    if (askHost(QStringLiteral("kill"), &error))
        m_running = false;
    else
        m_error = error;
}

bool PgServer::restart()
{
    if (m_port <= 0)
        return fail(QStringLiteral("the server was never started"));
    if (m_running)
        return true;
    QString error;
    if (!askHost(QStringLiteral("restart"), &error))
        return fail(error);
    m_running = true;
    return true;
}

bool PgServer::psql(const QString &sql, const QString &user, const QString &db, QString *out)
{
    const QString name = QStringLiteral("pgserver-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    QString text;
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        connection.setHostName(host());
        connection.setPort(m_port);
        connection.setDatabaseName(db);
        connection.setUserName(user);
        connection.setConnectOptions(QStringLiteral("connect_timeout=10"));
        if (!connection.open()) {
            text = connection.lastError().text();
        } else {
            QSqlQuery query(connection);
            ok = query.exec(sql);
            if (!ok) {
                text = query.lastError().text();
            } else {
                QStringList rows;
                while (query.isSelect() && query.next()) {
                    QStringList fields;
                    for (int i = 0; i < query.record().count(); ++i)
                        fields << query.value(i).toString();
                    rows << fields.join(QLatin1Char('|'));
                }
                text = rows.join(QLatin1Char('\n'));
            }
            connection.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (out)
        *out = text;
    return ok;
}

bool PgServer::createDatabase(const QString &name)
{
    QString message;
    if (psql(QStringLiteral("CREATE DATABASE %1").arg(quoteIdentifier(name)), AdminRole,
             QStringLiteral("postgres"), &message))
        return true;
    return fail(QStringLiteral("cannot create the database %1: %2").arg(name, message));
}

QString PgServer::connectionString(const QString &db, const QString &user) const
{
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4").arg(host()).arg(m_port).arg(db, user);
}
