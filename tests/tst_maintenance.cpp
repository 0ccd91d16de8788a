// The maintenance window over a small database of its own: the pages and their controls,
// typing with and without automatic edit, the grids, pictures, validation, the close
// question, a missing alias, and the game reading what the utility wrote.

#include "controls/ExtDBNavigator.h"
#include "maintenance/Unit1.h"
#include "maintenance/eventspage.h"
#include "maintenance/pagetools.h"
#include "game/adatinit.h"
#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "maintenance/records.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QPushButton>
#include <QFileDialog>
#include <QListView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <memory>

using namespace zdb;
using Nav = TExtDBNavigator;

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage testPicture(const QColor &colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return path;
}

}  // namespace

class TestMaintenance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Amounts are shown and read in the Hungarian form, as the program sets it up.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }
    void init();
    void cleanup();

    void missingAliasOrTable_data();
    void missingAliasOrTable();
    void windowAndPages();
    void pagesAfterFirstPaint();
    void navigatorsPerPage();
    void statusBarShowsTheHintUnderTheMouse();
    void pictureLoaded_data();
    void pictureLoaded();
    void pictureDialogCancelled();
    void hiddenPageShowsItsPictureWhenOpened();
    void unreadablePictureRefused();
    void closeWithAPendingEdit_data();
    void closeWithAPendingEdit();
    void pictureRules();
    void professionAndContributionChecks_data();
    void professionAndContributionChecks();
    void contributionsWithoutTheTaxCredit_data();
    void contributionsWithoutTheTaxCredit();
    void refusedPostKeepsTheRowInEdit();
    void typingOnACataloguePageWaitsForEdit();
    void typingOnATaxPageStartsTheEdit();
    void gridsFollowTheCurrentRecord();
    void professionGrid();
    void professionGridEditsLikeTheBoundEdits();
    void insertedRowShowsInTheGrid();
    void typingBeforeEditSaysHowToStart();
    void disabledGridsShowEveryColumn();
    void pictureDialogShowsAPreview();
    void editsTakeTheFieldLengthAndAmountsAsShown();
    void gameReadsWhatTheUtilityWrote();
    void surpriseSettingAndEvents();

private:
    void makeWindow();
    ScriptedDialogs &dialogs() { return m_dialogs; }

    std::unique_ptr<shellfixture::WorkFolder> m_folder;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TZomir0001> m_window;
    ScriptedDialogs m_dialogs;
    QTemporaryDir m_files;
};

void TestMaintenance::init()
{
    m_folder = std::make_unique<shellfixture::WorkFolder>();
    m_folder->addCatalogueRow("Hazak.DB", QString::fromUtf8("Garzon"), 52000);
    m_folder->addCatalogueRow("Hazak.DB", QString::fromUtf8("Családi ház"), 95000);
    m_folder->addCatalogueRow("Hazak.DB", QString::fromUtf8("Villa"), 250000);
    for (const char *file : {"Kozlekedes.db", "Elelmiszerek.DB", "Ruhazkodas.db", "Hobbi.db", "Szorakozas.db"}) {
        m_folder->addCatalogueRow(file, "Egy", 1000);
        m_folder->addCatalogueRow(file, "Kettő", 2000);
    }
    m_folder->addProfession(QString::fromUtf8("Ács"), 150000, 250000, 2);
    m_folder->addProfession(QString::fromUtf8("Bolti eladó"), 120000, 180000, 1);
    {
        auto t = m_folder->table("jarulek.db");
        t->append();
        for (const char *f : {"Ebizt", "Mvjarulek", "Nybjarulek", "MUNKALTATO_JARULEK", "Ajkulcs", "Ajcsokulcs"})
            t->fieldByName(f).setValue(10.0);
        t->fieldByName("Ajhatar").setValue(1500000.0);
        t->fieldByName("Ajosszeg").setValue(120000.0);
        t->fieldByName("Ajfelsoh").setValue(3000000.0);
        t->post();
    }
    // A test that saved the configuration leaves its alias in the file: each test starts
    // from none.
    QFile::remove(m_files.filePath("engine.ini"));
    m_session = std::make_unique<Session>(m_files.filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
    m_dialogs = ScriptedDialogs();
}

void TestMaintenance::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_folder.reset();
    static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs())->clear();
}

void TestMaintenance::makeWindow() { m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs); }

void TestMaintenance::missingAliasOrTable_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("message");
    QTest::addRow("alias") << "alias" << "Ismeretlen adatbázis-alias: DB_ZOMIR";
    QTest::addRow("table file") << "gyerek.db" << "A tábla nem található";
}

