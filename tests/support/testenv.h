#pragma once
// What every test program shares: a temporary folder for files, the engine configuration
// kept in it (never the user's own), and a main that runs the test under ZApplication so
// that exceptions escaping handlers reach the application-level handler.

#include "controls/application.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

namespace testenv {

// Points the engine's default configuration at a fresh temporary place for this process
// (XDG_CONFIG_HOME), before any Session is created.
void isolateConfiguration();

// Folder of the tests' own data files (tests/data in the source tree).
QString dataDir();

// Copies every file below `from` into `to` (created when missing), keeping the sub-folders.
// False when a file cannot be copied.
bool copyFolder(const QString &from, const QString &to);

}  // namespace testenv

#define ZOMIR_TEST_MAIN(TestObject)                                   \
    int main(int argc, char *argv[])                                  \
    {                                                                 \
        testenv::isolateConfiguration();                              \
        ZApplication app(argc, argv);                                 \
        ScriptedDialogs appDialogs;                                   \
        app.setDialogs(&appDialogs);                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                      \
        TestObject tc;                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                    \
        return QTest::qExec(&tc, argc, argv);                         \
    }
