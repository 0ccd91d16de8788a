// Archiving the finished games of a period and the bin of deleted games, on a folder and on
// the tests' own PostgreSQL server: loading 2,000 games from an archive into an empty
// players' table, choosing and writing them into an archive file, removing them, and the
// game's own delete of a name's games with the bin's trigger beside the same delete without
// it. Prints one "name: value" line per figure.

#include "db/engine.h"
#include "db/servershapes.h"
#include "maintenance/archive.h"
#include "tests/support/pgserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

using namespace zdb;

namespace {

QTextStream out(stdout);
constexpr int kGames = 2000;
constexpr int kDeletes = 200;

void print(const QString &name, double value) { out << name << ": " << QString::number(value, 'f', 2) << Qt::endl; }

double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

QList<archive::Game> generated(int count, const QString &prefix)
{
    QList<archive::Game> games;
    for (int i = 0; i < count; ++i) {
        archive::Game g;
        g.insert(QStringLiteral("Nev"), QStringLiteral("%1 Ödön %2").arg(prefix).arg(i));
        g.insert(QStringLiteral("Datum"), QDate(2026, 1, 1).addDays(i % 300));
        g.insert(QStringLiteral("Statusz"), i % 4 == 0 ? 0 : 1);
        g.insert(QStringLiteral("Job_Key"), 1 + i % 30);
        g.insert(QStringLiteral("Brutto_jov"), 300000.0 + i);
        g.insert(QStringLiteral("Netto_jov"), 280000.0 + i);
        g.insert(QStringLiteral("Egyenleg"), i - 1000);
        g.insert(QStringLiteral("Adoev"), 2026);
        games.append(g);
    }
    return games;
}

void deleteByName(Session *session, const QString &name)
{
    Statement remove(session);
    remove.setAliasName(gameAlias());
    remove.setSql(QStringLiteral("delete from Jatekosok where nev = :nev"));
    remove.bindValue(QStringLiteral("nev"), name);
    remove.execSql();
}

double medianDeleteMs(Session *session, const QString &prefix)
{
    archive::loadGames(session, generated(kDeletes, prefix));
    QVector<double> times;
    for (int i = 0; i < kDeletes; ++i)
        times << elapsedMs([&] { deleteByName(session, QStringLiteral("%1 Ödön %2").arg(prefix).arg(i)); });
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void archiveRound(const QString &kind, Session *session, const QString &folder)
{
    const QList<archive::Game> games = generated(kGames, QStringLiteral("Játékos"));
    print(kind + QStringLiteral("_load_2000_games_ms"), elapsedMs([&] { archive::loadGames(session, games); }));
    archive::Contents contents;
    contents.period = {QDate(2026, 1, 1), QDate(2026, 12, 31)};
    contents.made = QDateTime::currentDateTime();
    QList<FieldDef> fields;
    print(kind + QStringLiteral("_choose_finished_ms"), elapsedMs([&] {
              Table players(session);
              players.setAliasName(gameAlias());
              players.setTableName(QStringLiteral("Jatekosok.DB"));
              players.open();
              fields = players.definition().fields;
              contents.games = archive::finishedGames(players, contents.period);
          }));
    print(kind + QStringLiteral("_finished_games"), contents.games.size());
    const QString path = QDir(folder).filePath(kind + QStringLiteral(".json"));
    print(kind + QStringLiteral("_write_archive_ms"), elapsedMs([&] { archive::writeArchive(path, fields, contents); }));
    print(kind + QStringLiteral("_archive_file_kb"), QFileInfo(path).size() / 1024.0);
    int removed = 0;
    print(kind + QStringLiteral("_remove_ms"), elapsedMs([&] { removed = archive::removeGames(session, contents.games); }));
    print(kind + QStringLiteral("_removed"), removed);
    archive::Loaded loaded;
    print(kind + QStringLiteral("_load_back_ms"),
          elapsedMs([&] { loaded = archive::loadGames(session, contents.games); }));
    print(kind + QStringLiteral("_loaded_back"), loaded.added);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    {
        const QString db = dir.filePath(QStringLiteral("DB"));
        QDir().mkpath(db);
        for (const TableDef &def : schema())
            createTable(db, def);
        Session session(dir.filePath(QStringLiteral("folder.ini")));
        session.addStandardAlias(gameAlias(), db);
        archiveRound(QStringLiteral("folder"), &session, dir.path());
        print(QStringLiteral("folder_delete_by_name_p50_ms"), medianDeleteMs(&session, QStringLiteral("Törölt")));
    }
    PgServer server;
    QString error;
    if (!server.start(&error) || !server.createDatabase(QStringLiteral("zomir"))) {
        out << "the server does not start: " << error << Qt::endl;
        return 1;
    }
    Session admin(dir.filePath(QStringLiteral("admin.ini")));
    admin.setServerAlias(gameAlias(), ServerAddress::parse(server.connectionString(QStringLiteral("zomir"))));
    const auto storage = admin.storage(gameAlias());
    for (const TableDef &def : schema())
        storage->createTable(def);
    storage->grantRoles(QStringLiteral("zomir_diak"), QStringLiteral("zomir_tanar"), schema(),
                        {QStringLiteral("Jatekosok.DB")});
    Session teacher(dir.filePath(QStringLiteral("tanar.ini")));
    teacher.setServerAlias(gameAlias(),
                           ServerAddress::parse(server.connectionString(QStringLiteral("zomir"), QStringLiteral("zomir_tanar"))));
    archiveRound(QStringLiteral("server"), &teacher, dir.path());
    Session student(dir.filePath(QStringLiteral("diak.ini")));
    student.setServerAlias(gameAlias(),
                           ServerAddress::parse(server.connectionString(QStringLiteral("zomir"), QStringLiteral("zomir_diak"))));
    const double withBin = medianDeleteMs(&student, QStringLiteral("Törölt"));
    QString message;
    if (!server.psql(QStringLiteral("DROP TRIGGER torolt_jatekosok_gyujto ON jatekosok"), QStringLiteral("zomir_admin"),
                     QStringLiteral("zomir"), &message)) {
        out << message << Qt::endl;
        return 1;
    }
    const double withoutBin = medianDeleteMs(&student, QStringLiteral("Megmaradt"));
    print(QStringLiteral("server_delete_by_name_with_bin_p50_ms"), withBin);
    print(QStringLiteral("server_delete_by_name_without_bin_p50_ms"), withoutBin);
    print(QStringLiteral("server_delete_with_bin_to_without_ratio"), withBin / withoutBin);
    return 0;
}
