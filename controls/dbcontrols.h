#pragma once
// Data-bound controls: each shows one field of its data source's current record and
// follows only the notices that concern it (another record, its own field changed, the
// table opened, closed or entering edit). Editable ones take typing when the source lets
// them (AutoEdit on, or the record already in edit), start the edit at the first change,
// and hand the typed text to the edit buffer when the user leaves them, presses Return,
// or when the record is posted or left in any other way. Posting stays with the owner.
// Text fields limit what can be typed to the field's length; numbers and amounts are read
// back in the form they are shown in ("12 500 Ft").

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "controls/datasource.h"

class QKeyEvent;
class QValidator;

// The value a text typed into a control gives a field of `type`: numbers and amounts read
// in the forms they are shown in ("12 500 Ft", "1,5"); anything else, and a number an
// integer field cannot hold whole, as it was typed, for the engine to judge at the post.
// An empty text is an empty value.
QVariant typedValue(zdb::FieldType type, const QString &text);

// The text cut to at most `limit` characters as a reader counts them (a character outside
// the basic plane is one, never split): the excess goes from just before `cursor`, where
// typing or a paste put it, and `cursor` follows. A limit of 0 or less cuts nothing.
QString limitedText(const QString &text, int limit, int *cursor = nullptr);
int characterCount(const QString &text);

// Whether a key typed into a text control would change its text.
bool isTypingKey(const QKeyEvent *event);

// What a bound control knows of its source and field.
class TFieldDataLink : public TDataLink {
    Q_OBJECT
public:
    explicit TFieldDataLink(QObject *parent = nullptr);
    void setFieldName(const QString &name);
    QString fieldName() const { return m_fieldName; }
    int fieldIndex() const;   // -1 without an open table or such a field
    // True when the table is open, has a current row or an edit buffer, and the field exists.
    bool canRead() const;
    QVariant value() const;
    QString displayText() const;
    QString text() const;
    // A read-only link never writes: the control only shows its field. (A bound edit's own
    // QLineEdit::setReadOnly follows the link and would be set again on the next notice.)
    void setReadOnly(bool readOnly);
    bool readOnly() const { return m_readOnly; }
    // Whether the control may be typed into now.
    bool canModify() const;
    // Whether typing would be taken once the record is put into edit: the field can be
    // written but the source waits for the navigator's edit (AutoEdit off).
    bool waitsForEdit() const;
    zdb::FieldType fieldType() const;   // String when there is no field
    // The field's length in characters (text and memo fields that have one), 0 otherwise.
    int fieldSize() const;
    // Starts the edit of the record for a control being typed into (AutoEdit). Errors are
    // shown in the error box. True when the record can now take the typed value.
    bool edit();
    // Writes a value into the edit buffer. With the record not in edit, this starts the
    // edit only when the source's AutoEdit is on; otherwise nothing changes.
    void write(const QVariant &value);

Q_SIGNALS:
    void changed();          // the control should show the field again
    void editingChanged();   // whether the control may be typed into changed

private:
    void connectSource();
    void onDataChanged(int field);
    QString m_fieldName;
    bool m_readOnly = false;
    QList<QMetaObject::Connection> m_connections;
};

class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(TDataSource *source, const QString &field);

private:
    void refresh();
    TFieldDataLink m_link;
};

class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(TDataSource *source, const QString &field);
    // How many characters can be typed: the text field's length, 0 for no limit.
    int lengthLimit() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refresh();
    void updateReadOnly();
    void updateLimit();
    void onTextEdited();
    void store();
    TFieldDataLink m_link;
    QValidator *m_limit = nullptr;   // keeps the text within the field's length
    bool m_pending = false;   // typed text not yet in the edit buffer
};

class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(TDataSource *source, const QString &field);
    // How many characters can be typed: the field's length, or for a field of any length
    // the limit set here (none by default); 0 for no limit.
    int lengthLimit() const;
    void setMemoLimit(int limit) { m_memoLimit = limit; }

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refresh();
    void updateReadOnly();
    void onTextChanged();
    void store();
    void applyLimit();
    TFieldDataLink m_link;
    bool m_loading = false;
    bool m_pending = false;
    int m_memoLimit = 0;
};

// Shows a picture field; `stretch` fits the picture to the control, otherwise it is drawn at
// its own size, centred. The picture is decoded again only when its bytes change.
class TDBImage : public QLabel {
    Q_OBJECT
public:
    explicit TDBImage(QWidget *parent = nullptr);
    TFieldDataLink *dataLink() { return &m_link; }
    void bind(TDataSource *source, const QString &field);
    void setStretch(bool stretch);
    QImage picture() const { return m_image; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void render();
    TFieldDataLink m_link;
    QByteArray m_bytes;
    bool m_decoded = false;   // m_image holds the picture of m_bytes
    QImage m_image;
    bool m_stretch = false;
};
