// The maintenance utility: the time from the process start to its window painted (ten
// tables open, the first page's picture shown) and the peak resident memory then, beside a
// bare Qt Widgets program showing one empty window, measured in the same run (medians of
// several starts); then the time to post 1,000 edits through a page's navigator, and the
// results page over 3,000 and over 10,000 stored games: its first reading, "Frissítés", and
// the CSV text; the 10,000 also with the engine made to read every row when a table opens;
// last every step a teacher takes on the window, timed from the input event until the
// posted events, the paints among them, are handled: each tab chosen, and on each page the
// navigator's first, next, prior, last, edit, post, edit and cancel, three rounds (the
// first the window's first time on each page), p50/p95/max and the slowest steps by name;
// then a post on each catalogue page with the list of changes ("Változások…") open.
//   bench_maintenance              runs everything and prints "name: value" lines
//   bench_maintenance --utility    (internal) one start of the utility, printing its figures
//   bench_maintenance --utility-whole  (internal) the same with every page made before the
//                                  first paint, as the utility started before
// The tables are a copy of ZOMIR_WORKFOLDER's when that folder exists, else generated rows.

#include "controls/ExtDBNavigator.h"
#include "maintenance/Unit1.h"
#include "maintenance/toolsmenu.h"
#include "controls/application.h"
#include "controls/datasource.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "db/schema.h"
#include "maintenance/results.h"
#include "maintenance/resultsmodel.h"
#include "bench/startup_parent.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testenv.h"

#include <QAbstractButton>
#include <QDate>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <limits>
#include <cstdio>

using startupprobe::Figures;
using startupprobe::median;
using startupprobe::runChild;

