// The three printable reports: their layout in millimetres, the rules of auto-width
// labels, memos and empty labels, the data texts, the PDF they write, and the preview.

#include "game/adatinit.h"
#include "rules/budget.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "controls/report.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/shellfixture.h"
#include "game/reportlayouts.h"
#include "tests/support/reportsample.h"
#include "tests/support/testenv.h"
#include "game/sugo.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QTimer>

#include <memory>

using namespace shellfixture;

namespace {

const QString kPlayer = QStringLiteral("Szűcs Ágnes");

// The first row of a table whose `field` text is the longest; the table is left there and
// the row's `key` returned.
int moveToLongest(zdb::Table *table, const QString &field, const QString &key)
{
    int best = -1;
    int bestLength = -1;
    for (table->first(); !table->eof(); table->next()) {
        const int length = table->fieldByName(field).asString().size();
        if (length > bestLength) {
            bestLength = length;
            best = table->fieldByName(key).asInteger();
        }
    }
    table->locate(key, best);
    return best;
}

QString kindOf(const TQRElement *e)
{
    if (qobject_cast<const TQRDBText *>(e))
        return QStringLiteral("data");
    if (qobject_cast<const TQRLabel *>(e))
        return QStringLiteral("label");
    if (qobject_cast<const TQRMemo *>(e))
        return QStringLiteral("memo");
    if (qobject_cast<const TQRShape *>(e))
        return QStringLiteral("shape");
    if (qobject_cast<const TQRImage *>(e))
        return QStringLiteral("picture");
    return QString();
}

QString fontOf(const TQRElement *e)
{
    TQRFont f;
    if (auto *t = qobject_cast<const TQRTextElement *>(e))
        f = t->font();
    else if (auto *m = qobject_cast<const TQRMemo *>(e))
        f = m->font();
    else
        return QStringLiteral("-");
    QString s = (f.face == TQRFont::Arial ? QStringLiteral("Arial ") : QStringLiteral("Times New Roman "))
        + QString::number(f.pointSize);
    if (f.bold)
        s += QStringLiteral(" bold");
    if (f.italic)
        s += QStringLiteral(" italic");
    return s;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// True when every pixel of `rect` (millimetres of the sheet) is white in a page image.
bool blank(const QImage &image, const QRectF &rect, double dpi)
{
    const double s = dpi / 25.4;
    const QRect pixels = QRectF(rect.left() * s, rect.top() * s, rect.width() * s, rect.height() * s)
                             .toAlignedRect()
                             .intersected(image.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

// The dialogs of the screen, except what a test answers itself: notices and the save
// dialog are recorded instead of shown.
class PreviewDialogs : public WidgetDialogs {
public:
    void message(const QString &text) override { messages << text; }
    void error(const QString &text) override { errors << text; }
    QString saveFileName(QWidget *, const QString &, const QString &suggested, const QString &) override
    {
        suggestions << suggested;
        return saveAnswer;
    }
    QStringList messages, errors, suggestions;
    QString saveAnswer;
};

}  // namespace

class TestReports : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Run> game;
    TDM *dm = nullptr;
    TfrmQuickRep *rep1 = nullptr;
    TfrmQuickRep2 *rep2 = nullptr;
    TfrmQuickRep3 *rep3 = nullptr;

    TQuickRep *report(int number) const
    {
        return number == 1 ? rep1->QuickRep1 : number == 2 ? rep2->QuickRep1 : rep3->QuickRep1;
    }
    // Fills the reports as the budget evaluation does for a family of five (three children),
    // with the longest descriptions of the catalogues.
    void fillRealistic();

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void layout_data();
    void layout();
    void autoWidthKeepsAnchor_data();
    void autoWidthKeepsAnchor();
    void savingsCentred_data();
    void savingsCentred();
    void totalStandsBeforeFt_data();
    void totalStandsBeforeFt();
    void longMemoIsCut();
    void emptyLabelTakesNoRoom();
    void memoLineBreaks();
    void dataTexts();
    void realisticPagesKeepTogether_data();
    void realisticPagesKeepTogether();
    void pdfKeepsHungarianTextsAndFonts_data();
    void pdfKeepsHungarianTextsAndFonts();
    void previewGoesThroughDialogs();
    void savePdfCommand();
    void previewWindow();
    void screenshots();
};

void TestReports::initTestCase()
{
    const QString work = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    QVERIFY2(QFileInfo::exists(work + QStringLiteral("/DB")), "the built working folder is needed (ZOMIR_WORKFOLDER)");
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(testenv::copyFolder(work + QStringLiteral("/DB"), folder->filePath(QStringLiteral("DB"))));
    game = std::make_unique<Run>(folder->filePath(QStringLiteral("engine.ini")));
    game->session.addStandardAlias(TDM::aliasName(), folder->filePath(QStringLiteral("DB")));

    // The reports are made before the data module, as at start-up.
    rep3 = new TfrmQuickRep3(&game->game);
    rep1 = new TfrmQuickRep(&game->game);
    rep2 = new TfrmQuickRep2(&game->game);
    QCOMPARE(rep1->QRDBText1->text(), QString());

    dm = new TDM(&game->game);
    game->game.DM = dm;
    QVERIFY(dm->DataModuleCreate());
    dm->SzakmaDB->open();
    const int house = moveToLongest(dm->HazakDB, QStringLiteral("Leiras"), QStringLiteral("House_Key"));
    const int food = moveToLongest(dm->ElelmiszerekDB, QStringLiteral("Leiras"), QStringLiteral("Food_Key"));
    const int clothing = moveToLongest(dm->RuhazkodasDB, QStringLiteral("Leiras"), QStringLiteral("Clothing_Key"));
    const int travel = moveToLongest(dm->KozlekedesDB, QStringLiteral("Leiras"), QStringLiteral("Travel_Key"));
    const int job = moveToLongest(dm->SzakmaDB, QStringLiteral("Szakma_nev"), QStringLiteral("Szakma_kod"));

    zdb::Table *players = dm->JatekosokDB;
    players->append();
    players->fieldByName(QStringLiteral("Nev")).setValue(kPlayer);
    players->fieldByName(QStringLiteral("House_Key")).setValue(house);
    players->fieldByName(QStringLiteral("Food_Key")).setValue(food);
    players->fieldByName(QStringLiteral("Clothing_Key")).setValue(clothing);
    players->fieldByName(QStringLiteral("Travel_Key")).setValue(travel);
    players->fieldByName(QStringLiteral("Job_Key")).setValue(job);
    players->fieldByName(QStringLiteral("Hobby_Key")).setValue(63);
    players->fieldByName(QStringLiteral("Entertainment_Key")).setValue(63);
    players->fieldByName(QStringLiteral("Statusz")).setValue(0);
    players->fieldByName(QStringLiteral("Brutto_jov")).setValue(152000.0);
    players->fieldByName(QStringLiteral("Netto_jov")).setValue(287345.0);
    players->post();
    fillRealistic();
}

void TestReports::cleanupTestCase()
{
    delete rep1;
    delete rep2;
    delete rep3;
    game->game.DM = nullptr;
    delete dm;
    game.reset();
}

void TestReports::fillRealistic()
{
    const auto leiras = [](zdb::Table *t) { return t->fieldByName(QStringLiteral("Leiras")).asString(); };
    QStringList entertainment, hobbies;
    int entertainmentSum = 0, hobbySum = 0;
    for (zdb::Table *t : {dm->SzorakozasDB, dm->HobbiDB}) {
        for (t->first(); !t->eof(); t->next()) {
            const int price = qRound(t->fieldByName(QStringLiteral("Atlagos_ar")).asFloat());
            const QString line = t->fieldByName(QStringLiteral("Kategoria")).asString() + QStringLiteral(", ")
                + QString::number(price) + QStringLiteral(" Ft");
            (t == dm->SzorakozasDB ? entertainment : hobbies) << line;
            (t == dm->SzorakozasDB ? entertainmentSum : hobbySum) += price;
        }
    }
    const auto fillCommon = [&](auto *r) {
        r->QRMemo1->clear();
        r->QRMemo1->add(leiras(dm->HazakDB));
        r->QRMemo2->clear();
        r->QRMemo2->add(leiras(dm->ElelmiszerekDB));
        r->QRMemo3->clear();
        r->QRMemo3->add(leiras(dm->RuhazkodasDB));
        r->QRMemo4->clear();
        r->QRMemo4->add(leiras(dm->KozlekedesDB));
        r->QRMemo5->clear();
        r->QRMemo6->clear();
        for (const QString &line : entertainment)
            r->QRMemo5->add(line);
        for (const QString &line : hobbies)
            r->QRMemo6->add(line);
        r->szorakozas_ar->setCaption(QString::number(entertainmentSum) + QStringLiteral(" Ft"));
        r->hobbi_ar->setCaption(QString::number(hobbySum) + QStringLiteral(" Ft"));
        // The year's line as a game prints it, so the pages are checked with it.
        r->adoev_szint->setCaption(budget::yearLevelsText(2026));
    };
    fillCommon(rep1);
    rep1->Osszeg->setCaption(QStringLiteral("187450"));

    fillCommon(rep2);
    reportsample::fillFamily(rep2, dm->SzakmaDB->fieldByName(QStringLiteral("Szakma_nev")).asString());
    reportsample::fillCertificate(rep3);
    rep3->adoev_szint->setCaption(budget::yearLevelsText(2026));
}

// Every element of the three layout tables is on its report as the table describes it,
// and the tables keep to the facts a printed A4 page needs: every element inside the band
// (an element on the page inside the sheet; a frame may reach round the band), every text
// box at least as high as its font, no two text boxes overlapping by more than a hair, and
// the fonts the printer has (Arial or Times New Roman) at readable sizes.
void TestReports::layout_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("index");
    for (int number : {1, 2, 3}) {
        const QVector<TQRLayoutElement> &table = reportlayouts::layout(number);
        QVERIFY(!table.isEmpty());
        for (int i = 0; i < table.size(); ++i)
            QTest::addRow("%d %s", number, table.at(i).name) << number << i;
        // The reports hold nothing the tables do not.
        QTest::addRow("%d has no other element", number) << number << -1;
    }
}

void TestReports::layout()
{
    QFETCH(int, number);
    QFETCH(int, index);
    TQuickRep *rep = report(number);
    const QVector<TQRLayoutElement> &table = reportlayouts::layout(number);
    if (index < 0) {
        QCOMPARE(rep->elements().size(), table.size());
        return;
    }
    const TQRLayoutElement &row = table.at(index);
    const QString name = QString::fromLatin1(row.name);
    TQRElement *e = rep->element(name);
    QVERIFY(e);
    QCOMPARE(rep->elements().indexOf(e), index);   // made in the table's order
    const char *kinds[] = {"label", "data", "memo", "shape", "picture"};
    QCOMPARE(kindOf(e), QString::fromLatin1(kinds[row.kind]));
    QCOMPARE(e->designBox(), row.box);
    QCOMPARE(e->onPage(), row.onPage);
    const bool text = row.kind == TQRLayoutElement::Label || row.kind == TQRLayoutElement::Data
        || row.kind == TQRLayoutElement::Memo;
    if (text) {
        QString expected = (row.font.face == TQRFont::Arial ? QStringLiteral("Arial ") : QStringLiteral("Times New Roman "))
            + QString::number(row.font.pointSize) + (row.font.bold ? QStringLiteral(" bold") : QString())
            + (row.font.italic ? QStringLiteral(" italic") : QString());
        QCOMPARE(fontOf(e), expected);
        QVERIFY2(row.font.pointSize >= 8 && row.font.pointSize <= 72, qPrintable(expected));
        // One line of the font fits the box's height (a point is 25.4 / 72 mm).
        QVERIFY2(row.box.height() >= row.font.pointSize * 25.4 / 72, qPrintable(name));
    }
    if (row.kind == TQRLayoutElement::Label || row.kind == TQRLayoutElement::Data) {
        auto *t = qobject_cast<TQRTextElement *>(e);
        QCOMPARE(t->alignment(), row.alignment);
        QCOMPARE(t->autoSize(), row.autoSize);
    }
    if (row.kind == TQRLayoutElement::Data)
        QCOMPARE(qobject_cast<TQRDBText *>(e)->dataField(), QString::fromUtf8(row.text));

    // The band sits at the printable area's corner: 10 mm in from the sheet's edges.
    const QRectF band(0, 0, 190.0, 276.0);
    QCOMPARE(rep->band()->sheetBox(), band.translated(10, 10));
    QCOMPARE(e->sheetBox(), row.onPage ? row.box : row.box.translated(10, 10));
    if (row.onPage)
        QVERIFY2(QRectF(0, 0, 210, 297).contains(row.box), qPrintable(name));
    else if (row.kind == TQRLayoutElement::Shape)
        QVERIFY2(band.adjusted(-10, -10, 10, 10).contains(row.box), qPrintable(name));
    else
        QVERIFY2(band.contains(row.box), qPrintable(name));

    if (text) {
        for (const TQRLayoutElement &other : table) {
            const bool otherText = other.kind == TQRLayoutElement::Label || other.kind == TQRLayoutElement::Data
                || other.kind == TQRLayoutElement::Memo;
            if (&other == &row || !otherText || other.onPage != row.onPage)
                continue;
            const QRectF overlap = row.box.intersected(other.box);
            QVERIFY2(overlap.isEmpty() || (overlap.width() <= 1.0 || overlap.height() <= 1.0),
                     qPrintable(name + QStringLiteral(" / ") + QString::fromLatin1(other.name)));
        }
    }
    QCOMPARE(rep->pageCount(), 1);
    const QPageLayout page = rep->pageLayout();
    QCOMPARE(page.pageSize().id(), QPageSize::A4);
    QCOMPARE(page.orientation(), QPageLayout::Portrait);
    QCOMPARE(page.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
}

// An auto-width label takes the width of its text on one line, and keeps its left edge,
// its right edge or its centre as it grows.
void TestReports::autoWidthKeepsAnchor_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(TQRAlignment::Left);
    QTest::newRow("right") << int(TQRAlignment::Right);
    QTest::newRow("centre") << int(TQRAlignment::Centre);
}

void TestReports::autoWidthKeepsAnchor()
{
    QFETCH(int, alignment);
    const auto a = TQRAlignment(alignment);
    TQuickRep rep(QStringLiteral("QuickRep1"));
    const QRectF box(40, 50, 20, 4.5);
    TQRLabel label(&rep, QStringLiteral("QRLabel1"), box, TQRFont{}, a, true);
    double lastWidth = 0;
    for (const QString &text : {QStringLiteral("Ár:"), QStringLiteral("Törlesztőrészlet:"),
                                QStringLiteral("Az általad választott paraméterekkel a havi összköltséged:")}) {
        label.setCaption(text);
        const TQRPlaced placed = label.place();
        const QRectF sheet = box.translated(10, 10);
        QVERIFY(placed.printed);
        QCOMPARE(placed.lines, QStringList{text});
        QVERIFY(placed.box.width() > lastWidth);
        lastWidth = placed.box.width();
        QCOMPARE(placed.box.top(), sheet.top());
        if (a == TQRAlignment::Left)
            QVERIFY(qAbs(placed.box.left() - sheet.left()) < 1e-9);
        else if (a == TQRAlignment::Right)
            QVERIFY(qAbs(placed.box.right() - sheet.right()) < 1e-9);
        else
            QVERIFY(qAbs(placed.box.center().x() - sheet.center().x()) < 1e-9);
        QVERIFY(qAbs(placed.ink.width() - placed.box.width()) < 1e-9);
    }
    // The longest text runs past the designed width rather than wrapping.
    QVERIFY(lastWidth > box.width() * 3);
}

// The savings text of the certificate is centred 95.6 mm from the band's left edge,
// whatever its length.
void TestReports::savingsCentred_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("one forint") << QStringLiteral("Havonta még 1 Ft-ot félre is tudsz tenni!");
    QTest::newRow("large") << QStringLiteral("Havonta még 1234567 Ft-ot félre is tudsz tenni!");
    QTest::newRow("short") << QStringLiteral("x");
}

