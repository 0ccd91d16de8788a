// Start-up of the game: the time from the process start to the opening screen painted, and
// the peak resident memory at that moment, beside a bare Qt Widgets program that shows one
// empty window and beside the floor (that window plus the work no version of the game can
// avoid: a label in the game's font, one picture of the resources, one table read through
// Qt SQL), measured in the same run. Each figure is the median of several starts.
//   bench_startup            runs the comparison and prints "name: value" lines
//   bench_startup --game     (internal) one start of the game, printing its two figures
// The game runs on ZOMIR_WORKFOLDER when that folder exists, else on empty tables.

#include "controls/application.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/nyito.h"
#include "db/schema.h"
#include "bench/startup_parent.h"
#include "game/sugo.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <cstdio>

using startupprobe::Figures;
using startupprobe::median;
using startupprobe::runChild;

namespace {

// With ZOMIR_BENCH_STAGES set, the time since the process start at each stage goes to the
// standard error, for the profile of the start.
void stage(const char *name)
{
    if (!qEnvironmentVariableIsSet("ZOMIR_BENCH_STAGES"))
        return;
    const long long t0 = qEnvironmentVariable("ZOMIR_BENCH_T0").toLongLong();
    std::fprintf(stderr, "%s: %.1f ms\n", name, (startupprobe::nowNs() - t0) / 1e6);
}

int runGame(int argc, char *argv[])
{
    stage("main");
    ZApplication app(argc, argv);
    stage("application");
    app.setQuitOnLastWindowClosed(false);
    WidgetDialogs dialogs;
    app.setDialogs(&dialogs);
    std::unique_ptr<THelpWindow> help;   // made on first use, as the program does
    dialogs.helpHandler = [&help](int context) {
        if (!help)
            help = std::make_unique<THelpWindow>();
        help->showTopic(context, QApplication::activeWindow());
    };
    zdb::Session session;
    Game game(&session, &dialogs);
    // As the program starts: the opening screen's part, the rest after its first paint.
    if (!game.createOpening())
        return 2;
    stage("opening screen and data module made");
    new startupprobe::FirstPaint(game.fIndul);
    game.start();
    game.createRestAfterFirstPaint();
    stage("opening screen shown");
    return app.exec();
}


}  // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--game") == 0)
        return runGame(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    QString folder = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    const bool content = !folder.isEmpty() && QDir(folder).exists(QStringLiteral("DB"));
    if (!content) {
        folder = temp.filePath(QStringLiteral("work"));
        QDir().mkpath(folder + QStringLiteral("/DB"));
        for (const zdb::TableDef &def : zdb::schema())
            zdb::createTable(folder + QStringLiteral("/DB"), def);
    }
    // The alias exists already, as at every start after the first: no message is shown.
    const QString configHome = temp.filePath(QStringLiteral("config"));
    const QProcessEnvironment env =
        startupprobe::childEnvironment(configHome, QDir(folder).absoluteFilePath(QStringLiteral("DB")));

    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QStringLiteral(ZOMIR_BARE_PROGRAM);
    const QString floorProgram = QStringLiteral(ZOMIR_FLOOR_PROGRAM);
    const int rounds = startupprobe::rounds();

    // One start of each first, so that both find the libraries in the file cache.
    runChild(bare, {}, folder, env);
    runChild(floorProgram, {}, folder, env);
    runChild(self, {QStringLiteral("--game")}, folder, env);

    QList<double> bareMs, bareKb, floorMs, floorKb, gameMs, gameKb;
    for (int i = 0; i < rounds; ++i) {
        const Figures b = runChild(bare, {}, folder, env);
        const Figures f = runChild(floorProgram, {}, folder, env);
        const Figures g = runChild(self, {QStringLiteral("--game")}, folder, env);
        if (b.ms < 0 || f.ms < 0 || g.ms < 0) {
            std::fprintf(stderr, "bench_startup: a start did not report (bare %.1f, floor %.1f, game %.1f)\n",
                         b.ms, f.ms, g.ms);
            return 1;
        }
        bareMs << b.ms;
        bareKb << b.kb;
        floorMs << f.ms;
        floorKb << f.kb;
        gameMs << g.ms;
        gameKb << g.kb;
    }

    const double bMs = median(bareMs), gMs = median(gameMs), bKb = median(bareKb), gKb = median(gameKb);
    const double fMs = median(floorMs), fKb = median(floorKb);
    std::printf("platform: %s\n", qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"))));
    std::printf("content_folder: %d\n", content ? 1 : 0);
    std::printf("rounds: %d\n", rounds);
    std::printf("bare_window_shown_ms: %.1f\n", bMs);
    std::printf("game_opening_screen_shown_ms: %.1f\n", gMs);
    std::printf("floor_window_shown_ms: %.1f\n", fMs);
    std::printf("startup_time_ratio: %.2f\n", gMs / bMs);
    std::printf("startup_floor_ratio: %.2f\n", gMs / fMs);
    std::printf("bare_window_peak_kb: %.0f\n", bKb);
    std::printf("game_opening_screen_peak_kb: %.0f\n", gKb);
    std::printf("floor_window_peak_kb: %.0f\n", fKb);
    std::printf("peak_memory_ratio: %.2f\n", gKb / bKb);
    std::printf("peak_memory_floor_ratio: %.2f\n", gKb / fKb);
    return 0;
}