void TestMaintenance::missingAliasOrTable()
{
    QFETCH(QString, missing);
    QFETCH(QString, message);
    Session session(m_files.filePath(missing == "alias" ? "none.ini" : "engine.ini"));
    if (missing != "alias") {
        session.addStandardAlias("DB_ZOMIR", m_folder->db());
        QVERIFY(QFile::remove(QDir(m_folder->db()).filePath(missing)));
    }
    try {
        TZomir0001 window(&session, &m_dialogs);
        QFAIL("the window was made without its tables");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
}

namespace {

// Every control of the window as the keyboard reaches them (the focus chain) and each page's
// named controls with their place, caption, accessible name and whether they are shown.
QStringList windowShape(TZomir0001 &w)
{
    QStringList shape;
    QWidget *next = w.nextInFocusChain();
    while (next && next != &w) {
        shape << "focus " + next->objectName() + " " + next->metaObject()->className();
        next = next->nextInFocusChain();
    }
    for (int page = 0; page < w.PageControl->count(); ++page) {
        for (QWidget *c : w.PageControl->widget(page)->findChildren<QWidget *>()) {
            // The window's own controls; the parts widgets make of themselves are laid out
            // only when shown.
            if (c->objectName().isEmpty() || c->objectName().startsWith("qt_"))
                continue;
            const QRect g = c->geometry();
            QString text;
            if (auto *label = qobject_cast<QLabel *>(c))
                text = label->text();
            shape << QString("%1 %2 %3 %4,%5 %6x%7 [%8] [%9] %10 %11")
                         .arg(page)
                         .arg(c->objectName(), c->metaObject()->className())
                         .arg(g.x())
                         .arg(g.y())
                         .arg(g.width())
                         .arg(g.height())
                         .arg(text, c->accessibleName())
                         .arg(c->isEnabled())
                         .arg(c->isVisibleTo(w.PageControl->widget(page)));
        }
    }
    return shape;
}

}  // namespace

void TestMaintenance::pagesAfterFirstPaint()
{
    makeWindow();
    QVERIFY(m_window->restBuilt());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QStringList whole = windowShape(*m_window);
    // A page's navigator lays its buttons out when the page is first shown.
    m_window->PageControl->setCurrentIndex(4);
    QCoreApplication::processEvents();
    const QStringList wholeOnHobbi = windowShape(*m_window);
    m_window.reset();

    // Made first page first: until the paint only the first page has its controls.
    TZomir0001 first(m_session.get(), &m_dialogs, nullptr, TZomir0001::Pages::FirstPageFirst);
    QVERIFY(!first.restBuilt());
    QVERIFY(first.ExtDBNavigator[1]);   // the "Házak" page's
    QVERIFY(first.Tools->Search[0]);
    QVERIFY(!first.ExtDBNavigator[0]);
    QVERIFY(!first.DBGrid11);
    QCOMPARE(first.PageControl->count(), 11);
    QCOMPARE(first.windowTitle(), QString::fromUtf8("Dedarudorazo v2 – 2010-es adó- és árszintek"));
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    QTRY_VERIFY(first.restBuilt());
    QCOMPARE(windowShape(first), whole);

    // Another page chosen before the paint makes the rest first, and shows it.
    TZomir0001 early(m_session.get(), &m_dialogs, nullptr, TZomir0001::Pages::FirstPageFirst);
    early.show();
    early.PageControl->setCurrentIndex(4);
    QVERIFY(early.restBuilt());
    QVERIFY(QTest::qWaitForWindowExposed(&early));
    QCOMPARE(windowShape(early), wholeOnHobbi);
    QVERIFY(early.ExtDBNavigator[0]->isVisible());
    QVERIFY(early.DBGrid[4]->isVisible());
    QVERIFY(early.HobbiDB->recordCount() > 0);
    early.PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    QVERIFY(early.JatekosokDB->active());
}

void TestMaintenance::windowAndPages()
{
    makeWindow();
    TZomir0001 &w = *m_window;
    // The folder's empty Adoev.DB reads as a folder of 2010, as the game reads it.
    QCOMPARE(w.windowTitle(), QString::fromUtf8("Dedarudorazo v2 – 2010-es adó- és árszintek"));
    QCOMPARE(w.objectName(), QString("Zomir0001"));
    QCOMPARE(w.size(), QSize(799, 566));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.PageControl->geometry(), QRect(0, 0, 785, 545));
    QCOMPARE(w.StatusBar->geometry(), QRect(0, 545, 799, 21));
    const QStringList captions = {"Házak", "Közlekedés", "Élelmiszerek", "Ruházkodás", "Hobbi", "Szórakozás",
                                  "Adótábla", "Gyermek-kedvezmény", "Járulék", "Szakma jellemzők"};
    const QStringList sheets = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet6", "TabSheet4",
                                "TabSheet5", "TabSheet7", "TabSheet8", "TabSheet9", "TabSheet10"};
    // The ten editing pages, then the results page.
    QCOMPARE(w.PageControl->count(), 11);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(w.PageControl->tabText(i), QString::fromUtf8(captions[i].toUtf8()));
        QCOMPARE(w.PageControl->widget(i)->objectName(), sheets[i]);
    }
    QCOMPARE(w.PageControl->currentIndex(), 0);

    // A sample of every kind of control, where it belongs.
    struct Expect {
        const char *name;
        QRect geometry;
        const char *hint;
    };
    const Expect controls[] = {
        {"DBEdit1", QRect(104, 8, 134, 21), "Automatikusan generálódik"},
        {"DBEdit2", QRect(104, 32, 329, 21), "ház kategória"},
        {"DBMemo1", QRect(104, 128, 337, 89), "pár megjegyzés  erről a házak-kategóriáról"},
        {"DBImage1", QRect(480, 8, 281, 209), "A lakrész kinézete"},
        {"DBEdit8", QRect(104, 56, 134, 21), "Mennyibe kerül havonta?"},
        {"DBMemo6", QRect(104, 80, 329, 137), "Pár megjegyzés erről a ruházkodás-kategóriáról"},
        {"DBImage6", QRect(480, 8, 281, 209), ""},
        {"DBEdit21", QRect(104, 48, 134, 21), "Alsó jövedelemhatár"},
        {"DBEdit24", QRect(104, 168, 134, 21), "Százalék"},
        {"DBEdit25", QRect(104, 48, 394, 21), "Kedvezmény nem"},
        {"DBEdit34", QRect(104, 168, 134, 21), "Munkáltatói járulék"},
        {"DBEdit36", QRect(488, 88, 134, 21), "Alsó jövedelemösszeg"},
        {"DBGrid1", QRect(8, 240, 753, 185), ""},
        {"DBGrid10", QRect(8, 8, 753, 417), ""},
    };
    for (const Expect &e : controls) {
        auto *c = w.findChild<QWidget *>(e.name);
        QVERIFY2(c, e.name);
        QCOMPARE(c->geometry(), e.geometry);
        QCOMPARE(c->statusTip(), QString::fromUtf8(e.hint));
    }
    QCOMPARE(w.findChild<QLabel *>("Label28")->text(), QString::fromUtf8("Azonosító"));
    QCOMPARE(w.findChild<QLabel *>("Label28")->parentWidget(), w.TabSheet[3]);
    QCOMPARE(w.findChild<QLabel *>("Label49")->text(), QString::fromUtf8("Csökkenő adójóváírási kulcs (%)"));
    QCOMPARE(w.findChild<QLabel *>("Label49")->pos(), QPoint(488, 112));
    // Key edits are disabled, except on "Ruházkodás".
    QVERIFY(!w.findChild<QWidget *>("DBEdit1")->isEnabled());
    QVERIFY(!w.findChild<QWidget *>("DBEdit6")->isEnabled());
    QVERIFY(w.findChild<QWidget *>("DBEdit18")->isEnabled());
    for (int i = 0; i < 9; ++i)
        QVERIFY(!w.DBGrid[i]->isEnabled());
    QVERIFY(w.DBGrid[9]->isEnabled());
}

