#include "controls/dbcontrols.h"

#include "controls/application.h"
#include "controls/displayformat.h"
#include "db/engine.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QValidator>

#include <cmath>

QVariant typedValue(zdb::FieldType type, const QString &text)
{
    if (text.isEmpty())
        return QVariant();
    double number = 0;
    switch (type) {
    case zdb::FieldType::Float:
    case zdb::FieldType::Money:
        return displayformat::readNumber(text, &number) ? QVariant(number) : QVariant(text);
    case zdb::FieldType::Int16:
    case zdb::FieldType::Int32:
        if (displayformat::readNumber(text, &number) && number == std::trunc(number) && std::fabs(number) < 1e15)
            return QVariant(qint64(number));
        return QVariant(text);
    default:
        return QVariant(text);
    }
}

int characterCount(const QString &text)
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i, ++n)
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    return n;
}

QString limitedText(const QString &text, int limit, int *cursor)
{
    int excess = limit > 0 ? characterCount(text) - limit : 0;
    if (excess <= 0)
        return text;
    QString out = text;
    int at = cursor ? std::clamp(*cursor, 0, int(out.size())) : int(out.size());
    // Never start inside a pair.
    if (at > 0 && at < out.size() && out.at(at).isLowSurrogate() && out.at(at - 1).isHighSurrogate())
        ++at;
    auto unitsBefore = [&out](int pos) {
        return pos >= 2 && out.at(pos - 1).isLowSurrogate() && out.at(pos - 2).isHighSurrogate() ? 2 : 1;
    };
    while (excess > 0 && at > 0) {
        const int n = unitsBefore(at);
        out.remove(at - n, n);
        at -= n;
        --excess;
    }
    while (excess > 0 && !out.isEmpty()) {   // the cursor was at the start: cut at the end
        out.chop(unitsBefore(int(out.size())));
        --excess;
    }
    if (cursor)
        *cursor = at;
    return out;
}

bool isTypingKey(const QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::Delete) || event->matches(QKeySequence::DeleteEndOfWord)
        || event->matches(QKeySequence::DeleteStartOfWord))
        return true;
    if (event->key() == Qt::Key_Backspace)
        return true;
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    return text.at(0).isPrint() || text.at(0).isSurrogate();
}

namespace {

// Keeps a line edit's text within a number of characters as a reader counts them; what a
// keystroke or a paste puts beyond it is dropped.
class CharacterLimit : public QValidator {
public:
    explicit CharacterLimit(QObject *parent) : QValidator(parent) {}
    int limit = 0;
    State validate(QString &input, int &pos) const override
    {
        input = limitedText(input, limit, &pos);
        return Acceptable;
    }
};

}  // namespace

// ---------------------------------------------------------------------------------------------

TFieldDataLink::TFieldDataLink(QObject *parent) : TDataLink(parent)
{
    connect(this, &TDataLink::sourceChanged, this, &TFieldDataLink::connectSource);
}

void TFieldDataLink::connectSource()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (TDataSource *source = dataSource()) {
        m_connections << connect(source, &TDataSource::currentChanged, this, &TFieldDataLink::changed)
                      << connect(source, &TDataSource::dataChanged, this, &TFieldDataLink::onDataChanged)
                      << connect(source, &TDataSource::activeChanged, this, &TFieldDataLink::changed)
                      << connect(source, &TDataSource::activeChanged, this, &TFieldDataLink::editingChanged)
                      << connect(source, &TDataSource::dataSetChanged, this, &TFieldDataLink::changed)
                      << connect(source, &TDataSource::dataSetChanged, this, &TFieldDataLink::editingChanged)
                      << connect(source, &TDataSource::stateChanged, this, &TFieldDataLink::editingChanged)
                      << connect(source, &TDataSource::settingsChanged, this, &TFieldDataLink::editingChanged);
    }
    Q_EMIT changed();
    Q_EMIT editingChanged();
}

