// The table engine on both kinds of storage: real SQLite files in a temporary folder, and a
// real PostgreSQL server the test starts for itself. Every test runs once for each kind
// (the global data "folder" and "server"); a few concern one kind only.

#include "db/engine.h"
#include "tests/support/pgserver.h"
#include "db/schema.h"
#include "tests/support/testenv.h"
#include "tests/support/testserver.h"
#include "tests/support/tablerows.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QThread>
#include <QUuid>

#ifndef Q_OS_WIN   // the pooler runs on the host, beside the tests' server
#include "tests/support/pgbouncer.h"
#endif

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace zdb;
using tablerows::addCatalogueRow;

namespace {

PgServer *server() { return &testServer(); }

// Whether the running test is the one on the server.
bool onServer()
{
    QFETCH_GLOBAL(QString, kind);
    return kind == QLatin1String("server");
}

// The rows a table reads whole when opened, and then at a time: the tests run once with the
// engine's own limits and once with limits so small that their few rows come in pages.
void setReadLimitsOfTheRun()
{
    QFETCH_GLOBAL(int, pageRows);
    if (pageRows > 0)
        Table::setReadLimits(pageRows, pageRows);
    else
        Table::setReadLimits();
}

// Every table of the schema, empty, and a session whose alias points at them: a folder of
// files, or a database of its own on the server.
struct Fixture {
    QTemporaryDir dir;
    QString configFile;
    QString database;   // on the server
    std::unique_ptr<Session> session;

    Fixture()
    {
        static int databases = 0;
        configFile = dir.filePath("config/engine.ini");
        QDir().mkpath(dir.filePath("DB"));
        session = std::make_unique<Session>(configFile);
        if (onServer()) {
            database = QStringLiteral("engine_%1").arg(++databases);
            if (!server()->createDatabase(database))
                qFatal("no database %s: %s", qPrintable(database), qPrintable(server()->errorString()));
            session->setServerAlias("DB_ZOMIR", ServerAddress::parse(server()->connectionString(database)));
            for (const TableDef &def : schema())
                session->storage("DB_ZOMIR")->createTable(def);
        } else {
            for (const TableDef &def : schema())
                createTable(dir.filePath("DB"), def);
            session->addStandardAlias("DB_ZOMIR", dir.filePath("DB"));
        }
    }
    QString db() const { return dir.filePath("DB"); }

    std::unique_ptr<Table> table(const QString &file)
    {
        auto t = std::make_unique<Table>(session.get());
        t->setAliasName("DB_Zomir");
        t->setTableName(file);
        t->open();
        return t;
    }

    // The rows stored in a table, counted past the engine: in the file, or on the server.
    int countRows(const QString &file)
    {
        const TableDef *def = findTable(file);
        if (onServer()) {
            QString out;
            if (!server()->psql(QStringLiteral("SELECT count(*) FROM %1").arg(def->sqlName().toLower()),
                                "zomir_admin", database, &out))
                return -1;
            return out.trimmed().toInt();
        }
        const QString path = session->storage("DB_ZOMIR")->tablePath(*def);
        const QString name = QUuid::createUuid().toString();
        int n = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(path);
            db.open();
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(def->sqlName())) && q.next())
                n = q.value(0).toInt();
        }
        QSqlDatabase::removeDatabase(name);
        return n;
    }
};

void addPlayer(Table &t, const QString &name, int statusz = 0, int house = 1)
{
    t.append();
    t.fieldByName("Nev").setValue(name);
    t.fieldByName("Statusz").setValue(statusz);
    t.fieldByName("House_Key").setValue(house);
    t.post();
}

}  // namespace

class TestEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data();
    void init();
    void aliasesPersistAndIgnoreCase();
    void aliasSaveFailureIsAnError();
    void schemaTablesOpenWithTheirFields();
    void writeWatchSeesEveryPostAndDelete();
    void openToleratesFileNameCase();
    void navigationFlags();
    void appendEditDeleteCancel();
    void validationRefusesAndKeepsEditState_data();
    void validationRefusesAndKeepsEditState();
    void textSizesCountCharacters_data();
    void textSizesCountCharacters();
    void figuresOutsideTheirRangeAreRefused_data();
    void figuresOutsideTheirRangeAreRefused();
    void typedReads();
    void locateOneOrSeveralFields();
    void indexOrdersRowsAndNewRowsFallInPlace();
    void lookupFieldsFollowThePlayerRow();
    void deleteStatementBindsTheName();
    void sessionWorksFromTheTablesItIsGiven();
    void pictureFieldFromFile();
    void notificationsForBoundControls();
    void editGuardUndoesARefusedWrite_data();
    void editGuardUndoesARefusedWrite();
    void refusalsNameTheFieldByItsLabel();
    void rowsReadWithoutMoving();
    void rowsComeInPagesAsTheyAreReached();
    void anotherProgramWritesWhileRowsComeInPages();
    void anotherProgramsChangesAreSeen();
    void postOfARowAnotherProgramDeleted();
    void readOnlyTableRefusesEditsUpFront();
    void secondConnectionWaitsForTheLock();
    void postedRowsSurviveAKill();
    void serverAddresses_data();
    void serverAddresses();
    void rolesWriteOnlyWhatTheyMay_data();
    void rolesWriteOnlyWhatTheyMay();
    void transactionPoolerKeepsNothingOnTheConnection_data();
    void transactionPoolerKeepsNothingOnTheConnection();
    void throughAPgBouncerInTransactionMode_data();
    void throughAPgBouncerInTransactionMode();
    void storageTransactionThroughAPgBouncer();
    void serverLostAndBack();
    void rowsNotYetReadWhileTheServerIsLost();
    void serverRefusesTheLogin_data();
    void serverRefusesTheLogin();
};

void TestEngine::initTestCase_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("pageRows");
    QTest::newRow("folder") << "folder" << 0;
    QTest::newRow("server") << "server" << 0;
    QTest::newRow("folder, in pages of 2") << "folder" << 2;
    QTest::newRow("server, in pages of 2") << "server" << 2;
}

void TestEngine::init() { setReadLimitsOfTheRun(); }

void TestEngine::aliasesPersistAndIgnoreCase()
{
    if (onServer())
        QSKIP("the configuration file is the same for both kinds");
    QTemporaryDir dir;
    const QString config = dir.filePath("sub/engine.ini");
    {
        Session s(config);
        QVERIFY(!s.aliasExists("DB_ZOMIR"));
        s.addStandardAlias("DB_ZOMIR", dir.path());
        QVERIFY(s.aliasExists("db_zomir"));
        QVERIFY_THROWS_EXCEPTION(EngineError, s.addStandardAlias("DB_Zomir", dir.path()));
        s.saveConfig();
    }
    Session again(config);
    QVERIFY(again.aliasExists("DB_Zomir"));
    QCOMPARE(again.aliasPath("DB_ZOMIR"), QDir(dir.path()).absolutePath());
    QCOMPARE(again.aliasDriver("db_zomir"), QString("STANDARD"));
    QVERIFY_THROWS_EXCEPTION(EngineError, again.aliasPath("NINCS"));

    // The default configuration follows XDG_CONFIG_HOME, which the tests point elsewhere.
    QVERIFY(Session::defaultConfigFile().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
}

void TestEngine::aliasSaveFailureIsAnError()
{
    if (onServer())
        QSKIP("the configuration file is the same for both kinds");
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Session s(dir.filePath("file/engine.ini"));   // its folder would have to be a file
    s.addStandardAlias("DB_ZOMIR", dir.path());
    try {
        s.saveConfig();
        QFAIL("saving must fail");
    } catch (const EngineError &e) {
        QVERIFY(e.message().contains("nem menthetők"));
    }
}

void TestEngine::schemaTablesOpenWithTheirFields()
{
    Fixture fx;
    QCOMPARE(schema().size(), 15);   // the supplied originals and the utility's history came last
    for (const TableDef &def : schema()) {
        auto t = fx.table(def.fileName);
        QCOMPARE(t->recordCount(), 0);
        QVERIFY(t->bof() && t->eof());
        QCOMPARE(t->fieldCount(), def.fields.size());
        for (int i = 0; i < def.fields.size(); ++i)
            QCOMPARE(t->field(i).fieldName(), def.fields[i].name);
    }
    QCOMPARE(playerLookups().size(), 14);
    QCOMPARE(findTable("SZAKMA4.db")->fields.size(), 12);
    QCOMPARE(findTable("Jatekosok.DB")->indexes.first().name, QString("Jatekosok_Nev_Szerint"));
}

// The watcher of a table's writes: told before each write (and able to stop it) and after,
// with the row's identity and its stored values; a deleted row put back under its identity.
void TestEngine::writeWatchSeesEveryPostAndDelete()
{
    Fixture fx;
    auto t = fx.table("Elelmiszerek.DB");
    QList<RowWrite> seen;
    QList<RowWriteKind> asked;
    bool refuse = false;
    WriteWatch watch;
    watch.beforeWrite = [&](Table &, RowWriteKind kind) {
        asked.append(kind);
        if (refuse)
            throw EngineError(QStringLiteral("nem most"));
    };
    watch.afterWrite = [&](Table &, const RowWrite &w) { seen.append(w); };
    t->setWriteWatch(watch);
    const int price = t->fieldIndex("Atlagos_Ar");
    t->append();
    t->fieldByName("Kategoria").setValue(QStringLiteral("Tej"));
    t->fieldByName("Atlagos_Ar").setValue(289.0);
    t->post();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].kind, RowWriteKind::Insert);
    const qint64 id = seen[0].rowid;
    QCOMPARE(t->rowOfIdentity(id), t->currentRow());
    QCOMPARE(t->identityAt(t->currentRow()), id);
    QVERIFY(seen[0].before.isEmpty());
    QCOMPARE(seen[0].after.at(price).toDouble(), 289.0);
    QCOMPARE(seen[0].after.at(0).toLongLong(), id);   // the new key among the stored values

    t->edit();
    t->fieldByName("Atlagos_Ar").setValue(319.0);
    refuse = true;
    QVERIFY_THROWS_EXCEPTION(EngineError, t->post());
    QVERIFY(t->editing());   // refused before the write: nothing stored, the edit kept
    QCOMPARE(fx.table("Elelmiszerek.DB")->fieldByName("Atlagos_Ar").asFloat(), 289.0);
    refuse = false;
    t->post();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1].kind, RowWriteKind::Edit);
    QCOMPARE(seen[1].before.at(price).toDouble(), 289.0);
    QCOMPARE(seen[1].after.at(price).toDouble(), 319.0);

    t->deleteRecord();
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[2].kind, RowWriteKind::Delete);
    QCOMPARE(seen[2].rowid, id);
    QCOMPARE(seen[2].before.at(price).toDouble(), 319.0);
    QVERIFY(seen[2].after.isEmpty());
    QCOMPARE(t->rowOfIdentity(id), -1);
    QCOMPARE(asked, (QList<RowWriteKind>{RowWriteKind::Insert, RowWriteKind::Edit, RowWriteKind::Edit,
                                         RowWriteKind::Delete}));

    // Put back where it was: the same identity and key, on both kinds.
    t->append();
    t->setInsertIdentity(id);
    t->fieldByName("Kategoria").setValue(QStringLiteral("Tej"));
    t->fieldByName("Atlagos_Ar").setValue(319.0);
    t->post();
    QCOMPARE(seen.last().rowid, id);
    QCOMPARE(t->fieldByName("Food_Key").asInteger(), int(id));
    auto other = fx.table("Elelmiszerek.DB");
    QVERIFY(other->locate("Food_Key", id));
    QCOMPARE(other->fieldByName("Atlagos_Ar").asFloat(), 319.0);
    // The next new row still gets a new identity.
    t->append();
    t->fieldByName("Kategoria").setValue(QStringLiteral("Kenyer"));
    t->fieldByName("Atlagos_Ar").setValue(650.0);
    t->post();
    QVERIFY(seen.last().rowid != id);
}

