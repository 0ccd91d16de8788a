// Games deleted on a classroom server and archived games: the server's bin of deleted
// players' rows (who may read it, what a student cannot do to it, its purge, the restore
// through the utility's window) and the archiving of finished games on a folder and on the
// server (the file's format read back, the rows that go, a file that cannot be written, the
// load that undoes it).

#include "maintenance/Unit1.h"
#include "maintenance/archive.h"
#include "maintenance/archivewindow.h"
#include "maintenance/gamebin.h"
#include "db/engine.h"
#include "db/servershapes.h"
#include "rules/usererror.h"
#include "tests/support/pgserver.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"
#include "tests/support/testserver.h"

#include <QDateEdit>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include <memory>

using namespace zdb;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

struct Stored {
    const char *name;
    QDate date;
    int statusz;
    QVariant balance;
};

// One database of the game with its own sessions: a folder, or a database on the tests'
// server set up as the content tool does (tables, roles, the bin).
class Database {
public:
    explicit Database(bool server) : m_server(server)
    {
        static int serial = 0;
        if (!server) {
            m_folder = std::make_unique<shellfixture::WorkFolder>();
            return;
        }
        m_name = QStringLiteral("kuka%1").arg(++serial);
        if (!testServer().createDatabase(m_name))
            qFatal("%s", qPrintable(testServer().errorString()));
        Session admin(m_dir.filePath(QStringLiteral("admin.ini")));
        admin.setServerAlias(gameAlias(), ServerAddress::parse(testServer().connectionString(m_name)));
        std::shared_ptr<Storage> storage = admin.storage(gameAlias());
        for (const TableDef &def : schema())
            storage->createTable(def);
        storage->grantRoles(QStringLiteral("zomir_diak"), QStringLiteral("zomir_tanar"), schema(),
                            {QStringLiteral("Jatekosok.DB")});
    }

    bool onServer() const { return m_server; }
    QString name() const { return m_name; }

    // A session of the teacher's utility ("zomir_tanar"), or of a student's PC ("zomir_diak").
    std::unique_ptr<Session> session(const QString &role = QStringLiteral("zomir_tanar"))
    {
        auto s = std::make_unique<Session>(m_dir.filePath(role + QStringLiteral(".ini")));
        if (m_server)
            s->setServerAlias(gameAlias(), ServerAddress::parse(testServer().connectionString(m_name, role)));
        else
            s->addStandardAlias(gameAlias(), m_folder->db());
        return s;
    }

    static std::unique_ptr<Table> players(Session *session)
    {
        auto t = std::make_unique<Table>(session);
        t->setAliasName(gameAlias());
        t->setTableName(QStringLiteral("Jatekosok.DB"));
        t->open();
        return t;
    }

    // Stores a game as the game does; returns its key.
    qint64 store(Session *session, const Stored &g)
    {
        auto t = players(session);
        t->append();
        t->fieldByName(QStringLiteral("Nev")).setValue(u(g.name));
        t->fieldByName(QStringLiteral("Datum")).setValue(g.date);
        t->fieldByName(QStringLiteral("Statusz")).setValue(g.statusz);
        t->fieldByName(QStringLiteral("Job_Key")).setValue(3);
        t->fieldByName(QStringLiteral("Hobby_Key")).setValue(0b101);
        t->fieldByName(QStringLiteral("Brutto_jov")).setValue(312500.5);
        t->fieldByName(QStringLiteral("Netto_jov")).setValue(280000.0);
        t->fieldByName(QStringLiteral("Egyenleg")).setValue(g.balance);
        t->fieldByName(QStringLiteral("Meglepetes")).setValue(u("Árvíztűrő tükörfúrógép"));
        t->fieldByName(QStringLiteral("Kep")).setValue(QByteArray("BM\x00\x01\xff", 5));
        t->post();
        return t->fieldByName(QStringLiteral("Player_Key")).value().toLongLong();
    }

    // Every stored game as the archive holds them, by name.
    QMap<QString, archive::Game> games()
    {
        auto s = session();
        auto t = players(s.get());
        QMap<QString, archive::Game> byName;
        const TableDef &def = t->definition();
        for (int row = 0; row < t->recordCount(); ++row) {
            archive::Game g;
            for (const FieldDef &f : def.fields)
                g.insert(f.name, t->valueAt(row, t->fieldIndex(f.name)));
            byName.insert(g.value(QStringLiteral("Nev")).toString(), g);
        }
        return byName;
    }

