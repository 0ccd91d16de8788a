// One whole game, headless (offscreen), driven by clicks and keys on the real screens with
// scripted dialogs, timed beside the cost of creating the screen set it runs on:
//   setup_ms        creating the thirteen objects of the game (Game::create)
//   playthrough_ms  from the opening screen to the credits: name, new game, interest test,
//                   profession choice, six pages, report 1, the income calculator solved once
//                   through the payroll exercise, pages again, report 2, rework, report 2,
//                   the certificate, the credits
//   ratio           playthrough_ms / setup_ms (goal: under 2)
//   screens_first_show_ms  showing each screen (and each page of the main window) once on a
//                   fresh screen set, painted, before any play; ratio_to_setup_and_first_show
//                   compares the game with setup and first showing together
// Each figure is the median of several rounds, each on a fresh copy of the working folder
// (ZOMIR_WORKFOLDER, or the folder given as the first argument).

#include "game/adatinit.h"
#include "game/adozas.h"
#include "controls/application.h"
#include "game/befejez.h"
#include "db/engine.h"
#include "game/game.h"
#include "rules/interest.h"
#include "game/jovedelem.h"
#include "game/kival.h"
#include "controls/numedit.h"
#include "game/nyito.h"
#include "rules/payroll.h"
#include "game/payrolldata.h"
#include "tests/support/scripteddialogs.h"
#include "game/szakma.h"
#include "game/teszt.h"
#include "tests/support/testenv.h"
#include "rules/workfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Every step of a game as a student feels it: from the input event to the screen painted
// (the posted events, the paints among them, handled), named by its window and widget.
QList<QPair<QString, double>> *recordedSteps = nullptr;

QString stepName(QWidget *w, const char *what)
{
    const QWidget *window = w->window();
    const QString windowName = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                               : window->objectName();
    const QString widgetName =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return windowName + QLatin1Char('/') + widgetName + QLatin1Char(' ') + QLatin1String(what);
}

template <typename Input>
void step(QWidget *w, const char *what, Input &&input)
{
    const QString name = recordedSteps ? stepName(w, what) : QString();
    QElapsedTimer clock;
    clock.start();
    input();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();   // what the first round's paints posted
    if (recordedSteps)
        recordedSteps->append({name, clock.nsecsElapsed() / 1e6});
}

void click(QWidget *w)
{
    step(w, "click", [w] { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); });
}
// A check box is clicked on its indicator: a short caption leaves the box's middle empty.
void tick(QWidget *box)
{
    step(box, "click", [box] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); });
}
void key(QWidget *w, Qt::Key k, Qt::KeyboardModifiers modifiers = {})
{
    step(w, "key", [&] { QTest::keyClick(w, k, modifiers); });
}
void typeChar(QWidget *w, QChar c)
{
    step(w, "key", [&] { QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier); });
}

// Waits for a window's activation by running the event loop without sleeping (QTest's wait
// sleeps in 10 ms steps, which would be timed as the game's work).
bool waitActive(QWidget *window)
{
    for (int i = 0; i < 10000 && !window->isActiveWindow(); ++i)
        QCoreApplication::processEvents();
    return window->isActiveWindow();
}

struct Round {
    QList<QPair<const char *, double>> phases;
    double setupMs = 0;
    double firstShowMs = 0;
    double playMs = 0;
    bool finished = false;
};

class Player {
public:
    explicit Player(Game &game, ScriptedDialogs &dialogs) : g(game), d(dialogs) { m_clock.start(); }

    // Milliseconds of each stage of the game, in order.
    QList<QPair<const char *, double>> phases;

