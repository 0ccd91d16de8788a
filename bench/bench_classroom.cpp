// A class on one PostgreSQL server: thirty player programs at once, each on its own
// connection, each storing fifty evaluations (a new row posted, then edited and posted).
// Prints the time of a post (median, 95th percentile, slowest) and of the whole run as
// "name: value" lines.
//
// Then the curve of a school or a district: 30 and 100 players (with --large also 300) on
// one server that flushes every commit to the disk, 2,000 games stored before, each class
// on a copy of that school's database, each player thinking 1.5 to 4.5 s
// before every evaluation, while a teacher's utility reads the results page every second;
// the same with synchronous_commit off. For each: the posts' and the results page's
// p50/p95, what the server's busy connections waited for (sampled every 50 ms), and the
// ratios to the 30 players' figures.
//
// With --pooler, then the durable curve once more through PgBouncer (a pooler of the
// benchmark's own in front of the same server): a short probe of transaction mode as the
// programs connect by default (it prints the errors met), then for each class size a direct
// class, one through session mode and one through transaction mode with the alias's pooler
// key; the server connections the class's database had (sampled), the pooler's waiting
// clients, and the ratios to the direct class just before. Skipped, with a line saying so,
// when pgbouncer is not installed. --pooler-only: only that, without the direct curve.
//
// Usage: bench_classroom [players] [evaluations] [--large] [--curve-only] [--pooler | --pooler-only]
//                        [--curve-evaluations N]

#include "tests/support/classroomrun.h"
#include "tests/support/pgbouncer.h"
#include "tests/support/pgserver.h"
#include "db/engine.h"
#include "maintenance/results.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QMap>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

QTextStream out(stdout);

void print(const QString &name, double value, int decimals = 3)
{
    out << name << ": " << QString::number(value, 'f', decimals) << Qt::endl;
}

double percentileMs(const QVector<qint64> &sorted, double q)
{
    if (sorted.isEmpty())
        return 0;
    const int at = std::clamp(int(std::ceil(q * sorted.size())) - 1, 0, int(sorted.size()) - 1);
    return sorted[at] / 1e6;
}

