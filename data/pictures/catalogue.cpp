// The pictures of the six catalogues (homes, food, clothing, transport, hobbies,
// entertainment), 233 x 233 each.

#include "data/pictures/painting.h"
#include "data/pictures/pictures.h"
#include "data/pictures/scene.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <functional>

namespace zpict {

using namespace draw;

namespace {

constexpr int kSide = 233;

using Painter = std::function<void(Scene &)>;

// ---- props

void blockOfFlats(Scene &s, const QRectF &r, int floors, int cols, const QColor &wall, bool balconies, int seed)
{
    QPainter &p = s.p;
    p.save();
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, wall.lighter(110));
    g.setColorAt(1, wall.darker(110));
    p.setPen(QPen(wall.darker(150), 1));
    p.setBrush(g);
    p.drawRect(r);
    Rng rng(seed);
    const double fh = r.height() / floors, cw = r.width() / cols;
    for (int f = 0; f < floors; ++f) {
        for (int c = 0; c < cols; ++c) {
            const QRectF w(r.left() + c * cw + cw * 0.22, r.top() + f * fh + fh * 0.2, cw * 0.56, fh * 0.55);
            const bool lit = rng.range(0, 5) == 0;
            p.fillRect(w, lit ? QColor(255, 230, 140) : QColor(120, 160, 200));
            p.setPen(QPen(QColor(240, 240, 240), 0.8));
            p.drawLine(QPointF(w.center().x(), w.top()), QPointF(w.center().x(), w.bottom()));
        }
        if (balconies) {
            p.fillRect(QRectF(r.left(), r.top() + f * fh + fh * 0.78, r.width(), fh * 0.1), wall.darker(125));
        }
    }
    p.restore();
}

void brickWall(Scene &s, const QRectF &r, const QColor &brick)
{
    QPainter &p = s.p;
    p.save();
    p.fillRect(r, brick);
    p.setPen(QPen(brick.lighter(135), 0.6));
    const double bh = 4, bw = 10;
    int row = 0;
    for (double y = r.top(); y < r.bottom(); y += bh, ++row) {
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        for (double x = r.left() + (row % 2 ? bw / 2 : 0); x < r.right(); x += bw)
            p.drawLine(QPointF(x, y), QPointF(x, std::min(y + bh, r.bottom())));
    }
    p.restore();
}

void terracedHouse(Scene &s, const QRectF &body, const QColor &wall, const QColor &roof, const QColor &door)
{
    QPainter &p = s.p;
    p.save();
    QPainterPath rp;
    rp.moveTo(body.left(), body.top());
    rp.lineTo(body.center().x(), body.top() - body.height() * 0.45);
    rp.lineTo(body.right(), body.top());
    rp.closeSubpath();
    p.setPen(QPen(roof.darker(150), 1));
    p.setBrush(roof);
    p.drawPath(rp);
    p.setBrush(wall);
    p.setPen(QPen(wall.darker(150), 1));
    p.drawRect(body);
    window(p, QRectF(body.left() + body.width() * 0.2, body.top() + body.height() * 0.1, body.width() * 0.6,
                     body.height() * 0.25));
    window(p, QRectF(body.left() + body.width() * 0.55, body.top() + body.height() * 0.55, body.width() * 0.32,
                     body.height() * 0.22));
    p.setPen(QPen(door.darker(150), 1));
    p.setBrush(door);
    p.drawRect(QRectF(body.left() + body.width() * 0.14, body.top() + body.height() * 0.55, body.width() * 0.25,
                      body.height() * 0.45));
    p.restore();
}

void tableScene(Scene &s, const QColor &wall, const QColor &cloth, bool checked)
{
    s.room(0.45, wall, QColor(150, 110, 70));
    QPainter &p = s.p;
    const QRectF top = s.R(0, 0.45, 1, 0.55);
    p.fillRect(top, cloth);
    if (checked) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 120));
        for (int i = 0; i < 10; ++i) {
            p.drawRect(QRectF(top.left() + i * top.width() / 10, top.top(), top.width() / 20, top.height()));
            p.drawRect(QRectF(top.left(), top.top() + i * top.height() / 6, top.width(), top.height() / 12));
        }
        p.restore();
    }
}

void plate(Scene &s, double fx, double fy, double fr)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(180, 180, 185), 1));
    p.setBrush(QColor(252, 252, 252));
    p.drawEllipse(QPointF(s.X(fx), s.Y(fy)), s.S(fr), s.S(fr * 0.62));
    p.setBrush(QColor(240, 240, 242));
    p.drawEllipse(QPointF(s.X(fx), s.Y(fy)), s.S(fr * 0.7), s.S(fr * 0.43));
    p.restore();
}

void signBoard(Scene &s, double fx, double fy, double fw, double fh, const QString &t, const QColor &bg,
               const QColor &fg = Qt::white)
{
    const QRectF r = s.R(fx, fy, fw, fh);
    s.p.save();
    s.p.setPen(QPen(bg.darker(150), 1.5));
    s.p.setBrush(bg);
    s.p.drawRoundedRect(r, 4, 4);
    s.p.restore();
    fittedText(s.p, r.adjusted(3, 2, -3, -2), t, sans(r.height() * 0.7, true), Qt::AlignCenter, fg);
}

