// Whole tables read and replaced at once, on a folder and on the tests' server: the rows come
// back as they were put, open tables follow, a refused row leaves everything as it was, and a
// program killed at any step of a replacement leaves every table all before or all after.

#include "db/contentjson.h"
#include "db/engine.h"
#include "db/tableset.h"
#include "tests/support/pgserver.h"
#include "tests/support/testenv.h"
#include "tests/support/testserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>

using namespace zdb;

namespace {

bool onServer()
{
    QFETCH_GLOBAL(QString, kind);
    return kind == QLatin1String("server");
}

const QStringList kTables{QStringLiteral("Hazak.DB"), QStringLiteral("szakma4.DB"), QStringLiteral("adokulcs.db")};

// The built working folder's database, copied; on the server, a database of its own filled
// with the same rows.
struct Fixture {
    QTemporaryDir dir;
    QString configFile;
    std::unique_ptr<Session> session;

    Fixture()
    {
        static int databases = 0;
        configFile = dir.filePath("config/engine.ini");
        const QString built = qEnvironmentVariable("ZOMIR_WORKFOLDER");
        if (built.isEmpty() || !testenv::copyFolder(QDir(built).filePath("DB"), db()))
            qFatal("no built working folder (ZOMIR_WORKFOLDER)");
        session = std::make_unique<Session>(configFile);
        session->addStandardAlias("DB_ZOMIR", db());
        if (onServer()) {
            const TableSet rows = readTables(session.get(), "DB_ZOMIR", contentTables());
            const QString database = QStringLiteral("tableset_%1").arg(++databases);
            if (!testServer().createDatabase(database))
                qFatal("no database %s", qPrintable(database));
            session->setServerAlias("DB_ZOMIR", ServerAddress::parse(testServer().connectionString(database)));
            for (const TableDef &def : schema())
                session->storage("DB_ZOMIR")->createTable(def);
            replaceTables(session.get(), "DB_ZOMIR", rows);
        }
        session->saveConfig();
    }
    QString db() const { return dir.filePath("DB"); }
    QStringList entries() const
    {
        return QDir(db()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                    QDir::Name);
    }
};

// Every table changed: its last row gone, and in every other row the first text or number
// after the key changed.
TableSet changed(TableSet set)
{
    for (TableRows &t : set) {
        const TableDef *def = findTable(t.fileName);
        if (!t.rows.isEmpty()) {
            t.rows.removeLast();
            t.rowids.removeLast();
        }
        for (QVector<QVariant> &row : t.rows) {
            for (int f = 0; f < def->fields.size(); ++f) {
                const FieldType type = def->fields[f].type;
                if (type == FieldType::String) {   // of the same length, within the field's size
                    const QString text = row[f].toString();
                    row[f] = QVariant(text.isEmpty() ? QStringLiteral("*") : QStringLiteral("*") + text.mid(1));
                    break;
                }
                if (type == FieldType::Float || type == FieldType::Money) {
                    row[f] = QVariant(row[f].toDouble() + 1);
                    break;
                }
            }
        }
    }
    return set;
}

bool sameRows(const TableRows &a, const TableRows &b)
{
    // Element by element: Qt's own comparison of two empty lists of numbers hands memcmp a null pointer.
    return a.fileName == b.fileName && a.rowids.size() == b.rowids.size() &&
           std::equal(a.rowids.cbegin(), a.rowids.cend(), b.rowids.cbegin()) && a.rows == b.rows;
}

// The child: replaces the tables by their changed rows, and may be killed on the way.
int childReplaces(const QString &configFile)
{
    try {
        Session session(configFile);
        replaceTables(&session, "DB_ZOMIR", changed(readTables(&session, "DB_ZOMIR", kTables)));
    } catch (const EngineError &e) {
        fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 2;
    }
    return 0;
}

}  // namespace

class TestTableSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data();
    void replacedRowsComeBackAndOpenTablesFollow();
    void refusedRowLeavesEverythingAsBefore();
    void killedAtEachStep_data();
    void killedAtEachStep();
    void interruptedWithoutJournalIsUndoneOnOpening();
    void contentFileRoundTrip();
    void contentFileRefusals_data();
    void contentFileRefusals();
    void suppliedOriginalsAreTheBuiltTables();
    void folderOfBeforeTheOriginalsSaysSo();
};

void TestTableSet::initTestCase_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("server") << "server";
}

void TestTableSet::replacedRowsComeBackAndOpenTablesFollow()
{
    Fixture fx;
    const TableSet before = readTables(fx.session.get(), "DB_ZOMIR", kTables);
    QCOMPARE(before.size(), 3);
    QVERIFY(before[0].rows.size() > 1);
    QCOMPARE(before[0].rows[0].size(), findTable("Hazak.DB")->fields.size());
    QCOMPARE(before[0].rows[0][5].typeId(), QMetaType::QByteArray);   // the picture's bytes

    Table houses(fx.session.get());
    houses.setAliasName("DB_ZOMIR");
    houses.setTableName("Hazak.DB");
    houses.open();
    houses.last();
    QSignalSpy resets(&houses, &Table::rowsReset);

    const TableSet after = changed(before);
    replaceTables(fx.session.get(), "DB_ZOMIR", after);
    const TableSet read = readTables(fx.session.get(), "DB_ZOMIR", kTables);
    for (int i = 0; i < after.size(); ++i)
        QVERIFY2(sameRows(read[i], after[i]), qPrintable(after[i].fileName));

    // The open table re-read its rows, and it writes to the new file.
    QCOMPARE(resets.count(), 1);
    QCOMPARE(houses.recordCount(), after[0].rows.size());
    houses.first();
    QCOMPARE(houses.fieldByName("Kategoria").asString(), after[0].rows[0][1].toString());
    houses.edit();
    houses.fieldByName("Kategoria").setValue(QStringLiteral("Tanya"));
    houses.post();
    QCOMPARE(readTables(fx.session.get(), "DB_ZOMIR", {"Hazak.DB"})[0].rows[0][1].toString(), QStringLiteral("Tanya"));

    // An empty table is a replacement too; a new row then gets a key after the highest.
    TableSet emptied = after;
    emptied[0].rows = {emptied[0].rows[0]};
    emptied[0].rowids = {emptied[0].rowids[0]};
    emptied[2].rows.clear();
    emptied[2].rowids.clear();
    replaceTables(fx.session.get(), "DB_ZOMIR", emptied);
    QCOMPARE(houses.recordCount(), 1);
    houses.append();
    houses.fieldByName("Kategoria").setValue(QStringLiteral("Új"));
    houses.fieldByName("Terulet").setValue(50);
    houses.fieldByName("Torleszto_reszlet").setValue(1000);
    houses.post();
    QVERIFY(houses.fieldByName("House_Key").asInteger() > emptied[0].rowids[0]);
    QCOMPARE(readTables(fx.session.get(), "DB_ZOMIR", {"adokulcs.db"})[0].rows.size(), 0);
    if (!onServer())
        QVERIFY(!fx.entries().contains("tablacsere-uj"));

    // A table being edited stops the replacement before anything changes.
    houses.edit();
    try {
        replaceTables(fx.session.get(), "DB_ZOMIR", before);
        QFAIL("an edit in progress must stop the replacement");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains("szerkesztés alatt"), qPrintable(e.message()));
    }
    houses.cancel();
    QCOMPARE(houses.recordCount(), 2);
}

