#pragma once
// The career profile sheet "Pályatükör": the picture and the rich-text description of the
// profession whose picture was clicked in the profession choice, and printing the text.

#include <QString>
#include <QWidget>

class Game;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextEdit;

class TfPalya : public QWidget {
    Q_OBJECT
public:
    explicit TfPalya(Game *game, QWidget *parent = nullptr);

    QScrollArea *ScrollBox = nullptr;   // the window's scrolling client area
    QLabel *Image1 = nullptr;
    QTextEdit *RichEdit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

    int scrollPosition() const;
    int scrollRange() const;

public Q_SLOTS:
    void BitBtn1Click();
    void FormMouseWheelDown();
    void FormMouseWheelUp();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormActivate();
    void load();
    void loadPicture(const QString &gamePath);
    void fitContent();
    // The sheet read again from its file, in the session's reading size.
    void readSheet();
    void changeReadingStep(int by);
    void scrollTo(int position);

    Game *m_game;
    int m_wheelRest = 0;
    // A failed load is not repeated when the window is activated again by the closing of
    // the error box itself; a new showing or other paths load again.
    bool m_shownSinceLoad = false;
    bool m_lastLoadFailed = false;
    QString m_lastPicture, m_lastSheet;
};
