// The search row and the printed lists of the maintenance window's editing pages, on the
// real window: text typed into a page's search field and Enter, F3 and Ctrl+F pressed move
// the page's record, the status bar says what was found or that nothing was; "Nyomtatás…"
// shows the page's list, whose pages carry the folder's year, flow a long catalogue over
// as many sheets as its rows take, and print every row once.

#include "maintenance/Unit1.h"
#include "maintenance/classlists.h"
#include "maintenance/pagesearch.h"
#include "maintenance/pagetools.h"
#include "controls/datasource.h"
#include "db/engine.h"
#include "rules/budget.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <cmath>
#include <memory>

using namespace zdb;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// Types a text key by key, accented letters too.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The page indexes of the window.
constexpr int kHazak = 0, kElelmiszerek = 2, kHobbi = 4, kAdotabla = 6, kGyerek = 7, kJarulek = 8, kSzakma = 9;

// What a preview showed, read while it was open.
struct ShownPage {
    QMap<QString, QString> texts;   // element name -> its text (labels) or lines (memos)
    QMap<QString, QRectF> boxes;    // element name -> where it prints on the sheet
};
struct ShownReport {
    QString documentName;
    QList<ShownPage> pages;
};

ShownReport readReport(const Report &report)
{
    ShownReport shown;
    shown.documentName = report.documentName();
    const auto *list = dynamic_cast<const classlists::ListReport *>(&report);
    if (!list)
        return shown;
    if (list->pageCount() != list->pages().size())
        return shown;
    for (const TQuickRep *layout : list->pages()) {
        ShownPage page;
        for (const TQRElement *e : layout->elements()) {
            if (const auto *label = qobject_cast<const TQRLabel *>(e))
                page.texts.insert(e->objectName(), label->caption());
            else if (const auto *memo = qobject_cast<const TQRMemo *>(e))
                page.texts.insert(e->objectName(), memo->place().lines.join(QLatin1Char(' ')));
            page.boxes.insert(e->objectName(), e->place().box);
        }
        shown.pages.append(page);
    }
    return shown;
}

}  // namespace

class TestPageTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void findsByAnyText_data();
    void findsByAnyText();
    void nextMatchOnEnterAndF3();
    void notFoundSaysSoInTheStatusBar();
    void searchLeavesAnEditStored();
    void everyToolHasAnAccessibleName();

    void pageListsPrintTheirRows();
    void longCatalogueFlowsOverPages_data();
    void longCatalogueFlowsOverPages();
    void headingNamesTheFoldersYear_data();
    void headingNamesTheFoldersYear();

private:
    void makeWindow();
    // Types the text into the page's search field and presses Enter.
    void search(int page, const QString &text);
    QString current(int page, const char *field) const;
    ShownReport printPage(int page);

    std::unique_ptr<shellfixture::WorkFolder> m_folder;
    std::unique_ptr<QTemporaryDir> m_copy;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TZomir0001> m_window;
    ScriptedDialogs m_dialogs;
    QTemporaryDir m_files;
};

