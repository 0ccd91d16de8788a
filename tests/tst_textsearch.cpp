// Finding a record by its texts: accents and letter case ignored, a text inside a word
// found, and the search going on from a row and round past the last one.

#include "rules/textsearch.h"

#include <QTest>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

}  // namespace

class TestTextSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void contains_data();
    void contains();
    void findFrom_data();
    void findFrom();
};

void TestTextSearch::contains_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");
    QTest::addRow("ő typed as o") << u("Őrült nagy kert") << u("orult") << true;
    QTest::addRow("ő typed as ö") << u("Főzőkanál") << u("fözö") << true;
    QTest::addRow("ö typed as ő") << u("Öltöny") << u("őltőny") << true;
    QTest::addRow("õ of old code pages as ő") << u("Fõzés") << u("főzés") << true;
    QTest::addRow("ű typed as u") << u("Műszerész") << u("muszer") << true;
    QTest::addRow("ű typed as ü") << u("Tűzoltó") << u("tüzoltó") << true;
    QTest::addRow("ü typed as ű") << u("Ügyvéd") << u("űgy") << true;
    QTest::addRow("á, é, í, ó, ú typed plain") << u("Árvíztűrő tükörfúrógép") << u("arvizturo tukorfurogep") << true;
    QTest::addRow("plain typed with accents") << u("Lakas") << u("Lakás") << true;
    QTest::addRow("capitals in the text") << u("KERTES HÁZ") << u("kertes ház") << true;
    QTest::addRow("capitals typed") << u("kertes ház") << u("KERTES HÁZ") << true;
    QTest::addRow("capital accented letters") << u("ŐSZI ÚTI CÉL") << u("oszi uti cel") << true;
    QTest::addRow("inside a word") << u("Családi autó") << u("ládi") << true;
    QTest::addRow("across a space") << u("Családi autó") << u("di au") << true;
    QTest::addRow("spaces around the needle") << u("Mozi") << u("  mozi ") << true;
    QTest::addRow("a letter apart is no match") << u("Kerékpár") << u("kerekpar!") << false;
    QTest::addRow("accent taken off is a different word") << u("Kör") << u("kar") << false;
    QTest::addRow("empty needle") << u("Mozi") << QString() << false;
    QTest::addRow("only spaces") << u("Mozi") << u("   ") << false;
    QTest::addRow("empty text") << QString() << u("a") << false;
}

void TestTextSearch::contains()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(bool, found);
    QCOMPARE(textsearch::contains(text, needle), found);
}

void TestTextSearch::findFrom_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("wrapped");
    // The rows: 0 Panelház; 1 Családi ház, kertes; 2 Autó; 3 Kastély, Őrület; 4 Tanyaház.
    QTest::addRow("the row it starts at") << 1 << u("haz") << 1 << false;
    QTest::addRow("the next one on") << 2 << u("HÁZ") << 4 << false;
    QTest::addRow("round past the last row") << 5 << u("haz") << 0 << true;
    QTest::addRow("a second field of the row") << 0 << u("kertes") << 1 << false;
    QTest::addRow("start beyond the rows goes round") << 9 << u("auto") << 2 << true;
    QTest::addRow("start before the first row") << -3 << u("ház") << 0 << false;
    QTest::addRow("only the row it starts at, from after it") << 4 << u("orulet") << 3 << true;
    QTest::addRow("nowhere") << 0 << u("hajó") << -1 << false;
    QTest::addRow("nothing typed") << 0 << QString() << -1 << false;
}

void TestTextSearch::findFrom()
{
    QFETCH(int, from);
    QFETCH(QString, needle);
    QFETCH(int, row);
    QFETCH(bool, wrapped);
    const QList<QStringList> rows = {{u("Panelház")}, {u("Családi ház"), u("kertes")}, {u("Autó")},
                                     {u("Kastély"), u("Őrület")}, {u("Tanyaház")}};
    const textsearch::Match match =
        textsearch::findFrom(int(rows.size()), from, needle, [&rows](int r) { return rows.at(r); });
    QCOMPARE(match.row, row);
    QCOMPARE(match.wrapped, wrapped);
}

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
