// The payroll rules: rounding, the band search, the tax credit, both monthly tax
// advances, contributions and family allowances, over tax tables given in code and over
// tax tables read through DataModule2 from table files.

#include "db/engine.h"
#include "game/jadat.h"
#include "game/payrolldata.h"
#include "rules/taxyear.h"
#include "db/schema.h"
#include "tests/support/testenv.h"

#include <QDir>

#include <memory>
#include <stdexcept>

using namespace payroll;

namespace {

// The 2010 Hungarian figures: 27 % employer contribution, 17 % tax up to 5 000 000 Ft a
// year and 850 000 Ft + 32 % above, a credit of 17 % up to 181 200 Ft a year, full up to
// 3 188 000 Ft and shrinking by 12 % of the excess to nothing at 4 698 000 Ft; family
// allowance 12 200 / 13 300 / 16 000 Ft per child, tax allowance 4 000 Ft per child
// from three children.
PayrollTables tables2010()
{
    PayrollTables t;
    t.employeeRate = 1.5 / 100;
    t.pensionRate = 9.5 / 100;
    t.healthRate = 6.0 / 100;
    t.employerRate = 27.0 / 100;
    t.creditLimit = 3188000;
    t.creditMaximum = 181200;
    t.creditUpperLimit = 4698000;
    t.creditRate = 17.0 / 100;
    t.creditReductionRate = 12.0 / 100;
    t.storedCredit = t.credit();
    t.allowancePerChild = {0, 12200, 13300, 16000};
    t.taxAllowancePerChild = {0, 0, 0, 4000};
    return t;
}

const QVector<TaxBracket> bands2010 = {{1, 5000000, 0, 17}, {5000001, 1e10, 850000, 32}};

void expectThrow(const std::function<void()> &f, const QString &part)
{
    try {
        f();
    } catch (const std::exception &e) {
        const QString what = QString::fromUtf8(e.what());
        QVERIFY2(what.contains(part), qPrintable(what));
        return;
    }
    QFAIL("no exception");
}

// A folder with the three tax tables, a session whose alias DB_ZOMIR points at it, and
// DataModule2 over it.
struct TaxDb {
    QTemporaryDir dir;
    std::unique_ptr<zdb::Session> session;
    std::unique_ptr<TDataModule2> dm;

    TaxDb()
    {
        QDir().mkpath(db());
        for (const char *name : {"adokulcs.db", "jarulek.db", "gyerek.db"})
            zdb::createTable(db(), *zdb::findTable(QString::fromLatin1(name)));
        session = std::make_unique<zdb::Session>(dir.filePath("engine.ini"));
        session->addStandardAlias("DB_ZOMIR", db());
        dm = std::make_unique<TDataModule2>(session.get());
    }
    QString db() const { return dir.filePath("DB"); }

    void add(const QString &file, const QStringList &fields, const QVariantList &values)
    {
        zdb::Table t(session.get());
        t.setAliasName("DB_ZOMIR");
        t.setTableName(file);
        t.open();
        t.append();
        for (int i = 0; i < fields.size(); ++i)
            t.fieldByName(fields[i]).setValue(values[i]);
        t.post();
        t.close();
    }
    void addBand(const TaxBracket &b)
    {
        add("adokulcs.db", {"Also", "Felso", "Osszeg", "Szazalek"}, {b.Also, b.Felso, b.Osszeg, b.Szazalek});
    }
    void addRates(const QVariantList &values)
    {
        add("jarulek.db",
            {"Ebizt", "Mvjarulek", "Nybjarulek", "MUNKALTATO_JARULEK", "Ajhatar", "Ajosszeg", "Ajkulcs",
             "Ajfelsoh", "Ajcsokulcs"},
            values);
    }
    void addChildRow(const QString &name, double one, double two, double three)
    {
        add("gyerek.db", {"Megnevezes", "1gyerek", "2gyerek", "3gyerek"}, {name, one, two, three});
    }
    void fill2010()
    {
        for (const TaxBracket &b : bands2010)
            addBand(b);
        addRates({6.0, 1.5, 9.5, 27.0, 3188000.0, 181200.0, 17.0, 4698000.0, 12.0});
        addChildRow(QString::fromUtf8("Családi pótlék"), 12200, 13300, 16000);
        addChildRow(QString::fromUtf8("Családi adókedvezmény"), 0, 0, 4000);
    }
    bool allClosed() const
    {
        return !dm->Tbl1->active() && !dm->Tbl2->active() && !dm->Tbl3->active();
    }
};

void compareTables(const PayrollTables &a, const PayrollTables &b)
{
    QCOMPARE(a.employeeRate, b.employeeRate);
    QCOMPARE(a.pensionRate, b.pensionRate);
    QCOMPARE(a.healthRate, b.healthRate);
    QCOMPARE(a.employerRate, b.employerRate);
    QCOMPARE(a.creditLimit, b.creditLimit);
    QCOMPARE(a.creditMaximum, b.creditMaximum);
    QCOMPARE(a.creditUpperLimit, b.creditUpperLimit);
    QCOMPARE(a.creditRate, b.creditRate);
    QCOMPARE(a.creditReductionRate, b.creditReductionRate);
    QCOMPARE(a.allowancePerChild, b.allowancePerChild);
    QCOMPARE(a.taxAllowancePerChild, b.taxAllowancePerChild);
}

}  // namespace

