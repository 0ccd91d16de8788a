// The teacher's results page of the maintenance window over a small class of games: the
// CSV text itself, the names the keys resolve to, sorting by a header click, reading again
// on request, and saving the list through the save dialog.

#include "maintenance/Unit1.h"
#include "maintenance/classview.h"
#include "db/engine.h"
#include "tests/support/pgserver.h"
#include "maintenance/results.h"
#include "maintenance/resultsmodel.h"
#include "tests/support/shellfixture.h"
#include "db/storage.h"
#include "tests/support/testenv.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

#include <memory>

using namespace zdb;
using results::GameResult;

Q_DECLARE_METATYPE(results::GameResult)

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader = QString::fromUtf8("Név;Dátum;Szakma;Bruttó bér;Család nettó jövedelme;Lakás;Étkezés;"
                                             "Ruházkodás;Közlekedés;Hobbi;Szórakozás;Befejezve\r\n")
                               .toUtf8();

struct StoredGame {
    const char *name;
    QDate date;
    int job;
    int house;
    int hobbyMask;
    int entertainmentMask;
    QVariant gross;
    QVariant net;
    int statusz;
};

}  // namespace

class TestResults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void csvLine_data();
    void csvLine();
    void pageListsEveryGameByNames();
    void headerClickSorts_data();
    void headerClickSorts();
    void readAgainOnlyOnRequest();
    void csvSavedInTheShownOrder();
    void csvDialogStartsInTheDocumentsFolder();
    void unwritableTargetLeavesNoFile_data();
    void unwritableTargetLeavesNoFile();
    void missingPlayersTableShowsTheError();
    void classroomServer();
    void classAtAGlanceCountsTheRows();
    void classOutcomes_data();
    void classOutcomes();

private:
    void addGame(const StoredGame &g);
    static void storeGame(Table &players, const StoredGame &g);
    void openPage();
    QStringList shownNames() const;
    ScriptedDialogs *appDialogs() { return static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs()); }

    std::unique_ptr<shellfixture::WorkFolder> m_folder;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TZomir0001> m_window;
    ScriptedDialogs m_dialogs;
    QTemporaryDir m_files;
};

void TestResults::init()
{
    m_folder = std::make_unique<shellfixture::WorkFolder>();
    m_folder->addCatalogueRow("Hazak.DB", "Garzon", 52000);
    m_folder->addCatalogueRow("Hazak.DB", u("Családi ház"), 95000);
    for (const char *file : {"Kozlekedes.db", "Elelmiszerek.DB", "Ruhazkodas.db", "Hobbi.db", "Szorakozas.db"}) {
        m_folder->addCatalogueRow(file, "Egy", 1000);
        m_folder->addCatalogueRow(file, u("Kettő"), 2000);
    }
    m_folder->addProfession(u("Ács"), 150000, 250000, 2);
    m_folder->addProfession(u("Bolti eladó"), 90000, 180000, 1);
    // Ábel's profession, house and hobby were deleted from the catalogues since.
    addGame({"Őrsi Péter", QDate(2026, 3, 2), 1, 2, 0b11, 0b10, 185000.0, 212345.5, 1});
    addGame({"Ozsvár Anna", QDate(2026, 11, 20), 2, 1, 0, 0, 95000.0, QVariant(), 0});
    addGame({"Ábel", QDate(2025, 12, 1), 9, 7, 0b100, 0, QVariant(), QVariant(), 0});
    addGame({"Béla", QDate(2026, 5, 5), 1, 1, 0b10, 0b1, 1200000.0, 1000000.0, 1});
    m_session = std::make_unique<Session>(m_files.filePath("engine.ini"));
    m_session->addStandardAlias("DB_ZOMIR", m_folder->db());
    m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs);
}

void TestResults::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_folder.reset();
    m_dialogs = ScriptedDialogs();
    appDialogs()->clear();
}

