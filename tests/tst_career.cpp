// The career screens on real widgets: the interest test, the profession choice and the
// career profile sheet, driven by clicks over a game run of their own.

#include "game/game.h"
#include "gui/look.h"
#include "rules/interest.h"
#include "game/kival.h"
#include "game/nyito.h"
#include "game/palya.h"
#include "rules/rtfreader.h"
#include "tests/support/shellfixture.h"
#include "game/szakma.h"
#include "game/teszt.h"
#include "tests/support/readfile.h"
#include "tests/support/testenv.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QWheelEvent>

using namespace shellfixture;

namespace {

const QString kFixed = QStringLiteral(
    "Elérkezett a pályaválasztás ideje. Az előzőekben kitöltött teszt válaszai alapján  neked "
    "elsősorban olyan munkát ajánlunk, ahol");
const QString kSecond = QStringLiteral(" Másodsorban pedig olyan szakmát, ahol");

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A game run in a working folder of its own, made current, with the three clauses of
// "szakmaleiras.txt"; errors escaping handlers are recorded with the run's dialogs.
struct CareerRun {
    WorkFolder work;
    QTemporaryDir config;
    CurrentFolder cwd{work.path()};
    Run run{config.filePath(QStringLiteral("engine.ini"))};
    Game &game = run.game;
    ScriptedDialogs &dialogs = run.dialogs;

    CareerRun()
    {
        writeFile(work.file(QStringLiteral("szakmaleiras.txt")),
                  "a k\xe9zzel dolgozol.\r\nemberekkel foglalkozol.\r\n\xfaj \xf6tleteken dolgozol.\r\n");
        if (!game.create())
            qFatal("the game could not be created");
        m_previousDialogs = ZApplication::instance()->dialogs();
        ZApplication::instance()->setDialogs(&run.dialogs);
        dialogs.clear();
    }
    ~CareerRun()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        ZApplication::instance()->setDialogs(m_previousDialogs);
    }
    Dialogs *m_previousDialogs = nullptr;

    void showChoice(const QByteArray &szakmaTxt)
    {
        writeFile(work.file(QStringLiteral("szakma.txt")), szakmaTxt);
        game.fSzakma->show();
        QVERIFY(QTest::qWaitForWindowExposed(game.fSzakma));
    }

    // A JPEG or BMP picture of the given size at a game path.
    void picture(const QString &gamePath, QSize size, QColor colour)
    {
        QString path = work.file(gamePath);
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        QDir().mkpath(QFileInfo(path).path());
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(path, path.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPEG"));
    }

    // A sheet whose title is `title`, followed by `paragraphs` lines of text.
    void sheet(const QString &gamePath, const QByteArray &title, int paragraphs = 3)
    {
        QString path = work.file(gamePath);
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0"
                         "\\pard\\qc\\b\\fs32 " + title + "\\par\\pard\\b0\\fs20 ";
        for (int i = 0; i < paragraphs; ++i)
            rtf += "Sor " + QByteArray::number(i + 1) + ": munkak\xf6r\xfclm\xe9nyek.\\par ";
        rtf += "}";
        writeFile(path, rtf);
    }

    // Clicks the picture of a profession and waits for the sheet to be active.
    bool openSheet(int code)
    {
        const career::Profession *p = career::professionByCode(code);
        QTest::mouseClick(game.fSzakma->Image(p->image), Qt::LeftButton);
        return QTest::qWaitForWindowActive(game.fPalya);
    }
};

QList<int> visibleMarks(TfSzakma *form)
{
    QList<int> marks;
    for (int n = 1; n <= 30; ++n)
        if (!form->Felk(n)->isHidden())
            marks.append(n);
    return marks;
}

// Error boxes as a desktop shows them: a real window that takes the activation over the
// window it belongs to and, when closed, gives the activation back to that window.
class FocusTakingDialogs : public ScriptedDialogs {
public:
    QWidget *lastOwner = nullptr;
    void error(const QString &text) override { showBox(nullptr, text); }
    void errorOver(QWidget *window, const QString &text) override { showBox(window, text); }

private:
    void showBox(QWidget *window, const QString &text)
    {
        ScriptedDialogs::error(text);
        QWidget *owner = window ? window : QApplication::activeWindow();
        lastOwner = owner;
        QDialog box(owner);
        box.setModal(true);
        box.show();
        // The box is only brought up and taken down again; whether it got the focus does not matter.
        const bool active = QTest::qWaitForWindowActive(&box);
        Q_UNUSED(active);
        box.hide();
        if (owner)
            owner->activateWindow();
    }
};

void wheel(QWidget *target, int notches)
{
    const QPoint pos = target->rect().center();
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

}  // namespace

class TestCareer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void evaluationWritesFileAndShowsChoice();
    void nothingTicked();
    void fillingInAgainComesBackUnticked();
    void closingTheTest_data();
    void closingTheTest();
    void recommendationAndMarks_data();
    void recommendationAndMarks();
    void missingTestResult();
    void marksAndPictures();
    void choosingCode24();
    void noChoice();
    void filesThatCannotBeWritten();
    void helpContexts();
    void closingTheChoice();
    void pictureOpensSheet_data();
    void pictureOpensSheet();
    void secondSheetReplacesFirst();
    void sheetClosesWhenChoiceActivated();
    void sheetByKeyboardInLargerText();
    void printingTheSheet();
    void missingPictureOrSheet_data();
    void missingPictureOrSheet();
    void errorBoxInFrontOfTheSheet_data();
    void errorBoxInFrontOfTheSheet();
    void wheelScrolling();
    void realWorkFolderSheets();
    void screenshots();
};

