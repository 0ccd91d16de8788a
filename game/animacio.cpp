#include "game/animacio.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

// 0 before `start`, 1 after `start + length`, linear in between.
double phase(int ms, int start, int length)
{
    if (ms <= start)
        return 0.0;
    if (ms >= start + length)
        return 1.0;
    return double(ms - start) / length;
}

double easeOut(double t) { return 1.0 - (1.0 - t) * (1.0 - t); }

double bounce(double t)
{
    const double n = 7.5625, d = 2.75;
    if (t < 1 / d)
        return n * t * t;
    if (t < 2 / d) {
        t -= 1.5 / d;
        return n * t * t + 0.75;
    }
    if (t < 2.5 / d) {
        t -= 2.25 / d;
        return n * t * t + 0.9375;
    }
    t -= 2.625 / d;
    return n * t * t + 0.984375;
}

void drawSky(QPainter &p, int w, int h, int ms)
{
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(104, 166, 232));
    sky.setColorAt(0.75, QColor(206, 228, 248));
    p.fillRect(0, 0, w, h, sky);

    // The sun climbs during the pass.
    const double s = phase(ms, 0, TAnimationPlayer::kPassMs);
    const QPointF sun(90 + s * 120, 120 - s * 60);
    QRadialGradient glow(sun, 60);
    glow.setColorAt(0.0, QColor(255, 244, 170));
    glow.setColorAt(0.45, QColor(255, 220, 90));
    glow.setColorAt(1.0, QColor(255, 220, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, 60, 60);

    // Two clouds drift across.
    p.setBrush(QColor(255, 255, 255, 220));
    for (int i = 0; i < 2; ++i) {
        const double x = std::fmod(250 + i * 380 + ms * 0.012, w + 200) - 100;
        const double y = 60 + i * 45;
        p.drawEllipse(QPointF(x, y), 42, 18);
        p.drawEllipse(QPointF(x + 30, y - 10), 30, 20);
        p.drawEllipse(QPointF(x - 28, y + 2), 26, 14);
    }

    // Meadow and a path to the house.
    QPainterPath ground;
    ground.moveTo(0, 350);
    ground.cubicTo(w * 0.3, 330, w * 0.6, 372, w, 345);
    ground.lineTo(w, h);
    ground.lineTo(0, h);
    ground.closeSubpath();
    QLinearGradient grass(0, 330, 0, h);
    grass.setColorAt(0.0, QColor(118, 186, 84));
    grass.setColorAt(1.0, QColor(64, 130, 52));
    p.setBrush(grass);
    p.drawPath(ground);
}

void drawTitle(QPainter &p, int w, int ms)
{
    const QString letters = QStringLiteral("ZOMIR");
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(70);
    font.setBold(true);
    const int step = 86;
    const int left = w / 2 - (letters.size() * step) / 2 + 14;
    for (int i = 0; i < letters.size(); ++i) {
        const double t = phase(ms, 150 + i * 260, 750);
        if (t <= 0.0)
            continue;
        const double y = -70 + bounce(t) * 165;
        QPainterPath path;
        path.addText(0, y, font, letters.mid(i, 1));
        // each letter centred in its own cell, so narrow letters keep even gaps
        path.translate(left + i * step + step / 2.0 - path.boundingRect().center().x() - 14, 0);
        QLinearGradient gold(0, y - 60, 0, y);
        gold.setColorAt(0.0, QColor(255, 236, 140));
        gold.setColorAt(1.0, QColor(214, 150, 20));
        p.setPen(QPen(QColor(150, 30, 30), 3));
        p.setBrush(gold);
        p.drawPath(path);
    }

    const double sub = phase(ms, 1700, 900);
    if (sub > 0.0) {
        QFont small(QStringLiteral("DejaVu Sans"));
        small.setPixelSize(22);
        small.setBold(true);
        p.setFont(small);
        p.setPen(QColor(20, 50, 110, int(255 * sub)));
        p.drawText(QRect(0, 112, w, 30), Qt::AlignCenter,
                   QStringLiteral("Pályaválasztás és családi költségvetés"));
    }
}

