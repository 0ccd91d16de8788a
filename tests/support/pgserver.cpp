#include "tests/support/pgserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVersionNumber>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A socket and the address 127.0.0.1:port for it; the socket is -1 when none could be made.
int loopbackSocket(int port, sockaddr_in *addr)
{
    *addr = sockaddr_in{};
    addr->sin_family = AF_INET;
    addr->sin_port = htons(static_cast<uint16_t>(port));
    addr->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::socket(AF_INET, SOCK_STREAM, 0);
}

}  // namespace

bool localPortIsFree(int port)
{
    sockaddr_in addr;
    const int fd = loopbackSocket(port, &addr);
    if (fd < 0)
        return false;
    const bool free = ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return free;
}

bool localPortAccepts(int port)
{
    sockaddr_in addr;
    const int fd = loopbackSocket(port, &addr);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

namespace {

const int CommandTimeoutMs = 120000;
const QString AdminRole = QStringLiteral("zomir_admin");

// A port below the kernel's range for outgoing connections, so that no client socket takes
// it while the server is down between kill() and restart().
int pickPort()
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int port = QRandomGenerator::global()->bounded(20000, 32000);
        if (localPortIsFree(port))
            return port;
    }
    return 0;
}

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString quoteLiteral(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

PgServer::PgServer() = default;

PgServer::~PgServer()
{
    if (m_running)
        kill();
    // m_dir's destructor removes the cluster; the watchdog then sees the folder gone and ends.
}

bool PgServer::fail(const QString &message)
{
    m_error = message;
    return false;
}

QString PgServer::dataDir() const { return m_dir->filePath(QStringLiteral("data")); }

QString PgServer::logFile() const { return m_dir->filePath(QStringLiteral("server.log")); }

QString PgServer::logTail(int lines) const
{
    if (!m_dir)
        return QString();
    QFile file(logFile());
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no server log at %1)").arg(logFile());
    QStringList all = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    while (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    if (all.size() > lines)
        all = all.mid(all.size() - lines);
    return QStringLiteral("server log %1:\n%2").arg(logFile(), all.join(QLatin1Char('\n')));
}

bool PgServer::findBinaries()
{
    // Debian keeps each major version in /usr/lib/postgresql/<version>/bin, off the PATH.
    QVersionNumber best;
    const QDir lib(QStringLiteral("/usr/lib/postgresql"));
    for (const QString &entry : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QVersionNumber version = QVersionNumber::fromString(entry);
        if (version.isNull() || !QFileInfo(lib.filePath(entry + "/bin/initdb")).isExecutable())
            continue;
        if (best.isNull() || version > best) {
            best = version;
            m_binDir = lib.filePath(entry + "/bin");
        }
    }
    if (!m_binDir.isEmpty())
        return true;

    const QString pgConfig = QStandardPaths::findExecutable(QStringLiteral("pg_config"));
    if (!pgConfig.isEmpty()) {
        QProcess p;
        p.start(pgConfig, {QStringLiteral("--bindir")});
        if (p.waitForFinished(10000) && p.exitCode() == 0) {
            const QString dir = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
            if (QFileInfo(dir + "/initdb").isExecutable()) {
                m_binDir = dir;
                return true;
            }
        }
    }
    const QString initdb = QStandardPaths::findExecutable(QStringLiteral("initdb"));
    if (!initdb.isEmpty()) {
        m_binDir = QFileInfo(initdb).absolutePath();
        return true;
    }
    return fail(QStringLiteral(
        "PostgreSQL server programs (initdb, pg_ctl, postgres, psql) were not found in "
        "/usr/lib/postgresql/*/bin, through pg_config or on the PATH; scripts/setup.sh "
        "installs them (Debian packages postgresql and libqt6sql6-psql)."));
}

bool PgServer::prepareFolder()
{
    const bool root = ::geteuid() == 0;
    // The unix socket's path must stay short, and under root the unprivileged user must
    // reach the folder: /tmp serves both.
    QString base = QDir::tempPath();
    if (root || base.size() > 60)
        base = QStringLiteral("/tmp");
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/zomir-pg-XXXXXX"));
    if (!m_dir->isValid())
        return fail(QStringLiteral("cannot create a temporary folder for the server: %1")
                        .arg(m_dir->errorString()));
    if (!root)
        return true;

    const passwd *user = ::getpwnam("postgres");
    if (!user)
        user = ::getpwnam("nobody");
    if (!user)
        return fail(QStringLiteral("running as root, but neither the user postgres nor nobody "
                                   "exists to run the server as"));
    m_runAs = QString::fromLocal8Bit(user->pw_name);
    if (::chown(QFile::encodeName(m_dir->path()).constData(), user->pw_uid, user->pw_gid) != 0)
        return fail(QStringLiteral("cannot give %1 to the user %2").arg(m_dir->path(), m_runAs));

    const QStringList sbin = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                              QStringLiteral("/usr/bin"), QStringLiteral("/bin")};
    QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
    if (runuser.isEmpty())
        runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"), sbin);
    if (!runuser.isEmpty()) {
        m_runAsPrefix = {runuser, QStringLiteral("-u"), m_runAs, QStringLiteral("--")};
        return true;
    }
    QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"), sbin);
    if (!setpriv.isEmpty()) {
        m_runAsPrefix = {setpriv, QStringLiteral("--reuid=%1").arg(user->pw_uid),
                         QStringLiteral("--regid=%1").arg(user->pw_gid),
                         QStringLiteral("--clear-groups"), QStringLiteral("--")};
        return true;
    }
    return fail(QStringLiteral("running as root, but neither runuser nor setpriv is there to "
                               "run the server as %1 (package util-linux)").arg(m_runAs));
}

