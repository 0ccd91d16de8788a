#pragma once
// The maintenance utility's only window: ten pages that edit the game's catalogue, tax and
// profession tables through data-bound controls and a record navigator per page.

#include <QWidget>

#include <array>

class Dialogs;
class QLabel;
class QStatusBar;
class QTabWidget;
class QTableView;
class TDBEdit;
class TDBImage;
class TDBMemo;
class TExtDBNavigator;
class TImageList;
namespace zdb {
class Session;
class Table;
}

class TZomir0001 : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageCount = 10;

    // Opens the ten tables through the alias; throws the engine's error when the alias is
    // missing or a table cannot be opened.
    TZomir0001(zdb::Session *session, Dialogs *dialogs, QWidget *parent = nullptr);
    ~TZomir0001() override;

    QTabWidget *PageControl = nullptr;
    std::array<QWidget *, PageCount> TabSheet{};   // TabSheet[0] is TabSheet1, in page order
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

    // ExtDBNavigator[0] is ExtDBNavigator1 (the "Hobbi" page's), DBGrid[0] is DBGrid1, ...
    std::array<TExtDBNavigator *, PageCount> ExtDBNavigator{};
    std::array<QTableView *, PageCount> DBGrid{};
    std::array<TDBImage *, 6> DBImage{};

    // The table a page edits, by page index in page order.
    zdb::Table *pageTable(int page) const;

public slots:
    void DBImage1Click();
    void DBImage2Click();
    void DBImage3Click();
    void DBImage4Click();
    void DBImage5Click();
    void DBImage6Click();
    void ApplicationEvents1ActionExecute(const QString &hint);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    zdb::Table *openTable(const QString &name, const QString &file, bool autoEdit);
    void buildHazak();
    void buildCatalogue(int page, zdb::Table *table, const struct CataloguePage &desc);
    void buildTaxPages();
    void buildSzakma();
    void addNavigator(int page, int number, zdb::Table *table, bool insertDelete);
    void addGrid(int page, int number, zdb::Table *table);
    void loadPicture(zdb::Table *table);
    bool FormCloseQuery();

    zdb::Session *m_session;
    Dialogs *m_dialogs;
    std::array<zdb::Table *, PageCount> m_pageTables{};
};
