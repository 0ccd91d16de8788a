#pragma once
// The six household pages of the main window ("Ház" to "Szórakozás"). They share one layout:
// a group box with an instruction, data-bound rows that only display the catalogue's current
// row, its picture and a hidden key control, then previous / next / OK buttons. One page class
// builds any of them from its entry in a table of their differences.

#include <QVector>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TDBEdit;
class TDBImage;
class TDBMemo;
class TDataSource;
namespace zdb {
class Session;
class Table;
}

namespace haztartas {

// One data-bound row: a caption at left 8 and a box at left 88.
struct FieldRow {
    const char *caption;
    const char *field;
    int top;             // of the box
    int captionTop;      // of the caption
    int width;           // of the box; 0 means the description memo (329 x 89)
    const char *objectName;
    const char *hint;    // status-bar hint of the box, or nullptr
    bool wrapCaption = false;
};

// What tells one page from the others.
struct PageSpec {
    int index;                  // page index of the page control
    const char *tabSheet;       // TabSheet2 ...
    const char *caption;        // tab and group box caption
    const char *groupBox;
    const char *groupHint;
    int groupHeight;
    const char *label;          // instruction label
    QRect labelGeometry;        // within the group box
    const char *labelText;
    const char *keyEdit;        // the hidden key control
    const char *keyField;
    const char *picture;        // the picture box
    const char *prior;
    const char *next;
    const char *ok;
    QVector<FieldRow> rows;
    // The activity pages: the six check boxes, named CheckBox<firstCheckBox> onwards.
    int firstCheckBox = 0;
    QVector<const char *> choices;
};

// The six pages in index order (1 "Ház" to 6 "Szórakozás").
const QVector<PageSpec> &pageSpecs();
const PageSpec &pageSpec(int index);

// The help on the pages' figures with the catalogues' current prices (HTML), read through
// tables of its own so that the pages' current rows stay where they are. `alias` names the
// database; empty when the catalogues cannot be read.
QString priceHelpHtml(zdb::Session *session, const QString &alias);
// The family budget's rule written out for the current first rows, as a worked example.
QString familyExampleHtml(zdb::Session *session, const QString &alias);

}  // namespace haztartas

// The controls of one household page, made on its tab sheet and bound to its catalogue.
class THouseholdPage : public QObject {
    Q_OBJECT
public:
    THouseholdPage(const haztartas::PageSpec &spec, QWidget *sheet, TDataSource *source, QObject *parent = nullptr);

    const haztartas::PageSpec &spec() const { return m_spec; }
    TDataSource *source() const { return m_source; }

    QGroupBox *GroupBox = nullptr;
    QLabel *Instruction = nullptr;
    TDBEdit *KeyEdit = nullptr;         // hidden; its text is the current row's key
    TDBImage *Picture = nullptr;
    QPushButton *PriorButton = nullptr;
    QPushButton *NextButton = nullptr;
    QPushButton *OkButton = nullptr;
    QGroupBox *ChoiceBox = nullptr;     // "választások" (activity pages only)
    QVector<QCheckBox *> CheckBoxes;    // bit values 1, 2, 4, 8, 16, 32

    // The sum of the bit values of the ticked boxes.
    int mask() const;
    // Ticks the boxes of a stored mask: from the box of 32 down to the box of 2, a box is
    // ticked when the remaining mask divided by its value is exactly 1 (and its value is
    // then taken off); the box of 1 when the remainder is 1.
    void decodeMask(int mask);
    void untickAll();

public Q_SLOTS:
    // Previous and next: one row back or forward; nothing happens at either end.
    void PriorClick();
    void NextClick();

private:
    haztartas::PageSpec m_spec;
    TDataSource *m_source;
};
