// The career sheet's RTF reader: sheets written by other programs, the single features,
// and malformed input (never a crash, never a hang).

#include "rules/cp1250.h"
#include "rules/rtfreader.h"
#include "tests/support/testenv.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>
#include <QtTest>

namespace {

QString textOf(const QByteArray &rtf)
{
    QTextDocument doc;
    rtf::read(rtf, &doc);
    return doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QByteArray fixture(const QString &name)
{
    QFile file(testenv::dataDir() + QStringLiteral("/rtf/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QStringList blocks(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out.append(b.text());
    return out;
}

// The character format at the first character of `needle`.
QTextCharFormat formatAt(const QTextDocument &doc, const QString &needle)
{
    const QTextCursor found = doc.find(needle);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

}  // namespace

class TestRtf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheetsOfOtherWriters_data();
    void sheetsOfOtherWriters();
    void features_data();
    void features();
    void formatting();
    void paragraphsAndLists();
    void plainTextFile();
    void missingFileThrows();
    void codePages();
    void malformedInput_data();
    void malformedInput();
    void randomizedInput();
};

void TestRtf::sheetsOfOtherWriters_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::addRow("LibreOffice") << "libreoffice-konyvtaros.rtf" << QStringLiteral("Könyvtáros")
                                 << QStringList{QStringLiteral("Növények ültetése, öntözése és metszése"),
                                                QStringLiteral("Talajelőkészítés, tápanyag-utánpótlás"),
                                                QStringLiteral("Kártevők elleni védekezés")};
    QTest::addRow("pandoc") << "pandoc-gepeszmernok.rtf" << QStringLiteral("Gépészmérnök")
                            << QStringList{QStringLiteral("Gépek és berendezések tervezése"),
                                           QStringLiteral("Gyártási folyamatok felügyelete"),
                                           QStringLiteral("Minőségellenőrzés")};
    QTest::addRow("AbiWord") << "abiword-grafikus.rtf" << QStringLiteral("Grafikusművész – ipari tervezés")
                             << QStringList{QStringLiteral("Arculatok, logók tervezése"),
                                            QStringLiteral("Csomagolások és termékek formatervezése")};
    QTest::addRow("latex2rtf") << "latex2rtf-fordito.rtf" << QStringLiteral("Fordító")
                               << QStringList{QStringLiteral("Szakszövegek fordítása"),
                                              QStringLiteral("Lektorálás, terminológia")};
}

void TestRtf::sheetsOfOtherWriters()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    QTextDocument doc;
    rtf::read(fixture(file), &doc);
    const QStringList lines = blocks(doc);
    const QString text = doc.toPlainText();

    // The title is a line of its own, shown larger than the body.
    QVERIFY2(lines.contains(title), qPrintable(lines.join(" | ")));
    QVERIFY(formatAt(doc, title).fontPointSize() > formatAt(doc, "Munkahelyzet:").fontPointSize());

    // "Munkahelyzet:" is bold, the text after it is not.
    QVERIFY(text.contains(QStringLiteral("Munkahelyzet:")));
    QVERIFY(formatAt(doc, QStringLiteral("Munkahelyzet:")).fontWeight() == QFont::Bold);
    const QTextCursor after = doc.find(QStringLiteral("Munkahelyzet:"));
    QTextCursor next(&doc);
    next.setPosition(after.selectionEnd() + 3);
    QCOMPARE(next.charFormat().fontWeight(), int(QFont::Normal));

    // Each list item is a line of its own.
    for (const QString &item : items) {
        int count = 0;
        for (const QString &line : lines)
            if (line.contains(item))
                ++count;
        QVERIFY2(count == 1, qPrintable(item + " in: " + lines.join(" | ")));
    }
    // Every Hungarian accent right, nothing of the skipped tables shown.
    QVERIFY2(text.contains(QStringLiteral("Árvíztűrő tükörfúrógép"), Qt::CaseInsensitive),
             qPrintable(text));
    for (const char *leak : {"Times New Roman", "Heading", "Normal", "LibreOffice", "latex2rtf",
                             "Bullet List", "HYPERLINK", "?"})
        QVERIFY2(!text.contains(QLatin1String(leak)), leak);
}

void TestRtf::features_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addRow("hex escapes in the 1250 code page")
        << QByteArray(R"({\rtf1\ansi\ansicpg1250 \'c1rv\'edzt\'fbr\'f5 t\'fck\'f6r})")
        << QStringLiteral("Árvíztűrő tükör");
    QTest::addRow("font charset 238 over an ANSI document")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fswiss\fcharset238 Arial;}{\f1 Times;}}\f0 \'f5\'fb{\f1 \'f5}})")
        << QStringLiteral("őűõ");
    QTest::addRow("raw 8-bit text") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \xe1\xf5}")
                                    << QStringLiteral("áő");
    QTest::addRow("unicode with one fallback") << QByteArray(R"({\rtf1 a\u337?b})")
                                               << QStringLiteral("aőb");
    QTest::addRow("unicode with two fallbacks") << QByteArray(R"({\rtf1\uc2\u337 xyz})")
                                                << QStringLiteral("őz");
    QTest::addRow("fallback as hex escape") << QByteArray(R"({\rtf1 \u8226\'95\tab x})")
                                            << QStringLiteral("•\tx");
    QTest::addRow("no fallback") << QByteArray(R"({\rtf1\uc0\u369 v})") << QStringLiteral("űv");
    QTest::addRow("uc is scoped to its group")
        << QByteArray(R"({\rtf1{\uc0\u369 v}\u369?v})") << QStringLiteral("űvűv");
    QTest::addRow("negative unicode") << QByteArray(R"({\rtf1\u-15700?})") << QString(QChar(49836));
    QTest::addRow("surrogate pair") << QByteArray(R"({\rtf1\uc0\u-10179\u-8704 })")
                                    << QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::addRow("escaped symbols") << QByteArray(R"({\rtf1 \\\{\}a\~b\_c\-d})")
                                     << QString::fromUtf8("\\{}a\u00a0b\u2011c\u00add");
    QTest::addRow("named characters")
        << QByteArray(R"({\rtf1\bullet\endash\emdash\lquote\rquote\ldblquote\rdblquote})")
        << QString::fromUtf8("•–—‘’“”");
    QTest::addRow("line break and tab") << QByteArray(R"({\rtf1 a\line b\tab c})")
                                        << QString::fromUtf8("a\u2028b\tc");
    QTest::addRow("skipped destinations")
        << QByteArray(R"({\rtf1{\*\foo bar}x{\pict\pngblip 89504e47}y{\info{\title t}}z{\stylesheet{\s0 Normal;}}})")
        << QStringLiteral("xyz");
    QTest::addRow("field result shown, instruction skipped")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}}})")
        << QStringLiteral("link");
    QTest::addRow("binary data skipped") << QByteArray(R"({\rtf1 a{\pict\bin2 }}}b})")
                                         << QStringLiteral("ab");
    QTest::addRow("unicode group of upr") << QByteArray(R"({\rtf1{\upr{A}{\*\ud{B}}}})")
                                          << QStringLiteral("B");
    QTest::addRow("hidden text") << QByteArray(R"({\rtf1 a{\v hidden}b})") << QStringLiteral("ab");
    QTest::addRow("source line ends are not text") << QByteArray("{\\rtf1 a\r\nb\nc}")
                                                   << QStringLiteral("abc");
    QTest::addRow("escaped line end is a paragraph") << QByteArray("{\\rtf1 a\\\nb}")
                                                     << QStringLiteral("a\nb");
    QTest::addRow("table cells") << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\intbl a\cell b\cell\row c})")
                                 << QStringLiteral("a\tb\t\nc");
    QTest::addRow("text after the document ignored") << QByteArray(R"({\rtf1 a}b{c})")
                                                     << QStringLiteral("a");
    QTest::addRow("symbol font bullet")
        << QByteArray(R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\f1 \'b7}})") << QStringLiteral("•");
}