void TestReports::savingsCentred()
{
    QFETCH(QString, text);
    const QString before = rep3->QRLabel7->caption();
    rep3->QRLabel7->setCaption(text);
    const TQRPlaced placed = rep3->QRLabel7->place();
    rep3->QRLabel7->setCaption(before);
    QVERIFY(placed.printed);
    QCOMPARE(placed.lines.size(), 1);
    // The designed box's centre is 95.65 mm.
    QVERIFY2(qAbs(placed.ink.center().x() - (10 + 95.65)) < 1e-9, qPrintable(QString::number(placed.ink.center().x())));
}

// The total is right-aligned in its box, so its last digit stands just left of "Ft".
void TestReports::totalStandsBeforeFt_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("total");
    for (int number : {1, 2})
        for (const char *total : {"0", "187450", "12345678"})
            QTest::addRow("report %d, %s", number, total) << number << QString::fromLatin1(total);
}

void TestReports::totalStandsBeforeFt()
{
    QFETCH(int, number);
    QFETCH(QString, total);
    auto *osszeg = qobject_cast<TQRLabel *>(report(number)->element(QStringLiteral("Osszeg")));
    auto *ft = qobject_cast<TQRLabel *>(report(number)->element(QStringLiteral("QRLabel26")));
    const QString before = osszeg->caption();
    osszeg->setCaption(total);
    const TQRPlaced sum = osszeg->place();
    const TQRPlaced unit = ft->place();
    osszeg->setCaption(before);
    QCOMPARE(sum.lines, QStringList{total});
    QCOMPARE(unit.lines, QStringList{QStringLiteral("Ft")});
    QVERIFY(qAbs(sum.ink.right() - osszeg->sheetBox().right()) < 1e-6);
    const double gap = unit.ink.left() - sum.ink.right();
    QVERIFY2(gap > 0.5 && gap < 3.0, qPrintable(QString::number(gap)));
    QVERIFY(qAbs(sum.ink.top() - unit.ink.top()) < 1e-6);   // on the same line
}

