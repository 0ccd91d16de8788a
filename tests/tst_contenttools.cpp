// The content tools of the maintenance window on its real widgets, with scripted dialogs:
// the content written to a file and read back after every table was changed, a file the
// schema refuses, the question's counts and year, and backups made, listed and restored.

#include "controls/ExtDBNavigator.h"
#include "controls/dialogs.h"
#include "db/contentjson.h"
#include "db/engine.h"
#include "db/tableset.h"
#include "maintenance/Unit1.h"
#include "maintenance/backups.h"
#include "maintenance/contenttools.h"
#include "maintenance/history.h"
#include "maintenance/toolsmenu.h"
#include "tests/support/pgserver.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testserver.h"
#include "tests/support/testenv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QPushButton>

#include <memory>

using namespace zdb;
using Nav = TExtDBNavigator;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

struct Recorded {
    QString kind;
    QStringList tables;
    QByteArray before;
    QByteArray after;
    QString summary;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class TestContentTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void exportChangeEveryTableImport();
    void exportToAPlaceNotWritable();
    void importRefused_data();
    void importRefused();
    void importOfAnotherYearSaysSo();
    void restoreOriginalOfOnePageAndOfAll();
    void backupMadeListedRestored();
    void damagedBackupRefused();
    void classroomServer();
    void throughTheMenuIntoTheHistory();

private:
    void makeWindow();
    ScriptedDialogs *appDialogs() { return static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs()); }
    // Every content table as text, row by row, field by field.
    QStringList content();
    QStringList players();
    QString exported();
    // Changes one row of every page's table through the window, adds a house by typing
    // and removes a way of travelling.
    void changeEveryPage();

    std::unique_ptr<shellfixture::WorkFolder> m_folder;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TZomir0001> m_window;
    ScriptedDialogs m_dialogs;
    QTemporaryDir m_files;
    QList<Recorded> m_recorded;
};

void TestContentTools::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    qputenv("XDG_DATA_HOME", m_files.filePath("data").toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", m_files.filePath("docs").toUtf8());
}

void TestContentTools::init()
{
    m_folder = std::make_unique<shellfixture::WorkFolder>();
    m_folder->addCatalogueRow("Hazak.DB", u("Garzon"), 52000);
    m_folder->addCatalogueRow("Hazak.DB", u("Családi ház"), 95000);
    for (const char *file : {"Kozlekedes.db", "Elelmiszerek.DB", "Ruhazkodas.db", "Hobbi.db", "Szorakozas.db"}) {
        m_folder->addCatalogueRow(file, "Egy", 1000);
        m_folder->addCatalogueRow(file, u("Kettő"), 2000);
    }
    m_folder->addProfession(u("Ács"), 150000, 250000, 2);
    m_folder->addProfession(u("Bolti eladó"), 120000, 180000, 1);
    {
        auto t = m_folder->table("jarulek.db");
        t->append();
        for (const char *f : {"Ebizt", "Mvjarulek", "Nybjarulek", "MUNKALTATO_JARULEK", "Ajkulcs", "Ajcsokulcs"})
            t->fieldByName(f).setValue(10.0);
        t->fieldByName("Ajhatar").setValue(1500000.0);
        t->fieldByName("Ajosszeg").setValue(120000.0);
        t->fieldByName("Ajfelsoh").setValue(3000000.0);
        t->post();
    }
    {
        auto t = m_folder->table("adokulcs.db");
        t->append();
        t->fieldByName("Also").setValue(0.0);
        t->fieldByName("Felso").setValue(1e9);
        t->fieldByName("Osszeg").setValue(0.0);
        t->fieldByName("Szazalek").setValue(15.0);
        t->post();
    }
    {
        auto t = m_folder->table("gyerek.db");
        for (const char *name : {u8"Családi pótlék", u8"Kedvezmény alapja"}) {
            t->append();
            t->fieldByName("Megnevezes").setValue(u(name));
            t->fieldByName("1gyerek").setValue(12000.0);
            t->fieldByName("2gyerek").setValue(26000.0);
            t->fieldByName("3gyerek").setValue(40000.0);
            t->post();
        }
    }
    {
        auto t = m_folder->table("Adoev.DB");
        t->append();
        t->fieldByName("Ev").setValue(2026);
        t->fieldByName("Gyerek_koltseg").setValue(30000.0);
        t->post();
    }
    m_folder->addPlayer({u("Kiss Ágnes")});
    m_folder->addPlayer({u("Nagy Béla"), 1});
    QFile::remove(m_files.filePath("engine.ini"));
    m_session = std::make_unique<Session>(m_files.filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
    m_dialogs = ScriptedDialogs();
    m_recorded.clear();
    makeWindow();
}

void TestContentTools::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_folder.reset();
    appDialogs()->clear();
}

