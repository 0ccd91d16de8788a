// Start-up of the game: the screen set, the database alias set-up and its failure paths.

#include "game/adatinit.h"
#include "game/befejez.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/jadat.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "tests/support/gametables.h"
#include "tests/support/shellfixture.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QStatusBar>
#include <QTabWidget>

using namespace shellfixture;

namespace {
const QString kReady = QStringLiteral("Az adatbázis inicializálása kész!");
const QString kMissing = QStringLiteral("Nincs meg az adatbázis");

QStringList shownKinds(const ScriptedDialogs &dialogs)
{
    QStringList list;
    for (const auto &s : dialogs.shown)
        list << s.kind + QLatin1Char(':') + s.text;
    return list;
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartWithDbFolder()
    {
        WorkFolder work;
        QTemporaryDir config;
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("engine.ini")));

        QVERIFY(run.game.create());
        QCOMPARE(shownKinds(run.dialogs), QStringList{QStringLiteral("message:") + kReady});
        QCOMPARE(QDir(run.session.aliasPath(QStringLiteral("DB_Zomir"))).canonicalPath(),
                 QDir(work.db()).canonicalPath());
        QVERIFY(QFile::exists(config.filePath(QStringLiteral("engine.ini"))));
        QCOMPARE(QDir::currentPath(), QDir(work.path()).canonicalPath());

        TDM *dm = run.game.DM;
        for (zdb::Table *table : gameTables(dm))
            QVERIFY2(table->active(), qPrintable(table->tableName()));
        QVERIFY(!dm->SzakmaDB->active());
        QVERIFY(run.game.DataModule2);
        for (zdb::Table *table : {run.game.DataModule2->Tbl1, run.game.DataModule2->Tbl2, run.game.DataModule2->Tbl3})
            QVERIFY(!table->active());
        QCOMPARE(dm->JatekosokDB->indexName(), QStringLiteral("Jatekosok_Nev_Szerint"));
        QVERIFY(dm->JatekosokDB->fieldIndex(QStringLiteral("Haz_Kategoria")) >= 0);
        QVERIFY(dm->JatekosokDB->fieldIndex(QStringLiteral("Szorakozas_Ar")) >= 0);

