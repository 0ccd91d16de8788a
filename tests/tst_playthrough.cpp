// Whole games played on the real screens over a copy of the built working folder: the
// opening screen, the name, a new game, the interest test, the profession choice (with its
// career sheet), the six household pages, report 1, the income calculator solved once
// through the payroll exercise, the pages again, report 2 and the rework, report 2 again,
// the certificate and the credits. Every step is a click or a key on the screen's own
// widgets; the dialogs are scripted. The stored player row is then checked field by field,
// and a second run of the program on the same folder finds the game again. The games of
// 2026 are played over the built 2026 folder (ZOMIR_WORKFOLDER_2026). A folder of the time
// before the tax year was stored is upgraded by the game, and its unfinished game is loaded
// by name and played to the certificate.
// With ZOMIR_TEST_SERVER set, the same games are played with the database alias on a real
// PostgreSQL server (filled by the content tool with the year's content, the game logged in
// with the students' role).

#include "game/adatinit.h"
#include "game/adozas.h"
#include "game/befejez.h"
#include "rules/budget.h"
#include "rules/interest.h"
#include "game/jovedelem.h"
#include "game/kival.h"
#include "controls/numedit.h"
#include "game/nyito.h"
#include "game/palya.h"
#include "rules/payroll.h"
#include "tests/support/oldfolder.h"
#include "tests/support/pgserver.h"
#include "game/payrolldata.h"
#include "tests/support/shellfixture.h"
#include "game/sugo.h"
#include "game/szakma.h"
#include "rules/taxyear.h"
#include "game/teszt.h"
#include "tests/support/testenv.h"
#include "tests/support/testserver.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"
#include "rules/workfiles.h"

#include <QCheckBox>
#include <QDate>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

using namespace shellfixture;

namespace {

const QString kRework = QStringLiteral("Alakítsd át a költségvetésedet!\rEz a szakma nem teszi lehetővé\rezt az életvitelt");

bool onServer() { return qEnvironmentVariableIsSet("ZOMIR_TEST_SERVER"); }

PgServer *server()
{
    static PgServer *instance = &testServer();
    return instance;
}

// The database of a tax year's content on the server of the server runs, filled once by the
// content tool (`zomir-data --year Y --server`); each game gets a copy of it.
QString filledDatabase(int year)
{
    static QList<int> filled;
    const QString name = QStringLiteral("zomir_minta_%1").arg(year);
    if (!filled.contains(year)) {
        if (!server()->createDatabase(name))
            qFatal("%s", qPrintable(server()->errorString()));
        QProcess tool;
        tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {QStringLiteral("--year"), QString::number(year),
                                                     QStringLiteral("--server"), server()->connectionString(name)});
        if (!tool.waitForFinished(120000) || tool.exitCode() != 0)
            qFatal("zomir-data --year %d --server failed: %s", year, tool.readAllStandardError().constData());
        filled << year;
    }
    return name;
}

// A fresh database for one game, copied from the filled one of `year`; its connection for `role`.
QString freshDatabase(int year, const QString &role)
{
    static int made = 0;
    const QString name = QStringLiteral("jatek_%1").arg(++made);
    if (!server()->psql(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name, filledDatabase(year))))
        qFatal("%s", qPrintable(server()->errorString()));
    return server()->connectionString(name, role);
}

// The rows of the catalogues as the choices will find them, through a session of the test's own.
struct Content {
    // `server` empty: the folder's own tables.
    Content(const QString &folder, const QString &server)
        : session(QDir(folder).filePath(QStringLiteral("reader.ini")))
    {
        if (server.isEmpty())
            session.addStandardAlias(QStringLiteral("READ"), QDir(folder).filePath(QStringLiteral("DB")));
        else
            session.setServerAlias(QStringLiteral("READ"), zdb::ServerAddress::parse(server));
    }
    std::unique_ptr<zdb::Table> table(const QString &file)
    {
        auto t = std::make_unique<zdb::Table>(&session);
        t->setAliasName(QStringLiteral("READ"));
        t->setTableName(file);
        t->open();
        return t;
    }
    // A number field of the row whose `keyField` is `key`.
    double value(const QString &file, const QString &keyField, int key, const QString &field)
    {
        auto t = table(file);
        if (!t->locate(keyField, key))
            qFatal("no row %d in %s", key, qPrintable(file));
        return t->fieldByName(field).asFloat();
    }
    // Every key of a catalogue, in stored order.
    QList<int> keys(const QString &file, const QString &keyField)
    {
        auto t = table(file);
        QList<int> list;
        for (t->first(); !t->eof(); t->next())
            list << t->fieldByName(keyField).asInteger();
        return list;
    }
    zdb::Session session;
};

// Counts the mouse's presses, releases and wheel turns that reach any object.
class MouseWatch : public QObject {
public:
    int events = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            ++events;
            break;
        default:
            break;
        }
        return false;
    }
};

// One of the four browsed catalogues: its page's buttons and table.
struct Browsed {
    const char *prior, *next, *ok;
    const char *file, *keyField, *playerField;
    zdb::Table *TDM::*table;
};
const Browsed kBrowsed[] = {
    {"BitBtn2", "BitBtn3", "BitBtn4", "Hazak.DB", "House_Key", "House_Key", &TDM::HazakDB},
    {"BitBtn5", "BitBtn6", "BitBtn7", "Elelmiszerek.DB", "Food_Key", "Food_Key", &TDM::ElelmiszerekDB},
    {"BitBtn14", "BitBtn15", "BitBtn16", "Ruhazkodas.db", "Clothing_Key", "Clothing_Key", &TDM::RuhazkodasDB},
    {"BitBtn8", "BitBtn9", "BitBtn10", "Kozlekedes.db", "Travel_Key", "Travel_Key", &TDM::KozlekedesDB},
};

}  // namespace

class TestPlaythrough : public QObject {
    Q_OBJECT

    // One run of the program over the copied folder; the error box of the slot boundary
    // goes to the run's scripted dialogs too.
    struct ProgramRun {
        explicit ProgramRun(const QString &config) : run(config)
        {
            previous = ZApplication::instance()->dialogs();
            ZApplication::instance()->setDialogs(&run.dialogs);
        }
        ~ProgramRun()
        {
            for (QWidget *w : QApplication::topLevelWidgets())
                w->hide();
            ZApplication::instance()->setDialogs(previous);
        }
        Run run;
        Dialogs *previous = nullptr;
        Game &game() { return run.game; }
        ScriptedDialogs &dialogs() { return run.dialogs; }
    };

