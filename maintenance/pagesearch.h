#pragma once
// The search row of an editing page: a field whose Enter finds the next record holding the
// typed text in any of its fields (accents and letter case ignored, anywhere inside a
// text) and makes it the page's current record; the window's F3 and Ctrl+F reach the
// current page's search through findNext and focusField. What was found, or that nothing
// was, is said through `message` (the window's status bar), never in a box.

#include <QWidget>

class QLabel;
class QLineEdit;
class TDataSource;

class TPageSearch : public QWidget {
    Q_OBJECT
public:
    // `page` is the page the row lies on, `caption` its tab's text.
    TPageSearch(TDataSource *source, QWidget *page, const QString &caption);

    QLineEdit *field() const { return m_field; }
    QLabel *label() const { return m_label; }

    // The texts of a row that the search looks in: every field but pictures and yes/no
    // fields, as stored and as shown ("12500" and "12 500 Ft").
    static QStringList rowTexts(const TDataSource *source, int row);

public Q_SLOTS:
    // Finds the next record from the current one on (the current one itself when the text
    // was changed since the last search), going round past the last record.
    void findNext();
    void focusField();

Q_SIGNALS:
    void message(const QString &text);

private Q_SLOTS:
    void textEdited();

private:
    TDataSource *m_source;
    QLabel *m_label;
    QLineEdit *m_field;
    bool m_fromCurrent = true;
};