void TestMaintenance::navigatorsPerPage()
{
    makeWindow();
    // Navigator number per page, and whether it may insert and delete.
    const int numbers[10] = {2, 3, 4, 5, 1, 6, 7, 8, 9, 10};
    const bool full[10] = {true, true, true, true, false, false, true, false, false, false};
    for (int page = 0; page < 10; ++page) {
        Nav *nav = m_window->TabSheet[page]->findChild<Nav *>(QStringLiteral("ExtDBNavigator%1").arg(numbers[page]));
        QVERIFY(nav);
        QCOMPARE(nav, m_window->ExtDBNavigator[numbers[page] - 1]);
        QCOMPARE(nav->geometry(), QRect(8, 456, full[page] ? 750 : 744, 33));
        QCOMPARE(nav->button(Nav::Insert)->isHidden(), !full[page]);
        QCOMPARE(nav->button(Nav::Delete)->isHidden(), !full[page]);
        QCOMPARE(nav->imageList(), m_window->ImageList1);
        QVERIFY(nav->allowTimer());
        QCOMPARE(nav->button(Nav::Post)->statusTip(), QString::fromUtf8("Módosítások véglegesítése"));
    }
    QCOMPARE(m_window->ImageList1->count(), 10);
    QCOMPARE(m_window->ImageList1->image(4).size(), QSize(150, 25));
}

void TestMaintenance::statusBarShowsTheHintUnderTheMouse()
{
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *edit = m_window->findChild<QWidget *>("DBEdit2");
    QTest::mouseMove(edit, QPoint(5, 5));
    QTRY_COMPARE(m_window->StatusBar->currentMessage(), QString::fromUtf8("ház kategória"));
    Nav *nav = m_window->ExtDBNavigator[1];
    QTest::mouseMove(nav->button(Nav::Next), QPoint(5, 5));
    QTRY_COMPARE(m_window->StatusBar->currentMessage(), QString::fromUtf8("Következő rekord"));
    // Over a control without a hint the status bar is empty.
    QTest::mouseMove(m_window->findChild<QWidget *>("Label2"), QPoint(2, 2));
    QTRY_COMPARE(m_window->StatusBar->currentMessage(), QString());
}

void TestMaintenance::pictureLoaded_data()
{
    QTest::addColumn<QString>("format");
    QTest::addRow("Windows bitmap, stored as it is") << "BMP";
    QTest::addRow("JPEG, converted to a bitmap") << "JPG";
    QTest::addRow("PNG, converted to a bitmap") << "PNG";
}

void TestMaintenance::pictureLoaded()
{
    QFETCH(QString, format);
    makeWindow();
    const QByteArray file = encoded(testPicture(Qt::red), qPrintable(format));
    const QString path = writeFile(m_files.filePath("kep." + format.toLower()), file);
    m_dialogs.openAnswers.enqueue(path);
    m_window->HobbiDB->next();
    m_window->PageControl->setCurrentIndex(4);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(m_window->DBImage[3], Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("open").size(), 1);
    QCOMPARE(m_window->HobbiDB->state(), DataSetState::Browse);
    const QByteArray stored = m_window->HobbiDB->fieldByName("Kep").asBytes();
    QVERIFY(stored.startsWith("BM"));
    if (format == "BMP")
        QCOMPARE(stored, file);
    QImage shown;
    QVERIFY(shown.loadFromData(stored, "BMP"));
    QCOMPARE(shown.size(), QSize(40, 30));
    QVERIFY(qAbs(qRed(shown.pixel(20, 15)) - 255) < 8);
    QVERIFY(!m_window->DBImage[3]->picture().isNull());
    // Stored in the file, not only in the window: another table over it reads the same.
    auto other = m_folder->table("Hobbi.db");
    other->next();
    QCOMPARE(other->fieldByName("Kep").asBytes(), stored);
    QVERIFY(m_dialogs.texts("error").isEmpty());
}

void TestMaintenance::pictureDialogCancelled()
{
    makeWindow();
    const QByteArray before = m_window->HazakDB->fieldByName("Kep").asBytes();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(m_window->DBImage[0], Qt::LeftButton);   // no answer queued: cancelled
    QCOMPARE(m_dialogs.texts("open").size(), 1);
    QCOMPARE(m_window->HazakDB->state(), DataSetState::Browse);
    QCOMPARE(m_window->HazakDB->fieldByName("Kep").asBytes(), before);
}

void TestMaintenance::hiddenPageShowsItsPictureWhenOpened()
{
    {
        auto t = m_folder->table("Kozlekedes.db");
        t->edit();
        t->fieldByName("Kep").setValue(encoded(testPicture(Qt::green), "BMP"));
        t->post();
    }
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(m_window->DBImage[1]->picture().isNull());   // not decoded while its page is hidden
    m_window->PageControl->setCurrentIndex(1);
    QCOMPARE(m_window->DBImage[1]->picture().size(), QSize(40, 30));
    QTest::mouseClick(m_window->ExtDBNavigator[2]->button(Nav::Next), Qt::LeftButton);
    QVERIFY(m_window->DBImage[1]->picture().isNull());   // the second row has none
}

void TestMaintenance::unreadablePictureRefused()
{
    makeWindow();
    // A picture that is there before the failed attempt stays.
    const QString good = writeFile(m_files.filePath("jo.bmp"), encoded(testPicture(Qt::blue), "BMP"));
    const QString bad = writeFile(m_files.filePath("nem_kep.jpg"), "ez nem kép, csak szöveg");
    m_dialogs.openAnswers << good << bad << m_files.filePath("nincs_ilyen.bmp");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(m_window->DBImage[0], Qt::LeftButton);
    const QByteArray before = m_window->HazakDB->fieldByName("Kep").asBytes();
    QVERIFY(!before.isEmpty());
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    for (int attempt = 0; attempt < 2; ++attempt) {
        QTest::mouseClick(m_window->DBImage[0], Qt::LeftButton);
        QCOMPARE(appDialogs->texts("error").size(), attempt + 1);
        QCOMPARE(m_window->HazakDB->state(), DataSetState::Browse);
        QCOMPARE(m_window->HazakDB->fieldByName("Kep").asBytes(), before);
    }
    QVERIFY(appDialogs->texts("error").first().contains("nem_kep.jpg"));
    QVERIFY(appDialogs->texts("error").last().contains("nincs_ilyen.bmp"));
}

