// Two games running at once on one working folder, as in a computer room where two
// students share a machine's database: what one stores or deletes, the other sees on its
// next look at the stored games.

#include "db/engine.h"
#include "game/game.h"
#include "game/adatinit.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "tests/support/shellfixture.h"

#include <QLineEdit>
#include <QToolButton>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace shellfixture;

class TestTwoGames : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> work;
    std::unique_ptr<QTemporaryDir> config;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<Run> first;
    std::unique_ptr<Run> second;

    std::unique_ptr<Run> startRun(const QString &configName)
    {
        auto run = std::make_unique<Run>(config->filePath(configName));
        if (!run->game.create())
            return nullptr;
        run->dialogs.clear();
        run->game.start();
        QTest::mouseClick(run->game.fIndul->Kezd, Qt::LeftButton);
        return run;
    }

    // Makes one of the two games' main windows the active one, as a click on it does.
    static void focusGame(TMainForm *main)
    {
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
    }

    // Types a name into a game's name box and leaves the box with Tab.
    static void enterName(TMainForm *main, const QString &name)
    {
        focusGame(main);
        main->Edit1->setFocus();
        QVERIFY(main->Edit1->hasFocus());
        main->Edit1->selectAll();
        QTest::keyClicks(main->Edit1, name);
        QTest::keyClick(main->Edit1, Qt::Key_Tab);
    }

private Q_SLOTS:
    void init()
    {
        work = std::make_unique<WorkFolder>();
        work->addCatalogueRow(QStringLiteral("Hazak.DB"), QStringLiteral("Panel"), 80000);
        work->addCatalogueRow(QStringLiteral("Elelmiszerek.DB"), QStringLiteral("Egyszeru"), 15000);
        work->addCatalogueRow(QStringLiteral("Ruhazkodas.db"), QStringLiteral("Piaci"), 3000);
        work->addCatalogueRow(QStringLiteral("Kozlekedes.db"), QStringLiteral("Berlet"), 9400);
        work->addProfession(QStringLiteral("Kertesz"), 80000, 140000, 1);
        work->addPlayer({QStringLiteral("Kiss Anna"), 0, 1});
        config = std::make_unique<QTemporaryDir>();
        cwd = std::make_unique<CurrentFolder>(work->path());
        first = startRun(QStringLiteral("first.ini"));
        second = startRun(QStringLiteral("second.ini"));
        QVERIFY(first && second);
    }
    void cleanup()
    {
        second.reset();
        first.reset();
        cwd.reset();
        config.reset();
        work.reset();
    }

    // The second game had found Kiss Anna's game; the first starts a new game under that
    // name, which deletes it. Loading in the second game then loads nothing.
    void aGameDeletedByTheOtherIsNotLoaded()
    {
        TMainForm *a = first->game.MainForm;
        TMainForm *b = second->game.MainForm;
        enterName(b, QStringLiteral("Kiss Anna"));
        QVERIFY(b->Button2->isEnabled());

        enterName(a, QStringLiteral("Kiss Anna"));
        QTest::mouseClick(a->Button1, Qt::LeftButton);   // "Új Játék": deletes her stored games
        QCOMPARE(work->playerNames(), QStringList());

        focusGame(b);
        QTest::mouseClick(b->Button2, Qt::LeftButton);   // "Betöltés"
        QVERIFY(!b->Button2->isEnabled());
        QCOMPARE(b->PageControl1->currentIndex(), int(TMainForm::PageNev));
        QCOMPARE(b->JobKey, 0);
        for (const auto &shown : second->dialogs.shown)
            QVERIFY2(shown.kind != QLatin1String("error"), qPrintable(shown.text));
    }

    // A game stored by the first program is found by the second when a name is typed there.
    void aGameSavedByTheOtherIsFound()
    {
        TMainForm *b = second->game.MainForm;
        enterName(b, QStringLiteral("Szabo Peter"));
        QVERIFY(!b->Button2->isEnabled());

        zdb::Table *players = first->game.DM->JatekosokDB;
        players->append();
        players->fieldByName(QStringLiteral("Nev")).setValue(QStringLiteral("Szabo Peter"));
        players->fieldByName(QStringLiteral("Statusz")).setValue(0);
        players->fieldByName(QStringLiteral("Job_Key")).setValue(1);
        players->post();

        enterName(b, QStringLiteral("Szabo Peter "));   // another name, then the right one again
        enterName(b, QStringLiteral("Szabo Peter"));
        QVERIFY(b->Button2->isEnabled());
        QTest::mouseClick(b->Button2, Qt::LeftButton);
        QCOMPARE(b->PageControl1->currentIndex(), int(TMainForm::PageHaz));
        QCOMPARE(b->JobKey, 1);
    }
};

QTEST_MAIN(TestTwoGames)
#include "tst_twogames.moc"
