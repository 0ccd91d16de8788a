// The 30 profession pictures of the profession-choice window, each a small scene of the
// work, at the size the window shows it.

#include "data/pictures/painting.h"
#include "data/pictures/pictures.h"
#include "data/pictures/scene.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace zpict {

using namespace draw;

namespace {

const QSize kSizes[31] = {
    {},          {100, 132}, {151, 113}, {160, 120}, {130, 130}, {166, 133}, {155, 100}, {150, 95},
    {115, 150},  {144, 111}, {200, 127}, {150, 100}, {130, 82},  {158, 103}, {167, 125}, {115, 116},
    {166, 125},  {160, 110}, {146, 109}, {100, 133}, {150, 165}, {100, 142}, {123, 226}, {159, 195},
    {150, 150},  {170, 128}, {180, 274}, {117, 97},  {125, 111}, {182, 123}, {155, 210}};

// ---- props drawn by hand

void sign(Scene &s, double fx, double fy, double fw, double fh, const QString &t, const QColor &bg,
          const QColor &fg = Qt::white)
{
    const QRectF r = s.R(fx, fy, fw, fh);
    s.p.save();
    s.p.setPen(QPen(bg.darker(150), 1));
    s.p.setBrush(bg);
    s.p.drawRoundedRect(r, 2, 2);
    s.p.restore();
    fittedText(s.p, r.adjusted(2, 1, -2, -1), t, sans(r.height() * 0.75, true), Qt::AlignCenter, fg);
}

void whiteboard(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(150, 150, 155), 2));
    p.setBrush(QColor(252, 252, 250));
    p.drawRect(r);
    p.restore();
}

void flowchart(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    const double bw = r.width() * 0.42, bh = r.height() * 0.14;
    const QColor ink(30, 80, 170);
    p.setPen(QPen(ink, std::max(1.0, r.width() / 70)));
    const QRectF a(r.center().x() - bw / 2, r.top() + r.height() * 0.06, bw, bh);
    const QRectF c1(r.left() + r.width() * 0.05, r.top() + r.height() * 0.62, bw, bh);
    const QRectF c2(r.right() - r.width() * 0.05 - bw, r.top() + r.height() * 0.62, bw, bh);
    const QPointF dc(r.center().x(), r.top() + r.height() * 0.4);
    const double dw = r.width() * 0.22, dh = r.height() * 0.13;
    p.drawLine(QPointF(a.center().x(), a.bottom()), QPointF(dc.x(), dc.y() - dh));
    p.drawLine(QPointF(dc.x() - dw, dc.y()), QPointF(c1.center().x(), dc.y()));
    p.drawLine(QPointF(c1.center().x(), dc.y()), QPointF(c1.center().x(), c1.top()));
    p.drawLine(QPointF(dc.x() + dw, dc.y()), QPointF(c2.center().x(), dc.y()));
    p.drawLine(QPointF(c2.center().x(), dc.y()), QPointF(c2.center().x(), c2.top()));
    p.drawLine(QPointF(c1.center().x(), c1.bottom()), QPointF(c1.center().x(), r.bottom() - r.height() * 0.06));
    p.drawLine(QPointF(c2.center().x(), c2.bottom()), QPointF(c2.center().x(), r.bottom() - r.height() * 0.06));
    p.drawLine(QPointF(c1.center().x(), r.bottom() - r.height() * 0.06), QPointF(c2.center().x(), r.bottom() - r.height() * 0.06));
    p.setBrush(QColor(200, 225, 255));
    p.drawRoundedRect(a, 3, 3);
    p.setBrush(QColor(255, 230, 170));
    p.drawPolygon(QPolygonF{QPointF(dc.x(), dc.y() - dh), QPointF(dc.x() + dw, dc.y()), QPointF(dc.x(), dc.y() + dh),
                            QPointF(dc.x() - dw, dc.y())});
    p.setBrush(QColor(200, 240, 200));
    p.drawRect(c1);
    p.drawRect(c2);
    p.restore();
}

void mapArea(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.setClipRect(r);
    p.fillRect(r, QColor(222, 236, 200));
    // Contour rings.
    p.setPen(QPen(QColor(170, 150, 110), 0.8));
    p.setBrush(Qt::NoBrush);
    const QPointF hill(r.left() + r.width() * 0.3, r.top() + r.height() * 0.3);
    for (int i = 1; i <= 5; ++i)
        p.drawEllipse(hill, r.width() * 0.07 * i, r.height() * 0.05 * i);
    // Forest patches.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 200, 130));
    p.drawEllipse(QRectF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.05, r.width() * 0.35, r.height() * 0.22));
    // River.
    QPainterPath river;
    river.moveTo(r.left(), r.top() + r.height() * 0.7);
    river.cubicTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.5, r.left() + r.width() * 0.6,
                  r.top() + r.height() * 0.95, r.right(), r.top() + r.height() * 0.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 150, 220), std::max(2.0, r.width() * 0.04), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(river);
    // Roads.
    p.setPen(QPen(QColor(240, 200, 90), std::max(1.5, r.width() * 0.02)));
    p.drawLine(QPointF(r.left() + r.width() * 0.1, r.bottom()), QPointF(r.right(), r.top() + r.height() * 0.2));
    p.setPen(QPen(Qt::white, std::max(1.0, r.width() * 0.012)));
    p.drawLine(QPointF(r.left(), r.top() + r.height() * 0.45), QPointF(r.right(), r.top() + r.height() * 0.35));
    // Grid.
    p.setPen(QPen(QColor(0, 0, 0, 35), 0.6));
    for (int i = 1; i < 6; ++i) {
        p.drawLine(QPointF(r.left() + r.width() * i / 6, r.top()), QPointF(r.left() + r.width() * i / 6, r.bottom()));
        p.drawLine(QPointF(r.left(), r.top() + r.height() * i / 6), QPointF(r.right(), r.top() + r.height() * i / 6));
    }
    p.restore();
    frame(p, r, QColor(120, 110, 90));
}

