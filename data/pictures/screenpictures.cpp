// The pictures the screens and the reports carry: opening buttons, credits picture, icons,
// forint coins and notes, the tax office's logo, the wallet, the certificate's trophy and
// banner, and the record navigator's glyphs.

#include "data/pictures/painting.h"
#include "data/pictures/pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <functional>
#include <map>

namespace zpict {

using namespace draw;

namespace {

// ---------------------------------------------------------------- money

QColor noteColour(int value)
{
    switch (value) {
    case 500: return QColor(168, 72, 78);     // red-brown
    case 1000: return QColor(62, 112, 168);   // blue
    case 2000: return QColor(150, 102, 52);   // brown
    case 5000: return QColor(120, 82, 150);   // violet
    case 10000: return QColor(160, 58, 118);  // purple-red
    default: return QColor(86, 128, 92);      // 20000: green
    }
}

QString grouped(int value)
{
    QString s = QString::number(value);
    for (int i = s.size() - 3; i > 0; i -= 3)
        s.insert(i, QChar(0x2009));
    return s;
}

// A forint note, drawn over the whole image: tinted paper with guilloche lines, the
// watermark field on the left, a portrait on the right, the value in the corners.
QImage note(int value, int w, int h)
{
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    const QColor c = noteColour(value);
    const QRectF r(0.5, 0.5, w - 1, h - 1);

    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, mix(c, Qt::white, 0.72));
    g.setColorAt(0.5, mix(c, Qt::white, 0.45));
    g.setColorAt(1, mix(c, Qt::white, 0.62));
    p.setPen(QPen(c.darker(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 2, 2);

    // Guilloche: interlaced sine waves.
    p.setClipRect(r.adjusted(2, 2, -2, -2));
    for (int k = 0; k < 9; ++k) {
        QPainterPath path;
        for (int x = 0; x <= w; x += 2) {
            const double y = h * (0.12 + k * 0.1) + std::sin(x / 7.0 + k) * h * 0.05 + std::sin(x / 23.0) * h * 0.04;
            if (x == 0) path.moveTo(x, y); else path.lineTo(x, y);
        }
        p.setPen(QPen(mix(c, Qt::white, 0.25 + 0.04 * (k % 3)), 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setClipping(false);

    // Inner frame.
    p.setPen(QPen(c.darker(120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(3, 3, -3, -3));

    // Watermark oval (left) and portrait medallion (right).
    const QRectF wm(w * 0.06, h * 0.2, w * 0.2, h * 0.62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(wm);
    const QRectF med(w * 0.6, h * 0.12, w * 0.3, h * 0.76);
    QRadialGradient mg(med.center(), med.width() * 0.7);
    mg.setColorAt(0, mix(c, Qt::white, 0.55));
    mg.setColorAt(1, mix(c, Qt::white, 0.2));
    p.setBrush(mg);
    p.setPen(QPen(c.darker(130), 1));
    p.drawEllipse(med);
    // Bust: head and shoulders in the note's dark tone.
    p.save();
    p.setClipPath([&] { QPainterPath cp; cp.addEllipse(med); return cp; }());
    p.setPen(Qt::NoPen);
    p.setBrush(c.darker(160));
    const QPointF hc(med.center().x(), med.top() + med.height() * 0.4);
    p.drawEllipse(hc, med.width() * 0.2, med.height() * 0.2);
    p.drawEllipse(QPointF(med.center().x(), med.bottom() + med.height() * 0.12), med.width() * 0.45,
                  med.height() * 0.42);
    p.setBrush(c.darker(210));  // hair and moustache shading
    p.drawChord(QRectF(hc.x() - med.width() * 0.2, hc.y() - med.height() * 0.2, med.width() * 0.4,
                       med.height() * 0.28), 0, 180 * 16);
    p.restore();

    // Lettering.
    const QColor ink = c.darker(200);
    p.setPen(ink);
    fittedText(p, QRectF(w * 0.05, h * 0.05, w * 0.52, h * 0.14), QStringLiteral("MAGYAR NEMZETI BANK"),
               sans(h * 0.1, true), Qt::AlignLeft | Qt::AlignVCenter, ink);
    fittedText(p, QRectF(w * 0.27, h * 0.22, w * 0.33, h * 0.34), grouped(value), sans(h * 0.3, true),
               Qt::AlignCenter, ink);
    p.setFont(serif(h * 0.14, true));
    p.setPen(ink);
    p.drawText(QRectF(w * 0.27, h * 0.55, w * 0.33, h * 0.2), Qt::AlignCenter, QStringLiteral("FORINT"));
    fittedText(p, QRectF(w * 0.06, h * 0.78, w * 0.3, h * 0.18), grouped(value), sans(h * 0.16, true),
               Qt::AlignLeft | Qt::AlignVCenter, ink);
    // Serial number.
    p.setFont(sans(h * 0.09));
    p.setPen(QColor(180, 30, 30));
    p.drawText(QRectF(w * 0.6, h * 0.86, w * 0.37, h * 0.12), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("FB %1").arg(1234567 + value % 9973));
    return img;
}

QImage coin(int value, int w, int h)
{
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    // Relative diameters after the real coins (5 Ft smallest, 200 Ft largest).
    double rel = 1.0;
    switch (value) {
    case 5: rel = 0.80; break;
    case 10: rel = 0.90; break;
    case 20: rel = 0.94; break;
    case 50: rel = 0.97; break;
    case 100: rel = 0.88; break;
    default: rel = 1.0; break;
    }
    const double d = (std::min(w, h) - 2) * rel;
    const QPointF ctr(w / 2.0, h / 2.0);
    const QColor goldLight(255, 236, 150), goldDark(176, 132, 36);
    const QColor silverLight(248, 248, 250), silverDark(135, 138, 145);
    const bool goldOuter = value == 5 || value == 20 || value == 200;
    const bool bimetal = value == 100 || value == 200;

    auto metal = [&](bool gold, double radius) {
        QRadialGradient g(QPointF(ctr.x() - radius * 0.35, ctr.y() - radius * 0.4), radius * 1.5);
        g.setColorAt(0, gold ? goldLight : silverLight);
        g.setColorAt(1, gold ? goldDark : silverDark);
        return g;
    };
    // Shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(ctr + QPointF(1.2, 1.5), d / 2, d / 2);
    // Rim with reeding.
    p.setBrush(metal(goldOuter, d / 2));
    p.setPen(QPen((goldOuter ? goldDark : silverDark).darker(130), 1));
    p.drawEllipse(ctr, d / 2, d / 2);
    p.setPen(QPen((goldOuter ? goldDark : silverDark).darker(115), 0.7));
    for (int i = 0; i < 72; ++i) {
        const double a = i * M_PI * 2 / 72;
        p.drawLine(ctr + QPointF(std::cos(a), std::sin(a)) * (d / 2 - 0.5),
                   ctr + QPointF(std::cos(a), std::sin(a)) * (d / 2 - 2.2));
    }
    const double inner = bimetal ? d * 0.32 : d * 0.41;
    const bool goldInner = bimetal ? !goldOuter : goldOuter;
    p.setBrush(metal(goldInner, inner));
    p.setPen(QPen((goldInner ? goldDark : silverDark).darker(120), 0.8));
    p.drawEllipse(ctr, inner, inner);

    // Dotted ring between rim and field.
    if (!bimetal) {
        p.setPen(Qt::NoPen);
        p.setBrush((goldOuter ? goldDark : silverDark).darker(110));
        for (int i = 0; i < 40; ++i) {
            const double a = i * M_PI * 2 / 40;
            p.drawEllipse(ctr + QPointF(std::cos(a), std::sin(a)) * (d * 0.445), 0.6, 0.6);
        }
    }

    // Value and "FORINT".
    const QColor ink = (goldInner ? goldDark : silverDark).darker(190);
    const QColor hi(255, 255, 255, 170);
    const QString v = QString::number(value);
    QFont f = sans(inner * (v.size() >= 3 ? 0.72 : 0.95), true);
    const QRectF vr(ctr.x() - inner, ctr.y() - inner * 0.75, inner * 2, inner * 1.05);
    fittedText(p, vr.translated(0.6, 0.8), v, f, Qt::AlignCenter, hi);
    fittedText(p, vr, v, f, Qt::AlignCenter, ink);
    const QRectF fr(ctr.x() - inner * 0.9, ctr.y() + inner * 0.28, inner * 1.8, inner * 0.4);
    fittedText(p, fr, QStringLiteral("FORINT"), sans(inner * 0.3, true), Qt::AlignCenter, ink);
    // Letters along the rim on a bimetal coin's ring: small stars instead.
    if (bimetal) {
        p.setPen(Qt::NoPen);
        p.setBrush((goldOuter ? goldDark : silverDark).darker(140));
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI * 2 / 12;
            p.drawEllipse(ctr + QPointF(std::cos(a), std::sin(a)) * (d * 0.41), 1.1, 1.1);
        }
    }
    return img;
}

// ---------------------------------------------------------------- small glyphs

QImage exclamation()
{
    QImage img = canvas(11, 40);
    QPainter p(&img);
    prepare(p);
    QPainterPath bar;
    bar.moveTo(1, 1.5);
    bar.quadTo(5.5, -0.5, 10, 1.5);
    bar.lineTo(7, 27);
    bar.lineTo(4, 27);
    bar.closeSubpath();
    QLinearGradient g(0, 0, 11, 0);
    g.setColorAt(0, QColor(255, 70, 60));
    g.setColorAt(1, QColor(200, 0, 0));
    p.setPen(QPen(QColor(120, 0, 0), 0.8));
    p.setBrush(g);
    p.drawPath(bar);
    p.drawEllipse(QRectF(2, 30.5, 7, 7.5));
    return img;
}

QImage redX(int s)
{
    QImage img = canvas(s, s);
    QPainter p(&img);
    prepare(p);
    const double m = s * 0.18;
    p.setPen(QPen(QColor(110, 0, 0), s * 0.26, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(m, m), QPointF(s - m, s - m));
    p.drawLine(QPointF(s - m, m), QPointF(m, s - m));
    p.setPen(QPen(QColor(235, 30, 30), s * 0.17, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(m, m), QPointF(s - m, s - m));
    p.drawLine(QPointF(s - m, m), QPointF(m, s - m));
    return img;
}

QImage checkMark(int s)
{
    QImage img = canvas(s, s);
    QPainter p(&img);
    prepare(p);
    QPainterPath path;
    path.moveTo(s * 0.15, s * 0.55);
    path.lineTo(s * 0.4, s * 0.8);
    path.lineTo(s * 0.88, s * 0.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 90, 0), s * 0.24, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(40, 180, 40), s * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return img;
}

QImage calculator(int w, int h)
{
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    const QRectF body(1, 1, w - 2, h - 2);
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, QColor(95, 100, 110));
    g.setColorAt(1, QColor(45, 48, 55));
    p.setPen(QPen(QColor(25, 25, 30), 1));
    p.setBrush(g);
    p.drawRoundedRect(body, 3, 3);
    const QRectF lcd(body.left() + 3, body.top() + 3, body.width() - 6, h * 0.2);
    p.setBrush(QColor(175, 200, 150));
    p.setPen(QPen(QColor(30, 40, 30), 0.8));
    p.drawRect(lcd);
    fittedText(p, lcd.adjusted(1, 0, -1, 0), QStringLiteral("123"), sans(lcd.height() * 0.85, true),
               Qt::AlignRight | Qt::AlignVCenter, QColor(30, 40, 30));
    const int cols = 4, rows = 4;
    const QRectF keys(body.left() + 3, lcd.bottom() + 3, body.width() - 6, body.bottom() - lcd.bottom() - 6);
    const double kw = keys.width() / cols, kh = keys.height() / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            QColor kc = c == cols - 1 ? QColor(230, 130, 40) : QColor(225, 225, 230);
            if (r == rows - 1 && c == 0) kc = QColor(220, 60, 50);
            p.setPen(Qt::NoPen);
            p.setBrush(kc);
            p.drawRoundedRect(QRectF(keys.left() + c * kw + 0.6, keys.top() + r * kh + 0.6, kw - 1.2, kh - 1.2), 1, 1);
        }
    return img;
}

// ---------------------------------------------------------------- larger pictures

QImage lightBulb()
{
    QImage img = canvas(100, 100);
    QPainter p(&img);
    prepare(p);
    QRadialGradient glow(QPointF(50, 42), 48);
    glow.setColorAt(0, QColor(255, 245, 160, 200));
    glow.setColorAt(0.6, QColor(255, 235, 120, 70));
    glow.setColorAt(1, QColor(255, 235, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(50, 42), 48, 48);
    p.setPen(QPen(QColor(240, 170, 20), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 9; ++i) {
        const double a = M_PI + i * M_PI / 8;
        p.drawLine(QPointF(50, 40) + QPointF(std::cos(a), std::sin(a)) * 38,
                   QPointF(50, 40) + QPointF(std::cos(a), std::sin(a)) * 46);
    }
    emoji(p, QString::fromUtf8("💡"), QPointF(50, 52), 78);
    return img;
}

QImage questionMark()
{
    QImage img = canvas(100, 100);
    QPainter p(&img);
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(QPointF(53, 54), 44, 44);
    QRadialGradient g(QPointF(38, 32), 70);
    g.setColorAt(0, QColor(120, 190, 255));
    g.setColorAt(0.6, QColor(30, 110, 210));
    g.setColorAt(1, QColor(10, 55, 130));
    p.setBrush(g);
    p.setPen(QPen(QColor(10, 40, 100), 1.5));
    p.drawEllipse(QPointF(50, 50), 44, 44);
    // Gloss.
    QLinearGradient gl(QPointF(0, 8), QPointF(0, 50));
    gl.setColorAt(0, QColor(255, 255, 255, 170));
    gl.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gl);
    p.drawEllipse(QRectF(20, 9, 60, 36));
    QFont f = serif(72, true);
    p.setFont(f);
    p.setPen(QColor(0, 30, 80, 120));
    p.drawText(QRectF(2, 3, 100, 100), Qt::AlignCenter, QStringLiteral("?"));
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 100, 100), Qt::AlignCenter, QStringLiteral("?"));
    return img;
}

QImage credits()
{
    QImage img = canvas(400, 400, Qt::white);
    QPainter p(&img);
    prepare(p);
    outdoor(p, QRectF(0, 0, 400, 400), 250);
    sun(p, QPointF(335, 62), 26);
    cloud(p, QPointF(90, 60), 90);
    cloud(p, QPointF(230, 40), 60);
    // Distant hills.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 175, 100));
    p.drawEllipse(QRectF(-80, 215, 300, 90));
    p.setBrush(QColor(100, 160, 90));
    p.drawEllipse(QRectF(180, 222, 320, 80));
    tree(p, QPointF(40, 265), 120);
    tree(p, QPointF(360, 262), 110);
    house(p, QRectF(110, 160, 190, 110), QColor(245, 225, 180), QColor(190, 70, 45));
    // Fence and path.
    p.setBrush(QColor(215, 190, 150));
    QPainterPath path;
    path.moveTo(190, 270);
    path.lineTo(220, 270);
    path.lineTo(260, 400);
    path.lineTo(150, 400);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QPen(QColor(250, 250, 245), 4));
    for (int x = 6; x < 400; x += 16) {
        if (x > 176 && x < 236) continue;
        p.drawLine(QPointF(x, 262), QPointF(x, 290));
    }
    p.drawLine(QPointF(0, 270), QPointF(180, 270));
    p.drawLine(QPointF(230, 270), QPointF(400, 270));
    p.drawLine(QPointF(0, 282), QPointF(180, 282));
    p.drawLine(QPointF(230, 282), QPointF(400, 282));
    // Flowers.
    for (int i = 0; i < 6; ++i) {
        emoji(p, QString::fromUtf8(i % 2 ? "🌷" : "🌼"), QPointF(18 + i * 22, 300 + (i % 2) * 6), 16);
        emoji(p, QString::fromUtf8(i % 2 ? "🌼" : "🌷"), QPointF(275 + i * 22, 302 + (i % 2) * 6), 16);
    }
    // The family.
    family(p, QPointF(200, 395), 175);
    emojiBottom(p, QString::fromUtf8("🐕"), QPointF(325, 388), 62, true);
    return img;
}

QImage openDoor()
{
    const int w = 55, h = 73;
    QImage img = canvas(w, h, QColor(209, 209, 209));
    QPainter p(&img);
    prepare(p);
    // Wall.
    p.fillRect(QRectF(0, 0, w, h), QColor(225, 205, 170));
    p.fillRect(QRectF(0, h - 6, w, 6), QColor(150, 110, 70));
    // Opening with the outside seen through it.
    const QRectF open(14, 6, 30, 61);
    outdoor(p, open, open.top() + open.height() * 0.62);
    sun(p, QPointF(open.left() + 22, open.top() + 12), 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 190, 140));
    QPainterPath path;
    path.moveTo(open.left() + 12, open.top() + open.height() * 0.62);
    path.lineTo(open.left() + 18, open.top() + open.height() * 0.62);
    path.lineTo(open.right(), open.bottom());
    path.lineTo(open.left() + 4, open.bottom());
    path.closeSubpath();
    p.drawPath(path);
    tree(p, QPointF(open.right() - 5, open.top() + open.height() * 0.64), 18);
    // Frame.
    p.setPen(QPen(QColor(95, 60, 30), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(open.adjusted(-1, -1, 1, 0));
    // The door leaf, swung inwards to the left (in perspective).
    QPainterPath leaf;
    leaf.moveTo(open.left(), open.top());
    leaf.lineTo(2, open.top() - 4);
    leaf.lineTo(2, open.bottom() + 4);
    leaf.lineTo(open.left(), open.bottom());
    leaf.closeSubpath();
    QLinearGradient lg(QPointF(2, 0), QPointF(open.left(), 0));
    lg.setColorAt(0, QColor(150, 90, 45));
    lg.setColorAt(1, QColor(105, 60, 28));
    p.setPen(QPen(QColor(70, 40, 15), 1));
    p.setBrush(lg);
    p.drawPath(leaf);
    // Panels on the leaf.
    p.setPen(QPen(QColor(80, 45, 20), 0.8));
    p.setBrush(Qt::NoBrush);
    QPolygonF panel1{QPointF(5, open.top() + 4), QPointF(open.left() - 3, open.top() + 6),
                     QPointF(open.left() - 3, open.top() + 26), QPointF(5, open.top() + 26)};
    QPolygonF panel2{QPointF(5, open.top() + 32), QPointF(open.left() - 3, open.top() + 32),
                     QPointF(open.left() - 3, open.bottom() - 6), QPointF(5, open.bottom() - 4)};
    p.drawPolygon(panel1);
    p.drawPolygon(panel2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QPointF(4.5, open.top() + 30), 1.6, 1.6);
    // Light falling in on the floor.
    p.setBrush(QColor(255, 250, 210, 120));
    QPainterPath light;
    light.moveTo(open.left(), h - 6);
    light.lineTo(open.right(), h - 6);
    light.lineTo(w, h);
    light.lineTo(open.left() - 4, h);
    light.closeSubpath();
    p.drawPath(light);
    return img;
}

QImage banknotesPhoto()
{
    const int w = 60, h = 45;
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    // A wooden table top, like a photograph.
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(150, 105, 65));
    g.setColorAt(1, QColor(110, 72, 40));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(95, 60, 32, 120), 0.7));
    for (int y = 3; y < h; y += 5)
        p.drawLine(QPointF(0, y), QPointF(w, y + 2));
    const int values[] = {5000, 10000, 20000};
    const double angles[] = {-24, -8, 9};
    for (int i = 0; i < 3; ++i) {
        const QImage n = note(values[i], 145, 65);
        p.save();
        p.translate(w * 0.52 + (i - 1) * 2.5, h * 0.55 + (1 - i) * 2.0);
        p.rotate(angles[i]);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRect(QRectF(-23.5, -9.5, 48, 22));
        p.drawImage(QRectF(-24, -11, 48, 21.5), n);
        p.restore();
    }
    // Two coins in front.
    p.drawImage(QRectF(4, 27, 16, 16), coin(200, 73, 73));
    p.drawImage(QRectF(44, 30, 14, 14), coin(100, 73, 73));
    return img;
}

// The tax office's logo with its short and its full name.
QImage taxOfficeLogo(const QString &acronym, const QString &fullName)
{
    const int w = 209, h = 233;
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    const QColor navy(20, 55, 120);
    QRectF card(1.5, 1.5, w - 3, h - 3);
    QLinearGradient bg(card.topLeft(), card.bottomLeft());
    bg.setColorAt(0, QColor(255, 255, 255));
    bg.setColorAt(1, QColor(226, 233, 244));
    p.setPen(QPen(navy, 3));
    p.setBrush(bg);
    p.drawRoundedRect(card, 12, 12);
    // Where paid money is counted.
    p.setPen(QColor(110, 120, 140));
    p.setFont(sans(11, true));
    p.drawText(QRectF(12, 30, 120, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Befizetve:"));
    p.setPen(QPen(QColor(180, 190, 210), 1, Qt::DashLine));
    p.drawLine(QPointF(12, 56), QPointF(w - 12, 56));
    // Classical building: pediment, columns, steps.
    const double cx = w / 2.0;
    QPainterPath ped;
    ped.moveTo(cx - 70, 92);
    ped.lineTo(cx, 66);
    ped.lineTo(cx + 70, 92);
    ped.closeSubpath();
    p.setPen(QPen(navy.darker(130), 1.2));
    p.setBrush(navy);
    p.drawPath(ped);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(cx, 82), 5, 5);
    p.setBrush(navy);
    p.drawRect(QRectF(cx - 66, 92, 132, 7));
    for (int i = 0; i < 6; ++i) {
        const double x = cx - 58 + i * 23.2;
        QLinearGradient cg(QPointF(x - 5, 0), QPointF(x + 5, 0));
        cg.setColorAt(0, navy.lighter(160));
        cg.setColorAt(0.5, navy.lighter(120));
        cg.setColorAt(1, navy.darker(120));
        p.setBrush(cg);
        p.drawRect(QRectF(x - 5, 100, 10, 38));
    }
    p.setBrush(navy);
    p.drawRect(QRectF(cx - 70, 138, 140, 5));
    p.drawRect(QRectF(cx - 76, 143, 152, 5));
    // Lettering.
    QFont big = serif(46, true);
    p.setFont(big);
    p.setPen(navy);
    p.drawText(QRectF(0, 150, w, 50), Qt::AlignCenter, acronym);
    fittedText(p, QRectF(10, 198, w - 20, 24), fullName, sans(11, true),
               Qt::AlignCenter | Qt::TextWordWrap, navy.darker(110));
    // Hungarian tricolour along the top.
    p.setPen(Qt::NoPen);
    const QColor tri[] = {QColor(205, 42, 62), QColor(255, 255, 255), QColor(67, 111, 77)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(tri[i]);
        p.drawRect(QRectF(20 + i * 56.3, 10, 56.3, 7));
    }
    p.setPen(QPen(QColor(150, 150, 150), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(20, 10, 169, 7));
    return img;
}

QImage wallet()
{
    const int w = 194, h = 113;
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    // Notes peeking out at the top.
    p.save();
    p.translate(22, 10);
    p.rotate(-7);
    p.drawImage(QRectF(0, 0, 118, 53), note(20000, 145, 65));
    p.restore();
    p.save();
    p.translate(62, 2);
    p.rotate(5);
    p.drawImage(QRectF(0, 0, 118, 53), note(10000, 145, 65));
    p.restore();
    // Leather body.
    const QRectF body(3, 36, w - 6, h - 39);
    QLinearGradient lg(body.topLeft(), body.bottomLeft());
    lg.setColorAt(0, QColor(120, 70, 38));
    lg.setColorAt(1, QColor(70, 38, 18));
    p.setPen(QPen(QColor(45, 22, 8), 1.5));
    p.setBrush(lg);
    p.drawRoundedRect(body, 10, 10);
    // Front pocket (where the balance is shown).
    const QRectF pocket(body.left() + 6, body.top() + 12, body.width() - 12, body.height() - 18);
    QLinearGradient pg(pocket.topLeft(), pocket.bottomLeft());
    pg.setColorAt(0, QColor(98, 55, 28));
    pg.setColorAt(1, QColor(60, 32, 14));
    p.setBrush(pg);
    p.setPen(QPen(QColor(40, 20, 8), 1));
    p.drawRoundedRect(pocket, 7, 7);
    // Stitching.
    p.setPen(QPen(QColor(230, 200, 140), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(3, 3, -3, -3), 8, 8);
    p.drawRoundedRect(pocket.adjusted(3, 3, -3, -3), 5, 5);
    // Snap button.
    QRadialGradient sg(QPointF(20, body.top() + 36), 7);
    sg.setColorAt(0, QColor(255, 240, 180));
    sg.setColorAt(1, QColor(170, 130, 40));
    p.setPen(QPen(QColor(90, 60, 10), 0.8));
    p.setBrush(sg);
    p.drawEllipse(QPointF(20, body.top() + 36), 6, 6);
    // Gloss.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 25));
    p.drawRoundedRect(QRectF(body.left() + 8, body.top() + 2, body.width() - 16, 10), 5, 5);
    return img;
}

QImage trophy()
{
    const int w = 234, h = 308;
    QImage img = canvas(w, h, Qt::white);
    QPainter p(&img);
    prepare(p);
    const double cx = w / 2.0;
    const QColor goldLight(255, 236, 140), gold(225, 175, 40), goldDark(150, 100, 10);
    auto goldGrad = [&](double x0, double x1) {
        QLinearGradient g(QPointF(x0, 0), QPointF(x1, 0));
        g.setColorAt(0, goldDark);
        g.setColorAt(0.3, goldLight);
        g.setColorAt(0.55, gold);
        g.setColorAt(1, goldDark);
        return g;
    };
    // Handles.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(goldDark, 13, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(cx - 108, 38, 64, 86), 60 * 16, 200 * 16);
    p.drawArc(QRectF(cx + 44, 38, 64, 86), -80 * 16, 200 * 16);
    p.setPen(QPen(gold, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(cx - 108, 38, 64, 86), 60 * 16, 200 * 16);
    p.drawArc(QRectF(cx + 44, 38, 64, 86), -80 * 16, 200 * 16);
    // Bowl.
    QPainterPath bowl;
    bowl.moveTo(cx - 78, 30);
    bowl.lineTo(cx + 78, 30);
    bowl.cubicTo(cx + 78, 110, cx + 50, 150, cx + 12, 160);
    bowl.lineTo(cx - 12, 160);
    bowl.cubicTo(cx - 50, 150, cx - 78, 110, cx - 78, 30);
    p.setPen(QPen(goldDark.darker(120), 1.5));
    p.setBrush(goldGrad(cx - 78, cx + 78));
    p.drawPath(bowl);
    // Rim.
    p.setBrush(goldGrad(cx - 82, cx + 82));
    p.drawEllipse(QRectF(cx - 82, 22, 164, 16));
    p.setBrush(goldDark);
    p.drawEllipse(QRectF(cx - 74, 25, 148, 10));
    // Star on the bowl.
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 ? 11 : 26;
        const QPointF pt(cx + std::cos(a) * r, 85 + std::sin(a) * r);
        if (i == 0) star.moveTo(pt); else star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(goldDark, 1.2));
    p.setBrush(goldLight);
    p.drawPath(star);
    // Stem and foot.
    p.setPen(QPen(goldDark.darker(120), 1.2));
    p.setBrush(goldGrad(cx - 12, cx + 12));
    p.drawRect(QRectF(cx - 11, 158, 22, 40));
    p.setBrush(goldGrad(cx - 22, cx + 22));
    p.drawEllipse(QRectF(cx - 22, 168, 44, 14));
    QPainterPath foot;
    foot.moveTo(cx - 12, 196);
    foot.lineTo(cx + 12, 196);
    foot.lineTo(cx + 48, 222);
    foot.lineTo(cx - 48, 222);
    foot.closeSubpath();
    p.setBrush(goldGrad(cx - 48, cx + 48));
    p.drawPath(foot);
    // Black base with the game's name.
    const QRectF base(cx - 78, 222, 156, 76);
    QLinearGradient bg(base.topLeft(), base.bottomLeft());
    bg.setColorAt(0, QColor(60, 60, 60));
    bg.setColorAt(0.1, QColor(20, 20, 20));
    bg.setColorAt(1, QColor(5, 5, 5));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(bg);
    p.drawRect(base);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(cx - 86, 292, 172, 12));
    QRectF plate = base.adjusted(12, 14, -12, -16);
    p.setPen(QPen(goldDark, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plate);
    fittedText(p, plate.adjusted(4, 2, -4, -2), QStringLiteral("ZOMIR"), serif(36, true), Qt::AlignCenter, gold);
    return img;
}

QImage banner()
{
    const int w = 697, h = 347;
    QImage img = canvas(w, h, Qt::white);
    QPainter p(&img);
    prepare(p);
    // Pyramids and the sphinx with an aeroplane above them, top middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 192, 112));
    p.drawPolygon(QPolygonF{QPointF(250, 98), QPointF(310, 22), QPointF(370, 98)});
    p.setBrush(QColor(205, 160, 85));
    p.drawPolygon(QPolygonF{QPointF(310, 22), QPointF(370, 98), QPointF(335, 98)});
    p.setBrush(QColor(225, 185, 105));
    p.drawPolygon(QPolygonF{QPointF(350, 98), QPointF(395, 42), QPointF(440, 98)});
    p.setBrush(QColor(200, 155, 80));
    p.drawPolygon(QPolygonF{QPointF(395, 42), QPointF(440, 98), QPointF(415, 98)});
    p.setBrush(QColor(215, 185, 130));
    p.drawRect(QRectF(215, 98, 250, 5));
    {
        // The sphinx lying in front, facing left.
        const QColor stone(205, 158, 88);
        p.setBrush(stone);
        p.setPen(QPen(stone.darker(140), 1));
        p.drawRoundedRect(QRectF(232, 80, 92, 19), 8, 8);     // body
        p.drawRoundedRect(QRectF(214, 92, 34, 7), 3, 3);      // front paws
        p.drawEllipse(QRectF(300, 74, 28, 18));               // haunch
        // Head-dress (blue and gold stripes) and face.
        QPolygonF nemes{QPointF(232, 60), QPointF(252, 56), QPointF(258, 86), QPointF(226, 86)};
        p.setBrush(QColor(50, 90, 170));
        p.drawPolygon(nemes);
        p.setPen(QPen(QColor(240, 200, 70), 1.6));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(229 + i * 0.5, 66 + i * 5.5), QPointF(255 - i * 0.2, 66 + i * 5.5));
        p.setPen(QPen(stone.darker(140), 1));
        p.setBrush(stone.lighter(110));
        p.drawEllipse(QRectF(234, 60, 16, 22));
        p.setPen(QPen(QColor(80, 50, 20), 1.2));
        p.drawPoint(QPointF(238, 68));
        p.drawLine(QPointF(238, 76), QPointF(242, 76));
    }
    p.setPen(Qt::NoPen);
    emoji(p, QString::fromUtf8("✈️"), QPointF(185, 36), 64);
    // Suitcase, left.
    emoji(p, QString::fromUtf8("🧳"), QPointF(80, 240), 140);
    // Globe, top right.
    emoji(p, QString::fromUtf8("🌍"), QPointF(625, 62), 100);
    // Family, right.
    family(p, QPointF(612, 345), 160);
    // House with a car, bottom middle; a small car beside.
    emojiBottom(p, QString::fromUtf8("🏡"), QPointF(285, 338), 105);
    emojiBottom(p, QString::fromUtf8("🚙"), QPointF(370, 336), 60, true);
    emojiBottom(p, QString::fromUtf8("🚗"), QPointF(470, 336), 58);
    // Ribbon behind the name.
    const QRectF rib(185, 105, 330, 110);
    const QColor rc(200, 30, 45);
    p.setBrush(rc.darker(140));
    p.drawPolygon(QPolygonF{QPointF(rib.left() - 55, rib.top() + 25), QPointF(rib.left() + 10, rib.top() + 25),
                            QPointF(rib.left() + 10, rib.bottom() + 14), QPointF(rib.left() - 55, rib.bottom() + 14),
                            QPointF(rib.left() - 35, rib.center().y() + 20)});
    p.drawPolygon(QPolygonF{QPointF(rib.right() + 55, rib.top() + 25), QPointF(rib.right() - 10, rib.top() + 25),
                            QPointF(rib.right() - 10, rib.bottom() + 14), QPointF(rib.right() + 55, rib.bottom() + 14),
                            QPointF(rib.right() + 35, rib.center().y() + 20)});
    QLinearGradient g(rib.topLeft(), rib.bottomLeft());
    g.setColorAt(0, rc.lighter(130));
    g.setColorAt(1, rc.darker(110));
    p.setBrush(g);
    p.drawRect(rib);
    p.setPen(QPen(QColor(255, 215, 80), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rib.adjusted(6, 6, -6, -6));
    // The name in large letters with an outline.
    QFont f = serif(88, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    QPainterPath text;
    const QString name = QStringLiteral("ZOMIR");
    QFontMetricsF fm(f);
    const double tw = fm.horizontalAdvance(name);
    text.addText(rib.center().x() - tw / 2 + 3, rib.center().y() + fm.ascent() * 0.38, f, name);
    p.setPen(QPen(QColor(90, 10, 15), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    QLinearGradient tg(QPointF(0, rib.top()), QPointF(0, rib.bottom()));
    tg.setColorAt(0, QColor(255, 250, 200));
    tg.setColorAt(1, QColor(250, 200, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(tg);
    p.drawPath(text);
    return img;
}

// ---------------------------------------------------------------- record navigator

enum class NavIcon { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

void navIcon(QPainter &p, NavIcon icon, const QRectF &r, bool enabled)
{
    auto col = [&](const QColor &c) { return enabled ? c : QColor(128, 128, 128); };
    const QColor blue = col(QColor(0, 0, 160));
    p.save();
    p.setPen(Qt::NoPen);
    const double cx = r.center().x(), cy = r.center().y(), s = r.height() * 0.27;
    auto tri = [&](double x, bool right) {
        p.setBrush(blue);
        if (right)
            p.drawPolygon(QPolygonF{QPointF(x - s * 0.6, cy - s), QPointF(x + s * 0.6, cy), QPointF(x - s * 0.6, cy + s)});
        else
            p.drawPolygon(QPolygonF{QPointF(x + s * 0.6, cy - s), QPointF(x - s * 0.6, cy), QPointF(x + s * 0.6, cy + s)});
    };
    switch (icon) {
    case NavIcon::First:
        p.fillRect(QRectF(cx - s * 1.05, cy - s, 2, s * 2), blue);
        tri(cx + s * 0.15, false);
        break;
    case NavIcon::Prior: tri(cx, false); break;
    case NavIcon::Next: tri(cx, true); break;
    case NavIcon::Last:
        tri(cx - s * 0.15, true);
        p.fillRect(QRectF(cx + s * 1.05 - 2, cy - s, 2, s * 2), blue);
        break;
    case NavIcon::Insert:
        p.setBrush(col(QColor(0, 130, 0)));
        p.drawRect(QRectF(cx - s, cy - s * 0.28, s * 2, s * 0.56));
        p.drawRect(QRectF(cx - s * 0.28, cy - s, s * 0.56, s * 2));
        break;
    case NavIcon::Delete:
        p.setBrush(col(QColor(190, 0, 0)));
        p.drawRect(QRectF(cx - s, cy - s * 0.28, s * 2, s * 0.56));
        break;
    case NavIcon::Edit: {
        p.translate(cx, cy);
        p.rotate(-45);
        p.setBrush(col(QColor(230, 170, 30)));
        p.drawRect(QRectF(-s * 0.8, -s * 0.25, s * 1.4, s * 0.5));
        p.setBrush(col(QColor(60, 60, 60)));
        p.drawPolygon(QPolygonF{QPointF(-s * 0.8, -s * 0.25), QPointF(-s * 1.2, 0), QPointF(-s * 0.8, s * 0.25)});
        p.setBrush(col(QColor(220, 110, 110)));
        p.drawRect(QRectF(s * 0.6, -s * 0.25, s * 0.35, s * 0.5));
        break;
    }
    case NavIcon::Post: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(col(QColor(0, 140, 0)), s * 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path;
        path.moveTo(cx - s, cy);
        path.lineTo(cx - s * 0.25, cy + s * 0.8);
        path.lineTo(cx + s, cy - s * 0.8);
        p.drawPath(path);
        break;
    }
    case NavIcon::Cancel:
        p.setPen(QPen(col(QColor(200, 0, 0)), s * 0.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx - s * 0.8, cy - s * 0.8), QPointF(cx + s * 0.8, cy + s * 0.8));
        p.drawLine(QPointF(cx + s * 0.8, cy - s * 0.8), QPointF(cx - s * 0.8, cy + s * 0.8));
        break;
    case NavIcon::Refresh: {
        const QColor c = col(QColor(0, 110, 170));
        p.setPen(QPen(c, s * 0.4, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(cx - s, cy - s, s * 2, s * 2), 60 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const QPointF tip(cx + s * std::cos(M_PI / 3), cy - s * std::sin(M_PI / 3));
        p.drawPolygon(QPolygonF{tip + QPointF(-s * 0.1, -s * 0.55), tip + QPointF(s * 0.65, s * 0.1),
                                tip + QPointF(-s * 0.3, s * 0.45)});
        break;
    }
    }
    p.restore();
}

QImage navGlyph(NavIcon icon, const QString &text)
{
    QImage img = canvas(150, 25);
    QPainter p(&img);
    prepare(p);
    for (int half = 0; half < 2; ++half) {
        const bool enabled = half == 0;
        const double x0 = half * 75;
        navIcon(p, icon, QRectF(x0 + 1, 0, 16, 25), enabled);
        const QRectF tr(x0 + 17, 0, 57, 25);
        QFont f = sans(11);
        if (!enabled)
            fittedText(p, tr.translated(1, 1), text, f, Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
        fittedText(p, tr, text, f, Qt::AlignLeft | Qt::AlignVCenter,
                   enabled ? QColor(0, 0, 0) : QColor(128, 128, 128));
    }
    return img;
}

// ---------------------------------------------------------------- program icons

// The program icons are drawn on a 64 x 64 grid; larger or smaller icons scale the grid.
void paintGameIcon(QPainter &p)
{
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(80, 170, 240));
    g.setColorAt(1, QColor(20, 90, 170));
    p.setPen(QPen(QColor(10, 50, 110), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 1.5, 61, 61), 12, 12);
    house(p, QRectF(12, 26, 30, 22), QColor(250, 235, 200), QColor(200, 60, 40));
    p.drawImage(QRectF(34, 32, 28, 28), coin(200, 73, 73));
    QFont f = sans(13, true);
    fittedText(p, QRectF(4, 3, 56, 14), QStringLiteral("ZOMIR"), f, Qt::AlignCenter, Qt::white);
}

void paintMaintenanceIcon(QPainter &p)
{
    // A database drum.
    const QRectF drum(8, 10, 40, 44);
    QLinearGradient g(drum.topLeft(), drum.topRight());
    g.setColorAt(0, QColor(70, 110, 170));
    g.setColorAt(0.4, QColor(150, 190, 240));
    g.setColorAt(1, QColor(40, 70, 130));
    p.setPen(QPen(QColor(20, 40, 90), 1.2));
    p.setBrush(g);
    p.drawRect(QRectF(drum.left(), drum.top() + 6, drum.width(), drum.height() - 12));
    p.drawEllipse(QRectF(drum.left(), drum.bottom() - 12, drum.width(), 12));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(drum.left() + 0.6, drum.bottom() - 14, drum.width() - 1.2, 8));
    p.setPen(QPen(QColor(20, 40, 90), 1.2));
    p.setBrush(QColor(170, 205, 245));
    p.drawEllipse(QRectF(drum.left(), drum.top(), drum.width(), 12));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(drum.left(), drum.top() + 12, drum.width(), 12), 180 * 16, 180 * 16);
    p.drawArc(QRectF(drum.left(), drum.top() + 24, drum.width(), 12), 180 * 16, 180 * 16);
    // A spanner across it.
    emoji(p, QString::fromUtf8("🔧"), QPointF(44, 42), 36);
}

QImage drawnIcon(void (*paint)(QPainter &), int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    p.scale(size / 64.0, size / 64.0);
    paint(p);
    return img;
}

QImage gameIcon() { return drawnIcon(paintGameIcon, 64); }
QImage maintenanceIcon() { return drawnIcon(paintMaintenanceIcon, 64); }

using Maker = std::function<QImage()>;

const std::vector<std::pair<QString, Maker>> &catalogue()
{
    static const std::vector<std::pair<QString, Maker>> list = [] {
        std::vector<std::pair<QString, Maker>> l;
        l.push_back({"kezd", banknotesPhoto});
        l.push_back({"kilep", openDoor});
        l.push_back({"vege", credits});
        l.push_back({"villanykorte", lightBulb});
        l.push_back({"kerdojel", questionMark});
        l.push_back({"felkialtojel", exclamation});
        for (int v : {5, 10, 20, 50, 100, 200})
            l.push_back({QStringLiteral("ft%1").arg(v), [v] { return coin(v, v == 20 ? 66 : 73, 73); }});
        for (int v : {500, 1000, 2000, 5000, 10000, 20000})
            l.push_back({QStringLiteral("ft%1").arg(v), [v] { return note(v, v == 1000 ? 146 : 145, 65); }});
        l.push_back({"apeh", [] {
                         return taxOfficeLogo(QStringLiteral("APEH"),
                                              QStringLiteral("Adó- és Pénzügyi Ellenőrzési Hivatal"));
                     }});
        l.push_back({"nav_logo",
                     [] { return taxOfficeLogo(QStringLiteral("NAV"), QStringLiteral("Nemzeti Adó- és Vámhivatal")); }});
        l.push_back({"penztarca", wallet});
        l.push_back({"piros_x", [] { return redX(20); }});
        l.push_back({"szamologep", [] { return calculator(26, 40); }});
        l.push_back({"pipa", [] { return checkMark(18); }});
        l.push_back({"kupa", trophy});
        l.push_back({"szalag", banner});
        const std::pair<const char *, const char *> nav[] = {
            {"nav_elso", "Első"},           {"nav_elozo", "Előző"},  {"nav_kovetkezo", "Következő"},
            {"nav_utolso", "Utolsó"},       {"nav_beszur", "Beszúrás"}, {"nav_torol", "Törlés"},
            {"nav_szerkeszt", "Szerkesztés"}, {"nav_ment", "Alkalmaz"}, {"nav_megse", "Mégsem"},
            {"nav_frissit", "Frissítés"}};
        for (int i = 0; i < 10; ++i) {
            const QString text = QString::fromUtf8(nav[i].second);
            const NavIcon icon = NavIcon(i);
            l.push_back({QString::fromLatin1(nav[i].first), [icon, text] { return navGlyph(icon, text); }});
        }
        l.push_back({"zomir", gameIcon});
        l.push_back({"karbantartas", maintenanceIcon});
        return l;
    }();
    return list;
}

}  // namespace

QImage screenPicture(const QString &name, qreal ratio)
{
    const draw::Scale scale(ratio);
    for (const auto &entry : catalogue())
        if (entry.first == name)
            return entry.second().convertToFormat(QImage::Format_ARGB32);
    return QImage();
}

QImage programIcon(const QString &program, int size)
{
    if (size <= 0)
        return QImage();
    if (program == QLatin1String("zomir"))
        return drawnIcon(paintGameIcon, size).convertToFormat(QImage::Format_ARGB32);
    if (program == QLatin1String("karbantartas"))
        return drawnIcon(paintMaintenanceIcon, size).convertToFormat(QImage::Format_ARGB32);
    return QImage();
}

QStringList screenPictureNames()
{
    // The lines of screenpictures.txt, which the build reads as well (see CMakeLists.txt).
    return QString::fromLatin1(ZOMIR_SCREEN_PICTURE_NAMES).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace zpict
