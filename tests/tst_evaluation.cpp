// The last household page's OK, end to end on real widgets with the scripted dialogs: the
// first costing (record appended, wage drawn once, "ber.txt", report 1, income calculator),
// the family budget check (rework and success, Statusz, tables closed, credits), and the
// evaluation stopping cleanly on bad data with the page still usable.

#include "game/befejez.h"
#include "tests/support/householdfixture.h"
#include "game/kiertekeles.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"
#include "tests/support/testenv.h"

#include <QDate>
#include <QDir>

using namespace householdfixture;

class TestEvaluation : public QObject {
    Q_OBJECT

    std::unique_ptr<HouseholdGame> g;
    std::unique_ptr<QWidget> incomeCalculator;   // stands in for the income calculator screen
    QList<qint64> draws;                         // what the injected random source returns
    int drawCount = 0;

    TBudgetEvaluation *evaluation() const { return g->main->evaluation(); }
    QStringList shown(const char *kind) const { return g->run->dialogs.texts(QString::fromLatin1(kind)); }

    void pressLastOk() { g->click("BitBtn12"); }

    // The page stays usable after a failure: the last page is current and shown, its OK
    // can be pressed again.
    void verifyLastPageUsable()
    {
        QVERIFY(g->main->isVisible());
        QCOMPARE(g->main->PageControl1->currentIndex(), int(PageSzorakozas));
        QVERIFY(g->main->PageControl1->isTabVisible(PageSzorakozas));
        QVERIFY(g->button("BitBtn12")->isVisible());
        QCOMPARE(g->run->game.DM->JatekosokDB->state(), zdb::DataSetState::Browse);
    }

    // The income calculator's hand-over: the family's net income stored in the player
    // record, and the pages walked again from "Ház".
    void storeNetIncome(double net)
    {
        zdb::Table *players = g->run->game.DM->JatekosokDB;
        players->edit();
        players->fieldByName(QStringLiteral("Netto_jov")).setValue(net);
        players->post();
        incomeCalculator->hide();
        g->run->game.showMainPage(PageHaz);
    }

private Q_SLOTS:
    void init()
    {
        g = std::make_unique<HouseholdGame>();
        QVERIFY(g->start());
        incomeCalculator = std::make_unique<QWidget>();
        g->run->game.registerScreen(Game::Screen::Jovedelem, incomeCalculator.get());
        draws = {2500};
        drawCount = 0;
        evaluation()->setRandomSource([this](qint64 bound) {
            ++drawCount;
            const qint64 r = draws.isEmpty() ? 0 : draws.takeFirst();
            return qMin(r, bound - 1);
        });
        g->run->dialogs.clear();
    }
    void cleanup()
    {
        g.reset();
        incomeCalculator.reset();
    }