// A description longer than its memo is cut at the memo's bottom edge; nothing below moves
// and nothing is printed below the box.
void TestReports::longMemoIsCut()
{
    TQRMemo *memo = rep1->QRMemo2;
    const QStringList before = memo->lines();
    QMap<QString, QRectF> placedBefore;
    for (TQRElement *e : rep1->QuickRep1->elements())
        if (e != memo)
            placedBefore[e->objectName()] = e->place().box;

    memo->clear();
    memo->add(QStringLiteral("Hosszú leírás, amely sokkal több sort tenne ki, mint amennyi a keretbe fér. ").repeated(12));
    const TQRPlaced placed = memo->place();
    QVERIFY(placed.lines.size() >= 3);
    QVERIFY(placed.ink.bottom() <= placed.box.bottom() + 1e-9);
    // One more line would not fit.
    QVERIFY(placed.ink.bottom() + placed.ink.height() / placed.lines.size() > placed.box.bottom());
    for (TQRElement *e : rep1->QuickRep1->elements())
        if (e != memo)
            QCOMPARE(e->place().box, placedBefore.value(e->objectName()));

    // On paper: the strip between the memo's box and the next memo is white.
    const double dpi = 150;
    const QImage page = reportprint::renderPage(*rep1->QuickRep1, 0, dpi);
    const QRectF box = memo->sheetBox();
    QVERIFY(!blank(page, box, dpi));
    QVERIFY(blank(page, QRectF(box.left(), box.bottom() + 0.2, box.width(), rep1->QRMemo3->sheetBox().top() - box.bottom() - 0.4), dpi));

    memo->clear();
    for (const QString &line : before)
        memo->add(line);
}