// One class on a fresh server; the figures' names begin with `label`. False when a
// player failed.
bool runClass(bool durable, const QString &label, int players, int evaluations)
{
    PgServer server;
    server.setDurable(durable);
    QString error;
    if (!server.start(&error)
        || !prepareClassDatabase(server, QStringLiteral(ZOMIR_DATA_TOOL), QStringLiteral("osztaly"),
                                 &error)) {
        QTextStream(stderr) << error << Qt::endl;
        return false;
    }
    ClassroomRun run(QStringLiteral(ZOMIR_CLASSROOM_PLAYER),
                     server.connectionString(QStringLiteral("osztaly"), QStringLiteral("zomir_diak")));
    const bool inTime = run.run(QStringLiteral("c"), players, evaluations, 1800);
    QVector<qint64> times = run.postTimes();
    std::sort(times.begin(), times.end());

    out << label << "posts: " << times.size() << Qt::endl;
    print(label + QStringLiteral("post p50 ms"), percentileMs(times, 0.50));
    print(label + QStringLiteral("post p95 ms"), percentileMs(times, 0.95));
    print(label + QStringLiteral("post max ms"), times.isEmpty() ? 0 : times.last() / 1e6);
    print(label + QStringLiteral("total s"), run.elapsedMs() / 1000.0);

    // The floor on the same server: psql alone, one connection, one insert per commit, the
    // same number of posts, each timed by psql itself.
    QString script = QStringLiteral("CREATE TABLE bare_inserts (id serial PRIMARY KEY, nev text, n integer);\n"
                                    "\\timing on\n");
    const int inserts = std::max(100, int(times.size()));
    for (int i = 0; i < inserts; ++i)
        script += QStringLiteral("INSERT INTO bare_inserts (nev, n) VALUES ('Játékos %1', %1);\n").arg(i);
    QString printed;
    QVector<qint64> bare;
    if (server.psql(script, QStringLiteral("zomir_admin"), QStringLiteral("osztaly"), &printed)) {
        for (const QString &line : printed.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Time: ")))
                bare.append(qint64(line.mid(6).section(QLatin1Char(' '), 0, 0).toDouble() * 1e6));
    }
    std::sort(bare.begin(), bare.end());
    out << label << "bare psql inserts: " << bare.size() << Qt::endl;
    if (!bare.isEmpty() && !times.isEmpty()) {
        print(label + QStringLiteral("bare psql insert p50 ms"), percentileMs(bare, 0.50));
        print(label + QStringLiteral("bare psql insert p95 ms"), percentileMs(bare, 0.95));
        print(label + QStringLiteral("post p95 to bare psql insert p95 ratio"),
              percentileMs(times, 0.95) / percentileMs(bare, 0.95), 2);
    }
    if (!inTime || !run.problems().isEmpty()) {
        QTextStream(stderr) << run.problems() << Qt::endl;
        return false;
    }
    return true;
}

// What the utility's results page reads on "Frissítés": the players' table read again and
// every game joined with its catalogue rows, through the engine as the utility does.
class ResultsReader {
public:
    explicit ResultsReader(const QString &connection)
        : m_session(m_config.filePath(QStringLiteral("tablaengine.ini")))
    {
        m_session.setServerAlias(zdb::gameAlias(), zdb::ServerAddress::parse(connection));
        const auto open = [this](const char *file) {
            auto table = std::make_unique<zdb::Table>(&m_session);
            table->setAliasName(zdb::gameAlias());
            table->setTableName(QString::fromLatin1(file));
            table->open();
            m_tables.push_back(std::move(table));
            return m_tables.back().get();
        };
        m_players = open("Jatekosok.DB");
        m_sources = {m_players,          open("szakma4.DB"),    open("Hazak.DB"),
                     open("Elelmiszerek.DB"), open("Ruhazkodas.db"), open("Kozlekedes.db"),
                     open("Hobbi.db"),   open("Szorakozas.db")};
    }
    // One reading; returns its duration in nanoseconds and the number of games read.
    qint64 read(qsizetype *games)
    {
        QElapsedTimer clock;
        clock.start();
        m_players->refresh();
        *games = results::collect(m_sources).size();
        return clock.nsecsElapsed();
    }

private:
    QTemporaryDir m_config;
    zdb::Session m_session;
    std::vector<std::unique_ptr<zdb::Table>> m_tables;
    zdb::Table *m_players = nullptr;
    results::Sources m_sources;
};

// The server's own view while the class plays: what its busy client connections wait for.
class WaitSampler {
public:
    explicit WaitSampler(const PgServer &server)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("waits"));
        m_db.setHostName(server.host());
        m_db.setPort(server.port());
        m_db.setDatabaseName(QStringLiteral("postgres"));
        m_db.setUserName(QStringLiteral("zomir_admin"));
        if (!m_db.open())
            QTextStream(stderr) << "wait sampler: " << m_db.lastError().text() << Qt::endl;
    }
    ~WaitSampler()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("waits"));
    }
    // `db`: the class's database, whose server connections are counted.
    void reset(const QString &db)
    {
        m_counts.clear();
        m_samples = 0;
        m_busy = 0;
        m_database = db;
        m_connections = 0;
        m_connectionsMax = 0;
    }
    void sample()
    {
        QSqlQuery c(m_db);
        c.prepare(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE backend_type = 'client backend' "
                                 "AND datname = ?"));
        c.addBindValue(m_database);
        if (c.exec() && c.next()) {
            const int n = c.value(0).toInt();
            m_connections += n;
            m_connectionsMax = std::max(m_connectionsMax, n);
        }
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral(
                "SELECT coalesce(wait_event_type, 'CPU'), coalesce(wait_event, 'running'), count(*) "
                "FROM pg_stat_activity WHERE state = 'active' AND backend_type = 'client backend' "
                "AND pid <> pg_backend_pid() GROUP BY 1, 2")))
            return;
        ++m_samples;
        while (q.next()) {
            const int n = q.value(2).toInt();
            m_counts[q.value(0).toString() + QLatin1Char('/') + q.value(1).toString()] += n;
            m_busy += n;
        }
    }
    double connectionsMean() const { return m_samples ? double(m_connections) / m_samples : 0; }
    int connectionsMax() const { return m_connectionsMax; }
    // "<label>busy connections mean", the server connections of the class's database, and
    // the share of each wait among the busy samples.
    void print(const QString &label) const
    {
        out << label << "busy connections mean: "
            << QString::number(m_samples ? double(m_busy) / m_samples : 0, 'f', 2) << Qt::endl;
        out << label << "server connections mean: " << QString::number(connectionsMean(), 'f', 1) << Qt::endl;
        out << label << "server connections max: " << m_connectionsMax << Qt::endl;
        QList<QPair<int, QString>> byCount;
        for (auto it = m_counts.begin(); it != m_counts.end(); ++it)
            byCount.append({it.value(), it.key()});
        std::sort(byCount.begin(), byCount.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        for (int i = 0; i < std::min<qsizetype>(4, byCount.size()); ++i)
            out << label << "waiting on " << byCount[i].second << " share: "
                << QString::number(double(byCount[i].first) / m_busy, 'f', 2) << Qt::endl;
    }

private:
    QSqlDatabase m_db;
    QMap<QString, int> m_counts;
    int m_samples = 0;
    int m_busy = 0;
    QString m_database;
    qint64 m_connections = 0;
    int m_connectionsMax = 0;
};

