// The rule sets per tax year: the 2010 rules behind the interface give, figure by figure,
// what the payroll rules give, over the tax tables of the built working folder, and judge
// the calculator's answers as the calculator's checks do. The 2026 rules over a table of
// families worked out by hand, with the answers judged to the forint, and the cash rule.

#include "db/engine.h"
#include "game/jadat.h"
#include "game/payrolldata.h"
#include "rules/taxyear.h"
#include "tests/support/testenv.h"
#include "rules/usererror.h"

#include <QSet>

#include <memory>

using namespace payroll;

class TestTaxYear : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;
    std::unique_ptr<zdb::Session> m_session;
    std::unique_ptr<TDataModule2> m_dm;
    PayrollTables m_tables;
    BracketFinder m_brackets;

private Q_SLOTS:
    void initTestCase()
    {
        const QString folder = qEnvironmentVariable("ZOMIR_WORKFOLDER");
        QVERIFY2(QDir(folder).exists(QStringLiteral("DB")), "ZOMIR_WORKFOLDER names no built working folder");
        m_session = std::make_unique<zdb::Session>(m_config.filePath(QStringLiteral("engine.ini")));
        m_session->addStandardAlias(QStringLiteral("DB_ZOMIR"), QDir(folder).filePath(QStringLiteral("DB")));
        m_dm = std::make_unique<TDataModule2>(m_session.get());
        m_tables = LoadPayrollTables(m_dm.get());
        m_brackets = bracketFinder(m_dm.get());
    }

    void yearsKnown()
    {
        QCOMPARE(taxYears(), (QVector<int>{2010, 2026}));
        QCOMPARE(ruleSetFor(2026), &rules2026());
        QCOMPARE(ruleSetFor(2026)->year(), 2026);
        QCOMPARE(ruleSetFor(2010), &rules2010());
        QCOMPARE(ruleSetFor(2010)->year(), 2010);
        QCOMPARE(ruleSetFor(2009), nullptr);
        QCOMPARE(ruleSetFor(0), nullptr);
    }

    // The income calculator's tab order, each figure with a caption and a help topic of its own.
    void figuresInTheCalculatorsOrder()
    {
        const QVector<Figure> figures = rules2010().figures();
        QVector<int> numbers;
        QSet<QString> captions, keys;
        for (const Figure &f : figures) {
            numbers << f.number;
            captions << f.caption;
            keys << f.key;
            QVERIFY(f.caption.endsWith(QLatin1Char(':')));
            QVERIFY(f.helpContext >= 1 && f.helpContext <= 6);
        }
        QCOMPARE(numbers, (QVector<int>{11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(captions.size(), figures.size());
        QCOMPARE(keys.size(), figures.size());
        QCOMPARE(rules2010().figure(2).rounding, Rounding::ToFive);
        QCOMPARE(rules2010().figure(7).rounding, Rounding::Given);
        QCOMPARE(rules2010().figure(12).number, 0);
    }

    void statementIsThePayStatement_data()
    {
        QTest::addColumn<qint64>("gross");
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("partner");
        // Wages below, at and above the credit's limits and the band edge, with families of
        // every size the allowances tell apart.
        const qint64 wages[] = {73500, 150000, 265667, 300000, 391500, 416667, 416668, 1000000};
        for (qint64 g : wages)
            for (int n : {0, 1, 2, 3, 4})
                QTest::addRow("%lld Ft, %d children", g, n) << g << n << qint64(n * 10000 + 95000);
    }

    void statementIsThePayStatement()
    {
        QFETCH(qint64, gross);
        QFETCH(int, children);
        QFETCH(qint64, partner);
        const PayStatement s = ComputePayStatement(m_tables, m_brackets, gross, children, partner);
        const QMap<int, qint64> got = rules2010().statement(m_tables, m_brackets, {gross, children, partner});
        const QMap<int, qint64> expected = {{11, s.superGross},         {1, s.taxAdvance},    {2, s.health},
                                            {3, s.employee},            {4, s.pension},       {5, s.deductionsTotal},
                                            {6, s.netWage},             {7, s.partnerNet},    {8, s.familyAllowance},
                                            {9, s.familyTaxAllowance}, {10, s.familyNetIncome}};
        QCOMPARE(got, expected);

        // The right figures typed in are judged right, each one forint off wrong (the
        // partner's income is whatever the student was given, so any amount from 0 is right).
        IncomeAnswers answers{};
        for (auto it = got.begin(); it != got.end(); ++it)
            answers[it.key()] = double(it.value());
        const WageInputs in{gross, children, partner};
        for (const Figure &f : rules2010().figures()) {
            QVERIFY2(rules2010().answerRight(f.number, answers, in, m_tables, m_brackets), qPrintable(f.key));
            IncomeAnswers off = answers;
            off[f.number] += 1;
            QCOMPARE(rules2010().answerRight(f.number, off, in, m_tables, m_brackets), f.number == 7);
        }
    }

    // The 2026 calculator: its own fields in its own order, each with a caption and a help
    // topic; only the employer's cost is shown without being judged.
    void figures2026()
    {
        const QVector<Figure> figures = rules2026().figures();
        QVector<int> numbers;
        QSet<QString> captions, keys;
        for (const Figure &f : figures) {
            numbers << f.number;
            captions << f.caption;
            keys << f.key;
            QVERIFY2(f.caption.endsWith(QLatin1Char(':')), qPrintable(f.caption));
            QVERIFY(f.helpContext >= 1 && f.helpContext <= 6);
            QCOMPARE(f.judged, f.key != QLatin1String("employerCost"));
        }
        QCOMPARE(numbers, (QVector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(captions.size(), figures.size());
        QCOMPARE(keys.size(), figures.size());
        QCOMPARE(rules2026().figure(2).rounding, Rounding::HalfUp);
        QCOMPARE(rules2026().figure(7).rounding, Rounding::Given);
        QCOMPARE(rules2026().figure(11).number, 0);
        for (const Figure &f : rules2010().figures())
            QVERIFY(f.judged);
    }

    void statement2026_data()
    {
        QTest::addColumn<qint64>("gross");
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("partner");
        QTest::addColumn<qint64>("base");
        QTest::addColumn<qint64>("taxBefore");  // 15 % of gross, before the allowance
        QTest::addColumn<qint64>("tax");
        QTest::addColumn<qint64>("tb");
        QTest::addColumn<qint64>("tbAllowance");
        QTest::addColumn<qint64>("deductions");
        QTest::addColumn<qint64>("net");
        QTest::addColumn<qint64>("familyAllowance");
        QTest::addColumn<qint64>("familyNet");
        QTest::addColumn<qint64>("employerCost");
        const auto row = [](const char *name, qint64 g, int n, qint64 p, qint64 base, qint64 before, qint64 tax,
                            qint64 tb, qint64 al, qint64 ded, qint64 net, qint64 fa, qint64 fn, qint64 cost) {
            QTest::newRow(name) << g << n << p << base << before << tax << tb << al << ded << net << fa << fn << cost;
        };
        // The minimum wage and the 2025 average wage, as worked out in the figures we take the law from.
        row("minimum wage, no children", 322800, 0, 150000, 0, 48420, 48420, 59718, 0, 108138, 214662, 0, 364662, 364764);
        row("minimum wage, 1 child", 322800, 1, 150000, 133340, 48420, 28419, 59718, 0, 88137, 234663, 12200, 396863,
            364764);
        row("minimum wage, 2 children: the rest against TB", 322800, 2, 150000, 533320, 48420, 0, 59718, 31578, 28140,
            294660, 26600, 471260, 364764);
        row("minimum wage, 3 children: net = gross", 322800, 3, 150000, 1320000, 48420, 0, 59718, 59718, 0, 322800,
            48000, 520800, 364764);
        row("average wage, no children", 705000, 0, 0, 0, 105750, 105750, 130425, 0, 236175, 468825, 0, 468825, 796650);
        row("average wage, 2 children", 705000, 2, 380000, 533320, 105750, 25752, 130425, 0, 156177, 548823, 26600,
            955423, 796650);
        row("average wage, 3 children", 705000, 3, 380000, 1320000, 105750, 0, 130425, 92250, 38175, 666825, 48000,
            1094825, 796650);
        // The base exactly the gross: the tax takes all of it, nothing is left for the TB.
        row("allowance used up, 1 child", 133340, 1, 0, 133340, 20001, 0, 24668, 0, 24668, 108672, 12200, 120872,
            150674);
        row("allowance used up, 2 children", 533320, 2, 250000, 533320, 79998, 0, 98664, 0, 98664, 434656, 26600,
            711256, 602652);
        // The unused part worth more than the TB: the TB goes to 0 and no further.
        row("3 children, last wage paying nothing", 591045, 3, 300000, 1320000, 88657, 0, 109343, 109343, 0, 591045,
            48000, 939045, 667881);
        row("3 children, first forint of TB", 591046, 3, 300000, 1320000, 88657, 0, 109344, 109343, 1, 591045, 48000,
            939045, 667882);
        row("10 children", 705000, 10, 0, 4400000, 105750, 0, 130425, 130425, 0, 705000, 160000, 865000, 796650);
        // Halves go up (the 2010 rounding would give 55518 and 48424).
        row("half forint of TB", 300100, 0, 0, 0, 45015, 45015, 55519, 0, 100534, 199566, 0, 199566, 339113);
        row("half forint of SZJA", 322830, 0, 0, 0, 48425, 48425, 59724, 0, 108149, 214681, 0, 214681, 364798);
        row("no wage", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    }

    void statement2026()
    {
        QFETCH(qint64, gross);
        QFETCH(int, children);
        QFETCH(qint64, partner);
        QFETCH(qint64, base);
        QFETCH(qint64, taxBefore);
        QFETCH(qint64, tax);
        QFETCH(qint64, tb);
        QFETCH(qint64, tbAllowance);
        QFETCH(qint64, deductions);
        QFETCH(qint64, net);
        QFETCH(qint64, familyAllowance);
        QFETCH(qint64, familyNet);
        QFETCH(qint64, employerCost);

        const PayStatement2026 s = ComputePayStatement2026(Tables2026(), gross, children, partner);
        QCOMPARE(s.taxBeforeAllowance, taxBefore);
        QCOMPARE(s.contributionPaid, tb - tbAllowance);
        QCOMPARE(s.deductionsTotal, deductions);

        // A folder's own 2026 part with the law's figures gives the same as no part at all.
        PayrollTables withPart = m_tables;
        withPart.year2026 = Tables2026();
        const WageInputs in{gross, children, partner};
        const QMap<int, qint64> expected = {{1, base},        {2, tax},     {3, tb},
                                            {4, tbAllowance}, {5, deductions}, {6, net},
                                            {7, partner},     {8, familyAllowance}, {9, familyNet},
                                            {10, employerCost}};
        QCOMPARE(rules2026().statement(m_tables, m_brackets, in), expected);
        QCOMPARE(rules2026().statement(withPart, m_brackets, in), expected);

        // The right figures typed in are right (a 0 as well), each one forint off is wrong
        // (the partner's income is whatever the student was given, any amount from 0).
        IncomeAnswers answers{};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            answers[it.key()] = double(it.value());
        for (const Figure &f : rules2026().figures()) {
            QVERIFY2(rules2026().answerRight(f.number, answers, in, m_tables, m_brackets), qPrintable(f.key));
            for (double delta : {1.0, -1.0}) {
                IncomeAnswers off = answers;
                off[f.number] += delta;
                QCOMPARE(rules2026().answerRight(f.number, off, in, m_tables, m_brackets),
                         f.number == 7 && off[7] >= 0);
            }
        }
        QVERIFY(!rules2026().answerRight(0, answers, in, m_tables, m_brackets));
        QVERIFY(!rules2026().answerRight(11, answers, in, m_tables, m_brackets));
    }

    // The sums and the cap take the answers as typed: a wrong TB carried on correctly is
    // not marked wrong a second time.
    void answers2026FollowTheTypedFigures()
    {
        const WageInputs in{322800, 3, 150000};  // unused allowance 149,580, TB 59,718
        IncomeAnswers a{};
        a[1] = 1320000;
        a[2] = 0;
        a[3] = 59000;  // wrong
        a[4] = 59000;  // the allowance capped at the TB as typed
        a[5] = 0;
        a[6] = 322800;
        a[7] = 150000;
        a[8] = 48000;
        a[9] = 520800;
        QVERIFY(!rules2026().answerRight(3, a, in, m_tables, m_brackets));
        for (int number : {4, 5, 6, 9})
            QVERIFY2(rules2026().answerRight(number, a, in, m_tables, m_brackets), qPrintable(QString::number(number)));
        a[4] = 59718;  // the right TB's cap, but not the typed one
        QVERIFY(!rules2026().answerRight(4, a, in, m_tables, m_brackets));
        a[3] = -100;  // a negative TB caps nothing below 0
        a[4] = 0;
        QVERIFY(rules2026().answerRight(4, a, in, m_tables, m_brackets));
        a[4] = -100;
        QVERIFY(!rules2026().answerRight(4, a, in, m_tables, m_brackets));
        a[7] = -1;
        QVERIFY(!rules2026().answerRight(7, a, in, m_tables, m_brackets));
    }

    // The folder's 2026 part is what the 2026 rules compute with; the 2010 rules never read it.
    void parametersOfTheFolder()
    {
        PayrollTables tables = m_tables;
        Tables2026 t;
        t.employerPercent = 12.0;
        t.familyAllowancePerChild = {0, 10000, 11000, 12000};
        tables.year2026 = t;
        const WageInputs in{400000, 2, 0};
        const QMap<int, qint64> got = rules2026().statement(tables, m_brackets, in);
        QCOMPARE(got.value(10), qint64(448000));
        QCOMPARE(got.value(8), qint64(22000));
        QCOMPARE(rules2010().statement(tables, m_brackets, in), rules2010().statement(m_tables, m_brackets, in));
        QCOMPARE(tables2026(m_tables).employerPercent, 13.0);

        t.taxPercent = 100.5;
        tables.year2026 = t;
        QVERIFY_THROWS_EXCEPTION(UserError, rules2026().statement(tables, m_brackets, in));
        QVERIFY_THROWS_EXCEPTION(UserError, ComputePayStatement2026(Tables2026(), 1LL << 60, 0, 0));
    }

    void cashRounding_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<qint64>("cash");
        const qint64 cases[][2] = {{0, 0},         {1, 0},         {2, 0},         {3, 5},         {5, 5},
                                   {7, 5},         {8, 10},        {9, 10},        {10, 10},       {28419, 28420},
                                   {25752, 25750}, {38175, 38175}, {59718, 59720}, {48423, 48425}, {99999, 100000},
                                   {-2, 0},        {-3, -5},       {-8, -10}};
        for (const auto &c : cases)
            QTest::addRow("%lld", c[0]) << c[0] << c[1];
    }

    void cashRounding()
    {
        QFETCH(qint64, amount);
        QFETCH(qint64, cash);
        QCOMPARE(cashRound(amount), cash);
    }
};

ZOMIR_TEST_MAIN(TestTaxYear)
#include "tst_taxyear.moc"