// An empty label prints nothing and moves nothing.
void TestReports::emptyLabelTakesNoRoom()
{
    TQRLabel *label = rep2->gyerektext;
    const QString before = label->caption();
    const double dpi = 100;
    const QImage withText = reportprint::renderPage(*rep2->QuickRep1, 0, dpi);
    QMap<QString, QRectF> placedWith;
    for (TQRElement *e : rep2->QuickRep1->elements())
        placedWith[e->objectName()] = e->place().box;

    label->setCaption(QString());
    const TQRPlaced placed = label->place();
    QVERIFY(!placed.printed);
    QVERIFY(placed.lines.isEmpty());
    const QImage without = reportprint::renderPage(*rep2->QuickRep1, 0, dpi);
    for (TQRElement *e : rep2->QuickRep1->elements())
        if (e != label)
            QCOMPARE(e->place().box, placedWith.value(e->objectName()));
    QVERIFY(!blank(withText, label->sheetBox(), dpi));
    QVERIFY(blank(without, label->sheetBox().adjusted(0, 0, 150, 0), dpi));
    // Everything else is drawn exactly as before.
    QImage masked = withText;
    QPainter p(&masked);
    const double s = dpi / 25.4;
    const QRectF strip = placedWith.value(QStringLiteral("gyerektext"));
    p.fillRect(QRectF(strip.left() * s, strip.top() * s, strip.width() * s, strip.height() * s).toAlignedRect(), Qt::white);
    p.end();
    QCOMPARE(masked, without);
    label->setCaption(before);
}

