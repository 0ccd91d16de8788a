#include "maintenance/Unit1.h"

#include "gui/look.h"

#include "controls/ExtDBNavigator.h"
#include "maintenance/answerkey.h"
#include "maintenance/classview.h"
#include "maintenance/contenttools.h"
#include "maintenance/eventspage.h"
#include "maintenance/history.h"
#include "maintenance/toolsmenu.h"
#include "controls/application.h"
#include "rules/budget.h"
#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "controls/payrolltables.h"
#include "maintenance/pagetools.h"
#include "maintenance/records.h"
#include "maintenance/archivewindow.h"
#include "maintenance/gamebin.h"
#include "maintenance/results.h"
#include "maintenance/resultsmodel.h"
#include "controls/tablemodel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

QFont windowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// Hints are shown in the status bar while the mouse is over the control, and as tooltips.
void setHint(QWidget *w, const QString &hint)
{
    w->setStatusTip(hint);
    w->setToolTip(hint);
}

QLabel *addLabel(QWidget *page, int number, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, page);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->move(x, y);
    label->adjustSize();
    return label;
}

TDBEdit *addEdit(QWidget *page, int number, TDataSource *source, const QString &field, int x, int y, int width,
                 const QString &hint)
{
    auto *edit = new TDBEdit(page);
    edit->setObjectName(QStringLiteral("DBEdit%1").arg(number));
    edit->setGeometry(x, y, width, 21);
    edit->bind(source, field);
    if (!hint.isEmpty())
        setHint(edit, hint);
    return edit;
}

class NarrowTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 4;   // room for the "Eszközök" button in the corner
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The narrow column at the left of a grid: a small arrow marks the current record.
class RowIndicator : public QHeaderView {
public:
    explicit RowIndicator(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultSectionSize(17);
        setFixedWidth(11);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = rect;
        option.section = logicalIndex;
        style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
        if (!selectionModel() || selectionModel()->currentIndex().row() != logicalIndex)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
        const QPointF c = QRectF(rect).center();
        painter->drawPolygon(QPolygonF{c + QPointF(-2, -4), c + QPointF(3, 0), c + QPointF(-2, 4)});
        painter->restore();
    }
};

// Columns at least as wide as their titles, 100 pixels unless asked otherwise.
void fitColumnsToTitles(QTableView *grid, int least = 100)
{
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
        grid->setColumnWidth(c, std::max(least, metrics.horizontalAdvance(title) + 14));
    }
}

// The height of one line of wrapped text (the font's line spacing may be less).
int lineHeight(const QFontMetrics &metrics)
{
    return metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignHCenter | Qt::TextWordWrap, QStringLiteral("Áj"))
        .height();
}

// How many lines `title` takes, wrapped at word breaks within `width` pixels.
int wrappedLines(const QFontMetrics &metrics, const QString &title, int width)
{
    const QRect box = metrics.boundingRect(QRect(0, 0, std::max(1, width), 10000),
                                           Qt::AlignHCenter | Qt::TextWordWrap, title);
    const int line = lineHeight(metrics);
    return std::max(1, (box.height() + line / 2) / line);
}