void TestEngine::openToleratesFileNameCase()
{
    Fixture fx;
    if (onServer()) {
        // A table missing on the server is an error naming it; the table stays closed.
        QVERIFY(server()->psql("DROP TABLE hazak", "zomir_admin", fx.database));
        Table missing(fx.session.get());
        missing.setAliasName("DB_ZOMIR");
        missing.setTableName("Hazak.DB");
        try {
            missing.open();
            QFAIL("opening must fail");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains("hazak") && e.message().contains(QString::number(server()->port())),
                     qPrintable(e.message()));
        }
        QVERIFY(!missing.active());
        missing.close();
        return;
    }
    QVERIFY(QFile::rename(fx.dir.filePath("DB/Ruhazkodas.db"), fx.dir.filePath("DB/RUHAZKODAS.DB")));
    auto t = fx.table("Ruhazkodas.db");
    addCatalogueRow(*t, "Márkás", 9000);
    QCOMPARE(fx.countRows("Ruhazkodas.db"), 1);

    Table missing(fx.session.get());
    missing.setAliasName("DB_ZOMIR");
    missing.setTableName("Hazak.DB");
    QFile::remove(fx.dir.filePath("DB/Hazak.DB"));
    QVERIFY_THROWS_EXCEPTION(EngineError, missing.open());
    QVERIFY(!missing.active());
    missing.close();   // closing a closed table does nothing
}

void TestEngine::navigationFlags()
{
    Fixture fx;
    auto t = fx.table("Hobbi.db");
    for (const char *name : {"Macska", "Kutya", "Egér"})
        addCatalogueRow(*t, QString::fromUtf8(name), 1000);
    t->first();
    QVERIFY(t->bof());
    QCOMPARE(t->fieldByName("kategoria").asString(), QString("Macska"));
    t->prior();
    QVERIFY(t->bof());
    QCOMPARE(t->recNo(), 1);
    t->next();
    QVERIFY(!t->bof() && !t->eof());
    t->last();
    QVERIFY(t->eof());
    QCOMPARE(t->fieldByName("KATEGORIA").asString(), QString::fromUtf8("Egér"));
    t->next();
    QVERIFY(t->eof());
    QCOMPARE(t->recNo(), 3);
    QCOMPARE(t->recordCount(), 3);
    t->close();
    QVERIFY_THROWS_EXCEPTION(EngineError, t->next());
}

void TestEngine::appendEditDeleteCancel()
{
    Fixture fx;
    auto t = fx.table("Elelmiszerek.DB");
    addCatalogueRow(*t, "Takarékos", 20000);
    addCatalogueRow(*t, "Átlagos", 35000);
    QCOMPARE(t->fieldByName("Food_Key").asInteger(), 2);   // keys given on post

    t->first();
    t->edit();
    t->fieldByName("Atlagos_Ar").setValue(21000);
    QCOMPARE(t->state(), DataSetState::Edit);
    t->post();
    t->edit();
    t->fieldByName("Atlagos_Ar").setValue(1);
    t->cancel();
    QCOMPARE(t->fieldByName("Atlagos_Ar").asFloat(), 21000.0);

    t->append();
    t->edit();   // editing a row being appended keeps it new
    QCOMPARE(t->state(), DataSetState::Insert);
    t->cancel();
    QCOMPARE(t->recordCount(), 2);

    t->last();
    t->deleteRecord();
    QCOMPARE(t->recordCount(), 1);
    addCatalogueRow(*t, "Bőséges", 50000);
    QCOMPARE(t->fieldByName("Food_Key").asInteger(), 3);   // keys are never reused

    // Everything reached the file: a fresh table sees the same rows.
    auto again = fx.table("ELELMISZEREK.DB");
    QCOMPARE(again->recordCount(), 2);
    QCOMPARE(again->fieldByName("Atlagos_Ar").asFloat(), 21000.0);

    // Moving away from an edited row stores it, as data-bound forms expect.
    t->first();
    t->edit();
    t->fieldByName("Kategoria").setValue("Egyszerű");
    t->next();
    QCOMPARE(t->state(), DataSetState::Browse);
    again->refresh();
    QCOMPARE(again->fieldByName("Kategoria").asString(), QString::fromUtf8("Egyszerű"));
}

void TestEngine::validationRefusesAndKeepsEditState_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");
    QTest::addRow("required name empty") << "Jatekosok.DB" << "Nev" << QVariant(QString()) << "kötelező";
    QTest::addRow("name of 31 characters") << "Jatekosok.DB" << "Nev" << QVariant(QString(31, 'a'))
                                           << "legfeljebb 30";
    QTest::addRow("int16 above range") << "Jatekosok.DB" << "House_Key" << QVariant(32768) << "-32768 és 32767";
    QTest::addRow("int16 below range") << "Jatekosok.DB" << "Statusz" << QVariant(-32769) << "-32768 és 32767";
    QTest::addRow("int16 not a number") << "Jatekosok.DB" << "Job_Key" << QVariant("öt") << "nem egész";
    QTest::addRow("int16 fraction") << "Jatekosok.DB" << "Job_Key" << QVariant(2.5) << "nem egész";
    QTest::addRow("int32 above range") << "Jatekosok.DB" << "Clothing_Key" << QVariant(qint64(1) << 31)
                                       << "2147483647";
    QTest::addRow("money not a number") << "Jatekosok.DB" << "Netto_jov" << QVariant("sok") << "nem szám";
    QTest::addRow("date not a date") << "Jatekosok.DB" << "Datum" << QVariant("tegnap") << "nem dátum";
    QTest::addRow("clothing category of 21") << "Ruhazkodas.db" << "Kategoria" << QVariant(QString(21, 'x'))
                                             << "legfeljebb 20";
    QTest::addRow("price required") << "Ruhazkodas.db" << "Atlagos_Ar" << QVariant() << "kötelező";
}

void TestEngine::validationRefusesAndKeepsEditState()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, message);
    Fixture fx;
    auto t = fx.table(table);
    t->append();
    if (table == "Jatekosok.DB")
        t->fieldByName("Nev").setValue("Kiss Anna");
    else {
        t->fieldByName("Kategoria").setValue("Áruházi");
        t->fieldByName("Atlagos_Ar").setValue(10000);
    }
    t->fieldByName(field).setValue(value);
    try {
        t->post();
        QFAIL("post must be refused");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        QVERIFY2(e.message().contains(field), qPrintable(e.message()));
    }
    QCOMPARE(t->state(), DataSetState::Insert);
    QCOMPARE(fx.countRows(table), 0);

    // Mending the value lets the same row be stored.
    t->fieldByName(field).setValue(field == "Nev" ? QVariant("Kiss Anna") : (field == "Kategoria" ? QVariant("Áruházi") : QVariant(1)));
    if (field == "Datum")
        t->fieldByName(field).setValue(QDate(2010, 5, 1));
    t->post();
    QCOMPARE(fx.countRows(table), 1);
}

namespace {

// The bytes a text field holds in the storage, read past the engine: the SQLite file's own
// UTF-8, or the server's.
QByteArray storedBytes(Fixture &fx, const QString &file, const QString &field)
{
    const TableDef *def = findTable(file);
    if (onServer()) {
        QString out;
        if (!server()->psql(QStringLiteral("SELECT encode(convert_to(%1, 'UTF8'), 'hex') FROM %2")
                                .arg(field.toLower(), def->sqlName().toLower()),
                            "zomir_admin", fx.database, &out))
            return QByteArray("psql failed: ") + out.toUtf8();
        return QByteArray::fromHex(out.trimmed().toLatin1());
    }
    const QString name = QUuid::createUuid().toString();
    QByteArray bytes;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(fx.session->storage("DB_ZOMIR")->tablePath(*def));
        db.open();
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("SELECT hex(CAST(\"%1\" AS BLOB)) FROM \"%2\"").arg(field, def->sqlName())) &&
            q.next())
            bytes = QByteArray::fromHex(q.value(0).toString().toLatin1());
    }
    QSqlDatabase::removeDatabase(name);
    return bytes;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

QString repeated(const QString &text, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // U+1F600, a surrogate pair

}  // namespace

// A text field's size counts characters as a reader does: an emoji is one, however many
// UTF-16 units it takes. What is stored is valid UTF-8 in both kinds of storage.
void TestEngine::textSizesCountCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");   // empty: refused
    QTest::addRow("30 emoji") << repeated(kEmoji, 30) << repeated(kEmoji, 30);
    QTest::addRow("29 letters and an emoji") << QString(29, 'a') + kEmoji << QString(29, 'a') + kEmoji;
    QTest::addRow("accents and emoji") << QString::fromUtf8("Őrsi Ágnes ") + repeated(kEmoji, 19)
                                       << QString::fromUtf8("Őrsi Ágnes ") + repeated(kEmoji, 19);
    QTest::addRow("31 emoji") << repeated(kEmoji, 31) << QString();
    QTest::addRow("half of a pair at the end")
        << QStringLiteral("Kiss Anna") + kEmoji.left(1)
        << QStringLiteral("Kiss Anna") + QChar(QChar::ReplacementCharacter);
    QTest::addRow("half of a pair inside")
        << QStringLiteral("Kiss") + kEmoji.right(1) + QStringLiteral("Anna")
        << QStringLiteral("Kiss") + QChar(QChar::ReplacementCharacter) + QStringLiteral("Anna");
}

