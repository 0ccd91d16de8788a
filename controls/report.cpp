#include "controls/report.h"

#include "gui/look.h"

#include "db/engine.h"
#include "rules/usererror.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>

#include <cmath>
#include <stdexcept>

namespace {

// Texts are laid out and drawn in twentieths of a point: a font of P points gets the pixel
// size 20 P in a painter scaled to that unit, so the same glyph advances hold on every
// device (screen, printer, PDF, image) and the layout does not depend on resolution.
constexpr double kTextUnitsPerMm = 72.0 * 20.0 / 25.4;

QFont qtFont(const TQRFont &wanted)
{
    // The game's two faces (look.h).
    const qreal pixels = qRound(wanted.pointSize * 20.0);
    QFont font = wanted.face == TQRFont::TimesNewRoman ? look::serif(pixels, wanted.bold, wanted.italic)
                                                       : look::sans(pixels, wanted.bold, wanted.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Metrics of a font in millimetres.
struct TextMetrics {
    explicit TextMetrics(const TQRFont &wanted) : font(qtFont(wanted)), metrics(font) {}
    double width(const QString &text) const { return metrics.horizontalAdvance(text) / kTextUnitsPerMm; }
    double lineSpacing() const { return metrics.lineSpacing() / kTextUnitsPerMm; }
    double ascent() const { return metrics.ascent() / kTextUnitsPerMm; }
    QFont font;
    QFontMetricsF metrics;
};

// Breaks a text into the lines it takes in a box `width` mm wide: at its own line breaks,
// then at word boundaries (a word longer than the box is broken anywhere).
QStringList wrapLines(const QStringList &paragraphs, const TextMetrics &m, double width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, m.font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width * kTextUnitsPerMm);
            QString text = paragraph.mid(line.textStart(), line.textLength());
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            lines.append(text);
        }
        layout.endLayout();
    }
    return lines;
}

QStringList splitLineBreaks(const QString &text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normal.split(QLatin1Char('\n'));
}

// Left edge of a line of `width` mm aligned in the horizontal span [left, right].
double alignedLeft(TQRAlignment alignment, double left, double right, double width)
{
    switch (alignment) {
    case TQRAlignment::Left:
        return left;
    case TQRAlignment::Right:
        return right - width;
    case TQRAlignment::Centre:
        return (left + right - width) / 2;
    }
    return left;
}

// Draws placed lines of text (top-left of the first line at `ink`'s top).
void drawLines(QPainter &painter, const TextMetrics &m, TQRAlignment alignment, const QRectF &span,
               const QStringList &lines, const QColor &colour = Qt::black)
{
    painter.save();
    painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    painter.setFont(m.font);
    painter.setPen(colour);
    double baseline = span.top() + m.ascent();
    for (const QString &line : lines) {
        const double x = alignedLeft(alignment, span.left(), span.right(), m.width(line));
        painter.drawText(QPointF(x * kTextUnitsPerMm, baseline * kTextUnitsPerMm), line);
        baseline += m.lineSpacing();
    }
    painter.restore();
}

