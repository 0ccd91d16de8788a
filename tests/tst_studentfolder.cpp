// The student's own working folder of an installed or unzipped game: where it is (beside
// the programs with the portable marker, else the user's data folder), its build on the
// first start with the real content tool and a window showing the work, its reuse on
// later starts, a stored alias whose folder is gone, and the failures.

#include "game/elsoinditas.h"
#include "db/engine.h"
#include "rules/studentfolder.h"
#include "tests/support/testenv.h"
#include "rules/usererror.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace {

// Programs' folders as a teacher or a student may name them.
const char *const kFolders[] = {"Kovács Ödön/Asztal/Zomir játék", "USB (E)/Zomir 2026/program", "zomir"};

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

}  // namespace

class TestStudentFolder : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_startDir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_startDir = QDir::currentPath();
    }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void location_data()
    {
        QTest::addColumn<QString>("programs");
        QTest::addColumn<bool>("portable");
        for (const char *folder : kFolders) {
            QTest::addRow("%s, portable", folder) << QString::fromUtf8(folder) << true;
            QTest::addRow("%s, installed", folder) << QString::fromUtf8(folder) << false;
        }
    }
    void location()
    {
        QFETCH(QString, programs);
        QFETCH(bool, portable);
        const QString dir = m_tmp.filePath(QStringLiteral("loc/") + programs);
        QDir(dir).removeRecursively();
        QVERIFY(QDir().mkpath(dir));
        if (portable)
            touch(QDir(dir).filePath(studentfolder::portableMarker()));
        const QString expected = portable ? QDir(dir).filePath(QStringLiteral("adatok"))
                                          : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
#ifdef Q_OS_WIN
                                                + QStringLiteral("/Zomir");
#else
                                                + QStringLiteral("/zomir");
#endif
        QCOMPARE(studentfolder::location(dir), QDir::cleanPath(expected));
        // A folder called like the marker is no marker.
        if (!portable) {
            QVERIFY(QDir(dir).mkdir(studentfolder::portableMarker()));
            QCOMPARE(studentfolder::location(dir), QDir::cleanPath(expected));
        }
    }

#ifndef Q_OS_WIN
    // On Linux the user's data folder follows XDG_DATA_HOME, accents and spaces included.
    void locationFollowsDataHome()
    {
        const QString home = m_tmp.filePath(QStringLiteral("Kovács Ödön/.local/share"));
        QVERIFY(QDir().mkpath(home));
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.toUtf8());
        const QString found = studentfolder::location(m_tmp.path());
        qputenv("XDG_DATA_HOME", before);
        QCOMPARE(found, home + QStringLiteral("/zomir"));
    }
