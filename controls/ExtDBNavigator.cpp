#include "controls/ExtDBNavigator.h"

#include "controls/application.h"
#include "controls/datasource.h"
#include "controls/dialogs.h"
#include "db/engine.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <QGuiApplication>

#include <cmath>

namespace {

// The plain pictures a navigator has before an image list is given: a symbol per button,
// dark on the left half, grey on the right half.
QPixmap defaultGlyph(TExtDBNavigator::Button button)
{
    constexpr int half = 18, height = 18;
    // At twice the pixels on a scaled screen; drawn in device-independent pixels either way.
    const int ratio = qGuiApp && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
    QImage image(half * 2 * ratio, height * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int side = 0; side < 2; ++side) {
        const bool enabled = side == 0;
        const QColor ink = enabled ? QColor(0, 0, 0) : QColor(128, 128, 128);
        const double cx = side * half + half / 2.0, cy = height / 2.0, s = 5;
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        auto left = [&](double x) {
            p.drawPolygon(QPolygonF{QPointF(x + s * 0.6, cy - s), QPointF(x - s * 0.6, cy), QPointF(x + s * 0.6, cy + s)});
        };
        auto right = [&](double x) {
            p.drawPolygon(QPolygonF{QPointF(x - s * 0.6, cy - s), QPointF(x + s * 0.6, cy), QPointF(x - s * 0.6, cy + s)});
        };
        switch (button) {
        case TExtDBNavigator::First:
            p.drawRect(QRectF(cx - s, cy - s, 1.6, s * 2));
            left(cx + 1);
            break;
        case TExtDBNavigator::Prior: left(cx); break;
        case TExtDBNavigator::Next: right(cx); break;
        case TExtDBNavigator::Last:
            right(cx - 1);
            p.drawRect(QRectF(cx + s - 1.6, cy - s, 1.6, s * 2));
            break;
        case TExtDBNavigator::Insert:
            p.drawRect(QRectF(cx - s, cy - 1, s * 2, 2));
            p.drawRect(QRectF(cx - 1, cy - s, 2, s * 2));
            break;
        case TExtDBNavigator::Delete: p.drawRect(QRectF(cx - s, cy - 1, s * 2, 2)); break;
        case TExtDBNavigator::Edit:
            p.drawPolygon(QPolygonF{QPointF(cx, cy - s), QPointF(cx + s, cy + s * 0.6), QPointF(cx - s, cy + s * 0.6)});
            break;
        case TExtDBNavigator::Post: {
            p.setPen(QPen(ink, 2));
            p.setBrush(Qt::NoBrush);
            QPainterPath path;
            path.moveTo(cx - s, cy);
            path.lineTo(cx - s * 0.2, cy + s * 0.8);
            path.lineTo(cx + s, cy - s * 0.8);
            p.drawPath(path);
            break;
        }
        case TExtDBNavigator::Cancel:
            p.setPen(QPen(ink, 2));
            p.drawLine(QPointF(cx - s * 0.8, cy - s * 0.8), QPointF(cx + s * 0.8, cy + s * 0.8));
            p.drawLine(QPointF(cx + s * 0.8, cy - s * 0.8), QPointF(cx - s * 0.8, cy + s * 0.8));
            break;
        case TExtDBNavigator::Refresh:
            p.setPen(QPen(ink, 2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(cx - s, cy - s, s * 2, s * 2), 60 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPolygon(QPolygonF{QPointF(cx + 1, cy - s - 3), QPointF(cx + 5, cy - s + 1), QPointF(cx + 1, cy - s + 4)});
            break;
        }
    }
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TNavButton::TNavButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRepeat(false);   // the navigator runs its own repeat clock
}

void TNavButton::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    update();
}

void TNavButton::setFocusMark(bool mark)
{
    if (m_focusMark == mark)
        return;
    m_focusMark = mark;
    update();
}

QSize TNavButton::sizeHint() const
{
    const QSize glyph = m_glyph.isNull() ? QSize(36, 18) : m_glyph.deviceIndependentSize().toSize();
    return QSize(glyph.width() / 2 + 8, glyph.height() + 8);
}

void TNavButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    option.features = QStyleOptionButton::None;
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    if (!m_glyph.isNull()) {
        const QSizeF full = m_glyph.deviceIndependentSize();
        const QSizeF half(full.width() / 2, full.height());
        const double dpr = m_glyph.devicePixelRatio();
        const QRectF source(isEnabled() ? 0 : half.width() * dpr, 0, half.width() * dpr, half.height() * dpr);
        QPointF topLeft((width() - half.width()) / 2, (height() - half.height()) / 2);
        if (isDown())
            topLeft += QPointF(1, 1);
        p.drawPixmap(QRectF(topLeft, half), m_glyph, source);
    }
    if (m_focusMark) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// ---------------------------------------------------------------------------------------------

QString TExtDBNavigator::defaultHint(Button button)
{
    switch (button) {
    case First: return QString::fromUtf8("Első rekord");
    case Prior: return QString::fromUtf8("Előző rekord");
    case Next: return QString::fromUtf8("Következő rekord");
    case Last: return QString::fromUtf8("Utolsó rekord");
    case Insert: return QString::fromUtf8("Rekord beszúrása");
    case Delete: return QString::fromUtf8("Rekord törlése");
    case Edit: return QString::fromUtf8("Rekord szerkesztése");
    case Post: return QString::fromUtf8("Módosítások véglegesítése");
    case Cancel: return QString::fromUtf8("Módosítás elvetése");
    case Refresh: return QString::fromUtf8("Adatok frissítése");
    }
    return QString();
}

TExtDBNavigator::TExtDBNavigator(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    m_repeatTimer.setSingleShot(false);
    connect(&m_repeatTimer, &QTimer::timeout, this, &TExtDBNavigator::RepeatTimerFired);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new TNavButton(this);
        b->setObjectName(QStringLiteral("NavButton%1").arg(i));
        b->setGlyph(defaultGlyph(Button(i)));
        b->setToolTip(defaultHint(Button(i)));
        b->setStatusTip(defaultHint(Button(i)));
        b->setAccessibleName(defaultHint(Button(i)));
        m_buttons[i] = b;
        m_savedGlyphs[i] = b->glyph();
        m_visible[i] = true;
        connect(b, &QAbstractButton::clicked, this, [this, i] { ButtonClicked(i); });
        connect(b, &QAbstractButton::pressed, this, [this, i] { ButtonPressed(i); });
        connect(b, &QAbstractButton::released, this, [this, i] { ButtonReleased(i); });
    }
    SetAllowTimer(true);
    resize(241, 25);
    updateButtons();
}

TExtDBNavigator::~TExtDBNavigator()
{
    m_repeatTimer.stop();
    disconnect(m_imageListConnection);
    for (const auto &c : m_sourceConnections)
        disconnect(c);
}

void TExtDBNavigator::setDataSource(TDataSource *source)
{
    for (const auto &c : m_sourceConnections)
        disconnect(c);
    m_sourceConnections.clear();
    m_source = source;
    if (source) {
        m_sourceConnections
            << connect(source, &TDataSource::dataSetChanged, this, &TExtDBNavigator::updateButtons)
            << connect(source, &TDataSource::activeChanged, this, &TExtDBNavigator::updateButtons)
            << connect(source, &TDataSource::stateChanged, this, &TExtDBNavigator::updateButtons)
            << connect(source, &TDataSource::currentChanged, this, &TExtDBNavigator::updateButtons)
            << connect(source, &TDataSource::settingsChanged, this, &TExtDBNavigator::updateButtons)
            << connect(source, &QObject::destroyed, this, &TExtDBNavigator::updateButtons, Qt::QueuedConnection);
    }
    updateButtons();
}

TDataSource *TExtDBNavigator::dataSource() const { return m_source; }

void TExtDBNavigator::setVisibleButtons(const QList<Button> &buttons)
{
    for (int i = 0; i < ButtonCount; ++i) {
        m_visible[i] = buttons.contains(Button(i));
        m_buttons[i]->setVisible(m_visible[i]);
    }
    if (!m_visible[m_focusIndex])
        moveFocusMark(1);
    layoutButtons();
}

QList<TExtDBNavigator::Button> TExtDBNavigator::visibleButtons() const
{
    QList<Button> list;
    for (int i = 0; i < ButtonCount; ++i)
        if (m_visible[i])
            list.append(Button(i));
    return list;
}

void TExtDBNavigator::SetImageList(TImageList *list)
{
    disconnect(m_imageListConnection);
    m_imageList = list;
    if (!list) {
        restoreDefaultGlyphs();
        return;
    }
    m_imageListConnection = connect(list, &QObject::destroyed, this, &TExtDBNavigator::imageListDestroyed);
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i]->setGlyph(QPixmap());
        m_buttons[i]->setGlyph(QPixmap::fromImage(list->image(i)));
    }
}

