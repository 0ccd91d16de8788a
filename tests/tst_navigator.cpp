// The record navigator: button states from the table's state and position, the actions,
// pictures from an image list and back, auto-repeat on a shortened clock, keys.

#include "controls/ExtDBNavigator.h"
#include "controls/datasource.h"
#include "db/engine.h"
#include "db/schema.h"
#include "tests/support/testenv.h"

#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

using namespace zdb;
using Nav = TExtDBNavigator;

namespace {

// Enabled states as ten characters in button order, "1" enabled.
QString states(const Nav &nav)
{
    QString s;
    for (int i = 0; i < Nav::ButtonCount; ++i)
        s += nav.button(Nav::Button(i))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

QImage glyphOf(const Nav &nav, Nav::Button b)
{
    return nav.button(b)->glyph().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Makes a file unwritable even for the superuser (who ignores permission bits): the
// immutable attribute. Returns false when the file system does not allow it.
bool setImmutable(const QString &path, bool on)
{
    if (!on) {
        QProcess::execute("chattr", {"-i", path});
        return true;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!QFileInfo(path).isWritable())
        return true;
    return QProcess::execute("chattr", {"+i", path}) == 0 && !QFileInfo(path).isWritable();
}

QImage solid(const QColor &colour)
{
    QImage image(150, 25, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

}  // namespace

class TestNavigator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void buttonStates_data();
    void buttonStates();
    void actionsOnTheTable();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void imageListGlyphs();
    void imageListDestroyedWhileInUse();
    void shortClickActsOnce();
    void holdingRepeats();
    void allowTimerOff();
    void errorStopsTheRepeat();
    void heldAcrossABox_data();
    void heldAcrossABox();
    void heldSpaceAsksOnce();
    void arrowKeysAndSpace();

private:
    void fill(int rows);
    void bindNavigator();
    QString kategoria() { return m_table->fieldByName("Kategoria").asString(); }

    QTemporaryDir *m_dir = nullptr;
    Session *m_session = nullptr;
    Table *m_table = nullptr;
    TDataSource *m_source = nullptr;
    Nav *m_nav = nullptr;
    ScriptedDialogs m_dialogs;
};

void TestNavigator::init()
{
    m_dir = new QTemporaryDir;
    createTable(m_dir->path(), *findTable("Hobbi.db"));
    m_session = new Session(m_dir->filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_dir->path());
    m_table = new Table(m_session);
    m_table->setAliasName("DB_ZOMIR");
    m_table->setTableName("Hobbi.db");
    m_table->open();
    m_nav = new Nav;
    m_nav->setDialogs(&m_dialogs);
    m_nav->resize(750, 33);
    m_dialogs = ScriptedDialogs();
}

void TestNavigator::cleanup()
{
    delete m_nav;
    delete m_source;
    delete m_table;
    delete m_session;
    delete m_dir;
    m_nav = nullptr;
    m_source = nullptr;
    m_table = nullptr;
    m_session = nullptr;
    m_dir = nullptr;
}

void TestNavigator::fill(int rows)
{
    for (int i = 1; i <= rows; ++i) {
        m_table->append();
        m_table->fieldByName("Kategoria").setValue(QStringLiteral("Sor %1").arg(i));
        m_table->fieldByName("Atlagos_Ar").setValue(i * 100);
        m_table->post();
    }
    m_table->first();
}

void TestNavigator::bindNavigator()
{
    m_source = new TDataSource(m_table);
    m_nav->setDataSource(m_source);
}

void TestNavigator::buttonStates_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("expected");   // first prior next last insert delete edit post cancel refresh
    QTest::addRow("first row") << "first" << "0011111001";
    QTest::addRow("middle row") << "middle" << "1111111001";
    QTest::addRow("last row") << "last" << "1100111001";
    QTest::addRow("reached the last row by next") << "nextToLast" << "1100111001";
    QTest::addRow("single row") << "single" << "0000111001";
    QTest::addRow("empty table") << "empty" << "0000100001";
    QTest::addRow("editing") << "edit" << "1111110111";
    QTest::addRow("inserting") << "insert" << "1111110111";
    QTest::addRow("read-only table file") << "readOnly" << "0011000000";
    QTest::addRow("table closed") << "closed" << "0000000000";
    QTest::addRow("data source disabled") << "sourceDisabled" << "0000000000";
    QTest::addRow("navigator disabled") << "disabled" << "0000000000";
    QTest::addRow("no data source") << "unbound" << "0000000000";
}

void TestNavigator::buttonStates()
{
    QFETCH(QString, situation);
    QFETCH(QString, expected);
    fill(situation == "empty" ? 0 : situation == "single" ? 1 : 3);
    if (situation != "unbound")
        bindNavigator();
    if (situation == "middle")
        m_table->next();
    else if (situation == "last")
        m_table->last();
    else if (situation == "nextToLast") {
        m_table->next();
        m_table->next();
    } else if (situation == "edit") {
        m_table->next();
        m_table->edit();
    } else if (situation == "insert") {
        m_table->next();
        m_table->insert();
    } else if (situation == "closed")
        m_table->close();
    else if (situation == "disabled")
        m_nav->setEnabled(false);
    else if (situation == "sourceDisabled")
        m_source->setEnabled(false);
    else if (situation == "readOnly") {
        m_table->close();
        const QString file = m_dir->filePath("Hobbi.db");
        if (!setImmutable(file, true))
            QSKIP("This file system cannot make a file read-only for the superuser");
        m_table->open();
        setImmutable(file, false);
        QVERIFY(!m_table->canModify());
    }
    QCOMPARE(states(*m_nav), expected);
}

void TestNavigator::actionsOnTheTable()
{
    fill(3);
    bindNavigator();
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    auto click = [&](Nav::Button b) { QTest::mouseClick(m_nav->button(b), Qt::LeftButton); };

    click(Nav::Last);
    QCOMPARE(kategoria(), QString("Sor 3"));
    click(Nav::Prior);
    QCOMPARE(kategoria(), QString("Sor 2"));
    click(Nav::First);
    QCOMPARE(kategoria(), QString("Sor 1"));
    click(Nav::Next);
    QCOMPARE(m_table->recNo(), 2);

    // Insert puts a new row before the current one and edits it.
    click(Nav::Insert);
    QCOMPARE(m_table->state(), DataSetState::Insert);
    m_table->fieldByName("Kategoria").setValue("Új sor");
    m_table->fieldByName("Atlagos_Ar").setValue(50);
    click(Nav::Post);
    QCOMPARE(m_table->state(), DataSetState::Browse);
    QCOMPARE(m_table->recordCount(), 4);

    click(Nav::Edit);
    QCOMPARE(m_table->state(), DataSetState::Edit);
    const QString before = kategoria();
    m_table->fieldByName("Kategoria").setValue("Eldobott");
    click(Nav::Cancel);
    QCOMPARE(m_table->state(), DataSetState::Browse);
    QCOMPARE(kategoria(), before);

    // Refresh re-reads what another program stored.
    Table other(m_session);
    other.setAliasName("DB_ZOMIR");
    other.setTableName("Hobbi.db");
    other.open();
    other.last();
    other.edit();
    other.fieldByName("Kategoria").setValue("Máshol írt");
    other.post();
    click(Nav::Refresh);
    m_table->last();
    QCOMPARE(kategoria(), QString::fromUtf8("Máshol írt"));
    QVERIFY(m_dialogs.texts("error").isEmpty());
}

void TestNavigator::deleteAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("rowsLeft");
    QTest::addRow("OK") << 0 << 2;
    QTest::addRow("Cancel") << 1 << 3;
}

void TestNavigator::deleteAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(int, rowsLeft);
    fill(3);
    bindNavigator();
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    m_dialogs.askAnswers.enqueue(answer);
    QTest::mouseClick(m_nav->button(Nav::Delete), Qt::LeftButton);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QVERIFY(m_dialogs.shown.first().text.endsWith("\nDelete record?"));
    QCOMPARE(m_table->recordCount(), rowsLeft);
}