void TFieldDataLink::onDataChanged(int field)
{
    // A lookup field changes with the key it is computed from.
    if (field < 0) {
        Q_EMIT changed();
        return;
    }
    const int own = fieldIndex();
    if (own >= 0 && table()->sourceFieldOf(own) == field)
        Q_EMIT changed();
}

void TFieldDataLink::setFieldName(const QString &name)
{
    m_fieldName = name;
    Q_EMIT changed();
    Q_EMIT editingChanged();
}

int TFieldDataLink::fieldIndex() const
{
    zdb::Table *t = table();
    if (!t || !t->active() || m_fieldName.isEmpty())
        return -1;
    return t->fieldIndex(m_fieldName);
}

bool TFieldDataLink::canRead() const { return active() && fieldIndex() >= 0; }

QVariant TFieldDataLink::value() const { return canRead() ? table()->fieldValue(fieldIndex()) : QVariant(); }

QString TFieldDataLink::displayText() const
{
    return canRead() ? table()->field(fieldIndex()).displayText() : QString();
}

QString TFieldDataLink::text() const { return canRead() ? table()->field(fieldIndex()).asString() : QString(); }

void TFieldDataLink::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    Q_EMIT editingChanged();
}

bool TFieldDataLink::canModify() const
{
    const int index = fieldIndex();
    return !m_readOnly && index >= 0 && active() && !table()->isReadOnlyField(index) && dataSource()->canEditByTyping();
}

bool TFieldDataLink::waitsForEdit() const
{
    const int index = fieldIndex();
    TDataSource *source = dataSource();
    if (m_readOnly || index < 0 || !active() || table()->isReadOnlyField(index) || !table()->canModify())
        return false;
    return !source->autoEdit() && !source->isEditing();
}

zdb::FieldType TFieldDataLink::fieldType() const
{
    const int index = fieldIndex();
    return index >= 0 ? table()->fieldType(index) : zdb::FieldType::String;
}

int TFieldDataLink::fieldSize() const
{
    const int index = fieldIndex();
    if (index < 0)
        return 0;
    const zdb::FieldType type = table()->fieldType(index);
    if (type != zdb::FieldType::String && type != zdb::FieldType::Memo)
        return 0;
    return std::max(0, table()->field(index).size());
}

bool TFieldDataLink::edit()
{
    if (!canModify())
        return false;
    bool editable = false;
    guarded([&] { editable = dataSource()->editForTyping(); });
    return editable;
}

void TFieldDataLink::write(const QVariant &value)
{
    if (!canModify())
        return;
    if (!dataSource()->isEditing() && !dataSource()->editForTyping())
        return;
    table()->field(fieldIndex()).setValue(value);
}

// ---------------------------------------------------------------------------------------------

TDBText::TDBText(QWidget *parent) : QLabel(parent)
{
    connect(&m_link, &TFieldDataLink::changed, this, &TDBText::refresh);
}

void TDBText::bind(TDataSource *source, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setDataSource(source);
}

void TDBText::refresh() { setText(m_link.displayText()); }

// ---------------------------------------------------------------------------------------------

TDBEdit::TDBEdit(QWidget *parent) : QLineEdit(parent)
{
    m_limit = new CharacterLimit(this);
    setValidator(m_limit);
    connect(&m_link, &TFieldDataLink::changed, this, &TDBEdit::refresh);
    connect(&m_link, &TFieldDataLink::editingChanged, this, &TDBEdit::updateReadOnly);
    connect(&m_link, &TFieldDataLink::editingChanged, this, &TDBEdit::updateLimit);
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::onTextEdited);
    connect(this, &QLineEdit::returnPressed, this, [this] { guarded([this] { store(); }); });
    m_link.setUpdater([this] { store(); });
    updateReadOnly();
}

void TDBEdit::bind(TDataSource *source, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setDataSource(source);
}

void TDBEdit::refresh()
{
    m_pending = false;
    // While focused the plain value is edited; otherwise the display format is shown.
    setText(hasFocus() ? m_link.text() : m_link.displayText());
    setCursorPosition(0);
}