void TestMaintenance::closeWithAPendingEdit_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("stillEditing");
    QTest::addRow("Igen posts") << 0 << true << "Átírt" << false;
    QTest::addRow("Nem drops") << 1 << true << "Egy" << false;
    QTest::addRow("Mégsem keeps the window open") << 2 << false << "Egy" << true;
}

void TestMaintenance::closeWithAPendingEdit()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QString, stored);
    QFETCH(bool, stillEditing);
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // An edit with nothing changed is dropped without a question.
    m_window->HazakDB->edit();
    m_window->KozlekedesDB->edit();
    m_window->KozlekedesDB->fieldByName("Kategoria").setValue(QString::fromUtf8("Átírt"));
    m_dialogs.askAnswers.enqueue(answer);
    const bool accepted = m_window->close();
    QCOMPARE(accepted, closed);
    QCOMPARE(m_dialogs.texts("ask").size(), 1);
    QVERIFY(m_dialogs.texts("ask").first().contains(QString::fromUtf8("„Közlekedés”")));
    QCOMPARE(m_window->KozlekedesDB->state() == DataSetState::Edit, stillEditing);
    auto other = m_folder->table("Kozlekedes.db");
    QCOMPARE(other->fieldByName("Kategoria").asString(), QString::fromUtf8(stored.toUtf8()));
}

void TestMaintenance::pictureRules()
{
    // A file that is not there, and one that is no picture, are refused with their name.
    const QString missing = m_files.filePath("nincs.png");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, maint::pictureFileAsBitmap(missing));
    const QString text = writeFile(m_files.filePath("level.bmp"), "BMxx nem igazi bitkép");
    try {
        maint::pictureFileAsBitmap(text);
        QFAIL("a broken bitmap was accepted");
    } catch (const std::runtime_error &e) {
        QVERIFY(QString::fromUtf8(e.what()).contains("level.bmp"));
    }
    // A transparent PNG is flattened onto white.
    QImage clear(10, 10, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QString png = writeFile(m_files.filePath("atlatszo.png"), encoded(clear, "PNG"));
    QImage back;
    QVERIFY(back.loadFromData(maint::pictureFileAsBitmap(png), "BMP"));
    QCOMPARE(back.pixelColor(5, 5), QColor(Qt::white));
}

void TestMaintenance::professionAndContributionChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");   // empty: accepted
    QTest::addRow("highest below lowest") << "Brutto_max" << QVariant(100000.0) << "Bruttó (max)";
    QTest::addRow("highest equal to lowest") << "Brutto_max" << QVariant(150000.0) << "";
    QTest::addRow("negative lowest wage") << "Brutto_min" << QVariant(-1.0) << "Bruttó (min)";
    QTest::addRow("negative spouse income") << "Hazastars_netto" << QVariant(-5.0) << "Házastárs nettó";
    QTest::addRow("negative children") << "Gyerekszam" << QVariant(-1) << "Gyerekszám";
    QTest::addRow("no children") << "Gyerekszam" << QVariant(0) << "";
    QTest::addRow("zero tax-credit rate") << "Ajkulcs" << QVariant(0.0) << "Adójóváírás kulcsa (%)";
    QTest::addRow("empty tax-credit rate") << "Ajkulcs" << QVariant() << "Adójóváírás kulcsa (%)";
    QTest::addRow("tax-credit rate set") << "Ajkulcs" << QVariant(16.0) << "";
}

void TestMaintenance::professionAndContributionChecks()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, message);
    const bool contribution = field == "Ajkulcs";
    auto table = m_folder->table(contribution ? "jarulek.db" : "szakma4.DB");
    table->edit();
    table->fieldByName(field).setValue(value);
    try {
        contribution ? maint::checkContributions(*table, 2010) : maint::checkProfession(*table);
        QVERIFY2(message.isEmpty(), "refusal expected");
    } catch (const std::runtime_error &e) {
        QVERIFY2(!message.isEmpty(), e.what());
        QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
    }
}

// A folder of a year without the tax credit (2026) stores its rate as zero: the other
// contributions must still be editable there, while a 2010 folder still refuses the zero.
void TestMaintenance::contributionsWithoutTheTaxCredit_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("refused");
    QTest::addRow("2010") << 2010 << true;
    QTest::addRow("2026") << 2026 << false;
}

void TestMaintenance::contributionsWithoutTheTaxCredit()
{
    QFETCH(int, year);
    QFETCH(bool, refused);
    {
        auto years = m_folder->table("Adoev.DB");
        years->append();
        years->fieldByName("Ev").setValue(year);
        years->fieldByName("Gyerek_koltseg").setValue(year == 2026 ? 30000 : 10000);
        years->post();
        auto rates = m_folder->table("jarulek.db");
        rates->first();
        rates->edit();
        rates->fieldByName("Ajkulcs").setValue(0.0);
        rates->post();
    }
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->PageControl->setCurrentIndex(8);
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    const int errorsBefore = int(appDialogs->texts("error").size());
    auto *employer = m_window->findChild<QLineEdit *>("DBEdit34");   // MUNKALTATO_JARULEK
    employer->setFocus();
    employer->selectAll();
    QTest::keyClicks(employer, QStringLiteral("14"));
    QCOMPARE(m_window->JarulekDB->state(), DataSetState::Edit);
    QTest::mouseClick(m_window->ExtDBNavigator[8]->button(Nav::Post), Qt::LeftButton);
    const QStringList errors = appDialogs->texts("error").mid(errorsBefore);
    auto stored = m_folder->table("jarulek.db");
    stored->first();
    if (refused) {
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QString::fromUtf8("Adójóváírás kulcsa (%)")), qPrintable(errors.first()));
        QCOMPARE(m_window->JarulekDB->state(), DataSetState::Edit);
        QCOMPARE(stored->fieldByName("MUNKALTATO_JARULEK").asFloat(), 10.0);
    } else {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(m_window->JarulekDB->state(), DataSetState::Browse);
        QCOMPARE(stored->fieldByName("MUNKALTATO_JARULEK").asFloat(), 14.0);
    }
}

