#include "data/pictures/painting.h"

#include "gui/look.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace zpict::draw {

namespace {
qreal g_ratio = 1.0;
}  // namespace

Scale::Scale(qreal ratio) : m_previous(g_ratio) { g_ratio = ratio; }

Scale::~Scale() { g_ratio = m_previous; }

QImage canvas(int w, int h, const QColor &fill)
{
    QImage img(qRound(w * g_ratio), qRound(h * g_ratio), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(g_ratio);
    img.fill(fill);
    return img;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

// The drawings' faces (look.h), drawn smooth: pictures are scaled, so no hinting.
static QFont forPictures(QFont f)
{
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont sans(qreal px, bool bold, bool italic) { return forPictures(look::drawingSans(px, bold, italic)); }
QFont serif(qreal px, bool bold, bool italic) { return forPictures(look::drawingSerif(px, bold, italic)); }

QImage emojiImage(const QString &emoji)
{
    static QHash<QString, QImage> cache;
    auto it = cache.constFind(emoji);
    if (it != cache.constEnd())
        return *it;

    const int px = 109;  // the emoji font's own bitmap size, so no resampling happens here
    QImage big(px * 3, px * 2, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        prepare(p);
        QFont f(QStringLiteral("Noto Color Emoji"));
        f.setPixelSize(px);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, big.width(), big.height()), Qt::AlignCenter, emoji);
    }
    // Crop to the painted pixels.
    int l = big.width(), t = big.height(), r = -1, b = -1;
    for (int y = 0; y < big.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(big.constScanLine(y));
        for (int x = 0; x < big.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                l = std::min(l, x); r = std::max(r, x);
                t = std::min(t, y); b = std::max(b, y);
            }
        }
    }
    QImage out = r < 0 ? QImage(1, 1, QImage::Format_ARGB32_Premultiplied) : big.copy(l, t, r - l + 1, b - t + 1);
    if (r < 0)
        out.fill(Qt::transparent);
    cache.insert(emoji, out);
    return out;
}

static QRectF emojiRect(const QImage &img, qreal size)
{
    const qreal k = size / std::max(img.width(), img.height());
    return QRectF(0, 0, img.width() * k, img.height() * k);
}

static void drawEmojiAt(QPainter &p, const QImage &img, QRectF target, bool mirror)
{
    if (mirror) {
        p.save();
        p.translate(target.center().x(), 0);
        p.scale(-1, 1);
        p.translate(-target.center().x(), 0);
        p.drawImage(target, img);
        p.restore();
    } else {
        p.drawImage(target, img);
    }
}

void emoji(QPainter &p, const QString &e, QPointF centre, qreal size, bool mirror)
{
    const QImage img = emojiImage(e);
    QRectF r = emojiRect(img, size);
    r.moveCenter(centre);
    drawEmojiAt(p, img, r, mirror);
}

void emojiBottom(QPainter &p, const QString &e, QPointF bottomCentre, qreal size, bool mirror)
{
    const QImage img = emojiImage(e);
    QRectF r = emojiRect(img, size);
    r.moveBottom(bottomCentre.y());
    r.moveLeft(bottomCentre.x() - r.width() / 2);
    drawEmojiAt(p, img, r, mirror);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void sky(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void outdoor(QPainter &p, const QRectF &r, qreal horizon, const QColor &ground)
{
    sky(p, QRectF(r.left(), r.top(), r.width(), horizon - r.top() + 1), QColor(90, 160, 230), QColor(200, 230, 250));
    QLinearGradient g(QPointF(0, horizon), QPointF(0, r.bottom()));
    g.setColorAt(0, ground.lighter(115));
    g.setColorAt(1, ground.darker(120));
    p.fillRect(QRectF(r.left(), horizon, r.width(), r.bottom() - horizon), g);
}

void room(QPainter &p, const QRectF &r, qreal floorY, const QColor &wall, const QColor &floor)
{
    QLinearGradient gw(r.topLeft(), QPointF(r.left(), floorY));
    gw.setColorAt(0, wall.lighter(108));
    gw.setColorAt(1, wall.darker(108));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), floorY - r.top()), gw);
    QLinearGradient gf(QPointF(r.left(), floorY), r.bottomLeft());
    gf.setColorAt(0, floor.darker(110));
    gf.setColorAt(1, floor.lighter(110));
    p.fillRect(QRectF(r.left(), floorY, r.width(), r.bottom() - floorY), gf);
    p.setPen(QPen(floor.darker(140), std::max<qreal>(1, r.height() / 120)));
    p.drawLine(QPointF(r.left(), floorY), QPointF(r.right(), floorY));
}