void TestPageTools::init()
{
    m_folder = std::make_unique<shellfixture::WorkFolder>();
    const std::pair<const char *, const char *> houses[] = {
        {"Panellakás", "Tízemeletes ház harmadik emelete, távfűtéssel."},
        {"Családi ház", "Kertes ház egy kisvárosban, gázfűtéssel."},
        {"Villa", "Öt szoba, úszómedence."},
        {"Tanya", "Őrség szélén, fatüzeléssel."},
    };
    for (const auto &[category, description] : houses) {
        m_folder->addCatalogueRow(QStringLiteral("Hazak.DB"), u(category), 90000);
        auto t = m_folder->table(QStringLiteral("Hazak.DB"));
        t->last();
        t->edit();
        t->fieldByName(QStringLiteral("Leiras")).setValue(u(description));
        t->post();
    }
    for (const char *file : {"Kozlekedes.db", "Elelmiszerek.DB", "Ruhazkodas.db", "Hobbi.db", "Szorakozas.db"}) {
        m_folder->addCatalogueRow(QString::fromLatin1(file), u("Egy"), 1000);
        m_folder->addCatalogueRow(QString::fromLatin1(file), u("Kettő"), 2500);
    }
    m_folder->addProfession(u("Ács"), 150000, 250000, 2);
    m_folder->addProfession(u("Bolti eladó"), 120000, 180000, 1);
    m_folder->addProfession(u("Műszerész"), 200000, 320000, 1);
    {
        auto t = m_folder->table(QStringLiteral("gyerek.db"));
        for (const char *name : {"Családi pótlék", "Adókedvezmény"}) {
            t->append();
            t->fieldByName(QStringLiteral("Megnevezes")).setValue(u(name));
            t->fieldByName(QStringLiteral("1gyerek")).setValue(12200.0);
            t->post();
        }
        auto r = m_folder->table(QStringLiteral("jarulek.db"));
        r->append();
        r->fieldByName(QStringLiteral("Ebizt")).setValue(4.0);
        r->post();
        auto b = m_folder->table(QStringLiteral("adokulcs.db"));
        b->append();
        b->fieldByName(QStringLiteral("Also")).setValue(0.0);
        b->fieldByName(QStringLiteral("Felso")).setValue(5000000.0);
        b->fieldByName(QStringLiteral("Szazalek")).setValue(17.0);
        b->post();
    }
    m_session = std::make_unique<Session>(m_files.filePath(QStringLiteral("engine.ini")));
    m_session->addStandardAlias(QStringLiteral("DB_ZOMIR"), m_folder->db());
    m_dialogs = ScriptedDialogs();
}

void TestPageTools::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_folder.reset();
    m_copy.reset();
    static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs())->clear();
}