void TestCareer::evaluationWritesFileAndShowsChoice()
{
    CareerRun r;
    TfTeszt *test = r.game.fTeszt;
    test->show();
    QVERIFY(QTest::qWaitForWindowExposed(test));
    for (int box : {1, 5, 3, 13, 24})
        QTest::mouseClick(test->CheckBox(box), Qt::LeftButton);
    QVERIFY(test->CheckBox(5)->isChecked());
    QTest::mouseClick(test->BitBtn1, Qt::LeftButton);

    // Things 2, People 1, Ideas 2: Ideas before Things on the tie.
    QCOMPARE(testenv::readAll(r.work.file("szakma.txt")), QByteArray("3\r\n1\r\n2\r\n2\r\n2\r\n1\r\n"));
    QVERIFY(!test->isVisible());
    QVERIFY(r.game.fSzakma->isVisible());
    QCOMPARE(r.game.fSzakma->lErtekel->text(),
             kFixed + QStringLiteral("új ötleteken dolgozol.") + kSecond + "a kézzel dolgozol.");
    QVERIFY(r.dialogs.shown.isEmpty());
}

void TestCareer::nothingTicked()
{
    CareerRun r;
    writeFile(r.work.file("szakma.txt"), "earlier");
    r.game.fTeszt->show();
    QTest::mouseClick(r.game.fTeszt->BitBtn1, Qt::LeftButton);
    QCOMPARE(r.dialogs.texts("message"), QStringList{"Legalább egy dolgot meg kell jelölnöd!"});
    QCOMPARE(testenv::readAll(r.work.file("szakma.txt")), QByteArray("earlier"));
    QVERIFY(r.game.fTeszt->isVisible());
    QVERIFY(!r.game.fSzakma->isVisible());
}

void TestCareer::fillingInAgainComesBackUnticked()
{
    CareerRun r;
    TfTeszt *test = r.game.fTeszt;
    test->show();
    QTest::mouseClick(test->CheckBox(2), Qt::LeftButton);
    QTest::mouseClick(test->CheckBox(17), Qt::LeftButton);
    QTest::mouseClick(test->BitBtn1, Qt::LeftButton);
    QVERIFY(r.game.fSzakma->isVisible());
    QTest::mouseClick(r.game.fSzakma->RadioButton(3), Qt::LeftButton);

    QTest::mouseClick(r.game.fSzakma->BitBtn1, Qt::LeftButton);
    QVERIFY(!r.game.fSzakma->isVisible());
    QVERIFY(test->isVisible());
    for (int box = 1; box <= 24; ++box)
        QVERIFY2(!test->CheckBox(box)->isChecked(), qPrintable(QString::number(box)));

    // A new evaluation shows the new recommendation and no chosen profession.
    QTest::mouseClick(test->CheckBox(1), Qt::LeftButton);
    QTest::mouseClick(test->BitBtn1, Qt::LeftButton);
    QCOMPARE(r.game.fSzakma->lErtekel->text(), kFixed + "a kézzel dolgozol.");
    QCOMPARE(visibleMarks(r.game.fSzakma).first(), 11);
    for (int n = 1; n <= 30; ++n)
        QVERIFY(!r.game.fSzakma->RadioButton(n)->isChecked());
}

void TestCareer::closingTheTest_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addRow("Igen") << true;
    QTest::addRow("Nem") << false;
}