    // A line of psql's output for `sql` run as `role`; the error when it fails.
    bool psql(const QString &sql, const QString &role, QString *out)
    {
        return testServer().psql(sql, role, m_name, out);
    }

    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    bool m_server;
    QString m_name;
    QTemporaryDir m_dir;
    std::unique_ptr<shellfixture::WorkFolder> m_folder;
};

void deleteByName(Session *session, const QString &name)
{
    // The game's own delete of a name's stored games.
    Statement remove(session);
    remove.setAliasName(gameAlias());
    remove.setSql(QStringLiteral("delete from Jatekosok where nev = :nev"));
    remove.bindValue(QStringLiteral("nev"), name);
    remove.execSql();
}

QVariant field(const archive::Game &g, const char *name) { return g.value(QLatin1String(name)); }

}  // namespace

class TestGameBin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void archiveFileRoundTrip();
    void archiveFileRefused_data();
    void archiveFileRefused();

    void deletedGameLandsInTheBin();
    void studentCannotReachTheBin_data();
    void studentCannotReachTheBin();
    void oldRowsLeaveTheBin();
    void serverMadeBeforeGetsTheBin();
    void restoreThroughTheWindow_data();
    void restoreThroughTheWindow();
    void rowOfAnOlderShapeRestored();
    void studentsButtonSaysWhy();
    void folderHasNoBinButton();

    void archiveAndLoadBack_data();
    void archiveAndLoadBack();
    void unwritableArchiveRemovesNothing_data();
    void unwritableArchiveRemovesNothing();

private:
    std::unique_ptr<TZomir0001> openWindow(Session *session);
    ScriptedDialogs *appDialogs() { return static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs()); }
    QStringList shownNames(TZomir0001 *w) const;

    ScriptedDialogs m_dialogs;
};

void TestGameBin::cleanup()
{
    m_dialogs = ScriptedDialogs();
    appDialogs()->clear();
}

std::unique_ptr<TZomir0001> TestGameBin::openWindow(Session *session)
{
    auto w = std::make_unique<TZomir0001>(session, &m_dialogs);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    w->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    return w;
}

QStringList TestGameBin::shownNames(TZomir0001 *w) const
{
    QStringList names;
    const QAbstractItemModel *model = w->DBGrid11->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    names.sort();
    return names;
}

void TestGameBin::archiveFileRoundTrip()
{
    const TableDef &def = *findTable(QStringLiteral("Jatekosok.DB"));
    archive::Game full;
    full.insert(QStringLiteral("Player_Key"), 17);
    full.insert(QStringLiteral("Nev"), u("Őrsi Űrsula \"Ursi\""));
    full.insert(QStringLiteral("Datum"), QDate(2026, 3, 2));
    full.insert(QStringLiteral("Statusz"), 1);
    full.insert(QStringLiteral("Hazastars"), 1);
    full.insert(QStringLiteral("Brutto_jov"), 312500.5);
    full.insert(QStringLiteral("Egyenleg"), -999);
    full.insert(QStringLiteral("Kep"), QByteArray("BM\x00\x01\xff", 5));
    archive::Game bare;
    bare.insert(QStringLiteral("Nev"), u("Ábel"));
    archive::Contents c{{QDate(2025, 9, 1), QDate(2026, 6, 30)}, QDateTime(QDate(2026, 7, 1), QTime(8, 30)), {full, bare}};
    const QByteArray bytes = archive::toJson(def.fields, c);
    // A reader sees the games: UTF-8 text, the dates as dates.
    QVERIFY(bytes.contains(u("Őrsi Űrsula").toUtf8()));
    QVERIFY(bytes.contains("\"Datum\": \"2026-03-02\""));
    QCOMPARE(QJsonDocument::fromJson(bytes).object().value("jatekok_szama").toInt(), 2);

    const archive::Contents back = archive::fromJson(bytes, def.fields, "a.json");
    QCOMPARE(back.period.from, c.period.from);
    QCOMPARE(back.period.to, c.period.to);
    QCOMPARE(back.made, c.made);
    QCOMPARE(back.games.size(), 2);
    for (const FieldDef &f : def.fields) {
        const QVariant want = full.value(f.name), got = back.games[0].value(f.name);
        QVERIFY2(want.isNull() == got.isNull(), qPrintable(f.name));
        if (f.type == FieldType::Date)
            QCOMPARE(got.toDate(), want.toDate());
        else if (!want.isNull())
            QCOMPARE(got.toString(), want.toString());
    }
    QCOMPARE(back.games[0].value("Kep").toByteArray(), QByteArray("BM\x00\x01\xff", 5));
    QVERIFY(back.games[1].value("Player_Key").isNull());
    QVERIFY(back.games[1].value("Egyenleg").isNull());
    QVERIFY(archive::isFinished(back.games[0]));
    QVERIFY(!archive::isFinished(back.games[1]));
}

