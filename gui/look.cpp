#include "gui/look.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

QPixmap picture(const QString &path)
{
    // The highest ratio of the screens: a window may move to any of them.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QString twice = path;
        twice.insert(path.lastIndexOf(u'.'), QStringLiteral("@2x"));
        QPixmap sharp(twice);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(path);
}

QPixmap picture(const QString &path, const QSize &size)
{
    const QPixmap whole = picture(path);
    const qreal ratio = whole.devicePixelRatio();
    QPixmap fitted = whole.scaled(size * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

QIcon drawnIcon(int w, int h, const std::function<void(QPainter &)> &paint)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(qRound(w * ratio), qRound(h * ratio));
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(painter);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

namespace {
int g_readingStep = 0;
}  // namespace

int readingStep() { return g_readingStep; }

void setReadingStep(int step) { g_readingStep = qBound(-2, step, 4); }

qreal readingScale() { return 1.0 + 0.25 * g_readingStep; }

void scaleDocument(QTextDocument *document, qreal factor)
{
    if (qFuzzyCompare(factor, 1.0))
        return;
    QFont base = document->defaultFont();
    if (base.pointSizeF() > 0)
        base.setPointSizeF(base.pointSizeF() * factor);
    else if (base.pixelSize() > 0)
        base.setPixelSize(qMax(1, qRound(base.pixelSize() * factor)));
    document->setDefaultFont(base);
    // Each run of text keeps its own size, scaled; a run without one follows the default.
    // The runs are read first: changing one may merge it with its neighbours.
    struct Run {
        int position, length;
        QTextCharFormat larger;
    };
    QList<Run> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            QTextCharFormat larger;
            if (format.hasProperty(QTextFormat::FontPointSize))
                larger.setFontPointSize(format.fontPointSize() * factor);
            else if (format.hasProperty(QTextFormat::FontPixelSize))
                larger.setProperty(QTextFormat::FontPixelSize,
                                   qMax(1, qRound(format.intProperty(QTextFormat::FontPixelSize) * factor)));
            else
                continue;
            runs.append({fragment.position(), fragment.length(), larger});
        }
    }
    QTextCursor cursor(document);
    for (const Run &run : runs) {
        cursor.setPosition(run.position);
        cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(run.larger);
    }
}

}  // namespace look