void TestCareer::closingTheTest()
{
    QFETCH(bool, answer);
    CareerRun r;
    TfTeszt *test = r.game.fTeszt;
    test->show();
    QTest::mouseClick(test->CheckBox(7), Qt::LeftButton);
    r.dialogs.confirmAnswers.enqueue(answer);
    test->close();
    QCOMPARE(r.dialogs.texts("confirm"),
             QStringList{"Biztos, hogy kiértékelése nélkül befejezed a teszt kitöltését?"});
    QCOMPARE(test->isVisible(), !answer);
    QCOMPARE(r.game.fIndul->isVisible(), answer);
    QVERIFY(!r.game.MainForm->isVisible());
    if (!answer)
        QVERIFY(test->CheckBox(7)->isChecked());
}

void TestCareer::recommendationAndMarks_data()
{
    QTest::addColumn<QByteArray>("szakma");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("firstMark");   // 0: none
    const QString t = "a kézzel dolgozol.", p = "emberekkel foglalkozol.", i = "új ötleteken dolgozol.";
    QTest::addRow("2 1 3 3 3 1") << QByteArray("2\r\n1\r\n3\r\n3\r\n3\r\n1\r\n") << p + kSecond + t << 1;
    QTest::addRow("1 2 3 5 2 1") << QByteArray("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n") << t << 11;
    QTest::addRow("3 2 1 4 2 0") << QByteArray("3\r\n2\r\n1\r\n4\r\n2\r\n0\r\n") << i + kSecond + p << 21;
    QTest::addRow("1 3 2 1 0 0") << QByteArray("1\r\n3\r\n2\r\n1\r\n0\r\n0\r\n") << t << 11;
    QTest::addRow("category 9") << QByteArray("9\r\n1\r\n3\r\n5\r\n1\r\n1\r\n") << QString() << 0;
}

void TestCareer::recommendationAndMarks()
{
    QFETCH(QByteArray, szakma);
    QFETCH(QString, after);
    QFETCH(int, firstMark);
    CareerRun r;
    TfSzakma *form = r.game.fSzakma;
    // A first showing of another result, then this one: nothing of the first stays.
    r.showChoice("2\r\n1\r\n3\r\n3\r\n3\r\n1\r\n");
    QTest::mouseClick(form->RadioButton(9), Qt::LeftButton);
    form->hide();
    r.showChoice(szakma);

    QCOMPARE(form->lErtekel->text(), kFixed + after);
    QList<int> expected;
    for (int n = firstMark; firstMark && n < firstMark + 10; ++n)
        expected.append(n);
    QCOMPARE(visibleMarks(form), expected);
    for (int n = 1; n <= 30; ++n) {
        QVERIFY(!form->RadioButton(n)->isChecked());
        QVERIFY(form->RadioButton(n)->isEnabled());
    }
    QCOMPARE(form->scrollPosition(), 0);
    // The label grows with its text and stays above the instructions.
    QVERIFY(form->lErtekel->height() >= form->lErtekel->heightForWidth(597));
    QVERIFY(r.dialogs.shown.isEmpty());
}

void TestCareer::missingTestResult()
{
    CareerRun r;
    QFile::remove(r.work.file("szakma.txt"));
    r.game.fSzakma->show();
    QCOMPARE(r.dialogs.texts("error").size(), 1);
    QVERIFY(r.dialogs.texts("error").first().contains("szakma.txt"));
    QVERIFY(r.game.fSzakma->isVisible());
}

// Each mark lies on its own profession's picture's top-left corner (code 26: 8 pixels in)
// and is drawn over it; pictures of natural size take their picture's size.
void TestCareer::marksAndPictures()
{
    CareerRun r;
    TfSzakma *form = r.game.fSzakma;
    QList<QObject *> order = form->GroupBox1->children();
    for (const career::Profession &p : career::professions()) {
        QLabel *picture = form->Image(p.image);
        QLabel *mark = form->Felk(p.mark);
        const int offset = p.code == 26 ? 8 : 0;
        QCOMPARE(mark->pos(), picture->pos() + QPoint(offset, offset));
        QCOMPARE(mark->size(), QSize(11, 40));
        QVERIFY(order.indexOf(mark) > order.indexOf(picture));
        if (p.code != 20 && p.code != 26 && p.code != 30 && p.code != 14) {
            QVERIFY(picture->hasScaledContents());
        }
        QCOMPARE(form->RadioButton(p.radio)->text(), QString::fromUtf8(p.caption));
    }
    // The pictures are the window's own, decoded when it is first shown; those shown at their
    // natural size were laid out at it.
    form->show();
    QVERIFY(!form->Image(2)->pixmap().isNull());
    for (const career::Profession &p : career::professions())
        if (p.code == 20 || p.code == 26 || p.code == 30)
            QCOMPARE(form->Image(p.image)->size(), form->Image(p.image)->pixmap().size());
    form->hide();
}

