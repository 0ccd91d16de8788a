// Start-up of the programs as installed, measured from outside on an X display (Xvfb): each
// program is started as a desktop starts it, and the X server is asked when its first window
// is mapped and when that window first shows something other than what the screen held
// there before (its first frame drawn); then its peak resident memory, and it is ended.
// Beside it, the bare window and the floor (bench/bare_window.cpp, bench/floor_window.cpp)
// started the same way; medians of several rounds (ZOMIR_BENCH_ROUNDS, else 9), all in one run.
//   bench_startup_outside PREFIX    PREFIX/bin/zomir and PREFIX/bin/karbantartas, e.g. a
//                                   staging folder of `cmake --install build --prefix ...`
//   bench_startup_outside --wine PROGRAMS BARE.exe FLOOR.exe
//                                   the Windows edition under wine: PROGRAMS is its folder
//                                   (zomir.exe, karbantartas.exe, zomir-data.exe and the DLLs),
//                                   BARE and FLOOR the Windows builds of the two comparison
//                                   programs, copied beside them; one wine prefix of its own
//                                   whose wineserver stays up between the starts, as a logged-in
//                                   Windows session does. A wine program's window belongs to
//                                   another process than the one started, so its first window is
//                                   the first new one on the screen, and its memory that process's.
//   bench_startup_outside --profile PREFIX
//                                   where each start goes: the phases the programs print
//                                   with ZOMIR_PROFILE_START set (controls/startupprofile.h),
//                                   the window mapped and the first frame, each since the
//                                   spawn and as a step from the phase before (medians), for
//                                   the game through its launcher and directly, the utility
//                                   and the bare window; then the dynamic loader's statistics
//                                   (LD_DEBUG=statistics) of each.
// Needs DISPLAY (e.g. ../shared/tools/xdisplay start). Prints "name: value" lines.

