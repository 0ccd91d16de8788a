// The teacher's answer key in the maintenance window, over copies of the built working
// folders of 2010 and 2026: the title names the folder's year; a stored game picked on the
// results page and "Megoldókulcs" clicked shows every figure of that year's pay statement
// with the rules' own values, and the key is written as a PDF; a game of another year, or
// one without a wage, gets a message instead of figures.

#include "maintenance/Unit1.h"
#include "maintenance/answerkey.h"
#include "rules/budget.h"
#include "db/engine.h"
#include "controls/payrolltables.h"
#include "maintenance/results.h"
#include "rules/taxyear.h"
#include "tests/support/testenv.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <memory>

using namespace zdb;

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

struct StoredGame {
    QString name;
    QVariant year;   // null: a game stored before the year was
    QVariant gross;
    int children = 0;   // below 0: not stored with the game, as the game saves it
    double partner = 0;
};

}  // namespace

class TestAnswerKey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void figuresOfTheGamesYear_data();
    void figuresOfTheGamesYear();
    void messageInsteadOfFigures_data();
    void messageInsteadOfFigures();
    void noGameSelected();

private:
    // A copy of the built folder of the environment variable; false (and skipped) without one.
    bool openFolder(const QString &variable);
    void storeGame(const StoredGame &game);
    void makeWindow();
    // Picks the game of that name on the results page and clicks "Megoldókulcs".
    void openAnswerKey(const QString &name);
    std::unique_ptr<Table> table(const QString &file);
    ScriptedDialogs *appDialogs() { return static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<TZomir0001> m_window;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<answerkey::Key> m_shown;   // the key of the last preview
};

void TestAnswerKey::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_dir.reset();
    m_shown.reset();
    m_dialogs = ScriptedDialogs();
    appDialogs()->clear();
}

bool TestAnswerKey::openFolder(const QString &variable)
{
    const QString built = qEnvironmentVariable(qPrintable(variable));
    if (built.isEmpty() || !QDir(built).exists(QStringLiteral("DB")))
        return false;
    m_dir = std::make_unique<QTemporaryDir>();
    const QString db = m_dir->filePath(QStringLiteral("DB"));
    if (!testenv::copyFolder(QDir(built).filePath(QStringLiteral("DB")), db))
        return false;
    m_session = std::make_unique<Session>(m_dir->filePath(QStringLiteral("engine.ini")));
    m_session->addStandardAlias(QStringLiteral("DB_ZOMIR"), db);
    return true;
}

std::unique_ptr<Table> TestAnswerKey::table(const QString &file)
{
    auto t = std::make_unique<Table>(m_session.get());
    t->setAliasName(QStringLiteral("DB_ZOMIR"));
    t->setTableName(file);
    return t;
}

void TestAnswerKey::storeGame(const StoredGame &g)
{
    auto t = table(QStringLiteral("Jatekosok.DB"));
    t->open();
    t->append();
    t->fieldByName(QStringLiteral("Nev")).setValue(g.name);
    t->fieldByName(QStringLiteral("Datum")).setValue(QDate(2026, 3, 2));
    t->fieldByName(QStringLiteral("Job_Key")).setValue(1);
    t->fieldByName(QStringLiteral("Brutto_jov")).setValue(g.gross);
    if (g.children >= 0) {
        t->fieldByName(QStringLiteral("Gyerekek")).setValue(g.children);
        t->fieldByName(QStringLiteral("Hazastars")).setValue(g.partner > 0);
        t->fieldByName(QStringLiteral("Hazastars_jovedelem")).setValue(g.partner);
    }
    t->fieldByName(QStringLiteral("Adoev")).setValue(g.year);
    t->post();
    t->close();
}

void TestAnswerKey::makeWindow()
{
    m_window = std::make_unique<TZomir0001>(m_session.get(), &m_dialogs);
    m_dialogs.pdfPath = m_dir->filePath(QStringLiteral("megoldokulcs.pdf"));
    m_dialogs.onPreview = [this](const Report &report) {
        const auto *key = dynamic_cast<const answerkey::Report *>(&report);
        QVERIFY(key);
        m_shown = std::make_unique<answerkey::Key>(key->key());
        // What the page prints is what the key holds.
        for (const answerkey::Line &line : key->key().lines) {
            const QString n = QString::number(line.number);
            const auto *caption = layoutElement<TQRLabel>(key, qPrintable(u("Tetel") + n));
            const auto *value = layoutElement<TQRLabel>(key, qPrintable(u("Ertek") + n));
            const auto *rule = layoutElement<TQRLabel>(key, qPrintable(u("Szabaly") + n));
            QVERIFY(caption && value && rule);
            QCOMPARE(caption->caption(), line.caption);
            QCOMPARE(value->caption(), reportprint::moneyText(double(line.value)));
            QCOMPARE(rule->caption(), line.rule);
            QVERIFY(value->place().printed);
        }
        // No other figure on the page: none at all under a message.
        int values = 0;
        for (const TQRElement *e : key->elements())
            values += e->objectName().startsWith(QLatin1String("Ertek")) ? 1 : 0;
        QCOMPARE(values, key->key().lines.size());
        QCOMPARE(layoutElement<TQRLabel>(key, "FejErtek")->place().printed, !key->key().lines.isEmpty());
        const auto *message = layoutElement<TQRMemo>(key, "Uzenet");
        QVERIFY(message);
        QCOMPARE(message->lines().join(QLatin1Char(' ')), key->key().message);
    };
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAnswerKey::openAnswerKey(const QString &name)
{
    m_window->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    QTableView *grid = m_window->DBGrid11;
    const QAbstractItemModel *model = grid->model();
    int row = -1;
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, results::Name).data().toString() == name)
            row = r;
    QVERIFY2(row >= 0, qPrintable(name));
    const QModelIndex cell = model->index(row, results::Name);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QCOMPARE(grid->currentIndex().row(), row);
    QTest::mouseClick(m_window->BitBtn3, Qt::LeftButton);
}

