// What every window of both programs shares: error texts a student can read, Enter on a
// focused button, Qt's own texts in Hungarian, no settings files written by Qt, and help
// coming up in front of the window that asked for it.

#include "controls/application.h"
#include "controls/errortext.h"
#include "game/sugo.h"
#include "tests/support/testenv.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

namespace {
// Words of the system's English texts that must not reach a student.
const QStringList kEnglish = {"database", "Unable", "file is", "No such", "directory", "locked",
                              "readonly", "disk", "Permission", "denied", "fetch", "statement"};
}  // namespace

class TestShell : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void friendlyErrors_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("expected");   // parts the box must show
        const QString folder = QDir::tempPath();     // exists
        QTest::addRow("not a database")
            << QStringLiteral("A tábla nem nyitható meg: %1/DB/Jatekosok.DB\nUnable to fetch row file is not a database")
                   .arg(folder)
            << QStringList{"Jatekosok.DB", "nem adatbázistábla"};
        QTest::addRow("read-only")
            << QStringLiteral("A rekord nem menthető a(z) Jatekosok.DB táblába: Unable to fetch row attempt to write "
                              "a readonly database")
            << QStringList{"Jatekosok.DB", "csak olvasható"};
        QTest::addRow("locked")
            << QStringLiteral("Az SQL utasítás nem hajtható végre: Unable to begin transaction database is locked")
            << QStringList{"másik program éppen használja"};
        QTest::addRow("disk full")
            << QStringLiteral("A rekord nem menthető a(z) Jatekosok.DB táblába: database or disk is full")
            << QStringList{"Jatekosok.DB", "megtelt a lemez"};
        QTest::addRow("missing file, quoted path")
            << QStringLiteral("A(z) \"%1/munka/szakma.txt\" fájl nem nyitható meg: No such file or directory").arg(folder)
            << QStringList{"\"szakma.txt\"", "nem található"};
        QTest::addRow("a folder in a file's place")
            << QStringLiteral("A kép nem olvasható be: %1/kepek/ház.jpg\nIs a directory").arg(folder)
            << QStringList{"ház.jpg", "mappa"};
        QTest::addRow("relative game names stay as they are")
            << QStringLiteral("A(z) \"munka_pict\\fordító.jpg\" kép nem tölthető be: a fájl nem található.")
            << QStringList{"\"munka_pict\\fordító.jpg\" kép nem tölthető be: a fájl nem található."};
        QTest::addRow("a server's name and a path in the home folder stay whole")
            << QStringLiteral("A(z) tanari-gep:5432/zomir adatbázis-kiszolgáló nem engedte be a(z) „zomir_diak” "
                              "szerepkört (a jelszó helye ~/.pgpass).")
            << QStringList{"tanari-gep:5432/zomir", "(a jelszó helye ~/.pgpass)."};
        QTest::addRow("the alias points at a folder that is gone")
            << QStringLiteral("A tábla nem található: /nincs/ilyen/zomir/DB/Hazak.DB")
            << QStringList{"Hazak.DB", "\"DB\"", "tablaengine.ini", "README", "újra megkérdezi"};
    }
    void friendlyErrors()
    {
        QFETCH(QString, message);
        QFETCH(QStringList, expected);
        const QString shown = friendlyError(message);
        for (const QString &part : expected)
            QVERIFY2(shown.contains(part), qPrintable(shown));
        for (const QString &word : kEnglish)
            QVERIFY2(!shown.contains(word, Qt::CaseInsensitive), qPrintable(shown));
        QVERIFY2(!shown.contains(QDir::tempPath()) && !shown.contains(QStringLiteral("/nincs/")), qPrintable(shown));
        // The error box reads texts that went through here already: nothing changes.
        QCOMPARE(friendlyError(shown), shown);
    }

    // Errors raised inside a handler reach the error box in Hungarian, without paths.
    void guardedSlotShowsFriendlyText()
    {
        auto *dialogs = static_cast<ScriptedDialogs *>(ZApplication::instance()->dialogs());
        dialogs->clear();
        QVERIFY(!guarded([] { throw std::runtime_error("A(z) \"/home/anna/zomir/ber.txt\" fájl nem írható: Permission denied"); }));
        QCOMPARE(dialogs->texts(QStringLiteral("error")),
                 QStringList{QStringLiteral("A(z) \"ber.txt\" fájl nem írható: nincs jogosultság a használatához")});
    }

    void enterClicksTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::addRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterClicksTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *push = new QPushButton(QStringLiteral("&OK"), &window);
        push->move(0, 40);
        auto *tool = new QToolButton(&window);
        tool->move(0, 80);
        tool->setFocusPolicy(Qt::StrongFocus);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy pushClicks(push, &QPushButton::clicked);
        QSignalSpy toolClicks(tool, &QToolButton::clicked);

        edit->setFocus();
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(pushClicks.size(), 0);   // Enter in a text box is no click

        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(push->hasFocus());
        QTest::keyClick(push, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(pushClicks.size(), 1);
        tool->setFocus();
        QTest::keyClick(tool, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(toolClicks.size(), 1);

        push->setEnabled(false);
        QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(pushClicks.size(), 1);
    }

    // A dialog's buttons click on Enter by themselves; the filter adds no second click.
    void dialogButtonsClickOnce()
    {
        QDialog dialog;
        auto *first = new QPushButton(QStringLiteral("Egy"), &dialog);
        auto *second = new QPushButton(QStringLiteral("Kettő"), &dialog);
        second->move(0, 40);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QSignalSpy clicks(second, &QPushButton::clicked);
        QSignalSpy other(first, &QPushButton::clicked);
        second->setFocus();
        QTest::keyClick(second, Qt::Key_Return);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(other.size(), 0);
    }

    void qtTextsAreHungarian()
    {
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                texts << action->text().section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("&Visszavonás")), qPrintable(texts.join(", ")));
        QVERIFY2(!texts.contains(QStringLiteral("&Undo")), qPrintable(texts.join(", ")));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Mégse"));
    }

    // What Qt's own file dialog remembers goes nowhere the next run would find it.
    void qtWritesNoSettingsFiles()
    {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QVERIFY(!QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName().startsWith(config));
        {
            QFileDialog dialog(nullptr, QString(), QDir::tempPath());
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            dialog.reject();
        }
        QVERIFY(!QFileInfo::exists(config + QStringLiteral("/QtProject.conf")));
        QVERIFY(!QDir(config).exists() || QDir(config).entryList({"*.conf", "*.ini"}, QDir::Files).isEmpty());
    }

    // Help asked for on a window that stays on top (the opening screen) comes up above it.
    void helpComesUpInFrontOfTheAsker()
    {
        QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        onTop.show();
        QVERIFY(QTest::qWaitForWindowActive(&onTop));
        THelpWindow help;
        help.showTopic(8, &onTop);
        QVERIFY(help.isVisible());
        QVERIFY(help.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QCOMPARE(help.currentContext(), 8);

        QWidget plain;
        plain.show();
        QVERIFY(QTest::qWaitForWindowActive(&plain));
        help.showTopic(9, &plain);
        QVERIFY(help.isVisible());
        QVERIFY(!help.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(QTest::qWaitForWindowActive(&help));
    }
};

ZOMIR_TEST_MAIN(TestShell)
#include "tst_shell.moc"