void TestContentTools::makeWindow()
{
    m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs);
    m_window->ContentTools->setRecorder([this](const QString &kind, const QStringList &tables,
                                               const QByteArray &before, const QByteArray &after,
                                               const QString &summary) {
        m_recorded.append({kind, tables, before, after, summary});
    });
}

QStringList TestContentTools::content()
{
    QStringList text;
    for (const TableRows &rows : readTables(m_session.get(), "DB_ZOMIR", contentTables()))
        for (int r = 0; r < rows.rows.size(); ++r) {
            QStringList values{rows.fileName, QString::number(rows.rowids[r])};
            for (const QVariant &v : rows.rows[r])
                values << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            text << values.join(QLatin1Char('|'));
        }
    return text;
}

QStringList TestContentTools::players()
{
    QStringList names;
    for (const TableRows &rows : readTables(m_session.get(), "DB_ZOMIR", {"Jatekosok.DB"}))
        for (const QVector<QVariant> &row : rows.rows)
            names << row.at(1).toString();
    return names;
}

QString TestContentTools::exported()
{
    const QString path = m_files.filePath("tartalom.json");
    m_dialogs.saveAnswers << path;
    m_window->ContentTools->exportContent();
    if (!appDialogs()->texts("error").isEmpty())
        qWarning() << appDialogs()->texts("error");
    return path;
}

void TestContentTools::changeEveryPage()
{
    // A house added by typing, with the page's own navigator.
    m_window->PageControl->setCurrentIndex(0);
    auto *nav = m_window->TabSheet[0]->findChild<Nav *>();
    QTest::mouseClick(nav->button(Nav::Insert), Qt::LeftButton);
    auto *category = m_window->TabSheet[0]->findChild<QLineEdit *>("DBEdit2");
    category->selectAll();
    QTest::keyClicks(category, u("Tanya"));
    m_window->HazakDB->fieldByName("Terulet").setValue(120.0);
    m_window->HazakDB->fieldByName("Torleszto_reszlet").setValue(40000.0);
    QTest::mouseClick(nav->button(Nav::Post), Qt::LeftButton);
    QCOMPARE(m_window->HazakDB->recordCount(), 3);
    // A way of travelling removed.
    m_window->KozlekedesDB->last();
    m_window->KozlekedesDB->deleteRecord();
    // One figure or text of the first row of every page.
    for (int page = 0; page < TZomir0001::PageCount; ++page) {
        Table *t = m_window->pageTable(page);
        t->first();
        t->edit();
        for (int f = 0; f < t->fieldCount(); ++f) {
            if (t->isReadOnlyField(f))
                continue;
            const FieldType type = t->fieldType(f);
            if (type == FieldType::String) {
                t->field(f).setValue(t->field(f).asString().left(20) + "X");
                break;
            }
            if (type == FieldType::Float || type == FieldType::Money) {
                t->field(f).setValue(t->field(f).asFloat() + 1);
                break;
            }
        }
        t->post();
    }
}