void TestNavigator::imageListGlyphs()
{
    QList<QImage> defaults;
    for (int i = 0; i < Nav::ButtonCount; ++i)
        defaults << glyphOf(*m_nav, Nav::Button(i));
    TImageList list;
    for (int i = 0; i < Nav::ButtonCount; ++i)
        list.add(solid(QColor(i * 20, 0, 0)));
    m_nav->SetImageList(&list);
    QCOMPARE(m_nav->imageList(), &list);
    for (int i = 0; i < Nav::ButtonCount; ++i)
        QCOMPARE(glyphOf(*m_nav, Nav::Button(i)), list.image(i).convertToFormat(QImage::Format_ARGB32));

    m_nav->SetImageList(nullptr);
    QCOMPARE(m_nav->imageList(), nullptr);
    for (int i = 0; i < Nav::ButtonCount; ++i)
        QCOMPARE(glyphOf(*m_nav, Nav::Button(i)), defaults[i]);
}

void TestNavigator::imageListDestroyedWhileInUse()
{
    const QImage firstDefault = glyphOf(*m_nav, Nav::First);
    auto *list = new TImageList;
    for (int i = 0; i < Nav::ButtonCount; ++i)
        list->add(solid(Qt::green));
    m_nav->SetImageList(list);
    QVERIFY(glyphOf(*m_nav, Nav::First) != firstDefault);
    delete list;
    QCOMPARE(m_nav->imageList(), nullptr);
    QCOMPARE(glyphOf(*m_nav, Nav::First), firstDefault);
    // The navigator still paints and changes lists afterwards.
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    m_nav->SetImageList(nullptr);
    QVERIFY(!m_nav->grab().isNull());
}

