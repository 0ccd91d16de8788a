// The balance sheet of the game's content (the built working folders of 2010 and 2026),
// worked out with the game's own costing and the payroll rules of the folder's year: for
// each profession the family's net income at the lowest and the highest wage the draw can
// give, against the cheapest and the dearest family budget the catalogues allow, with the
// folder's cost of a child. Every profession must be winnable with frugal choices even at
// its lowest wage, and at that wage at least two thirds must not be winnable with the
// dearest choices (every hobby and entertainment ticked); the table printed says more.

#include "rules/budget.h"
#include "db/engine.h"
#include "game/jadat.h"
#include "rules/payroll.h"
#include "game/payrolldata.h"
#include "rules/taxyear.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <limits>
#include <memory>

using namespace payroll;

namespace {

struct Row {
    int key = 0;
    QString category;
    budget::Prices prices;   // only the fields of its catalogue are set
};

}  // namespace

class TestBalance : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;
    std::unique_ptr<zdb::Session> m_session;
    int m_sessions = 0;

    std::unique_ptr<zdb::Table> table(const QString &file)
    {
        auto t = std::make_unique<zdb::Table>(m_session.get());
        t->setAliasName(QStringLiteral("DB_ZOMIR"));
        t->setTableName(file);
        t->open();
        return t;
    }

    QVector<Row> rows(const QString &file, const QString &keyField)
    {
        auto t = table(file);
        QVector<Row> result;
        const bool house = file.startsWith(QStringLiteral("Hazak"));
        for (t->first(); !t->eof(); t->next()) {
            Row row;
            row.key = t->fieldByName(keyField).asInteger();
            row.category = t->fieldByName(QStringLiteral("Kategoria")).asString();
            if (house) {
                row.prices.rezsi = t->fieldByName(QStringLiteral("Rezsi")).asFloat();
                row.prices.torleszto = t->fieldByName(QStringLiteral("Torleszto_reszlet")).asFloat();
            } else {
                const double price = t->fieldByName(QStringLiteral("Atlagos_Ar")).asFloat();
                row.prices.food = row.prices.clothing = row.prices.transport = price;
            }
            result << row;
        }
        return result;
    }

    // The 2026 rules' parameters as the folder's tables hold them: the first band's rate,
    // the TB and szocho rates, the family allowance and the allowance base per child.
    payroll::Tables2026 tables2026(const PayrollTables &tables)
    {
        Tables2026 t;
        auto bands = table(QStringLiteral("adokulcs.db"));
        t.taxPercent = bands->fieldByName(QStringLiteral("Szazalek")).asFloat();
        t.contributionPercent = tables.healthRate * 100;
        t.employerPercent = tables.employerRate * 100;
        t.familyAllowancePerChild = tables.allowancePerChild;
        t.allowanceBasePerChild = tables.taxAllowancePerChild;
        return t;
    }

