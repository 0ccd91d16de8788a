// The opening screen and the moves it makes, closing the main window, and F1 help.

#include "game/adatinit.h"
#include "game/animacio.h"
#include "game/befejez.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "tests/support/gametables.h"
#include "tests/support/shellfixture.h"
#include "game/sugo.h"
#include "tests/support/testenv.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

using namespace shellfixture;

namespace {
QList<int> visibleTabs(TMainForm *form)
{
    QList<int> tabs;
    for (int i = 0; i < form->PageControl1->count(); ++i)
        if (form->PageControl1->isTabVisible(i))
            tabs << i;
    return tabs;
}
}  // namespace

class TestNyito : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> work;
    std::unique_ptr<QTemporaryDir> config;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<Run> run;

private Q_SLOTS:
    void init()
    {
        work = std::make_unique<WorkFolder>();
        work->addPlayer({QStringLiteral("Kiss Anna")});
        config = std::make_unique<QTemporaryDir>();
        cwd = std::make_unique<CurrentFolder>(work->path());
        run = std::make_unique<Run>(config->filePath(QStringLiteral("engine.ini")));
        QVERIFY(run->game.create());
        run->dialogs.clear();
        run->game.start();
        QVERIFY(QTest::qWaitForWindowExposed(run->game.fIndul));
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
        TfIndul *f = run->game.fIndul;
        QCOMPARE(f->AnimationPlayer1->geometry(), QRect(0, 8, 800, 450));
        QCOMPARE(f->AnimationPlayer1->focusPolicy(), Qt::NoFocus);
        QCOMPARE(f->Kezd->geometry(), QRect(72, 464, 57, 49));
        QCOMPARE(f->Kilep->geometry(), QRect(648, 464, 57, 49));
        QCOMPARE(f->Label1->geometry(), QRect(59, 512, 81, 13));
        QCOMPARE(f->Label2->geometry(), QRect(648, 512, 64, 13));
        QVERIFY(f->Label1->font().bold());
        QCOMPARE(f->Label1->text(), QStringLiteral("Kezdjünk neki"));
        QCOMPARE(f->Label2->text(), QStringLiteral("Játék vége"));
    }

    void start_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addRow("Kezd button") << false;
        QTest::addRow("Alt+K") << true;
    }
    // Kezd shows the main window with the "Név" tab alone, whatever was shown when it
    // was last left.
    void start()
    {
        QFETCH(bool, byKey);
        TfIndul *f = run->game.fIndul;
        TMainForm *main = run->game.MainForm;
        main->goToPage(TMainForm::PageHaz);
        main->goToPage(TMainForm::PageKozlekedes);
        main->PageControl1->setTabVisible(TMainForm::PageHobbi, true);

        if (byKey)
            QTest::keyClick(f, Qt::Key_K, Qt::AltModifier);
        else
            QTest::mouseClick(f->Kezd, Qt::LeftButton);

        QVERIFY(!f->isVisible());
        QVERIFY(main->isVisible());
        QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageNev));
        QCOMPARE(visibleTabs(main), QList<int>{TMainForm::PageNev});
        QVERIFY(!run->game.ended());
    }

    void end_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("Kilep button") << QStringLiteral("button");
        QTest::addRow("Alt+J") << QStringLiteral("key");
        QTest::addRow("closing the window") << QStringLiteral("close");
    }
    // Each way out closes the seven game tables (the profession table is left alone) and
    // ends the program.
    void end()
    {
        QFETCH(QString, how);
        TfIndul *f = run->game.fIndul;
        TDM *dm = run->game.DM;
        dm->SzakmaDB->open();
        QSignalSpy ended(&run->game, &Game::programEnded);
        if (how == QLatin1String("button"))
            QTest::mouseClick(f->Kilep, Qt::LeftButton);
        else if (how == QLatin1String("key"))
            QTest::keyClick(f, Qt::Key_J, Qt::AltModifier);
        else
            f->close();
        QCOMPARE(ended.count(), 1);
        for (zdb::Table *table : gameTables(dm))
            QVERIFY2(!table->active(), qPrintable(table->tableName()));
        QVERIFY(dm->SzakmaDB->active());
        QCOMPARE(work->playerNames(), QStringList{QStringLiteral("Kiss Anna")});
    }

    void plainKeysDoNothing()
    {
        TfIndul *f = run->game.fIndul;
        for (Qt::Key key : {Qt::Key_K, Qt::Key_J, Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(f, key);
        QTest::keyClick(f, Qt::Key_X, Qt::AltModifier);
        QVERIFY(f->isVisible());
        QVERIFY(!run->game.MainForm->isVisible());
        QVERIFY(!run->game.ended());
        QVERIFY(run->game.DM->JatekosokDB->active());
    }

    // Escape skips the animation to its last picture; the line of keys says so, clear of
    // the pictures and their captions, and a screen reader hears it with the window.
    void escapeSkipsTheAnimation()
    {
        TfIndul *f = run->game.fIndul;
        TAnimationPlayer *player = f->AnimationPlayer1;
        QVERIFY(player->isPlaying());
        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(!player->isPlaying());
        QVERIFY(f->isVisible());
        QVERIFY(!run->game.ended());
        QVERIFY(f->Keys->isVisible());
        QVERIFY(f->Keys->text().contains(QStringLiteral("Esc: az animáció kihagyása")));
        QCOMPARE(f->accessibleDescription(), f->Keys->text());
        for (QWidget *w : {static_cast<QWidget *>(player), static_cast<QWidget *>(f->Kezd),
                           static_cast<QWidget *>(f->Kilep), static_cast<QWidget *>(f->Label1),
                           static_cast<QWidget *>(f->Label2)})
            QVERIFY2(!w->geometry().intersects(f->Keys->geometry()), qPrintable(w->objectName()));
        QVERIFY(f->Keys->fontMetrics().boundingRect(f->Keys->rect(), Qt::TextWordWrap | Qt::AlignCenter,
                                                    f->Keys->text()).height() <= f->Keys->height());
        // Alt+K starts the game as before.
        QTest::keyClick(f, Qt::Key_K, Qt::AltModifier);
        QVERIFY(run->game.MainForm->isVisible());
    }

    void closingMainFormAsksFirst()
    {
        TfIndul *f = run->game.fIndul;
        TMainForm *main = run->game.MainForm;
        QTest::mouseClick(f->Kezd, Qt::LeftButton);
        main->goToPage(TMainForm::PageHaz);

        run->dialogs.confirmAnswers.enqueue(false);
        main->close();
        QCOMPARE(run->dialogs.texts(QStringLiteral("confirm")),
                 QStringList{QStringLiteral("Biztos, hogy mentés nélkül befejezed a játékot?")});
        QVERIFY(main->isVisible());
        QVERIFY(!f->isVisible());
        QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageHaz));

        run->dialogs.confirmAnswers.enqueue(true);
        main->close();
        QVERIFY(!main->isVisible());
        QVERIFY(f->isVisible());
        QVERIFY(!run->game.ended());
        QCOMPARE(work->playerNames(), QStringList{QStringLiteral("Kiss Anna")});
    }

    // The animation starts from its beginning each time the opening screen comes back; a
    // movie file in the working folder is not played and does no harm.
    void animationRestartsOnReturn()
    {
        QFile movie(work->file(QStringLiteral("zomir.swf")));
        QVERIFY(movie.open(QIODevice::WriteOnly));
        movie.write("FWS not a movie");
        movie.close();

        TfIndul *f = run->game.fIndul;
        TAnimationPlayer *player = f->AnimationPlayer1;
        QVERIFY(player->isPlaying());
        const int startsBefore = player->starts();
        QTRY_VERIFY(player->position() > 400);

        QTest::mouseClick(f->Kezd, Qt::LeftButton);
        QVERIFY(!player->isPlaying());
        run->dialogs.confirmAnswers.enqueue(true);
        run->game.MainForm->close();
        QVERIFY(f->isVisible());
        QVERIFY(player->isPlaying());
        QVERIFY(player->starts() > startsBefore);
        QVERIFY(player->position() < 400);
        QCOMPARE(player->movie(), QDir(work->path()).filePath(QStringLiteral("zomir.swf")));
    }

    void animationDrawsDifferentMoments()
    {
        QImage early(800, 450, QImage::Format_RGB32), late(800, 450, QImage::Format_RGB32);
        for (auto [image, ms] : {std::pair<QImage *, int>{&early, 500}, {&late, 11000}}) {
            QPainter painter(image);
            TAnimationPlayer::renderFrame(painter, 800, 450, ms);
        }
        QVERIFY(early != late);
    }

    void f1OpensTheTopicOfTheFocusedControl()
    {
        TMainForm *main = run->game.MainForm;
        QTest::keyClick(run->game.fIndul, Qt::Key_F1);
        QCOMPARE(run->dialogs.lastHelpContext, 8);

        QTest::mouseClick(run->game.fIndul->Kezd, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(main));
        main->Edit1->setFocus();
        QTest::keyClick(main->Edit1, Qt::Key_F1);
        QCOMPARE(run->dialogs.lastHelpContext, 9);

        main->goToPage(TMainForm::PageHobbi);
        main->PageControl1->setFocus();
        QTest::keyClick(main->PageControl1, Qt::Key_F1);
        QCOMPARE(run->dialogs.lastHelpContext, 12);

        // The credits screen offers no help.
        run->dialogs.lastHelpContext = -1;
        run->game.Vege->Timer1->setInterval(60000);
        run->game.Vege->show();
        QTest::keyClick(run->game.Vege, Qt::Key_F1);
        QCOMPARE(run->dialogs.lastHelpContext, -1);
    }

    void everyHelpContextHasATopic()
    {
        for (int context : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 14, 15}) {
            QVERIFY2(sugo::contexts().contains(context), qPrintable(QString::number(context)));
            QVERIFY(!sugo::topicTitle(context).isEmpty());
            QVERIFY(sugo::topicHtml(context).size() > 150);
        }
        QVERIFY(sugo::topicTitle(7).isEmpty());
        // Every file of the help folder is read as a topic of its own (a file whose heading
        // cannot be read would be missing from the contents).
        const QStringList files = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
        const QList<int> contexts = sugo::contexts(0);
        QCOMPARE(int(contexts.size()), int(files.size()));
        QCOMPARE(int(QSet<int>(contexts.begin(), contexts.end()).size()), int(files.size()));

        THelpWindow help;
        help.showTopic(9);
        QCOMPARE(help.currentContext(), 9);
        QVERIFY(help.Text->toPlainText().contains(QStringLiteral("Új Játék")));
        QCOMPARE(help.Contents->currentItem()->text(), sugo::topicTitle(9));
        help.Contents->setCurrentRow(0);
        QCOMPARE(help.currentContext(), sugo::contexts().first());
    }

    // The help of a folder of one year lists no payroll topic of the other year, and F1 in
    // a field whose topic is the other year's shows the contents; a figure of the folder
    // named in a topic is filled in.
    void helpFollowsTheFolderYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QList<int>>("listed");
        QTest::addColumn<QList<int>>("left");
        QTest::addRow("2010") << 2010 << QList<int>{1, 2, 3, 5, 6, 4, 12} << QList<int>{21, 22, 23, 25, 26};
        QTest::addRow("2026") << 2026 << QList<int>{21, 22, 23, 25, 26, 4, 12} << QList<int>{1, 2, 3, 5, 6};
    }
    void helpFollowsTheFolderYear()
    {
        QFETCH(int, year);
        QFETCH(QList<int>, listed);
        QFETCH(QList<int>, left);
        THelpWindow help;   // made before the year is known, as when help is asked for first
        sugo::setFolderFacts([year] {
            sugo::FolderFacts facts;
            facts.year = year;
            facts.figures.insert(QStringLiteral("gyerek_koltseg"), QStringLiteral("12 345 Ft"));
            return facts;
        });
        const auto cleanup = qScopeGuard([] { sugo::setFolderFacts({}); });
        const QList<int> contexts = sugo::contexts();
        for (int context : listed)
            QVERIFY2(contexts.contains(context), qPrintable(QString::number(context)));
        for (int context : left)
            QVERIFY2(!contexts.contains(context), qPrintable(QString::number(context)));

        help.showTopic(left.first());
        QCOMPARE(help.currentContext(), contexts.first());
        QCOMPARE(help.Contents->count(), int(contexts.size()));
        for (int row = 0; row < help.Contents->count(); ++row)
            QVERIFY(contexts.contains(help.Contents->item(row)->data(Qt::UserRole).toInt()));
        help.showTopic(12);
        QVERIFY2(help.Text->toPlainText().replace(QChar(0xA0), QLatin1Char(' ')).contains(QStringLiteral("12 345 Ft-tal")),
                 qPrintable(help.Text->toPlainText()));
        QVERIFY(!sugo::topicHtml(14).contains(QStringLiteral("{{")));
    }
};

ZOMIR_TEST_MAIN(TestNyito)
#include "tst_nyito.moc"
