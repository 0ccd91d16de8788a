// Career guidance logic: the test's scoring and ranking, "szakma.txt", the
// recommendation, the professions and "Szakmavalasztas.txt".

#include "rules/interest.h"
#include "tests/support/readfile.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

using namespace career;

namespace {

QList<int> lines(const QByteArray &content)
{
    QList<int> out;
    const QList<QByteArray> parts = content.split('\n');
    for (const QByteArray &p : parts)
        if (!p.isEmpty())
            out.append(p.trimmed().toInt());
    return out;
}

Ticks ticksOf(const QList<int> &boxes)
{
    Ticks t{};
    for (int b : boxes)
        t[b - 1] = true;
    return t;
}

}  // namespace

class TestInterest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ranking_data();
    void ranking();
    void evaluation_data();
    void evaluation();
    void statementCategories();
    void szakmaFile();
    void szakmaFileNotWritable();
    void testResult_data();
    void testResult();
    void testResultErrors_data();
    void testResultErrors();
    void recommendation_data();
    void recommendation();
    void clauses();
    void professionTable();
    void choiceFile();
    void localPaths();
};

void TestInterest::ranking_data()
{
    QTest::addColumn<int>("things");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("ideas");
    QTest::addColumn<QList<int>>("expected");
    QTest::addRow("5 2 1") << 5 << 2 << 1 << QList<int>{1, 2, 3, 5, 2, 1};
    QTest::addRow("3 3 1: the tie goes to People") << 3 << 3 << 1 << QList<int>{2, 1, 3, 3, 3, 1};
    QTest::addRow("1 0 0: empty ones Ideas before People") << 1 << 0 << 0 << QList<int>{1, 3, 2, 1, 0, 0};
    QTest::addRow("0 4 4") << 0 << 4 << 4 << QList<int>{3, 2, 1, 4, 4, 0};
    QTest::addRow("8 8 8") << 8 << 8 << 8 << QList<int>{3, 2, 1, 8, 8, 8};
    QTest::addRow("1 2 3") << 1 << 2 << 3 << QList<int>{3, 2, 1, 3, 2, 1};
    QTest::addRow("2 5 2") << 2 << 5 << 2 << QList<int>{2, 3, 1, 5, 2, 2};
    QTest::addRow("4 1 4") << 4 << 1 << 4 << QList<int>{3, 1, 2, 4, 4, 1};
}

void TestInterest::ranking()
{
    QFETCH(int, things);
    QFETCH(int, people);
    QFETCH(int, ideas);
    QFETCH(QList<int>, expected);
    QCOMPARE(lines(szakmaFileContent(rank(things, people, ideas))), expected);
}

void TestInterest::evaluation_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("expected");   // empty: nothing ticked
    QTest::addRow("nothing ticked") << QList<int>{} << QList<int>{};
    QTest::addRow("only CheckBox1") << QList<int>{1} << QList<int>{1, 3, 2, 1, 0, 0};
    QList<int> all;
    for (int i = 1; i <= 24; ++i)
        all.append(i);
    QTest::addRow("all 24") << all << QList<int>{3, 2, 1, 8, 8, 8};
    QTest::addRow("Things and People 3, Ideas 1")
        << QList<int>{1, 5, 9, 3, 6, 8, 2} << QList<int>{2, 1, 3, 3, 3, 1};
    QTest::addRow("Things 5, People 2, Ideas 1")
        << QList<int>{12, 15, 16, 18, 23, 20, 22, 24} << QList<int>{1, 2, 3, 5, 2, 1};
}

void TestInterest::evaluation()
{
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, expected);
    const std::optional<Ranking> r = evaluate(ticksOf(ticked));
    QCOMPARE(r.has_value(), !expected.isEmpty());
    if (r)
        QCOMPARE(lines(szakmaFileContent(*r)), expected);
}

void TestInterest::statementCategories()
{
    const QList<int> things{1, 5, 9, 12, 15, 16, 18, 23};
    const QList<int> people{3, 6, 8, 11, 14, 17, 20, 22};
    for (int box = 1; box <= kStatementCount; ++box) {
        const InterestCategory expected = things.contains(box)   ? Things
                                          : people.contains(box) ? People
                                                                 : Ideas;
        QCOMPARE(int(statements()[box - 1].category), int(expected));
    }
    QCOMPARE(QString::fromUtf8(statements()[16].text),
             QStringLiteral("Rá tudom beszélni az embereket, hogy úgy tegyenek valamit, ahogyan én szeretném."));
}