void TestTableSet::refusedRowLeavesEverythingAsBefore()
{
    Fixture fx;
    const QStringList listed = fx.entries();
    const TableSet before = readTables(fx.session.get(), "DB_ZOMIR", kTables);
    TableSet after = changed(before);
    // The last table gets a row more, of the identity of its first: the storage refuses it.
    after[2] = before[2];
    after[2].rows.append(before[2].rows[0]);
    after[2].rowids.append(before[2].rowids[0]);
    const QString refusedRow = QStringLiteral("%1. sora").arg(after[2].rows.size());
    try {
        replaceTables(fx.session.get(), "DB_ZOMIR", after);
        QFAIL("a row of the same identity must be refused");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains("adokulcs.db") && e.message().contains(refusedRow), qPrintable(e.message()));
    }
    const TableSet read = readTables(fx.session.get(), "DB_ZOMIR", kTables);
    for (int i = 0; i < before.size(); ++i)
        QVERIFY2(sameRows(read[i], before[i]), qPrintable(before[i].fileName));
    if (!onServer())
        QCOMPARE(fx.entries(), listed);
}

void TestTableSet::killedAtEachStep_data()
{
    // The steps of both kinds, each row run on its own kind (the global row is not known here).
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("replaced");
    for (int n = 1; n <= 3; ++n)
        QTest::addRow("server: in the transaction, table %d", n) << "server" << QStringLiteral("tabla-%1").arg(n) << false;
    for (int n = 1; n <= 3; ++n)
        QTest::addRow("folder: new file %d made", n) << "folder" << QStringLiteral("uj-fajl-%1").arg(n) << false;
    QTest::newRow("folder: journal written") << "folder" << "naplo" << true;
    for (int n = 1; n <= 3; ++n) {
        QTest::addRow("folder: old file %d moved aside", n) << "folder" << QStringLiteral("regi-%1").arg(n) << true;
        QTest::addRow("folder: new file %d in place", n) << "folder" << QStringLiteral("uj-%1").arg(n) << true;
    }
    QTest::newRow("folder: every file in place") << "folder" << "athelyezve" << true;
    QTest::newRow("not killed") << "" << "" << true;
}

void TestTableSet::killedAtEachStep()
{
    QFETCH(QString, kind);
    QFETCH(QString, step);
    QFETCH(bool, replaced);
    if (!kind.isEmpty() && (kind == QLatin1String("server")) != onServer())
        QSKIP("a step of the other kind");
    Fixture fx;
    const QStringList listed = fx.entries();
    const TableSet before = readTables(fx.session.get(), "DB_ZOMIR", kTables);
    const TableSet after = changed(before);
    fx.session.reset();   // the child alone has the files open

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOMIR_TABLESET_CHILD", fx.configFile);
    env.insert("ZOMIR_TEST_STOP_AT", step);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    if (step.isEmpty()) {
        QCOMPARE(child.exitCode(), 0);
    } else {
#ifdef Q_OS_WIN
        // Ended by TerminateProcess, which Windows reports as an exit with its code.
        QCOMPARE(child.exitCode(), 9);
#else
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
#endif
    }

    // The next opening finishes or undoes it.
    Session again(fx.configFile);
    const TableSet read = readTables(&again, "DB_ZOMIR", kTables);
    const TableSet &expected = replaced ? after : before;
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(sameRows(read[i], expected[i]), qPrintable(expected[i].fileName));
    if (!onServer())
        QCOMPARE(fx.entries(), listed);
}

void TestTableSet::interruptedWithoutJournalIsUndoneOnOpening()
{
    if (onServer())
        QSKIP("a folder's journal");
    // A journal cut short (its last line missing) is no journal: the new files are dropped.
    Fixture fx;
    const QStringList listed = fx.entries();
    const TableSet before = readTables(fx.session.get(), "DB_ZOMIR", kTables);
    fx.session.reset();
    QDir(fx.db()).mkpath("tablacsere-uj");
    QVERIFY(QFile::copy(QDir(fx.db()).filePath("Hazak.DB"), QDir(fx.db()).filePath("tablacsere-uj/Hazak.DB")));
    QFile journal(QDir(fx.db()).filePath("tablacsere.naplo"));
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write("Hazak.DB\nszakma4.DB");
    journal.close();
    Session again(fx.configFile);
    const TableSet read = readTables(&again, "DB_ZOMIR", kTables);
    for (int i = 0; i < before.size(); ++i)
        QVERIFY(sameRows(read[i], before[i]));
    QCOMPARE(fx.entries(), listed);
}

