// The table model: rows read without moving the table, row-level notices that follow the
// table, a view that follows the current row and moves it, and cells edited through the table.

#include "controls/datasource.h"
#include "db/engine.h"
#include "db/schema.h"
#include "controls/tablemodel.h"
#include "tests/support/testenv.h"
#include "tests/support/tablerows.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>

using namespace zdb;
using tablerows::addCatalogueRow;

namespace {

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<Session> session;

    Fixture()
    {
        for (const TableDef &def : schema())
            createTable(dir.path(), def);
        session = std::make_unique<Session>(dir.filePath("engine.ini"));
        session->addStandardAlias(gameAlias(), dir.path());
    }

    std::unique_ptr<Table> table(const QString &file, const QString &order = QString())
    {
        auto t = std::make_unique<Table>(session.get());
        t->setAliasName(gameAlias());
        t->setTableName(file);
        if (!order.isEmpty())
            t->setIndexFieldNames(order);
        t->open();
        return t;
    }

    // Many rows written straight into the file, in one transaction.
    void fillProfessions(int rows)
    {
        const QString name = "filler";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(dir.filePath("szakma4.DB"));
            db.open();
            db.transaction();
            QSqlQuery q(db);
            q.prepare("INSERT INTO szakma4 (Szakma_nev, Brutto_min, Brutto_max, Gyerekszam) VALUES (?,?,?,?)");
            for (int i = 0; i < rows; ++i) {
                q.addBindValue(QString("Szakma %1").arg(i + 1));
                q.addBindValue(200000.0 + i);
                q.addBindValue(400000.0 + i);
                q.addBindValue(i % 4);
                q.exec();
            }
            db.commit();
        }
        QSqlDatabase::removeDatabase(name);
    }
};

QStringList column(const QAbstractItemModel &model, int column)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, column).data().toString();
    return out;
}

}  // namespace

class TestTableModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }
    void readingEveryRowNeitherMovesNorPosts();
    void titlesAndTexts();
    void followsInsertsDeletesAndEditsOfTheTable();
    void followsRowsAStatementDeletes();
    void viewFollowsAndMovesTheCurrentRow();
    void editableColumnWritesThroughTheTable();
    void cellEditorsEditTheRecord();
    void insertedRowShowsInTheView();
};

void TestTableModel::readingEveryRowNeitherMovesNorPosts()
{
    Fixture fx;
    fx.fillProfessions(1000);
    auto t = fx.table("szakma4.DB");
    t->setRecNo(500);
    TDataSource source(t.get());
    TTableModel model(&source);
    QSignalSpy moved(t.get(), &Table::currentChanged);
    QSignalSpy state(t.get(), &Table::stateChanged);
    QSignalSpy rows(t.get(), &Table::rowChanged);
    QSignalSpy inserted(t.get(), &Table::rowsInserted);

    QCOMPARE(model.rowCount(), 1000);
    QCOMPARE(model.columnCount(), 12);
    int filled = 0;
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            if (!model.index(r, c).data().toString().isEmpty())
                ++filled;
    QCOMPARE(filled, 1000 * 5);   // key, name, two wages, children
    QCOMPARE(model.index(999, 1).data().toString(), QString("Szakma 1000"));
    QCOMPARE(moved.count(), 0);
    QCOMPARE(state.count(), 0);
    QCOMPARE(rows.count(), 0);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(t->recNo(), 500);
    QCOMPARE(t->state(), DataSetState::Browse);
}

