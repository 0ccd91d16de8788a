#pragma once
// A drawing surface for the composed scenes (professions, catalogue rows): positions are
// given as fractions of the picture's width and height, sizes as fractions of its
// smaller side, so one recipe serves every picture size.

#include "data/pictures/painting.h"

#include <algorithm>

namespace zpict {

struct Scene {
    QPainter &p;
    double w, h, m;
    Scene(QPainter &painter, double width, double height)
        : p(painter), w(width), h(height), m(std::min(width, height)) {}

    double X(double f) const { return w * f; }
    double Y(double f) const { return h * f; }
    double S(double f) const { return m * f; }
    QRectF R(double fx, double fy, double fw, double fh) const { return QRectF(w * fx, h * fy, w * fw, h * fh); }
    QRectF all() const { return QRectF(0, 0, w, h); }

    // Emoji centred on (fx, fy), or standing on it (B).
    void E(const char *e, double fx, double fy, double fs, bool mirror = false)
    {
        draw::emoji(p, QString::fromUtf8(e), QPointF(X(fx), Y(fy)), S(fs), mirror);
    }
    void B(const char *e, double fx, double fy, double fs, bool mirror = false)
    {
        draw::emojiBottom(p, QString::fromUtf8(e), QPointF(X(fx), Y(fy)), S(fs), mirror);
    }
    void room(double floorF, const QColor &wall, const QColor &floor) { draw::room(p, all(), Y(floorF), wall, floor); }
    void outdoor(double horizonF, const QColor &ground = QColor(110, 170, 80)) { draw::outdoor(p, all(), Y(horizonF), ground); }
    void rect(double fx, double fy, double fw, double fh, const QColor &c)
    {
        p.fillRect(R(fx, fy, fw, fh), c);
    }
    void text(double fx, double fy, double fw, double fh, const QString &t, const QFont &f, const QColor &c,
              int flags = Qt::AlignCenter)
    {
        draw::fittedText(p, R(fx, fy, fw, fh), t, f, flags, c);
    }
};

}  // namespace zpict