void TestContentTools::exportChangeEveryTableImport()
{
    const QStringList before = content();
    const QString path = exported();
    QVERIFY(m_window->StatusBar->currentMessage().contains(QDir::toNativeSeparators(path)));
    const QJsonObject json = QJsonDocument::fromJson(readAll(path)).object();
    QCOMPARE(json.value("adoev").toInt(), 2026);
    QCOMPARE(json.value("tablak").toObject().keys().size(), contentTables().size());

    changeEveryPage();
    QVERIFY(content() != before);
    const QStringList stored = players();

    m_dialogs.openAnswers << path;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->importContent();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    const QStringList asked = m_dialogs.texts("confirm");
    QCOMPARE(asked.size(), 1);
    const QString question = asked.first();
    // Every page by its caption, with what the import does to it; the year is the folder's.
    QVERIFY2(question.contains(u("• Házak: 0 új, 1 módosított, 1 törölt sor")), qPrintable(question));
    QVERIFY2(question.contains(u("• Közlekedés: 1 új, 1 módosított, 0 törölt sor")), qPrintable(question));
    for (const char *page : {"Élelmiszerek", "Ruházkodás", "Hobbi", "Szórakozás", "Adótábla", "Gyermek-kedvezmény",
                             "Járulék", "Szakma jellemzők"})
        QVERIFY2(question.contains(u("• %1: 0 új, 1 módosított, 0 törölt sor").arg(u(page))), qPrintable(question));
    QVERIFY2(!question.contains(u("Adóév")) && !question.contains(u("munkamappába")), qPrintable(question));

    // Every figure is back, and the window's pages show them; the stored games are untouched.
    QCOMPARE(content(), before);
    QCOMPARE(players(), stored);
    m_window->HazakDB->first();
    QCOMPARE(m_window->HazakDB->fieldByName("Kategoria").asString(), u("Garzon"));
    QCOMPARE(m_window->HazakDB->recordCount(), 2);
    QCOMPARE(m_window->KozlekedesDB->recordCount(), 2);

    // One change recorded; its undo puts the changed tables back.
    QCOMPARE(m_recorded.size(), 1);
    QCOMPARE(m_recorded[0].kind, u("Importálás"));
    QCOMPARE(m_recorded[0].tables.size(), TZomir0001::PageCount);
    QVERIFY(!m_recorded[0].tables.contains("Adoev.DB"));
    m_window->ContentTools->putBack(m_recorded[0].before);
    QVERIFY(content() != before);
    QCOMPARE(m_window->HazakDB->recordCount(), 3);
    m_window->ContentTools->putBack(m_recorded[0].after);
    QCOMPARE(content(), before);

    // The same file again changes nothing and asks nothing.
    m_dialogs.openAnswers << path;
    m_window->ContentTools->importContent();
    QCOMPARE(m_dialogs.texts("confirm").size(), 1);
    QCOMPARE(m_dialogs.texts("message").last(), u("A fájl tartalma megegyezik a mostanival: nincs mit importálni."));
}

void TestContentTools::exportToAPlaceNotWritable()
{
    // A folder that is not there: the error box says which file (by its name, as the error
    // box gives paths) and why, and nothing is left behind.
    const QString path = m_files.filePath("nincs-ilyen/tartalom.json");
    m_dialogs.saveAnswers << path;
    m_window->ContentTools->exportContent();
    const QStringList errors = appDialogs()->texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(u("A fájl nem írható: tartalom.json\n")), qPrintable(errors.first()));
    QVERIFY(!QFileInfo::exists(path));
    // Cancelled, the dialog writes nothing and says nothing.
    m_window->ContentTools->exportContent();
    QCOMPARE(appDialogs()->texts("error").size(), 1);
    QVERIFY(m_window->StatusBar->currentMessage().isEmpty());
}

void TestContentTools::importRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QStringList>("words");
    QTest::addRow("floor area out of range") << "range" << QStringList{"Hazak.DB", "2", u("Terület")};
    QTest::addRow("another schema version") << "version" << QStringList{"99", QString::number(schemaVersion())};
}