void TestCareer::choosingCode24()
{
    CareerRun r;
    r.game.fTeszt->show();
    r.showChoice("3\r\n2\r\n1\r\n4\r\n2\r\n0\r\n");
    r.game.fTeszt->show();   // the choice hides the test too
    TfSzakma *form = r.game.fSzakma;
    QTest::mouseClick(form->RadioButton(1), Qt::LeftButton);
    QTest::mouseClick(form->RadioButton(25), Qt::LeftButton);   // code 24
    QVERIFY(!form->RadioButton(1)->isChecked());   // one group
    QTest::mouseClick(form->bSzakmaval, Qt::LeftButton);

    QCOMPARE(r.dialogs.texts("message"),
             QStringList{"A választott szakmád: Grafikusművész - ipari tervezés "});
    QCOMPARE(testenv::readAll(r.work.file("Szakmavalasztas.txt")),
             QByteArray("24\r\nGrafikusm\xfbv\xe9sz - ipari tervez\xe9s \r\n"));
    QCOMPARE(r.game.MainForm->JobKey, 24);
    QVERIFY(!form->isVisible());
    QVERIFY(!r.game.fTeszt->isVisible());
    QVERIFY(r.game.MainForm->isVisible());
    QCOMPARE(r.game.MainForm->PageControl1->currentIndex(), int(TMainForm::PageHaz));
    QVERIFY(r.game.MainForm->PageControl1->isTabVisible(TMainForm::PageHaz));
    QVERIFY(!r.game.MainForm->PageControl1->isTabVisible(TMainForm::PageNev));
}

void TestCareer::noChoice()
{
    CareerRun r;
    r.game.MainForm->JobKey = 7;
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QTest::mouseClick(r.game.fSzakma->bSzakmaval, Qt::LeftButton);
    QCOMPARE(r.dialogs.texts("message"), QStringList{"Nem választottál szakmát!"});
    QVERIFY(!QFile::exists(r.work.file("Szakmavalasztas.txt")));
    QCOMPARE(r.game.MainForm->JobKey, 7);
    QVERIFY(r.game.fSzakma->isVisible());
    QVERIFY(!r.game.MainForm->isVisible());
}

void TestCareer::filesThatCannotBeWritten()
{
    CareerRun r;
    // szakma.txt: the evaluation stops with the error and the test stays.
    QVERIFY(QDir(r.work.path()).mkdir("szakma.txt"));
    r.game.fTeszt->show();
    QTest::mouseClick(r.game.fTeszt->CheckBox(4), Qt::LeftButton);
    QTest::mouseClick(r.game.fTeszt->BitBtn1, Qt::LeftButton);
    QCOMPARE(r.dialogs.texts("error").size(), 1);
    QVERIFY(r.game.fTeszt->isVisible());
    QVERIFY(!r.game.fSzakma->isVisible());
    QVERIFY(QDir(r.work.path()).rmdir("szakma.txt"));

    // Szakmavalasztas.txt: JobKey is set and the choice told, then the error; the choice stays.
    r.dialogs.clear();
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QVERIFY(QDir(r.work.path()).mkdir("Szakmavalasztas.txt"));
    QTest::mouseClick(r.game.fSzakma->RadioButton(2), Qt::LeftButton);   // code 19
    QTest::mouseClick(r.game.fSzakma->bSzakmaval, Qt::LeftButton);
    QCOMPARE(r.game.MainForm->JobKey, 19);
    QCOMPARE(r.dialogs.texts("message"), QStringList{"A választott szakmád: Kertész"});
    QCOMPARE(r.dialogs.texts("error").size(), 1);
    QVERIFY(r.game.fSzakma->isVisible());
    QVERIFY(!r.game.MainForm->isVisible());
    QVERIFY(QDir(r.work.path()).rmdir("Szakmavalasztas.txt"));

    // The file that loading a game writes in lower case is the one overwritten.
    writeFile(r.work.file("szakmavalasztas.txt"), "5\r\nK\xf6nyvt\xe1ros\r\n");
    QTest::mouseClick(r.game.fSzakma->bSzakmaval, Qt::LeftButton);
    QCOMPARE(testenv::readAll(r.work.file("szakmavalasztas.txt")), QByteArray("19\r\nKert\xe9sz\r\n"));
    QVERIFY(!QFileInfo::exists(r.work.file("Szakmavalasztas.txt"))
            || QFileInfo(r.work.file("Szakmavalasztas.txt")).canonicalFilePath()
                   == QFileInfo(r.work.file("szakmavalasztas.txt")).canonicalFilePath());
    QVERIFY(r.game.MainForm->isVisible());
}