class TestPayroll : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundToFive_data();
    void roundToFive();
    void roundHalvesToEven_data();
    void roundHalvesToEven();
    void roundRefusesWhatIsNoAmount();
    void superGrossHalves_data();
    void superGrossHalves();
    void findTaxBracket_data();
    void findTaxBracket();
    void bandBoundaryChangesTheTax();
    void taxCredit_data();
    void taxCredit();
    void zeroCreditRateIsAnError();
    void taxAdvances_data();
    void taxAdvances();
    void negativeTaxAdvance_data();
    void negativeTaxAdvance();
    void contributions_data();
    void contributions();
    void familyAllowances_data();
    void familyAllowances();
    void payStatementSums();

    void loadPayrollTables();
    void loadSingleChildRecord();
    void loadRoundsHalvesToEven();
    void loadFromEmptyTableFails();
    void folderYear();
    void load2026Tables();
    void bandSearchThroughTheTable();
    void advancesThroughTheTables();
    void zeroCreditRateFromTheTable();

    void realContentWageTable();
};

void TestPayroll::roundToFive_data()
{
    QTest::addColumn<qint64>("x");
    QTest::addColumn<qint64>("expected");
    const QList<QPair<qint64, qint64>> cases = {{0, 0},   {1, 0},   {2, 0},    {3, 5},     {4, 5},
                                                {7, 5},   {8, 10},  {12, 10},  {13, 15},   {15, 15},
                                                {-7, -5}, {-3, 0},  {-13, -10}, {-8, -5},  {-15, -15}};
    for (const auto &c : cases)
        QTest::addRow("%lld", static_cast<long long>(c.first)) << c.first << c.second;
}

void TestPayroll::roundToFive()
{
    QFETCH(qint64, x);
    QFETCH(qint64, expected);
    QCOMPARE(RoundToFive(x), expected);
}

void TestPayroll::roundHalvesToEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<qint64>("expected");
    QTest::addRow("12.5") << 12.5 << qint64(12);
    QTest::addRow("13.5") << 13.5 << qint64(14);
    QTest::addRow("0.5") << 0.5 << qint64(0);
    QTest::addRow("-12.5") << -12.5 << qint64(-12);
    QTest::addRow("-13.5") << -13.5 << qint64(-14);
    QTest::addRow("12.49") << 12.49 << qint64(12);
    QTest::addRow("12.51") << 12.51 << qint64(13);
    QTest::addRow("-12.51") << -12.51 << qint64(-13);
    QTest::addRow("big half") << 4503599627370495.5 << qint64(4503599627370496);
}

void TestPayroll::roundHalvesToEven()
{
    QFETCH(double, x);
    QFETCH(qint64, expected);
    QCOMPARE(Round(x), expected);
}

void TestPayroll::roundRefusesWhatIsNoAmount()
{
    expectThrow([] { Round(std::numeric_limits<double>::infinity()); }, "nem számítható");
    expectThrow([] { Round(std::numeric_limits<double>::quiet_NaN()); }, "nem számítható");
    expectThrow([] { Round(1e19); }, "nem számítható");
}

