#pragma once
// The small report layer: one-page layouts whose elements (labels, data texts, memos,
// shapes, pictures) are placed and sized in millimetres, and one paint function that draws
// a page onto any QPainter: the print preview, a printer, a PDF file or an image.
//
// A painter handed to Report::paintPage is set up so that one unit is one millimetre of
// the sheet, with the origin at the sheet's top-left corner (see beginMillimetres).

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPainter;
class QPaintDevice;
class QPrinter;

namespace zdb { class Table; }

// What the preview, printing and PDF writing need of a report.
class Report {
public:
    virtual ~Report() = default;
    // Name of the print job and stem of the suggested PDF file name ("Kiss Ágnes - oklevél").
    virtual QString documentName() const = 0;
    // Paper, orientation and margins.
    virtual QPageLayout pageLayout() const;
    virtual int pageCount() const = 0;
    // Paints page `page` (0-based); the painter's unit is one millimetre of the sheet.
    virtual void paintPage(int page, QPainter &painter) const = 0;
    // Help topic of the report's preview (0: none).
    virtual int helpContext() const { return 0; }
};

namespace reportprint {

// Scales a painter that has just begun on `device` so that one unit is one millimetre,
// origin at the device's top-left corner (the sheet's corner for a full-page printer).
void beginMillimetres(QPainter &painter);
// Paper, margins, document name and full-page mode of a printer for the report.
void preparePrinter(const Report &report, QPrinter &printer);
// Paints every page of the report on a printer already prepared (new page between pages).
void printPages(const Report &report, QPrinter &printer);
// Writes the report as a PDF file with its fonts embedded. Throws std::runtime_error with
// the user's message when the file cannot be written.
void writePdf(const Report &report, const QString &fileName);
// One page as an image at `dpi` dots per inch, white paper.
QImage renderPage(const Report &report, int page, double dpi);
// A PDF file name from a document name: characters that file names cannot hold are
// replaced, and ".pdf" is added ("Kiss Ágnes - oklevél.pdf").
QString pdfFileName(const QString &documentName);

// The amounts printed by data texts: money in the Hungarian currency format ("12 345 Ft"),
// floating-point fields in general number form ("152000", "2752,75").
QString moneyText(double value);
QString generalNumberText(double value);

}  // namespace reportprint

class TQuickRep;

// Font of an element, in points: Arial stands in as Liberation Sans, Times New Roman as
// Liberation Serif where the originals are missing.
struct TQRFont {
    enum Face { Arial, TimesNewRoman };
    Face face = Arial;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
};

enum class TQRAlignment { Left, Centre, Right };

// Where an element prints and what, in millimetres of the sheet.
struct TQRPlaced {
    bool printed = false;     // false: nothing at all is drawn (an empty label)
    QRectF box;               // the element's box on the sheet
    QRectF ink;               // the box the printed text lines take (empty for no text)
    QRectF glyphs;            // the tight box of the printed glyphs themselves
    QStringList lines;        // the text lines printed, after wrapping and cutting
};

// One element of a layout. Its box is in millimetres from the band's top-left corner, or
// from the sheet's corner for an element lying on the page.
class TQRElement : public QObject {
    Q_OBJECT
public:
    TQRElement(TQuickRep *report, const QString &name, const QRectF &box, bool onPage = false);

    QRectF designBox() const { return m_box; }       // as designed (band or page coordinates)
    bool onPage() const { return m_onPage; }
    QRectF sheetBox() const;                           // the designed box on the sheet
    TQuickRep *report() const { return m_report; }

    virtual TQRPlaced place() const = 0;
    virtual void paint(QPainter &painter) const = 0;

private:
    TQuickRep *m_report;
    QRectF m_box;
    bool m_onPage;
};

// A text element: a label or a data text.
class TQRTextElement : public TQRElement {
    Q_OBJECT
public:
    TQRTextElement(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font,
                   TQRAlignment alignment, bool autoSize);

    virtual QString text() const = 0;
    TQRFont font() const { return m_font; }
    TQRAlignment alignment() const { return m_alignment; }
    bool autoSize() const { return m_autoSize; }