void TestCareer::helpContexts()
{
    CareerRun r;
    r.game.fTeszt->show();
    r.game.fTeszt->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fTeszt));
    r.game.fTeszt->CheckBox(3)->setFocus();
    QTest::keyClick(r.game.fTeszt->CheckBox(3), Qt::Key_F1);
    r.game.fTeszt->hide();
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    // The first control to take the focus is "&Inkább kitöltöm újra!", then the radio
    // buttons from RadioButton1.
    r.game.fSzakma->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fSzakma));
    QTRY_COMPARE(QApplication::focusWidget(), r.game.fSzakma->BitBtn1);
    QTest::keyClick(r.game.fSzakma, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), r.game.fSzakma->RadioButton(1));
    QTest::keyClick(r.game.fSzakma->RadioButton(4), Qt::Key_F1);
    QCOMPARE(r.dialogs.texts("help"), (QStringList{"10", "11"}));
}

void TestCareer::closingTheChoice()
{
    CareerRun r;
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    r.dialogs.confirmAnswers << false << true;
    r.game.fSzakma->close();
    QVERIFY(r.game.fSzakma->isVisible());
    r.game.fSzakma->close();
    QCOMPARE(r.dialogs.texts("confirm"),
             QStringList(2, QStringLiteral("Biztos, hogy újra akarod kezdeni?")));
    QVERIFY(!r.game.fSzakma->isVisible());
    QVERIFY(r.game.fIndul->isVisible());
    QVERIFY(!r.game.fTeszt->isVisible() && !r.game.MainForm->isVisible());
}

void TestCareer::pictureOpensSheet_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("picturePath");
    QTest::addColumn<QString>("sheetPath");
    QTest::addRow("code 5") << 5 << QStringLiteral("munka_pict\\könyvtár technikus.jpg")
                            << QStringLiteral("rtf\\Könyvtáros.rtf");
    QTest::addRow("code 19") << 19 << QStringLiteral("munka_pict\\kertész.jpg")
                             << QStringLiteral("rtf\\kertész.rtf");
    QTest::addRow("code 6, a bitmap") << 6 << QStringLiteral("munka_pict\\segélyszolgálati munkatárs.bmp")
                                      << QStringLiteral("rtf\\Segélyszolgálati Munkatárs.rtf");
}

void TestCareer::pictureOpensSheet()
{
    QFETCH(int, code);
    QFETCH(QString, picturePath);
    QFETCH(QString, sheetPath);
    CareerRun r;
    r.picture(picturePath, QSize(233, 180), Qt::darkGreen);
    r.sheet(sheetPath, "C\xedm " + QByteArray::number(code));
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QVERIFY(r.openSheet(code));

    QCOMPARE(r.game.fSzakma->ProfilePicturePath, picturePath);
    QCOMPARE(r.game.fSzakma->ProfileSheetPath, sheetPath);
    TfPalya *sheet = r.game.fPalya;
    QVERIFY(sheet->isVisible());
    QCOMPARE(sheet->Image1->size(), QSize(233, 180));
    QCOMPARE(sheet->Image1->pixmap().size(), QSize(233, 180));
    QCOMPARE(sheet->Image1->pixmap().toImage().pixelColor(100, 100).green() > 80, true);
    QVERIFY(sheet->RichEdit1->toPlainText().startsWith(QStringLiteral("Cím %1\n").arg(code)));
    QVERIFY(r.dialogs.shown.isEmpty());
}

void TestCareer::secondSheetReplacesFirst()
{
    CareerRun r;
    r.picture("munka_pict\\könyvtár technikus.jpg", QSize(200, 150), Qt::red);
    r.sheet("rtf\\Könyvtáros.rtf", "K\xf6nyvt\xe1ros", 120);
    r.picture("munka_pict\\kertész.jpg", QSize(150, 220), Qt::blue);
    r.sheet("rtf\\kertész.rtf", "Kert\xe9sz", 5);
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QVERIFY(r.openSheet(5));
    TfPalya *sheet = r.game.fPalya;
    QVERIFY(sheet->scrollRange() > 200);   // a long sheet grows and scrolls
    wheel(sheet->ScrollBox->viewport(), -15);
    QCOMPARE(sheet->scrollPosition(), 150);

    r.game.fSzakma->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fSzakma));
    QVERIFY(r.openSheet(19));
    QCOMPARE(sheet->Image1->size(), QSize(150, 220));
    QVERIFY(sheet->RichEdit1->toPlainText().startsWith(QStringLiteral("Kertész\n")));
    QVERIFY(!sheet->RichEdit1->toPlainText().contains(QStringLiteral("Sor 100")));
    QCOMPARE(sheet->scrollPosition(), 0);
}