void TestEngine::textSizesCountCharacters()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    Fixture fx;
    auto players = fx.table("Jatekosok.DB");
    players->append();
    players->fieldByName("Nev").setValue(name);
    if (stored.isEmpty()) {
        try {
            players->post();
            QFAIL("post must be refused");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains("legfeljebb 30 karakter") && e.message().contains("31 karakteres"),
                     qPrintable(e.message()));
        }
        QCOMPARE(players->state(), DataSetState::Insert);
        QCOMPARE(fx.countRows("Jatekosok.DB"), 0);
        return;
    }
    players->post();
    QCOMPARE(players->fieldByName("Nev").asString(), stored);
    const QByteArray bytes = storedBytes(fx, "Jatekosok.DB", "Nev");
    QVERIFY2(isValidUtf8(bytes), bytes.toHex().constData());
    QCOMPARE(bytes, stored.toUtf8());
    auto again = fx.table("Jatekosok.DB");
    QCOMPARE(again->fieldByName("Nev").asString(), stored);
    QVERIFY(again->locate("Nev", stored, LocateOption::CaseInsensitive));

    // A lookup field cut to its size keeps a pair whole too.
    auto hobbies = fx.table("Hobbi.db");
    addCatalogueRow(*hobbies, QString(19, 'h') + kEmoji + QStringLiteral("zz"), 4000);
    again->addLookupField("Hobbi_kategoria", FieldType::String, 20, "Hobby_Key", hobbies.get(), "Hobby_Key",
                          "Kategoria");
    again->edit();
    again->fieldByName("Hobby_Key").setValue(1);
    again->post();
    QCOMPARE(again->fieldByName("Hobbi_kategoria").asString(), QString(19, 'h') + kEmoji);
}

// The figures of the catalogues and the professions lie in the ranges the schema gives
// them: a value outside is refused naming the field by its label and the range, and the
// row stays in its edit with the value typed.
void TestEngine::figuresOutsideTheirRangeAreRefused_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");   // empty: stored
    const QString money = QStringLiteral("0 és 10 000 000 Ft között");
    QTest::addRow("negative price") << "Elelmiszerek.DB" << "Atlagos_Ar" << QVariant(-500.0)
                                    << QStringLiteral("„Átlagos ár” (Atlagos_Ar) mező értéke ") + money;
    QTest::addRow("30-digit price typed")
        << "Kozlekedes.db" << "Atlagos_Ar" << QVariant(QStringLiteral("123456789012345678901234567890"))
        << money + QStringLiteral(" lehet; a megadott érték: 123456789012345678901234567890");
    QTest::addRow("30-digit price from a number field")
        << "Kozlekedes.db" << "Atlagos_Ar" << QVariant(123456789012345678901234567890.0)
        << money + QStringLiteral(" lehet; a megadott érték: egy 30 jegyű szám");
    QTest::addRow("price just above") << "Ruhazkodas.db" << "Atlagos_Ar" << QVariant(10000000.5)
                                      << money + QStringLiteral(" lehet; a megadott érték: 10 000 000,50");
    QTest::addRow("price at the top") << "Hobbi.db" << "Atlagos_Ar" << QVariant(10000000) << QString();
    QTest::addRow("price zero") << "Szorakozas.db" << "Atlagos_Ar" << QVariant(0) << QString();
    QTest::addRow("price with a fraction") << "Elelmiszerek.DB" << "Atlagos_Ar" << QVariant(12500.5) << QString();
    QTest::addRow("negative running cost") << "Hazak.DB" << "Rezsi" << QVariant(-1) << "„Rezsi” mező értéke " + money;
    QTest::addRow("instalment above") << "Hazak.DB" << "Torleszto_reszlet" << QVariant(QStringLiteral("20000000"))
                                      << "„Törlesztőrészlet” (Torleszto_reszlet) mező értéke " + money;
    QTest::addRow("area above") << "Hazak.DB" << "Terulet" << QVariant(10000.5)
                                << QStringLiteral("„Terület” (Terulet) mező értéke 0 és 10 000 m² között");
    QTest::addRow("area negative") << "Hazak.DB" << "Terulet" << QVariant(-1) << QStringLiteral("m² között");
    QTest::addRow("area at the top") << "Hazak.DB" << "Terulet" << QVariant(10000) << QString();
    QTest::addRow("lowest wage negative") << "szakma4.DB" << "Brutto_min" << QVariant(-1)
                                          << "„Bruttó (min)” (Brutto_min) mező értéke " + money;
    QTest::addRow("highest wage above") << "szakma4.DB" << "Brutto_max" << QVariant(1e29)
                                        << "„Bruttó (max)” (Brutto_max) mező értéke " + money;
    QTest::addRow("partner's net above") << "szakma4.DB" << "Hazastars_netto" << QVariant(10000001)
                                         << "„Házastárs nettó” (Hazastars_netto) mező értéke " + money;
    QTest::addRow("student loan negative") << "szakma4.DB" << "Hallgatoi_kolcson" << QVariant(-100) << money;
    QTest::addRow("eleven children") << "szakma4.DB" << "Gyerekszam" << QVariant(11)
                                     << QStringLiteral("„Gyerekszám” (Gyerekszam) mező értéke 0 és 10 között");
    QTest::addRow("children negative") << "szakma4.DB" << "Gyerekszam" << QVariant(-1) << QStringLiteral("0 és 10 között");
    QTest::addRow("ten children") << "szakma4.DB" << "Gyerekszam" << QVariant(10) << QString();
    QTest::addRow("wage with a fraction") << "szakma4.DB" << "Brutto_min" << QVariant(QStringLiteral("150000.5"))
                                          << QString();
}

void TestEngine::figuresOutsideTheirRangeAreRefused()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, message);
    Fixture fx;
    auto t = fx.table(table);
    // A valid row first, then an edit of it.
    t->append();
    if (table == "Hazak.DB") {
        t->fieldByName("Kategoria").setValue("Panel");
        t->fieldByName("Terulet").setValue(54);
        t->fieldByName("Torleszto_reszlet").setValue(45000);
    } else if (table == "szakma4.DB") {
        t->fieldByName("Szakma_nev").setValue("Kertész");
    } else {
        t->fieldByName("Kategoria").setValue("Átlagos");
        t->fieldByName("Atlagos_Ar").setValue(15000);
    }
    t->post();
    const QString before = t->fieldByName(field).asString();
    t->edit();
    t->fieldByName(field).setValue(value);
    if (message.isEmpty()) {
        t->post();
        QCOMPARE(t->fieldByName(field).asFloat(), QVariant(value).toDouble());
        return;
    }
    try {
        t->post();
        QFAIL("post must be refused");
    } catch (const EngineError &e) {
        QString text = e.message();
        text.replace(QChar(0x00A0), QLatin1Char(' '));   // the thousands are kept together
        QVERIFY2(text.contains(message), qPrintable(text));
    }
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(t->fieldByName(field).value(), value);   // the edit keeps what was typed
    auto again = fx.table(table);
    QCOMPARE(again->fieldByName(field).asString(), before);
}

void TestEngine::typedReads()
{
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    addPlayer(*t, "Nagy Béla", 0, 3);
    QVERIFY(t->fieldByName("Netto_jov").isNull());
    QVERIFY_THROWS_EXCEPTION(EngineError, t->fieldByName("Netto_jov").asInteger());
    QVERIFY_THROWS_EXCEPTION(EngineError, t->fieldByName("Brutto_jov").asFloat());
    QCOMPARE(t->fieldByName("Netto_jov").asString(), QString());
    QCOMPARE(t->fieldByName("house_key").asInteger(), 3);
    QVERIFY_THROWS_EXCEPTION(EngineError, t->fieldByName("Nincs_Ilyen"));
    QVERIFY_THROWS_EXCEPTION(EngineError, t->fieldByName("Nev").setValue("x"));   // not editing

    t->edit();
    t->fieldByName("Datum").setValue(QDate(2026, 12, 10));
    t->fieldByName("Brutto_jov").setValue(250000.0);
    t->fieldByName("Hazastars").setValue(true);
    t->post();
    QCOMPARE(t->fieldByName("Datum").asDate(), QDate(2026, 12, 10));
    QCOMPARE(t->fieldByName("Brutto_jov").asInteger(), 250000);
    QVERIFY(t->fieldByName("Hazastars").asBoolean());
    QVERIFY_THROWS_EXCEPTION(EngineError, t->fieldByName("Player_Key").setValue(5));
}

void TestEngine::locateOneOrSeveralFields()
{
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    addPlayer(*t, QString::fromUtf8("Őrsi Ágnes"), 1);
    addPlayer(*t, QString::fromUtf8("Őrsi Ágnes"), 0);
    addPlayer(*t, "Kovacs Peter", 0);
    t->first();

    QVERIFY(!t->locate("Nev", QString::fromUtf8("ŐRSI ÁGNES")));   // case matters without the option
    QCOMPARE(t->recNo(), 1);
    QVERIFY(t->locate("Nev", QString::fromUtf8("ŐRSI ÁGNES"), LocateOption::CaseInsensitive));
    QCOMPARE(t->fieldByName("Statusz").asInteger(), 1);
    QVERIFY(t->locate("Nev;Statusz", QVariantList{QString::fromUtf8("őrsi ágnes"), 0},
                      LocateOption::CaseInsensitive));
    QCOMPARE(t->fieldByName("Statusz").asInteger(), 0);
    const int here = t->recNo();
    QVERIFY(!t->locate("Nev;Statusz", QVariantList{"Kovacs Peter", 1}, LocateOption::CaseInsensitive));
    QCOMPARE(t->recNo(), here);
    QVERIFY(t->locate("Player_Key", "3"));   // numbers compare by value
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Kovacs Peter"));
    QVERIFY(!t->locate("Player_Key", "harom"));
    QVERIFY_THROWS_EXCEPTION(EngineError, t->locate("Nev;Statusz", "csak egy"));
}