// Memo lines: every line break (CR LF, LF, CR) in an added text starts a line.
void TestReports::memoLineBreaks()
{
    TQuickRep rep(QStringLiteral("QuickRep1"));
    TQRMemo memo(&rep, QStringLiteral("QRMemo1"), QRectF(0, 0, 90, 30), TQRFont{TQRFont::Arial, 8});
    memo.add(QStringLiteral("egy\r\nkettő\nhárom\rnégy"));
    memo.add(QStringLiteral("öt"));
    QCOMPARE(memo.lines(), (QStringList{"egy", "kettő", "három", "négy", "öt"}));
    QCOMPARE(memo.place().lines, memo.lines());
    memo.clear();
    QVERIFY(memo.lines().isEmpty());
    QVERIFY(memo.place().lines.isEmpty());
}

// Data texts read the current record when the page is painted: money in the Hungarian
// currency format, the gross wage in general number form, text as stored.
void TestReports::dataTexts()
{
    const auto plain = [](QString s) { return s.replace(QChar(0x00A0), QLatin1Char(' ')); };
    QCOMPARE(rep2->QRDBText1->text(), kPlayer);
    QCOMPARE(rep2->QRDBText8->text(), QStringLiteral("152000"));
    QCOMPARE(plain(rep2->QRDBText6->text()), QStringLiteral("287 345 Ft"));
    const double rate = dm->JatekosokDB->fieldByName(QStringLiteral("Haz_Torleszto_Reszlet")).asFloat();
    QCOMPARE(plain(rep1->QRDBText3->text()), plain(QLocale(QLocale::Hungarian).toString(qRound(rate))) + " Ft");
    QCOMPARE(rep1->QRDBText2->text(), dm->HazakDB->fieldByName(QStringLiteral("Kategoria")).asString());
    QCOMPARE(rep3->QRDBText2->text(), dm->SzakmaDB->fieldByName(QStringLiteral("Szakma_nev")).asString());
    QCOMPARE(plain(reportprint::moneyText(12345)), QStringLiteral("12 345 Ft"));
    QCOMPARE(reportprint::generalNumberText(2752.75), QStringLiteral("2752,75"));
    QCOMPARE(reportprint::generalNumberText(1234567), QStringLiteral("1234567"));

    // At render time: a change of the record shows in the next painting.
    dm->JatekosokDB->edit();
    dm->JatekosokDB->fieldByName(QStringLiteral("Brutto_jov")).setValue(153500.5);
    QCOMPARE(rep2->QRDBText8->text(), QStringLiteral("153500,5"));
    dm->JatekosokDB->cancel();
    // A closed table prints nothing.
    dm->SzakmaDB->close();
    QCOMPARE(rep3->QRDBText2->text(), QString());
    QCOMPARE(rep3->QuickRep1->documentName(), kPlayer + QStringLiteral(" - oklevél"));
    dm->SzakmaDB->open();
    moveToLongest(dm->SzakmaDB, QStringLiteral("Szakma_nev"), QStringLiteral("Szakma_kod"));
}

