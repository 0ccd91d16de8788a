#include "tests/support/classroomrun.h"
#include "tests/support/pgserver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <memory>
#include <vector>

ClassroomRun::ClassroomRun(const QString &playerProgram, const QString &connection)
    : m_program(playerProgram), m_connection(connection)
{
}

bool ClassroomRun::run(const QString &prefix, int players, int evaluations, int timeoutSeconds, int pauseMs,
                       int pauseMaxMs)
{
    m_players.clear();
    m_posted = 0;
    std::vector<std::unique_ptr<QProcess>> processes;
    QEventLoop loop;
    int running = 0;
    QElapsedTimer clock;
    clock.start();

    for (int i = 0; i < players; ++i) {
        ClassroomPlayer player;
        player.prefix = prefix + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        m_players.append(player);
        auto process = std::make_unique<QProcess>();
        QProcess *p = process.get();
        QObject::connect(p, &QProcess::readyReadStandardOutput, &loop,
                         [this, p, i] { readLines(i, p); });
        QObject::connect(p, &QProcess::finished, &loop,
                         [this, p, i, &running, &loop](int code, QProcess::ExitStatus status) {
                             readLines(i, p);
                             m_players[i].errorOutput += QString::fromLocal8Bit(p->readAllStandardError());
                             m_players[i].exitCode = status == QProcess::NormalExit ? code : -1;
                             if (--running == 0)
                                 loop.quit();
                             else if (m_onReady)   // one fewer to wait for
                                 m_onReady();
                         });
        processes.push_back(std::move(process));
    }
    const QString pause = pauseMaxMs > pauseMs ? QStringLiteral("%1-%2").arg(pauseMs).arg(pauseMaxMs)
                                               : QString::number(pauseMs);
    // Started only once all are set up, so that they begin as nearly together as can be.
    for (int i = 0; i < players; ++i) {
        processes[i]->start(m_program, {m_connection, m_players[i].prefix, QString::number(evaluations),
                                        QStringLiteral("30"), pause});
        ++running;
    }
    for (int i = 0; i < players; ++i) {
        if (!processes[i]->waitForStarted(30000)) {
            m_players[i].errorOutput = processes[i]->errorString();
            --running;
        }
    }

    bool inTime = true;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        inTime = false;
        loop.quit();
    });
    deadline.start(timeoutSeconds * 1000);
    // Once every player is connected and ready, all are told to begin.
    m_ready = 0;
    bool told = false;
    m_onReady = [&] {
        if (told || m_ready < running)
            return;
        told = true;
        for (auto &p : processes)
            if (p->state() == QProcess::Running)
                p->write("go\n");
    };
    if (running > 0)
        loop.exec();
    m_onReady = nullptr;
    for (auto &p : processes) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
    m_elapsedMs = clock.elapsed();
    return inTime;
}

void ClassroomRun::readLines(int index, QProcess *process)
{
    ClassroomPlayer &player = m_players[index];
    while (process->canReadLine()) {
        const QString line = QString::fromUtf8(process->readLine()).trimmed();
        if (line == QLatin1String("ready")) {
            ++m_ready;
            if (m_onReady)
                m_onReady();
            continue;
        }
        if (line.startsWith(QLatin1String("error "))) {
            player.errors.append(line.mid(6));
            continue;
        }
        // "posted <key> <name, which has spaces> <ns>"
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() < 4 || parts.first() != QLatin1String("posted")) {
            player.errors.append(QStringLiteral("unexpected line: ") + line);
            continue;
        }
        ClassroomPost post;
        post.key = parts.at(1).toLongLong();
        post.name = parts.mid(2, parts.size() - 3).join(QLatin1Char(' '));
        post.ns = parts.last().toLongLong();
        player.posts.append(post);
        ++m_posted;
        if (m_onPosted)
            m_onPosted(m_posted);
    }
}

QVector<qint64> ClassroomRun::postTimes() const
{
    QVector<qint64> times;
    for (const ClassroomPlayer &player : m_players)
        for (const ClassroomPost &post : player.posts)
            times.append(post.ns);
    return times;
}

QString ClassroomRun::problems() const
{
    QStringList lines;
    for (const ClassroomPlayer &player : m_players) {
        if (player.exitCode == 0 && player.errors.isEmpty() && player.errorOutput.trimmed().isEmpty())
            continue;
        lines << QStringLiteral("%1: exit %2, %3 posts, %4 errors")
                     .arg(player.prefix)
                     .arg(player.exitCode)
                     .arg(player.posts.size())
                     .arg(player.errors.size());
        for (const QString &e : player.errors.mid(0, 3))
            lines << QStringLiteral("  error: ") + e;
        if (!player.errorOutput.trimmed().isEmpty())
            lines << QStringLiteral("  stderr: ") + player.errorOutput.trimmed().left(2000);
    }
    return lines.join(QLatin1Char('\n'));
}

bool prepareClassDatabase(PgServer &server, const QString &dataTool, const QString &db,
                          QString *error)
{
    if (!server.createDatabase(db)) {
        *error = server.errorString();
        return false;
    }
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(dataTool, {QStringLiteral("--server"),
                          server.connectionString(db, QStringLiteral("zomir_admin"))});
    if (!tool.waitForFinished(300000)) {
        tool.kill();
        tool.waitForFinished(5000);
        *error = QStringLiteral("%1 --server did not finish: %2")
                     .arg(dataTool, QString::fromLocal8Bit(tool.readAll()));
        return false;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        *error = QStringLiteral("%1 --server failed (exit %2): %3")
                     .arg(dataTool)
                     .arg(tool.exitCode())
                     .arg(QString::fromLocal8Bit(tool.readAll()));
        return false;
    }
    return true;
}