void TestResults::addGame(const StoredGame &g) { storeGame(*m_folder->table("Jatekosok.DB"), g); }

void TestResults::storeGame(Table &players, const StoredGame &g)
{
    Table *t = &players;   // the folder's filler or another program's session
    t->append();
    t->fieldByName("Nev").setValue(u(g.name));
    t->fieldByName("Datum").setValue(g.date);
    t->fieldByName("Job_Key").setValue(g.job);
    t->fieldByName("House_Key").setValue(g.house);
    t->fieldByName("Food_Key").setValue(1);
    t->fieldByName("Clothing_Key").setValue(2);
    t->fieldByName("Travel_Key").setValue(1);
    t->fieldByName("Hobby_Key").setValue(g.hobbyMask);
    t->fieldByName("Entertainment_Key").setValue(g.entertainmentMask);
    t->fieldByName("Brutto_jov").setValue(g.gross);
    t->fieldByName("Netto_jov").setValue(g.net);
    t->fieldByName("Statusz").setValue(g.statusz);
    t->post();
}

void TestResults::openPage()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
}

QStringList TestResults::shownNames() const
{
    QStringList names;
    const QAbstractItemModel *model = m_window->DBGrid11->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, results::Name).data().toString();
    return names;
}

void TestResults::csvLine_data()
{
    QTest::addColumn<GameResult>("game");
    QTest::addColumn<QString>("line");
    GameResult full;
    full.name = u("Kiss Éva");
    full.date = QDate(2026, 3, 2);
    full.profession = u("Ács");
    full.grossWage = 185000;
    full.familyNetIncome = 212345;
    full.house = u("Családi ház");
    full.food = "Egy";
    full.clothing = u("Kettő");
    full.transport = "Egy";
    full.hobbies = u("Egy, Kettő");
    full.entertainments = u("Kettő");
    full.finished = true;
    QTest::addRow("whole amounts, finished")
        << full << u("Kiss Éva;2026-03-02;Ács;185000;212345;Családi ház;Egy;Kettő;Egy;Egy, Kettő;Kettő;igen");

    GameResult g = full;
    g.grossWage = 185000.5;
    g.familyNetIncome = 0.25;
    g.finished = false;
    QTest::addRow("decimal comma")
        << g << u("Kiss Éva;2026-03-02;Ács;185000,5;0,25;Családi ház;Egy;Kettő;Egy;Egy, Kettő;Kettő;nem");
    g = full;
    g.familyNetIncome = -1500;
    QTest::addRow("a negative amount stays a number")
        << g << u("Kiss Éva;2026-03-02;Ács;185000;-1500;Családi ház;Egy;Kettő;Egy;Egy, Kettő;Kettő;igen");

    GameResult quoting;
    quoting.name = u("Kiss; Éva");
    quoting.profession = u("Az \"igazi\" ács");
    quoting.house = u("Két\r\nszintes");
    QTest::addRow("separator, quote and line break quoted")
        << quoting << u("\"Kiss; Éva\";;\"Az \"\"igazi\"\" ács\";;;\"Két\r\nszintes\";;;;;;nem");

    GameResult letters;
    letters.name = u("Őrsi Űrsula");
    letters.hobbies = u("Főzés, Kézműveskedés");
    QTest::addRow("Hungarian letters intact") << letters << u("Őrsi Űrsula;;;;;;;;;Főzés, Kézműveskedés;;nem");

    QTest::addRow("empty values") << GameResult() << u(";;;;;;;;;;;nem");

    GameResult formula;
    formula.name = "=HYPERLINK(\"x\")";
    formula.profession = "@Ács";
    QTest::addRow("a text that looks like a formula stays text")
        << formula << u("\"'=HYPERLINK(\"\"x\"\")\";;'@Ács;;;;;;;;;nem");
}

void TestResults::csvLine()
{
    QFETCH(GameResult, game);
    QFETCH(QString, line);
    QCOMPARE(results::toCsv({game}), kBom + kHeader + line.toUtf8() + "\r\n");
}

