#include "maintenance/pagetools.h"

#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "maintenance/Unit1.h"
#include "maintenance/classlists.h"
#include "maintenance/pagesearch.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// The pages that print the tax tables, and the professions' page.
constexpr int kFirstTaxPage = 6;
constexpr int kLastTaxPage = 8;
constexpr int kProfessionPage = 9;

}  // namespace

TPageTools::TPageTools(TZomir0001 *window, Dialogs *dialogs)
    : QObject(window), m_window(window), m_dialogs(dialogs)
{
    static_assert(TZomir0001::PageCount == 10, "one set of tools per editing page");
    auto *again = new QShortcut(QKeySequence(Qt::Key_F3), window);
    connect(again, &QShortcut::activated, this, &TPageTools::findNextOnPage);
    auto *find = new QShortcut(QKeySequence(QKeySequence::Find), window);
    connect(find, &QShortcut::activated, this, &TPageTools::focusSearchOnPage);
}

void TPageTools::addPage(int page)
{
    TZomir0001 *window = m_window;
    QWidget *sheet = window->TabSheet.at(page);
    const QString caption = window->PageControl->tabText(page);
    auto *search = new TPageSearch(window->pageSource(page), sheet, caption);
    search->setObjectName(QStringLiteral("Kereses%1").arg(page + 1));
    search->move(8, 430);
    connect(search, &TPageSearch::message, window, &TZomir0001::ApplicationEvents1ActionExecute);
    Search.at(page) = search;

    const bool taxPage = page >= kFirstTaxPage && page <= kLastTaxPage;
    const QString what = taxPage ? u("az adótáblák")
                         : page == kProfessionPage ? u("a szakmák bérsávjai")
                                                   : u("a(z) „%1” árlistája").arg(caption);
    auto *button = new QPushButton(window->style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                   u("&Nyomtatás…"), sheet);
    button->setObjectName(QStringLiteral("Nyomtatas%1").arg(page + 1));
    button->setGeometry(641, 429, 120, 23);
    const QString hint = u("Nyomtatható lista az osztálynak: %1 A4-es oldalakon (előnézet, nyomtatás, PDF)").arg(what);
    button->setStatusTip(hint);
    button->setToolTip(hint);
    button->setAccessibleName(u("Nyomtatás: %1").arg(what));
    connect(button, &QPushButton::clicked, this, [this, page] { printPage(page); });
    PrintButton.at(page) = button;
}

void TPageTools::findNextOnPage()
{
    const int page = m_window->PageControl->currentIndex();
    if (page >= 0 && page < TZomir0001::PageCount)
        Search.at(page)->findNext();
}

void TPageTools::focusSearchOnPage()
{
    const int page = m_window->PageControl->currentIndex();
    if (page >= 0 && page < TZomir0001::PageCount)
        Search.at(page)->focusField();
}

classlists::Listing TPageTools::listingOf(int page) const
{
    const int year = m_window->folderYear();
    if (page >= kFirstTaxPage && page <= kLastTaxPage)
        return classlists::taxTables(year, m_window->AdoDB, m_window->GyerekDB, m_window->JarulekDB);
    if (page == kProfessionPage)
        return classlists::professionList(m_window->SzakmaDB, year);
    return classlists::priceList(m_window->PageControl->tabText(page), m_window->pageTable(page), year);
}

void TPageTools::printPage(int page)
{
    guarded([this, page] {
        const classlists::ListReport report(listingOf(page));
        m_dialogs->preview(report);
    });
}