void clothesRail(Scene &s, double fy, double fx0, double fx1)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(150, 150, 155), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.X(fx0), s.Y(fy)), QPointF(s.X(fx1), s.Y(fy)));
    p.drawLine(QPointF(s.X(fx0), s.Y(fy)), QPointF(s.X(fx0), s.Y(0.95)));
    p.drawLine(QPointF(s.X(fx1), s.Y(fy)), QPointF(s.X(fx1), s.Y(0.95)));
    p.restore();
}

void hanger(Scene &s, double fx, double fy, const char *e, double fs)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.drawLine(QPointF(s.X(fx), s.Y(fy) - 3), QPointF(s.X(fx), s.Y(fy) + 4));
    p.restore();
    s.B(e, fx, fy + fs * s.m / s.h + 4 / s.h, fs);
}

void curtains(Scene &s, const QColor &c)
{
    QPainter &p = s.p;
    p.save();
    for (int side = 0; side < 2; ++side) {
        QPainterPath path;
        const double x0 = side ? s.w : 0, dir = side ? -1 : 1;
        path.moveTo(x0, 0);
        path.lineTo(x0 + dir * s.w * 0.3, 0);
        path.cubicTo(x0 + dir * s.w * 0.22, s.h * 0.4, x0 + dir * s.w * 0.08, s.h * 0.6, x0 + dir * s.w * 0.14, s.h);
        path.lineTo(x0, s.h);
        path.closeSubpath();
        QLinearGradient g(QPointF(x0, 0), QPointF(x0 + dir * s.w * 0.3, 0));
        for (int i = 0; i <= 6; ++i)
            g.setColorAt(i / 6.0, i % 2 ? c.darker(140) : c.lighter(115));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(path);
    }
    QLinearGradient top(QPointF(0, 0), QPointF(0, s.h * 0.12));
    top.setColorAt(0, c.darker(130));
    top.setColorAt(1, c);
    p.setBrush(top);
    QPainterPath val;
    val.moveTo(0, 0);
    val.lineTo(s.w, 0);
    val.lineTo(s.w, s.h * 0.1);
    for (int i = 6; i >= 0; --i)
        val.quadTo(s.w * (i + 0.5) / 7, s.h * 0.16, s.w * i / 7, s.h * 0.1);
    val.closeSubpath();
    p.drawPath(val);
    p.restore();
}

void mountains(Scene &s)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 140, 170));
    p.drawPolygon(QPolygonF{QPointF(-10, s.Y(0.6)), QPointF(s.X(0.3), s.Y(0.2)), QPointF(s.X(0.65), s.Y(0.6))});
    p.setBrush(QColor(100, 120, 150));
    p.drawPolygon(QPolygonF{QPointF(s.X(0.35), s.Y(0.6)), QPointF(s.X(0.7), s.Y(0.14)), QPointF(s.X(1.1), s.Y(0.6))});
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{QPointF(s.X(0.3), s.Y(0.2)), QPointF(s.X(0.36), s.Y(0.28)), QPointF(s.X(0.3), s.Y(0.26)),
                            QPointF(s.X(0.24), s.Y(0.28))});
    p.drawPolygon(QPolygonF{QPointF(s.X(0.7), s.Y(0.14)), QPointF(s.X(0.77), s.Y(0.23)), QPointF(s.X(0.7), s.Y(0.21)),
                            QPointF(s.X(0.63), s.Y(0.23))});
    p.restore();
}

void fence(Scene &s, double fy, double fh)
{
    QPainter &p = s.p;
    p.save();
    p.setPen(QPen(QColor(250, 248, 240), 3));
    for (double x = 4; x < s.w; x += 12)
        p.drawLine(QPointF(x, s.Y(fy)), QPointF(x, s.Y(fy + fh)));
    p.drawLine(QPointF(0, s.Y(fy + fh * 0.3)), QPointF(s.w, s.Y(fy + fh * 0.3)));
    p.drawLine(QPointF(0, s.Y(fy + fh * 0.75)), QPointF(s.w, s.Y(fy + fh * 0.75)));
    p.restore();
}

