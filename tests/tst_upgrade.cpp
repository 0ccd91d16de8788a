// A database folder made by an older program (tests/data/regi-mappa: one SQL dump per table
// file, as the content tool made them before shapes were recorded, with four stored games)
// opened by today's engine: upgraded in place with its old files kept beside it, every stored
// game intact; a folder newer than the program refused untouched; and a program killed at
// any moment of the upgrade leaving the old shape or the new, never a mix.

#include "db/engine.h"
#include "db/schema.h"
#include "tests/support/oldfolder.h"
#include "tests/support/testenv.h"
#include "db/upgrade.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QUuid>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace zdb;
using oldfolder::makeOldFolder;
using oldfolder::storedGames;
using oldfolder::withFile;

namespace {

QStringList columnsOf(const QString &path, const QString &table)
{
    QStringList names;
    withFile(path, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)));
        while (q.next())
            names.append(q.value(1).toString());
    });
    return names;
}

// Every file below the folder with a digest of its bytes.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files.insert(QDir(folder).relativeFilePath(path),
                         QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return files;
}

// The upgrade in a child process: stops (and waits to be killed) at a named step, or, given
// "go", waits for a line on its input and then upgrades as fast as it can.
int upgradeChild(const QString &folder, const QString &stopAt)
{
    QTextStream out(stdout);
    const auto waitToBeKilled = [] {
        for (;;)
            QThread::sleep(1);
    };
    const UpgradeStep step = [&](const char *name) {
        if (stopAt == QLatin1String(name)) {
            out << "at " << name << Qt::endl;
            waitToBeKilled();
        }
    };
    if (stopAt == QLatin1String("go")) {
        out << "ready" << Qt::endl;
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return 2;
    }
    try {
        upgradeFolder(folder, schema(), step);
    } catch (const EngineError &e) {
        out << "error " << e.message() << Qt::endl;
        return 1;
    }
    out << "done" << Qt::endl;
    return 0;
}

// What shape the folder is in, read past the upgrade: "old", "new", or what is mixed.
QString folderShape(const QString &db)
{
    const QString players = QDir(db).filePath(QStringLiteral("Jatekosok.DB"));
    const QString year = QDir(db).filePath(QStringLiteral("Adoev.DB"));
    const int playersVersion = fileShapeVersion(players);   // rolls back a journal left behind
    const int yearVersion = fileShapeVersion(year);
    const QStringList columns = columnsOf(players, QStringLiteral("Jatekosok"));
    const bool column = columns.contains(QStringLiteral("Adoev"));
    const bool balance = columns.contains(QStringLiteral("Egyenleg"));
    int yearRows = -1;
    if (yearVersion > 0)
        withFile(year, [&](QSqlDatabase &d) {
            QSqlQuery q(d);
            if (q.exec(QStringLiteral("SELECT count(*) FROM Adoev WHERE Ev = 2010 AND Gyerek_koltseg = 10000")) &&
                q.next())
                yearRows = q.value(0).toInt();
        });
    if (playersVersion == 1 && !column && !balance && yearVersion == 0)
        return QStringLiteral("old");
    if (playersVersion == 3 && column && balance && yearVersion == 2 && yearRows == 1)
        return QStringLiteral("new");
    return QStringLiteral("mixed: players %1%2%3, year table %4 with %5 rows")
        .arg(playersVersion)
        .arg(column ? QStringLiteral(" with Adoev") : QString())
        .arg(balance ? QStringLiteral(" with Egyenleg") : QString())
        .arg(yearVersion)
        .arg(yearRows);
}

}  // namespace

