#pragma once
// The record navigator of the maintenance window: ten buttons bound to a data source that
// move through its table and edit it. Two things beyond a plain navigator: the button
// pictures may come from an image list (each picture holds the enabled and the disabled
// glyph side by side), and every button repeats its action while it is held down.

#include <QAbstractButton>
#include <QImage>
#include <QList>
#include <QMetaObject>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>

class Dialogs;
class TDataSource;

// A list of equally sized pictures, referenced (not owned) by the controls that show them.
// Controls learn of its end through QObject::destroyed.
class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(QObject *parent = nullptr) : QObject(parent) {}
    void add(const QImage &image) { m_images.append(image); }
    int count() const { return int(m_images.size()); }
    QImage image(int index) const { return m_images.value(index); }
    void clear() { m_images.clear(); }

private:
    QList<QImage> m_images;
};

// One navigator button. Its glyph picture holds two halves of equal width: the left one is
// drawn while the button is enabled, the right one while it is disabled.
class TNavButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TNavButton(QWidget *parent = nullptr);
    void setGlyph(const QPixmap &glyph);
    QPixmap glyph() const { return m_glyph; }
    void setFocusMark(bool mark);
    bool focusMark() const { return m_focusMark; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_glyph;
    bool m_focusMark = false;
};

class TExtDBNavigator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool AllowTimer READ allowTimer WRITE SetAllowTimer)
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int ButtonCount = 10;
    static QString defaultHint(Button button);

    explicit TExtDBNavigator(QWidget *parent = nullptr);
    ~TExtDBNavigator() override;

    void setDataSource(TDataSource *source);
    TDataSource *dataSource() const;

    // Which buttons are shown; hidden buttons keep their place in the order.
    void setVisibleButtons(const QList<Button> &buttons);
    QList<Button> visibleButtons() const;

    TImageList *imageList() const { return m_imageList; }
    void SetImageList(TImageList *list);
    bool allowTimer() const { return m_allowTimer; }
    void SetAllowTimer(bool allow);

    // Asks "Delete record?" before deleting (on by default).
    void setConfirmDelete(bool confirm) { m_confirmDelete = confirm; }
    bool confirmDelete() const { return m_confirmDelete; }
    // Where the delete confirmation is asked; null means the application's dialogs.
    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }

    // The auto-repeat clock: the first repeat after `firstMs` of holding, then every
    // `nextMs`. 400 and 100 ms unless set otherwise (the tests use a shorter clock).
    void setRepeatIntervals(int firstMs, int nextMs);
    int firstRepeatInterval() const { return m_firstRepeatMs; }
    int nextRepeatInterval() const { return m_nextRepeatMs; }
    bool isRepeating() const { return m_repeatTimer.isActive(); }
    const QTimer *repeatTimer() const { return &m_repeatTimer; }

    TNavButton *button(Button which) const { return m_buttons[which]; }
    bool buttonAutoRepeat(Button which) const { return m_autoRepeat[which]; }
    // The button the focus mark is on.
    Button focusedButton() const { return Button(m_focusIndex); }

    // Performs a button's action through the data source (nothing without an open table).
    // Errors are thrown to the caller.
    void BtnClick(Button which);

public Q_SLOTS:
    // Recomputes the buttons' enabled states from the table's state and position.
    void updateButtons();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ButtonClicked(int index);
    void ButtonPressed(int index);
    void ButtonReleased(int index);
    void RepeatTimerFired();
    bool performGuarded(int index);
    void endRepeat();
    void restoreDefaultGlyphs();
    void imageListDestroyed(QObject *list);
    void layoutButtons();
    void moveFocusMark(int step);
    void updateFocusMark();

    std::array<TNavButton *, ButtonCount> m_buttons{};
    std::array<QPixmap, ButtonCount> m_savedGlyphs;   // the default pictures, kept for restoring
    std::array<bool, ButtonCount> m_autoRepeat{};
    std::array<bool, ButtonCount> m_visible{};
    QPointer<TDataSource> m_source;
    QList<QMetaObject::Connection> m_sourceConnections;
    QPointer<TImageList> m_imageList;
    QMetaObject::Connection m_imageListConnection;
    Dialogs *m_dialogs = nullptr;
    bool m_allowTimer = true;
    bool m_confirmDelete = true;
    QTimer m_repeatTimer;
    int m_repeatIndex = -1;
    // Set while a button's action runs, and whether that action put a modal box (a question
    // or an error) in front of the window: such a box takes the mouse, so the press that
    // started the repeat is over.
    bool m_performing = false;
    bool m_interrupted = false;
    int m_firstRepeatMs = 400;
    int m_nextRepeatMs = 100;
    int m_focusIndex = 0;
};