// Games stored before, as a school's results page holds them.
void addStoredGames(const QString &connection, int count)
{
    QTemporaryDir config;
    zdb::Session session(config.filePath(QStringLiteral("tablaengine.ini")));
    session.setServerAlias(zdb::gameAlias(), zdb::ServerAddress::parse(connection));
    zdb::Table players(&session);
    players.setAliasName(zdb::gameAlias());
    players.setTableName(QStringLiteral("Jatekosok.DB"));
    players.open();
    for (int i = 0; i < count; ++i) {
        players.append();
        players.fieldByName(QStringLiteral("Nev")).setValue(QStringLiteral("Játékos %1").arg(i));
        players.fieldByName(QStringLiteral("Datum")).setValue(QDate(2026, 1, 1).addDays(i % 300));
        for (const char *key : {"Job_Key", "House_Key", "Food_Key", "Clothing_Key", "Travel_Key"})
            players.fieldByName(QString::fromLatin1(key)).setValue(1 + i % 5);
        players.fieldByName(QStringLiteral("Hobby_Key")).setValue(i % 64);
        players.fieldByName(QStringLiteral("Entertainment_Key")).setValue((i * 7) % 64);
        players.fieldByName(QStringLiteral("Brutto_jov")).setValue(200000.0 + i * 100);
        players.fieldByName(QStringLiteral("Netto_jov")).setValue(250000.5 + i * 50);
        players.fieldByName(QStringLiteral("Statusz")).setValue(i % 2);
        players.post();
    }
}

struct CurvePoint {
    double postP50 = 0, postP95 = 0, resultsP50 = 0, resultsP95 = 0;
    double connectionsMean = 0;
    int connectionsMax = 0;
};

// How the players and the teacher reach the class's database: directly, or through a
// pooler (with what the connection string adds for it).
struct Route {
    PgBouncer *pooler = nullptr;
    QString extra;   // appended to the connection string, e.g. " pooler=transaction"
    QString connection(const PgServer &server, const QString &db, const QString &user) const
    {
        return (pooler ? pooler->connectionString(db, user) : server.connectionString(db, user)) + extra;
    }
};

// The pooler's own view each second: clients waiting for a server connection, and the
// longest wait.
struct PoolSamples {
    int clientsWaitingMax = 0;
    double maxWaitS = 0;
    int serverConnectionsMax = 0;
    void sample(const PgBouncer &pooler, const QString &db)
    {
        for (const auto &row : pooler.pools()) {
            if (row.value(QStringLiteral("database")) != db)
                continue;
            clientsWaitingMax = std::max(clientsWaitingMax, row.value(QStringLiteral("cl_waiting")).toInt());
            maxWaitS = std::max(maxWaitS, row.value(QStringLiteral("maxwait")).toInt()
                                              + row.value(QStringLiteral("maxwait_us")).toInt() / 1e6);
            serverConnectionsMax = std::max(serverConnectionsMax, row.value(QStringLiteral("sv_active")).toInt()
                                                                      + row.value(QStringLiteral("sv_idle")).toInt()
                                                                      + row.value(QStringLiteral("sv_used")).toInt());
        }
    }
};