void TestPayroll::superGrossHalves_data()
{
    QTest::addColumn<double>("employerRate");
    QTest::addColumn<qint64>("gross");
    QTest::addColumn<qint64>("expected");
    QTest::addRow("1.25 x 10 = 12.5") << 0.25 << qint64(10) << qint64(12);
    QTest::addRow("1.25 x 22 = 27.5") << 0.25 << qint64(22) << qint64(28);
    QTest::addRow("1.27 x 150 = 190.5") << 0.27 << qint64(150) << qint64(190);
    QTest::addRow("1.27 x 50 = 63.5") << 0.27 << qint64(50) << qint64(64);
    QTest::addRow("minimum wage") << 0.27 << qint64(73500) << qint64(93345);
    QTest::addRow("largest wage") << 0.27 << qint64(2147483647) << qint64(2727304232);
}

void TestPayroll::superGrossHalves()
{
    QFETCH(double, employerRate);
    QFETCH(qint64, gross);
    QFETCH(qint64, expected);
    PayrollTables t;
    t.employerRate = employerRate;
    QCOMPARE(SuperGross(t, gross), expected);
}

void TestPayroll::findTaxBracket_data()
{
    QTest::addColumn<qint64>("base");
    QTest::addColumn<int>("band");  // index into the three bands below
    QTest::addRow("zero") << qint64(0) << 0;
    QTest::addRow("below the first Felso") << qint64(999999) << 0;
    QTest::addRow("equal to the first Felso") << qint64(1000000) << 1;
    QTest::addRow("one above") << qint64(1000001) << 1;
    QTest::addRow("equal to the second Felso") << qint64(2000000) << 2;
    QTest::addRow("equal to the last Felso") << qint64(3000000) << 2;
    QTest::addRow("above every Felso") << qint64(9000000000LL) << 2;
}

void TestPayroll::findTaxBracket()
{
    QFETCH(qint64, base);
    QFETCH(int, band);
    const QVector<TaxBracket> bands = {{1, 1000000, 0, 10}, {1000001, 2000000, 100000, 20},
                                       {2000001, 3000000, 300000, 30}};
    QCOMPARE(FindTaxBracket(bands, base).Felso, bands[band].Felso);
    QCOMPARE(FindTaxBracket(bands, base).Osszeg, bands[band].Osszeg);
}

void TestPayroll::bandBoundaryChangesTheTax()
{
    // G = 300 000 with no employer contribution above 27 %: the annual base is 4 572 000
    // both ways. A band ends exactly there, and the next band's Osszeg jumps, so taking
    // the wrong band shows in the advance.
    PayrollTables t = tables2010();
    t.creditLimit = t.creditUpperLimit = 0;  // no credit: the tax alone
    t.storedCredit = t.credit();
    const QVector<TaxBracket> bands = {{1, 4572000, 0, 10}, {4572001, 1e10, 500000, 20}};
    QCOMPARE(SuperGross(t, 300000) * 12, qint64(4572000));
    // Next band: (4 572 000 - 4 572 000) x 20 % + 500 000 = 500 000 a year, 41 666.67 a month.
    QCOMPARE(CalculatorTaxAdvance(t, bands, 300000), qint64(41665));
    QCOMPARE(ExerciseTaxAdvance(t, bands, 300000), qint64(41665));
    // One forint less of wage stays in the first band: 4 571 985 x 10 % / 12 = 38 099.9.
    QCOMPARE(CalculatorTaxAdvance(t, bands, 299999), qint64(38100));
}

void TestPayroll::taxCredit_data()
{
    QTest::addColumn<qint64>("base");
    QTest::addColumn<double>("expected");
    QTest::addRow("low wage: base x rate") << qint64(1000000) << 170000.0;
    QTest::addRow("just under maximum / rate") << qint64(1065882) << 181199.94;
    QTest::addRow("at maximum / rate") << qint64(1065883) << 181200.0;
    QTest::addRow("equal to the limit") << qint64(3188000) << 181200.0;
    QTest::addRow("one forint above the limit") << qint64(3188001) << 181199.88;
    QTest::addRow("half way") << qint64(3810000) << 106560.0;
    QTest::addRow("one forint under the upper limit") << qint64(4697999) << 0.12;
    QTest::addRow("equal to the upper limit") << qint64(4698000) << 0.0;
    QTest::addRow("zero base") << qint64(0) << 0.0;
}