namespace {

int runUtility(int argc, char *argv[], TZomir0001::Pages pages)
{
    ZApplication app(argc, argv);
    WidgetDialogs dialogs;
    app.setDialogs(&dialogs);
    const long long t0 = qEnvironmentVariable("ZOMIR_BENCH_T0").toLongLong();
    auto stage = [t0](const char *name) {
        if (qEnvironmentVariableIsSet("ZOMIR_BENCH_STAGES"))
            std::fprintf(stderr, "%s: %.1f ms\n", name, (startupprobe::nowNs() - t0) / 1e6);
    };
    stage("application");
    zdb::Session session;
    // FirstPageFirst as the program starts: the pages behind the first are made after the
    // first paint.
    TZomir0001 window(&session, &dialogs, nullptr, pages);
    stage("window made");
    new startupprobe::FirstPaint(&window);
    window.show();
    return app.exec();
}


// Tables of the schema with a few rows each, pictures included, when there is no content.
void generateTables(const QString &db)
{
    for (const zdb::TableDef &def : zdb::schema())
        zdb::createTable(db, def);
    zdb::Session session(db + QStringLiteral("/gen.ini"));
    session.addStandardAlias(QStringLiteral("GEN"), db);
    QImage picture(233, 233, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    for (const char *file : {"Hazak.DB", "Kozlekedes.db", "Elelmiszerek.DB", "Ruhazkodas.db", "Hobbi.db",
                             "Szorakozas.db"}) {
        zdb::Table t(&session);
        t.setAliasName(QStringLiteral("GEN"));
        t.setTableName(QString::fromLatin1(file));
        t.open();
        for (int i = 1; i <= 6; ++i) {
            t.append();
            for (int f = 0; f < t.fieldCount(); ++f) {
                const zdb::Field field = t.field(f);
                if (field.dataType() == zdb::FieldType::String)
                    t.field(f).setValue(QStringLiteral("Sor %1").arg(i));
                else if (zdb::isNumeric(field.dataType()) && field.dataType() != zdb::FieldType::AutoInc)
                    t.field(f).setValue(i * 1000);
                else if (field.dataType() == zdb::FieldType::Graphic)
                    t.field(f).setValue(bmp);
            }
            t.post();
        }
    }
    QFile::remove(db + QStringLiteral("/gen.ini"));
}

// 1,000 edits posted through the "Hobbi" page's navigator: edit, change the price, post,
// next (first again at the end).
double postEdits(const QString &configFile)
{
    WidgetDialogs dialogs;
    ZApplication::instance()->setDialogs(&dialogs);
    zdb::Session session(configFile);
    TZomir0001 window(&session, &dialogs);
    window.PageControl->setCurrentIndex(4);
    window.show();
    QCoreApplication::processEvents();
    TExtDBNavigator *nav = window.ExtDBNavigator[0];
    zdb::Table *table = window.HobbiDB;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 1000; ++i) {
        nav->button(TExtDBNavigator::Edit)->click();
        table->fieldByName(QStringLiteral("Atlagos_Ar")).setValue(1000 + i);
        nav->button(TExtDBNavigator::Post)->click();
        if (table->recNo() >= table->recordCount())
            nav->button(TExtDBNavigator::First)->click();
        else
            nav->button(TExtDBNavigator::Next)->click();
    }
    QCoreApplication::processEvents();
    const double ms = clock.nsecsElapsed() / 1e6;
    ZApplication::instance()->setDialogs(nullptr);
    return ms;
}

struct ResultsFigures {
    double firstReadMs = 0;
    double refreshMs = 0;
    double csvMs = 0;
    qsizetype csvBytes = 0;
};

// A school's years of games: stored games `from` to `to` added to the players' table.
void addGames(const QString &configFile, int from, int to)
{
    zdb::Session session(configFile);
    zdb::Table players(&session);
    players.setAliasName(zdb::gameAlias());
    players.setTableName(QStringLiteral("Jatekosok.DB"));
    players.open();
    for (int i = from; i < to; ++i) {
        players.append();
        players.fieldByName(QStringLiteral("Nev")).setValue(QStringLiteral("Játékos %1").arg(i));
        players.fieldByName(QStringLiteral("Datum")).setValue(QDate(2026, 1, 1).addDays(i % 300));
        for (const char *key : {"Job_Key", "House_Key", "Food_Key", "Clothing_Key", "Travel_Key"})
            players.fieldByName(QString::fromLatin1(key)).setValue(1 + i % 5);
        players.fieldByName(QStringLiteral("Hobby_Key")).setValue(i % 64);
        players.fieldByName(QStringLiteral("Entertainment_Key")).setValue((i * 7) % 64);
        players.fieldByName(QStringLiteral("Brutto_jov")).setValue(200000.0 + i * 100);
        players.fieldByName(QStringLiteral("Netto_jov")).setValue(250000.5 + i * 50);
        players.fieldByName(QStringLiteral("Statusz")).setValue(i % 2);
        players.post();
    }
}

// The results page shown (its first reading), read again, and its list made into CSV text.
ResultsFigures resultsPage(const QString &configFile)
{
    WidgetDialogs dialogs;
    ZApplication::instance()->setDialogs(&dialogs);
    zdb::Session session(configFile);
    TZomir0001 window(&session, &dialogs);
    window.show();
    QCoreApplication::processEvents();
    ResultsFigures f;
    QElapsedTimer clock;
    clock.start();
    window.PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    QCoreApplication::processEvents();
    f.firstReadMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    window.BitBtn1->click();
    QCoreApplication::processEvents();
    f.refreshMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    const QByteArray csv = results::toCsv(window.ResultsSort->shownRows());
    f.csvMs = clock.nsecsElapsed() / 1e6;
    f.csvBytes = csv.size();
    ZApplication::instance()->setDialogs(nullptr);
    return f;
}

using Steps = QList<QPair<QString, double>>;

// One step: the input, then the events it posted (the paints among them) handled.
template <typename Input>
void timedStep(Steps *steps, const QString &name, Input &&input)
{
    QElapsedTimer clock;
    clock.start();
    input();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    steps->append({name, clock.nsecsElapsed() / 1e6});
}

// A field of the current row the post can change without breaking a rule: the first
// number that is not a key, one more than it was.
void changeSomething(zdb::Table *table)
{
    for (int f = 0; f < table->fieldCount(); ++f) {
        zdb::Field field = table->field(f);
        if (zdb::isNumeric(field.dataType()) && field.dataType() != zdb::FieldType::AutoInc
            && !field.fieldName().endsWith(QLatin1String("_Key")) && !field.fieldName().startsWith(QLatin1String("ID"))) {
            field.setValue(field.value().toDouble() + 1);
            return;
        }
    }
}

// Every tab, and on each page the navigator's moves, as a teacher clicks them; `rounds`
// rounds, each its own list of steps, and last the posts with the list of changes open.
// What a navigator step made the window's dialogs show goes to `shownTexts`, with the step's
// name (a rule refusing a row's post).
QList<Steps> utilitySteps(const QString &configFile, int rounds, QStringList *problems, QStringList *shownTexts)
{
    ScriptedDialogs dialogs;
    ZApplication::instance()->setDialogs(&dialogs);
    zdb::Session session(configFile);
    TZomir0001 window(&session, &dialogs);
    window.show();
    for (int i = 0; i < 100; ++i)
        QCoreApplication::processEvents();
    QTabBar *tabs = window.PageControl->tabBar();
    const std::pair<TExtDBNavigator::Button, const char *> moves[] = {
        {TExtDBNavigator::Last, "last"},   {TExtDBNavigator::First, "first"},
        {TExtDBNavigator::Next, "next"},   {TExtDBNavigator::Next, "next"},
        {TExtDBNavigator::Prior, "prior"}, {TExtDBNavigator::Edit, "edit"},
        {TExtDBNavigator::Post, "post"},   {TExtDBNavigator::Edit, "edit"},
        {TExtDBNavigator::Cancel, "cancel"}};
    QList<Steps> all;
    for (int round = 0; round < rounds; ++round) {
        Steps steps;
        for (int page = 0; page < window.PageControl->count(); ++page) {
            const QString title = window.PageControl->tabText(page);
            const QPoint at = tabs->tabRect(page).center();
            const qsizetype shownBeforeTab = dialogs.shown.size();
            timedStep(&steps, title + QStringLiteral(" tab click"),
                      [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, at); });
            for (qsizetype d = shownBeforeTab; d < dialogs.shown.size(); ++d)
                shownTexts->append(title + QStringLiteral(" tab click showed ") + dialogs.shown[d].kind
                                   + QStringLiteral(": ") + dialogs.shown[d].text);
            if (window.PageControl->currentIndex() != page)
                problems->append(QStringLiteral("the tab %1 was not chosen").arg(title));
            const QList<TExtDBNavigator *> navigators = window.PageControl->widget(page)->findChildren<TExtDBNavigator *>();
            if (navigators.isEmpty())
                continue;
            TExtDBNavigator *nav = navigators.first();
            for (const auto &move : moves) {
                TNavButton *button = nav->button(move.first);
                if (!button->isVisible() || !button->isEnabled())
                    continue;
                if (move.first == TExtDBNavigator::Post && nav->dataSource())
                    changeSomething(nav->dataSource()->dataSet());
                const QString name = title + QStringLiteral(" navigator ") + QLatin1String(move.second);
                const qsizetype shownBefore = dialogs.shown.size();
                timedStep(&steps, name, [&] { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); });
                for (qsizetype d = shownBefore; d < dialogs.shown.size(); ++d)
                    shownTexts->append(name + QStringLiteral(" showed ") + dialogs.shown[d].kind + QStringLiteral(": ")
                                       + dialogs.shown[d].text);
            }
        }
        all.append(steps);
    }
    // Once more with the list of changes open, which follows every post: an edit posted on
    // each catalogue page (the history holds the 1,000 posts before and these rounds').
    window.ToolsMenu->showChanges();
    QCoreApplication::processEvents();
    Steps open;
    for (int page = 0; page < 6; ++page) {
        window.PageControl->setCurrentIndex(page);
        QCoreApplication::processEvents();
        TExtDBNavigator *nav = window.PageControl->widget(page)->findChildren<TExtDBNavigator *>().first();
        QTest::mouseClick(nav->button(TExtDBNavigator::Edit), Qt::LeftButton);
        changeSomething(nav->dataSource()->dataSet());
        TNavButton *post = nav->button(TExtDBNavigator::Post);
        timedStep(&open, window.PageControl->tabText(page) + QStringLiteral(" navigator post, changes open"),
                  [&] { QTest::mouseClick(post, Qt::LeftButton, {}, post->rect().center()); });
    }
    all.append(open);
    ZApplication::instance()->setDialogs(nullptr);
    return all;
}

