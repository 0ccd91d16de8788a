#pragma once
// TNumberEdit: a one-line, right-aligned entry field for a number.
//
// The number lives in `Value`; the text shows it through `DisplayFormat` (see
// displayformat.h) with the field's locale. While the user types, a key filter lets only
// the characters of the kind of number in `EntryRequired` through; when the focus leaves
// the field the text is read back into `Value` (ReadValueFromText) and shown again
// (ShowValue) before `exited()` is emitted, so its handlers see the new value. When the
// focus arrives the whole text is selected before `entered()` is emitted.
//
// Properties can be set from a Qt Designer form (custom widget with header "numedit.h"):
//   EntryRequired (enum TNumberEdit::TNumberEditType), DisplayFormat (string),
//   Value (double). Set EntryRequired before DisplayFormat: EntryRequired resets the
//   format to the kind's own.
//
// Read-back: "-" or "(" anywhere makes the number negative; the digits and the decimal
// point are kept, everything else (spaces, thousands separators, " Ft", parentheses) is
// dropped. The decimal point is "." or the locale's decimal separator, except a character
// that is the locale's thousands separator: "1 200,50 Ft" reads as 1200.5 in Hungarian,
// "1.200,50" as 1200.5 in German. A text that is no number (two decimal points, a number
// too large for a double) sounds the information beep and keeps the old value. The number
// read is then taken as the format shows it ("2.5" under "0, Ft" becomes 3, shown "3 Ft"),
// so that whoever judges `Value` judges what the user sees.
//
// Focus arriving by Tab, by program or by a mouse click selects the whole text, so the
// first key replaces it. Text pasted (Ctrl+V, the context menu, the middle button), dropped
// or composed goes through the key filter character by character, as if typed.
// RestoreEntryValue() (the window's Escape) puts back the value the field had when the
// focus arrived, however often it is used.

#include <QLineEdit>

class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    enum TNumberEditType { integervalue, longintvalue, floatingpointvalue, wordvalue };
    Q_ENUM(TNumberEditType)

private:
    Q_PROPERTY(TNumberEditType EntryRequired READ EntryRequired WRITE setEntryRequired)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE setDisplayFormat)
    Q_PROPERTY(double Value READ Value WRITE setValue NOTIFY ValueChanged USER true)

public:
    explicit TNumberEdit(QWidget *parent = nullptr);

    TNumberEditType EntryRequired() const { return m_entryRequired; }
    void setEntryRequired(TNumberEditType kind);

    QString DisplayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format);

    double Value() const { return m_value; }
    // A different number is stored and shown; the number already held changes nothing,
    // not even an edited text.
    void setValue(double value);

    // The text becomes Value in DisplayFormat.
    void ShowValue();
    // Reads the text into Value (see above). Returns false, after the beep, when the text
    // is not a number; Value then keeps its number.
    bool ReadValueFromText();

    // The text shows again the value the field had when the focus arrived, all selected;
    // Value is that value (it is only read from the text when the focus leaves).
    void RestoreEntryValue();

    // Inserts text as if its characters were typed one by one (the key filter drops what
    // the field does not take); the first character taken replaces the selection.
    void insertFiltered(const QString &text);

    // The read-back rule on its own: the number a text stands for under `locale`, or
    // false when it stands for none.
    static bool parseNumberText(const QString &text, const QLocale &locale, double *result);

    // The format a kind of number starts with.
    static QString defaultFormat(TNumberEditType kind);

Q_SIGNALS:
    void entered();
    // After the text has been read back and shown again.
    void exited();
    // Before the field handles a key; a handler that sets `key` to 0 swallows it.
    void keyDown(int &key, Qt::KeyboardModifiers modifiers);
    // The information beep of a text that is not a number.
    void beeped();
    // Value holds another number (set by a program or read from the text).
    void ValueChanged(double value);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void ApplyEntryKindFormat();
    // The key filter for one typed character; true when the character may go in.
    bool acceptCharacter(QChar c);
    bool isDecimalMark(QChar c) const;
    bool candidateInRange(const QString &candidate) const;

    TNumberEditType m_entryRequired = floatingpointvalue;
    QString m_displayFormat;
    double m_value = 0.0;
    bool m_inside = false;  // between a focus arrival and a real focus departure
    double m_entryValue = 0.0;      // Value when the focus arrived
    bool m_clickEntered = false;    // the focus came with the mouse press now going on
};

using TNumberEditType = TNumberEdit::TNumberEditType;
