#include "testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdlib>

namespace testenv {

void isolateConfiguration()
{
    // One folder per test process, removed when the process ends.
    static QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
}

QString dataDir() { return QStringLiteral(ZOMIR_TESTDATA_DIR); }

}  // namespace testenv
