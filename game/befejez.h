#pragma once
// The credits screen shown after a finished game: a picture and four credit lines. It ends
// the program 6000 ms after it is shown, on a click on its free strip, or when closed.

#include <QWidget>

class Game;
class QLabel;
class QTimer;

class TVege : public QWidget {
    Q_OBJECT
public:
    explicit TVege(Game *game, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QTimer *Timer1 = nullptr;   // 6000 ms, started when the screen is shown

private Q_SLOTS:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // Enter, Space or Escape ends the program, as a click on the free strip does.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void FormClick();
    void FormClose();

    Game *m_game;
    bool m_placed = false;
};
