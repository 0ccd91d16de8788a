// What a screen reader and a keyboard find on every screen of both programs: each screen
// of the game shown through the screen map (every page of the main window, the help
// window, the game's own calculator) and every page of the teacher's utility, over a copy
// of the built working folder. Every enabled control that takes the focus or a click has a
// Hungarian accessible name of its own (never empty, never its object name); the controls
// that show only a picture have the names of the table below; the focus moves in the tab
// orders the screens give; and every fixed-size window, with its title bar, fits on the
// smallest school screens less the taskbar.

#include "controls/application.h"
#include "controls/dbcontrols.h"
#include "controls/dialogs.h"
#include "controls/ExtDBNavigator.h"
#include "controls/szamologep.h"
#include "game/adozas.h"
#include "game/befejez.h"
#include "game/careerwidgets.h"
#include "game/game.h"
#include "game/jovedelem.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "game/palya.h"
#include "game/sugo.h"
#include "game/szakma.h"
#include "game/teszt.h"
#include "gui/look.h"
#include "maintenance/Unit1.h"
#include "rules/workfiles.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QAccessible>
#include <QListWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTabWidget>
#include <QtTest>

using namespace shellfixture;

namespace {

// A part of one of Qt's composite widgets (a tab bar, a scroll bar, a spin box's line
// edit): named by the widget it belongs to. The pages of a tab widget and the content of a
// scroll area are ours.
bool qtInternal(const QWidget *w)
{
    for (const QWidget *p = w; p && !p->isWindow(); p = p->parentWidget()) {
        const QString name = p->objectName();
        if (name.startsWith(QLatin1String("qt_")) && name != QLatin1String("qt_tabwidget_stackedwidget")
            && name != QLatin1String("qt_scrollarea_viewport"))
            return true;
    }
    return false;
}

bool takesFocusOrClick(const QWidget *w)
{
    // A grid's corner button (select all) is a part of the grid, which is named.
    if (w->inherits("QTableCornerButton"))
        return false;
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton *>(w)
           || qobject_cast<const TClickImage *>(w) || qobject_cast<const TMoneyPiece *>(w)
           || qobject_cast<const TDBImage *>(w);
}

QString accessibleName(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QString where(const QWidget *w)
{
    return w->window()->objectName() + u'/' + w->objectName() + QStringLiteral(" (")
           + QString::fromLatin1(w->metaObject()->className()) + u')';
}

// The shown, enabled controls of a window that take the focus or a click, and those among
// them that a screen reader could not name.
QStringList unnamedControls(QWidget *window, int *checked)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || qtInternal(w) || !takesFocusOrClick(w))
            continue;
        ++*checked;
        const QString name = accessibleName(w).trimmed();
        if (name.isEmpty() || name == w->objectName())
            unnamed << where(w) + QStringLiteral(": \"") + name + u'"';
    }
    return unnamed;
}

// The object names of the controls Tab reaches from `first`, in order, up to `count`.
QStringList tabOrder(QWidget *first, int count)
{
    QStringList order;
    for (QWidget *w = first; order.size() < count; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !qtInternal(w))
            order << w->objectName();
        if (w->nextInFocusChain() == first)
            break;
    }
    return order;
}

QStringList numbered(const QString &prefix, int from, int to)
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << prefix + QString::number(i);
    return names;
}