void TestEngine::indexOrdersRowsAndNewRowsFallInPlace()
{
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    for (const char *name : {"Zoltán", "anna", "Béla", "Cecil"})
        addPlayer(*t, QString::fromUtf8(name));
    t->setIndexName("jatekosok_nev_szerint");
    const auto names = [&] {
        QStringList out;
        for (t->first(); ; t->next()) {
            out << t->fieldByName("Nev").asString();
            if (t->recNo() == t->recordCount())
                break;
        }
        return out;
    };
    QCOMPARE(names(), (QStringList{"anna", "Béla", "Cecil", "Zoltán"}));
    addPlayer(*t, "Balazs");
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Balazs"));
    QCOMPARE(t->recNo(), 2);
    t->setIndexFieldNames("Player_Key");
    QCOMPARE(names().first(), QString::fromUtf8("Zoltán"));
    t->setIndexName(QString());
    t->setIndexFieldNames(QString());
    QCOMPARE(names().last(), QString("Balazs"));
    QVERIFY_THROWS_EXCEPTION(EngineError, t->setIndexName("Nincs_Index"));
}

void TestEngine::lookupFieldsFollowThePlayerRow()
{
    Fixture fx;
    auto houses = fx.table("Hazak.DB");
    houses->append();
    houses->fieldByName("Kategoria").setValue("Panellakás");
    houses->fieldByName("Terulet").setValue(54.6);
    houses->fieldByName("Rezsi").setValue(32000);
    houses->fieldByName("Torleszto_reszlet").setValue(45000);
    houses->post();
    auto hobbies = fx.table("Hobbi.db");
    addCatalogueRow(*hobbies, "Macska", 4000);
    addCatalogueRow(*hobbies, "Horgászat és hajómodell", 7000);   // 23 characters

    auto players = fx.table("Jatekosok.DB");
    for (const LookupDef &lk : playerLookups()) {
        if (lk.sourceFile != "Hazak.DB" && lk.sourceFile != "Hobbi.db")
            continue;
        Table *source = lk.sourceFile == "Hazak.DB" ? houses.get() : hobbies.get();
        players->addLookupField(lk.name, lk.type, lk.size, lk.keyField, source, lk.sourceKeyField,
                                lk.resultField);
    }
    addPlayer(*players, "Első", 0, 1);
    players->edit();
    players->fieldByName("Hobby_Key").setValue(2);
    players->post();
    addPlayer(*players, "Második", 0, 7);
    players->edit();
    players->fieldByName("Hobby_Key").setValue(0);
    players->post();

    players->first();
    QCOMPARE(players->fieldByName("Haz_Kategoria").asString(), QString("Panellakás"));
    QCOMPARE(players->fieldByName("Haz_Terulet").asInteger(), 55);
    QCOMPARE(players->fieldByName("Haz_Torleszto_Reszlet").asFloat(), 45000.0);
    QCOMPARE(players->fieldByName("Hobbi_kategoria").asString(), QString("Horgászat és hajómod"));
    QCOMPARE(players->fieldByName("Hobbi_kategoria").asString().size(), 20);
    players->next();
    QVERIFY(players->fieldByName("Haz_Kategoria").isNull());   // no house 7
    QVERIFY(players->fieldByName("Hobbi_ar").isNull());        // mask 0 finds no row
    QVERIFY_THROWS_EXCEPTION(EngineError, players->fieldByName("Hobbi_ar").asFloat());
}

void TestEngine::deleteStatementBindsTheName()
{
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    const QStringList names{"Kiss \"Öcsi\" Péter", "O'Brien", "x\" or \"1\"=\"1", "Kiss", "O'Brien"};
    for (const QString &n : names)
        addPlayer(*t, n);

    Statement del(fx.session.get());
    del.setAliasName("DB_Zomir");
    const auto deleteName = [&](const QString &name) {
        del.clear();
        del.setSql("delete from Jatekosok where nev=:nev");
        del.bindValue(":nev", name);
        return del.execSql();
    };
    QCOMPARE(deleteName("x\" or \"1\"=\"1"), 1);
    QCOMPARE(deleteName("O'Brien"), 2);
    QCOMPARE(deleteName("Kiss \"Öcsi\" Péter"), 1);
    QCOMPARE(deleteName("Nobody"), 0);
    // The open table follows the statement.
    QCOMPARE(t->recordCount(), 1);
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Kiss"));

    del.clear();
    del.setSql("delete from Nincsilyen where a=1");
    QVERIFY_THROWS_EXCEPTION(EngineError, del.execSql());
    del.setSql("delete from Jatekosok where nincs_oszlop=1");
    QVERIFY_THROWS_EXCEPTION(EngineError, del.execSql());
}

// A session knows the tables it is given, not the game's: its tables, its statements and
// its storage work from those definitions alone.
void TestEngine::sessionWorksFromTheTablesItIsGiven()
{
    Fixture fx;
    TableDef notes;
    notes.fileName = "Jegyzet.DB";
    notes.fields = {FieldDef{"Sorszam", FieldType::AutoInc, 0, false, {}, {}},
                    FieldDef{"Szoveg", FieldType::String, 20, true, {}, {}}};
    notes.indexes = {IndexDef{"Jegyzet_Szoveg", {"Szoveg"}}};
    Session s(fx.dir.filePath("notes.ini"), {notes});
    if (onServer())
        s.setServerAlias("JEGYZET", ServerAddress::parse(server()->connectionString(fx.database)));
    else
        s.addStandardAlias("JEGYZET", fx.db());
    s.storage("JEGYZET")->createTable(notes);

    Table t(&s);
    t.setAliasName("JEGYZET");
    t.setTableName("jegyzet.db");
    t.open();
    for (const char *text : {"második", "első", "harmadik"}) {
        t.append();
        t.fieldByName("Szoveg").setValue(QString::fromUtf8(text));
        t.post();
    }
    t.setIndexName("Jegyzet_Szoveg");
    QCOMPARE(t.textAt(0, 1), QString("első"));

    // A delete names the rows it removed by the table's own key, so the open table drops
    // exactly that one.
    Statement del(&s);
    del.setAliasName("JEGYZET");
    del.setSql("delete from jegyzet where szoveg = :szoveg");
    del.bindValue(":szoveg", QString("második"));
    QSignalSpy removed(&t, &Table::rowsRemoved);
    QSignalSpy reset(&t, &Table::rowsReset);
    QCOMPARE(del.execSql(), 1);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(t.recordCount(), 2);
    QCOMPARE(t.textAt(1, 1), QString("harmadik"));

    // The game's tables are not this session's, though their files or rows are there.
    Table game(&s);
    game.setAliasName("JEGYZET");
    game.setTableName("Hazak.DB");
    QVERIFY_THROWS_EXCEPTION(EngineError, game.open());

    // Tables already named keep their definitions when the session's change; a table named
    // afterwards has none.
    s.setTableDefs({});
    t.first();
    t.edit();
    t.fieldByName("Szoveg").setValue(QString("negyedik"));
    t.post();
    t.refresh();
    QCOMPARE(t.recordCount(), 2);
    QCOMPARE(t.textAt(1, 1), QString("negyedik"));
    Table later(&s);
    later.setAliasName("JEGYZET");
    later.setTableName("Jegyzet.DB");
    QVERIFY_THROWS_EXCEPTION(EngineError, later.open());
}

void TestEngine::pictureFieldFromFile()
{
    Fixture fx;
    const QString bmp = fx.dir.filePath("kep.bmp");
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(bmp, "BMP"));
    auto t = fx.table("Szorakozas.db");
    t->append();
    t->fieldByName("Kategoria").setValue("Mozi");
    t->fieldByName("Atlagos_Ar").setValue(3000);
    t->fieldByName("Kep").loadFromFile(bmp);
    t->post();
    auto again = fx.table("Szorakozas.db");
    QImage back;
    QVERIFY(back.loadFromData(again->fieldByName("Kep").asBytes(), "BMP"));
    QCOMPARE(back.size(), QSize(20, 10));
    // Pictures are read on demand: editing another field of a fresh table keeps the picture.
    auto third = fx.table("Szorakozas.db");
    third->edit();
    third->fieldByName("Atlagos_Ar").setValue(3500);
    third->post();
    again->refresh();
    QVERIFY(back.loadFromData(again->fieldByName("Kep").asBytes(), "BMP"));
    QCOMPARE(back.size(), QSize(20, 10));

    t->edit();
    QVERIFY_THROWS_EXCEPTION(EngineError, t->fieldByName("Kep").loadFromFile(fx.dir.filePath("nincs.bmp")));
}

void TestEngine::notificationsForBoundControls()
{
    Fixture fx;
    auto t = fx.table("Kozlekedes.db");
    addCatalogueRow(*t, "Bérlet", 9500);
    addCatalogueRow(*t, "Kisautó", 60000);
    QSignalSpy moved(t.get(), &Table::currentChanged);
    QSignalSpy state(t.get(), &Table::stateChanged);
    QSignalSpy data(t.get(), &Table::dataChanged);
    QSignalSpy active(t.get(), &Table::activeChanged);
    t->first();
    QCOMPARE(moved.count(), 1);
    t->first();
    QCOMPARE(moved.count(), 1);   // no move, no notice
    t->edit();
    t->fieldByName("Atlagos_Ar").setValue(9800);
    QCOMPARE(state.count(), 1);
    QVERIFY(data.count() >= 1);
    t->post();
    QCOMPARE(state.count(), 2);
    t->close();
    QCOMPARE(active.count(), 1);
    QCOMPARE(active.first().first().toBool(), false);
}

void TestEngine::editGuardUndoesARefusedWrite_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addRow("new row without a name") << true << "Nev" << QVariant(QString());
    QTest::addRow("new row with a long name") << true << "Nev" << QVariant(QString(31, 'x'));
    QTest::addRow("edit with a bad key") << false << "House_Key" << QVariant("hat");
    QTest::addRow("edit emptying the name") << false << "Nev" << QVariant();
}