int widestWord(const QFontMetrics &metrics, const QString &title)
{
    int widest = 0;
    for (const QString &word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

// The columns of a grid that cannot be scrolled must all be seen: when their titles do not
// fit side by side on one line, the titles wrap onto up to `lines` lines and the columns
// share the grid's width, each at least as wide as its widest word of the title and its
// widest value (a figure up to ten million included).
void fitColumnsInside(QTableView *grid, int lines = 3)
{
    QAbstractItemModel *model = grid->model();
    QHeaderView *header = grid->horizontalHeader();
    const int count = model->columnCount();
    const int frame = grid->frameWidth();
    int available = grid->width() - 2 * frame - grid->verticalHeader()->width();
    // Rows beyond the grid's height bring a vertical scroll bar, which takes its width.
    if (model->rowCount() * grid->verticalHeader()->defaultSectionSize() > grid->height() - 4 * header->sizeHint().height())
        available -= grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    int used = 0;
    for (int c = 0; c < count; ++c)
        used += grid->columnWidth(c);
    if (count == 0 || used <= available)
        return;

    const QFontMetrics titles(header->font());
    const QFontMetrics cells(grid->font());
    const int titlePad = 2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4;
    const int cellPad = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 4;
    const QString largeFigure = QLocale().toString(10000000.0, 'f', 0);
    QVector<int> need(count);
    for (int c = 0; c < count; ++c) {
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        int width = widestWord(titles, title) + titlePad;
        while (wrappedLines(titles, title, width - titlePad) > lines)
            ++width;
        for (int r = 0; r < model->rowCount(); ++r)
            width = std::max(width, cells.horizontalAdvance(model->index(r, c).data().toString()) + cellPad);
        const auto align = model->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        if (model->rowCount() == 0 || (align & Qt::AlignRight))
            width = std::max(width, cells.horizontalAdvance(largeFigure) + cellPad);
        need[c] = width;
    }
    int total = 0;
    for (int w : std::as_const(need))
        total += w;
    // What is left over is shared out, the last column taking the remainder.
    const int extra = std::max(0, available - total);
    int given = 0;
    for (int c = 0; c < count; ++c) {
        const int share = c == count - 1 ? extra - given : extra / count;
        given += share;
        grid->setColumnWidth(c, need[c] + share);
    }
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setTextElideMode(Qt::ElideNone);
    int tallest = 1;
    for (int c = 0; c < count; ++c)
        tallest = std::max(tallest, wrappedLines(titles, model->headerData(c, Qt::Horizontal).toString(),
                                                 grid->columnWidth(c) - titlePad));
    header->setFixedHeight(tallest * lineHeight(titles)
                           + 2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2);
}

void setUpGrid(QTableView *grid)
{
    grid->setVerticalHeader(new RowIndicator(grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
}

// The indicator follows the current row (set once the grid has its model).
void followWithIndicator(QTableView *grid)
{
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid->verticalHeader(),
                     [grid] { grid->verticalHeader()->viewport()->update(); });
}

}  // namespace

// The five catalogue pages laid out alike.
struct CataloguePage {
    int page;
    const char *keyField;
    int keyEdit, categoryEdit, priceEdit, memo, image, firstLabel;
    const char *keyHint, *categoryHint, *priceHint, *memoHint, *imageHint;
    bool keyEnabled, stretch, imageBeforeMemo;
};

TZomir0001::TZomir0001(zdb::Session *session, Dialogs *dialogs, QWidget *parent, Pages made)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_session(session),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Zomir0001"));
    setWindowTitle(QStringLiteral("Dedarudorazo v2"));
    setWindowIcon(QIcon(QStringLiteral(":/pict/karbantartas.png")));
    setFont(windowFont());
    setFixedSize(799, 566);
    move(192, 115);

    // The tables first, in this order: without them there is no window.
    HazakDB = openTable(QStringLiteral("HazakDB"), QStringLiteral("Hazak.DB"));
    KozlekedesDB = openTable(QStringLiteral("KozlekedesDB"), QStringLiteral("Kozlekedes.db"));
    ElelmiszerekDB = openTable(QStringLiteral("ElelmiszerekDB"), QStringLiteral("Elelmiszerek.DB"));
    HobbiDB = openTable(QStringLiteral("HobbiDB"), QStringLiteral("Hobbi.db"));
    SzorakozasDB = openTable(QStringLiteral("SzorakozasDB"), QStringLiteral("Szorakozas.db"));
    RuhazkodasDB = openTable(QStringLiteral("RuhazkodasDB"), QStringLiteral("Ruhazkodas.db"));
    AdoDB = openTable(QStringLiteral("AdoDB"), QStringLiteral("adokulcs.db"));
    GyerekDB = openTable(QStringLiteral("GyerekDB"), QStringLiteral("gyerek.db"));
    JarulekDB = openTable(QStringLiteral("JarulekDB"), QStringLiteral("jarulek.db"));
    SzakmaDB = openTable(QStringLiteral("SzakmaDB"), QStringLiteral("szakma4.DB"));
    // Rows the game could not compute with are refused with a message naming the field.
    SzakmaDB->setBeforePost(maint::checkProfession);
    JarulekDB->setBeforePost([this](zdb::Table &table) { maint::checkContributions(table, m_folderYear); });
    // The title names the tax year the folder teaches, read as the game reads it.
    rereadFolderYear();

    // The catalogues are edited only after the navigator's edit or insert; the tax and
    // profession pages start editing with the first keystroke.
    HazakSource = makeSource(QStringLiteral("HazakSource"), HazakDB, false);
    KozlekedesSource = makeSource(QStringLiteral("KozlekedesSource"), KozlekedesDB, false);
    ElelmiszerekSource = makeSource(QStringLiteral("ElelmiszerekSource"), ElelmiszerekDB, false);
    HobbiSource = makeSource(QStringLiteral("HobbiSource"), HobbiDB, false);
    SzorakozasSource = makeSource(QStringLiteral("SzorakozasSource"), SzorakozasDB, false);
    RuhazkodasSource = makeSource(QStringLiteral("RuhazkodasSource"), RuhazkodasDB, false);
    AdoSource = makeSource(QStringLiteral("AdoSource"), AdoDB, true);
    GyerekSource = makeSource(QStringLiteral("GyerekSource"), GyerekDB, true);
    JarulekSource = makeSource(QStringLiteral("JarulekSource"), JarulekDB, true);
    SzakmaSource = makeSource(QStringLiteral("SzakmaSource"), SzakmaDB, true);
    m_pageSources = {HazakSource,  KozlekedesSource, ElelmiszerekSource, RuhazkodasSource, HobbiSource,
                     SzorakozasSource, AdoSource, GyerekSource, JarulekSource, SzakmaSource};

    ImageList1 = new TImageList(this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    for (const char *name : {"nav_elso", "nav_elozo", "nav_kovetkezo", "nav_utolso", "nav_beszur", "nav_torol",
                             "nav_szerkeszt", "nav_ment", "nav_megse", "nav_frissit"})
        // At twice the pixels on a scaled screen; the buttons draw by the ratio.
        ImageList1->add(look::picture(QStringLiteral(":/pict/%1.png").arg(QLatin1String(name))).toImage());

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(u("A karbantartó lapjai"));
    PageControl->setGeometry(0, 0, 785, 545);
    // Eleven tabs in one row: the tabs keep a narrower margin around their captions.
    auto *tabStyle = new NarrowTabStyle;
    tabStyle->setParent(PageControl);
    PageControl->tabBar()->setStyle(tabStyle);
    PageControl->tabBar()->setExpanding(false);
    const std::pair<int, const char *> pages[PageCount] = {
        {1, "Házak"}, {2, "Közlekedés"}, {3, "Élelmiszerek"}, {6, "Ruházkodás"}, {4, "Hobbi"},
        {5, "Szórakozás"}, {7, "Adótábla"}, {8, "Gyermek-kedvezmény"}, {9, "Járulék"}, {10, "Szakma jellemzők"}};
    for (int i = 0; i < PageCount; ++i) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(pages[i].first));
        TabSheet[i] = sheet;
        PageControl->addTab(sheet, u(pages[i].second));
    }
    TabSheet11 = new QWidget;
    TabSheet11->setObjectName(QStringLiteral("TabSheet11"));
    PageControl->addTab(TabSheet11, u("Eredmények"));
    // The month's surprise has a window of its own, opened from the results page.
    EventsWindow = new TEventsPage(m_session, m_dialogs, ImageList1, this);
    EventsWindow->setWindowFlag(Qt::Window);
    EventsWindow->setFont(windowFont());   // a window does not take its parent's font
    EventsWindow->setWindowTitle(u("Meglepetések"));
    EventsWindow->setFixedSize(769, 497);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setGeometry(0, 545, 799, 21);

    Tools = new TPageTools(this, m_dialogs);
    ContentTools = new TContentTools(this, m_session, m_dialogs);
    for (TDataSource *source : {HazakSource, KozlekedesSource, ElelmiszerekSource, HobbiSource, SzorakozasSource,
                                RuhazkodasSource})
        connect(source, &TDataSource::typingIgnored, this, &TZomir0001::TypingBeforeEdit);

    buildHazak();
    finishPage(0);
    QString noHistory;
    try {
        History = new THistory(m_session, this);
    } catch (const zdb::EngineError &e) {
        noHistory = u("A változások nem követhetők: %1").arg(e.message());
        StatusBar->showMessage(noHistory);
    }
    ToolsMenu = new TToolsMenu(this, History, ContentTools, m_dialogs, noHistory);
    if (History) {
        // Today's backup comes before the first change of the day; a change of whole tables
        // is one entry of the history, undone by putting its tables back.
        History->setBeforeChange([this] { ContentTools->ensureDailyBackup(); });
        History->setTableUndo([this](const QByteArray &beforeJson) { ContentTools->putBack(beforeJson); });
        ContentTools->setRecorder([this](const QString &kind, const QStringList &tables, const QByteArray &before,
                                         const QByteArray &after, const QString &summary) {
            History->recordTables(kind, tables, before, after, summary);
        });
    }

    PageControl->setCurrentIndex(0);
    // Another page chosen before the rest is made makes it first.
    connect(PageControl, &QTabWidget::currentChanged, this, &TZomir0001::buildRest);
    connect(PageControl, &QTabWidget::currentChanged, this, &TZomir0001::bindPagePictures);
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == ResultsPage)
            TabSheet11Show();
    });
    if (made == Pages::Whole)
        buildRest();
    else
        m_restAfterPaint = true;   // event() sees the window's first paint
}