void TestAnswerKey::figuresOfTheGamesYear_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<int>("year");
    QTest::addColumn<double>("gross");
    QTest::addColumn<int>("children");
    QTest::addColumn<double>("partner");
    QTest::addColumn<QString>("ruleKey");
    QTest::addColumn<QString>("ruleText");
    QTest::addRow("2010, two children")
        << "ZOMIR_WORKFOLDER" << 2010 << 185000.0 << 2 << 120000.0 << "deductionsTotal"
        << u("adóelőleg + egészségbiztosítási + munkavállalói + nyugdíjbiztosítási járulék");
    QTest::addRow("2010, no children, no partner, a wage of fillérs")
        << "ZOMIR_WORKFOLDER" << 2010 << 95000.4 << 0 << 0.0 << "familyAllowance"
        << u("gyermek nélkül 0 Ft");
    QTest::addRow("2026, two children")
        << "ZOMIR_WORKFOLDER_2026" << 2026 << 185000.0 << 2 << 120000.0 << "taxPaid"
        << u("15 % × (bruttó − családi kedvezmény alapja), legalább 0");
    // Four children: the allowance base is above the wage, no tax, and the rest of the
    // allowance comes off the TB contribution.
    QTest::addRow("2026, a big family pays no tax")
        << "ZOMIR_WORKFOLDER_2026" << 2026 << 300000.0 << 4 << 150000.0 << "contribution" << u("18,5 % × bruttó");
    // The game stores neither the children nor the partner's income: it plays the family of
    // the profession, and so does the key.
    QTest::addRow("2010, saved by the game: the profession's family")
        << "ZOMIR_WORKFOLDER" << 2010 << 185000.0 << -1 << 0.0 << "taxAllowance" << QString();
    QTest::addRow("2026, saved by the game: the profession's family")
        << "ZOMIR_WORKFOLDER_2026" << 2026 << 450000.0 << -1 << 0.0 << "familyAllowance" << QString();
}