void TestInterest::szakmaFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("szakma.txt");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("9\r\n9\r\n9\r\n9\r\n9\r\n9\r\n9\r\n9\r\n");   // longer than the new content
    old.close();
    writeSzakmaFile(path, rank(3, 3, 1));
    QCOMPARE(testenv::readAll(path), QByteArray("2\r\n1\r\n3\r\n3\r\n3\r\n1\r\n"));
}

void TestInterest::szakmaFileNotWritable()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("szakma.txt"));   // a folder in the file's place
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             writeSzakmaFile(dir.filePath("szakma.txt"), rank(1, 0, 0)));
}

void TestInterest::testResult_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<int>>("expected");   // first, second, first score, second score
    QTest::addRow("as the test writes it") << QByteArray("2\r\n1\r\n3\r\n3\r\n3\r\n1\r\n")
                                           << QList<int>{2, 1, 3, 3};
    QTest::addRow("blanks before, rest of line ignored")
        << QByteArray("  3 x\r\n\t1;\r\nzz\r\n 04 \r\n2abc\r\n") << QList<int>{3, 1, 4, 2};
    QTest::addRow("LF line ends, no line 6") << QByteArray("1\n2\n3\n5\n2\n") << QList<int>{1, 2, 5, 2};
    QTest::addRow("held as a byte") << QByteArray("257\r\n2\r\n3\r\n300\r\n-1\r\n")
                                    << QList<int>{1, 2, 44, 255};
}

void TestInterest::testResult()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<int>, expected);
    const TestResult r = parseTestResult(content);
    QCOMPARE((QList<int>{r.first, r.second, r.firstScore, r.secondScore}), expected);
}

void TestInterest::testResultErrors_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("empty file") << QByteArray();
    QTest::addRow("four lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n");
    QTest::addRow("not a number") << QByteArray("egy\r\n2\r\n3\r\n4\r\n5\r\n");
    QTest::addRow("blank line 5") << QByteArray("1\r\n2\r\n3\r\n4\r\n \r\n");
}

void TestInterest::testResultErrors()
{
    QFETCH(QByteArray, content);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, parseTestResult(content));
}

void TestInterest::recommendation_data()
{
    QTest::addColumn<QList<int>>("result");   // lines 1, 2, 4, 5
    QTest::addColumn<QString>("after");       // text after the fixed sentence
    QTest::addColumn<QList<int>>("marks");
    const QString second = QStringLiteral(" Másodsorban pedig olyan szakmát, ahol");
    QList<int> people, things, ideas;
    for (int i = 1; i <= 10; ++i) {
        people << i;
        things << i + 10;
        ideas << i + 20;
    }
    QTest::addRow("2 1 3 3 3 1") << QList<int>{2, 1, 3, 3} << "[P]" + second + "[T]" << people;
    QTest::addRow("1 2 3 5 2 1: difference 3") << QList<int>{1, 2, 5, 2} << "[T]" << things;
    QTest::addRow("3 2 1 4 2 0: difference 2") << QList<int>{3, 2, 4, 2} << "[I]" + second + "[P]"
                                               << ideas;
    QTest::addRow("1 3 2 1 0 0: second score 0") << QList<int>{1, 3, 1, 0} << "[T]" << things;
    QTest::addRow("8 8: difference 0") << QList<int>{3, 2, 8, 8} << "[I]" + second + "[P]" << ideas;
    QTest::addRow("category out of range") << QList<int>{7, 0, 2, 1} << second << QList<int>{};
}

void TestInterest::recommendation()
{
    QFETCH(QList<int>, result);
    QFETCH(QString, after);
    QFETCH(QList<int>, marks);
    TestResult r;
    r.first = quint8(result[0]);
    r.second = quint8(result[1]);
    r.firstScore = quint8(result[2]);
    r.secondScore = quint8(result[3]);
    const QString fixed = QStringLiteral(
        "Elérkezett a pályaválasztás ideje. Az előzőekben kitöltött teszt válaszai alapján  neked "
        "elsősorban olyan munkát ajánlunk, ahol");
    QCOMPARE(recommendationText(r, {"[T]", "[P]", "[I]"}), fixed + after);
    QCOMPARE(shownMarks(r.first), marks);
}