void TestGameBin::archiveFileRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    const QByteArray head = "{\"formatum\": \"zomir-jatekarchivum\", \"verzio\": 1, ";
    QTest::addRow("not JSON") << QByteArray("Név;Dátum\r\n") << u("nem a karbantartó játékarchívuma");
    QTest::addRow("another JSON file") << QByteArray("{\"jatekok\": []}") << u("nem a karbantartó játékarchívuma");
    QTest::addRow("a later format")
        << QByteArray("{\"formatum\": \"zomir-jatekarchivum\", \"verzio\": 2, \"jatekok\": []}") << u("formája: 2");
    QTest::addRow("no list") << head + "\"jatekok\": 5}" << u("nincs játékok listája");
    QTest::addRow("a game not an object") << head + "\"jatekok\": [3]}" << u("1. játéka hibás");
    QTest::addRow("a game without a name")
        << head + "\"jatekok\": [{\"Nev\": \"A\"}, {\"Statusz\": 1}]}" << u("2. játékából hiányzik a(z) Nev");
    QTest::addRow("a date that is none")
        << head + "\"jatekok\": [{\"Nev\": \"A\", \"Datum\": \"2026-02-30\"}]}" << u("Datum mezője hibás");
    QTest::addRow("a number as text")
        << head + "\"jatekok\": [{\"Nev\": \"A\", \"Statusz\": \"1\"}]}" << u("Statusz mezője hibás");
    QTest::addRow("a fraction for a count")
        << head + "\"jatekok\": [{\"Nev\": \"A\", \"Gyerekek\": 1.5}]}" << u("Gyerekek mezője hibás");
    QTest::addRow("a name too long")
        << head + "\"jatekok\": [{\"Nev\": \"" + QByteArray(31, 'x') + "\"}]}" << u("Nev mezője hibás");
    QTest::addRow("a picture not base64")
        << head + "\"jatekok\": [{\"Nev\": \"A\", \"Kep\": \"#!\"}]}" << u("Kep mezője hibás");
    QTest::addRow("a field of another table")
        << head + "\"jatekok\": [{\"Nev\": \"A\", \"Kategoria\": \"x\"}]}" << u("ismeretlen mező van: Kategoria");
}

void TestGameBin::archiveFileRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    try {
        archive::fromJson(bytes, findTable(QStringLiteral("Jatekosok.DB"))->fields, QStringLiteral("regi.json"));
        QFAIL("read");
    } catch (const UserError &e) {
        QVERIFY2(e.message().contains(says) && e.message().contains("regi.json"), qPrintable(e.message()));
    }
}

void TestGameBin::deletedGameLandsInTheBin()
{
    Database db(true);
    auto student = db.session(QStringLiteral("zomir_diak"));
    db.store(student.get(), {"Kiss Éva", QDate(2026, 11, 5), 1, -250});
    db.store(student.get(), {"Nagy Béla", QDate(2026, 11, 6), 0, QVariant()});
    deleteByName(student.get(), u("Kiss Éva"));

    QString out;
    QVERIFY2(!db.psql("SELECT count(*) FROM torolt_jatekosok", "zomir_diak", &out), qPrintable(out));
    QVERIFY2(out.contains("permission denied"), qPrintable(out));
    const TableDef &def = *findTable(QStringLiteral("Jatekosok.DB"));
    QCOMPARE(int(student->storage(gameAlias())->binAccess(def)), int(Storage::BinAccess::Denied));
    QVERIFY_THROWS_EXCEPTION(EngineError, student->storage(gameAlias())->deletedRows(def, {"Nev"}));

    auto teacher = db.session();
    const auto storage = teacher->storage(gameAlias());
    QCOMPARE(int(storage->binAccess(def)), int(Storage::BinAccess::Allowed));
    const QList<DeletedRow> rows = storage->deletedRows(def, {"Nev", "Datum", "Egyenleg", "Kep"});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].texts.mid(0, 3), (QStringList{u("Kiss Éva"), "2026-11-05", "-250"}));
    QVERIFY(qAbs(rows[0].deletedAt.secsTo(QDateTime::currentDateTime())) < 60);
    QVERIFY(db.games().contains(u("Nagy Béla")));
    QVERIFY(!db.games().contains(u("Kiss Éva")));
}

