// The teacher's backups of a folder, apart from the window: every table file copied as the
// engine reads it, the list with dates and contents, the one backup a day, and the errors.

#include "db/engine.h"
#include "maintenance/backups.h"
#include "rules/usererror.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

using namespace zdb;
using backups::Backup;
using backups::Backups;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// The rows of a table as text, field by field in stored order.
QStringList rowsOf(Session &session, const QString &alias, const QString &file)
{
    Table t(&session);
    t.setAliasName(alias);
    t.setTableName(file);
    t.open();
    QStringList rows;
    for (t.first(); !t.eof(); t.next()) {
        QStringList values;
        for (int i = 0; i < t.fieldCount(); ++i)
            values << t.field(i).asString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

}  // namespace

class TestBackups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void backupHoldsEveryTableAsStored();
    void listNewestFirstWithWhatEachHolds();
    void oneBackupADay();
    void errors_data();
    void errors();

private:
    std::unique_ptr<shellfixture::WorkFolder> m_folder;
    std::unique_ptr<Session> m_session;
    QTemporaryDir m_files;
};

void TestBackups::init()
{
    m_folder = std::make_unique<shellfixture::WorkFolder>();
    m_folder->addCatalogueRow("Hazak.DB", u("Garzon"), 52000);
    m_folder->addCatalogueRow("Hazak.DB", u("Családi ház"), 95000);
    m_folder->addCatalogueRow("Hobbi.db", u("Horgászat"), 4000);
    m_folder->addProfession(u("Ács"), 150000, 250000, 2);
    {
        auto year = m_folder->table("Adoev.DB");
        year->append();
        year->fieldByName("Ev").setValue(2026);
        year->fieldByName("Gyerek_koltseg").setValue(30000.0);
        year->post();
    }
    m_folder->addPlayer({u("Kiss Ágnes")});
    m_folder->addPlayer({u("Nagy Béla"), 1});
    QFile::remove(m_files.filePath("engine.ini"));
    m_session = std::make_unique<Session>(m_files.filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
}

void TestBackups::cleanup()
{
    m_session.reset();
    m_folder.reset();
}

void TestBackups::backupHoldsEveryTableAsStored()
{
    // A program holds the houses' table open meanwhile, as the game does.
    Table open(m_session.get());
    open.setAliasName("DB_ZOMIR");
    open.setTableName("Hazak.DB");
    open.open();

    Backups backups(m_session.get(), "DB_ZOMIR");
    const QDateTime when(QDate(2026, 12, 11), QTime(8, 5, 9));
    const Backup made = backups.makeBackup(when);
    QCOMPARE(made.path, QDir(m_folder->db()).filePath("Mentesek/2026-12-11 08-05-09"));
    QCOMPARE(made.made, when);
    QStringList expected;
    for (const TableDef &def : schema())
        expected << def.fileName;
    QCOMPARE(made.tables, expected);
    QCOMPARE(made.year, 2026);
    QCOMPARE(made.players, 2);
    QVERIFY(!made.damaged);

    // Every table of the backup, opened by the engine, holds the rows of the folder.
    Session copy(m_files.filePath("copy.ini"));
    copy.addStandardAlias("MENTES", made.path);
    for (const TableDef &def : schema())
        QCOMPARE(rowsOf(copy, "MENTES", def.fileName), rowsOf(*m_session, "DB_ZOMIR", def.fileName));
    QCOMPARE(rowsOf(copy, "MENTES", "Hazak.DB").size(), 2);

    // A second backup in the same second gets a name of its own; no working folder is left.
    const Backup again = backups.makeBackup(when);
    QCOMPARE(QFileInfo(again.path).fileName(), QString("2026-12-11 08-05-09 (2)"));
    QCOMPARE(QDir(backups.location()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList({"2026-12-11 08-05-09", "2026-12-11 08-05-09 (2)"}));
}

void TestBackups::listNewestFirstWithWhatEachHolds()
{
    Backups backups(m_session.get(), "DB_ZOMIR");
    backups.makeBackup(QDateTime(QDate(2026, 12, 9), QTime(7, 0, 0)));
    m_folder->addPlayer({u("Új Játékos")});
    backups.makeBackup(QDateTime(QDate(2026, 12, 10), QTime(16, 30, 0)));
    // A backup cut short (its working name) and a folder of another name are not backups.
    QDir(backups.location()).mkpath("2026-12-11 09-00-00.keszul");
    QDir(backups.location()).mkpath("regi");
    // A backup whose players' file was damaged afterwards is listed so.
    const Backup damaged = backups.makeBackup(QDateTime(QDate(2026, 12, 11), QTime(6, 0, 0)));
    {
        QFile file(QDir(damaged.path).filePath("Jatekosok.DB"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("ez nem adatbázis, csak szöveg, ami a fájl helyére került............");
    }

    const QList<Backup> listed = backups.list();
    QCOMPARE(listed.size(), 3);
    QCOMPARE(backups::describe(listed[0]), u("2026.12.11. 06:00:00 – %1 tábla, 2026-os adatok, sérült").arg(schema().size()));
    QVERIFY(listed[0].damaged);
    QCOMPARE(backups::describe(listed[1]), u("2026.12.10. 16:30:00 – %1 tábla, 2026-os adatok, 3 tárolt játék").arg(schema().size()));
    QCOMPARE(backups::describe(listed[2]), u("2026.12.09. 07:00:00 – %1 tábla, 2026-os adatok, 2 tárolt játék").arg(schema().size()));
}

void TestBackups::oneBackupADay()
{
    const QDate today = QDate::currentDate();
    Backups backups(m_session.get(), "DB_ZOMIR");
    QVERIFY(backups.ensureDailyBackup(QDateTime(today, QTime(8, 0, 0))));
    QVERIFY(!backups.ensureDailyBackup(QDateTime(today, QTime(8, 0, 1))));
    // Once known, the day's backup is not looked for again: even a removed one is not remade.
    QVERIFY(QDir(backups.location()).removeRecursively());
    QVERIFY(!backups.ensureDailyBackup(QDateTime(today, QTime(13, 0, 0))));
    QVERIFY(!QFileInfo::exists(backups.location()));

    // Another start of the program finds today's on the disk.
    backups.makeBackup(QDateTime(today, QTime(9, 0, 0)));
    Backups later(m_session.get(), "DB_ZOMIR");
    QVERIFY(!later.ensureDailyBackup(QDateTime(today, QTime(14, 0, 0))));
    // The next day makes the next.
    QVERIFY(later.ensureDailyBackup(QDateTime(today.addDays(1), QTime(7, 45, 0))));
    QVERIFY(!later.ensureDailyBackup(QDateTime(today.addDays(1), QTime(7, 46, 0))));
    QCOMPARE(later.list().size(), 2);
}

void TestBackups::errors_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::addRow("folder missing") << "folder" << u("A munkamappa nem található: ");
    QTest::addRow("place not writable") << "place" << u("A biztonsági mentés helye nem hozható létre: ");
    QTest::addRow("no tables") << "tables" << u("A munkamappában nincs egy tábla sem: ");
}

void TestBackups::errors()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    const QString db = m_folder->db();
    if (damage == "folder") {
        m_session->removeAlias("DB_ZOMIR");
        m_session->addStandardAlias("DB_ZOMIR", m_files.filePath("nincs-ilyen/DB"));
    } else if (damage == "place") {
        // A file where the backups' folder would be.
        QFile file(QDir(db).filePath("Mentesek"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QDir(m_files.filePath("ures")).mkpath(".");
        m_session->removeAlias("DB_ZOMIR");
        m_session->addStandardAlias("DB_ZOMIR", m_files.filePath("ures"));
    }
    Backups backups(m_session.get(), "DB_ZOMIR");
    try {
        backups.makeBackup();
        QFAIL("a backup was made");
    } catch (const UserError &e) {
        QVERIFY2(errorMessage(e).startsWith(message), qPrintable(errorMessage(e)));
    }
}

ZOMIR_TEST_MAIN(TestBackups)
#include "tst_backups.moc"