// Filled as a real game fills them, the pages keep together: no two printed things
// overlap, and everything stays inside the band (the trophy inside the sheet).
void TestReports::realisticPagesKeepTogether_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("report 1") << 1;
    QTest::newRow("report 2") << 2;
    QTest::newRow("report 3") << 3;
}

void TestReports::realisticPagesKeepTogether()
{
    QFETCH(int, number);
    TQuickRep *rep = report(number);
    const QRectF band = rep->band()->sheetBox();
    QList<QPair<QString, QRectF>> printed;
    for (TQRElement *e : rep->elements()) {
        if (qobject_cast<TQRShape *>(e))
            continue;   // the frame lies beneath everything by design
        const TQRPlaced placed = e->place();
        if (!placed.printed)
            continue;
        const QRectF area = qobject_cast<TQRImage *>(e) ? placed.box : placed.glyphs;
        if (area.isEmpty())
            continue;
        const QRectF limit = e->onPage() ? QRectF(0, 0, 210, 297) : band;
        QVERIFY2(limit.contains(area), qPrintable(e->objectName()));
        QVERIFY2(placed.ink.isNull() || limit.contains(placed.ink), qPrintable(e->objectName()));
        for (const auto &other : printed)
            QVERIFY2(!other.second.intersects(area), qPrintable(other.first + " / " + e->objectName()));
        printed.append({e->objectName(), area});
    }
    if (number != 3) {
        // The long descriptions fill their memos: each is cut or fits, never spills.
        for (const char *name : {"QRMemo1", "QRMemo2", "QRMemo3", "QRMemo4"}) {
            auto *memo = qobject_cast<TQRMemo *>(rep->element(QString::fromLatin1(name)));
            QVERIFY(!memo->lines().isEmpty());
            QVERIFY(memo->place().ink.bottom() <= memo->sheetBox().bottom() + 1e-9);
        }
    }
}

