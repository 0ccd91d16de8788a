// The history of the maintenance window's changes on the real window: edits, new records,
// deletes and pictures posted through the navigators are recorded and undone (Ctrl+Z on the
// page, the "Változások…" list and its button), a field being typed in keeps its own Ctrl+Z,
// the history survives a restart and a folder made before it gets the table.

#include "controls/ExtDBNavigator.h"
#include "controls/dbcontrols.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "maintenance/Unit1.h"
#include "maintenance/history.h"
#include "maintenance/toolsmenu.h"
#include "tests/support/pgserver.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QAction>
#include <QBuffer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <limits>
#include <memory>

using namespace zdb;
using Nav = TExtDBNavigator;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// The "Élelmiszerek" page: its index, navigator and the edits of its category and price.
constexpr int kFoodPage = 2;

}  // namespace

class TestHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }
    void init();
    void cleanup();

    void menuInTheTabBarCorner();
    void editUndoneWithCtrlZ();
    void newAndDeletedRecordsUndone();
    void pictureRecordedAndUndone();
    void unchangedPictureLeftOutAndKept();
    void openListFollowsEveryChangeInOrder();
    void listAndItsButtonRule();
    void wholeTableEntries();
    void survivesARestart();
    void ctrlZInAFieldUndoesTheTypingOnly();
    void ctrlZWhileEditingSaysSo();
    void playersTableNeverRecorded();
    void folderMadeBeforeGetsTheTable();
    void classroomServer();

private:
    void makeWindow();
    Nav *foodNav() const { return m_window->ExtDBNavigator[kFoodPage + 1]; }
    TDBEdit *edit(const char *name) const { return m_window->findChild<TDBEdit *>(QLatin1String(name)); }
    void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // The price of the food row `key` as stored in the folder.
    double storedFoodPrice(int key)
    {
        auto t = m_folder->table("Elelmiszerek.DB");
        if (!t->locate("Food_Key", key))
            return -1;
        return t->fieldByName("Atlagos_Ar").asFloat();
    }
    void editFoodPrice(const QString &price)
    {
        QTest::mouseClick(foodNav()->button(Nav::Edit), Qt::LeftButton);
        typeInto(edit("DBEdit11"), price);
        QTest::mouseClick(foodNav()->button(Nav::Post), Qt::LeftButton);
        QCOMPARE(m_window->ElelmiszerekDB->state(), DataSetState::Browse);
    }
    void ctrlZ(QWidget *on) { QTest::keyClick(on, Qt::Key_Z, Qt::ControlModifier); }

    std::unique_ptr<shellfixture::WorkFolder> m_folder;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TZomir0001> m_window;
    ScriptedDialogs m_dialogs;
    QTemporaryDir m_files;
};

void TestHistory::init()
{
    m_folder = std::make_unique<shellfixture::WorkFolder>();
    m_folder->addCatalogueRow("Hazak.DB", u("Garzon"), 52000);
    for (const char *file : {"Kozlekedes.db", "Elelmiszerek.DB", "Ruhazkodas.db", "Hobbi.db", "Szorakozas.db"}) {
        m_folder->addCatalogueRow(file, "Tej", 289);
        m_folder->addCatalogueRow(file, "Kenyer", 650);
    }
    m_folder->addProfession(u("Ács"), 150000, 250000, 2);
    {
        auto t = m_folder->table("jarulek.db");
        t->append();
        for (const char *f : {"Ebizt", "Mvjarulek", "Nybjarulek", "MUNKALTATO_JARULEK", "Ajkulcs", "Ajcsokulcs"})
            t->fieldByName(f).setValue(10.0);
        t->fieldByName("Ajhatar").setValue(1500000.0);
        t->fieldByName("Ajosszeg").setValue(120000.0);
        t->fieldByName("Ajfelsoh").setValue(3000000.0);
        t->post();
        auto y = m_folder->table("Adoev.DB");
        y->append();
        y->fieldByName("Ev").setValue(2026);
        y->fieldByName("Gyerek_koltseg").setValue(30000.0);
        y->post();
    }
    QFile::remove(m_files.filePath("engine.ini"));
    m_session = std::make_unique<Session>(m_files.filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
    m_dialogs = ScriptedDialogs();
}

void TestHistory::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_folder.reset();
}

