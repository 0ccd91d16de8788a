// zomir-data [--year Y] <folder>: builds a complete working folder of the game in <folder>.
// zomir-data --server <connection> [--year Y] [--student-role R] [--teacher-role R]: fills a
// PostgreSQL database with the same tables for a classroom.
// zomir-data --payslip <folder> <gross> <children> <partner's net>: prints the pay statement
// of the folder's tax year.

#include "data/builder/payslip.h"
#include "data/builder/workfolder.h"

#include <QGuiApplication>
#include <QTextStream>

#include <exception>

namespace {

const char kUsage[] =
    "Usage: zomir-data [--year 2010|2026] <folder>\n"
    "       zomir-data --server <connection> [--year 2010|2026] [--student-role <role>] [--teacher-role <role>]\n"
    "       zomir-data --payslip <folder> <gross> <children> <partner's net>\n"
    "\n"
    "The first form builds the game's working folder (database, profession pictures, career\n"
    "sheets, recommendation clauses) in <folder>, creating it when missing, with the payroll\n"
    "law, wages and prices of the year given. Without --year a folder built before keeps its\n"
    "year, and a new folder gets 2010.\n"
    "\n"
    "The second fills a PostgreSQL database with the game's tables and content, for a class\n"
    "whose PCs all use that server. <connection> is \"host=H port=P dbname=D user=U\" or\n"
    "postgresql://U@H:P/D; the password comes from ~/.pgpass (or $PGPASSWORD), never from\n"
    "the command line. The connecting role becomes the tables' owner. The players' table is\n"
    "kept when present. Without --year the database keeps its year (2010 when it has none).\n"
    "The login roles for the students' PCs (default zomir_diak: reads everything, writes only\n"
    "the players' table) and for the teacher's utility (default zomir_tanar: writes every\n"
    "table) are created when missing and given their rights.\n"
    "\n"
    "The third prints, one \"name: value\" line a figure, the pay statement of a monthly gross\n"
    "wage for a family with the number of children and the partner's net income given, under\n"
    "the law of the folder's year and with the tax tables of its database.\n";

const char kPayslipUsage[] =
    "Használat: zomir-data --payslip <munkamappa> <bruttó bér> <gyerekek száma> <a partner nettó jövedelme>\n"
    "A bruttó bér és a partner nettó jövedelme egész forint (0 vagy több), a gyerekek száma 0 és 10 között.\n";

// A whole number from `low` to `high`, or nothing.
bool wholeNumber(const QString &text, qint64 low, qint64 high, qint64 *value)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

// Takes "--year Y" out of the arguments; 0 when it is not there. False for a --year with
// no whole number after it.
bool takeYear(QStringList &args, int *year)
{
    *year = 0;
    const int i = args.indexOf(QStringLiteral("--year"));
    if (i < 0)
        return true;
    if (i + 1 >= args.size())
        return false;
    bool ok = false;
    *year = args[i + 1].toInt(&ok);
    args.remove(i, 2);
    return ok;
}

}  // namespace

int main(int argc, char *argv[])
{
    // Pictures are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    try {
        if (args.size() >= 2 && args[1] == QLatin1String("--payslip")) {
            qint64 gross = 0, children = 0, partner = 0;
            if (args.size() != 6 || !wholeNumber(args[3], 0, 100000000, &gross)
                || !wholeNumber(args[4], 0, 10, &children) || !wholeNumber(args[5], 0, 100000000, &partner)) {
                err << QString::fromUtf8(kPayslipUsage);
                return 2;
            }
            const QString db = args[2] + QStringLiteral("/DB");
            QTextStream(stdout) << content::payslipText(content::readFolderPayroll(db), gross, children, partner);
            return 0;
        }
        int year = 0;
        if (!takeYear(args, &year)) {
            err << kUsage;
            return 2;
        }
        if (year != 0)
            content::requireContentYear(year);
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
            QTextStream(stdout) << content::buildServerDatabase(args[2], student, teacher, year) << '\n';
            return 0;
        }
        if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
            err << kUsage;
            return 2;
        }
        QStringList notices;
        const QString summary = content::buildWorkFolder(args[1], &notices, year);
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
