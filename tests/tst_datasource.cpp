// Data sources between tables and bound controls: typed text is never lost, AutoEdit
// decides whether typing starts an edit, and controls refresh only on what concerns them.

#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "db/engine.h"
#include "db/schema.h"
#include "tests/support/testenv.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using namespace zdb;

namespace {

QByteArray bmpBytes(QColor colour)
{
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

// Types text with accented letters too, one key event per character, as a keyboard does.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A window like a page of the maintenance utility: a category edit, a memo, a second
// edit, and a post button that takes no focus, as a navigator's buttons do.
struct Page {
    QWidget window;
    TDBEdit *category = new TDBEdit;
    TDBMemo *memo = new TDBMemo;
    TDBEdit *price = new TDBEdit;
    QToolButton *post = new QToolButton;

    explicit Page(TDataSource *source)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(category);
        layout->addWidget(memo);
        layout->addWidget(price);
        layout->addWidget(post);
        post->setFocusPolicy(Qt::NoFocus);
        post->setText("Alkalmaz");
        QObject::connect(post, &QToolButton::clicked, source, [source] { guarded([source] { source->post(); }); });
        category->bind(source, "Kategoria");
        memo->bind(source, "Leiras");
        price->bind(source, "Atlagos_Ar");
        window.show();
    }
};

}  // namespace

class TestDataSource : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void typedTextReachesTheRowOnANoFocusPost_data();
    void typedTextReachesTheRowOnANoFocusPost();
    void typedTextIsPostedWhenTheRecordIsLeft();
    void autoEditOffIgnoresTypingUntilEdit();
    void cancelDropsTypedText();
    void editAndPostRefreshOnlyWhatChanged();
    void disabledSourceShowsNothing();

private:
    QTemporaryDir *m_dir = nullptr;
    Session *m_session = nullptr;
    Table *m_table = nullptr;
    TDataSource *m_source = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
};

void TestDataSource::init()
{
    m_dialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    m_dialogs->clear();
    m_dir = new QTemporaryDir;
    createTable(m_dir->path(), *findTable("Hobbi.db"));
    m_session = new Session(m_dir->filePath("engine.ini"));
    m_session->addStandardAlias(gameAlias(), m_dir->path());
    m_table = new Table(m_session);
    m_table->setAliasName(gameAlias());
    m_table->setTableName("Hobbi.db");
    m_table->open();
    const struct { const char *name; double price; QColor colour; } rows[] = {
        {"Horgászat", 6000, Qt::blue}, {"Bélyeggyűjtés", 2500, Qt::red}, {"Kertészkedés", 4000, Qt::green}};
    for (const auto &r : rows) {
        m_table->append();
        m_table->fieldByName("Kategoria").setValue(QString::fromUtf8(r.name));
        m_table->fieldByName("Atlagos_Ar").setValue(r.price);
        m_table->fieldByName("Kep").setValue(bmpBytes(r.colour));
        m_table->fieldByName("Leiras").setValue(QStringLiteral("Leírás"));
        m_table->post();
    }
    m_table->first();
    m_source = new TDataSource(m_table);
}

void TestDataSource::cleanup()
{
    delete m_source;
    delete m_table;
    delete m_session;
    delete m_dir;
    QCOMPARE(m_dialogs->texts("error"), QStringList());
}

// Fresh rows read back from the file, so that what reached the file is checked.
static QString storedCategory(Session *session, int recNo)
{
    Table again(session);
    again.setAliasName(gameAlias());
    again.setTableName("Hobbi.db");
    again.open();
    again.setRecNo(recNo);
    return again.fieldByName("Kategoria").asString();
}

void TestDataSource::typedTextReachesTheRowOnANoFocusPost_data()
{
    QTest::addColumn<bool>("autoEdit");
    QTest::addRow("automatic edit") << true;
    QTest::addRow("edit pressed first") << false;
}

void TestDataSource::typedTextReachesTheRowOnANoFocusPost()
{
    QFETCH(bool, autoEdit);
    m_source->setAutoEdit(autoEdit);
    Page page(m_source);
    QVERIFY(QTest::qWaitForWindowExposed(&page.window));
    if (!autoEdit)
        m_source->edit();   // the navigator's edit button
    page.category->setFocus();
    page.category->selectAll();
    type(page.category, QString::fromUtf8("Horgászat és vitorlázás"));
    QCOMPARE(m_table->state(), DataSetState::Edit);
    QTest::mouseClick(page.post, Qt::LeftButton);
    QVERIFY(page.category->hasFocus());   // the button took no focus
    QCOMPARE(m_table->state(), DataSetState::Browse);
    QCOMPARE(m_table->fieldByName("Kategoria").asString(), QString::fromUtf8("Horgászat és vitorlázás"));
    QCOMPARE(storedCategory(m_session, 1), QString::fromUtf8("Horgászat és vitorlázás"));
}

void TestDataSource::typedTextIsPostedWhenTheRecordIsLeft()
{
    Page page(m_source);
    QVERIFY(QTest::qWaitForWindowExposed(&page.window));
    page.memo->setFocus();
    page.memo->selectAll();
    QTest::keyClicks(page.memo, "Csendes hobbi");
    page.category->setFocus();   // a second control: the memo's text goes to the buffer
    QTest::keyClicks(page.category, "!");
    m_source->next();            // moving posts the edit, typed text included
    QCOMPARE(m_table->recNo(), 2);
    QCOMPARE(page.category->text(), QString::fromUtf8("Bélyeggyűjtés"));
    m_source->first();
    QCOMPARE(m_table->fieldByName("Leiras").asString(), QString("Csendes hobbi"));
    QCOMPARE(storedCategory(m_session, 1), QString::fromUtf8("Horgászat!"));

    // A typed value the field cannot take stops the move; the row stays in edit with it.
    page.price->setFocus();
    page.price->selectAll();
    QTest::keyClicks(page.price, "sok");
    QVERIFY_THROWS_EXCEPTION(EngineError, m_source->next());
    QCOMPARE(m_table->recNo(), 1);
    QCOMPARE(m_table->state(), DataSetState::Edit);
    m_source->cancel();
    QCOMPARE(page.price->text(), QString("6000"));
}

