#pragma once
// Drawing helpers shared by the picture units: emoji figures, backgrounds, lettering.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace zpict::draw {

// A new image of the given size filled with a colour (transparent by default). Under a
// Scale of 2 it holds twice as many pixels each way (device pixel ratio 2), and a painter
// on it still draws in the given size's pixels.
QImage canvas(int w, int h, const QColor &fill = Qt::transparent);

// While one lives, every canvas is made at `ratio` device pixels a pixel.
class Scale {
public:
    explicit Scale(qreal ratio);
    ~Scale();
    Scale(const Scale &) = delete;
    Scale &operator=(const Scale &) = delete;

private:
    qreal m_previous;
};

// Starts a painter with antialiasing and smooth scaling on.
void prepare(QPainter &p);

// Fonts by pixel size.
QFont sans(qreal px, bool bold = false, bool italic = false);
QFont serif(qreal px, bool bold = false, bool italic = false);

// An emoji as a tightly cropped image (transparent around it), rendered once and cached.
QImage emojiImage(const QString &emoji);

// Draws an emoji so that its visible extent is `size` pixels in its larger dimension.
// The *Bottom variant stands it on `bottomCentre`, the other centres it on `centre`.
void emoji(QPainter &p, const QString &e, QPointF centre, qreal size, bool mirror = false);
void emojiBottom(QPainter &p, const QString &e, QPointF bottomCentre, qreal size, bool mirror = false);

// Backgrounds.
void sky(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom);
void outdoor(QPainter &p, const QRectF &r, qreal horizon, const QColor &ground = QColor(110, 170, 80));
void room(QPainter &p, const QRectF &r, qreal floorY, const QColor &wall, const QColor &floor);
void window(QPainter &p, const QRectF &r);                 // a framed window with sky
void table(QPainter &p, const QRectF &top, const QColor &c); // table top with a front edge
void road(QPainter &p, const QRectF &r);                   // asphalt strip with dashes
void cloud(QPainter &p, QPointF c, qreal s);
void sun(QPainter &p, QPointF c, qreal radius);
void tree(QPainter &p, QPointF base, qreal height);
void shelfOfBooks(QPainter &p, const QRectF &r, int rows, int seed);
void monitor(QPainter &p, const QRectF &screen, const QColor &screenColour = QColor(30, 40, 60));
void codeLines(QPainter &p, const QRectF &r, int seed);
void house(QPainter &p, const QRectF &body, const QColor &wall, const QColor &roof); // gabled house
// A family of four (faces), standing on bottomCentre, about `height` tall.
void family(QPainter &p, QPointF bottomCentre, qreal height);
void frame(QPainter &p, const QRectF &r, const QColor &c = QColor(60, 60, 60)); // thin border

// Text fitted (shrunk if needed) into a rectangle.
void fittedText(QPainter &p, const QRectF &r, const QString &text, QFont font, int flags,
                const QColor &colour);

// A deterministic pseudo-random number generator for textures.
struct Rng {
    quint32 s;
    explicit Rng(quint32 seed) : s(seed * 2654435761u + 12345u) {}
    quint32 next() { s ^= s << 13; s ^= s >> 17; s ^= s << 5; return s; }
    double unit() { return (next() % 100000) / 100000.0; }
    int range(int lo, int hi) { return lo + int(next() % quint32(hi - lo + 1)); }
};

QColor mix(const QColor &a, const QColor &b, double t);

}  // namespace zpict::draw
