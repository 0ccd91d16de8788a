// The teacher's backup of a working folder: the time of one backup (every table file written
// by SQLite) beside a plain copy of the same files, with the shipped content and with 3,000
// stored games; and the daily check before a change, once today's backup exists.
//
//     bench_backups [working folder]     (else ZOMIR_WORKFOLDER)

#include "db/engine.h"
#include "maintenance/backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void print(const char *name, double value) { std::printf("%s: %.3f\n", name, value); }

void addPlayers(const QString &file, int count)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(file);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO Jatekosok (Nev, House_Key, Food_Key, Statusz, Adoev) VALUES (?, 1, 1, 1, 2026)"));
        for (int i = 0; i < count; ++i) {
            q.addBindValue(QStringLiteral("Játékos %1").arg(i));
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

// Milliseconds of a plain copy of every table file of `from`.
double plainCopy(const QString &from, const QString &into)
{
    QDir().mkpath(into);
    QElapsedTimer clock;
    clock.start();
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(QDir(from).filePath(name), QDir(into).filePath(name));
    return clock.nsecsElapsed() / 1e6;
}

void measure(const char *label, zdb::Session &session, const QString &db, const QString &scratch)
{
    backups::Backups store(&session, zdb::gameAlias());
    std::vector<double> backup;
    std::vector<double> copy;
    for (int round = 0; round < 7; ++round) {
        QElapsedTimer clock;
        clock.start();
        store.makeBackup(QDateTime(QDate(2026, 1, 1), QTime(0, 0, round)));
        backup.push_back(clock.nsecsElapsed() / 1e6);
        copy.push_back(plainCopy(db, QDir(scratch).filePath(QStringLiteral("copy%1").arg(round))));
    }
    const QByteArray name(label);
    print(QByteArray("backup_" + name + "_ms").constData(), median(backup));
    print(QByteArray("plain_copy_" + name + "_ms").constData(), median(copy));
    print(QByteArray("backup_to_plain_copy_" + name + "_ratio").constData(), median(backup) / median(copy));
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("ZOMIR_WORKFOLDER");
    if (source.isEmpty() || !QFileInfo(QDir(source).filePath(QStringLiteral("DB"))).isDir()) {
        std::fprintf(stderr, "bench_backups: a working folder (argument or ZOMIR_WORKFOLDER) is needed\n");
        return 1;
    }
    QTemporaryDir scratch;
    const QString db = scratch.filePath(QStringLiteral("DB"));
    QDir().mkpath(db);
    for (const QString &name : QDir(QDir(source).filePath(QStringLiteral("DB"))).entryList(QDir::Files))
        QFile::copy(QDir(source).filePath(QStringLiteral("DB/") + name), QDir(db).filePath(name));
    zdb::Session session(scratch.filePath(QStringLiteral("engine.ini")));
    session.addStandardAlias(zdb::gameAlias(), db);

    measure("shipped", session, db, scratch.filePath(QStringLiteral("plain1")));
    addPlayers(QDir(db).filePath(QStringLiteral("Jatekosok.DB")), 3000);
    measure("3000_games", session, db, scratch.filePath(QStringLiteral("plain2")));

    // The check before a change: the first of a run looks at the disk, later ones do not.
    std::vector<double> first;
    std::vector<double> later;
    for (int round = 0; round < 9; ++round) {
        backups::Backups store(&session, zdb::gameAlias());
        QElapsedTimer clock;
        clock.start();
        store.ensureDailyBackup(QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0)));
        first.push_back(clock.nsecsElapsed() / 1e3);
        clock.restart();
        store.ensureDailyBackup(QDateTime(QDate(2026, 1, 1), QTime(12, 0, 1)));
        later.push_back(clock.nsecsElapsed() / 1e3);
    }
    print("daily_check_first_of_run_us", median(first));
    print("daily_check_later_us", median(later));
    return 0;
}
