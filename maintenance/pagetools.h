#pragma once
// The tools under the grid of every editing page of the maintenance window: the search
// row, and "Nyomtatás…", which shows the page's list for the class (the catalogue's price
// list, the professions' wage ranges, or the tax tables) in the print preview.

#include <QObject>

#include <array>

class Dialogs;
class QPushButton;
class TPageSearch;
class TZomir0001;

namespace classlists {
struct Listing;
}

class TPageTools : public QObject {
    Q_OBJECT
public:
    // The window's F3 and Ctrl+F; each page's row and button come with addPage.
    TPageTools(TZomir0001 *window, Dialogs *dialogs);
    // The search row and "Nyomtatás…" of one page, made after the page's own controls.
    void addPage(int page);

    // By page index, as the window's pages.
    std::array<TPageSearch *, 10> Search{};
    std::array<QPushButton *, 10> PrintButton{};

    // The list the page's "Nyomtatás…" prints, read from the tables as stored.
    classlists::Listing listingOf(int page) const;

public Q_SLOTS:
    void printPage(int page);
    // F3 and Ctrl+F, wherever the focus is in the window (the tab bar too): the next match
    // of the current page's search, and the way to its field.
    void findNextOnPage();
    void focusSearchOnPage();

private:
    TZomir0001 *m_window;
    Dialogs *m_dialogs;
};