void drawHouse(QPainter &p, int ms)
{
    const double walls = easeOut(phase(ms, 2400, 1200));
    if (walls <= 0.0)
        return;
    const int base = 372, left = 500, width = 200, fullHeight = 110;
    const int height = int(fullHeight * walls);
    p.setPen(QPen(QColor(110, 70, 40), 2));
    p.setBrush(QColor(236, 214, 170));
    p.drawRect(left, base - height, width, height);

    const double roof = easeOut(phase(ms, 3600, 700));
    if (roof > 0.0) {
        const double drop = (1.0 - roof) * -160;
        QPolygonF shape;
        shape << QPointF(left - 22, base - fullHeight + drop) << QPointF(left + width / 2.0, base - fullHeight - 80 + drop)
              << QPointF(left + width + 22, base - fullHeight + drop);
        p.setBrush(QColor(180, 58, 40));
        p.drawPolygon(shape);
        // chimney
        p.drawRect(QRectF(left + 140, base - fullHeight - 62 + drop, 20, 36));
    }

    const double openings = phase(ms, 4300, 500);
    if (openings > 0.0) {
        const bool lit = ms > 4900;
        p.setBrush(QColor(120, 74, 40));
        p.drawRect(left + 88, base - 58, 28, 58);                      // door
        p.setBrush(lit ? QColor(255, 226, 120) : QColor(150, 190, 220));
        p.drawRect(left + 26, base - 80, 40, 34);
        p.drawRect(left + 136, base - 80, 40, 34);
        p.drawLine(left + 46, base - 80, left + 46, base - 46);
        p.drawLine(left + 156, base - 80, left + 156, base - 46);
    }

    if (ms > 5000) {
        // smoke puffs rising from the chimney
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            const double t = std::fmod((ms - 5000) / 1800.0 + i / 3.0, 1.0);
            p.setBrush(QColor(240, 240, 240, int(200 * (1.0 - t))));
            p.drawEllipse(QPointF(left + 150 + t * 30, base - fullHeight - 70 - t * 70), 8 + t * 10,
                          6 + t * 8);
        }
    }
}

void drawCoin(QPainter &p, const QPointF &centre, int value)
{
    QRadialGradient metal(centre - QPointF(6, 6), 26);
    metal.setColorAt(0.0, QColor(255, 240, 160));
    metal.setColorAt(1.0, QColor(200, 150, 30));
    p.setPen(QPen(QColor(130, 90, 10), 2));
    p.setBrush(metal);
    p.drawEllipse(centre, 22, 22);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(110, 70, 0));
    p.drawText(QRectF(centre.x() - 22, centre.y() - 14, 44, 14), Qt::AlignCenter, QString::number(value));
    p.drawText(QRectF(centre.x() - 22, centre.y(), 44, 14), Qt::AlignCenter, QStringLiteral("Ft"));
}

void drawMoney(QPainter &p, int ms)
{
    static const int values[] = {100, 200, 50, 100, 20, 200, 100, 50};
    for (int k = 0; k < 8; ++k) {
        const double t = phase(ms, 4400 + k * 280, 650);
        if (t <= 0.0)
            continue;
        // the coins stack into two piles on the meadow
        const int pile = k % 2;
        const double restY = 378 - (k / 2) * 9;
        const double x = 110 + pile * 56;
        const double y = -30 + bounce(t) * (restY + 30);
        drawCoin(p, QPointF(x, y), values[k]);
    }

    // Banknotes float down, swaying.
    static const struct { int value; QColor colour; } notes[] = {
        {1000, QColor(120, 170, 210)}, {5000, QColor(190, 140, 200)}, {10000, QColor(150, 110, 160)}};
    for (int k = 0; k < 3; ++k) {
        const double t = phase(ms, 6900 + k * 500, 2400);
        if (t <= 0.0)
            continue;
        const double x = 70 + k * 95 + std::sin(t * 9 + k) * 14;
        const double y = -40 + easeOut(t) * (300 - k * 8);
        p.save();
        p.translate(x, y);
        p.rotate(std::sin(t * 7 + k) * 14 * (1.0 - t));
        p.setPen(QPen(QColor(70, 60, 80), 1));
        p.setBrush(notes[k].colour);
        p.drawRoundedRect(QRectF(-38, -17, 76, 34), 3, 3);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(40, 30, 50));
        p.drawText(QRectF(-38, -17, 76, 34), Qt::AlignCenter, QString::number(notes[k].value) + QStringLiteral(" Ft"));
        p.restore();
    }
}

