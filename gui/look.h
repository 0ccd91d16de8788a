#pragma once
// The look kit of the game's screens and pictures: the two faces the game writes in and
// the fitting of a text into a box. The screens, the career screens and the picture
// drawings all take their fonts from here.

#include <QFont>
#include <QSizeF>
#include <QString>

#include <functional>

class QIcon;
class QPainter;
class QPixmap;
class QSize;
class QTextDocument;

namespace look {

// The sans-serif face (Arial, or its metric twin where Arial is not installed), by pixel
// size, as the screens give their label sizes.
QFont sans(qreal pixelSize, bool bold = false, bool italic = false);
// The serif face (Times New Roman, or its twin), by pixel size.
QFont serif(qreal pixelSize, bool bold = false, bool italic = false);
// The faces of the drawn pictures (DejaVu, whose even strokes keep their look when a
// picture is scaled), falling back to the screen faces.
QFont drawingSans(qreal pixelSize, bool bold = false, bool italic = false);
QFont drawingSerif(qreal pixelSize, bool bold = false, bool italic = false);
// The same faces by point size, for texts the screens size in points.
QFont sansPoints(int points, bool bold = false, bool italic = false);
QFont serifPoints(int points, bool bold = false, bool italic = false);

// `font` made smaller, if need be, until `text` laid out with the Qt::TextFlag and
// alignment `flags` fits `box` (one line, or wrapped with Qt::TextWordWrap); never below
// `minimumPixels`.
QFont fitted(QFont font, const QString &text, const QSizeF &box, int flags, qreal minimumPixels = 7);

// A picture of the resources (":/pict/kezd.png") for the screens: on a screen scaled above
// 100 % the drawing made at twice the pixels ("kezd@2x.png", device pixel ratio 2) where
// there is one, so that it stays sharp; else the picture itself.
QPixmap picture(const QString &path);
// The same fitted into `size` (device-independent pixels), keeping its proportions.
QPixmap picture(const QString &path, const QSize &size);

// An icon drawn by `paint` in a w x h box, at 1x and at 2x (so sharp on a scaled screen).
QIcon drawnIcon(int w, int h, const std::function<void(QPainter &)> &paint);

// The reading size of the long texts (the help, the career sheet) for the rest of the
// session, changed with Ctrl+plus and Ctrl+minus: step 0 is the size as written, each step
// up a quarter larger, each step down a quarter smaller (steps -2 to 4).
int readingStep();
void setReadingStep(int step);
qreal readingScale();
// Every font of `document` (its default font and each run's size) made `factor` times as large.
void scaleDocument(QTextDocument *document, qreal factor);

}  // namespace look
