#pragma once
// The parent's side of the start-up measurements: starts a program that prints its
// "shown_ms:" and "peak_kb:" lines (see startup_probe.h) and reads them, and the median of
// several rounds.

#include "startup_probe.h"

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

inline double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace startupprobe
