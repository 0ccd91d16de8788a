// The family's month as a picture: its parts add up to the family total of the household
// costing and income minus that total is the monthly balance; the bars lay the parts out on
// one scale and label those wide enough; and the what-if is the cheapest single change that
// balances the budget, checked against a brute force over every single change on the
// catalogues of the built working folders (2010 and 2026).

#include "controls/report.h"
#include "db/engine.h"
#include "rules/budget.h"
#include "rules/monthchart.h"
#include "rules/payroll.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using monthchart::Catalogues;
using monthchart::Month;
using monthchart::Option;
using monthchart::Suggestion;

namespace {

// The family total of a month, worked out here from the catalogue rows as the evaluation
// does it: the household costing of the four single choices, then each chosen activity.
qint64 bruteTotal(const Catalogues &c, const Month &m)
{
    const auto find = [](const QVector<Option> &rows, int key) {
        for (const Option &row : rows)
            if (row.key == key)
                return row;
        return Option{-1, QString(), 0, 0};
    };
    budget::Prices prices;
    prices.rezsi = find(c.homes, m.home).rezsi;
    prices.torleszto = find(c.homes, m.home).price;
    prices.food = find(c.foods, m.food).price;
    prices.clothing = find(c.clothing, m.clothing).price;
    prices.transport = find(c.transport, m.transport).price;
    qint64 total = budget::familyCosts(prices, m.transport, m.children, m.childCost).total;
    budget::Activities fun, hobby;
    for (int key = 1; key <= 6; ++key) {
        if (m.entertainmentMask >> (key - 1) & 1)
            fun.add(QString(), find(c.entertainment, key).price);
        if (m.hobbyMask >> (key - 1) & 1)
            hobby.add(QString(), find(c.hobbies, key).price);
    }
    return total + fun.sum + hobby.sum;
}

// Every month that differs from `m` in one catalogue choice.
QVector<Month> singleChanges(const Catalogues &c, const Month &m)
{
    QVector<Month> result;
    const auto others = [&](const QVector<Option> &rows, int Month::*choice) {
        for (const Option &row : rows) {
            if (row.key == m.*choice)
                continue;
            Month changed = m;
            changed.*choice = row.key;
            result << changed;
        }
    };
    others(c.homes, &Month::home);
    others(c.foods, &Month::food);
    others(c.clothing, &Month::clothing);
    others(c.transport, &Month::transport);
    for (int key = 1; key <= 6; ++key) {
        if (m.hobbyMask >> (key - 1) & 1) {
            Month changed = m;
            changed.hobbyMask &= ~(1 << (key - 1));
            result << changed;
        }
        if (m.entertainmentMask >> (key - 1) & 1) {
            Month changed = m;
            changed.entertainmentMask &= ~(1 << (key - 1));
            result << changed;
        }
    }
    return result;
}

bool balances(const Month &m, qint64 total)
{
    return payroll::Round(m.netIncome - double(total)) > -budget::kReworkShortfall;
}

}  // namespace

class TestMonthChart : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;
    int m_sessions = 0;

    // The catalogues of a built working folder and its cost of a child.
    Catalogues folderCatalogues(const QString &variable, qint64 &childCost)
    {
        const QString folder = qEnvironmentVariable(qPrintable(variable));
        zdb::Session session(m_config.filePath(QStringLiteral("engine%1.ini").arg(++m_sessions)));
        session.addStandardAlias(QStringLiteral("DB_ZOMIR"), QDir(folder).filePath(QStringLiteral("DB")));
        const auto read = [&session](const QString &file, const QString &keyField) {
            zdb::Table t(&session);
            t.setAliasName(QStringLiteral("DB_ZOMIR"));
            t.setTableName(file);
            t.open();
            const bool house = file.startsWith(QStringLiteral("Hazak"));
            QVector<Option> rows;
            for (t.first(); !t.eof(); t.next()) {
                Option o;
                o.key = t.fieldByName(keyField).asInteger();
                o.name = t.fieldByName(QStringLiteral("Kategoria")).asString();
                o.price = t.fieldByName(house ? QStringLiteral("Torleszto_reszlet") : QStringLiteral("Atlagos_Ar")).asFloat();
                o.rezsi = house ? t.fieldByName(QStringLiteral("Rezsi")).asFloat() : 0;
                rows << o;
            }
            return rows;
        };
        Catalogues c;
        c.homes = read(QStringLiteral("Hazak.DB"), QStringLiteral("House_Key"));
        c.foods = read(QStringLiteral("Elelmiszerek.DB"), QStringLiteral("Food_Key"));
        c.clothing = read(QStringLiteral("Ruhazkodas.db"), QStringLiteral("Clothing_Key"));
        c.transport = read(QStringLiteral("Kozlekedes.db"), QStringLiteral("Travel_Key"));
        c.hobbies = read(QStringLiteral("Hobbi.db"), QStringLiteral("Hobby_Key"));
        c.entertainment = read(QStringLiteral("Szorakozas.db"), QStringLiteral("Entertainment_Key"));
        zdb::Table year(&session);
        year.setAliasName(QStringLiteral("DB_ZOMIR"));
        year.setTableName(QStringLiteral("Adoev.DB"));
        year.open();
        year.first();
        childCost = payroll::Round(year.fieldByName(QStringLiteral("Gyerek_koltseg")).asFloat());
        return c;
    }

