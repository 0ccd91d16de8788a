// zomir-pictures: writes every screen picture and profession picture as PNG for the
// resource build, or a contact sheet of every picture for looking them over.
//
//   zomir-pictures <folder>            -> <folder>/pict/<name>.png, <folder>/szakma/<code>.png,
//                                         <folder>/katalogus/<table>-<key>.png
//   zomir-pictures --sheet <file.png>  -> one sheet with every picture and its name
//   zomir-pictures --icons <folder>    -> <folder>/hicolor/<n>x<n>/apps/<program>.png, the
//                                         programs' icons for the desktop's icon theme
//   zomir-pictures --ico <folder>      -> <folder>/<program>.ico, the programs' Windows icons

#include "data/pictures/painting.h"
#include "data/pictures/pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool save(const QImage &img, const QString &path)
{
    if (img.isNull() || !img.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int writeResources(const QString &folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("pict")) || !dir.mkpath(QStringLiteral("szakma"))) {
        std::fprintf(stderr, "cannot create folders in %s\n", qPrintable(folder));
        return 1;
    }
    for (const QString &name : zpict::screenPictureNames()) {
        const QImage picture = zpict::screenPicture(name);
        if (picture.isNull()) {
            std::fprintf(stderr, "screenpictures.txt names %s, which no drawing of screenpictures.cpp draws\n",
                         qPrintable(name));
            return 1;
        }
        if (!save(picture, dir.filePath(QStringLiteral("pict/%1.png").arg(name)))
            || !save(zpict::screenPicture(name, 2.0), dir.filePath(QStringLiteral("pict/%1@2x.png").arg(name))))
            return 1;
    }
    for (int code = 1; code <= 30; ++code)
        if (!save(zpict::professionPicture(code), dir.filePath(QStringLiteral("szakma/%1.png").arg(code)))
            || !save(zpict::professionPicture(code, 2.0), dir.filePath(QStringLiteral("szakma/%1@2x.png").arg(code))))
            return 1;
    if (!dir.mkpath(QStringLiteral("katalogus"))) {
        std::fprintf(stderr, "cannot create folders in %s\n", qPrintable(folder));
        return 1;
    }
    for (const QString &table : zpict::catalogueTables())
        for (int key = 1; key <= zpict::catalogueKeyCount(table); ++key)
            if (!save(zpict::cataloguePicture(table, key), dir.filePath(zpict::builtCatalogueName(table, key))))
                return 1;
    return 0;
}

struct Tile {
    QString caption;
    QImage image;
};

int writeSheet(const QString &file)
{
    std::vector<Tile> tiles;
    for (const QString &name : zpict::screenPictureNames())
        tiles.push_back({name, zpict::screenPicture(name)});
    for (int code = 1; code <= 30; ++code)
        tiles.push_back({QStringLiteral("szakma %1").arg(code), zpict::professionPicture(code)});
    for (const char *table : {"Hazak.DB", "Elelmiszerek.DB", "Ruhazkodas.db", "Kozlekedes.db", "Hobbi.db",
                              "Szorakozas.db"}) {
        const QString t = QString::fromLatin1(table);
        for (int key = 1; key <= zpict::catalogueKeyCount(t); ++key)
            tiles.push_back({QStringLiteral("%1 %2").arg(t).arg(key), zpict::cataloguePicture(t, key)});
    }
    // Lay the tiles out in rows at their natural size.
    const int width = 1500, gap = 10, label = 14;
    int x = gap, y = gap, rowH = 0;
    std::vector<QPoint> pos;
    for (const Tile &t : tiles) {
        const int w = std::max(t.image.width(), 70);
        if (x + w + gap > width) {
            x = gap;
            y += rowH + label + gap;
            rowH = 0;
        }
        pos.push_back(QPoint(x, y));
        x += w + gap;
        rowH = std::max(rowH, t.image.height());
    }
    QImage sheet(width, y + rowH + label + gap, QImage::Format_RGB32);
    sheet.fill(QColor(209, 209, 209));
    QPainter p(&sheet);
    p.setFont(zpict::draw::sans(10));
    for (size_t i = 0; i < tiles.size(); ++i) {
        p.drawImage(pos[i], tiles[i].image);
        p.setPen(Qt::black);
        p.drawText(QRect(pos[i].x(), pos[i].y() + tiles[i].image.height() + 1, 300, label),
                   Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("%1 %2x%3").arg(tiles[i].caption).arg(tiles[i].image.width()).arg(tiles[i].image.height()));
    }
    p.end();
    return save(sheet, file) ? 0 : 1;
}

// The sizes a desktop icon theme usually offers.
int writeIcons(const QString &folder)
{
    QDir dir(folder);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sub = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!dir.mkpath(sub)) {
            std::fprintf(stderr, "cannot create %s in %s\n", qPrintable(sub), qPrintable(folder));
            return 1;
        }
        for (const char *program : {"zomir", "karbantartas"}) {
            const QString name = QString::fromLatin1(program);
            if (!save(zpict::programIcon(name, size), dir.filePath(sub + QLatin1Char('/') + name + ".png")))
                return 1;
        }
    }
    return 0;
}

// A Windows icon file: the ICONDIR header, one directory entry per size and the images as
// PNG, which Windows reads in icons of every size since Vista. Little-endian throughout.
QByteArray icoFile(const QString &program)
{
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
    QList<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!zpict::programIcon(program, size).convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
            return {};
        images << png;
    }
    QByteArray out;
    const auto put16 = [&out](quint32 v) { out.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); };
    const auto put32 = [&](quint32 v) { put16(v & 0xffff); put16(v >> 16); };
    const int count = int(images.size());
    put16(0);  // reserved
    put16(1);  // an icon (2 would be a cursor)
    put16(count);
    quint32 offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        const int size = sizes[i];
        out.append(char(size >= 256 ? 0 : size));  // width, 0 meaning 256
        out.append(char(size >= 256 ? 0 : size));  // height
        out.append(char(0));                       // no palette
        out.append(char(0));                       // reserved
        put16(1);                                  // colour planes
        put16(32);                                 // bits per pixel
        put32(quint32(images[i].size()));
        put32(offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        out.append(image);
    return out;
}

int writeIco(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    for (const char *program : {"zomir", "karbantartas"}) {
        const QString name = QString::fromLatin1(program);
        const QByteArray ico = icoFile(name);
        QFile file(QDir(folder).filePath(name + QStringLiteral(".ico")));
        if (ico.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--sheet"))
        return writeSheet(args.at(2));
    if (args.size() == 3 && args.at(1) == QLatin1String("--icons"))
        return writeIcons(args.at(2));
    if (args.size() == 3 && args.at(1) == QLatin1String("--ico"))
        return writeIco(args.at(2));
    if (args.size() == 2)
        return writeResources(args.at(1));
    std::fprintf(stderr, "usage: zomir-pictures <folder> | --sheet <file.png> | --icons <folder> | --ico <folder>\n");
    return 2;
}
