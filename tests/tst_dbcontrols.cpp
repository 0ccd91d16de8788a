// Data-bound controls follow their table and write edits into its buffer.

#include "datasource.h"
#include "dbcontrols.h"
#include "engine.h"
#include "schema.h"
#include "testenv.h"

#include <QBuffer>

using namespace zdb;

class TestDbControls : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlsFollowTheCurrentRow();
    void editingWritesIntoTheBuffer();

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

ZOMIR_TEST_MAIN(TestDbControls)
#include "tst_dbcontrols.moc"