    TQRPlaced place() const override;
    void paint(QPainter &painter) const override;

private:
    TQRFont m_font;
    TQRAlignment m_alignment;
    bool m_autoSize;
};

// A label: a fixed text or one the program sets. An empty label prints nothing. Texts
// are black on a clear background (the band is white).
class TQRLabel : public TQRTextElement {
    Q_OBJECT
public:
    TQRLabel(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font,
             TQRAlignment alignment, bool autoSize, const QString &caption = QString());
    void setCaption(const QString &caption) { m_caption = caption; }
    QString caption() const { return m_caption; }
    QString text() const override { return m_caption; }

private:
    QString m_caption;
};

// The display text of one field of a table's current record, read when the page is
// painted. The table is asked for at that moment (it may not exist when the layout is
// made); no table, a closed or empty table or a null value print nothing.
class TQRDBText : public TQRTextElement {
    Q_OBJECT
public:
    using TableFn = std::function<zdb::Table *()>;
    TQRDBText(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font,
              TQRAlignment alignment, bool autoSize, TableFn table, const QString &field);
    QString dataField() const { return m_field; }
    QString text() const override;

private:
    TableFn m_table;
    QString m_field;
};

// A fixed box of text lines. Long lines wrap inside the box; lines that do not fit its
// height are not printed, and nothing below is ever pushed.
class TQRMemo : public TQRElement {
    Q_OBJECT
public:
    TQRMemo(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font);
    void clear() { m_lines.clear(); }
    // Adds a text; CR LF, LF and CR inside it start new lines.
    void add(const QString &text);
    QStringList lines() const { return m_lines; }
    TQRFont font() const { return m_font; }
    // The height, in millimetres, a memo `width` mm wide needs to print the whole text.
    static double heightFor(const QString &text, const TQRFont &font, double width);

    TQRPlaced place() const override;
    void paint(QPainter &painter) const override;

private:
    TQRFont m_font;
    QStringList m_lines;
};

// A rectangle with a thin black outline and a fill colour.
class TQRShape : public TQRElement {
    Q_OBJECT
public:
    TQRShape(TQuickRep *report, const QString &name, const QRectF &box, const QColor &fill);
    QColor fill() const { return m_fill; }
    TQRPlaced place() const override;
    void paint(QPainter &painter) const override;

private:
    QColor m_fill;
};

// A picture, either stretched to fill its box or at its natural size (one pixel per
// 1/96 inch) clipped to the box.
class TQRImage : public TQRElement {
    Q_OBJECT
public:
    enum Mode { Stretch, NaturalSizeClipped };
    TQRImage(TQuickRep *report, const QString &name, const QRectF &box, Mode mode, bool onPage = false);
    void setPicture(const QImage &picture) { m_picture = picture; m_source.clear(); }
    // A picture file (or resource) read when the picture is first needed.
    void setPictureFile(const QString &path) { m_picture = QImage(); m_source = path; }
    QImage picture() const;
    Mode mode() const { return m_mode; }
    QRectF pictureRect() const;    // where the whole picture lands on the sheet
    TQRPlaced place() const override;
    void paint(QPainter &painter) const override;

private:
    Mode m_mode;
    mutable QImage m_picture;
    mutable QString m_source;
};

// One part of a bar: its amount, its name and how it is filled. The pattern is drawn in
// millimetres over the fill, so that parts stay apart in grey print and for a reader who
// does not tell the colours apart.
struct TQRBarPart {
    enum Pattern { Plain, Diagonal, BackDiagonal, Horizontal, Vertical, Cross, Dots };
    QString name;
    double amount = 0;
    QString amountText;       // printed under the name ("12 345 Ft")
    QColor fill = Qt::white;
    Pattern pattern = Plain;
    bool alarm = false;       // a shortfall: red outline and red text
};