void drawPerson(QPainter &p, double x, double footY, double height, const QColor &clothes, double walk)
{
    const double head = height * 0.13;
    const double bodyTop = footY - height + head * 2;
    const double hip = footY - height * 0.42;
    p.setPen(QPen(QColor(60, 40, 30), height * 0.06, Qt::SolidLine, Qt::RoundCap));
    const double swing = std::sin(walk) * height * 0.12;
    p.drawLine(QPointF(x, hip), QPointF(x - swing, footY));   // legs
    p.drawLine(QPointF(x, hip), QPointF(x + swing, footY));
    p.drawLine(QPointF(x, bodyTop + height * 0.08), QPointF(x - height * 0.2, hip - swing * 0.4));  // arms
    p.drawLine(QPointF(x, bodyTop + height * 0.08), QPointF(x + height * 0.2, hip + swing * 0.4));
    p.setPen(Qt::NoPen);
    p.setBrush(clothes);
    QPolygonF body;
    body << QPointF(x - height * 0.1, bodyTop) << QPointF(x + height * 0.1, bodyTop)
         << QPointF(x + height * 0.15, hip + height * 0.05) << QPointF(x - height * 0.15, hip + height * 0.05);
    p.drawPolygon(body);
    p.setBrush(QColor(246, 208, 170));
    p.drawEllipse(QPointF(x, bodyTop - head), head, head);
}

void drawFamily(QPainter &p, int ms)
{
    const double t = phase(ms, 6000, 3000);
    if (t <= 0.0)
        return;
    struct Member { double target; double height; QColor clothes; };
    static const Member family[] = {{300, 120, QColor(40, 90, 170)},
                                    {345, 110, QColor(200, 60, 90)},
                                    {385, 75, QColor(240, 170, 40)},
                                    {420, 62, QColor(60, 160, 110)}};
    const double walking = easeOut(t);
    for (int i = 0; i < 4; ++i) {
        const double x = -60 - i * 40 + walking * (family[i].target + 60 + i * 40);
        const double stride = t < 1.0 ? ms / 90.0 + i : 0.0;
        drawPerson(p, x, 392, family[i].height, family[i].clothes, stride);
    }
}

void drawSlogan(QPainter &p, int w, int ms)
{
    const double t = phase(ms, 9300, 1000);
    if (t <= 0.0)
        return;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    p.setFont(font);
    const QRect box(0, 402, w, 36);
    p.setPen(QColor(0, 0, 0, int(120 * t)));
    p.drawText(box.translated(2, 2), Qt::AlignCenter, QStringLiteral("Tervezd meg a jövődet és a családod életét!"));
    p.setPen(QColor(255, 255, 255, int(255 * t)));
    p.drawText(box, Qt::AlignCenter, QStringLiteral("Tervezd meg a jövődet és a családod életét!"));
}

}  // namespace

TAnimationPlayer::TAnimationPlayer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AnimationPlayer1"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void TAnimationPlayer::play()
{
    m_frozenAt = -1;
    ++m_starts;
    m_clock.start();
    m_timer.start();
    update();
}

void TAnimationPlayer::stop()
{
    m_timer.stop();
}

int TAnimationPlayer::position() const
{
    if (m_frozenAt >= 0)
        return m_frozenAt;
    if (!m_clock.isValid())
        return 0;
    return int(m_clock.elapsed() % kLoopMs);
}

void TAnimationPlayer::freezeAt(int ms)
{
    m_timer.stop();
    m_frozenAt = ms;
    update();
}

void TAnimationPlayer::renderFrame(QPainter &painter, int w, int h, int ms)
{
    const int at = qMin(ms, kPassMs);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawSky(painter, w, h, at);
    drawHouse(painter, at);
    drawFamily(painter, at);
    drawMoney(painter, at);
    drawTitle(painter, w, at);
    drawSlogan(painter, w, at);
    painter.restore();
}

void TAnimationPlayer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    renderFrame(painter, width(), height(), position());
}

void TAnimationPlayer::hideEvent(QHideEvent *event)
{
    // Nothing to draw while hidden; the next activation starts it again.
    m_timer.stop();
    QWidget::hideEvent(event);
}