void TestNavigator::shortClickActsOnce()
{
    fill(5);
    bindNavigator();
    m_nav->setRepeatIntervals(40, 10);
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    QTest::mouseClick(m_nav->button(Nav::Next), Qt::LeftButton);
    QCOMPARE(m_table->recNo(), 2);
    QVERIFY(!m_nav->isRepeating());
    QTest::qWait(100);
    QCOMPARE(m_table->recNo(), 2);
}

void TestNavigator::holdingRepeats()
{
    fill(12);
    bindNavigator();
    m_nav->setRepeatIntervals(80, 20);
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    TNavButton *next = m_nav->button(Nav::Next);
    QSignalSpy ticks(m_nav->repeatTimer(), &QTimer::timeout);
    QElapsedTimer clock;

    clock.start();
    QTest::mousePress(next, Qt::LeftButton);
    QCOMPARE(m_table->recNo(), 1);   // the press alone does nothing
    QVERIFY(m_nav->isRepeating());
    QCOMPARE(m_nav->repeatTimer()->interval(), 80);

    QVERIFY(ticks.wait(2000));
    QVERIFY(clock.elapsed() >= 75);
    QCOMPARE(m_table->recNo(), 2);   // first step when the first interval has passed
    QCOMPARE(m_nav->repeatTimer()->interval(), 20);

    QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 4, 2000);
    const int held = m_table->recNo();
    QCOMPARE(held, 1 + int(ticks.size()));   // one step per tick
    QTest::mouseRelease(next, Qt::LeftButton);
    QCOMPARE(m_table->recNo(), held + 1);   // and one more on release over the button
    QVERIFY(!m_nav->isRepeating());
    QTest::qWait(60);
    QCOMPARE(m_table->recNo(), held + 1);
}

void TestNavigator::allowTimerOff()
{
    fill(5);
    bindNavigator();
    m_nav->setRepeatIntervals(20, 10);
    m_nav->SetAllowTimer(false);
    for (int i = 0; i < Nav::ButtonCount; ++i)
        QVERIFY(!m_nav->buttonAutoRepeat(Nav::Button(i)));
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    TNavButton *next = m_nav->button(Nav::Next);
    QTest::mousePress(next, Qt::LeftButton);
    QVERIFY(!m_nav->isRepeating());
    QTest::qWait(100);
    QCOMPARE(m_table->recNo(), 1);
    QTest::mouseRelease(next, Qt::LeftButton);
    QCOMPARE(m_table->recNo(), 2);

    m_nav->SetAllowTimer(true);
    QVERIFY(m_nav->buttonAutoRepeat(Nav::Prior));
}

void TestNavigator::errorStopsTheRepeat()
{
    fill(3);
    bindNavigator();
    m_nav->setRepeatIntervals(20, 10);
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    // A new row without its required category cannot be stored, so moving away fails.
    m_table->insert();
    m_table->fieldByName("Atlagos_Ar").setValue(10);
    TNavButton *next = m_nav->button(Nav::Next);
    QTest::mousePress(next, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!m_nav->isRepeating(), 2000);
    // The error went to the application's error box, once.
    auto *appDialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
    QCOMPARE(appDialogs->texts("error").size(), 1);
    appDialogs->clear();
    QCOMPARE(m_table->state(), DataSetState::Insert);
    QTest::mouseRelease(next, Qt::LeftButton);
}

// A button held across a real modal box (the delete question, or the error box of a post
// or move that fails). The box takes the mouse, so the release never reaches the button:
// the hold must end with the box, the button come up, and one box be shown per hold.
void TestNavigator::heldAcrossABox_data()
{
    QTest::addColumn<int>("held");
    QTest::addColumn<bool>("insertEmpty");   // a new row without its required category
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<int>("stateAfter");
    QTest::addRow("delete, answered OK") << int(Nav::Delete) << false << 4 << int(DataSetState::Browse);
    QTest::addRow("post with an error") << int(Nav::Post) << true << 5 << int(DataSetState::Insert);
    QTest::addRow("move with a bad pending value") << int(Nav::Next) << true << 5 << int(DataSetState::Insert);
}