void TestTableSet::contentFileRoundTrip()
{
    // Every content table exported, every table changed, imported: every figure as changed.
    Fixture fx;
    const TableSet before = readTables(fx.session.get(), "DB_ZOMIR", contentTables());
    QCOMPARE(before.size(), contentTables().size());
    ContentFile file{schemaVersion(), 2010, before};
    const ContentFile same = fromJson(toJson(file));
    QCOMPARE(same.year, 2010);
    QCOMPARE(same.tables.size(), before.size());
    for (int i = 0; i < before.size(); ++i)
        QVERIFY2(sameRows(same.tables[i], before[i]), qPrintable(before[i].fileName));

    file.tables = changed(before);
    const QByteArray json = toJson(file);
    QVERIFY(json.contains("\"House_Key\": 1, \"Kategoria\": "));   // rows by field name, in field order
    const ContentFile imported = fromJson(json);
    replaceTables(fx.session.get(), "DB_ZOMIR", imported.tables);
    const TableSet read = readTables(fx.session.get(), "DB_ZOMIR", contentTables());
    for (int i = 0; i < read.size(); ++i) {
        QVERIFY2(sameRows(read[i], file.tables[i]), qPrintable(read[i].fileName));
        QVERIFY2(!sameRows(read[i], before[i]), qPrintable(read[i].fileName));
    }
}

void TestTableSet::contentFileRefusals_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");   // JSON
    QTest::addColumn<QString>("message");
    QTest::newRow("text for a price") << "Elelmiszerek.DB" << 3 << "Atlagos_Ar" << "\"sok\""
                                      << "Elelmiszerek.DB, 3. sor, Átlagos ár: szám kell";
    QTest::newRow("price out of range") << "Elelmiszerek.DB" << 2 << "Atlagos_Ar" << "20000000"
                                        << "Elelmiszerek.DB, 2. sor, Átlagos ár: az érték (20000000 Ft) 0 Ft és 10000000 Ft között lehet.";
    QTest::newRow("text too long") << "Hazak.DB" << 1 << "Kategoria" << "\"Kétszintes családi ház kerttel\""
                                   << "Hazak.DB, 1. sor, Kategória: legfeljebb 25 karakter lehet, ez 30 karakter.";
    QTest::newRow("required missing") << "Hazak.DB" << 2 << "Kategoria" << "null"
                                      << "Hazak.DB, 2. sor, Kategória: a mező kitöltése kötelező.";
    QTest::newRow("fraction for a count") << "szakma4.DB" << 4 << "Gyerekszam" << "1.5"
                                          << "szakma4.DB, 4. sor, Gyerekszám: egész szám kell";
    QTest::newRow("picture not base64") << "Hobbi.db" << 1 << "Kep" << "\"@@@\""
                                        << "Hobbi.db, 1. sor, Kép: a kép nem érvényes base64 szöveg.";
    QTest::newRow("key given twice") << "Hazak.DB" << 2 << "House_Key" << "1"
                                     << "Hazak.DB, 2. sor, Azonosító: a(z) 1 azonosító már a(z) 1. sorban szerepel.";
    QTest::newRow("unknown field") << "Hazak.DB" << 1 << "Szin" << "\"piros\""
                                   << "Hazak.DB, 1. sor: ismeretlen mező: „Szin”.";
    QTest::newRow("truth as text") << "Adoev.DB" << 1 << "Meglepetes_be" << "\"igen\""
                                   << "Adoev.DB, 1. sor, A hónap meglepetése: igaz vagy hamis";
}

