#pragma once
// The income calculator "Jövedelem kalkulátor": the player works out, from the gross wage
// in "ber.txt", the family's monthly net income in the number fields of the working
// folder's tax year (eleven in 2010, ten in 2026: the figures of the year's rule set, in its
// order). Each field turns green (right) or red (wrong) when it is left; a figure the rules
// show for information only is filled in by the calculator and never marked. With every
// judged field green, "&Kiszámoltam!" stores the family total in the player's record and
// sends the player back to plan the household for it. The payroll exercise ("Havibér
// kalkulátor") opens from here once the first figure (the super-gross wage in 2010, the
// family allowance base in 2026) is right, and hands back its solved deductions
// (takeSolvedDeductions).

#include "game/gamestate.h"
#include "rules/incomecheck.h"
#include "rules/payroll.h"
#include "rules/taxyear.h"

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
    // Beside the colour, a field's mark is a sign right of it ("✓" right, "✗" wrong) and
    // the verdict in words in its tooltip and accessible description.
    static void setMark(TNumberEdit *field, Mark mark);
    // The sign beside a field (none before its first mark).
    static QLabel *markLabel(const TNumberEdit *field);

    // NumberEdit1 .. NumberEdit11 (NumberEdit11 is hidden in a year without it).
    TNumberEdit *NumberEdit(int number) const { return m_fields.at(number); }
    // The caption beside a field.
    QLabel *caption(int number) const { return m_captions.at(number); }
    // The rules the fields follow: the folder's year, read when the window is first shown
    // (2010 until then).
    const payroll::RuleSet &rules() const { return *m_rules; }

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

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // The payroll exercise solved: its amounts go into NumberEdit1 .. NumberEdit5, marked
    // right, and NumberEdit6 is the field that has the focus when the player comes back.
    void takeSolvedDeductions(const SolvedDeductions &solved);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Lays the fields out for a year's rules: captions, places, help topics, tab order and
    // the texts that name the rounding and the year.
    void applyRules(const payroll::RuleSet &rules);
    // The judged fields, and the first of them (the gate of the payroll exercise).
    QVector<int> judgedFields() const;
    int firstField() const;
    // The field of the figure named `key` in the rules.
    int fieldOf(const QString &key) const;
    void updateHelpNotes2026();
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
    std::array<QLabel *, 12> m_captions{};
    const payroll::RuleSet *m_rules = nullptr;
    TNumberEdit *m_lastLeft = nullptr;
    WageInputs m_inputs;
    payroll::PayrollTables m_tables;
    bool m_tablesLoaded = false;
    bool m_finishing = false;  // "&Kiszámoltam!" is closing the window
    bool m_focusWasOwn = false;  // the last window that had the focus was this or its own
};