void TestDataSource::autoEditOffIgnoresTypingUntilEdit()
{
    m_source->setAutoEdit(false);
    Page page(m_source);
    QVERIFY(QTest::qWaitForWindowExposed(&page.window));
    QVERIFY(page.category->isReadOnly());
    QVERIFY(page.memo->isReadOnly());
    page.category->setFocus();
    QTest::keyClicks(page.category, "xyz");
    QTest::keyClick(page.category, Qt::Key_Backspace);
    page.memo->setFocus();
    QTest::keyClicks(page.memo, "abc");
    QCOMPARE(page.category->text(), QString::fromUtf8("Horgászat"));
    QCOMPARE(m_table->state(), DataSetState::Browse);
    QTest::mouseClick(page.post, Qt::LeftButton);   // nothing to post: an error, nothing written
    QCOMPARE(m_dialogs->texts("error").size(), 1);
    m_dialogs->clear();
    QCOMPARE(storedCategory(m_session, 1), QString::fromUtf8("Horgászat"));

    // Once in edit the controls take typing; after the post they are read-only again.
    m_source->edit();
    QVERIFY(!page.category->isReadOnly());
    page.category->setFocus();
    page.category->selectAll();
    type(page.category, QString::fromUtf8("Pecázás"));
    QTest::mouseClick(page.post, Qt::LeftButton);
    QVERIFY(page.category->isReadOnly());
    QCOMPARE(storedCategory(m_session, 1), QString::fromUtf8("Pecázás"));

    // A write from code respects AutoEdit as typing does.
    page.category->dataLink()->write(QStringLiteral("Más"));
    QCOMPARE(m_table->state(), DataSetState::Browse);
    QCOMPARE(m_table->fieldByName("Kategoria").asString(), QString::fromUtf8("Pecázás"));
}

void TestDataSource::cancelDropsTypedText()
{
    Page page(m_source);
    QVERIFY(QTest::qWaitForWindowExposed(&page.window));
    // A read-only control ignores typing even with AutoEdit on.
    page.memo->dataLink()->setReadOnly(true);
    QVERIFY(page.memo->isReadOnly());
    page.memo->setFocus();
    QTest::keyClicks(page.memo, "x");
    QCOMPARE(m_table->state(), DataSetState::Browse);

    page.category->setFocus();
    page.category->selectAll();
    QTest::keyClicks(page.category, "Semmi");
    m_source->cancel();
    QCOMPARE(page.category->text(), QString::fromUtf8("Horgászat"));
    page.price->setFocus();   // leaving the control writes nothing now
    QCOMPARE(m_table->state(), DataSetState::Browse);
    QCOMPARE(storedCategory(m_session, 1), QString::fromUtf8("Horgászat"));
}

void TestDataSource::editAndPostRefreshOnlyWhatChanged()
{
    TDBText category;
    category.bind(m_source, "Kategoria");
    TDBImage picture;
    picture.bind(m_source, "Kep");
    TDBText price;
    price.bind(m_source, "Atlagos_Ar");
    QSignalSpy categoryShown(category.dataLink(), &TFieldDataLink::changed);
    QSignalSpy pictureShown(picture.dataLink(), &TFieldDataLink::changed);
    QSignalSpy priceShown(price.dataLink(), &TFieldDataLink::changed);
    const QImage before = picture.picture();
    QVERIFY(!before.isNull());

    m_source->edit();
    m_table->fieldByName("Atlagos_Ar").setValue(6500);
    m_source->post();
    QCOMPARE(categoryShown.count(), 0);
    QCOMPARE(pictureShown.count(), 0);
    QCOMPARE(priceShown.count(), 1);
    QCOMPARE(picture.picture().cacheKey(), before.cacheKey());   // not decoded again

    // A move shows every control once; the picture is decoded only because it differs.
    m_source->next();
    QCOMPARE(categoryShown.count(), 1);
    QCOMPARE(pictureShown.count(), 1);
    QCOMPARE(picture.picture().pixelColor(0, 0), QColor(Qt::red));
    m_source->next();
    m_source->first();
    QCOMPARE(categoryShown.count(), 3);
    QCOMPARE(category.text(), QString::fromUtf8("Horgászat"));
}

void TestDataSource::disabledSourceShowsNothing()
{
    TDBText category;
    category.bind(m_source, "Kategoria");
    QCOMPARE(category.text(), QString::fromUtf8("Horgászat"));
    m_source->setEnabled(false);
    QCOMPARE(category.text(), QString());
    QCOMPARE(m_source->state(), DataSetState::Inactive);
    m_table->next();
    QCOMPARE(category.text(), QString());
    m_source->setEnabled(true);
    QCOMPARE(category.text(), QString::fromUtf8("Bélyeggyűjtés"));

    // A source whose table goes away shows nothing and does not crash.
    delete m_table;
    m_table = nullptr;
    QCOMPARE(m_source->dataSet(), nullptr);
    QCOMPARE(category.text(), QString());
}

ZOMIR_TEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
