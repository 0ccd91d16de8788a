// One simulated student of the classroom load test, on its own connection to the class's
// server. Usage: classroom_player <connection> <player prefix> <evaluations> [time limit s]
// [pause ms between evaluations, or "min-max": a random pause before every evaluation]
//
// Each evaluation does what a game does when it evaluates a student: a new row in the
// players' table (name, choices, date, status 0) is posted, then the same row is edited
// (net and gross income, status 1) and posted again. For every post that succeeds it
// prints "posted <Player_Key> <Nev> <ns>"; a refused post prints "error <message>" and is
// tried again after a short pause, as a student clicks again once the server is back,
// until it succeeds or the time limit (30 s a post by default) passes.
// Before the first post it prints "ready" and waits for a line on its standard input.
// Exits with 0 when every post succeeded.

#include "tests/support/classroomgame.h"
#include "db/engine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <functional>

namespace {

QTextStream out(stdout);

void say(const QString &line) { out << line << Qt::endl; }

// Brings the table into its edit state with the row's new values (`prepare`), then posts;
// a refusal is printed and the whole step tried again while time is left. Returns the
// post's duration in nanoseconds, or -1 when time ran out.
qint64 postWithRetry(zdb::Table &table, const std::function<void()> &prepare, int limitSeconds)
{
    QElapsedTimer since;
    since.start();
    for (;;) {
        try {
            if (!table.editing())
                prepare();
            QElapsedTimer timer;
            timer.start();
            table.post();
            return timer.nsecsElapsed();
        } catch (const zdb::EngineError &e) {
            say(classroom::errorLine(e.message()));
        } catch (const std::exception &e) {
            say(classroom::errorLine(QString::fromUtf8(e.what())));
        }
        if (since.elapsed() > limitSeconds * 1000LL) {
            try {
                table.cancel();
            } catch (const std::exception &) {
            }
            return -1;
        }
        QThread::msleep(200);
    }
}

void setAll(zdb::Table &table, const classroom::Values &values)
{
    for (const auto &v : values)
        table.fieldByName(v.first).setValue(v.second);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        QTextStream(stderr) << "usage: classroom_player <connection> <prefix> <evaluations> "
                               "[time limit s]\n";
        return 2;
    }
    const QString connection = args.at(1);
    const QString prefix = args.at(2);
    const int evaluations = args.at(3).toInt();
    const int limitSeconds = args.size() > 4 ? args.at(4).toInt() : 30;
    // "1500-4500": a student who thinks a while before each evaluation, the first too.
    const QString pause = args.size() > 5 ? args.at(5) : QString();
    const int pauseMs = pause.section(QLatin1Char('-'), 0, 0).toInt();
    const int pauseMaxMs = pause.contains(QLatin1Char('-')) ? pause.section(QLatin1Char('-'), 1, 1).toInt() : pauseMs;
    const auto pauseBefore = [&](int evaluation) {
        if (pauseMaxMs > pauseMs)
            QThread::msleep(QRandomGenerator::global()->bounded(pauseMs, pauseMaxMs + 1));
        else if (evaluation > 1 && pauseMs > 0)
            QThread::msleep(pauseMs);
    };

    // Each player keeps its own configuration, as each PC of a class does.
    QTemporaryDir config;
    try {
        zdb::Session session(config.filePath(QStringLiteral("tablaengine.ini")));
        session.setServerAlias(zdb::gameAlias(), zdb::ServerAddress::parse(connection));
        session.saveConfig();

        zdb::Table players(&session);
        players.setAliasName(zdb::gameAlias());
        players.setTableName(QStringLiteral("Jatekosok.DB"));
        players.open();

        // The class starts together: each player says it is ready and waits for the word,
        // so that the posts measured overlap each other and not the other players' start.
        say(QStringLiteral("ready"));
        QTextStream in(stdin);
        in.readLine();

        bool allPosted = true;
        for (int i = 1; i <= evaluations; ++i) {
            pauseBefore(i);
            const qint64 appended = postWithRetry(players, [&] {
                players.append();
                setAll(players, classroom::appendValues(prefix, i));
            }, limitSeconds);
            if (appended < 0) {
                allPosted = false;
                continue;
            }
            const QVariant key = players.fieldByName(QStringLiteral("Player_Key")).value();
            const QString name = classroom::playerName(prefix, i);
            say(classroom::postedLine(key.toLongLong(), name, appended));

            const qint64 edited = postWithRetry(players, [&] {
                // After a lost connection the rows are read again: find this player's row.
                if (players.fieldByName(QStringLiteral("Player_Key")).value() != key
                    && !players.locate(QStringLiteral("Player_Key"), key))
                    throw zdb::EngineError(QStringLiteral("the row of %1 is gone").arg(name));
                players.edit();
                setAll(players, classroom::editValues(i));
            }, limitSeconds);
            if (edited < 0) {
                allPosted = false;
                continue;
            }
            say(classroom::postedLine(key.toLongLong(), name, edited));
        }
        return allPosted ? 0 : 1;
    } catch (const std::exception &e) {
        say(classroom::errorLine(QString::fromUtf8(e.what())));
        return 1;
    }
}
