#pragma once
// The profession choice "Pályaválasztás": the recommendation from the test's ranking, the
// 30 professions with their pictures, marks and radio buttons, the career sheets on a
// picture click, and the confirmed choice ("Szakmavalasztas.txt", JobKey).

#include <QWidget>

#include <array>

class QTimer;

class Game;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

class TfSzakma : public QWidget {
    Q_OBJECT
public:
    explicit TfSzakma(Game *game, QWidget *parent = nullptr);

    // Paths of the career sheet to show (picture, rich text), as the profession table
    // writes them; empty at start, kept after each picture click. They live in the game
    // state, which the career sheet reads.
    QString &ProfilePicturePath;
    QString &ProfileSheetPath;

    QScrollArea *ScrollBox = nullptr;   // the window's scrolling client area
    QLabel *Image1 = nullptr;
    QLabel *lErtekel = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QPushButton *bSzakmaval = nullptr;
    QRadioButton *RadioButton(int number) const { return m_radios.at(number - 1); }   // 1..30
    QLabel *Image(int number) const { return m_images.at(number - 2); }              // 2..31
    QLabel *Felk(int number) const { return m_marks.at(number - 1); }                // 1..30

    // The vertical scroll position of the client area, in pixels.
    int scrollPosition() const;
    int scrollRange() const;

public Q_SLOTS:
    void BitBtn1Click();
    void bSzakmavalClick();
    void ImageClick(int imageNumber);   // Image2Click to Image31Click
    void FormMouseWheelDown();
    void FormMouseWheelUp();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void confirmChoice();
    void scrollTo(int position);

    Game *m_game;
    std::array<QRadioButton *, 30> m_radios{};
    std::array<QLabel *, 30> m_images{};
    std::array<QString, 30> m_picturePaths{};
    // The pictures are read one at a time while the earlier screens are in use, the rest
    // when the screen is first shown: a first showing need not read all thirty.
    void loadNextPicture();
    QTimer *m_pictureTimer = nullptr;
    size_t m_picturesRead = 0;
    std::array<QLabel *, 30> m_marks{};
    int m_wheelRest = 0;
};
