// The costing of the household budget, without tables or screens: the worked examples of
// the family budget, the verdict at the 1000 Ft shortfall, the wage draw through an injected
// random source, and the report texts with and without children.

#include "rules/budget.h"
#include "tests/support/testenv.h"

#include <QtTest>

#include <stdexcept>

class TestBudget : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void familyCosts_data()
    {
        QTest::addColumn<double>("food");
        QTest::addColumn<double>("clothing");
        QTest::addColumn<double>("transport");
        QTest::addColumn<int>("transportKey");
        QTest::addColumn<double>("rezsi");
        QTest::addColumn<double>("torleszto");
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("foodCost");
        QTest::addColumn<qint64>("clothingCost");
        QTest::addColumn<qint64>("transportCost");
        QTest::addColumn<qint64>("total");

        QTest::addRow("two children, pass: 231000")
            << 30000.0 << 5000.0 << 4000.0 << 1 << 20000.0 << 50000.0 << 2 << qint64(105000) << qint64(20000)
            << qint64(16000) << qint64(231000);
        QTest::addRow("two children, other transport once: 219000")
            << 30000.0 << 5000.0 << 4000.0 << 2 << 20000.0 << 50000.0 << 2 << qint64(105000) << qint64(20000)
            << qint64(4000) << qint64(219000);
        QTest::addRow("food 1001, one child: 2752.75 -> 2753")
            << 1001.0 << 0.0 << 0.0 << 2 << 0.0 << 0.0 << 1 << qint64(2753) << qint64(0) << qint64(0)
            << qint64(12753);
        QTest::addRow("no children: two adults, no child cost")
            << 30000.0 << 5000.0 << 4000.0 << 1 << 20000.0 << 50000.0 << 0 << qint64(60000) << qint64(10000)
            << qint64(8000) << qint64(148000);
        // The house prices are added to the integer terms and the sum rounded once:
        // 0.5 + 0.5 of the house adds 1, where rounding each would add 0.
        QTest::addRow("house prices rounded once with the terms")
            << 0.0 << 0.0 << 0.0 << 2 << 0.5 << 0.5 << 0 << qint64(0) << qint64(0) << qint64(0) << qint64(1);
        QTest::addRow("a half forint total goes to the even neighbour")
            << 0.0 << 0.0 << 0.0 << 2 << 2.25 << 0.25 << 0 << qint64(0) << qint64(0) << qint64(0) << qint64(2);
        QTest::addRow("sums beyond 32 bits")
            << 3.0e9 << 0.0 << 0.0 << 2 << 0.0 << 0.0 << 0 << qint64(6000000000) << qint64(0) << qint64(0)
            << qint64(6000000000);
    }
    void familyCosts()
    {
        QFETCH(double, food);
        QFETCH(double, clothing);
        QFETCH(double, transport);
        QFETCH(int, transportKey);
        QFETCH(double, rezsi);
        QFETCH(double, torleszto);
        QFETCH(int, children);
        budget::Prices prices;
        prices.food = food;
        prices.clothing = clothing;
        prices.transport = transport;
        prices.rezsi = rezsi;
        prices.torleszto = torleszto;
        const budget::FamilyCosts costs = budget::familyCosts(prices, transportKey, children);
        QTEST(costs.food, "foodCost");
        QTEST(costs.clothing, "clothingCost");
        QTEST(costs.transport, "transportCost");
        QCOMPARE(costs.children, qint64(children) * 10000);
        QTEST(costs.total, "total");
    }

    void singlePersonTotalSumsBeforeRounding()
    {
        budget::Prices prices{20000.25, 50000.25, 30000.0, 5000.0, 4000.0};
        QCOMPARE(budget::singlePersonTotal(prices), qint64(109000));   // 109000.5 -> even
        prices.rezsi = 20000.75;
        QCOMPARE(budget::singlePersonTotal(prices), qint64(109001));
    }

    void verdict_data()
    {
        QTest::addColumn<double>("net");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<qint64>("balance");
        QTest::addColumn<bool>("rework");
        QTest::addColumn<QString>("savings");
        QTest::addRow("-1000: rework") << 230000.0 << qint64(231000) << qint64(-1000) << true << QString();
        QTest::addRow("-999: tolerated") << 230001.0 << qint64(231000) << qint64(-999) << false << QString();
        QTest::addRow("0: even") << 231000.0 << qint64(231000) << qint64(0) << false << QString();
        QTest::addRow("1: savings")
            << 231001.0 << qint64(231000) << qint64(1) << false << QStringLiteral("Havonta még 1 Ft-ot félre is tudsz tenni!");
        QTest::addRow("-999.5 rounds to -1000")
            << 230000.5 << qint64(231000) << qint64(-1000) << true << QString();
        QTest::addRow("large savings")
            << 5231000.0 << qint64(231000) << qint64(5000000) << false
            << QStringLiteral("Havonta még 5000000 Ft-ot félre is tudsz tenni!");
    }
    void verdict()
    {
        QFETCH(double, net);
        QFETCH(qint64, total);
        const qint64 balance = budget::monthlyBalance(net, total);
        QTEST(balance, "balance");
        QTEST(budget::needsRework(balance), "rework");
        QTEST(budget::savingsText(balance), "savings");
    }

    void reworkMessageHasThreeLines()
    {
        QCOMPARE(budget::reworkMessage().split(QLatin1Char('\r')),
                 QStringList({QStringLiteral("Alakítsd át a költségvetésedet!"),
                              QStringLiteral("Ez a szakma nem teszi lehetővé"), QStringLiteral("ezt az életvitelt")}));
    }

    void wageDraw_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<qint64>("raw");        // what the random source returns
        QTest::addColumn<qint64>("bound");      // the bound it must be asked for; 0: not asked
        QTest::addColumn<qint64>("wage");
        QTest::addRow("152500 -> 152000") << 150000.0 << 200000.0 << qint64(2500) << qint64(50000) << qint64(152000);
        QTest::addRow("153500 -> 154000") << 150000.0 << 200000.0 << qint64(3500) << qint64(50000) << qint64(154000);
        QTest::addRow("min = max: no draw") << 150000.0 << 150000.0 << qint64(0) << qint64(0) << qint64(150000);
        QTest::addRow("lowest draw") << 89500.0 << 120000.0 << qint64(0) << qint64(30500) << qint64(90000);
        QTest::addRow("highest draw is max - 1") << 89500.0 << 120000.0 << qint64(30499) << qint64(30500)
                                                 << qint64(120000);
        QTest::addRow("limits rounded first") << 150000.4 << 150000.6 << qint64(0) << qint64(1) << qint64(150000);
    }
    void wageDraw()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(qint64, raw);
        QFETCH(qint64, bound);
        qint64 askedBound = 0;
        int draws = 0;
        const budget::RandomSource source = [&](qint64 b) {
            askedBound = b;
            ++draws;
            return raw;
        };
        QTEST(budget::drawWage(min, max, QStringLiteral("Kertész"), source), "wage");
        QCOMPARE(askedBound, bound);
        QCOMPARE(draws, bound > 0 ? 1 : 0);
    }

    void reversedWageRangeIsRefused()
    {
        try {
            budget::drawWage(200000, 150000, QStringLiteral("Ápoló"), [](qint64) -> qint64 {
                throw std::logic_error("no draw expected");
            });
            QFAIL("a reversed range was drawn from");
        } catch (const std::runtime_error &e) {
            const QString message = QString::fromStdString(e.what());
            QVERIFY2(message.startsWith(QStringLiteral("Az „Ápoló” szakma bérsávja hibás")), qPrintable(message));
            QVERIFY(message.contains(QStringLiteral("150000 Ft")));
            QVERIFY(message.contains(QStringLiteral("200000 Ft")));
        }
    }

    void clockSeededSourceStaysInRange()
    {
        const budget::RandomSource source = budget::clockSeededSource();
        QSet<qint64> seen;
        for (int i = 0; i < 200; ++i) {
            const qint64 r = source(3);
            QVERIFY(r >= 0 && r < 3);
            seen.insert(r);
        }
        QCOMPARE(seen.size(), 3);
    }

    void familyTexts_data()
    {
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("perPersonFood");
        QTest::addColumn<qint64>("clothingCost");
        QTest::addColumn<QString>("ennyien");
        QTest::addColumn<QString>("gyerek");
        QTest::addColumn<QString>("food");
        QTest::addColumn<QString>("clothing");
        QTest::addRow("no children")
            << 0 << qint64(30000) << qint64(10000)
            << QStringLiteral("Házastársaddal összesen ketten vagytok, a költségek ennek megfelelően számolódnak.")
            << QString() << QStringLiteral("1 főre jutó élelmiszer: Felnőttekre 30000 Ft/fő")
            << QStringLiteral("1 főre jutó ruházkodás: 5000 Ft");
        QTest::addRow("two children")
            << 2 << qint64(30000) << qint64(20000)
            << QStringLiteral("Házastársaddal és 2 gyerekeddel a család összlétszáma 4, a költségek ennek "
                              "megfelelően számolódnak.")
            << QStringLiteral("Mivel 2 gyereked van, ezért gyerekenként havi 10.000 Ft (összesen 20000 Ft) "
                              "kiadással kell még számolnod.")
            << QStringLiteral("1 főre jutó élelmiszer: Felnőttekre 30000 Ft/fő Gyerekekre (75%) 22500 Ft/gyerek)")
            << QStringLiteral("1 főre jutó ruházkodás: 5000 Ft");
        QTest::addRow("one child, fractions in the locale's form")
            << 1 << qint64(1001) << qint64(10001)
            << QStringLiteral("Házastársaddal és 1 gyerekeddel a család összlétszáma 3, a költségek ennek "
                              "megfelelően számolódnak.")
            << QStringLiteral("Mivel 1 gyereked van, ezért gyerekenként havi 10.000 Ft (összesen 10000 Ft) "
                              "kiadással kell még számolnod.")
            << QStringLiteral("1 főre jutó élelmiszer: Felnőttekre 1001 Ft/fő Gyerekekre (75%) 750,75 Ft/gyerek)")
            << QStringLiteral("1 főre jutó ruházkodás: 3333,66666666667 Ft");
    }
    void familyTexts()
    {
        QFETCH(int, children);
        QFETCH(qint64, perPersonFood);
        QFETCH(qint64, clothingCost);
        const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
        QTEST(budget::familySizeText(children), "ennyien");
        QTEST(budget::childCostText(children), "gyerek");
        QTEST(budget::foodPerPersonText(perPersonFood, children, hungarian), "food");
        QTEST(budget::clothingPerPersonText(clothingCost, children, hungarian), "clothing");
    }

    // The folder's cost of a child goes into the family total and the report's sentence.
    void childCostFromTheFolder_data()
    {
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("childCost");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("text");
        QTest::addRow("three children at 25 000") << 3 << qint64(25000) << qint64(75000)
            << QStringLiteral("Mivel 3 gyereked van, ezért gyerekenként havi 25.000 Ft (összesen 75000 Ft) "
                              "kiadással kell még számolnod.");
        QTest::addRow("a cost of a million") << 1 << qint64(1250000) << qint64(1250000)
            << QStringLiteral("Mivel 1 gyereked van, ezért gyerekenként havi 1.250.000 Ft (összesen 1250000 Ft) "
                              "kiadással kell még számolnod.");
        QTest::addRow("under a thousand") << 2 << qint64(999) << qint64(1998)
            << QStringLiteral("Mivel 2 gyereked van, ezért gyerekenként havi 999 Ft (összesen 1998 Ft) "
                              "kiadással kell még számolnod.");
        QTest::addRow("no children") << 0 << qint64(25000) << qint64(0) << QString();
    }
    void childCostFromTheFolder()
    {
        QFETCH(int, children);
        QFETCH(qint64, childCost);
        budget::Prices none;
        const budget::FamilyCosts costs = budget::familyCosts(none, 2, children, childCost);
        QTEST(costs.children, "total");
        QTEST(costs.total, "total");
        QTEST(budget::childCostText(children, childCost), "text");
    }

    // The year with the suffix of its last spoken word.
    void yearAdjective_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("text");
        const QList<QPair<int, const char *>> rows = {
            {2010, "2010-es"}, {2026, "2026-os"}, {2023, "2023-as"}, {2025, "2025-ös"}, {2021, "2021-es"},
            {2027, "2027-es"}, {2028, "2028-as"}, {2020, "2020-as"}, {2030, "2030-as"}, {2040, "2040-es"},
            {2050, "2050-es"}, {2060, "2060-as"}, {2090, "2090-es"}, {2100, "2100-as"}, {2000, "2000-es"}};
        for (const auto &row : rows)
            QTest::addRow("%d", row.first) << row.first << QString::fromUtf8(row.second);
    }
    void yearAdjective()
    {
        QFETCH(int, year);
        QTEST(budget::yearAdjective(year), "text");
        QCOMPARE(budget::yearLevelsText(year), budget::yearAdjective(year) + QStringLiteral(" adó- és árszintek"));
    }

    void generalNumberFollowsTheLocale()
    {
        QCOMPARE(budget::generalNumber(750.75, QLocale(QLocale::English, QLocale::UnitedStates)),
                 QStringLiteral("750.75"));
        QCOMPARE(budget::generalNumber(1234567.5, QLocale(QLocale::Hungarian, QLocale::Hungary)),
                 QStringLiteral("1234567,5"));
        QCOMPARE(budget::generalNumber(22500, QLocale(QLocale::Hungarian, QLocale::Hungary)),
                 QStringLiteral("22500"));
    }

    void activities()
    {
        budget::Activities none;
        QVERIFY(none.lines.isEmpty());
        QCOMPARE(budget::amountText(none.sum), QStringLiteral("0 Ft"));

        budget::Activities some;
        some.add(QStringLiteral("Mozi"), 2000.5);   // line 2000 (even), sum 2000
        some.add(QStringLiteral("Színház"), 3000.5);  // line 3000, sum round(5000.5) = 5000
        some.add(QStringLiteral("Internet"), 0.5);    // line 0, sum round(5000.5) = 5000
        QCOMPARE(some.lines, QStringList({QStringLiteral("Mozi, 2000 Ft"), QStringLiteral("Színház, 3000 Ft"),
                                          QStringLiteral("Internet, 0 Ft")}));
        QCOMPARE(some.sum, qint64(5000));
    }

    void maskBits_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<QList<int>>("keys");
        QTest::addRow("none") << 0 << QList<int>{};
        QTest::addRow("all six") << 63 << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::addRow("first and last") << 33 << QList<int>{1, 6};
        QTest::addRow("bits above the six are not keys") << (64 | 128 | 256 | 2) << QList<int>{2};
    }
    void maskBits()
    {
        QFETCH(int, mask);
        QFETCH(QList<int>, keys);
        QList<int> found;
        for (int key = 1; key <= 8; ++key)
            if (budget::chosen(mask, key))
                found << key;
        QCOMPARE(found, keys);
    }

    void wageFile()
    {
        QCOMPARE(budget::wageFileLines(152000, 2, 145000, 231000),
                 QStringList({"152000", "2", "145000", "231000"}));
        QCOMPARE(budget::wageFileLines(-5, 0, 0, 0), QStringList({"-5", "0", "0", "0"}));
    }
};

ZOMIR_TEST_MAIN(TestBudget)
#include "tst_budget.moc"