void TestEngine::editGuardUndoesARefusedWrite()
{
    QFETCH(bool, append);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    addPlayer(*t, "Kiss Anna", 0, 2);
    addPlayer(*t, "Nagy Béla", 0, 3);
    t->setIndexName("Jatekosok_Nev_Szerint");
    t->locate("Nev", "Nagy Béla");
    {
        EditGuard guard(t.get(), append ? EditGuard::Append : EditGuard::Edit);
        if (append)
            guard.set("Nev", "Új Játékos");
        guard.set("Statusz", 1);
        guard.set(field, value);
        QVERIFY_THROWS_EXCEPTION(EngineError, guard.commit());
        QVERIFY(!guard.committed());
    }
    // The table is as it was, and free to move and to locate.
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(t->recordCount(), 2);
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Nagy Béla"));
    QCOMPARE(t->fieldByName("Statusz").asInteger(), 0);
    t->first();
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Kiss Anna"));
    QVERIFY(t->locate("Nev", "NAGY BÉLA", LocateOption::CaseInsensitive));
    QCOMPARE(fx.countRows("Jatekosok.DB"), 2);

    // A guard that commits keeps its row.
    {
        EditGuard guard(t.get(), EditGuard::Append);
        guard.set("Nev", "Új Játékos");
        guard.commit();
    }
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Új Játékos"));
    QCOMPARE(fx.countRows("Jatekosok.DB"), 3);
}

void TestEngine::refusalsNameTheFieldByItsLabel()
{
    Fixture fx;
    auto t = fx.table("Hazak.DB");
    t->append();
    t->fieldByName("Terulet").setValue(50);
    t->fieldByName("Torleszto_reszlet").setValue(1000);
    try {
        t->post();
        QFAIL("post must be refused");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains("„Kategória”"), qPrintable(e.message()));
    }
    QCOMPARE(t->fieldByName("Kategoria").displayLabel(), QString("Kategória"));
    QCOMPARE(t->fieldByName("Rezsi").displayLabel(), QString("Rezsi"));   // none given: its name
    QCOMPARE(t->displayLabel(t->fieldIndex("House_Key")), QString("Azonosító"));
    auto tax = fx.table("jarulek.db");
    QCOMPARE(tax->fieldByName("Ajosszeg").displayLabel(), QString("Alsó jövedelemösszeg (Ft)"));
    QCOMPARE(tax->fieldByName("Ajkulcs").displayLabel(), QString("Ajkulcs"));
    QVERIFY(t->canModify());
    QVERIFY(t->isReadOnlyField(t->fieldIndex("House_Key")));
}

void TestEngine::rowsReadWithoutMoving()
{
    Fixture fx;
    auto houses = fx.table("Hazak.DB");
    houses->append();
    houses->fieldByName("Kategoria").setValue("Tanya");
    houses->fieldByName("Terulet").setValue(90);
    houses->fieldByName("Torleszto_reszlet").setValue(30000);
    houses->post();
    auto players = fx.table("Jatekosok.DB");
    const LookupDef &houseName = playerLookups().first();
    players->addLookupField(houseName.name, houseName.type, houseName.size, houseName.keyField, houses.get(),
                            houseName.sourceKeyField, houseName.resultField);
    addPlayer(*players, "Első", 0, 1);
    addPlayer(*players, "Második", 0, 9);
    players->first();
    QSignalSpy moved(players.get(), &Table::currentChanged);
    const int name = players->fieldIndex("Nev");
    const int lookup = players->fieldIndex(houseName.name);
    QCOMPARE(players->valueAt(1, name).toString(), QString("Második"));
    QCOMPARE(players->valueAt(0, lookup).toString(), QString("Tanya"));
    QVERIFY(players->valueAt(1, lookup).isNull());
    QVERIFY(players->valueAt(2, name).isNull());   // past the end
    QCOMPARE(players->textAt(0, players->fieldIndex("House_Key")), QString("1"));
    // An edit in progress does not show in the rows until it is posted.
    players->edit();
    players->fieldByName("Nev").setValue("Átírt");
    QCOMPARE(players->valueAt(0, name).toString(), QString("Első"));
    players->cancel();
    QCOMPARE(moved.count(), 0);
    QCOMPARE(players->recNo(), 1);
}

void TestEngine::rowsComeInPagesAsTheyAreReached()
{
    // Names whose order by name is not the order SQL would give them: both letter cases,
    // accented first letters, figures in text, the same name twice in two cases.
    const QStringList names{"Zoltán", "anna", "Béla", "Cecil", "ádám", "Ödön", "béla", "10 Egon", "9 Feri", "Éva"};
    Fixture fx;
    {
        auto fill = fx.table("Jatekosok.DB");
        for (int i = 0; i < names.size(); ++i)
            addPlayer(*fill, names[i], 0, i + 1);
    }
    const auto rowsOf = [](Table &t) {
        QStringList out;
        for (int r = t.recordCount() - 1; r >= 0; --r)   // from the end: the last page first
            out.prepend(t.textAt(r, t.fieldIndex("Nev")) + QLatin1Char('/') +
                        t.textAt(r, t.fieldIndex("House_Key")));
        return out;
    };
    const auto paged = [&fx](const QString &index = QString("Jatekosok_Nev_Szerint")) {
        Table::setReadLimits(3, 4);   // ten rows: read by their keys, then four at a time
        auto t = fx.table("Jatekosok.DB");
        t->setIndexName(index);
        return t;
    };
    // What a table read whole shows: the same rows in the same order.
    Table::setReadLimits();
    QStringList whole;
    {
        auto t = fx.table("Jatekosok.DB");
        t->setIndexName("Jatekosok_Nev_Szerint");
        whole = rowsOf(*t);
    }
    QCOMPARE(whole.size(), names.size());
    QCOMPARE(rowsOf(*paged()), whole);

    {   // The last row, counted and shown before any page was read.
        auto t = paged();
        QCOMPARE(t->recordCount(), names.size());
        t->last();
        QVERIFY(t->eof());
        QCOMPARE(t->recNo(), names.size());
        QCOMPARE(t->fieldByName("Nev").asString() + "/" + t->fieldByName("House_Key").asString(), whole.last());
    }
    {   // Located by a field the keys do not carry, beyond the pages read.
        auto t = paged();
        QVERIFY(t->locate("House_Key", 6));
        QCOMPARE(t->fieldByName("Nev").asString(), QString::fromUtf8("Ödön"));
        QVERIFY(t->locate("Nev;House_Key", QVariantList{"BÉLA", 7}, LocateOption::CaseInsensitive));
        QCOMPARE(t->fieldByName("Nev").asString(), QString::fromUtf8("béla"));
    }
    {   // An edit in a page not yet read writes the whole row back, not only its keys.
        auto t = paged();
        t->setRecNo(9);
        const QString row = whole[8];
        t->edit();
        t->fieldByName("Statusz").setValue(1);
        t->post();
        QCOMPARE(t->recNo(), 9);
        auto again = paged();
        QCOMPARE(rowsOf(*again), whole);
        QCOMPARE(again->valueAt(8, again->fieldIndex("Statusz")).toInt(), 1);
        QCOMPARE(again->valueAt(7, again->fieldIndex("Statusz")).toInt(), 0);
    }
    {   // A delete in a page not yet read; the row after it becomes current.
        auto t = paged();
        t->setRecNo(8);
        t->deleteRecord();
        QCOMPARE(t->recordCount(), names.size() - 1);
        QCOMPARE(fx.countRows("Jatekosok.DB"), names.size() - 1);
        QStringList expected = whole;
        expected.removeAt(7);
        QCOMPARE(t->fieldByName("Nev").asString() + "/" + t->fieldByName("House_Key").asString(), expected[7]);
        QCOMPARE(rowsOf(*t), expected);
        whole = expected;
    }
    {   // A new row falls in place among rows not yet read.
        auto t = paged();
        addPlayer(*t, "Dénes", 0, 20);
        QCOMPARE(t->recordCount(), names.size());
        QCOMPARE(t->valueAt(t->recNo() - 2, t->fieldIndex("Nev")).toString() + "/" +
                     t->valueAt(t->recNo() - 2, t->fieldIndex("House_Key")).toString(),
                 whole[t->recNo() - 2]);
        QCOMPARE(t->valueAt(t->recNo(), t->fieldIndex("Nev")).toString() + "/" +
                     t->valueAt(t->recNo(), t->fieldIndex("House_Key")).toString(),
                 whole[t->recNo() - 1]);
        // Another program's insert is seen by a refresh, and found.
        fx.session->saveConfig();
        Session otherSession(fx.configFile);
        Table theirs(&otherSession);
        theirs.setAliasName(gameAlias());
        theirs.setTableName("Jatekosok.DB");
        theirs.open();
        addPlayer(theirs, "Bence", 0, 21);
        t->refresh();
        QCOMPARE(t->recordCount(), names.size() + 1);
        QVERIFY(t->locate("Nev", "Bence"));
        QCOMPARE(t->fieldByName("House_Key").asInteger(), 21);
    }
    {   // Another order keeps the current row current, wherever it falls among rows not read.
        for (int recNo : {2, 7, 10}) {
            auto t = paged(QString());
            t->setRecNo(recNo);
            const QString current = t->fieldByName("Nev").asString() + "/" + t->fieldByName("House_Key").asString();
            t->setIndexName("Jatekosok_Nev_Szerint");
            QCOMPARE(t->fieldByName("Nev").asString() + "/" + t->fieldByName("House_Key").asString(), current);
            QCOMPARE(rowsOf(*t).indexOf(current), t->recNo() - 1);
        }
    }
    {   // Ordered by a field the keys were not read for: the keys are read again.
        auto t = paged(QString());
        t->setIndexFieldNames("House_Key");
        int previous = 0;
        for (int r = 0; r < t->recordCount(); ++r) {
            const int house = t->valueAt(r, t->fieldIndex("House_Key")).toInt();
            QVERIFY2(house > previous, qPrintable(QString::number(r)));
            previous = house;
        }
        QCOMPARE(t->valueAt(0, t->fieldIndex("Nev")).toString(), QString::fromUtf8("Zoltán"));
    }
}