void TestNavigator::heldAcrossABox()
{
    QFETCH(int, held);
    QFETCH(bool, insertEmpty);
    QFETCH(int, rowsAfter);
    QFETCH(int, stateAfter);
    fill(5);
    bindNavigator();
    WidgetDialogs real;
    m_nav->setDialogs(&real);
    ZApplication *app = ZApplication::instance();
    Dialogs *appDialogs = app->dialogs();
    app->setDialogs(&real);
    auto restore = qScopeGuard([&] { app->setDialogs(appDialogs); });
    m_nav->setRepeatIntervals(60, 15);
    m_nav->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_nav));
    if (insertEmpty) {
        m_table->insert();
        m_table->fieldByName("Atlagos_Ar").setValue(10);
    }
    TNavButton *button = m_nav->button(Nav::Button(held));
    QVERIFY(button->isEnabled());

    // The user: every box that comes up is looked at for a while and answered with its
    // first button, OK; the mouse is let go meanwhile, as people do. The release is sent to
    // the button itself, so it would act if the button were still down.
    QList<QPointer<QWidget>> boxes;
    bool released = false;
    QTimer user;
    user.setInterval(5);
    int ticksOnBox = 0;
    connect(&user, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (!boxes.contains(box)) {
            boxes.append(box);
            ticksOnBox = 0;
            if (!released) {
                released = true;
                QTimer::singleShot(50, [button] { QTest::mouseRelease(button, Qt::LeftButton); });
            }
        }
        if (++ticksOnBox == 30)
            box->buttons().first()->click();
    });
    user.start();
    QTest::mousePress(button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!boxes.isEmpty(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 3000);
    // Time for a runaway repeat to show itself.
    QTest::qWait(200);
    user.stop();

    QCOMPARE(boxes.size(), 1);
    QVERIFY(!button->isDown());
    QVERIFY(!m_nav->isRepeating());
    QCOMPARE(int(m_table->state()), stateAfter);
    m_table->cancel();
    QCOMPARE(m_table->recordCount(), rowsAfter);

    // The release that arrives late (or a second one) acts no more.
    if (!released)
        QTest::mouseRelease(button, Qt::LeftButton);
    QTest::mouseMove(button);
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(m_table->recordCount(), rowsAfter);
    QVERIFY(!QApplication::activeModalWidget());

    // The button works as before for the next click.
    if (held == Nav::Delete) {
        QTimer::singleShot(50, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->buttons().first()->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_table->recordCount(), rowsAfter - 1);
    }
}

// A held space bar sends repeated key presses: the question comes once, and the repeated
// presses neither ask again nor answer it.
void TestNavigator::heldSpaceAsksOnce()
{
    fill(4);
    bindNavigator();
    m_nav->show();
    m_nav->activateWindow();
    m_nav->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_nav));
    while (m_nav->focusedButton() != Nav::Delete)
        QTest::keyClick(m_nav, Qt::Key_Right);
    m_dialogs.askAnswers.enqueue(0);
    for (int i = 0; i < 6; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), i > 0);
        QCoreApplication::sendEvent(m_nav, &press);
    }
    QCOMPARE(m_dialogs.texts("ask").size(), 1);
    QCOMPARE(m_table->recordCount(), 3);
    // Held next still walks.
    while (m_nav->focusedButton() != Nav::Next)
        QTest::keyClick(m_nav, Qt::Key_Left);
    m_table->first();
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), i > 0);
        QCoreApplication::sendEvent(m_nav, &press);
    }
    QCOMPARE(m_table->recNo(), 3);
}

void TestNavigator::arrowKeysAndSpace()
{
    fill(3);
    bindNavigator();
    m_nav->setVisibleButtons({Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Edit, Nav::Post,
                              Nav::Cancel, Nav::Refresh});
    QVERIFY(m_nav->button(Nav::Insert)->isHidden());
    QCOMPARE(m_nav->button(Nav::First)->width(), 94);   // 750 / 8, the rest to the first ones
    m_nav->show();
    m_nav->activateWindow();
    m_nav->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_nav));
    QCOMPARE(m_nav->focusedButton(), Nav::First);
    QTest::keyClick(m_nav, Qt::Key_Left);
    QCOMPARE(m_nav->focusedButton(), Nav::First);
    QTest::keyClick(m_nav, Qt::Key_Right);
    QTest::keyClick(m_nav, Qt::Key_Right);
    QCOMPARE(m_nav->focusedButton(), Nav::Next);
    QVERIFY(m_nav->button(Nav::Next)->focusMark());
    QTest::keyClick(m_nav, Qt::Key_Space);
    QCOMPARE(m_table->recNo(), 2);
    QTest::keyClick(m_nav, Qt::Key_Right);
    QTest::keyClick(m_nav, Qt::Key_Right);
    QCOMPARE(m_nav->focusedButton(), Nav::Edit);   // hidden insert and delete are skipped
    QTest::keyClick(m_nav, Qt::Key_Space);
    QCOMPARE(m_table->state(), DataSetState::Edit);
}

ZOMIR_TEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