void TestContentTools::importRefused()
{
    QFETCH(QString, damage);
    QFETCH(QStringList, words);
    const QString path = exported();
    QVERIFY2(QFileInfo::exists(path), "the content was not exported");
    QJsonObject json = QJsonDocument::fromJson(readAll(path)).object();
    if (damage == "range") {
        QJsonObject tables = json.value("tablak").toObject();
        QJsonArray houses = tables.value("Hazak.DB").toArray();
        QJsonObject second = houses.at(1).toObject();
        second.insert("Terulet", 20000);
        houses.replace(1, second);
        tables.insert("Hazak.DB", houses);
        json.insert("tablak", tables);
    } else {
        json.insert("semavaltozat", 99);
    }
    writeAll(path, QJsonDocument(json).toJson());
    // A change made meanwhile stays as it is.
    m_window->HobbiDB->first();
    m_window->HobbiDB->edit();
    m_window->HobbiDB->fieldByName("Atlagos_Ar").setValue(1234.0);
    m_window->HobbiDB->post();
    const QStringList before = content();

    m_dialogs.openAnswers << path;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->importContent();
    const QStringList errors = appDialogs()->texts("error");
    QCOMPARE(errors.size(), 1);
    for (const QString &word : words)
        QVERIFY2(errors.first().contains(word), qPrintable(errors.first()));
    QVERIFY(m_dialogs.texts("confirm").isEmpty());
    QCOMPARE(content(), before);
    QVERIFY(m_recorded.isEmpty());
}

void TestContentTools::importOfAnotherYearSaysSo()
{
    const QString path = exported();
    QVERIFY2(QFileInfo::exists(path), "the content was not exported");
    QJsonObject json = QJsonDocument::fromJson(readAll(path)).object();
    json.insert("adoev", 2010);
    QJsonObject tables = json.value("tablak").toObject();
    QJsonArray year = tables.value("Adoev.DB").toArray();
    QJsonObject row = year.at(0).toObject();
    row.insert("Ev", 2010);
    row.insert("Gyerek_koltseg", 10000);
    year.replace(0, row);
    tables.insert("Adoev.DB", year);
    json.insert("tablak", tables);
    writeAll(path, QJsonDocument(json).toJson());
    const QStringList before = content();

    m_dialogs.openAnswers << path;
    m_dialogs.confirmAnswers << false;
    m_window->ContentTools->importContent();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    const QString question = m_dialogs.texts("confirm").value(0);
    QVERIFY2(question.contains(u("• Adóév: 0 új, 1 módosított, 0 törölt sor")), qPrintable(question));
    QVERIFY2(question.contains(u("A fájl 2010-es adatai a 2026-os munkamappába kerülnek.")), qPrintable(question));
    QCOMPARE(question.count(u("•")), 1);
    // "Nem" changes nothing.
    QCOMPARE(content(), before);
    QVERIFY(m_recorded.isEmpty());
}