// Each report as a PDF: the Hungarian texts come back from the file as printed, and every
// font is embedded.
void TestReports::pdfKeepsHungarianTextsAndFonts_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("report 1") << 1
                              << QStringList{kPlayer, "egyedülállóként a következő dolgokat szeretnéd megvalósítani",
                                             "Törlesztőrészlet:", "Ruházkodás", "Közlekedés", "187450", "Ft"};
    QTest::newRow("report 2") << 2
                              << QStringList{kPlayer, "házastársaddal a következő dolgokat szeretnéd megvalósítani",
                                             "Bruttó fizetés:", "152000", "Család nettó fizetése:", "287 345 Ft",
                                             "1 főre jutó ruházkodás: 8500 Ft", "274655"};
    QTest::newRow("report 3") << 3
                              << QStringList{"Oklevél", kPlayer, "részére",
                                             "Gratulálunk, hogy sikeresen elkészítetted családod költségvetését!",
                                             "szakmát választottál",
                                             "Sikerült jól gazdálkodnod és a család bevételeit megfelelően beosztanod",
                                             "Havonta még 12690 Ft-ot félre is tudsz tenni!",
                                             "Sok sikert kívánunk a valós életben is!"};
}

void TestReports::pdfKeepsHungarianTextsAndFonts()
{
    QFETCH(int, number);
    QFETCH(QStringList, texts);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    reportprint::writePdf(*report(number), pdf);
#ifdef Q_OS_WIN
    {
        // pdftotext and pdffonts are the host's tools: the Linux run reads the texts and fonts.
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
        QVERIFY(file.size() > 10000);
        QSKIP("the texts and fonts of the PDF are read by the Linux run");
    }
#endif

    QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                     QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) must be installed");
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    text = text.simplified();
    for (const QString &expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));

    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    const QStringList rows = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QVERIFY(!rows.isEmpty());
    for (const QString &row : rows) {
        // name type encoding emb sub uni object ID: "emb" is the fourth column from the right.
        const QStringList columns = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(columns.size() >= 7 && columns.at(columns.size() - 5) == QLatin1String("yes"), qPrintable(row));
        QVERIFY2(row.contains(QLatin1String("Liberation")) || row.contains(QLatin1String("Arial"))
                     || row.contains(QLatin1String("Times")),
                 qPrintable(row));
    }
}

// Preview() hands the report to the dialog service and returns when it is closed; the
// report paints its current values at that moment.
void TestReports::previewGoesThroughDialogs()
{
    ScriptedDialogs &dialogs = game->dialogs;
    dialogs.clear();
    QImage seen;
    QList<int> pages;
    dialogs.onPreview = [&seen, &pages](const Report &report) {
        pages << report.pageCount();
        seen = reportprint::renderPage(report, 0, 50);
    };
    rep3->Preview();
    rep1->Preview();
    rep2->Preview();
    dialogs.onPreview = nullptr;
    QCOMPARE(dialogs.texts(QStringLiteral("preview")),
             (QStringList{kPlayer + " - oklevél", kPlayer + " - egyéni költségvetés",
                          kPlayer + " - családi költségvetés"}));
    // The family report comes with the month as a picture on a page of its own; its own
    // page is the report's page unchanged.
    QCOMPARE(pages, (QList<int>{1, 1, 2}));
    QCOMPARE(dialogs.lastReport, &rep2->pages());
    QCOMPARE(seen, reportprint::renderPage(*rep2->QuickRep1, 0, 50));
    QCOMPARE(rep2->pages().documentName(), rep2->QuickRep1->documentName());
    QCOMPARE(rep2->pages().helpContext(), 14);
    QCOMPARE(sugo::topicTitle(rep2->ChartRep->helpContext()), QStringLiteral("A hónap egy képen"));
    QCOMPARE(seen.size(), QSize(qRound(210 / 25.4 * 50), qRound(297 / 25.4 * 50)));
    QCOMPARE(rep2->QuickRep1->helpContext(), 14);
    QCOMPARE(rep3->QuickRep1->helpContext(), 15);
    // Nothing is printed by previewing.
    QVERIFY(dialogs.texts(QStringLiteral("print")).isEmpty());
    QVERIFY(rep1->isHidden() && rep2->isHidden() && rep3->isHidden());
    QCOMPARE(rep1->windowTitle(), QStringLiteral("frmQuickRep"));
    QCOMPARE(rep2->windowTitle(), QStringLiteral("frmQuickRep2"));
    QCOMPARE(rep3->windowTitle(), QStringLiteral("frmQuickRep3"));
}

