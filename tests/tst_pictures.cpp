// The game's pictures: every resource the screens load exists at its size and shows
// something; the catalogue pictures come out for every row; the glyphs that carry meaning
// (navigator halves, money) look the way the screens rely on.

#include "data/pictures/builtpictures.h"
#include "data/pictures/pictures.h"
#include "tests/support/testenv.h"

#include <QHash>
#include <QSet>

namespace {

// Distinct colours among the visible pixels, and the share of visible pixels.
struct Look {
    int colours = 0;
    double visible = 0;
    double luminance = 0;  // mean over visible pixels, 0..255
    QColor mean;
};

Look look(const QImage &source, const QRect &area = QRect())
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area.isNull() ? img.rect() : area;
    QSet<QRgb> seen;
    qint64 n = 0, vis = 0;
    double lum = 0, red = 0, green = 0, blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            ++n;
            if (qAlpha(c) < 128)
                continue;
            ++vis;
            seen.insert(c | 0xff000000u);
            lum += qGray(c);
            red += qRed(c);
            green += qGreen(c);
            blue += qBlue(c);
        }
    Look l;
    l.colours = seen.size();
    l.visible = n ? double(vis) / n : 0;
    l.luminance = vis ? lum / vis : 0;
    l.mean = vis ? QColor(int(red / vis), int(green / vis), int(blue / vis)) : QColor();
    return l;
}

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void screenResource_data();
    void screenResource();
    void screenResourceAtTwice();
    void everyDrawnNameIsAResource();
    void professionResource_data();
    void professionResource();
    void professionPicturesDiffer();
    void cataloguePicture_data();
    void cataloguePicture();
    void catalogueUnknownRows();
    void navigatorHalves_data();
    void navigatorHalves();
    void moneyLooksApart();
    void exclamationMarkIsRed();
};

void TestPictures::screenResource_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("minColours");
    const QList<QPair<const char *, QSize>> rows = {
        {"kezd", {60, 45}},         {"kilep", {55, 73}},        {"vege", {400, 400}},
        {"villanykorte", {100, 100}}, {"kerdojel", {100, 100}}, {"felkialtojel", {11, 40}},
        {"ft5", {73, 73}},          {"ft10", {73, 73}},         {"ft20", {66, 73}},
        {"ft50", {73, 73}},         {"ft100", {73, 73}},        {"ft200", {73, 73}},
        {"ft500", {145, 65}},       {"ft1000", {146, 65}},      {"ft2000", {145, 65}},
        {"ft5000", {145, 65}},      {"ft10000", {145, 65}},     {"ft20000", {145, 65}},
        {"apeh", {209, 233}},       {"nav_logo", {209, 233}},   {"penztarca", {194, 113}},  {"piros_x", {20, 20}},
        {"szamologep", {26, 40}},   {"pipa", {18, 18}},         {"kupa", {234, 308}},
        {"szalag", {697, 347}},     {"zomir", {64, 64}},        {"karbantartas", {64, 64}},
        {"nav_elso", {150, 25}},    {"nav_elozo", {150, 25}},   {"nav_kovetkezo", {150, 25}},
        {"nav_utolso", {150, 25}},  {"nav_beszur", {150, 25}},  {"nav_torol", {150, 25}},
        {"nav_szerkeszt", {150, 25}}, {"nav_ment", {150, 25}},  {"nav_megse", {150, 25}},
        {"nav_frissit", {150, 25}},
    };
    for (const auto &row : rows) {
        const QSize s = row.second;
        // Small glyphs have few colours by nature; pictures must have many.
        const int minColours = s.width() * s.height() < 1000 ? 4 : 40;
        QTest::addRow("%s", row.first) << QString::fromLatin1(row.first) << s << minColours;
    }
}

void TestPictures::screenResource()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, minColours);
    const QImage img(QStringLiteral(":/pict/%1.png").arg(name));
    QVERIFY2(!img.isNull(), qPrintable(name));
    QCOMPARE(img.size(), size);
    const Look l = look(img);
    QVERIFY2(l.colours >= minColours, qPrintable(QStringLiteral("%1 colours").arg(l.colours)));
    QVERIFY2(l.visible > 0.04, qPrintable(QStringLiteral("visible share %1").arg(l.visible)));
    // The resource is the drawing itself.
    QCOMPARE(img.convertToFormat(QImage::Format_ARGB32), zpict::screenPicture(name).convertToFormat(QImage::Format_ARGB32));
}

