#pragma once
// What the teacher prints for the class: the price list of a catalogue, the professions
// with their wage ranges and the tax tables, read from the folder's tables as they are
// stored, and laid out as A4 reports of as many pages as the rows take (the column titles
// repeated on every page), the folder's tax year under the title and the page number at
// the foot of each page.

#include "controls/report.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace zdb {
class Table;
}

namespace classlists {

struct Column {
    QString title;
    double width = 30;   // millimetres
    TQRAlignment alignment = TQRAlignment::Left;
};

// A table of the report: a heading over it (may be empty), its columns and its rows; a
// row may have a note printed below it in small type, in two lines at most.
struct Section {
    QString heading;
    QVector<Column> columns;
    QVector<QStringList> rows;
    QStringList notes;   // empty, or one per row (an empty note takes no room)
};

struct Listing {
    QString title;          // "Árlista – Házak"
    QString documentName;   // the print job and the PDF's suggested name
    int year = 2010;        // the folder's tax year, printed under the title
    QVector<Section> sections;
};

// The rows of a catalogue in the table's order, with their descriptions as notes; the
// houses with their floor area, running costs and instalment, the other catalogues with
// their average price. `catalogue` is the page's caption ("Házak").
Listing priceList(const QString &catalogue, zdb::Table *table, int year);
// Every profession with its gross wage range.
Listing professionList(zdb::Table *professions, int year);
// The tax tables of the folder's year: in a 2010 folder the bands, the amounts per child
// and the contributions as stored; in a 2026 folder the same tables under the names of
// the 2026 law (SZJA, TB-járulék, szocho, családi pótlék, családi kedvezmény alapja).
Listing taxTables(int year, zdb::Table *bands, zdb::Table *children, zdb::Table *rates);

// A listing laid out on pages; every page is a one-page layout of the report layer.
class ListReport : public QObject, public Report {
    Q_OBJECT
public:
    explicit ListReport(const Listing &listing, QObject *parent = nullptr);

    const Listing &listing() const { return m_listing; }
    // The pages' layouts. Element names: "Cim", "Ev", "Oldal" on every page; per section
    // shown on the page "Szakasz<s>" and "Fej<s>_<c>"; per row "Sor<s>_<r>_<c>" and
    // "Megj<s>_<r>" (s, r, c counted from 0 over the whole listing).
    QList<TQuickRep *> pages() const { return m_pages; }

    QString documentName() const override { return m_listing.documentName; }
    int pageCount() const override { return int(m_pages.size()); }
    void paintPage(int page, QPainter &painter) const override;

    // The sheet's room for rows, in millimetres of the band.
    static constexpr double kFirstTop = 24;
    static constexpr double kBottom = 266;
    static constexpr double kRowHeight = 6;
    static constexpr double kNoteHeight = 7.5;   // a description's least room: two lines

private:
    TQuickRep *newPage();
    Listing m_listing;
    QList<TQuickRep *> m_pages;
};

}  // namespace classlists