void passCard(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    p.translate(r.center());
    p.rotate(-8);
    const QRectF c(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(c.translated(3, 3), 8, 8);
    QLinearGradient g(c.topLeft(), c.bottomRight());
    g.setColorAt(0, QColor(90, 170, 230));
    g.setColorAt(1, QColor(30, 90, 170));
    p.setPen(QPen(QColor(20, 50, 110), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(c, 8, 8);
    fittedText(p, QRectF(c.left() + 8, c.top() + 6, c.width() - 16, c.height() * 0.3), QStringLiteral("BÉRLET"),
               sans(c.height() * 0.26, true), Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
    p.fillRect(QRectF(c.right() - c.width() * 0.3, c.top() + c.height() * 0.38, c.width() * 0.22, c.height() * 0.48),
               QColor(240, 240, 245));
    draw::emoji(p, QString::fromUtf8("🙂"), QPointF(c.right() - c.width() * 0.19, c.top() + c.height() * 0.62),
                c.height() * 0.3);
    p.setPen(Qt::white);
    p.setFont(sans(c.height() * 0.13, true));
    p.drawText(QRectF(c.left() + 8, c.top() + c.height() * 0.42, c.width() * 0.6, c.height() * 0.18),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Havi bérlet"));
    p.drawText(QRectF(c.left() + 8, c.top() + c.height() * 0.64, c.width() * 0.6, c.height() * 0.18),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Összvonalas"));
    p.restore();
}

void aquarium(Scene &s, const QRectF &r)
{
    QPainter &p = s.p;
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(140, 210, 240));
    g.setColorAt(1, QColor(30, 110, 170));
    p.setPen(QPen(QColor(60, 60, 70), 3));
    p.setBrush(g);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 200, 150));
    p.drawRect(QRectF(r.left() + 2, r.bottom() - r.height() * 0.15, r.width() - 4, r.height() * 0.15 - 2));
    p.fillRect(QRectF(r.left() - 4, r.top() - 8, r.width() + 8, 8), QColor(50, 50, 60));
    p.setBrush(QColor(255, 255, 255, 150));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(r.left() + r.width() * 0.8, r.bottom() - r.height() * (0.2 + i * 0.12)), 2 + i * 0.4,
                      2 + i * 0.4);
    p.restore();
}

void spotlights(Scene &s)
{
    QPainter &p = s.p;
    p.save();
    const QColor cs[] = {QColor(255, 60, 200, 90), QColor(60, 200, 255, 90), QColor(255, 230, 60, 90),
                         QColor(120, 255, 120, 80)};
    for (int i = 0; i < 4; ++i) {
        QPainterPath beam;
        const QPointF src(s.X(0.15 + i * 0.23), 0);
        beam.moveTo(src);
        beam.lineTo(src + QPointF(s.w * (i % 2 ? 0.35 : -0.2) - s.w * 0.08, s.h));
        beam.lineTo(src + QPointF(s.w * (i % 2 ? 0.35 : -0.2) + s.w * 0.12, s.h));
        beam.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(cs[i]);
        p.drawPath(beam);
    }
    p.restore();
}

// ---- the six tables

Painter home(int key)
{
    switch (key) {
    case 1:  // rented studio flat
        return [](Scene &s) {
            s.room(0.68, QColor(230, 220, 200), QColor(170, 120, 70));
            draw::window(s.p, s.R(0.38, 0.1, 0.26, 0.3));
            s.B("🛏️", 0.22, 0.9, 0.42);
            s.rect(0.66, 0.46, 0.32, 0.3, QColor(240, 240, 240));  // kitchenette
            s.rect(0.66, 0.44, 0.32, 0.03, QColor(120, 120, 125));
            s.rect(0.7, 0.52, 0.1, 0.18, QColor(200, 200, 205));
            s.rect(0.84, 0.52, 0.1, 0.18, QColor(200, 200, 205));
            s.B("🍳", 0.74, 0.44, 0.1);
            s.B("☕", 0.9, 0.44, 0.08);
            s.B("🪴", 0.55, 0.72, 0.14);
            s.E("🖼️", 0.14, 0.28, 0.16);
            signBoard(s, 0.06, 0.04, 0.26, 0.1, QStringLiteral("KIADÓ"), QColor(200, 40, 40));
        };
    case 2:  // prefab block flat
        return [](Scene &s) {
            s.outdoor(0.82);
            draw::cloud(s.p, QPointF(s.X(0.85), s.Y(0.12)), s.S(0.25));
            blockOfFlats(s, s.R(0.1, 0.08, 0.62, 0.76), 10, 6, QColor(200, 200, 195), true, 2);
            blockOfFlats(s, s.R(0.75, 0.3, 0.3, 0.54), 7, 3, QColor(215, 205, 185), true, 3);
            draw::tree(s.p, QPointF(s.X(0.08), s.Y(0.88)), s.S(0.26));
            s.B("🚗", 0.6, 0.97, 0.16);
        };
    case 3:  // brick flat in town
        return [](Scene &s) {
            s.outdoor(0.85, QColor(150, 150, 150));
            const QRectF b = s.R(0.08, 0.15, 0.84, 0.72);
            brickWall(s, b, QColor(175, 80, 55));
            s.p.fillRect(s.R(0.05, 0.11, 0.9, 0.05), QColor(90, 60, 50));
            for (int f = 0; f < 4; ++f)
                for (int c = 0; c < 4; ++c) {
                    if (f == 3 && (c == 1 || c == 2)) continue;
                    draw::window(s.p, s.R(0.14 + c * 0.2, 0.2 + f * 0.17, 0.1, 0.1));
                    if (f < 3) s.rect(0.12 + c * 0.2, 0.31 + f * 0.17, 0.14, 0.015, QColor(240, 240, 230));
                }
            s.rect(0.4, 0.72, 0.2, 0.15, QColor(90, 55, 30));
            s.E("🌺", 0.19, 0.29, 0.06);
            s.E("🌺", 0.79, 0.46, 0.06);
            s.B("🚶", 0.85, 0.98, 0.14);
        };
    case 4:  // terraced house
        return [](Scene &s) {
            s.outdoor(0.7);
            draw::sun(s.p, QPointF(s.X(0.85), s.Y(0.12)), s.S(0.06));
            const QColor walls[] = {QColor(245, 225, 180), QColor(220, 235, 240), QColor(245, 210, 200),
                                    QColor(225, 240, 210)};
            for (int i = 0; i < 4; ++i)
                terracedHouse(s, s.R(0.02 + i * 0.24, 0.4, 0.24, 0.4), walls[i], QColor(150, 70, 50),
                              QColor(90 + i * 30, 60, 40));
            for (int i = 0; i < 4; ++i) s.E("🌳", 0.14 + i * 0.24, 0.88, 0.12);
        };
    case 5:  // family house
        return [](Scene &s) {
            s.outdoor(0.68);
            draw::sun(s.p, QPointF(s.X(0.15), s.Y(0.12)), s.S(0.06));
            draw::cloud(s.p, QPointF(s.X(0.75), s.Y(0.12)), s.S(0.3));
            draw::tree(s.p, QPointF(s.X(0.88), s.Y(0.75)), s.S(0.45));
            draw::house(s.p, s.R(0.18, 0.46, 0.55, 0.3), QColor(250, 235, 200), QColor(190, 70, 45));
            fence(s, 0.76, 0.1);
            s.E("🌷", 0.1, 0.93, 0.08);
            s.E("🌼", 0.2, 0.95, 0.08);
            s.B("🚗", 0.82, 0.98, 0.2, true);
        };
    case 6:  // detached villa with garden
        return [](Scene &s) {
            s.outdoor(0.5, QColor(90, 170, 70));
            draw::tree(s.p, QPointF(s.X(0.08), s.Y(0.55)), s.S(0.4));
            draw::tree(s.p, QPointF(s.X(0.93), s.Y(0.52)), s.S(0.38));
            // Two-storey modern villa with a flat roof and big windows.
            s.rect(0.15, 0.18, 0.45, 0.36, QColor(248, 248, 245));
            s.rect(0.55, 0.3, 0.32, 0.24, QColor(238, 238, 232));
            s.rect(0.12, 0.15, 0.51, 0.04, QColor(70, 70, 75));
            s.rect(0.52, 0.27, 0.38, 0.04, QColor(70, 70, 75));
            for (int i = 0; i < 3; ++i) {
                draw::window(s.p, s.R(0.19 + i * 0.14, 0.23, 0.1, 0.11));
                draw::window(s.p, s.R(0.19 + i * 0.14, 0.4, 0.1, 0.11));
            }
            s.rect(0.6, 0.36, 0.22, 0.18, QColor(150, 200, 230));
            // Pool.
            s.p.save();
            s.p.setPen(QPen(Qt::white, 3));
            s.p.setBrush(QColor(70, 180, 230));
            s.p.drawRoundedRect(s.R(0.3, 0.66, 0.45, 0.14), 6, 6);
            s.p.restore();
            s.B("🌴", 0.85, 0.85, 0.26);
            s.E("🌹", 0.1, 0.8, 0.08);
            s.E("🌷", 0.18, 0.86, 0.08);
            s.B("🚙", 0.18, 0.99, 0.16);
        };
    default: return {};
    }
}

Painter food(int key)
{
    switch (key) {
    case 1:  // thrifty
        return [](Scene &s) {
            tableScene(s, QColor(225, 220, 205), QColor(170, 125, 80), false);
            s.B("🍞", 0.25, 0.72, 0.3);
            s.B("🥔", 0.55, 0.72, 0.18);
            s.B("🥔", 0.66, 0.76, 0.16);
            s.B("🥛", 0.82, 0.7, 0.28);
            s.B("🥫", 0.45, 0.92, 0.18);
            s.text(0.05, 0.08, 0.9, 0.14, QStringLiteral("Minden fillér számít"), sans(16, true), QColor(110, 90, 70));
        };
    case 2:  // simple
        return [](Scene &s) {
            tableScene(s, QColor(230, 235, 215), QColor(60, 140, 80), true);
            s.B("🍞", 0.2, 0.7, 0.26);
            s.B("🧀", 0.45, 0.68, 0.18);
            s.B("🥛", 0.8, 0.66, 0.28);
            s.B("🥚", 0.35, 0.9, 0.12);
            s.B("🍎", 0.6, 0.9, 0.15);
            s.B("🥕", 0.8, 0.93, 0.16);
        };
    case 3:  // average
        return [](Scene &s) {
            tableScene(s, QColor(240, 225, 200), QColor(200, 60, 60), true);
            plate(s, 0.5, 0.72, 0.3);
            s.E("🍗", 0.42, 0.7, 0.2);
            s.E("🥗", 0.6, 0.7, 0.18);
            s.B("🍝", 0.15, 0.6, 0.2);
            s.B("🍌", 0.86, 0.62, 0.18);
            s.B("🧃", 0.85, 0.95, 0.16);
            s.B("🍎", 0.15, 0.95, 0.14);
        };
    case 4:  // plentiful
        return [](Scene &s) {
            tableScene(s, QColor(245, 220, 180), QColor(230, 170, 60), true);
            s.B("🍖", 0.18, 0.6, 0.22);
            s.B("🍕", 0.45, 0.58, 0.22);
            s.B("🍰", 0.75, 0.58, 0.2);
            s.B("🍗", 0.15, 0.8, 0.2);
            s.B("🍝", 0.4, 0.8, 0.2);
            s.B("🍇", 0.65, 0.8, 0.2);
            s.B("🍉", 0.87, 0.8, 0.2);
            s.B("🧁", 0.28, 0.98, 0.16);
            s.B("🥩", 0.55, 0.98, 0.18);
            s.B("🍩", 0.8, 0.98, 0.16);
        };
    case 5:  // gourmet
        return [](Scene &s) {
            s.room(0.45, QColor(60, 35, 40), QColor(80, 50, 40));
            s.rect(0, 0.45, 1, 0.55, QColor(250, 250, 248));
            s.E("🕯️", 0.5, 0.33, 0.22);
            plate(s, 0.5, 0.7, 0.3);
            s.E("🦞", 0.5, 0.68, 0.24);
            s.B("🍷", 0.15, 0.66, 0.24);
            s.B("🍾", 0.86, 0.62, 0.3);
            s.E("🍣", 0.18, 0.88, 0.16);
            s.E("🧀", 0.82, 0.9, 0.14);
            s.E("🥂", 0.5, 0.93, 0.14);
        };
    default: return {};
    }
}

Painter clothing(int key)
{
    switch (key) {
    case 1:  // second-hand
        return [](Scene &s) {
            s.room(0.7, QColor(220, 215, 205), QColor(160, 150, 140));
            s.rect(0.15, 0.5, 0.7, 0.4, QColor(190, 150, 100));  // cardboard box
            s.rect(0.12, 0.46, 0.76, 0.06, QColor(170, 130, 85));
            s.text(0.2, 0.62, 0.6, 0.14, QStringLiteral("HASZNÁLT"), sans(22, true), QColor(90, 60, 30));
            s.B("👕", 0.3, 0.52, 0.28);
            s.B("👖", 0.55, 0.5, 0.3);
            s.B("🧥", 0.76, 0.52, 0.26);
            s.B("🧦", 0.12, 0.98, 0.14);
            s.E("🪡", 0.86, 0.2, 0.12);
            s.E("🧵", 0.72, 0.2, 0.12);
        };
    case 2:  // market, on sale
        return [](Scene &s) {
            s.outdoor(0.7, QColor(170, 170, 160));
            // Striped awning.
            for (int i = 0; i < 8; ++i)
                s.rect(i * 0.125, 0.1, 0.125, 0.14, i % 2 ? QColor(250, 250, 250) : QColor(210, 40, 40));
            s.rect(0.05, 0.24, 0.03, 0.6, QColor(120, 90, 60));
            s.rect(0.92, 0.24, 0.03, 0.6, QColor(120, 90, 60));
            signBoard(s, 0.26, 0.28, 0.48, 0.13, QStringLiteral("AKCIÓ -50%"), QColor(250, 220, 40), QColor(200, 0, 0));
            s.rect(0.02, 0.7, 0.96, 0.06, QColor(150, 110, 70));  // stall table
            s.rect(0.02, 0.76, 0.96, 0.24, QColor(120, 85, 50));
            s.B("👕", 0.2, 0.72, 0.22);
            s.B("👗", 0.45, 0.72, 0.26);
            s.B("🩳", 0.65, 0.72, 0.18);
            s.B("👟", 0.84, 0.72, 0.18);
            s.B("🧢", 0.2, 0.52, 0.14);
        };
    case 3:  // department store
        return [](Scene &s) {
            s.room(0.8, QColor(245, 240, 235), QColor(200, 190, 180));
            signBoard(s, 0.2, 0.04, 0.6, 0.12, QStringLiteral("ÁRUHÁZ"), QColor(30, 100, 170));
            clothesRail(s, 0.3, 0.06, 0.94);
            hanger(s, 0.16, 0.3, "👔", 0.2);
            hanger(s, 0.36, 0.3, "👚", 0.2);
            hanger(s, 0.56, 0.3, "👗", 0.24);
            hanger(s, 0.78, 0.3, "🧥", 0.22);
            s.B("🛍️", 0.3, 0.97, 0.2);
            s.B("👖", 0.7, 0.97, 0.2);
        };
    case 4:  // brand-name
        return [](Scene &s) {
            s.room(0.78, QColor(40, 40, 48), QColor(90, 80, 70));
            QPainter &p = s.p;
            p.save();
            for (int i = 0; i < 3; ++i) {
                QRadialGradient g(QPointF(s.X(0.2 + i * 0.3), s.Y(0.0)), s.S(0.5));
                g.setColorAt(0, QColor(255, 240, 200, 120));
                g.setColorAt(1, QColor(255, 240, 200, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawEllipse(QPointF(s.X(0.2 + i * 0.3), s.Y(0.2)), s.S(0.3), s.S(0.5));
            }
            p.restore();
            s.text(0.1, 0.04, 0.8, 0.1, QStringLiteral("MÁRKABOLT"), serif(18, true), QColor(230, 200, 120));
            for (int i = 0; i < 3; ++i) s.rect(0.08 + i * 0.3, 0.68, 0.24, 0.3, QColor(235, 235, 235));
            s.B("👜", 0.2, 0.68, 0.2);
            s.B("👠", 0.5, 0.68, 0.18);
            s.B("🕶️", 0.8, 0.66, 0.16);
            s.B("👔", 0.35, 0.5, 0.2);
            s.B("⌚", 0.68, 0.48, 0.14);
        };
    case 5:  // designer
        return [](Scene &s) {
            s.room(0.78, QColor(245, 230, 235), QColor(190, 160, 150));
            // Mannequin stand.
            s.rect(0.37, 0.7, 0.03, 0.22, QColor(80, 60, 40));
            s.rect(0.3, 0.92, 0.17, 0.03, QColor(80, 60, 40));
            s.B("👗", 0.385, 0.74, 0.55);
            s.E("✂️", 0.75, 0.3, 0.16);
            s.E("🧵", 0.88, 0.5, 0.12);
            s.E("📏", 0.72, 0.55, 0.14);
            s.E("💎", 0.86, 0.2, 0.1);
            s.rect(0.62, 0.68, 0.32, 0.24, QColor(252, 252, 252));  // sketch
            s.E("👒", 0.78, 0.8, 0.14);
            s.text(0.05, 0.04, 0.6, 0.1, QStringLiteral("Haute couture"), serif(15, false, true), QColor(150, 60, 90));
        };
    default: return {};
    }
}

Painter transport(int key)
{
    switch (key) {
    case 1:  // public transport pass
        return [](Scene &s) {
            s.outdoor(0.6, QColor(160, 160, 160));
            blockOfFlats(s, s.R(0.0, 0.2, 0.4, 0.4), 4, 3, QColor(220, 210, 190), false, 11);
            blockOfFlats(s, s.R(0.62, 0.15, 0.4, 0.45), 5, 3, QColor(200, 205, 210), false, 12);
            draw::road(s.p, s.R(0, 0.6, 1, 0.18));
            s.B("🚌", 0.28, 0.76, 0.36);
            s.B("🚋", 0.75, 0.76, 0.34, true);
            passCard(s, s.R(0.3, 0.78, 0.5, 0.2));
        };
    case 2:  // bicycle
        return [](Scene &s) {
            s.outdoor(0.55);
            draw::tree(s.p, QPointF(s.X(0.12), s.Y(0.6)), s.S(0.4));
            draw::tree(s.p, QPointF(s.X(0.86), s.Y(0.58)), s.S(0.35));
            s.rect(0, 0.7, 1, 0.14, QColor(210, 190, 150));
            s.B("🚲", 0.5, 0.86, 0.56);
            s.B("🚴", 0.82, 0.66, 0.14);
        };
    case 3:  // scooter
        return [](Scene &s) {
            s.outdoor(0.5, QColor(150, 150, 150));
            blockOfFlats(s, s.R(0.0, 0.12, 0.45, 0.38), 4, 3, QColor(240, 220, 180), false, 5);
            blockOfFlats(s, s.R(0.5, 0.2, 0.5, 0.3), 3, 4, QColor(220, 230, 240), false, 6);
            draw::road(s.p, s.R(0, 0.62, 1, 0.3));
            s.B("🛵", 0.5, 0.88, 0.56);
        };
    case 4:  // small car
        return [](Scene &s) {
            s.outdoor(0.55);
            draw::sun(s.p, QPointF(s.X(0.85), s.Y(0.14)), s.S(0.06));
            draw::tree(s.p, QPointF(s.X(0.15), s.Y(0.6)), s.S(0.35));
            draw::road(s.p, s.R(0, 0.62, 1, 0.3));
            s.B("🚗", 0.5, 0.88, 0.5);
        };
    case 5:  // family car
        return [](Scene &s) {
            s.outdoor(0.55);
            draw::cloud(s.p, QPointF(s.X(0.3), s.Y(0.14)), s.S(0.3));
            draw::house(s.p, s.R(0.62, 0.35, 0.3, 0.2), QColor(245, 230, 200), QColor(180, 70, 45));
            draw::road(s.p, s.R(0, 0.62, 1, 0.3));
            s.B("🚙", 0.38, 0.9, 0.56);
            draw::family(s.p, QPointF(s.X(0.8), s.Y(0.99)), s.S(0.3));
        };
    default: return {};
    }
}

Painter hobby(int key)
{
    switch (key) {
    case 1:  // cat
        return [](Scene &s) {
            s.room(0.62, QColor(240, 225, 210), QColor(170, 120, 80));
            draw::window(s.p, s.R(0.55, 0.08, 0.32, 0.36));
            s.p.save();
            s.p.setPen(Qt::NoPen);
            s.p.setBrush(QColor(180, 60, 80));
            s.p.drawEllipse(s.R(0.12, 0.7, 0.7, 0.22));
            s.p.restore();
            s.B("🐈", 0.46, 0.84, 0.6);
            s.E("🧶", 0.85, 0.86, 0.14);
        };
    case 2:  // dog
        return [](Scene &s) {
            s.outdoor(0.55);
            draw::house(s.p, s.R(0.6, 0.38, 0.3, 0.2), QColor(180, 120, 70), QColor(120, 60, 40));
            s.B("🐕", 0.42, 0.9, 0.6);
            s.E("🦴", 0.82, 0.88, 0.14);
            s.E("🎾", 0.12, 0.88, 0.1);
        };
    case 3:  // mouse
        return [](Scene &s) {
            s.room(0.7, QColor(230, 230, 215), QColor(170, 140, 100));
            QPainter &p = s.p;
            const QRectF cage = s.R(0.1, 0.2, 0.8, 0.65);
            p.save();
            p.fillRect(QRectF(cage.left(), cage.bottom() - cage.height() * 0.12, cage.width(), cage.height() * 0.12),
                       QColor(230, 200, 120));
            p.setPen(QPen(QColor(150, 150, 160), 1.2));
            for (double x = cage.left(); x <= cage.right() + 0.5; x += cage.width() / 14)
                p.drawLine(QPointF(x, cage.top()), QPointF(x, cage.bottom()));
            p.setPen(QPen(QColor(120, 120, 130), 2.5));
            p.drawRect(cage);
            p.restore();
            s.B("🐁", 0.42, 0.82, 0.4);
            s.E("🧀", 0.74, 0.76, 0.14);
            s.p.save();
            s.p.setPen(QPen(QColor(200, 60, 60), 3));
            s.p.setBrush(Qt::NoBrush);
            s.p.drawEllipse(s.R(0.62, 0.3, 0.22, 0.22));
            s.p.restore();
        };
    case 4:  // parrot
        return [](Scene &s) {
            s.outdoor(0.8, QColor(90, 150, 60));
            s.E("🌴", 0.12, 0.45, 0.5);
            s.p.save();
            s.p.setPen(QPen(QColor(120, 80, 40), 6, Qt::SolidLine, Qt::RoundCap));
            s.p.drawLine(QPointF(s.X(0.25), s.Y(0.72)), QPointF(s.X(0.9), s.Y(0.68)));
            s.p.restore();
            s.B("🦜", 0.6, 0.71, 0.58);
        };
    case 5:  // horse
        return [](Scene &s) {
            s.outdoor(0.5, QColor(110, 175, 70));
            draw::tree(s.p, QPointF(s.X(0.88), s.Y(0.55)), s.S(0.35));
            fence(s, 0.5, 0.12);
            s.B("🐎", 0.48, 0.92, 0.62);
        };
    case 6:  // fish
        return [](Scene &s) {
            s.room(0.8, QColor(220, 225, 235), QColor(160, 120, 80));
            aquarium(s, s.R(0.08, 0.15, 0.84, 0.6));
            s.E("🐠", 0.35, 0.35, 0.18);
            s.E("🐟", 0.65, 0.48, 0.16, true);
            s.E("🐡", 0.3, 0.58, 0.14);
            s.B("🌿", 0.7, 0.74, 0.18);
            s.rect(0.05, 0.75, 0.9, 0.05, QColor(100, 70, 40));
        };
    default: return {};
    }
}

Painter entertainment(int key)
{
    switch (key) {
    case 1:  // excursion
        return [](Scene &s) {
            s.outdoor(0.6, QColor(100, 160, 70));
            mountains(s);
            for (int i = 0; i < 5; ++i) draw::tree(s.p, QPointF(s.X(0.05 + i * 0.22), s.Y(0.65)), s.S(0.2));
            s.p.save();
            s.p.setPen(Qt::NoPen);
            s.p.setBrush(QColor(210, 180, 130));
            s.p.drawPolygon(QPolygonF{QPointF(s.X(0.45), s.Y(0.62)), QPointF(s.X(0.55), s.Y(0.62)),
                                      QPointF(s.X(0.8), s.Y(1.0)), QPointF(s.X(0.3), s.Y(1.0))});
            s.p.restore();
            s.B("🚶", 0.55, 0.86, 0.24);
            s.E("🎒", 0.2, 0.85, 0.16);
            s.E("🥾", 0.85, 0.88, 0.14);
        };
    case 2:  // cinema
        return [](Scene &s) {
            s.p.fillRect(s.all(), QColor(25, 20, 30));
            s.rect(0.12, 0.1, 0.76, 0.45, QColor(235, 235, 240));
            s.E("🎬", 0.5, 0.32, 0.26);
            curtains(s, QColor(160, 20, 30));
            for (int i = 0; i < 7; ++i) {
                s.p.save();
                s.p.setPen(Qt::NoPen);
                s.p.setBrush(QColor(15, 10, 20));
                s.p.drawEllipse(QPointF(s.X(0.08 + i * 0.14), s.Y(0.8)), s.S(0.06), s.S(0.08));
                s.p.drawRoundedRect(s.R(0.02 + i * 0.14, 0.84, 0.12, 0.2), 6, 6);
                s.p.restore();
            }
            s.B("🍿", 0.85, 0.98, 0.2);
        };
    case 3:  // café
        return [](Scene &s) {
            s.room(0.6, QColor(120, 80, 55), QColor(150, 110, 80));
            draw::window(s.p, s.R(0.1, 0.1, 0.3, 0.32));
            s.E("🖼️", 0.75, 0.22, 0.2);
            s.p.save();
            s.p.setPen(Qt::NoPen);
            s.p.setBrush(QColor(245, 240, 230));
            s.p.drawEllipse(s.R(0.12, 0.6, 0.76, 0.28));
            s.p.restore();
            s.B("☕", 0.35, 0.76, 0.24);
            s.B("🥐", 0.62, 0.76, 0.2);
            s.B("🍰", 0.5, 0.84, 0.16);
        };
    case 4:  // theatre
        return [](Scene &s) {
            s.p.fillRect(s.all(), QColor(40, 20, 25));
            s.rect(0, 0.72, 1, 0.28, QColor(120, 80, 40));
            s.p.save();
            QRadialGradient g(QPointF(s.X(0.5), s.Y(0.6)), s.S(0.4));
            g.setColorAt(0, QColor(255, 240, 190, 170));
            g.setColorAt(1, QColor(255, 240, 190, 0));
            s.p.setPen(Qt::NoPen);
            s.p.setBrush(g);
            s.p.drawEllipse(QPointF(s.X(0.5), s.Y(0.6)), s.S(0.45), s.S(0.4));
            s.p.restore();
            curtains(s, QColor(180, 25, 35));
            s.E("🎭", 0.5, 0.5, 0.36);
        };
    case 5:  // disco
        return [](Scene &s) {
            s.p.fillRect(s.all(), QColor(20, 10, 40));
            spotlights(s);
            s.E("🪩", 0.5, 0.2, 0.26);
            s.B("💃", 0.3, 0.95, 0.42);
            s.B("🕺", 0.72, 0.95, 0.42);
            s.E("🎶", 0.12, 0.35, 0.14);
            s.E("🎵", 0.88, 0.38, 0.12);
        };
    case 6:  // internet
        return [](Scene &s) {
            s.room(0.7, QColor(225, 235, 245), QColor(150, 150, 160));
            draw::monitor(s.p, s.R(0.2, 0.12, 0.6, 0.42), QColor(250, 250, 255));
            s.rect(0.2, 0.12, 0.6, 0.07, QColor(60, 120, 200));
            s.text(0.22, 0.12, 0.56, 0.07, QStringLiteral("www"), sans(11, true), Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
            s.E("🌐", 0.38, 0.36, 0.2);
            s.E("📧", 0.62, 0.3, 0.12);
            s.E("🔍", 0.62, 0.44, 0.1);
            s.B("⌨️", 0.5, 0.9, 0.4);
            s.B("🖱️", 0.85, 0.88, 0.1);
        };
    default: return {};
    }
}

enum class Table { None, Homes, Food, Clothing, Transport, Hobby, Entertainment };

Table tableOf(const QString &file)
{
    const QString f = file.toLower();
    if (f == QLatin1String("hazak.db")) return Table::Homes;
    if (f == QLatin1String("elelmiszerek.db")) return Table::Food;
    if (f == QLatin1String("ruhazkodas.db")) return Table::Clothing;
    if (f == QLatin1String("kozlekedes.db")) return Table::Transport;
    if (f == QLatin1String("hobbi.db")) return Table::Hobby;
    if (f == QLatin1String("szorakozas.db")) return Table::Entertainment;
    return Table::None;
}

}  // namespace

int catalogueKeyCount(const QString &tableFile)
{
    switch (tableOf(tableFile)) {
    case Table::Homes: case Table::Hobby: case Table::Entertainment: return 6;
    case Table::Food: case Table::Clothing: case Table::Transport: return 5;
    case Table::None: break;
    }
    return 0;
}

QStringList catalogueTables()
{
    return {QStringLiteral("Hazak.DB"),      QStringLiteral("Elelmiszerek.DB"), QStringLiteral("Ruhazkodas.db"),
            QStringLiteral("Kozlekedes.db"), QStringLiteral("Hobbi.db"),        QStringLiteral("Szorakozas.db")};
}

QString builtCatalogueName(const QString &tableFile, int key)
{
    return QStringLiteral("katalogus/%1-%2.png").arg(tableFile.section(QLatin1Char('.'), 0, 0).toLower()).arg(key);
}

QImage cataloguePicture(const QString &tableFile, int key)
{
    Painter paint;
    switch (tableOf(tableFile)) {
    case Table::Homes: paint = home(key); break;
    case Table::Food: paint = food(key); break;
    case Table::Clothing: paint = clothing(key); break;
    case Table::Transport: paint = transport(key); break;
    case Table::Hobby: paint = hobby(key); break;
    case Table::Entertainment: paint = entertainment(key); break;
    case Table::None: break;
    }
    if (!paint)
        return QImage();
    QImage img = canvas(kSide, kSide, Qt::white);
    {
        QPainter p(&img);
        prepare(p);
        Scene s(p, kSide, kSide);
        paint(s);
    }
    return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace zpict
