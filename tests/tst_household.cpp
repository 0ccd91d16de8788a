// The six household pages of the main window, driven with real clicks: their layout and
// bindings, browsing at both ends, the walk from "Ház" to "Szórakozás" in a new and in a
// loaded game, the activity boxes and their masks, and the status-bar hints.

#include "controls/dbcontrols.h"
#include "tests/support/householdfixture.h"
#include "game/sugo.h"
#include "tests/support/testenv.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionGroupBox>

using namespace householdfixture;

namespace {

int visibleTabs(QTabWidget *tabs)
{
    int count = 0;
    for (int i = 0; i < tabs->count(); ++i)
        count += tabs->isTabVisible(i) ? 1 : 0;
    return count;
}

QString text(QWidget *w)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        return memo->toPlainText();
    return QString();
}

}  // namespace

class TestHousehold : public QObject {
    Q_OBJECT

    std::unique_ptr<HouseholdGame> g;

    QWidget *child(const char *name) const { return g->main->findChild<QWidget *>(QLatin1String(name)); }

private Q_SLOTS:
    void init()
    {
        g = std::make_unique<HouseholdGame>();
        g->work.addPlayer({QStringLiteral("Kiss Anna"), 0, 1, 2, 2, 1, 2, 5, 34});
        QVERIFY(g->start());
    }
    void cleanup() { g.reset(); }

