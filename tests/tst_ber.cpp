// The payroll exercise on real widgets: dragging coins and notes with the mouse onto the
// tax office's logo (its edge pixels), the red X, the check button's stages, the title's
// blink, finishing into the income calculator, the keyboard path and the close question.

#include "game/adozas.h"
#include "game/jovedelem.h"
#include "controls/numedit.h"
#include "tests/support/salaryfixture.h"
#include "controls/szamologep.h"
#include "tests/support/testenv.h"

#include <QPushButton>
#include <QTimer>

using salaryfixture::SalaryRun;

namespace {
const char kTaxWrong[] = "Az SZJA számításban hiba van!\nPróbáld meg jól kiszámítani!";
const char kTaxRight[] = "Gratulálok! Az SZJA számítás helyes.";
const char kRight[] = "Gratulálok! A járulékszámítás helyes.";
const char kWrong[] = "A járulékszámításban hiba van!\nPróbáld meg jól kiszámítani!";
}  // namespace

class TestBer : public QObject {
    Q_OBJECT

    std::unique_ptr<SalaryRun> run;
    TBer *ber = nullptr;

    ScriptedDialogs &dialogs() { return run->dialogs(); }
    QStringList messages() { return dialogs().texts("message"); }

    void showBer()
    {
        run->game().show(Game::Screen::Ber);
        QVERIFY(QTest::qWaitForWindowActive(ber));
    }