void TestEngine::anotherProgramWritesWhileRowsComeInPages()
{
    // Another program inserts and deletes rows while this table has read only its first
    // page: what it shows until it reads again may be out of date, but a post of this
    // table's own writes the right row, and afterwards every row is there exactly once.
    Fixture fx;
    {
        auto fill = fx.table("Jatekosok.DB");
        for (int i = 0; i < 12; ++i)
            addPlayer(*fill, QStringLiteral("Játékos %1").arg(i, 2, 10, QLatin1Char('0')), 0, i + 1);
    }
    fx.session->saveConfig();
    Session otherSession(fx.configFile);
    Table theirs(&otherSession);
    theirs.setAliasName(gameAlias());
    theirs.setTableName("Jatekosok.DB");
    theirs.open();

    Table::setReadLimits(3, 4);
    auto t = fx.table("Jatekosok.DB");
    t->setIndexName("Jatekosok_Nev_Szerint");
    QCOMPARE(t->recordCount(), 12);
    QCOMPARE(t->fieldByName("Nev").asString(), QString::fromUtf8("Játékos 00"));

    addPlayer(theirs, "Aladár", 0, 40);   // first in the order: every later row moves down
    QVERIFY(theirs.locate("Nev", QString::fromUtf8("Játékos 11")));
    theirs.deleteRecord();
    QVERIFY(theirs.locate("Nev", QString::fromUtf8("Játékos 05")));
    theirs.deleteRecord();

    // Row 8 is read now, from the file as it is.
    t->setRecNo(8);
    const QString shown = t->fieldByName("Nev").asString();
    const int house = t->fieldByName("House_Key").asInteger();
    t->edit();
    t->fieldByName("Statusz").setValue(3);
    t->post();
    QCOMPARE(t->fieldByName("Nev").asString(), shown);

    const auto rowsOf = [](Table &table) {
        QStringList out;
        for (int r = 0; r < table.recordCount(); ++r)
            out << table.textAt(r, table.fieldIndex("Nev")) + QLatin1Char('/') +
                       table.textAt(r, table.fieldIndex("Statusz"));
        return out;
    };
    QStringList afterPost = rowsOf(*t);
    QCOMPARE(QSet<QString>(afterPost.begin(), afterPost.end()).size(), afterPost.size());
    t->first();   // reads the file again
    QCOMPARE(t->recordCount(), 11);
    Table::setReadLimits();
    auto whole = fx.table("Jatekosok.DB");
    whole->setIndexName("Jatekosok_Nev_Szerint");
    QCOMPARE(rowsOf(*t), rowsOf(*whole));
    QVERIFY(whole->locate("House_Key", house));
    QCOMPARE(whole->fieldByName("Nev").asString(), shown);
    QCOMPARE(whole->fieldByName("Statusz").asInteger(), 3);
    QCOMPARE(fx.countRows("Jatekosok.DB"), 11);
}

void TestEngine::anotherProgramsChangesAreSeen()
{
    // Two programs on one folder: each with its own engine session and connections.
    Fixture fx;
    fx.session->saveConfig();
    Session otherSession(fx.configFile);
    auto mine = fx.table("Jatekosok.DB");
    mine->setIndexName("Jatekosok_Nev_Szerint");
    Table theirs(&otherSession);
    theirs.setAliasName(gameAlias());
    theirs.setTableName("Jatekosok.DB");
    theirs.open();

    // One saves, the other finds it at its next locate.
    addPlayer(theirs, "Kiss Anna");
    QVERIFY(mine->locate("Nev;Statusz", QVariantList{"kiss anna", 0}, LocateOption::CaseInsensitive));
    QCOMPARE(mine->recordCount(), 1);

    // One deletes (the new game's statement), the other no longer finds it.
    Statement del(&otherSession);
    del.setAliasName(gameAlias());
    del.setSql("delete from Jatekosok where Nev = :nev");
    del.bindValue(":nev", "Kiss Anna");
    QCOMPARE(del.execSql(), 1);
    QVERIFY(!mine->locate("Nev", "Kiss Anna"));
    QCOMPARE(mine->recordCount(), 0);

    // Moving to the first row reads the file again too.
    addPlayer(theirs, "Nagy Béla");
    addPlayer(theirs, "Antal Ede");
    mine->first();
    QCOMPARE(mine->recordCount(), 2);
    QCOMPARE(mine->fieldByName("Nev").asString(), QString("Antal Ede"));

    // Without a change, nothing is read again: the rows are the same objects' worth.
    QSignalSpy reset(mine.get(), &Table::rowsReset);
    mine->first();
    mine->locate("Nev", "Nagy Béla");
    QCOMPARE(reset.count(), 0);
    // Its own posts are no change from another program either.
    addPlayer(*mine, "Cseh Cili");
    mine->first();
    QCOMPARE(reset.count(), 0);
}

void TestEngine::postOfARowAnotherProgramDeleted()
{
    Fixture fx;
    fx.session->saveConfig();
    Session otherSession(fx.configFile);
    auto mine = fx.table("Jatekosok.DB");
    addPlayer(*mine, "Kiss Anna");
    addPlayer(*mine, "Nagy Béla");
    addPlayer(*mine, "Tóth Teri");
    mine->locate("Nev", "Nagy Béla");

    Table theirs(&otherSession);
    theirs.setAliasName(gameAlias());
    theirs.setTableName("Jatekosok.DB");
    theirs.open();
    QVERIFY(theirs.locate("Nev", "Nagy Béla"));
    theirs.deleteRecord();
    addPlayer(theirs, "Új Ember");

    mine->edit();
    mine->fieldByName("Statusz").setValue(1);
    try {
        mine->post();
        QFAIL("the post must fail");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains("másik program") && e.message().contains("törölte"),
                 qPrintable(e.message()));
    }
    // Nothing else is lost: the table shows the file as it is and goes on working.
    QCOMPARE(mine->state(), DataSetState::Browse);
    QCOMPARE(mine->recordCount(), 3);
    QVERIFY(mine->locate("Nev", "Tóth Teri"));
    QVERIFY(mine->locate("Nev", "Új Ember"));
    QVERIFY(!mine->locate("Nev", "Nagy Béla"));
    QCOMPARE(fx.countRows("Jatekosok.DB"), 3);
    mine->edit();
    mine->fieldByName("Statusz").setValue(1);
    mine->post();
}

// What a program sees of a table it may read but not write: checked in a child process that
// runs as an unprivileged user, since file modes do not bind the super-user.
static int childChecksReadOnly(const QString &config)
{
#ifndef Q_OS_WIN
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
#endif
    Session session(config);
    Table t(&session);
    t.setAliasName(gameAlias());
    t.setTableName("Hobbi.db");
    t.open();
    QTextStream out(stdout);
    out << "rows " << t.recordCount() << "\n";
    out << "canModify " << (t.canModify() ? "yes" : "no") << "\n";
    for (const auto &attempt : {std::function<void()>([&] { t.edit(); }), std::function<void()>([&] { t.append(); }),
                                std::function<void()>([&] { t.deleteRecord(); })}) {
        try {
            attempt();
            out << "allowed\n";
        } catch (const EngineError &e) {
            out << "refused " << (e.message().contains("csak olvasható") ? "plainly" : "otherwise") << "\n";
        }
    }
    out << "state " << int(t.state()) << Qt::endl;
    return 0;
}

void TestEngine::readOnlyTableRefusesEditsUpFront()
{
    if (onServer())
        QSKIP("a server's rights are tested with the students' role");
#ifdef Q_OS_WIN
    QSKIP("file modes and an unprivileged child are Unix's");
#endif
    Fixture fx;
    fx.session->saveConfig();
    {
        auto t = fx.table("Hobbi.db");
        addCatalogueRow(*t, "Bélyeg", 2000);
        QVERIFY(t->canModify());
    }
    // Readable by everyone, writable by nobody but the owner (and not at all when the
    // test does not run as the super-user).
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner |
                          QFile::ExeGroup | QFile::ExeOther;
    for (const QString &folder : {fx.dir.path(), fx.db(), fx.dir.filePath("config")})
        QVERIFY(QFile::setPermissions(folder, readable));
    QVERIFY(QFile::setPermissions(fx.db() + "/Hobbi.db", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(fx.configFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZDB_READONLY_CHILD", fx.configFile);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(30000));
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    for (const QString &folder : {fx.dir.path(), fx.db(), fx.dir.filePath("config")})
        QFile::setPermissions(folder, readable | QFile::WriteOwner);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(output, QString("rows 1\ncanModify no\nrefused plainly\nrefused plainly\nrefused plainly\nstate 1\n"));
}

// Holds a write lock on a table file from another connection for a while.
class LockHolder : public QThread {
public:
    explicit LockHolder(QString path) : m_path(std::move(path)) {}
    QSemaphore locked;

protected:
    void run() override
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
            db.setDatabaseName(m_path);
            db.open();
            QSqlQuery q(db);
            q.exec("BEGIN IMMEDIATE");
            q.exec("INSERT INTO Hobbi (Kategoria, Atlagos_Ar) VALUES ('Ló', 30000)");
            locked.release();
            msleep(700);
            q.exec("COMMIT");
        }
        QSqlDatabase::removeDatabase("holder");
    }

private:
    QString m_path;
};

void TestEngine::secondConnectionWaitsForTheLock()
{
    if (onServer())
        QSKIP("file locking concerns the folder of files only");
    Fixture fx;
    auto t = fx.table("Hobbi.db");
    LockHolder holder(t->filePath());
    holder.start();
    holder.locked.acquire();
    addCatalogueRow(*t, "Halak", 2000);   // waits for the other writer instead of failing
    holder.wait();
    t->refresh();
    QCOMPARE(t->recordCount(), 2);
    QVERIFY(t->locate("Kategoria", QString::fromUtf8("Ló")));
}

void TestEngine::postedRowsSurviveAKill()
{
    Fixture fx;
    fx.session->saveConfig();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZDB_CHILD_CONFIG", fx.configFile);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    int posted = 0;
    while (posted < 25 && child.waitForReadyRead(10000)) {
        while (child.canReadLine())
            if (child.readLine().startsWith("posted"))
                ++posted;
    }
    QVERIFY(posted >= 25);
    child.kill();   // SIGKILL, possibly in the middle of a write
    child.waitForFinished();

    auto t = fx.table("Jatekosok.DB");
    QVERIFY(t->recordCount() >= posted);
    QVERIFY(t->locate("Nev", QString("Játékos %1").arg(posted)));
    if (onServer())
        return;
    const QString name = "integrity";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(t->filePath());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("PRAGMA integrity_check") && q.next());
        QCOMPARE(q.value(0).toString(), QString("ok"));
    }
    QSqlDatabase::removeDatabase(name);
}