bool PgServer::runServerCommand(const QString &program, const QStringList &args,
                                QString *output, int timeoutMs)
{
    QProcess p;
    // The server's programs look at their working folder, which the unprivileged user may
    // not be allowed to enter.
    p.setWorkingDirectory(m_dir->path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("PGDATA"));
    p.setProcessEnvironment(env);
    const QString path = m_binDir + QLatin1Char('/') + program;
    if (m_runAsPrefix.isEmpty())
        p.start(path, args);
    else
        p.start(m_runAsPrefix.first(), m_runAsPrefix.mid(1) + QStringList{path} + args);
    const bool finished = p.waitForFinished(timeoutMs);
    if (!finished)
        p.kill(), p.waitForFinished(5000);
    const QString text = QString::fromLocal8Bit(p.readAll()).trimmed();
    if (output)
        *output = text;
    if (!finished)
        return fail(QStringLiteral("%1 did not finish in %2 s: %3")
                        .arg(program).arg(timeoutMs / 1000).arg(text));
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return fail(QStringLiteral("%1 failed (%2): %3")
                        .arg(program, p.error() == QProcess::FailedToStart ? p.errorString()
                                                                           : QStringLiteral("exit %1").arg(p.exitCode()),
                             text));
    return true;
}

bool PgServer::pgCtl(const QStringList &args, QString *output)
{
    return runServerCommand(QStringLiteral("pg_ctl"),
                            QStringList{QStringLiteral("-D"), dataDir()} + args, output,
                            CommandTimeoutMs);
}

bool PgServer::initCluster()
{
    const QStringList common = {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), AdminRole,
                                QStringLiteral("--auth=trust"), QStringLiteral("-E"),
                                QStringLiteral("UTF8"), QStringLiteral("--no-sync")};
    if (runServerCommand(QStringLiteral("initdb"), common + QStringList{QStringLiteral("--locale=C.UTF-8")},
                         nullptr, CommandTimeoutMs))
        return true;
    // A system without the C.UTF-8 locale: no locale at all, the text still UTF-8.
    const QString first = m_error;
    QDir(dataDir()).removeRecursively();
    if (runServerCommand(QStringLiteral("initdb"), common + QStringList{QStringLiteral("--no-locale")},
                         nullptr, CommandTimeoutMs))
        return true;
    return fail(first + QStringLiteral("\n") + m_error);
}

bool PgServer::writeSettings()
{
    // Settings after initdb's own win over them. Unless durable, nothing is flushed to the
    // disk (no use to a test, which never outlives the machine's crash); commits still
    // reach the kernel before they are acknowledged (synchronous_commit stays on), so a
    // killed server loses nothing it reported as committed.
    QFile conf(dataDir() + QStringLiteral("/postgresql.conf"));
    if (m_initdbSettings.isEmpty()) {
        if (!conf.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1").arg(conf.fileName()));
        m_initdbSettings = conf.readAll();
        conf.close();
    }
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write %1").arg(conf.fileName()));
    const QString settings = QStringLiteral(
        "\n# Test server\n"
        "port = %1\n"
        "listen_addresses = '127.0.0.1'\n"
        "unix_socket_directories = %2\n"
        "max_connections = 150\n"
        "shared_buffers = 32MB\n"
        "%3"
        "checkpoint_timeout = 30min\n"
        "max_wal_size = 1GB\n"
        "logging_collector = off\n"
        "log_min_messages = warning\n"
        "log_line_prefix = '%m [%p] '\n")
        .arg(m_port)
        .arg(quoteLiteral(m_dir->path()))
        .arg(m_durable ? QString() : QStringLiteral("fsync = off\nfull_page_writes = off\n"));
    const QString extra = m_extraSettings.isEmpty() ? QString() : QLatin1Char('\n') + m_extraSettings + QLatin1Char('\n');
    if (conf.write(m_initdbSettings + settings.toUtf8() + extra.toUtf8()) < 0)
        return fail(QStringLiteral("cannot write %1").arg(conf.fileName()));
    return true;
}

bool PgServer::startServer()
{
    QString output;
    if (pgCtl({QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"),
               QStringLiteral("-l"), logFile(), QStringLiteral("start")},
              &output)) {
        m_running = true;
        return true;
    }
    return fail(QStringLiteral("the PostgreSQL server did not start on port %1: %2\n%3")
                    .arg(m_port)
                    .arg(output, logTail()));
}

bool PgServer::start(QString *error)
{
    const auto result = [&](bool ok) {
        if (!ok && error)
            *error = m_error;
        return ok;
    };
    if (m_running)
        return result(true);
    if (!findBinaries() || !prepareFolder())
        return result(false);
    startWatchdog();
    if (!initCluster())
        return result(false);

    // Another program may take the chosen port between the look and the start: try again
    // on another one.
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = pickPort();
        if (m_port == 0)
            return result(fail(QStringLiteral("no free TCP port on 127.0.0.1")));
        if (!writeSettings())
            return result(false);
        if (startServer())
            return result(true);
        if (!logTail().contains(QLatin1String("could not bind")))
            return result(false);
    }
    return result(false);
}