void TZomir0001::buildRest()
{
    if (m_restBuilt)
        return;
    m_restBuilt = true;
    m_restAfterPaint = false;
    // Controls made on a page already shown would stay hidden: the page chosen is shown
    // again once its controls are made.
    QWidget *shown = PageControl->currentWidget();
    const bool reshow = shown && shown != TabSheet[0] && shown->isVisible();
    if (reshow)
        shown->hide();
    const CataloguePage catalogues[] = {
        {1, "Travel_Key", 6, 7, 8, 2, 2, 8, "Automatikusan generált szám", "A közlekedési eszköz kategóriája",
         "Mennyibe kerül havonta?", "Pár megjegyzés  erről a közlekedés-kategóriáról", "Jármű kinézete", false, true,
         false},
        {2, "Food_Key", 9, 10, 11, 3, 3, 13, "Automatikusan generált szám", "Az élelmiszer kategóriája",
         "Havi bekerülési költsége", "Pár megjegyzés erről az élelmiszer-kategóriáról", "Igy néz ki", false, true,
         false},
        {3, "Clothing_Key", 18, 19, 20, 6, 6, 28, "Automatikusan generált szám", "A ruházkodás kategóriája",
         "Havi bekerülési költsége", "Pár megjegyzés erről a ruházkodás-kategóriáról", "", true, false, true},
        {4, "Hobby_Key", 12, 13, 14, 4, 4, 18, "Automatikusan generált szám", "A hobbi kategóriája",
         "Havi bekerülési költsége", "Pár megjegyzés erről a hobbi-kategóriáról", "Igy néz ki", false, true, false},
        {5, "Entertainment_Key", 15, 16, 17, 5, 5, 23, "Automatikusan generált szám", "A szórakozás kategóriája",
         "Havi bekerülési költsége", "Pár megjegyzés erről a szórakozás-kategóriáról", "Igy néz ki", false, true,
         false},
    };
    for (const CataloguePage &desc : catalogues) {
        buildCatalogue(desc.page, m_pageSources[desc.page], desc);
        finishPage(desc.page);
    }
    buildTaxPages();
    buildSzakma();
    for (int page = 6; page < PageCount; ++page)
        finishPage(page);
    buildResults();
    if (reshow)
        shown->show();
}

void TZomir0001::buildRestAfterPaint()
{
    try {
        buildRest();
    } catch (const zdb::EngineError &e) {
        ZApplication::instance()->showError(e.message());
        QCoreApplication::exit(1);
    } catch (const std::exception &e) {
        ZApplication::instance()->showError(QString::fromUtf8(e.what()));
        QCoreApplication::exit(1);
    }
}

// A page's search row and "Nyomtatás…" after its own controls, then the captions' names.
void TZomir0001::finishPage(int page)
{
    Tools->addPage(page);
    nameControls(page);
}

void TZomir0001::nameControls(int page)
{
    QWidget *sheet = TabSheet[page];
    const QString pageName = PageControl->tabText(page);
    // Each caption names the nearest control it stands left of on its row, or above.
    const QList<QWidget *> controls = sheet->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    const auto caption = [](const QWidget *w) { return w->metaObject() == &QLabel::staticMetaObject; };
    for (QWidget *label : controls) {
        if (!caption(label))
            continue;
        QWidget *named = nullptr;
        int nearest = 0;
        for (QWidget *w : controls) {
            if (caption(w) || w->focusPolicy() == Qt::NoFocus)
                continue;
            const int dx = w->x() - label->x(), dy = w->y() - label->y();
            const bool beside = qAbs(dy) <= 4 && dx > 0;
            const bool below = qAbs(dx) <= 4 && dy > 0 && dy <= 24;
            if (!beside && !below)
                continue;
            if (!named || dx + dy < nearest) {
                named = w;
                nearest = dx + dy;
            }
        }
        if (named && named->accessibleName().isEmpty())
            named->setAccessibleName(static_cast<QLabel *>(label)->text().remove(u'&'));
    }
    for (TDBImage *image : sheet->findChildren<TDBImage *>())
        image->setAccessibleDescription(u("Kattintás, Enter vagy szóköz: kép betöltése fájlból"));
    for (QTableView *grid : sheet->findChildren<QTableView *>())
        grid->setAccessibleName(u("%1: táblázat").arg(pageName));
    for (TExtDBNavigator *nav : sheet->findChildren<TExtDBNavigator *>())
        nav->setAccessibleName(u("%1: rekordléptető").arg(pageName));
}