void TestResults::pageListsEveryGameByNames()
{
    QCOMPARE(m_window->PageControl->count(), 11);
    QCOMPARE(m_window->PageControl->tabText(10), u("Eredmények"));
    QCOMPARE(m_window->PageControl->widget(10), m_window->TabSheet11);
    QCOMPARE(m_window->TabSheet11->objectName(), QString("TabSheet11"));
    // Nothing is read before the page is shown.
    QCOMPARE(m_window->DBGrid11->model()->rowCount(), 0);
    QVERIFY(!m_window->JatekosokDB->active());

    openPage();
    QAbstractItemModel *model = m_window->DBGrid11->model();
    QCOMPARE(model->rowCount(), 4);
    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c)
        titles << model->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles.join(';').toUtf8() + "\r\n", kHeader);
    QCOMPARE(m_window->Label50->text(), u("4 játék, ebből 2 befejezett"));

    const auto cells = [&](const char *name) {
        QStringList row;
        const int r = shownNames().indexOf(u(name));
        for (int c = 0; c < model->columnCount(); ++c)
            row << (c == results::GrossWage || c == results::FamilyNetIncome
                        ? model->index(r, c).data(TResultsModel::SortRole).toString()
                        : model->index(r, c).data().toString());
        return row;
    };
    QCOMPARE(cells("Őrsi Péter"), QStringList({u("Őrsi Péter"), "2026.03.02.", u("Ács"), "185000", "212345.5",
                                               u("Családi ház"), "Egy", u("Kettő"), "Egy", u("Egy, Kettő"),
                                               u("Kettő"), "igen"}));
    // Keys that point at no catalogue row, and a game with no wage yet, leave their cells empty.
    QCOMPARE(cells("Ábel"), QStringList({u("Ábel"), "2025.12.01.", "", "", "", "", "Egy", u("Kettő"), "Egy", "",
                                         "", "nem"}));

    // Read-only: no cell takes typing.
    QTableView *grid = m_window->DBGrid11;
    grid->setFocus();
    grid->setCurrentIndex(model->index(0, results::Name));
    QTest::keyClicks(grid->viewport(), "Hacker");
    QCOMPARE(shownNames(), QStringList({u("Ábel"), u("Béla"), u("Ozsvár Anna"), u("Őrsi Péter")}));
    QVERIFY(!(model->flags(model->index(0, results::Name)) & Qt::ItemIsEditable));

    // The buttons tell what they do in the status bar.
    QTest::mouseMove(m_window->BitBtn1, QPoint(5, 5));
    QTRY_VERIFY(m_window->StatusBar->currentMessage().contains(u("újraolvasása")));
    QTest::mouseMove(m_window->BitBtn2, QPoint(5, 5));
    QTRY_VERIFY(m_window->StatusBar->currentMessage().contains("CSV"));
}

void TestResults::headerClickSorts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    // Hungarian order: Á with A, Ő after O; amounts as numbers, empty first; dates as dates.
    QTest::addRow("name") << int(results::Name)
                          << QStringList{u("Ábel"), u("Béla"), u("Ozsvár Anna"), u("Őrsi Péter")};
    QTest::addRow("gross wage") << int(results::GrossWage)
                                << QStringList{u("Ábel"), u("Ozsvár Anna"), u("Őrsi Péter"), u("Béla")};
    QTest::addRow("date") << int(results::Date)
                          << QStringList{u("Ábel"), u("Őrsi Péter"), u("Béla"), u("Ozsvár Anna")};
}

void TestResults::headerClickSorts()
{
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    openPage();
    QHeaderView *header = m_window->DBGrid11->horizontalHeader();
    m_window->DBGrid11->scrollTo(m_window->DBGrid11->model()->index(0, column));
    const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(header->sortIndicatorSection(), column);
        QCOMPARE(shownNames(), header->sortIndicatorOrder() == Qt::AscendingOrder ? ascending : descending);
    }
}