void TestInterest::clauses()
{
    const QStringList c =
        parseClauses("  kezeddel dolgozol.\r\n emberekkel foglalkozol.\r\n \xfaj \xf6tletek\xe9rt.\r\nmore\r\n");
    QCOMPARE(c, (QStringList{"  kezeddel dolgozol.", " emberekkel foglalkozol.", QStringLiteral(" új ötletekért.")}));
    QCOMPARE(parseClauses("csak egy\r\n"), (QStringList{"csak egy", QString(), QString()}));
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, readClauses(dir.filePath("szakmaleiras.txt")));
}

void TestInterest::professionTable()
{
    QSet<int> radios, images, marks;
    int perCategory[4] = {0, 0, 0, 0};
    for (int code = 1; code <= kProfessionCount; ++code) {
        const Profession *p = professionByCode(code);
        QVERIFY(p);
        QCOMPARE(p->code, code);
        radios.insert(p->radio);
        images.insert(p->image);
        marks.insert(p->mark);
        ++perCategory[p->category];
        QCOMPARE(professionByRadio(p->radio), p);
        QCOMPARE(professionByImage(p->image), p);
        // Codes come in blocks of ten: People, Things, Ideas.
        const int block = (code - 1) / 10;
        QCOMPARE(int(p->category), block == 0 ? int(People) : block == 1 ? int(Things) : int(Ideas));
        QVERIFY(shownMarks(p->category).contains(p->mark));
    }
    QCOMPARE(radios.size(), 30);
    QCOMPARE(images.size(), 30);
    QCOMPARE(marks.size(), 30);
    QVERIFY(!radios.contains(0) && !radios.contains(31));
    QVERIFY(!images.contains(1) && !images.contains(32));
    QCOMPARE(professionByMark(3)->code, 8);
    QCOMPARE(professionByMark(8)->code, 3);
    QCOMPARE(QString::fromUtf8(professionByCode(5)->picture), QStringLiteral("munka_pict\\könyvtár technikus.jpg"));
    QCOMPARE(QString::fromUtf8(professionByCode(5)->sheet), QStringLiteral("rtf\\Könyvtáros.rtf"));
    QCOMPARE(QString::fromUtf8(professionByCode(19)->sheet), QStringLiteral("rtf\\kertész.rtf"));
    QVERIFY(!professionByCode(0) && !professionByCode(31));
}

void TestInterest::choiceFile()
{
    const QString caption = QString::fromUtf8(professionByCode(24)->caption);
    QVERIFY(caption.endsWith(QLatin1Char(' ')));
    QCOMPARE(choiceMessage(caption), QStringLiteral("A választott szakmád: Grafikusművész - ipari tervezés "));
    QCOMPARE(choiceFileContent(24, caption), QByteArray("24\r\nGrafikusm\xfbv\xe9sz - ipari tervez\xe9s \r\n"));

    QTemporaryDir dir;
    writeChoiceFile(dir.filePath("Szakmavalasztas.txt"), 3,
                    QString::fromUtf8(professionByCode(3)->caption));
    QCOMPARE(testenv::readAll(dir.filePath("Szakmavalasztas.txt")),
             QByteArray("3\r\nGerontol\xf3giai \xe1pol\xf3\r\n"));
}

void TestInterest::localPaths()
{
    QTemporaryDir dir;
    QDir base(dir.path());
    QVERIFY(base.mkpath(QStringLiteral("Munka_Pict")));
    QFile f(base.filePath(QStringLiteral("Munka_Pict/Kertész.JPG")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
#ifdef Q_OS_WIN
    // Windows finds the file under any case: the path as written names it.
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    for (const QString &written : {QStringLiteral("munka_pict\\kertész.jpg"), QStringLiteral("munka_pict\\KERTÉSZ.jpg")}) {
        const QString found = localPath(written, dir.path());
        QVERIFY2(found.compare(dir.path() + QStringLiteral("/Munka_Pict/Kertész.JPG"), cs) == 0, qPrintable(found));
        QVERIFY(QFileInfo::exists(found));
    }
    QCOMPARE(localPath(QStringLiteral("rtf\\nincs.rtf"), dir.path()),
             dir.path() + QStringLiteral("/rtf/nincs.rtf"));
    // Relative to the current folder when no base is given.
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString relative = QFileInfo(localPath(QStringLiteral("MUNKA_PICT\\kertész.jpg"))).canonicalFilePath();
    QVERIFY2(relative.compare(QFileInfo(base.filePath(QStringLiteral("Munka_Pict/Kertész.JPG"))).canonicalFilePath(), cs) == 0,
             qPrintable(relative));
    QDir::setCurrent(cwd);
}

ZOMIR_TEST_MAIN(TestInterest)
#include "tst_interest.moc"
