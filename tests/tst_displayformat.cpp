// The numeric format strings of the number fields, under Hungarian, English and German
// number formatting.

#include "controls/displayformat.h"
#include "tests/support/testenv.h"

#include <limits>

using displayformat::formatFloat;

namespace {
const QString nbsp = QString(QChar(0x00A0));
}

class TestDisplayFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hungarian_data();
    void hungarian();
    void otherLocales_data();
    void otherLocales();
    void nonFiniteValues();
    void numbersReadBackAsShown_data();
    void numbersReadBackAsShown();
};

void TestDisplayFormat::hungarian_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    // The game's forint fields.
    const QString forint = "0, Ft;(0, Ft)";
    QTest::addRow("forint grouped") << forint << 12345.0 << "12" + nbsp + "345 Ft";
    QTest::addRow("forint millions") << forint << 1234567.0 << "1" + nbsp + "234" + nbsp + "567 Ft";
    QTest::addRow("forint below a thousand") << forint << 999.0 << "999 Ft";
    QTest::addRow("forint zero") << forint << 0.0 << "0 Ft";
    QTest::addRow("forint negative in parentheses") << forint << -5.0 << "(5 Ft)";
    QTest::addRow("forint negative grouped") << forint << -1200.0 << "(1" + nbsp + "200 Ft)";
    QTest::addRow("forint rounds half away from zero") << forint << 2.5 << "3 Ft";
    QTest::addRow("negative rounding to zero has no sign") << forint << -0.4 << "0 Ft";
    // The default of a floating-point field.
    const QString money = "0.00, Ft;(0.00, Ft)";
    QTest::addRow("money two decimals") << money << 1200.5 << "1" + nbsp + "200,50 Ft";
    QTest::addRow("money zero") << money << 0.0 << "0,00 Ft";
    QTest::addRow("money rounds to the shown decimals") << money << 0.125 << "0,13 Ft";
    QTest::addRow("money negative") << money << -1234.5 << "(1" + nbsp + "234,50 Ft)";
    // The default of the integer kinds.
    QTest::addRow("plain") << "0;-0" << 12345.0 << "12345";
    QTest::addRow("plain negative") << "0;-0" << -32768.0 << "-32768";
    QTest::addRow("plain rounds") << "0;-0" << 1.5 << "2";
    // One section: negatives get a leading minus.
    QTest::addRow("one section negative") << "0 Ft" << -7.0 << "-7 Ft";
    QTest::addRow("empty negative section") << "0;" << -7.0 << "-7";
    QTest::addRow("zero section") << "0;(0);nulla" << 0.0 << "nulla";
    QTest::addRow("zero section after rounding") << "0;(0);nulla" << -0.2 << "nulla";
    // Digit places.
    QTest::addRow("leading zeros") << "000" << 7.0 << "007";
    QTest::addRow("optional digits") << "#,##0" << 1234567.0 << "1" + nbsp + "234" + nbsp + "567";
    QTest::addRow("optional decimals trimmed") << "0.##" << 1.5 << "1,5";
    QTest::addRow("optional decimals all trimmed") << "0.##" << 2.0 << "2";
    QTest::addRow("grouping comma at the start") << ",0" << 50000.0 << "50" + nbsp + "000";
    QTest::addRow("quoted literal") << "0 \"db;0\"" << 3.0 << "3 db;0";
    QTest::addRow("literal between digits") << "00-00" << 1234.0 << "12-34";
    QTest::addRow("literals only") << "nincs" << 5.0 << "nincs";
    QTest::addRow("empty format") << "" << 1234.5 << "1234,5";
    QTest::addRow("large value") << forint << 2147483647.0
                                 << "2" + nbsp + "147" + nbsp + "483" + nbsp + "647 Ft";
}

void TestDisplayFormat::hungarian()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatFloat(format, value, QLocale(QLocale::Hungarian, QLocale::Hungary)), expected);
}

void TestDisplayFormat::otherLocales_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    QTest::addRow("en money") << en << "0.00, Ft;(0.00, Ft)" << 1200.5 << "1,200.50 Ft";
    QTest::addRow("de money") << de << "0.00, Ft;(0.00, Ft)" << -1200.5 << "(1.200,50 Ft)";
    QTest::addRow("C no grouping asked") << QLocale::c() << "0.0" << 1234.25 << "1234.3";
}

void TestDisplayFormat::otherLocales()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatFloat(format, value, locale), expected);
}

void TestDisplayFormat::nonFiniteValues()
{
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    QCOMPARE(formatFloat("0, Ft", std::numeric_limits<double>::quiet_NaN(), hu), QString("NAN"));
    QCOMPARE(formatFloat("0, Ft", std::numeric_limits<double>::infinity(), hu), QString("INF"));
    QCOMPARE(formatFloat("0, Ft", -std::numeric_limits<double>::infinity(), hu), QString("-INF"));
    // The largest double is formatted in full, not cut or crashed on.
    const QString huge = formatFloat("0", std::numeric_limits<double>::max(), hu);
    QCOMPARE(huge.size(), 309);
}

void TestDisplayFormat::numbersReadBackAsShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    // What the money fields show comes back as its number.
    QTest::addRow("shown amount") << hu.toCurrencyString(12500.0, "Ft", 0) << true << 12500.0;
    QTest::addRow("typed with plain spaces") << "12 500 Ft" << true << 12500.0;
    QTest::addRow("millions") << "1 234 567 Ft" << true << 1234567.0;
    QTest::addRow("narrow no-break space") << "12\u202f500" << true << 12500.0;
    QTest::addRow("no grouping, no symbol") << "12500" << true << 12500.0;
    QTest::addRow("symbol without space") << "12500Ft" << true << 12500.0;
    QTest::addRow("symbol in small letters") << "300 ft" << true << 300.0;
    QTest::addRow("symbol in front") << "Ft 300" << true << 300.0;
    QTest::addRow("decimal comma") << "1 200,5 Ft" << true << 1200.5;
    QTest::addRow("decimal point") << "1,5" << true << 1.5;
    QTest::addRow("point as typed on a keypad") << "9.5" << true << 9.5;
    QTest::addRow("negative") << "-1 200 Ft" << true << -1200.0;
    QTest::addRow("spaces around") << "  42  " << true << 42.0;
    // Anything else is left for the engine to refuse with its own message.
    QTest::addRow("empty") << "" << false << 0.0;
    QTest::addRow("symbol alone") << "Ft" << false << 0.0;
    QTest::addRow("word") << "sok" << false << 0.0;
    QTest::addRow("badly grouped") << "1 25 000" << false << 0.0;
    QTest::addRow("first group too long") << "1250 000" << false << 0.0;
    QTest::addRow("double space") << "12  500" << false << 0.0;
    QTest::addRow("another currency") << "12 500 EUR" << false << 0.0;
    QTest::addRow("two decimal points") << "1,2,3" << false << 0.0;
    QTest::addRow("point without decimals") << "12," << false << 0.0;
    QTest::addRow("text after the number") << "12 500 Ft kb." << false << 0.0;
}

void TestDisplayFormat::numbersReadBackAsShown()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double read = -7;
    QCOMPARE(displayformat::readNumber(text, &read, QLocale(QLocale::Hungarian, QLocale::Hungary)), ok);
    QCOMPARE(read, ok ? value : -7.0);
}

ZOMIR_TEST_MAIN(TestDisplayFormat)
#include "tst_displayformat.moc"