void window(QPainter &p, const QRectF &r)
{
    p.save();
    sky(p, r, QColor(110, 175, 235), QColor(215, 235, 250));
    cloud(p, QPointF(r.left() + r.width() * 0.35, r.top() + r.height() * 0.35), r.width() * 0.3);
    const qreal fw = std::max<qreal>(2, r.width() / 16);
    p.setPen(QPen(QColor(245, 245, 240), fw));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.setPen(QPen(QColor(150, 150, 140), 1));
    p.drawRect(r.adjusted(-fw / 2, -fw / 2, fw / 2, fw / 2));
    p.restore();
}

void table(QPainter &p, const QRectF &top, const QColor &c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(top);
    const qreal edge = std::max<qreal>(2, top.height() * 0.25);
    p.setBrush(c.darker(130));
    p.drawRect(QRectF(top.left(), top.bottom(), top.width(), edge));
    p.restore();
}

void road(QPainter &p, const QRectF &r)
{
    p.save();
    p.fillRect(r, QColor(85, 88, 92));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), std::max<qreal>(1, r.height() * 0.06)), QColor(170, 170, 160));
    const qreal y = r.center().y();
    const qreal dash = std::max<qreal>(6, r.width() / 10);
    p.setPen(QPen(QColor(245, 245, 235), std::max<qreal>(1.5, r.height() * 0.07)));
    for (qreal x = r.left() + dash / 3; x < r.right(); x += dash * 1.8)
        p.drawLine(QPointF(x, y), QPointF(x + dash, y));
    p.restore();
}

void cloud(QPainter &p, QPointF c, qreal s)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(c.x() - s * 0.3, c.y() + s * 0.05), s * 0.28, s * 0.2);
    p.drawEllipse(QPointF(c.x(), c.y() - s * 0.08), s * 0.3, s * 0.26);
    p.drawEllipse(QPointF(c.x() + s * 0.32, c.y() + s * 0.05), s * 0.26, s * 0.18);
    p.drawRoundedRect(QRectF(c.x() - s * 0.55, c.y(), s * 1.1, s * 0.22), s * 0.1, s * 0.1);
    p.restore();
}

void sun(QPainter &p, QPointF c, qreal radius)
{
    p.save();
    QRadialGradient g(c, radius * 1.8);
    g.setColorAt(0, QColor(255, 250, 200, 255));
    g.setColorAt(0.5, QColor(255, 230, 90, 255));
    g.setColorAt(0.56, QColor(255, 230, 90, 90));
    g.setColorAt(1, QColor(255, 230, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, radius * 1.8, radius * 1.8);
    p.restore();
}

void tree(QPainter &p, QPointF base, qreal h)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 75, 45));
    p.drawRect(QRectF(base.x() - h * 0.05, base.y() - h * 0.4, h * 0.1, h * 0.4));
    QRadialGradient g(QPointF(base.x() - h * 0.1, base.y() - h * 0.75), h * 0.45);
    g.setColorAt(0, QColor(120, 190, 80));
    g.setColorAt(1, QColor(40, 110, 40));
    p.setBrush(g);
    p.drawEllipse(QPointF(base.x(), base.y() - h * 0.65), h * 0.3, h * 0.33);
    p.drawEllipse(QPointF(base.x() - h * 0.17, base.y() - h * 0.5), h * 0.2, h * 0.18);
    p.drawEllipse(QPointF(base.x() + h * 0.17, base.y() - h * 0.52), h * 0.2, h * 0.18);
    p.restore();
}

