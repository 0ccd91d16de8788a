// The income calculator on real widgets: reading "ber.txt" on activation, each field's
// judging, Enter and Escape, the close question, "&Kiszámoltam!" storing the family income,
// the payroll exercise's button, the calculator button and the help topics.

#include "game/adatinit.h"
#include "game/adozas.h"
#include "rules/incomecheck.h"
#include "game/jovedelem.h"
#include "game/kival.h"
#include "controls/numedit.h"
#include "game/nyito.h"
#include "tests/support/salaryfixture.h"
#include "game/sugo.h"
#include "controls/szamologep.h"
#include "rules/taxyear.h"
#include "tests/support/testenv.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using salaryfixture::SalaryRun;
using Mark = TfJovedelem::Mark;

Q_DECLARE_METATYPE(TfJovedelem::Mark)

namespace {
const QString nbsp = QString(QChar(0x00A0));
const QString ninetyNines = QString(23, '9');
}  // namespace

class TestJovedelem : public QObject {
    Q_OBJECT

    std::unique_ptr<SalaryRun> run;
    TfJovedelem *calc = nullptr;

    ScriptedDialogs &dialogs() { return run->dialogs(); }
    // Errors stopping a handler are shown by the application's one error box.
    static ScriptedDialogs *appDialogs()
    {
        return static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    }
    static QStringList errors() { return appDialogs()->texts("error"); }
    TNumberEdit *field(int n) { return calc->NumberEdit(n); }

    // Shows the calculator as the evaluation does and lets its activation run.
    void activate()
    {
        run->game().show(Game::Screen::Jovedelem);
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QCoreApplication::processEvents();
    }
    // Another screen is active for a moment, then the calculator again.
    void reactivate()
    {
        run->game().show(Game::Screen::Indul);
        QVERIFY(QTest::qWaitForWindowActive(run->game().fIndul));
        activate();
    }
    // Clicks into a field (unless the focus is there already, everything selected), types
    // the amount and leaves it with Tab.
    void type(int n, const QString &text)
    {
        if (!field(n)->hasFocus())
            QTest::mouseClick(field(n), Qt::LeftButton, {}, field(n)->rect().center());
        QVERIFY2(field(n)->hasFocus(), qPrintable(field(n)->objectName()));
        QCOMPARE(field(n)->selectedText(), field(n)->text());
        QTest::keyClicks(field(n), text);
        QTest::keyClick(field(n), Qt::Key_Tab);
    }
    void fillAllRight()
    {
        const QList<QPair<int, QString>> answers = {{11, "254000"}, {1, "28080"}, {2, "12000"}, {3, "3000"},
                                                    {4, "19000"},   {5, "62080"}, {6, "137920"}, {8, "48000"},
                                                    {9, "12000"},   {10, "347920"}};
        for (const auto &a : answers)
            type(a.first, a.second);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }
    void init()
    {
        run = std::make_unique<SalaryRun>();
        QVERIFY(run->create());
        calc = run->game().fJovedelem;
        run->writeBer(200000, 3, 150000, 95000);
        dialogs().clear();
        appDialogs()->clear();
    }
    void cleanup()
    {
        calc = nullptr;
        run.reset();
    }

    void windowAndActivation()
    {
        QCOMPARE(calc->windowTitle(), QString("Jövedelem kalkulátor"));
        QCOMPARE(calc->size(), QSize(772, 635));
        QCOMPARE(field(11)->geometry(), QRect(352, 152, 121, 17));
        QCOMPARE(field(10)->geometry(), QRect(376, 520, 121, 25));
        QCOMPARE(calc->BitBtn2->geometry(), QRect(640, 520, 105, 25));
        activate();
        QCOMPARE(calc->Label2->text(), "I. Bruttó havi munkából származó jövedelmed:  200" + nbsp + "000" + nbsp + "Ft");
        QCOMPARE(calc->Label15->text(), QString("Gyermekeid száma: 3"));
        QCOMPARE(field(7)->Value(), 150000.0);
        QCOMPARE(TfJovedelem::markOf(field(7)), Mark::Right);
        QVERIFY(!field(7)->isEnabled());
        QCOMPARE(TfJovedelem::markOf(field(8)), Mark::None);
        QCOMPARE(run->game().state.G, qint64(200000));
        // The first field to get the focus, and the tab order down to the buttons.
        QCOMPARE(QApplication::focusWidget(), field(11));
        QStringList order;
        for (QWidget *w = field(11); order.size() < 12; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible())
                order << w->objectName();
        QCOMPARE(order, QStringList({"NumberEdit11", "NumberEdit1", "NumberEdit2", "NumberEdit3", "NumberEdit4",
                                     "NumberEdit5", "NumberEdit6", "NumberEdit8", "NumberEdit9", "NumberEdit10",
                                     "BitBtn2", "BitBtn3"}));
        QVERIFY(errors().isEmpty());
    }