void TestGameBin::studentCannotReachTheBin_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("refused");
    QTest::addRow("read it") << "SELECT sor FROM torolt_jatekosok" << true;
    QTest::addRow("empty it") << "DELETE FROM torolt_jatekosok" << true;
    QTest::addRow("change it") << "UPDATE torolt_jatekosok SET torolve = now() - interval '40 days'" << true;
    QTest::addRow("fill it") << "INSERT INTO torolt_jatekosok (sor) VALUES ('{}')" << true;
    QTest::addRow("turn the trigger off") << "ALTER TABLE jatekosok DISABLE TRIGGER ALL" << true;
    QTest::addRow("empty the players without deleting") << "TRUNCATE jatekosok" << true;
    QTest::addRow("skip triggers for the session") << "SET session_replication_role = replica; DELETE FROM jatekosok" << true;
    QTest::addRow("drop the trigger") << "DROP TRIGGER torolt_jatekosok_gyujto ON jatekosok" << true;
    QTest::addRow("replace the function")
        << "CREATE OR REPLACE FUNCTION public.torolt_jatekosok_gyujto() RETURNS trigger LANGUAGE plpgsql AS "
           "$$BEGIN RETURN OLD; END$$" << true;
    // Allowed, but the deleted row still goes to the real bin.
    QTest::addRow("a bin of the same name first on the path")
        << "CREATE TEMP TABLE torolt_jatekosok (id bigint, torolve timestamptz, sor jsonb); "
           "SET search_path = pg_temp, public; DELETE FROM public.jatekosok WHERE nev = 'Tóth Ede'" << false;
}

void TestGameBin::studentCannotReachTheBin()
{
    QFETCH(QString, sql);
    QFETCH(bool, refused);
    Database db(true);
    auto student = db.session(QStringLiteral("zomir_diak"));
    db.store(student.get(), {"Kiss Éva", QDate(2026, 11, 5), 1, 100});
    deleteByName(student.get(), u("Kiss Éva"));
    db.store(student.get(), {"Tóth Ede", QDate(2026, 11, 5), 1, 100});
    QString out;
    QVERIFY2(db.psql(sql, "zomir_diak", &out) != refused, qPrintable(out));
    // Whatever was tried, the bin holds what was deleted, and a later delete lands there too.
    deleteByName(student.get(), u("Tóth Ede"));
    QVERIFY2(db.psql("SELECT sor ->> 'nev' FROM torolt_jatekosok ORDER BY id", "zomir_admin", &out), qPrintable(out));
    QCOMPARE(out.trimmed().split('\n'), (QStringList{u("Kiss Éva"), u("Tóth Ede")}));
}

void TestGameBin::oldRowsLeaveTheBin()
{
    Database db(true);
    auto student = db.session(QStringLiteral("zomir_diak"));
    for (const char *name : {"Régi", "Tegnapi", "Friss"})
        db.store(student.get(), {name, QDate(2026, 10, 1), 1, 0});
    deleteByName(student.get(), u("Régi"));
    deleteByName(student.get(), u("Tegnapi"));
    QString out;
    QVERIFY2(db.psql(u("UPDATE torolt_jatekosok SET torolve = now() - interval '31 days' WHERE sor ->> 'nev' = 'Régi';"
                       "UPDATE torolt_jatekosok SET torolve = now() - interval '29 days' WHERE sor ->> 'nev' = 'Tegnapi'"),
                     "zomir_admin", &out),
             qPrintable(out));
    // Reading the bin drops what is older than thirty days; a 29-day-old row stays.
    auto teacher = db.session();
    const TableDef &def = *findTable(QStringLiteral("Jatekosok.DB"));
    const QList<DeletedRow> rows = teacher->storage(gameAlias())->deletedRows(def, {"Nev"});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].texts, QStringList{"Tegnapi"});
    QVERIFY(db.psql("SELECT count(*) FROM torolt_jatekosok", "zomir_admin", &out));
    QCOMPARE(out.trimmed(), QStringLiteral("1"));
    // So does a delete, whoever makes it.
    QVERIFY(db.psql("UPDATE torolt_jatekosok SET torolve = now() - interval '31 days'", "zomir_admin", &out));
    deleteByName(student.get(), u("Friss"));
    QVERIFY(db.psql("SELECT sor ->> 'nev' FROM torolt_jatekosok", "zomir_admin", &out));
    QCOMPARE(out.trimmed(), QStringLiteral("Friss"));
}