void TestHistory::makeWindow()
{
    m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs);
    QVERIFY(m_window->History);
    QVERIFY(m_window->ToolsMenu);
    m_window->PageControl->setCurrentIndex(kFoodPage);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestHistory::menuInTheTabBarCorner()
{
    makeWindow();
    TToolsMenu *tools = m_window->ToolsMenu;
    QCOMPARE(m_window->PageControl->cornerWidget(Qt::TopRightCorner), tools->Button);
    QCOMPARE(tools->Button->text(), u("Eszközök"));
    // The history's two actions first, then the content tools, in groups.
    const QList<QAction *> actions = tools->Menu->actions();
    QCOMPARE(actions.size(), 9);
    QCOMPARE(actions.mid(0, 2), (QList<QAction *>{tools->UndoAction, tools->ChangesAction}));
    QVERIFY(actions[2]->isSeparator() && actions[6]->isSeparator());
    QCOMPARE(actions.mid(3, 3), (QList<QAction *>{tools->ExportAction, tools->ImportAction, tools->OriginalAction}));
    QCOMPARE(actions.mid(7, 2), (QList<QAction *>{tools->BackupAction, tools->RestoreBackupAction}));
    QCOMPARE(tools->UndoAction->text(), u("Visszavonás"));
    QCOMPARE(tools->UndoAction->shortcut(), QKeySequence(QKeySequence::Undo));
    QCOMPARE(tools->ChangesAction->text(), u("Változások…"));
    // Every tab still shows beside it, without the tab bar's scroll arrows.
    QTabBar *bar = m_window->PageControl->tabBar();
    QVERIFY2(bar->tabRect(bar->count() - 1).right() <= bar->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(bar->tabRect(bar->count() - 1).right()).arg(bar->width())));
    for (const QToolButton *arrow : bar->findChildren<QToolButton *>())
        QVERIFY(!arrow->isVisible());
    QVERIFY(tools->Button->geometry().left() >= bar->geometry().right());
    // Nothing to undo yet: the status bar says so.
    ctrlZ(foodNav());
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Ezen a lapon nincs visszavonható változás."));
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestHistory::editUndoneWithCtrlZ()
{
    makeWindow();
    editFoodPrice("319");
    QCOMPARE(storedFoodPrice(1), 319.0);
    QList<THistory::Entry> entries = m_window->History->entries();
    QCOMPARE(entries.size(), 1);
    const THistory::Entry &e = entries.first();
    QCOMPARE(e.kind, u("Módosítás"));
    QCOMPARE(e.table, u("Elelmiszerek.DB"));
    QCOMPARE(e.row, 1);
    QCOMPARE(e.summary, u("Tej: Átlagos ár 289 Ft → 319 Ft"));
    QCOMPARE(QDateTime::fromString(e.time, "yyyy-MM-dd HH:mm:ss").isValid(), true);
    QVERIFY(e.before.contains("\"Atlagos_Ar\":289"));
    QVERIFY(e.after.contains("\"Atlagos_Ar\":319"));

    // Another page's last change is not this page's: Ctrl+Z there finds none.
    m_window->PageControl->setCurrentIndex(0);
    ctrlZ(m_window->ExtDBNavigator[1]);
    QCOMPARE(storedFoodPrice(1), 319.0);

    m_window->PageControl->setCurrentIndex(kFoodPage);
    m_window->ElelmiszerekDB->last();   // the undo brings the page to the record
    ctrlZ(foodNav());
    QCOMPARE(storedFoodPrice(1), 289.0);
    QCOMPARE(m_window->ElelmiszerekDB->fieldByName("Food_Key").asInteger(), 1);
    QCOMPARE(edit("DBEdit11")->text().remove(u(" Ft")), u("289"));
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Visszavonva: Tej: Átlagos ár 289 Ft → 319 Ft"));
    entries = m_window->History->entries();
    QCOMPARE(entries.size(), 1);   // the undo's own write is no new change
    QVERIFY(entries.first().undone);
    // Undone once: a second Ctrl+Z has nothing left.
    ctrlZ(foodNav());
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Ezen a lapon nincs visszavonható változás."));
}