void TestEngine::serverAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("parsed");   // ServerAddress::toString(), or the start of the refusal
    QTest::addRow("key=value") << "host=tanari-gep port=5433 dbname=zomir user=zomir_diak"
                               << "host=tanari-gep port=5433 dbname=zomir user=zomir_diak";
    QTest::addRow("defaults") << "dbname=zomir" << "host=localhost port=5432 dbname=zomir";
    QTest::addRow("quoted value") << "dbname='osztaly 9b' user=diak" << "host=localhost port=5432 dbname='osztaly 9b' user=diak";
    QTest::addRow("URI") << "postgresql://zomir_tanar@10.0.0.5:6543/zomir"
                         << "host=10.0.0.5 port=6543 dbname=zomir user=zomir_tanar";
    QTest::addRow("password refused") << "host=h dbname=z password=titok" << "!jelszót";
    QTest::addRow("password in URI refused") << "postgresql://u:titok@h/z" << "!jelszót";
    QTest::addRow("no database") << "host=h user=u" << "!adatbázis neve";
    QTest::addRow("bad port") << "dbname=z port=hetvenezer" << "!port";
    QTest::addRow("unknown key") << "dbname=z sslmode" << "!Érvénytelen";
    QTest::addRow("transaction pooler") << "host=h dbname=z user=u pooler=Transaction"
                                        << "host=h port=5432 dbname=z user=u pooler=transaction";
    QTest::addRow("transaction pooler in URI") << "postgresql://u@h:6432/z?pooler=transaction"
                                               << "host=h port=6432 dbname=z user=u pooler=transaction";
    QTest::addRow("session pooler is the default") << "dbname=z pooler=session" << "host=localhost port=5432 dbname=z";
    QTest::addRow("unknown pooler") << "dbname=z pooler=statement" << "!kapcsolatkezelő-mód";
}

void TestEngine::serverAddresses()
{
    if (!onServer())
        QSKIP("concerns the server kind");
    QFETCH(QString, text);
    QFETCH(QString, parsed);
    if (parsed.startsWith('!')) {
        try {
            ServerAddress::parse(text);
            QFAIL("must be refused");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains(parsed.mid(1)), qPrintable(e.message()));
        }
        return;
    }
    const ServerAddress a = ServerAddress::parse(text);
    QCOMPARE(a.toString(), parsed);
    QCOMPARE(ServerAddress::parse(a.toString()), a);

    // The alias keeps the server, never a password, and both programs find it again.
    QTemporaryDir dir;
    const QString config = dir.filePath("engine.ini");
    {
        Session s(config);
        s.addStandardAlias("DB_ZOMIR", dir.path());
        QVERIFY(pointAliasAtServer(s, {"zomir", "--server", text}));
    }
    Session again(config);
    QVERIFY(again.isServerAlias("db_zomir"));
    QCOMPARE(again.aliasServer("DB_ZOMIR"), a);
    QCOMPARE(again.aliasDriver("DB_ZOMIR"), QString("POSTGRES"));
    QVERIFY(!pointAliasAtServer(again, {"zomir"}));
    QVERIFY_THROWS_EXCEPTION(EngineError, pointAliasAtServer(again, {"zomir", "--server"}));
}

void TestEngine::rolesWriteOnlyWhatTheyMay_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("studentWritable");   // what the content tool lets the students write
    QTest::addColumn<bool>("writable");
    const QStringList players{"Jatekosok.DB"};
    const QStringList tables{"Hazak.DB", "Elelmiszerek.DB", "Ruhazkodas.db", "Kozlekedes.db", "Hobbi.db",
                             "Szorakozas.db", "szakma4.DB", "adokulcs.db", "jarulek.db", "gyerek.db"};
    for (const QString &t : tables)
        QTest::addRow("student, %s", qPrintable(t)) << "zomir_diak" << t << players << false;
    QTest::addRow("student, Jatekosok.DB") << "zomir_diak" << "Jatekosok.DB" << players << true;
    for (const QString &t : {QString("Hazak.DB"), QString("szakma4.DB"), QString("jarulek.db")})
        QTest::addRow("teacher, %s", qPrintable(t)) << "zomir_tanar" << t << players << true;
    // The students' tables are the ones named, in any letter case, and only those.
    QTest::addRow("student, Hobbi.db named") << "zomir_diak" << "Hobbi.db" << QStringList{"HOBBI.DB", "Jatekosok.DB"}
                                             << true;
    QTest::addRow("student, Jatekosok.DB not named") << "zomir_diak" << "Jatekosok.DB" << QStringList{"Hobbi.db"}
                                                     << false;
    QTest::addRow("teacher, Jatekosok.DB not named") << "zomir_tanar" << "Jatekosok.DB" << QStringList()
                                                     << true;
}

void TestEngine::rolesWriteOnlyWhatTheyMay()
{
    if (!onServer())
        QSKIP("rights are the server's");
    QFETCH(QString, role);
    QFETCH(QString, table);
    QFETCH(QStringList, studentWritable);
    QFETCH(bool, writable);
    Fixture fx;
    const TableDef *def = findTable(table);
    // One row in the table, written by the owner.
    {
        auto t = fx.table(table);
        t->append();
        for (const FieldDef &f : def->fields) {
            if (f.type == FieldType::String || f.type == FieldType::Memo)
                t->fieldByName(f.name).setValue("Eredeti");
            else if (isNumeric(f.type) && f.type != FieldType::AutoInc)
                t->fieldByName(f.name).setValue(7);
        }
        t->post();
    }
    fx.session->storage("DB_ZOMIR")->grantRoles("zomir_diak", "zomir_tanar", schema(), studentWritable);
    const QString numberField = [&] {
        for (const FieldDef &f : def->fields)
            if (isNumeric(f.type) && f.type != FieldType::AutoInc)
                return f.name;
        return QString();
    }();

    Session pc(fx.dir.filePath("pc.ini"));
    pc.setServerAlias("DB_ZOMIR", ServerAddress::parse(server()->connectionString(fx.database, role)));
    Table t(&pc);
    t.setAliasName("DB_ZOMIR");
    t.setTableName(table);
    t.open();
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.canModify(), writable);

    Statement update(&pc);
    update.setAliasName("DB_ZOMIR");
    update.setSql(QStringLiteral("update %1 set \"%2\" = 99").arg(def->sqlName(), numberField.toLower()));
    Statement remove(&pc);
    remove.setAliasName("DB_ZOMIR");
    remove.setSql(QStringLiteral("delete from %1").arg(def->sqlName()));
    if (writable) {
        t.edit();
        t.fieldByName(numberField).setValue(8);
        t.post();
        QCOMPARE(update.execSql(), 1);
        QCOMPARE(remove.execSql(), 1);
        QCOMPARE(fx.countRows(table), 0);
        return;
    }
    // Refused before anything starts through the tables, by the server through statements.
    const auto refused = [](const std::function<void()> &attempt, const char *words) {
        try {
            attempt();
            return QStringLiteral("allowed");
        } catch (const EngineError &e) {
            return e.message().contains(QString::fromUtf8(words)) ? QStringLiteral("refused") : e.message();
        }
    };
    QCOMPARE(refused([&] { t.edit(); }, "csak olvasni"), QString("refused"));
    QCOMPARE(refused([&] { t.append(); }, "csak olvasni"), QString("refused"));
    QCOMPARE(refused([&] { t.deleteRecord(); }, "csak olvasni"), QString("refused"));
    QCOMPARE(refused([&] { update.execSql(); }, "megtagadta"), QString("refused"));
    QCOMPARE(refused([&] { remove.execSql(); }, "megtagadta"), QString("refused"));
    QCOMPARE(t.state(), DataSetState::Browse);
    // Nothing changed on the server.
    QString out;
    QVERIFY(server()->psql(QStringLiteral("SELECT count(*), sum(\"%1\") FROM %2").arg(numberField.toLower(), def->sqlName().toLower()),
                           "zomir_admin", fx.database, &out));
    QCOMPARE(out.trimmed(), QString("1|7"));
}

namespace {

// Posts, an edit, a locate and a re-read of the players' table through `session`: what a
// game does, on every kind of statement the engine keeps or prepares.
void playOneGame(Session &session, const QString &name)
{
    Table t(&session);
    t.setAliasName("DB_ZOMIR");
    t.setTableName("Jatekosok.DB");
    t.open();
    addPlayer(t, name);
    t.edit();
    t.fieldByName("Statusz").setValue(1);
    t.post();
    addPlayer(t, name + " 2");
    QVERIFY(t.locate("Nev", name, LocateOption::CaseInsensitive));
    t.refresh();
    QCOMPARE(t.fieldByName("Statusz").asInteger(), 1);
}

// The server connections of `database` other than psql's own that are inside a transaction.
int connectionsInATransaction(const QString &database)
{
    QString out;
    if (!server()->psql(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE datname = '%1' AND "
                                       "pid <> pg_backend_pid() AND xact_start IS NOT NULL")
                            .arg(database),
                        "zomir_admin", "postgres", &out))
        return -1;
    return out.toInt();
}

}  // namespace

void TestEngine::transactionPoolerKeepsNothingOnTheConnection_data()
{
    QTest::addColumn<bool>("pooler");
    QTest::addRow("kept by default") << false;
    QTest::addRow("pooler=transaction") << true;
}

// Through a transaction-mode pooler nothing outlives a transaction on the connection: no
// prepared statement stays, no transaction is left open; by default the engine keeps its
// prepared statements, and the alias's settings keep the key.
void TestEngine::transactionPoolerKeepsNothingOnTheConnection()
{
    if (!onServer())
        QSKIP("concerns the server kind");
    QFETCH(bool, pooler);
    Fixture fx;
    ServerAddress address = ServerAddress::parse(server()->connectionString(fx.database));
    address.transactionPooler = pooler;
    {
        Session writer(fx.configFile);
        writer.setServerAlias("DB_ZOMIR", address);
        writer.saveConfig();
    }
    Session session(fx.configFile);
    QCOMPARE(session.aliasServer("DB_ZOMIR").transactionPooler, pooler);
    playOneGame(session, "Kiss Anna");
    if (QTest::currentTestFailed())
        return;

    const std::shared_ptr<Storage> storage = session.storage("DB_ZOMIR");
    bool canModify = false;
    const QString connection = storage->openTable(*findTable("Jatekosok.DB"), &canModify);
    int kept = -1;
    storage->run(connection, "prepared statements", true, [&](QSqlQuery &q) {
        if (!q.exec("SELECT count(*) FROM pg_prepared_statements") || !q.next())
            return false;
        kept = q.value(0).toInt();
        return true;
    });
    if (pooler)
        QCOMPARE(kept, 0);
    else
        QVERIFY2(kept > 0, "by default the engine keeps what it prepared");
    QCOMPARE(connectionsInATransaction(fx.database), 0);
    storage->closeTable(connection);
    QCOMPARE(fx.countRows("Jatekosok.DB"), 2);
}

