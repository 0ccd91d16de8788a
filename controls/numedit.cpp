#include "controls/numedit.h"

#include "controls/displayformat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <cmath>

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kDelete = 127;

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QChar singleChar(const QString &s) { return s.size() == 1 ? s.at(0) : QChar(); }

}  // namespace

TNumberEdit::TNumberEdit(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(121, 25);
    m_displayFormat = defaultFormat(m_entryRequired);
    ShowValue();
}

QString TNumberEdit::defaultFormat(TNumberEditType kind)
{
    return kind == floatingpointvalue ? QStringLiteral("0.00, Ft;(0.00, Ft)") : QStringLiteral("0;-0");
}

void TNumberEdit::setEntryRequired(TNumberEditType kind)
{
    m_entryRequired = kind;
    ApplyEntryKindFormat();
}

void TNumberEdit::ApplyEntryKindFormat()
{
    m_displayFormat = defaultFormat(m_entryRequired);
    ShowValue();
}

void TNumberEdit::setDisplayFormat(const QString &format)
{
    if (format == m_displayFormat)
        return;
    m_displayFormat = format;
    ShowValue();
}

void TNumberEdit::setValue(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    ShowValue();
    Q_EMIT ValueChanged(m_value);
}

void TNumberEdit::ShowValue()
{
    setText(displayformat::formatFloat(m_displayFormat, m_value, locale()));
}

bool TNumberEdit::parseNumberText(const QString &text, const QLocale &locale, double *result)
{
    const QChar group = singleChar(locale.groupSeparator());
    const QChar decimal = singleChar(locale.decimalPoint());
    bool negative = false;
    QString collected;
    for (const QChar c : text) {
        if (c == u'-' || c == u'(')
            negative = true;
        if (isAsciiDigit(c))
            collected += c;
        else if ((c == u'.' || c == decimal) && c != group)
            collected += u'.';
    }
    if (collected.isEmpty()) {
        *result = 0.0;
        return true;
    }
    bool ok = false;
    const double v = collected.toDouble(&ok);  // "." is the point whatever the locale
    if (!ok || !std::isfinite(v))
        return false;
    *result = v == 0.0 ? 0.0 : (negative ? -v : v);
    return true;
}

bool TNumberEdit::ReadValueFromText()
{
    double v = 0.0;
    if (!parseNumberText(text(), locale(), &v)) {
        QApplication::beep();
        Q_EMIT beeped();
        return false;
    }
    // The number as the field will show it: what is seen is what is judged.
    const double shown = displayformat::shownValue(m_displayFormat, v);
    if (shown != m_value) {
        m_value = shown;
        Q_EMIT ValueChanged(m_value);
    }
    return true;
}

void TNumberEdit::RestoreEntryValue()
{
    const bool changed = m_value != m_entryValue;
    m_value = m_entryValue;
    ShowValue();
    selectAll();
    if (changed)
        Q_EMIT ValueChanged(m_value);
}

void TNumberEdit::insertFiltered(const QString &text)
{
    if (isReadOnly())
        return;
    for (const QChar c : text) {
        // Line ends, tabs and other control characters of a pasted text are no input.
        if (c.unicode() < 32 || c.unicode() == kDelete)
            continue;
        if (acceptCharacter(c))
            insert(QString(c));
    }
}

bool TNumberEdit::isDecimalMark(QChar c) const
{
    const QLocale loc = locale();
    const QChar group = singleChar(loc.groupSeparator());
    return (c == u'.' || c == singleChar(loc.decimalPoint())) && c != group;
}

bool TNumberEdit::candidateInRange(const QString &candidate) const
{
    if (m_entryRequired == floatingpointvalue)
        return true;
    // The sign and the digits decide; the space an empty field starts with and extra
    // minus signs are not reasons to refuse a digit (the read-back ignores them too).
    QString digits;
    for (const QChar c : candidate) {
        if (c == u'-' || c == u' ')
            continue;
        if (!isAsciiDigit(c))
            return true;  // not a plain integer (pasted text): the read-back judges it
        digits += c;
    }
    int lead = 0;
    while (lead < digits.size() - 1 && digits.at(lead) == u'0')
        ++lead;
    digits = digits.mid(lead);
    if (digits.isEmpty())
        return true;
    if (digits.size() > 10)
        return false;
    qint64 v = digits.toLongLong();
    if (candidate.contains(u'-'))
        v = -v;
    switch (m_entryRequired) {
    case integervalue:
        return v >= -32768 && v <= 32767;
    case longintvalue:
        return v >= -2147483648LL && v <= 2147483647LL;
    case wordvalue:
        return v <= 65535;
    case floatingpointvalue:
        break;
    }
    return true;
}