    void judging_data()
    {
        QTest::addColumn<QStringList>("before");  // "field=text" typed first
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Mark>("mark");
        const Mark R = Mark::Right, W = Mark::Wrong;
        QTest::addRow("super-gross right") << QStringList() << 11 << "254000" << R;
        QTest::addRow("super-gross wrong") << QStringList() << 11 << "254005" << W;
        QTest::addRow("super-gross shown as right is right") << QStringList() << 11 << "253999.5" << R;
        QTest::addRow("tax advance right") << QStringList() << 1 << "28080" << R;
        QTest::addRow("tax advance unrounded wrong") << QStringList() << 1 << "28083" << W;
        QTest::addRow("tax advance with a fraction wrong") << QStringList() << 1 << "770.4" << W;
        QTest::addRow("tax advance of 23 digits wrong") << QStringList() << 1 << ninetyNines << W;
        QTest::addRow("health right") << QStringList() << 2 << "12000" << R;
        QTest::addRow("health with a fraction as shown") << QStringList() << 2 << "12000.4" << R;
        QTest::addRow("health of 23 digits wrong") << QStringList() << 2 << ninetyNines << W;
        QTest::addRow("employee right") << QStringList() << 3 << "3000" << R;
        QTest::addRow("employee wrong") << QStringList() << 3 << "3005" << W;
        QTest::addRow("pension right") << QStringList() << 4 << "19000" << R;
        QTest::addRow("pension negative wrong") << QStringList() << 4 << "-19000" << W;
        const QStringList wrongTax = {"1=28085", "2=12000", "3=3000", "4=19000"};
        QTest::addRow("deductions: sum of wrong entries") << wrongTax << 5 << "62085" << R;
        QTest::addRow("deductions: right amount, wrong entries") << wrongTax << 5 << "62080" << W;
        QTest::addRow("net wage against own deductions") << QStringList({"5=60000"}) << 6 << "140000" << R;
        QTest::addRow("net wage: right amount, other deductions")
            << QStringList({"5=60000"}) << 6 << "137920" << W;
        QTest::addRow("family allowance right") << QStringList() << 8 << "48000" << R;
        QTest::addRow("family allowance wrong") << QStringList() << 8 << "47995" << W;
        QTest::addRow("tax allowance under the advance") << QStringList({"1=28080"}) << 9 << "12000" << R;
        QTest::addRow("tax allowance capped by the entered advance")
            << QStringList({"1=10000"}) << 9 << "10000" << R;
        QTest::addRow("tax allowance above the entered advance")
            << QStringList({"1=10000"}) << 9 << "12000" << W;
        QTest::addRow("tax allowance under a 23-digit advance")
            << QStringList({"1=" + ninetyNines}) << 9 << "12000" << R;
        QTest::addRow("tax allowance capped by a negative advance")
            << QStringList({"1=-500"}) << 9 << "-500" << R;
        QTest::addRow("total of own entries")
            << QStringList({"6=100000", "8=48000", "9=12000"}) << 10 << "310000" << R;
        QTest::addRow("total: right amount, other entries")
            << QStringList({"6=100000", "8=48000", "9=12000"}) << 10 << "347920" << W;
    }

    void judging()
    {
        QFETCH(QStringList, before);
        QFETCH(int, number);
        QFETCH(QString, text);
        QFETCH(Mark, mark);
        activate();
        for (const QString &entry : before) {
            const QStringList parts = entry.split('=');
            type(parts[0].toInt(), parts[1]);
        }
        type(number, text);
        QCOMPARE(TfJovedelem::markOf(field(number)), mark);
        QCOMPARE(calc->lastLeftField(), field(number));
        QVERIFY(errors().isEmpty());
    }