// "PDF mentése": the file name is asked through the dialog service, suggested from the
// player's name and the report; a failure is shown, never reported as success.
void TestReports::savePdfCommand()
{
    ScriptedDialogs &dialogs = game->dialogs;
    QTemporaryDir dir;
    dialogs.clear();

    QCOMPARE(dialogs.savePdf(*rep3->QuickRep1), QString());   // cancelled
    QVERIFY(dialogs.lastSuggested.endsWith(QStringLiteral("/") + kPlayer + QStringLiteral(" - oklevél.pdf")));

    dialogs.saveAnswers.enqueue(dir.filePath(QStringLiteral("oklevel")));
    QCOMPARE(dialogs.savePdf(*rep3->QuickRep1), dir.filePath(QStringLiteral("oklevel.pdf")));
    QFile written(dir.filePath(QStringLiteral("oklevel.pdf")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");

    dialogs.saveAnswers.enqueue(dir.filePath(QStringLiteral("nincs/ilyen/mappa/x.pdf")));
    QCOMPARE(dialogs.savePdf(*rep3->QuickRep1), QString());
    QCOMPARE(dialogs.texts(QStringLiteral("error")).size(), 1);
    QVERIFY(dialogs.texts(QStringLiteral("error")).first().startsWith(QStringLiteral("A PDF-fájl nem menthető")));

    QCOMPARE(reportprint::pdfFileName(QStringLiteral("A/B: \"C\" - oklevél")), QStringLiteral("A_B_ _C_ - oklevél.pdf"));
    QCOMPARE(reportprint::pdfFileName(QString()), QStringLiteral("nyomtatvány.pdf"));
}

// The real preview window: Qt's print preview with the report on one A4 page, no page
// turning, "PDF mentése" writing the file, print commands that say when there is no
// printer, and "Bezárás" closing it.
void TestReports::previewWindow()
{
    PreviewDialogs dialogs;
    QTemporaryDir dir;
    dialogs.saveAnswer = dir.filePath(QStringLiteral("lap.pdf"));
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(preview);
        QVERIFY(preview->windowTitle().contains(kPlayer + QStringLiteral(" - oklevél")));
        QCOMPARE(preview->property("helpContext").toInt(), 15);
        auto *widget = preview->findChild<QPrintPreviewWidget *>();
        QVERIFY(widget);
        QCOMPARE(widget->pageCount(), 1);
        QAction *pdf = preview->findChild<QAction *>(QStringLiteral("pdfAction"));
        QAction *close = preview->findChild<QAction *>(QStringLiteral("closeAction"));
        QVERIFY(pdf && close);
        QCOMPARE(pdf->text(), QStringLiteral("PDF mentése"));
        QAction *print = nullptr;
        for (QAction *a : preview->findChildren<QAction *>()) {
            const QString text = a->text();
            if (text == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
                print = a;
            if (text == QCoreApplication::translate("QPrintPreviewDialog", "Landscape"))
                QVERIFY(!a->isVisible());
        }
        QVERIFY(print);
        // Qt's own texts are in Hungarian.
        QVERIFY(print->text() != QLatin1String("Print"));

        pdf->trigger();
        QVERIFY(QFileInfo(dialogs.saveAnswer).size() > 1000);
        QVERIFY(dialogs.suggestions.value(0).endsWith(kPlayer + QStringLiteral(" - oklevél.pdf")));
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            print->trigger();
            QCOMPARE(dialogs.messages.size(), 1);
            QVERIFY(dialogs.messages.first().contains(QStringLiteral("nincs telepített nyomtató")));
        }
        checked = true;
        close->trigger();
    });
    dialogs.preview(*rep3->QuickRep1);
    QVERIFY(checked);
    QVERIFY(dialogs.errors.isEmpty());
}

// Pictures of the three reports for a person to look at, written only when
// ZOMIR_SCREENSHOTS names a folder.
void TestReports::screenshots()
{
    const QString shots = qEnvironmentVariable("ZOMIR_SCREENSHOTS");
    if (shots.isEmpty())
        QSKIP("ZOMIR_SCREENSHOTS not set");
    QDir().mkpath(shots);
    for (int number : {1, 2, 3}) {
        const QImage page = reportprint::renderPage(*report(number), 0, 150);
        QVERIFY(page.save(shots + QStringLiteral("/report%1.png").arg(number)));
        reportprint::writePdf(*report(number), shots + QStringLiteral("/report%1.pdf").arg(number));
    }
    // The preview window of the certificate, as drawn on the current display (and the whole
    // screen when it is a real one).
    PreviewDialogs dialogs;
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QTest::qWait(500);
        QVERIFY(preview->grab().save(shots + QStringLiteral("/preview3.png")));
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"), shots + QStringLiteral("/screen.png")});
        preview->reject();
    });
    dialogs.preview(*rep3->QuickRep1);
}

ZOMIR_TEST_MAIN(TestReports)
#include "tst_reports.moc"