void TestPayroll::taxCredit()
{
    QFETCH(qint64, base);
    QFETCH(double, expected);
    const double credit = TaxCredit(tables2010(), base);
    QVERIFY2(std::fabs(credit - expected) < 1e-6, qPrintable(QString::number(credit, 'f', 6)));
}

void TestPayroll::zeroCreditRateIsAnError()
{
    PayrollTables t = tables2010();
    t.creditRate = 0;
    t.storedCredit.rate = 0;
    expectThrow([&] { TaxCredit(t, 1000000); }, "Ajkulcs");
    expectThrow([&] { CalculatorTaxAdvance(t, bands2010, 73500); }, "Ajkulcs");
    expectThrow([&] { ExerciseTaxAdvance(t, bands2010, 73500); }, "Ajkulcs");
    // Above the limit the rate is not divided by: the reduced credit is computed.
    QCOMPARE(TaxCredit(t, 3810000), 106560.0);
}

void TestPayroll::taxAdvances_data()
{
    QTest::addColumn<qint64>("gross");
    QTest::addColumn<qint64>("exercise");
    QTest::addColumn<qint64>("calculator");
    // 73 500: S = 93 345, A = 1 120 140; tax 190 423.8 less the full credit 181 200 =
    // 9 223.8 a year, 768.65 a month: 770.
    QTest::addRow("minimum wage") << qint64(73500) << qint64(770) << qint64(770);
    // 73 518, exercise: S = 93 368, A = 1 120 416, tax Round(190 470.72) = 190 471,
    // less 181 200 = 9 271, / 12 = 772.58: 773, to five 775. Calculator: A =
    // Round(1.27 x 882 216) = 1 120 414, 190 470.38 - 181 200 = 9 270.38: 9 270, / 12 =
    // 772.5, halves to even 772, to five 770.
    QTest::addRow("the two differ by 5") << qint64(73518) << qint64(775) << qint64(770);
    QTest::addRow("and the other way") << qint64(73657) << qint64(800) << qint64(805);
    // 250 000: A = 3 810 000, tax 647 700, credit 181 200 - 622 000 x 12 % = 106 560:
    // 541 140 a year, 45 095 a month.
    QTest::addRow("reduced credit") << qint64(250000) << qint64(45095) << qint64(45095);
    // 1 000 000: A = 15 240 000, 850 000 + 10 240 000 x 32 % = 4 126 800, no credit:
    // 343 900 a month.
    QTest::addRow("upper band, no credit") << qint64(1000000) << qint64(343900) << qint64(343900);
}

void TestPayroll::taxAdvances()
{
    QFETCH(qint64, gross);
    QFETCH(qint64, exercise);
    QFETCH(qint64, calculator);
    const PayrollTables t = tables2010();
    QCOMPARE(ExerciseTaxAdvance(t, bands2010, gross), exercise);
    QCOMPARE(CalculatorTaxAdvance(t, bands2010, gross), calculator);
}

void TestPayroll::negativeTaxAdvance_data()
{
    QTest::addColumn<qint64>("gross");
    QTest::addColumn<qint64>("expected");
    // Tax 10 %, credit 20 % of the base: the year's advance is -10 % of 12 G, the
    // month's -G / 10, rounded to five towards zero.
    QTest::addRow("-96") << qint64(960) << qint64(-95);
    QTest::addRow("-97") << qint64(970) << qint64(-95);
    QTest::addRow("-98") << qint64(980) << qint64(-95);
    QTest::addRow("-100") << qint64(1000) << qint64(-100);
    QTest::addRow("-103") << qint64(1030) << qint64(-100);
}

void TestPayroll::negativeTaxAdvance()
{
    QFETCH(qint64, gross);
    QFETCH(qint64, expected);
    PayrollTables t;
    t.employerRate = 0;
    t.creditLimit = t.creditMaximum = t.creditUpperLimit = 1000000000;
    t.creditRate = 0.20;
    t.storedCredit = t.credit();
    const QVector<TaxBracket> bands = {{1, 1e10, 0, 10}};
    QCOMPARE(CalculatorTaxAdvance(t, bands, gross), expected);
    QCOMPARE(ExerciseTaxAdvance(t, bands, gross), expected);
}

