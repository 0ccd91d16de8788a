#include "gui/look.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>

#include <cmath>

namespace look {

namespace {

const QStringList &sansFamilies()
{
    static const QStringList families = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                         QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    return families;
}

const QStringList &serifFamilies()
{
    static const QStringList families = {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                                         QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    return families;
}

QFont face(const QStringList &families, QFont::StyleHint hint, bool bold, bool italic)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace

QFont sans(qreal pixelSize, bool bold, bool italic)
{
    QFont font = face(sansFamilies(), QFont::SansSerif, bold, italic);
    font.setPixelSize(qMax(1, int(std::lround(pixelSize))));
    return font;
}

QFont serif(qreal pixelSize, bool bold, bool italic)
{
    QFont font = face(serifFamilies(), QFont::Serif, bold, italic);
    font.setPixelSize(qMax(1, int(std::lround(pixelSize))));
    return font;
}

QFont drawingSans(qreal pixelSize, bool bold, bool italic)
{
    QFont font = face(QStringList{QStringLiteral("DejaVu Sans")} + sansFamilies(), QFont::SansSerif, bold, italic);
    font.setPixelSize(qMax(1, int(std::lround(pixelSize))));
    return font;
}

QFont drawingSerif(qreal pixelSize, bool bold, bool italic)
{
    QFont font = face(QStringList{QStringLiteral("DejaVu Serif")} + serifFamilies(), QFont::Serif, bold, italic);
    font.setPixelSize(qMax(1, int(std::lround(pixelSize))));
    return font;
}

QFont sansPoints(int points, bool bold, bool italic)
{
    QFont font = face(sansFamilies(), QFont::SansSerif, bold, italic);
    font.setPointSize(points);
    return font;
}

QFont serifPoints(int points, bool bold, bool italic)
{
    QFont font = face(serifFamilies(), QFont::Serif, bold, italic);
    font.setPointSize(points);
    return font;
}

QFont fitted(QFont font, const QString &text, const QSizeF &box, int flags, qreal minimumPixels)
{
    int size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    const auto fits = [&] {
        const QRectF needed = QFontMetricsF(font).boundingRect(QRectF(QPointF(0, 0), box), flags, text);
        return needed.width() <= box.width() + 0.5 && needed.height() <= box.height() + 0.5;
    };
    while (size > minimumPixels && !fits())
        font.setPixelSize(--size);
    return font;
}

}  // namespace look