void TestResults::readAgainOnlyOnRequest()
{
    openPage();
    QCOMPARE(shownNames().size(), 4);
    // Another program stores a game meanwhile.
    addGame({"Cecília", QDate(2026, 12, 10), 2, 2, 0, 0, 120000.0, QVariant(), 0});
    m_window->PageControl->setCurrentIndex(0);
    m_window->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    QCOMPARE(shownNames().size(), 4);
    QTest::mouseClick(m_window->BitBtn1, Qt::LeftButton);
    QCOMPARE(shownNames(), QStringList({u("Ábel"), u("Béla"), u("Cecília"), u("Ozsvár Anna"), u("Őrsi Péter")}));
    QCOMPARE(m_window->Label50->text(), u("5 játék, ebből 2 befejezett"));
    QVERIFY(appDialogs()->texts("error").isEmpty());
}

void TestResults::csvSavedInTheShownOrder()
{
    openPage();
    m_window->DBGrid11->sortByColumn(results::GrossWage, Qt::DescendingOrder);
    const QString path = m_files.filePath(u("eredmények.csv"));
    m_dialogs.saveAnswers << path;
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    QVERIFY(appDialogs()->texts("error").isEmpty());
    QCOMPARE(QFileInfo(m_dialogs.lastSuggested).fileName(), QString("eredmenyek.csv"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(kBom + kHeader));
    QTextStream in(bytes);
    in.setEncoding(QStringConverter::Utf8);
    const QStringList lines = in.readAll().split("\r\n");
    QCOMPARE(lines.size(), 6);   // header, four games, nothing after the last line end
    QCOMPARE(lines.last(), QString());
    QCOMPARE(lines.at(1), u("Béla;2026-05-05;Ács;1200000;1000000;Garzon;Egy;Kettő;Egy;Kettő;Egy;igen"));
    QCOMPARE(lines.at(2), u("Őrsi Péter;2026-03-02;Ács;185000;212345,5;Családi ház;Egy;Kettő;Egy;Egy, Kettő;"
                            "Kettő;igen"));
    QCOMPARE(lines.at(3).section(';', 0, 0), u("Ozsvár Anna"));
    QCOMPARE(lines.at(4), u("Ábel;2025-12-01;;;;;Egy;Kettő;Egy;;;nem"));

    // Cancelling the dialog writes nothing.
    QVERIFY(QFile::remove(path));
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    QVERIFY(!QFile::exists(path));
}

// The save dialog starts in the teacher's documents folder, not in the folder the utility
// was started from (often the game's working folder); without one, in the home folder.
void TestResults::csvDialogStartsInTheDocumentsFolder()
{
    openPage();
    const QString documents = m_files.filePath(u("Dokumentumok"));
    QVERIFY(QDir().mkpath(documents));
    const QString userDirs = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs");
    {
        QFile dirs(userDirs);
        QVERIFY(dirs.open(QIODevice::WriteOnly | QIODevice::Truncate));
        dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\n").arg(documents).toUtf8());
    }
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder->path()));
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    QCOMPARE(m_dialogs.lastSuggested, QDir(documents).filePath("eredmenyek.csv"));

    QVERIFY(QDir(documents).removeRecursively());
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    QCOMPARE(m_dialogs.lastSuggested, QDir::home().filePath("eredmenyek.csv"));
    QVERIFY(QDir::setCurrent(started));
    QVERIFY(QFile::remove(userDirs));
    QVERIFY(appDialogs()->texts("error").isEmpty());
}

void TestResults::unwritableTargetLeavesNoFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("target");
    QTest::addRow("folder missing") << "nincs" << "nincs/eredmenyek.csv";
    QTest::addRow("target is a folder") << "mappa" << "mappa";
}

void TestResults::unwritableTargetLeavesNoFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, target);
    QDir(m_files.path()).mkdir("mappa");
    openPage();
    const QString path = m_files.filePath(target);
    m_dialogs.saveAnswers << path;
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    const QStringList errors = appDialogs()->texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QFileInfo(path).fileName()), qPrintable(errors.first()));
    QVERIFY(!QFileInfo(path).isFile());
    QStringList left = QDir(m_files.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll("engine.ini");
    QCOMPARE(left, QStringList());
    QVERIFY(QDir(m_files.filePath(folder)).isEmpty() || !QDir(m_files.filePath(folder)).exists());
}

void TestResults::missingPlayersTableShowsTheError()
{
    QVERIFY(QFile::remove(QDir(m_folder->db()).filePath("Jatekosok.DB")));
    openPage();
    const QStringList errors = appDialogs()->texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("Jatekosok.DB"), qPrintable(errors.first()));
    QCOMPARE(m_window->DBGrid11->model()->rowCount(), 0);
    // The other pages go on working.
    m_window->PageControl->setCurrentIndex(0);
    QCOMPARE(m_window->HazakDB->recordCount(), 2);
}

void TestResults::classroomServer()
{
    // The class's database on a PostgreSQL server: the teacher's window reads what a
    // student's PC stores there.
    PgServer server;
    QString error;
    QVERIFY2(server.start(&error), qPrintable(error));
    QVERIFY(server.createDatabase("osztaly"));
    {
        Session admin(m_files.filePath("admin.ini"));
        admin.setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("osztaly")));
        std::shared_ptr<Storage> storage = admin.storage("DB_ZOMIR");
        for (const TableDef &def : schema())
            storage->createTable(def);
        storage->grantRoles("zomir_diak", "zomir_tanar", schema(), {"Jatekosok.DB"});
        const auto open = [&admin](const char *file) {
            auto t = std::make_unique<Table>(&admin);
            t->setAliasName("DB_ZOMIR");
            t->setTableName(file);
            t->open();
            return t;
        };
        const std::pair<const char *, const char *> catalogues[] = {
            {"Hazak.DB", "Panellakás"}, {"Elelmiszerek.DB", "Átlagos"}, {"Ruhazkodas.db", "Márkás"},
            {"Kozlekedes.db", "Bérlet"}, {"Hobbi.db", "Macska"}, {"Szorakozas.db", "Mozi"}};
        for (const auto &[file, category] : catalogues) {
            auto t = open(file);
            for (const char *name : {category, "Másik"}) {
                t->append();
                t->fieldByName("Kategoria").setValue(u(name));
                if (t->fieldIndex("Terulet") >= 0) {
                    t->fieldByName("Terulet").setValue(50);
                    t->fieldByName("Torleszto_reszlet").setValue(60000.0);
                } else {
                    t->fieldByName("Atlagos_Ar").setValue(5000.0);
                }
                t->post();
            }
        }
        auto professions = open("szakma4.DB");
        professions->append();
        professions->fieldByName("Szakma_nev").setValue(u("Könyvtáros"));
        professions->post();
        storeGame(*open("Jatekosok.DB"), {"Őrsi Dóra", QDate(2026, 11, 6), 1, 1, 0b11, 0b1, 402000.0, 455000.5, 1});
    }

    m_window.reset();
    Session teacher(m_files.filePath("tanar.ini"));
    teacher.setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("osztaly", "zomir_tanar")));
    m_window = std::make_unique<TZomir0001>(&teacher, &m_dialogs);
    openPage();
    QVERIFY2(appDialogs()->texts("error").isEmpty(), qPrintable(appDialogs()->texts("error").join('\n')));
    QCOMPARE(shownNames(), QStringList{u("Őrsi Dóra")});

    {
        Session student(m_files.filePath("diak.ini"));
        student.setServerAlias("DB_ZOMIR", ServerAddress::parse(server.connectionString("osztaly", "zomir_diak")));
        Table players(&student);
        players.setAliasName("DB_ZOMIR");
        players.setTableName("Jatekosok.DB");
        players.open();
        storeGame(players, {"Ábel", QDate(2026, 11, 7), 1, 2, 0b10, 0, 300000.0, QVariant(), 0});
    }
    QTest::mouseClick(m_window->BitBtn1, Qt::LeftButton);
    QCOMPARE(shownNames(), QStringList({u("Ábel"), u("Őrsi Dóra")}));

    const QString path = m_files.filePath("osztaly.csv");
    m_dialogs.saveAnswers << path;
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kBom + kHeader
                                 + u("Ábel;2026-11-07;Könyvtáros;300000;;Másik;Átlagos;Másik;Bérlet;Másik;;nem\r\n"
                                     "Őrsi Dóra;2026-11-06;Könyvtáros;402000;455000,5;Panellakás;Átlagos;Másik;"
                                     "Bérlet;Macska, Másik;Mozi;igen\r\n")
                                       .toUtf8());
    m_window.reset();
}