    bool play()
    {
        const int code = 4;   // a profession with children
        const career::Profession *profession = career::professionByCode(code);
        g.start();
        key(g.fIndul, Qt::Key_K, Qt::AltModifier);
        TMainForm *main = g.MainForm;
        if (!waitActive(main))
            return false;
        main->Edit1->setFocus();
        for (const QChar c : QStringLiteral("Mérő Mátyás"))
            typeChar(main->Edit1, c);
        key(main->Edit1, Qt::Key_Tab);
        click(main->Button1);
        if (!waitActive(g.fTeszt))
            return false;
        mark("name_and_new_game");
        for (int box : {2, 6, 11, 14, 20})
            click(g.fTeszt->CheckBox(box));
        click(g.fTeszt->BitBtn1);
        if (!waitActive(g.fSzakma))
            return false;
        mark("interest_test");
        click(g.fSzakma->RadioButton(profession->radio));
        click(g.fSzakma->bSzakmaval);
        if (!waitActive(main))
            return false;
        mark("profession_choice");

        walk(main, {5, 4, 4, 4}, 63, 63);   // the dearest rows: next pressed to the last
        mark("pages_and_report_1");
        if (!solveCalculator())
            return false;
        if (!waitActive(main))
            return false;
        mark("income_calculator_and_exercise");
        walk(main, {0, 0, 0, 0}, 63, 63);   // the same again: the rework
        mark("pages_and_report_2");
        walk(main, {-5, -4, -4, -3}, 0, 0); // back to the frugal rows
        mark("rework_reports_2_and_3");
        step(g.Vege, "click", [this] { QTest::mouseClick(g.Vege, Qt::LeftButton, {}, QPoint(5, 505)); });   // the credits' free strip
        return g.ended() && d.texts(QStringLiteral("error")).isEmpty();
    }

private:
    void mark(const char *phase)
    {
        phases.append({phase, m_clock.nsecsElapsed() / 1e6});
        m_clock.restart();
    }
    QElapsedTimer m_clock;

    QPushButton *button(TMainForm *main, const char *name)
    {
        return main->findChild<QPushButton *>(QLatin1String(name));
    }
    // Moves each browsed page by `steps` rows (negative: back), sets the two masks and
    // presses the last page's OK.
    void walk(TMainForm *main, const QList<int> &steps, int hobbies, int entertainment)
    {
        const char *pages[4][3] = {{"BitBtn2", "BitBtn3", "BitBtn4"}, {"BitBtn5", "BitBtn6", "BitBtn7"},
                                   {"BitBtn14", "BitBtn15", "BitBtn16"}, {"BitBtn8", "BitBtn9", "BitBtn10"}};
        for (int i = 0; i < 4; ++i) {
            for (int s = 0; s < qAbs(steps[i]); ++s)
                click(button(main, pages[i][steps[i] > 0 ? 1 : 0]));
            click(button(main, pages[i][2]));
        }
        for (int bit = 0; bit < 6; ++bit) {
            auto *box = main->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(1 + bit));
            if (box->isChecked() != bool(hobbies >> bit & 1))
                tick(box);
        }
        click(button(main, "BitBtn11"));
        for (int bit = 0; bit < 6; ++bit) {
            auto *box = main->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(7 + bit));
            if (box->isChecked() != bool(entertainment >> bit & 1))
                tick(box);
        }
        click(button(main, "BitBtn12"));
    }

    bool solveCalculator()
    {
        TfJovedelem *calc = g.fJovedelem;
        if (!waitActive(calc))
            return false;
        QCoreApplication::processEvents();
        const QStringList ber = workfiles::readLines(QStringLiteral("ber.txt"));
        const qint64 gross = ber.value(0).toLongLong();
        const int children = ber.value(1).toInt();
        const qint64 partner = ber.value(2).toLongLong();
        const payroll::PayrollTables tables = payroll::LoadPayrollTables(g.DataModule2);
        const payroll::PayStatement s =
            payroll::ComputePayStatement(tables, payroll::bracketFinder(g.DataModule2), gross, children, partner);
        auto type = [&](int n, qint64 amount) {
            TNumberEdit *field = calc->NumberEdit(n);
            if (!field->hasFocus())
                click(field);
            for (const char c : QByteArray::number(amount))
                step(field, "key", [&] { QTest::keyClick(field, c); });
            key(field, Qt::Key_Tab);
        };
        type(11, s.superGross);
        click(calc->BitBtn3);
        TBer *ber2 = g.Ber;
        if (!waitActive(ber2))
            return false;
        for (qint64 amount : {s.exerciseTaxAdvance, s.pension, s.health, s.employee}) {
            for (int value : {20000, 10000, 5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5})
                while (amount >= value) {
                    TMoneyPiece *piece = ber2->piece(value);
                    const QPoint start = piece->rect().center();
                    const QPoint target = ber2->ado->geometry().center();
                    const QPoint from = piece->mapTo(ber2, start);
                    step(piece, "press", [&] { QTest::mousePress(piece, Qt::LeftButton, {}, start); });
                    for (int move = 1; move <= 4; ++move)
                        step(piece, "drag", [&] {
                            QTest::mouseMove(piece, piece->mapFrom(ber2, from + (target - from) * move / 4));
                        });
                    step(piece, "drop", [&] {
                        QTest::mouseRelease(piece, Qt::LeftButton, {}, piece->mapFrom(ber2, target));
                    });
                    amount -= value;
                }
            click(ber2->Ellenor);
        }
        if (ber2->stage() != TBer::Finished)
            return false;
        click(ber2->Ellenor);
        calc->activateWindow();   // no window manager offscreen to hand the activation back
        if (!waitActive(calc))
            return false;
        const qint64 deductions = s.exerciseTaxAdvance + s.health + s.employee + s.pension;
        const qint64 net = gross - deductions;
        const qint64 allowance = payroll::FamilyAllowance(tables, children);
        const qint64 taxAllowance = payroll::FamilyTaxAllowance(tables, children, s.exerciseTaxAdvance);
        type(6, net);
        if (children > 0) {
            type(8, allowance);
            type(9, taxAllowance);
        }
        type(10, net + partner + allowance + taxAllowance);
        d.confirmAnswers.enqueue(false);
        click(calc->BitBtn2);
        return !calc->isVisible();
    }

    Game &g;
    ScriptedDialogs &d;
};