    void layoutOfEveryPage_data()
    {
        QTest::addColumn<int>("index");
        for (const haztartas::PageSpec &spec : haztartas::pageSpecs())
            QTest::addRow("%s", spec.tabSheet) << spec.index;
    }
    void layoutOfEveryPage()
    {
        QFETCH(int, index);
        const haztartas::PageSpec &spec = haztartas::pageSpec(index);
        THouseholdPage *page = g->page(index);
        QCOMPARE(g->main->PageControl1->tabText(index), QString::fromUtf8(spec.caption));
        QCOMPARE(page->GroupBox->objectName(), QString::fromLatin1(spec.groupBox));
        QCOMPARE(page->GroupBox->title(), QString::fromUtf8(spec.caption));
        QCOMPARE(page->GroupBox->geometry(), QRect(32, 32, 721, index <= PageKozlekedes ? 401 : 337));
        QCOMPARE(page->Instruction->geometry(), spec.labelGeometry);
        QVERIFY(page->Instruction->text().endsWith(QStringLiteral("Továbblépés az OK gombbal.")));
        QCOMPARE(page->Picture->geometry(), QRect(472, 88, 233, 233));
        QCOMPARE(page->KeyEdit->objectName(), QString::fromLatin1(spec.keyEdit));
        QVERIFY(!page->KeyEdit->isEnabled());
        QVERIFY(page->KeyEdit->isHidden());
        QCOMPARE(page->PriorButton->geometry(), QRect(208, 472, 81, 25));
        QCOMPARE(page->NextButton->geometry(), QRect(336, 472, 81, 25));
        QCOMPARE(page->OkButton->geometry(), QRect(600, 472, 81, 25));
        QCOMPARE(page->OkButton->text(), QStringLiteral("&OK"));
        QVERIFY(!page->PriorButton->icon().isNull());
        QVERIFY(!page->NextButton->icon().isNull());
        QVERIFY(!page->OkButton->icon().isNull());
        // Every bound box only displays.
        for (const haztartas::FieldRow &row : spec.rows) {
            QWidget *box = child(row.objectName);
            QVERIFY2(box, row.objectName);
            QVERIFY(!box->isEnabled());
            QCOMPARE(box->pos(), QPoint(88, row.top));
            QCOMPARE(box->width(), row.width ? row.width : 329);
        }
        QCOMPARE(page->CheckBoxes.size(), index >= PageHobbi ? 6 : 0);
        // The row captions show their whole text (the wrapped one on two lines), and the
        // display-only boxes keep their text black, so the prices stay readable.
        for (QLabel *caption : page->GroupBox->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (caption == page->Instruction || caption == page->Picture)
                continue;
            const QRect needed = caption->fontMetrics().boundingRect(
                QRect(0, 0, caption->width(), 1000), Qt::TextWordWrap, caption->text());
            QVERIFY2(needed.height() <= caption->height() && needed.width() <= caption->width(),
                     qPrintable(caption->text()));
        }
        for (const haztartas::FieldRow &row : spec.rows)
            QCOMPARE(child(row.objectName)->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::black));
        if (page->ChoiceBox) {
            QCOMPARE(page->ChoiceBox->title(), QStringLiteral("választások"));
            QCOMPARE(page->ChoiceBox->geometry(), QRect(96, 400, 609, 33));
            QCOMPARE(page->CheckBoxes.at(5)->geometry(), QRect(504, 11, 97, 17));
            // The low box's frame starts above the boxes ticked inside it.
            QStyleOptionGroupBox option;
            option.initFrom(page->ChoiceBox);
            option.text = page->ChoiceBox->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect frame = page->ChoiceBox->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                         QStyle::SC_GroupBoxFrame, page->ChoiceBox);
            for (QCheckBox *box : page->CheckBoxes)
                QVERIFY2(frame.top() < box->geometry().top(), qPrintable(box->text()));
        }
    }

    void checkBoxesCarryTheirActivities()
    {
        const QStringList names = {"Macska", "Kutya", "Egér", "Papagáj", "Ló", "Halak",
                                   "Kirándulás", "Mozi", "Kávéház", "Színház", "Diszkó", "Internet"};
        for (int i = 1; i <= 12; ++i)
            QCOMPARE(g->checkBox(i)->text(), names.at(i - 1));
    }

    // A new game: the pages start on the first rows, browsing stops at both ends, only the
    // current page's tab is shown, and the boxes are never set from a mask on arrival.
    void walkingANewGame()
    {
        g->main->HobbyMask = 63;          // left over from an earlier game of the run
        g->main->EntertainmentMask = 63;
        g->startNewGame(QStringLiteral("Új Ember"), 1, QStringLiteral("Kertész"));
        QTabWidget *tabs = g->main->PageControl1;
        QCOMPARE(tabs->currentIndex(), int(PageHaz));
        QCOMPARE(visibleTabs(tabs), 1);

        THouseholdPage *haz = g->page(PageHaz);
        QCOMPARE(text(child("DBEdit3")), QStringLiteral("Panellakás"));
        QCOMPARE(haz->KeyEdit->text(), QStringLiteral("1"));
        QVERIFY(!haz->Picture->picture().isNull());
        g->click("BitBtn2");   // previous on the first row
        QCOMPARE(haz->KeyEdit->text(), QStringLiteral("1"));
        g->click("BitBtn3");
        g->click("BitBtn3");
        QCOMPARE(text(child("DBEdit3")), QStringLiteral("Családi ház"));
        QCOMPARE(text(child("DBMemo1")), QStringLiteral("Családi ház leírása"));
        g->click("BitBtn3");   // next on the last row
        QCOMPARE(haz->KeyEdit->text(), QStringLiteral("3"));
        g->click("BitBtn2");
        QCOMPARE(haz->KeyEdit->text(), QStringLiteral("2"));

        const QList<QPair<const char *, int>> oks = {
            {"BitBtn4", PageElelmiszer}, {"BitBtn7", PageRuhazkodas}, {"BitBtn16", PageKozlekedes},
            {"BitBtn10", PageHobbi},     {"BitBtn11", PageSzorakozas}};
        for (const auto &ok : oks) {
            g->click(ok.first);
            QCOMPARE(tabs->currentIndex(), ok.second);
            QCOMPARE(visibleTabs(tabs), 1);
            QVERIFY(tabs->isTabVisible(ok.second));
            if (ok.second == PageHobbi) {
                for (int i = 1; i <= 6; ++i)
                    QVERIFY(!g->checkBox(i)->isChecked());
                g->checkBox(2)->setChecked(true);
                g->checkBox(6)->setChecked(true);
                QCOMPARE(g->main->HobbyMask, 63);   // taken only on this page's OK
            }
        }
        QCOMPARE(g->main->HobbyMask, 2 + 32);
        for (int i = 7; i <= 12; ++i)
            QVERIFY(!g->checkBox(i)->isChecked());
        QCOMPARE(g->main->EntertainmentMask, 63);   // the last OK takes the entertainment ticks
    }

    // A loaded game: the stored rows and, on reaching their pages, the stored ticks.
    void walkingALoadedGame()
    {
        g->enterName(QStringLiteral("Kiss Anna"));
        QTest::mouseClick(g->main->Button2, Qt::LeftButton);
        QCOMPARE(g->main->PageControl1->currentIndex(), int(PageHaz));
        QCOMPARE(g->page(PageHaz)->KeyEdit->text(), QStringLiteral("2"));
        QCOMPARE(text(child("DBEdit3")), QStringLiteral("Téglalakás"));
        g->click("BitBtn4");
        QCOMPARE(g->page(PageElelmiszer)->KeyEdit->text(), QStringLiteral("2"));
        g->click("BitBtn7");
        QCOMPARE(g->page(PageRuhazkodas)->KeyEdit->text(), QStringLiteral("1"));
        g->click("BitBtn16");
        QCOMPARE(g->page(PageKozlekedes)->KeyEdit->text(), QStringLiteral("2"));
        g->click("BitBtn10");
        QList<bool> hobby, entertainment;
        for (int i = 1; i <= 6; ++i)
            hobby << g->checkBox(i)->isChecked();
        QCOMPARE(hobby, QList<bool>({true, false, true, false, false, false}));   // mask 5

        // Browsing the catalogue, the seventh row included, never changes a tick.
        THouseholdPage *hobbi = g->page(PageHobbi);
        for (int i = 0; i < 8; ++i)
            g->click("BitBtn18");
        QCOMPARE(hobbi->KeyEdit->text(), QStringLiteral("7"));
        QCOMPARE(text(child("DBEdit17")), QStringLiteral("Teknős"));
        g->click("BitBtn17");
        QCOMPARE(hobbi->mask(), 5);

        g->click("BitBtn11");
        for (int i = 7; i <= 12; ++i)
            entertainment << g->checkBox(i)->isChecked();
        QCOMPARE(entertainment, QList<bool>({false, true, false, false, false, true}));   // mask 34
        QCOMPARE(g->main->HobbyMask, 5);
    }

    void maskDecodingRoundTrips()
    {
        THouseholdPage *page = g->page(PageSzorakozas);
        for (int mask = 0; mask < 64; ++mask) {
            page->decodeMask(mask);
            QCOMPARE(page->mask(), mask);
        }
    }

    void statusBarHints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("hint");
        const QString arrows = QStringLiteral("Válasszon a nyilak segítségével!");
        QTest::addRow("Ház category box") << "DBEdit3" << int(PageHaz) << "A ház kategóriája";
        QTest::addRow("Ház rent box shows the group's") << "DBEdit5" << int(PageHaz) << arrows;
        QTest::addRow("Ház picture shows the group's") << "DBImage1" << int(PageHaz) << arrows;
        QTest::addRow("previous") << "BitBtn2" << int(PageHaz) << "Előző";
        QTest::addRow("next") << "BitBtn3" << int(PageHaz) << "Következő";
        QTest::addRow("OK") << "BitBtn4" << int(PageHaz) << "Ezt szeretném!";
        QTest::addRow("Élelmiszer group") << "GroupBox3" << int(PageElelmiszer) << arrows;
        QTest::addRow("Hobbi group") << "GroupBox5" << int(PageHobbi)
                                     << "Válasszon a jelölőnégyzetek segítségével!";
        QTest::addRow("Szórakozás memo") << "DBMemo6" << int(PageSzorakozas)
                                         << "Válasszon a jelölőnégyzetek segítségével!";
        QTest::addRow("check box has none") << "CheckBox3" << int(PageHobbi) << "";
        QTest::addRow("choice group has none") << "GroupBox6Choices" << int(PageSzorakozas) << "";
        QTest::addRow("last OK") << "BitBtn12" << int(PageSzorakozas) << "Ezt szeretném!";
    }
    void statusBarHints()
    {
        QFETCH(QString, control);
        QFETCH(int, page);
        QFETCH(QString, hint);
        g->main->goToPage(page);
        QWidget *w = g->main->findChild<QWidget *>(control);
        QVERIFY(w);
        QCOMPARE(TMainForm::hintFor(w), hint);
        // The pointer moving onto the control from a place without a hint.
        QTest::mouseMove(g->main->StatusBar);
        g->main->ApplicationEvents1ActionExecute(QString());
        QTest::mouseMove(w, QPoint(w->width() - 3, 3));
        QTRY_COMPARE(g->main->StatusBar->currentMessage(), hint);
    }

    // F1 on a household page opens its topic, which explains the figures with the prices the
    // catalogues hold now (a teacher's change shows at once).
    void helpShowsTheCurrentPrices()
    {
        g->startNewGame(QStringLiteral("Új Ember"), 1, QStringLiteral("Kertész"));
        g->button("BitBtn3")->setFocus();
        QTest::keyClick(g->button("BitBtn3"), Qt::Key_F1);
        QCOMPARE(g->run->dialogs.lastHelpContext, 12);

        const QString nbsp(QChar(0x00A0));
        const auto ft = [&](const char *digits) { return QString::fromLatin1(digits).replace(' ', nbsp) + "&nbsp;Ft"; };
        QString html = sugo::topicHtml(12);
        QVERIFY(html.contains(QStringLiteral("Családi ház")));
        QVERIFY(html.contains(ft("180 000")));            // 60000 + 120000
        QVERIFY(html.contains(ft("22 500")));             // 75% of 30000
        QVERIFY2(html.contains(QStringLiteral("Összesen havonta <b>") + ft("231 000")), qPrintable(html));
        QVERIFY(!html.contains(QStringLiteral("Teknős")));   // key 7 cannot be chosen
        QVERIFY(sugo::topicHtml(14).contains(ft("231 000")));

        // Browsing was not disturbed by reading the catalogues.
        QCOMPARE(g->page(PageHaz)->KeyEdit->text(), QStringLiteral("1"));

        auto food = g->work.table(QStringLiteral("Elelmiszerek.DB"));
        food->first();
        food->edit();
        food->fieldByName(QStringLiteral("Atlagos_Ar")).setValue(32000.0);
        food->post();
        html = sugo::topicHtml(12);
        QVERIFY(html.contains(ft("24 000")));
        QVERIFY(html.contains(QStringLiteral("Összesen havonta <b>") + ft("238 000")));
    }
};

ZOMIR_TEST_MAIN(TestHousehold)
#include "tst_household.moc"
