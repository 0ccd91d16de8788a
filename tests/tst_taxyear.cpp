// The rule sets per tax year: the 2010 rules behind the interface give, figure by figure,
// what the payroll rules give, over the tax tables of the built working folder, and judge
// the calculator's answers as the calculator's checks do.

#include "engine.h"
#include "jadat.h"
#include "payrolldata.h"
#include "taxyear.h"
#include "testenv.h"

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

private slots:
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
        QCOMPARE(taxYears(), QVector<int>{2010});
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
};

ZOMIR_TEST_MAIN(TestTaxYear)
#include "tst_taxyear.moc"
