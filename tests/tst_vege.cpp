// The credits screen: its look, the end after 6000 ms, and which clicks end the program.

#include "game/befejez.h"
#include "game/game.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QLabel>
#include <QTimer>

using namespace shellfixture;

class TestVege : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> work;
    std::unique_ptr<QTemporaryDir> config;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<Run> run;
    TVege *vege = nullptr;

private Q_SLOTS:
    void init()
    {
        work = std::make_unique<WorkFolder>();
        config = std::make_unique<QTemporaryDir>();
        cwd = std::make_unique<CurrentFolder>(work->path());
        run = std::make_unique<Run>(config->filePath(QStringLiteral("engine.ini")));
        QVERIFY(run->game.create());
        vege = run->game.Vege;
    }
    void cleanup()
    {
        run.reset();
        cwd.reset();
        config.reset();
        work.reset();
    }

    void layout()
    {
        QVERIFY(vege->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(vege->size(), QSize(400, 511));
        QCOMPARE(vege->Image1->geometry(), QRect(0, 0, 400, 400));
        QCOMPARE(vege->Label1->geometry(), QRect(43, 400, 311, 32));
        QCOMPARE(vege->Label4->geometry(), QRect(19, 432, 363, 13));
        QCOMPARE(vege->Label2->geometry(), QRect(106, 464, 199, 13));
        QCOMPARE(vege->Label3->geometry(), QRect(177, 480, 45, 24));
        for (QLabel *label : {vege->Label1, vege->Label2, vege->Label3, vege->Label4}) {
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
            QVERIFY(!label->text().isEmpty());
        }
        QVERIFY(vege->Label2->font().italic());
        QCOMPARE(vege->Timer1->interval(), 6000);
        QVERIFY(!vege->Timer1->isActive());
    }

    // Without any input the program ends one timer interval after the screen is shown
    // (the interval is shortened here).
    void endsWhenTheTimerRuns()
    {
        vege->Timer1->setInterval(60);
        QTest::qWait(120);
        QVERIFY(!run->game.ended());   // not running before the screen is shown
        QSignalSpy ended(&run->game, &Game::programEnded);
        vege->show();
        QVERIFY(vege->Timer1->isActive());
        QVERIFY(!run->game.ended());
        QTRY_COMPARE(ended.count(), 1);
    }

    void clicks_data()
    {
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<bool>("ends");
        QTest::addRow("picture") << QPoint(200, 200) << false;
        QTest::addRow("institution label") << QPoint(198, 415) << false;
        QTest::addRow("year label") << QPoint(199, 490) << false;
        QTest::addRow("free strip left") << QPoint(5, 505) << true;
        QTest::addRow("free strip right") << QPoint(390, 470) << true;
    }
    void clicks()
    {
        QFETCH(QPoint, where);
        QFETCH(bool, ends);
        vege->Timer1->setInterval(60000);
        vege->show();
        QVERIFY(QTest::qWaitForWindowExposed(vege));
        QWidget *target = vege->childAt(where);
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(vege, where));
        else
            QTest::mouseClick(vege, Qt::LeftButton, {}, where);
        QCOMPARE(run->game.ended(), ends);
    }

    // The keyboard's way out: Enter, Space or Escape; another key does nothing.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("ends");
        QTest::addRow("Enter") << int(Qt::Key_Return) << true;
        QTest::addRow("Space") << int(Qt::Key_Space) << true;
        QTest::addRow("Escape") << int(Qt::Key_Escape) << true;
        QTest::addRow("a letter") << int(Qt::Key_A) << false;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, ends);
        vege->Timer1->setInterval(60000);
        vege->show();
        QVERIFY(QTest::qWaitForWindowExposed(vege));
        QTest::keyClick(vege, Qt::Key(key));
        QCOMPARE(run->game.ended(), ends);
    }

    void closingEnds()
    {
        vege->Timer1->setInterval(60000);
        vege->show();
        vege->close();
        QVERIFY(run->game.ended());
    }
};

ZOMIR_TEST_MAIN(TestVege)
#include "tst_vege.moc"
