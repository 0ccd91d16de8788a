// The game's own calculator: the pocket-calculator working of its keys, and its window
// driven by the keyboard.

#include "controls/szamologep.h"
#include "tests/support/testenv.h"

#include <QLabel>
#include <QPushButton>

class TestSzamologep : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addRow("digits") << "120" << "120";
        QTest::addRow("leading zero dropped") << "007" << "7";
        QTest::addRow("left to right") << "2+3*4=" << "20";
        QTest::addRow("wage times rate") << "200000*0.06=" << "12000";
        QTest::addRow("decimal comma") << "1,5+1,25=" << "2,75";
        QTest::addRow("second point ignored") << "1.2.5" << "1,25";
        QTest::addRow("operator shows the running result") << "10-4*" << "6";
        QTest::addRow("changing the operator") << "10+-4=" << "6";
        QTest::addRow("division") << "336960/12=" << "28080";
        QTest::addRow("division by zero") << "5/0=" << "Hiba";
        QTest::addRow("after an error a number starts again") << "5/0=7+1=" << "8";
        QTest::addRow("clear") << "12+3C" << "0";
        QTest::addRow("back a digit") << "123<" << "12";
        QTest::addRow("sign") << "12~" << "-12";
        QTest::addRow("sign then back to zero") << "5~<" << "0";
        QTest::addRow("result goes on") << "2*3=+4=" << "10";
        QTest::addRow("unknown keys ignored") << "1a2 b" << "12";
        QTest::addRow("fifteen digits at most") << "1234567890123456789" << "123456789012345";
        QTest::addRow("a third") << "1/3=" << "0,333333333333333";
    }
    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        CalculatorEngine engine;
        for (const QChar key : keys)
            engine.press(key);
        QCOMPARE(engine.display(), display);
    }

    void windowTakesTheKeyboard()
    {
        TSzamologep window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClicks(&window, "12x3");
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(window.Display->text(), QString("36"));
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(window.Display->text(), QString("0"));
        QTest::mouseClick(window.key("9"), Qt::LeftButton);
        QTest::mouseClick(window.key("÷"), Qt::LeftButton);
        QTest::mouseClick(window.key("4"), Qt::LeftButton);
        QTest::mouseClick(window.key("="), Qt::LeftButton);
        QCOMPARE(window.Display->text(), QString("2,25"));
    }
};

ZOMIR_TEST_MAIN(TestSzamologep)
#include "tst_szamologep.moc"