// A horizontal bar of parts laid from left to right, each as long as its amount on a scale
// shared with other bars (the amount that fills the box's width). A part wide enough for
// its name and amount carries them inside, on a white patch over its pattern; a narrower
// one is left unlabelled (its legend names it).
class TQRBar : public TQRElement {
    Q_OBJECT
public:
    TQRBar(TQuickRep *report, const QString &name, const QRectF &box, const TQRFont &font);
    void setParts(const QVector<TQRBarPart> &parts) { m_parts = parts; }
    QVector<TQRBarPart> parts() const { return m_parts; }
    // The amount the whole width stands for (0: the sum of the parts).
    void setFullScale(double amount) { m_fullScale = amount; }
    TQRFont font() const { return m_font; }

    // Where each part lies on the sheet, and whether it carries its label.
    QVector<QRectF> partBoxes() const;
    QVector<bool> labelled() const;

    TQRPlaced place() const override;
    void paint(QPainter &painter) const override;

private:
    TQRFont m_font;
    QVector<TQRBarPart> m_parts;
    double m_fullScale = 0;
};

// The title band: white, placed at the top-left corner of the printable area.
class TQRBand : public QObject {
    Q_OBJECT
public:
    TQRBand(TQuickRep *report, const QString &name, const QRectF &sheetBox);
    QRectF sheetBox() const { return m_box; }

private:
    QRectF m_box;
};

// A one-page layout: A4 portrait, 10 mm margins, one band filling the printable area;
// elements are painted in the order they were made (band elements first, then those on
// the page, over the band).
class TQuickRep : public QObject, public Report {
    Q_OBJECT
public:
    explicit TQuickRep(const QString &name, QObject *parent = nullptr);

    TQRBand *band() const { return m_band; }
    QList<TQRElement *> elements() const { return m_elements; }
    TQRElement *element(const QString &name) const;

    // The report's own name in documents ("oklevél") and a source of the player's name;
    // together they make documentName(): "Kiss Ágnes - oklevél", or the report's name alone.
    void setReportName(const QString &name) { m_reportName = name; }
    QString reportName() const { return m_reportName; }
    void setPlayerNameSource(std::function<QString()> source) { m_playerName = std::move(source); }
    void setHelpContext(int context) { m_helpContext = context; }

    QString documentName() const override;
    int pageCount() const override { return 1; }
    void paintPage(int page, QPainter &painter) const override;
    int helpContext() const override { return m_helpContext; }

private:
    friend class TQRElement;
    QList<TQRElement *> m_elements;
    TQRBand *m_band;
    QString m_reportName;
    std::function<QString()> m_playerName;
    int m_helpContext = 0;
};

// One element of a report layout, as a layout table describes it.
struct TQRLayoutElement {
    enum Kind { Label, Data, Memo, Shape, Picture, Bar };
    const char *name = "";
    Kind kind = Label;
    QRectF box;   // millimetres from the band's corner (from the sheet's for one on the page)
    TQRFont font;
    TQRAlignment alignment = TQRAlignment::Left;
    bool autoSize = false;
    const char *text = "";   // a label's caption, a data text's field, a picture's file (UTF-8)
    int table = 0;           // which table a data text shows, as the report's owner numbers them
    TQRImage::Mode mode = TQRImage::Stretch;
    bool onPage = false;
};

// Makes the elements of a layout on a report, in the table's order (shapes white). A data
// text reads the table that `table` gives for its number when the page is painted.
void buildLayout(TQuickRep *report, const QVector<TQRLayoutElement> &layout,
                 const std::function<TQRDBText::TableFn(int table)> &table = {});

// The element of that name and kind; null when there is none.
// Several reports printed and previewed as one document, page after page; its name, paper
// and help topic are those of the first.
class TQRPages : public Report {
public:
    explicit TQRPages(QVector<const Report *> reports) : m_reports(std::move(reports)) {}
    QString documentName() const override;
    QPageLayout pageLayout() const override;
    int pageCount() const override;
    void paintPage(int page, QPainter &painter) const override;
    int helpContext() const override;

private:
    QVector<const Report *> m_reports;
};

template <class T> T *layoutElement(const TQuickRep *report, const char *name)
{
    return qobject_cast<T *>(report->element(QString::fromLatin1(name)));
}