// One class of `players` thinking students on the running server, the teacher's results
// page read every second meanwhile. With `timeoutSeconds` short and `expectFailures`, a
// probe: the errors the players met are printed, and a failing run is not a failure of the
// benchmark.
bool runCurvePoint(PgServer &server, const Route &route, const QString &label, const QString &prefix, int players,
                   int evaluations, WaitSampler &waits, CurvePoint *point, int timeoutSeconds = 1800,
                   bool expectFailures = false)
{
    // Each class on a copy of the same school: the results page reads as many games in each.
    const QString db = QStringLiteral("osztaly_") + prefix;
    if (!server.psql(QStringLiteral("CREATE DATABASE %1 TEMPLATE osztaly;").arg(db))) {
        QTextStream(stderr) << "cannot copy the class's database" << Qt::endl;
        return false;
    }
    std::unique_ptr<ResultsReader> reader;
    QString readerError;
    try {
        reader = std::make_unique<ResultsReader>(route.connection(server, db, QStringLiteral("zomir_admin")));
    } catch (const std::exception &e) {
        readerError = QString::fromUtf8(e.what());
    }
    ClassroomRun run(QStringLiteral(ZOMIR_CLASSROOM_PLAYER), route.connection(server, db, QStringLiteral("zomir_diak")));
    QVector<qint64> results;
    QStringList resultsErrors;
    qsizetype games = 0;
    PoolSamples pool;
    QTimer teacher, sampler;
    QObject::connect(&teacher, &QTimer::timeout, [&] {
        if (route.pooler)
            pool.sample(*route.pooler, db);
        if (!reader)
            return;
        try {
            results.append(reader->read(&games));
        } catch (const std::exception &e) {
            resultsErrors.append(QString::fromUtf8(e.what()));
        }
    });
    QObject::connect(&sampler, &QTimer::timeout, [&] { waits.sample(); });
    waits.reset(db);
    teacher.start(1000);
    sampler.start(50);
    const bool inTime = run.run(prefix, players, evaluations, timeoutSeconds, 1500, 4500);
    teacher.stop();
    sampler.stop();
    point->connectionsMean = waits.connectionsMean();
    point->connectionsMax = waits.connectionsMax();
    QVector<qint64> times = run.postTimes();
    std::sort(times.begin(), times.end());
    std::sort(results.begin(), results.end());
    point->postP50 = percentileMs(times, 0.50);
    point->postP95 = percentileMs(times, 0.95);
    point->resultsP50 = percentileMs(results, 0.50);
    point->resultsP95 = percentileMs(results, 0.95);

    out << label << "posts: " << times.size() << Qt::endl;
    print(label + QStringLiteral("posts per s"), times.size() * 1000.0 / std::max<qint64>(1, run.elapsedMs()), 1);
    print(label + QStringLiteral("post p50 ms"), point->postP50);
    print(label + QStringLiteral("post p95 ms"), point->postP95);
    print(label + QStringLiteral("post max ms"), times.isEmpty() ? 0 : times.last() / 1e6);
    out << label << "results page readings: " << results.size() << Qt::endl;
    out << label << "results page games: " << games << Qt::endl;
    print(label + QStringLiteral("results page p50 ms"), point->resultsP50);
    print(label + QStringLiteral("results page p95 ms"), point->resultsP95);
    waits.print(label);
    if (route.pooler) {
        out << label << "pooler clients waiting max: " << pool.clientsWaitingMax << Qt::endl;
        print(label + QStringLiteral("pooler longest wait s"), pool.maxWaitS, 1);
        out << label << "pooler server connections max: " << pool.serverConnectionsMax << Qt::endl;
    }
    // What went wrong, by message, so that a probe says what a pooler breaks.
    // Qt's names of prepared statements differ only in their number.
    static const QRegularExpression statementName(QStringLiteral("qpsqlpstmt_[0-9a-f]+"));
    QMap<QString, int> errors;
    int failedPlayers = 0;
    for (const ClassroomPlayer &player : run.players()) {
        for (const QString &e : player.errors)
            ++errors[QString(e).replace(statementName, QStringLiteral("qpsqlpstmt_N")).left(300)];
        if (player.exitCode != 0)
            ++failedPlayers;
    }
    if (!readerError.isEmpty())
        ++errors[QStringLiteral("results page open: ") + readerError.left(300)];
    for (const QString &e : resultsErrors)
        ++errors[QStringLiteral("results page: ") + e.left(300)];
    int errorCount = 0;
    for (const int n : errors)
        errorCount += n;
    out << label << "errors: " << errorCount << Qt::endl;
    out << label << "players failed: " << failedPlayers << Qt::endl;
    for (auto it = errors.begin(); it != errors.end(); ++it)
        out << label << "error x" << it.value() << ": " << QString(it.key()).replace(QLatin1Char('\n'), QLatin1Char(' '))
            << Qt::endl;
    if (!inTime)
        out << label << "timed out: yes" << Qt::endl;
    if (!inTime || !run.problems().isEmpty() || errorCount > 0) {
        if (!expectFailures)
            QTextStream(stderr) << run.problems() << Qt::endl;
        return expectFailures;
    }
    return true;
}