void TestGameBin::serverMadeBeforeGetsTheBin()
{
    Database db(true);
    QString out;
    QVERIFY2(db.psql("DROP TABLE torolt_jatekosok; DROP FUNCTION torolt_jatekosok_gyujto() CASCADE", "zomir_admin", &out),
             qPrintable(out));
    auto teacher = db.session();
    auto student = db.session(QStringLiteral("zomir_diak"));
    // Without the bin a delete works as before, and the button says what to do.
    db.store(student.get(), {"Elveszett", QDate(2026, 10, 1), 1, 0});
    deleteByName(student.get(), u("Elveszett"));
    auto w = openWindow(teacher.get());
    QVERIFY(w);
    QVERIFY(w->BitBtn6->isVisible());
    QTest::mouseClick(w->BitBtn6, Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("message").size(), 1);
    QVERIFY2(m_dialogs.texts("message").first().contains("zomir-data --server"), qPrintable(m_dialogs.texts("message").first()));
    QVERIFY(!w->BinWindow->isVisible());
    w.reset();

    // The content tool run again sets it up, as the database's owner.
    Session admin(db.file("admin2.ini"));
    admin.setServerAlias(gameAlias(), ServerAddress::parse(testServer().connectionString(db.name())));
    admin.storage(gameAlias())->grantRoles("zomir_diak", "zomir_tanar", schema(), {"Jatekosok.DB"});
    db.store(student.get(), {"Megmaradt", QDate(2026, 10, 1), 1, 0});
    deleteByName(student.get(), u("Megmaradt"));
    const TableDef &def = *findTable(QStringLiteral("Jatekosok.DB"));
    const QList<DeletedRow> rows = teacher->storage(gameAlias())->deletedRows(def, {"Nev"});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].texts, QStringList{"Megmaradt"});
    QVERIFY(db.psql("SELECT p.prosecdef, pg_get_userbyid(p.proowner), array_to_string(p.proconfig, ',') FROM pg_proc p "
                    "WHERE proname = 'torolt_jatekosok_gyujto'",
                    "zomir_admin", &out));
    QCOMPARE(out.trimmed(), QStringLiteral("t|zomir_admin|search_path=pg_catalog, pg_temp"));
}

void TestGameBin::restoreThroughTheWindow_data()
{
    QTest::addColumn<bool>("keyTaken");
    QTest::addRow("its own key") << false;
    QTest::addRow("a new key, its own being taken meanwhile") << true;
}

