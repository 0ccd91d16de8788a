#pragma once
// Every picture of the game, drawn by code.
//
// The drawings need a QGuiApplication (the offscreen platform is enough) because they use
// fonts: DejaVu Sans / DejaVu Serif for lettering and Noto Color Emoji for the figures.
// Call them from the GUI thread only (rendered emoji are cached without locking). The same
// arguments always give the same pixels on the same fonts.
//
// The library target `zomir_resources` embeds the screen pictures and the profession
// pictures as Qt resources, so that linking it is enough (no init call is needed):
//     :/pict/<name>.png     for every name of screenPictureNames(), and <name>@2x.png
//                           drawn at twice the pixels
//     :/szakma/<code>.png   for code 1..30, the profession pictures

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace zpict {

// A catalogue row's picture, 233 x 233, opaque. tableFile is the table's file name as the
// database has it ("Hazak.DB", "Elelmiszerek.DB", "Ruhazkodas.db", "Kozlekedes.db",
// "Hobbi.db", "Szorakozas.db"; letter case does not matter), key the row's key.
// Returns a null image for an unknown table or key.
QImage cataloguePicture(const QString &tableFile, int key);

// The number of rows that cataloguePicture() can draw for a table (0 for an unknown table).
int catalogueKeyCount(const QString &tableFile);
// The six catalogue tables, by file name.
QStringList catalogueTables();
// Where the build keeps a catalogue picture among the drawn pictures
// ("katalogus/hazak-1.png"): the resource :/katalogus/hazak-1.png.
QString builtCatalogueName(const QString &tableFile, int key);

// Picture of profession code 1..30, opaque, at the size the profession-choice window shows
// it (see professionPictureSize). Returns a null image for any other code. With `ratio` 2
// the same drawing at twice the pixels (":/szakma/<code>@2x.png").
QImage professionPicture(int code, qreal ratio = 1.0);
QSize professionPictureSize(int code);

// A picture of the screens, by its resource name without ":/pict/" and ".png"
// ("kezd", "ft5000", "nav_elso", ...). Returns a null image for an unknown name. With
// `ratio` 2 the same drawing at twice the pixels each way (device pixel ratio 2), which the
// resources hold as ":/pict/<name>@2x.png" for screens scaled above 100 %.
QImage screenPicture(const QString &name, qreal ratio = 1.0);

// A program's icon ("zomir" or "karbantartas") drawn at size x size pixels, for the
// desktop's icon theme; the 64-pixel one is the picture of the same name.
QImage programIcon(const QString &program, int size);

// Every screen picture's name, in the order of data/pictures/screenpictures.txt, the one
// list of them (the build draws and embeds exactly these; each needs its drawing in
// screenpictures.cpp, else the build stops).
QStringList screenPictureNames();

}  // namespace zpict