void TestAnswerKey::figuresOfTheGamesYear()
{
    QFETCH(QString, variable);
    QFETCH(int, year);
    QFETCH(double, gross);
    QFETCH(int, children);
    QFETCH(double, partner);
    QFETCH(QString, ruleKey);
    QFETCH(QString, ruleText);
    if (!openFolder(variable))
        QSKIP(qPrintable(u("No built working folder (%1)").arg(variable)));
    storeGame({u("Kovács Éva"), year, gross, children, partner});
    storeGame({u("Ábel"), year, 500000.0, 1, 0});
    makeWindow();
    QCOMPARE(m_window->windowTitle(), u("Dedarudorazo v2 – ") + budget::yearLevelsText(year));
    QCOMPARE(m_window->folderYear(), year);

    openAnswerKey(u("Kovács Éva"));
    QCOMPARE(appDialogs()->texts("error"), QStringList());
    QCOMPARE(m_dialogs.texts("preview"), QStringList{u("Kovács Éva - megoldókulcs")});
    QVERIFY(m_shown);
    QCOMPARE(m_shown->message, QString());
    QCOMPARE(m_shown->gameYear, year);

    // The figures as the rules of the year give them from the folder's tables.
    auto bands = table(QStringLiteral("adokulcs.db"));
    auto rates = table(QStringLiteral("jarulek.db"));
    auto perChild = table(QStringLiteral("gyerek.db"));
    const payroll::PayrollTables tables =
        payroll::LoadPayrollTables({bands.get(), rates.get(), perChild.get()}, year);
    const payroll::RuleSet *rules = payroll::ruleSetFor(year);
    QVERIFY(rules);
    if (children < 0) {
        // The family of the stored game's profession (code 1), as the game reads it.
        auto professions = table(QStringLiteral("szakma4.DB"));
        professions->open();
        QVERIFY(professions->locate(QStringLiteral("Szakma_kod"), 1));
        children = int(std::llround(professions->fieldByName(QStringLiteral("Gyerekszam")).asFloat()));
        partner = double(std::llround(professions->fieldByName(QStringLiteral("Hazastars_netto")).asFloat()));
        QVERIFY(children > 0 && partner > 0);
        QCOMPARE(int(m_shown->inputs.N), children);
        QCOMPARE(qint64(m_shown->inputs.P), qint64(partner));
    }
    const WageInputs inputs{qint64(std::llround(gross)), children, qint64(partner)};
    const QMap<int, qint64> expected = rules->statement(tables, payroll::bracketFinder(bands.get()), inputs);
    const QVector<payroll::Figure> figures = rules->figures();
    QCOMPARE(m_shown->lines.size(), figures.size());
    for (int i = 0; i < figures.size(); ++i) {
        const answerkey::Line &line = m_shown->lines.at(i);
        QCOMPARE(line.number, figures.at(i).number);
        QCOMPARE(line.caption, figures.at(i).caption);
        QCOMPARE(line.judged, figures.at(i).judged);
        QCOMPARE(line.value, expected.value(line.number));
        QVERIFY2(!line.rule.isEmpty(), qPrintable(line.key));
        if (line.key == ruleKey && !ruleText.isEmpty())
            QCOMPARE(line.rule, ruleText);
    }
    if (year == 2026 && children == 4) {
        QCOMPARE(expected.value(2), 0);
        QVERIFY(expected.value(4) > 0);
    }

    // The preview wrote the key as a PDF.
    const QFileInfo pdf(m_dialogs.pdfPath);
    QVERIFY(pdf.exists());
    QVERIFY(pdf.size() > 1000);
    QFile file(pdf.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    // The window's own tax tables stay as they were (closed by no reading of the key).
    QVERIFY(m_window->AdoDB->active() && m_window->JarulekDB->active() && m_window->GyerekDB->active());
}

void TestAnswerKey::messageInsteadOfFigures_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QVariant>("gameYear");
    QTest::addColumn<QVariant>("gross");
    QTest::addColumn<QStringList>("says");
    QTest::addRow("a game of 2010 (stored without a year) in a folder of 2026")
        << "ZOMIR_WORKFOLDER_2026" << QVariant() << QVariant(185000.0)
        << QStringList{u("adóéve 2010"), u("2026"), u("2010-es munkakönyvtárban")};
    QTest::addRow("a game of 2026 in a folder of 2010")
        << "ZOMIR_WORKFOLDER" << QVariant(2026) << QVariant(185000.0)
        << QStringList{u("adóéve 2026"), u("munkakönyvtáré 2010"), u("2026-os munkakönyvtárban")};
    QTest::addRow("a year no rules know") << "ZOMIR_WORKFOLDER" << QVariant(1999) << QVariant(185000.0)
                                          << QStringList{u("(1999) ismeretlen")};
    QTest::addRow("no wage yet") << "ZOMIR_WORKFOLDER_2026" << QVariant(2026) << QVariant()
                                 << QStringList{u("nincs bruttó bér")};
}

void TestAnswerKey::messageInsteadOfFigures()
{
    QFETCH(QString, variable);
    QFETCH(QVariant, gameYear);
    QFETCH(QVariant, gross);
    QFETCH(QStringList, says);
    if (!openFolder(variable))
        QSKIP(qPrintable(u("No built working folder (%1)").arg(variable)));
    storeGame({u("Kiss Ágnes"), gameYear, gross, 2, 100000});
    makeWindow();
    openAnswerKey(u("Kiss Ágnes"));
    QCOMPARE(appDialogs()->texts("error"), QStringList());
    QVERIFY(m_shown);
    QVERIFY(m_shown->lines.isEmpty());
    for (const QString &part : says)
        QVERIFY2(m_shown->message.contains(part), qPrintable(m_shown->message));
    // The message page is still a PDF (no figure on it: see makeWindow).
    QVERIFY(QFileInfo(m_dialogs.pdfPath).size() > 0);
}

void TestAnswerKey::noGameSelected()
{
    if (!openFolder(QStringLiteral("ZOMIR_WORKFOLDER")))
        QSKIP("No built working folder (ZOMIR_WORKFOLDER)");
    storeGame({u("Kiss Ágnes"), 2010, 185000.0, 2, 100000});
    makeWindow();
    m_window->PageControl->setCurrentIndex(TZomir0001::ResultsPage);
    QTest::mouseClick(m_window->BitBtn3, Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("preview"), QStringList());
    QCOMPARE(m_dialogs.texts("message").size(), 1);
    QVERIFY(m_dialogs.texts("message").first().contains(u("jelöljön ki egy játékot")));
    QVERIFY(!QFileInfo::exists(m_dialogs.pdfPath));
}

ZOMIR_TEST_MAIN(TestAnswerKey)
#include "tst_answerkey.moc"
