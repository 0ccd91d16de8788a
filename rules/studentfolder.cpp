#include "rules/studentfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace studentfolder {

QString contentTool(const QString &programDir)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("zomir-data.exe");
#else
    const QString name = QStringLiteral("zomir-data");
#endif
    const QFileInfo tool(QDir(programDir).filePath(name));
    return tool.isFile() && tool.isExecutable() ? tool.absoluteFilePath() : QString();
}

QString location(const QString &programDir)
{
    const QDir programs(programDir);
    if (QFileInfo(programs.filePath(portableMarker())).isFile())
        return QDir::cleanPath(programs.absoluteFilePath(QStringLiteral("adatok")));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#ifdef Q_OS_WIN
    return QDir::cleanPath(data + QStringLiteral("/Zomir"));
#else
    return QDir::cleanPath(data + QStringLiteral("/zomir"));
#endif
}

bool isBuilt(const QString &folder) { return QFileInfo(QDir(folder).filePath(QStringLiteral("DB"))).isDir(); }

QString aliasTarget(const QString &folder, const QString &aliasPath)
{
    if (!aliasPath.isEmpty() && QFileInfo(aliasPath).isDir())
        return QString();
    return QDir::cleanPath(QDir(folder).absoluteFilePath(QStringLiteral("DB")));
}

}  // namespace studentfolder