void printSteps(const char *prefix, const Steps &steps)
{
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
    Steps sorted = steps;
    std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    for (int i = 0; i < qMin<qsizetype>(5, sorted.size()); ++i)
        std::printf("%s_slow_%d: %.2f ms %s\n", prefix, i + 1, sorted[i].second, qPrintable(sorted[i].first));
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--utility") == 0)
        return runUtility(argc, argv, TZomir0001::Pages::FirstPageFirst);
    if (argc > 1 && qstrcmp(argv[1], "--utility-whole") == 0)
        return runUtility(argc, argv, TZomir0001::Pages::Whole);

    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ZApplication app(argc, argv);
    QTemporaryDir temp;
    const QString work = temp.filePath(QStringLiteral("work"));
    const QString db = work + QStringLiteral("/DB");
    const QString content = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    const bool fromContent = !content.isEmpty() && QDir(content).exists(QStringLiteral("DB"));
    QDir().mkpath(db);
    if (fromContent)
        testenv::copyFolder(content + QStringLiteral("/DB"), db);
    else
        generateTables(db);
    const QString configHome = temp.filePath(QStringLiteral("config"));
    const QString configFile = configHome + QStringLiteral("/zomir/tablaengine.ini");
    const QProcessEnvironment env = startupprobe::childEnvironment(configHome, db);

    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QStringLiteral(ZOMIR_BARE_PROGRAM);
    const int rounds = startupprobe::rounds();

    // One start of each first, so that both find the libraries in the file cache.
    runChild(bare, {}, work, env);
    runChild(self, {QStringLiteral("--utility")}, work, env);
    runChild(self, {QStringLiteral("--utility-whole")}, work, env);
    QList<double> bareMs, bareKb, utilMs, utilKb, wholeMs, wholeKb;
    for (int i = 0; i < rounds; ++i) {
        const Figures b = runChild(bare, {}, work, env);
        const Figures u = runChild(self, {QStringLiteral("--utility")}, work, env);
        const Figures w = runChild(self, {QStringLiteral("--utility-whole")}, work, env);
        if (b.ms < 0 || u.ms < 0 || w.ms < 0) {
            std::fprintf(stderr, "bench_maintenance: a start did not report (bare %.1f, utility %.1f, whole %.1f)\n",
                         b.ms, u.ms, w.ms);
            return 1;
        }
        bareMs << b.ms;
        bareKb << b.kb;
        utilMs << u.ms;
        utilKb << u.kb;
        wholeMs << w.ms;
        wholeKb << w.kb;
    }
    const double bMs = median(bareMs), uMs = median(utilMs), bKb = median(bareKb), uKb = median(utilKb);
    const double wMs = median(wholeMs), wKb = median(wholeKb);
    const double postMs = postEdits(configFile);
    QStringList stepProblems, stepDialogs;
    const QList<Steps> stepRounds = utilitySteps(configFile, 3, &stepProblems, &stepDialogs);
    addGames(configFile, 0, 3000);
    const ResultsFigures resultsFigures = resultsPage(configFile);
    addGames(configFile, 3000, 10000);
    const ResultsFigures results10000 = resultsPage(configFile);
    zdb::Table::setReadLimits(std::numeric_limits<int>::max() - 1);
    const ResultsFigures results10000Whole = resultsPage(configFile);
    zdb::Table::setReadLimits();

    std::printf("platform: %s\n", qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"))));
    std::printf("content_folder: %d\n", fromContent ? 1 : 0);
    std::printf("rounds: %d\n", rounds);
    std::printf("bare_window_shown_ms: %.1f\n", bMs);
    std::printf("maintenance_window_shown_ms: %.1f\n", uMs);
    std::printf("startup_time_ratio: %.2f\n", uMs / bMs);
    std::printf("bare_window_peak_kb: %.0f\n", bKb);
    std::printf("maintenance_window_peak_kb: %.0f\n", uKb);
    std::printf("peak_memory_ratio: %.2f\n", uKb / bKb);
    std::printf("maintenance_window_shown_whole_pages_ms: %.1f\n", wMs);
    std::printf("startup_time_whole_pages_ratio: %.2f\n", wMs / bMs);
    std::printf("peak_memory_whole_pages_ratio: %.2f\n", wKb / bKb);
    std::printf("post_1000_edits_ms: %.1f\n", postMs);
    std::printf("post_edit_us: %.1f\n", postMs);
    std::printf("results_3000_games_first_read_ms: %.1f\n", resultsFigures.firstReadMs);
    std::printf("results_3000_games_refresh_ms: %.1f\n", resultsFigures.refreshMs);
    std::printf("results_3000_games_csv_ms: %.1f\n", resultsFigures.csvMs);
    std::printf("results_3000_games_csv_bytes: %lld\n", static_cast<long long>(resultsFigures.csvBytes));
    std::printf("results_10000_games_first_read_ms: %.1f\n", results10000.firstReadMs);
    std::printf("results_10000_games_refresh_ms: %.1f\n", results10000.refreshMs);
    std::printf("results_10000_games_csv_ms: %.1f\n", results10000.csvMs);
    std::printf("results_10000_games_whole_read_first_read_ms: %.1f\n", results10000Whole.firstReadMs);
    std::printf("results_10000_games_whole_read_refresh_ms: %.1f\n", results10000Whole.refreshMs);
    // The steps on the tables as they came (before the stored games were added).
    printSteps("utility_first_round", stepRounds.value(0));
    Steps later;
    for (int i = 1; i + 1 < stepRounds.size(); ++i)
        later += stepRounds[i];
    printSteps("utility_later_rounds", later);
    printSteps("utility_changes_open_post", stepRounds.value(stepRounds.size() - 1));
    std::printf("utility_step_dialogs_shown: %lld\n", static_cast<long long>(stepDialogs.size()));
    for (const QString &text : stepDialogs)
        std::fprintf(stderr, "bench_maintenance: %s\n", qPrintable(text));
    for (const QString &problem : stepProblems)
        std::fprintf(stderr, "bench_maintenance: %s\n", qPrintable(problem));
    return stepProblems.isEmpty() ? 0 : 1;
}