void TestTableModel::titlesAndTexts()
{
    Fixture fx;
    auto t = fx.table("Hazak.DB");
    t->append();
    t->fieldByName("Kategoria").setValue("Panellakás");
    t->fieldByName("Terulet").setValue(54.5);
    t->fieldByName("Torleszto_reszlet").setValue(45000);
    t->fieldByName("Leiras").setValue("Első sor\nmásodik sor");
    t->fieldByName("Kep").setValue(QByteArray("BM..."));
    t->post();
    TDataSource source(t.get());
    TTableModel model(&source);
    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c)
        titles << model.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{"Azonosító", "Kategória", "Terület", "Rezsi", "Törlesztőrészlet", "Kép",
                                  "Leírás"}));
    QCOMPARE(model.index(0, 2).data().toString(), QString("54,5"));
    QCOMPARE(model.index(0, 3).data().toString(), QString());
    QCOMPARE(model.index(0, 4).data().toString(), QString("45\u00a0000\u00a0Ft"));
    QCOMPARE(model.index(0, 5).data().toString(), QString("(kép)"));
    QCOMPARE(model.index(0, 6).data().toString(), QString("Első sor"));
    QCOMPARE(model.index(0, 4).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
             Qt::AlignRight);

    // Chosen columns with their own titles.
    model.setColumns({{"Kategoria", "Név", false}, {"Nincs_ilyen", QString(), false}});
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Név"));
    QCOMPARE(model.index(0, 0).data().toString(), QString("Panellakás"));
    QCOMPARE(model.index(0, 1).data(), QVariant());

    t->close();
    QCOMPARE(model.rowCount(), 0);
    t->open();
    QCOMPARE(model.rowCount(), 1);
    source.setEnabled(false);
    QCOMPARE(model.rowCount(), 0);
}

void TestTableModel::followsInsertsDeletesAndEditsOfTheTable()
{
    Fixture fx;
    auto t = fx.table("Ruhazkodas.db", "Kategoria");   // edits of the name move rows
    for (const char *name : {"Divatos", "Használt", "Márkás"})
        addCatalogueRow(*t, QString::fromUtf8(name), 10000);
    TDataSource source(t.get());
    TTableModel model(&source);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy movedRows(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    // A new row shows before the current one while it is being filled in, and takes its
    // place in the order when it is posted.
    QCOMPARE(t->recNo(), 3);
    t->append();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 2);
    t->fieldByName("Kategoria").setValue("Alap");
    t->fieldByName("Atlagos_Ar").setValue(5000);
    QCOMPARE(column(model, 1), (QStringList{"Divatos", "Használt", "Alap", "Márkás"}));
    t->post();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.last().at(1).toInt(), 0);
    QCOMPARE(column(model, 1), (QStringList{"Alap", "Divatos", "Használt", "Márkás"}));
    inserted.clear();
    removed.clear();

    // An edit in place changes one row, which shows the edit buffer until it is posted; an
    // edit of the order field moves it.
    t->locate("Kategoria", "Divatos");
    changed.clear();
    t->edit();
    t->fieldByName("Atlagos_Ar").setValue(12000);
    QCOMPARE(model.index(1, 2).data().toString(), QString("12\u00a0000\u00a0Ft"));
    t->post();
    QVERIFY(!changed.isEmpty());
    for (const QList<QVariant> &notice : std::as_const(changed))
        QCOMPARE(notice.at(0).toModelIndex().row(), 1);
    QCOMPARE(model.index(1, 2).data().toString(), QString("12\u00a0000\u00a0Ft"));
    t->edit();
    t->fieldByName("Kategoria").setValue("Olcsó");
    t->post();
    QCOMPARE(movedRows.count(), 1);
    QCOMPARE(column(model, 1), (QStringList{"Alap", "Használt", "Márkás", "Olcsó"}));
    t->first();
    t->edit();
    t->fieldByName("Kategoria").setValue("Zöld");
    t->post();
    QCOMPARE(column(model, 1), (QStringList{"Használt", "Márkás", "Olcsó", "Zöld"}));

    t->locate("Kategoria", QString::fromUtf8("Márkás"));
    t->deleteRecord();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(column(model, 1), (QStringList{"Használt", "Olcsó", "Zöld"}));
    t->last();
    t->deleteRecord();
    QCOMPARE(column(model, 1), (QStringList{"Használt", "Olcsó"}));

    // A cancelled insert shows only while it lasts; refresh and order changes reset the model.
    t->append();
    QCOMPARE(model.rowCount(), 3);
    t->cancel();
    QCOMPARE(column(model, 1), (QStringList{"Használt", "Olcsó"}));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(removed.count(), 3);
    QCOMPARE(reset.count(), 0);
    t->refresh();
    t->setIndexFieldNames("Clothing_Key");
    QCOMPARE(reset.count(), 2);
    QCOMPARE(column(model, 1), (QStringList{"Olcsó", "Használt"}));   // by key now
    t->close();
    QCOMPARE(model.rowCount(), 0);
}

