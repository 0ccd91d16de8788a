#include "maintenance/classlists.h"

#include "db/engine.h"
#include "rules/budget.h"

#include <QPainter>

#include <algorithm>

namespace classlists {

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

constexpr auto L = TQRAlignment::Left;
constexpr auto C = TQRAlignment::Centre;
constexpr auto R = TQRAlignment::Right;
const TQRFont kTitle{TQRFont::Arial, 16, true};
const TQRFont kYear{TQRFont::Arial, 11};
const TQRFont kHeading{TQRFont::Arial, 12, true};
const TQRFont kColumn{TQRFont::Arial, 9, true};
const TQRFont kCell{TQRFont::Arial, 10};
const TQRFont kNote{TQRFont::Arial, 8, false, true};
const TQRFont kFoot{TQRFont::Arial, 8};
constexpr double kLeft = 2;
constexpr double kWidth = 186;
constexpr double kHeadingHeight = 8;
constexpr double kColumnHeight = 6.5;
constexpr double kSectionGap = 5;

// A stored value as the lists print it, whatever the program's locale: money as
// "12 500 Ft", other numbers as "18,5", texts as stored; a field it lacks prints nothing.
QString printed(zdb::Table *table, int row, int field, bool money = false)
{
    if (field < 0 || row >= table->recordCount())
        return QString();
    const QVariant value = table->valueAt(row, field);
    if (value.isNull())
        return QString();
    if (money)
        return reportprint::moneyText(value.toDouble());
    switch (table->fieldType(field)) {
    case zdb::FieldType::Money:
        return reportprint::moneyText(value.toDouble());
    case zdb::FieldType::Float:
    case zdb::FieldType::Int16:
    case zdb::FieldType::Int32:
    case zdb::FieldType::AutoInc:
        return reportprint::generalNumberText(value.toDouble());
    default:
        return table->textAt(row, field).simplified();
    }
}

// The printed texts of the named fields of every row, in the table's order.
// The fields of `money` are forints stored as plain numbers.
QVector<QStringList> fieldRows(zdb::Table *table, const QStringList &fields, const QStringList &money = {})
{
    QVector<int> indexes;
    for (const QString &f : fields)
        indexes.append(table->fieldIndex(f));
    QVector<QStringList> rows;
    for (int r = 0; r < table->recordCount(); ++r) {
        QStringList cells;
        for (int i = 0; i < indexes.size(); ++i)
            cells.append(printed(table, r, indexes.at(i), money.contains(fields.at(i))));
        rows.append(cells);
    }
    return rows;
}

QStringList fieldColumn(zdb::Table *table, const QString &field)
{
    QStringList texts;
    const int f = table->fieldIndex(field);
    for (int r = 0; r < table->recordCount(); ++r)
        texts.append(f < 0 ? QString() : table->textAt(r, f).simplified());
    return texts;
}

QString cell(zdb::Table *table, int row, const QString &field, bool money = false)
{
    return printed(table, row, table->fieldIndex(field), money);
}

QString percentCell(zdb::Table *table, int row, const QString &field)
{
    const QString text = cell(table, row, field);
    return text.isEmpty() ? text : text + u(" %");
}

// Opens a closed table for the reading and closes it again; an open one is read as it is.
class Reading {
public:
    explicit Reading(zdb::Table *table) : m_table(table), m_opened(!table->active())
    {
        if (m_opened)
            m_table->open();
    }
    ~Reading()
    {
        if (m_opened)
            m_table->close();
    }
    Reading(const Reading &) = delete;
    Reading &operator=(const Reading &) = delete;

private:
    zdb::Table *m_table;
    bool m_opened;
};

}  // namespace

Listing priceList(const QString &catalogue, zdb::Table *table, int year)
{
    const Reading reading(table);
    Listing listing;
    listing.title = u("Árlista – %1").arg(catalogue);
    listing.documentName = u("%1 - árlista").arg(catalogue);
    listing.year = year;
    Section section;
    if (table->fieldIndex(QStringLiteral("Torleszto_reszlet")) >= 0) {
        section.columns = {{u("Kategória"), 76, L}, {u("Terület"), 28, R}, {u("Rezsi havonta"), 38, R},
                           {u("Törlesztőrészlet havonta"), 44, R}};
        section.rows = fieldRows(table, {QStringLiteral("Kategoria"), QStringLiteral("Terulet"),
                                         QStringLiteral("Rezsi"), QStringLiteral("Torleszto_reszlet")});
        for (QStringList &row : section.rows)
            if (!row.at(1).isEmpty())
                row[1] += u(" m²");
    } else {
        section.columns = {{u("Kategória"), 130, L}, {u("Átlagos ár havonta"), 56, R}};
        section.rows = fieldRows(table, {QStringLiteral("Kategoria"), QStringLiteral("Atlagos_Ar")});
    }
    section.notes = fieldColumn(table, QStringLiteral("Leiras"));
    listing.sections.append(section);
    return listing;
}

