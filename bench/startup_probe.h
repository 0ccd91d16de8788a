#pragma once
// Shared by the start-up benchmark and its bare comparison program: when the first paint
// of a window has finished, print the time since the process was started (the parent
// passes its start instant in ZOMIR_BENCH_T0, nanoseconds of the system clock) and the
// peak resident memory so far, then quit.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace startupprobe {

inline long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

inline long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            watched->removeEventFilter(this);
            // Measured once the paint itself has run.
            QTimer::singleShot(0, [] {
                const long long t0 = qEnvironmentVariable("ZOMIR_BENCH_T0").toLongLong();
                std::printf("shown_ms: %.2f\n", t0 > 0 ? (nowNs() - t0) / 1e6 : -1.0);
                std::printf("peak_kb: %ld\n", peakKb());
                std::fflush(stdout);
                // Measured from outside (bench_startup_outside), the window stays until ended.
                if (!qEnvironmentVariableIsSet("ZOMIR_BENCH_KEEP_OPEN"))
                    QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_done = false;
};

}  // namespace startupprobe