void TZomir0001::bindPagePictures(int page)
{
    for (qsizetype i = m_pendingPictures.size() - 1; i >= 0; --i) {
        const PendingPicture pending = m_pendingPictures.at(i);
        if (pending.page != page)
            continue;
        m_pendingPictures.removeAt(i);
        pending.image->bind(pending.source, QStringLiteral("Kep"));
    }
}

TZomir0001::~TZomir0001()
{
    // The controls go before the tables they show.
    delete PageControl;
    PageControl = nullptr;
}

zdb::Table *TZomir0001::pageTable(int page) const { return m_pageSources.at(page)->dataSet(); }

TDataSource *TZomir0001::pageSource(int page) const { return m_pageSources.at(page); }

std::unique_ptr<zdb::Table> TZomir0001::readingTable(const QString &file)
{
    auto table = std::make_unique<zdb::Table>(m_session);
    table->setAliasName(zdb::gameAlias());
    table->setTableName(file);
    return table;
}

zdb::Table *TZomir0001::openTable(const QString &name, const QString &file)
{
    auto *table = new zdb::Table(m_session, this);
    table->setObjectName(name);
    table->setAliasName(zdb::gameAlias());
    table->setTableName(file);
    table->open();
    return table;
}

TDataSource *TZomir0001::makeSource(const QString &name, zdb::Table *table, bool autoEdit)
{
    auto *source = new TDataSource(table, this);
    source->setObjectName(name);
    source->setAutoEdit(autoEdit);
    return source;
}

void TZomir0001::addNavigator(int page, int number, TDataSource *source, bool insertDelete)
{
    auto *nav = new TExtDBNavigator(TabSheet[page]);
    nav->setObjectName(QStringLiteral("ExtDBNavigator%1").arg(number));
    nav->setDialogs(m_dialogs);
    nav->setDataSource(source);
    using N = TExtDBNavigator;
    if (insertDelete) {
        nav->setGeometry(8, 456, 750, 33);
    } else {
        nav->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Edit, N::Post, N::Cancel, N::Refresh});
        nav->setGeometry(8, 456, 744, 33);
    }
    nav->SetImageList(ImageList1);
    nav->SetAllowTimer(true);
    ExtDBNavigator[number - 1] = nav;
}

void TZomir0001::addGrid(int page, int number, TDataSource *source)
{
    auto *grid = new QTableView(TabSheet[page]);
    grid->setObjectName(QStringLiteral("DBGrid%1").arg(number));
    grid->setGeometry(8, 240, 753, 185);
    grid->setEnabled(false);
    setUpGrid(grid);
    // Every field, titled with its display label; the grid only follows the current record.
    auto *model = new TTableModel(source, grid);
    followCurrentRow(grid, model);
    followWithIndicator(grid);
    fitColumnsToTitles(grid);
    // The grid cannot be scrolled: its columns must all show within it.
    fitColumnsInside(grid);
    DBGrid[number - 1] = grid;
}

void TZomir0001::buildHazak()
{
    QWidget *page = TabSheet[0];
    addLabel(page, 1, u("Azonosító"), 8, 8);
    TDBEdit *key = addEdit(page, 1, HazakSource, "House_Key", 104, 8, 134, u("Automatikusan generálódik"));
    key->setEnabled(false);
    addLabel(page, 2, u("Kategória"), 8, 32);
    TDBEdit *category = addEdit(page, 2, HazakSource, "Kategoria", 104, 32, 329, u("ház kategória"));
    addLabel(page, 3, u("Terület"), 8, 56);
    TDBEdit *area = addEdit(page, 3, HazakSource, "Terulet", 104, 56, 134, u("ház alapterülete négyzetméterben"));
    addLabel(page, 4, u("Rezsi"), 8, 80);
    TDBEdit *costs = addEdit(page, 4, HazakSource, "Rezsi", 104, 80, 134, u("ház biztosítási díja"));
    addLabel(page, 5, u("Törlesztőrészlet"), 8, 104);
    TDBEdit *loan = addEdit(page, 5, HazakSource, "Torleszto_reszlet", 104, 104, 134, u("Aktuális vételi ára"));
    addLabel(page, 7, u("Leírás"), 8, 128);
    auto *memo = new TDBMemo(page);
    memo->setObjectName(QStringLiteral("DBMemo1"));
    memo->setGeometry(104, 128, 337, 89);
    memo->bind(HazakSource, "Leiras");
    setHint(memo, u("pár megjegyzés  erről a házak-kategóriáról"));
    addLabel(page, 6, u("Kép"), 456, 8);
    auto *image = new TDBImage(page);
    image->setObjectName(QStringLiteral("DBImage1"));
    image->setGeometry(480, 8, 281, 209);
    image->setStretch(true);
    image->bind(HazakSource, "Kep");
    image->setFocusPolicy(Qt::StrongFocus);
    image->setFrameShape(QFrame::Panel);
    image->setFrameShadow(QFrame::Sunken);
    setHint(image, u("A lakrész kinézete"));
    image->installEventFilter(this);
    DBImage[0] = image;
    addGrid(0, 1, HazakSource);
    addNavigator(0, 2, HazakSource, true);
    QWidget::setTabOrder(category, area);
    QWidget::setTabOrder(area, costs);
    QWidget::setTabOrder(costs, loan);
    QWidget::setTabOrder(loan, memo);
    QWidget::setTabOrder(memo, image);
    QWidget::setTabOrder(image, ExtDBNavigator[1]);
}

