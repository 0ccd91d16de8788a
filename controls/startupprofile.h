#pragma once
// The phases of a program's start, for its profile (bench_startup_outside --profile). With
// ZOMIR_PROFILE_START set, each phase() prints "zomir-profile <phase> <ms>" to the standard
// error: the milliseconds since ZOMIR_PROFILE_T0 (the starter's steady clock at the spawn,
// in nanoseconds), or since the first phase without it. Unset, a phase costs one test of a
// flag read once.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace startupprofile {

inline bool enabled()
{
    static const bool on = std::getenv("ZOMIR_PROFILE_START") != nullptr;
    return on;
}

inline void phase(const char *name)
{
    if (!enabled())
        return;
    const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
    static const long long t0 = [now] {
        const char *given = std::getenv("ZOMIR_PROFILE_T0");
        return given ? std::atoll(given) : now;
    }();
    std::fprintf(stderr, "zomir-profile %s %.2f\n", name, (now - t0) / 1e6);
    std::fflush(stderr);
}

// Notes the first paint of any widget ("first paint") and the return to the event loop
// after it ("first paint done"), then removes itself. Nothing when profiling is off.
class FirstPaint : public QObject {
public:
    static void watch()
    {
        if (enabled())
            QCoreApplication::instance()->installEventFilter(new FirstPaint);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            phase("first paint");
            QTimer::singleShot(0, this, [this] {
                phase("first paint done");
                QCoreApplication::instance()->removeEventFilter(this);
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

}  // namespace startupprofile