    void firstCostingEndToEnd()
    {
        g->startNewGame(QStringLiteral("Tóth Vera"), 1, QStringLiteral("Kertész"));
        g->walkToLastPage(1 | 4, 2);   // Macska 4500, Egér 1500; Mozi 5000
        pressLastOk();

        // The record: appended once, the choices and the wage drawn once.
        HouseholdGame::Stored row = g->stored(QStringLiteral("Tóth Vera"));
        QCOMPARE(row.count, 1);
        QCOMPARE(row.fields.value("House_Key").toInt(), 1);
        QCOMPARE(row.fields.value("Travel_Key").toInt(), 1);
        QCOMPARE(row.fields.value("Hobby_Key").toInt(), 5);
        QCOMPARE(row.fields.value("Entertainment_Key").toInt(), 2);
        QCOMPARE(row.fields.value("Job_Key").toInt(), 1);
        QCOMPARE(row.fields.value("Statusz").toInt(), 0);
        QCOMPARE(row.fields.value("Datum").toDate(), QDate::currentDate());
        QCOMPARE(row.fields.value("Brutto_jov").toDouble(), 152000.0);   // 150000 + 2500 -> 152000
        QVERIFY(row.fields.value("Netto_jov").isNull());
        QCOMPARE(drawCount, 1);

        // One person: 20000 + 50000 + 30000 + 5000 + 4000, hobbies 6000, entertainment 5000.
        QCOMPARE(g->berTxt(), QByteArray("152000\r\n2\r\n100000\r\n120000\r\n"));
        const Report1Content &r1 = evaluation()->report1;
        QCOMPARE(r1.osszeg, QStringLiteral("120000"));
        QCOMPARE(r1.hobbiAr, QStringLiteral("6000 Ft"));
        QCOMPARE(r1.szorakozasAr, QStringLiteral("5000 Ft"));
        QCOMPARE(r1.memos[5], QStringList({QStringLiteral("Macska, 4500 Ft"), QStringLiteral("Egér, 1500 Ft")}));
        QCOMPARE(r1.memos[4], QStringList{QStringLiteral("Mozi, 5000 Ft")});
        QCOMPARE(r1.memos[0], QStringList{QStringLiteral("Panellakás leírása")});
        QCOMPARE(r1.memos[3], QStringList{QStringLiteral("Bérlet leírása")});

        // ... and so does report 1, previewed once.
        TfrmQuickRep *rep = g->run->game.frmQuickRep;
        QCOMPARE(rep->Osszeg->caption(), QStringLiteral("120000"));
        QCOMPARE(rep->hobbi_ar->caption(), QStringLiteral("6000 Ft"));
        QCOMPARE(rep->szorakozas_ar->caption(), QStringLiteral("5000 Ft"));
        QCOMPARE(rep->QRMemo6->lines(), r1.memos[5]);
        QCOMPARE(rep->QRMemo1->lines(), QStringList{QStringLiteral("Panellakás leírása")});
        QCOMPARE(shown("preview"), QStringList{QStringLiteral("Tóth Vera - egyéni költségvetés")});
        QVERIFY(!g->main->isVisible());
        QVERIFY(incomeCalculator->isVisible());
        QVERIFY(!g->main->NewGame);

        // The income calculator not finished: a second first costing reuses the wage.
        g->run->game.showMainPage(PageHaz);
        g->click("BitBtn3");   // another home
        g->walkToLastPage();
        QVERIFY(g->checkBox(1)->isChecked());   // the first pass's ticks came back
        pressLastOk();
        row = g->stored(QStringLiteral("Tóth Vera"));
        QCOMPARE(row.count, 1);
        QCOMPARE(row.fields.value("House_Key").toInt(), 2);
        QCOMPARE(drawCount, 1);
        QCOMPARE(g->berTxt(), QByteArray("152000\r\n2\r\n100000\r\n193000\r\n"));
        QCOMPARE(shown("preview").size(), 2);
    }

    void noActivityTicked()
    {
        g->startNewGame(QStringLiteral("Tóth Vera"), 3, QStringLiteral("Asztalos"));
        g->walkToLastPage(0, 0);
        pressLastOk();
        const Report1Content &r1 = evaluation()->report1;
        QVERIFY(r1.memos[4].isEmpty());
        QVERIFY(r1.memos[5].isEmpty());
        QCOMPARE(r1.hobbiAr, QStringLiteral("0 Ft"));
        QCOMPARE(r1.szorakozasAr, QStringLiteral("0 Ft"));
        QCOMPARE(drawCount, 0);   // min = max: nothing to draw
        QCOMPARE(g->berTxt(), QByteArray("180000\r\n0\r\n120000\r\n109000\r\n"));
    }