void TExtDBNavigator::imageListDestroyed(QObject *list)
{
    Q_UNUSED(list);
    // The list in use went away first: the navigator falls back to its own pictures.
    m_imageList = nullptr;
    restoreDefaultGlyphs();
}

void TExtDBNavigator::restoreDefaultGlyphs()
{
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[i]->setGlyph(m_savedGlyphs[i]);
}

void TExtDBNavigator::SetAllowTimer(bool allow)
{
    m_allowTimer = allow;
    for (int i = 0; i < ButtonCount; ++i)
        m_autoRepeat[i] = allow;
    if (!allow)
        m_repeatTimer.stop();
}

void TExtDBNavigator::setRepeatIntervals(int firstMs, int nextMs)
{
    m_firstRepeatMs = firstMs;
    m_nextRepeatMs = nextMs;
}

void TExtDBNavigator::updateButtons()
{
    zdb::Table *table = m_source ? m_source->dataSet() : nullptr;
    const bool active = isEnabled() && table && m_source->state() != zdb::DataSetState::Inactive;
    bool atStart = true, atEnd = true, empty = true, editing = false, canModify = false;
    if (active) {
        empty = table->isEmpty();
        editing = table->editing();
        canModify = table->canModify();
        if (table->state() == zdb::DataSetState::Insert) {
            // Moving away from a new row stores it first; every stored row can be reached.
            atStart = atEnd = empty;
        } else {
            const int position = table->recNo();
            atStart = empty || position <= 1;
            atEnd = empty || position >= table->recordCount();
        }
    }
    m_buttons[First]->setEnabled(active && !atStart);
    m_buttons[Prior]->setEnabled(active && !atStart);
    m_buttons[Next]->setEnabled(active && !atEnd);
    m_buttons[Last]->setEnabled(active && !atEnd);
    m_buttons[Insert]->setEnabled(active && canModify);
    m_buttons[Delete]->setEnabled(active && canModify && !empty);
    // An empty table has no row to edit.
    m_buttons[Edit]->setEnabled(active && canModify && !editing && !empty);
    m_buttons[Post]->setEnabled(active && canModify && editing);
    m_buttons[Cancel]->setEnabled(active && canModify && editing);
    m_buttons[Refresh]->setEnabled(active && canModify);
    // A button that became disabled under a held mouse stops repeating.
    if (m_repeatIndex >= 0 && !m_buttons[m_repeatIndex]->isEnabled())
        m_repeatTimer.stop();
}

