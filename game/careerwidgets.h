#pragma once
// Small controls the career screens share: check boxes and radio buttons whose captions
// wrap inside their box, and a picture that reports clicks.

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRadioButton>

class QAbstractButton;
class QPainter;

namespace careerui {

// Draws `text` word-wrapped in `box` with lines set as closely as the classic system
// fonts set them, in `font` or, where it would not fit, the same a little smaller (down to
// 6 points), so that captions keep to the boxes their screens give them whatever fonts
// are installed. Returns the rectangle the text covers.
QRect drawCaption(QPainter &painter, const QRect &box, const QString &text, const QFont &font,
                  Qt::Alignment alignment, const QColor &colour);

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

// A fixed-size label whose word-wrapped text is drawn by drawCaption.
class TWrapLabel : public QLabel {
    Q_OBJECT
public:
    explicit TWrapLabel(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A picture box that emits clicked() when the left button is pressed and released on it.
class TClickImage : public QLabel {
    Q_OBJECT
public:
    explicit TClickImage(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
