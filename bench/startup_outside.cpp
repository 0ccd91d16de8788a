// Start-up of the programs as installed, measured from outside on an X display (Xvfb): each
// program is started as a desktop starts it, and the X server is asked when its first window
// is mapped and when that window first shows something other than what the screen held
// there before (its first frame drawn); then its peak resident memory, and it is ended.
// Beside it, the bare window and the floor (bench/bare_window.cpp, bench/floor_window.cpp)
// started the same way; medians of several rounds (ZOMIR_BENCH_ROUNDS, else 9), all in one run.
//   bench_startup_outside PREFIX    PREFIX/bin/zomir and PREFIX/bin/karbantartas, e.g. a
//                                   staging folder of `cmake --install build --prefix ...`
// Needs DISPLAY (e.g. ../shared/tools/xdisplay start). Prints "name: value" lines.

#include "db/engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Start {
    double mappedMs = -1;
    double drawnMs = -1;
    long peakKb = -1;
    QString title;
};

long peakKbOf(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Windows come and go while the tree is walked: a request about one gone is no error here.
int ignoreXError(::Display *, XErrorEvent *) { return 0; }

class XServer {
public:
    XServer() : m_dpy(XOpenDisplay(nullptr))
    {
        XSetErrorHandler(ignoreXError);
        if (m_dpy) {
            m_root = DefaultRootWindow(m_dpy);
            m_pidAtom = XInternAtom(m_dpy, "_NET_WM_PID", False);
        }
    }
    ~XServer()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    bool ok() const { return m_dpy != nullptr; }

    // The screen as it is, to tell a window's first frame from what lay under it.
    XImage *grabRoot()
    {
        XWindowAttributes a;
        XGetWindowAttributes(m_dpy, m_root, &a);
        return XGetImage(m_dpy, m_root, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    }

    // A viewable window of the process, 0 when it has none yet.
    Window viewableWindowOf(pid_t pid) { return find(m_root, pid); }

    // Whether the window shows anything else than `before` (the screen before the start).
    bool drawn(Window w, XImage *before)
    {
        XWindowAttributes a;
        if (!XGetWindowAttributes(m_dpy, w, &a) || a.map_state != IsViewable)
            return false;
        int x = 0, y = 0;
        Window child;
        XTranslateCoordinates(m_dpy, w, m_root, 0, 0, &x, &y, &child);
        const int width = std::min(a.width, before->width - x);
        const int height = std::min(a.height, before->height - y);
        if (width <= 0 || height <= 0 || x < 0 || y < 0)
            return false;
        XImage *now = XGetImage(m_dpy, w, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!now)
            return false;
        bool differs = false;
        for (int row = 0; row < height && !differs; row += 2)
            for (int col = 0; col < width; col += 2)
                if (XGetPixel(now, col, row) != XGetPixel(before, x + col, y + row)) {
                    differs = true;
                    break;
                }
        XDestroyImage(now);
        return differs;
    }

    QString title(Window w)
    {
        char *name = nullptr;
        QString result;
        if (XFetchName(m_dpy, w, &name) && name) {
            result = QString::fromLocal8Bit(name);
            XFree(name);
        }
        return result;
    }

private:
    Window find(Window parent, pid_t pid)
    {
        Window root, up, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(m_dpy, parent, &root, &up, &children, &n))
            return 0;
        Window found = 0;
        for (unsigned int i = 0; i < n && !found; ++i) {
            if (pidOf(children[i]) == pid) {
                XWindowAttributes a;
                if (XGetWindowAttributes(m_dpy, children[i], &a) && a.map_state == IsViewable && a.width > 1)
                    found = children[i];
            }
            if (!found)
                found = find(children[i], pid);
        }
        if (children)
            XFree(children);
        return found;
    }
    long pidOf(Window w)
    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(m_dpy, w, m_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            if (count == 1 && format == 32)
                pid = long(*reinterpret_cast<unsigned long *>(data));
            XFree(data);
        }
        return pid;
    }

    ::Display *m_dpy;
    Window m_root = 0;
    Atom m_pidAtom = 0;
};

