#pragma once
// A class of simulated students at once: one classroom_player program per student, each
// on its own connection, all started together. Collects what each one reported.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QProcess;

struct ClassroomPost {
    qint64 key = 0;
    QString name;
    qint64 ns = 0;
};

struct ClassroomPlayer {
    QString prefix;
    QList<ClassroomPost> posts;  // in the order reported: a row's append, then its edit
    QStringList errors;
    QString errorOutput;         // what the program wrote to its standard error
    int exitCode = -1;           // -1 while running, when it crashed or was stopped
};

class ClassroomRun {
public:
    ClassroomRun(const QString &playerProgram, const QString &connection);

    // Called after each reported post with the number reported so far by all players,
    // from the event loop that run() turns (so a timer started in it fires during the run).
    void setOnPosted(std::function<void(int)> onPosted) { m_onPosted = std::move(onPosted); }

    // Starts `players` players whose names begin with `prefix` and a two-digit number, each
    // playing `evaluations` evaluations; returns when all have ended (true) or when
    // `timeoutSeconds` passed, the rest then stopped (false). The players begin to post
    // together, once all have connected; each pauses `pauseMs` between its evaluations, or,
    // with `pauseMaxMs` above it, a random time from `pauseMs` to `pauseMaxMs` before each
    // evaluation, the first included (a class whose students do not click at once).
    bool run(const QString &prefix, int players, int evaluations, int timeoutSeconds, int pauseMs = 0,
             int pauseMaxMs = -1);

    const QList<ClassroomPlayer> &players() const { return m_players; }
    QVector<qint64> postTimes() const;  // every post's duration, ns
    qint64 elapsedMs() const { return m_elapsedMs; }
    // The errors, exit codes and standard error of the players that had any, for a
    // failure message.
    QString problems() const;

private:
    void readLines(int index, QProcess *process);

    QString m_program;
    QString m_connection;
    std::function<void(int)> m_onPosted;
    std::function<void()> m_onReady;   // while run() waits: called as each player is ready
    int m_ready = 0;
    QList<ClassroomPlayer> m_players;
    int m_posted = 0;
    qint64 m_elapsedMs = 0;
};

class PgServer;

// Creates the database `db` on the server and fills it with the game's content through
// the content tool (`zomir-data --server`), as a teacher sets up a class.
bool prepareClassDatabase(PgServer &server, const QString &dataTool, const QString &db,
                          QString *error);