void shelfOfBooks(QPainter &p, const QRectF &r, int rows, int seed)
{
    p.save();
    Rng rng(seed);
    p.fillRect(r, QColor(120, 80, 45));
    const qreal rowH = r.height() / rows;
    const QColor colours[] = {QColor(170, 40, 40), QColor(40, 80, 150), QColor(40, 120, 60), QColor(200, 160, 40),
                              QColor(110, 50, 120), QColor(30, 30, 30), QColor(200, 90, 30), QColor(60, 130, 140)};
    for (int i = 0; i < rows; ++i) {
        const qreal top = r.top() + i * rowH;
        const qreal board = std::max<qreal>(1.5, rowH * 0.12);
        p.fillRect(QRectF(r.left(), top, r.width(), rowH - board), QColor(70, 45, 25));
        qreal x = r.left() + 1;
        while (x < r.right() - 2) {
            const qreal w = std::max<qreal>(2, rowH * (0.12 + 0.1 * rng.unit()));
            const qreal h = (rowH - board) * (0.7 + 0.28 * rng.unit());
            const QColor c = colours[rng.next() % 8];
            const qreal bw = std::min(w, r.right() - 1 - x);
            p.fillRect(QRectF(x, top + rowH - board - h, bw, h), c);
            p.fillRect(QRectF(x, top + rowH - board - h * 0.8, bw, std::max<qreal>(1, h * 0.06)), c.lighter(150));
            x += w + 0.6;
        }
        p.fillRect(QRectF(r.left(), top + rowH - board, r.width(), board), QColor(150, 105, 60));
    }
    p.restore();
}

void monitor(QPainter &p, const QRectF &s, const QColor &screenColour)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 45));
    const qreal b = std::max<qreal>(2, s.width() * 0.05);
    p.drawRoundedRect(s.adjusted(-b, -b, b, b), b, b);
    p.drawRect(QRectF(s.center().x() - s.width() * 0.06, s.bottom() + b, s.width() * 0.12, s.height() * 0.15));
    p.drawRoundedRect(QRectF(s.center().x() - s.width() * 0.25, s.bottom() + b + s.height() * 0.15, s.width() * 0.5,
                             std::max<qreal>(2, s.height() * 0.06)), 2, 2);
    p.setBrush(screenColour);
    p.drawRect(s);
    p.restore();
}

void codeLines(QPainter &p, const QRectF &r, int seed)
{
    p.save();
    Rng rng(seed);
    const QColor colours[] = {QColor(120, 200, 255), QColor(250, 200, 90), QColor(160, 230, 130), QColor(230, 120, 200),
                              QColor(220, 220, 220)};
    const qreal lh = std::max<qreal>(2.5, r.height() / 9);
    int indent = 0;
    for (qreal y = r.top() + lh * 0.5; y < r.bottom() - lh * 0.4; y += lh) {
        qreal x = r.left() + r.width() * 0.05 + indent * r.width() * 0.08;
        const int words = rng.range(1, 4);
        for (int w = 0; w < words && x < r.right() - 3; ++w) {
            const qreal len = std::min(r.width() * (0.08 + 0.2 * rng.unit()), r.right() - 2 - x);
            p.fillRect(QRectF(x, y, len, std::max<qreal>(1, lh * 0.45)), colours[rng.next() % 5]);
            x += len + r.width() * 0.04;
        }
        indent = std::clamp(indent + rng.range(-1, 1), 0, 3);
    }
    p.restore();
}