// The class at a glance over 30 stored games: its counts by profession and outcome are the
// rows of the list, its bars are those counts, every known balance falls in one range;
// with a day picked, only the games stored since. It is previewed (and so printed and
// saved as PDF) through the dialog service.
void TestResults::classAtAGlanceCountsTheRows()
{
    using classview::Balanced;
    using classview::NeverCosted;
    using classview::NotYet;
    // The four games of the fixture: two finished, two never costed, without balances.
    int expected[classview::kOutcomeCount] = {2, 0, 2};
    int withBalance = 0;
    {
        auto players = m_folder->table("Jatekosok.DB");
        for (int i = 0; i < 26; ++i) {
            const int kind = i % 3;
            const QByteArray name = QStringLiteral("Diák %1").arg(i + 1, 2, 10, QLatin1Char('0')).toUtf8();
            const QVariant net = kind == NeverCosted ? QVariant() : QVariant(300000.0);
            storeGame(*players, {name.constData(), QDate(2026, 11, 1).addDays(i), 1 + i % 2, 1, 0, 0, 150000.0, net,
                                 kind == Balanced ? 1 : 0});
            players->last();
            players->edit();
            if (kind == Balanced)
                players->fieldByName("Egyenleg").setValue(i * 9000);
            else if (kind == NotYet)
                players->fieldByName("Egyenleg").setValue(-1000 - i * 7000);
            players->post();
            ++expected[kind];
            withBalance += kind == NeverCosted ? 0 : 1;
        }
    }
    openPage();
    QCOMPARE(shownNames().size(), 30);

    QTemporaryDir pdfs;
    QList<classview::Summary> seen;
    QList<QList<QVector<double>>> bars;
    m_dialogs.pdfPath = pdfs.filePath("osztaly.pdf");
    m_dialogs.onPreview = [&](const Report &report) {
        const auto *view = dynamic_cast<const classview::Report *>(&report);
        QVERIFY(view);
        QCOMPARE(view->pageCount(), 1);
        seen << view->summary();
        QList<QVector<double>> amounts;
        for (const TQRBar *bar : view->professionBars()) {
            QVector<double> parts;
            for (const TQRBarPart &part : bar->parts())
                parts << part.amount;
            amounts << parts;
        }
        bars << amounts;
    };
    QTest::mouseClick(m_window->BitBtn4, Qt::LeftButton);
    m_window->CheckBox50->setChecked(true);
    m_window->DateEdit50->setDate(QDate(2026, 11, 15));
    QTest::mouseClick(m_window->BitBtn4, Qt::LeftButton);
    m_dialogs.onPreview = nullptr;
    QVERIFY(appDialogs()->texts("error").isEmpty());
    QCOMPARE(m_dialogs.texts("preview"), QStringList({u("az osztály egy képen"), u("az osztály egy képen")}));
    QFile pdf(m_dialogs.pdfPath);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QCOMPARE(seen.size(), 2);

    const QList<GameResult> &rows = m_window->ResultsModel->rows();
    const classview::Summary &all = seen.first();
    QCOMPARE(all.games, int(rows.size()));
    for (int o = 0; o < classview::kOutcomeCount; ++o)
        QCOMPARE(all.counts[o], expected[o]);
    int total = 0;
    for (int i = 0; i < all.professions.size(); ++i) {
        const classview::ProfessionCounts &p = all.professions.at(i);
        const QString name = p.profession == u("(ismeretlen szakma)") ? QString() : p.profession;
        QCOMPARE(p.total(), int(std::count_if(rows.begin(), rows.end(),
                                              [&](const GameResult &r) { return r.profession == name; })));
        QCOMPARE(bars.first().at(i), (QVector<double>{double(p.counts[0]), double(p.counts[1]), double(p.counts[2])}));
        total += p.total();
    }
    QCOMPARE(total, 30);
    QCOMPARE(all.professions.size(), 3);   // Ács, Bolti eladó and the deleted one
    QCOMPARE(all.withBalance, withBalance);
    int binned = 0;
    for (const classview::Bin &bin : all.bins)
        binned += bin.count;
    QCOMPARE(binned, withBalance);
    QCOMPARE(all.lowest, qint64(-1000 - 25 * 7000));
    QCOMPARE(all.highest, qint64(24 * 9000));

    const classview::Summary &since = seen.last();
    QCOMPARE(since.since, QDate(2026, 11, 15));
    QCOMPARE(since.games, int(std::count_if(rows.begin(), rows.end(),
                                            [](const GameResult &r) { return r.date >= QDate(2026, 11, 15); })));
    QCOMPARE(since.games, 12 + 1);   // Diák 15 .. 26 and Ozsvár Anna (2026-11-20)
}