void TestMaintenance::refusedPostKeepsTheRowInEdit()
{
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    struct Case {
        int page;
        int navigator;
        zdb::Table *table;
        const char *field;
        QVariant value;
        const char *label;
    };
    const Case cases[] = {{9, 10, m_window->SzakmaDB, "Brutto_max", 1000.0, "Bruttó (max)"},
                          {8, 9, m_window->JarulekDB, "Ajkulcs", 0.0, "Adójóváírás kulcsa (%)"}};
    for (const Case &c : cases) {
        appDialogs->clear();
        m_window->PageControl->setCurrentIndex(c.page);
        c.table->edit();
        c.table->fieldByName(c.field).setValue(c.value);
        QTest::mouseClick(m_window->ExtDBNavigator[c.navigator - 1]->button(Nav::Post), Qt::LeftButton);
        QCOMPARE(appDialogs->texts("error").size(), 1);
        QVERIFY2(appDialogs->texts("error").first().contains(QString::fromUtf8(c.label)),
                 qPrintable(appDialogs->texts("error").first()));
        QCOMPARE(c.table->state(), DataSetState::Edit);
        QTest::mouseClick(m_window->ExtDBNavigator[c.navigator - 1]->button(Nav::Cancel), Qt::LeftButton);
        QCOMPARE(c.table->state(), DataSetState::Browse);
    }
    auto stored = m_folder->table("szakma4.DB");
    QCOMPARE(stored->fieldByName("Brutto_max").asFloat(), 250000.0);
}

void TestMaintenance::typingOnACataloguePageWaitsForEdit()
{
    makeWindow();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *category = m_window->findChild<QLineEdit *>("DBEdit2");
    auto *memo = m_window->findChild<QPlainTextEdit *>("DBMemo1");
    category->setFocus();
    QTest::keyClicks(category, "xyz");
    QCOMPARE(category->text(), QString("Garzon"));
    QTest::keyClicks(memo, "xyz");
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(m_window->HazakDB->state(), DataSetState::Browse);

    // After "Szerkesztés" the typing goes in; "Alkalmaz" stores what is shown, though the
    // button takes no focus.
    Nav *nav = m_window->ExtDBNavigator[1];
    QTest::mouseClick(nav->button(Nav::Edit), Qt::LeftButton);
    QCOMPARE(m_window->HazakDB->state(), DataSetState::Edit);
    category->setFocus();
    category->selectAll();
    QTest::keyClicks(category, "Garzon lakas");
    QVERIFY(category->hasFocus());
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(m_window->HazakDB->state(), DataSetState::Browse);
    auto other = m_folder->table("Hazak.DB");
    QCOMPARE(other->fieldByName("Kategoria").asString(), QString("Garzon lakas"));
}

void TestMaintenance::typingOnATaxPageStartsTheEdit()
{
    makeWindow();
    m_window->PageControl->setCurrentIndex(8);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *rate = m_window->findChild<QLineEdit *>("DBEdit36");   // Ajkulcs
    rate->setFocus();
    rate->selectAll();
    QTest::keyClick(rate, Qt::Key_1);
    QCOMPARE(m_window->JarulekDB->state(), DataSetState::Edit);
    QTest::keyClick(rate, Qt::Key_6);
    // Moving to another record stores the edit.
    QTest::mouseClick(m_window->ExtDBNavigator[8]->button(Nav::Refresh), Qt::LeftButton);
    QCOMPARE(m_window->JarulekDB->state(), DataSetState::Browse);
    auto other = m_folder->table("jarulek.db");
    QCOMPARE(other->fieldByName("Ajkulcs").asFloat(), 16.0);
}

void TestMaintenance::gridsFollowTheCurrentRecord()
{
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTableView *grid = m_window->DBGrid[0];
    QCOMPARE(grid->model()->columnCount(), m_window->HazakDB->fieldCount());
    QCOMPARE(grid->model()->rowCount(), 3);
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({QString::fromUtf8("Azonosító"), QString::fromUtf8("Kategória"),
                                  QString::fromUtf8("Terület"), "Rezsi", QString::fromUtf8("Törlesztőrészlet"),
                                  QString::fromUtf8("Kép"), QString::fromUtf8("Leírás")}));
    Nav *nav = m_window->ExtDBNavigator[1];
    QTest::mouseClick(nav->button(Nav::Last), Qt::LeftButton);
    QCOMPARE(grid->currentIndex().row(), 2);
    // A click on a disabled grid does not move the record.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
    QCOMPARE(m_window->HazakDB->recNo(), 3);
    // Rows inserted through the navigator appear in the grid.
    QTest::mouseClick(nav->button(Nav::Insert), Qt::LeftButton);
    m_window->HazakDB->fieldByName("Kategoria").setValue("Tanya");
    m_window->HazakDB->fieldByName("Terulet").setValue(90);
    m_window->HazakDB->fieldByName("Torleszto_reszlet").setValue(30000);
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->currentIndex().row(), m_window->HazakDB->recNo() - 1);
    // The tax grids title columns with the display labels too.
    QCOMPARE(m_window->DBGrid[8]->model()->headerData(0, Qt::Horizontal).toString(),
             QString::fromUtf8("Egészségügyi bizt. (%)"));
}

void TestMaintenance::professionGrid()
{
    makeWindow();
    m_window->PageControl->setCurrentIndex(9);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTableView *grid = m_window->DBGrid[9];
    QAbstractItemModel *model = grid->model();
    QCOMPARE(model->columnCount(), 5);
    const QStringList titles = {"Szakmanév", "Bruttó (min)", "Bruttó (max)", "Házastárs nettó", "Gyerekszám"};
    const int widths[] = {360, 97, 98, 94};
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(titles[c].toUtf8()));
        QCOMPARE(bool(model->flags(model->index(0, c)) & Qt::ItemIsEditable), c > 0);
        if (c < 4)
            QCOMPARE(grid->columnWidth(c), widths[c]);
    }
    // A click on a row moves the record.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(1, 0)).center());
    QCOMPARE(m_window->SzakmaDB->recNo(), 2);

    // Typing into a number cell edits; the name cell refuses typing.
    grid->setFocus();
    grid->setCurrentIndex(model->index(1, 0));
    QTest::keyClicks(grid->viewport(), "Hacker");
    QCOMPARE(model->index(1, 0).data().toString(), QString::fromUtf8("Bolti eladó"));
    QVERIFY(!model->setData(model->index(1, 0), "Hacker"));
    QVERIFY(model->setData(model->index(1, 4), 3));
    QTest::mouseClick(m_window->ExtDBNavigator[9]->button(Nav::Post), Qt::LeftButton);
    auto other = m_folder->table("szakma4.DB");
    other->next();
    QCOMPARE(other->fieldByName("Gyerekszam").asInteger(), 3);

    // A highest wage below the lowest, typed into its cell, is refused with the column's
    // title when the record is posted, and the record stays in edit.
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    appDialogs->clear();
    QVERIFY(model->setData(model->index(1, 2), 1000));
    QVERIFY(appDialogs->texts("error").isEmpty());
    QTest::mouseClick(m_window->ExtDBNavigator[9]->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(appDialogs->texts("error").size(), 1);
    QVERIFY(appDialogs->texts("error").first().contains(QString::fromUtf8("„Bruttó (max)”")));
    QCOMPARE(m_window->SzakmaDB->state(), DataSetState::Edit);
    QTest::mouseClick(m_window->ExtDBNavigator[9]->button(Nav::Cancel), Qt::LeftButton);
    QCOMPARE(model->index(1, 2).data(Qt::EditRole).toDouble(), 180000.0);
}