void TExtDBNavigator::BtnClick(Button which)
{
    TDataSource *source = m_source;
    if (!source || source->state() == zdb::DataSetState::Inactive)
        return;
    switch (which) {
    case First: source->first(); break;
    case Prior: source->prior(); break;
    case Next: source->next(); break;
    case Last: source->last(); break;
    case Insert: source->insert(); break;
    case Delete: {
        if (m_confirmDelete) {
            Dialogs *dialogs = m_dialogs;
            if (!dialogs && ZApplication::instance())
                dialogs = ZApplication::instance()->dialogs();
            if (dialogs) {
                // The question is modal whether or not a window shows it: a held button
                // asks once.
                if (m_performing) {
                    m_interrupted = true;
                    endRepeat();
                }
                if (dialogs->ask(QString::fromUtf8("Megerősítés"), QStringLiteral("Delete record?"),
                                 {QStringLiteral("OK"), QStringLiteral("Cancel")})
                    != 0)
                    return;
            }
        }
        source->deleteRecord();
        break;
    }
    case Edit: source->edit(); break;
    case Post: source->post(); break;
    case Cancel: source->cancel(); break;
    case Refresh: source->refresh(); break;
    }
}

bool TExtDBNavigator::performGuarded(int index)
{
    // A modal box shown by the action blocks this window; the window hears of it first.
    QWidget *top = window();
    const bool nested = m_performing;
    m_performing = true;
    if (!nested) {
        m_interrupted = false;
        top->installEventFilter(this);
    }
    const QPointer<TExtDBNavigator> alive(this);
    const bool ok = guarded([&] { BtnClick(Button(index)); });
    if (!alive)
        return ok;
    if (!ok)
        m_interrupted = true;   // the error box was shown
    if (!nested) {
        top->removeEventFilter(this);
        m_performing = false;
    }
    return ok;
}

