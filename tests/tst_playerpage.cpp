// The "Név" page of the main window: the name box and its two game buttons, loading a
// stored game, starting a new one, and the status bar hint.

#include "game/adatinit.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "tests/support/shellfixture.h"
#include "game/teszt.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>

using namespace shellfixture;

namespace {
const QString kQuoted = QStringLiteral("Idéző \"Jancsi\"");

// Types text key by key; accented letters and emoji arrive as key presses carrying their
// text (an emoji's surrogate pair in one key press, as a keyboard or an emoji picker sends it).
void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.unicode() < 128) {
            QTest::keyClick(widget, char(ch.unicode()));
        } else {
            const qsizetype length = ch.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
            i += length - 1;
        }
    }
}

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // U+1F600, a surrogate pair

QString repeated(const QString &text, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}
}  // namespace

class TestPlayerPage : public QObject {
    Q_OBJECT

    std::unique_ptr<WorkFolder> work;
    std::unique_ptr<QTemporaryDir> config;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<Run> run;
    TMainForm *main = nullptr;

    // Types a name into the box and leaves it with Tab, as the player does.
    void enterName(const QString &name)
    {
        main->Edit1->setFocus();
        QVERIFY(main->Edit1->hasFocus());
        main->Edit1->selectAll();
        if (name.isEmpty())
            QTest::keyClick(main->Edit1, Qt::Key_Delete);
        else
            typeText(main->Edit1, name);
        QTest::keyClick(main->Edit1, Qt::Key_Tab);
        QVERIFY(!main->Edit1->hasFocus());
    }

    int tableKey(zdb::Table *table, const char *field) { return table->fieldByName(field).asInteger(); }

    // A run of the program over the folder, through the opening screen to the name page.
    void startToNamePage()
    {
        run = std::make_unique<Run>(config->filePath(QStringLiteral("engine.ini")));
        QVERIFY(run->game.create());
        run->dialogs.clear();
        run->game.start();
        QTest::mouseClick(run->game.fIndul->Kezd, Qt::LeftButton);
        main = run->game.MainForm;
        QVERIFY(QTest::qWaitForWindowActive(main));
    }

    // Starts the game again over the stored games with one more row (the open tables read
    // their rows when the game starts).
    void restartWith(const WorkFolder::Player &player)
    {
        run.reset();
        work->addPlayer(player);
        startToNamePage();
    }

    // Goes back into the box and types another name without leaving it.
    void retypeName(const QString &name)
    {
        QTest::mouseClick(main->Edit1, Qt::LeftButton);
        QVERIFY(main->Edit1->hasFocus());
        main->Edit1->selectAll();
        typeText(main->Edit1, name);
        QVERIFY(main->Edit1->hasFocus());
    }

    QStringList storedNames()
    {
        QStringList stored = work->playerNames();
        stored.sort();
        return stored;
    }

private Q_SLOTS:
    void init()
    {
        work = std::make_unique<WorkFolder>();
        for (const char *name : {"Panel", "Tégla", "Sorház"})
            work->addCatalogueRow(QStringLiteral("Hazak.DB"), QString::fromUtf8(name), 80000);
        for (const char *name : {"Takarékos", "Egyszerű", "Átlagos"})
            work->addCatalogueRow(QStringLiteral("Elelmiszerek.DB"), QString::fromUtf8(name), 15000);
        for (const char *name : {"Használt", "Piaci"})
            work->addCatalogueRow(QStringLiteral("Ruhazkodas.db"), QString::fromUtf8(name), 3000);
        for (const char *name : {"Bérlet", "Kerékpár"})
            work->addCatalogueRow(QStringLiteral("Kozlekedes.db"), QString::fromUtf8(name), 9400);
        work->addCatalogueRow(QStringLiteral("Hobbi.db"), QStringLiteral("Macska"), 4000);
        work->addCatalogueRow(QStringLiteral("Szorakozas.db"), QStringLiteral("Mozi"), 2000);
        work->addProfession(QStringLiteral("Kertész"), 80000, 140000, 1);
        work->addProfession(QStringLiteral("Szoftvermérnök"), 300000, 600000, 2);

        work->addPlayer({QStringLiteral("Kiss Anna"), 0, 2, 2, 3, 2, 2, 5, 3});
        work->addPlayer({QStringLiteral("Nagy Béla"), 1, 1});
        work->addPlayer({QStringLiteral("Régi Játék"), 0, 99});
        work->addPlayer({kQuoted, 1, 1});
        work->addPlayer({kQuoted, 0, 1});
        work->addPlayer({QStringLiteral("Idéző"), 0, 1});

        config = std::make_unique<QTemporaryDir>();
        cwd = std::make_unique<CurrentFolder>(work->path());
        startToNamePage();
    }
    void cleanup()
    {
        run.reset();
        cwd.reset();
        config.reset();
        work.reset();
    }