void TZomir0001::buildCatalogue(int pageIndex, TDataSource *source, const CataloguePage &d)
{
    QWidget *page = TabSheet[pageIndex];
    addLabel(page, d.firstLabel, u("Azonosító"), 8, 8);
    TDBEdit *key = addEdit(page, d.keyEdit, source, QString::fromLatin1(d.keyField), 104, 8, 134, u(d.keyHint));
    key->setEnabled(d.keyEnabled);
    addLabel(page, d.firstLabel + 1, u("Kategória"), 8, 32);
    TDBEdit *category = addEdit(page, d.categoryEdit, source, "Kategoria", 104, 32, 329, u(d.categoryHint));
    addLabel(page, d.firstLabel + 2, u("Átlagos ár"), 8, 56);
    TDBEdit *price = addEdit(page, d.priceEdit, source, "Atlagos_Ar", 104, 56, 134, u(d.priceHint));
    addLabel(page, d.firstLabel + 3, u("Leírás"), 8, 80);
    auto *memo = new TDBMemo(page);
    memo->setObjectName(QStringLiteral("DBMemo%1").arg(d.memo));
    memo->setGeometry(104, 80, 329, 137);
    memo->bind(source, "Leiras");
    setHint(memo, u(d.memoHint));
    addLabel(page, d.firstLabel + 4, u("Kép"), 456, 8);
    auto *image = new TDBImage(page);
    image->setObjectName(QStringLiteral("DBImage%1").arg(d.image));
    image->setGeometry(480, 8, 281, 209);
    image->setStretch(d.stretch);
    // Bound when its page is first shown: a hidden page's picture is not decoded at start.
    m_pendingPictures.append({pageIndex, image, source});
    image->setFocusPolicy(Qt::StrongFocus);
    image->setFrameShape(QFrame::Panel);
    image->setFrameShadow(QFrame::Sunken);
    if (*d.imageHint)
        setHint(image, u(d.imageHint));
    image->installEventFilter(this);
    DBImage[d.image - 1] = image;
    const int navNumber = pageIndex == 4 ? 1 : pageIndex == 5 ? 6 : pageIndex + 2;
    addGrid(pageIndex, pageIndex + 1, source);
    addNavigator(pageIndex, navNumber, source, pageIndex < 4);
    QWidget::setTabOrder(key, category);
    QWidget::setTabOrder(category, price);
    if (d.imageBeforeMemo) {
        QWidget::setTabOrder(price, image);
        QWidget::setTabOrder(image, memo);
        QWidget::setTabOrder(memo, ExtDBNavigator[navNumber - 1]);
    } else {
        QWidget::setTabOrder(price, memo);
        QWidget::setTabOrder(memo, image);
        QWidget::setTabOrder(image, ExtDBNavigator[navNumber - 1]);
    }
}

void TZomir0001::buildTaxPages()
{
    // "Adótábla" and "Gyermek-kedvezmény": a label and its edit every 40 pixels.
    struct Pair {
        int label;
        const char *caption;
        int edit;
        const char *field;
        const char *hint;
        int width;
    };
    const Pair ado[] = {{33, "Alsó jövedelemhatár (Ft)", 21, "Also", "Alsó jövedelemhatár", 134},
                        {34, "Felső jövedelemhatár (Ft)", 22, "Felso", "Felső jövedelemhatár", 134},
                        {35, "Összeg (Ft)", 23, "Osszeg", "Összeg", 134},
                        {36, "Százalék (%)", 24, "Szazalek", "Százalék", 134}};
    const Pair gyerek[] = {{37, "Megnevezés", 25, "Megnevezes", "Kedvezmény nem", 394},
                           {38, "1gyerek", 26, "1gyerek", "", 134},
                           {39, "2gyerek", 27, "2gyerek", "", 134},
                           {40, "3gyerek", 28, "3gyerek", "", 134}};
    auto column = [this](int pageIndex, TDataSource *source, const Pair(&pairs)[4]) {
        for (int i = 0; i < 4; ++i) {
            const Pair &p = pairs[i];
            addLabel(TabSheet[pageIndex], p.label, u(p.caption), 104, 32 + 40 * i);
            addEdit(TabSheet[pageIndex], p.edit, source, QString::fromUtf8(p.field), 104, 48 + 40 * i, p.width,
                    u(p.hint));
        }
    };
    column(6, AdoSource, ado);
    addGrid(6, 7, AdoSource);
    addNavigator(6, 7, AdoSource, true);
    column(7, GyerekSource, gyerek);
    addGrid(7, 8, GyerekSource);
    addNavigator(7, 8, GyerekSource, false);

    // "Járulék": three columns.
    struct Cell {
        int label;
        const char *caption;
        int edit;
        const char *field;
        const char *hint;
        int x, y;
    };
    const Cell jarulek[] = {
        {41, "Egészségügyi biztosítás (%)", 29, "Ebizt", "Egészségügyi járulék", 104, 32},
        {42, "Munkavállalói járulék (%)", 30, "Mvjarulek", "Munkavállalói járulék", 104, 72},
        {43, "Nyugdíjbiztosítási járulék (%)", 31, "Nybjarulek", "Nyugdíjbiztosítási járulék", 104, 112},
        {46, "Munkáltatói járulék (%)", 34, "MUNKALTATO_JARULEK", "Munkáltatói járulék", 104, 152},
        {44, "Adójóváírás határa (Ft)", 32, "Ajhatar", "Alsó jövedelemhatár", 312, 32},
        {45, "Maximális adójóváírás (Ft)", 33, "Ajosszeg", "Alsó jövedelemösszeg", 312, 72},
        {47, "Adójóváírás felső határ (Ft)", 35, "Ajfelsoh", "Alsó jövedelemösszeg", 312, 112},
        {48, "Adójóváírás kulcsa (%)", 36, "Ajkulcs", "Alsó jövedelemösszeg", 488, 72},
        {49, "Csökkenő adójóváírási kulcs (%)", 37, "Ajcsokulcs", "Alsó jövedelemösszeg", 488, 112},
    };
    for (const Cell &c : jarulek) {
        addLabel(TabSheet[8], c.label, u(c.caption), c.x, c.y);
        addEdit(TabSheet[8], c.edit, JarulekSource, QString::fromLatin1(c.field), c.x, c.y + 16, 134, u(c.hint));
    }
    addGrid(8, 9, JarulekSource);
    addNavigator(8, 9, JarulekSource, false);
}