    // The family of the worked example (two children, a pass): 231000 Ft a month.
    void familyCheck_data()
    {
        QTest::addColumn<double>("net");
        QTest::addColumn<bool>("rework");
        QTest::addColumn<QString>("savings");
        QTest::addRow("shortfall of 1000: rework") << 230000.0 << true << QString();
        QTest::addRow("shortfall of 999: done") << 230001.0 << false << QString();
        QTest::addRow("even: done") << 231000.0 << false << QString();
        QTest::addRow("1 Ft left: done with savings")
            << 231001.0 << false << QStringLiteral("Havonta még 1 Ft-ot félre is tudsz tenni!");
    }
    void familyCheck()
    {
        QFETCH(double, net);
        QFETCH(bool, rework);
        QFETCH(QString, savings);
        g->startNewGame(QStringLiteral("Tóth Vera"), 1, QStringLiteral("Kertész"));
        g->walkToLastPage(0, 0);
        pressLastOk();
        storeNetIncome(net);
        g->walkToLastPage();
        g->run->dialogs.clear();
        pressLastOk();

        QCOMPARE(g->berTxt(), QByteArray("152000\r\n2\r\n100000\r\n0\r\n"));
        const Report2Content &r2 = evaluation()->report2;
        QCOMPARE(r2.osszeg, QStringLiteral("231000"));
        QCOMPARE(r2.profession, QStringLiteral("Kertész"));
        QCOMPARE(r2.elelmiszerAr, QStringLiteral("105000 Ft"));
        QCOMPARE(r2.ruhazkodasAr, QStringLiteral("20000 Ft"));
        QCOMPARE(r2.kozlekedesAr, QStringLiteral("16000 Ft"));
        QCOMPARE(r2.ennyienvagytok, QStringLiteral("Házastársaddal és 2 gyerekeddel a család összlétszáma 4, a "
                                                   "költségek ennek megfelelően számolódnak."));
        QCOMPARE(r2.gyerektext, QStringLiteral("Mivel 2 gyereked van, ezért gyerekenként havi 10.000 Ft "
                                               "(összesen 20000 Ft) kiadással kell még számolnod."));
        QCOMPARE(g->main->LastBalance, qint64(net) - 231000);
        TfrmQuickRep2 *rep2 = g->run->game.frmQuickRep2;
        QCOMPARE(rep2->Osszeg->caption(), QStringLiteral("231000"));
        QCOMPARE(rep2->QRLabel4->caption(), QStringLiteral("Kertész"));
        QCOMPARE(rep2->Ennyienvagytok->caption(), r2.ennyienvagytok);
        QCOMPARE(rep2->gyerektext->caption(), r2.gyerektext);
        QCOMPARE(rep2->elelmiszer_1fore->caption(), budget::foodPerPersonText(30000, 2));
        QCOMPARE(rep2->ruhazkodas_1fore->caption(), budget::clothingPerPersonText(20000, 2));
        QCOMPARE(rep2->elelmiszer_ar->caption(), QStringLiteral("105000 Ft"));
        QCOMPARE(rep2->kozlekedes_Ar->caption(), QStringLiteral("16000 Ft"));
        QVERIFY(rep2->QRMemo5->lines().isEmpty());
        QCOMPARE(rep2->hobbi_ar->caption(), QStringLiteral("0 Ft"));

        // The month as a picture, on the page after the family report: its parts are the
        // family total, income minus it the balance; a shortfall lies at the end of the
        // income's bar, in red, what remains at the end of the costs' bar.
        const monthchart::Figures &chart = r2.chart;
        qint64 parts = 0;
        for (int p = 0; p < monthchart::kPartCount; ++p) {
            parts += chart.parts[p];
            QCOMPARE(rep2->kiadasok->parts().at(p).amount, double(chart.parts[p]));
        }
        QCOMPARE(parts, qint64(231000));
        QCOMPARE(chart.parts[monthchart::Home], qint64(70000));
        QCOMPARE(chart.parts[monthchart::Children], qint64(20000));
        QCOMPARE(chart.income - chart.total, g->main->LastBalance);
        QCOMPARE(rep2->pages().pageCount(), 2);
        const bool shortfall = g->main->LastBalance < 0;
        QCOMPARE(rep2->bevetel->parts().size(), shortfall ? 2 : 1);
        QCOMPARE(rep2->kiadasok->parts().size(), shortfall ? 7 : 8);
        QCOMPARE(rep2->bevetel->parts().constLast().alarm, shortfall);
        QCOMPARE(rep2->egyenleg->caption().startsWith(QStringLiteral("Hiány: ")), shortfall);
        if (rework)
            QVERIFY2(r2.whatIf.startsWith(QStringLiteral("Egyetlen változtatás, amellyel kijönne: ")), qPrintable(r2.whatIf));
        else
            QVERIFY(r2.whatIf.isEmpty());
        QCOMPARE(rep2->mitha->caption(), r2.whatIf);

        const QVariantMap row = g->stored(QStringLiteral("Tóth Vera")).fields;
        // The month's balance is stored with the game, passed or not.
        QCOMPARE(row.value("Egyenleg").toLongLong(), qint64(net) - 231000);
        if (rework) {
            QCOMPARE(shown("preview"), QStringList{QStringLiteral("Tóth Vera - családi költségvetés")});
            QCOMPARE(shown("message"), QStringList{budget::reworkMessage()});
            QVERIFY(g->main->isVisible());
            QCOMPARE(g->main->PageControl1->currentIndex(), int(PageHaz));
            QVERIFY(g->main->PageControl1->isTabVisible(PageHaz));
            QVERIFY(!g->main->PageControl1->isTabVisible(PageSzorakozas));
            QCOMPARE(row.value("Statusz").toInt(), 0);
            QVERIFY(g->run->game.DM->JatekosokDB->active());

            // Reworked: a cheaper transport once for the family (key 2) balances it.
            g->click("BitBtn4");
            g->click("BitBtn7");
            g->click("BitBtn16");
            g->click("BitBtn9");
            g->click("BitBtn10");
            g->click("BitBtn11");
            pressLastOk();
            QCOMPARE(evaluation()->report2.osszeg, QStringLiteral("219000"));
            QCOMPARE(g->stored(QStringLiteral("Tóth Vera")).fields.value("Egyenleg").toLongLong(),
                     qint64(net) - 219000);
            QCOMPARE(g->stored(QStringLiteral("Tóth Vera")).fields.value("Statusz").toInt(), 1);
        } else {
            QCOMPARE(shown("preview"), QStringList({QStringLiteral("Tóth Vera - családi költségvetés"),
                                                    QStringLiteral("Tóth Vera - oklevél")}));
            QVERIFY(shown("message").isEmpty());
            QCOMPARE(evaluation()->report3.savings, savings);
            // The month's surprise is off unless the folder turns it on: none is drawn.
            QVERIFY(row.value("Meglepetes").isNull());
            QVERIFY(row.value("Meglepetes_osszeg").isNull());
            QVERIFY(rep2->meglepetesCim->caption().isEmpty());
            QVERIFY(rep2->meglepetes->lines().isEmpty());
            QVERIFY(rep2->meglepetesEredmeny->caption().isEmpty());
            QCOMPARE(g->run->game.frmQuickRep3->QRLabel7->caption(), savings);
            QCOMPARE(row.value("Statusz").toInt(), 1);
            QVERIFY(!g->main->isVisible());
            QVERIFY(g->run->game.Vege->isVisible());
            zdb::Table *players = g->run->game.DM->JatekosokDB;
            QVERIFY(!players->active());
            QVERIFY(!g->run->game.DM->HazakDB->active());
            QVERIFY(g->run->game.DM->SzakmaDB->active());
        }
    }