void frame(QPainter &p, const QRectF &r, const QColor &c)
{
    p.save();
    p.setPen(QPen(c, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void fittedText(QPainter &p, const QRectF &r, const QString &text, QFont font, int flags, const QColor &colour)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(12);
    font = look::fitted(font, text, r.size(), flags, 5);
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

void house(QPainter &p, const QRectF &body, const QColor &wall, const QColor &roof)
{
    p.save();
    // Roof.
    QPainterPath rp;
    rp.moveTo(body.left() - body.width() * 0.08, body.top());
    rp.lineTo(body.center().x(), body.top() - body.height() * 0.7);
    rp.lineTo(body.right() + body.width() * 0.08, body.top());
    rp.closeSubpath();
    // Chimney.
    p.setPen(QPen(roof.darker(160), 1));
    p.setBrush(QColor(150, 70, 50));
    p.drawRect(QRectF(body.right() - body.width() * 0.25, body.top() - body.height() * 0.62, body.width() * 0.1,
                      body.height() * 0.4));
    QLinearGradient rg(rp.boundingRect().topLeft(), rp.boundingRect().bottomLeft());
    rg.setColorAt(0, roof.lighter(115));
    rg.setColorAt(1, roof.darker(115));
    p.setBrush(rg);
    p.drawPath(rp);
    // Tiles.
    p.setPen(QPen(roof.darker(140), 0.8));
    for (int i = 1; i < 5; ++i) {
        const double t = i / 5.0;
        const double y = body.top() - body.height() * 0.7 * (1 - t);
        const double half = (body.width() * 0.58) * t;
        p.drawLine(QPointF(body.center().x() - half, y), QPointF(body.center().x() + half, y));
    }
    // Wall.
    p.setPen(QPen(wall.darker(150), 1));
    p.setBrush(wall);
    p.drawRect(body);
    // Door.
    const QRectF door(body.center().x() - body.width() * 0.09, body.bottom() - body.height() * 0.55,
                      body.width() * 0.18, body.height() * 0.55);
    p.setBrush(QColor(120, 70, 35));
    p.drawRect(door);
    p.setBrush(QColor(230, 200, 80));
    p.drawEllipse(QPointF(door.right() - door.width() * 0.2, door.center().y()), 1.5, 1.5);
    // Windows.
    for (int side = -1; side <= 1; side += 2) {
        const QRectF wr(body.center().x() + side * body.width() * 0.3 - body.width() * 0.1,
                        body.top() + body.height() * 0.22, body.width() * 0.2, body.height() * 0.3);
        window(p, wr);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 120, 60));
        p.drawRect(QRectF(wr.left() - 2, wr.bottom() + 1, wr.width() + 4, body.height() * 0.06));
    }
    p.restore();
}

static void torso(QPainter &p, qreal x, qreal top, qreal bottom, qreal width, const QColor &shirt)
{
    p.save();
    QPainterPath body;
    const qreal r = width * 0.3;
    body.moveTo(x - width / 2, bottom);
    body.lineTo(x - width / 2, top + r);
    body.quadTo(x - width / 2, top, x - width / 2 + r, top);
    body.lineTo(x + width / 2 - r, top);
    body.quadTo(x + width / 2, top, x + width / 2, top + r);
    body.lineTo(x + width / 2, bottom);
    body.closeSubpath();
    QLinearGradient g(QPointF(x - width / 2, 0), QPointF(x + width / 2, 0));
    g.setColorAt(0, shirt.lighter(115));
    g.setColorAt(1, shirt.darker(125));
    p.setPen(QPen(shirt.darker(160), std::max<qreal>(0.8, width / 60)));
    p.setBrush(g);
    p.drawPath(body);
    // Collar.
    p.setBrush(shirt.lighter(140));
    p.drawPolygon(QPolygonF{QPointF(x - width * 0.16, top), QPointF(x, top + width * 0.2), QPointF(x + width * 0.16, top)});
    p.restore();
}

void family(QPainter &p, QPointF bottomCentre, qreal height)
{
    // Parents behind, the two children in front and lower, cut at the bottom edge like a
    // photograph taken close up.
    const qreal bottom = bottomCentre.y(), cx = bottomCentre.x();
    const qreal adult = height * 0.4, child = height * 0.3;
    struct Member { const char *face; qreal dx, headBottom, size; QColor shirt; };
    const Member members[] = {
        {"\U0001F468", -0.22, 0.5, adult, QColor(50, 100, 190)},
        {"\U0001F469", 0.22, 0.52, adult, QColor(210, 60, 90)},
        {"\U0001F467", -0.18, 0.2, child, QColor(250, 200, 40)},
        {"\U0001F466", 0.2, 0.18, child, QColor(60, 170, 90)},
    };
    for (const Member &m : members) {
        const qreal x = cx + m.dx * height;
        const qreal headBottom = bottom - m.headBottom * height;
        torso(p, x, headBottom - m.size * 0.08, bottom, m.size * 1.25, m.shirt);
        emojiBottom(p, QString::fromUtf8(m.face), QPointF(x, headBottom), m.size);
    }
}

}  // namespace zpict::draw
