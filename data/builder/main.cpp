// zomir-data <folder>: builds a complete working folder of the game in <folder>.
// zomir-data --server <connection> [--student-role R] [--teacher-role R]: fills a
// PostgreSQL database with the same tables for a classroom.

#include "workfolder.h"

#include <QGuiApplication>
#include <QTextStream>

#include <exception>

namespace {

const char kUsage[] =
    "Usage: zomir-data <folder>\n"
    "       zomir-data --server <connection> [--student-role <role>] [--teacher-role <role>]\n"
    "\n"
    "The first form builds the game's working folder (database, profession pictures, career\n"
    "sheets, recommendation clauses) in <folder>, creating it when missing.\n"
    "\n"
    "The second fills a PostgreSQL database with the game's tables and content, for a class\n"
    "whose PCs all use that server. <connection> is \"host=H port=P dbname=D user=U\" or\n"
    "postgresql://U@H:P/D; the password comes from ~/.pgpass (or $PGPASSWORD), never from\n"
    "the command line. The connecting role becomes the tables' owner. The players' table is\n"
    "kept when present. The login roles for the students' PCs (default zomir_diak: reads\n"
    "everything, writes only the players' table) and for the teacher's utility (default\n"
    "zomir_tanar: writes every table) are created when missing and given their rights.\n";

}  // namespace

int main(int argc, char *argv[])
{
    // Pictures are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    try {
        if (args.size() >= 3 && args[1] == QLatin1String("--server")) {
            QString student = QStringLiteral("zomir_diak");
            QString teacher = QStringLiteral("zomir_tanar");
            for (int i = 3; i < args.size(); i += 2) {
                if (i + 1 >= args.size()) {
                    err << kUsage;
                    return 2;
                }
                if (args[i] == QLatin1String("--student-role")) {
                    student = args[i + 1];
                } else if (args[i] == QLatin1String("--teacher-role")) {
                    teacher = args[i + 1];
                } else {
                    err << kUsage;
                    return 2;
                }
            }
            QTextStream(stdout) << content::buildServerDatabase(args[2], student, teacher) << '\n';
            return 0;
        }
        if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
            err << kUsage;
            return 2;
        }
        QStringList notices;
        const QString summary = content::buildWorkFolder(args[1], &notices);
        for (const QString &notice : notices)
            err << "zomir-data: " << notice << '\n';
        err.flush();
        QTextStream(stdout) << summary << '\n';
    } catch (const std::exception &e) {
        err << "zomir-data: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    return 0;
}