    // The month's surprise: drawn (here the second of the folder's events) after a budget
    // balances when the folder turns it on, stored with the game and printed on the chart's
    // page with whether the month's remainder covers it; the certificate is earned all the
    // same. Off, or without events, none is drawn; a game that has one keeps it.
    void monthSurprise_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("events");
        QTest::addColumn<double>("net");
        QTest::addColumn<QString>("stored");   // a surprise the game drew before
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("outcome");
        const QString dentist = QStringLiteral("Fogorvos: −15\u00A0000\u00A0Ft");
        QTest::addRow("on, covered") << true << 3 << 251000.0 << QString() << dentist
                                     << QStringLiteral("A havi maradék (20\u00A0000\u00A0Ft) fedezi: utána is marad 5\u00A0000\u00A0Ft.");
        QTest::addRow("on, not covered") << true << 3 << 236000.0 << QString() << dentist
                                         << QStringLiteral("A havi maradék (5\u00A0000\u00A0Ft) nem fedezi: 10\u00A0000\u00A0Ft hiányozna.");
        QTest::addRow("on, a gain") << true << 1 << 231000.0 << QString()
                                    << QStringLiteral("Prémium: +40\u00A0000\u00A0Ft")
                                    << QStringLiteral("Ez bevétel: a hónap végén 40\u00A0000\u00A0Ft marad.");
        QTest::addRow("on, no events") << true << 0 << 251000.0 << QString() << QString() << QString();
        QTest::addRow("off") << false << 3 << 251000.0 << QString() << QString() << QString();
        QTest::addRow("off, drawn before") << false << 3 << 251000.0 << QStringLiteral("Osztálykirándulás")
                                           << QStringLiteral("Osztálykirándulás: −25\u00A0000\u00A0Ft")
                                           << QStringLiteral("A havi maradék (20\u00A0000\u00A0Ft) nem fedezi: 5\u00A0000\u00A0Ft hiányozna.");
    }
    void monthSurprise()
    {
        QFETCH(bool, on);
        QFETCH(int, events);
        QFETCH(double, net);
        QFETCH(QString, stored);
        QFETCH(QString, headline);
        QFETCH(QString, outcome);
        {
            auto year = g->work.table(QStringLiteral("Adoev.DB"));
            year->append();
            year->fieldByName(QStringLiteral("Ev")).setValue(2010);
            year->fieldByName(QStringLiteral("Gyerek_koltseg")).setValue(10000);
            year->fieldByName(QStringLiteral("Meglepetes_be")).setValue(on);
            year->post();
            auto table = g->work.table(QStringLiteral("Meglepetes.db"));
            const struct {
                const char *name;
                int amount;
                const char *story;
            } rows[] = {{"Prémium", 40000, "Egyszeri prémiumot kapsz."},
                        {"Fogorvos", -15000, "Egy letört fogat kell megcsináltatni."},
                        {"Osztálykirándulás", -25000, "Kétnapos kirándulás."}};
            for (int i = 0; i < events; ++i) {
                table->append();
                table->fieldByName(QStringLiteral("Megnevezes")).setValue(QString::fromUtf8(rows[i].name));
                table->fieldByName(QStringLiteral("Osszeg")).setValue(rows[i].amount);
                table->fieldByName(QStringLiteral("Tortenet")).setValue(QString::fromUtf8(rows[i].story));
                table->post();
            }
        }
        g->startNewGame(QStringLiteral("Tóth Vera"), 1, QStringLiteral("Kertész"));
        g->walkToLastPage(0, 0);
        pressLastOk();
        storeNetIncome(net);
        if (!stored.isEmpty()) {
            zdb::Table *players = g->run->game.DM->JatekosokDB;
            players->edit();
            players->fieldByName(QStringLiteral("Meglepetes")).setValue(stored);
            players->fieldByName(QStringLiteral("Meglepetes_osszeg")).setValue(-25000);
            players->post();
        }
        g->walkToLastPage();
        g->run->dialogs.clear();
        draws = {1};
        drawCount = 0;
        pressLastOk();

        // Balanced: the certificate is shown whatever the surprise.
        QCOMPARE(shown("preview"), QStringList({QStringLiteral("Tóth Vera - családi költségvetés"),
                                                QStringLiteral("Tóth Vera - oklevél")}));
        const Report2Content &r2 = evaluation()->report2;
        QCOMPARE(r2.surpriseHeadline, headline);
        QVERIFY2(r2.surpriseOutcome.startsWith(outcome), qPrintable(r2.surpriseOutcome));
        QCOMPARE(drawCount, on && events > 1 ? 1 : 0);
        const QVariantMap row = g->stored(QStringLiteral("Tóth Vera")).fields;
        QCOMPARE(row.value("Statusz").toInt(), 1);
        TfrmQuickRep2 *rep2 = g->run->game.frmQuickRep2;
        if (headline.isEmpty()) {
            QVERIFY(row.value("Meglepetes").isNull());
            QVERIFY(rep2->meglepetesCim->caption().isEmpty());
            return;
        }
        // Stored with the game as it was drawn, and printed on the chart's page.
        QCOMPARE(row.value("Meglepetes").toString(), headline.section(QStringLiteral(": "), 0, 0));
        QCOMPARE(row.value("Meglepetes_osszeg").toLongLong(), stored.isEmpty() ? (events == 1 ? 40000 : -15000) : -25000);
        QCOMPARE(rep2->meglepetesCim->caption(), QStringLiteral("A hónap meglepetése: ") + headline);
        QVERIFY(rep2->meglepetesEredmeny->caption().startsWith(outcome));
        QVERIFY(!r2.surpriseStory.isEmpty());
        QCOMPARE(rep2->meglepetes->lines(), QStringList{r2.surpriseStory});
        QCOMPARE(rep2->meglepetes->place().lines.join(QLatin1Char(' ')), r2.surpriseStory);
        // The outcome's lines fit above the legend.
        const TQRPlaced placed = rep2->meglepetesEredmeny->place();
        QVERIFY(placed.printed);
        QVERIFY(placed.ink.bottom() <= layoutElement<TQRLabel>(rep2->ChartRep, "QRLabelJelmagyarazat")->sheetBox().top());
    }

    void familyWithoutChildren()
    {
        g->startNewGame(QStringLiteral("Tóth Vera"), 3, QStringLiteral("Asztalos"));
        g->walkToLastPage(0, 0);
        pressLastOk();
        storeNetIncome(500000);
        g->walkToLastPage();
        pressLastOk();
        const Report2Content &r2 = evaluation()->report2;
        // 2 x 30000 + 2 x 5000 + 2 x 4000 + 70000, no child cost.
        QCOMPARE(r2.osszeg, QStringLiteral("148000"));
        QCOMPARE(r2.ennyienvagytok, budget::familySizeText(0));
        QVERIFY(r2.gyerektext.isEmpty());
        QCOMPARE(r2.elelmiszer1Fore, QStringLiteral("1 főre jutó élelmiszer: Felnőttekre 30000 Ft/fő"));
        QCOMPARE(evaluation()->report3.savings, QStringLiteral("Havonta még 352000 Ft-ot félre is tudsz tenni!"));
    }

    // Bad data stops the evaluation with a message naming what is wrong; the choices posted
    // before stay posted, nothing else of another row is used, and the page stays usable so
    // that OK works again once the cause is fixed.
    void stopsCleanlyOnBadData_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::addRow("unknown profession code") << "profession" << "nincs 99 kódú szakma";
        QTest::addRow("profession file not a number") << "notanumber" << "„szakmavalasztas.txt” fájl első sora";
        QTest::addRow("missing activity row") << "activity" << "szórakozás („Kávéház”) nem található: a Szorakozas.db táblában nincs 3 azonosítójú sor";
        QTest::addRow("reversed wage range") << "range" << "Az „Ápoló” szakma bérsávja hibás";
        QTest::addRow("ber.txt not writable") << "ber" << "ber.txt";
        QTest::addRow("profession file missing") << "nofile" << "szakmavalasztas.txt";
    }
    void stopsCleanlyOnBadData()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        const bool reversed = fault == QLatin1String("range");
        g->startNewGame(QStringLiteral("Tóth Vera"), reversed ? 2 : 1,
                        reversed ? QStringLiteral("Ápoló") : QStringLiteral("Kertész"));
        const QString professionFile = g->work.file(QStringLiteral("szakmavalasztas.txt"));
        const QString berFile = g->work.file(QStringLiteral("ber.txt"));
        if (fault == QLatin1String("profession"))
            workfiles::writeLines(QStringLiteral("szakmavalasztas.txt"), {QStringLiteral("99"), QStringLiteral("Senki")});
        if (fault == QLatin1String("notanumber"))
            workfiles::writeLines(QStringLiteral("szakmavalasztas.txt"), {QStringLiteral("egy"), QStringLiteral("Kertész")});
        if (fault == QLatin1String("nofile"))
            QVERIFY(QFile::remove(professionFile));
        if (fault == QLatin1String("ber"))
            QVERIFY(QDir().mkdir(berFile));
        if (fault == QLatin1String("activity")) {
            zdb::Table *fun = g->run->game.DM->SzorakozasDB;
            QVERIFY(fun->locate(QStringLiteral("Entertainment_Key"), 3));
            fun->deleteRecord();
            fun->first();
        }
        g->walkToLastPage(1, 4 | 2);
        pressLastOk();

        const QStringList errors = shown("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(message), qPrintable(errors.first()));
        QVERIFY(shown("preview").isEmpty());
        verifyLastPageUsable();
        HouseholdGame::Stored row = g->stored(QStringLiteral("Tóth Vera"));
        QCOMPARE(row.count, 1);
        QCOMPARE(row.fields.value("Entertainment_Key").toInt(), 6);
        QVERIFY(row.fields.value("Brutto_jov").isNull() || fault == QLatin1String("ber"));

        // The cause fixed, the same OK finishes the first costing on the same record.
        if (reversed) {
            g->run->game.state.JobKey = 1;
        }
        workfiles::writeLines(QStringLiteral("szakmavalasztas.txt"), {QStringLiteral("1"), QStringLiteral("Kertész")});
        if (fault == QLatin1String("ber"))
            QVERIFY(QDir().rmdir(berFile));
        if (fault == QLatin1String("activity"))
            g->checkBox(9)->setChecked(false);
        g->run->dialogs.clear();
        pressLastOk();
        QVERIFY2(shown("error").isEmpty(), qPrintable(shown("error").join('\n')));
        QCOMPARE(shown("preview").size(), 1);
        QVERIFY(incomeCalculator->isVisible());
        QCOMPARE(g->stored(QStringLiteral("Tóth Vera")).count, 1);
    }

    // The family check finds a stored game whose profession has no children figure.
    void familyCheckStopsOnMissingFigure()
    {
        g->startNewGame(QStringLiteral("Tóth Vera"), 1, QStringLiteral("Kertész"));
        g->walkToLastPage(0, 0);
        pressLastOk();
        storeNetIncome(300000);
        zdb::Table *professions = g->run->game.DM->SzakmaDB;
        QVERIFY(professions->locate(QStringLiteral("Szakma_kod"), 1));
        professions->edit();
        professions->fieldByName(QStringLiteral("Gyerekszam")).clear();
        professions->post();
        g->walkToLastPage();
        g->run->dialogs.clear();
        pressLastOk();
        QCOMPARE(shown("error").size(), 1);
        QVERIFY2(shown("error").first().contains(QStringLiteral("gyerekszáma")), qPrintable(shown("error").first()));
        verifyLastPageUsable();
        QCOMPARE(g->stored(QStringLiteral("Tóth Vera")).fields.value("Statusz").toInt(), 0);
    }
};

ZOMIR_TEST_MAIN(TestEvaluation)
#include "tst_evaluation.moc"