void TestRtf::features()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(textOf(rtf), text);
}

void TestRtf::formatting()
{
    QTextDocument doc;
    rtf::read(R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}{\f1 Courier New;}})"
              R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
              R"(\pard\qc\li720\ri360\fi-360\sb120\sa240 \f1\fs36\b B\b0\i I\i0\ul U\ulnone\cf1 R\cf0\strike S\strike0{\cb2 K}{\super 2}N\par)"
              R"(\pard\qr\plain x\par\pard\qj y\par})",
              &doc);
    QCOMPARE(doc.blockCount(), 3);
    const QTextBlock first = doc.begin();
    QCOMPARE(first.text(), QStringLiteral("BIURSK2N"));
    const QTextBlockFormat bf = first.blockFormat();
    QCOMPARE(bf.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(bf.leftMargin(), 48.0);
    QCOMPARE(bf.rightMargin(), 24.0);
    QCOMPARE(bf.textIndent(), -24.0);
    QCOMPARE(bf.topMargin(), 8.0);
    QCOMPARE(bf.bottomMargin(), 16.0);
    QCOMPARE(first.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(first.next().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignJustify);

    auto at = [&](int pos) {
        QTextCursor c(&doc);
        c.setPosition(pos + 1);
        return c.charFormat();
    };
    QCOMPARE(at(0).fontFamilies().toStringList(), QStringList{"Courier New"});
    QCOMPARE(at(0).fontPointSize(), 18.0);
    QCOMPARE(at(0).fontWeight(), int(QFont::Bold));
    QVERIFY(!at(0).fontItalic());
    QVERIFY(at(1).fontItalic());
    QCOMPARE(at(1).fontWeight(), int(QFont::Normal));
    QVERIFY(at(2).fontUnderline());
    QVERIFY(!at(3).fontUnderline());
    QCOMPARE(at(3).foreground().color(), QColor(255, 0, 0));
    QVERIFY(at(4).fontStrikeOut());
    QCOMPARE(at(4).foreground().style(), Qt::NoBrush);   // \cf0 is the automatic colour
    QCOMPARE(at(5).background().color(), QColor(0, 0, 255));
    QCOMPARE(at(6).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(at(7).verticalAlignment(), QTextCharFormat::AlignNormal);
    // \plain returns to the default font and size.
    QTextCursor x(&doc);
    x.setPosition(first.next().position() + 1);
    QCOMPARE(x.charFormat().fontFamilies().toStringList(), QStringList{"Arial"});
    QCOMPARE(x.charFormat().fontPointSize(), 12.0);
}

void TestRtf::paragraphsAndLists()
{
    QTextDocument doc;
    rtf::read(R"({\rtf1{\pard\b Title\par}{\pard\li360\fi-360\tx360 1.\tab one\par})"
              R"({\pard\li360\fi-360 {\listtext\pard\plain\bullet\tab}two\par}\pard last\par})",
              &doc);
    QCOMPARE(blocks(doc), (QStringList{"Title", "1.\tone", "•\ttwo", "last"}));
    const QTextBlock one = doc.begin().next();
    QCOMPARE(one.blockFormat().leftMargin(), 24.0);
    QCOMPARE(one.blockFormat().textIndent(), -24.0);
    QCOMPARE(one.blockFormat().tabPositions().size(), 1);
    // Stops count from the first line's start: the text after the tab starts at the indent.
    QCOMPARE(one.blockFormat().tabPositions().first().position, 24.0);
    doc.setDocumentMargin(0);
    doc.setTextWidth(400);
    doc.documentLayout()->blockBoundingRect(one);
    QTextLine line = one.layout()->lineAt(0);
    QVERIFY(line.isValid());
    QCOMPARE(line.cursorToX(3), 24.0);
    // A bullet of the Symbol font as older writers put it, in an ordinary font, and its
    // tab reaching the hanging indent.
    QTextDocument old;
    rtf::read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f2\fnil\fcharset2 Symbol;}}\pard\fi-284\li567\f0 )"
              R"({\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2{\pntxtb\'b7}}item\par})",
              &old);
    QCOMPARE(blocks(old), QStringList{"•\titem"});
    QTextCursor bullet(&old);
    bullet.setPosition(1);
    QVERIFY(!bullet.charFormat().fontFamilies().toStringList().contains("Symbol"));
    old.setDocumentMargin(0);
    old.setTextWidth(400);
    old.documentLayout()->blockBoundingRect(old.begin());
    QTextLine first = old.begin().layout()->lineAt(0);
    QVERIFY(first.isValid());
    QVERIFY(qAbs(first.cursorToX(2) - 567 / 15.0) < 0.5);

    // Paragraph properties inside a group end with it.
    QCOMPARE(doc.lastBlock().blockFormat().leftMargin(), 0.0);
    // Bold of the title's group does not leak.
    QTextCursor c(&doc);
    c.setPosition(doc.lastBlock().position() + 1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
}

