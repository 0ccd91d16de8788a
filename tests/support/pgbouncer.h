#pragma once
// A throwaway PgBouncer in front of a PgServer: its configuration and user list in a
// temporary folder, listening on a free TCP port of 127.0.0.1, trusting the users it is
// given, as a school puts a connection pooler in front of its server. Under root it runs
// as the unprivileged user the server runs as (postgres, else nobody).
//
//     PgBouncer pooler(server);
//     if (!PgBouncer::available()) QSKIP("pgbouncer is not installed");
//     QVERIFY2(pooler.start(PgBouncer::Transaction, 10, &error), qPrintable(error));
//     pooler.connectionString("zomir", "zomir_diak");

#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

class PgServer;
class QProcess;
class QTemporaryDir;

class PgBouncer {
public:
    enum Mode { Session, Transaction };

    explicit PgBouncer(const PgServer &server);
    ~PgBouncer();  // stops the pooler
    PgBouncer(const PgBouncer &) = delete;
    PgBouncer &operator=(const PgBouncer &) = delete;

    // The pgbouncer program's path, empty when it is not installed (scripts/setup.sh
    // installs the Debian package pgbouncer).
    static QString program();
    static bool available() { return !program().isEmpty(); }

    // Starts the pooler in `mode` with at most `poolSize` server connections for each
    // database and user; the roles zomir_admin, zomir_tanar and zomir_diak may connect.
    bool start(Mode mode, int poolSize, QString *error = nullptr);
    void stop();
    bool isRunning() const;

    int port() const { return m_port; }
    // "host=127.0.0.1 port=N dbname=<db> user=<user>", through the pooler
    QString connectionString(const QString &db, const QString &user) const;

    // Runs `sql` through psql and the pooler (as `user`, on `db`), stopping at the first
    // error; `out` receives what it printed, or its error message.
    bool psql(const QString &sql, const QString &db, const QString &user = QStringLiteral("zomir_admin"),
              QString *out = nullptr) const;
    // The pooler's SHOW POOLS, one map a database and user, its columns by name
    // (cl_active, cl_waiting, sv_active, sv_idle, sv_used, maxwait…); empty on failure.
    QList<QMap<QString, QString>> pools() const;
    QString logTail(int lines = 20) const;

private:
    bool fail(const QString &message, QString *error);

    const PgServer &m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
};
