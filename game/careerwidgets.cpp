#include "careerwidgets.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>
#include <QtMath>

namespace careerui {

QFont sansFont(int points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QFont serifFont(int points, bool bold, bool italic)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")});
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont fittingFont(const QFont &font, const QRect &box, int flags, const QString &text)
{
    QFont fitted = font;
    for (qreal points = font.pointSizeF(); points >= 6.0; points -= 0.5) {
        fitted.setPointSizeF(points);
        if (QFontMetrics(fitted).boundingRect(box, flags, text).height() <= box.height())
            break;
    }
    return fitted;
}

void fitToBox(QLabel *label)
{
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    label->setFont(fittingFont(label->font(), label->contentsRect(), flags, label->text()));
}

namespace {

// Lines of a caption laid out `step` pixels apart; returns their count.
int layoutCaption(QTextLayout &layout, int width, int step)
{
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * step));
        ++lines;
    }
    layout.endLayout();
    return lines;
}

}  // namespace

void paintWrapped(QAbstractButton *button, bool radio)
{
    QStylePainter painter(button);
    QStyleOptionButton option;
    option.initFrom(button);
    option.state |= button->isChecked() ? QStyle::State_On : QStyle::State_Off;
    if (button->isDown())
        option.state |= QStyle::State_Sunken;
    QStyle *style = button->style();
    QRect indicator = style->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    indicator.moveTop((button->height() - indicator.height()) / 2);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = indicator;
    painter.drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                          indicatorOption);

    // The caption's lines are set as closely as the classic system font sets them (one
    // pixel over the font's pixel size), and the font steps down when even so they would
    // not fit in the box.
    const QRect box = button->rect().adjusted(indicator.right() + 5, 0, 0, 0);
    QFont font = button->font();
    QTextLayout layout(button->text());
    int step = 0, lines = 0;
    for (qreal points = font.pointSizeF(); ; points -= 0.5) {
        font.setPointSizeF(points);
        step = QFontInfo(font).pixelSize() + 1;
        layout.setFont(font);
        lines = layoutCaption(layout, box.width(), step);
        if (lines * step <= box.height() || points <= 6.0)
            break;
    }
    const QFontMetrics metrics(font);
    const int height = lines * step;
    const int top = box.top() + qMax(0, (box.height() - height) / 2);
    const qreal lift = (step - metrics.height()) / 2.0;
    painter.setPen(button->palette().color(button->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::WindowText));
    layout.draw(&painter, QPointF(box.left(), top + lift));

    if (button->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(button);
        qreal widest = 0;
        for (int i = 0; i < layout.lineCount(); ++i)
            widest = qMax(widest, layout.lineAt(i).naturalTextWidth());
        focus.rect = QRect(box.left() - 1, top, qCeil(widest) + 2, height).intersected(button->rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace careerui

TWrapCheckBox::TWrapCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent) {}

void TWrapCheckBox::paintEvent(QPaintEvent *) { careerui::paintWrapped(this, false); }

bool TWrapCheckBox::hitButton(const QPoint &pos) const { return rect().contains(pos); }

TWrapRadioButton::TWrapRadioButton(const QString &text, QWidget *parent) : QRadioButton(text, parent) {}

void TWrapRadioButton::paintEvent(QPaintEvent *) { careerui::paintWrapped(this, true); }

bool TWrapRadioButton::hitButton(const QPoint &pos) const { return rect().contains(pos); }

TClickImage::TClickImage(QWidget *parent) : QLabel(parent) { setCursor(Qt::PointingHandCursor); }

void TClickImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void TClickImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