void cityPlan(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.setClipRect(r);
    p.fillRect(r, QColor(245, 242, 230));
    const int cols = 6, rows = 4;
    const double cw = r.width() / cols, rh = r.height() / rows;
    Rng rng(7);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            QRectF b(r.left() + x * cw + cw * 0.12, r.top() + y * rh + rh * 0.15, cw * 0.76, rh * 0.7);
            QColor c = QColor(235, 200, 170);
            const int k = rng.range(0, 6);
            if (k == 0) c = QColor(160, 210, 140);
            else if (k == 1) c = QColor(200, 200, 215);
            else if (k == 2) c = QColor(240, 220, 150);
            p.fillRect(b, c);
            p.setPen(QPen(c.darker(140), 0.6));
            p.drawRect(b);
        }
    p.setPen(QPen(QColor(100, 160, 220), std::max(2.0, r.height() * 0.07)));
    p.drawLine(QPointF(r.left(), r.bottom() - rh * 0.5), QPointF(r.right(), r.bottom() - rh * 0.2));
    p.restore();
    frame(p, r, QColor(120, 110, 90));
}

void blueprint(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.fillRect(r, QColor(25, 70, 150));
    p.setPen(QPen(QColor(255, 255, 255, 40), 0.6));
    for (double x = r.left(); x < r.right(); x += 8) p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    for (double y = r.top(); y < r.bottom(); y += 8) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.setPen(QPen(QColor(235, 245, 255), 1.2));
    p.setBrush(Qt::NoBrush);
    const QPointF c(r.left() + r.width() * 0.3, r.top() + r.height() * 0.4);
    const double R = r.height() * 0.22;
    p.drawEllipse(c, R, R);
    p.drawEllipse(c, R * 0.4, R * 0.4);
    p.drawRect(QRectF(c.x() + R, c.y() - R * 0.4, r.width() * 0.3, R * 0.8));
    p.setPen(QPen(QColor(235, 245, 255), 0.8, Qt::DashDotLine));
    p.drawLine(QPointF(c.x() - R * 1.4, c.y()), QPointF(r.right() - r.width() * 0.05, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - R * 1.4), QPointF(c.x(), c.y() + R * 1.4));
    p.setPen(QPen(QColor(235, 245, 255), 0.8));
    p.drawLine(QPointF(c.x() - R, c.y() + R * 1.6), QPointF(c.x() + R, c.y() + R * 1.6));
    p.restore();
}

void circuitBoard(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.fillRect(r, QColor(30, 110, 60));
    Rng rng(3);
    p.setPen(QPen(QColor(200, 170, 70), 1.2));
    for (int i = 0; i < 14; ++i) {
        const double x = r.left() + rng.unit() * r.width(), y = r.top() + rng.unit() * r.height();
        const double x2 = x + (rng.unit() - 0.5) * r.width() * 0.5;
        p.drawLine(QPointF(x, y), QPointF(x2, y));
        p.drawLine(QPointF(x2, y), QPointF(x2, y + (rng.unit() - 0.5) * r.height() * 0.5));
        p.setBrush(QColor(220, 200, 120));
        p.drawEllipse(QPointF(x, y), 1.6, 1.6);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const QRectF chip(r.left() + rng.unit() * r.width() * 0.8, r.top() + rng.unit() * r.height() * 0.7,
                          r.width() * 0.12, r.height() * 0.1);
        p.setBrush(QColor(25, 25, 25));
        p.drawRect(chip);
    }
    p.restore();
}

void ganttChart(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    whiteboard(s, r);
    p.save();
    const QColor cs[] = {QColor(70, 130, 220), QColor(240, 150, 40), QColor(80, 170, 90), QColor(200, 70, 90),
                         QColor(140, 90, 200)};
    const int rows = 5;
    const QRectF in = r.adjusted(r.width() * 0.08, r.height() * 0.12, -r.width() * 0.06, -r.height() * 0.08);
    p.setPen(QPen(QColor(200, 200, 200), 0.6));
    for (int i = 0; i <= 6; ++i)
        p.drawLine(QPointF(in.left() + in.width() * i / 6, in.top()), QPointF(in.left() + in.width() * i / 6, in.bottom()));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < rows; ++i) {
        const double start = 0.05 + i * 0.15, len = 0.25 + (i % 2) * 0.15;
        p.setBrush(cs[i]);
        p.drawRoundedRect(QRectF(in.left() + in.width() * start, in.top() + in.height() * (i + 0.2) / rows,
                                 in.width() * len, in.height() * 0.55 / rows), 2, 2);
    }
    p.restore();
    fittedText(p, QRectF(r.left(), r.top() + 1, r.width(), r.height() * 0.11), QStringLiteral("Ütemterv"),
               sans(r.height() * 0.09, true), Qt::AlignCenter, QColor(60, 60, 60));
}

void newspaper(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.translate(r.center());
    p.rotate(-6);
    const QRectF pr(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    p.setBrush(QColor(248, 246, 238));
    p.drawRect(pr);
    fittedText(p, QRectF(pr.left() + 2, pr.top() + 2, pr.width() - 4, pr.height() * 0.2), QStringLiteral("HÍRLAP"),
               serif(pr.height() * 0.17, true), Qt::AlignCenter, QColor(20, 20, 20));
    p.fillRect(QRectF(pr.left() + 3, pr.top() + pr.height() * 0.24, pr.width() - 6, 1), QColor(40, 40, 40));
    p.fillRect(QRectF(pr.left() + 4, pr.top() + pr.height() * 0.3, pr.width() * 0.45, pr.height() * 0.3),
               QColor(150, 160, 170));
    for (int i = 0; i < 9; ++i) {
        const double y = pr.top() + pr.height() * (0.3 + i * 0.07);
        if (y > pr.bottom() - 3) break;
        const bool right = i < 5;
        p.fillRect(QRectF(right ? pr.left() + pr.width() * 0.53 : pr.left() + 4, y,
                          right ? pr.width() * 0.42 : pr.width() - 8, 1.2), QColor(120, 120, 120));
    }
    p.restore();
}

void eyeChart(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const char *lines[] = {"E", "F P", "T O Z", "L P E D", "P E C F D"};
    double y = r.top() + r.height() * 0.04;
    for (int i = 0; i < 5; ++i) {
        const double lh = r.height() * (0.28 - i * 0.045);
        fittedText(p, QRectF(r.left(), y, r.width(), lh), QString::fromLatin1(lines[i]), sans(lh * 0.9, true),
                   Qt::AlignCenter, QColor(20, 20, 20));
        y += lh;
    }
    p.restore();
}

void washingMachine(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(150, 150, 160), 1));
    p.setBrush(QColor(245, 245, 248));
    p.drawRoundedRect(r, 3, 3);
    p.fillRect(QRectF(r.left() + 2, r.top() + 2, r.width() - 4, r.height() * 0.16), QColor(210, 215, 225));
    p.setBrush(QColor(90, 90, 100));
    p.drawEllipse(QPointF(r.right() - r.width() * 0.2, r.top() + r.height() * 0.1), r.width() * 0.06, r.width() * 0.06);
    const QPointF c(r.center().x(), r.top() + r.height() * 0.58);
    const double R = std::min(r.width(), r.height()) * 0.32;
    p.setBrush(QColor(180, 185, 195));
    p.drawEllipse(c, R, R);
    QRadialGradient g(c - QPointF(R * 0.3, R * 0.3), R);
    g.setColorAt(0, QColor(200, 230, 255));
    g.setColorAt(1, QColor(70, 120, 170));
    p.setBrush(g);
    p.drawEllipse(c, R * 0.75, R * 0.75);
    p.restore();
}