// Shows every screen of a freshly made screen set once (each page of the main window
// too), painted, and hides it again: what the screens cost before the game does anything.
double firstShowOnce(const QString &built)
{
    QTemporaryDir folder;
    QTemporaryDir config;
    if (!testenv::copyFolder(built, folder.path()))
        return -1;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    double ms = -1;
    {
        ScriptedDialogs dialogs;
        Dialogs *appDialogs = ZApplication::instance()->dialogs();
        ZApplication::instance()->setDialogs(&dialogs);
        zdb::Session session(config.filePath(QStringLiteral("engine.ini")));
        Game game(&session, &dialogs);
        if (game.create()) {
            QElapsedTimer timer;
            timer.start();
            auto showOnce = [](QWidget *w) {
                w->show();
                w->repaint();
                QCoreApplication::processEvents();
                w->hide();
            };
            for (QWidget *w : {static_cast<QWidget *>(game.fIndul), static_cast<QWidget *>(game.fTeszt),
                               static_cast<QWidget *>(game.fSzakma), static_cast<QWidget *>(game.fJovedelem),
                               static_cast<QWidget *>(game.Ber), static_cast<QWidget *>(game.Vege)})
                showOnce(w);
            for (int page = TMainForm::PageNev; page <= TMainForm::PageSzorakozas; ++page) {
                game.MainForm->goToPage(page);
                showOnce(game.MainForm);
            }
            ms = timer.nsecsElapsed() / 1e6;
        }
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        ZApplication::instance()->setDialogs(appDialogs);
    }
    QDir::setCurrent(previous);
    return ms;
}

