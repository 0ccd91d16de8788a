#include "tests/support/testenv.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

namespace testenv {

void isolateConfiguration()
{
    // One folder per test process, removed when the process ends.
    static QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
}

QString dataDir() { return QStringLiteral(ZOMIR_TESTDATA_DIR); }

bool copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

}  // namespace testenv