void TestPageTools::makeWindow()
{
    m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestPageTools::search(int page, const QString &text)
{
    m_window->PageControl->setCurrentIndex(page);
    QLineEdit *field = m_window->Tools->Search.at(page)->field();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    type(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

QString TestPageTools::current(int page, const char *field) const
{
    return m_window->pageTable(page)->fieldByName(QString::fromLatin1(field)).asString();
}

ShownReport TestPageTools::printPage(int page)
{
    ShownReport shown;
    m_dialogs.onPreview = [&shown](const Report &report) { shown = readReport(report); };
    m_window->PageControl->setCurrentIndex(page);
    QTest::mouseClick(m_window->Tools->PrintButton.at(page), Qt::LeftButton);
    m_dialogs.onPreview = nullptr;
    return shown;
}

void TestPageTools::findsByAnyText_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("found");
    QTest::addRow("a category without its accents") << kHazak << u("csaladi") << "Kategoria" << u("Családi ház");
    QTest::addRow("in capitals, inside a word") << kHazak << u("ILL") << "Kategoria" << u("Villa");
    QTest::addRow("a word of the description") << kHazak << u("uszomedence") << "Kategoria" << u("Villa");
    QTest::addRow("ő typed as o in the description") << kHazak << u("orseg") << "Kategoria" << u("Tanya");
    QTest::addRow("a stored amount") << kHobbi << u("2500") << "Kategoria" << u("Kettő");
    QTest::addRow("ő typed as ö on another catalogue") << kElelmiszerek << u("kettö") << "Kategoria" << u("Kettő");
    QTest::addRow("a profession, á typed as a") << kSzakma << u("acs") << "Szakma_nev" << u("Ács");
    QTest::addRow("a profession, ű typed as ü") << kSzakma << u("MÜSZER") << "Szakma_nev" << u("Műszerész");
    QTest::addRow("a name of the child table") << kGyerek << u("adokedv") << "Megnevezes" << u("Adókedvezmény");
}

void TestPageTools::findsByAnyText()
{
    QFETCH(int, page);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(QString, found);
    makeWindow();
    search(page, typed);
    QCOMPARE(current(page, qPrintable(field)), found);
    // The grid follows the record the search moved to.
    QCOMPARE(m_window->DBGrid.at(page)->currentIndex().row(), m_window->pageTable(page)->currentRow());
    QVERIFY2(m_window->StatusBar->currentMessage().startsWith(u("Találat: ")),
             qPrintable(m_window->StatusBar->currentMessage()));
    QCOMPARE(m_dialogs.shown.size(), 0);
}

void TestPageTools::nextMatchOnEnterAndF3()
{
    makeWindow();
    // "ház" is in the first two houses' texts (Panellakás's description, Családi ház) only.
    search(kHazak, u("HAZ"));
    QCOMPARE(current(kHazak, "Kategoria"), u("Panellakás"));
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Találat: 1. rekord a(z) 4 közül"));
    QLineEdit *field = m_window->Tools->Search.at(kHazak)->field();
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(current(kHazak, "Kategoria"), u("Családi ház"));
    // F3 from another control of the page finds the next one, round past the last record.
    QPushButton *print = m_window->Tools->PrintButton.at(kHazak);
    print->setFocus();
    QTest::keyClick(print, Qt::Key_F3);
    QCOMPARE(current(kHazak, "Kategoria"), u("Panellakás"));
    QCOMPARE(m_window->StatusBar->currentMessage(),
             u("Találat: 1. rekord a(z) 4 közül (a keresés az elejéről folytatódott)"));
    // Ctrl+F goes back to the field, with its text selected to be typed over, also from the
    // tab bar, where the focus is when the window opens.
    QTabBar *tabs = m_window->PageControl->tabBar();
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->selectedText(), u("HAZ"));
    // A changed text is looked for from the current record on, the current one included.
    type(field, u("panel"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(current(kHazak, "Kategoria"), u("Panellakás"));
    QCOMPARE(m_dialogs.shown.size(), 0);
}

void TestPageTools::notFoundSaysSoInTheStatusBar()
{
    makeWindow();
    m_window->pageTable(kHazak)->setRecNo(3);
    search(kHazak, u("hajó"));
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Nincs találat: „hajó”"));
    QCOMPARE(current(kHazak, "Kategoria"), u("Villa"));
    search(kHazak, u("   "));
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Írja be a keresett szöveget a „Keresés” mezőbe."));
    QCOMPARE(current(kHazak, "Kategoria"), u("Villa"));
    // No box at all, neither from the window's dialogs nor the application's.
    QCOMPARE(m_dialogs.shown.size(), 0);
    QCOMPARE(static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs())->shown.size(), 0);
}

void TestPageTools::searchLeavesAnEditStored()
{
    makeWindow();
    // The profession grid edits by typing; the search moves on and the edit is stored, as
    // a move of the navigator stores it.
    m_window->PageControl->setCurrentIndex(kSzakma);
    Table *professions = m_window->pageTable(kSzakma);
    professions->edit();
    professions->fieldByName(QStringLiteral("Brutto_max")).setValue(260000.0);
    search(kSzakma, u("bolti"));
    QCOMPARE(current(kSzakma, "Szakma_nev"), u("Bolti eladó"));
    QVERIFY(!professions->editing());
    auto stored = m_folder->table(QStringLiteral("szakma4.DB"));
    QVERIFY(stored->locate(QStringLiteral("Szakma_nev"), u("Ács")));
    QCOMPARE(stored->fieldByName(QStringLiteral("Brutto_max")).asFloat(), 260000.0);
    // A refused row stays in edit and the search does not move away from it.
    professions->edit();
    professions->fieldByName(QStringLiteral("Brutto_max")).setValue(100000.0);   // below its minimum
    search(kSzakma, u("acs"));
    QVERIFY(professions->editing());
    QCOMPARE(current(kSzakma, "Szakma_nev"), u("Bolti eladó"));
    professions->cancel();

    // A record being inserted before the one found is stored first, and the search still
    // lands on the record it found, not on the one its row moved to (the houses in the
    // order of their category, so the new one comes first).
    Table *houses = m_window->pageTable(kHazak);
    m_window->PageControl->setCurrentIndex(kHazak);
    houses->setIndexFieldNames(QStringLiteral("Kategoria"));
    houses->setRecNo(2);
    m_window->pageSource(kHazak)->insert();
    houses->fieldByName(QStringLiteral("Kategoria")).setValue(u("Bárka"));
    houses->fieldByName(QStringLiteral("Terulet")).setValue(40.0);
    houses->fieldByName(QStringLiteral("Torleszto_reszlet")).setValue(60000.0);
    search(kHazak, u("villa"));
    QCOMPARE(current(kHazak, "Kategoria"), u("Villa"));
    QCOMPARE(houses->recordCount(), 5);
    QVERIFY(houses->locate(QStringLiteral("Kategoria"), u("Bárka")));
}

void TestPageTools::everyToolHasAnAccessibleName()
{
    makeWindow();
    for (int page = 0; page < TZomir0001::PageCount; ++page) {
        const QString caption = m_window->PageControl->tabText(page);
        QLineEdit *field = m_window->Tools->Search.at(page)->field();
        QCOMPARE(field->accessibleName(), u("Keresés a(z) „%1” lapon").arg(caption));
        QCOMPARE(m_window->Tools->Search.at(page)->label()->buddy(), field);
        QVERIFY(m_window->Tools->PrintButton.at(page)->accessibleName().startsWith(u("Nyomtatás: ")));
        // The row lies between the grid and the navigator, inside the page.
        const QRect row = m_window->Tools->Search.at(page)->geometry();
        QVERIFY(row.top() >= m_window->DBGrid.at(page)->geometry().bottom());
        QVERIFY(m_window->Tools->PrintButton.at(page)->geometry().bottom() < 456);
    }
}

void TestPageTools::pageListsPrintTheirRows()
{
    makeWindow();
    const ShownReport houses = printPage(kHazak);
    QCOMPARE(houses.documentName, u("Házak - árlista"));
    QCOMPARE(houses.pages.size(), 1);
    const ShownPage &h = houses.pages.first();
    QCOMPARE(h.texts.value(QStringLiteral("Cim")), u("Árlista – Házak"));
    QCOMPARE(h.texts.value(QStringLiteral("Fej0_3")), u("Törlesztőrészlet havonta"));
    QCOMPARE(h.texts.value(QStringLiteral("Sor0_1_0")), u("Családi ház"));
    QCOMPARE(h.texts.value(QStringLiteral("Sor0_1_3")), reportprint::moneyText(90000));
    QCOMPARE(h.texts.value(QStringLiteral("Megj0_2")), u("Öt szoba, úszómedence."));
    QCOMPARE(h.texts.value(QStringLiteral("Oldal")), u("1. oldal, összesen 1"));
    // A note is printed below its row, the next row below the note.
    QVERIFY(h.boxes.value(QStringLiteral("Megj0_1")).top() >= h.boxes.value(QStringLiteral("Sor0_1_0")).bottom());
    QVERIFY(h.boxes.value(QStringLiteral("Sor0_2_0")).top() >= h.boxes.value(QStringLiteral("Megj0_1")).bottom());

    const ShownReport hobbies = printPage(kHobbi);
    QCOMPARE(hobbies.pages.first().texts.value(QStringLiteral("Cim")), u("Árlista – Hobbi"));
    QCOMPARE(hobbies.pages.first().texts.value(QStringLiteral("Sor0_1_1")), reportprint::moneyText(2500));
    QVERIFY(!hobbies.pages.first().texts.contains(QStringLiteral("Sor0_2_0")));

    const ShownReport professions = printPage(kSzakma);
    const ShownPage &p = professions.pages.first();
    QCOMPARE(p.texts.value(QStringLiteral("Sor0_2_0")), u("Műszerész"));
    QCOMPARE(p.texts.value(QStringLiteral("Sor0_2_1")), reportprint::moneyText(200000));
    QCOMPARE(p.texts.value(QStringLiteral("Sor0_2_2")), reportprint::moneyText(320000));

    // Each of the three tax pages prints the same tax tables: a 2010 folder's as stored.
    for (int page : {kAdotabla, kGyerek, kJarulek}) {
        const ShownReport tax = printPage(page);
        QCOMPARE(tax.documentName, u("Adótáblák 2010"));
        const ShownPage &t = tax.pages.first();
        QCOMPARE(t.texts.value(QStringLiteral("Sor0_0_1")), reportprint::moneyText(5000000));
        QCOMPARE(t.texts.value(QStringLiteral("Sor0_0_3")), u("17 %"));
        QCOMPARE(t.texts.value(QStringLiteral("Sor1_1_0")), u("Adókedvezmény"));
        QCOMPARE(t.texts.value(QStringLiteral("Sor2_0_0")), u("Egészségbiztosítási járulék"));
        QCOMPARE(t.texts.value(QStringLiteral("Sor2_0_1")), u("4 %"));
        QCOMPARE(t.texts.value(QStringLiteral("Sor2_4_0")), u("Adójóváírás határa"));
        // A figure the table does not hold prints nothing (not "0 Ft").
        QCOMPARE(t.texts.value(QStringLiteral("Sor2_4_1")), QString());
    }
    QCOMPARE(m_dialogs.texts(QStringLiteral("preview")).size(), 6);
    QCOMPARE(m_dialogs.texts(QStringLiteral("error")), QStringList());
}

void TestPageTools::longCatalogueFlowsOverPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("described");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("repeats");   // how long each description is: its words repeated
    // A row takes 6 mm, 13.5 mm with a description of up to two lines; the sheet has
    // 235.5 mm for rows under the column titles: 39 rows, or 17 described ones.
    QTest::addRow("one page full, described") << 17 << true << 1 << 8;
    QTest::addRow("one row over, described") << 18 << true << 2 << 8;
    QTest::addRow("sixty described") << 60 << true << 4 << 8;
    QTest::addRow("one page full") << 39 << false << 1 << 8;
    QTest::addRow("one row over") << 40 << false << 2 << 8;
    QTest::addRow("a hundred") << 100 << false << 3 << 8;
    // Descriptions of five lines and more take the room they need.
    QTest::addRow("long descriptions") << 20 << true << 2 << 30;
}

void TestPageTools::longCatalogueFlowsOverPages()
{
    QFETCH(int, rows);
    QFETCH(bool, described);
    QFETCH(int, pages);
    QFETCH(int, repeats);
    const auto description = [repeats](int r) { return u("Leírás a(z) %1. tételhez, ").arg(r + 1).repeated(repeats); };
    {
        auto t = m_folder->table(QStringLiteral("Elelmiszerek.DB"));
        while (!t->isEmpty())
            t->deleteRecord();
        for (int r = 0; r < rows; ++r) {
            t->append();
            t->fieldByName(QStringLiteral("Kategoria")).setValue(u("Tétel %1").arg(r + 1));
            t->fieldByName(QStringLiteral("Atlagos_Ar")).setValue(1000.0 + r);
            if (described)
                t->fieldByName(QStringLiteral("Leiras")).setValue(description(r));
            t->post();
        }
    }
    makeWindow();
    // With ZOMIR_SCREENSHOTS set, the longest list is kept there as a PDF to look at.
    const QString keep = qEnvironmentVariable("ZOMIR_SCREENSHOTS");
    if (!keep.isEmpty() && rows == 60)
        m_dialogs.pdfPath = QDir(keep).filePath(QStringLiteral("arlista-hosszu.pdf"));
    if (!keep.isEmpty() && repeats == 30)
        m_dialogs.pdfPath = QDir(keep).filePath(QStringLiteral("arlista-hosszu-leirasok.pdf"));
    const ShownReport report = printPage(kElelmiszerek);
    QCOMPARE(report.pages.size(), pages);
    int printed = 0;
    for (int p = 0; p < report.pages.size(); ++p) {
        const ShownPage &page = report.pages.at(p);
        // Every sheet has the title, the year, the column titles and its number.
        QCOMPARE(page.texts.value(QStringLiteral("Cim")), u("Árlista – Élelmiszerek"));
        QCOMPARE(page.texts.value(QStringLiteral("Ev")), budget::yearLevelsText(2010));
        QCOMPARE(page.texts.value(QStringLiteral("Fej0_1")), u("Átlagos ár havonta"));
        QCOMPARE(page.texts.value(QStringLiteral("Oldal")), u("%1. oldal, összesen %2").arg(p + 1).arg(pages));
        const QRectF foot = page.boxes.value(QStringLiteral("Oldal"));
        for (auto it = page.texts.cbegin(); it != page.texts.cend(); ++it) {
            if (!it.key().startsWith(QLatin1String("Sor0_")) && !it.key().startsWith(QLatin1String("Megj0_")))
                continue;
            // Nothing runs into the foot of the sheet.
            QVERIFY2(page.boxes.value(it.key()).bottom() <= foot.top(), qPrintable(it.key()));
            if (it.key().endsWith(QLatin1String("_0")) && it.key().startsWith(QLatin1String("Sor0_"))) {
                const int r = it.key().section(QLatin1Char('_'), 1, 1).toInt();
                QCOMPARE(it.value(), u("Tétel %1").arg(r + 1));
                QCOMPARE(page.texts.value(QStringLiteral("Sor0_%1_1").arg(r)), reportprint::moneyText(1000.0 + r));
                // A description prints whole, never cut or dropped.
                if (described)
                    QCOMPARE(page.texts.value(QStringLiteral("Megj0_%1").arg(r)), description(r).trimmed());
                ++printed;
            }
        }
    }
    // Every row once, in order over the pages.
    QCOMPARE(printed, rows);
    QVERIFY(report.pages.last().texts.contains(QStringLiteral("Sor0_%1_0").arg(rows - 1)));
}

void TestPageTools::headingNamesTheFoldersYear_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<int>("year");
    QTest::addRow("2010 folder") << "ZOMIR_WORKFOLDER" << 2010;
    QTest::addRow("2026 folder") << "ZOMIR_WORKFOLDER_2026" << 2026;
}