        // Everything is created hidden; start shows the opening screen only.
        QVERIFY(run.game.fIndul && run.game.MainForm && run.game.Vege);
        QVERIFY(!run.game.fIndul->isVisible());
        QVERIFY(!run.game.MainForm->isVisible());
        run.game.start();
        QVERIFY(run.game.fIndul->isVisible());
        QVERIFY(!run.game.MainForm->isVisible());
        QVERIFY(!run.game.Vege->isVisible());
        QVERIFY(!run.game.ended());
    }

    void secondStartUsesTheStoredAlias()
    {
        WorkFolder first;
        WorkFolder elsewhere(false);
        QTemporaryDir config;
        const QString configFile = config.filePath(QStringLiteral("engine.ini"));
        {
            CurrentFolder cwd(first.path());
            Run run(configFile);
            QVERIFY(run.game.create());
        }
        CurrentFolder cwd(elsewhere.path());
        Run run(configFile);
        QVERIFY(run.game.create());
        QVERIFY2(run.dialogs.shown.isEmpty(), qPrintable(shownKinds(run.dialogs).join('\n')));
        QCOMPARE(QFileInfo(run.game.DM->JatekosokDB->filePath()).canonicalPath(),
                 QDir(first.db()).canonicalPath());
        for (zdb::Table *table : gameTables(run.game.DM))
            QVERIFY(table->active());
    }

    void withoutDbCancelledStopsBeforeAnyScreen()
    {
        WorkFolder work(false);
        QTemporaryDir config;
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("engine.ini")));

        QVERIFY(!run.game.create());
        QCOMPARE(shownKinds(run.dialogs),
                 (QStringList{QStringLiteral("message:") + kMissing,
                              QStringLiteral("open:") + QDir::currentPath()}));
        QCOMPARE(run.dialogs.lastFolder, QDir(work.path()).canonicalPath());
        QVERIFY(!run.session.aliasExists(QStringLiteral("DB_ZOMIR")));
        QVERIFY(!run.game.MainForm);
        QVERIFY(!run.game.fIndul->isVisible());
        QVERIFY(!QFile::exists(config.filePath(QStringLiteral("engine.ini"))));
    }

    void withoutDbTheChosenFileNamesTheFolder()
    {
        WorkFolder work(false);
        WorkFolder data;
        QTemporaryDir config;
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("engine.ini")));
        run.dialogs.openAnswers.enqueue(QDir(data.db()).filePath(QStringLiteral("Hazak.DB")));

        QVERIFY(run.game.create());
        QCOMPARE(shownKinds(run.dialogs),
                 (QStringList{QStringLiteral("message:") + kMissing, QStringLiteral("open:") + QDir::currentPath(),
                              QStringLiteral("message:") + kReady}));
        QCOMPARE(QDir(run.session.aliasPath(QStringLiteral("DB_ZOMIR"))).canonicalPath(),
                 QDir(data.db()).canonicalPath());
        QCOMPARE(QDir::currentPath(), QDir(work.path()).canonicalPath());
        QVERIFY(run.game.DM->JatekosokDB->active());
    }

    // Storing the alias fails: only the engine's error is shown (never the success
    // message), the tables stay closed and the game goes on.
    void aliasThatCannotBeSavedIsReportedAsAFailure()
    {
        WorkFolder work;
        QTemporaryDir config;
        QFile blocker(config.filePath(QStringLiteral("notafolder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("notafolder/engine.ini")));

        QVERIFY(run.game.create());
        QCOMPARE(run.dialogs.texts(QStringLiteral("message")), QStringList());
        QCOMPARE(run.dialogs.texts(QStringLiteral("error")).size(), 1);
        QVERIFY(!run.dialogs.texts(QStringLiteral("error")).first().isEmpty());
        for (zdb::Table *table : gameTables(run.game.DM))
            QVERIFY(!table->active());
        QCOMPARE(QDir::currentPath(), QDir(work.path()).canonicalPath());
        QVERIFY(run.game.MainForm);
    }

    // A table that cannot be opened: its error is shown and the ones after it stay closed.
    void tableThatCannotBeOpenedStopsTheOpening()
    {
        WorkFolder work;
        QTemporaryDir config;
        QVERIFY(QFile::remove(QDir(work.db()).filePath(QStringLiteral("Jatekosok.DB"))));
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("engine.ini")));

        QVERIFY(run.game.create());
        QCOMPARE(run.dialogs.texts(QStringLiteral("message")), QStringList{kReady});
        QCOMPARE(run.dialogs.texts(QStringLiteral("error")).size(), 1);
        TDM *dm = run.game.DM;
        QVERIFY(dm->ElelmiszerekDB->active());
        QVERIFY(dm->HazakDB->active());
        QVERIFY(dm->HobbiDB->active());
        QVERIFY(!dm->JatekosokDB->active());
        QVERIFY(!dm->KozlekedesDB->active());
        QVERIFY(!dm->RuhazkodasDB->active());
        QVERIFY(!dm->SzorakozasDB->active());
    }

    void screensHaveTheirFrames()
    {
        WorkFolder work;
        QTemporaryDir config;
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("engine.ini")));
        QVERIFY(run.game.create());
        run.game.start();

        TfIndul *indul = run.game.fIndul;
        QCOMPARE(indul->windowTitle(), QStringLiteral("Z O M I R"));
        QCOMPARE(indul->size(), QSize(790, 534));
        QVERIFY(indul->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(indul->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(indul->palette().color(QPalette::Window), QColor(209, 209, 209));

        TMainForm *main = run.game.MainForm;
        QCOMPARE(main->windowTitle(), QStringLiteral("Életvitel"));
        QCOMPARE(main->minimumSize(), QSize(788, 564));
        QCOMPARE(main->maximumSize(), QSize(788, 564));
        QCOMPARE(main->StatusBar->height(), 25);
        const QStringList captions{"Név", "Ház", "Élelmiszer", "Ruházkodás", "Közlekedés", "Hobbi", "Szórakozás"};
        QCOMPARE(main->PageControl1->count(), captions.size());
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(main->PageControl1->tabText(i), captions[i]);
        QCOMPARE(main->PageControl1->widget(TMainForm::PageRuhazkodas)->objectName(), QStringLiteral("TabSheet8"));

        QVERIFY(run.game.Vege->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(run.game.Vege->size(), QSize(400, 511));
    }

    void endProgramSignalsOnce()
    {
        WorkFolder work;
        QTemporaryDir config;
        CurrentFolder cwd(work.path());
        Run run(config.filePath(QStringLiteral("engine.ini")));
        QVERIFY(run.game.create());
        QSignalSpy ended(&run.game, &Game::programEnded);
        run.game.endProgram();
        run.game.endProgram();
        QVERIFY(run.game.ended());
        QCOMPARE(ended.count(), 1);
    }
};

ZOMIR_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