private Q_SLOTS:
    void everyProfessionIsWinnableWhenFrugal_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<int>("year");
        QTest::newRow("2010") << QStringLiteral("ZOMIR_WORKFOLDER") << 2010;
        QTest::newRow("2026") << QStringLiteral("ZOMIR_WORKFOLDER_2026") << 2026;
    }

    void everyProfessionIsWinnableWhenFrugal()
    {
        QFETCH(QString, variable);
        QFETCH(int, year);
        const QString folder = qEnvironmentVariable(qPrintable(variable));
        if (folder.isEmpty() || !QDir(folder).exists(QStringLiteral("DB")))
            QSKIP(qPrintable(QStringLiteral("No built working folder (%1)").arg(variable)));
        m_session = std::make_unique<zdb::Session>(
            m_config.filePath(QStringLiteral("engine%1.ini").arg(++m_sessions)));
        m_session->addStandardAlias(QStringLiteral("DB_ZOMIR"), QDir(folder).filePath(QStringLiteral("DB")));

        // The folder's year and its cost of a child.
        auto yearRow = table(QStringLiteral("Adoev.DB"));
        QCOMPARE(yearRow->recordCount(), 1);
        yearRow->first();
        QCOMPARE(yearRow->fieldByName(QStringLiteral("Ev")).asInteger(), year);
        const qint64 childCost = Round(yearRow->fieldByName(QStringLiteral("Gyerek_koltseg")).asFloat());
        QVERIFY(childCost > 0);

        const QVector<Row> houses = rows(QStringLiteral("Hazak.DB"), QStringLiteral("House_Key"));
        const QVector<Row> foods = rows(QStringLiteral("Elelmiszerek.DB"), QStringLiteral("Food_Key"));
        const QVector<Row> clothes = rows(QStringLiteral("Ruhazkodas.db"), QStringLiteral("Clothing_Key"));
        const QVector<Row> transports = rows(QStringLiteral("Kozlekedes.db"), QStringLiteral("Travel_Key"));
        const QVector<Row> hobbies = rows(QStringLiteral("Hobbi.db"), QStringLiteral("Hobby_Key"));
        const QVector<Row> fun = rows(QStringLiteral("Szorakozas.db"), QStringLiteral("Entertainment_Key"));
        QVERIFY(!houses.isEmpty() && !foods.isEmpty() && !clothes.isEmpty() && !transports.isEmpty());

        // Every chosen activity, in the order the evaluation adds them.
        budget::Activities allHobbies, allFun;
        for (int key = 1; key <= 6; ++key) {
            for (const Row &r : fun)
                if (r.key == key)
                    allFun.add(r.category, r.prices.food);
            for (const Row &r : hobbies)
                if (r.key == key)
                    allHobbies.add(r.category, r.prices.food);
        }

        TDataModule2 dm2(m_session.get());
        const PayrollTables tables = LoadPayrollTables(&dm2);
        const BracketFinder bands = [&dm2](qint64 base) { return FindTaxBracket(&dm2, base); };
        const Tables2026 law2026 = tables2026(tables);
        // The family's net income under the folder's year's rules.
        const auto familyNet = [&](qint64 gross, int children, qint64 spouse) {
            return year == 2026 ? ComputePayStatement2026(law2026, gross, children, spouse).familyNetIncome
                                : ComputePayStatement(tables, bands, gross, children, spouse).familyNetIncome;
        };

        auto professions = table(QStringLiteral("szakma4.DB"));
        QCOMPARE(professions->recordCount(), 30);
        QStringList notWinnableDear;
        int notWinnableDearAtLowest = 0;
        qInfo().noquote() << year << "kód | szakma | gyerek | nettó (min-max) | legolcsóbb | legdrágább | "
                             "egyenleg takarékosan (min bér) | egyenleg drágán (min bér) | egyenleg drágán (max bér)";
        for (professions->first(); !professions->eof(); professions->next()) {
            const int code = professions->fieldByName(QStringLiteral("Szakma_kod")).asInteger();
            const QString name = professions->fieldByName(QStringLiteral("Szakma_nev")).asString().trimmed();
            const double low = professions->fieldByName(QStringLiteral("Brutto_min")).asFloat();
            const double high = professions->fieldByName(QStringLiteral("Brutto_max")).asFloat();
            const int children = professions->fieldByName(QStringLiteral("Gyerekszam")).asInteger();
            const qint64 spouse = Round(professions->fieldByName(QStringLiteral("Hazastars_netto")).asFloat());

            // The lowest and highest wage the draw can give.
            const qint64 lowest = budget::drawWage(low, high, name, [](qint64) { return qint64(0); });
            const qint64 highest = budget::drawWage(low, high, name, [](qint64 bound) { return bound - 1; });
            const qint64 netLow = familyNet(lowest, children, spouse);
            const qint64 netHigh = familyNet(highest, children, spouse);

            qint64 cheapest = std::numeric_limits<qint64>::max();
            qint64 dearest = 0;
            for (const Row &h : houses)
                for (const Row &f : foods)
                    for (const Row &c : clothes)
                        for (const Row &t : transports) {
                            budget::Prices p;
                            p.rezsi = h.prices.rezsi;
                            p.torleszto = h.prices.torleszto;
                            p.food = f.prices.food;
                            p.clothing = c.prices.clothing;
                            p.transport = t.prices.transport;
                            const qint64 total = budget::familyCosts(p, t.key, children, childCost).total;
                            cheapest = std::min(cheapest, total);
                            dearest = std::max(dearest, total);
                        }
            dearest += allHobbies.sum + allFun.sum;

            const qint64 frugal = budget::monthlyBalance(double(netLow), cheapest);
            const qint64 dearLow = budget::monthlyBalance(double(netLow), dearest);
            const qint64 dear = budget::monthlyBalance(double(netHigh), dearest);
            qInfo().noquote() << QStringLiteral("%1 | %2 | %3 | %4-%5 | %6 | %7 | %8 | %9 | %10%11")
                                     .arg(code)
                                     .arg(name)
                                     .arg(children)
                                     .arg(netLow)
                                     .arg(netHigh)
                                     .arg(cheapest)
                                     .arg(dearest)
                                     .arg(frugal)
                                     .arg(dearLow)
                                     .arg(dear)
                                     .arg(budget::needsRework(dear) ? QStringLiteral(" (nem nyerhető)") : QString());
            if (budget::needsRework(dearLow))
                ++notWinnableDearAtLowest;
            QVERIFY2(!budget::needsRework(frugal),
                     qPrintable(QStringLiteral("%1: takarékosan is %2 Ft hiány").arg(name).arg(-frugal)));
            if (budget::needsRework(dear))
                notWinnableDear << name;
        }
        qInfo().noquote() << "Drága választásokkal a legmagasabb bérrel sem nyerhető:"
                          << (notWinnableDear.isEmpty() ? QStringLiteral("egy sem") : notWinnableDear.join(", "));
        qInfo().noquote() << QStringLiteral("%1: a legalacsonyabb bérrel drágán nem nyerhető %2 szakma a 30-ból")
                                 .arg(year)
                                 .arg(notWinnableDearAtLowest);
        QVERIFY2(notWinnableDearAtLowest * 3 >= 2 * 30,
                 qPrintable(QStringLiteral("csak %1 szakma nem nyerhető drágán").arg(notWinnableDearAtLowest)));
    }
};

ZOMIR_TEST_MAIN(TestBalance)
#include "tst_balance.moc"