void TestGameBin::restoreThroughTheWindow()
{
    QFETCH(bool, keyTaken);
    Database db(true);
    auto student = db.session(QStringLiteral("zomir_diak"));
    const qint64 key = db.store(student.get(), {"Kiss Éva", QDate(2026, 11, 5), 1, -250});
    db.store(student.get(), {"Nagy Béla", QDate(2026, 11, 6), 0, QVariant()});
    db.store(student.get(), {"Szabó Ili", QDate(2026, 11, 7), 1, 4000});
    const archive::Game before = db.games().value(u("Kiss Éva"));
    deleteByName(student.get(), u("Kiss Éva"));
    deleteByName(student.get(), u("Szabó Ili"));
    QString out;
    if (keyTaken)
        QVERIFY2(db.psql(QStringLiteral("INSERT INTO jatekosok (player_key, nev) VALUES (%1, 'Más')").arg(key),
                         "zomir_admin", &out),
                 qPrintable(out));

    auto teacher = db.session();
    auto w = openWindow(teacher.get());
    QVERIFY(w);
    QVERIFY(w->BitBtn6->isVisible());
    QTest::mouseClick(w->BitBtn6, Qt::LeftButton);
    TGameBin *bin = w->BinWindow;
    QVERIFY(bin && bin->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(bin));
    QCOMPARE(bin->List70->topLevelItemCount(), 2);
    // The latest deleted first.
    QTreeWidgetItem *kiss = bin->List70->topLevelItem(1);
    QCOMPARE(kiss->text(0), u("Kiss Éva"));
    QCOMPARE(kiss->text(1), QStringLiteral("2026.11.05."));
    QCOMPARE(kiss->text(2).left(11), QDate::currentDate().toString("yyyy.MM.dd."));
    QVERIFY2(kiss->text(3).contains("250") && kiss->text(3).endsWith("Ft"), qPrintable(kiss->text(3)));

    // Nothing selected: it says so. A "no" keeps the bin as it was.
    QTest::mouseClick(bin->BitBtn70, Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("message").size(), 1);
    QTest::mouseClick(bin->List70->viewport(), Qt::LeftButton, {}, bin->List70->visualItemRect(kiss).center());
    QVERIFY(kiss->isSelected());
    m_dialogs.confirmAnswers << false;
    QTest::mouseClick(bin->BitBtn70, Qt::LeftButton);
    QCOMPARE(bin->List70->topLevelItemCount(), 2);
    QVERIFY(!shownNames(w.get()).contains(u("Kiss Éva")));

    m_dialogs.confirmAnswers << true;
    QTest::mouseClick(bin->BitBtn70, Qt::LeftButton);
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    const QStringList questions = m_dialogs.texts("confirm");
    QCOMPARE(questions.size(), 2);
    QVERIFY2(questions.last().contains(u("Kiss Éva (2026.11.05.)")) && !questions.last().contains(u("Szabó")),
             qPrintable(questions.last()));
    // Back on the page, out of the bin; the other deleted game stays there.
    QCOMPARE(bin->List70->topLevelItemCount(), 1);
    QCOMPARE(bin->List70->topLevelItem(0)->text(0), u("Szabó Ili"));
    QVERIFY(shownNames(w.get()).contains(u("Kiss Éva")));
    QVERIFY(!shownNames(w.get()).contains(u("Szabó Ili")));

    // Escape closes the window, as it does a dialog.
    QTest::keyClick(bin->List70, Qt::Key_Escape);
    QVERIFY(!bin->isVisible());

    const archive::Game after = db.games().value(u("Kiss Éva"));
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() == QLatin1String("Player_Key"))
            continue;
        QVERIFY2(it.value().isNull() == after.value(it.key()).isNull(), qPrintable(it.key()));
        QCOMPARE(after.value(it.key()).toString(), it.value().toString());
    }
    QCOMPARE(field(after, "Kep").toByteArray(), QByteArray("BM\x00\x01\xff", 5));
    if (keyTaken) {
        QVERIFY(field(after, "Player_Key").toLongLong() != key);
        QCOMPARE(field(db.games().value(u("Más")), "Player_Key").toLongLong(), key);
    } else {
        QCOMPARE(field(after, "Player_Key").toLongLong(), key);
    }
}

void TestGameBin::rowOfAnOlderShapeRestored()
{
    // A row deleted before the year was stored comes back as a 2010 game, as the upgrade
    // made the rows stored then; one whose year is stored empty keeps it empty.
    Database db(true);
    QString out;
    QVERIFY2(db.psql(u("INSERT INTO torolt_jatekosok (sor) VALUES "
                       "('{\"player_key\": 40, \"nev\": \"Régi Rudi\", \"statusz\": 1}'), "
                       "('{\"player_key\": 41, \"nev\": \"Üres Ubul\", \"adoev\": null}')"),
                     "zomir_admin", &out),
             qPrintable(out));
    auto teacher = db.session();
    const auto storage = teacher->storage(gameAlias());
    const TableDef &def = *findTable(QStringLiteral("Jatekosok.DB"));
    QList<qint64> ids;
    for (const DeletedRow &row : storage->deletedRows(def, {}))
        ids << row.id;
    QCOMPARE(storage->restoreDeletedRows(def, ids), 2);
    const QMap<QString, archive::Game> games = db.games();
    QCOMPARE(field(games.value(u("Régi Rudi")), "Adoev").toInt(), 2010);
    QCOMPARE(field(games.value(u("Régi Rudi")), "Player_Key").toInt(), 40);
    QVERIFY(field(games.value(u("Régi Rudi")), "Egyenleg").isNull());
    QVERIFY(field(games.value(u("Üres Ubul")), "Adoev").isNull());
}