// Two letters a class, so that no two classes' players share a name.
QString classPrefix(int *prefix)
{
    const QString text = QString(QChar(u'a' + *prefix / 26)) + QChar(u'a' + *prefix % 26);
    ++*prefix;
    return text;
}

// The same classes through PgBouncer in front of the same durable server: in session mode
// (a server connection a client, for as long as it stays connected) and in transaction mode
// (a server connection a transaction) with the alias's pooler key, each class size beside a
// direct class of the same size run just before it (the machine's load changes over the
// minutes of a run); first a short probe of transaction mode as the programs connect by
// default, which records what breaks.
bool runPooledCurves(PgServer &server, const QList<int> &sizes, int evaluations, WaitSampler &waits, int *prefix)
{
    if (!PgBouncer::available()) {
        out << "pooled curve: skipped, pgbouncer is not installed (scripts/setup.sh installs it)" << Qt::endl;
        return true;
    }
    const int transactionPool = 20;   // PgBouncer's default_pool_size
    out << "pooled transaction pool size: " << transactionPool << Qt::endl;
    QString setting;
    server.psql(QStringLiteral("SHOW synchronous_commit;"), QStringLiteral("zomir_admin"), QStringLiteral("postgres"),
                &setting);
    out << "pooled curve synchronous_commit: " << setting << Qt::endl;
    bool ok = true;
    // One class through a pooler started for it; a failed start ends the benchmark.
    const auto pooled = [&](PgBouncer::Mode mode, const QString &extra, const QString &label, int players,
                            bool probe, CurvePoint *point) {
        PgBouncer pooler(server);
        QString error;
        // Session mode holds a server connection for each client's whole game: a pool
        // smaller than the class would leave the rest waiting at their first statement.
        if (!pooler.start(mode, mode == PgBouncer::Session ? players + 5 : transactionPool, &error)) {
            QTextStream(stderr) << error << Qt::endl;
            return false;
        }
        const bool pointOk = runCurvePoint(server, Route{&pooler, extra}, label, classPrefix(prefix), players,
                                           evaluations, waits, point, probe ? 120 : 1800, probe);
        pooler.stop();
        return pointOk;
    };
    CurvePoint probe;
    ok = pooled(PgBouncer::Transaction, QString(),
                QStringLiteral("pooled transaction default probe %1 players ").arg(sizes.first()), sizes.first(), true,
                &probe);
    for (const int players : sizes) {
        CurvePoint direct, session, transaction;
        const QString n = QString::number(players) + QStringLiteral(" players ");
        ok = runCurvePoint(server, Route{}, QStringLiteral("pooled reference direct ") + n, classPrefix(prefix),
                           players, evaluations, waits, &direct)
             && ok;
        ok = pooled(PgBouncer::Session, QString(), QStringLiteral("pooled session curve ") + n, players, false,
                    &session)
             && ok;
        ok = pooled(PgBouncer::Transaction, QStringLiteral(" pooler=transaction"),
                    QStringLiteral("pooled transaction curve ") + n, players, false, &transaction)
             && ok;
        for (const auto &[kind, point] : {std::pair{QStringLiteral("session"), session},
                                         std::pair{QStringLiteral("transaction"), transaction}}) {
            const QString label = QStringLiteral("pooled %1 curve ").arg(kind) + n;
            print(label + QStringLiteral("post p95 to direct ratio"), point.postP95 / direct.postP95, 2);
            print(label + QStringLiteral("post p50 to direct ratio"), point.postP50 / direct.postP50, 2);
            print(label + QStringLiteral("results page p95 to direct ratio"), point.resultsP95 / direct.resultsP95, 2);
            print(label + QStringLiteral("server connections max to direct ratio"),
                  double(point.connectionsMax) / std::max(1, direct.connectionsMax), 2);
        }
    }
    return ok;
}