void TestTableSet::contentFileRefusals()
{
    if (onServer())
        QSKIP("the file alone");
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Fixture fx;
    const ContentFile file{schemaVersion(), 2010, readTables(fx.session.get(), "DB_ZOMIR", contentTables())};
    QJsonObject root = QJsonDocument::fromJson(toJson(file)).object();
    QJsonObject tables = root.value("tablak").toObject();
    QJsonArray rows = tables.value(table).toArray();
    QVERIFY(rows.size() >= row);
    QJsonObject object = rows[row - 1].toObject();
    object.insert(field, QJsonDocument::fromJson(("[" + value + "]").toUtf8()).array().first());
    rows[row - 1] = object;
    tables.insert(table, rows);
    root.insert("tablak", tables);
    try {
        fromJson(QJsonDocument(root).toJson());
        QFAIL("the value must be refused");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().startsWith(message), qPrintable(e.message()));
    }

    // The file as a whole: another schema version, another format, no JSON.
    static bool once = false;
    if (once)
        return;
    once = true;
    QJsonObject other = QJsonDocument::fromJson(toJson(file)).object();
    other.insert("semavaltozat", schemaVersion() + 1);
    try {
        fromJson(QJsonDocument(other).toJson());
        QFAIL("another schema version must be refused");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("a(z) %1. sémaváltozat szerint").arg(schemaVersion() + 1)) &&
                     e.message().contains(QStringLiteral("a(z) %1. sémaváltozatot ismeri").arg(schemaVersion())),
                 qPrintable(e.message()));
    }
    for (const QByteArray &text : {QByteArray("{\"formatum\": \"mas\", \"tablak\": {}}"), QByteArray("Hazak;1;Tanya")}) {
        try {
            fromJson(text);
            QFAIL("a file of another format must be refused");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("A fájl nem Zomir-tartalomfájl")), qPrintable(e.message()));
        }
    }
}

void TestTableSet::suppliedOriginalsAreTheBuiltTables()
{
    if (onServer())
        QSKIP("the content tool built the folder");
    Fixture fx;
    const ContentFile supplied = suppliedContent(fx.session.get(), "DB_ZOMIR");
    const TableSet built = readTables(fx.session.get(), "DB_ZOMIR", contentTables());
    QCOMPARE(supplied.year, 2010);
    QCOMPARE(supplied.tables.size(), built.size());
    for (int i = 0; i < built.size(); ++i)
        QVERIFY2(sameRows(supplied.tables[i], built[i]), qPrintable(built[i].fileName));
    // A teacher's change leaves them as supplied.
    replaceTables(fx.session.get(), "DB_ZOMIR", changed(built));
    QVERIFY(sameRows(suppliedContent(fx.session.get(), "DB_ZOMIR").tables[0], built[0]));
}

void TestTableSet::folderOfBeforeTheOriginalsSaysSo()
{
    if (onServer())
        QSKIP("a folder of an older program");
    // The folder as an older program left it: no table of the originals. Opened, it gets it empty.
    Fixture fx;
    fx.session.reset();
    QVERIFY(QFile::remove(QDir(fx.db()).filePath("Eredeti.db")));
    Session again(fx.configFile);
    QCOMPARE(readTables(&again, "DB_ZOMIR", {"Eredeti.db"}).first().rows.size(), 0);
    try {
        suppliedContent(&again, "DB_ZOMIR");
        QFAIL("a folder without its originals must say so");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Ez a munkamappa még az eredeti adatok megőrzése előtt készült: ")) &&
                     e.message().contains("zomir-data"),
                 qPrintable(e.message()));
    }
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("ZOMIR_TABLESET_CHILD")) {
        QCoreApplication app(argc, argv);
        return childReplaces(qEnvironmentVariable("ZOMIR_TABLESET_CHILD"));
    }
    testenv::isolateConfiguration();
    ZApplication app(argc, argv);
    TestTableSet tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_tableset.moc"
