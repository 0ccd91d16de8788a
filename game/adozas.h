#pragma once
// The payroll exercise "Bér": the player pays the deductions of the gross wage, one stage
// after the other, by dragging forint coins and notes from the tray onto the tax office's
// logo; "Ellenőríz" checks the stage. In a 2010 folder the stages are the four deductions
// of 2010 (tax advance, pension, health insurance, employee contribution) and the office is
// the APEH; in a 2026 folder they are the SZJA paid and the TB contribution paid after the
// family contribution allowance, each paid in cash, that is rounded to 5 Ft by the cash
// rule (payroll::cashRound), and the office is the NAV. When every stage is right the
// wallet holds the net wage and the income calculator receives the amounts
// (exerciseFinished). A piece with the keyboard focus is paid with Enter or Space, so the
// exercise can be done without a mouse.
//
// The window keeps its state (stage, amounts paid, texts) for the whole run.

#include "game/gamestate.h"

#include <QLabel>
#include <QWidget>

#include <array>

class Game;
class QPushButton;
class QTimer;

// One coin or note of the tray. Its value is its hint; its mouse handling and its keys are
// the exercise window's. While it is dragged over the logo it is not drawn (the pointer
// shows where it would land).
class TMoneyPiece : public QLabel {
    Q_OBJECT
public:
    TMoneyPiece(int value, QWidget *parent);
    int value() const { return m_value; }
    // Not drawn while over the logo during a drag.
    void setOverLogo(bool over);
    bool overLogo() const { return m_overLogo; }

Q_SIGNALS:
    void pressed(TMoneyPiece *piece, QMouseEvent *event);
    void moved(TMoneyPiece *piece, QMouseEvent *event);
    void released(TMoneyPiece *piece, QMouseEvent *event);
    void paidByKey(TMoneyPiece *piece);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_value;
    bool m_overLogo = false;
};

class TBer : public QWidget {
    Q_OBJECT
public:
    explicit TBer(Game *game, QWidget *parent = nullptr);
    ~TBer() override;

    // The stages of 2010 are 1 to 4, those of 2026 the tax and StageContribution; then
    // finished.
    enum Stage { StageTax = 1, StagePension, StageHealth, StageEmployee, StageContribution, Finished };
    Stage stage() const { return m_stage; }
    qint64 paidInStage() const { return m_paidInStage; }
    qint64 paidInTotal() const { return m_paidInTotal; }
    qint64 wallet() const { return m_wallet; }
    // The amounts expected, as computed when the window was last shown.
    const SolvedDeductions &expected() const { return m_expected; }

    QLabel *Label1 = nullptr;  // paid in total, on the logo
    QLabel *Label2 = nullptr;  // the wallet
    QLabel *Label3 = nullptr;  // stage title
    QLabel *Label4 = nullptr;  // instructions
    QLabel *Label5 = nullptr;  // "Összes levonás: "
    QLabel *Label6 = nullptr;  // result lines of stages 1 to 4
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *ado = nullptr;    // the tax office's logo
    QLabel *brief = nullptr;  // the wallet
    QPushButton *BitBtn1 = nullptr;  // red X: takes back the stage's amount
    QPushButton *BitBtn2 = nullptr;  // calculator
    QPushButton *Ellenor = nullptr;  // "Ellenőríz", "Vége" when finished
    QTimer *Timer1 = nullptr;        // the title's blink, 500 ms

    // The twelve pieces, by value (5, 10, ..., 20000); nullptr for another value.
    TMoneyPiece *piece(int value) const;
    QList<TMoneyPiece *> pieces() const { return m_pieces; }
    // The picture dragged along under the piece; nullptr when no drag is going on.
    QLabel *ghost() const { return m_ghost; }

    // The tax year the exercise follows (the folder's, read when the window is shown).
    int year() const { return m_year; }
    // The stages of the year, in order.
    QVector<Stage> stages() const;
    // The tax office of the year: "APEH" (2010) or "NAV" (2026).
    QString taxOffice() const;

    // Texts of the stages.
    static QString stageTitle(Stage stage);
    QString instructions(Stage stage) const;

Q_SIGNALS:
    // All four stages are right: the amounts go to the income calculator.
    void exerciseFinished(const SolvedDeductions &solved);

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void EllenorClick();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void PenzMouseDown(TMoneyPiece *piece, QMouseEvent *event);
    void PenzMouseMove(TMoneyPiece *piece, QMouseEvent *event);
    void PenzMouseUp(TMoneyPiece *piece, QMouseEvent *event);
    void MoveMoneyPiece(TMoneyPiece *piece, QMouseEvent *event);
    void endDrag();
    void pay(int value);
    void showAmounts();
    // The instructions in their box, in a smaller size when they would not fit it.
    void showInstructions(const QString &text);
    // Checks one stage; true when it was passed.
    void checkStage(Stage stage);
    void FinishExercise();
    bool insideLogo(const QPoint &windowPos) const;
    qint64 expectedFor(Stage stage) const;

    Game *m_game;
    QList<TMoneyPiece *> m_pieces;
    Stage m_stage = StageTax;
    qint64 m_paidInStage = 0;
    qint64 m_paidInTotal = 0;
    qint64 m_wallet = 0;
    SolvedDeductions m_expected;
    qint64 m_superGross = 0;
    int m_year = 2010;
    // 2026: the exact figures handed to the calculator, by field number.
    QMap<int, qint64> m_figures2026;
    int m_blinkCount = 0;
    // Drag state.
    TMoneyPiece *m_dragged = nullptr;
    QPoint m_grab;
    QPoint m_startPos;
    QLabel *m_ghost = nullptr;
};
