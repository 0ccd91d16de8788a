#pragma once
// The income calculator "Jövedelem kalkulátor": the player works out, from the gross wage
// in "ber.txt", the family's monthly net income in eleven number fields. Each field turns
// green (right) or red (wrong) when it is left; with every field green, "&Kiszámoltam!"
// stores the family total in the player's record and sends the player back to plan the
// household for it. The payroll exercise ("Havibér kalkulátor") opens from here once the
// super-gross wage is right, and hands back its solved deductions (takeSolvedDeductions).

#include "gamestate.h"
#include "incomecheck.h"
#include "payroll.h"

#include <QWidget>

#include <array>

class QWindow;

class Game;
class QLabel;
class QPushButton;
class TNumberEdit;

class TfJovedelem : public QWidget {
    Q_OBJECT
public:
    explicit TfJovedelem(Game *game, QWidget *parent = nullptr);
    ~TfJovedelem() override;

    // The marks of the fields, held in their font colour.
    enum class Mark { None, Right, Wrong };
    static QColor rightColour() { return QColor(0, 128, 0); }
    static QColor wrongColour() { return QColor(255, 0, 0); }
    static Mark markOf(const TNumberEdit *field);
    static void setMark(TNumberEdit *field, Mark mark);

    // NumberEdit1 .. NumberEdit11.
    TNumberEdit *NumberEdit(int number) const { return m_fields.at(number); }

    QLabel *Label1 = nullptr;   // title
    QLabel *Label2 = nullptr;   // gross wage
    QLabel *Label3 = nullptr;   // F1 hint
    QLabel *Label15 = nullptr;  // number of children
    QLabel *Label24 = nullptr;
    QLabel *Label25 = nullptr;
    QPushButton *BitBtn1 = nullptr;  // "&Számológép"
    QPushButton *BitBtn2 = nullptr;  // "&Kiszámoltam!"
    QPushButton *BitBtn3 = nullptr;  // "Havibér kalkulátor"

    // The field the focus last left (none at start).
    TNumberEdit *lastLeftField() const { return m_lastLeft; }
    const WageInputs &inputs() const { return m_inputs; }

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // The payroll exercise solved: its amounts go into NumberEdit1 .. NumberEdit5, marked
    // right, and NumberEdit6 is the field that has the focus when the player comes back.
    void takeSolvedDeductions(const SolvedDeductions &solved);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void NumberEditExit(int number);
    void HandleEnterEscape(TNumberEdit *field, int &key);
    bool allRight() const;
    void updateHelpNotes();
    // Follows the application's focus window. The window counts as activated when it gets
    // the focus from another window of the game; coming back from a box or window of its
    // own (a message, a question, the game's calculator) or from another program is no
    // new activation.
    void focusWindowChanged(QWindow *now);
    bool isOwnWindow(const QWindow *window) const;

    Game *m_game;
    std::array<TNumberEdit *, 12> m_fields{};  // [0] unused
    TNumberEdit *m_lastLeft = nullptr;
    WageInputs m_inputs;
    payroll::PayrollTables m_tables;
    bool m_tablesLoaded = false;
    bool m_finishing = false;  // "&Kiszámoltam!" is closing the window
    bool m_focusWasOwn = false;  // the last window that had the focus was this or its own
};