#include "db/engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QSet>
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
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

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

    // The processes that own a viewable window now.
    QSet<long> windowOwners()
    {
        QSet<long> owners;
        collectOwners(m_root, owners);
        return owners;
    }
    // A viewable window of a process that owned none in `before`; 0 when there is none yet.
    Window newViewableWindow(const QSet<long> &before, long *owner)
    {
        QSet<long> now;
        collectOwners(m_root, now);
        for (long pid : now)
            if (!before.contains(pid)) {
                if (Window w = find(m_root, pid_t(pid))) {
                    *owner = pid;
                    return w;
                }
            }
        return 0;
    }

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
    void collectOwners(Window parent, QSet<long> &owners)
    {
        Window root, up, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(m_dpy, parent, &root, &up, &children, &n))
            return;
        for (unsigned int i = 0; i < n; ++i) {
            XWindowAttributes a;
            const long pid = pidOf(children[i]);
            if (pid > 0 && XGetWindowAttributes(m_dpy, children[i], &a) && a.map_state == IsViewable && a.width > 1)
                owners.insert(pid);
            collectOwners(children[i], owners);
        }
        if (children)
            XFree(children);
    }
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
// `command` is the program and its arguments; with `anyNewWindow` (wine) the first window
// of a process that had none before counts, whichever process it is.
// With `profileFile`, the program is told to print its start's phases (controls/
// startupprofile.h) and its standard error goes to that file.
Start startOnce(XServer &display, const QStringList &command, const QString &folder, bool anyNewWindow = false,
                const QByteArray &profileFile = QByteArray())
{
    Start s;
    XImage *before = display.grabRoot();
    const QSet<long> owners = anyNewWindow ? display.windowOwners() : QSet<long>();
    long owner = -1;
    std::vector<QByteArray> words;
    for (const QString &word : command)
        words.push_back(QFile::encodeName(word));
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray &path = words.front();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (profileFile.isEmpty())
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 2, profileFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const QByteArray oldCwd = QFile::encodeName(QDir::currentPath());
    (void)chdir(QFile::encodeName(folder).constData());
    pid_t pid = 0;
    const double t0 = nowMs();
    if (!profileFile.isEmpty()) {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
        setenv("ZOMIR_PROFILE_START", "1", 1);
        setenv("ZOMIR_PROFILE_T0", QByteArray::number(qint64(ns)).constData(), 1);
    }
    const int spawned = posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), environ);
    if (!profileFile.isEmpty()) {
        unsetenv("ZOMIR_PROFILE_START");
        unsetenv("ZOMIR_PROFILE_T0");
    }
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
            w = anyNewWindow ? display.newViewableWindow(owners, &owner) : display.viewableWindowOf(pid);
            if (w)
                s.mappedMs = nowMs() - t0;
        }
        if (w && display.drawn(w, before)) {
            s.drawnMs = nowMs() - t0;
            break;
        }
        int status = 0;
        if (!anyNewWindow && waitpid(pid, &status, WNOHANG) == pid) {
            pid = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (w)
        s.title = display.title(w);
    if (owner > 0 && owner != pid) {
        s.peakKb = peakKbOf(pid_t(owner));
        kill(pid_t(owner), SIGKILL);
    }
    if (pid > 0) {
        if (owner <= 0 || owner == pid)
            s.peakKb = peakKbOf(pid);
        kill(pid, anyNewWindow ? SIGKILL : SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    if (anyNewWindow) {
        // The window of a killed wine process goes when the wineserver has noticed.
        const double gone = nowMs() + 5000;
        while (nowMs() < gone && display.windowOwners().contains(owner))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
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

// The student's folder as the first start leaves it (built by the content tool, the alias
// stored): every measured start is a later one, without a message. `contentTool` runs the
// tool (under wine for the Windows edition); `aliasFolder` is the folder as the programs
// name it.
bool makeStudentFolder(const QString &program, const QStringList &toolCommand, const QString &folder,
                       const QString &config, const QString &aliasFolder)
{
    QDir().mkpath(folder);
    QStringList args = toolCommand.mid(1);
    // The tool takes the folder as the programs name it (a Windows path under wine).
    args << QStringLiteral("--year") << QStringLiteral("2026") << (aliasFolder.startsWith(QLatin1Char('/')) ? folder : aliasFolder);
    QProcess tool;
    tool.setWorkingDirectory(folder);
    tool.setProgram(toolCommand.first());
    tool.setArguments(args);
    tool.start();
    if (!tool.waitForFinished(300000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        std::fprintf(stderr, "%s: the content tool failed\n", qPrintable(program));
        return false;
    }
    if (!aliasFolder.startsWith(QLatin1Char('/'))) {
        // A Windows path ("Z:/..."): written as it stands, where a session here would take
        // it for a relative one.
        QDir().mkpath(QFileInfo(config).absolutePath());
        QFile ini(config);
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Text))
            return false;
        ini.write(QStringLiteral("[%1]\nDRIVER=STANDARD\nPATH=%2/DB\n").arg(zdb::gameAlias(), aliasFolder).toUtf8());
        return true;
    }
    zdb::Session session(config);
    session.addStandardAlias(zdb::gameAlias(), aliasFolder + QStringLiteral("/DB"));
    session.saveConfig();
    return true;
}

QString wineProgram(const char *name)
{
    for (const QString &dir : {QStringLiteral("/usr/lib/wine"), QStringLiteral("/usr/bin")})
        if (QFileInfo(dir + QLatin1Char('/') + QLatin1String(name)).isExecutable())
            return dir + QLatin1Char('/') + QLatin1String(name);
    return QString();
}

}  // namespace

// The TSC's ticks a millisecond, against the steady clock (the dynamic loader's statistics
// count in them).
double tscTicksPerMs()
{
#if defined(__x86_64__) || defined(__i386__)
    const double start = nowMs();
    const unsigned long long ticks = __rdtsc();
    while (nowMs() - start < 100)
        ;
    return double(__rdtsc() - ticks) / (nowMs() - start);
#else
    return 0;
#endif
}

// LD_DEBUG=statistics of one start of `program` (ended once its window is drawn): the
// dynamic loader's time at the start, its share relocating and loading, the relocations.
void printLoaderStatistics(XServer &display, const char *name, const QString &program, const QString &folder,
                           const QString &errFile, double ticksPerMs)
{
    setenv("LD_DEBUG", "statistics", 1);
    startOnce(display, {program}, folder, false, QFile::encodeName(errFile));
    unsetenv("LD_DEBUG");
    QFile file(errFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // The first block is the start's, the second the exit's.
    const QList<QByteArray> lines = file.readAll().split('\n');
    const auto figure = [&](const char *key) -> double {
        for (const QByteArray &line : lines) {
            const int at = line.indexOf(key);
            if (at >= 0)
                return line.mid(at + int(std::strlen(key))).trimmed().split(' ').first().toDouble();
        }
        return -1;
    };
    const double total = figure("total startup time in dynamic loader:");
    const double relocation = figure("time needed for relocation:");
    const double load = figure("time needed to load objects:");
    if (total < 0)
        return;
    if (ticksPerMs > 0) {
        std::printf("profile_%s_loader_total_ms: %.1f\n", name, total / ticksPerMs);
        std::printf("profile_%s_loader_relocation_ms: %.1f\n", name, relocation / ticksPerMs);
        std::printf("profile_%s_loader_load_objects_ms: %.1f\n", name, load / ticksPerMs);
    }
    std::printf("profile_%s_loader_relocations: %.0f\n", name, figure("number of relocations:"));
    std::printf("profile_%s_loader_relative_relocations: %.0f\n", name, figure("number of relative relocations:"));
}

// --profile: where each program's start goes, spawn to first frame. The programs print
// their phases (ZOMIR_PROFILE_START); the bench adds the window mapped and the first frame
// seen by the X server. Each phase's median time since the spawn and the median of its
// step from the phase before, of `rounds` starts; then /bin/true's start and end, the
// floor of any process, and the dynamic loader's statistics.
int profile(XServer &display, const QList<std::pair<const char *, QStringList>> &programs, const QString &folder,
            const QString &scratch, int rounds)
{
    const QString errFile = scratch + QStringLiteral("/profile-stderr.txt");
    for (const auto &p : programs)   // once each first, for the file cache
        startOnce(display, p.second, folder, false, QFile::encodeName(errFile));
    std::printf("profile rounds: %d\n", rounds);
    for (const auto &p : programs) {
        QStringList order;
        QMap<QString, std::vector<double>> at, step;
        int missed = 0;
        for (int r = 0; r < rounds; ++r) {
            const Start s = startOnce(display, p.second, folder, false, QFile::encodeName(errFile));
            if (s.drawnMs < 0) {
                std::fprintf(stderr, "bench_startup_outside: %s showed no frame (round left out)\n", p.first);
                ++missed;
                continue;
            }
            // The program's phases in the order it printed them, each a step from the one
            // before; then what the X server showed, the first frame as a step from the end
            // of the first paint.
            QFile file(errFile);
            double before = 0;
            double paintDone = -1;
            if (file.open(QIODevice::ReadOnly))
                for (const QByteArray &line : file.readAll().split('\n')) {
                    if (!line.startsWith("zomir-profile "))
                        continue;
                    const int last = line.lastIndexOf(' ');
                    const QString name = QString::fromUtf8(line.mid(14, last - 14)).replace(QLatin1Char(' '), QLatin1Char('_'));
                    const double ms = line.mid(last + 1).toDouble();
                    if (!order.contains(name))
                        order.append(name);
                    at[name].push_back(ms);
                    step[name].push_back(ms - before);
                    before = ms;
                    if (name == QLatin1String("first_paint_done"))
                        paintDone = ms;
                }
            for (const char *x : {"x_window_mapped", "x_first_frame"})
                if (!order.contains(QLatin1String(x)))
                    order.append(QLatin1String(x));
            at[QStringLiteral("x_window_mapped")].push_back(s.mappedMs);
            at[QStringLiteral("x_first_frame")].push_back(s.drawnMs);
            if (paintDone >= 0)
                step[QStringLiteral("x_first_frame")].push_back(s.drawnMs - paintDone);
        }
        if (missed > 0)
            std::printf("profile_%s_rounds_without_frame: %d\n", p.first, missed);
        for (const QString &ph : order) {
            std::printf("profile_%s_%s_ms: %.1f\n", p.first, qPrintable(ph), median(at[ph]));
            if (!step[ph].empty())
                std::printf("profile_%s_%s_step_ms: %.1f\n", p.first, qPrintable(ph), median(step[ph]));
        }
    }
    // The floor of a process's start: /bin/true from the spawn to its exit.
    std::vector<double> floor;
    for (int r = 0; r < rounds; ++r) {
        char truePath[] = "/bin/true";
        char *trueArgv[] = {truePath, nullptr};
        pid_t pid = 0;
        const double t0 = nowMs();
        if (posix_spawn(&pid, truePath, nullptr, nullptr, trueArgv, environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            floor.push_back(nowMs() - t0);
        }
    }
    std::printf("profile_bin_true_spawn_to_exit_ms: %.2f\n", median(floor));
    const double ticks = tscTicksPerMs();
    for (const auto &p : programs)   // the launcher script's own loading would come first
        if (qstrcmp(p.first, "game") != 0)
            printLoaderStatistics(display, p.first, p.second.last(), folder, errFile, ticks);
    return 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool profiling = argc >= 3 && qstrcmp(argv[1], "--profile") == 0;
    if (profiling) {
        --argc;
        ++argv;
    }
    const bool wine = argc >= 2 && qstrcmp(argv[1], "--wine") == 0;
    if (argc < 2 || (wine && argc < 5)) {
        std::fprintf(stderr, "usage: bench_startup_outside PREFIX\n"
                             "       bench_startup_outside --profile PREFIX\n"
                             "       bench_startup_outside --wine PROGRAMS BARE.exe FLOOR.exe\n");
        return 2;
    }
    XServer display;
    if (!display.ok()) {
        std::fprintf(stderr, "bench_startup_outside: no X display (DISPLAY)\n");
        return 2;
    }
    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral(".local/share"));
    const QString config = home.filePath(QStringLiteral(".config"));
    QString folder = data + QStringLiteral("/zomir");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("ZOMIR_BENCH_KEEP_OPEN", "1");   // the bare and the floor window stay shown

    QList<std::pair<const char *, QStringList>> programs;
    const char *kind = "outside";
    QString wineserver;
    if (!wine) {
        const QString prefix = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
        if (!makeStudentFolder(QStringLiteral("bench_startup_outside"),
                               {prefix + QStringLiteral("/libexec/zomir/zomir-data")}, folder,
                               config + QStringLiteral("/zomir/tablaengine.ini"), folder))
            return 1;
        programs = {
            {"bare_window", {QStringLiteral(ZOMIR_BARE_PROGRAM)}},
            {"floor_window", {QStringLiteral(ZOMIR_FLOOR_PROGRAM)}},
            {"game", {prefix + QStringLiteral("/bin/zomir")}},
            {"utility", {prefix + QStringLiteral("/bin/karbantartas")}},
        };
    } else {
        kind = "wine";
        const QString wine64 = wineProgram("wine64");
        wineserver = wineProgram("wineserver");
        if (wine64.isEmpty() || wineserver.isEmpty()) {
            std::fprintf(stderr, "bench_startup_outside: no wine64 or wineserver\n");
            return 2;
        }
        // The programs' folder with the two comparison programs beside them, so that all
        // four find the same DLLs and plugins.
        const QString dir = home.filePath(QStringLiteral("Zomir"));
        if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QString::fromLocal8Bit(argv[2]), dir}) != 0
            || !QFile::copy(QString::fromLocal8Bit(argv[3]), dir + QStringLiteral("/bare_window.exe"))
            || !QFile::copy(QString::fromLocal8Bit(argv[4]), dir + QStringLiteral("/floor_window.exe"))) {
            std::fprintf(stderr, "bench_startup_outside: the programs could not be copied\n");
            return 1;
        }
        qputenv("WINEPREFIX", QFile::encodeName(home.filePath(QStringLiteral("wine"))));
        qputenv("WINEDEBUG", "-all");
        qputenv("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d");
        qunsetenv("WINEPATH");
        qunsetenv("QT_PLUGIN_PATH");
        // One server for the whole run, as one Windows session.
        QProcess::execute(wineserver, {QStringLiteral("-p")});
        QProcess::execute(wine64, {QStringLiteral("wineboot"), QStringLiteral("--init")});
        // Wine names the Windows user after the Unix account.
        const struct passwd *account = getpwuid(getuid());
        const QByteArray user = account ? QByteArray(account->pw_name) : qgetenv("USER");
        // The student's folder where the Windows game keeps it, %LOCALAPPDATA%\Zomir, with
        // the alias file beside it (Windows ignores the case of "zomir").
        const QString local = QStringLiteral("/drive_c/users/%1/AppData/Local").arg(QString::fromLocal8Bit(user));
        folder = home.filePath(QStringLiteral("wine")) + local + QStringLiteral("/Zomir");
        if (!makeStudentFolder(QStringLiteral("bench_startup_outside"),
                               {wine64, dir + QStringLiteral("/zomir-data.exe")}, folder,
                               folder + QStringLiteral("/tablaengine.ini"),
                               QStringLiteral("C:") + local.mid(QStringLiteral("/drive_c").size()) + QStringLiteral("/Zomir")))
            return 1;
        programs = {
            {"bare_window", {wine64, dir + QStringLiteral("/bare_window.exe")}},
            {"floor_window", {wine64, dir + QStringLiteral("/floor_window.exe")}},
            {"game", {wine64, dir + QStringLiteral("/zomir.exe")}},
            {"utility", {wine64, dir + QStringLiteral("/karbantartas.exe")}},
        };
    }

    const int asked = qEnvironmentVariableIntValue("ZOMIR_BENCH_ROUNDS");
    const int rounds = asked > 0 ? asked : 9;
    if (profiling && !wine) {
        const QString prefix = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
        // The game as the menu starts it (its launcher script), and its program directly.
        return profile(display,
                       {{"game", {prefix + QStringLiteral("/bin/zomir")}},
                        {"game_program", {prefix + QStringLiteral("/libexec/zomir/zomir")}},
                        {"utility", {prefix + QStringLiteral("/bin/karbantartas")}},
                        {"bare_window", {QStringLiteral(ZOMIR_BARE_PROGRAM)}}},
                       folder, home.path(), rounds);
    }
    for (const auto &p : programs)   // once each first, for the file cache
        startOnce(display, p.second, folder, wine);
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
            const Start s = startOnce(display, programs[i].second, folder, wine);
            if (s.drawnMs < 0) {
                std::fprintf(stderr, "bench_startup_outside: %s showed no frame\n", programs[i].first);
                if (wine)
                    QProcess::execute(wineserver, {QStringLiteral("-k")});
                return 1;
            }
            mapped[i].push_back(s.mappedMs);
            drawn[i].push_back(s.drawnMs);
            peak[i].push_back(double(s.peakKb));
            titles[i] = s.title;
        }
    }
    if (wine)
        QProcess::execute(wineserver, {QStringLiteral("-k")});
    std::printf("rounds: %d\n", rounds);
    QList<Medians> m;
    for (int i = 0; i < programs.size(); ++i) {
        Medians x{median(mapped[i]), median(drawn[i]), median(peak[i]), titles[i]};
        m.append(x);
        std::printf("%s_%s_first_window: %s\n", kind, programs[i].first, qPrintable(x.title));
        std::printf("%s_%s_mapped_ms: %.1f\n", kind, programs[i].first, x.mapped);
        std::printf("%s_%s_first_frame_ms: %.1f\n", kind, programs[i].first, x.drawn);
        std::printf("%s_%s_peak_kb: %.0f\n", kind, programs[i].first, x.peak);
    }
    std::printf("%s_game_floor_ratio: %.2f\n", kind, m[2].drawn / m[1].drawn);
    std::printf("%s_game_bare_ratio: %.2f\n", kind, m[2].drawn / m[0].drawn);
    std::printf("%s_utility_bare_ratio: %.2f\n", kind, m[3].drawn / m[0].drawn);
    std::printf("%s_game_peak_memory_bare_ratio: %.2f\n", kind, m[2].peak / m[0].peak);
    std::printf("%s_utility_peak_memory_bare_ratio: %.2f\n", kind, m[3].peak / m[0].peak);
    return 0;
}
