// The layer rules of the tree: the tree itself keeps them, and the checker finds an include
// that breaks one (a small tree per case, written for the test).

#include "tests/layers/layers.h"
#include "tests/support/testenv.h"

class TestLayers : public QObject {
    Q_OBJECT

    // Writes the files "path=content" into a fresh tree and checks it.
    layers::Result checkTree(const QStringList &files)
    {
        m_tree = std::make_unique<QTemporaryDir>();
        for (const QString &entry : files) {
            const int eq = int(entry.indexOf(QLatin1Char('=')));
            const QString path = m_tree->filePath(entry.left(eq));
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(path));
            file.write(entry.mid(eq + 1).replace(QLatin1Char('|'), QLatin1Char('\n')).toUtf8());
        }
        return layers::check(m_tree->path());
    }
    std::unique_ptr<QTemporaryDir> m_tree;

private Q_SLOTS:
    void theTreeKeepsTheRules()
    {
        const layers::Result result = layers::check(QStringLiteral(ZOMIR_SOURCE_DIR));
        QVERIFY2(result.violations.isEmpty() && result.unresolved.isEmpty(), qPrintable(layers::report(result)));
        // The graph names the layers that exist and only edges the rules allow.
        QVERIFY(result.graph.contains(QStringLiteral("controls")));
        QVERIFY(result.graph.contains(QStringLiteral("game")));
        QVERIFY(!result.graph.contains(QStringLiteral("db")));
        QVERIFY(!result.graph.contains(QStringLiteral("rules")));
    }

    void brokenRulesAreFound_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("rule");   // empty: no violation
        const QString engine = QStringLiteral("db/engine.h=#pragma once");
        const QString payroll = QStringLiteral("rules/payroll.h=#pragma once");
        const QString look = QStringLiteral("gui/look.h=#pragma once|#include \"rules/payroll.h\"");
        const QString dialogs = QStringLiteral("controls/dialogs.h=#pragma once|#include \"db/engine.h\"");
        const QString game = QStringLiteral("game/game.h=#pragma once|#include \"controls/dialogs.h\"|#include \"gui/look.h\"");
        QTest::addRow("every layer on the ones below") << QStringList{engine, payroll, look, dialogs, game} << QString();
        QTest::addRow("the engine includes a control")
            << QStringList{QStringLiteral("db/engine.cpp=#include \"db/engine.h\"|#include \"controls/dialogs.h\""), engine, dialogs}
            << QStringLiteral("db may not include controls");
        QTest::addRow("the rules include the engine")
            << QStringList{QStringLiteral("rules/payroll.cpp=#include \"rules/payroll.h\"|#include \"db/engine.h\""), payroll,
                           engine}
            << QStringLiteral("rules may not include db");
        QTest::addRow("the look kit includes a control")
            << QStringList{QStringLiteral("gui/look.cpp=#include \"controls/dialogs.h\""), dialogs, engine}
            << QStringLiteral("gui may not include controls");
        QTest::addRow("a control includes the game")
            << QStringList{QStringLiteral("controls/report.cpp=#include \"game/game.h\""), game, dialogs, engine, look, payroll}
            << QStringLiteral("controls may not include game");
        QTest::addRow("the utility includes a game header")
            << QStringList{QStringLiteral("maintenance/Unit1.cpp=#include \"game/game.h\""), game, dialogs, engine, look, payroll}
            << QStringLiteral("maintenance may not include game");
        QTest::addRow("a screen includes another screen")
            << QStringList{QStringLiteral("game/kival.cpp=#include \"game/kival.h\"|#include \"game/szakma.h\""),
                           QStringLiteral("game/kival.h=#pragma once"), QStringLiteral("game/szakma.h=#pragma once")}
            << QStringLiteral("a screen includes another screen");
        QTest::addRow("the screen map includes every screen")
            << QStringList{QStringLiteral("game/game.cpp=#include \"game/kival.h\"|#include \"game/szakma.h\""),
                           QStringLiteral("game/kival.h=#pragma once"), QStringLiteral("game/szakma.h=#pragma once")}
            << QString();
        QTest::addRow("a program includes a test file")
            << QStringList{QStringLiteral("game/game.cpp=#include \"tests/support/testenv.h\""),
                           QStringLiteral("tests/support/testenv.h=#pragma once")}
            << QStringLiteral("game includes a test or benchmark file");
        QTest::addRow("an include without its folder")
            << QStringList{QStringLiteral("game/kival.cpp=#include \"game/kival.h\"|#include \"engine.h\""),
                           QStringLiteral("game/kival.h=#pragma once"), engine}
            << QStringLiteral("an include without its folder");
        QTest::addRow("tests include anything")
            << QStringList{QStringLiteral("tests/tst_x.cpp=#include \"game/kival.h\"|#include \"db/engine.h\""),
                           QStringLiteral("game/kival.h=#pragma once"), engine}
            << QString();
    }

    void brokenRulesAreFound()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, rule);
        const layers::Result result = checkTree(files);
        QVERIFY2(result.unresolved.isEmpty(), qPrintable(layers::report(result)));
        if (rule.isEmpty()) {
            QVERIFY2(result.violations.isEmpty(), qPrintable(layers::report(result)));
            return;
        }
        QCOMPARE(result.violations.size(), 1);
        QCOMPARE(result.violations.first().rule, rule);
        QCOMPARE(result.violations.first().line, files.first().count(QLatin1Char('|')) + 1);
        QVERIFY(layers::report(result).contains(rule));
    }

    void unknownIncludesAreReported()
    {
        const layers::Result result = checkTree({QStringLiteral("db/engine.cpp=#include \"db/nowhere.h\"|#include \"x.moc\"")});
        QCOMPARE(result.unresolved, QStringList{QStringLiteral("db/engine.cpp:1: db/nowhere.h")});
    }
};

ZOMIR_TEST_MAIN(TestLayers)
#include "tst_layers.moc"