void PgServer::stop()
{
    if (!m_running)
        return;
    pgCtl({QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")});
    m_running = false;
}

void PgServer::kill()
{
    if (!m_running)
        return;
    pgCtl({QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("immediate"),
           QStringLiteral("stop")});
    m_running = false;
}

bool PgServer::restart()
{
    if (!m_dir)
        return fail(QStringLiteral("the server was never started"));
    if (m_running)
        return true;
    return startServer();
}

bool PgServer::psql(const QString &sql, const QString &user, const QString &db, QString *out)
{
    if (!m_dir || m_binDir.isEmpty()) {
        if (out)
            *out = QStringLiteral("the server was never started");
        return false;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    env.insert(QStringLiteral("PGCLIENTENCODING"), QStringLiteral("UTF8"));
    p.setProcessEnvironment(env);
    p.start(m_binDir + QStringLiteral("/psql"),
            {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
             QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-At"), QStringLiteral("-h"), host(),
             QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-U"), user,
             QStringLiteral("-d"), db, QStringLiteral("-f"), QStringLiteral("-")});
    p.write(sql.toUtf8());
    p.closeWriteChannel();
    const bool finished = p.waitForFinished(CommandTimeoutMs);
    if (!finished)
        p.kill(), p.waitForFinished(5000);
    const bool ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out) {
        const QByteArray text = ok ? p.readAllStandardOutput() : p.readAllStandardError();
        *out = QString::fromUtf8(text);
        while (out->endsWith(QLatin1Char('\n')))
            out->chop(1);
        if (!finished)
            *out = QStringLiteral("psql did not finish in %1 s").arg(CommandTimeoutMs / 1000);
    }
    return ok;
}

bool PgServer::createDatabase(const QString &name)
{
    QString message;
    if (psql(QStringLiteral("CREATE DATABASE %1;").arg(quoteIdentifier(name)), AdminRole,
             QStringLiteral("postgres"), &message))
        return true;
    return fail(QStringLiteral("cannot create the database %1: %2").arg(name, message));
}

QString PgServer::connectionString(const QString &db, const QString &user) const
{
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4").arg(host()).arg(m_port).arg(db, user);
}

void PgServer::startWatchdog()
{
    // Waits, apart from this program, until the program is gone or the folder removed; when
    // the program went first (a crash, a timeout's kill), stops the server and removes the
    // folder that its destructor never reached.
    const QString script = QStringLiteral(
        "pid=$1; dir=$2; shift 2\n"
        "while kill -0 \"$pid\" 2>/dev/null && [ -d \"$dir\" ]; do sleep 1; done\n"
        "[ -f \"$dir/data/postmaster.pid\" ] && \"$@\" >/dev/null 2>&1\n"
        "[ -d \"$dir\" ] && rm -rf \"$dir\"\n");
    QStringList args = {QStringLiteral("-c"), script, QStringLiteral("pg-watchdog"),
                        QString::number(QCoreApplication::applicationPid()), m_dir->path()};
    args << m_runAsPrefix << m_binDir + QStringLiteral("/pg_ctl") << QStringLiteral("-D")
         << dataDir() << QStringLiteral("-m") << QStringLiteral("immediate")
         << QStringLiteral("-w") << QStringLiteral("stop");
    QProcess watchdog;
    watchdog.setProgram(QStringLiteral("/bin/sh"));
    watchdog.setArguments(args);
    watchdog.setStandardInputFile(QProcess::nullDevice());
    watchdog.setStandardOutputFile(QProcess::nullDevice());
    watchdog.setStandardErrorFile(QProcess::nullDevice());
    watchdog.setWorkingDirectory(QStringLiteral("/"));
    watchdog.startDetached();
}
