#include "dbcontrols.h"

#include "engine.h"

#include <QFocusEvent>

// ---------------------------------------------------------------------------------------------

void TFieldDataLink::setTable(zdb::Table *table)
{
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_table = table;
    if (table) {
        m_connections << connect(table, &zdb::Table::currentChanged, this, &TFieldDataLink::changed)
                      << connect(table, &zdb::Table::dataChanged, this, &TFieldDataLink::changed)
                      << connect(table, &zdb::Table::activeChanged, this, &TFieldDataLink::changed)
                      << connect(table, &zdb::Table::stateChanged, this, &TFieldDataLink::changed);
    }
    emit changed();
}

void TFieldDataLink::setFieldName(const QString &name)
{
    m_fieldName = name;
    emit changed();
}

bool TFieldDataLink::canRead() const
{
    return m_table && m_table->active() && !m_fieldName.isEmpty() && m_table->fieldIndex(m_fieldName) >= 0;
}

QVariant TFieldDataLink::value() const
{
    return canRead() ? m_table->fieldByName(m_fieldName).value() : QVariant();
}

QString TFieldDataLink::displayText() const
{
    return canRead() ? m_table->fieldByName(m_fieldName).displayText() : QString();
}

QString TFieldDataLink::text() const
{
    return canRead() ? m_table->fieldByName(m_fieldName).asString() : QString();
}

void TFieldDataLink::write(const QVariant &value)
{
    if (!canRead())
        return;
    if (m_table->state() == zdb::DataSetState::Browse)
        m_table->edit();
    m_table->fieldByName(m_fieldName).setValue(value);
}

// ---------------------------------------------------------------------------------------------

TDBText::TDBText(QWidget *parent) : QLabel(parent)
{
    connect(&m_link, &TFieldDataLink::changed, this, &TDBText::refresh);
}

void TDBText::bind(zdb::Table *table, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setTable(table);
}

void TDBText::refresh() { setText(m_link.displayText()); }

// ---------------------------------------------------------------------------------------------

TDBEdit::TDBEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(&m_link, &TFieldDataLink::changed, this, &TDBEdit::refresh);
    connect(this, &QLineEdit::textEdited, this, [this] { m_editing = true; });
    connect(this, &QLineEdit::returnPressed, this, &TDBEdit::store);
}

void TDBEdit::bind(zdb::Table *table, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setTable(table);
}

void TDBEdit::refresh()
{
    if (m_editing)
        return;
    // While focused the plain value is edited; otherwise the display format is shown.
    setText(hasFocus() ? m_link.text() : m_link.displayText());
    setCursorPosition(0);
}

void TDBEdit::store()
{
    if (!m_editing)
        return;
    m_editing = false;
    const QString typed = text();
    m_link.write(typed.isEmpty() ? QVariant() : QVariant(typed));
}

void TDBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!m_editing)
        setText(m_link.text());
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    store();
    refresh();
}

// ---------------------------------------------------------------------------------------------

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(&m_link, &TFieldDataLink::changed, this, &TDBMemo::refresh);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            m_dirty = true;
    });
}

void TDBMemo::bind(zdb::Table *table, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setTable(table);
}

void TDBMemo::refresh()
{
    if (m_dirty)
        return;
    m_loading = true;
    setPlainText(m_link.text());
    m_loading = false;
}

void TDBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (!m_dirty)
        return;
    m_dirty = false;
    m_link.write(toPlainText());
}

// ---------------------------------------------------------------------------------------------

TDBImage::TDBImage(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    connect(&m_link, &TFieldDataLink::changed, this, &TDBImage::refresh);
}

void TDBImage::bind(zdb::Table *table, const QString &field)
{
    m_link.setFieldName(field);
    m_link.setTable(table);
}

void TDBImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    render();
}

void TDBImage::refresh()
{
    const QByteArray bytes = m_link.value().toByteArray();
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