namespace {

// Opens a cell's editor with a click and a first keystroke, as a teacher does, and types on.
QLineEdit *typeIntoCell(QTableView *grid, int row, int column, const QString &text)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClicks(grid->viewport(), text.left(1));
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (editor)
        QTest::keyClicks(editor, text.mid(1));
    return editor;
}

}  // namespace

void TestMaintenance::professionGridEditsLikeTheBoundEdits()
{
    makeWindow();
    m_window->PageControl->setCurrentIndex(9);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTableView *grid = m_window->DBGrid[9];
    Nav *nav = m_window->ExtDBNavigator[9];
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    appDialogs->clear();
    auto stored = [this](const char *field) {
        auto other = m_folder->table("szakma4.DB");
        return other->fieldByName(field).asFloat();   // "Ács": 150000 .. 250000
    };

    // The first keystroke in a cell puts the record into edit: "Alkalmaz" and "Mégsem" light
    // up while the teacher is still typing, and "Mégsem" drops what was typed.
    QLineEdit *editor = typeIntoCell(grid, 0, 1, "160000");
    QVERIFY(editor);
    QCOMPARE(m_window->SzakmaDB->state(), DataSetState::Edit);
    QVERIFY(nav->button(Nav::Post)->isEnabled());
    QVERIFY(nav->button(Nav::Cancel)->isEnabled());
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(m_window->SzakmaDB->state(), DataSetState::Edit);
    QCOMPARE(stored("Brutto_min"), 150000.0);
    QTest::mouseClick(nav->button(Nav::Cancel), Qt::LeftButton);
    QCOMPARE(m_window->SzakmaDB->state(), DataSetState::Browse);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QString::fromUtf8("150\u00a0000\u00a0Ft"));
    QCOMPARE(stored("Brutto_min"), 150000.0);

    // A lowest wage above the old highest, the highest raised in the same row, is judged
    // when the row is posted: "Alkalmaz" stores both.
    QVERIFY(typeIntoCell(grid, 0, 1, "300000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(typeIntoCell(grid, 0, 2, "350000"));   // left open: "Alkalmaz" takes it too
    QVERIFY(appDialogs->texts("error").isEmpty());
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QVERIFY2(appDialogs->texts("error").isEmpty(), qPrintable(appDialogs->texts("error").join('\n')));
    QCOMPARE(m_window->SzakmaDB->state(), DataSetState::Browse);
    QCOMPARE(stored("Brutto_min"), 300000.0);
    QCOMPARE(stored("Brutto_max"), 350000.0);

    // A refused post keeps the row in edit with the message, also when another row is clicked.
    QVERIFY(typeIntoCell(grid, 0, 2, "1000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    QCOMPARE(appDialogs->texts("error").size(), 1);
    QVERIFY(appDialogs->texts("error").first().contains(QString::fromUtf8("„Bruttó (max)”")));
    QCOMPARE(m_window->SzakmaDB->state(), DataSetState::Edit);
    QCOMPARE(m_window->SzakmaDB->recNo(), 1);
    QCOMPARE(grid->currentIndex().row(), 0);
    QTest::mouseClick(nav->button(Nav::Cancel), Qt::LeftButton);
    QCOMPARE(stored("Brutto_max"), 350000.0);
    // Moving to another row posts a cell edit.
    QVERIFY(typeIntoCell(grid, 0, 4, "4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QTest::mouseClick(nav->button(Nav::Next), Qt::LeftButton);
    QCOMPARE(m_window->SzakmaDB->recNo(), 2);
    QCOMPARE(m_folder->table("szakma4.DB")->fieldByName("Gyerekszam").asInteger(), 4);
    appDialogs->clear();
}

void TestMaintenance::insertedRowShowsInTheGrid()
{
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTableView *grid = m_window->DBGrid[0];
    Nav *nav = m_window->ExtDBNavigator[1];
    QTest::mouseClick(nav->button(Nav::Next), Qt::LeftButton);   // "Családi ház"
    QTest::mouseClick(nav->button(Nav::Insert), Qt::LeftButton);
    // The new, empty row is the grid's current row, before the one that was current.
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->currentIndex().row(), 1);
    QVERIFY(grid->selectionModel()->isRowSelected(1, QModelIndex()));
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QString());
    QCOMPARE(grid->model()->index(2, 1).data().toString(), QString::fromUtf8("Családi ház"));
    // What is typed shows in it once it is handed over.
    auto *category = m_window->findChild<QLineEdit *>("DBEdit2");
    category->setFocus();
    QTest::keyClicks(category, "Tanya");
    m_window->findChild<QLineEdit *>("DBEdit3")->setFocus();
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QString("Tanya"));
    // "Mégsem" takes the row away and the old one is current again.
    QTest::mouseClick(nav->button(Nav::Cancel), Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->currentIndex().row(), 1);
    QCOMPARE(m_window->HazakDB->recordCount(), 3);
}

void TestMaintenance::typingBeforeEditSaysHowToStart()
{
    makeWindow();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    struct Case {
        int page;
        const char *control;
        bool told;
    };
    // The catalogue pages wait for "Szerkesztés"; the tax pages start the edit themselves.
    const Case cases[] = {{0, "DBEdit2", true},  {0, "DBMemo1", true}, {1, "DBEdit8", true},
                          {5, "DBEdit16", true}, {6, "DBEdit21", false}};
    for (const Case &c : cases) {
        m_window->PageControl->setCurrentIndex(c.page);
        m_window->StatusBar->clearMessage();
        auto *control = m_window->findChild<QWidget *>(c.control);
        QVERIFY2(control, c.control);
        control->setFocus();
        QTest::keyClicks(control, "7");
        const QString message = m_window->StatusBar->currentMessage();
        QVERIFY2(message.contains(QString::fromUtf8("„Szerkesztés”")) == c.told, qPrintable(message));
        if (!c.told)
            m_window->pageTable(c.page)->cancel();
    }
    QCOMPARE(m_window->HazakDB->state(), DataSetState::Browse);
}

void TestMaintenance::disabledGridsShowEveryColumn()
{
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    for (int g = 0; g < 9; ++g) {
        QTableView *grid = m_window->DBGrid[g];
        const int page = g;   // DBGrid1..9 are on the pages in their order
        m_window->PageControl->setCurrentIndex(page);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCOMPARE(grid->width(), 753);
        QAbstractItemModel *model = grid->model();
        QHeaderView *header = grid->horizontalHeader();
        const QFontMetrics titles(header->font());
        const QFontMetrics cells(grid->font());
        // Nothing lies beyond the grid: there is nothing to scroll to.
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString name = QStringLiteral("%1 column %2").arg(grid->objectName()).arg(c);
            QVERIFY2(header->sectionViewportPosition(c) + header->sectionSize(c) <= grid->viewport()->width(),
                     qPrintable(name));
            // The title wraps onto at most three lines, no word cut, all within the header.
            const QString title = model->headerData(c, Qt::Horizontal).toString();
            const int width = header->sectionSize(c) - 8;
            for (const QString &word : title.split(' '))
                QVERIFY2(titles.horizontalAdvance(word) <= width, qPrintable(name + ": " + word));
            const QRect box = titles.boundingRect(QRect(0, 0, width, 1000), Qt::AlignHCenter | Qt::TextWordWrap,
                                                  title);
            const int line = titles.boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, "Áj").height();
            QVERIFY2(box.height() <= 3 * line,
                     qPrintable(name + ": " + title + QString(" %1 px, %2 high").arg(width).arg(box.height())));
            QVERIFY2(box.height() <= header->height(), qPrintable(name + ": " + title));
            // Every value but a description's can be read whole.
            for (int r = 0; r < model->rowCount(); ++r) {
                const QString text = model->index(r, c).data().toString();
                if (title == QString::fromUtf8("Leírás"))
                    continue;
                QVERIFY2(cells.horizontalAdvance(text) <= header->sectionSize(c) - 4,
                         qPrintable(name + ": " + text));
            }
        }
    }
}