Round playOnce(const QString &built)
{
    Round round;
    QTemporaryDir folder;
    QTemporaryDir config;
    if (!testenv::copyFolder(built, folder.path()))
        return round;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    {
        ScriptedDialogs dialogs;
        Dialogs *appDialogs = ZApplication::instance()->dialogs();
        ZApplication::instance()->setDialogs(&dialogs);
        zdb::Session session(config.filePath(QStringLiteral("engine.ini")));
        Game game(&session, &dialogs);
        QElapsedTimer timer;
        timer.start();
        const bool created = game.create();
        round.setupMs = timer.nsecsElapsed() / 1e6;
        if (created) {
            Player player(game, dialogs);
            timer.restart();
            round.finished = player.play();
            round.playMs = timer.nsecsElapsed() / 1e6;
            round.phases = player.phases;
        }
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        ZApplication::instance()->setDialogs(appDialogs);
    }
    QDir::setCurrent(previous);
    return round;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ZApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    app.setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    ScriptedDialogs appDialogs;
    app.setDialogs(&appDialogs);
    const QString built = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("ZOMIR_WORKFOLDER");
    if (!QFileInfo::exists(built + QStringLiteral("/DB"))) {
        std::fprintf(stderr, "no working folder (ZOMIR_WORKFOLDER or the first argument)\n");
        return 2;
    }
    // Figures are per-process: QTest's default mouse delay is off, so clicks cost their work only.
    QList<double> setup, play, firstShow;
    QList<QPair<const char *, double>> lastPhases;
    bool allFinished = true;
    QList<QList<QPair<QString, double>>> stepsOfRounds;
    for (int i = 0; i < 5; ++i) {
        stepsOfRounds.emplaceBack();
        recordedSteps = &stepsOfRounds.last();
        const Round r = playOnce(built);
        recordedSteps = nullptr;
        allFinished = allFinished && r.finished;
        setup << r.setupMs;
        play << r.playMs;
        firstShow << firstShowOnce(built);
        lastPhases = r.phases;
    }
    const double s = median(setup), p = median(play);
    std::printf("rounds: %lld\n", static_cast<long long>(setup.size()));
    std::printf("finished: %d\n", allFinished ? 1 : 0);
    std::printf("setup_ms: %.1f\n", s);
    std::printf("first_setup_ms: %.1f\n", setup.constFirst());
    std::printf("playthrough_ms: %.1f\n", p);
    std::printf("first_playthrough_ms: %.1f\n", play.constFirst());
    std::printf("ratio: %.2f\n", s > 0 ? p / s : -1.0);
    const double f = median(firstShow);
    std::printf("screens_first_show_ms: %.1f\n", f);
    std::printf("ratio_to_setup_and_first_show: %.2f\n", s + f > 0 ? p / (s + f) : -1.0);
    for (const auto &phase : lastPhases)
        std::printf("last_round_%s_ms: %.1f\n", phase.first, phase.second);
    // The steps: the first round (the program's first time on each screen) apart from the
    // later ones.
    const auto printSteps = [](const char *prefix, const QList<QPair<QString, double>> &steps) {
        QList<double> ms;
        QPair<QString, double> slowest{QString(), -1};
        int overFrame = 0;
        for (const auto &st : steps) {
            ms << st.second;
            if (st.second > slowest.second)
                slowest = st;
            if (st.second > 16.0)
                ++overFrame;
        }
        std::sort(ms.begin(), ms.end());
        const auto at = [&ms](double q) { return ms.isEmpty() ? -1.0 : ms.at(qMin(ms.size() - 1, qsizetype(q * ms.size()))); };
        std::printf("%s_steps: %lld\n", prefix, static_cast<long long>(ms.size()));
        std::printf("%s_step_p50_ms: %.2f\n", prefix, at(0.5));
        std::printf("%s_step_p95_ms: %.2f\n", prefix, at(0.95));
        std::printf("%s_step_max_ms: %.2f\n", prefix, ms.isEmpty() ? -1.0 : ms.last());
        std::printf("%s_slowest_step: %s\n", prefix, qPrintable(slowest.first));
        std::printf("%s_steps_over_16ms: %d\n", prefix, overFrame);
        // The slowest few by name, for the profile.
        QList<QPair<QString, double>> sorted = steps;
        std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
        for (int i = 0; i < qMin<qsizetype>(5, sorted.size()); ++i)
            std::printf("%s_slow_%d: %.2f ms %s\n", prefix, i + 1, sorted[i].second, qPrintable(sorted[i].first));
    };
    printSteps("first_round", stepsOfRounds.constFirst());
    QList<QPair<QString, double>> later;
    for (int i = 1; i < stepsOfRounds.size(); ++i)
        later += stepsOfRounds[i];
    printSteps("later_rounds", later);
    return allFinished ? 0 : 1;
}