void TestCareer::sheetClosesWhenChoiceActivated()
{
    CareerRun r;
    r.picture("munka_pict\\kertész.jpg", QSize(100, 100), Qt::blue);
    r.sheet("rtf\\kertész.rtf", "Kert\xe9sz");
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QVERIFY(r.openSheet(19));
    QVERIFY(r.game.fPalya->isVisible());
    r.game.fSzakma->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fSzakma));
    QTRY_VERIFY(!r.game.fPalya->isVisible());
    QVERIFY(r.game.fSzakma->isVisible());
    // Its close box only hides it.
    QVERIFY(r.openSheet(19));
    r.game.fPalya->close();
    QVERIFY(!r.game.fPalya->isVisible());
    QVERIFY(r.game.fSzakma->isVisible());
}

// The sheet read with the keys alone, and Ctrl+plus / Ctrl+minus making its text larger
// or smaller for the rest of the session: a reopened sheet keeps the size.
void TestCareer::sheetByKeyboardInLargerText()
{
    CareerRun r;
    r.picture("munka_pict\\kertész.jpg", QSize(100, 100), Qt::blue);
    r.sheet("rtf\\kertész.rtf", "Kert\xe9sz", 120);
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    // Enter on a profession's radio button opens its sheet.
    QRadioButton *gardener = nullptr;
    for (int number = 1; number <= career::kProfessionCount; ++number)
        if (career::professionByRadio(number)->code == 19)
            gardener = r.game.fSzakma->RadioButton(number);
    QVERIFY(gardener);
    gardener->setFocus(Qt::TabFocusReason);
    QTest::keyClick(gardener, Qt::Key_Return);
    TfPalya *sheet = r.game.fPalya;
    QVERIFY(sheet->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(sheet));
    QVERIFY(sheet->RichEdit1->toPlainText().startsWith(QStringLiteral("Kertész\n")));
    const int range = sheet->scrollRange();
    QVERIFY(range > 400);
    QTest::keyClick(sheet, Qt::Key_Down);
    QCOMPARE(sheet->scrollPosition(), 40);
    QTest::keyClick(sheet, Qt::Key_PageDown);
    QVERIFY(sheet->scrollPosition() > 400);
    QTest::keyClick(sheet, Qt::Key_End);
    QCOMPARE(sheet->scrollPosition(), range);
    QTest::keyClick(sheet, Qt::Key_Home);
    QCOMPARE(sheet->scrollPosition(), 0);

    QTest::keyClick(sheet, Qt::Key_Plus, Qt::ControlModifier);
    const int larger = sheet->scrollRange();
    QVERIFY2(larger > range + range / 10, qPrintable(QStringLiteral("%1 -> %2").arg(range).arg(larger)));
    QVERIFY(sheet->RichEdit1->toPlainText().startsWith(QStringLiteral("Kertész\n")));
    QTest::keyClick(sheet, Qt::Key_Escape);
    QVERIFY(!sheet->isVisible());

    r.game.fSzakma->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fSzakma));
    QVERIFY(r.openSheet(19));
    QCOMPARE(sheet->scrollRange(), larger);
    QTest::keyClick(sheet, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(sheet->scrollRange(), range);
    QTest::keyClick(sheet, Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(sheet->scrollRange() < range);
    // Printed in the size as written.
    QTest::mouseClick(sheet->BitBtn1, Qt::LeftButton);
    QCOMPARE(r.dialogs.lastPrintedText.join(QLatin1Char('\n')).count(QLatin1Char('\n')), 120);
    look::setReadingStep(0);
}

void TestCareer::printingTheSheet()
{
    CareerRun r;
    r.picture("munka_pict\\kertész.jpg", QSize(100, 100), Qt::blue);
    r.sheet("rtf\\kertész.rtf", "Kert\xe9sz", 80);
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QVERIFY(r.openSheet(19));
    QTemporaryDir out;
    r.dialogs.pdfPath = out.filePath("sheet.pdf");
    QTest::mouseClick(r.game.fPalya->BitBtn1, Qt::LeftButton);

    QCOMPARE(r.dialogs.texts("print"), QStringList{"rtf\\kertész.rtf"});
    QCOMPARE(r.dialogs.lastJobTitle, QStringLiteral("rtf\\kertész.rtf"));
    const QStringList printed = r.dialogs.lastPrintedText.join(QLatin1Char('\n')).split(QLatin1Char('\n'));
    QCOMPARE(printed.first(), QStringLiteral("Kertész"));
    QCOMPARE(printed.size(), 81);
    // The whole text, over as many pages as it needs.
    const QByteArray pdf = testenv::readAll(r.dialogs.pdfPath);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.count("/Type /Page") - pdf.count("/Type /Pages") >= 2);
}

