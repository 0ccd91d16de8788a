// The maintenance utility karbantartas: one window over the game's database. It opens the
// tables through the alias the game set up at its first start; without it, it stops with
// the table engine's message.

#include "Unit1.h"
#include "application.h"
#include "dialogs.h"
#include "engine.h"

#include <QIcon>

#include <memory>

int main(int argc, char *argv[])
{
    ZApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("karbantartas"));
    app.setApplicationDisplayName(QStringLiteral("Dedarudorazo v2"));
    app.setWindowIcon(QIcon(QStringLiteral(":/pict/karbantartas.png")));
    WidgetDialogs dialogs;
    app.setDialogs(&dialogs);
    try {
        zdb::Session session;
        TZomir0001 window(&session, &dialogs);
        window.show();
        return app.exec();
    } catch (const zdb::EngineError &e) {
        app.showError(e.message());
    } catch (const std::exception &e) {
        app.showError(QString::fromUtf8(e.what()));
    }
    return 1;
}
