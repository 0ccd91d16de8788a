#include "tests/support/pgbouncer.h"

#include "tests/support/pgserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace {

const QStringList SystemFolders = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin"),
                                   QStringLiteral("/bin")};

QString psqlProgram()
{
    QString psql = QStandardPaths::findExecutable(QStringLiteral("psql"));
    if (psql.isEmpty()) {
        const QDir lib(QStringLiteral("/usr/lib/postgresql"));
        for (const QString &version : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed))
            if (QFile::exists(lib.filePath(version + QStringLiteral("/bin/psql"))))
                return lib.filePath(version + QStringLiteral("/bin/psql"));
    }
    return psql;
}

}  // namespace

PgBouncer::PgBouncer(const PgServer &server) : m_server(server) {}

PgBouncer::~PgBouncer() { stop(); }

QString PgBouncer::program()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pgbouncer"));
    return onPath.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("pgbouncer"), SystemFolders) : onPath;
}

bool PgBouncer::fail(const QString &message, QString *error)
{
    if (error)
        *error = message;
    return false;
}

bool PgBouncer::isRunning() const { return m_process && m_process->state() == QProcess::Running; }

bool PgBouncer::start(Mode mode, int poolSize, QString *error)
{
    stop();
    const QString pgbouncer = program();
    if (pgbouncer.isEmpty())
        return fail(QStringLiteral("pgbouncer is not installed (scripts/setup.sh installs the package pgbouncer)"),
                    error);
    m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/zomir-pgbouncer-XXXXXX"));
    if (!m_dir->isValid())
        return fail(QStringLiteral("cannot create a folder for pgbouncer: %1").arg(m_dir->errorString()), error);

    // PgBouncer refuses to run as root: it runs as the user the tests' server runs as.
    QStringList prefix;
    if (::geteuid() == 0) {
        const passwd *user = ::getpwnam("postgres");
        if (!user)
            user = ::getpwnam("nobody");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"), SystemFolders);
        if (!user || setpriv.isEmpty())
            return fail(QStringLiteral("running as root, but there is no user postgres or nobody, or no setpriv, "
                                       "to run pgbouncer as"),
                        error);
        if (::chown(QFile::encodeName(m_dir->path()).constData(), user->pw_uid, user->pw_gid) != 0)
            return fail(QStringLiteral("cannot give %1 to the user %2").arg(m_dir->path(),
                                                                            QString::fromLocal8Bit(user->pw_name)),
                        error);
        // setpriv replaces itself with pgbouncer, so the process stopped is the pooler.
        prefix = {setpriv, QStringLiteral("--reuid=%1").arg(user->pw_uid), QStringLiteral("--regid=%1").arg(user->pw_gid),
                  QStringLiteral("--clear-groups"), QStringLiteral("--")};
    }

    QFile users(m_dir->filePath(QStringLiteral("users.txt")));
    if (!users.open(QIODevice::WriteOnly)
        || users.write("\"zomir_admin\" \"\"\n\"zomir_tanar\" \"\"\n\"zomir_diak\" \"\"\n") < 0)
        return fail(QStringLiteral("cannot write %1").arg(users.fileName()), error);
    users.close();

    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = 0;
        for (int tries = 0; tries < 200 && m_port == 0; ++tries) {
            const int port = QRandomGenerator::global()->bounded(32000, 40000);
            if (localPortIsFree(port))
                m_port = port;
        }
        if (m_port == 0)
            return fail(QStringLiteral("no free TCP port on 127.0.0.1 for pgbouncer"), error);
        QFile config(m_dir->filePath(QStringLiteral("pgbouncer.ini")));
        const QString text = QStringLiteral(
            "[databases]\n"
            "* = host=%1 port=%2\n"
            "[pgbouncer]\n"
            "listen_addr = 127.0.0.1\n"
            "listen_port = %3\n"
            "unix_socket_dir =\n"
            "auth_type = trust\n"
            "auth_file = %4\n"
            "admin_users = zomir_admin\n"
            "pool_mode = %5\n"
            "default_pool_size = %6\n"
            "max_client_conn = 2000\n"
            "query_wait_timeout = 30\n"
            "logfile = %7\n"
            "pidfile = %8\n")
            .arg(m_server.host())
            .arg(m_server.port())
            .arg(m_port)
            .arg(users.fileName())
            .arg(mode == Session ? QStringLiteral("session") : QStringLiteral("transaction"))
            .arg(poolSize)
            .arg(m_dir->filePath(QStringLiteral("pgbouncer.log")), m_dir->filePath(QStringLiteral("pgbouncer.pid")));
        if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) || config.write(text.toUtf8()) < 0)
            return fail(QStringLiteral("cannot write %1").arg(config.fileName()), error);
        config.close();
        QFile::setPermissions(config.fileName(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        QFile::setPermissions(users.fileName(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);

        m_process = std::make_unique<QProcess>();
        m_process->setWorkingDirectory(m_dir->path());
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        m_process->setStandardOutputFile(m_dir->filePath(QStringLiteral("pgbouncer.out")));
        if (prefix.isEmpty())
            m_process->start(pgbouncer, {config.fileName()});
        else
            m_process->start(prefix.first(), prefix.mid(1) + QStringList{pgbouncer, config.fileName()});
        if (!m_process->waitForStarted(10000))
            return fail(QStringLiteral("pgbouncer did not start: %1").arg(m_process->errorString()), error);
        QElapsedTimer clock;
        clock.start();
        while (isRunning() && clock.elapsed() < 10000) {
            if (localPortAccepts(m_port))
                return true;
            QThread::msleep(20);
        }
        const QString log = logTail();
        stop();
        if (!log.contains(QLatin1String("Address already in use")))
            return fail(QStringLiteral("pgbouncer did not come up on port %1:\n%2").arg(m_port).arg(log), error);
    }
    return fail(QStringLiteral("pgbouncer found no free port"), error);
}

void PgBouncer::stop()
{
    if (m_process) {
        if (m_process->state() != QProcess::NotRunning) {
            m_process->terminate();
            if (!m_process->waitForFinished(5000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
            }
        }
        m_process.reset();
    }
}

QString PgBouncer::connectionString(const QString &db, const QString &user) const
{
    return QStringLiteral("host=127.0.0.1 port=%1 dbname=%2 user=%3").arg(m_port).arg(db, user);
}

bool PgBouncer::psql(const QString &sql, const QString &db, const QString &user, QString *out) const
{
    const QString psql = psqlProgram();
    if (psql.isEmpty() || !isRunning()) {
        if (out)
            *out = QStringLiteral("no psql, or the pooler is not running");
        return false;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    p.setProcessEnvironment(env);
    p.start(psql, {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-v"),
                   QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                   QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-U"), user, QStringLiteral("-d"), db,
                   QStringLiteral("-c"), sql});
    const bool finished = p.waitForFinished(60000);
    if (!finished)
        p.kill(), p.waitForFinished(5000);
    const bool ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out)
        *out = QString::fromUtf8(ok ? p.readAllStandardOutput() : p.readAllStandardError()).trimmed();
    return ok;
}

QList<QMap<QString, QString>> PgBouncer::pools() const
{
    QList<QMap<QString, QString>> rows;
    QString text;
    if (!psql(QStringLiteral("SHOW POOLS"), QStringLiteral("pgbouncer"), QStringLiteral("zomir_admin"), &text))
        return rows;
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QStringList header = lines.first().split(QLatin1Char('|'));
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines.at(i).split(QLatin1Char('|'));
        if (cells.size() != header.size())
            continue;  // the "(n rows)" line
        QMap<QString, QString> row;
        for (int c = 0; c < header.size(); ++c)
            row.insert(header.at(c), cells.at(c));
        rows.append(row);
    }
    return rows;
}

QString PgBouncer::logTail(int lines) const
{
    if (!m_dir)
        return QString();
    QString text;
    for (const char *name : {"pgbouncer.log", "pgbouncer.out"}) {
        QFile file(m_dir->filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    QStringList all = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (all.size() > lines)
        all = all.mid(all.size() - lines);
    return all.join(QLatin1Char('\n'));
}