void TestCareer::missingPictureOrSheet_data()
{
    QTest::addColumn<bool>("pictureMissing");
    QTest::addRow("picture missing") << true;
    QTest::addRow("sheet missing") << false;
}

void TestCareer::missingPictureOrSheet()
{
    QFETCH(bool, pictureMissing);
    CareerRun r;
    r.picture("munka_pict\\kertész.jpg", QSize(120, 90), Qt::blue);
    r.sheet("rtf\\kertész.rtf", "Kert\xe9sz", 100);
    if (!pictureMissing)
        r.picture("munka_pict\\fordító.jpg", QSize(90, 120), Qt::yellow);
    else
        r.sheet("rtf\\Fordító.rtf", "Ford\xedt\xf3");
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    QVERIFY(r.openSheet(19));
    TfPalya *sheet = r.game.fPalya;
    wheel(sheet->ScrollBox->viewport(), -3);
    QCOMPARE(sheet->scrollPosition(), 30);

    r.game.fSzakma->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fSzakma));
    QVERIFY(r.openSheet(23));   // Fordító: one of its files is missing
    QTest::qWait(50);
    const QStringList errors = r.dialogs.texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(pictureMissing ? QStringLiteral("munka_pict\\fordító.jpg")
                                                    : QStringLiteral("Fordító.rtf")),
             qPrintable(errors.first()));
    // The old description and scroll position stay; the new picture only when it loaded.
    QVERIFY(sheet->RichEdit1->toPlainText().startsWith(QStringLiteral("Kertész")));
    QCOMPARE(sheet->scrollPosition(), 30);
    QCOMPARE(sheet->Image1->size(), pictureMissing ? QSize(120, 90) : QSize(90, 120));

    // The window stays usable: it scrolls, prints, and is not reloaded over and over.
    wheel(sheet->ScrollBox->viewport(), -1);
    QCOMPARE(sheet->scrollPosition(), 40);
    QTest::mouseClick(sheet->BitBtn1, Qt::LeftButton);
    QCOMPARE(r.dialogs.texts("print"), QStringList{"rtf\\Fordító.rtf"});
    // An error box takes the activation and gives it back: no second error.
    QWidget box;
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.hide();
    sheet->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(sheet));
    QCOMPARE(r.dialogs.texts("error").size(), 1);
    // A new showing loads again.
    sheet->hide();
    QVERIFY(r.openSheet(23));
    QTRY_COMPARE(r.dialogs.texts("error").size(), 2);
}

void TestCareer::errorBoxInFrontOfTheSheet_data()
{
    QTest::addColumn<bool>("pictureMissing");
    QTest::addRow("picture missing") << true;
    QTest::addRow("sheet missing") << false;
}

// The error of a sheet that cannot be loaded comes up in front of the sheet, which stays
// open and active with what it could load; the profession choice does not take over and
// close it.
void TestCareer::errorBoxInFrontOfTheSheet()
{
    QFETCH(bool, pictureMissing);
    CareerRun r;
    if (pictureMissing)
        r.sheet("rtf\\Fordító.rtf", "Ford\xedt\xf3");
    else
        r.picture("munka_pict\\fordító.jpg", QSize(90, 120), Qt::yellow);
    FocusTakingDialogs boxes;
    ZApplication::instance()->setDialogs(&boxes);
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    r.game.fSzakma->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.game.fSzakma));

    const career::Profession *p = career::professionByCode(23);
    QTest::mouseClick(r.game.fSzakma->Image(p->image), Qt::LeftButton);
    QTRY_COMPARE(boxes.texts(QStringLiteral("error")).size(), 1);
    QCOMPARE(boxes.lastOwner, static_cast<QWidget *>(r.game.fPalya));
    QTest::qWait(100);
    QVERIFY(r.game.fPalya->isVisible());
    QTRY_VERIFY(r.game.fPalya->isActiveWindow());
    QCOMPARE(r.game.fPalya->Image1->size(), pictureMissing ? QSize(297, 249) : QSize(90, 120));
    QCOMPARE(boxes.texts(QStringLiteral("error")).size(), 1);
    ZApplication::instance()->setDialogs(&r.dialogs);
}

