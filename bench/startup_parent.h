#pragma once
// The parent's side of the start-up measurements: starts a program that prints its
// "shown_ms:" and "peak_kb:" lines (see startup_probe.h) and reads them, and the median of
// several rounds.

#include "db/engine.h"
#include "bench/startup_probe.h"

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace startupprobe {

struct Figures {
    double ms = -1;
    double kb = -1;
};

inline Figures runChild(const QString &program, const QStringList &args, const QString &folder,
                        QProcessEnvironment env)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    env.insert(QStringLiteral("ZOMIR_BENCH_T0"), QString::number(startupprobe::nowNs()));
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    Figures f;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("shown_ms:"))
            f.ms = line.mid(9).trimmed().toDouble();
        else if (line.startsWith("peak_kb:"))
            f.kb = line.mid(8).trimmed().toDouble();
    }
    return f;
}

// The engine configuration the measured programs start with: the alias DB_ZOMIR already
// pointing at `dbFolder` (as at every start after the first), saved in
// `configHome`/zomir/tablaengine.ini; and the environment that gives them that
// configuration and, without a display, the offscreen platform.
inline QProcessEnvironment childEnvironment(const QString &configHome, const QString &dbFolder)
{
    {
        zdb::Session session(configHome + QStringLiteral("/zomir/tablaengine.ini"));
        session.addStandardAlias(zdb::gameAlias(), dbFolder);
        session.saveConfig();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// Rounds of measured starts: ZOMIR_BENCH_ROUNDS, else 9.
inline int rounds()
{
    const int asked = qEnvironmentVariableIntValue("ZOMIR_BENCH_ROUNDS");
    return asked > 0 ? asked : 9;
}

inline double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace startupprobe