// A game's outcome: finished or balanced, short by a rework's worth, or never costed; and
// the range its balance falls in.
void TestResults::classOutcomes_data()
{
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QVariant>("balance");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("bin");
    QTest::addRow("finished, stored before balances") << true << QVariant() << int(classview::Balanced) << -1;
    QTest::addRow("never costed") << false << QVariant() << int(classview::NeverCosted) << -1;
    QTest::addRow("shortfall of 1000") << false << QVariant(-1000) << int(classview::NotYet) << 2;
    QTest::addRow("shortfall of 999") << false << QVariant(-999) << int(classview::Balanced) << 3;
    QTest::addRow("exactly zero") << true << QVariant(0) << int(classview::Balanced) << 4;
    QTest::addRow("shortfall of 100 001") << false << QVariant(-100001) << int(classview::NotYet) << 0;
    QTest::addRow("shortfall of 100 000") << false << QVariant(-100000) << int(classview::NotYet) << 1;
    QTest::addRow("200 000 left") << true << QVariant(200000) << int(classview::Balanced) << 7;
}

void TestResults::classOutcomes()
{
    QFETCH(bool, finished);
    QFETCH(QVariant, balance);
    QFETCH(int, outcome);
    QFETCH(int, bin);
    GameResult game;
    game.profession = u("Ács");
    game.date = QDate(2026, 12, 1);
    game.finished = finished;
    if (!balance.isNull())
        game.balance = balance.toLongLong();
    QCOMPARE(int(classview::outcomeOf(game)), outcome);
    const classview::Summary s = classview::summarize({game});
    QCOMPARE(s.counts[outcome], 1);
    for (int i = 0; i < s.bins.size(); ++i)
        QCOMPARE(s.bins.at(i).count, i == bin ? 1 : 0);
    // A day after the game's leaves it out.
    QCOMPARE(classview::summarize({game}, QDate(2026, 12, 2)).games, 0);
    QCOMPARE(classview::summarize({game}, QDate(2026, 12, 1)).games, 1);
}

ZOMIR_TEST_MAIN(TestResults)
#include "tst_results.moc"