void TestMaintenance::pictureDialogShowsAPreview()
{
    const QString bmp = writeFile(m_files.filePath("piros.bmp"), encoded(testPicture(Qt::red), "BMP"));
    const QString jpg = writeFile(m_files.filePath("kek.jpg"), encoded(testPicture(Qt::blue), "JPG"));
    writeFile(m_files.filePath("level.txt"), "ez nem kép");
    TPictureFileDialog dialog(nullptr, QString::fromUtf8("Kép betöltése"), m_files.path(),
                              QString::fromUtf8("Minden fájl (*)"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QVERIFY(dialog.previewImage().isNull());
    // A click on a file in the list shows it beside the list, scaled, with its size.
    auto *list = dialog.findChild<QListView *>("listView");
    QVERIFY(list);
    auto clickFile = [&](const QString &name) {
        QModelIndex found;
        QTRY_VERIFY((found = [&] {
                         for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r) {
                             const QModelIndex i = list->model()->index(r, 0, list->rootIndex());
                             if (i.data().toString() == name)
                                 return i;
                         }
                         return QModelIndex();
                     }())
                        .isValid());
        list->scrollTo(found);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found).center());
    };
    clickFile("piros.bmp");
    QTRY_VERIFY(!dialog.previewImage().isNull());
    // Scaled to the preview, keeping its shape.
    const QSize shown = dialog.previewImage().size();
    QVERIFY(shown.width() <= dialog.previewLabel()->width() && shown.height() <= dialog.previewLabel()->height());
    QVERIFY(shown.width() > 200);
    QVERIFY(qAbs(shown.width() * 30 - shown.height() * 40) <= 40);
    QVERIFY(qRed(dialog.previewImage().pixel(shown.width() / 2, shown.height() / 2)) > 240);
    QVERIFY(!dialog.previewLabel()->pixmap().isNull());
    QCOMPARE(dialog.previewCaption()->text(), QString::fromUtf8("40 × 30 képpont"));
    clickFile("kek.jpg");
    QTRY_VERIFY(!dialog.previewImage().isNull() && qBlue(dialog.previewImage().pixel(50, 50)) > 200);
    // A file that is no picture says so and shows nothing.
    clickFile("level.txt");
    QTRY_VERIFY(dialog.previewImage().isNull());
    QVERIFY(dialog.previewCaption()->text().contains(QString::fromUtf8("nem kép")));
    // Choosing a picture gives its path.
    clickFile("piros.bmp");
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedFiles(), QStringList{bmp});
    Q_UNUSED(jpg);
}

void TestMaintenance::editsTakeTheFieldLengthAndAmountsAsShown()
{
    makeWindow();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // Names and categories stop at their field's length.
    const std::pair<const char *, int> limits[] = {{"DBEdit2", 25}, {"DBEdit7", 25}, {"DBEdit19", 20},
                                                   {"DBEdit25", 30}, {"DBEdit3", 0}, {"DBEdit21", 0}};
    for (const auto &[name, limit] : limits) {
        auto *edit = m_window->findChild<TDBEdit *>(name);
        QVERIFY2(edit, name);
        QCOMPARE(edit->lengthLimit(), limit);
    }
    Nav *nav = m_window->ExtDBNavigator[1];
    QTest::mouseClick(nav->button(Nav::Edit), Qt::LeftButton);
    auto *category = m_window->findChild<QLineEdit *>("DBEdit2");
    category->setFocus();
    category->selectAll();
    QTest::keyClicks(category, QString(30, QChar(u'x')));
    QCOMPARE(category->text(), QString(25, QChar(u'x')));
    // An amount shows as "12 500 Ft" and is taken back typed so.
    auto *costs = m_window->findChild<QLineEdit *>("DBEdit4");
    costs->setFocus();
    costs->selectAll();
    QTest::keyClicks(costs, "12 500 Ft");
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    QVERIFY2(appDialogs->texts("error").isEmpty(), qPrintable(appDialogs->texts("error").join('\n')));
    QCOMPARE(m_window->HazakDB->state(), DataSetState::Browse);
    m_window->findChild<QLineEdit *>("DBEdit3")->setFocus();
    QCOMPARE(costs->text(), QString::fromUtf8("12\u00a0500\u00a0Ft"));
    auto other = m_folder->table("Hazak.DB");
    QCOMPARE(other->fieldByName("Rezsi").asFloat(), 12500.0);
    QCOMPARE(other->fieldByName("Kategoria").asString(), QString(25, QChar(u'x')));
}