void TestContentTools::restoreOriginalOfOnePageAndOfAll()
{
    // The folder the content tool built, which keeps what it supplied.
    m_window.reset();
    const QString built = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    QVERIFY(!built.isEmpty());
    const QString db = m_files.filePath("eredeti/DB");
    QVERIFY(testenv::copyFolder(QDir(built).filePath("DB"), db));
    m_session->removeAlias("DB_ZOMIR");
    m_session->addStandardAlias("DB_ZOMIR", db);
    {
        Table games(m_session.get());
        games.setAliasName("DB_ZOMIR");
        games.setTableName("Jatekosok.DB");
        games.open();
        games.append();
        games.fieldByName("Nev").setValue(u("Kiss Ágnes"));
        games.post();
    }
    makeWindow();
    const QStringList supplied = content();
    const QStringList games = players();

    // A house added and a price changed on the houses' page, a hobby's price on its own.
    m_window->HazakDB->append();
    m_window->HazakDB->fieldByName("Kategoria").setValue(u("Tanya"));
    m_window->HazakDB->fieldByName("Terulet").setValue(120.0);
    m_window->HazakDB->fieldByName("Torleszto_reszlet").setValue(40000.0);
    m_window->HazakDB->post();
    m_window->HazakDB->first();
    m_window->HazakDB->edit();
    m_window->HazakDB->fieldByName("Rezsi").setValue(1.0);
    m_window->HazakDB->post();
    m_window->HobbiDB->first();
    m_window->HobbiDB->edit();
    m_window->HobbiDB->fieldByName("Atlagos_Ar").setValue(1.0);
    m_window->HobbiDB->post();
    const int houses = m_window->HazakDB->recordCount();

    // The current page only.
    m_window->PageControl->setCurrentIndex(0);
    m_dialogs.askAnswers << 0;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->restoreOriginal();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(m_dialogs.texts("confirm"),
             QStringList{u("A(z) „Házak” lap %1 sora helyére az eredeti %2 sor kerül (0 új, 1 módosított, 1 törölt "
                           "sor); a tárolt játékok megmaradnak.")
                             .arg(houses)
                             .arg(houses - 1)});
    QCOMPARE(m_window->HazakDB->recordCount(), houses - 1);
    QCOMPARE(m_recorded.size(), 1);
    QCOMPARE(m_recorded[0].kind, u("Eredeti adatok"));
    QCOMPARE(m_recorded[0].tables, QStringList{"Hazak.DB"});
    QVERIFY(content() != supplied);   // the hobby is still as changed
    QCOMPARE(players(), games);

    // Every content table.
    m_dialogs.clear();
    m_dialogs.askAnswers << 1;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->restoreOriginal();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(m_dialogs.texts("confirm").size(), 1);
    QVERIFY2(m_dialogs.texts("confirm").first().startsWith(u("A(z) „Hobbi” lap")), qPrintable(m_dialogs.texts("confirm").first()));
    QCOMPARE(content(), supplied);
    QCOMPARE(players(), games);
    QCOMPARE(m_recorded.size(), 2);
    QCOMPARE(m_recorded[1].tables, QStringList{"Hobbi.db"});

    // Once more: nothing to put back, and "Mégsem" asks nothing further.
    m_dialogs.clear();
    m_dialogs.askAnswers << 1;
    m_window->ContentTools->restoreOriginal();
    QCOMPARE(m_dialogs.texts("message"), QStringList{u("Az adatok megegyeznek az eredetiekkel: nincs mit visszaállítani.")});
    m_dialogs.clear();
    m_window->ContentTools->restoreOriginal();
    QCOMPARE(m_dialogs.texts("ask").size(), 1);
    QVERIFY(m_dialogs.texts("confirm").isEmpty());
}