void TestPayroll::contributions_data()
{
    QTest::addColumn<qint64>("gross");
    QTest::addColumn<qint64>("health");
    QTest::addColumn<qint64>("employee");
    QTest::addColumn<qint64>("pension");
    // 73 500 x 1.5 % = 1 102.5 and x 9.5 % = 6 982.5: halves to even, then to five.
    QTest::addRow("minimum wage") << qint64(73500) << qint64(4410) << qint64(1100) << qint64(6980);
    // 89 500 x 1.5 % = 1 342.5: 1 342, 1 340; x 9.5 % = 8 502.5: 8 502, 8 500.
    QTest::addRow("skilled minimum") << qint64(89500) << qint64(5370) << qint64(1340) << qint64(8500);
    // 202 525: 12 151.5 -> 12 152 -> 12 150; 3 037.875 -> 3 038 -> 3 040; 19 239.875 -> 19 240.
    QTest::addRow("average wage") << qint64(202525) << qint64(12150) << qint64(3040) << qint64(19240);
}

void TestPayroll::contributions()
{
    QFETCH(qint64, gross);
    QFETCH(qint64, health);
    QFETCH(qint64, employee);
    QFETCH(qint64, pension);
    const PayrollTables t = tables2010();
    QCOMPARE(Contribution(gross, t.healthRate), health);
    QCOMPARE(Contribution(gross, t.employeeRate), employee);
    QCOMPARE(Contribution(gross, t.pensionRate), pension);
}

void TestPayroll::familyAllowances_data()
{
    QTest::addColumn<qint64>("children");
    QTest::addColumn<qint64>("taxAdvance");
    QTest::addColumn<qint64>("allowance");
    QTest::addColumn<qint64>("taxAllowance");
    // Per child: allowance 1 001 / 1 002 / 1 003, tax allowance 7 / 8 / 9 (amounts that
    // show the rounding to five of the one and not of the other).
    QTest::addRow("none") << qint64(0) << qint64(5000) << qint64(0) << qint64(0);
    QTest::addRow("none, negative advance") << qint64(0) << qint64(-95) << qint64(0) << qint64(-95);
    QTest::addRow("one") << qint64(1) << qint64(5000) << qint64(1000) << qint64(7);
    QTest::addRow("two") << qint64(2) << qint64(5000) << qint64(2005) << qint64(16);
    QTest::addRow("three") << qint64(3) << qint64(5000) << qint64(3010) << qint64(27);
    QTest::addRow("five use the three-child amounts") << qint64(5) << qint64(5000) << qint64(5015)
                                                      << qint64(45);
    QTest::addRow("capped by the tax advance") << qint64(5) << qint64(40) << qint64(5015) << qint64(40);
    QTest::addRow("capped by a negative advance") << qint64(2) << qint64(-10) << qint64(2005) << qint64(-10);
    QTest::addRow("equal to the advance") << qint64(3) << qint64(27) << qint64(3010) << qint64(27);
}

void TestPayroll::familyAllowances()
{
    QFETCH(qint64, children);
    QFETCH(qint64, taxAdvance);
    QFETCH(qint64, allowance);
    QFETCH(qint64, taxAllowance);
    PayrollTables t;
    t.allowancePerChild = {0, 1001, 1002, 1003};
    t.taxAllowancePerChild = {0, 7, 8, 9};
    QCOMPARE(FamilyAllowance(t, children), allowance);
    QCOMPARE(FamilyTaxAllowance(t, children, taxAdvance), taxAllowance);
}

void TestPayroll::payStatementSums()
{
    const PayrollTables t = tables2010();
    const BracketFinder find = [](qint64 a) { return FindTaxBracket(bands2010, a); };
    const PayStatement s = ComputePayStatement(t, find, 73500, 3, 50000);
    QCOMPARE(s.superGross, qint64(93345));
    QCOMPARE(s.taxAdvance, qint64(770));
    QCOMPARE(s.deductionsTotal, qint64(770 + 4410 + 1100 + 6980));
    QCOMPARE(s.netWage, qint64(73500 - 13260));
    QCOMPARE(s.familyAllowance, qint64(48000));
    QCOMPARE(s.familyTaxAllowance, qint64(770));  // 3 x 4 000 capped by the advance
    QCOMPARE(s.familyNetIncome, qint64(60240 + 50000 + 48000 + 770));
}