// Fills the ink and glyph boxes of placed lines.
void measureInk(const TextMetrics &m, TQRAlignment alignment, TQRPlaced &placed)
{
    double top = placed.box.top();
    for (const QString &line : std::as_const(placed.lines)) {
        const double width = m.width(line);
        const double left = alignedLeft(alignment, placed.box.left(), placed.box.right(), width);
        if (!line.isEmpty()) {
            const QRectF rect(left, top, width, m.lineSpacing());
            placed.ink = placed.ink.isNull() ? rect : placed.ink.united(rect);
            const QRectF tight = m.metrics.tightBoundingRect(line);
            const QRectF glyphs(left + tight.left() / kTextUnitsPerMm,
                                top + m.ascent() + tight.top() / kTextUnitsPerMm,
                                tight.width() / kTextUnitsPerMm, tight.height() / kTextUnitsPerMm);
            placed.glyphs = placed.glyphs.isNull() ? glyphs : placed.glyphs.united(glyphs);
        }
        top += m.lineSpacing();
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Report and the printing helpers

QPageLayout Report::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

namespace reportprint {

void beginMillimetres(QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    painter.scale(device->logicalDpiX() / 25.4, device->logicalDpiY() / 25.4);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void preparePrinter(const Report &report, QPrinter &printer)
{
    printer.setPageLayout(report.pageLayout());
    // The layouts measure from the sheet's corner; their own margins are part of them.
    printer.setFullPage(true);
    printer.setDocName(report.documentName());
}

void printPages(const Report &report, QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        fail(QString::fromUtf8("A nyomtatás nem indítható el."));
    for (int page = 0; page < report.pageCount(); ++page) {
        if (page > 0)
            printer.newPage();
        painter.save();
        beginMillimetres(painter);
        report.paintPage(page, painter);
        painter.restore();
    }
    painter.end();
}

void writePdf(const Report &report, const QString &fileName)
{
    // Written beside the target and renamed at the end, so a failure never leaves half a
    // file in place of an earlier one.
    QSaveFile file(fileName);
    const auto refuse = [&fileName](const QString &reason) {
        fail(QStringLiteral("A PDF-fájl nem menthető: %1\n%2").arg(fileName, reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        refuse(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.documentName());
        writer.setCreator(QStringLiteral("Zomir"));
        writer.setResolution(1200);
        QPageLayout layout = report.pageLayout();
        layout.setMinimumMargins(QMarginsF());
        layout.setMargins(QMarginsF());
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            refuse(QStringLiteral("A fájl nem írható."));
        for (int page = 0; page < report.pageCount(); ++page) {
            if (page > 0)
                writer.newPage();
            painter.save();
            beginMillimetres(painter);
            report.paintPage(page, painter);
            painter.restore();
        }
        painter.end();
    }
    if (!file.commit())
        refuse(file.errorString());
}

QImage renderPage(const Report &report, int page, double dpi)
{
    const QSizeF paper = report.pageLayout().fullRect(QPageLayout::Millimeter).size();
    QImage image(qRound(paper.width() / 25.4 * dpi), qRound(paper.height() / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    beginMillimetres(painter);
    report.paintPage(page, painter);
    return image;
}

QString pdfFileName(const QString &documentName)
{
    QString name;
    for (const QChar c : documentName.trimmed()) {
        static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
        name.append(c.category() == QChar::Other_Control || forbidden.contains(c) ? QLatin1Char('_') : c);
    }
    if (name.isEmpty())
        name = QStringLiteral("nyomtatvány");
    return name + QStringLiteral(".pdf");
}

QString moneyText(double value)
{
    return QLocale(QLocale::Hungarian, QLocale::Hungary).toCurrencyString(value, QStringLiteral("Ft"), 0);
}

QString generalNumberText(double value)
{
    QLocale locale(QLocale::Hungarian, QLocale::Hungary);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

}  // namespace reportprint

// ---------------------------------------------------------------------------------------------
// Elements

TQRElement::TQRElement(TQuickRep *report, const QString &name, const QRectF &box, bool onPage)
    : QObject(report), m_report(report), m_box(box), m_onPage(onPage)
{
    setObjectName(name);
    report->m_elements.append(this);
}

QRectF TQRElement::sheetBox() const
{
    return m_onPage ? m_box : m_box.translated(m_report->band()->sheetBox().topLeft());
}

TQRTextElement::TQRTextElement(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font,
                               TQRAlignment alignment, bool autoSize)
    : TQRElement(report, name, box), m_font(font), m_alignment(alignment), m_autoSize(autoSize)
{
}

TQRPlaced TQRTextElement::place() const
{
    TQRPlaced placed;
    const QRectF box = sheetBox();
    const QString content = text();
    placed.box = box;
    if (content.isEmpty())
        return placed;   // prints nothing and takes no room
    placed.printed = true;
    const TextMetrics m(m_font);
    if (m_autoSize) {
        // One line as wide as its text, anchored by its alignment.
        QString line = content;
        line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        const double width = m.width(line);
        placed.box = QRectF(alignedLeft(m_alignment, box.left(), box.right(), width), box.top(), width, box.height());
        placed.lines = QStringList{line};
    } else {
        placed.lines = wrapLines(splitLineBreaks(content), m, box.width());
    }
    measureInk(m, m_alignment, placed);
    return placed;
}

void TQRTextElement::paint(QPainter &painter) const
{
    const TQRPlaced placed = place();
    if (!placed.printed)
        return;
    drawLines(painter, TextMetrics(m_font), m_alignment, placed.box, placed.lines);
}

TQRLabel::TQRLabel(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font,
                   TQRAlignment alignment, bool autoSize, const QString &caption)
    : TQRTextElement(report, name, box, font, alignment, autoSize), m_caption(caption)
{
}

TQRDBText::TQRDBText(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font,
                     TQRAlignment alignment, bool autoSize, TableFn table, const QString &field)
    : TQRTextElement(report, name, box, font, alignment, autoSize), m_table(std::move(table)), m_field(field)
{
}

QString TQRDBText::text() const
{
    zdb::Table *table = m_table ? m_table() : nullptr;
    if (!table || !table->active() || table->isEmpty())
        return QString();
    const int index = table->fieldIndex(m_field);
    if (index < 0)
        return QString();
    try {
        const zdb::Field field = table->field(index);
        if (field.isNull())
            return QString();
        switch (field.dataType()) {
        case zdb::FieldType::Money:
            return reportprint::moneyText(field.asFloat());
        case zdb::FieldType::Float:
            return reportprint::generalNumberText(field.asFloat());
        default:
            return field.displayText();
        }
    } catch (const std::exception &) {
        // A value that is not a number prints as it is stored.
        return table->field(index).asString();
    }
}

TQRMemo::TQRMemo(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font)
    : TQRElement(report, name, box), m_font(font)
{
}

void TQRMemo::add(const QString &text)
{
    m_lines.append(splitLineBreaks(text));
}

double TQRMemo::heightFor(const QString &text, const TQRFont &font, double width)
{
    const TextMetrics m(font);
    return double(wrapLines(splitLineBreaks(text), m, width).size()) * m.lineSpacing();
}

TQRPlaced TQRMemo::place() const
{
    TQRPlaced placed;
    placed.box = sheetBox();
    placed.printed = true;
    const TextMetrics m(m_font);
    const QStringList all = wrapLines(m_lines, m, placed.box.width());
    // Only whole lines that fit the box's height are printed.
    const int fitting = int(std::floor(placed.box.height() / m.lineSpacing() + 1e-9));
    placed.lines = all.mid(0, std::max(0, fitting));
    measureInk(m, TQRAlignment::Left, placed);
    return placed;
}

void TQRMemo::paint(QPainter &painter) const
{
    const TQRPlaced placed = place();
    painter.save();
    painter.setClipRect(placed.box, Qt::IntersectClip);
    drawLines(painter, TextMetrics(m_font), TQRAlignment::Left, placed.box, placed.lines);
    painter.restore();
}

TQRShape::TQRShape(TQuickRep *report, const QString &name, const QRectF &box, const QColor &fill)
    : TQRElement(report, name, box), m_fill(fill)
{
}

TQRPlaced TQRShape::place() const
{
    TQRPlaced placed;
    placed.printed = true;
    placed.box = sheetBox();
    return placed;
}

void TQRShape::paint(QPainter &painter) const
{
    painter.save();
    // A one-pixel line of the screen (1/96 inch); a filled axis-aligned rectangle needs no
    // smoothing, and a smoothed fill of a whole page is slow on a raster device.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 25.4 / 96));
    painter.setBrush(m_fill);
    painter.drawRect(sheetBox());
    painter.restore();
}

TQRImage::TQRImage(TQuickRep *report, const QString &name, const QRectF &box, Mode mode, bool onPage)
    : TQRElement(report, name, box, onPage), m_mode(mode)
{
}

QImage TQRImage::picture() const
{
    if (!m_source.isEmpty()) {
        // In the raster engine's own format, so painting does not convert it every time.
        const QImage read(m_source);
        m_picture = read.convertToFormat(read.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                : QImage::Format_RGB32);
        m_source.clear();
    }
    return m_picture;
}

QRectF TQRImage::pictureRect() const
{
    const QRectF box = sheetBox();
    if (m_mode == Stretch)
        return box;
    const QImage image = picture();
    return QRectF(box.topLeft(), QSizeF(image.width(), image.height()) * (25.4 / 96));
}

TQRPlaced TQRImage::place() const
{
    TQRPlaced placed;
    placed.printed = !picture().isNull();
    placed.box = sheetBox();
    return placed;
}

void TQRImage::paint(QPainter &painter) const
{
    const QImage image = picture();
    if (image.isNull())
        return;
    painter.save();
    painter.setClipRect(sheetBox(), Qt::IntersectClip);
    painter.drawImage(pictureRect(), image);
    painter.restore();
}

TQRBar::TQRBar(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font)
    : TQRElement(report, name, box), m_font(font)
{
}

QVector<QRectF> TQRBar::partBoxes() const
{
    const QRectF box = sheetBox();
    double sum = 0;
    for (const TQRBarPart &part : m_parts)
        sum += std::max(0.0, part.amount);
    const double full = m_fullScale > 0 ? m_fullScale : sum;
    QVector<QRectF> boxes;
    double left = box.left();
    for (const TQRBarPart &part : m_parts) {
        const double width = full > 0 ? box.width() * std::max(0.0, part.amount) / full : 0;
        boxes << QRectF(left, box.top(), width, box.height());
        left += width;
    }
    return boxes;
}

QVector<bool> TQRBar::labelled() const
{
    const TextMetrics m(m_font);
    const QVector<QRectF> boxes = partBoxes();
    QVector<bool> fits;
    for (int i = 0; i < m_parts.size(); ++i) {
        const double width = std::max(m.width(m_parts.at(i).name), m.width(m_parts.at(i).amountText));
        fits << (width + 1.5 <= boxes.at(i).width() && 2 * m.lineSpacing() + 1.0 <= boxes.at(i).height());
    }
    return fits;
}

TQRPlaced TQRBar::place() const
{
    TQRPlaced placed;
    placed.printed = !m_parts.isEmpty();
    placed.box = sheetBox();
    const QVector<bool> fits = labelled();
    for (int i = 0; i < m_parts.size(); ++i)
        if (fits.at(i))
            placed.lines << m_parts.at(i).name << m_parts.at(i).amountText;
    return placed;
}

namespace {

// A part's pattern, in lines 1.8 mm apart drawn over its fill.
void drawPattern(QPainter &painter, const QRectF &box, TQRBarPart::Pattern pattern)
{
    if (pattern == TQRBarPart::Plain || box.width() <= 0)
        return;
    constexpr double step = 1.8;
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(QPen(QColor(60, 60, 60), 0.2));
    painter.setBrush(QColor(60, 60, 60));
    const double span = box.width() + box.height();
    const auto diagonals = [&](bool forward) {
        for (double d = 0; d <= span; d += step) {
            if (forward)
                painter.drawLine(QPointF(box.left() + d - box.height(), box.bottom()), QPointF(box.left() + d, box.top()));
            else
                painter.drawLine(QPointF(box.left() + d - box.height(), box.top()), QPointF(box.left() + d, box.bottom()));
        }
    };
    switch (pattern) {
    case TQRBarPart::Diagonal: diagonals(true); break;
    case TQRBarPart::BackDiagonal: diagonals(false); break;
    case TQRBarPart::Cross: diagonals(true); diagonals(false); break;
    case TQRBarPart::Horizontal:
        for (double y = box.top() + step / 2; y < box.bottom(); y += step)
            painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        break;
    case TQRBarPart::Vertical:
        for (double x = box.left() + step / 2; x < box.right(); x += step)
            painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        break;
    case TQRBarPart::Dots:
        painter.setPen(Qt::NoPen);
        for (double y = box.top() + step / 2; y < box.bottom(); y += step)
            for (double x = box.left() + step / 2; x < box.right(); x += step)
                painter.drawEllipse(QPointF(x, y), 0.3, 0.3);
        break;
    case TQRBarPart::Plain: break;
    }
    painter.restore();
}

}  // namespace

void TQRBar::paint(QPainter &painter) const
{
    const QVector<QRectF> boxes = partBoxes();
    const QVector<bool> fits = labelled();
    const TextMetrics m(m_font);
    const QColor red(200, 0, 0);
    painter.save();
    for (int i = 0; i < m_parts.size(); ++i) {
        const TQRBarPart &part = m_parts.at(i);
        const QRectF box = boxes.at(i);
        if (box.width() <= 0)
            continue;
        painter.setPen(Qt::NoPen);
        painter.setBrush(part.fill);
        painter.drawRect(box);
        drawPattern(painter, box, part.pattern);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(part.alarm ? red : QColor(Qt::black), part.alarm ? 0.6 : 0.25));
        painter.drawRect(part.alarm ? box.adjusted(0.3, 0.3, -0.3, -0.3) : box);
        if (!fits.at(i))
            continue;
        // The label on a white patch, centred in the part.
        const double width = std::max(m.width(part.name), m.width(part.amountText));
        const double height = 2 * m.lineSpacing();
        const QRectF patch(box.center().x() - width / 2 - 0.5, box.center().y() - height / 2, width + 1.0, height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(patch);
        const QRectF span = patch.adjusted(0.5, 0, -0.5, 0);
        drawLines(painter, m, TQRAlignment::Centre, span, {part.name});
        // A shortfall's figure is red.
        drawLines(painter, m, TQRAlignment::Centre, span.translated(0, m.lineSpacing()), {part.amountText},
                  part.alarm ? red : QColor(Qt::black));
    }
    painter.restore();
}

TQRBand::TQRBand(TQuickRep *report, const QString &name, const QRectF &sheetBox) : QObject(report), m_box(sheetBox)
{
    setObjectName(name);
}

// ---------------------------------------------------------------------------------------------
// The layout

TQuickRep::TQuickRep(const QString &name, QObject *parent)
    : QObject(parent), m_band(new TQRBand(this, QStringLiteral("QRBand1"), QRectF(10, 10, 190.0, 276.0)))
{
    setObjectName(name);
}

TQRElement *TQuickRep::element(const QString &name) const
{
    for (TQRElement *e : m_elements)
        if (e->objectName() == name)
            return e;
    return nullptr;
}

QString TQuickRep::documentName() const
{
    const QString player = m_playerName ? m_playerName().trimmed() : QString();
    if (player.isEmpty())
        return m_reportName;
    if (m_reportName.isEmpty())
        return player;
    return player + QStringLiteral(" - ") + m_reportName;
}

void TQuickRep::paintPage(int page, QPainter &painter) const
{
    if (page != 0)
        return;
    painter.save();
    // The band is white: the paper shows through it. Its elements come first, in the
    // order they were made, then those on the page, over the band.
    for (const TQRElement *e : m_elements)
        if (!e->onPage())
            e->paint(painter);
    for (const TQRElement *e : m_elements)
        if (e->onPage())
            e->paint(painter);
    painter.restore();
}

void buildLayout(TQuickRep *report, const QVector<TQRLayoutElement> &layout,
                 const std::function<TQRDBText::TableFn(int table)> &table)
{
    for (const TQRLayoutElement &e : layout) {
        const QString name = QString::fromLatin1(e.name);
        const QString text = QString::fromUtf8(e.text);
        switch (e.kind) {
        case TQRLayoutElement::Label:
            new TQRLabel(report, name, e.box, e.font, e.alignment, e.autoSize, text);
            break;
        case TQRLayoutElement::Data:
            new TQRDBText(report, name, e.box, e.font, e.alignment, e.autoSize,
                          table ? table(e.table) : TQRDBText::TableFn(), text);
            break;
        case TQRLayoutElement::Memo: new TQRMemo(report, name, e.box, e.font); break;
        case TQRLayoutElement::Shape: new TQRShape(report, name, e.box, Qt::white); break;
        case TQRLayoutElement::Bar: new TQRBar(report, name, e.box, e.font); break;
        case TQRLayoutElement::Picture: {
            auto *image = new TQRImage(report, name, e.box, e.mode, e.onPage);
            if (!text.isEmpty())
                image->setPictureFile(text);
            break;
        }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Several reports as one document

QString TQRPages::documentName() const
{
    return m_reports.isEmpty() ? QString() : m_reports.first()->documentName();
}

QPageLayout TQRPages::pageLayout() const
{
    return m_reports.isEmpty() ? Report::pageLayout() : m_reports.first()->pageLayout();
}

int TQRPages::pageCount() const
{
    int count = 0;
    for (const Report *report : m_reports)
        count += report->pageCount();
    return count;
}

void TQRPages::paintPage(int page, QPainter &painter) const
{
    for (const Report *report : m_reports) {
        if (page < report->pageCount()) {
            report->paintPage(page, painter);
            return;
        }
        page -= report->pageCount();
    }
}

int TQRPages::helpContext() const
{
    return m_reports.isEmpty() ? 0 : m_reports.first()->helpContext();
}
