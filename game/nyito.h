#pragma once
// The opening screen "Z O M I R": the animation, start the game (Kezd, Alt+K) or end the
// program (Kilep, Alt+J, closing the window); Escape skips the animation to its last picture.

#include <QWidget>

class Game;
class QLabel;
class QToolButton;
class TAnimationPlayer;

class TfIndul : public QWidget {
    Q_OBJECT
public:
    explicit TfIndul(Game *game, QWidget *parent = nullptr);

    TAnimationPlayer *AnimationPlayer1 = nullptr;
    QToolButton *Kezd = nullptr;
    QToolButton *Kilep = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Keys = nullptr;  // the keys of the screen, Escape skipping the animation

public Q_SLOTS:
    void KezdClick();
    void KilepClick();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormActivate();
    void FormKeyDown(QKeyEvent *event);
    void FormClose();
    void CloseTables();

    Game *m_game;
};
