#pragma once
// The maintenance utility's only window: ten pages that edit the game's catalogue, tax and
// profession tables through data-bound controls and a record navigator per page, and a
// last page listing every stored game for the teacher.

#include <QList>
#include <QWidget>

#include <array>
#include <memory>

class Dialogs;
class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableView;
class TArchiveWindow;
class TDataSource;
class TDBEdit;
class TContentTools;
class TEventsPage;
class TDBImage;
class TDBMemo;
class TExtDBNavigator;
class TGameBin;
class TImageList;
class TPageTools;
class THistory;
class TToolsMenu;
class TResultsModel;
class TResultsSortModel;
class TTableModel;
namespace zdb {
class Session;
class Table;
}

class TZomir0001 : public QWidget {
    Q_OBJECT
public:
    // The pages that edit a table; the results page follows them.
    static constexpr int PageCount = 10;
    static constexpr int ResultsPage = PageCount;

    // Whole: every page is made in the constructor. FirstPageFirst: the constructor makes
    // the first page's controls (and the tabs, the status bar and every table); the other
    // pages are made once the window is painted, or at once when another page is chosen
    // first (buildRest).
    enum class Pages { Whole, FirstPageFirst };

    // Opens the ten tables through the alias; throws the engine's error when the alias is
    // missing or a table cannot be opened.
    TZomir0001(zdb::Session *session, Dialogs *dialogs, QWidget *parent = nullptr, Pages pages = Pages::Whole);
    ~TZomir0001() override;

    QTabWidget *PageControl = nullptr;
    // The pages in their order: TabSheet1, 2, 3, 6, 4, 5, 7, 8, 9, 10.
    std::array<QWidget *, PageCount> TabSheet{};
    QStatusBar *StatusBar = nullptr;
    TImageList *ImageList1 = nullptr;

    zdb::Table *HazakDB = nullptr;
    zdb::Table *KozlekedesDB = nullptr;
    zdb::Table *ElelmiszerekDB = nullptr;
    zdb::Table *HobbiDB = nullptr;
    zdb::Table *SzorakozasDB = nullptr;
    zdb::Table *RuhazkodasDB = nullptr;
    zdb::Table *AdoDB = nullptr;
    zdb::Table *GyerekDB = nullptr;
    zdb::Table *JarulekDB = nullptr;
    zdb::Table *SzakmaDB = nullptr;

    TDataSource *HazakSource = nullptr;
    TDataSource *KozlekedesSource = nullptr;
    TDataSource *ElelmiszerekSource = nullptr;
    TDataSource *HobbiSource = nullptr;
    TDataSource *SzorakozasSource = nullptr;
    TDataSource *RuhazkodasSource = nullptr;
    TDataSource *AdoSource = nullptr;
    TDataSource *GyerekSource = nullptr;
    TDataSource *JarulekSource = nullptr;
    TDataSource *SzakmaSource = nullptr;

    // ExtDBNavigator[0] is ExtDBNavigator1 (the "Hobbi" page's), DBGrid[0] is DBGrid1, ...
    std::array<TExtDBNavigator *, PageCount> ExtDBNavigator{};
    std::array<QTableView *, PageCount> DBGrid{};
    std::array<TDBImage *, 6> DBImage{};

    // "Eredmények": the stored games, read-only. The players' table is opened and read when
    // the page is first shown, and read again on "Frissítés".
    QWidget *TabSheet11 = nullptr;
    zdb::Table *JatekosokDB = nullptr;
    QTableView *DBGrid11 = nullptr;
    QPushButton *BitBtn1 = nullptr;   // "Frissítés"
    QPushButton *BitBtn2 = nullptr;   // "Mentés CSV-be…"
    QPushButton *BitBtn3 = nullptr;   // "Megoldókulcs": the answer key of the selected game
    QLabel *Label50 = nullptr;        // how many games are listed
    // The class at a glance: every game, or those since the day picked.
    QCheckBox *CheckBox50 = nullptr;  // "Csak ettől a naptól:"
    QDateEdit *DateEdit50 = nullptr;
    QPushButton *BitBtn4 = nullptr;   // "Osztály egy képen…": previewed, printed, saved as PDF
    // "Meglepetések…": the window of the month's surprise (its setting and its events).
    QPushButton *BitBtn5 = nullptr;
    TEventsPage *EventsWindow = nullptr;
    TResultsModel *ResultsModel = nullptr;
    TResultsSortModel *ResultsSort = nullptr;
    // "Törölt játékok…": a classroom server's deleted games (only there); "Archiválás…":
    // the finished games of a period into a file and out of the table. Windows made on first use.
    QPushButton *BitBtn6 = nullptr;
    QPushButton *BitBtn7 = nullptr;
    TGameBin *BinWindow = nullptr;
    TArchiveWindow *ArchiveWindow = nullptr;

    // The search row and "Nyomtatás…" of every editing page.
    TPageTools *Tools = nullptr;
    // The history of the pages' changes and the "Eszközök" menu in the tab bar's corner
    // (none when the history table cannot be opened; the status bar says why).
    THistory *History = nullptr;
    TToolsMenu *ToolsMenu = nullptr;
    // The content tools: export, import, the supplied figures, the backups.
    TContentTools *ContentTools = nullptr;

    // Makes the pages not made yet (nothing when every page is made).
    void buildRest();
    bool restBuilt() const { return m_restBuilt; }

    // The table and data source a page edits, by page index in page order.
    zdb::Table *pageTable(int page) const;
    TDataSource *pageSource(int page) const;

public Q_SLOTS:
    void DBImage1Click();
    void DBImage2Click();
    void DBImage3Click();
    void DBImage4Click();
    void DBImage5Click();
    void DBImage6Click();
    void ApplicationEvents1ActionExecute(const QString &hint);
    // A catalogue control was typed into before "Szerkesztés": the status bar says how to start.
    void TypingBeforeEdit();
    void TabSheet11Show();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();

    // The working folder's tax year, read when the database was opened (the title shows it).
    int folderYear() const { return m_folderYear; }
    // Reads the year again (after the year's table was replaced as a whole) and retitles.
    void rereadFolderYear();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    zdb::Table *openTable(const QString &name, const QString &file);
    TDataSource *makeSource(const QString &name, zdb::Table *table, bool autoEdit);
    void buildHazak();
    void buildCatalogue(int page, TDataSource *source, const struct CataloguePage &desc);
    void buildTaxPages();
    void buildSzakma();
    void buildResults();
    void readResults();
    void finishPage(int page);
    void buildRestAfterPaint();
    void addNavigator(int page, int number, TDataSource *source, bool insertDelete);
    void addGrid(int page, int number, TDataSource *source);
    void loadPicture(TDataSource *source);
    bool FormCloseQuery();

    zdb::Session *m_session;
    Dialogs *m_dialogs;
    std::array<TDataSource *, PageCount> m_pageSources{};
    // Gives a page's controls the accessible names a screen reader says: the caption
    // beside each, and the page's name for its grid and navigator.
    void nameControls(int page);
    void bindPagePictures(int page);
    struct PendingPicture {
        int page;
        TDBImage *image;
        TDataSource *source;
    };
    QList<PendingPicture> m_pendingPictures;
    bool m_resultsRead = false;
    bool m_restBuilt = false;
    bool m_restAfterPaint = false;
    int m_folderYear = 2010;
    // A table of the folder opened by name for one reading (closed), apart from the pages' own.
    std::unique_ptr<zdb::Table> readingTable(const QString &file);
};