void TestMaintenance::gameReadsWhatTheUtilityWrote()
{
    makeWindow();
    m_session->saveConfig();
    m_window->PageControl->setCurrentIndex(2);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    Nav *nav = m_window->ExtDBNavigator[3];
    QTest::mouseClick(nav->button(Nav::Next), Qt::LeftButton);
    QTest::mouseClick(nav->button(Nav::Edit), Qt::LeftButton);
    auto *price = m_window->findChild<QLineEdit *>("DBEdit11");
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "4321");
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(m_window->ElelmiszerekDB->state(), DataSetState::Browse);

    // The game, started afterwards on the same folder and alias, sees the new price.
    shellfixture::CurrentFolder cwd(m_folder->path());
    shellfixture::Run run(m_files.filePath("engine.ini"));
    QVERIFY(run.game.create());
    QVERIFY(run.dialogs.shown.isEmpty());
    zdb::Table *food = run.game.DM->ElelmiszerekDB;
    QVERIFY(food->locate("Food_Key", 2));
    QCOMPARE(food->fieldByName("Atlagos_Ar").asFloat(), 4321.0);
}

// The month's surprise: off until the teacher turns it on (the folder's setting, read back
// by another session), and its events edited through the navigator with the engine's
// checks: a missing story and an amount out of range are refused naming the field, and the
// row stays in editing until it is right.
void TestMaintenance::surpriseSettingAndEvents()
{
    {
        auto year = m_folder->table("Adoev.DB");
        year->append();
        year->fieldByName("Ev").setValue(2026);
        year->fieldByName("Gyerek_koltseg").setValue(30000);
        year->post();
    }
    const auto setting = [this] {
        auto year = m_folder->table("Adoev.DB");
        year->first();
        return year->fieldByName("Meglepetes_be").isNull() ? false : year->fieldByName("Meglepetes_be").asBoolean();
    };
    makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // Opened from the results page, in a window of its own.
    m_window->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    TEventsPage *page = m_window->EventsWindow;
    QVERIFY(!page->isVisible());
    QTest::mouseClick(m_window->BitBtn5, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QVERIFY(page->isWindow());
    QCOMPARE(page->windowTitle(), QString::fromUtf8("Meglepetések"));
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());

    QVERIFY(!page->CheckBox60->isChecked());
    QVERIFY(!setting());
    QTest::mouseClick(page->CheckBox60, Qt::LeftButton);
    QVERIFY(page->CheckBox60->isChecked());
    QVERIFY(setting());

    Nav *nav = page->ExtDBNavigator60;
    const auto type = [](QLineEdit *edit, const QString &text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
    QTest::mouseClick(nav->button(Nav::Insert), Qt::LeftButton);
    type(page->DBEdit60, QStringLiteral("Mosogep"));
    type(page->DBEdit61, QStringLiteral("-45000"));
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(appDialogs->texts("error").size(), 1);
    QVERIFY2(appDialogs->texts("error").first().contains(QString::fromUtf8("Történet")),
             qPrintable(appDialogs->texts("error").first()));
    QVERIFY(page->MeglepetesDB->editing());
    type(page->DBEdit62, QStringLiteral("A szerelo kiszallasa es az alkatresz."));
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(appDialogs->texts("error").size(), 1);
    QCOMPARE(page->MeglepetesDB->state(), DataSetState::Browse);
    {
        auto events = m_folder->table("Meglepetes.db");
        QCOMPARE(events->recordCount(), 1);
        events->first();
        QCOMPARE(events->fieldByName("Megnevezes").asString(), QStringLiteral("Mosogep"));
        QCOMPARE(events->fieldByName("Osszeg").asFloat(), -45000.0);
    }

    QTest::mouseClick(nav->button(Nav::Edit), Qt::LeftButton);
    type(page->DBEdit61, QStringLiteral("-20000000"));
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(appDialogs->texts("error").size(), 2);
    QVERIFY2(appDialogs->texts("error").last().contains(QString::fromUtf8("Összeg (Ft)")),
             qPrintable(appDialogs->texts("error").last()));
    QVERIFY(page->MeglepetesDB->editing());
    QTest::mouseClick(nav->button(Nav::Cancel), Qt::LeftButton);
    QCOMPARE(page->MeglepetesDB->state(), DataSetState::Browse);
    QCOMPARE(m_folder->table("Meglepetes.db")->fieldByName("Osszeg").asFloat(), -45000.0);

    QTest::mouseClick(page->CheckBox60, Qt::LeftButton);
    QVERIFY(!setting());

    // An event left in editing is asked about when the utility closes; "Mégsem" keeps it open.
    QTest::mouseClick(nav->button(Nav::Edit), Qt::LeftButton);
    type(page->DBEdit60, QStringLiteral("Mosogep 2"));
    m_dialogs.askAnswers.enqueue(2);
    QVERIFY(!m_window->close());
    QVERIFY(m_dialogs.texts("ask").constLast().contains(QString::fromUtf8("„Meglepetések” ablakban")));
    QVERIFY(page->MeglepetesDB->editing());
    m_dialogs.askAnswers.enqueue(0);
    QVERIFY(m_window->close());
    QCOMPARE(m_folder->table("Meglepetes.db")->fieldByName("Megnevezes").asString(), QStringLiteral("Mosogep 2"));
}

ZOMIR_TEST_MAIN(TestMaintenance)
#include "tst_maintenance.moc"