void TZomir0001::buildSzakma()
{
    auto *grid = new QTableView(TabSheet[9]);
    grid->setObjectName(QStringLiteral("DBGrid10"));
    grid->setGeometry(8, 8, 753, 417);
    setUpGrid(grid);
    // Five columns; the name is shown but not edited here.
    auto *model = new TTableModel(SzakmaSource, grid);
    model->setColumns({{QStringLiteral("Szakma_nev"), u("Szakmanév"), false},
                       {QStringLiteral("Brutto_min"), u("Bruttó (min)"), true},
                       {QStringLiteral("Brutto_max"), u("Bruttó (max)"), true},
                       {QStringLiteral("Hazastars_netto"), u("Házastárs nettó"), true},
                       {QStringLiteral("Gyerekszam"), u("Gyerekszám"), true}});
    followCurrentRow(grid, model);
    followWithIndicator(grid);
    fitColumnsToTitles(grid, 64);
    grid->setColumnWidth(0, 360);
    grid->setColumnWidth(1, 97);
    grid->setColumnWidth(2, 98);
    grid->setColumnWidth(3, 94);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    DBGrid[9] = grid;
    addNavigator(9, 10, SzakmaSource, false);
}

void TZomir0001::buildResults()
{
    // Opened when the page is first shown: the other pages do not wait for the games.
    JatekosokDB = new zdb::Table(m_session, this);
    JatekosokDB->setObjectName(QStringLiteral("JatekosokDB"));
    JatekosokDB->setAliasName(zdb::gameAlias());
    JatekosokDB->setTableName(QStringLiteral("Jatekosok.DB"));

    QWidget *page = TabSheet11;
    DBGrid11 = new QTableView(page);
    DBGrid11->setObjectName(QStringLiteral("DBGrid11"));
    DBGrid11->setGeometry(8, 8, 753, 417);
    DBGrid11->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid11->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid11->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid11->verticalHeader()->setDefaultSectionSize(17);
    DBGrid11->verticalHeader()->hide();
    DBGrid11->setWordWrap(false);
    ResultsModel = new TResultsModel(DBGrid11);
    ResultsSort = new TResultsSortModel(DBGrid11);
    ResultsSort->setSourceModel(ResultsModel);
    DBGrid11->setModel(ResultsSort);
    DBGrid11->setSortingEnabled(true);
    DBGrid11->sortByColumn(results::Name, Qt::AscendingOrder);
    // Each column as wide as its title with the sort arrow, or wider.
    const int widths[results::ColumnCount] = {140, 78, 170, 90, 90, 120, 110, 110, 110, 170, 170, 66};
    const QFontMetrics metrics(DBGrid11->horizontalHeader()->font());
    for (int c = 0; c < results::ColumnCount; ++c)
        DBGrid11->setColumnWidth(c, std::max(widths[c], metrics.horizontalAdvance(results::columnTitle(c)) + 26));
    setHint(DBGrid11, u("A tárolt játékok; egy oszlop címére kattintva aszerint rendez"));
    DBGrid11->setAccessibleName(u("Eredmények: táblázat"));

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload), u("&Frissítés"), page);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(8, 456, 120, 33);
    setHint(BitBtn1, u("A játékok újraolvasása (közben más gépeken mentett játékokkal együtt)"));
    connect(BitBtn1, &QPushButton::clicked, this, &TZomir0001::BitBtn1Click);

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), u("&Mentés CSV-be…"), page);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(136, 456, 150, 33);
    setHint(BitBtn2, u("A lista mentése táblázatkezelőben megnyitható CSV-fájlba, a látható sorrendben"));
    connect(BitBtn2, &QPushButton::clicked, this, &TZomir0001::BitBtn2Click);

    BitBtn3 = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView), u("&Megoldókulcs"), page);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(294, 456, 130, 33);
    setHint(BitBtn3, u("A kijelölt játék bérszámításának helyes értékei, nyomtatható és PDF-be menthető"));
    connect(BitBtn3, &QPushButton::clicked, this, &TZomir0001::BitBtn3Click);

    Label50 = new QLabel(page);
    Label50->setObjectName(QStringLiteral("Label50"));
    Label50->setGeometry(432, 464, 329, 17);
    Label50->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The class at a glance, in the row under the grid.
    CheckBox50 = new QCheckBox(u("Csak ettől a naptól:"), page);
    CheckBox50->setObjectName(QStringLiteral("CheckBox50"));
    CheckBox50->setGeometry(8, 429, 150, 23);
    DateEdit50 = new QDateEdit(QDate::currentDate(), page);
    DateEdit50->setObjectName(QStringLiteral("DateEdit50"));
    DateEdit50->setGeometry(160, 429, 110, 23);
    DateEdit50->setCalendarPopup(true);
    DateEdit50->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
    DateEdit50->setAccessibleName(u("Ettől a naptól"));
    setHint(CheckBox50, u("Az osztály képén csak az ezen a napon vagy később tárolt játékok szerepeljenek"));
    BitBtn4 = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), u("&Osztály egy képen…"), page);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setGeometry(278, 429, 170, 23);
    setHint(BitBtn4, u("Szakmánként hány játékban jött ki a költségvetés, és a havi egyenleg eloszlása; "
                       "nyomtatható és PDF-be menthető"));
    connect(BitBtn4, &QPushButton::clicked, this, &TZomir0001::BitBtn4Click);
    BitBtn5 = new QPushButton(u("M&eglepetések…"), page);
    BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
    BitBtn5->setGeometry(456, 429, 130, 23);
    setHint(BitBtn5, u("A hónap meglepetése: be- és kikapcsolása és az események szerkesztése"));
    connect(BitBtn5, &QPushButton::clicked, this, &TZomir0001::BitBtn5Click);

    QWidget::setTabOrder(DBGrid11, BitBtn1);
    QWidget::setTabOrder(BitBtn1, BitBtn2);
    QWidget::setTabOrder(BitBtn2, BitBtn3);
    QWidget::setTabOrder(BitBtn3, CheckBox50);
    QWidget::setTabOrder(CheckBox50, DateEdit50);
    QWidget::setTabOrder(DateEdit50, BitBtn4);
    QWidget::setTabOrder(BitBtn4, BitBtn5);

    BitBtn6 = new QPushButton(u("&Törölt játékok…"), page);
    BitBtn6->setObjectName(QStringLiteral("BitBtn6"));
    BitBtn6->setGeometry(594, 429, 167, 23);
    setHint(BitBtn6, u("A tanterem kiszolgálóján törölt játékok (30 napig), és visszaállításuk"));
    BitBtn6->setVisible(TGameBin::available(m_session));
    connect(BitBtn6, &QPushButton::clicked, this, &TZomir0001::BitBtn6Click);
    BitBtn7 = new QPushButton(u("&Archiválás…"), page);
    BitBtn7->setObjectName(QStringLiteral("BitBtn7"));
    BitBtn7->setGeometry(432, 456, 120, 33);
    setHint(BitBtn7, u("Egy időszak befejezett játékai archívumfájlba, és onnan vissza"));
    connect(BitBtn7, &QPushButton::clicked, this, &TZomir0001::BitBtn7Click);
    Label50->setGeometry(560, 464, 201, 17);
    QWidget::setTabOrder(BitBtn5, BitBtn6);
    QWidget::setTabOrder(BitBtn6, BitBtn7);
}

