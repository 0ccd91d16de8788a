#include "tests/layers/layers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>

namespace layers {

namespace {

// Folders, most specific first, and their layers.
const QVector<QPair<QString, QString>> &folders()
{
    static const QVector<QPair<QString, QString>> list = {
        {QStringLiteral("rules/"), QStringLiteral("rules")},
        {QStringLiteral("gui/"), QStringLiteral("gui")},
        {QStringLiteral("db/"), QStringLiteral("db")},
        {QStringLiteral("controls/"), QStringLiteral("controls")},
        {QStringLiteral("game/"), QStringLiteral("game")},
        {QStringLiteral("maintenance/"), QStringLiteral("maintenance")},
        {QStringLiteral("data/"), QStringLiteral("data")},
    };
    return list;
}

bool isSource(const QString &name)
{
    return name.endsWith(QLatin1String(".cpp")) || name.endsWith(QLatin1String(".h"));
}

QString unitOf(const QString &relativePath) { return QFileInfo(relativePath).completeBaseName(); }

}  // namespace

QString layerOf(const QString &relativePath)
{
    for (const auto &folder : folders())
        if (relativePath.startsWith(folder.first))
            return folder.second;
    return QString();
}

QSet<QString> allowedBelow(const QString &layer)
{
    const QSet<QString> base = {QStringLiteral("db"), QStringLiteral("rules"), QStringLiteral("gui"),
                                QStringLiteral("controls")};
    if (layer == QLatin1String("gui"))
        return {QStringLiteral("rules")};
    if (layer == QLatin1String("controls"))
        return {QStringLiteral("db"), QStringLiteral("rules"), QStringLiteral("gui")};
    if (layer == QLatin1String("game") || layer == QLatin1String("maintenance") || layer == QLatin1String("data"))
        return base;
    return {};   // db and rules include nothing of ours
}

QSet<QString> screenUnits()
{
    return {QStringLiteral("nyito"),    QStringLiteral("befejez"),   QStringLiteral("kival"),
            QStringLiteral("teszt"),    QStringLiteral("szakma"),    QStringLiteral("palya"),
            QStringLiteral("jovedelem"), QStringLiteral("adozas"),   QStringLiteral("uQuickRep"),
            QStringLiteral("uQuickRep2"), QStringLiteral("uQuickRep3")};
}

Result check(const QString &root)
{
    const QDir base(root);
    // Every source file of the tree, by relative path, and by bare name for includes
    // written without their folder.
    QStringList files;
    QMap<QString, QStringList> byName;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = base.relativeFilePath(it.next());
        if (path.startsWith(QLatin1String("build")) || path.startsWith(QLatin1Char('.')) || !isSource(path))
            continue;
        files << path;
        byName[QFileInfo(path).fileName()] << path;
    }
    std::sort(files.begin(), files.end());

    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    Result result;
    for (const QString &path : files) {
        const QString layer = layerOf(path);
        if (layer.isEmpty())
            continue;
        QFile file(base.filePath(path));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&file);
        int lineNumber = 0;
        while (!in.atEnd()) {
            const QString line = in.readLine();
            ++lineNumber;
            const QRegularExpressionMatch m = include.match(line);
            if (!m.hasMatch())
                continue;
            const QString name = m.captured(1);
            // Beside the file, then from the root, then by its bare name.
            QString target;
            const QString beside = QDir::cleanPath(QFileInfo(path).path() + QLatin1Char('/') + name);
            if (files.contains(beside))
                target = beside;
            else if (files.contains(QDir::cleanPath(name)))
                target = QDir::cleanPath(name);
            else if (byName.value(QFileInfo(name).fileName()).size() == 1)
                target = byName.value(QFileInfo(name).fileName()).first();
            if (target.isEmpty()) {
                // Generated files (moc output, ui headers) are not part of the tree.
                if (!name.startsWith(QLatin1String("moc_")) && !name.startsWith(QLatin1String("ui_"))
                    && !name.endsWith(QLatin1String(".moc")))
                    result.unresolved << QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(name);
                continue;
            }
            // Our headers are named with their folder, from the top of the tree.
            if (!name.contains(QLatin1Char('/')))
                result.violations.append({path, lineNumber, target, QStringLiteral("an include without its folder")});
            const QString targetLayer = layerOf(target);
            if (targetLayer.isEmpty() || targetLayer == layer) {
                // Inside one layer only the screens are kept apart.
                if (layer == QLatin1String("game") && targetLayer == layer) {
                    const QString from = unitOf(path), to = unitOf(target);
                    if (from != to && screenUnits().contains(from) && screenUnits().contains(to))
                        result.violations.append({path, lineNumber, target,
                                                  QStringLiteral("a screen includes another screen")});
                }
                if (targetLayer.isEmpty())
                    result.violations.append({path, lineNumber, target,
                                              QStringLiteral("%1 includes a test or benchmark file").arg(layer)});
                continue;
            }
            result.graph[layer].insert(targetLayer);
            if (!allowedBelow(layer).contains(targetLayer))
                result.violations.append({path, lineNumber, target,
                                          QStringLiteral("%1 may not include %2").arg(layer, targetLayer)});
        }
    }
    return result;
}

QString report(const Result &result)
{
    QString text;
    for (auto it = result.graph.begin(); it != result.graph.end(); ++it) {
        QStringList below(it.value().begin(), it.value().end());
        std::sort(below.begin(), below.end());
        text += QStringLiteral("%1 -> %2\n").arg(it.key(), below.join(QStringLiteral(", ")));
    }
    for (const Violation &v : result.violations)
        text += QStringLiteral("%1:%2: includes %3: %4\n").arg(v.file).arg(v.line).arg(v.included, v.rule);
    for (const QString &u : result.unresolved)
        text += QStringLiteral("%1: names no file of the tree\n").arg(u);
    return text;
}

}  // namespace layers