class TestUpgrade : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_oldGamesFolder;   // the old folder as the dumps make it, copied by each test
    QStringList m_oldGames;

    QString freshOldFolder(const QString &name)
    {
        const QString db = m_dir.filePath(name + QStringLiteral("/DB"));
        if (!testenv::copyFolder(m_oldGamesFolder, db))
            return QString();
        return db;
    }

    QProcess *startChild(const QString &db, const QString &stopAt)
    {
        auto *child = new QProcess(this);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--upgrade-child"), db, stopAt});
        return child;
    }

    static bool waitForLine(QProcess *child, const QString &line)
    {
        QByteArray seen;
        while (!seen.contains(line.toUtf8())) {
            if (!child->waitForReadyRead(30000))
                return false;
            seen += child->readAll();
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_oldGamesFolder = m_dir.filePath(QStringLiteral("dumped"));
        QVERIFY(makeOldFolder(m_oldGamesFolder));
        m_oldGames = storedGames(QDir(m_oldGamesFolder).filePath(QStringLiteral("Jatekosok.DB")));
        QCOMPARE(m_oldGames.size(), 4);
        QVERIFY(m_oldGames.at(1).contains(QString::fromUtf8("Őrsi Gergő 🚀")));
        QCOMPARE(fileShapeVersion(QDir(m_oldGamesFolder).filePath(QStringLiteral("Jatekosok.DB"))), 1);
    }

    // Opened through the engine as the programs open it: the players' table gains the year
    // of each game (2010), the year table is made, the old players' file is kept as it was
    // in regi-<date>, and the files that did not change are untouched.
    void oldFolderIsUpgradedWithEveryGame()
    {
        const QString db = freshOldFolder(QStringLiteral("opened"));
        QVERIFY(!db.isEmpty());
        const QMap<QString, QByteArray> before = snapshot(db);

        Session session(m_dir.filePath(QStringLiteral("opened/engine.ini")));
        session.addStandardAlias(QStringLiteral("DB_ZOMIR"), db);
        Table players(&session);
        players.setAliasName(QStringLiteral("DB_ZOMIR"));
        players.setTableName(QStringLiteral("Jatekosok.DB"));
        players.open();
        QCOMPARE(players.recordCount(), 4);
        players.first();
        QStringList years;
        for (; !players.eof(); players.next())
            years.append(players.fieldByName(QStringLiteral("Adoev")).asString());
        QCOMPARE(years, QStringList({"2010", "2010", "2010", "2010"}));
        // No game stored before the balance was has one.
        for (players.first(); !players.eof(); players.next())
            QVERIFY(players.fieldByName(QStringLiteral("Egyenleg")).isNull());
        QVERIFY(players.locate(QStringLiteral("Nev"), QString::fromUtf8("Őrsi Gergő 🚀"), LocateOption::None));
        QCOMPARE(players.fieldByName(QStringLiteral("Brutto_jov")).asFloat(), 215000.0);

        const QString playersFile = QDir(db).filePath(QStringLiteral("Jatekosok.DB"));
        QCOMPARE(storedGames(playersFile), m_oldGames);
        QCOMPARE(folderShape(db), QStringLiteral("new"));

        // The new record is writable with its year.
        players.append();
        players.fieldByName(QStringLiteral("Nev")).setValue(QStringLiteral("Új Játékos"));
        players.fieldByName(QStringLiteral("Adoev")).setValue(2026);
        players.post();
        QCOMPARE(players.recordCount(), 5);

        const QStringList copies = QDir(db).entryList({QStringLiteral("regi-*")}, QDir::Dirs);
        QCOMPARE(copies.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^regi-\\d{4}-\\d{2}-\\d{2}$")).match(copies.first()).hasMatch(),
                 qPrintable(copies.first()));
        const QMap<QString, QByteArray> after = snapshot(db);
        QCOMPARE(after.value(copies.first() + QStringLiteral("/Jatekosok.DB")), before.value("Jatekosok.DB"));
        QCOMPARE(storedGames(QDir(db).filePath(copies.first() + QStringLiteral("/Jatekosok.DB"))), m_oldGames);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            if (it.key() != QLatin1String("Jatekosok.DB"))
                QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key() + " changed"));

        // Opened again, nothing more happens.
        Session again(m_dir.filePath(QStringLiteral("opened/engine2.ini")));
        again.addStandardAlias(QStringLiteral("DB_ZOMIR"), db);
        const QMap<QString, QByteArray> upgraded = snapshot(db);
        again.storage(QStringLiteral("DB_ZOMIR"));
        QCOMPARE(snapshot(db), upgraded);
    }

    // A folder of the shape before the stored balance (its games with their year): the
    // players' table gains the balance, empty for every stored game, and keeps the rest.
    void shapeTwoGainsAnEmptyBalance()
    {
        const QString db = freshOldFolder(QStringLiteral("shape2"));
        QVERIFY(!db.isEmpty());
        upgradeFolder(db, schema());
        const QString playersFile = QDir(db).filePath(QStringLiteral("Jatekosok.DB"));
        withFile(playersFile, [&](QSqlDatabase &d) {
            QSqlQuery q(d);
            QVERIFY(q.exec(QStringLiteral("UPDATE Jatekosok SET Adoev = 2026 WHERE Player_Key = 1")));
            QVERIFY(q.exec(QStringLiteral("ALTER TABLE Jatekosok DROP COLUMN Egyenleg")));
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 2")));
        });
        QCOMPARE(fileShapeVersion(playersFile), 2);
        const QStringList before = storedGames(playersFile);

        Session session(m_dir.filePath(QStringLiteral("shape2/engine.ini")));
        session.addStandardAlias(QStringLiteral("DB_ZOMIR"), db);
        Table players(&session);
        players.setAliasName(QStringLiteral("DB_ZOMIR"));
        players.setTableName(QStringLiteral("Jatekosok.DB"));
        players.open();
        QCOMPARE(fileShapeVersion(playersFile), 3);
        QCOMPARE(players.recordCount(), 4);
        QStringList years;
        for (players.first(); !players.eof(); players.next()) {
            QVERIFY(players.fieldByName(QStringLiteral("Egyenleg")).isNull());
            years << players.fieldByName(QStringLiteral("Adoev")).asString();
        }
        QCOMPARE(years.count(QStringLiteral("2026")), 1);
        QCOMPARE(storedGames(playersFile), before);
        // A game's balance is stored and read back, a shortfall as a negative number.
        players.first();
        players.edit();
        players.fieldByName(QStringLiteral("Egyenleg")).setValue(-38000);
        players.post();
        Table again(&session);
        again.setAliasName(QStringLiteral("DB_ZOMIR"));
        again.setTableName(QStringLiteral("Jatekosok.DB"));
        again.open();
        QCOMPARE(again.fieldByName(QStringLiteral("Egyenleg")).asInteger(), -38000);
    }

    // A table of a newer shape than the program knows: refused with a message that says
    // so, and not a byte of the folder written.
    void newerFolderIsRefusedUntouched_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("version");
        QTest::addRow("players' table of shape 4") << "Jatekosok.DB" << 4;
        QTest::addRow("a catalogue of shape 2") << "Hazak.DB" << 2;
    }
    void newerFolderIsRefusedUntouched()
    {
        QFETCH(QString, file);
        QFETCH(int, version);
        const QString db = freshOldFolder(QStringLiteral("newer-") + file);
        QVERIFY(!db.isEmpty());
        withFile(QDir(db).filePath(file), [&](QSqlDatabase &d) {
            QVERIFY(QSqlQuery(d).exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
        });
        const QMap<QString, QByteArray> before = snapshot(db);

        Session session(m_dir.filePath(QStringLiteral("newer.ini")));
        session.addStandardAlias(QStringLiteral("DB_ZOMIR"), db);
        Table table(&session);
        table.setAliasName(QStringLiteral("DB_ZOMIR"));
        table.setTableName(QStringLiteral("Hazak.DB"));
        try {
            table.open();
            QFAIL("a newer folder was opened");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(file) && e.message().contains(QStringLiteral("újabb kiadásával")),
                     qPrintable(e.message()));
        }
        QCOMPARE(snapshot(db), before);
    }

    // The content tool run over an old folder keeps its games: the players' table is
    // upgraded (not taken for a damaged one) and its old file kept.
    void contentToolUpgradesTheStoredGames()
    {
#ifndef ZOMIR_DATA_TOOL
        QSKIP("The content tool is not part of this build");
#else
        const QString db = freshOldFolder(QStringLiteral("rebuilt"));
        QVERIFY(!db.isEmpty());
        QProcess tool;
        tool.start(QStringLiteral(ZOMIR_DATA_TOOL), {m_dir.filePath(QStringLiteral("rebuilt"))});
        QVERIFY(tool.waitForFinished(120000));
        const QString errors = QString::fromUtf8(tool.readAllStandardError());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(!errors.contains(QStringLiteral("sérült")), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("regi-")), qPrintable(errors));
        QCOMPARE(storedGames(QDir(db).filePath(QStringLiteral("Jatekosok.DB"))), m_oldGames);
        QCOMPARE(folderShape(db), QStringLiteral("new"));
        QVERIFY(QDir(db).entryList({QStringLiteral("Jatekosok.serult-*")}, QDir::Files).isEmpty());
