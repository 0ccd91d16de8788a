#pragma once
// The opening screen's animation: drawn by the program itself, frame by frame, from the
// time since it was (re)started. It stands where a movie player would play "zomir.swf";
// a movie file is remembered but not played.

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

class QPainter;

class TAnimationPlayer : public QWidget {
    Q_OBJECT
public:
    explicit TAnimationPlayer(QWidget *parent = nullptr);

    // One pass of the animation; after it the last picture stays for a while and the
    // animation starts again.
    static constexpr int kPassMs = 12000;
    static constexpr int kLoopMs = 15000;
    static constexpr int kFrameMs = 40;

    void setMovie(const QString &path) { m_movie = path; }
    QString movie() const { return m_movie; }

    // Starts from the beginning.
    void play();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }
    // Milliseconds into the current loop (0 when stopped before any play).
    int position() const;
    // How many times play() has started the animation.
    int starts() const { return m_starts; }

    // Draws the picture at `ms` into a w x h area (used by paintEvent and screenshots).
    static void renderFrame(QPainter &painter, int w, int h, int ms);
    // For screenshots: stop and hold the picture at `ms`.
    void freezeAt(int ms);

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString m_movie;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_frozenAt = -1;
    int m_starts = 0;
};