    std::unique_ptr<QTemporaryDir> folderDir;
    std::unique_ptr<QTemporaryDir> configDir;
    std::unique_ptr<CurrentFolder> cwd;
    std::unique_ptr<Content> content;
    std::unique_ptr<ProgramRun> program;

    Game &game() { return program->game(); }
    TMainForm *main() { return game().MainForm; }
    ScriptedDialogs &dialogs() { return program->dialogs(); }
    QPushButton *button(const char *name) { return main()->findChild<QPushButton *>(QLatin1String(name)); }
    QCheckBox *checkBox(int n) { return main()->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(n)); }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    // A check box is clicked on its indicator: a short caption leaves the box's middle empty.
    void tick(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }
    void click(const char *name)
    {
        QPushButton *b = button(name);
        QVERIFY2(b && b->isVisible() && b->isEnabled(), name);
        click(b);
    }
    QStringList shown(const char *kind) { return dialogs().texts(QString::fromLatin1(kind)); }
    int currentPage() { return main()->PageControl1->currentIndex(); }
    void verifyOnlyTab(int page)
    {
        QCOMPARE(currentPage(), page);
        for (int i = 0; i < main()->PageControl1->count(); ++i)
            QCOMPARE(main()->PageControl1->isTabVisible(i), i == page);
    }
    QByteArray file(const QString &name)
    {
        QFile f(QDir(folderDir->path()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // The program starts: the screen set is made and the opening screen shown.
    void startProgram(bool firstStart)
    {
        program = std::make_unique<ProgramRun>(configDir->filePath(QStringLiteral("engine.ini")));
        QVERIFY(game().create());
        // The first start sets up the database alias and says so; later starts find it. A
        // classroom PC has its alias on the server from the start.
        QCOMPARE(shown("message"), firstStart && !onServer()
                                       ? QStringList{QStringLiteral("Az adatbázis inicializálása kész!")}
                                       : QStringList());
        dialogs().clear();
        game().start();
        QVERIFY(QTest::qWaitForWindowActive(game().fIndul));
        QCOMPARE(game().fIndul->windowTitle(), QStringLiteral("Z O M I R"));
    }

    // Alt+K on the opening screen, the name typed and left with Tab.
    void enterName(const QString &name)
    {
        QTest::keyClick(game().fIndul, Qt::Key_K, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(main()));
        QVERIFY(!game().fIndul->isVisible());
        verifyOnlyTab(TMainForm::PageNev);
        QTRY_COMPARE(QApplication::focusWidget(), main()->Edit1);
        // Key by key, with the text each key types (accented letters included).
        for (const QChar c : name)
            QTest::sendKeyEvent(QTest::Click, main()->Edit1, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(main()->Edit1->text(), name);
        QTest::keyClick(main()->Edit1, Qt::Key_Tab);
        QVERIFY(main()->Button1->isEnabled());
    }

    // From "Ház" to "Szórakozás": on each browsed page the row with `keys[i]` is reached with
    // the next and prior buttons, the hobby and entertainment boxes set to the masks, and
    // the last page's OK pressed.
    void walkPages(const QList<int> &keys, int hobbies, int entertainment)
    {
        verifyOnlyTab(TMainForm::PageHaz);
        for (int i = 0; i < 4; ++i) {
            const Browsed &page = kBrowsed[i];
            zdb::Table *table = game().DM->*page.table;
            const QList<int> order = content->keys(QString::fromLatin1(page.file), QString::fromLatin1(page.keyField));
            const int target = order.indexOf(keys[i]);
            QVERIFY(target >= 0);
            int at = order.indexOf(table->fieldByName(QString::fromLatin1(page.keyField)).asInteger());
            for (; at < target; ++at)
                click(page.next);
            for (; at > target; --at)
                click(page.prior);
            QCOMPARE(table->fieldByName(QString::fromLatin1(page.keyField)).asInteger(), keys[i]);
            click(page.ok);
            QCOMPARE(currentPage(), TMainForm::PageHaz + i + 1);
        }
        for (int bit = 0; bit < 6; ++bit)
            if (checkBox(1 + bit)->isChecked() != bool(hobbies >> bit & 1))
                tick(checkBox(1 + bit));
        click("BitBtn11");
        verifyOnlyTab(TMainForm::PageSzorakozas);
        for (int bit = 0; bit < 6; ++bit)
            if (checkBox(7 + bit)->isChecked() != bool(entertainment >> bit & 1))
                tick(checkBox(7 + bit));
        click("BitBtn12");
    }

    // The keyboard alone: a key goes to the widget that has the focus, as a real one's does.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QVERIFY2(target, "no window has the focus");
        QTest::keyClick(target, k, modifiers);
    }
    // Alt and a button's underlined letter: the button is clicked after its short press
    // animation.
    void alt(Qt::Key k)
    {
        key(k, Qt::AltModifier);
        QTest::qWait(300);
    }
    // Tab until `target` has the focus (a window's worth of stops at most).
    void tabTo(QWidget *target)
    {
        for (int i = 0; i < 120 && QApplication::focusWidget() != target; ++i)
            key(Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget() == target,
                 qPrintable(target->objectName() + QStringLiteral(" not reached; the focus is on ")
                            + (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                           : QStringLiteral("nothing"))));
    }
    // Tab to a button or box and press Space on it.
    void press(QWidget *target)
    {
        tabTo(target);
        key(Qt::Key_Space);
    }
    // The household pages by keyboard: on each browsed page the row with `keys[i]` reached
    // with the page's arrow buttons, then its OK; no hobby and no entertainment.
    void walkPagesByKeyboard(const QList<int> &keys)
    {
        verifyOnlyTab(TMainForm::PageHaz);
        for (int i = 0; i < 4; ++i) {
            const Browsed &page = kBrowsed[i];
            zdb::Table *table = game().DM->*page.table;
            const QList<int> order = content->keys(QString::fromLatin1(page.file), QString::fromLatin1(page.keyField));
            const int target = order.indexOf(keys[i]);
            QVERIFY(target >= 0);
            int at = order.indexOf(table->fieldByName(QString::fromLatin1(page.keyField)).asInteger());
            if (at != target)
                tabTo(button(at < target ? page.next : page.prior));
            for (; at < target; ++at)
                key(Qt::Key_Space);
            for (; at > target; --at)
                key(Qt::Key_Space);
            QCOMPARE(table->fieldByName(QString::fromLatin1(page.keyField)).asInteger(), keys[i]);
            press(button(page.ok));
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(currentPage(), TMainForm::PageHaz + i + 1);
        }
        for (int first : {1, 7}) {
            for (int n = first; n < first + 6; ++n)
                if (checkBox(n)->isChecked())
                    press(checkBox(n));
            alt(Qt::Key_O);   // "&OK"
        }
    }
    // The income calculator by keyboard, worked out once through the payroll exercise: the
    // first figure typed, the exercise opened with Space on its button, the cash paid with
    // Enter on the coins and notes, the rest typed, "&Kiszámoltam!" with Alt+K.
    qint64 solveIncomeCalculatorByKeyboard(int year, qint64 gross, int children, qint64 partner)
    {
        TfJovedelem *calc = game().fJovedelem;
        [&] { QVERIFY(QTest::qWaitForWindowActive(calc)); }();
        QCoreApplication::processEvents();
        const payroll::PayrollTables tables = payroll::LoadPayrollTables(game().DataModule2);
        QList<QPair<int, qint64>> before, after;
        QList<qint64> stages;
        qint64 familyNet = 0;
        if (year == 2026) {
            const payroll::PayStatement2026 e =
                payroll::ComputePayStatement2026(payroll::tables2026(tables), gross, children, partner);
            before = {{1, e.allowanceBase}};
            stages = {payroll::cashRound(e.taxPaid), payroll::cashRound(e.contributionPaid)};
            after = {{6, e.netWage}, {8, e.familyAllowance}, {9, e.familyNetIncome}};
            familyNet = e.familyNetIncome;
        } else {
            const payroll::PayStatement e = payroll::ComputePayStatement(
                tables, payroll::bracketFinder(game().DataModule2), gross, children, partner);
            const qint64 net = gross - (e.exerciseTaxAdvance + e.health + e.employee + e.pension);
            const qint64 allowance = payroll::FamilyAllowance(tables, children);
            const qint64 taxAllowance = payroll::FamilyTaxAllowance(tables, children, e.exerciseTaxAdvance);
            familyNet = net + partner + allowance + taxAllowance;
            before = {{11, e.superGross}};
            stages = {e.exerciseTaxAdvance, e.pension, e.health, e.employee};
            after = {{6, net}, {8, allowance}, {9, taxAllowance}, {10, familyNet}};
        }
        auto type = [&](int n, qint64 amount) {
            TNumberEdit *field = calc->NumberEdit(n);
            tabTo(field);
            QCOMPARE(field->selectedText(), field->text());   // Tab selects what the field holds
            QTest::keyClicks(field, QString::number(amount));
            key(Qt::Key_Return);   // leaves the field, which is judged
            QVERIFY2(TfJovedelem::markOf(field) == TfJovedelem::Mark::Right, qPrintable(field->objectName()));
            QCOMPARE(TfJovedelem::markLabel(field)->text(), QString(QChar(0x2713)));
        };
        for (const auto &[n, amount] : before)
            type(n, amount);
        press(calc->BitBtn3);   // "Havibér kalkulátor"
        TBer *ber = game().Ber;
        [&] { QVERIFY(QTest::qWaitForWindowActive(ber)); }();
        for (qint64 amount : stages) {
            for (int value : {20000, 10000, 5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5}) {
                if (amount < value)
                    continue;
                tabTo(ber->piece(value));
                for (; amount >= value; amount -= value)
                    key(Qt::Key_Return);
            }
            [&] { QCOMPARE(amount, qint64(0)); }();
            press(ber->Ellenor);
        }
        [&] { QCOMPARE(ber->stage(), TBer::Finished); }();
        [&] { QCOMPARE(QApplication::focusWidget(), ber->Ellenor); }();
        key(Qt::Key_Space);   // "Vége"
        [&] { QVERIFY(!ber->isVisible()); }();
        // The student turns back to the calculator (the offscreen platform has no window
        // manager to hand the activation back).
        calc->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(calc)); }();
        for (const auto &[n, amount] : after)
            if (TfJovedelem::markOf(calc->NumberEdit(n)) != TfJovedelem::Mark::Right || amount != 0)
                type(n, amount);
        dialogs().confirmAnswers.enqueue(false);   // no printing
        alt(Qt::Key_K);   // "&Kiszámoltam!"
        [&] { QVERIFY(!calc->isVisible()); }();
        return familyNet;
    }

    // The monthly costs of the chosen rows for one person, as the first costing sums them.
    qint64 singlePersonTotal(const QList<int> &keys, int hobbies, int entertainment)
    {
        double sum = content->value("Hazak.DB", "House_Key", keys[0], "Rezsi")
                     + content->value("Hazak.DB", "House_Key", keys[0], "Torleszto_reszlet")
                     + content->value("Elelmiszerek.DB", "Food_Key", keys[1], "Atlagos_Ar")
                     + content->value("Ruhazkodas.db", "Clothing_Key", keys[2], "Atlagos_Ar")
                     + content->value("Kozlekedes.db", "Travel_Key", keys[3], "Atlagos_Ar");
        for (int bit = 0; bit < 6; ++bit) {
            if (hobbies >> bit & 1)
                sum += content->value("Hobbi.db", "Hobby_Key", bit + 1, "Atlagos_Ar");
            if (entertainment >> bit & 1)
                sum += content->value("Szorakozas.db", "Entertainment_Key", bit + 1, "Atlagos_Ar");
        }
        return payroll::Round(sum);
    }

    // Each stage's amount paid with the largest pieces first, dragged onto the tax office's
    // logo, and checked.
    template <std::size_t N> void payStages(TBer *ber, const qint64 (&stages)[N])
    {
        for (qint64 amount : stages) {
            for (int value : {20000, 10000, 5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5}) {
                while (amount >= value) {
                    TMoneyPiece *piece = ber->piece(value);
                    const QPoint start = piece->rect().center();
                    const QPoint target = ber->ado->geometry().center();
                    QTest::mousePress(piece, Qt::LeftButton, {}, start);
                    const QPoint from = piece->mapTo(ber, start);
                    for (int step = 1; step <= 4; ++step)
                        QTest::mouseMove(piece, piece->mapFrom(ber, from + (target - from) * step / 4));
                    QTest::mouseRelease(piece, Qt::LeftButton, {}, piece->mapFrom(ber, target));
                    amount -= value;
                }
            }
            QCOMPARE(amount, qint64(0));
            click(ber->Ellenor);
        }
    }
    // The exercise finished: "Vége" closes it, and the player turns back to the calculator.
    void finishExercise(TfJovedelem *calc, TBer *ber)
    {
        QCOMPARE(ber->stage(), TBer::Finished);
        QCOMPARE(ber->Ellenor->text(), QStringLiteral("Vége"));
        click(ber->Ellenor);
        QVERIFY(!ber->isVisible());
        // The player turns back to the calculator's window (the offscreen platform has no
        // window manager to hand the activation back).
        calc->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(calc));
        QCOMPARE(QApplication::focusWidget(), calc->NumberEdit(6));
    }

    // The income calculator of a 2026 folder, worked out once through the payroll exercise:
    // the allowance base typed, the SZJA and the TB paid in cash, the rest typed, the
    // employer's cost only read. Returns the family net income that the calculator stores.
    qint64 solveIncomeCalculator2026(qint64 gross, int children, qint64 partner)
    {
        TfJovedelem *calc = game().fJovedelem;
        [&] { QVERIFY(QTest::qWaitForWindowActive(calc)); }();
        QCoreApplication::processEvents();
        [&] { QCOMPARE(calc->rules().year(), 2026); }();
        const payroll::PayrollTables tables = payroll::LoadPayrollTables(game().DataModule2);
        const payroll::PayStatement2026 expected =
            payroll::ComputePayStatement2026(payroll::tables2026(tables), gross, children, partner);
        auto type = [&](int n, qint64 amount) {
            TNumberEdit *field = calc->NumberEdit(n);
            if (!field->hasFocus())
                QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
            QVERIFY2(field->hasFocus(), qPrintable(field->objectName()));
            QTest::keyClicks(field, QString::number(amount));
            QTest::keyClick(field, Qt::Key_Tab);
            QVERIFY2(TfJovedelem::markOf(field) == TfJovedelem::Mark::Right,
                     qPrintable(field->objectName() + QStringLiteral(": ") + field->text()));
        };
        type(1, expected.allowanceBase);
        click(calc->BitBtn3);
        TBer *ber = game().Ber;
        [&] { QVERIFY(QTest::qWaitForWindowActive(ber)); }();
        const qint64 stages[] = {payroll::cashRound(expected.taxPaid), payroll::cashRound(expected.contributionPaid)};
        payStages(ber, stages);
        finishExercise(calc, ber);
        const qint64 solved[] = {0, 0, expected.taxPaid, expected.contribution, expected.contributionAllowance,
                                 expected.deductionsTotal};
        for (int i = 2; i <= 5; ++i)
            [&] { QCOMPARE(calc->NumberEdit(i)->Value(), double(solved[i])); }();
        [&] { QCOMPARE(calc->NumberEdit(10)->Value(), double(expected.employerCost)); }();
        type(6, expected.netWage);
        if (children > 0)
            type(8, expected.familyAllowance);
        type(9, expected.familyNetIncome);
        dialogs().confirmAnswers.enqueue(false);   // no printing
        click(calc->BitBtn2);
        [&] { QVERIFY(!calc->isVisible()); }();
        return expected.familyNetIncome;
    }

    // The income calculator, worked out once through the payroll exercise: the super-gross
    // wage typed, the four amounts paid with coins and notes dragged onto the tax office's
    // logo, the rest typed, "&Kiszámoltam!" with the printing declined. Returns the family
    // net income that the calculator stores.
    qint64 solveIncomeCalculator(qint64 gross, int children, qint64 partner)
    {
        TfJovedelem *calc = game().fJovedelem;
        [&] { QVERIFY(QTest::qWaitForWindowActive(calc)); }();
        QCoreApplication::processEvents();
        const payroll::PayrollTables tables = payroll::LoadPayrollTables(game().DataModule2);
        const payroll::PayStatement expected =
            payroll::ComputePayStatement(tables, payroll::bracketFinder(game().DataModule2), gross, children, partner);

        auto type = [&](int n, qint64 amount) {
            TNumberEdit *field = calc->NumberEdit(n);
            // A click into a field selects what it holds; the field that has the focus already
            // has it selected.
            if (!field->hasFocus())
                QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
            QVERIFY2(field->hasFocus(), qPrintable(field->objectName()));
            QCOMPARE(field->selectedText(), field->text());
            QTest::keyClicks(field, QString::number(amount));
            QTest::keyClick(field, Qt::Key_Tab);
            QVERIFY2(TfJovedelem::markOf(field) == TfJovedelem::Mark::Right,
                     qPrintable(field->objectName() + QStringLiteral(": ") + field->text() + QStringLiteral(" for ")
                                + QString::number(amount)));
        };
        type(11, expected.superGross);

        // The payroll exercise over the calculator.
        click(calc->BitBtn3);
        TBer *ber = game().Ber;
        [&] { QVERIFY(QTest::qWaitForWindowActive(ber)); }();
        const qint64 stages[] = {expected.exerciseTaxAdvance, expected.pension, expected.health, expected.employee};
        payStages(ber, stages);
        finishExercise(calc, ber);

        // The exercise's amounts are in the first five fields.
        const qint64 deductions = expected.exerciseTaxAdvance + expected.health + expected.employee + expected.pension;
        const qint64 solved[] = {expected.exerciseTaxAdvance, expected.health, expected.employee, expected.pension,
                                 deductions};
        for (int i = 1; i <= 5; ++i) {
            [&] { QCOMPARE(calc->NumberEdit(i)->Value(), double(solved[i - 1])); }();
            [&] { QCOMPARE(TfJovedelem::markOf(calc->NumberEdit(i)), TfJovedelem::Mark::Right); }();
        }
        const qint64 net = gross - deductions;
        const qint64 allowance = payroll::FamilyAllowance(tables, children);
        const qint64 taxAllowance = payroll::FamilyTaxAllowance(tables, children, expected.exerciseTaxAdvance);
        const qint64 familyNet = net + partner + allowance + taxAllowance;
        type(6, net);
        if (children > 0) {
            type(8, allowance);
            type(9, taxAllowance);
        } else {
            [&] { QCOMPARE(TfJovedelem::markOf(calc->NumberEdit(8)), TfJovedelem::Mark::Right); }();
            [&] { QCOMPARE(TfJovedelem::markOf(calc->NumberEdit(9)), TfJovedelem::Mark::Right); }();
        }
        type(10, familyNet);

        dialogs().confirmAnswers.enqueue(false);   // no printing
        click(calc->BitBtn2);
        [&] { QVERIFY(!calc->isVisible()); }();
        return familyNet;
    }

    // The working folder of a game: a copy of the built folder of `year` (ZOMIR_WORKFOLDER,
    // ZOMIR_WORKFOLDER_2026), and on a server run a fresh database filled with that year's
    // content, which the game's alias points at; the test's own reader on the same tables.
    void prepare(int year)
    {
        const QString built = qEnvironmentVariable(year == 2026 ? "ZOMIR_WORKFOLDER_2026" : "ZOMIR_WORKFOLDER");
        QVERIFY2(QFileInfo::exists(built + QStringLiteral("/DB")),
                 qPrintable(QStringLiteral("the built working folder of %1 is missing").arg(year)));
        QVERIFY(testenv::copyFolder(built, folderDir->path()));
        QString serverConnection;
        if (onServer()) {
            // The game logs in with the students' role: what it reads and writes is all it may.
            serverConnection = freshDatabase(year, QStringLiteral("zomir_admin"));
            zdb::ServerAddress student = zdb::ServerAddress::parse(serverConnection);
            student.user = QStringLiteral("zomir_diak");
            zdb::Session pc(configDir->filePath(QStringLiteral("engine.ini")));
            QVERIFY(zdb::pointAliasAtServer(pc, {QStringLiteral("zomir"), QStringLiteral("--server"), student.toString()}));
        }
        content = std::make_unique<Content>(folderDir->path(), serverConnection);
    }

    // The folder's tax year and monthly cost of a child, from its year row.
    std::pair<int, qint64> yearRow()
    {
        auto t = content->table(QStringLiteral("Adoev.DB"));
        t->first();
        if (t->eof())
            return {0, 0};
        return {t->fieldByName(QStringLiteral("Ev")).asInteger(),
                payroll::Round(t->fieldByName(QStringLiteral("Gyerek_koltseg")).asFloat())};
    }

    // Everything stored under a name: the number of rows and the fields of the last.
    // The one stored game of `name`, finished with the cheapest choices `frugal` (house, food,
    // clothing, travel; no hobby or entertainment) today, field by field.
    template <typename Choices>
    void verifyFinishedGame(const QString &name, int code, const Choices &frugal, qint64 gross, qint64 familyNet,
                            int year)
    {
        int count = 0;
        const QVariantMap row = storedRow(name, &count);
        QCOMPARE(count, 1);
        QCOMPARE(row.value("Nev").toString(), name);
        QCOMPARE(row.value("Job_Key").toInt(), code);
        QCOMPARE(row.value("House_Key").toInt(), frugal[0]);
        QCOMPARE(row.value("Food_Key").toInt(), frugal[1]);
        QCOMPARE(row.value("Clothing_Key").toInt(), frugal[2]);
        QCOMPARE(row.value("Travel_Key").toInt(), frugal[3]);
        QCOMPARE(row.value("Hobby_Key").toInt(), 0);
        QCOMPARE(row.value("Entertainment_Key").toInt(), 0);
        QCOMPARE(row.value("Statusz").toInt(), 1);
        QCOMPARE(row.value("Datum").toDate(), QDate::currentDate());
        QCOMPARE(row.value("Brutto_jov").toDouble(), double(gross));
        QCOMPARE(row.value("Netto_jov").toDouble(), double(familyNet));
        QCOMPARE(row.value("Adoev").toInt(), year);
    }

    QVariantMap storedRow(const QString &name, int *count)
    {
        auto t = content->table(QStringLiteral("Jatekosok.DB"));
        QVariantMap fields;
        *count = 0;
        for (t->first(); !t->eof(); t->next()) {
            if (t->fieldByName(QStringLiteral("Nev")).asString() != name)
                continue;
            ++*count;
            for (const char *f : {"Nev", "Job_Key", "House_Key", "Food_Key", "Clothing_Key", "Travel_Key", "Hobby_Key",
                                  "Entertainment_Key", "Statusz", "Datum", "Brutto_jov", "Netto_jov", "Adoev"})
                fields.insert(QString::fromLatin1(f), t->fieldByName(QString::fromLatin1(f)).value());
        }
        return fields;
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary)); }

    void init()
    {
        folderDir = std::make_unique<QTemporaryDir>();
        configDir = std::make_unique<QTemporaryDir>();
        cwd = std::make_unique<CurrentFolder>(folderDir->path());
    }
    void cleanup()
    {
        program.reset();
        content.reset();
        cwd.reset();
        configDir.reset();
        folderDir.reset();
    }

    // The server stops while a student is at the name page: the new game is refused with a
    // message naming the server, the page stays usable, and once the server is back the same
    // click starts the game.
    void serverLostAndBack()
    {
        if (!onServer())
            QSKIP("concerns a classroom server");
        prepare(2010);
        startProgram(false);
        enterName(QStringLiteral("Szabó Őrs"));
        server()->kill();
        click(main()->Button1);
        const QStringList errors = shown("error");
        QCOMPARE(errors.size(), 1);
        const QString serverName = content->session.aliasServer(QStringLiteral("READ")).displayName();
        QVERIFY2(errors.first().contains(serverName) && errors.first().contains(QStringLiteral("nem érhető el")),
                 qPrintable(errors.first()));
        QVERIFY(main()->isVisible());
        QVERIFY(!game().fTeszt->isVisible());
        QCOMPARE(main()->Edit1->text(), QStringLiteral("Szabó Őrs"));

        QVERIFY2(server()->restart(), qPrintable(server()->errorString()));
        dialogs().clear();
        click(main()->Button1);
        QVERIFY(QTest::qWaitForWindowActive(game().fTeszt));
        QVERIFY(shown("error").isEmpty());
    }

    // The server is not running yet when the game starts: the start says so and goes on to
    // the opening screen; once the server is up, the player page opens the tables then.
    void serverDownAtStart()
    {
        if (!onServer())
            QSKIP("concerns a classroom server");
        prepare(2010);
        server()->kill();
        program = std::make_unique<ProgramRun>(configDir->filePath(QStringLiteral("engine.ini")));
        QVERIFY(game().create());
        const QString serverName = content->session.aliasServer(QStringLiteral("READ")).displayName();
        QCOMPARE(shown("error").size(), 1);
        QVERIFY2(shown("error").first().contains(serverName), qPrintable(shown("error").first()));
        QVERIFY(!game().DM->JatekosokDB->active());
        dialogs().clear();
        game().start();
        QVERIFY(QTest::qWaitForWindowActive(game().fIndul));

        QVERIFY2(server()->restart(), qPrintable(server()->errorString()));
        enterName(QStringLiteral("Kiss Ágnes"));
        click(main()->Button1);
        QVERIFY(QTest::qWaitForWindowActive(game().fTeszt));
        QVERIFY(shown("error").isEmpty());
        QVERIFY(game().DM->JatekosokDB->active());
        QCOMPARE(game().DM->JatekosokDB->indexName(), QStringLiteral("Jatekosok_Nev_Szerint"));
    }

    void wholeGame_data()
    {
        QTest::addColumn<int>("code");               // the profession chosen
        QTest::addColumn<bool>("resumeAfterRework"); // the rework done in a second run
        QTest::addColumn<int>("year");               // the folder's tax year
        QTest::addRow("three children, one run") << 4 << false << 2010;
        QTest::addRow("no children, one run") << 9 << false << 2010;
        QTest::addRow("three children, resumed in a second run") << 4 << true << 2010;
        QTest::addRow("2026 folder, three children, one run") << 4 << false << 2026;
        QTest::addRow("2026 folder, no children, resumed in a second run") << 9 << true << 2026;
    }

    void wholeGame()
    {
        QFETCH(int, code);
        QFETCH(bool, resumeAfterRework);
        QFETCH(int, year);
        prepare(year);
        if (QTest::currentTestFailed())
            return;
        const auto [folderYear, childCost] = yearRow();
        QCOMPARE(folderYear, year);
        const QString name = QStringLiteral("Kovács Boglárka");
        const career::Profession *profession = career::professionByCode(code);
        QVERIFY(profession);
        const int children = int(content->value("szakma4.DB", "Szakma_kod", code, "Gyerekszam"));
        const qint64 partner = payroll::Round(content->value("szakma4.DB", "Szakma_kod", code, "Hazastars_netto"));
        const double wageMin = content->value("szakma4.DB", "Szakma_kod", code, "Brutto_min");
        const double wageMax = content->value("szakma4.DB", "Szakma_kod", code, "Brutto_max");

        startProgram(true);
        enterName(name);

        // A new game: the interest test.
        click(main()->Button1);
        TfTeszt *test = game().fTeszt;
        QVERIFY(QTest::qWaitForWindowActive(test));
        QVERIFY(!main()->isVisible());
        for (int box : {2, 6, 11, 14, 20})
            click(test->CheckBox(box));
        click(test->BitBtn1);
        QCOMPARE(file(QStringLiteral("szakma.txt")).count("\r\n"), 6);

        // The profession choice, its career sheet looked at once.
        TfSzakma *choice = game().fSzakma;
        QVERIFY(QTest::qWaitForWindowActive(choice));
        QVERIFY(!test->isVisible());
        QTest::mouseClick(choice->Image(profession->image), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(game().fPalya));
        game().fPalya->close();
        QVERIFY(!game().fPalya->isVisible());
        click(choice->RadioButton(profession->radio));
        click(choice->bSzakmaval);
        QCOMPARE(shown("message").size(), 1);
        QVERIFY(shown("message").constFirst().startsWith(QStringLiteral("A választott szakmád: ")));
        QVERIFY(!choice->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(main()));
        QCOMPARE(main()->JobKey, code);
        QCOMPARE(workfiles::readLines(QStringLiteral("szakmavalasztas.txt")).value(0), QString::number(code));

        // The household pages: the dearest of everything, every activity.
        QList<int> dear;
        for (const Browsed &page : kBrowsed)
            dear << content->keys(QString::fromLatin1(page.file), QString::fromLatin1(page.keyField)).constLast();
        walkPages(dear, 63, 63);

        // Report 1, the wage drawn, "ber.txt" for the income calculator.
        QCOMPARE(shown("preview"), QStringList{name + QStringLiteral(" - egyéni költségvetés")});
        const QStringList ber = workfiles::readLines(QStringLiteral("ber.txt"));
        QCOMPARE(ber.size(), 4);
        const qint64 gross = ber[0].toLongLong();
        QVERIFY2(gross >= wageMin - 500 && gross <= wageMax + 500 && gross % 1000 == 0, qPrintable(ber[0]));
        QCOMPARE(ber[1].toInt(), children);
        QCOMPARE(ber[2].toLongLong(), partner);
        QCOMPARE(ber[3].toLongLong(), singlePersonTotal(dear, 63, 63));
        QVERIFY(!main()->isVisible());

        QCOMPARE(game().frmQuickRep->adoev_szint->caption(),
                 year == 2026 ? QStringLiteral("2026-os adó- és árszintek") : QStringLiteral("2010-es adó- és árszintek"));
        // The help follows the folder's year: the other year's payroll topics are left out,
        // and the household topics name the folder's cost of a child.
        const QList<int> helpTopics = sugo::contexts();
        QCOMPARE(helpTopics.contains(1), year == 2010);    // the super-gross wage
        QCOMPARE(helpTopics.contains(21), year == 2026);   // the 2026 SZJA
        const auto spaced = [](QString text) {
            return text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" ")).replace(QChar(0xA0), QLatin1Char(' '));
        };
        QVERIFY2(spaced(sugo::topicHtml(12)).contains(spaced(QLocale().toString(childCost)) + QStringLiteral(" Ft-tal")),
                 qPrintable(sugo::topicHtml(12)));
        const qint64 familyNet = year == 2026 ? solveIncomeCalculator2026(gross, children, partner)
                                              : solveIncomeCalculator(gross, children, partner);
        if (QTest::currentTestFailed())
            return;

        // Back on "Ház" with the choices kept: the family budget of the same dear life falls short.
        QVERIFY(QTest::qWaitForWindowActive(main()));
        verifyOnlyTab(TMainForm::PageHaz);
        dialogs().clear();
        walkPages(dear, 63, 63);
        QCOMPARE(shown("preview"), QStringList{name + QStringLiteral(" - családi költségvetés")});
        QCOMPARE(shown("message"), QStringList{kRework});
        // The family budget counts the folder's cost of a child.
        if (children > 0)
            QVERIFY2(game().frmQuickRep2->gyerektext->caption().contains(
                         QStringLiteral("összesen %1 Ft").arg(children * childCost)),
                     qPrintable(game().frmQuickRep2->gyerektext->caption()));
        QVERIFY(QTest::qWaitForWindowActive(main()));
        verifyOnlyTab(TMainForm::PageHaz);
        QCOMPARE(file(QStringLiteral("ber.txt")),
                 QStringLiteral("%1\r\n%2\r\n%3\r\n0\r\n").arg(gross).arg(children).arg(partner).toLatin1());

        if (resumeAfterRework) {
            // The player leaves without finishing; a second run loads the game by name.
            dialogs().confirmAnswers.enqueue(true);
            main()->close();
            QVERIFY(QTest::qWaitForWindowActive(game().fIndul));
            click(game().fIndul->Kilep);
            QVERIFY(game().ended());
            program.reset();
            startProgram(false);
            enterName(name);
            QVERIFY(main()->Button2->isEnabled());
            click(main()->Button2);
            QCOMPARE(shown("message").size(), 1);
            QVERIFY(shown("message").constFirst().startsWith(QStringLiteral("A választott szakmád: ")));
            QVERIFY(QTest::qWaitForWindowActive(main()));
            QCOMPARE(main()->JobKey, code);
            QCOMPARE(game().DM->HazakDB->fieldByName(QStringLiteral("House_Key")).asInteger(), dear[0]);
        }

        // The rework: the cheapest home, food and clothing, the bicycle, no activities.
        dialogs().clear();
        const QList<int> frugal = {1, 1, 1, 2};
        walkPages(frugal, 0, 0);
        QCOMPARE(shown("preview"), QStringList({name + QStringLiteral(" - családi költségvetés"),
                                                name + QStringLiteral(" - oklevél")}));
        QVERIFY(shown("message").isEmpty());
        QVERIFY(shown("error").isEmpty());
        QVERIFY(!main()->isVisible());
        QVERIFY(!game().DM->JatekosokDB->active());
        QCOMPARE(game().frmQuickRep3->adoev_szint->caption(), budget::yearLevelsText(year));

        // The credits; a click on their free strip ends the program.
        TVege *credits = game().Vege;
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        QVERIFY(!credits->childAt(QPoint(5, 505)));
        QTest::mouseClick(credits, Qt::LeftButton, {}, QPoint(5, 505));
        QVERIFY(game().ended());

        // The stored game, field by field.
        verifyFinishedGame(name, code, frugal, gross, familyNet, year);
        if (QTest::currentTestFailed())
            return;

        // A second run: the finished game is found by its name but cannot be loaded; a new
        // game under the name removes it.
        program.reset();
        startProgram(false);
        enterName(name);
        QVERIFY(!main()->Button2->isEnabled());
        click(main()->Button1);
        QVERIFY(QTest::qWaitForWindowActive(game().fTeszt));
        int count = 0;
        storedRow(name, &count);
        QCOMPARE(count, 0);
        QVERIFY(shown("error").isEmpty());
    }

    // A whole game with the keyboard alone, as a student who cannot use a mouse plays it:
    // Alt and the underlined letters, Tab to a control and Space or Enter to press it, the
    // amounts typed and each field left with Enter, the coins and notes paid with Enter.
    // No mouse event reaches the program. The cheapest life is chosen at once, so the family
    // budget of the second pass earns the certificate.
    void wholeGameByKeyboard_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("year");
        QTest::addRow("2010 folder, three children") << 4 << 2010;
        QTest::addRow("2026 folder, no children") << 9 << 2026;
    }
    void wholeGameByKeyboard()
    {
        QFETCH(int, code);
        QFETCH(int, year);
        if (onServer())
            QSKIP("the keyboard plays the same on either storage");
        prepare(year);
        if (QTest::currentTestFailed())
            return;
        MouseWatch mouse;
        qApp->installEventFilter(&mouse);
        const QString name = QStringLiteral("Kovacs Bence");
        const career::Profession *profession = career::professionByCode(code);
        QVERIFY(profession);
        const int children = int(content->value("szakma4.DB", "Szakma_kod", code, "Gyerekszam"));
        const qint64 partner = payroll::Round(content->value("szakma4.DB", "Szakma_kod", code, "Hazastars_netto"));

        startProgram(true);
        enterName(name);
        QCOMPARE(QApplication::focusWidget(), main()->Button1);
        key(Qt::Key_Space);   // "Új Játék"

        TfTeszt *test = game().fTeszt;
        QVERIFY(QTest::qWaitForWindowActive(test));
        for (int box : {2, 6, 11, 14, 20}) {
            press(test->CheckBox(box));
            QVERIFY(test->CheckBox(box)->isChecked());
        }
        alt(Qt::Key_K);   // "&Kitöltöttem!"

        TfSzakma *choice = game().fSzakma;
        QVERIFY(QTest::qWaitForWindowActive(choice));
        // Tab into the professions, the arrows down to the one chosen.
        for (int i = 0; i < 5 && !qobject_cast<QRadioButton *>(QApplication::focusWidget()); ++i)
            key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), choice->RadioButton(1));
        for (int i = 1; i < profession->radio; ++i)
            key(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), choice->RadioButton(profession->radio));
        key(Qt::Key_Space);
        QVERIFY(choice->RadioButton(profession->radio)->isChecked());
        alt(Qt::Key_V);   // "&Választottam!"
        QVERIFY(!choice->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(main()));
        QCOMPARE(main()->JobKey, code);

        const QList<int> frugal = {1, 1, 1, 2};
        walkPagesByKeyboard(frugal);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(shown("preview"), QStringList{name + QStringLiteral(" - egyéni költségvetés")});
        const QStringList ber = workfiles::readLines(QStringLiteral("ber.txt"));
        QCOMPARE(ber.size(), 4);
        const qint64 gross = ber[0].toLongLong();

        const qint64 familyNet = solveIncomeCalculatorByKeyboard(year, gross, children, partner);
        if (QTest::currentTestFailed())
            return;

        QVERIFY(QTest::qWaitForWindowActive(main()));
        dialogs().clear();
        walkPagesByKeyboard(frugal);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(shown("preview"), QStringList({name + QStringLiteral(" - családi költségvetés"),
                                                name + QStringLiteral(" - oklevél")}));
        QVERIFY(shown("error").isEmpty());

        TVege *credits = game().Vege;
        QVERIFY(QTest::qWaitForWindowActive(credits));
        key(Qt::Key_Return);
        QVERIFY(game().ended());
        qApp->removeEventFilter(&mouse);
        QCOMPARE(mouse.events, 0);
        verifyFinishedGame(name, code, frugal, gross, familyNet, year);
    }

    // A folder of the time before the tax year was stored (the dumps of tests/data/regi-mappa
    // beside the built folder's pictures, career sheets and clauses) with an unfinished game:
    // the student types the name, loads the game and plays it through the pages and the
    // income calculator of 2010 to the certificate. The program's first start upgrades the
    // folder: the old files are kept in DB/regi-<date>/, every stored game stays as it was,
    // and the game saved gets the year 2010.
    void oldFolderWithAStoredGame()
    {
        if (onServer())
            QSKIP("concerns a database folder");
        const QString built = qEnvironmentVariable("ZOMIR_WORKFOLDER");
        QVERIFY2(QFileInfo::exists(built + QStringLiteral("/DB")), "the built working folder is missing");
        const QDir work(folderDir->path());
        for (const char *sub : {"munka_pict", "rtf"})
            QVERIFY(testenv::copyFolder(QDir(built).filePath(QLatin1String(sub)), work.filePath(QLatin1String(sub))));
        QVERIFY(QFile::copy(QDir(built).filePath(QStringLiteral("szakmaleiras.txt")),
                            work.filePath(QStringLiteral("szakmaleiras.txt"))));
        const QString db = work.filePath(QStringLiteral("DB"));
        QVERIFY(oldfolder::makeOldFolder(db));
        QVERIFY(!QFileInfo::exists(QDir(db).filePath(QStringLiteral("Adoev.DB"))));
        const QString playersFile = QDir(db).filePath(QStringLiteral("Jatekosok.DB"));
        const QStringList before = oldfolder::storedGames(playersFile);
        QVERIFY(before.size() > 1);

        // The unfinished game, as the old program stored it.
        const QString name = QStringLiteral("Vámos Lili");
        int played = -1;
        for (int i = 0; i < before.size(); ++i)
            if (before[i].split(QLatin1Char('|')).value(1) == name)
                played = i;
        QVERIFY(played >= 0);
        const QStringList old = before[played].split(QLatin1Char('|'));
        QCOMPARE(old.value(10), QStringLiteral("0"));        // Statusz: unfinished
        QCOMPARE(old.value(15), QStringLiteral("<null>"));   // no family net income yet
        const QList<int> chosen = {old[2].toInt(), old[3].toInt(), old[4].toInt(), old[5].toInt()};
        const int hobbies = old[6].toInt(), entertainment = old[7].toInt(), code = old[8].toInt();
        const qint64 storedGross = payroll::Round(old[16].toDouble());
        QVERIFY(storedGross > 0);

        // The first start: the folder is upgraded as the game opens it.
        startProgram(true);
        content = std::make_unique<Content>(folderDir->path(), QString());
        const auto [folderYear, childCost] = yearRow();
        QCOMPARE(folderYear, 2010);
        QVERIFY(childCost > 0);
        const int children = int(content->value("szakma4.DB", "Szakma_kod", code, "Gyerekszam"));
        const qint64 partner = payroll::Round(content->value("szakma4.DB", "Szakma_kod", code, "Hazastars_netto"));
        auto professions = content->table(QStringLiteral("szakma4.DB"));
        QVERIFY(professions->locate(QStringLiteral("Szakma_kod"), code));
        const QString professionName = professions->fieldByName(QStringLiteral("Szakma_nev")).asString();

        // "Betöltés": the stored profession and household come back.
        enterName(name);
        QVERIFY(main()->Button2->isEnabled());
        click(main()->Button2);
        QCOMPARE(shown("message"), QStringList{QStringLiteral("A választott szakmád: ") + professionName});
        QVERIFY(QTest::qWaitForWindowActive(main()));
        QCOMPARE(main()->JobKey, code);
        for (int i = 0; i < 4; ++i)
            QCOMPARE((game().DM->*kBrowsed[i].table)->fieldByName(QString::fromLatin1(kBrowsed[i].keyField)).asInteger(),
                     chosen[i]);
        dialogs().clear();
        walkPages(chosen, hobbies, entertainment);

        // Report 1 with the wage stored: it is not drawn again.
        QCOMPARE(shown("preview"), QStringList{name + QStringLiteral(" - egyéni költségvetés")});
        QCOMPARE(game().frmQuickRep->adoev_szint->caption(), QStringLiteral("2010-es adó- és árszintek"));
        const QStringList ber = workfiles::readLines(QStringLiteral("ber.txt"));
        QCOMPARE(ber.size(), 4);
        QCOMPARE(ber[0].toLongLong(), storedGross);
        QCOMPARE(ber[1].toInt(), children);
        QCOMPARE(ber[2].toLongLong(), partner);
        QCOMPARE(ber[3].toLongLong(), singlePersonTotal(chosen, hobbies, entertainment));
        QVERIFY(sugo::contexts().contains(1));   // the 2010 help: the super-gross wage
        const qint64 familyNet = solveIncomeCalculator(storedGross, children, partner);
        if (QTest::currentTestFailed())
            return;

        // The cheapest life balances the family budget: report 2 and the certificate.
        QVERIFY(QTest::qWaitForWindowActive(main()));
        verifyOnlyTab(TMainForm::PageHaz);
        dialogs().clear();
        const QList<int> frugal = {1, 1, 1, 2};
        walkPages(frugal, 0, 0);
        QCOMPARE(shown("preview"), QStringList({name + QStringLiteral(" - családi költségvetés"),
                                                name + QStringLiteral(" - oklevél")}));
        QVERIFY(shown("message").isEmpty());
        QVERIFY(shown("error").isEmpty());
        if (children > 0)
            QVERIFY2(game().frmQuickRep2->gyerektext->caption().contains(
                         QStringLiteral("összesen %1 Ft").arg(children * childCost)),
                     qPrintable(game().frmQuickRep2->gyerektext->caption()));
        QCOMPARE(game().frmQuickRep3->adoev_szint->caption(), budget::yearLevelsText(2010));
        TVege *credits = game().Vege;
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        QTest::mouseClick(credits, Qt::LeftButton, {}, QPoint(5, 505));
        QVERIFY(game().ended());
        program.reset();

        // Every stored game kept; the one played finished, with its year.
        const QStringList after = oldfolder::storedGames(playersFile);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i)
            if (i != played)
                QCOMPARE(after[i], before[i]);
        const QStringList now = after[played].split(QLatin1Char('|'));
        QCOMPARE(now.value(0), old.value(0));   // the same row, not a new one
        verifyFinishedGame(name, code, frugal, storedGross, familyNet, 2010);
        if (QTest::currentTestFailed())
            return;
        auto players = content->table(QStringLiteral("Jatekosok.DB"));
        for (players->first(); !players->eof(); players->next())
            QCOMPARE(players->fieldByName(QStringLiteral("Adoev")).asInteger(), 2010);

        // The old files, as they were, in DB/regi-<date>/.
        const QStringList copies = QDir(db).entryList({QStringLiteral("regi-*")}, QDir::Dirs);
        QCOMPARE(copies, QStringList{QStringLiteral("regi-") + QDate::currentDate().toString(Qt::ISODate)});
        QCOMPARE(oldfolder::storedGames(QDir(db).filePath(copies.first() + QStringLiteral("/Jatekosok.DB"))), before);
    }
};

ZOMIR_TEST_MAIN(TestPlaythrough)
#include "tst_playthrough.moc"