void multimeter(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(60, 50, 0), 1));
    p.setBrush(QColor(250, 200, 30));
    p.drawRoundedRect(r, 4, 4);
    const QRectF lcd(r.left() + r.width() * 0.12, r.top() + r.height() * 0.08, r.width() * 0.76, r.height() * 0.25);
    p.setBrush(QColor(180, 200, 170));
    p.drawRect(lcd);
    fittedText(p, lcd, QStringLiteral("12.5V"), sans(lcd.height() * 0.8, true), Qt::AlignCenter, QColor(20, 30, 20));
    const QPointF c(r.center().x(), r.top() + r.height() * 0.62);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(c, r.width() * 0.25, r.width() * 0.25);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(c, c + QPointF(r.width() * 0.15, -r.width() * 0.12));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    p.drawEllipse(QPointF(r.left() + r.width() * 0.25, r.bottom() - r.height() * 0.07), 2, 2);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(r.right() - r.width() * 0.25, r.bottom() - r.height() * 0.07), 2, 2);
    p.restore();
}

void mast(Scene &s, double cx, double top, double bottom, double width)
{
    QPainter &p = s.p;
    p.save();
    const QColor steel(170, 40, 40);
    p.setPen(QPen(steel, 1.6));
    const QPointF tl(cx - width * 0.15, top), tr(cx + width * 0.15, top);
    const QPointF bl(cx - width / 2, bottom), br(cx + width / 2, bottom);
    p.drawLine(tl, bl);
    p.drawLine(tr, br);
    const int n = 12;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        const QPointF l = tl + (bl - tl) * t, r = tr + (br - tr) * t;
        p.setPen(QPen(i % 2 ? QColor(240, 240, 240) : steel, 1.0));
        p.drawLine(l, r);
        if (i < n) {
            const double t2 = double(i + 1) / n;
            p.setPen(QPen(steel.lighter(120), 0.8));
            p.drawLine(l, tr + (br - tr) * t2);
            p.drawLine(r, tl + (bl - tl) * t2);
        }
    }
    p.restore();
}

void signalArcs(Scene &s, QPointF c, double r0, bool right)
{
    QPainter &p = s.p;
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        p.setPen(QPen(QColor(255, 140, 0, 220 - i * 40), 1.8));
        const double r = r0 * i;
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), (right ? -40 : 140) * 16, 80 * 16);
    }
    p.restore();
}

void molecule(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    const QPointF pts[] = {{0.2, 0.3}, {0.45, 0.2}, {0.7, 0.32}, {0.72, 0.6}, {0.45, 0.72}, {0.2, 0.6}, {0.9, 0.15}};
    auto P = [&](int i) { return QPointF(r.left() + r.width() * pts[i].x(), r.top() + r.height() * pts[i].y()); };
    p.setPen(QPen(QColor(120, 120, 140), 1.5));
    for (int i = 0; i < 6; ++i)
        p.drawLine(P(i), P((i + 1) % 6));
    p.drawLine(P(2), P(6));
    const QColor cs[] = {QColor(220, 60, 60), QColor(60, 60, 60), QColor(60, 120, 220), QColor(60, 60, 60),
                         QColor(240, 240, 240), QColor(60, 60, 60), QColor(220, 60, 60)};
    for (int i = 0; i < 7; ++i) {
        QRadialGradient g(P(i) - QPointF(2, 2), r.width() * 0.08);
        g.setColorAt(0, cs[i].lighter(170));
        g.setColorAt(1, cs[i]);
        p.setBrush(g);
        p.setPen(QPen(cs[i].darker(150), 0.6));
        p.drawEllipse(P(i), r.width() * 0.06, r.width() * 0.06);
    }
    p.restore();
}

void easel(Scene &s, const QRectF &canvasR)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(130, 85, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(canvasR.left() + 4, canvasR.bottom() + canvasR.height() * 0.5), QPointF(canvasR.center().x(), canvasR.top() - 4));
    p.drawLine(QPointF(canvasR.right() - 4, canvasR.bottom() + canvasR.height() * 0.5), QPointF(canvasR.center().x(), canvasR.top() - 4));
    p.setPen(QPen(QColor(170, 170, 170), 1));
    p.setBrush(Qt::white);
    p.drawRect(canvasR);
    // A design on it: a product sketch with colour areas.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 120, 60));
    p.drawEllipse(QRectF(canvasR.left() + canvasR.width() * 0.1, canvasR.top() + canvasR.height() * 0.15,
                         canvasR.width() * 0.45, canvasR.height() * 0.45));
    p.setBrush(QColor(60, 140, 230));
    p.drawRect(QRectF(canvasR.left() + canvasR.width() * 0.45, canvasR.top() + canvasR.height() * 0.45,
                      canvasR.width() * 0.45, canvasR.height() * 0.4));
    p.setBrush(QColor(250, 210, 50));
    p.drawPolygon(QPolygonF{QPointF(canvasR.left() + canvasR.width() * 0.15, canvasR.bottom() - canvasR.height() * 0.08),
                            QPointF(canvasR.left() + canvasR.width() * 0.35, canvasR.top() + canvasR.height() * 0.55),
                            QPointF(canvasR.left() + canvasR.width() * 0.55, canvasR.bottom() - canvasR.height() * 0.08)});
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(canvasR.left() + canvasR.width() * 0.1, canvasR.top() + canvasR.height() * 0.15,
                         canvasR.width() * 0.45, canvasR.height() * 0.45));
    p.restore();
}