    // Each verdict is a sign beside the field as well as its colour, and words in the
    // field's tooltip and accessible description; the sign moves with the field to the
    // year's place, stands clear of every other visible widget and goes with the mark.
    void visibleMarks_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("right");
        QTest::addRow("2010 super-gross") << 2010 << 11 << "250000" << "254000";
        QTest::addRow("2010 total") << 2010 << 10 << "1" << "0";
        QTest::addRow("2026 allowance base, beside the rounding hint") << 2026 << 1 << "1" << "base";
        QTest::addRow("2026 family total") << 2026 << 9 << "1" << "0";
    }
    void visibleMarks()
    {
        QFETCH(int, year);
        QFETCH(int, number);
        QFETCH(QString, wrong);
        QFETCH(QString, right);
        if (year == 2026)
            to2026(200000, 3, 150000);
        activate();
        TNumberEdit *f = field(number);
        QVERIFY(!TfJovedelem::markLabel(f) || !TfJovedelem::markLabel(f)->isVisible());
        type(number, wrong);
        QLabel *sign = TfJovedelem::markLabel(f);
        QVERIFY(sign);
        QCOMPARE(TfJovedelem::markOf(f), Mark::Wrong);
        QVERIFY(sign->isVisible());
        QCOMPARE(sign->text(), QString(QChar(0x2717)));
        QVERIFY(f->toolTip().startsWith("Hibás"));
        QCOMPARE(f->accessibleDescription(), f->toolTip());
        QCOMPARE(sign->palette().color(QPalette::WindowText), TfJovedelem::wrongColour());
        // Right of the field, on its row, over nothing else that is shown.
        QVERIFY(sign->geometry().left() > f->geometry().right());
        QVERIFY(sign->geometry().intersects(QRect(0, f->geometry().top(), calc->width(), f->height())));
        for (QWidget *other : calc->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (other != sign && other->isVisible())
                QVERIFY2(!other->geometry().intersects(sign->geometry()), qPrintable(other->objectName()));
        if (right == "base")
            right = QString::number(payroll::AllowanceBase2026(run->tables2026(), 3));
        if (right != "0") {
            type(number, right);
            QCOMPARE(TfJovedelem::markOf(f), Mark::Right);
            QCOMPARE(sign->text(), QString(QChar(0x2713)));
            QVERIFY(f->toolTip().startsWith("Helyes"));
            QCOMPARE(f->accessibleDescription(), f->toolTip());
        }
        // Leaving the calculator takes the marks away, and with them the signs and words.
        dialogs().confirmAnswers.enqueue(true);
        calc->close();
        QCOMPARE(TfJovedelem::markOf(f), Mark::None);
        QVERIFY(!sign->isVisibleTo(calc));
        QVERIFY(f->toolTip().isEmpty());
        QVERIFY(f->accessibleDescription().isEmpty());
    }

    void childlessPlayerHasAllowancesGreen()
    {
        run->writeBer(200000, 0, 150000);
        activate();
        QCOMPARE(TfJovedelem::markOf(field(8)), Mark::Right);
        QCOMPARE(TfJovedelem::markOf(field(9)), Mark::Right);
        QCOMPARE(calc->Label15->text(), QString("Gyermekeid száma: 0"));
        // Finished without touching the allowances: 137 920 + 150 000.
        const QList<QPair<int, QString>> answers = {{11, "254000"}, {1, "28080"}, {2, "12000"}, {3, "3000"},
                                                    {4, "19000"},   {5, "62080"}, {6, "137920"}, {10, "287920"}};
        for (const auto &a : answers)
            type(a.first, a.second);
        for (int i = 1; i <= 11; ++i)
            QCOMPARE(TfJovedelem::markOf(field(i)), Mark::Right);
    }

    void enterMovesOnAndEscapeRestores()
    {
        activate();
        QVERIFY(field(11)->hasFocus());
        QTest::keyClicks(field(11), "254000");
        QTest::keyClick(field(11), Qt::Key_Return);
        QVERIFY(field(1)->hasFocus());
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::Right);

        // Escape puts back the amount the field had when entered, however often pressed.
        type(2, "12000");
        QTest::mouseClick(field(2), Qt::LeftButton, {}, field(2)->rect().center());
        QTest::keyClicks(field(2), "99");
        QTest::keyClick(field(2), Qt::Key_Escape);
        QCOMPARE(field(2)->text(), "12" + nbsp + "000 Ft");
        QTest::keyClicks(field(2), "5");
        QTest::keyClick(field(2), Qt::Key_Escape);
        QCOMPARE(field(2)->text(), "12" + nbsp + "000 Ft");
        QVERIFY(calc->isVisible());  // Escape never closes the window
        QVERIFY(dialogs().texts("confirm").isEmpty());

        // Enter in the last field reaches "&Kiszámoltam!" without pressing it.
        field(10)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(10), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), calc->BitBtn2);
        QVERIFY(dialogs().texts("confirm").isEmpty());
        QVERIFY(calc->isVisible());
    }

    void closeQuestionEndsOnTopmostRedField_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("focused");
        QTest::addRow("tax advance topmost") << QStringList({"11=254000", "1=1", "3=5", "10=7"}) << "NumberEdit1";
        QTest::addRow("super-gross last") << QStringList({"11=1", "4=5", "9=3"}) << "NumberEdit11";
    }

    void closeQuestionEndsOnTopmostRedField()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, focused);
        activate();
        for (const QString &entry : entries) {
            const QStringList parts = entry.split('=');
            type(parts[0].toInt(), parts[1]);
        }
        dialogs().confirmAnswers.enqueue(false);
        QTest::mouseClick(calc->BitBtn2, Qt::LeftButton);
        QCOMPARE(dialogs().texts("confirm"), QStringList({"Vannak még számítási hibák! Biztos, hogy kilépsz?"}));
        QVERIFY(calc->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        // The values stay for the player to mend.
        QCOMPARE(field(11)->Value(), entries.first().startsWith("11=1") ? 1.0 : 254000.0);

        // Closing with "Igen" leads to the opening screen, the values reset.
        dialogs().confirmAnswers.enqueue(true);
        calc->close();
        QVERIFY(!calc->isVisible());
        QVERIFY(run->game().fIndul->isVisible());
        for (int i : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11}) {
            QCOMPARE(field(i)->Value(), 0.0);
            QCOMPARE(TfJovedelem::markOf(field(i)), Mark::None);
        }
    }

    void finishedStoresTheIncome_data()
    {
        QTest::addColumn<bool>("print");
        QTest::addColumn<QString>("printError");
        QTest::addRow("without printing") << false << QString();
        QTest::addRow("printed") << true << QString();
        // A print that fails is reported; the result is stored all the same.
        QTest::addRow("no printer") << true << QString("Nincs elérhető nyomtató");
    }

    void finishedStoresTheIncome()
    {
        QFETCH(bool, print);
        QFETCH(QString, printError);
        dialogs().printWidgetError = printError;
        activate();
        fillAllRight();
        for (int i = 1; i <= 11; ++i)
            QCOMPARE(TfJovedelem::markOf(field(i)), Mark::Right);
        dialogs().confirmAnswers.enqueue(print);
        QTest::mouseClick(calc->BitBtn2, Qt::LeftButton);
        QCOMPARE(dialogs().texts("confirm"),
                 QStringList({"Mindent jól kiszámoltál!\nTervezd meg ehhez a jövedelemhez a családod "
                              "életvitelét\nKinyomtassam a számításaidat?"}));
        QCOMPARE(dialogs().texts("printWidget").size(), print ? 1 : 0);
        QCOMPARE(run->playerField("Netto_jov").toDouble(), 347920.0);
        QVERIFY(!calc->isVisible());
        TMainForm *main = run->game().MainForm;
        QVERIFY(main->isVisible());
        QCOMPARE(main->PageControl1->currentIndex(), int(PageHaz));
        QVERIFY(main->PageControl1->isTabVisible(PageHaz));
        QVERIFY(!main->PageControl1->isTabVisible(PageSzorakozas));
        QVERIFY(!run->game().fIndul->isVisible());
        // Reset for the next visit: no field is green at 0.
        QCOMPARE(field(10)->Value(), 0.0);
        QCOMPARE(TfJovedelem::markOf(field(10)), Mark::None);
        QCOMPARE(errors(), printError.isEmpty() ? QStringList() : QStringList({printError}));
    }

    void closeBoxWithEverythingRight()
    {
        // Closed without "&Kiszámoltam!": nothing is stored, no question is asked, and the
        // opening screen follows so that a window of the game is shown.
        activate();
        fillAllRight();
        calc->close();
        QVERIFY(!calc->isVisible());
        QVERIFY(dialogs().texts("confirm").isEmpty());
        QVERIFY(run->game().fIndul->isVisible());
        QVERIFY(run->playerField("Netto_jov").isNull());
        // Shown again, no field is right before it is worked out again.
        activate();
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::None);
        QCOMPARE(field(11)->Value(), 0.0);
        dialogs().confirmAnswers.enqueue(true);
        QTest::mouseClick(calc->BitBtn2, Qt::LeftButton);  // not all right: the close question
        QCOMPARE(dialogs().texts("confirm"), QStringList({"Vannak még számítási hibák! Biztos, hogy kilépsz?"}));
        QVERIFY(run->playerField("Netto_jov").isNull());
    }

    void payrollExerciseNeedsTheSuperGross()
    {
        activate();
        QTest::mouseClick(calc->BitBtn3, Qt::LeftButton);
        QCOMPARE(dialogs().texts("message"), QStringList({"Előbb határozd meg a szuperbruttó jövedelmet!"}));
        QVERIFY(!run->game().Ber->isVisible());
        type(11, "254001");
        QTest::mouseClick(calc->BitBtn3, Qt::LeftButton);
        QVERIFY(!run->game().Ber->isVisible());
        type(11, "254000");
        QTest::mouseClick(calc->BitBtn3, Qt::LeftButton);
        QVERIFY(run->game().Ber->isVisible());
        QCOMPARE(dialogs().texts("message").size(), 2);
    }

    void badBerFile_data()
    {
        QTest::addColumn<QString>("content");  // empty: no file
        QTest::addColumn<QString>("message");
        QTest::addRow("missing") << QString() << "nem olvasható";
        QTest::addRow("two numbers") << "200000\r\n3\r\n" << "a partner nettó jövedelme";
        QTest::addRow("not a number") << "200000\r\nhárom\r\n150000\r\n" << "nem egész szám";
        QTest::addRow("beyond 32 bits") << "99999999999\r\n3\r\n150000\r\n" << "nem egész szám";
    }

    void badBerFile()
    {
        QFETCH(QString, content);
        QFETCH(QString, message);
        if (content.isEmpty())
            run->removeBer();
        else
            run->writeBerText(content);
        activate();
        const QStringList shown = errors();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains("ber.txt") && shown.first().contains(message), qPrintable(shown.first()));
        // Nothing else was refreshed.
        QCOMPARE(calc->Label2->text(), QString("I. Bruttó havi munkából származó jövedelmed: "));
        QCOMPARE(field(7)->Value(), 0.0);
        QVERIFY(field(7)->isEnabled());
        // With nothing read there is nothing to judge against: leaving a field is quiet.
        type(11, "254000");
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::None);
        QCOMPARE(errors().size(), 1);
    }

    void changedBerFileIsReadOnActivation()
    {
        activate();
        type(11, "254000");
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::Right);
        run->writeBer(300000, 1, 90000);
        reactivate();
        QCOMPARE(calc->Label2->text(), "I. Bruttó havi munkából származó jövedelmed:  300" + nbsp + "000" + nbsp + "Ft");
        QCOMPARE(calc->Label15->text(), QString("Gyermekeid száma: 1"));
        QCOMPARE(field(7)->Value(), 90000.0);
        type(11, "254000");
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::Wrong);
        type(11, "381000");
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::Right);
        type(8, "12200");
        QCOMPARE(TfJovedelem::markOf(field(8)), Mark::Right);
    }

    void comingBackFromOwnWindowIsNoActivation()
    {
        // A box or window of the calculator's own (here the game's calculator, as an error
        // box would be) gives the focus back without a new activation: otherwise an error
        // box of the activation would come back for ever.
        activate();
        dialogs().startSucceeds = false;
        QTest::mouseClick(calc->BitBtn1, Qt::LeftButton);
        auto *own = calc->findChild<TSzamologep *>();
        QVERIFY(own);
        QVERIFY(QTest::qWaitForWindowActive(own));
        run->writeBer(300000, 1, 90000);
        calc->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QCoreApplication::processEvents();
        QVERIFY(calc->Label2->text().contains("200"));
        // Coming from another screen of the game is one.
        reactivate();
        QVERIFY(calc->Label2->text().contains("300"));
    }

    void calculatorButton()
    {
        activate();
        type(2, "12000");
        QVERIFY(field(3)->hasFocus());
        QTest::mouseClick(calc->BitBtn1, Qt::LeftButton);
        QCOMPARE(dialogs().texts("start"), QStringList({"gnome-calculator"}));
        // The focus goes back to the field left last.
        QCOMPARE(calc->focusWidget(), field(2));

        // Where no calculator program starts, the game's own calculator opens.
        dialogs().clear();
        dialogs().startSucceeds = false;
        QTest::mouseClick(calc->BitBtn1, Qt::LeftButton);
        QCOMPARE(dialogs().texts("start"), desktopCalculators());
        auto *own = calc->findChild<TSzamologep *>();
        QVERIFY(own);
        QVERIFY(own->isVisible());
        QTest::mouseClick(own->key("7"), Qt::LeftButton);
        QTest::mouseClick(own->key("×"), Qt::LeftButton);
        QTest::mouseClick(own->key("6"), Qt::LeftButton);
        QTest::mouseClick(own->key("="), Qt::LeftButton);
        QCOMPARE(own->Display->text(), QString("42"));
        // Pressed again, the same window comes forward.
        QTest::mouseClick(calc->BitBtn1, Qt::LeftButton);
        QCOMPARE(calc->findChildren<TSzamologep *>().size(), 1);
    }

    void helpShowsThePlayersFigures()
    {
        activate();
        field(2)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(2), Qt::Key_F1);
        QCOMPARE(dialogs().lastHelpContext, 2);
        field(10)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(10), Qt::Key_F1);
        QCOMPARE(dialogs().lastHelpContext, 6);
        const QString g = QLocale().toString(200000);
        QVERIFY(sugo::topicHtml(1).contains(g + " Ft × (1 + 27%)"));
        QVERIFY(sugo::topicHtml(2).contains(g + " Ft × 9,5%"));
        QVERIFY(sugo::topicHtml(5).contains("3 gyereked van"));
        QVERIFY(sugo::topicHtml(4).contains(QLocale().toString(150000) + " Ft"));
    }

    // ---- A working folder of the 2026 tax year ----------------------------------------

    // The tax tables and year of the built 2026 folder, and "ber.txt" for the wage; the
    // expected figures are worked out from those tables by the 2026 rules.
    void to2026(qint64 gross, int children, qint64 partner)
    {
        run->useTables2026();
        run->writeBer(gross, children, partner);
    }

    void layout2026()
    {
        to2026(322800, 0, 150000);
        activate();
        QCOMPARE(calc->rules().year(), 2026);
        QCOMPARE(calc->Label1->text(), QString("Jövedelem kalkulátor (2026)"));
        QVERIFY(!field(11)->isVisible());
        QCOMPARE(calc->Label25->text(), QString("A kiszámolt értékeket forintra pontosan határozd meg"));
        // The captions and the tab order are the rules' figures; the employer's cost is
        // filled in, disabled and never marked.
        QStringList order;
        for (QWidget *w = field(1); order.size() < 10; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible())
                order << w->objectName();
        QCOMPARE(order, QStringList({"NumberEdit1", "NumberEdit2", "NumberEdit3", "NumberEdit4", "NumberEdit5",
                                     "NumberEdit6", "NumberEdit8", "NumberEdit9", "BitBtn2", "BitBtn3"}));
        QCOMPARE(QApplication::focusWidget(), field(1));
        for (const payroll::Figure &f : payroll::rules2026().figures()) {
            QCOMPARE(calc->caption(f.number)->text(), f.caption);
            QVERIFY(calc->caption(f.number)->isVisible());
            // No caption runs into its field.
            if (calc->caption(f.number)->y() == field(f.number)->y())
                QVERIFY2(calc->caption(f.number)->geometry().right() < field(f.number)->x(),
                         qPrintable(f.caption));
        }
        QCOMPARE(field(10)->Value(), double(run->statement2026(322800, 0, 150000).employerCost));
        QVERIFY(!field(10)->isEnabled());
        QCOMPARE(TfJovedelem::markOf(field(10)), Mark::None);
        // Without children the allowance base, the contribution allowance and the családi
        // pótlék are the 0 they hold.
        for (int n : {1, 4, 8})
            QCOMPARE(TfJovedelem::markOf(field(n)), Mark::Right);
        QCOMPARE(TfJovedelem::markOf(field(2)), Mark::None);
        // A picture of the 2026 window for a look, where the screenshots are asked for.
        const QString shots = qEnvironmentVariable("ZOMIR_SCREENSHOTS");
        if (!shots.isEmpty())
            QVERIFY(calc->grab().save(QDir(shots).filePath(QStringLiteral("jovedelem2026.png"))));
    }

    void rightSheet2026_data()
    {
        QTest::addColumn<qint64>("gross");
        QTest::addColumn<int>("children");
        QTest::addRow("minimum wage, no children") << qint64(322800) << 0;
        // The base exceeds the wage: no tax, the whole TB set off, every deduction a right 0.
        QTest::addRow("minimum wage, three children, right zeros") << qint64(322800) << 3;
        QTest::addRow("average wage, two children") << qint64(705000) << 2;
        QTest::addRow("average wage, three children, part of the TB set off") << qint64(705000) << 3;
    }

    void rightSheet2026()
    {
        QFETCH(qint64, gross);
        QFETCH(int, children);
        to2026(gross, children, 150000);
        activate();
        const payroll::PayStatement2026 e = run->statement2026(gross, children, 150000);
        const qint64 figures[] = {e.allowanceBase,   e.taxPaid, e.contribution,    e.contributionAllowance,
                                  e.deductionsTotal, e.netWage, e.familyAllowance, e.familyNetIncome};
        if (QByteArray(QTest::currentDataTag()).contains("right zeros"))
            QVERIFY2(e.taxPaid == 0 && e.deductionsTotal == 0, "the folder's allowance base no longer covers the wage");
        const int fields[] = {1, 2, 3, 4, 5, 6, 8, 9};
        for (int i = 0; i < 8; ++i) {
            type(fields[i], QString::number(figures[i]));
            QVERIFY2(TfJovedelem::markOf(field(fields[i])) == Mark::Right, qPrintable(field(fields[i])->objectName()));
        }
        QCOMPARE(field(10)->Value(), double(e.employerCost));
        QCOMPARE(TfJovedelem::markOf(field(10)), Mark::None);
        // Every judged field green: the family total is stored.
        dialogs().confirmAnswers.enqueue(false);
        QTest::mouseClick(calc->BitBtn2, Qt::LeftButton);
        QVERIFY(!calc->isVisible());
        QCOMPARE(run->playerField("Netto_jov").toDouble(), double(figures[7]));
    }

    void wrongAnswers2026_data()
    {
        QTest::addColumn<qint64>("gross");
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("typed");
        // The TB contribution is typed right first, so the allowance's cap is the real one.
        QTest::addRow("SZJA rounded to 5 Ft as in 2010") << qint64(705000) << 2 << 2 << "25750";
        QTest::addRow("SZJA one forint off") << qint64(705000) << 2 << 2 << "25753";
        QTest::addRow("SZJA before the allowance") << qint64(705000) << 2 << 2 << "105750";
        QTest::addRow("0 tax where tax is due") << qint64(322800) << 0 << 2 << "0";
        QTest::addRow("TB on the allowance-reduced wage") << qint64(705000) << 2 << 3 << "31761";
        QTest::addRow("the 2010 contributions together (17 %%)") << qint64(322800) << 0 << 3 << "54876";
        QTest::addRow("contribution allowance beyond the TB") << qint64(322800) << 3 << 4 << "149580";
        QTest::addRow("contribution allowance where the tax absorbs it") << qint64(705000) << 2 << 4 << "12000";
        QTest::addRow("allowance base of one child for each of two") << qint64(705000) << 2 << 1 << "266680";
        QTest::addRow("családi pótlék at the one-child rate") << qint64(322800) << 3 << 8 << "36600";
    }

    void wrongAnswers2026()
    {
        QFETCH(qint64, gross);
        QFETCH(int, children);
        QFETCH(int, number);
        QFETCH(QString, typed);
        to2026(gross, children, 150000);
        activate();
        if (number != 3) {
            type(3, QString::number(payroll::Contribution2026(run->tables2026(), gross)));
            QCOMPARE(TfJovedelem::markOf(field(3)), Mark::Right);
        }
        type(number, typed);
        QCOMPARE(TfJovedelem::markOf(field(number)), Mark::Wrong);
    }

    void exerciseButton2026()
    {
        to2026(322800, 1, 150000);
        activate();
        QTest::mouseClick(calc->BitBtn3, Qt::LeftButton);
        QCOMPARE(dialogs().texts("message"), QStringList({"Előbb határozd meg a családi kedvezmény alapját!"}));
        QVERIFY(!run->game().Ber->isVisible());
        type(1, QString::number(run->statement2026(322800, 1, 150000).allowanceBase));
        QCOMPARE(TfJovedelem::markOf(field(1)), Mark::Right);
        QTest::mouseClick(calc->BitBtn3, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(run->game().Ber));
        QCOMPARE(run->game().Ber->year(), 2026);
    }

    void help2026ShowsThePlayersFigures()
    {
        to2026(705000, 3, 150000);
        activate();
        field(2)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(2), Qt::Key_F1);
        QCOMPARE(dialogs().lastHelpContext, 21);
        field(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(1), Qt::Key_F1);
        QCOMPARE(dialogs().lastHelpContext, 25);
        field(3)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(3), Qt::Key_F1);
        QCOMPARE(dialogs().lastHelpContext, 22);
        field(9)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(9), Qt::Key_F1);
        QCOMPARE(dialogs().lastHelpContext, 26);
        const auto n = [](qint64 v) { return QLocale().toString(v); };
        const auto pct = [](double v) { return QLocale().toString(v) + "%"; };
        const payroll::Tables2026 t = run->tables2026();
        const qint64 base = 3 * t.allowanceBasePerChild[3];
        const QString tax = sugo::topicHtml(21);
        QVERIFY2(tax.contains("(" + n(705000) + " Ft − " + n(base) + " Ft) × " + pct(t.taxPercent)), qPrintable(tax));
        QVERIFY(tax.contains(n(705000) + " Ft × (1 + " + pct(t.employerPercent) + ")"));
        // The exemptions the game leaves out are named.
        for (const char *exemption : {"25 év alatt", "két vagy több gyermeket nevelő anyák", "első házasok"})
            QVERIFY2(tax.contains(QString::fromUtf8(exemption)), exemption);
        QVERIFY(sugo::topicHtml(22).contains(n(705000) + " Ft × " + pct(t.contributionPercent)));
        const QString family = sugo::topicHtml(25);
        QVERIFY(family.contains("3 gyereked van"));
        QVERIFY(family.contains("3 × " + n(t.allowanceBasePerChild[3]) + " Ft = " + n(base) + " Ft"));
        QVERIFY(family.contains("3 × " + n(t.familyAllowancePerChild[3]) + " Ft"));
        // A big family's right 0 is said to be green.
        QVERIFY(family.contains("a 0-t is zöldre"));
        QVERIFY(sugo::topicHtml(26).contains(n(150000) + " Ft"));
        // The 2010 topics keep their own text and carry no 2026 figures.
        QVERIFY(!sugo::topicHtml(1).contains(n(705000)));
    }

    // A folder of a year the game has no rules for: the activation says so, in Hungarian,
    // and nothing is judged.
    void unknownYear()
    {
        {
            zdb::Session session(run->work.file(QStringLiteral("year.ini")));
            session.addStandardAlias(QStringLiteral("Y"), run->work.db());
            zdb::Table year(&session);
            year.setAliasName(QStringLiteral("Y"));
            year.setTableName(QStringLiteral("Adoev.DB"));
            year.open();
            year.append();
            year.fieldByName(QStringLiteral("Ev")).setValue(2030);
            year.fieldByName(QStringLiteral("Gyerek_koltseg")).setValue(10000.0);
            year.post();
        }
        activate();
        QCOMPARE(errors().size(), 1);
        QVERIFY2(errors().first().contains("2030") && errors().first().contains("2010, 2026"),
                 qPrintable(errors().first()));
        type(11, "254000");
        QCOMPARE(TfJovedelem::markOf(field(11)), Mark::None);
    }

    void wageInputsFromText_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("g");
        QTest::addColumn<int>("n");
        QTest::addColumn<qint64>("p");
        QTest::addRow("four lines") << QString("200000\r\n3\r\n150000\r\n95000\r\n") << true << qint64(200000) << 3
                                    << qint64(150000);
        QTest::addRow("one line, spaces") << QString("  180000 0\t-5 x") << true << qint64(180000) << 0
                                          << qint64(-5);
        QTest::addRow("LF ends, no last end") << QString("1\n2\n3") << true << qint64(1) << 2 << qint64(3);
        QTest::addRow("32-bit limits") << QString("2147483647 0 -2147483648") << true << qint64(2147483647)
                                       << 0 << qint64(-2147483648LL);
        QTest::addRow("empty") << QString() << false << qint64(0) << 0 << qint64(0);
        QTest::addRow("decimal point") << QString("200000.5 3 1") << false << qint64(0) << 0 << qint64(0);
        QTest::addRow("too big") << QString("2147483648 3 1") << false << qint64(0) << 0 << qint64(0);
        QTest::addRow("letters") << QString("200000 3a 1") << false << qint64(0) << 0 << qint64(0);
    }

    void wageInputsFromText()
    {
        QFETCH(QString, content);
        QFETCH(bool, valid);
        try {
            const WageInputs in = parseWageInputs(content);
            QVERIFY(valid);
            QTEST(in.G, "g");
            QTEST(in.N, "n");
            QTEST(in.P, "p");
        } catch (const std::runtime_error &e) {
            QVERIFY2(!valid, e.what());
            QVERIFY(QString::fromUtf8(e.what()).contains("ber.txt"));
        }
    }
};

ZOMIR_TEST_MAIN(TestJovedelem)
#include "tst_jovedelem.moc"
