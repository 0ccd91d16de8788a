#include "rules/workfiles.h"

#include "rules/cp1250.h"
#include "rules/usererror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace workfiles {

namespace {

// Why a file could not be used, in words a student understands.
QString reason(const QFile &file, const QString &fullPath)
{
    const QFileInfo info(fullPath);
    if (info.isDir())
        return QStringLiteral("ezen a néven egy mappa van");
    switch (file.error()) {
    case QFileDevice::OpenError:
        if (!info.exists())
            return QStringLiteral("a fájl nem található");
        return QStringLiteral("nincs jogosultság a használatához");
    case QFileDevice::PermissionsError:
        return QStringLiteral("nincs jogosultság a használatához");
    case QFileDevice::ResourceError:
        return QStringLiteral("elfogyott a hely a lemezen");
    case QFileDevice::WriteError:
        return QStringLiteral("az írás nem sikerült (lehet, hogy megtelt a lemez)");
    case QFileDevice::ReadError:
        return QStringLiteral("az olvasás nem sikerült");
    default:
        return QStringLiteral("ki- és beviteli hiba");
    }
}

QString displayName(const QString &name)
{
    QString shown = name;
    shown.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return shown;
}

}  // namespace

QString path(const QString &name, const QString &base)
{
    const QString dir = base.isEmpty() ? QDir::currentPath() : base;
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(relative).isAbsolute())
        return relative;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = dir;
    for (const QString &part : parts) {
        QString chosen = part;
        if (part != QLatin1String(".") && part != QLatin1String("..")
            && !QFileInfo::exists(current + QLatin1Char('/') + part)) {
            const QString wanted = part.normalized(QString::NormalizationForm_C);
            const QStringList entries =
                QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString &entry : entries) {
                if (entry.normalized(QString::NormalizationForm_C).compare(wanted, Qt::CaseInsensitive) == 0) {
                    chosen = entry;
                    break;
                }
            }
        }
        current += QLatin1Char('/') + chosen;
    }
    return current;
}

QByteArray readBytes(const QString &name)
{
    const QString full = path(name);
    QFile file(full);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("A(z) \"%1\" fájl nem olvasható: %2.").arg(displayName(name), reason(file, full)));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("A(z) \"%1\" fájl nem olvasható: %2.").arg(displayName(name), reason(file, full)));
    return data;
}

QStringList readLines(const QString &name)
{
    const QByteArray data = readBytes(name);
    QStringList lines = cp1250::decode(data).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeBytes(const QString &name, const QByteArray &content)
{
    const QString full = path(name);
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("A(z) \"%1\" fájl nem írható: %2.").arg(displayName(name), reason(file, full)));
    if (file.write(content) != content.size() || !file.flush())
        fail(QStringLiteral("A(z) \"%1\" fájl nem írható: %2.").arg(displayName(name), reason(file, full)));
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("A(z) \"%1\" fájl nem írható: %2.").arg(displayName(name), reason(file, full)));
}

void writeLines(const QString &name, const QStringList &lines)
{
    writeBytes(name, cp1250::lines(lines));
}

}  // namespace workfiles
