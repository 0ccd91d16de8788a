#pragma once
// Small controls the career screens share: check boxes and radio buttons whose captions
// wrap inside their box, a picture that reports clicks, and the fonts of the screens.

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRadioButton>

class QAbstractButton;

namespace careerui {

// "MS Sans Serif" at `points`, with look-alike fall-backs where it is not installed.
QFont sansFont(int points, bool bold = false);
// "Times New Roman" likewise.
QFont serifFont(int points, bool bold = false, bool italic = false);

// The font, or the same a little smaller (down to 6 points), so that `text` laid out with
// `flags` fits in `box`: captions keep to the boxes their screens give them whatever the
// fonts installed.
QFont fittingFont(const QFont &font, const QRect &box, int flags, const QString &text);
// Sets a label's font to the fitting one for its text and size.
void fitToBox(QLabel *label);

// Paints a check box or radio button with its caption word-wrapped in the box and the
// indicator centred vertically; the whole box is clickable.
void paintWrapped(QAbstractButton *button, bool radio);

}  // namespace careerui

class TWrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TWrapCheckBox(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

class TWrapRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TWrapRadioButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

// A picture box that emits clicked() when the left button is pressed and released on it.
class TClickImage : public QLabel {
    Q_OBJECT
public:
    explicit TClickImage(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