void TestPayroll::loadPayrollTables()
{
    TaxDb db;
    db.fill2010();
    QVERIFY(db.allClosed());
    const PayrollTables t = LoadPayrollTables(db.dm.get());
    compareTables(t, tables2010());
    QCOMPARE(t.storedCredit.maximum, 181200.0);
    QVERIFY(db.allClosed());
    // Reading again, with a table left open and moved by someone else, reads the first rows.
    db.dm->Tbl3->open();
    db.dm->Tbl3->last();
    compareTables(LoadPayrollTables(db.dm.get()), tables2010());
}

void TestPayroll::loadSingleChildRecord()
{
    TaxDb db;
    db.addRates({6.0, 1.5, 9.5, 27.0, 3188000.0, 181200.0, 17.0, 4698000.0, 12.0});
    db.addChildRow("egy sor", 12200, 13300, 16000);
    const PayrollTables t = LoadPayrollTables(db.dm.get());
    QCOMPARE(t.allowancePerChild, (std::array<qint64, 4>{0, 12200, 13300, 16000}));
    QCOMPARE(t.taxAllowancePerChild, t.allowancePerChild);
    QCOMPARE(FamilyTaxAllowance(t, 2, 100000), qint64(26600));
}

void TestPayroll::loadRoundsHalvesToEven()
{
    TaxDb db;
    db.addRates({6.0, 1.5, 9.5, 27.0, 3188000.5, 181201.5, 17.0, 4698000.5, 12.0});
    db.addChildRow("a", 12200.5, 13301.5, 16000.4);
    db.addChildRow("b", 0.5, 1.5, 2.6);
    const PayrollTables t = LoadPayrollTables(db.dm.get());
    QCOMPARE(t.creditLimit, qint64(3188000));
    QCOMPARE(t.creditMaximum, qint64(181202));
    QCOMPARE(t.creditUpperLimit, qint64(4698000));
    QCOMPARE(t.storedCredit.limit, 3188000.5);  // the exercise works with these as stored
    QCOMPARE(t.storedCredit.maximum, 181201.5);
    QCOMPARE(t.allowancePerChild, (std::array<qint64, 4>{0, 12200, 13302, 16000}));
    QCOMPARE(t.taxAllowancePerChild, (std::array<qint64, 4>{0, 0, 2, 3}));
}

void TestPayroll::loadFromEmptyTableFails()
{
    TaxDb db;
    expectThrow([&] { LoadPayrollTables(db.dm.get()); }, "jarulek.db");
    QVERIFY(db.allClosed());
    db.addRates({6.0, 1.5, 9.5, 27.0, 3188000.0, 181200.0, 17.0, 4698000.0, 12.0});
    expectThrow([&] { LoadPayrollTables(db.dm.get()); }, "gyerek.db");
    QVERIFY(db.allClosed());
    expectThrow([&] { FindTaxBracket(db.dm.get(), 1000); }, "adokulcs.db");
    expectThrow([&] { FindTaxBracket(QVector<TaxBracket>(), 1000); }, "adokulcs.db");
    QVERIFY(db.allClosed());
}

// The folder's year: a folder without the year table or its row is a 2010 folder; a year
// without rules is refused with a message naming the years there are.
void TestPayroll::folderYear()
{
    TaxDb db;
    FolderYear y = ReadFolderYear(db.dm->Tbl4);
    QCOMPARE(y.year, 2010);
    QCOMPARE(y.childCost, qint64(10000));
    QCOMPARE(&y.rules(), &rules2010());
    zdb::createTable(db.db(), *zdb::findTable(QStringLiteral("Adoev.DB")));
    QCOMPARE(ReadFolderYear(db.dm->Tbl4).year, 2010);
    QVERIFY(!db.dm->Tbl4->active());
    db.add("Adoev.DB", {"Ev", "Gyerek_koltseg"}, {2026, 25000.0});
    y = ReadFolderYear(db.dm->Tbl4);
    QCOMPARE(y.year, 2026);
    QCOMPARE(y.childCost, qint64(25000));
    QCOMPARE(&y.rules(), &rules2026());
    QVERIFY(!db.dm->Tbl4->active());
    // The data module reads it once and keeps it.
    QCOMPARE(db.dm->folderYear().year, 2026);

    TaxDb other;
    zdb::createTable(other.db(), *zdb::findTable(QStringLiteral("Adoev.DB")));
    other.add("Adoev.DB", {"Ev", "Gyerek_koltseg"}, {2030, 25000.0});
    expectThrow([&] { ReadFolderYear(other.dm->Tbl4); }, "2030");
    expectThrow([&] { other.dm->folderYear(); }, "2010, 2026");
    QVERIFY(!other.dm->Tbl4->active());
}

