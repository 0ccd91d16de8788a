#pragma once
// Data-bound controls: each shows one field of a table's current row and follows the
// table's notifications (row moved, data changed, state changed, opened or closed).
// Editable ones put the table into edit state on the first change and write the value
// into the edit buffer when the user leaves them; posting stays with the table's owner.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include "engine.h"

// What a bound control knows of its table and field, and the connections to the table.
class TFieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit TFieldDataLink(QObject *parent = nullptr) : QObject(parent) {}
    void setTable(zdb::Table *table);
    zdb::Table *table() const { return m_table; }
    void setFieldName(const QString &name);
    QString fieldName() const { return m_fieldName; }
    // True when the table is open, has a current row or an edit buffer, and the field exists.
    bool canRead() const;
    QVariant value() const;
    QString displayText() const;
    QString text() const;
    // Puts the table into edit state (if it is not already) and sets the field.
    void write(const QVariant &value);

signals:
    void changed();   // the control should show the field again

private:
    QPointer<zdb::Table> m_table;
    QString m_fieldName;
    QList<QMetaObject::Connection> m_connections;
};

class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(zdb::Table *table, const QString &field);

private:
    void refresh();
    TFieldDataLink m_link;
};

class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(zdb::Table *table, const QString &field);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void refresh();
    void store();
    TFieldDataLink m_link;
    bool m_editing = false;
};

class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(zdb::Table *table, const QString &field);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void refresh();
    TFieldDataLink m_link;
    bool m_loading = false;
    bool m_dirty = false;
};

// Shows a picture field; `stretch` fits the picture to the control, otherwise it is drawn at
// its own size, centred when `center` is set.
class TDBImage : public QLabel {
    Q_OBJECT
public:
    explicit TDBImage(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(zdb::Table *table, const QString &field);
    void setStretch(bool stretch);
    QImage picture() const { return m_image; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void render();
    TFieldDataLink m_link;
    QImage m_image;
    bool m_stretch = false;
};