private Q_SLOTS:
    // The parts of the chart add up to the family total, and income minus that total is
    // the evaluation's balance, for a surplus, an exact zero, a shortfall, fractional house
    // prices (the total rounds them once) and a part far too small for its label.
    void partsAddUp_data()
    {
        QTest::addColumn<double>("rezsi");
        QTest::addColumn<double>("torleszto");
        QTest::addColumn<double>("food");
        QTest::addColumn<int>("transportKey");
        QTest::addColumn<int>("children");
        QTest::addColumn<qint64>("hobbies");
        QTest::addColumn<double>("net");
        QTest::addColumn<qint64>("balance");
        QTest::addRow("surplus") << 20000.0 << 50000.0 << 30000.0 << 1 << 2 << qint64(0) << 300000.0 << qint64(69000);
        QTest::addRow("exact zero") << 20000.0 << 50000.0 << 30000.0 << 1 << 2 << qint64(0) << 231000.0 << qint64(0);
        QTest::addRow("shortfall") << 20000.0 << 50000.0 << 30000.0 << 1 << 2 << qint64(12000) << 200000.0
                                   << qint64(-43000);
        QTest::addRow("fractional house") << 20000.4 << 50000.4 << 30000.0 << 2 << 0 << qint64(0) << 200000.0
                                          << qint64(55999);
        QTest::addRow("tiny part") << 20000.0 << 900000.0 << 30000.0 << 2 << 1 << qint64(300) << 1000000.0
                                   << qint64(-31800);
    }
    void partsAddUp()
    {
        QFETCH(double, rezsi);
        QFETCH(double, torleszto);
        QFETCH(double, food);
        QFETCH(int, transportKey);
        QFETCH(int, children);
        QFETCH(qint64, hobbies);
        QFETCH(double, net);
        QFETCH(qint64, balance);
        budget::Prices prices;
        prices.rezsi = rezsi;
        prices.torleszto = torleszto;
        prices.food = food;
        prices.clothing = 5000;
        prices.transport = 4000;
        const budget::FamilyCosts costs = budget::familyCosts(prices, transportKey, children, 10000);
        const qint64 familyTotal = costs.total + hobbies;   // as the evaluation adds the activities
        const monthchart::Figures f = monthchart::figures(costs, hobbies, 0, net);

        qint64 sum = 0;
        for (qint64 part : f.parts)
            sum += part;
        QCOMPARE(sum, familyTotal);
        QCOMPARE(f.total, familyTotal);
        QCOMPARE(f.balance, budget::monthlyBalance(net, familyTotal));
        QCOMPARE(f.balance, balance);
        QCOMPARE(f.income - f.total, f.balance);
        QCOMPARE(f.parts[monthchart::Children], qint64(children) * 10000);
        QCOMPARE(f.parts[monthchart::Hobbies], hobbies);
        QCOMPARE(f.remainder() - f.shortfall(), f.balance);

        // The bars on one scale: both end at the same place, every part as long as its
        // amount, and only a part wide enough carries its name and amount.
        TQuickRep page(QStringLiteral("chart"));
        auto *income = new TQRBar(&page, QStringLiteral("bevetel"), QRectF(0, 0, 186, 20), TQRFont{TQRFont::Arial, 8});
        auto *spent = new TQRBar(&page, QStringLiteral("kiadasok"), QRectF(0, 30, 186, 20), TQRFont{TQRFont::Arial, 8});
        QVector<TQRBarPart> incomeParts{{QStringLiteral("Nettó jövedelem"), double(f.income), monthchart::forints(f.income)}};
        QVector<TQRBarPart> costParts;
        for (int p = 0; p < monthchart::kPartCount; ++p)
            costParts << TQRBarPart{monthchart::partName(p), double(f.parts[p]), monthchart::forints(f.parts[p])};
        (f.shortfall() > 0 ? incomeParts : costParts)
            << TQRBarPart{QStringLiteral("Rest"), double(f.shortfall() + f.remainder()), QString()};
        const double full = double(std::max(f.income, f.total));
        income->setParts(incomeParts);
        income->setFullScale(full);
        spent->setParts(costParts);
        spent->setFullScale(full);
        QCOMPARE(income->partBoxes().constLast().right(), spent->partBoxes().constLast().right());
        QVERIFY(qAbs(spent->partBoxes().constLast().right() - income->sheetBox().right()) < 1e-6);
        const QVector<QRectF> boxes = spent->partBoxes();
        const QVector<bool> labelled = spent->labelled();
        for (int p = 0; p < monthchart::kPartCount; ++p) {
            QVERIFY(qAbs(boxes.at(p).width() - 186.0 * double(f.parts[p]) / full) < 1e-6);
            if (boxes.at(p).width() < 5)
                QVERIFY2(!labelled.at(p), qPrintable(monthchart::partName(p)));
            if (boxes.at(p).width() > 40)
                QVERIFY2(labelled.at(p), qPrintable(monthchart::partName(p)));
        }
        if (QByteArray(QTest::currentDataTag()) == "tiny part")
            QVERIFY(!labelled.at(monthchart::Hobbies));
    }

    void forintsText()
    {
        QCOMPARE(monthchart::forints(0), QStringLiteral("0\u00A0Ft"));
        QCOMPARE(monthchart::forints(999), QStringLiteral("999\u00A0Ft"));
        QCOMPARE(monthchart::forints(12345), QStringLiteral("12\u00A0345\u00A0Ft"));
        QCOMPARE(monthchart::forints(-38000), QStringLiteral("−38\u00A0000\u00A0Ft"));
        QCOMPARE(monthchart::forints(1234567), QStringLiteral("1\u00A0234\u00A0567\u00A0Ft"));
    }

    // The suggestion's sentence names the row by its rank in the family's costs.
    void suggestionText()
    {
        Suggestion s;
        QVERIFY(monthchart::suggestionText(s).isEmpty());
        s.kind = Suggestion::Enough;
        s.catalogue = monthchart::HomeCatalogue;
        s.name = QStringLiteral("Panellakás");
        s.rank = 2;
        s.saving = 38000;
        QCOMPARE(monthchart::suggestionText(s),
                 QStringLiteral("Egyetlen változtatás, amellyel kijönne: a 2. legolcsóbb lakás (Panellakás): −38\u00A0000\u00A0Ft"));
        s.kind = Suggestion::NotEnough;
        s.catalogue = monthchart::HobbyCatalogue;
        s.name = QStringLiteral("Autó");
        s.saving = 5000;
        QCOMPARE(monthchart::suggestionText(s),
                 QStringLiteral("Egyetlen választás megváltoztatása sem elég. A legnagyobb megtakarítás: az Autó "
                                "elhagyása (hobbi): −5\u00A0000\u00A0Ft"));
        s.kind = Suggestion::Enough;
        s.catalogue = monthchart::TransportCatalogue;
        s.name = QStringLiteral("Kerékpár");
        s.rank = 1;
        QVERIFY(monthchart::suggestionText(s).contains(QStringLiteral(": a legolcsóbb közlekedés (Kerékpár): ")));
        s.kind = Suggestion::NoSaving;
        QVERIFY(monthchart::suggestionText(s).contains(QStringLiteral("mindenből a legolcsóbbat")));
    }

    // On the built catalogues, for months drawn with a fixed seed and incomes around their
    // totals: the what-if's change is the cheapest single change that balances, or, when
    // none does, the largest saving of any single change; and the change it names gives
    // the saving it says.
    void whatIfIsCheapestBalancingChange_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::newRow("2010") << QStringLiteral("ZOMIR_WORKFOLDER");
        QTest::newRow("2026") << QStringLiteral("ZOMIR_WORKFOLDER_2026");
    }
    void whatIfIsCheapestBalancingChange()
    {
        QFETCH(QString, variable);
        QVERIFY2(QDir(qEnvironmentVariable(qPrintable(variable))).exists(QStringLiteral("DB")), qPrintable(variable));
        qint64 childCost = 0;
        const Catalogues c = folderCatalogues(variable, childCost);
        QVERIFY(c.homes.size() > 1 && c.foods.size() > 1 && c.transport.size() > 1);
        QCOMPARE(c.hobbies.size(), 6);

        QRandomGenerator random(20261211);
        const auto pick = [&random](const QVector<Option> &rows) { return rows.at(int(random.bounded(rows.size()))).key; };
        int enough = 0, notEnough = 0, balanced = 0;
        for (int round = 0; round < 400; ++round) {
            Month m;
            m.home = pick(c.homes);
            m.food = pick(c.foods);
            m.clothing = pick(c.clothing);
            m.transport = pick(c.transport);
            m.hobbyMask = int(random.bounded(64));
            m.entertainmentMask = int(random.bounded(64));
            m.children = int(random.bounded(4));
            m.childCost = childCost;
            const qint64 total = bruteTotal(c, m);
            QCOMPARE(monthchart::familyTotal(c, m), total);
            // Incomes from well below to just above the total, and the edges of balancing.
            const qint64 offsets[] = {-400000, -150000, -60000, -20000, -5000, -1000, -999, 0};
            m.netIncome = double(total + offsets[round % 8]);

            qint64 bestEnough = -1, largest = 0;
            for (const Month &changed : singleChanges(c, m)) {
                const qint64 saving = total - bruteTotal(c, changed);
                if (saving <= 0)
                    continue;
                largest = std::max(largest, saving);
                if (balances(changed, total - saving) && (bestEnough < 0 || saving < bestEnough))
                    bestEnough = saving;
            }

            const Suggestion s = monthchart::whatIf(c, m);
            if (balances(m, total)) {
                QCOMPARE(s.kind, Suggestion::Balanced);
                ++balanced;
                continue;
            }
            if (bestEnough >= 0) {
                QCOMPARE(s.kind, Suggestion::Enough);
                QCOMPARE(s.saving, bestEnough);
                ++enough;
            } else if (largest > 0) {
                QCOMPARE(s.kind, Suggestion::NotEnough);
                QCOMPARE(s.saving, largest);
                ++notEnough;
            } else {
                QCOMPARE(s.kind, Suggestion::NoSaving);
                continue;
            }
            // The change named is one of the single changes, and gives that saving.
            Month named = m;
            switch (s.catalogue) {
            case monthchart::HomeCatalogue: named.home = s.key; break;
            case monthchart::FoodCatalogue: named.food = s.key; break;
            case monthchart::ClothingCatalogue: named.clothing = s.key; break;
            case monthchart::TransportCatalogue: named.transport = s.key; break;
            case monthchart::HobbyCatalogue:
                QVERIFY(budget::chosen(m.hobbyMask, s.key));
                named.hobbyMask &= ~(1 << (s.key - 1));
                break;
            case monthchart::EntertainmentCatalogue:
                QVERIFY(budget::chosen(m.entertainmentMask, s.key));
                named.entertainmentMask &= ~(1 << (s.key - 1));
                break;
            }
            QCOMPARE(total - bruteTotal(c, named), s.saving);
            QCOMPARE(s.balance, payroll::Round(m.netIncome - double(total - s.saving)));
            if (s.catalogue <= monthchart::TransportCatalogue) {
                // Its rank: one more than the rows of its catalogue that cost the family less.
                const QVector<Option> *rows[] = {&c.homes, &c.foods, &c.clothing, &c.transport};
                int rank = 1;
                for (const Option &row : *rows[s.catalogue]) {
                    Month other = named;
                    int Month::*choice[] = {&Month::home, &Month::food, &Month::clothing, &Month::transport};
                    other.*choice[s.catalogue] = row.key;
                    rank += bruteTotal(c, other) < bruteTotal(c, named) ? 1 : 0;
                }
                QCOMPARE(s.rank, rank);
            }
        }
        // The draw reaches every kind of answer.
        QVERIFY(enough > 0);
        QVERIFY(notEnough > 0);
        QVERIFY(balanced > 0);
    }
};

QTEST_MAIN(TestMonthChart)
#include "tst_monthchart.moc"