void TestRtf::plainTextFile()
{
    QCOMPARE(textOf("Sima sz\xf6veg\r\nm\xe1sodik sor"), QStringLiteral("Sima szöveg\nmásodik sor"));
    QCOMPARE(textOf(""), QString());
    QCOMPARE(textOf("  \r\n{\\rtf1 x}"), QStringLiteral("x"));
}

void TestRtf::missingFileThrows()
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("régi"));
    bool thrown = false;
    try {
        rtf::readFile(dir.filePath(QStringLiteral("nincs.rtf")), &doc);
    } catch (const std::runtime_error &e) {
        thrown = true;
        QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("nincs.rtf")));
    }
    QVERIFY(thrown);
    QCOMPARE(doc.toPlainText(), QStringLiteral("régi"));   // left as it was
}

void TestRtf::codePages()
{
    // Every letter of the Hungarian alphabet survives a round trip through Windows-1250.
    const QString letters = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ");
    const QByteArray bytes = cp1250::encode(letters);
    QCOMPARE(bytes, QByteArray("\xe1\xe9\xed\xf3\xf6\xf5\xfa\xfc\xfb\xc1\xc9\xcd\xd3\xd6\xd5\xda\xdc\xdb"));
    QCOMPARE(cp1250::decode(bytes), letters);
    QCOMPARE(cp1250::encode(QStringLiteral("a€ø")), QByteArray("a\x80?"));
    QCOMPARE(rtf::decodeCodePage("\xe9\x80", 1252), QStringLiteral("é€"));
}