#endif

    void contentToolBesideTheProgram()
    {
        const QString dir = m_tmp.filePath(QStringLiteral("tool/Zomir játék"));
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(studentfolder::contentTool(dir), QString());
#ifdef Q_OS_WIN
        const QString tool = QDir(dir).filePath(QStringLiteral("zomir-data.exe"));
#else
        const QString tool = QDir(dir).filePath(QStringLiteral("zomir-data"));
        // A file of that name that cannot be run is no tool.
        touch(tool);
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(studentfolder::contentTool(dir), QString());
#endif
        touch(tool);
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(studentfolder::contentTool(dir), tool);
    }

    void aliasTarget_data()
    {
        QTest::addColumn<QString>("aliasPath");
        QTest::addColumn<bool>("repointed");
        QTest::newRow("no alias") << QString() << true;
        QTest::newRow("folder there") << QStringLiteral("there") << false;
        QTest::newRow("folder gone") << QStringLiteral("gone/DB") << true;
        QTest::newRow("a file, not a folder") << QStringLiteral("file") << true;
    }
    void aliasTarget()
    {
        QFETCH(QString, aliasPath);
        QFETCH(bool, repointed);
        const QDir base(m_tmp.filePath(QStringLiteral("alias")));
        QVERIFY(base.mkpath(QStringLiteral("there")));
        touch(base.filePath(QStringLiteral("file")));
        const QString folder = base.filePath(QStringLiteral("Zomir munka"));
        const QString path = aliasPath.isEmpty() ? QString() : base.filePath(aliasPath);
        QCOMPARE(studentfolder::aliasTarget(folder, path), repointed ? folder + QStringLiteral("/DB") : QString());
    }

    // The first start builds the folder while a window says so, and makes it current; a
    // second start reuses it (what the student changed stays); a stored alias whose folder
    // is gone is pointed at the folder; a server alias is left as it is.
    void firstAndLaterStarts()
    {
        const QString programs = m_tmp.filePath(QStringLiteral("start/Kovács Ödön/Asztal/Zomir játék"));
        QVERIFY(QDir().mkpath(programs));
        touch(QDir(programs).filePath(studentfolder::portableMarker()));
        const QString folder = QDir(programs).filePath(QStringLiteral("adatok"));
        const QString config = m_tmp.filePath(QStringLiteral("start/config/tablaengine.ini"));

        bool windowSeen = false;
        QString windowText;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&]() {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("MunkamappaKeszul") && w->isVisible()) {
                    windowSeen = true;
                    if (auto *text = w->findChild<QWidget *>(QStringLiteral("Szoveg")))
                        windowText = text->property("text").toString();
                }
        });
        watch.start(5);
        {
            zdb::Session session(config);
            QVERIFY(prepareStudentFolder(session, programs, QStringLiteral(ZOMIR_DATA_TOOL)));
            // No alias yet: the data module stores it when it finds the folder's DB.
            QVERIFY(!session.aliasExists(zdb::gameAlias()));
        }
        watch.stop();
        QVERIFY(windowSeen);
        QVERIFY2(windowText.contains(QDir::toNativeSeparators(folder)), qPrintable(windowText));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!(w->objectName() == QLatin1String("MunkamappaKeszul") && w->isVisible()));
        QCOMPARE(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(folder));
        for (const char *part : {"DB/Jatekosok.DB", "DB/szakma4.DB", "szakmaleiras.txt"})
            QVERIFY2(QFileInfo(QDir(folder).filePath(QLatin1String(part))).isFile(), part);
        QVERIFY(QFileInfo(QDir(folder).filePath(QStringLiteral("munka_pict"))).isDir());
        QVERIFY(QFileInfo(QDir(folder).filePath(QStringLiteral("rtf"))).isDir());

        // The game stores its alias; the student's folder then changes.
        {
            zdb::Session session(config);
            session.addStandardAlias(zdb::gameAlias(), QDir(folder).filePath(QStringLiteral("DB")));
            session.saveConfig();
        }
        QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("szakmaleiras.txt"))));
        QDir::setCurrent(m_startDir);
        {
            zdb::Session session(config);
            QVERIFY(prepareStudentFolder(session, programs, QStringLiteral(ZOMIR_DATA_TOOL)));
            QCOMPARE(session.aliasPath(zdb::gameAlias()), QDir(folder).filePath(QStringLiteral("DB")));
        }
        QVERIFY2(!QFile::exists(QDir(folder).filePath(QStringLiteral("szakmaleiras.txt"))), "the folder was rebuilt");
        QCOMPARE(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(folder));

        // The stick came back under another drive letter: the alias names a folder gone.
        {
            zdb::Session session(config);
            session.removeAlias(zdb::gameAlias());
            session.addStandardAlias(zdb::gameAlias(), m_tmp.filePath(QStringLiteral("elveszett/DB")));
            session.saveConfig();
        }
        {
            zdb::Session session(config);
            QVERIFY(prepareStudentFolder(session, programs, QStringLiteral(ZOMIR_DATA_TOOL)));
        }
        QCOMPARE(zdb::Session(config).aliasPath(zdb::gameAlias()), QDir(folder).filePath(QStringLiteral("DB")));

        // A classroom server alias stays; the folder still serves the pictures and sheets.
        {
            zdb::Session session(config);
            session.setServerAlias(zdb::gameAlias(),
                                   zdb::ServerAddress::parse(QStringLiteral("host=tanari-gep dbname=zomir user=zomir_diak")));
            session.saveConfig();
            QVERIFY(prepareStudentFolder(session, programs, QStringLiteral(ZOMIR_DATA_TOOL)));
        }
        QVERIFY(zdb::Session(config).isServerAlias(zdb::gameAlias()));
    }

    // A new student's folder has the content of 2026; a teacher gets 2010 through
    // ZOMIR_ADOEV, and a year without content is refused with the tool's reason.
    void firstStartYear_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("year");
        QTest::newRow("default") << QString() << 2026;
        QTest::newRow("teacher's 2010") << QStringLiteral("2010") << 2010;
        QTest::newRow("2026 asked") << QStringLiteral(" 2026 ") << 2026;
        QTest::newRow("no such year") << QStringLiteral("2011") << 0;
    }
    void firstStartYear()
    {
        QFETCH(QString, asked);
        QFETCH(int, year);
        const QString programs = m_tmp.filePath(QStringLiteral("ev/%1").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(programs));
        touch(QDir(programs).filePath(studentfolder::portableMarker()));
        const QString folder = QDir(programs).filePath(QStringLiteral("adatok"));
        const QString config = m_tmp.filePath(QStringLiteral("ev/%1.ini").arg(QTest::currentDataTag()));
        const QByteArray before = qgetenv("ZOMIR_ADOEV");
        if (asked.isEmpty())
            qunsetenv("ZOMIR_ADOEV");
        else
            qputenv("ZOMIR_ADOEV", asked.toUtf8());
        QString error;
        {
            zdb::Session session(config);
            try {
                prepareStudentFolder(session, programs, QStringLiteral(ZOMIR_DATA_TOOL));
            } catch (const std::exception &e) {
                error = QString::fromUtf8(e.what());
            }
        }
        if (before.isNull())
            qunsetenv("ZOMIR_ADOEV");
        else
            qputenv("ZOMIR_ADOEV", before);
        QDir::setCurrent(m_startDir);
        if (year == 0) {
            QVERIFY2(error.contains(QStringLiteral("nem készült el")) && error.contains(asked), qPrintable(error));
            return;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        zdb::Session session(m_tmp.filePath(QStringLiteral("ev/read.ini")));
        session.addStandardAlias(QStringLiteral("W"), QDir(folder).filePath(QStringLiteral("DB")));
        zdb::Table t(&session);
        t.setAliasName(QStringLiteral("W"));
        t.setTableName(QStringLiteral("Adoev.DB"));
        t.open();
        t.first();
        QCOMPARE(t.fieldByName(QStringLiteral("Ev")).asInteger(), year);
    }

    // Without a content tool nothing happens: the game runs from its build tree.
    void noToolNoChange()
    {
        zdb::Session session(m_tmp.filePath(QStringLiteral("none.ini")));
        QVERIFY(!prepareStudentFolder(session, m_tmp.path(), QString()));
        QCOMPARE(QDir::currentPath(), m_startDir);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder cannot be made") << QStringLiteral("blocked") << QStringLiteral("nem hozható létre");
        QTest::newRow("tool does not start") << QStringLiteral("notool") << QStringLiteral("nem indul el");
        QTest::newRow("tool fails") << QStringLiteral("toolfails") << QStringLiteral("nem készült el");
    }
    void failures()
    {
        QFETCH(QString, case_);
        QFETCH(QString, message);
        const QString programs = m_tmp.filePath(QStringLiteral("fail/") + case_ + QStringLiteral("/Zomir játék"));
        QVERIFY(QDir().mkpath(programs));
        touch(QDir(programs).filePath(studentfolder::portableMarker()));
        QString tool = QStringLiteral(ZOMIR_DATA_TOOL);
        if (case_ == QLatin1String("blocked"))
            touch(QDir(programs).filePath(QStringLiteral("adatok")));  // a file where the folder goes
        else if (case_ == QLatin1String("notool"))
            tool = QDir(programs).filePath(QStringLiteral("nincs-ilyen"));
        else
            // A file named DB where the tool makes its database folder.
            touch(QDir(programs).filePath(QStringLiteral("adatok/DB")));
        zdb::Session session(m_tmp.filePath(QStringLiteral("fail.ini")));
        try {
            prepareStudentFolder(session, programs, tool);
            QFAIL("no error");
        } catch (const UserError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QVERIFY(!session.aliasExists(zdb::gameAlias()));
    }
};

ZOMIR_TEST_MAIN(TestStudentFolder)
#include "tst_studentfolder.moc"
