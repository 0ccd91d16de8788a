#include "dbcontrols.h"

#include "application.h"
#include "engine.h"

#include <QFocusEvent>

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
    emit changed();
    emit editingChanged();
}

void TFieldDataLink::onDataChanged(int field)
{
    // A lookup field changes with the key it is computed from.
    if (field < 0) {
        emit changed();
        return;
    }
    const int own = fieldIndex();
    if (own >= 0 && table()->sourceFieldOf(own) == field)
        emit changed();
}

void TFieldDataLink::setFieldName(const QString &name)
{
    m_fieldName = name;
    emit changed();
    emit editingChanged();
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
    emit editingChanged();
}

bool TFieldDataLink::canModify() const
{
    const int index = fieldIndex();
    return !m_readOnly && index >= 0 && active() && !table()->isReadOnlyField(index) && dataSource()->canEditByTyping();
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
    connect(&m_link, &TFieldDataLink::changed, this, &TDBEdit::refresh);
    connect(&m_link, &TFieldDataLink::editingChanged, this, &TDBEdit::updateReadOnly);
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
    const QString typed = text();
    m_link.write(typed.isEmpty() ? QVariant() : QVariant(typed));
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

void TDBMemo::onTextChanged()
{
    if (m_loading || m_pending)
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