// The curve on one durable server: each class size with synchronous_commit on, then off;
// with `pooled`, then through PgBouncer.
enum Pooled { NoPooler, WithPooler, PoolerOnly };
bool runCurve(const QList<int> &sizes, int evaluations, int storedGames, Pooled pooled)
{
    PgServer server;
    server.setDurable(true);
    // Every player a connection of its own, plus the teacher, the sampler and the content tool.
    server.setExtraSettings(QStringLiteral("max_connections = %1").arg(sizes.last() + 50));
    QString error;
    if (!server.start(&error)
        || !prepareClassDatabase(server, QStringLiteral(ZOMIR_DATA_TOOL), QStringLiteral("osztaly"),
                                 &error)) {
        QTextStream(stderr) << error << Qt::endl;
        return false;
    }
    bool ok = true;
    try {
        // A school's year of stored games before the class, written without waiting for the disk.
        if (!server.psql(QStringLiteral("ALTER SYSTEM SET synchronous_commit = off;\nSELECT pg_reload_conf();\n")))
            return false;
        addStoredGames(server.connectionString(QStringLiteral("osztaly"), QStringLiteral("zomir_admin")), storedGames);
        if (!server.psql(QStringLiteral("ALTER SYSTEM RESET synchronous_commit;\nSELECT pg_reload_conf();\n")))
            return false;
        out << "curve stored games before the class: " << storedGames << Qt::endl;
        WaitSampler waits(server);
        int prefix = 0;
        QList<CurvePoint> synchronousPoints;
        for (const bool synchronous : {true, false}) {
            if (pooled == PoolerOnly)
                break;
            if (!synchronous
                && !server.psql(QStringLiteral("ALTER SYSTEM SET synchronous_commit = off;\n"
                                               "SELECT pg_reload_conf();\n"))) {
                QTextStream(stderr) << "cannot turn synchronous_commit off" << Qt::endl;
                return false;
            }
            const QString setting = synchronous ? QStringLiteral("curve ") : QStringLiteral("curve async ");
            QList<CurvePoint> points;
            for (const int players : sizes) {
                CurvePoint point;
                const QString label = setting + QString::number(players) + QStringLiteral(" players ");
                ok = runCurvePoint(server, Route{}, label, classPrefix(&prefix), players, evaluations, waits, &point)
                     && ok;
                points.append(point);
            }
            for (int i = 1; i < sizes.size(); ++i) {
                const QString label = setting + QStringLiteral("%1 to %2 players ").arg(sizes[i]).arg(sizes[0]);
                print(label + QStringLiteral("post p95 ratio"), points[i].postP95 / points[0].postP95, 2);
                print(label + QStringLiteral("results page p95 ratio"),
                      points[i].resultsP95 / points[0].resultsP95, 2);
            }
            if (synchronous)
                synchronousPoints = points;
            else
                for (int i = 0; i < sizes.size(); ++i)
                    print(QStringLiteral("curve %1 players post p95 async to durable ratio").arg(sizes[i]),
                          points[i].postP95 / synchronousPoints[i].postP95, 2);
        }
        if (pooled != NoPooler) {
            if (!server.psql(QStringLiteral("ALTER SYSTEM RESET synchronous_commit;\nSELECT pg_reload_conf();\n")))
                return false;
            ok = runPooledCurves(server, sizes, evaluations, waits, &prefix) && ok;
        }
    } catch (const std::exception &e) {
        QTextStream(stderr) << "curve: " << e.what() << Qt::endl;
        return false;
    }
    return ok;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool large = args.removeAll(QStringLiteral("--large")) > 0;
    const bool curveOnly = args.removeAll(QStringLiteral("--curve-only")) > 0;
    const Pooled pooled = args.removeAll(QStringLiteral("--pooler-only")) > 0 ? PoolerOnly
                          : args.removeAll(QStringLiteral("--pooler")) > 0  ? WithPooler
                                                                            : NoPooler;
    int curveEvaluations = 6;
    if (const qsizetype at = args.indexOf(QStringLiteral("--curve-evaluations")); at >= 0 && at + 1 < args.size()) {
        curveEvaluations = args.at(at + 1).toInt();
        args.remove(at, 2);
    }
    const int players = args.size() > 0 ? args.at(0).toInt() : 30;
    const int evaluations = args.size() > 1 ? args.at(1).toInt() : 50;

    bool ok = true;
    if (!curveOnly) {
        out << "players: " << players << Qt::endl;
        out << "evaluations per player: " << evaluations << Qt::endl;
        // The tests' settings (commits reach the kernel, not the disk), then a server that
        // flushes every commit to the disk, as a school's server does.
        ok = runClass(false, QString(), players, evaluations);
        ok = runClass(true, QStringLiteral("durable "), players, evaluations) && ok;
    }
    out << "curve evaluations per player: " << curveEvaluations << Qt::endl;
    out << "curve pause before an evaluation ms: 1500-4500" << Qt::endl;
    ok = runCurve(large ? QList<int>{30, 100, 300} : QList<int>{30, 100}, curveEvaluations, 2000, pooled) && ok;
    out << "p95 goal: 20 ms" << Qt::endl;
    return ok ? 0 : 1;
}