void TestGameBin::studentsButtonSaysWhy()
{
    Database db(true);
    auto student = db.session(QStringLiteral("zomir_diak"));
    db.store(student.get(), {"Kiss Éva", QDate(2026, 11, 5), 1, 0});
    deleteByName(student.get(), u("Kiss Éva"));
    auto w = openWindow(student.get());
    QVERIFY(w);
    QVERIFY(w->BitBtn6->isVisible());
    QTest::mouseClick(w->BitBtn6, Qt::LeftButton);
    const QStringList messages = m_dialogs.texts("message");
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(u("csak a tanár szerepkörével")) && messages.first().contains(u("„zomir_diak”")),
             qPrintable(messages.first()));
    QVERIFY(!w->BinWindow->isVisible());
    QVERIFY(appDialogs()->texts("error").isEmpty());
}

void TestGameBin::folderHasNoBinButton()
{
    Database db(false);
    auto s = db.session();
    auto w = openWindow(s.get());
    QVERIFY(w);
    QVERIFY(w->BitBtn6->isHidden());
    QVERIFY(w->BitBtn7->isVisible());
}

void TestGameBin::archiveAndLoadBack_data()
{
    QTest::addColumn<bool>("server");
    QTest::addRow("folder") << false;
    QTest::addRow("server") << true;
}

void TestGameBin::archiveAndLoadBack()
{
    QFETCH(bool, server);
    Database db(server);
    auto teacher = db.session();
    const qint64 first = db.store(teacher.get(), {"Kiss Éva", QDate(2025, 9, 1), 1, -250});
    db.store(teacher.get(), {"Nagy Béla", QDate(2026, 3, 6), 0, QVariant()});       // unfinished
    db.store(teacher.get(), {"Tóth Ede", QDate(2025, 8, 31), 1, 100});              // the day before
    db.store(teacher.get(), {"Szabó Ili", QDate(2026, 6, 30), 1, 4000});            // the last day
    db.store(teacher.get(), {"Vég Ödön", QDate(2026, 7, 1), 1, 4000});              // the day after
    const QMap<QString, archive::Game> before = db.games();

    auto w = openWindow(teacher.get());
    QVERIFY(w);
    QCOMPARE(shownNames(w.get()).size(), 5);
    QTest::mouseClick(w->BitBtn7, Qt::LeftButton);
    TArchiveWindow *a = w->ArchiveWindow;
    QVERIFY(a && a->isVisible());
    a->DateEdit80->setDate(QDate(2025, 9, 1));
    a->DateEdit81->setDate(QDate(2026, 6, 30));
    const QString path = db.file("archivum.json");
    m_dialogs.confirmAnswers << true;
    m_dialogs.saveAnswers << path;
    QTest::mouseClick(a->BitBtn80, Qt::LeftButton);
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    const QString question = m_dialogs.texts("confirm").value(0);
    QVERIFY2(question.contains(u("2025.09.01. – 2026.06.30.")) && question.contains(u("2 befejezett játék")),
             qPrintable(question));
    QVERIFY2(w->StatusBar->currentMessage().contains("archivum.json") && w->StatusBar->currentMessage().startsWith("2 "),
             qPrintable(w->StatusBar->currentMessage()));
    QCOMPARE(shownNames(w.get()), (QStringList{u("Nagy Béla"), u("Tóth Ede"), u("Vég Ödön")}));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const archive::Contents contents =
        archive::fromJson(file.readAll(), findTable(QStringLiteral("Jatekosok.DB"))->fields, path);
    file.close();
    QCOMPARE(contents.games.size(), 2);
    QCOMPARE(field(contents.games[0], "Nev").toString(), u("Kiss Éva"));
    QCOMPARE(field(contents.games[0], "Player_Key").toLongLong(), first);
    QCOMPARE(field(contents.games[1], "Nev").toString(), u("Szabó Ili"));
    QCOMPARE(field(contents.games[1], "Egyenleg").toLongLong(), 4000);
    QCOMPARE(field(contents.games[0], "Kep").toByteArray(), QByteArray("BM\x00\x01\xff", 5));
    QVERIFY(!QFileInfo::exists(path + ".tmp"));
    if (server) {
        // The bin does not keep what the archive holds.
        QString out;
        QVERIFY(db.psql("SELECT count(*) FROM torolt_jatekosok", "zomir_admin", &out));
        QCOMPARE(out.trimmed(), QStringLiteral("0"));
    }

    // Loaded back: the same games with their keys; loading twice adds nothing.
    for (int round = 0; round < 2; ++round) {
        m_dialogs.openAnswers << path;
        QTest::mouseClick(a->BitBtn81, Qt::LeftButton);
        QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
        QVERIFY2(w->StatusBar->currentMessage().contains(round == 0 ? u("2 játék visszatöltve, 0 már megvolt")
                                                                    : u("0 játék visszatöltve, 2 már megvolt")),
                 qPrintable(w->StatusBar->currentMessage()));
        QCOMPARE(shownNames(w.get()).size(), 5);
    }
    const QMap<QString, archive::Game> after = db.games();
    QCOMPARE(after.keys(), before.keys());
    for (const QString &name : before.keys()) {
        const archive::Game was = before.value(name), is = after.value(name);
        for (auto it = was.begin(); it != was.end(); ++it)
            QVERIFY2(is.value(it.key()).toString() == it.value().toString() &&
                         is.value(it.key()).isNull() == it.value().isNull(),
                     qPrintable(name + ' ' + it.key()));
    }

    // A game whose key another game took meanwhile comes back with a new one.
    QVERIFY(archive::removeGames(teacher.get(), {after[u("Kiss Éva")]}) == 1);
    db.store(teacher.get(), {"Új", QDate(2026, 9, 1), 0, 0});
    Statement move(teacher.get());
    move.setAliasName(gameAlias());
    move.setSql(QStringLiteral("update Jatekosok set Player_Key = %1 where Nev = 'Új'").arg(first));
    move.execSql();
    const archive::Loaded loaded = archive::loadGames(teacher.get(), contents.games);
    QCOMPARE(loaded.added, 1);
    QCOMPARE(loaded.skipped, 1);
    const archive::Game kiss = db.games().value(u("Kiss Éva"));
    QVERIFY(field(kiss, "Player_Key").toLongLong() != first);
    QCOMPARE(field(kiss, "Egyenleg").toLongLong(), -250);
}