// Each screen picture is drawn once more at twice the pixels each way for screens scaled
// above 100 %: the same drawing with its own detail (not the small one enlarged), kept
// as ":/pict/<name>@2x.png".
void TestPictures::screenResourceAtTwice()
{
    for (const QString &name : zpict::screenPictureNames()) {
        const QImage small = zpict::screenPicture(name);
        const QImage twice = zpict::screenPicture(name, 2.0);
        QCOMPARE(twice.size(), small.size() * 2);
        QCOMPARE(twice.devicePixelRatio(), 2.0);
        QVERIFY2(twice != small.scaled(small.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                 qPrintable(name));
        const QImage stored(QStringLiteral(":/pict/%1@2x.png").arg(name));
        QCOMPARE(stored.devicePixelRatio(), 2.0);
        // Pixel by pixel (a stored PNG may carry a colour space the drawing has not). Text
        // drawn at 2x may come out a shade apart after other drawings have warmed the glyph
        // cache: a few pixels by a few units, never more.
        const QImage a = stored.convertToFormat(QImage::Format_ARGB32), b = twice.convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(a.size(), b.size());
        int apart = 0, farthest = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                const int d = std::max({qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q)),
                                        qAbs(qAlpha(p) - qAlpha(q))});
                apart += d > 0;
                farthest = std::max(farthest, d);
            }
        }
        QVERIFY2(farthest <= 16 && apart * 100 <= a.width() * a.height(),
                 qPrintable(QStringLiteral("%1: %2 pixels apart, by up to %3").arg(name).arg(apart).arg(farthest)));
        // The drawing at 1x is unchanged by the one at 2x.
        QCOMPARE(zpict::screenPicture(name), small);
    }
    for (int code = 1; code <= 30; ++code) {
        const QImage stored(QStringLiteral(":/szakma/%1@2x.png").arg(code));
        QCOMPARE(stored.size(), zpict::professionPictureSize(code) * 2);
        QCOMPARE(stored.devicePixelRatio(), 2.0);
        QCOMPARE(zpict::professionPicture(code, 2.0).size(), stored.size());
    }
}

void TestPictures::everyDrawnNameIsAResource()
{
    const QStringList names = zpict::screenPictureNames();
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const QString &name : names)
        QVERIFY2(QFile::exists(QStringLiteral(":/pict/%1.png").arg(name)), qPrintable(name));
    QVERIFY(zpict::screenPicture(QStringLiteral("nincs_ilyen")).isNull());
}

void TestPictures::professionResource_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("size");
    // The boxes of the profession-choice window.
    const QSize sizes[31] = {{},         {100, 132}, {151, 113}, {160, 120}, {130, 130}, {166, 133},
                             {155, 100}, {150, 95},  {115, 150}, {144, 111}, {200, 127}, {150, 100},
                             {130, 82},  {158, 103}, {167, 125}, {115, 116}, {166, 125}, {160, 110},
                             {146, 109}, {100, 133}, {150, 165}, {100, 142}, {123, 226}, {159, 195},
                             {150, 150}, {170, 128}, {180, 274}, {117, 97},  {125, 111}, {182, 123},
                             {155, 210}};
    for (int code = 1; code <= 30; ++code)
        QTest::addRow("%d", code) << code << sizes[code];
}

void TestPictures::professionResource()
{
    QFETCH(int, code);
    QFETCH(QSize, size);
    const QImage img(QStringLiteral(":/szakma/%1.png").arg(code));
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), size);
    QCOMPARE(zpict::professionPictureSize(code), size);
    const Look l = look(img);
    QVERIFY2(l.colours >= 200, qPrintable(QStringLiteral("%1 colours").arg(l.colours)));
    QCOMPARE(l.visible, 1.0);  // opaque: written as JPEG and BMP too
    // What the content tool stores is what the build drew.
    QCOMPARE(zpict::builtProfessionPicture(code), zpict::professionPicture(code));
}

void TestPictures::professionPicturesDiffer()
{
    QHash<QByteArray, int> seen;
    for (int code = 1; code <= 30; ++code) {
        const QImage img = zpict::professionPicture(code).scaled(32, 32);
        const QByteArray key(reinterpret_cast<const char *>(img.constBits()), int(img.sizeInBytes()));
        QVERIFY2(!seen.contains(key), qPrintable(QStringLiteral("%1 repeats %2").arg(code).arg(seen.value(key))));
        seen.insert(key, code);
    }
    QVERIFY(zpict::professionPicture(0).isNull());
    QVERIFY(zpict::professionPicture(31).isNull());
    QVERIFY(!zpict::professionPictureSize(31).isValid());
}

void TestPictures::cataloguePicture_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    QTest::addRow("homes") << QStringLiteral("Hazak.DB") << 6;
    QTest::addRow("food") << QStringLiteral("Elelmiszerek.DB") << 5;
    QTest::addRow("clothing") << QStringLiteral("Ruhazkodas.db") << 5;
    QTest::addRow("transport") << QStringLiteral("Kozlekedes.db") << 5;
    QTest::addRow("hobbies") << QStringLiteral("Hobbi.db") << 6;
    QTest::addRow("entertainment") << QStringLiteral("Szorakozas.db") << 6;
    QTest::addRow("other letter case") << QStringLiteral("HAZAK.db") << 6;
}