bool TNumberEdit::acceptCharacter(QChar c)
{
    // An empty field first gets a space; the typed character goes in front of it.
    if (text().isEmpty()) {
        setText(QStringLiteral(" "));
        setCursorPosition(0);
    }

    const bool point = m_entryRequired == floatingpointvalue && isDecimalMark(c);
    const bool minus = c == u'-' && m_entryRequired != wordvalue;
    const bool erase = c == QChar(kBackspace) || c == QChar(kDelete);
    const bool digit = isAsciiDigit(c);
    if (!point && !minus && !erase && !digit)
        return false;

    const QString current = text();
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selEnd = hasSelectedText() ? selectionEnd() : cursorPosition();
    const QString selected = current.mid(selStart, selEnd - selStart);

    if (minus)
        return selStart == 0;
    if (point) {
        bool hasPoint = false, selectedPoint = false;
        for (const QChar t : current)
            hasPoint = hasPoint || isDecimalMark(t);
        for (const QChar t : selected)
            selectedPoint = selectedPoint || isDecimalMark(t);
        return !hasPoint || (!selected.isEmpty() && selectedPoint);
    }
    if (erase)
        return true;
    // A digit never goes in front of the sign.
    if (selStart == 0 && !selected.contains(u'-') && current.startsWith(u'-'))
        return false;
    QString candidate = current;
    candidate.replace(selStart, selEnd - selStart, c);
    return candidateInRange(candidate);
}

void TNumberEdit::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    Q_EMIT keyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    // Enter and Escape are no input of the field: they go on to the window (its default
    // or cancel button), unless a keyDown handler took them.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A paste goes through the filter; the other clipboard and undo shortcuts would change
    // the text past it.
    if (event->matches(QKeySequence::Paste)) {
        insertFiltered(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Redo) || event->matches(QKeySequence::SelectAll)) {
        event->accept();
        return;
    }

    QChar c;
    if (event->key() == Qt::Key_Backspace)
        c = QChar(kBackspace);
    else if (event->key() == Qt::Key_Delete || event->text().isEmpty())
        c = QChar();  // a key without a character: moving, deleting forward
    else
        c = event->text().at(0);

    if (c.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!acceptCharacter(c)) {
        event->accept();
        return;
    }
    if (c == QChar(kBackspace) || c == QChar(kDelete) || event->text().size() == 1)
        QLineEdit::keyPressEvent(event);
    else
        insert(QString(c));
}

void TNumberEdit::focusInEvent(QFocusEvent *event)
{
    // Coming back from a menu or from another window is no arrival. A click or a Tab into
    // the field while it still counts as entered is one: the window gave the focus to
    // another field while it was inactive, and the field never saw its departure.
    const bool arriving = event->reason() != Qt::PopupFocusReason
                          && (!m_inside || event->reason() != Qt::ActiveWindowFocusReason);
    if (arriving) {
        m_inside = true;
        m_entryValue = m_value;
        // The press that brought the focus must not place the cursor over the selection.
        m_clickEntered = event->reason() == Qt::MouseFocusReason;
        selectAll();
    }
    QLineEdit::focusInEvent(event);
    if (arriving)
        Q_EMIT entered();
}

void TNumberEdit::focusOutEvent(QFocusEvent *event)
{
    // A context menu or another window taking the focus for a while is no departure.
    const bool leaving = m_inside && event->reason() != Qt::PopupFocusReason
                         && event->reason() != Qt::ActiveWindowFocusReason;
    if (leaving) {
        m_inside = false;
        m_clickEntered = false;
        ReadValueFromText();
        ShowValue();
    }
    QLineEdit::focusOutEvent(event);
    if (leaving)
        Q_EMIT exited();
}

void TNumberEdit::hideEvent(QHideEvent *event)
{
    // A closed window took the focus without a departure: the next focus enters anew.
    if (!hasFocus())
        m_inside = false;
    QLineEdit::hideEvent(event);
}

void TNumberEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::LocaleChange)
        ShowValue();
}

void TNumberEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_clickEntered) {
        // The click that entered the field keeps everything selected.
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TNumberEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_clickEntered) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TNumberEdit::mouseReleaseEvent(QMouseEvent *event)
{
    const bool entering = m_clickEntered;
    m_clickEntered = false;
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        // The middle button pastes the selection, through the filter.
        insertFiltered(QGuiApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    if (entering) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TNumberEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_clickEntered = false;
    QLineEdit::mouseDoubleClickEvent(event);
}

void TNumberEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // The field's own menu, in the game's language; its paste goes through the filter like
    // every other way in.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    const auto add = [menu](const QString &text, const char *name, bool enabled) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
        return action;
    };
    connect(add(QStringLiteral("Ki&vágás"), "edit-cut", editable && selected), &QAction::triggered, this,
            [this] {
                QGuiApplication::clipboard()->setText(selectedText());
                del();
            });
    connect(add(QStringLiteral("&Másolás"), "edit-copy", selected), &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(selectedText()); });
    connect(add(QStringLiteral("&Beillesztés"), "edit-paste",
                editable && !QGuiApplication::clipboard()->text().isEmpty()),
            &QAction::triggered, this, [this] { insertFiltered(QGuiApplication::clipboard()->text()); });
    connect(add(QStringLiteral("&Törlés"), "edit-delete", editable && selected), &QAction::triggered, this,
            [this] { del(); });
    menu->addSeparator();
    connect(add(QStringLiteral("Az összes &kijelölése"), "select-all", !text().isEmpty()), &QAction::triggered,
            this, [this] { selectAll(); });
    menu->popup(event->globalPos());
    event->accept();
}

void TNumberEdit::dropEvent(QDropEvent *event)
{
    if (isReadOnly() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertFiltered(event->mimeData()->text());
    // Taken as a copy: a text dragged out of the field stays where it was.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TNumberEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    insertFiltered(event->commitString());
    event->accept();
}