void speech(Scene &s, double fx, double fy, double fw, double fh, const QString &t, const QColor &c)
{
    QPainter &p = s.p;
    const QRectF r = s.R(fx, fy, fw, fh);
    p.save();
    QPainterPath path;
    path.addRoundedRect(r, r.height() * 0.35, r.height() * 0.35);
    QPainterPath tail;
    tail.moveTo(r.left() + r.width() * 0.3, r.bottom() - 1);
    tail.lineTo(r.left() + r.width() * 0.25, r.bottom() + r.height() * 0.45);
    tail.lineTo(r.left() + r.width() * 0.5, r.bottom() - 1);
    path = path.united(tail);
    p.setPen(QPen(c.darker(150), 1));
    p.setBrush(c);
    p.drawPath(path);
    p.restore();
    fittedText(p, r.adjusted(2, 1, -2, -1), t, sans(r.height() * 0.6, true), Qt::AlignCenter, QColor(30, 30, 30));
}

void tiles(Scene &s, const QRectF &r, const QColor &c, double step)
{
    QPainter &p = s.p;
    p.save();
    p.fillRect(r, c);
    p.setPen(QPen(c.darker(112), 0.7));
    for (double x = r.left(); x < r.right(); x += step) p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    for (double y = r.top(); y < r.bottom(); y += step) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.restore();
}

void desk(Scene &s, double fy, double fh, const QColor &c = QColor(160, 110, 65))
{
    table(s.p, s.R(-0.02, fy, 1.04, fh), c);
    s.p.fillRect(s.R(0, fy + fh * 1.25, 1, 1), c.darker(150));
}

void wallFrame(Scene &s, double fx, double fy, double fw, double fh, const char *e)
{
    QPainter &p = s.p;
    const QRectF r = s.R(fx, fy, fw, fh);
    p.save();
    p.setPen(QPen(QColor(120, 80, 30), 2));
    p.setBrush(QColor(250, 245, 230));
    p.drawRect(r);
    p.restore();
    emoji(p, QString::fromUtf8(e), r.center(), std::min(r.width(), r.height()) * 0.8);
}

void hungarianFlag(Scene &s, double fx, double fy, double fw, double fh)
{
    QPainter &p = s.p;
    const QRectF r = s.R(fx, fy, fw, fh);
    p.save();
    p.setPen(QPen(QColor(90, 70, 40), 1.5));
    p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom() + r.height() * 1.8));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 3), QColor(205, 42, 62));
    p.fillRect(QRectF(r.left(), r.top() + r.height() / 3, r.width(), r.height() / 3), Qt::white);
    p.fillRect(QRectF(r.left(), r.top() + 2 * r.height() / 3, r.width(), r.height() / 3), QColor(67, 111, 77));
    p.restore();
}

void excavator(Scene &s, const QRectF &r, bool facingLeft)
{
    // Tracked excavator seen from the side: tracks, body with cab, boom, stick and bucket.
    QPainter &p = s.p;
    p.save();
    if (facingLeft) {
        p.translate(r.center().x(), 0);
        p.scale(-1, 1);
        p.translate(-r.center().x(), 0);
    }
    const double W = r.width(), H = r.height();
    const QColor yellow(245, 185, 20), dark(50, 50, 55);
    // Tracks.
    const QRectF track(r.left() + W * 0.02, r.bottom() - H * 0.2, W * 0.55, H * 0.2);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(dark);
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    p.setBrush(QColor(120, 120, 125));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(track.left() + track.height() * 0.5 + i * (track.width() - track.height()) / 3,
                              track.center().y()), track.height() * 0.3, track.height() * 0.3);
    // Body and counterweight.
    p.setBrush(yellow);
    p.setPen(QPen(yellow.darker(160), 1));
    p.drawRect(QRectF(r.left(), r.bottom() - H * 0.42, W * 0.58, H * 0.2));
    // Cab with window.
    const QRectF cab(r.left() + W * 0.3, r.bottom() - H * 0.72, W * 0.25, H * 0.31);
    p.drawRect(cab);
    p.setBrush(QColor(170, 215, 240));
    p.drawRect(cab.adjusted(W * 0.03, H * 0.04, -W * 0.03, -H * 0.12));
    // Boom and stick.
    const QPointF pivot(r.left() + W * 0.55, r.bottom() - H * 0.38);
    const QPointF elbow(r.left() + W * 0.8, r.top() + H * 0.08);
    const QPointF wrist(r.left() + W * 0.95, r.bottom() - H * 0.35);
    p.setPen(QPen(yellow.darker(130), std::max(3.0, W * 0.07), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, elbow);
    p.setPen(QPen(yellow.darker(110), std::max(2.5, W * 0.05), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(elbow, wrist);
    // Bucket with teeth.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(dark);
    p.drawPolygon(QPolygonF{wrist + QPointF(-W * 0.04, -H * 0.02), wrist + QPointF(W * 0.06, H * 0.02),
                            wrist + QPointF(W * 0.02, H * 0.2), wrist + QPointF(-W * 0.12, H * 0.16)});
    p.restore();
}

void sewingMachine(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    const QColor body(35, 35, 40);
    p.setPen(QPen(Qt::black, 1));
    // Table plate.
    p.setBrush(QColor(200, 170, 120));
    p.drawRect(QRectF(r.left(), r.bottom() - r.height() * 0.15, r.width(), r.height() * 0.15));
    // Bed and arm (an upside-down U lying on the table).
    p.setBrush(body);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.05, r.bottom() - r.height() * 0.3, r.width() * 0.9, r.height() * 0.15), 3, 3);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.1, r.width() * 0.25, r.height() * 0.65), 4, 4);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.12, r.top() + r.height() * 0.1, r.width() * 0.73, r.height() * 0.2), 4, 4);
    p.drawRect(QRectF(r.left() + r.width() * 0.12, r.top() + r.height() * 0.1, r.width() * 0.13, r.height() * 0.38));
    // Needle.
    p.setPen(QPen(QColor(220, 220, 220), 1.2));
    p.drawLine(QPointF(r.left() + r.width() * 0.185, r.top() + r.height() * 0.48),
               QPointF(r.left() + r.width() * 0.185, r.bottom() - r.height() * 0.3));
    // Gold lettering and hand wheel.
    p.setPen(QPen(QColor(220, 180, 60), 1));
    p.drawLine(QPointF(r.left() + r.width() * 0.3, r.top() + r.height() * 0.2), QPointF(r.left() + r.width() * 0.55, r.top() + r.height() * 0.2));
    p.setBrush(QColor(150, 150, 155));
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(QPointF(r.right() - r.width() * 0.08, r.top() + r.height() * 0.3), r.width() * 0.07, r.height() * 0.14);
    // Fabric under the needle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 70, 90));
    p.drawPolygon(QPolygonF{QPointF(r.left() - r.width() * 0.05, r.bottom() - r.height() * 0.28),
                            QPointF(r.left() + r.width() * 0.4, r.bottom() - r.height() * 0.31),
                            QPointF(r.left() + r.width() * 0.45, r.bottom() - r.height() * 0.15),
                            QPointF(r.left() - r.width() * 0.05, r.bottom() - r.height() * 0.1)});
    p.restore();
}

