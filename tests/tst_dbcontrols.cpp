// Data-bound controls follow their table and write edits into its buffer.

#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "db/engine.h"
#include "db/schema.h"
#include "tests/support/testenv.h"

#include <QBuffer>
#include <QClipboard>
#include <QSignalSpy>

using namespace zdb;

class TestDbControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controlsFollowTheCurrentRow();
    void editingWritesIntoTheBuffer();
    void textsStopAtTheFieldLength_data();
    void textsStopAtTheFieldLength();
    void amountsAreReadBackAsShown();
    void typingBeforeTheEditIsTold();

private:
    QTemporaryDir *m_dir = nullptr;
    Session *m_session = nullptr;
    Table *m_table = nullptr;
    TDataSource *m_source = nullptr;
};

void TestDbControls::init()
{
    m_dir = new QTemporaryDir;
    createTable(m_dir->path(), *findTable("Hazak.DB"));
    m_session = new Session(m_dir->filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_dir->path());
    m_table = new Table(m_session);
    m_table->setAliasName("DB_ZOMIR");
    m_table->setTableName("Hazak.DB");
    m_table->open();
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    const struct { const char *name; double area; double loan; bool picture; } rows[] = {
        {"Garzon", 28, 0, true}, {"Családi ház", 120, 95000, false}};
    for (const auto &r : rows) {
        m_table->append();
        m_table->fieldByName("Kategoria").setValue(QString::fromUtf8(r.name));
        m_table->fieldByName("Terulet").setValue(r.area);
        m_table->fieldByName("Torleszto_reszlet").setValue(r.loan);
        if (r.picture)
            m_table->fieldByName("Kep").setValue(bmp);
        m_table->post();
    }
    m_table->first();
    m_source = new TDataSource(m_table);
}

void TestDbControls::cleanup()
{
    delete m_source;
    delete m_table;
    delete m_session;
    delete m_dir;
}

void TestDbControls::controlsFollowTheCurrentRow()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    TDBText name;
    name.bind(m_source, "Kategoria");
    TDBText loan;
    loan.bind(m_source, "Torleszto_reszlet");
    TDBImage image;
    image.resize(60, 40);
    image.setStretch(true);
    image.bind(m_source, "Kep");
    QCOMPARE(name.text(), QString("Garzon"));
    QCOMPARE(image.picture().size(), QSize(30, 20));
    QCOMPARE(image.pixmap().size(), QSize(60, 40));

    m_table->next();
    QCOMPARE(name.text(), QString::fromUtf8("Családi ház"));
    QCOMPARE(loan.text(), QString::fromUtf8("95\u00a0000\u00a0Ft"));
    QVERIFY(image.picture().isNull());

    m_table->close();
    QCOMPARE(name.text(), QString());
}

void TestDbControls::editingWritesIntoTheBuffer()
{
    QWidget window;
    auto *edit = new TDBEdit(&window);
    auto *other = new QLineEdit(&window);
    other->move(0, 40);
    edit->bind(m_source, "Terulet");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    QCOMPARE(edit->text(), QString("28"));
    edit->selectAll();
    QTest::keyClicks(edit, "31");
    // The first keystroke starts the edit (the source's AutoEdit); nothing is written while typing.
    QCOMPARE(m_table->state(), DataSetState::Edit);
    QCOMPARE(m_table->fieldByName("Terulet").asFloat(), 28.0);
    other->setFocus();
    QCOMPARE(m_table->state(), DataSetState::Edit);
    QCOMPARE(m_table->fieldByName("Terulet").asFloat(), 31.0);
    m_table->post();
    m_table->refresh();
    QCOMPARE(m_table->fieldByName("Terulet").asFloat(), 31.0);

    // A value the field cannot take is refused when the row is posted, and the row stays in edit.
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "sok");
    other->setFocus();
    QVERIFY_THROWS_EXCEPTION(EngineError, m_table->post());
    QCOMPARE(m_table->state(), DataSetState::Edit);
    m_table->cancel();
    QCOMPARE(edit->text(), QString("31"));
}

void TestDbControls::textsStopAtTheFieldLength_data()
{
    QTest::addColumn<QString>("control");   // "edit" or "memo"
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    QTest::addRow("edit of a text(25)") << "edit" << "Kategoria" << 25;
    QTest::addRow("memo of a text(25)") << "memo" << "Kategoria" << 25;
    QTest::addRow("edit of a number") << "edit" << "Terulet" << 0;
    QTest::addRow("memo of a memo field") << "memo" << "Leiras" << 0;
    QTest::addRow("memo of a memo field, limit set") << "memo" << "Leiras" << 30;
}

