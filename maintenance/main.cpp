// The maintenance utility karbantartas: one window over the game's database. It opens the
// tables through the alias the game set up at its first start; without it, it stops with
// the table engine's message.

#include "maintenance/Unit1.h"
#include "controls/application.h"
#include "controls/dialogs.h"
#include "controls/startupprofile.h"
#include "db/engine.h"

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
    app.setApplicationName(QStringLiteral("karbantartas"));
    // Window titles are exactly the window's own; message boxes take the program's title.
    app.setTitle(QStringLiteral("Dedarudorazo v2"));
    // Amounts are forints and every text is Hungarian: numbers and money are shown and read
    // in the Hungarian form ("12 345 Ft"), whatever language the machine itself is set to.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    app.setWindowIcon(QIcon(QStringLiteral(":/pict/karbantartas.png")));
    WidgetDialogs dialogs;
    app.setDialogs(&dialogs);
    try {
        zdb::Session session;
        // "--server <connection>" points the database alias at a classroom server for good.
        zdb::pointAliasAtServer(session, app.arguments());
        startupprofile::phase("settings");
        // The pages behind the first are made once the window is painted.
        TZomir0001 window(&session, &dialogs, nullptr, TZomir0001::Pages::FirstPageFirst);
        startupprofile::phase("first window made");
        startupprofile::FirstPaint::watch();
        window.show();
        startupprofile::phase("first window shown");
        return app.exec();
    } catch (const zdb::EngineError &e) {
        app.showError(e.message());
    } catch (const std::exception &e) {
        app.showError(QString::fromUtf8(e.what()));
    }
    return 1;
}
