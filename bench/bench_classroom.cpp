// A class on one PostgreSQL server: thirty player programs at once, each on its own
// connection, each storing fifty evaluations (a new row posted, then edited and posted).
// Prints the time of a post (median, 95th percentile, slowest) and of the whole run as
// "name: value" lines. Usage: bench_classroom [players] [evaluations]

#include "tests/support/classroomrun.h"
#include "tests/support/pgserver.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <cmath>

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

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int players = args.size() > 1 ? args.at(1).toInt() : 30;
    const int evaluations = args.size() > 2 ? args.at(2).toInt() : 50;

    out << "players: " << players << Qt::endl;
    out << "evaluations per player: " << evaluations << Qt::endl;
    // The tests' settings (commits reach the kernel, not the disk), then a server that
    // flushes every commit to the disk, as a school's server does.
    bool ok = runClass(false, QString(), players, evaluations);
    ok = runClass(true, QStringLiteral("durable "), players, evaluations) && ok;
    out << "p95 goal: 20 ms" << Qt::endl;
    return ok ? 0 : 1;
}