Listing professionList(zdb::Table *professions, int year)
{
    const Reading reading(professions);
    Listing listing;
    listing.title = u("A szakmák bérsávjai");
    listing.documentName = u("Szakmák - bérsávok");
    listing.year = year;
    Section section;
    section.columns = {{u("Szakma"), 110, L}, {u("Bruttó bér legalább"), 38, R}, {u("Bruttó bér legfeljebb"), 38, R}};
    section.rows = fieldRows(professions, {QStringLiteral("Szakma_nev"), QStringLiteral("Brutto_min"),
                                           QStringLiteral("Brutto_max")});
    listing.sections.append(section);
    return listing;
}

Listing taxTables(int year, zdb::Table *bands, zdb::Table *children, zdb::Table *rates)
{
    const Reading readBands(bands);
    const Reading readChildren(children);
    const Reading readRates(rates);
    Listing listing;
    listing.title = u("Adótáblák");
    listing.documentName = u("Adótáblák %1").arg(year);
    listing.year = year;
    const QVector<Column> perChild = {{u("Megnevezés"), 84, L},
                                      {u("1 gyermekes család"), 34, R},
                                      {u("2 gyermekes család"), 34, R},
                                      {u("3 vagy több gyermek"), 34, R}};
    const QStringList perChildFields = {QStringLiteral("Megnevezes"), QStringLiteral("1gyerek"),
                                        QStringLiteral("2gyerek"), QStringLiteral("3gyerek")};
    const QStringList perChildMoney = perChildFields.mid(1);
    if (year == 2026) {
        Section taxes;
        taxes.heading = u("Adó és járulékok");
        taxes.columns = {{u("Megnevezés"), 140, L}, {u("Mértéke"), 46, R}};
        taxes.rows = {{u("Személyi jövedelemadó (SZJA), a bruttó bérből"), percentCell(bands, 0, QStringLiteral("Szazalek"))},
                      {u("Társadalombiztosítási járulék (TB), a bruttó bérből"),
                       percentCell(rates, 0, QStringLiteral("Ebizt"))},
                      {u("Szociális hozzájárulási adó (a munkáltató fizeti)"),
                       percentCell(rates, 0, QStringLiteral("MUNKALTATO_JARULEK"))}};
        listing.sections.append(taxes);
        Section family;
        family.heading = u("Gyermekenként havonta");
        family.columns = perChild;
        QStringList allowance = fieldRows(children, perChildFields, perChildMoney).value(0);
        QStringList base = fieldRows(children, perChildFields, perChildMoney).value(1);
        if (!allowance.isEmpty())
            allowance[0] = u("Családi pótlék");
        if (!base.isEmpty())
            base[0] = u("Családi kedvezmény alapja");
        for (const QStringList &row : {allowance, base})
            if (!row.isEmpty())
                family.rows.append(row);
        listing.sections.append(family);
        return listing;
    }
    Section bandsSection;
    bandsSection.heading = u("Adótábla: a személyi jövedelemadó sávjai (éves összevont alap)");
    bandsSection.columns = {{u("Alsó jövedelemhatár"), 50, R}, {u("Felső jövedelemhatár"), 50, R},
                            {u("Összeg"), 50, R}, {u("Százalék"), 36, R}};
    bandsSection.rows = fieldRows(bands, {QStringLiteral("Also"), QStringLiteral("Felso"), QStringLiteral("Osszeg"),
                                          QStringLiteral("Szazalek")},
                                  {QStringLiteral("Also"), QStringLiteral("Felso"), QStringLiteral("Osszeg")});
    for (QStringList &row : bandsSection.rows)
        if (!row.last().isEmpty())
            row.last() += u(" %");
    listing.sections.append(bandsSection);
    Section family;
    family.heading = u("Gyermek-kedvezmény: havi összeg gyermekenként");
    family.columns = perChild;
    family.rows = fieldRows(children, perChildFields, perChildMoney);
    listing.sections.append(family);
    Section contributions;
    contributions.heading = u("Járulékok és adójóváírás");
    contributions.columns = {{u("Megnevezés"), 140, L}, {u("Értéke"), 46, R}};
    const std::pair<const char *, const char *> fields[] = {
        {"Ebizt", "Egészségbiztosítási járulék (%)"},
        {"Mvjarulek", "Munkavállalói járulék (%)"},
        {"Nybjarulek", "Nyugdíjbiztosítási járulék (%)"},
        {"MUNKALTATO_JARULEK", "Munkáltatói járulék (%)"},
        {"Ajhatar", "Adójóváírás határa (Ft)"},
        {"Ajosszeg", "Maximális adójóváírás (Ft)"},
        {"Ajfelsoh", "Adójóváírás felső határa (Ft)"},
        {"Ajkulcs", "Adójóváírás kulcsa (%)"},
        {"Ajcsokulcs", "Csökkenő adójóváírási kulcs (%)"},
    };
    // The unit goes from the caption to the figure: "6 %", "3 188 000 Ft".
    for (const auto &[field, caption] : fields) {
        QString title = u(caption);
        const bool money = title.endsWith(u(" (Ft)"));
        const bool percent = title.endsWith(u(" (%)"));
        title.chop(money ? 5 : percent ? 4 : 0);
        QString value = cell(rates, 0, QString::fromLatin1(field), money);
        if (percent && !value.isEmpty())
            value += u(" %");
        contributions.rows.append({title, value});
    }
    listing.sections.append(contributions);
    return listing;
}