void TestRtf::malformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("mustContain");
    QTest::addRow("unclosed groups") << QByteArray("{\\rtf1 abc{\\b def{\\i ghi") << "abcdefghi";
    QTest::addRow("stray closing braces") << QByteArray("{\\rtf1 a{}}}}}b") << "a";
    QTest::addRow("truncated control word") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::addRow("truncated hex escape") << QByteArray("{\\rtf1 a\\'e") << "a";
    QTest::addRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "a";
    QTest::addRow("huge numbers")
        << QByteArray("{\\rtf1\\fs99999999999999999999 a\\li-99999999999999999 b\\u99999999999 "
                      "c\\uc999999999999\\u65 d\\f-2147483648 e\\cf99999999 f}")
        << "a";
    QTest::addRow("binary length past the end") << QByteArray("{\\rtf1 a\\bin999999999 xyz") << "a";
    QTest::addRow("negative binary length") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::addRow("deep nesting") << QByteArray("{\\rtf1 x") + QByteArray(200000, '{') + "deep"
                                            + QByteArray(200000, '}') + "y}"
                                  << "xdeep";
    QTest::addRow("long control word") << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'a') + " z}"
                                       << "z";
    QTest::addRow("many colours and fonts")
        << QByteArray("{\\rtf1{\\colortbl") + QByteArray(100000, ';') + "}{\\fonttbl"
               + QByteArray("\\f1 A;").repeated(20000) + "}\\cf99999 q}"
        << "q";
    QTest::addRow("frame markers and controls from \\u")
        << QByteArray("{\\rtf1 a\\u64976?\\u64977?\\u65532?\\u0?\\u13?\\u8233?b}") << "a";
    QTest::addRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 10) << "ab";
    QTest::addRow("star without word") << QByteArray("{\\rtf1 {\\*}a{\\*\\'41}b}") << "ab";
}