void TDBEdit::updateReadOnly() { setReadOnly(!m_link.canModify()); }

int TDBEdit::lengthLimit() const { return static_cast<const CharacterLimit *>(m_limit)->limit; }

// Set again whenever the field or its table may have changed.
void TDBEdit::updateLimit() { static_cast<CharacterLimit *>(m_limit)->limit = m_link.fieldSize(); }

void TDBEdit::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly() && isTypingKey(event) && m_link.waitsForEdit())
        m_link.dataSource()->notifyTypingIgnored();
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::onTextEdited()
{
    if (m_pending)
        return;
    // The first change of the text puts the record into edit; when it cannot be edited
    // the field's value comes back.
    if (!m_link.edit()) {
        refresh();
        return;
    }
    m_pending = true;
}

void TDBEdit::store()
{
    if (!m_pending)
        return;
    m_pending = false;
    m_link.write(typedValue(m_link.fieldType(), text()));
}

void TDBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!m_pending)
        setText(m_link.text());
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (guarded([this] { store(); }) && !m_pending)
        refresh();
}

// ---------------------------------------------------------------------------------------------

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(&m_link, &TFieldDataLink::changed, this, &TDBMemo::refresh);
    connect(&m_link, &TFieldDataLink::editingChanged, this, &TDBMemo::updateReadOnly);
    connect(this, &QPlainTextEdit::textChanged, this, &TDBMemo::onTextChanged);
    m_link.setUpdater([this] { store(); });
    updateReadOnly();
}

void TDBMemo::bind(TDataSource *source, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setDataSource(source);
}

void TDBMemo::refresh()
{
    m_pending = false;
    m_loading = true;
    setPlainText(m_link.text());
    m_loading = false;
}

void TDBMemo::updateReadOnly() { setReadOnly(!m_link.canModify()); }

int TDBMemo::lengthLimit() const
{
    const int size = m_link.fieldSize();
    return size > 0 ? size : m_memoLimit;
}

void TDBMemo::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly() && (isTypingKey(event) || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && m_link.waitsForEdit())
        m_link.dataSource()->notifyTypingIgnored();
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::applyLimit()
{
    const int limit = lengthLimit();
    const QString text = toPlainText();
    if (limit <= 0 || characterCount(text) <= limit)
        return;
    QTextCursor cursor = textCursor();
    int position = cursor.position();
    const QString cut = limitedText(text, limit, &position);
    m_loading = true;
    setPlainText(cut);
    m_loading = false;
    cursor = textCursor();
    cursor.setPosition(std::min(position, int(cut.size())));
    setTextCursor(cursor);
}

void TDBMemo::onTextChanged()
{
    if (m_loading)
        return;
    applyLimit();
    if (m_pending)
        return;
    if (!m_link.edit()) {
        refresh();
        return;
    }
    m_pending = true;
}

void TDBMemo::store()
{
    if (!m_pending)
        return;
    m_pending = false;
    m_link.write(toPlainText());
}

void TDBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    guarded([this] { store(); });
}

// ---------------------------------------------------------------------------------------------

TDBImage::TDBImage(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    connect(&m_link, &TFieldDataLink::changed, this, &TDBImage::refresh);
}

void TDBImage::bind(TDataSource *source, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setDataSource(source);
}

void TDBImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    render();
}

void TDBImage::refresh()
{
    const QByteArray bytes = m_link.value().toByteArray();
    if (m_decoded && bytes == m_bytes)
        return;   // the same picture: nothing to decode
    m_bytes = bytes;
    m_decoded = true;
    m_image = QImage();
    if (!bytes.isEmpty())
        m_image.loadFromData(bytes);
    render();
}

void TDBImage::render()
{
    if (m_image.isNull()) {
        clear();
        return;
    }
    const QImage shown = m_stretch ? m_image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   : m_image;
    setPixmap(QPixmap::fromImage(shown));
}

void TDBImage::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_stretch)
        render();
}