void TestPictures::cataloguePicture()
{
    QFETCH(QString, table);
    QFETCH(int, rows);
    QCOMPARE(zpict::catalogueKeyCount(table), rows);
    QSet<QByteArray> seen;
    for (int key = 1; key <= rows; ++key) {
        const QImage img = zpict::cataloguePicture(table, key);
        QVERIFY2(!img.isNull(), qPrintable(QString::number(key)));
        QCOMPARE(img.size(), QSize(233, 233));
        QVERIFY(!img.hasAlphaChannel());  // stored as BMP
        QCOMPARE(zpict::cataloguePicture(table, key), img);  // the same row gives the same pixels
        // The build keeps the same pixels for the content tool, which stores them rather than
        // drawing them again on a machine with other fonts.
        QCOMPARE(zpict::builtCataloguePicture(table, key), img);
        const Look l = look(img);
        QVERIFY2(l.colours >= 300, qPrintable(QStringLiteral("key %1: %2 colours").arg(key).arg(l.colours)));
        const QImage small = img.scaled(24, 24);
        seen.insert(QByteArray(reinterpret_cast<const char *>(small.constBits()), int(small.sizeInBytes())));
    }
    QCOMPARE(seen.size(), rows);  // every row has its own picture
    QVERIFY(zpict::cataloguePicture(table, 0).isNull());
    QVERIFY(zpict::cataloguePicture(table, rows + 1).isNull());
    QVERIFY(zpict::builtCataloguePicture(table, rows + 1).isNull());
    QVERIFY(zpict::catalogueTables().contains(table, Qt::CaseInsensitive));
}

void TestPictures::catalogueUnknownRows()
{
    QVERIFY(zpict::cataloguePicture(QStringLiteral("Jatekosok.DB"), 1).isNull());
    QVERIFY(zpict::cataloguePicture(QString(), 1).isNull());
    QCOMPARE(zpict::catalogueKeyCount(QStringLiteral("szakma4.DB")), 0);
}

void TestPictures::navigatorHalves_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n : {"nav_elso", "nav_elozo", "nav_kovetkezo", "nav_utolso", "nav_beszur", "nav_torol",
                          "nav_szerkeszt", "nav_ment", "nav_megse", "nav_frissit"})
        QTest::addRow("%s", n) << QString::fromLatin1(n);
}

void TestPictures::navigatorHalves()
{
    // Left half: the enabled button, dark and coloured; right half: disabled, grey.
    QFETCH(QString, name);
    const QImage img(QStringLiteral(":/pict/%1.png").arg(name));
    QCOMPARE(img.size(), QSize(150, 25));
    const Look enabled = look(img, QRect(0, 0, 75, 25));
    const Look disabled = look(img, QRect(75, 0, 75, 25));
    QVERIFY(enabled.visible > 0.05 && disabled.visible > 0.05);
    QVERIFY2(enabled.luminance + 25 < disabled.luminance,
             qPrintable(QStringLiteral("%1 vs %2").arg(enabled.luminance).arg(disabled.luminance)));
    const QColor d = disabled.mean;
    QVERIFY2(std::abs(d.red() - d.green()) < 20 && std::abs(d.green() - d.blue()) < 20, "disabled half is grey");
}

void TestPictures::moneyLooksApart()
{
    // The notes are told apart by colour: every two differ clearly in their mean colour.
    const QStringList notes = {"ft500", "ft1000", "ft2000", "ft5000", "ft10000", "ft20000"};
    QList<QColor> means;
    for (const QString &n : notes)
        means << look(QImage(QStringLiteral(":/pict/%1.png").arg(n))).mean;
    for (int i = 0; i < means.size(); ++i)
        for (int j = i + 1; j < means.size(); ++j) {
            const int dist = std::abs(means[i].red() - means[j].red()) + std::abs(means[i].green() - means[j].green()) +
                             std::abs(means[i].blue() - means[j].blue());
            QVERIFY2(dist > 25, qPrintable(notes[i] + QLatin1String(" ~ ") + notes[j]));
        }
    // Coins are round: their corners are transparent, their middle is not.
    for (const char *c : {"ft5", "ft10", "ft20", "ft50", "ft100", "ft200"}) {
        const QImage img(QStringLiteral(":/pict/%1.png").arg(QLatin1String(c)));
        QVERIFY2(qAlpha(img.pixel(1, 1)) == 0 && qAlpha(img.pixel(img.width() - 2, img.height() - 2)) == 0, c);
        QCOMPARE(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
    }
}

void TestPictures::exclamationMarkIsRed()
{
    const Look l = look(QImage(QStringLiteral(":/pict/felkialtojel.png")));
    QVERIFY(l.mean.red() > 150 && l.mean.green() < 90 && l.mean.blue() < 90);
}

ZOMIR_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