bool TExtDBNavigator::eventFilter(QObject *watched, QEvent *event)
{
    if (m_performing && event->type() == QEvent::WindowBlocked) {
        m_interrupted = true;
        // The box now has the mouse: the held button comes up at once, so that a release
        // that still reaches it while the box is open does not act once more.
        endRepeat();
    }
    return QWidget::eventFilter(watched, event);
}

void TExtDBNavigator::ButtonClicked(int index)
{
    if (m_focusIndex != index && m_visible[index]) {
        m_focusIndex = index;
        updateFocusMark();
    }
    performGuarded(index);
}

void TExtDBNavigator::ButtonPressed(int index)
{
    m_repeatTimer.stop();
    m_repeatIndex = index;
    if (m_autoRepeat[index]) {
        m_repeatTimer.setInterval(m_firstRepeatMs);
        m_repeatTimer.start();
    }
}

void TExtDBNavigator::ButtonReleased(int index)
{
    Q_UNUSED(index);
    m_repeatTimer.stop();
    m_repeatIndex = -1;
}

void TExtDBNavigator::RepeatTimerFired()
{
    if (m_repeatIndex < 0 || m_performing) {
        // No button held, or an action still running (its box has an event loop of its
        // own, in which this timer must not act again).
        m_repeatTimer.stop();
        return;
    }
    m_repeatTimer.setInterval(m_nextRepeatMs);
    const int index = m_repeatIndex;
    TNavButton *b = m_buttons[index];
    // Only while the button is still held down: the press captured the mouse, and a button
    // stays down only while the pointer is over it.
    if (!b->isDown())
        return;
    m_repeatTimer.stop();
    const QPointer<TExtDBNavigator> alive(this);
    const bool ok = performGuarded(index);
    if (!alive)
        return;
    if (!ok || m_interrupted) {
        // An error or a question ends the hold for good: the box took the mouse release.
        endRepeat();
        return;
    }
    if (m_repeatIndex == index && b->isDown() && m_autoRepeat[index])
        m_repeatTimer.start();
}

void TExtDBNavigator::endRepeat()
{
    m_repeatTimer.stop();
    const int index = m_repeatIndex;
    m_repeatIndex = -1;
    if (index < 0)
        return;
    TNavButton *b = m_buttons[index];
    // The button comes up and forgets the press, so neither a later move of the still held
    // mouse nor its release acts once more.
    b->setDown(false);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-1, -1), b->mapToGlobal(QPointF(-1, -1)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(b, &release);
}

void TExtDBNavigator::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateButtons();
}

void TExtDBNavigator::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutButtons();
}

void TExtDBNavigator::layoutButtons()
{
    const QList<Button> shown = visibleButtons();
    if (shown.isEmpty())
        return;
    // Equal widths; the pixels left over go one each to the first buttons.
    const int each = width() / int(shown.size());
    int extra = width() - each * int(shown.size());
    int x = 0;
    for (Button b : shown) {
        const int w = each + (extra > 0 ? 1 : 0);
        if (extra > 0)
            --extra;
        m_buttons[b]->setGeometry(x, 0, w, height());
        x += w;
    }
}

void TExtDBNavigator::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    updateFocusMark();
}

void TExtDBNavigator::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    updateFocusMark();
}

void TExtDBNavigator::updateFocusMark()
{
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[i]->setFocusMark(hasFocus() && i == m_focusIndex);
}

void TExtDBNavigator::moveFocusMark(int step)
{
    for (int n = 0; n < ButtonCount; ++n) {
        const int i = m_focusIndex + step * (n + 1);
        if (i < 0 || i >= ButtonCount)
            break;
        if (m_visible[i]) {
            m_focusIndex = i;
            break;
        }
    }
    if (!m_visible[m_focusIndex]) {
        // The marked button was hidden: the first shown one takes the mark.
        for (int i = 0; i < ButtonCount; ++i)
            if (m_visible[i]) {
                m_focusIndex = i;
                break;
            }
    }
    updateFocusMark();
}

void TExtDBNavigator::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveFocusMark(-1); break;
    case Qt::Key_Right: moveFocusMark(1); break;
    case Qt::Key_Space:
        // A held space bar repeats the moves only: the other actions ask or report, and the
        // repeated key would answer their box.
        if (m_buttons[m_focusIndex]->isEnabled() && (!event->isAutoRepeat() || m_focusIndex <= Last))
            performGuarded(m_focusIndex);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}