    // Presses the left button in the middle of a piece, moves it in a few steps until the
    // pointer is at `target` (window coordinates) and releases it there.
    void drag(TMoneyPiece *piece, const QPoint &target, bool release = true)
    {
        const QPoint start = piece->rect().center();
        QTest::mousePress(piece, Qt::LeftButton, {}, start);
        const QPoint from = piece->mapTo(ber, start);
        for (int step = 1; step <= 4; ++step) {
            const QPoint p = from + (target - from) * step / 4;
            QTest::mouseMove(piece, piece->mapFrom(ber, p));
        }
        if (release)
            QTest::mouseRelease(piece, Qt::LeftButton, {}, piece->mapFrom(ber, target));
    }
    void dropOnLogo(int value) { drag(ber->piece(value), ber->ado->geometry().center()); }
    // Pays an amount with the largest pieces first, dropped on the logo.
    void payByDragging(qint64 amount)
    {
        for (int value : {20000, 10000, 5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5})
            while (amount >= value) {
                dropOnLogo(value);
                amount -= value;
            }
        QCOMPARE(amount, qint64(0));
    }
    // Moves the focus with Tab until `target` has it.
    void tabTo(QWidget *target)
    {
        for (int i = 0; i < 20 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
    }
    void payByKeys(qint64 amount)
    {
        for (int value : {20000, 10000, 5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5})
            while (amount >= value) {
                tabTo(ber->piece(value));
                QTest::keyClick(ber->piece(value), amount % 2 ? Qt::Key_Space : Qt::Key_Return);
                amount -= value;
            }
    }
    void check() { QTest::mouseClick(ber->Ellenor, Qt::LeftButton); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }
    void init()
    {
        run = std::make_unique<SalaryRun>();
        QVERIFY(run->create());
        ber = run->game().Ber;
        run->game().state.G = 200000;
        dialogs().clear();
    }
    void cleanup()
    {
        ber = nullptr;
        run.reset();
    }

    void windowAndFirstStage()
    {
        QCOMPARE(ber->windowTitle(), QString("Bér"));
        QCOMPARE(ber->size(), QSize(693, 610));
        QCOMPARE(ber->ado->geometry(), QRect(471, 330, 209, 233));
        QCOMPARE(ber->brief->geometry(), QRect(206, 346, 194, 113));
        QCOMPARE(ber->piece(20000)->geometry(), QRect(326, 159, 145, 65));
        QCOMPARE(ber->piece(20)->geometry(), QRect(255, 254, 66, 73));
        QCOMPARE(ber->pieces().size(), 12);
        for (TMoneyPiece *p : ber->pieces()) {
            QCOMPARE(p->toolTip(), QString::number(p->value()));
            QVERIFY(!p->pixmap().isNull());
        }
        showBer();
        QCOMPARE(ber->Label3->text(), QString("SZJA kiszámítása"));
        QCOMPARE(ber->Label4->text(),
                 QString("254000 Ft szuperbruttó bér személyi jövedelem adóját kell először kiszámítanod és "
                         "megadnod a pénzek APEH logóra húzásával. Számításodat ellenőrízheted az ellenőríz "
                         "gombra kattintva. Ha a piros X-re kattintasz visszateheted a pénztárcába az addig "
                         "behúzott SZJA összeget. A számológép segít a számolásban."));
        QCOMPARE(ber->Label1->text(), QString("0 Ft"));
        QCOMPARE(ber->Label2->text(), QString("200000 Ft"));
        QCOMPARE(ber->expected().taxAdvance, qint64(28080));
        QCOMPARE(ber->expected().pension, qint64(19000));
        QCOMPARE(ber->expected().health, qint64(12000));
        QCOMPARE(ber->expected().employee, qint64(3000));
        QCOMPARE(ber->BitBtn1->toolTip(), QString("SZJA törlése"));
        QVERIFY(ber->Label5->isHidden() && ber->Label6->isHidden());
    }

    void logoEdges_data()
    {
        QTest::addColumn<int>("dx");  // from the logo's left, top corner
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("paid");
        QTest::addRow("leftmost column") << 0 << 100 << false;
        QTest::addRow("second column") << 1 << 100 << true;
        QTest::addRow("topmost row") << 100 << 0 << false;
        QTest::addRow("second row") << 100 << 1 << true;
        QTest::addRow("one past the right edge") << 209 << 100 << true;
        QTest::addRow("two past the right edge") << 210 << 100 << false;
        QTest::addRow("one past the bottom edge") << 100 << 233 << true;
        QTest::addRow("two past the bottom edge") << 100 << 234 << false;
        QTest::addRow("on the wallet") << -200 << 50 << false;
    }

    void logoEdges()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, paid);
        showBer();
        TMoneyPiece *coin = ber->piece(100);
        const QPoint home = coin->pos();
        drag(coin, ber->ado->pos() + QPoint(dx, dy));
        QCOMPARE(ber->paidInTotal(), paid ? qint64(100) : qint64(0));
        QCOMPARE(ber->Label1->text(), paid ? QString("100 Ft") : QString("0 Ft"));
        QCOMPARE(ber->Label2->text(), paid ? QString("199900 Ft") : QString("200000 Ft"));
        // The piece is back in the tray, drawn, and the drag has left nothing behind.
        QCOMPARE(coin->pos(), home);
        QVERIFY(!coin->overLogo());
        QVERIFY(!ber->ghost());
        QVERIFY(!QApplication::overrideCursor());
    }

    void midDrag()
    {
        showBer();
        TMoneyPiece *note = ber->piece(5000);
        const QPoint home = note->pos();
        drag(note, QPoint(300, 300), false);
        // The ghost stays behind the piece, which follows the pointer over the tray.
        QVERIFY(ber->ghost());
        QCOMPARE(ber->ghost()->geometry(), QRect(home + QPoint(2, 2), note->size()));
        QCOMPARE(note->mapTo(ber, note->rect().center()), QPoint(300, 300));
        QVERIFY(!note->overLogo());
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
        // Over the logo it is not drawn; the logo and its label are above it.
        QTest::mouseMove(note, note->mapFrom(ber, ber->ado->geometry().center()));
        QVERIFY(note->overLogo());
        const QObjectList order = ber->children();
        QVERIFY(order.indexOf(note) < order.indexOf(ber->ado));
        QVERIFY(order.indexOf(ber->ado) < order.indexOf(ber->Label1));
        QVERIFY(order.indexOf(ber->ghost()) < order.indexOf(note));
        QTest::mouseRelease(note, Qt::LeftButton, {}, note->mapFrom(ber, ber->ado->geometry().center()));
        QCOMPARE(ber->paidInTotal(), qint64(5000));
        QVERIFY(!QApplication::overrideCursor());
    }

    void overpayingAndTheRedX()
    {
        showBer();
        check();  // nothing paid in stage 1 is a wrong amount
        QCOMPARE(messages(), QStringList({kTaxWrong}));
        dropOnLogo(20000);
        dropOnLogo(10000);
        check();
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().last(), QString(kTaxWrong));
        QCOMPARE(ber->Label1->text(), QString("30000 Ft"));  // the amount stays on the logo
        QTest::mouseClick(ber->BitBtn1, Qt::LeftButton);
        QCOMPARE(ber->Label1->text(), QString("0 Ft"));
        QCOMPARE(ber->Label2->text(), QString("200000 Ft"));

        payByDragging(28080);
        check();
        QCOMPARE(messages().last(), QString(kTaxRight));
        QCOMPARE(ber->stage(), TBer::StagePension);
        QCOMPARE(ber->Label6->text(), QString("Levont SZJA   : 28080 Ft"));
        QCOMPARE(ber->Label5->text(), QString("Összes levonás: 28080 Ft"));
        QVERIFY(ber->Label6->isVisible() && ber->Label5->isVisible());
        QCOMPARE(ber->BitBtn1->toolTip(), QString("Nyugdíjjárulék törlése"));
        QCOMPARE(gamescreen::helpContext(ber), 2);

        // Stage 2 with nothing paid does nothing at all.
        const int shown = int(messages().size());
        check();
        QCOMPARE(messages().size(), shown);
        // The red X takes back this stage's amount only.
        dropOnLogo(20000);
        QCOMPARE(ber->Label1->text(), QString("48080 Ft"));
        check();
        QCOMPARE(messages().last(), QString(kWrong));
        QTest::mouseClick(ber->BitBtn1, Qt::LeftButton);
        QCOMPARE(ber->Label1->text(), QString("28080 Ft"));
        QCOMPARE(ber->Label2->text(), QString("171920 Ft"));
    }

    void blinkAfterARightCheck()
    {
        showBer();
        QCOMPARE(ber->Timer1->interval(), 500);
        ber->Timer1->setInterval(5);  // a shortened clock; the ticks are what is checked
        QCOMPARE(ber->Timer1->interval(), 5);
        QList<QColor> colours;
        connect(ber->Timer1, &QTimer::timeout, this,
                [&] { colours << ber->Label3->palette().color(QPalette::WindowText); });
        payByDragging(28080);
        check();
        QCOMPARE(ber->Label3->text(), QString("Nyugdíjjárulék számítás"));
        QVERIFY(ber->Timer1->isActive());
        QTRY_VERIFY(!ber->Timer1->isActive());
        QCOMPARE(colours.size(), 11);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(colours[i], i % 2 == 0 ? QColor(0, 255, 255) : QColor(Qt::red));
        QCOMPARE(colours.last(), QColor(Qt::red));
        QCOMPARE(ber->Label3->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    void finishingFillsTheCalculator()
    {
        run->writeBer(200000, 3, 150000);
        run->game().show(Game::Screen::Jovedelem);
        TfJovedelem *calc = run->game().fJovedelem;
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QCoreApplication::processEvents();
        showBer();
        const qint64 stages[] = {28080, 19000, 12000, 3000};
        const char *titles[] = {"Nyugdíjjárulék számítás", "Egészségbiztosítási járulék számítás",
                                "Munkavállalói járulék számítás", "A munkabért terhelő közterhek"};
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(instructionsFit(ber->Label4), qPrintable(ber->Label4->text()));
            payByDragging(stages[i]);
            check();
            QCOMPARE(ber->Label3->text(), QString(titles[i]));
        }
        QVERIFY2(instructionsFit(ber->Label4), qPrintable(ber->Label4->text()));
        QCOMPARE(messages(), QStringList({kTaxRight, kRight, kRight, kRight}));
        QCOMPARE(ber->stage(), TBer::Finished);
        QCOMPARE(ber->Label2->text(), QString("137920 Ft"));  // the net wage
        QCOMPARE(ber->Label1->text(), QString("62080 Ft"));
        QCOMPARE(ber->Label9->text(), QString("Levont munkavállalói járulék: 3000 Ft"));
        QCOMPARE(ber->Label5->text(), QString("Összes levonás: 62080 Ft"));
        QCOMPARE(ber->Label4->text(),
                 QString("Kiszámoltad a bért terhelő adót és járulékokat\nAz ablakban tanulmányozhatod, hogy "
                         "200000Ft bruttó bérből hogyan lesz 137920 Ft nettó bér\nKiléphetsz a Vége vagy a "
                         "bezárás gombbal."));
        QCOMPARE(ber->Ellenor->text(), QString("Vége"));
        QCOMPARE(ber->focusWidget(), ber->Ellenor);
        for (TMoneyPiece *p : ber->pieces())
            QVERIFY(!p->isEnabled());
        QVERIFY(!ber->BitBtn1->isEnabled());

        const double amounts[] = {0, 28080, 12000, 3000, 19000, 62080};
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(calc->NumberEdit(i)->Value(), amounts[i]);
            QCOMPARE(TfJovedelem::markOf(calc->NumberEdit(i)), TfJovedelem::Mark::Right);
        }
        QCOMPARE(calc->focusWidget(), calc->NumberEdit(6));

        // "Vége" closes the window without a question; the calculator stays.
        QTest::mouseClick(ber->Ellenor, Qt::LeftButton);
        QVERIFY(!ber->isVisible());
        QVERIFY(dialogs().texts("ask").isEmpty());
        QVERIFY(calc->isVisible());
        // Shown again, it still shows the summary.
        showBer();
        QVERIFY(ber->Label4->text().startsWith("Kiszámoltad"));
        QCOMPARE(ber->Label2->text(), QString("137920 Ft"));
    }

    // Whether the instructions, as the label lays them out, fit in the label: a longer text
    // (the 2026 stages say the cash rule too) must not lose its last line.
    static bool instructionsFit(const QLabel *label)
    {
        const QRect box = label->contentsRect();
        const QRect needed = QFontMetrics(label->font()).boundingRect(box, int(label->alignment()) | Qt::TextWordWrap,
                                                                      label->text());
        return needed.height() <= box.height() && needed.width() <= box.width();
    }

    // A 2026 folder: two stages, the SZJA and the TB paid after the allowance, each in cash
    // (5 Ft steps); the exact payroll figures go to the calculator.
    void finishing2026()
    {
        run->useTables2026();
        // 322 800 Ft with one child (under the law of 2026: SZJA 28 419, cash 28 420; TB
        // 59 718, cash 59 720); the figures are worked out from the folder's tables.
        run->writeBer(322800, 1, 150000);
        run->game().show(Game::Screen::Jovedelem);
        TfJovedelem *calc = run->game().fJovedelem;
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QCoreApplication::processEvents();
        const payroll::PayStatement2026 e = run->statement2026(322800, 1, 150000);
        const qint64 taxCash = payroll::cashRound(e.taxPaid), tbCash = payroll::cashRound(e.contributionPaid);
        // The case needs a tax that the cash rule rounds up.
        QVERIFY2(taxCash > e.taxPaid && taxCash % 5 == 0, qPrintable(QString::number(e.taxPaid)));
        showBer();
        QCOMPARE(ber->year(), 2026);
        QCOMPARE(ber->stages(), QVector<TBer::Stage>({TBer::StageTax, TBer::StageContribution}));
        QCOMPARE(ber->ado->pixmap().toImage(), QPixmap(":/pict/nav_logo.png").toImage());
        QVERIFY2(ber->Label4->text().contains("NAV logóra") && !ber->Label4->text().contains("APEH"),
                 qPrintable(ber->Label4->text()));
        QVERIFY(ber->Label4->text().contains("5 Ft-ra kerekítsd"));
        QVERIFY2(instructionsFit(ber->Label4), qPrintable(ber->Label4->text()));
        QCOMPARE(ber->expected().taxAdvance, taxCash);

        // The payroll figure, rounded down instead of by the cash rule, is wrong.
        payByDragging(taxCash - 5);
        check();
        QCOMPARE(messages(), QStringList({kTaxWrong}));
        QCOMPARE(ber->stage(), TBer::StageTax);
        QTest::mouseClick(ber->BitBtn1, Qt::LeftButton);
        payByDragging(taxCash);
        check();
        QCOMPARE(ber->stage(), TBer::StageContribution);
        QCOMPARE(ber->Label3->text(), QString("TB-járulék számítás"));
        QVERIFY(ber->Label4->text().contains("társadalombiztosítási járulékát"));
        QVERIFY(ber->Label4->text().contains("5 Ft-ra kerekítsd"));
        QVERIFY2(instructionsFit(ber->Label4), qPrintable(ber->Label4->text()));
        payByDragging(tbCash);
        check();
        QCOMPARE(messages(), QStringList({kTaxWrong, kTaxRight, kRight}));
        QCOMPARE(ber->stage(), TBer::Finished);
        QCOMPARE(ber->Label6->text(), QString("Levont SZJA   : %1 Ft").arg(taxCash));
        QCOMPARE(ber->Label7->text(), QString("Befizetett TB-járulék: %1 Ft").arg(tbCash));
        QCOMPARE(ber->Label5->text(), QString("Összes levonás: %1 Ft").arg(taxCash + tbCash));
        QCOMPARE(ber->Label2->text(), QString("%1 Ft").arg(322800 - taxCash - tbCash));
        QVERIFY(ber->Label4->text().contains("5 Ft-ra kerekítve"));

        // The calculator gets the payroll figures to the forint.
        const double amounts[] = {0, 0, double(e.taxPaid), double(e.contribution), double(e.contributionAllowance),
                                  double(e.deductionsTotal)};
        for (int i = 2; i <= 5; ++i) {
            QCOMPARE(calc->NumberEdit(i)->Value(), amounts[i]);
            QCOMPARE(TfJovedelem::markOf(calc->NumberEdit(i)), TfJovedelem::Mark::Right);
        }
        QCOMPARE(calc->focusWidget(), calc->NumberEdit(6));
    }

    // With three children and the minimum wage nothing is due: each stage passes with
    // nothing paid, one click each, and paying into a 0 stage is wrong.
    void zeroStages2026()
    {
        run->useTables2026();
        run->writeBer(322800, 3, 150000);
        run->game().show(Game::Screen::Jovedelem);
        TfJovedelem *calc = run->game().fJovedelem;
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QCoreApplication::processEvents();
        const payroll::PayStatement2026 e = run->statement2026(322800, 3, 150000);
        QVERIFY2(e.taxPaid == 0 && e.contributionPaid == 0, "the folder's allowance base no longer covers the wage");
        showBer();
        QCOMPARE(ber->expected().taxAdvance, qint64(0));
        check();
        QCOMPARE(ber->stage(), TBer::StageContribution);
        dropOnLogo(5);
        check();
        QCOMPARE(ber->stage(), TBer::StageContribution);
        QTest::mouseClick(ber->BitBtn1, Qt::LeftButton);
        check();
        QCOMPARE(messages(), QStringList({kTaxRight, kWrong, kRight}));
        QCOMPARE(ber->stage(), TBer::Finished);
        QCOMPARE(ber->Label2->text(), QString("322800 Ft"));
        QCOMPARE(calc->NumberEdit(4)->Value(), double(e.contribution));
        QCOMPARE(calc->NumberEdit(5)->Value(), 0.0);
    }

    void keyboardPath()
    {
        showBer();
        // The pieces come first in the tab order, then the red X, the calculator and the check.
        QCOMPARE(QApplication::focusWidget(), ber->piece(500));
        const qint64 stages[] = {28080, 19000, 12000, 3000};
        for (qint64 amount : stages) {
            payByKeys(amount);
            tabTo(ber->Ellenor);
            QTest::keyClick(ber->Ellenor, Qt::Key_Space);
        }
        QCOMPARE(ber->stage(), TBer::Finished);
        QCOMPARE(ber->Label2->text(), QString("137920 Ft"));
        QCOMPARE(messages(), QStringList({kTaxRight, kRight, kRight, kRight}));
        // Finished: Enter or Space on a (disabled) piece pays nothing more.
        QTest::keyClick(ber->Ellenor, Qt::Key_Space);
        QVERIFY(!ber->isVisible());
    }

    void closingKeepsTheStageAndItsInstructions()
    {
        showBer();
        payByDragging(28080);
        check();
        dropOnLogo(1000);
        // "Nem" and "Mégsem" keep the window; "Igen" closes it.
        for (int answer : {1, 2, 0})
            dialogs().askAnswers.enqueue(answer);
        for (int i = 0; i < 3; ++i)
            ber->close();
        QCOMPARE(dialogs().texts("ask").size(), 3);
        QCOMPARE(dialogs().texts("ask").first(),
                 QString("Megerősítés\nMég nem végeztél el minden számítást! Biztosan kilépsz?"));
        QVERIFY(!ber->isVisible());

        // Reopened: the same stage, the same logo total, the wallet recomputed from G, and
        // the instructions of the stage the player is in.
        run->game().state.G = 210000;
        showBer();
        QCOMPARE(ber->stage(), TBer::StagePension);
        QCOMPARE(ber->Label3->text(), QString("Nyugdíjjárulék számítás"));
        QCOMPARE(ber->Label1->text(), QString("29080 Ft"));
        QCOMPARE(ber->Label2->text(), QString("180920 Ft"));
        QVERIFY2(ber->Label4->text().startsWith("210000 Ft bruttó bér nyugdíjjárulékát kell most kiszámítanod"),
                 qPrintable(ber->Label4->text()));
    }

    void calculatorButton()
    {
        showBer();
        dialogs().startSucceeds = false;
        QTest::mouseClick(ber->BitBtn2, Qt::LeftButton);
        QCOMPARE(dialogs().texts("start"), desktopCalculators());
        QVERIFY(ber->findChild<TSzamologep *>());
        QVERIFY(ber->findChild<TSzamologep *>()->isVisible());
    }
};

ZOMIR_TEST_MAIN(TestBer)
#include "tst_ber.moc"