void fabricBolts(Scene &s, const QRectF &r)
{
    // Bolts of cloth lying on shelves, seen from the front.
    QPainter &p = s.p;
    p.save();
    const QColor cs[] = {QColor(200, 60, 60), QColor(60, 110, 200), QColor(240, 200, 60), QColor(80, 170, 100),
                         QColor(170, 90, 180), QColor(240, 140, 60), QColor(90, 200, 210), QColor(240, 240, 235)};
    const int rows = 3;
    const double rh = r.height() / rows;
    p.fillRect(r, QColor(150, 110, 70));
    for (int row = 0; row < rows; ++row) {
        const double top = r.top() + row * rh;
        p.fillRect(QRectF(r.left(), top + rh * 0.9, r.width(), rh * 0.1), QColor(110, 75, 40));
        for (int i = 0; i < 2; ++i) {
            const QColor c = cs[(row * 2 + i * 3) % 8];
            const QRectF bolt(r.left() + r.width() * (0.04 + i * 0.48), top + rh * 0.15, r.width() * 0.44, rh * 0.75);
            QLinearGradient g(bolt.topLeft(), bolt.bottomLeft());
            g.setColorAt(0, c.lighter(130));
            g.setColorAt(0.5, c);
            g.setColorAt(1, c.darker(140));
            p.setPen(QPen(c.darker(160), 0.6));
            p.setBrush(g);
            p.drawRoundedRect(bolt, bolt.height() * 0.3, bolt.height() * 0.5);
        }
    }
    p.restore();
}

using Painter = std::function<void(Scene &)>;

