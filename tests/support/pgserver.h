#pragma once
// A throwaway PostgreSQL server for the tests: its own cluster in a temporary folder,
// listening on a free TCP port of 127.0.0.1 and on a unix socket in that folder, with
// trust authentication. One server per test program, started in initTestCase:
//
//     PgServer server;
//     QString error;
//     QVERIFY2(server.start(&error), qPrintable(error));
//     server.createDatabase("zomir");
//     zdb::ServerAddress::parse(server.connectionString("zomir", "zomir_admin"));
//
// The server refuses to run as root, so under root every server command runs as an
// unprivileged user (postgres, else nobody) and the folder belongs to that user. Should
// the test program die without its destructor, a small watchdog process stops the server
// and removes the folder once the program is gone.

#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

// True when nothing listens on 127.0.0.1:port at the moment (not in the Windows edition,
// whose tests reach a server started on the host).
bool localPortIsFree(int port);
// True when something accepts a connection on 127.0.0.1:port (the same).
bool localPortAccepts(int port);

class PgServer {
public:
    PgServer();
    ~PgServer();  // stops the server at once and removes its folder
    PgServer(const PgServer &) = delete;
    PgServer &operator=(const PgServer &) = delete;

    // Before start(): flush every commit to the disk as a production server does. Off by
    // default: a test has no use for surviving a crash of the machine, only of the server.
    void setDurable(bool durable) { m_durable = durable; }
    // Before start(): lines of postgresql.conf after the test server's own, which they
    // override (a benchmark's max_connections, say).
    void setExtraSettings(const QString &settings) { m_extraSettings = settings; }

    // Creates the cluster and starts the server; on failure `error` tells why, with the
    // end of the server's log.
    bool start(QString *error = nullptr);
    void stop();     // a clean shutdown
    void kill();     // an immediate stop, as a crash: no checkpoint, recovery at the next start
    bool restart();  // starts again on the same port and data; errorString() tells why not
    bool isRunning() const { return m_running; }

    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString errorString() const { return m_error; }

    // Runs `sql` (one or more statements) through psql, stopping at the first error. `out`
    // receives what the statements printed, one row a line and fields separated by "|";
    // when the script fails, it receives psql's error message instead.
    bool psql(const QString &sql, const QString &user = QStringLiteral("zomir_admin"),
              const QString &db = QStringLiteral("postgres"), QString *out = nullptr);
    bool createDatabase(const QString &name);

    // "host=127.0.0.1 port=N dbname=<db> user=<user>"
    QString connectionString(const QString &db,
                             const QString &user = QStringLiteral("zomir_admin")) const;

private:
    bool findBinaries();
    bool prepareFolder();
    bool initCluster();
    bool writeSettings();
    bool startServer();
    bool pgCtl(const QStringList &args, QString *output = nullptr);
    bool runServerCommand(const QString &program, const QStringList &args, QString *output,
                          int timeoutMs);
    void startWatchdog();
    bool fail(const QString &message);
    QString logTail(int lines = 25) const;
    QString dataDir() const;
    QString logFile() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_binDir;
    QString m_runAs;  // the unprivileged user when running as root, else empty
    QStringList m_runAsPrefix;
    int m_port = 0;
    bool m_running = false;
    bool m_durable = false;
    QString m_extraSettings;
    QString m_error;
    QByteArray m_initdbSettings;  // postgresql.conf as initdb wrote it
};
