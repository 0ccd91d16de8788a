#pragma once
// The calculator of the salary screens. startCalculator() starts the desktop's calculator
// program without waiting for it; where none of the usual ones can be started it shows the
// game's own small calculator window, so that the calculator button always helps.

#include <QString>
#include <QStringList>
#include <QWidget>

class Dialogs;
class QLabel;
class QPushButton;

// The working of a simple pocket calculator, free of its window: digits and a decimal
// point build the entry, an operator works out what was pending (left to right, as such
// calculators do: 2 + 3 × 4 = 20), "=" finishes, "C" clears, "<" takes back a digit and
// "±" changes the sign. Division by zero shows "Hiba" until the next key.
class CalculatorEngine {
public:
    // One key: '0'-'9', '.', ',', '+', '-', '*', '/', '=', 'C', '<', '~' (sign).
    // Other keys are ignored; returns whether the key was one of these.
    bool press(QChar key);
    // The number on the display, with "," as the decimal mark.
    QString display() const;

private:
    double entryValue() const;
    void apply();
    QString m_entry = QStringLiteral("0");
    double m_accumulator = 0;
    QChar m_pending;          // the operator waiting for its second number
    bool m_entering = false;  // digits typed since the last operator or result
    bool m_error = false;
};

// The game's own calculator window: a display and a keypad, also driven by the keyboard.
class TSzamologep : public QWidget {
    Q_OBJECT
public:
    explicit TSzamologep(QWidget *parent = nullptr);

    QLabel *Display = nullptr;
    // The key of a caption ("7", "+", "=", "C", ...), for tests and the keyboard.
    QPushButton *key(const QString &caption) const;
    CalculatorEngine &engine() { return m_engine; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(QChar key);
    CalculatorEngine m_engine;
    QList<QPushButton *> m_keys;
};

// The calculator programs tried, in order: the system's calc.exe on Windows, the desktops'
// calculators elsewhere.
QStringList desktopCalculators();

// Starts the first desktop calculator that starts, without waiting; where none does,
// shows (and raises) the own calculator window kept as a child window of `owner`.
// Returns that window, or nullptr when a program was started.
TSzamologep *startCalculator(Dialogs *dialogs, QWidget *owner);
