// The table engine on a player table of 100,000 rows, beside the same work done with direct
// prepared SQLite queries, and a grid of those rows through the table model beside a
// QSqlQueryModel over the same file. Prints one "name: value" line per figure.

#include "controls/datasource.h"
#include "db/engine.h"
#include "db/schema.h"
#include "controls/tablemodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QSqlQueryModel>
#include <QTableView>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <limits>

using namespace zdb;

namespace {

QTextStream out(stdout);

void print(const QString &name, double value, const QString &unit = QString())
{
    out << name << ": " << QString::number(value, 'f', 3) << unit << Qt::endl;
}

// Median of `runs` timings of `work`, in milliseconds.
double timeMs(int runs, const std::function<void(int)> &work)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        times.append(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString playerName(int i) { return QStringLiteral("Játékos Ödön %1").arg(i); }

// A grid window as the maintenance utility shows one: first paint, then the last rows.
struct GridTimes {
    double open = 0;         // reading the rows (the engine's table; the query's first batch)
    double firstPaint = 0;   // model on a view, shown and painted once
    double toEnd = 0;        // scrolled to the last row and painted
};

GridTimes timeGrid(const std::function<QAbstractItemModel *()> &makeModel,
                   const std::function<void(QAbstractItemModel *)> &fetchAll)
{
    GridTimes t;
    QElapsedTimer clock;
    clock.start();
    QAbstractItemModel *model = makeModel();
    t.open = clock.nsecsElapsed() / 1e6;
    clock.restart();
    QTableView view;
    view.resize(753, 417);
    view.setModel(model);
    view.grab();
    t.firstPaint = clock.nsecsElapsed() / 1e6;
    clock.restart();
    fetchAll(model);
    view.scrollToBottom();
    view.grab();
    t.toEnd = clock.nsecsElapsed() / 1e6;
    return t;
}

GridTimes median(QVector<GridTimes> runs)
{
    GridTimes m;
    const auto pick = [&runs](double GridTimes::*member) {
        QVector<double> v;
        for (const GridTimes &r : runs)
            v.append(r.*member);
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    m.open = pick(&GridTimes::open);
    m.firstPaint = pick(&GridTimes::firstPaint);
    m.toEnd = pick(&GridTimes::toEnd);
    return m;
}

GridTimes engineGrid(Session &session)
{
    QVector<GridTimes> runs;
    for (int run = 0; run < 5; ++run) {
        Table table(&session);
        table.setAliasName(gameAlias());
        table.setTableName("Jatekosok.DB");
        TDataSource source(&table);
        TTableModel model(&source);
        runs.append(timeGrid(
            [&]() -> QAbstractItemModel * {
                table.open();
                return &model;
            },
            [](QAbstractItemModel *) {}));
    }
    return median(runs);
}

// The grid on the engine as it reads (keys at open, rows in pages as they are reached),
// on the engine made to read every row at open (as it did before it read in pages), and
// on a QSqlQueryModel, in the same run.
void benchGrid(Session &session, QSqlDatabase &direct)
{
    Table::setReadLimits(std::numeric_limits<int>::max() - 1);
    const GridTimes w = engineGrid(session);
    Table::setReadLimits();
    const GridTimes e = engineGrid(session);
    QVector<GridTimes> queryRuns;
    for (int run = 0; run < 5; ++run) {
        QSqlQueryModel query;
        queryRuns.append(timeGrid(
            [&]() -> QAbstractItemModel * {
                query.setQuery("SELECT rowid, * FROM Jatekosok", direct);
                return &query;
            },
            [](QAbstractItemModel *m) {
                while (m->canFetchMore(QModelIndex()))
                    m->fetchMore(QModelIndex());
            }));
    }
    const GridTimes q = median(queryRuns);
    print("grid_engine_open_ms", e.open);
    print("grid_engine_first_paint_ms", e.firstPaint);
    print("grid_engine_scroll_to_end_ms", e.toEnd);
    print("grid_engine_whole_read_open_ms", w.open);
    print("grid_engine_whole_read_first_paint_ms", w.firstPaint);
    print("grid_engine_whole_read_scroll_to_end_ms", w.toEnd);
    print("grid_query_model_open_ms", q.open);
    print("grid_query_model_first_paint_ms", q.firstPaint);
    print("grid_query_model_scroll_to_end_ms", q.toEnd);
    // The whole way from a closed table to the last rows painted, both ways.
    const double engineTotal = e.open + e.firstPaint + e.toEnd;
    const double queryTotal = q.open + q.firstPaint + q.toEnd;
    print("grid_engine_total_ms", engineTotal);
    print("grid_query_model_total_ms", queryTotal);
    print("grid_first_rows_ms", e.open + e.firstPaint);
    print("grid_first_rows_whole_read_ms", w.open + w.firstPaint);
    print("grid_first_rows_query_model_ms", q.open + q.firstPaint);
    print("grid_first_paint_ratio", (e.open + e.firstPaint) / (q.open + q.firstPaint));
    print("grid_first_paint_whole_read_ratio", (w.open + w.firstPaint) / (q.open + q.firstPaint));
    print("grid_scroll_to_end_ratio", e.toEnd / q.toEnd);
    print("grid_scroll_to_end_against_whole_read_ratio", e.toEnd / w.toEnd);
    print("grid_total_ratio", engineTotal / queryTotal);
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    createTable(dir.path(), *findTable("Jatekosok.DB"));
    const QString path = dir.filePath("Jatekosok.DB");

    {   // Fill the table directly, in one transaction.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare("INSERT INTO Jatekosok (Nev, House_Key, Food_Key, Clothing_Key, Travel_Key, Hobby_Key, "
                  "Entertainment_Key, Job_Key, Statusz, Datum, Netto_jov, Brutto_jov) "
                  "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
        QRandomGenerator rng(42);
        for (int i = 0; i < rows; ++i) {
            q.addBindValue(playerName(int(rng.bounded(rows))));
            for (int k = 0; k < 6; ++k)
                q.addBindValue(int(rng.bounded(1, 7)));
            q.addBindValue(int(rng.bounded(1, 31)));
            q.addBindValue(int(rng.bounded(2)));
            q.addBindValue(QStringLiteral("2026-12-10"));
            q.addBindValue(250000.0 + i);
            q.addBindValue(300000.0 + i);
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("fill");
    print("rows", rows);

    const QString config = dir.filePath("engine.ini");
    Session session(config);
    session.addStandardAlias("DB_ZOMIR", dir.path());

    // Direct connection for the baseline figures.
    QSqlDatabase direct = QSqlDatabase::addDatabase("QSQLITE", "direct");
    direct.setDatabaseName(path);
    direct.open();

    // Opening: the engine reads the rows' keys and orders them by name (and, for comparison,
    // every row whole, as it did before it read in pages).
    const double directRead = timeMs(5, [&](int) {
        QSqlQuery q(direct);
        q.setForwardOnly(true);
        q.exec("SELECT rowid, * FROM Jatekosok");
        const int n = q.record().count();
        QVariant sink;
        while (q.next())
            for (int i = 0; i < n; ++i)
                sink = q.value(i);
    });
    // Only the opening is timed; tables are made and destroyed outside the clock.
    const auto timeOpen = [&](bool byName) {
        QVector<double> times;
        for (int i = 0; i < 5; ++i) {
            Table t(&session);
            t.setAliasName("DB_ZOMIR");
            t.setTableName("Jatekosok.DB");
            QElapsedTimer timer;
            timer.start();
            t.open();
            if (byName)
                t.setIndexName("Jatekosok_Nev_Szerint");
            times.append(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        return times[2];
    };
    Table::setReadLimits(std::numeric_limits<int>::max() - 1);
    const double wholeOpen = timeOpen(true);
    Table::setReadLimits();
    const double engineOpen = timeOpen(true);
    const double engineOpenStored = timeOpen(false);
    print("open_engine_stored_order_ms", engineOpenStored);
    print("open_engine_ms", engineOpen);
    print("open_engine_whole_read_ms", wholeOpen);
    print("open_direct_read_all_ms", directRead);
    print("open_ratio", engineOpen / directRead);

    Table table(&session);
    table.setAliasName("DB_ZOMIR");
    table.setTableName("Jatekosok.DB");
    table.open();
    table.setIndexName("Jatekosok_Nev_Szerint");

    // Locate by name, ignoring case.
    QRandomGenerator rng(7);
    QStringList wanted;
    for (int i = 0; i < 200; ++i)
        wanted << playerName(int(rng.bounded(rows))).toUpper();
    QElapsedTimer firstLocate;
    firstLocate.start();
    table.locate("Nev", wanted.first(), LocateOption::CaseInsensitive);
    print("locate_engine_first_ms", firstLocate.nsecsElapsed() / 1e6);
    const double engineLocate = timeMs(wanted.size(), [&](int i) {
        table.locate("Nev", wanted[i], LocateOption::CaseInsensitive);
    });
    QSqlQuery find(direct);
    find.prepare("SELECT rowid FROM Jatekosok WHERE Nev = ? COLLATE NOCASE ORDER BY Nev COLLATE NOCASE LIMIT 1");
    const double directLocate = timeMs(wanted.size(), [&](int i) {
        find.addBindValue(wanted[i]);
        find.exec();
        find.next();
    });
    print("locate_engine_ms", engineLocate);
    print("locate_direct_ms", directLocate);
    print("locate_ratio", engineLocate / directLocate);

    // Post of one new row.
    const double enginePost = timeMs(50, [&](int i) {
        table.append();
        table.fieldByName("Nev").setValue(QStringLiteral("Új játékos %1").arg(i));
        table.fieldByName("House_Key").setValue(2);
        table.fieldByName("Statusz").setValue(0);
        table.fieldByName("Datum").setValue(QDate(2026, 12, 10));
        table.post();
    });
    QSqlQuery insert(direct);
    insert.prepare("INSERT INTO Jatekosok (Nev, House_Key, Statusz, Datum) VALUES (?,?,?,?)");
    const double directPost = timeMs(50, [&](int i) {
        insert.addBindValue(QStringLiteral("Közvetlen %1").arg(i));
        insert.addBindValue(2);
        insert.addBindValue(0);
        insert.addBindValue(QStringLiteral("2026-12-10"));
        insert.exec();
    });
    print("post_engine_ms", enginePost);
    print("post_direct_ms", directPost);
    print("post_ratio", enginePost / directPost);

    // Delete by name, with the player table open (it drops the deleted rows).
    Statement del(&session);
    del.setAliasName("DB_ZOMIR");
    const double engineDelete = timeMs(20, [&](int i) {
        del.clear();
        del.setSql("delete from Jatekosok where nev=:nev");
        del.bindValue(":nev", playerName(i * 7));
        del.execSql();
    });
    QSqlQuery remove(direct);
    remove.prepare("DELETE FROM Jatekosok WHERE Nev = ?");
    const double directDelete = timeMs(20, [&](int i) {
        remove.addBindValue(playerName(i * 7 + 3));
        remove.exec();
    });
    print("delete_engine_ms", engineDelete);
    print("delete_direct_ms", directDelete);
    print("delete_ratio", engineDelete / directDelete);
    print("rows_after", table.recordCount());
    table.close();
    benchGrid(session, direct);
    return 0;
}