void TestEngine::throughAPgBouncerInTransactionMode_data()
{
    QTest::addColumn<bool>("pooler");
    QTest::addRow("default: kept statements lost") << false;
    QTest::addRow("pooler=transaction") << true;
}

// Two programs' sessions through PgBouncer in transaction mode with one server connection,
// which another client's DEALLOCATE ALL (a reset between its transactions) also reaches:
// with the key, the posts and reads of both go through and see each other's rows; without
// it, a post after the reset fails with the server's message.
void TestEngine::throughAPgBouncerInTransactionMode()
{
#ifdef Q_OS_WIN
    QSKIP("PgBouncer runs on the host, beside the tests' server");
#else
    if (!onServer())
        QSKIP("concerns the server kind");
    if (!PgBouncer::available())
        QSKIP("pgbouncer is not installed (scripts/setup.sh installs it)");
    QFETCH(bool, pooler);
    Fixture fx;
    PgBouncer bouncer(*server());
    QString error;
    QVERIFY2(bouncer.start(PgBouncer::Transaction, 1, &error), qPrintable(error));
    const QString through = bouncer.connectionString(fx.database, "zomir_admin")
                            + (pooler ? QStringLiteral(" pooler=transaction") : QString());
    QTemporaryDir dir;
    Session first(dir.filePath("first.ini"));
    Session second(dir.filePath("second.ini"));
    first.setServerAlias("DB_ZOMIR", ServerAddress::parse(through));
    second.setServerAlias("DB_ZOMIR", ServerAddress::parse(through));

    Table a(&first);
    a.setAliasName("DB_ZOMIR");
    a.setTableName("Jatekosok.DB");
    a.open();
    addPlayer(a, "Kiss Anna");
    QVERIFY2(bouncer.psql("DEALLOCATE ALL", fx.database, "zomir_admin", &error), qPrintable(error));
    if (!pooler) {
        try {
            addPlayer(a, "Nagy Béla");
            QFAIL("a statement kept on the server connection is gone after the reset");
        } catch (const EngineError &e) {
            QVERIFY2(e.message().contains("does not exist"), qPrintable(e.message()));
        }
        return;
    }
    addPlayer(a, "Nagy Béla");
    playOneGame(second, "Tóth Cili");
    if (QTest::currentTestFailed())
        return;
    a.refresh();
    QCOMPARE(a.recordCount(), 4);
    QVERIFY(a.locate("Nev", "Tóth Cili 2", LocateOption::None));
    QCOMPARE(fx.countRows("Jatekosok.DB"), 4);
    QCOMPARE(connectionsInATransaction(fx.database), 0);
#endif
}

// The storage's own transactions (the bin's restore) through PgBouncer in transaction mode
// with the pooler key: the restore is whole and leaves no transaction open on the pool's one
// server connection, which the next statement of another client then gets.
void TestEngine::storageTransactionThroughAPgBouncer()
{
#ifdef Q_OS_WIN
    QSKIP("PgBouncer runs on the host, beside the tests' server");
#else
    if (!onServer())
        QSKIP("concerns the server kind");
    if (!PgBouncer::available())
        QSKIP("pgbouncer is not installed (scripts/setup.sh installs it)");
    Fixture fx;
    fx.session->storage("DB_ZOMIR")->grantRoles("zomir_diak", "zomir_tanar", schema(), {"Jatekosok.DB"});
    {
        auto t = fx.table("Jatekosok.DB");
        addPlayer(*t, "Kiss Anna");
        addPlayer(*t, "Nagy Béla");
        addPlayer(*t, "Tóth Cili");
        for (const char *name : {"Kiss Anna", "Nagy Béla"}) {
            QVERIFY(t->locate("Nev", QString::fromUtf8(name), LocateOption::None));
            t->deleteRecord();
        }
    }
    QCOMPARE(fx.countRows("Jatekosok.DB"), 1);
    PgBouncer bouncer(*server());
    QString error;
    QVERIFY2(bouncer.start(PgBouncer::Transaction, 1, &error), qPrintable(error));
    QTemporaryDir dir;
    Session teacher(dir.filePath("teacher.ini"));
    teacher.setServerAlias("DB_ZOMIR", ServerAddress::parse(bouncer.connectionString(fx.database, "zomir_tanar")
                                                            + " pooler=transaction"));
    const std::shared_ptr<Storage> storage = teacher.storage("DB_ZOMIR");
    const TableDef &def = *findTable("Jatekosok.DB");
    QList<qint64> ids;
    for (const DeletedRow &row : storage->deletedRows(def, {"Nev"}))
        ids << row.id;
    QCOMPARE(ids.size(), 2);
    QCOMPARE(storage->restoreDeletedRows(def, ids), 2);
    QCOMPARE(connectionsInATransaction(fx.database), 0);
    QVERIFY2(bouncer.psql("SELECT count(*) FROM jatekosok", fx.database, "zomir_admin", &error), qPrintable(error));
    QCOMPARE(error.section('\n', 1, 1).trimmed(), QString("3"));
    QVERIFY(storage->deletedRows(def, {"Nev"}).isEmpty());
#endif
}

void TestEngine::serverLostAndBack()
{
    if (!onServer())
        QSKIP("concerns the server kind");
    Fixture fx;
    auto t = fx.table("Jatekosok.DB");
    addPlayer(*t, "Kiss Anna");
    const QString serverName = QStringLiteral("127.0.0.1:%1/%2").arg(server()->port()).arg(fx.database);

    server()->kill();
    // The game goes on: the post says the server is lost and keeps the row being written.
    t->append();
    t->fieldByName("Nev").setValue("Nagy Béla");
    try {
        t->post();
        QFAIL("the post must fail while the server is down");
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(serverName) && e.message().contains("nem érhető el"), qPrintable(e.message()));
    }
    QCOMPARE(t->state(), DataSetState::Insert);
    QCOMPARE(t->fieldByName("Nev").asString(), QString("Nagy Béla"));
    QVERIFY_THROWS_EXCEPTION(EngineError, [&] {
        Table other(fx.session.get());
        other.setAliasName("DB_ZOMIR");
        other.setTableName("Hazak.DB");
        other.open();
    }());

    // Back again: the same post goes through on a new connection; nothing was lost.
    QVERIFY2(server()->restart(), qPrintable(server()->errorString()));
    t->post();
    QCOMPARE(fx.countRows("Jatekosok.DB"), 2);
    QVERIFY(t->locate("Nev", "kiss anna", LocateOption::CaseInsensitive));
    auto again = fx.table("Jatekosok.DB");
    QCOMPARE(again->recordCount(), 2);
}

void TestEngine::rowsNotYetReadWhileTheServerIsLost()
{
    if (!onServer())
        QSKIP("concerns the server kind");
    Fixture fx;
    {
        auto fill = fx.table("Jatekosok.DB");
        for (int i = 1; i <= 6; ++i)
            addPlayer(*fill, QStringLiteral("Játékos %1").arg(i), 0, i);
    }
    Table::setReadLimits(2, 2);
    auto t = fx.table("Jatekosok.DB");
    const int name = t->fieldIndex("Nev");
    QCOMPARE(t->valueAt(0, name).toString(), QString("Játékos 1"));

    server()->kill();
    // A grid painting rows not yet read shows them empty; nothing is thrown at it.
    QVERIFY(t->valueAt(5, name).isNull());
    QCOMPARE(t->displayTextAt(4, name), QString());
    QCOMPARE(t->recordCount(), 6);
    // An edit of such a row says that the server is lost, and leaves the row unchanged.
    t->setRecNo(6);
    QVERIFY_THROWS_EXCEPTION(EngineError, t->edit());
    QCOMPARE(t->state(), DataSetState::Browse);

    QVERIFY2(server()->restart(), qPrintable(server()->errorString()));
    t->refresh();
    QCOMPARE(t->valueAt(5, name).toString(), QString("Játékos 6"));
    t->setRecNo(6);
    t->edit();
    t->fieldByName("Statusz").setValue(1);
    t->post();
    auto again = fx.table("Jatekosok.DB");
    QCOMPARE(again->valueAt(5, again->fieldIndex("House_Key")).toInt(), 6);
    QCOMPARE(again->valueAt(5, again->fieldIndex("Statusz")).toInt(), 1);
}

void TestEngine::serverRefusesTheLogin_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("role");
    QTest::addRow("unknown role") << "postgres" << "nincs_ilyen";
    QTest::addRow("unknown database") << "nincs_ilyen_adatbazis" << "zomir_admin";
}

void TestEngine::serverRefusesTheLogin()
{
    if (!onServer())
        QSKIP("concerns the server kind");
    QFETCH(QString, database);
    QFETCH(QString, role);
    QTemporaryDir dir;
    Session s(dir.filePath("engine.ini"));
    s.setServerAlias("DB_ZOMIR", ServerAddress::parse(server()->connectionString(database, role)));
    Table t(&s);
    t.setAliasName("DB_ZOMIR");
    t.setTableName("Hazak.DB");
    try {
        t.open();
        QFAIL("the login must be refused");
    } catch (const EngineError &e) {
        // Not "unreachable": the server answered, and the message says what to look at.
        QVERIFY2(e.message().contains("nem engedte be") && e.message().contains(role) &&
                     e.message().contains(".pgpass"),
                 qPrintable(e.message()));
    }
    QVERIFY(!t.active());
}

// The child of postedRowsSurviveAKill: posts rows until it is killed.
static int childPostsForever(const QString &config)
{
    Session session(config);
    Table t(&session);
    t.setAliasName("DB_ZOMIR");
    t.setTableName("Jatekosok.DB");
    t.open();
    QTextStream out(stdout);
    for (int i = 1;; ++i) {
        addPlayer(t, QString("Játékos %1").arg(i));
        out << "posted " << i << Qt::endl;
    }
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("ZDB_READONLY_CHILD")) {
        QCoreApplication app(argc, argv);
        return childChecksReadOnly(qEnvironmentVariable("ZDB_READONLY_CHILD"));
    }
    if (qEnvironmentVariableIsSet("ZDB_CHILD_CONFIG")) {
        QCoreApplication app(argc, argv);
        return childPostsForever(qEnvironmentVariable("ZDB_CHILD_CONFIG"));
    }
    testenv::isolateConfiguration();
    ZApplication app(argc, argv);
    TestEngine tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_engine.moc"
