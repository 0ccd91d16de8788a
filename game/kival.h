#pragma once
// The main window "Életvitel": the player page, the six household pages and the
// game state of the run.

#include <QMainWindow>

class Game;
class QTabWidget;
class QStatusBar;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Game *game, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Page indexes of PageControl1.
    enum Page { PageNev = 0, PageHaz, PageElelmiszer, PageRuhazkodas, PageKozlekedes, PageHobbi,
                PageSzorakozas };

    // Makes `index` the current page: the tab of the page left is hidden and the tab of
    // the target page shown, so that normally exactly one tab is visible.
    void goToPage(int index);
    // Shows only the "Név" tab (the opening screen's Kezd).
    void showNamePageOnly();

    // Game state of the run, all zero, empty or false at start.
    int HobbyMask = 0;
    int EntertainmentMask = 0;
    int JobKey = 0;
    QString PlayerName;
    bool NewGame = false;
    int LastBalance = 0;   // monthly balance of the last family budget check

    QTabWidget *PageControl1 = nullptr;
    QStatusBar *StatusBar = nullptr;

private:
    Game *m_game;
};