Painter recipe(int code)
{
    switch (code) {
    case 1:  // customer service
        return [](Scene &s) {
            s.room(0.8, QColor(205, 225, 240), QColor(150, 150, 160));
            sign(s, 0.06, 0.03, 0.88, 0.12, QStringLiteral("ÜGYFÉLSZOLGÁLAT"), QColor(30, 90, 170));
            s.B("👩‍💼", 0.52, 0.74, 0.8);
            s.E("🎧", 0.78, 0.34, 0.26);
            desk(s, 0.72, 0.07);
            monitor(s.p, s.R(0.06, 0.5, 0.3, 0.16));
            codeLines(s.p, s.R(0.07, 0.51, 0.28, 0.14), 4);
            s.E("☎️", 0.8, 0.66, 0.3);
            s.E("💬", 0.16, 0.28, 0.26);
        };
    case 2:  // deli counter
        return [](Scene &s) {
            tiles(s, s.all(), QColor(240, 240, 235), s.m * 0.12);
            sign(s, 0.03, 0.04, 0.3, 0.12, QStringLiteral("CSEMEGE"), QColor(180, 40, 40));
            s.B("👩‍🍳", 0.55, 0.6, 0.55);
            // Counter with a glass front.
            s.rect(0, 0.55, 1, 0.45, QColor(200, 205, 210));
            s.rect(0.03, 0.58, 0.94, 0.3, QColor(225, 240, 250));
            s.E("🧀", 0.13, 0.75, 0.2);
            s.E("🥩", 0.33, 0.75, 0.2);
            s.E("🍗", 0.53, 0.75, 0.2);
            s.E("🥖", 0.72, 0.75, 0.22);
            s.E("🍅", 0.9, 0.76, 0.16);
            s.rect(0.03, 0.58, 0.94, 0.02, QColor(255, 255, 255));
            s.rect(0, 0.9, 1, 0.1, QColor(120, 125, 130));
        };
    case 3:  // geriatric nurse
        return [](Scene &s) {
            s.room(0.72, QColor(245, 230, 200), QColor(170, 130, 90));
            draw::window(s.p, s.R(0.38, 0.08, 0.24, 0.35));
            s.E("🖼️", 0.85, 0.22, 0.25);
            s.rect(0.55, 0.62, 0.42, 0.25, QColor(120, 90, 160));  // armchair
            s.rect(0.52, 0.5, 0.08, 0.37, QColor(100, 75, 140));
            s.rect(0.93, 0.5, 0.07, 0.37, QColor(100, 75, 140));
            s.B("👵", 0.76, 0.72, 0.55);
            s.B("👩‍⚕️", 0.27, 0.98, 0.85);
            s.E("❤️", 0.5, 0.3, 0.14);
            s.E("💊", 0.5, 0.88, 0.16);
        };
    case 4:  // kindergarten teacher
        return [](Scene &s) {
            s.room(0.7, QColor(255, 235, 150), QColor(120, 190, 110));
            const char *letters[] = {"A", "B", "C"};
            const QColor cs[] = {QColor(230, 60, 60), QColor(60, 120, 220), QColor(60, 170, 80)};
            for (int i = 0; i < 3; ++i) {
                s.rect(0.58 + i * 0.13, 0.06, 0.12, 0.12, cs[i]);
                s.text(0.58 + i * 0.13, 0.06, 0.12, 0.12, QString::fromLatin1(letters[i]), sans(s.m * 0.1, true), Qt::white);
            }
            s.B("👩‍🏫", 0.3, 0.78, 0.65);
            s.B("👧", 0.7, 0.72, 0.32);
            s.B("👦", 0.88, 0.75, 0.3);
            s.E("🧸", 0.15, 0.88, 0.22);
            s.E("🧩", 0.45, 0.9, 0.16);
            s.E("⚽", 0.65, 0.88, 0.15);
            s.E("🖍️", 0.85, 0.9, 0.16);
            s.E("🎨", 0.78, 0.36, 0.2);
        };
    case 5:  // librarian
        return [](Scene &s) {
            shelfOfBooks(s.p, s.R(0, 0, 1, 0.72), 4, 5);
            s.B("🧑‍🏫", 0.5, 0.8, 0.6);
            desk(s, 0.76, 0.08, QColor(130, 85, 45));
            s.E("📚", 0.17, 0.7, 0.28);
            s.E("📖", 0.82, 0.72, 0.26);
        };
    case 6:  // emergency service
        return [](Scene &s) {
            s.outdoor(0.55, QColor(150, 150, 150));
            s.rect(0, 0.1, 1, 0.45, QColor(230, 225, 215));
            for (int i = 0; i < 4; ++i) draw::window(s.p, s.R(0.05 + i * 0.25, 0.18, 0.14, 0.2));
            draw::road(s.p, s.R(0, 0.72, 1, 0.28));
            s.B("🚑", 0.38, 0.95, 0.72);
            s.B("🧑‍⚕️", 0.86, 0.95, 0.55);
            s.p.save();
            s.p.setPen(QPen(QColor(150, 0, 0), 1));
            s.p.setBrush(QColor(220, 30, 30));
            s.p.drawEllipse(QPointF(s.X(0.86), s.Y(0.28)), s.S(0.16), s.S(0.16));
            s.p.restore();
            s.text(0.76, 0.18, 0.2, 0.2, QStringLiteral("112"), sans(s.m * 0.13, true), Qt::white);
        };
    case 7:  // newspaper reporter
        return [](Scene &s) {
            s.room(0.8, QColor(190, 200, 215), QColor(120, 110, 100));
            newspaper(s, s.R(0.05, 0.1, 0.45, 0.8));
            s.B("🧑‍💼", 0.73, 0.98, 0.82);
            s.E("🎤", 0.55, 0.62, 0.3);
            s.E("📷", 0.92, 0.2, 0.24);
        };
    case 8:  // hospital auxiliary nurse
        return [](Scene &s) {
            s.room(0.75, QColor(215, 238, 225), QColor(190, 195, 200));
            s.rect(0.08, 0.08, 0.2, 0.14, Qt::white);
            s.rect(0.165, 0.095, 0.03, 0.11, QColor(220, 30, 30));
            s.rect(0.11, 0.135, 0.14, 0.03, QColor(220, 30, 30));
            s.B("🛏️", 0.3, 0.95, 0.62);
            s.E("🤒", 0.19, 0.79, 0.18);
            s.B("🧑‍⚕️", 0.76, 0.86, 0.72);
            s.E("💉", 0.85, 0.12, 0.2);
            s.E("🩹", 0.5, 0.13, 0.16);
        };
    case 9:  // administrative assistant, politics
        return [](Scene &s) {
            s.room(0.78, QColor(235, 225, 205), QColor(120, 80, 50));
            wallFrame(s, 0.34, 0.06, 0.32, 0.3, "🏛️");
            hungarianFlag(s, 0.05, 0.08, 0.2, 0.14);
            s.B("👩‍💼", 0.5, 0.8, 0.62);
            desk(s, 0.76, 0.08, QColor(110, 70, 35));
            s.E("🗂️", 0.15, 0.7, 0.22);
            s.E("📋", 0.85, 0.68, 0.24);
            s.E("🇪🇺", 0.88, 0.18, 0.18);
        };
    case 10:  // optician's assistant
        return [](Scene &s) {
            s.room(0.82, QColor(225, 235, 245), QColor(170, 160, 150));
            eyeChart(s, s.R(0.04, 0.06, 0.22, 0.62));
            // Display shelves with glasses.
            for (int row = 0; row < 3; ++row) {
                s.rect(0.62, 0.2 + row * 0.2, 0.35, 0.02, QColor(150, 110, 70));
                s.E("👓", 0.7, 0.14 + row * 0.2, 0.14);
                s.E("🕶️", 0.88, 0.14 + row * 0.2, 0.14);
            }
            s.B("🧑‍⚕️", 0.44, 0.95, 0.82);
            s.E("👓", 0.44, 0.88, 0.18);
        };
    case 11:  // truck driver
        return [](Scene &s) {
            s.outdoor(0.55);
            draw::sun(s.p, QPointF(s.X(0.85), s.Y(0.18)), s.S(0.08));
            draw::cloud(s.p, QPointF(s.X(0.3), s.Y(0.16)), s.S(0.35));
            draw::tree(s.p, QPointF(s.X(0.08), s.Y(0.62)), s.S(0.4));
            draw::tree(s.p, QPointF(s.X(0.62), s.Y(0.6)), s.S(0.3));
            draw::road(s.p, s.R(0, 0.66, 1, 0.3));
            s.B("🚚", 0.5, 0.9, 0.72, true);
        };
    case 12:  // textile factory worker
        return [](Scene &s) {
            s.room(0.8, QColor(200, 205, 210), QColor(140, 140, 140));
            fabricBolts(s, s.R(0.64, 0.05, 0.34, 0.72));
            s.B("👩", 0.3, 0.5, 0.46);
            sewingMachine(s, s.R(0.04, 0.42, 0.56, 0.5));
            s.E("🧵", 0.76, 0.9, 0.18);
            s.E("🧶", 0.9, 0.9, 0.18);
        };
    case 13:  // laboratory assistant
        return [](Scene &s) {
            tiles(s, s.R(0, 0, 1, 0.75), QColor(220, 235, 245), s.m * 0.14);
            s.B("👩‍🔬", 0.5, 0.8, 0.7);
            desk(s, 0.75, 0.08, QColor(230, 230, 235));
            s.E("🧪", 0.12, 0.65, 0.26);
            s.E("⚗️", 0.28, 0.65, 0.28);
            s.E("🔬", 0.82, 0.62, 0.34);
        };
    case 14:  // car mechanic
        return [](Scene &s) {
            s.room(0.8, QColor(180, 185, 190), QColor(110, 110, 115));
            s.rect(0.02, 0.08, 0.3, 0.4, QColor(210, 180, 120));  // tool board
            s.E("🔧", 0.1, 0.2, 0.14);
            s.E("🔨", 0.24, 0.2, 0.14);
            s.E("🪛", 0.1, 0.38, 0.14);
            s.E("🔩", 0.24, 0.38, 0.12);
            s.rect(0.38, 0.55, 0.58, 0.04, QColor(240, 190, 30));  // lift
            s.rect(0.45, 0.59, 0.04, 0.25, QColor(90, 90, 90));
            s.rect(0.85, 0.59, 0.04, 0.25, QColor(90, 90, 90));
            s.B("🚗", 0.67, 0.56, 0.5, true);
            s.B("🧑‍🔧", 0.26, 0.98, 0.62);
        };
    case 15:  // heavy machine operator
        return [](Scene &s) {
            s.outdoor(0.55, QColor(170, 130, 80));
            s.B("🏗️", 0.8, 0.58, 0.45);
            s.p.save();
            s.p.setPen(Qt::NoPen);
            s.p.setBrush(QColor(140, 100, 60));
            s.p.drawEllipse(s.R(0.55, 0.68, 0.6, 0.3));
            s.p.restore();
            excavator(s, s.R(0.04, 0.3, 0.78, 0.6), false);
            s.B("👷", 0.88, 0.97, 0.26);
        };
    case 16:  // service technician
        return [](Scene &s) {
            s.room(0.78, QColor(220, 225, 230), QColor(150, 150, 160));
            washingMachine(s, s.R(0.04, 0.32, 0.28, 0.52));
            s.B("👨‍🔧", 0.55, 0.95, 0.8);
            s.E("🧰", 0.86, 0.85, 0.26);
            s.E("📺", 0.86, 0.3, 0.3);
            s.E("🔌", 0.7, 0.14, 0.16);
        };
    case 17:  // electrical instrument technician
        return [](Scene &s) {
            circuitBoard(s, s.all());
            multimeter(s, s.R(0.05, 0.2, 0.22, 0.7));
            s.B("👩‍🔧", 0.55, 1.0, 0.82);
            s.E("⚡", 0.88, 0.25, 0.3);
            s.E("🔌", 0.88, 0.75, 0.24);
        };
    case 18:  // product tester
        return [](Scene &s) {
            s.room(0.72, QColor(235, 240, 245), QColor(180, 180, 190));
            s.B("👨‍🔬", 0.28, 0.75, 0.66);
            desk(s, 0.7, 0.08, QColor(200, 200, 205));
            s.E("📦", 0.55, 0.62, 0.2);
            s.E("📱", 0.7, 0.63, 0.18);
            s.E("🎧", 0.85, 0.63, 0.18);
            s.E("📋", 0.2, 0.87, 0.2);
            s.E("✅", 0.82, 0.2, 0.24);
            s.text(0.5, 0.82, 0.48, 0.16, QStringLiteral("TESZT OK"), sans(s.m * 0.12, true), QColor(0, 110, 0));
        };
    case 19:  // gardener
        return [](Scene &s) {
            s.outdoor(0.5);
            draw::sun(s.p, QPointF(s.X(0.82), s.Y(0.12)), s.S(0.08));
            draw::tree(s.p, QPointF(s.X(0.2), s.Y(0.55)), s.S(0.55));
            s.B("🧑‍🌾", 0.55, 0.8, 0.75);
            s.E("🌻", 0.12, 0.86, 0.22);
            s.E("🌷", 0.32, 0.9, 0.2);
            s.E("🌹", 0.72, 0.9, 0.2);
            s.E("🪴", 0.9, 0.86, 0.22);
        };
    case 20:  // GIS technologist
        return [](Scene &s) {
            mapArea(s, s.all());
            s.E("📍", 0.3, 0.27, 0.16);
            s.E("📍", 0.72, 0.5, 0.14);
            s.E("🛰️", 0.82, 0.12, 0.22);
            s.B("👩‍💻", 0.3, 1.0, 0.6);
            s.E("🗺️", 0.82, 0.85, 0.24);
        };
    case 21:  // systems analyst
        return [](Scene &s) {
            s.room(0.8, QColor(225, 230, 240), QColor(140, 140, 150));
            whiteboard(s, s.R(0.06, 0.05, 0.88, 0.42));
            flowchart(s, s.R(0.1, 0.08, 0.8, 0.36));
            s.B("🧑‍🏫", 0.62, 0.98, 0.62);
            s.E("📊", 0.2, 0.66, 0.3);
        };
    case 22:  // telecom engineer
        return [](Scene &s) {
            s.outdoor(0.82);
            draw::cloud(s.p, QPointF(s.X(0.25), s.Y(0.1)), s.S(0.45));
            mast(s, s.X(0.5), s.Y(0.1), s.Y(0.86), s.S(0.55));
            s.E("📡", 0.27, 0.22, 0.28, true);
            s.E("📡", 0.73, 0.3, 0.28);
            signalArcs(s, QPointF(s.X(0.62), s.Y(0.08)), s.S(0.12), true);
            signalArcs(s, QPointF(s.X(0.38), s.Y(0.08)), s.S(0.12), false);
            s.B("👷", 0.2, 0.98, 0.4);
            s.E("📶", 0.82, 0.9, 0.22);
        };
    case 23:  // translator
        return [](Scene &s) {
            s.room(0.8, QColor(240, 232, 215), QColor(150, 110, 70));
            speech(s, 0.05, 0.04, 0.4, 0.1, QStringLiteral("Hello!"), QColor(200, 225, 255));
            speech(s, 0.55, 0.08, 0.4, 0.1, QStringLiteral("Bonjour!"), QColor(255, 220, 220));
            speech(s, 0.08, 0.24, 0.36, 0.1, QStringLiteral("Hallo!"), QColor(255, 240, 190));
            speech(s, 0.56, 0.28, 0.38, 0.1, QStringLiteral("Szia!"), QColor(210, 245, 210));
            s.E("🇬🇧", 0.12, 0.5, 0.14);
            s.E("🇫🇷", 0.88, 0.5, 0.14);
            s.E("🇩🇪", 0.12, 0.62, 0.14);
            s.E("🇭🇺", 0.88, 0.62, 0.14);
            s.B("👩‍💼", 0.5, 0.86, 0.6);
            desk(s, 0.82, 0.06);
            s.E("📖", 0.15, 0.93, 0.22);
            s.E("🌐", 0.85, 0.93, 0.18);
        };
    case 24:  // graphic artist, industrial design
        return [](Scene &s) {
            s.room(0.78, QColor(235, 235, 245), QColor(170, 140, 110));
            easel(s, s.R(0.5, 0.08, 0.44, 0.4));
            s.B("🧑‍🎨", 0.28, 0.92, 0.6);
            s.E("🎨", 0.72, 0.84, 0.24);
            s.E("🖌️", 0.9, 0.86, 0.16);
            s.E("✏️", 0.1, 0.12, 0.14);
            s.E("📐", 0.26, 0.12, 0.14);
        };
    case 25:  // mechanical engineer
        return [](Scene &s) {
            blueprint(s, s.all());
            s.E("⚙️", 0.78, 0.22, 0.32);
            s.E("⚙️", 0.92, 0.46, 0.2);
            s.B("👷", 0.3, 1.0, 0.6);
            s.E("📐", 0.7, 0.8, 0.26);
        };
    case 26:  // production coordinator, software design
        return [](Scene &s) {
            s.room(0.86, QColor(220, 228, 238), QColor(130, 130, 140));
            ganttChart(s, s.R(0.08, 0.03, 0.84, 0.25));
            s.E("📈", 0.22, 0.39, 0.3);
            s.E("🗓️", 0.76, 0.39, 0.28);
            monitor(s.p, s.R(0.42, 0.55, 0.52, 0.16));
            codeLines(s.p, s.R(0.43, 0.56, 0.5, 0.14), 26);
            s.B("👨‍💻", 0.24, 0.96, 0.48);
            desk(s, 0.9, 0.03);
        };
    case 27:  // software engineer
        return [](Scene &s) {
            s.room(0.82, QColor(50, 60, 80), QColor(40, 40, 50));
            monitor(s.p, s.R(0.08, 0.08, 0.5, 0.38));
            codeLines(s.p, s.R(0.09, 0.09, 0.48, 0.36), 27);
            s.B("👨‍💻", 0.62, 0.98, 0.72);
            s.E("☕", 0.12, 0.84, 0.2);
        };
    case 28:  // legal assistant
        return [](Scene &s) {
            s.room(0.8, QColor(150, 100, 60), QColor(100, 60, 30));
            shelfOfBooks(s.p, s.R(0.62, 0.04, 0.34, 0.6), 3, 28);
            s.E("⚖️", 0.3, 0.25, 0.38);
            s.B("👩‍💼", 0.42, 0.84, 0.55);
            desk(s, 0.8, 0.07, QColor(110, 65, 30));
            s.E("📜", 0.82, 0.85, 0.22);
            s.E("🖋️", 0.1, 0.86, 0.18);
        };
    case 29:  // information officer, urban planning
        return [](Scene &s) {
            s.room(0.6, QColor(225, 230, 225), QColor(160, 130, 100));
            cityPlan(s, s.R(0.35, 0.08, 0.6, 0.5));
            s.B("👨‍💼", 0.17, 0.9, 0.7);
            desk(s, 0.72, 0.08, QColor(150, 110, 70));
            s.B("🏢", 0.45, 0.74, 0.2);
            s.B("🏠", 0.6, 0.74, 0.16);
            s.B("🌳", 0.72, 0.74, 0.18);
            s.E("📐", 0.88, 0.9, 0.18);
        };
    case 30:  // biochemist
        return [](Scene &s) {
            tiles(s, s.R(0, 0, 1, 0.8), QColor(230, 240, 248), s.m * 0.16);
            molecule(s, s.R(0.05, 0.03, 0.5, 0.28));
            s.E("🧬", 0.78, 0.18, 0.36);
            s.B("🧑‍🔬", 0.5, 0.84, 0.62);
            desk(s, 0.8, 0.05, QColor(230, 230, 235));
            s.E("🧫", 0.15, 0.9, 0.18);
            s.E("🧪", 0.5, 0.91, 0.2);
            s.E("🔬", 0.84, 0.9, 0.26);
        };
    default:
        return {};
    }
}

}  // namespace

QSize professionPictureSize(int code)
{
    return code >= 1 && code <= 30 ? kSizes[code] : QSize();
}

QImage professionPicture(int code, qreal ratio)
{
    const Scale scale(ratio);
    const Painter paint = recipe(code);
    if (!paint)
        return QImage();
    const QSize size = kSizes[code];
    QImage img = canvas(size.width(), size.height(), Qt::white);
    {
        QPainter p(&img);
        prepare(p);
        Scene s(p, size.width(), size.height());
        paint(s);
        frame(p, s.all(), QColor(90, 90, 90));
    }
    return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace zpict