// A teacher learns the length while typing: what goes beyond it is not taken, counted in
// characters as a reader counts them (an emoji is one, never split in half).
void TestDbControls::textsStopAtTheFieldLength()
{
    QFETCH(QString, control);
    QFETCH(QString, field);
    QFETCH(int, limit);
    QWidget window;
    TDBEdit *edit = nullptr;
    TDBMemo *memo = nullptr;
    QWidget *typed = nullptr;
    if (control == "edit") {
        typed = edit = new TDBEdit(&window);
        edit->bind(m_source, field);
        QCOMPARE(edit->lengthLimit(), limit);
    } else {
        typed = memo = new TDBMemo(&window);
        memo->bind(m_source, field);
        if (QByteArray(QTest::currentDataTag()).endsWith("limit set"))
            memo->setMemoLimit(limit);
        QCOMPARE(memo->lengthLimit(), limit);
    }
    auto *other = new QLineEdit(&window);
    other->move(0, 120);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto text = [&] { return edit ? edit->text() : memo->toPlainText(); };
    typed->setFocus();
    if (edit)
        edit->selectAll();
    else
        memo->selectAll();
    const QString longer = QString(40, QChar(u'a'));
    QTest::keyClicks(typed, longer);
    QCOMPARE(text().size(), limit ? limit : 40);
    if (!limit)
        return;
    // A character beyond the basic plane at the last place fits whole, and no half of one
    // is ever taken.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::keyClick(typed, Qt::Key_Backspace);
    QApplication::clipboard()->setText(emoji + emoji);
    QTest::keySequence(typed, QKeySequence::Paste);
    QCOMPARE(text(), QString(limit - 1, QChar(u'a')) + emoji);
    other->setFocus();
    QCOMPARE(m_table->fieldByName(field).asString(), QString(limit - 1, QChar(u'a')) + emoji);
    m_table->cancel();
}

// A money field shows its amount in the money format and takes it back typed so.
void TestDbControls::amountsAreReadBackAsShown()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    m_table->next();   // 95 000 Ft
    QWidget window;
    auto *loan = new TDBEdit(&window);
    loan->bind(m_source, "Torleszto_reszlet");
    auto *area = new TDBEdit(&window);
    area->bind(m_source, "Terulet");
    area->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    area->setFocus();
    QCOMPARE(loan->text(), QString("95\u00a0000\u00a0Ft"));
    loan->setFocus();
    loan->selectAll();
    QTest::keyClicks(loan, "12 500 Ft");
    area->setFocus();
    QCOMPARE(loan->text(), QString("12\u00a0500\u00a0Ft"));
    area->selectAll();
    QTest::keyClicks(area, "1 200,5");
    loan->setFocus();
    m_table->post();
    QCOMPARE(m_table->fieldByName("Torleszto_reszlet").asFloat(), 12500.0);
    QCOMPARE(m_table->fieldByName("Terulet").asFloat(), 1200.5);
    // What is no amount is still refused at the post, with the engine's message.
    loan->selectAll();
    QTest::keyClicks(loan, "12 500 EUR");
    area->setFocus();
    QVERIFY_THROWS_EXCEPTION(EngineError, m_table->post());
    m_table->cancel();
    QCOMPARE(loan->text(), QString("12\u00a0500\u00a0Ft"));
}

// With AutoEdit off, typing into a bound control before the edit changes nothing, and the
// source says so once per keystroke that would have changed the text.
void TestDbControls::typingBeforeTheEditIsTold()
{
    m_source->setAutoEdit(false);
    QWidget window;
    auto *edit = new TDBEdit(&window);
    edit->bind(m_source, "Kategoria");
    auto *memo = new TDBMemo(&window);
    memo->bind(m_source, "Leiras");
    memo->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy told(m_source, &TDataSource::typingIgnored);
    edit->setFocus();
    QTest::keyClicks(edit, "ab");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Left);   // moving the cursor changes nothing: not told
    QCOMPARE(told.count(), 3);
    QCOMPARE(edit->text(), QString("Garzon"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(told.count(), 4);
    QCOMPARE(m_table->state(), DataSetState::Browse);
    // Once in edit, typing is taken and nothing is told.
    m_source->edit();
    edit->setFocus();
    QTest::keyClicks(edit, "x");
    QCOMPARE(told.count(), 4);
    m_table->cancel();
    // With AutoEdit on, typing starts the edit itself: nothing to tell either.
    m_source->setAutoEdit(true);
    QTest::keyClicks(edit, "y");
    QCOMPARE(told.count(), 4);
    QCOMPARE(m_table->state(), DataSetState::Edit);
    m_table->cancel();
}

ZOMIR_TEST_MAIN(TestDbControls)
#include "tst_dbcontrols.moc"