void TestContentTools::backupMadeListedRestored()
{
    const QStringList before = content();
    m_window->ContentTools->makeBackup();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QVERIFY(m_window->StatusBar->currentMessage().startsWith(u("Biztonsági mentés kész: ")));
    const QList<backups::Backup> made = m_window->ContentTools->backupStore().list();
    QCOMPARE(made.size(), 1);

    // Later: a price changed and a game stored.
    m_window->SzorakozasDB->first();
    m_window->SzorakozasDB->edit();
    m_window->SzorakozasDB->fieldByName("Atlagos_Ar").setValue(9999.0);
    m_window->SzorakozasDB->post();
    m_folder->addPlayer({u("Új Ödön")});

    // The content back, the stored games kept ("Nem", the default).
    m_dialogs.chooseAnswers << 0;
    m_dialogs.confirmAnswers << true << false;
    m_window->ContentTools->restoreBackup();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(m_dialogs.lastChoices, QStringList{backups::describe(made[0])});
    QVERIFY2(m_dialogs.lastChoices[0].endsWith(u("%1 tábla, 2026-os adatok, 2 tárolt játék").arg(schema().size())),
             qPrintable(m_dialogs.lastChoices[0]));
    QVERIFY2(m_dialogs.texts("confirm").value(0).contains(u("• Szórakozás: 0 új, 1 módosított, 0 törölt sor")),
             qPrintable(m_dialogs.texts("confirm").value(0)));
    QCOMPARE(m_dialogs.texts("confirmNo"),
             QStringList{u("A mentés 2 tárolt játékot is tartalmaz; a mostani 3 játék helyére kerüljenek?")});
    QCOMPARE(content(), before);
    QCOMPARE(players().size(), 3);
    m_window->SzorakozasDB->first();
    QCOMPARE(m_window->SzorakozasDB->fieldByName("Atlagos_Ar").asFloat(), 1000.0);
    QCOMPARE(m_recorded.size(), 1);
    QCOMPARE(m_recorded[0].kind, u("Visszaállítás mentésből"));
    QCOMPARE(m_recorded[0].tables, QStringList{"Szorakozas.db"});

    // The state before the restore was backed up first, so the restore can be reversed.
    const QList<backups::Backup> now = m_window->ContentTools->backupStore().list();
    QCOMPARE(now.size(), 2);
    QCOMPARE(now[0].players, 3);

    // The oldest again, its stored games too this time.
    m_dialogs.clear();
    m_dialogs.chooseAnswers << 1;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->restoreBackup();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QVERIFY(m_dialogs.texts("confirm").isEmpty());   // the content is already as it was
    QCOMPARE(m_dialogs.texts("confirmNo").size(), 1);
    QCOMPARE(players(), QStringList({u("Kiss Ágnes"), u("Nagy Béla")}));
    QCOMPARE(content(), before);

    // A cancelled list changes nothing.
    m_dialogs.clear();
    m_window->ContentTools->restoreBackup();
    QCOMPARE(m_dialogs.texts("choose").size(), 1);
    QVERIFY(m_dialogs.texts("confirm").isEmpty());
}

void TestContentTools::damagedBackupRefused()
{
    m_window->ContentTools->makeBackup();
    const backups::Backup made = m_window->ContentTools->backupStore().list().value(0);
    writeAll(QDir(made.path).filePath("Hazak.DB"), QByteArray(4096, 'x'));
    m_window->HazakDB->first();
    m_window->HazakDB->edit();
    m_window->HazakDB->fieldByName("Kategoria").setValue(u("Kastély"));
    m_window->HazakDB->post();
    const QStringList before = content();

    m_dialogs.chooseAnswers << 0;
    m_dialogs.confirmAnswers << true << true;
    m_window->ContentTools->restoreBackup();
    const QStringList errors = appDialogs()->texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(u("A mentés sérült, nem állítható vissza:")), qPrintable(errors.first()));
    QCOMPARE(content(), before);
    QVERIFY(m_recorded.isEmpty());
}

void TestContentTools::classroomServer()
{
    // The folder's tables copied onto a class's server, and the window opened there.
    PgServer &server = testServer();
    QVERIFY(server.createDatabase("tartalom"));
    m_window.reset();
    {
        Session admin(m_files.filePath("admin.ini"));
        admin.setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("tartalom")));
        std::shared_ptr<Storage> storage = admin.storage("DB_ZOMIR");
        QStringList all;
        for (const TableDef &def : schema()) {
            storage->createTable(def);
            all << def.fileName;
        }
        replaceTables(&admin, "DB_ZOMIR", readTables(m_session.get(), "DB_ZOMIR", all));
    }
    m_session->removeAlias("DB_ZOMIR");
    m_session->setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("tartalom")));
    makeWindow();
    const QStringList before = content();
    QCOMPARE(before.size(), 19);

    // Export, a change, import: the figures back.
    const QString path = exported();
    QVERIFY2(QFileInfo::exists(path), "the content was not exported");
    changeEveryPage();
    m_dialogs.openAnswers << path;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->importContent();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(content(), before);

    // A server's backup is its content file in this PC's own place, named by the server.
    m_window->ContentTools->makeBackup();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    // The first change of the day made the day's one before it; this one is the newest.
    const QList<backups::Backup> made = m_window->ContentTools->backupStore().list();
    QCOMPARE(made.size(), 2);
    QVERIFY(made[0].contentFile && made[1].contentFile);
    QCOMPARE(QFileInfo(made[0].path).dir().dirName(), QStringLiteral("127.0.0.1_%1_tartalom").arg(server.port()));
    // This PC's own place: under XDG_DATA_HOME here, in the user's AppData on Windows.
    QVERIFY2(made[0].path.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)),
             qPrintable(made[0].path));
    QVERIFY2(backups::describe(made[0]).endsWith(u("%1 tábla, 2026-os adatok").arg(contentTables().size())),
             qPrintable(backups::describe(made[0])));

    changeEveryPage();
    m_dialogs.clear();
    m_dialogs.chooseAnswers << 0;
    m_dialogs.confirmAnswers << true;
    m_window->ContentTools->restoreBackup();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    // No stored games in a server's backup: no question about them, and they are kept.
    QVERIFY(m_dialogs.texts("confirmNo").isEmpty());
    QCOMPARE(content(), before);
    QCOMPARE(players().size(), 2);
    // The restore made one of the tables as they were before it.
    QCOMPARE(m_window->ContentTools->backupStore().list().size(), 3);
}