// The two screens the windows must fit on: 1920 x 1080 at 150 % and 1366 x 768 at 100 %,
// each less a 48-pixel taskbar, in device-independent pixels.
const QSize kScreens[] = {QSize(1280, 720 - 48), QSize(1366, 768 - 48)};
constexpr int kTitleBar = 30;

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    struct ProgramRun {
        explicit ProgramRun(const QString &config) : run(config)
        {
            previous = ZApplication::instance()->dialogs();
            ZApplication::instance()->setDialogs(&run.dialogs);
        }
        ~ProgramRun()
        {
            for (QWidget *w : QApplication::topLevelWidgets())
                w->hide();
            ZApplication::instance()->setDialogs(previous);
        }
        Run run;
        Dialogs *previous = nullptr;
    };

    QTemporaryDir folder;
    QTemporaryDir config;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<ProgramRun> program;
    Game &game() { return program->run.game; }

    // The windows of the game as the walk below shows them, each with what it shows first.
    QList<QWidget *> shownWindows;

    void showScreen(Game::Screen which)
    {
        game().show(which);
        QWidget *screen = game().screen(which);
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
        const QString built = qEnvironmentVariable("ZOMIR_WORKFOLDER");
        QVERIFY2(QFileInfo::exists(built + QStringLiteral("/DB")), "the built working folder is missing");
        QVERIFY(testenv::copyFolder(built, folder.path()));
        cwd = std::make_unique<CurrentFolder>(folder.path());
        // The files the screens read when they come forward, as the earlier screens write them.
        workfiles::writeLines(QStringLiteral("szakma.txt"), {QStringLiteral("1"), QStringLiteral("2"),
                                                             QStringLiteral("0"), QStringLiteral("5"),
                                                             QStringLiteral("3"), QStringLiteral("0")});
        workfiles::writeLines(QStringLiteral("ber.txt"), {QStringLiteral("200000"), QStringLiteral("2"),
                                                          QStringLiteral("150000"), QStringLiteral("0")});
        program = std::make_unique<ProgramRun>(config.filePath(QStringLiteral("engine.ini")));
        QVERIFY(game().create());
        game().start();
        QVERIFY(QTest::qWaitForWindowExposed(game().fIndul));
    }
    void cleanupTestCase()
    {
        program.reset();
        cwd.reset();
    }

    // Every screen of the game, every page of the main window.
    void gameControlsAreNamed_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("page");  // of the main window, else -1
        QTest::addRow("opening screen") << int(Game::Screen::Indul) << -1;
        for (int page = TMainForm::PageNev; page <= TMainForm::PageSzorakozas; ++page)
            QTest::addRow("main window, page %d", page) << int(Game::Screen::Main) << page;
        QTest::addRow("interest test") << int(Game::Screen::Teszt) << -1;
        QTest::addRow("profession choice") << int(Game::Screen::Szakma) << -1;
        QTest::addRow("career sheet") << int(Game::Screen::Palya) << -1;
        QTest::addRow("income calculator") << int(Game::Screen::Jovedelem) << -1;
        QTest::addRow("payroll exercise") << int(Game::Screen::Ber) << -1;
        QTest::addRow("credits") << int(Game::Screen::Vege) << -1;
    }
    void gameControlsAreNamed()
    {
        QFETCH(int, screen);
        QFETCH(int, page);
        const auto which = Game::Screen(screen);
        if (page >= 0)
            game().showMainPage(page);
        else
            showScreen(which);
        QWidget *window = game().screen(which);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCoreApplication::processEvents();
        int checked = 0;
        const QStringList unnamed = unnamedControls(window, &checked);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
        // The credits have no control: a key or a click anywhere ends the program.
        QVERIFY2(checked > 0 || which == Game::Screen::Vege, qPrintable(window->objectName()));
        game().hide(which);
    }

    void helpAndCalculatorAreNamed()
    {
        THelpWindow help;
        help.showTopic(1);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        int checked = 0;
        QCOMPARE(unnamedControls(&help, &checked), QStringList());
        QCOMPARE(checked, 2);

        TSzamologep calculator;
        calculator.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calculator));
        checked = 0;
        QCOMPARE(unnamedControls(&calculator, &checked), QStringList());
        QVERIFY(checked >= 16);
    }

    // Ctrl+plus and Ctrl+minus make the help's text larger or smaller, for every topic and
    // every help window of the session.
    void helpInLargerText()
    {
        THelpWindow help;
        help.showTopic(8);
        QVERIFY(QTest::qWaitForWindowActive(&help));
        const auto size = [](THelpWindow &w) { return w.Text->document()->defaultFont().pointSizeF(); };
        const qreal written = size(help);
        QVERIFY(written > 0);
        QTest::keyClick(help.Text, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(size(help), written * 1.25);
        help.showTopic(9);
        QCOMPARE(size(help), written * 1.25);
        QTest::keyClick(help.Contents, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(size(help), written * 1.5);
        THelpWindow second;
        second.showTopic(8);
        QCOMPARE(size(second), written * 1.5);
        QTest::keyClick(help.Text, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(help.Text, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(size(help), written);
        QVERIFY(help.Text->accessibleDescription().contains(QStringLiteral("Ctrl+plusz")));
        look::setReadingStep(0);
    }

    // The controls that show only a picture (or a picture and a mark), by what they do.
    void pictureControlNames_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const int indul = int(Game::Screen::Indul), main = int(Game::Screen::Main), ber = int(Game::Screen::Ber),
                  szakma = int(Game::Screen::Szakma), jov = int(Game::Screen::Jovedelem);
        QTest::addRow("start") << indul << "Kezd" << "Kezdjünk neki";
        QTest::addRow("end") << indul << "Kilep" << "Játék vége";
        QTest::addRow("prior house") << main << "BitBtn2" << "Előző";
        QTest::addRow("next house") << main << "BitBtn3" << "Következő";
        QTest::addRow("house picture") << main << "DBImage1" << "Kép: Ház";
        QTest::addRow("calculator of the exercise") << ber << "BitBtn2" << "Számológép";
        QTest::addRow("calculator of the income screen") << jov << "BitBtn1" << "Számológép";
        QTest::addRow("5 Ft coin") << ber << "ft5" << "5 forintos érme";
        QTest::addRow("200 Ft coin") << ber << "ft200" << "200 forintos érme";
        QTest::addRow("500 Ft note") << ber << "ft500" << "500 forintos bankjegy";
        QTest::addRow("20 000 Ft note") << ber << "ft20000" << "20000 forintos bankjegy";
        QTest::addRow("first profession picture") << szakma << "Image13" << "Pályatükör: Ügyfélszolgálati munkatárs";
    }
    void pictureControlNames()
    {
        QFETCH(int, screen);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QWidget *window = game().screen(Game::Screen(screen));
        QWidget *w = window->findChild<QWidget *>(control);
        QVERIFY2(w, qPrintable(control));
        QCOMPARE(accessibleName(w), name);
    }

    // The tab orders the screens give, from their first control.
    void gameTabOrders()
    {
        game().showMainPage(TMainForm::PageNev);
        TMainForm *main = game().MainForm;
        QVERIFY(QTest::qWaitForWindowActive(main));
        // A name typed opens "Új Játék"; "Betöltés" stays closed without a stored game by it.
        main->Edit1->setFocus();
        QTest::keyClicks(main->Edit1, QStringLiteral("Proba Panna"));
        QTest::keyClick(main->Edit1, Qt::Key_Tab);
        QVERIFY(main->Button1->isEnabled() && !main->Button2->isEnabled());
        // Tab from the name reaches the button the name opens.
        QCOMPARE(QApplication::focusWidget(), main->Button1);
        QCOMPARE(tabOrder(main->Edit1, 4).join(u' '), QStringLiteral("Edit1 Button1 BitBtn1 PageControl1"));
        main->Edit1->clear();

        showScreen(Game::Screen::Teszt);
        QStringList test = numbered(QStringLiteral("CheckBox"), 1, 24);
        test << QStringLiteral("BitBtn1");
        QCOMPARE(tabOrder(game().fTeszt->CheckBox(1), 25), test);
        game().hide(Game::Screen::Teszt);

        showScreen(Game::Screen::Szakma);
        QStringList choice = {QStringLiteral("BitBtn1")};
        choice << numbered(QStringLiteral("RadioButton"), 1, 30) << QStringLiteral("bSzakmaval");
        QCOMPARE(tabOrder(game().fSzakma->BitBtn1, 32), choice);
        game().hide(Game::Screen::Szakma);

        showScreen(Game::Screen::Ber);
        // The coins and notes (reached with Tab for the keyboard path), then the buttons.
        QStringList exercise = tabOrder(game().Ber->BitBtn1, 15);
        QCOMPARE(exercise.mid(0, 3), QStringList({"BitBtn1", "BitBtn2", "Ellenor"}));
        QStringList pieces = exercise.mid(3);
        QCOMPARE(pieces.size(), 12);
        for (const QString &piece : pieces)
            QVERIFY2(piece.startsWith("ft"), qPrintable(piece));
        QCOMPARE(QSet<QString>(pieces.begin(), pieces.end()).size(), 12);
        game().hide(Game::Screen::Ber);
    }

    // Every window of fixed size, title bar included, on both screens.
    void fixedWindowsFitTheSmallScreens()
    {
        QList<QWidget *> windows;
        for (Game::Screen s : {Game::Screen::Indul, Game::Screen::Teszt, Game::Screen::Szakma, Game::Screen::Palya,
                               Game::Screen::Main, Game::Screen::Jovedelem, Game::Screen::Vege, Game::Screen::Ber})
            windows << game().screen(s);
        THelpWindow help;
        TSzamologep calculator;
        windows << &help << &calculator;
        for (QWidget *w : windows) {
            // A window of fixed size has that size; the help opens at its first size.
            const QSize size = w->size();
            qInfo("%s: %d x %d", qPrintable(w->objectName()), size.width(), size.height());
            for (const QSize &screen : kScreens)
                QVERIFY2(size.width() <= screen.width() && size.height() + kTitleBar <= screen.height(),
                         qPrintable(QStringLiteral("%1: %2 x %3 on %4 x %5")
                                        .arg(w->objectName())
                                        .arg(size.width())
                                        .arg(size.height())
                                        .arg(screen.width())
                                        .arg(screen.height())));
        }
    }

    // On a screen scaled above 100 % (the suite runs this test once more with
    // QT_SCALE_FACTOR=1.5) the pictures come from the drawings at twice the pixels: the
    // coins and notes, the wallet, the picture buttons' icons; at 100 % the pictures
    // themselves.
    void picturesSharpAtTheScreensScale()
    {
        const bool scaled = qApp->devicePixelRatio() > 1.0;
        const qreal expected = scaled ? 2.0 : 1.0;
        TBer *ber = game().Ber;
        for (int value : {5, 200, 500, 20000}) {
            TMoneyPiece *piece = ber->piece(value);
            const QPixmap picture = piece->pixmap();
            QCOMPARE(picture.devicePixelRatio(), expected);
            // Fitted into the piece in device-independent pixels whatever the ratio.
            const QSizeF shown = picture.deviceIndependentSize();
            QVERIFY2(shown.width() <= piece->width() + 0.5 && shown.height() <= piece->height() + 0.5,
                     qPrintable(QStringLiteral("%1 x %2").arg(shown.width()).arg(shown.height())));
            QVERIFY(shown.width() >= piece->width() - 1 || shown.height() >= piece->height() - 1);
        }
        QCOMPARE(ber->brief->pixmap().devicePixelRatio(), expected);
        // The profession pictures, read when the choice was first shown above.
        QCOMPARE(game().fSzakma->Image(13)->pixmap().devicePixelRatio(), expected);
        const QSize base = QImage(QStringLiteral(":/pict/kezd.png")).size();
        const QList<QSize> sizes = game().fIndul->Kezd->icon().availableSizes();
        QVERIFY(sizes.contains(base));
        QCOMPARE(sizes.contains(base * 2), scaled);
    }

    // The print preview asks for 900 x 760 and gets what the screen has room for.
    void previewFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("size");
        QTest::addRow("1920 x 1080 at 150 %%") << QRect(0, 0, 1280, 672) << QSize(900, 642);
        QTest::addRow("1366 x 768 at 100 %%") << QRect(0, 0, 1366, 720) << QSize(900, 690);
        QTest::addRow("1920 x 1080 at 100 %%") << QRect(0, 0, 1920, 1032) << QSize(900, 760);
        QTest::addRow("a narrow screen") << QRect(0, 48, 800, 552) << QSize(800, 522);
    }
    void previewFitsTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, size);
        QCOMPARE(sizeOnScreen(QSize(900, 760), available), size);
    }

    // The teacher's utility: every page.
    void utilityControlsAreNamed()
    {
        zdb::Session session(config.filePath(QStringLiteral("utility.ini")));
        session.addStandardAlias(QStringLiteral("DB_ZOMIR"), QDir(folder.path()).filePath(QStringLiteral("DB")));
        ScriptedDialogs dialogs;
        TZomir0001 window(&session, &dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList unnamed;
        for (int page = 0; page < window.PageControl->count(); ++page) {
            window.PageControl->setCurrentIndex(page);
            QCoreApplication::processEvents();
            int checked = 0;
            unnamed << unnamedControls(&window, &checked);
            QVERIFY2(checked > 0, qPrintable(window.PageControl->tabText(page)));
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));

        // The navigators' glyphs at twice the pixels on a scaled screen, the image list's and
        // a navigator's own alike.
        const qreal ratio = qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
        for (TExtDBNavigator *nav : window.findChildren<TExtDBNavigator *>()) {
            const QPixmap glyph = nav->button(TExtDBNavigator::Next)->glyph();
            QVERIFY(!glyph.isNull());
            QCOMPARE(glyph.devicePixelRatio(), ratio);
        }
        TExtDBNavigator own;
        QCOMPARE(own.button(TExtDBNavigator::Next)->glyph().devicePixelRatio(), ratio);

        // The catalogue pages' tab orders: the fields as listed, the picture box before the
        // memo on "Ruházkodás" alone.
        const std::pair<int, QStringList> orders[] = {
            {0, {"DBEdit2", "DBEdit3", "DBEdit4", "DBEdit5", "DBMemo1", "DBImage1"}},
            {1, {"DBEdit7", "DBEdit8", "DBMemo2", "DBImage2"}},
            {3, {"DBEdit18", "DBEdit19", "DBEdit20", "DBImage6", "DBMemo6"}},
        };
        for (const auto &[page, order] : orders) {
            window.PageControl->setCurrentIndex(page);
            QCoreApplication::processEvents();
            QWidget *first = window.findChild<QWidget *>(order.first());
            QVERIFY(first);
            QCOMPARE(tabOrder(first, int(order.size())), order);
        }
        const QSize size = window.size();
        for (const QSize &screen : kScreens)
            QVERIFY2(size.width() <= screen.width() && size.height() + kTitleBar <= screen.height(),
                     qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    }
};

ZOMIR_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