    void namePageLayout()
    {
        QCOMPARE(main->Label6->geometry(), QRect(112, 40, 555, 38));
        QCOMPARE(main->GroupBox1->geometry(), QRect(184, 160, 465, 169));
        QCOMPARE(main->GroupBox1->title(), QStringLiteral("Kérem a nevedet"));
        QCOMPARE(main->Edit1->geometry(), QRect(48, 48, 249, 21));
        QCOMPARE(main->Button1->text(), QStringLiteral("Új &Játék"));
        QCOMPARE(main->Button2->text(), QStringLiteral("&Betöltés"));
        QCOMPARE(main->BitBtn1->text(), QStringLiteral("&OK"));
        QCOMPARE(main->BitBtn1->geometry(), QRect(520, 205, 81, 25));
        QVERIFY(!main->Button1->isEnabled());
        QVERIFY(!main->Button2->isEnabled());
        QVERIFY(main->Edit1->hasFocus());
    }

    void nameStates_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("newGame");
        QTest::addColumn<bool>("load");
        QTest::addColumn<QString>("playerName");
        QTest::addRow("empty name changes nothing") << QString() << false << false << QString();
        QTest::addRow("unknown name") << QStringLiteral("Senki Sem") << true << false << QStringLiteral("Senki Sem");
        QTest::addRow("only a finished game") << QStringLiteral("Nagy Béla") << true << false
                                              << QStringLiteral("Nagy Béla");
        QTest::addRow("unfinished game") << QStringLiteral("Kiss Anna") << true << true
                                         << QStringLiteral("Kiss Anna");
        QTest::addRow("unfinished game, other letter case")
            << QStringLiteral("KISS ANNA") << true << true << QStringLiteral("KISS ANNA");
        QTest::addRow("long name is kept to 30 characters")
            << QStringLiteral("Hosszúnevű Bernadett Kinga Zsófia") << true << false
            << QStringLiteral("Hosszúnevű Bernadett Kinga Zsó");
        // Characters are counted as a reader counts them: an emoji is one, never cut in half.
        QTest::addRow("30 emoji are kept whole") << repeated(kEmoji, 30) << true << false << repeated(kEmoji, 30);
        QTest::addRow("an emoji as the 30th character")
            << QStringLiteral("Kovács Péter Pál és a kutyája") + kEmoji + QStringLiteral("!") << true << false
            << QStringLiteral("Kovács Péter Pál és a kutyája") + kEmoji;
        QTest::addRow("31 emoji are cut to 30") << repeated(kEmoji, 31) << true << false << repeated(kEmoji, 30);
    }
    void nameStates()
    {
        QFETCH(QString, name);
        QFETCH(bool, newGame);
        QFETCH(bool, load);
        QFETCH(QString, playerName);
        enterName(name);
        QCOMPARE(main->Button1->isEnabled(), newGame);
        QCOMPARE(main->Button2->isEnabled(), load);
        QCOMPARE(main->PlayerName, playerName);
        QCOMPARE(main->HobbyMask, load ? 5 : 0);
        QCOMPARE(main->EntertainmentMask, load ? 3 : 0);
    }

    // Changing the name after a name with an unfinished game disables loading again, so
    // that loading never takes another player's row.
    void changedNameIsEvaluatedAgain()
    {
        enterName(QStringLiteral("Kiss Anna"));
        QVERIFY(main->Button2->isEnabled());
        enterName(QStringLiteral("Senki Sem"));
        QVERIFY(main->Button1->isEnabled());
        QVERIFY(!main->Button2->isEnabled());
        QCOMPARE(main->PlayerName, QStringLiteral("Senki Sem"));
        QTest::mouseClick(main->Button2, Qt::LeftButton);
        QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageNev));
        QVERIFY(run->dialogs.shown.isEmpty());

        enterName(QStringLiteral("Kiss Anna"));
        QVERIFY(main->Button2->isEnabled());
        // Typing a new name and clicking the load button leaves the box first.
        main->Edit1->setFocus();
        main->Edit1->selectAll();
        typeText(main->Edit1, QStringLiteral("Nagy Béla"));
        QTest::mouseClick(main->Button2, Qt::LeftButton);
        QVERIFY(!main->Button2->isEnabled());
        QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageNev));
    }

    void loadingAStoredGame()
    {
        // A file of the same name in another letter case is the one rewritten.
        QFile old(work->file(QStringLiteral("Szakmavalasztas.txt")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("1\r\nKertész\r\n");
        old.close();

        enterName(QStringLiteral("Kiss Anna"));
        QTest::mouseClick(main->Button2, Qt::LeftButton);

        QCOMPARE(run->dialogs.texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("A választott szakmád: Szoftvermérnök")});
        QCOMPARE(main->JobKey, 2);
        QVERIFY(!main->NewGame);
        QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageHaz));
        QVERIFY(!main->PageControl1->isTabVisible(TMainForm::PageNev));
        QVERIFY(main->PageControl1->isTabVisible(TMainForm::PageHaz));

        TDM *dm = run->game.DM;
        QCOMPARE(tableKey(dm->HazakDB, "House_Key"), 2);
        QCOMPARE(tableKey(dm->ElelmiszerekDB, "Food_Key"), 3);
        QCOMPARE(tableKey(dm->RuhazkodasDB, "Clothing_Key"), 2);
        QCOMPARE(tableKey(dm->KozlekedesDB, "Travel_Key"), 2);
        QCOMPARE(dm->JatekosokDB->fieldByName("Nev").asString(), QStringLiteral("Kiss Anna"));

        QCOMPARE(QDir(work->path()).entryList({"*.txt"}, QDir::Files), QStringList{"Szakmavalasztas.txt"});
        QFile written(work->file(QStringLiteral("Szakmavalasztas.txt")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("2\r\nSzoftverm\xe9rn\xf6k\r\n"));
    }

    // A stored game whose profession no longer exists is not loaded: a clear message, no
    // file, nothing changed.
    void loadingWithAMissingProfession()
    {
        enterName(QStringLiteral("Régi Játék"));
        QVERIFY(main->Button2->isEnabled());
        QTest::mouseClick(main->Button2, Qt::LeftButton);
        const QStringList messages = run->dialogs.texts(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(QStringLiteral("már nem szerepel a szakmák között")));
        QCOMPARE(main->JobKey, 0);
        QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageNev));
        QVERIFY(!QFile::exists(work->file(QStringLiteral("szakmavalasztas.txt"))));
    }

    // The new game deletes exactly the rows stored under the typed name, quotes included.
    void newGameDeletesThatNameOnly()
    {
        TDM *dm = run->game.DM;
        dm->HazakDB->last();
        dm->KozlekedesDB->last();
        enterName(kQuoted);
        QTest::mouseClick(main->Button1, Qt::LeftButton);
        QVERIFY(run->dialogs.texts(QStringLiteral("error")).isEmpty());
        QVERIFY(main->NewGame);
        QVERIFY(!main->isVisible());
        QVERIFY(run->game.fTeszt->isVisible());
        QCOMPARE(tableKey(dm->HazakDB, "House_Key"), 1);
        QCOMPARE(tableKey(dm->KozlekedesDB, "Travel_Key"), 1);
        QStringList expected{QStringLiteral("Idéző"), QStringLiteral("Kiss Anna"), QStringLiteral("Nagy Béla"),
                             QStringLiteral("Régi Játék")};
        QStringList stored = work->playerNames();
        stored.sort();
        QCOMPARE(stored, expected);
        // The open player table sees the change.
        QVERIFY(!dm->JatekosokDB->locate(QStringLiteral("Nev"), kQuoted));
    }

    // A shortcut clicks a button while the focus stays in the box: the handler acts on the
    // name shown, never on the one judged when the box was last left.
    void shortcutsActOnTheNameShown_data()
    {
        QTest::addColumn<int>("key");
        QTest::addRow("Alt+B loads nothing for a name without a game") << int(Qt::Key_B);
        QTest::addRow("Alt+J starts the new name's game") << int(Qt::Key_J);
        QTest::addRow("Alt+O fixes the new name") << int(Qt::Key_O);
    }
    void shortcutsActOnTheNameShown()
    {
        QFETCH(int, key);
        const QStringList before = storedNames();
        enterName(QStringLiteral("Kiss Anna"));
        QVERIFY(main->Button2->isEnabled());
        retypeName(QStringLiteral("Senki Sem"));
        QTest::keyClick(main->Edit1, Qt::Key(key), Qt::AltModifier);
        QTest::qWait(300);   // a shortcut clicks its button after a short press animation

        QCOMPARE(main->PlayerName, QStringLiteral("Senki Sem"));
        QVERIFY(!main->Button2->isEnabled());
        QVERIFY(run->dialogs.texts(QStringLiteral("message")).isEmpty());
        QVERIFY(run->dialogs.texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(storedNames(), before);   // Kiss Anna's game is neither loaded nor deleted
        QCOMPARE(main->JobKey, 0);
        switch (key) {
        case Qt::Key_B:
            QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageNev));
            QVERIFY(main->isVisible());
            break;
        case Qt::Key_J:
            QVERIFY(main->NewGame);
            QVERIFY(run->game.fTeszt->isVisible());
            break;
        case Qt::Key_O:
            QVERIFY(!main->Edit1->isEnabled());
            QVERIFY(main->Button1->isEnabled());
            break;
        }
    }

    // The new game deletes the rows the load finds: the same name in any letter case.
    void newGameDeletesWhatTheLoadFinds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("deleted");
        QTest::addRow("small letters") << QStringLiteral("nagy béla") << QStringLiteral("Nagy Béla");
        QTest::addRow("capitals with accents") << QStringLiteral("IDÉZŐ") << QStringLiteral("Idéző");
        QTest::addRow("exact") << QStringLiteral("Kiss Anna") << QStringLiteral("Kiss Anna");
    }
    void newGameDeletesWhatTheLoadFinds()
    {
        QFETCH(QString, typed);
        QFETCH(QString, deleted);
        QStringList expected = storedNames();
        expected.removeAll(deleted);
        enterName(typed);
        QTest::mouseClick(main->Button1, Qt::LeftButton);
        QVERIFY(run->dialogs.texts(QStringLiteral("error")).isEmpty());
        QVERIFY(run->game.fTeszt->isVisible());
        QCOMPARE(storedNames(), expected);
        QVERIFY(!run->game.DM->JatekosokDB->locate(QStringLiteral("Nev"), deleted));
    }

    // A name over 30 characters is saved as its first 30: it is looked up and deleted so.
    void longNamesGoByTheSavedName_data()
    {
        QTest::addColumn<bool>("load");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        const QString accented = QStringLiteral("Hosszúnevű Bernadett Kinga Zsófia");
        const QString accentedSaved = QStringLiteral("Hosszúnevű Bernadett Kinga Zsó");
        QTest::addRow("load") << true << accented << accentedSaved;
        QTest::addRow("new game") << false << accented << accentedSaved;
        QTest::addRow("emoji, load") << true << repeated(kEmoji, 32) << repeated(kEmoji, 30);
        QTest::addRow("emoji, new game") << false << repeated(kEmoji, 32) << repeated(kEmoji, 30);
    }
    void longNamesGoByTheSavedName()
    {
        QFETCH(bool, load);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(saved.toUcs4().size(), 30);
        restartWith({saved, 0, 2});
        enterName(typed);
        QVERIFY(main->Button2->isEnabled());
        QCOMPARE(main->PlayerName, saved);
        if (load) {
            QTest::mouseClick(main->Button2, Qt::LeftButton);
            QCOMPARE(run->dialogs.texts(QStringLiteral("message")),
                     QStringList{QStringLiteral("A választott szakmád: Szoftvermérnök")});
            QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageHaz));
            QCOMPARE(run->game.DM->JatekosokDB->fieldByName("Nev").asString(), saved);
        } else {
            QTest::mouseClick(main->Button1, Qt::LeftButton);
            QVERIFY(!storedNames().contains(saved));
        }
    }

    // Players press Enter on a focused button; the keypad's Enter does the same.
    void enterClicksTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("button");
        QTest::addRow("Enter on Betöltés") << int(Qt::Key_Return) << int(Qt::NoModifier) << 2;
        QTest::addRow("keypad Enter on Új Játék") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
        QTest::addRow("Enter on OK") << int(Qt::Key_Return) << int(Qt::NoModifier) << 0;
    }
    void enterClicksTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, button);
        enterName(QStringLiteral("Kiss Anna"));
        QPushButton *target = button == 1 ? main->Button1 : button == 2 ? main->Button2 : main->BitBtn1;
        target->setFocus(Qt::TabFocusReason);
        QVERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (button == 2)
            QCOMPARE(main->PageControl1->currentIndex(), int(TMainForm::PageHaz));
        else if (button == 1)
            QVERIFY(run->game.fTeszt->isVisible());
        else
            QVERIFY(!main->Edit1->isEnabled());
    }

    void okFixesTheName()
    {
        QTest::mouseClick(main->BitBtn1, Qt::LeftButton);
        QVERIFY(main->Edit1->isEnabled());
        QVERIFY(main->BitBtn1->isEnabled());
        QVERIFY(main->Edit1->hasFocus());

        typeText(main->Edit1, QStringLiteral("Kiss Anna"));
        QTest::mouseClick(main->BitBtn1, Qt::LeftButton);
        QVERIFY(!main->Edit1->isEnabled());
        QVERIFY(!main->BitBtn1->isEnabled());
        QVERIFY(main->Button2->isEnabled());
        QCOMPARE(main->PlayerName, QStringLiteral("Kiss Anna"));
    }

    // The page is found as it was left when the player comes back from the opening screen.
    void pageKeepsItsStateOverAVisitToTheStart()
    {
        enterName(QStringLiteral("Kiss Anna"));
        run->dialogs.confirmAnswers.enqueue(true);
        main->close();
        QTest::mouseClick(run->game.fIndul->Kezd, Qt::LeftButton);
        QVERIFY(main->isVisible());
        QCOMPARE(main->Edit1->text(), QStringLiteral("Kiss Anna"));
        QVERIFY(main->Button1->isEnabled());
        QVERIFY(main->Button2->isEnabled());
        QCOMPARE(run->game.DM->JatekosokDB->fieldByName("Nev").asString(), QStringLiteral("Kiss Anna"));
    }

    void statusBarShowsTheNearestHint()
    {
        auto *outer = new QWidget(main->TabSheet2);
        outer->setStatusTip(QStringLiteral("Ezt szeretném!"));
        auto *inner = new QLabel(QStringLiteral("x"), outer);
        QCOMPARE(TMainForm::hintFor(inner), QStringLiteral("Ezt szeretném!"));
        QCOMPARE(TMainForm::hintFor(main->Edit1), QString());

        QStatusTipEvent tip(QStringLiteral("Előző"));
        QCoreApplication::sendEvent(inner, &tip);
        QCOMPARE(main->StatusBar->currentMessage(), QStringLiteral("Előző"));
    }
};

ZOMIR_TEST_MAIN(TestPlayerPage)
#include "tst_playerpage.moc"