void TestTableModel::followsRowsAStatementDeletes()
{
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    for (const char *name : {"Anna", "Béla", "Anna", "Cili", "Anna"}) {
        t->append();
        t->fieldByName("Nev").setValue(QString::fromUtf8(name));
        t->post();
    }
    TDataSource source(t.get());
    TTableModel model(&source);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    Statement del(fx.session.get());
    del.setAliasName(gameAlias());
    del.setSql("delete from Jatekosok where Nev = :nev");
    del.bindValue(":nev", "Anna");
    QCOMPARE(del.execSql(), 3);
    QCOMPARE(column(model, 1), (QStringList{"Béla", "Cili"}));
}

void TestTableModel::viewFollowsAndMovesTheCurrentRow()
{
    Fixture fx;
    auto t = fx.table("Hobbi.db");
    for (const char *name : {"Macska", "Kutya", "Egér", "Hal"})
        addCatalogueRow(*t, QString::fromUtf8(name), 1000);
    t->first();
    TDataSource source(t.get());
    TTableModel model(&source);
    QTableView view;
    view.resize(500, 300);
    followCurrentRow(&view, &model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.currentIndex().row(), 0);

    t->setRecNo(3);
    QCOMPARE(view.currentIndex().row(), 2);
    QVERIFY(view.selectionModel()->isRowSelected(2, QModelIndex()));

    // A click on a row moves the table there.
    const QRect cell = view.visualRect(model.index(1, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(t->recNo(), 2);
    QCOMPARE(t->fieldByName("Kategoria").asString(), QString("Kutya"));

    // A move the table refuses (a record that cannot be posted) keeps the view on its row.
    t->edit();
    t->fieldByName("Kategoria").setValue(QString());
    const QRect other = view.visualRect(model.index(3, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, other.center());
    QCOMPARE(t->recNo(), 2);
    QCOMPARE(view.currentIndex().row(), 1);
    auto *dialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    QCOMPARE(dialogs->texts("error").size(), 1);
    QVERIFY(dialogs->texts("error").first().contains("Kategória"));
    dialogs->clear();
    t->cancel();

    // New rows become current and the view goes with them.
    addCatalogueRow(*t, "Papagáj", 3000);
    QCOMPARE(view.currentIndex().row(), 4);
}

void TestTableModel::editableColumnWritesThroughTheTable()
{
    Fixture fx;
    fx.fillProfessions(3);
    auto t = fx.table("szakma4.DB");
    TDataSource source(t.get());
    TTableModel model(&source);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setColumns({{"Szakma_nev", "Szakmanév", false},
                      {"Brutto_min", "Bruttó (min)", true},
                      {"Gyerekszam", "Gyerekszám", true}});
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    auto stored = [&fx](int recNo, const char *field) {
        auto again = fx.table("szakma4.DB");
        again->setRecNo(recNo);
        return again->fieldByName(field).asString();
    };

    // A cell edit moves to its row and puts it into edit; the row shows what was typed, the
    // file keeps the old value until the record is posted.
    QVERIFY(model.setData(model.index(2, 1), "250000"));
    QCOMPARE(t->recNo(), 3);
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(model.index(2, 1).data().toString(), QString("250\u00a0000\u00a0Ft"));
    QCOMPARE(stored(3, "Brutto_min"), QString("200002"));
    QVERIFY(model.setData(model.index(2, 2), "3"));
    QCOMPARE(t->state(), DataSetState::Edit);
    // Editing another row posts the one left, both cells together.
    QVERIFY(model.setData(model.index(0, 2), "2"));
    QCOMPARE(t->recNo(), 1);
    QCOMPARE(stored(3, "Brutto_min"), QString("250000"));
    QCOMPARE(stored(3, "Gyerekszam"), QString("3"));
    // The cancel drops the cell edit.
    t->cancel();
    QCOMPARE(model.index(0, 2).data().toString(), QString("0"));
    QCOMPARE(stored(1, "Gyerekszam"), QString("0"));

    // An amount is taken back in the form it is shown in.
    QVERIFY(model.setData(model.index(1, 1), QString("12\u00a0500 Ft")));
    t->post();
    QCOMPARE(stored(2, "Brutto_min"), QString("12500"));

    // A value the field refuses is judged at the post: the move is refused with the
    // engine's message and the row stays in edit to mend or cancel.
    auto *dialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    dialogs->clear();
    QVERIFY(model.setData(model.index(0, 2), "sok"));
    QVERIFY(dialogs->texts("error").isEmpty());
    QVERIFY(!model.setData(model.index(1, 2), "2"));
    QCOMPARE(dialogs->texts("error").size(), 1);
    QVERIFY(dialogs->texts("error").first().contains("nem egész"));
    QCOMPARE(t->recNo(), 1);
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(model.index(0, 2).data().toString(), QString("sok"));
    t->cancel();
    QCOMPARE(model.index(0, 2).data().toString(), QString("0"));
    dialogs->clear();
}

namespace {

// Opens the editor of a cell with F2, as a user does, and types into it.
QLineEdit *typeIntoCell(QTableView &view, int row, int column, const QString &text)
{
    const QRect cell = view.visualRect(view.model()->index(row, column));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::keyClick(view.viewport(), Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!editor)
        return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

// Enter in a cell editor; the view stores what was typed once the key is handled.
void pressEnter(QWidget *editor)
{
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

}  // namespace

void TestTableModel::cellEditorsEditTheRecord()
{
    Fixture fx;
    fx.fillProfessions(3);   // lowest wages 200000.., highest 400000..
    auto t = fx.table("szakma4.DB");
    // A rule of the whole row, as the maintenance window has one.
    t->setBeforePost([](Table &row) {
        if (row.fieldByName("Brutto_max").asFloat() < row.fieldByName("Brutto_min").asFloat())
            throw EngineError("A Bruttó (max) nem lehet kisebb, mint a Bruttó (min).");
    });
    TDataSource source(t.get());
    TTableModel model(&source);
    model.setColumns({{"Szakma_nev", "Szakmanév", false},
                      {"Brutto_min", "Bruttó (min)", true},
                      {"Brutto_max", "Bruttó (max)", true}});
    QTableView view;
    view.resize(600, 300);
    view.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                         | QAbstractItemView::AnyKeyPressed);
    followCurrentRow(&view, &model);
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto *dialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    dialogs->clear();
    auto stored = [&fx](int recNo, const char *field) {
        auto again = fx.table("szakma4.DB");
        again->setRecNo(recNo);
        return again->fieldByName(field).asFloat();
    };

    // The first keystroke in a cell puts the record into edit; Enter keeps it there.
    QLineEdit *editor = typeIntoCell(view, 1, 1, "5");
    QVERIFY(editor);
    QCOMPARE(t->recNo(), 2);
    QCOMPARE(t->state(), DataSetState::Edit);
    QTest::keyClicks(editor, "00000");
    pressEnter(editor);
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(model.index(1, 1).data().toString(), QString("500\u00a0000\u00a0Ft"));
    // A lowest wage above the old highest, with the highest raised too, is judged as a row.
    QVERIFY(typeIntoCell(view, 1, 2, "600000"));
    pressEnter(QApplication::focusWidget());
    QVERIFY(dialogs->texts("error").isEmpty());
    QCOMPARE(stored(2, "Brutto_min"), 200001.0);
    // Moving to another row posts it.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(model.index(0, 0)).center());
    QVERIFY(dialogs->texts("error").isEmpty());
    QCOMPARE(t->recNo(), 1);
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(stored(2, "Brutto_min"), 500000.0);
    QCOMPARE(stored(2, "Brutto_max"), 600000.0);

    // A refused post keeps the row in edit, current in the view, with the message.
    QVERIFY(typeIntoCell(view, 0, 1, "999999"));
    pressEnter(QApplication::focusWidget());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(model.index(2, 0)).center());
    QCOMPARE(dialogs->texts("error").size(), 1);
    QVERIFY(dialogs->texts("error").first().contains("Bruttó (max)"));
    QCOMPARE(t->recNo(), 1);
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(view.currentIndex().row(), 0);
    // The cancel drops it; the cell shows the stored value again.
    source.cancel();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(model.index(0, 1).data().toString(), QString("200\u00a0000\u00a0Ft"));
    dialogs->clear();

    // What is still in an open editor is posted with the record (the post button takes no
    // focus), and dropped with a cancel.
    QVERIFY(typeIntoCell(view, 0, 2, "450000"));
    source.post();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(stored(1, "Brutto_max"), 450000.0);
    QPointer<QLineEdit> open = typeIntoCell(view, 0, 2, "1");
    QVERIFY(open);
    QCOMPARE(t->state(), DataSetState::Edit);
    source.cancel();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!open);
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(model.index(0, 2).data().toString(), QString("450\u00a0000\u00a0Ft"));
    QCOMPARE(stored(1, "Brutto_max"), 450000.0);
    // Escape in a cell ends an edit that has changed nothing yet, and only such an edit.
    QVERIFY(open = typeIntoCell(view, 0, 2, "2"));
    QTest::keyClick(open, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(t->state(), DataSetState::Browse);
    QVERIFY(typeIntoCell(view, 0, 1, "210000"));
    pressEnter(QApplication::focusWidget());
    QVERIFY(open = typeIntoCell(view, 0, 2, "3"));
    QTest::keyClick(open, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(model.index(0, 1).data().toString(), QString("210\u00a0000\u00a0Ft"));
    source.cancel();
    QVERIFY(dialogs->texts("error").isEmpty());
}

void TestTableModel::insertedRowShowsInTheView()
{
    Fixture fx;
    auto t = fx.table("Hobbi.db");
    for (const char *name : {"Macska", "Kutya", "Egér"})
        addCatalogueRow(*t, QString::fromUtf8(name), 1000);
    TDataSource source(t.get());
    TTableModel model(&source);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QTableView view;
    view.resize(500, 300);
    followCurrentRow(&view, &model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // The new record shows before the one that was current, and is the view's row.
    t->setRecNo(2);
    t->insert();
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(view.currentIndex().row(), 1);
    QVERIFY(view.selectionModel()->isRowSelected(1, QModelIndex()));
    QCOMPARE(column(model, 1), (QStringList{"Macska", "", "Kutya", "Egér"}));
    t->fieldByName("Kategoria").setValue(QString::fromUtf8("Papagáj"));
    QCOMPARE(model.index(1, 1).data().toString(), QString::fromUtf8("Papagáj"));
    // Cancelled, it goes and the old row is current again.
    t->cancel();
    QCOMPARE(column(model, 1), (QStringList{"Macska", "Kutya", "Egér"}));
    QCOMPARE(view.currentIndex().row(), 1);

    // Posted by a click on another row, it takes its place (the stored order: last) and the
    // clicked row becomes current.
    t->insert();
    t->fieldByName("Kategoria").setValue(QString::fromUtf8("Papagáj"));
    t->fieldByName("Atlagos_Ar").setValue(3000);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(model.index(0, 1)).center());
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(column(model, 1), (QStringList{"Macska", "Kutya", "Egér", "Papagáj"}));
    QCOMPARE(t->recNo(), 1);
    QCOMPARE(view.currentIndex().row(), 0);
    // A click below the new row goes to the row clicked, though the rows shift on the post.
    t->setRecNo(2);
    t->insert();
    t->fieldByName("Kategoria").setValue(QString::fromUtf8("Hal"));
    t->fieldByName("Atlagos_Ar").setValue(500);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(model.index(3, 1)).center());
    QCOMPARE(t->fieldByName("Kategoria").asString(), QString::fromUtf8("Egér"));
    QCOMPARE(model.index(view.currentIndex().row(), 1).data().toString(), QString::fromUtf8("Egér"));
    // Posted by the table itself (the navigator's post), the row shown goes and the record
    // is stored once, where the view's current row now is.
    t->insert();
    t->fieldByName("Kategoria").setValue(QString::fromUtf8("Teknős"));
    t->fieldByName("Atlagos_Ar").setValue(700);
    t->post();
    QCOMPARE(t->recordCount(), 6);
    QCOMPARE(fx.table("Hobbi.db")->recordCount(), 6);
    QCOMPARE(column(model, 1), (QStringList{"Macska", "Kutya", "Egér", "Papagáj", "Hal", "Teknős"}));
    QCOMPARE(view.currentIndex().row(), 5);
}

ZOMIR_TEST_MAIN(TestTableModel)
#include "tst_tablemodel.moc"