void TestContentTools::throughTheMenuIntoTheHistory()
{
    // The window as the program makes it: the content tools record into its history.
    m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs);
    QVERIFY(m_window->History);
    TToolsMenu *menu = m_window->ToolsMenu;
    const QString path = m_files.filePath("menu.json");
    m_dialogs.saveAnswers << path;
    menu->ExportAction->trigger();
    QVERIFY(QFileInfo::exists(path));
    // No backup yet: the first change of the day makes one, the later ones none.
    QVERIFY(m_window->ContentTools->backupStore().list().isEmpty());
    changeEveryPage();
    QCOMPARE(m_window->ContentTools->backupStore().list().size(), 1);
    const QStringList changed = content();

    // The file's year differs: the window's year and title follow the import.
    QJsonObject json = QJsonDocument::fromJson(readAll(path)).object();
    QJsonObject tables = json.value("tablak").toObject();
    QJsonArray year = tables.value("Adoev.DB").toArray();
    QJsonObject row = year.at(0).toObject();
    row.insert("Ev", 2010);
    year.replace(0, row);
    tables.insert("Adoev.DB", year);
    json.insert("tablak", tables);
    json.insert("adoev", 2010);
    writeAll(path, QJsonDocument(json).toJson());
    QCOMPARE(m_window->folderYear(), 2026);
    m_dialogs.openAnswers << path;
    m_dialogs.confirmAnswers << true;
    menu->ImportAction->trigger();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(m_window->folderYear(), 2010);
    QVERIFY2(m_window->windowTitle().contains("2010"), qPrintable(m_window->windowTitle()));
    QCOMPARE(m_window->ContentTools->backupStore().list().size(), 1);

    // One entry of the history, which the page edits before it wait for.
    const QList<THistory::Entry> entries = m_window->History->entries();
    QCOMPARE(entries.first().kind, u("Importálás"));
    QVERIFY(entries.first().wholeTables());
    QVERIFY(!m_window->History->undoBlocker(entries.at(1).key).isEmpty());

    // Undone from the list of changes: every figure as before the import, the year too.
    menu->ChangesAction->trigger();
    TChangesWindow *list = menu->ChangesWindow;
    QVERIFY(list);
    list->List->setCurrentItem(list->List->topLevelItem(0));
    QVERIFY(list->UndoButton->isEnabled());
    QTest::mouseClick(list->UndoButton, Qt::LeftButton);
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(content(), changed);
    QCOMPARE(m_window->folderYear(), 2026);
    QVERIFY(m_window->StatusBar->currentMessage().startsWith(u("Visszavonva: ")));
    // The page edits can be undone again, the last one first.
    QVERIFY(m_window->History->undoBlocker(m_window->History->entries().at(1).key).isEmpty());
}

ZOMIR_TEST_MAIN(TestContentTools)
#include "tst_contenttools.moc"
