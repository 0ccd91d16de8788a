#include "game/careerwidgets.h"

#include "gui/look.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>
#include <QtMath>

namespace careerui {

namespace {

// Lines of a caption laid out `step` pixels apart; returns their count.
int layoutCaption(QTextLayout &layout, int width, int step, Qt::Alignment horizontal)
{
    QTextOption option(horizontal);
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

QRect drawCaption(QPainter &painter, const QRect &box, const QString &text, const QFont &font,
                  Qt::Alignment alignment, const QColor &colour)
{
    // The lines are set as closely as the classic system fonts set them (one pixel over
    // the font's pixel size), and the font steps down when even so they would not fit.
    QFont fitted = font;
    QTextLayout layout(text);
    int step = 0, lines = 0;
    for (qreal points = font.pointSizeF(); ; points -= 0.5) {
        fitted.setPointSizeF(points);
        step = QFontInfo(fitted).pixelSize() + 1;
        layout.setFont(fitted);
        lines = layoutCaption(layout, box.width(), step, alignment & Qt::AlignHorizontal_Mask);
        if (lines * step <= box.height() || points <= 6.0)
            break;
    }
    const int height = lines * step;
    const int top = (alignment & Qt::AlignVCenter) ? box.top() + qMax(0, (box.height() - height) / 2)
                                                   : box.top();
    const qreal lift = (step - QFontMetrics(fitted).height()) / 2.0;
    painter.save();
    painter.setPen(colour);
    layout.draw(&painter, QPointF(box.left(), top + lift));
    painter.restore();

    qreal left = box.width(), right = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        left = qMin(left, line.x() + line.cursorToX(line.textStart()));
        right = qMax(right, line.x() + line.cursorToX(line.textStart() + line.textLength()));
    }
    return QRect(box.left() + qFloor(left), top, qCeil(right - left), height);
}

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

    const QRect box = button->rect().adjusted(indicator.right() + 5, 0, 0, 0);
    const QColor colour = button->palette().color(
        button->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    const QRect used = drawCaption(painter, box, button->text(), button->font(),
                                   Qt::AlignLeft | Qt::AlignVCenter, colour);
    if (button->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(button);
        focus.rect = used.adjusted(-1, 0, 1, 0).intersected(button->rect());
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

TWrapLabel::TWrapLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setWordWrap(true);
}

void TWrapLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    careerui::drawCaption(painter, contentsRect(), text(), font(), alignment(),
                          palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                          QPalette::WindowText));
}

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
        Q_EMIT clicked();
}
