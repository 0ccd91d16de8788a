#pragma once
// The interest test "Teszt": 24 statements to tick; its evaluation ranks the three
// interest categories into "szakma.txt" and moves on to the profession choice.

#include <QWidget>

#include <array>

class Game;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TfTeszt : public QWidget {
    Q_OBJECT
public:
    explicit TfTeszt(Game *game, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    // CheckBox1 to CheckBox24.
    QCheckBox *CheckBox(int number) const { return m_boxes.at(number - 1); }

public Q_SLOTS:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void evaluate();

    Game *m_game;
    std::array<QCheckBox *, 24> m_boxes{};
};