void TestGameBin::unwritableArchiveRemovesNothing_data()
{
    QTest::addColumn<bool>("server");
    QTest::addRow("folder") << false;
    QTest::addRow("server") << true;
}

void TestGameBin::unwritableArchiveRemovesNothing()
{
    QFETCH(bool, server);
    Database db(server);
    auto teacher = db.session();
    db.store(teacher.get(), {"Kiss Éva", QDate(2026, 1, 10), 1, 0});
    db.store(teacher.get(), {"Nagy Béla", QDate(2026, 1, 11), 1, 0});
    auto w = openWindow(teacher.get());
    QVERIFY(w);
    QTest::mouseClick(w->BitBtn7, Qt::LeftButton);
    TArchiveWindow *a = w->ArchiveWindow;
    QVERIFY(a->isVisible());
    QTest::keyClick(a->DateEdit80, Qt::Key_Escape);   // closes it, as it does a dialog
    QVERIFY(!a->isVisible());
    QTest::mouseClick(w->BitBtn7, Qt::LeftButton);
    QVERIFY(a->isVisible());
    a->DateEdit80->setDate(QDate(2026, 1, 1));
    a->DateEdit81->setDate(QDate(2026, 1, 31));
    // A folder that is not there, and a folder in the file's place.
    QDir().mkpath(db.file("mappa.json"));
    for (const QString &path : {db.file("nincs/ilyen/archivum.json"), db.file("mappa.json")}) {
        appDialogs()->clear();
        m_dialogs.confirmAnswers << true;
        m_dialogs.saveAnswers << path;
        QTest::mouseClick(a->BitBtn80, Qt::LeftButton);
        const QStringList errors = appDialogs()->texts("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(u("A fájl nem írható")), qPrintable(errors.first()));
        QCOMPARE(shownNames(w.get()), (QStringList{u("Kiss Éva"), u("Nagy Béla")}));
        QCOMPARE(db.games().size(), 2);
    }
    // "No" to the question asks for no file and removes nothing either.
    m_dialogs.confirmAnswers << false;
    QTest::mouseClick(a->BitBtn80, Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("save").size(), 2);
    QCOMPARE(db.games().size(), 2);
    // A period that ends before it starts is refused before any question.
    appDialogs()->clear();
    a->DateEdit80->setDate(QDate(2026, 2, 1));
    QTest::mouseClick(a->BitBtn80, Qt::LeftButton);
    QCOMPARE(appDialogs()->texts("error").size(), 1);
    QVERIFY2(appDialogs()->texts("error").first().contains(u("későbbi a végénél")),
             qPrintable(appDialogs()->texts("error").first()));
    QCOMPARE(m_dialogs.texts("confirm").size(), 3);

}

ZOMIR_TEST_MAIN(TestGameBin)
#include "tst_gamebin.moc"