void TestPageTools::headingNamesTheFoldersYear()
{
    QFETCH(QString, variable);
    QFETCH(int, year);
    const QString built = qEnvironmentVariable(qPrintable(variable));
    if (built.isEmpty() || !QDir(built).exists(QStringLiteral("DB")))
        QSKIP(qPrintable(u("No built working folder (%1)").arg(variable)));
    m_copy = std::make_unique<QTemporaryDir>();
    const QString db = m_copy->filePath(QStringLiteral("DB"));
    QVERIFY(testenv::copyFolder(QDir(built).filePath(QStringLiteral("DB")), db));
    m_session = std::make_unique<Session>(m_copy->filePath(QStringLiteral("engine.ini")));
    m_session->addStandardAlias(QStringLiteral("DB_ZOMIR"), db);
    makeWindow();
    QCOMPARE(m_window->folderYear(), year);
    for (int page = 0; page < TZomir0001::PageCount; ++page) {
        const ShownReport report = printPage(page);
        QVERIFY(!report.pages.isEmpty());
        for (const ShownPage &p : report.pages)
            QCOMPARE(p.texts.value(QStringLiteral("Ev")), u("%1-%2 adó- és árszintek").arg(year).arg(year == 2010 ? u("es") : u("os")));
    }
    // The thirty professions of the content on one sheet.
    const ShownReport professions = printPage(kSzakma);
    QCOMPARE(professions.pages.size(), 1);
    QVERIFY(professions.pages.first().texts.contains(QStringLiteral("Sor0_29_0")));
    QVERIFY(!professions.pages.first().texts.contains(QStringLiteral("Sor0_30_0")));
    const ShownPage tax = printPage(kAdotabla).pages.first();
    if (year == 2026) {
        // The 2026 law under its own names, with the figures of the folder's tables.
        QCOMPARE(tax.texts.value(QStringLiteral("Sor0_0_1")), u("15 %"));
        QCOMPARE(tax.texts.value(QStringLiteral("Sor0_1_1")), u("18,5 %"));
        QCOMPARE(tax.texts.value(QStringLiteral("Sor0_2_1")), u("13 %"));
        QCOMPARE(tax.texts.value(QStringLiteral("Sor1_0_0")), u("Családi pótlék"));
        QCOMPARE(tax.texts.value(QStringLiteral("Sor1_0_1")), reportprint::moneyText(12200));
        QCOMPARE(tax.texts.value(QStringLiteral("Sor1_1_3")), reportprint::moneyText(440000));
    } else {
        QCOMPARE(tax.texts.value(QStringLiteral("Szakasz0")),
                 u("Adótábla: a személyi jövedelemadó sávjai (éves összevont alap)"));
    }
    // A price list written as a PDF, as the preview's "PDF mentése" writes it.
    const QString pdf = m_files.filePath(QStringLiteral("arlista-%1.pdf").arg(year));
    m_dialogs.pdfPath = pdf;
    printPage(kHobbi);
    QVERIFY(QFileInfo(pdf).size() > 1000);
    const QString keep = qEnvironmentVariable("ZOMIR_SCREENSHOTS");
    if (!keep.isEmpty()) {
        QFile::remove(QDir(keep).filePath(QFileInfo(pdf).fileName()));
        QFile::copy(pdf, QDir(keep).filePath(QFileInfo(pdf).fileName()));
        // The tax tables of the year too, to be looked at.
        m_dialogs.pdfPath = QDir(keep).filePath(QStringLiteral("adotablak-%1.pdf").arg(year));
        printPage(kJarulek);
    }
}

ZOMIR_TEST_MAIN(TestPageTools)
#include "tst_pagetools.moc"
