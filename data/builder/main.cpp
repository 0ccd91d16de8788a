// zomir-data <folder>: builds a complete working folder of the game in <folder>.

#include "workfolder.h"

#include <QGuiApplication>
#include <QTextStream>

#include <exception>

int main(int argc, char *argv[])
{
    // Pictures are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        err << "Usage: zomir-data <folder>\n"
               "Builds the game's working folder (database, profession pictures, career sheets,\n"
               "recommendation clauses) in <folder>, creating it when missing.\n";
        return 2;
    }
    try {
        QTextStream(stdout) << content::buildWorkFolder(args[1]) << '\n';
    } catch (const std::exception &e) {
        err << "zomir-data: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    return 0;
}