#endif
    }

    // Killed at each step of the upgrade, the folder is the old shape before the commit and
    // the new one after it; opened again, it upgrades (or stays) and keeps every game.
    void killedAtAStep_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("shape");
        QTest::addRow("old files copied") << "copied" << "old";
        QTest::addRow("changes made, not committed") << "changed" << "old";
        QTest::addRow("committed") << "committed" << "new";
    }
    void killedAtAStep()
    {
        QFETCH(QString, step);
        QFETCH(QString, shape);
        const QString db = freshOldFolder(QStringLiteral("killed-") + step);
        QVERIFY(!db.isEmpty());
        QProcess *child = startChild(db, step);
        QVERIFY2(waitForLine(child, QStringLiteral("at ") + step), "the child did not reach the step");
        child->kill();
        QVERIFY(child->waitForFinished(30000));
        QCOMPARE(folderShape(db), shape);
        QCOMPARE(storedGames(QDir(db).filePath(QStringLiteral("Jatekosok.DB"))), m_oldGames);

        upgradeFolder(db, schema());
        QCOMPARE(folderShape(db), QStringLiteral("new"));
        QCOMPARE(storedGames(QDir(db).filePath(QStringLiteral("Jatekosok.DB"))), m_oldGames);
    }

    // Killed at random moments while it upgrades as fast as it can: never a mix.
    void killedAtRandomMoments()
    {
        // How long an upgrade takes here, from the word to go to its end, so that the kills
        // fall all over it.
        qint64 took = 0;
        {
            const QString db = freshOldFolder(QStringLiteral("timed"));
            QProcess *child = startChild(db, QStringLiteral("go"));
            QVERIFY(waitForLine(child, QStringLiteral("ready")));
            QElapsedTimer clock;
            clock.start();
            child->write("go\n");
            QVERIFY(waitForLine(child, QStringLiteral("done")));
            took = clock.nsecsElapsed() / 1000;
            QVERIFY(child->waitForFinished(30000));
            QCOMPARE(folderShape(db), QStringLiteral("new"));
            delete child;
        }
        QMap<QString, int> seen;
        for (int round = 0; round < 24; ++round) {
            const QString db = freshOldFolder(QStringLiteral("random-%1").arg(round));
            QVERIFY(!db.isEmpty());
            QProcess *child = startChild(db, QStringLiteral("go"));
            QVERIFY(waitForLine(child, QStringLiteral("ready")));
            child->write("go\n");
            child->waitForBytesWritten(5000);
            QThread::usleep(QRandomGenerator::global()->bounded(took * 6 / 5 + 1));
            child->kill();
            QVERIFY(child->waitForFinished(30000));
            const QString shape = folderShape(db);
            QVERIFY2(shape == QLatin1String("old") || shape == QLatin1String("new"), qPrintable(shape));
            QCOMPARE(storedGames(QDir(db).filePath(QStringLiteral("Jatekosok.DB"))), m_oldGames);
            ++seen[shape];
            delete child;
        }
        qInfo().noquote() << "an upgrade took" << took << "µs; killed within it: old shape" << seen.value("old")
                          << "times, new" << seen.value("new") << "times";
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--upgrade-child") == 0) {
        QCoreApplication app(argc, argv);
        return upgradeChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    testenv::isolateConfiguration();
    QCoreApplication app(argc, argv);
    TestUpgrade tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_upgrade.moc"