void TZomir0001::TabSheet11Show()
{
    if (!m_resultsRead)
        readResults();
}

void TZomir0001::BitBtn1Click() { readResults(); }

void TZomir0001::readResults()
{
    guarded([this] {
        if (JatekosokDB->active())
            JatekosokDB->refresh();
        else
            JatekosokDB->open();
        // The catalogues and professions are this window's own tables: what the other
        // pages posted shows at once.
        const results::Sources sources{JatekosokDB, SzakmaDB,     HazakDB, ElelmiszerekDB,
                                       RuhazkodasDB, KozlekedesDB, HobbiDB, SzorakozasDB};
        const QList<results::GameResult> rows = results::collect(sources);
        ResultsModel->setRows(rows);
        m_resultsRead = true;
        const auto finished = std::count_if(rows.begin(), rows.end(), [](const auto &r) { return r.finished; });
        Label50->setText(u("%1 játék, ebből %2 befejezett").arg(rows.size()).arg(finished));
    });
}

void TZomir0001::BitBtn2Click()
{
    guarded([this] {
        const QString path = m_dialogs->saveFileName(this, u("Eredmények mentése"), results::suggestedCsvPath(),
                                                     u("CSV-fájl (*.csv);;Minden fájl (*)"));
        if (path.isEmpty())
            return;
        results::writeFile(path, results::toCsv(ResultsSort->shownRows()));
        StatusBar->showMessage(u("Az eredmények mentve: %1").arg(QDir::toNativeSeparators(path)));
    });
}

void TZomir0001::BitBtn3Click()
{
    guarded([this] {
        const QModelIndex current = DBGrid11->currentIndex();
        if (!current.isValid()) {
            m_dialogs->message(u("Előbb jelöljön ki egy játékot a listában, annak készül a megoldókulcs."));
            return;
        }
        const results::GameResult game = ResultsModel->rows().at(ResultsSort->mapToSource(current).row());
        // The tax tables as they are stored now, read apart from the pages' own tables.
        const std::unique_ptr<zdb::Table> adoev = readingTable(QStringLiteral("Adoev.DB"));
        const payroll::FolderYear folder = payroll::ReadFolderYear(adoev.get());
        const std::unique_ptr<zdb::Table> bands = readingTable(QStringLiteral("adokulcs.db"));
        const std::unique_ptr<zdb::Table> rates = readingTable(QStringLiteral("jarulek.db"));
        const std::unique_ptr<zdb::Table> children = readingTable(QStringLiteral("gyerek.db"));
        payroll::PayrollTables tables;
        if (game.taxYear == folder.year)
            tables = payroll::LoadPayrollTables({bands.get(), rates.get(), children.get()}, folder.year);
        const answerkey::Report report(
            answerkey::make(game, folder.year, tables, payroll::bracketFinder(bands.get())));
        m_dialogs->preview(report);
    });
}

void TZomir0001::BitBtn4Click()
{
    guarded([this] {
        if (!m_resultsRead)
            readResults();
        const QDate since = CheckBox50->isChecked() ? DateEdit50->date() : QDate();
        const classview::Report report(classview::summarize(ResultsModel->rows(), since));
        m_dialogs->preview(report);
    });
}