ListReport::ListReport(const Listing &listing, QObject *parent) : QObject(parent), m_listing(listing)
{
    TQuickRep *page = newPage();
    double y = kFirstTop;
    // The section's heading and column titles at y on the current page.
    auto sectionHead = [&](int s, bool continued) {
        const Section &section = m_listing.sections.at(s);
        if (!section.heading.isEmpty()) {
            new TQRLabel(page, QStringLiteral("Szakasz%1").arg(s), QRectF(kLeft, y, kWidth, kHeadingHeight - 1),
                         kHeading, L, false, continued ? u("%1 (folytatás)").arg(section.heading) : section.heading);
            y += kHeadingHeight;
        }
        double x = kLeft;
        for (int c = 0; c < section.columns.size(); ++c) {
            const Column &column = section.columns.at(c);
            new TQRLabel(page, QStringLiteral("Fej%1_%2").arg(s).arg(c), QRectF(x, y, column.width - 1, 5), kColumn,
                         column.alignment, false, column.title);
            x += column.width;
        }
        new TQRShape(page, QStringLiteral("Vonal%1").arg(s), QRectF(kLeft, y + 5.3, kWidth, 0.3), Qt::black);
        y += kColumnHeight;
    };
    for (int s = 0; s < m_listing.sections.size(); ++s) {
        const Section &section = m_listing.sections.at(s);
        // A row's description prints whole, on as many lines as it needs (two at least).
        auto noteHeight = [&section](int r) {
            const QString note = section.notes.value(r);
            return note.isEmpty() ? 0.0 : std::max(kNoteHeight, TQRMemo::heightFor(note, kNote, kWidth - 4) + 1.0);
        };
        auto rowHeight = [&noteHeight](int r) { return kRowHeight + noteHeight(r); };
        // A heading is never left alone at the foot of a page.
        const double headHeight = (section.heading.isEmpty() ? 0 : kHeadingHeight) + kColumnHeight;
        if (y > kFirstTop && y + headHeight + (section.rows.isEmpty() ? 0 : rowHeight(0)) > kBottom) {
            page = newPage();
            y = kFirstTop;
        }
        sectionHead(s, false);
        for (int r = 0; r < section.rows.size(); ++r) {
            if (y + rowHeight(r) > kBottom) {
                page = newPage();
                y = kFirstTop;
                sectionHead(s, true);
            }
            const QStringList &cells = section.rows.at(r);
            double x = kLeft;
            for (int c = 0; c < section.columns.size(); ++c) {
                const Column &column = section.columns.at(c);
                new TQRLabel(page, QStringLiteral("Sor%1_%2_%3").arg(s).arg(r).arg(c),
                             QRectF(x, y + 0.5, column.width - 1, kRowHeight - 1), kCell, column.alignment, false,
                             cells.value(c));
                x += column.width;
            }
            y += kRowHeight;
            const QString note = section.notes.value(r);
            if (!note.isEmpty()) {
                const double height = noteHeight(r);
                auto *memo = new TQRMemo(page, QStringLiteral("Megj%1_%2").arg(s).arg(r),
                                         QRectF(kLeft + 4, y - 0.5, kWidth - 4, height - 0.5), kNote);
                memo->add(note);
                y += height;
            }
        }
        y += kSectionGap;
    }
    for (int p = 0; p < m_pages.size(); ++p)
        layoutElement<TQRLabel>(m_pages.at(p), "Oldal")
            ->setCaption(u("%1. oldal, összesen %2").arg(p + 1).arg(m_pages.size()));
}

TQuickRep *ListReport::newPage()
{
    auto *page = new TQuickRep(QStringLiteral("Oldal%1").arg(m_pages.size() + 1), this);
    page->setReportName(m_listing.documentName);
    new TQRLabel(page, QStringLiteral("Cim"), QRectF(kLeft, 2, kWidth, 9), kTitle, C, false, m_listing.title);
    new TQRLabel(page, QStringLiteral("Ev"), QRectF(kLeft, 12, kWidth, 6), kYear, C, false,
                 budget::yearLevelsText(m_listing.year));
    new TQRLabel(page, QStringLiteral("Oldal"), QRectF(kLeft, 269, kWidth, 4), kFoot, R, false);
    m_pages.append(page);
    return page;
}

void ListReport::paintPage(int page, QPainter &painter) const
{
    if (page >= 0 && page < m_pages.size())
        m_pages.at(page)->paintPage(0, painter);
}

}  // namespace classlists
