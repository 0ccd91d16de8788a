#pragma once
// The main window "Életvitel": the player page, the six household pages and the
// game state of the run.

#include "game/gamestate.h"

#include <QMainWindow>

#include <array>
#include <memory>

class Game;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class TBudgetEvaluation;
class THouseholdPage;
namespace sugo { class TopicAppendix; }

// One page of PageControl1. It tells when it is shown (the page became current, or the
// window was shown with it current), which is where the pages refresh themselves.
class TTabSheet : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
Q_SIGNALS:
    void shown();

protected:
    void showEvent(QShowEvent *event) override;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Game *game, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Page indexes of PageControl1.
    enum Page { PageNev = ::PageNev, PageHaz = ::PageHaz, PageElelmiszer = ::PageElelmiszer,
                PageRuhazkodas = ::PageRuhazkodas, PageKozlekedes = ::PageKozlekedes, PageHobbi = ::PageHobbi,
                PageSzorakozas = ::PageSzorakozas };

    // Makes `index` the current page: the tab of the page left is hidden and the tab of
    // the target page shown, so that normally exactly one tab is visible.
    void goToPage(int index);
    // Shows only the "Név" tab (the opening screen's Kezd).
    void showNamePageOnly();

    // Game state of the run, all zero, empty or false at start; held in the game state that
    // every screen shares.
    int &HobbyMask;
    int &EntertainmentMask;
    int &JobKey;
    QString &PlayerName;
    bool &NewGame;
    qint64 &LastBalance;   // monthly balance of the last family budget check

    QTabWidget *PageControl1 = nullptr;
    QStatusBar *StatusBar = nullptr;

    // The pages in index order ("Név", "Ház", "Élelmiszer", "Ruházkodás", "Közlekedés",
    // "Hobbi", "Szórakozás").
    TTabSheet *TabSheet1 = nullptr;
    TTabSheet *TabSheet2 = nullptr;
    TTabSheet *TabSheet3 = nullptr;
    TTabSheet *TabSheet8 = nullptr;
    TTabSheet *TabSheet4 = nullptr;
    TTabSheet *TabSheet5 = nullptr;
    TTabSheet *TabSheet6 = nullptr;

    // The "Név" page.
    QLabel *Label6 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;   // "Új &Játék"
    QPushButton *Button2 = nullptr;   // "&Betöltés"
    QPushButton *BitBtn1 = nullptr;   // "&OK"

    // The household pages, by page index (PageHaz .. PageSzorakozas).
    THouseholdPage *householdPage(int index) const { return m_pages.at(index); }
    // The evaluation behind the last page's OK.
    TBudgetEvaluation *evaluation() const { return m_evaluation.get(); }

    // The hint the status bar shows for a widget: its own status tip, else that of the
    // nearest enclosing widget that has one; empty when none has one.
    static QString hintFor(const QWidget *widget);

public Q_SLOTS:
    void TabSheet1Show();
    void Edit1Exit();
    void BitBtn1Click();
    void Button1Click();
    void Button2Click();
    // OK of "Ház", "Élelmiszer", "Ruházkodás", "Közlekedés" and "Hobbi": on to the next page.
    void BitBtn4Click();
    void BitBtn7Click();
    void BitBtn16Click();
    void BitBtn10Click();
    void BitBtn11Click();
    // OK of "Szórakozás": saves the game and evaluates the budget.
    void BitBtn12Click();
    // Copies the current hint into the status bar.
    void ApplicationEvents1ActionExecute(const QString &hint);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void createNamePage();
    void createHouseholdPages();
    // After an evaluation that stopped on an error: the last page is shown again, so that
    // the player can press OK once more or close the window.
    void restoreLastPage();
    TTabSheet *addPage(const QString &objectName, const QString &caption, int helpContext);
    void untickHouseholdChoices();
    // Makes the unfinished stored game of `name` the current player row and reads its
    // masks; false when that name has no unfinished game.
    bool locateUnfinishedGame(const QString &name);
    // The name as it is saved: the first 30 characters of what was typed.
    static QString savedName(const QString &typed);
    // Judges the name in the box, as leaving the box does, when it changed since.
    void settleName();
    // Deletes every stored game the case-insensitive locate finds under `name`.
    void deleteStoredGames(const QString &name);
    void startNewGame();
    void loadGame();

    Game *m_game;
    std::array<THouseholdPage *, 7> m_pages{};
    std::unique_ptr<TBudgetEvaluation> m_evaluation;
    // The current prices in the help of the household pages and of the family budget.
    std::unique_ptr<sugo::TopicAppendix> m_pricesHelp;
    std::unique_ptr<sugo::TopicAppendix> m_familyHelp;
    QString m_checkedName;   // the name the game buttons were last evaluated for
};