void TestHistory::newAndDeletedRecordsUndone()
{
    makeWindow();
    Table *food = m_window->ElelmiszerekDB;
    QTest::mouseClick(foodNav()->button(Nav::Insert), Qt::LeftButton);
    typeInto(edit("DBEdit10"), "Sajt");
    typeInto(edit("DBEdit11"), "1200");
    QTest::mouseClick(foodNav()->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(food->recordCount(), 3);
    const int newKey = food->fieldByName("Food_Key").asInteger();
    QCOMPARE(m_window->History->entries().first().kind, u("Új rekord"));
    QCOMPARE(m_window->History->entries().first().summary, u("Sajt: új rekord"));
    ctrlZ(foodNav());
    QCOMPARE(food->recordCount(), 2);
    QCOMPARE(storedFoodPrice(newKey), -1.0);
    QCOMPARE(m_window->DBGrid[kFoodPage]->model()->rowCount(), 2);

    // A deleted row comes back under its key with its values, the grid showing it.
    food->first();
    food->next();
    QCOMPARE(food->fieldByName("Kategoria").asString(), u("Kenyer"));
    m_dialogs.askAnswers.enqueue(0);
    QTest::mouseClick(foodNav()->button(Nav::Delete), Qt::LeftButton);
    QCOMPARE(food->recordCount(), 1);
    QCOMPARE(m_window->History->entries().first().kind, u("Törlés"));
    QCOMPARE(m_window->History->entries().first().summary, u("Kenyer: törölve"));
    ctrlZ(foodNav());
    QCOMPARE(food->recordCount(), 2);
    QCOMPARE(food->fieldByName("Food_Key").asInteger(), 2);
    QCOMPARE(food->fieldByName("Kategoria").asString(), u("Kenyer"));
    QCOMPARE(storedFoodPrice(2), 650.0);
    QCOMPARE(m_window->DBGrid[kFoodPage]->model()->rowCount(), 2);
    QCOMPARE(edit("DBEdit10")->text(), u("Kenyer"));
    // Its earlier history still names the row: an edit after it and its undo work on it.
    editFoodPrice("700");
    ctrlZ(foodNav());
    QCOMPARE(storedFoodPrice(2), 650.0);
    QVERIFY(m_dialogs.texts("error").isEmpty());
}

void TestHistory::pictureRecordedAndUndone()
{
    makeWindow();
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = m_files.filePath("kep.png");
    QVERIFY(image.save(path));
    m_dialogs.openAnswers.enqueue(path);
    QTest::mouseClick(m_window->DBImage[2], Qt::LeftButton);
    QVERIFY(!m_window->ElelmiszerekDB->fieldByName("Kep").asBytes().isEmpty());
    const THistory::Entry e = m_window->History->entries().first();
    QCOMPARE(e.kind, u("Kép"));
    QCOMPARE(e.summary, u("Tej: Kép: új kép"));
    QVERIFY(e.after.contains("\"Kep\":\"Qk"));   // the bitmap's bytes in base64 ("BM…")
    ctrlZ(foodNav());
    QVERIFY(m_window->ElelmiszerekDB->fieldByName("Kep").asBytes().isEmpty());
    QVERIFY(m_folder->table("Elelmiszerek.DB")->fieldByName("Kep").asBytes().isEmpty());
    QVERIFY(m_window->DBImage[2]->picture().isNull());
}

// An edit that leaves a record's picture as it was does not carry the picture in its entry,
// and its undo keeps the picture; a delete and a new picture carry it whole and bring it back.
void TestHistory::unchangedPictureLeftOutAndKept()
{
    const auto bitmap = [](Qt::GlobalColor color) {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(color);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        return bytes;
    };
    const QByteArray blue = bitmap(Qt::blue), green = bitmap(Qt::green);
    {
        auto t = m_folder->table("Elelmiszerek.DB");
        for (const auto &[key, bytes] : {std::pair<int, QByteArray>{1, blue}, {2, green}}) {
            QVERIFY(t->locate("Food_Key", key));
            t->edit();
            t->fieldByName("Kep").setValue(bytes);
            t->post();
        }
    }
    const auto storedPicture = [&](int key) {
        auto t = m_folder->table("Elelmiszerek.DB");
        return t->locate("Food_Key", key) ? t->fieldByName("Kep").asBytes() : QByteArray("none");
    };
    makeWindow();
    Table *food = m_window->ElelmiszerekDB;

    editFoodPrice("319");
    THistory::Entry e = m_window->History->entries().first();
    QCOMPARE(e.summary, u("Tej: Átlagos ár 289 Ft → 319 Ft"));
    QVERIFY(e.before.contains("\"Atlagos_Ar\":289") && e.after.contains("\"Atlagos_Ar\":319"));
    QVERIFY2(!e.before.contains("Kep") && !e.after.contains("Kep"), e.before.constData());
    QVERIFY(e.before.size() < 300);
    ctrlZ(foodNav());
    QCOMPARE(storedFoodPrice(1), 289.0);
    QCOMPARE(storedPicture(1), blue);
    QCOMPARE(food->fieldByName("Kep").asBytes(), blue);
    QVERIFY(!m_window->DBImage[2]->picture().isNull());

    // A new picture: the entry holds the old one, and the undo puts it back.
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString path = m_files.filePath("piros.png");
    QVERIFY(red.save(path));
    m_dialogs.openAnswers.enqueue(path);
    QTest::mouseClick(m_window->DBImage[2], Qt::LeftButton);
    QVERIFY(storedPicture(1) != blue);
    e = m_window->History->entries().first();
    QCOMPARE(e.kind, u("Kép"));
    QVERIFY(e.before.contains(QByteArray("\"Kep\":\"") + blue.toBase64() + '"'));
    QVERIFY(e.after.contains("\"Kep\":\"Qk"));
    ctrlZ(foodNav());
    QCOMPARE(storedPicture(1), blue);

    // A deleted record comes back with its picture.
    food->last();
    QCOMPARE(food->fieldByName("Kategoria").asString(), u("Kenyer"));
    m_dialogs.askAnswers.enqueue(0);
    QTest::mouseClick(foodNav()->button(Nav::Delete), Qt::LeftButton);
    QCOMPARE(storedPicture(2), QByteArray("none"));
    QVERIFY(m_window->History->entries().first().before.contains(QByteArray("\"Kep\":\"") + green.toBase64() + '"'));
    ctrlZ(foodNav());
    QCOMPARE(storedPicture(2), green);
    QCOMPARE(storedFoodPrice(2), 650.0);
    QVERIFY(m_dialogs.texts("error").isEmpty());
}

// The open list takes each new entry on top as it is stored; it holds what reading the
// history again gives, newest first, and a closed list is read again when shown.
void TestHistory::openListFollowsEveryChangeInOrder()
{
    makeWindow();
    m_window->ToolsMenu->showChanges();
    TChangesWindow *w = m_window->ToolsMenu->ChangesWindow;
    QVERIFY(w->isVisible());
    QCOMPARE(w->List->topLevelItemCount(), 0);
    const auto listed = [&] {
        QStringList rows;
        for (int i = 0; i < w->List->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = w->List->topLevelItem(i);
            rows << QStringLiteral("%1|%2|%3|%4|%5")
                        .arg(item->data(0, Qt::UserRole).toLongLong())
                        .arg(item->text(0), item->text(1), item->text(2), item->text(3));
        }
        return rows;
    };
    Table *food = m_window->ElelmiszerekDB;
    editFoodPrice("300");
    food->next();
    editFoodPrice("700");
    QTest::mouseClick(foodNav()->button(Nav::Insert), Qt::LeftButton);
    typeInto(edit("DBEdit10"), "Sajt");
    typeInto(edit("DBEdit11"), "1200");
    QTest::mouseClick(foodNav()->button(Nav::Post), Qt::LeftButton);
    m_dialogs.askAnswers.enqueue(0);
    QTest::mouseClick(foodNav()->button(Nav::Delete), Qt::LeftButton);
    m_window->History->recordTables(u("Importálás"), {"Hobbi.db"}, "{}", "{}", u("Importálás: 1 tábla"));
    const QStringList expected = {u("Importálás: 1 tábla"), u("Sajt: törölve"), u("Sajt: új rekord"),
                                  u("Kenyer: Átlagos ár 650 Ft → 700 Ft"), u("Tej: Átlagos ár 289 Ft → 300 Ft")};
    QStringList summaries;
    qint64 previous = std::numeric_limits<qint64>::max();
    for (int i = 0; i < w->List->topLevelItemCount(); ++i) {
        summaries << w->List->topLevelItem(i)->text(3);
        const qint64 key = w->List->topLevelItem(i)->data(0, Qt::UserRole).toLongLong();
        QVERIFY(key < previous);
        previous = key;
    }
    QCOMPARE(summaries, expected);
    QCOMPARE(w->List->currentItem(), w->List->topLevelItem(4));   // the first one stays chosen
    // The first edit of Tej is not followed by another of Tej: it can go.
    QVERIFY(w->UndoButton->isEnabled());
    const QStringList followed = listed();
    w->reread();
    QCOMPARE(listed(), followed);
    QStringList stored;
    for (const THistory::Entry &e : m_window->History->entries())
        stored << e.summary;
    QCOMPARE(stored, expected);

    // Closed, it is not kept up; shown again, it holds the change made meanwhile.
    w->close();
    food->first();
    editFoodPrice("310");
    m_window->ToolsMenu->showChanges();
    QCOMPARE(w->List->topLevelItemCount(), 6);
    QCOMPARE(w->List->topLevelItem(0)->text(3), u("Tej: Átlagos ár 300 Ft → 310 Ft"));
    // Now the Tej entry the list had chosen is followed by this one: its button waits.
    QCOMPARE(w->List->currentItem()->text(3), u("Tej: Átlagos ár 289 Ft → 300 Ft"));
    QVERIFY(!w->UndoButton->isEnabled());
    QVERIFY(w->Reason->text().contains(u("300 Ft → 310 Ft")));
}

void TestHistory::listAndItsButtonRule()
{
    makeWindow();
    editFoodPrice("300");   // Tej, twice
    editFoodPrice("310");
    m_window->ElelmiszerekDB->next();
    editFoodPrice("700");   // Kenyer
    // The menu opens on the click and takes its keys while it is open.
    QMenu *menu = m_window->ToolsMenu->Menu;
    QTimer::singleShot(50, menu, [menu] {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(m_window->ToolsMenu->Button, Qt::LeftButton);
    TChangesWindow *w = m_window->ToolsMenu->ChangesWindow;
    QVERIFY(w);
    QTRY_VERIFY(w->isVisible());
    QTreeWidget *list = w->List;
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->headerItem()->text(0), u("Idő"));
    // Newest first: page, kind and summary.
    QCOMPARE(list->topLevelItem(0)->text(1), u("Élelmiszerek"));
    QCOMPARE(list->topLevelItem(0)->text(2), u("Módosítás"));
    QCOMPARE(list->topLevelItem(0)->text(3), u("Kenyer: Átlagos ár 650 Ft → 700 Ft"));
    QCOMPARE(list->topLevelItem(2)->text(3), u("Tej: Átlagos ár 289 Ft → 300 Ft"));

    // The first edit of Tej is followed by the second: its button waits, saying why.
    const auto select = [&](int row) {
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(row));
    };
    select(2);
    QVERIFY(!w->UndoButton->isEnabled());
    QVERIFY(w->Reason->text().contains(u("Tej: Átlagos ár 300 Ft → 310 Ft")));
    QCOMPARE(w->UndoButton->toolTip(), w->Reason->text());
    // Kenyer's change does not block Tej's; Tej's second edit can go.
    select(1);
    QVERIFY(w->UndoButton->isEnabled());
    QVERIFY(w->Reason->text().isEmpty());
    QTest::mouseClick(w->UndoButton, Qt::LeftButton);
    QCOMPARE(storedFoodPrice(1), 300.0);
    QCOMPARE(m_window->StatusBar->currentMessage(), u("Visszavonva: Tej: Átlagos ár 300 Ft → 310 Ft"));
    QCOMPARE(list->topLevelItem(1)->text(2), u("Módosítás (visszavonva)"));
    // Still selected and undone: no second undo of it.
    QCOMPARE(list->currentItem(), list->topLevelItem(1));
    QVERIFY(!w->UndoButton->isEnabled());
    // Now the first edit of Tej is free.
    select(2);
    QVERIFY(w->UndoButton->isEnabled());
    QTest::mouseClick(w->UndoButton, Qt::LeftButton);
    QCOMPARE(storedFoodPrice(1), 289.0);
    QCOMPARE(storedFoodPrice(2), 700.0);
    QVERIFY(m_dialogs.texts("error").isEmpty());

    // The list window follows new changes while open.
    m_window->ElelmiszerekDB->first();
    editFoodPrice("295");
    QCOMPARE(list->topLevelItemCount(), 4);
    // Escape closes it, as it does a dialog.
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TestHistory::wholeTableEntries()
{
    makeWindow();
    THistory *history = m_window->History;
    editFoodPrice("300");
    const qint64 before = history->entries().first().key;
    QList<QByteArray> undone;
    const qint64 whole = history->recordTables(u("Importálás"), {"Elelmiszerek.DB", "Hobbi.db"}, "{\"elotte\":1}",
                                               "{\"utana\":1}", u("Importálás: 2 tábla"));
    QCOMPARE(history->entries().first().key, whole);
    QCOMPARE(history->entries().first().row, 0);
    // Without an undo wired there is none (the window wires the content tools' one).
    history->setTableUndo({});
    QVERIFY(!history->undoBlocker(whole).isEmpty());
    history->setTableUndo([&](const QByteArray &json) { undone.append(json); });
    QVERIFY(history->undoBlocker(whole).isEmpty());
    // It counts as a change of every record of its tables: the edit before it waits.
    QVERIFY(!history->undoBlocker(before).isEmpty());
    // A table it did not touch is free.
    m_window->PageControl->setCurrentIndex(0);
    m_window->HazakDB->edit();
    m_window->HazakDB->fieldByName("Kategoria").setValue(u("Garzonlakás"));
    m_window->HazakDB->post();
    const qint64 house = history->entries().first().key;
    QVERIFY(history->undoBlocker(house).isEmpty());
    QVERIFY(history->undoBlocker(whole).isEmpty());
    // A record change after it, of its tables, blocks it.
    m_window->PageControl->setCurrentIndex(kFoodPage);
    editFoodPrice("320");
    QVERIFY(history->undoBlocker(whole).contains(u("Tej: Átlagos ár 300 Ft → 320 Ft")));
    ctrlZ(foodNav());
    QCOMPARE(storedFoodPrice(1), 300.0);
    // Ctrl+Z on the page undoes records only: the whole-table entry stays for the list.
    ctrlZ(foodNav());
    QVERIFY(undone.isEmpty());
    QCOMPARE(history->undo(whole), u("Importálás: 2 tábla"));
    QCOMPARE(undone, QList<QByteArray>{"{\"elotte\":1}"});
    QVERIFY(history->undoBlocker(before).isEmpty());
}

void TestHistory::survivesARestart()
{
    makeWindow();
    editFoodPrice("319");
    m_window.reset();
    m_session.reset();
    m_session = std::make_unique<Session>(m_files.filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
    makeWindow();
    QCOMPARE(m_window->History->entries().size(), 1);
    ctrlZ(foodNav());
    QCOMPARE(storedFoodPrice(1), 289.0);
    m_window.reset();
    m_session = std::make_unique<Session>(m_files.filePath("engine2.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
    THistory again(m_session.get());
    QVERIFY(again.entries().first().undone);
}

void TestHistory::ctrlZInAFieldUndoesTheTypingOnly()
{
    makeWindow();
    editFoodPrice("319");
    QTest::mouseClick(foodNav()->button(Nav::Edit), Qt::LeftButton);
    TDBEdit *category = edit("DBEdit10");
    category->setFocus();
    category->end(false);
    QTest::keyClicks(category, "xyz");
    QCOMPARE(category->text(), u("Tejxyz"));
    ctrlZ(category);
    QVERIFY2(!category->text().contains("xyz"), qPrintable(category->text()));
    QVERIFY(m_window->ElelmiszerekDB->editing());
    QCOMPARE(storedFoodPrice(1), 319.0);
    QVERIFY(!m_window->History->entries().first().undone);
    QTest::mouseClick(foodNav()->button(Nav::Cancel), Qt::LeftButton);
    // A field with no typing to undo lets the window have Ctrl+Z.
    category->setFocus();
    ctrlZ(category);
    QCOMPARE(storedFoodPrice(1), 289.0);
}

void TestHistory::ctrlZWhileEditingSaysSo()
{
    makeWindow();
    editFoodPrice("319");
    QTest::mouseClick(foodNav()->button(Nav::Edit), Qt::LeftButton);
    typeInto(edit("DBEdit11"), "400");
    foodNav()->setFocus();
    ctrlZ(foodNav());
    QVERIFY(m_window->StatusBar->currentMessage().contains(u("szerkesztés alatt áll")));
    QVERIFY(m_window->ElelmiszerekDB->editing());
    QVERIFY(edit("DBEdit11")->text().startsWith(u("400")));   // the typing kept
    QCOMPARE(storedFoodPrice(1), 319.0);
    // The list's button says the same in the error box.
    m_window->ToolsMenu->showChanges();
    TChangesWindow *w = m_window->ToolsMenu->ChangesWindow;
    w->List->setCurrentItem(w->List->topLevelItem(0));
    QTest::mouseClick(w->UndoButton, Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("error").size(), 1);
    QVERIFY(m_dialogs.texts("error").first().contains(u("„Élelmiszerek” lap")));
    QCOMPARE(storedFoodPrice(1), 319.0);
}

void TestHistory::playersTableNeverRecorded()
{
    makeWindow();
    m_window->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    QVERIFY(m_window->JatekosokDB);
    QVERIFY(m_window->JatekosokDB->active());
    Table *players = m_window->JatekosokDB;
    players->append();
    players->fieldByName("Nev").setValue(u("Diák Dóra"));
    players->post();
    players->deleteRecord();
    QVERIFY(m_window->History->entries().isEmpty());
    QVERIFY(m_window->History->pageOf("Jatekosok.DB").isEmpty());
}

void TestHistory::folderMadeBeforeGetsTheTable()
{
    QVERIFY(QFile::remove(QDir(m_folder->db()).filePath("Valtozasok.db")));
    makeWindow();
    QVERIFY(QFile::exists(QDir(m_folder->db()).filePath("Valtozasok.db")));
    QVERIFY(m_window->History->entries().isEmpty());
    editFoodPrice("319");
    QCOMPARE(m_window->History->entries().size(), 1);
}

// The same on a class's server, through the teacher's role: an edit and a delete undone
// (the row back under its key), and the history read again by a new session.
void TestHistory::classroomServer()
{
    PgServer server;
    QString error;
    QVERIFY2(server.start(&error), qPrintable(error));
    QVERIFY(server.createDatabase("osztaly"));
    {
        Session admin(m_files.filePath("admin.ini"));
        admin.setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("osztaly")));
        std::shared_ptr<Storage> storage = admin.storage("DB_ZOMIR");
        for (const TableDef &def : schema())
            storage->createTable(def);
        storage->grantRoles("zomir_diak", "zomir_tanar", schema(), {"Jatekosok.DB"});
        Table food(&admin);
        food.setAliasName("DB_ZOMIR");
        food.setTableName("Elelmiszerek.DB");
        food.open();
        for (const auto &[name, price] : {std::pair<const char *, double>{"Tej", 289}, {"Kenyer", 650}}) {
            food.append();
            food.fieldByName("Kategoria").setValue(u(name));
            food.fieldByName("Atlagos_Ar").setValue(price);
            food.post();
        }
    }
    const auto teacher = [&](const char *ini) {
        auto session = std::make_unique<Session>(m_files.filePath(ini));
        session->setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("osztaly", "zomir_tanar")));
        return session;
    };
    m_session = teacher("tanar.ini");
    makeWindow();
    Table *food = m_window->ElelmiszerekDB;
    const auto storedPrice = [&](int key) {
        Table t(m_session.get());
        t.setAliasName("DB_ZOMIR");
        t.setTableName("Elelmiszerek.DB");
        t.open();
        return t.locate("Food_Key", key) ? t.fieldByName("Atlagos_Ar").asFloat() : -1.0;
    };
    editFoodPrice("319");
    QCOMPARE(storedPrice(1), 319.0);
    QCOMPARE(m_window->History->entries().first().summary, u("Tej: Átlagos ár 289 Ft → 319 Ft"));
    ctrlZ(foodNav());
    QCOMPARE(storedPrice(1), 289.0);

    food->last();
    m_dialogs.askAnswers.enqueue(0);
    QTest::mouseClick(foodNav()->button(Nav::Delete), Qt::LeftButton);
    QCOMPARE(storedPrice(2), -1.0);
    ctrlZ(foodNav());
    QCOMPARE(storedPrice(2), 650.0);
    QCOMPARE(food->fieldByName("Food_Key").asInteger(), 2);
    QVERIFY2(m_dialogs.texts("error").isEmpty(), qPrintable(m_dialogs.texts("error").join('\n')));

    m_window.reset();
    m_session = teacher("tanar2.ini");
    THistory again(m_session.get());
    const QList<THistory::Entry> entries = again.entries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).kind, u("Törlés"));
    QVERIFY(entries.at(0).undone && entries.at(1).undone);
    m_session.reset();
}

ZOMIR_TEST_MAIN(TestHistory)
#include "tst_history.moc"
