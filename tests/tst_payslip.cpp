// The pay statement the content tool prints for a built working folder (zomir-data
// --payslip DIR G N P): every figure of the folder's year, by the rule set's names, equal
// to the rule set's own statement. The 2010 folder's tables are read through the game's
// loader; the 2026 statement is compared with the law of 2026 itself (Tables2026's
// defaults), so the folder's tables must map onto exactly those parameters.

#include "db/engine.h"
#include "game/jadat.h"
#include "rules/payroll.h"
#include "game/payrolldata.h"
#include "rules/taxyear.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace payroll;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &args)
{
    ToolRun run;
#ifdef ZOMIR_DATA_TOOL
    QProcess tool;
    tool.start(QStringLiteral(ZOMIR_DATA_TOOL), args);
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
#else
    Q_UNUSED(args);
#endif
    return run;
}

QString folderOf(int year)
{
    return qEnvironmentVariable(year == 2026 ? "ZOMIR_WORKFOLDER_2026" : "ZOMIR_WORKFOLDER");
}

}  // namespace

class TestPayslip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#endif
    }

    void statementOfTheFolderYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<qint64>("gross");
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("partner");
        // 2010: the minimum wage, the year's average wage, the upper tax band; children of
        // every allowance level.
        QTest::newRow("2010 minimum wage, none") << 2010 << qint64(73500) << 0 << qint64(0);
        QTest::newRow("2010 average, 3 children") << 2010 << qint64(202525) << 3 << qint64(80000);
        QTest::newRow("2010 upper band, 1 child") << 2010 << qint64(450000) << 1 << qint64(150000);
        // 2026: the minimum wage with 2 and 3 children (the allowance spills onto the TB, and
        // for 3 takes it all), an average wage, a wage odd in the last digits (halves up).
        QTest::newRow("2026 minimum wage, 2 children") << 2026 << qint64(322800) << 2 << qint64(0);
        QTest::newRow("2026 minimum wage, 3 children") << 2026 << qint64(322800) << 3 << qint64(272000);
        QTest::newRow("2026 average, none") << 2026 << qint64(705000) << 0 << qint64(400000);
        QTest::newRow("2026 odd wage, 4 children") << 2026 << qint64(1234567) << 4 << qint64(313000);
        QTest::newRow("2026 odd wage, 1 child") << 2026 << qint64(373201) << 1 << qint64(1);
    }
    void statementOfTheFolderYear()
    {
        QFETCH(int, year);
        QFETCH(qint64, gross);
        QFETCH(int, children);
        QFETCH(qint64, partner);
        const QString folder = folderOf(year);
        if (folder.isEmpty() || !QDir(folder).exists(QStringLiteral("DB")))
            QSKIP("No built working folder of the year");

        const RuleSet *rules = ruleSetFor(year);
        QVERIFY(rules);
        WageInputs in;
        in.G = gross;
        in.N = children;
        in.P = partner;
        QMap<int, qint64> expected;
        if (year == 2010) {
            QTemporaryDir config;
            zdb::Session session(config.filePath(QStringLiteral("engine.ini")));
            session.addStandardAlias(QStringLiteral("DB_ZOMIR"), QDir(folder).filePath(QStringLiteral("DB")));
            TDataModule2 dm2(&session);
            expected = rules->statement(LoadPayrollTables(&dm2), bracketFinder(&dm2), in);
        } else {
            expected = rules->statement(PayrollTables(), BracketFinder(), in);
        }

        const ToolRun run = runTool({QStringLiteral("--payslip"), folder, QString::number(gross),
                                     QString::number(children), QString::number(partner)});
        QCOMPARE(run.exitCode, 0);
        QStringList expectedLines;
        for (const Figure &f : rules->figures())
            expectedLines << QStringLiteral("%1: %2").arg(f.key).arg(expected.value(f.number));
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expectedLines);
    }

    // A known 2026 case worked by hand: 322,800 Ft with two children leaves 28,140 Ft of TB.
    void minimumWageWithTwoChildren2026()
    {
        const QString folder = folderOf(2026);
        if (folder.isEmpty())
            QSKIP("No built working folder of 2026");
        const ToolRun run = runTool({QStringLiteral("--payslip"), folder, QStringLiteral("322800"),
                                     QStringLiteral("2"), QStringLiteral("0")});
        QCOMPARE(run.exitCode, 0);
        for (const char *line : {"taxPaid: 0", "contribution: 59718", "contributionAllowance: 31578",
                                 "deductionsTotal: 28140", "netWage: 294660", "familyAllowance: 26600",
                                 "employerCost: 364764"})
            QVERIFY2(run.out.contains(QLatin1String(line) + QLatin1Char('\n')), line);
    }

    void wrongArgumentsAreRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        const QString f = folderOf(2026);
        const QString usage = QStringLiteral("Használat: zomir-data --payslip");
        QTest::newRow("nothing after the option") << QStringList{"--payslip"} << 2 << usage;
        QTest::newRow("no partner") << QStringList{"--payslip", f, "300000", "1"} << 2 << usage;
        QTest::newRow("one too many") << QStringList{"--payslip", f, "300000", "1", "0", "9"} << 2 << usage;
        QTest::newRow("gross not a number") << QStringList{"--payslip", f, "300e3", "1", "0"} << 2 << usage;
        QTest::newRow("gross with a fraction") << QStringList{"--payslip", f, "300000.5", "1", "0"} << 2 << usage;
        QTest::newRow("negative gross") << QStringList{"--payslip", f, "-1", "1", "0"} << 2 << usage;
        QTest::newRow("eleven children") << QStringList{"--payslip", f, "300000", "11", "0"} << 2 << usage;
        QTest::newRow("negative partner") << QStringList{"--payslip", f, "300000", "1", "-5"} << 2 << usage;
        QTest::newRow("no working folder") << QStringList{"--payslip", QDir::tempPath() + "/nincs-ilyen-mappa",
                                                          "300000", "1", "0"}
                                           << 1 << QStringLiteral("Nincs adatbázis");
    }
    void wrongArgumentsAreRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        const ToolRun run = runTool(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
    }
};

ZOMIR_TEST_MAIN(TestPayslip)
#include "tst_payslip.moc"