void TestRtf::malformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, mustContain);
    QTextDocument doc;
    rtf::read(rtf, &doc);
    QVERIFY2(doc.toPlainText().contains(mustContain), qPrintable(doc.toPlainText().left(200)));
    doc.setTextWidth(425);
    QVERIFY(doc.documentLayout()->documentSize().height() >= 0);
}

// Random mutations of the fixtures and of small sheets: none may crash or hang the
// reader or the layout of what it built. The seed is fixed so that a failure repeats.
void TestRtf::randomizedInput()
{
    QList<QByteArray> seeds;
    for (const char *f : {"libreoffice-konyvtaros.rtf", "pandoc-gepeszmernok.rtf",
                          "abiword-grafikus.rtf", "latex2rtf-fordito.rtf"})
        seeds.append(fixture(QString::fromLatin1(f)));
    seeds.append(R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0\fcharset238 Arial;}}{\colortbl;\red1\green2\blue3;})"
                 R"(\pard\qc\b\fs40 C\'edm\par\pard\li720\fi-360{\listtext\bullet\tab}\u337?\cf1 x\par})");
    static const char *const tokens[] = {
        "{", "}", "\\", "\\'", "\\'f5", "\\u-99999?", "\\u65535", "\\uc9 ", "\\bin5 ", "\\*",
        "\\par", "\\pard", "\\plain", "\\fonttbl", "\\colortbl", "\\pict", "\\upr", "\\ud",
        "\\fs0 ", "\\fs9999999 ", "\\li-9999999 ", "\\fi99999 ", "\\tx1 ", "\\sl-99999 ",
        "\\slmult1 ", "\\f99 ", "\\cf-1 ", "\\cb77 ", ";", "\\line", "\\tab", "\\cell", "\\row",
        "\\ansicpg932 ", "\\ansicpg65001 ", "\\fcharset128 ", "\xff", "\x81", "\r\n"};
    QRandomGenerator rng(20261210);
    for (int round = 0; round < 1500; ++round) {
        QByteArray data = seeds[rng.bounded(int(seeds.size()))];
        const int edits = 1 + rng.bounded(12);
        for (int e = 0; e < edits && !data.isEmpty(); ++e) {
            const int pos = rng.bounded(int(data.size()));
            switch (rng.bounded(5)) {
            case 0: data[pos] = char(rng.bounded(256)); break;
            case 1: data.remove(pos, 1 + rng.bounded(40)); break;
            case 2: data.insert(pos, tokens[rng.bounded(int(std::size(tokens)))]); break;
            case 3: data.truncate(pos); break;
            case 4: data.insert(pos, data.mid(rng.bounded(int(data.size())), rng.bounded(200))); break;
            }
        }
        QTextDocument doc;
        rtf::read(data, &doc);
        if (round % 25 == 0) {
            doc.setTextWidth(425);
            QVERIFY(doc.documentLayout()->documentSize().height() >= 0);
        }
    }
}

ZOMIR_TEST_MAIN(TestRtf)
#include "tst_rtf.moc"