// One start of `program` in `folder`: the times from the spawn to the first window mapped
// and to its first frame, the peak memory then. The program is ended afterwards.
Start startOnce(XServer &display, const QString &program, const QString &folder)
{
    Start s;
    XImage *before = display.grabRoot();
    const QByteArray path = QFile::encodeName(program);
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const QByteArray oldCwd = QFile::encodeName(QDir::currentPath());
    (void)chdir(QFile::encodeName(folder).constData());
    pid_t pid = 0;
    const double t0 = nowMs();
    const int spawned = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    (void)chdir(oldCwd.constData());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        XDestroyImage(before);
        return s;
    }
    Window w = 0;
    const double deadline = t0 + 30000;
    while (nowMs() < deadline) {
        if (!w) {
            w = display.viewableWindowOf(pid);
            if (w)
                s.mappedMs = nowMs() - t0;
        }
        if (w && display.drawn(w, before)) {
            s.drawnMs = nowMs() - t0;
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (w)
        s.title = display.title(w);
    if (pid > 0) {
        s.peakKb = peakKbOf(pid);
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    XDestroyImage(before);
    return s;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Medians {
    double mapped = -1, drawn = -1, peak = -1;
    QString title;
};

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_startup_outside PREFIX\n");
        return 2;
    }
    XServer display;
    if (!display.ok()) {
        std::fprintf(stderr, "bench_startup_outside: no X display (DISPLAY)\n");
        return 2;
    }
    const QString prefix = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral(".local/share"));
    const QString config = home.filePath(QStringLiteral(".config"));
    const QString folder = data + QStringLiteral("/zomir");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("ZOMIR_BENCH_KEEP_OPEN", "1");   // the bare and the floor window stay shown
    // The student's folder as the first start leaves it (built by the installed content tool,
    // the alias stored): every measured start is a later one, without a message.
    QDir().mkpath(folder);
    if (QProcess::execute(prefix + QStringLiteral("/libexec/zomir/zomir-data"),
                          {QStringLiteral("--year"), QStringLiteral("2026"), folder}) != 0) {
        std::fprintf(stderr, "bench_startup_outside: the content tool failed\n");
        return 1;
    }
    {
        zdb::Session session(config + QStringLiteral("/zomir/tablaengine.ini"));
        session.addStandardAlias(zdb::gameAlias(), folder + QStringLiteral("/DB"));
        session.saveConfig();
    }

    const QList<std::pair<const char *, QString>> programs{
        {"bare_window", QStringLiteral(ZOMIR_BARE_PROGRAM)},
        {"floor_window", QStringLiteral(ZOMIR_FLOOR_PROGRAM)},
        {"game", prefix + QStringLiteral("/bin/zomir")},
        {"utility", prefix + QStringLiteral("/bin/karbantartas")},
    };
    const int asked = qEnvironmentVariableIntValue("ZOMIR_BENCH_ROUNDS");
    const int rounds = asked > 0 ? asked : 9;
    for (const auto &p : programs)   // once each first, for the file cache
        startOnce(display, p.second, folder);
    QList<std::vector<double>> mapped, drawn, peak;
    QStringList titles;
    for (int i = 0; i < programs.size(); ++i) {
        mapped.emplaceBack();
        drawn.emplaceBack();
        peak.emplaceBack();
        titles.append(QString());
    }
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < programs.size(); ++i) {
            const Start s = startOnce(display, programs[i].second, folder);
            if (s.drawnMs < 0) {
                std::fprintf(stderr, "bench_startup_outside: %s showed no frame\n", programs[i].first);
                return 1;
            }
            mapped[i].push_back(s.mappedMs);
            drawn[i].push_back(s.drawnMs);
            peak[i].push_back(double(s.peakKb));
            titles[i] = s.title;
        }
    }
    std::printf("rounds: %d\n", rounds);
    QList<Medians> m;
    for (int i = 0; i < programs.size(); ++i) {
        Medians x{median(mapped[i]), median(drawn[i]), median(peak[i]), titles[i]};
        m.append(x);
        std::printf("outside_%s_first_window: %s\n", programs[i].first, qPrintable(x.title));
        std::printf("outside_%s_mapped_ms: %.1f\n", programs[i].first, x.mapped);
        std::printf("outside_%s_first_frame_ms: %.1f\n", programs[i].first, x.drawn);
        std::printf("outside_%s_peak_kb: %.0f\n", programs[i].first, x.peak);
    }
    std::printf("outside_game_floor_ratio: %.2f\n", m[2].drawn / m[1].drawn);
    std::printf("outside_game_bare_ratio: %.2f\n", m[2].drawn / m[0].drawn);
    std::printf("outside_utility_bare_ratio: %.2f\n", m[3].drawn / m[0].drawn);
    std::printf("outside_game_peak_memory_bare_ratio: %.2f\n", m[2].peak / m[0].peak);
    std::printf("outside_utility_peak_memory_bare_ratio: %.2f\n", m[3].peak / m[0].peak);
    return 0;
}
