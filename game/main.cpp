// The game program zomir: sets up the application, creates the screen set and runs it.

#include "controls/application.h"
#include "controls/dialogs.h"
#include "controls/startupprofile.h"
#include "game/elsoinditas.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/sugo.h"

#include <QIcon>
#include <QLocale>

#include <memory>

namespace {
// Runs among the program's static initialisers, once its libraries are loaded and linked.
const bool loadedPhase = (startupprofile::phase("loaded"), true);
}  // namespace

int main(int argc, char *argv[])
{
    startupprofile::phase("main");
    ZApplication app(argc, argv);
    startupprofile::phase("application");
    app.setApplicationName(QStringLiteral("zomir"));
    // Message boxes carry the program's title; window titles stay exactly as each screen
    // sets them (no application display name for Qt to append).
    app.setTitle(QStringLiteral("Zomir"));
    // Amounts are forints and every text is Hungarian: numbers and money are shown and read
    // in the Hungarian form ("12 345 Ft"), whatever language the machine itself is set to.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    app.setWindowIcon(QIcon(QStringLiteral(":/pict/zomir.png")));
    // The program ends only through its own ways (opening screen, credits), never because
    // no window happens to be visible for a moment.
    app.setQuitOnLastWindowClosed(false);

    WidgetDialogs dialogs;
    app.setDialogs(&dialogs);
    // The help window is made when help is first asked for.
    std::unique_ptr<THelpWindow> help;
    dialogs.helpHandler = [&help](int context) {
        if (!help)
            help = std::make_unique<THelpWindow>();
        help->showTopic(context, QApplication::activeWindow());
    };

    try {
        zdb::Session session;
        // "--server <connection>" points the database alias at a classroom server for good.
        zdb::pointAliasAtServer(session, app.arguments());
        // Installed or unzipped, the game works in the student's own folder, built on the
        // first start.
        prepareStudentFolder(session);
        startupprofile::phase("settings and folder");
        Game game(&session, &dialogs);
        QObject::connect(&game, &Game::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        // Cancelling the database location dialog stops the program at once. The screens
        // the opening screen does not need are made once it is painted.
        if (!game.createOpening())
            return 0;
        startupprofile::phase("first window made");
        startupprofile::FirstPaint::watch();
        game.start();
        startupprofile::phase("first window shown");
        game.createRestAfterFirstPaint();
        return app.exec();
    } catch (const std::exception &e) {
        app.showError(errorMessage(e));
    }
    return 1;
}