void TestCareer::wheelScrolling()
{
    CareerRun r;
    r.showChoice("1\r\n2\r\n3\r\n5\r\n2\r\n1\r\n");
    TfSzakma *form = r.game.fSzakma;
    const int range = form->scrollRange();
    QCOMPARE(range, 1709 - form->ScrollBox->viewport()->height());
    wheel(form->ScrollBox->viewport(), 1);   // up at the top
    QCOMPARE(form->scrollPosition(), 0);
    wheel(form->ScrollBox->viewport(), -1);
    QCOMPARE(form->scrollPosition(), 10);
    wheel(form->ScrollBox->viewport(), -7);
    QCOMPARE(form->scrollPosition(), 80);
    wheel(form->ScrollBox->viewport(), 2);
    QCOMPARE(form->scrollPosition(), 60);
    wheel(form->ScrollBox->viewport(), -1000);   // down at the bottom
    QCOMPARE(form->scrollPosition(), range);
    wheel(form->ScrollBox->viewport(), -1);
    QCOMPARE(form->scrollPosition(), range);
    // The confirm button lies at the bottom of the content.
    QCOMPARE(form->bSzakmaval->mapTo(form->ScrollBox->widget(), QPoint(0, 0)).y(), 176 + 1496);
    // Another showing starts at the top again.
    form->hide();
    form->show();
    QCOMPARE(form->scrollPosition(), 0);
}

// The 30 pictures and sheets of the built working folder all open.
void TestCareer::realWorkFolderSheets()
{
    const QString folder = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    if (folder.isEmpty() || !QFileInfo::exists(folder + QStringLiteral("/rtf")))
        QSKIP("no built working folder");
    for (const career::Profession &p : career::professions()) {
        const QString picture = career::localPath(QString::fromUtf8(p.picture), folder);
        QImage image(picture);
        QVERIFY2(!image.isNull(), qPrintable(picture));
        QTextDocument doc;
        rtf::readFile(career::localPath(QString::fromUtf8(p.sheet), folder), &doc);
        QVERIFY2(doc.toPlainText().size() > 100, p.sheet);
    }
}

// Pictures of the three screens for a person to look at, written only when
// ZOMIR_SCREENSHOTS names a folder; the built working folder's files are used when there.
void TestCareer::screenshots()
{
    const QString shots = qEnvironmentVariable("ZOMIR_SCREENSHOTS");
    if (shots.isEmpty())
        QSKIP("ZOMIR_SCREENSHOTS not set");
    QDir().mkpath(shots);
    CareerRun r;
    const QString folder = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    for (int code : {19, 5, 24}) {
        const career::Profession *p = career::professionByCode(code);
        for (const char *file : {p->picture, p->sheet}) {
            const QString from = career::localPath(QString::fromUtf8(file), folder);
            QString to = r.work.file(QString::fromUtf8(file));
            to.replace(QLatin1Char('\\'), QLatin1Char('/'));
            QDir().mkpath(QFileInfo(to).path());
            if (!QFile::copy(from, to)) {
                if (QString::fromUtf8(file).endsWith(QLatin1String(".rtf")))
                    r.sheet(QString::fromUtf8(file), p->caption, 20);
                else
                    r.picture(QString::fromUtf8(file), QSize(233, 233), Qt::darkCyan);
            }
        }
    }
    if (QFileInfo::exists(folder + QStringLiteral("/szakmaleiras.txt"))) {
        QFile::remove(r.work.file("szakmaleiras.txt"));
        QFile::copy(folder + QStringLiteral("/szakmaleiras.txt"), r.work.file("szakmaleiras.txt"));
    }

    TfTeszt *test = r.game.fTeszt;
    test->show();
    QVERIFY(QTest::qWaitForWindowExposed(test));
    for (int box : {2, 7, 10, 16, 17, 21})
        QTest::mouseClick(test->CheckBox(box), Qt::LeftButton);
    QTest::qWait(100);
    QVERIFY(test->grab().save(shots + QStringLiteral("/teszt.png")));
    QTest::mouseClick(test->BitBtn1, Qt::LeftButton);

    TfSzakma *form = r.game.fSzakma;
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QTest::qWait(100);
    QVERIFY(form->grab().save(shots + QStringLiteral("/szakma_top.png")));
    QTest::mouseClick(form->RadioButton(25), Qt::LeftButton);
    wheel(form->ScrollBox->viewport(), -200);
    QTest::qWait(100);
    QVERIFY(form->grab().save(shots + QStringLiteral("/szakma_bottom.png")));

    int n = 0;
    for (int code : {19, 5}) {
        form->activateWindow();
        (void)QTest::qWaitForWindowActive(form);
        QVERIFY(r.openSheet(code));
        QTest::qWait(200);
        QVERIFY(r.game.fPalya->grab().save(shots + QStringLiteral("/palya%1.png").arg(++n)));
    }
    QVERIFY2(r.dialogs.texts("error").isEmpty(), qPrintable(r.dialogs.texts("error").join('|')));
}

ZOMIR_TEST_MAIN(TestCareer)
#include "tst_career.moc"