void TZomir0001::BitBtn6Click()
{
    guarded([this] {
        if (!BinWindow) {
            BinWindow = new TGameBin(m_session, m_dialogs, this);
            BinWindow->setWindowFlag(Qt::Window);
            BinWindow->setFont(windowFont());
            connect(BinWindow, &TGameBin::gamesRestored, this, &TZomir0001::BitBtn1Click);
        }
        BinWindow->showBin();
    });
}

void TZomir0001::BitBtn7Click()
{
    if (!ArchiveWindow) {
        ArchiveWindow = new TArchiveWindow(m_session, m_dialogs, StatusBar, this);
        ArchiveWindow->setWindowFlag(Qt::Window);
        ArchiveWindow->setFont(windowFont());
        connect(ArchiveWindow, &TArchiveWindow::gamesChanged, this, &TZomir0001::BitBtn1Click);
    }
    if (!ArchiveWindow->isVisible())
        ArchiveWindow->move(frameGeometry().center() - ArchiveWindow->rect().center());
    ArchiveWindow->show();
    ArchiveWindow->raise();
}

void TZomir0001::BitBtn5Click()
{
    if (!EventsWindow->isVisible())
        EventsWindow->move(frameGeometry().center() - EventsWindow->rect().center());
    EventsWindow->show();
    EventsWindow->raise();
    EventsWindow->activateWindow();
}

bool TZomir0001::eventFilter(QObject *watched, QEvent *event)
{
    auto *image = qobject_cast<TDBImage *>(watched);
    bool load = false;
    if (image && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        load = mouse->button() == Qt::LeftButton && image->rect().contains(mouse->position().toPoint());
    } else if (image && event->type() == QEvent::KeyPress) {
        // The keyboard's click: Enter or Space on the focused picture.
        const int key = static_cast<QKeyEvent *>(event)->key();
        load = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    if (load) {
        const int index = int(std::find(DBImage.begin(), DBImage.end(), image) - DBImage.begin());
        switch (index) {
        case 0: DBImage1Click(); break;
        case 1: DBImage2Click(); break;
        case 2: DBImage3Click(); break;
        case 3: DBImage4Click(); break;
        case 4: DBImage5Click(); break;
        case 5: DBImage6Click(); break;
        default: break;
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TZomir0001::DBImage1Click() { loadPicture(HazakSource); }
void TZomir0001::DBImage2Click() { loadPicture(KozlekedesSource); }
void TZomir0001::DBImage3Click() { loadPicture(ElelmiszerekSource); }
void TZomir0001::DBImage4Click() { loadPicture(HobbiSource); }
void TZomir0001::DBImage5Click() { loadPicture(SzorakozasSource); }
void TZomir0001::DBImage6Click() { loadPicture(RuhazkodasSource); }

void TZomir0001::loadPicture(TDataSource *source)
{
    guarded([&] {
        const QString path = m_dialogs->openPictureName(
            this, u("Kép betöltése"), QString(),
            u("Képek (*.bmp *.dib *.png *.jpg *.jpeg *.gif *.tif *.tiff *.ico *.xpm *.pbm *.pgm *.ppm);;"
              "Minden fájl (*)"));
        if (path.isEmpty())
            return;
        // Read and converted before the row is touched: a file that is no picture changes nothing.
        const QByteArray bitmap = maint::pictureFileAsBitmap(path);
        zdb::Table *table = source->dataSet();
        if (!table->editing())
            source->edit();
        table->fieldByName(QStringLiteral("Kep")).setValue(bitmap);
        source->post();
    });
}

void TZomir0001::rereadFolderYear()
{
    m_folderYear = payroll::ReadFolderYear(readingTable(QStringLiteral("Adoev.DB")).get()).year;
    setWindowTitle(u("Dedarudorazo v2 – %1").arg(budget::yearLevelsText(m_folderYear)));
}

void TZomir0001::ApplicationEvents1ActionExecute(const QString &hint) { StatusBar->showMessage(hint); }

void TZomir0001::TypingBeforeEdit()
{
    StatusBar->showMessage(u("A módosítás a „Szerkesztés” gombbal kezdődik: előbb azt nyomja meg, utána gépeljen."));
}

bool TZomir0001::event(QEvent *event)
{
    if (m_restAfterPaint && event->type() == QEvent::Paint) {
        m_restAfterPaint = false;
        // Once the paint has reached the screen, and after what the paint itself posted.
        QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, &TZomir0001::buildRestAfterPaint); });
    }
    if (event->type() == QEvent::StatusTip) {
        ApplicationEvents1ActionExecute(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

bool TZomir0001::FormCloseQuery()
{
    for (int page = 0; page < PageCount; ++page) {
        TDataSource *source = m_pageSources[page];
        zdb::Table *table = source->dataSet();
        if (!table->editing())
            continue;
        // What is still being typed counts as changed.
        if (!guarded([source] { source->updateRecord(); })) {
            PageControl->setCurrentIndex(page);
            return false;
        }
        if (!table->modified()) {
            table->cancel();
            continue;
        }
        PageControl->setCurrentIndex(page);
        const int answer = m_dialogs->ask(
            u("Megerősítés"),
            u("A(z) „%1” lapon a módosítás nincs elmentve. Mentsük a bezárás előtt?").arg(PageControl->tabText(page)),
            {u("&Igen"), u("&Nem"), u("&Mégsem")});
        if (answer == 0) {
            if (!guarded([source] { source->post(); }))
                return false;
        } else if (answer == 1) {
            table->cancel();
        } else {
            return false;
        }
    }
    if (!EventsWindow->closeQuery(EventsWindow->windowTitle())) {
        BitBtn5Click();
        return false;
    }
    return true;
}

void TZomir0001::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}