// A 2026 folder's tables in their 2010 shape carry the 2026 law: the band's rate is the
// SZJA, Ebizt the TB, the employer's rate the szocho, gyerek.db's rows the családi pótlék and
// the allowance base. What the tables say is used, not the law's defaults.
void TestPayroll::load2026Tables()
{
    TaxDb db;
    db.addBand({1, 999999999999.0, 0, 16});
    db.addRates({18.5, 0.0, 0.0, 13.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    db.addChildRow("Családi pótlék", 12200, 13300, 16000);
    db.addChildRow("Családi kedvezmény alapja", 133340, 266660, 440000);
    const PayrollTables t = LoadPayrollTables(db.dm->taxTables(), 2026);
    QVERIFY(t.year2026.has_value());
    QCOMPARE(t.year2026->taxPercent, 16.0);
    QCOMPARE(t.year2026->contributionPercent, 18.5);
    QCOMPARE(t.year2026->employerPercent, 13.0);
    QCOMPARE(t.year2026->familyAllowancePerChild, (std::array<qint64, 4>{0, 12200, 13300, 16000}));
    QCOMPARE(t.year2026->allowanceBasePerChild, (std::array<qint64, 4>{0, 133340, 266660, 440000}));
    QVERIFY(db.allClosed());
    // 705 000 Ft, two children: 16 % of (705 000 - 533 320).
    QCOMPARE(ComputePayStatement2026(*t.year2026, 705000, 2, 0).taxPaid, qint64(27469));
    // A 2010 folder leaves the part empty.
    QVERIFY(!LoadPayrollTables(db.dm->taxTables(), 2010).year2026.has_value());
    // The 2026 part needs a band.
    TaxDb noBand;
    noBand.addRates({18.5, 0.0, 0.0, 13.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    noBand.addChildRow("Családi pótlék", 12200, 13300, 16000);
    expectThrow([&] { LoadPayrollTables(noBand.dm->taxTables(), 2026); }, "adokulcs.db");
    QVERIFY(noBand.allClosed());
}

void TestPayroll::bandSearchThroughTheTable()
{
    TaxDb db;
    const QVector<TaxBracket> bands = {{1, 1000000, 0, 10}, {1000001, 2000000, 100000, 20},
                                       {2000001, 3000000, 300000, 30}};
    for (const TaxBracket &b : bands)
        db.addBand(b);
    for (const qint64 base : {qint64(0), qint64(999999), qint64(1000000), qint64(2000000),
                              qint64(3000000), qint64(9000000000LL)}) {
        const TaxBracket fromTable = FindTaxBracket(db.dm.get(), base);
        const TaxBracket fromList = FindTaxBracket(bands, base);
        QCOMPARE(fromTable.Also, fromList.Also);
        QCOMPARE(fromTable.Felso, fromList.Felso);
        QCOMPARE(fromTable.Osszeg, fromList.Osszeg);
        QCOMPARE(fromTable.Szazalek, fromList.Szazalek);
        QVERIFY(!db.dm->Tbl1->active());
    }
}

void TestPayroll::advancesThroughTheTables()
{
    TaxDb db;
    db.fill2010();
    const PayrollTables t = LoadPayrollTables(db.dm.get());
    for (const qint64 g : {qint64(73500), qint64(73518), qint64(73657), qint64(250000), qint64(1000000)}) {
        QCOMPARE(CalculatorTaxAdvance(t, db.dm.get(), g), CalculatorTaxAdvance(t, bands2010, g));
        QCOMPARE(ExerciseTaxAdvance(t, db.dm.get(), g), ExerciseTaxAdvance(t, bands2010, g));
    }
    QVERIFY(db.allClosed());
}

void TestPayroll::zeroCreditRateFromTheTable()
{
    TaxDb db;
    for (const TaxBracket &b : bands2010)
        db.addBand(b);
    db.addRates({6.0, 1.5, 9.5, 27.0, 3188000.0, 181200.0, 0.0, 4698000.0, 12.0});
    db.addChildRow("a", 1, 2, 3);
    db.addChildRow("b", 1, 2, 3);
    const PayrollTables t = LoadPayrollTables(db.dm.get());
    expectThrow([&] { CalculatorTaxAdvance(t, db.dm.get(), 100000); }, "Ajkulcs");
    QVERIFY(db.allClosed());
}

void TestPayroll::realContentWageTable()
{
    const QString work = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    if (work.isEmpty() || !QDir(work).exists("DB"))
        QSKIP("no working folder with the game's content (ZOMIR_WORKFOLDER)");
    QTemporaryDir config;
    zdb::Session session(config.filePath("engine.ini"));
    session.addStandardAlias("DB_ZOMIR", QDir(work).filePath("DB"));
    TDataModule2 dm(&session);
    const PayrollTables t = LoadPayrollTables(&dm);
    const BracketFinder find = [&dm](qint64 a) { return FindTaxBracket(&dm, a); };

    qInfo("%9s %9s %8s %8s %7s %7s %7s %8s %9s %7s %7s %9s", "gross", "supergross", "advance",
          "exercise", "health", "employee", "pension", "deduct.", "net", "fam.al.", "tax al.",
          "family");
    for (const qint64 g : {73500, 89500, 100000, 150000, 202525, 250000, 300000, 400000, 500000,
                           750000, 1000000}) {
        const PayStatement s = ComputePayStatement(t, find, g, 3, 0);
        qInfo("%9lld %9lld %8lld %8lld %7lld %7lld %7lld %8lld %9lld %7lld %7lld %9lld",
              (long long)s.gross, (long long)s.superGross, (long long)s.taxAdvance,
              (long long)s.exerciseTaxAdvance, (long long)s.health, (long long)s.employee,
              (long long)s.pension, (long long)s.deductionsTotal, (long long)s.netWage,
              (long long)s.familyAllowance, (long long)s.familyTaxAllowance, (long long)s.familyNetIncome);
        QVERIFY(s.netWage > 0 && s.netWage < g);
        QCOMPARE(s.deductionsTotal, s.taxAdvance + s.health + s.employee + s.pension);
    }

    // Three rows worked out by hand from the 2010 law (three children, no partner):
    // gross, super-gross, tax advance, health, employee, pension, net, family allowance,
    // family tax allowance, family income.
    struct Row {
        qint64 gross, superGross, advance, health, employee, pension, net, allowance, taxAllowance, family;
    };
    const Row byHand[] = {
        // 93 345 x 17 % = 15 868.65 a month less the 15 100 credit = 768.65: 770; the tax
        // allowance of 3 x 4 000 is cut to that advance.
        {73500, 93345, 770, 4410, 1100, 6980, 60240, 48000, 770, 109010},
        // 3 810 000 a year: 647 700 tax, credit 181 200 - 12 % x 622 000 = 106 560.
        {250000, 317500, 45095, 15000, 3750, 23750, 162405, 48000, 12000, 222405},
        // 15 240 000 a year: 850 000 + 32 % x 10 240 000 = 4 126 800, no credit.
        {1000000, 1270000, 343900, 60000, 15000, 95000, 486100, 48000, 12000, 546100},
    };
    for (const Row &r : byHand) {
        const PayStatement s = ComputePayStatement(t, find, r.gross, 3, 0);
        QCOMPARE(s.superGross, r.superGross);
        QCOMPARE(s.taxAdvance, r.advance);
        QCOMPARE(s.health, r.health);
        QCOMPARE(s.employee, r.employee);
        QCOMPARE(s.pension, r.pension);
        QCOMPARE(s.netWage, r.net);
        QCOMPARE(s.familyAllowance, r.allowance);
        QCOMPARE(s.familyTaxAllowance, r.taxAllowance);
        QCOMPARE(s.familyNetIncome, r.family);
    }
    QVERIFY(!dm.Tbl1->active() && !dm.Tbl3->active());
}

ZOMIR_TEST_MAIN(TestPayroll)
#include "tst_payroll.moc"
