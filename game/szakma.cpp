#include "game/szakma.h"

#include "controls/application.h"
#include "game/careerwidgets.h"
#include "controls/dialogs.h"
#include "game/game.h"
#include "rules/interest.h"
#include "gui/look.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace {

// A picture read every this many milliseconds until all are, while other screens are in use.
constexpr int kPictureInterval = 1;

enum Fit { Stretched, Natural, Unscaled };

struct Place {
    int left, top, width, height;
    Fit fit;
    int rLeft, rTop, rWidth, rHeight;
};

// Picture and radio button of each profession inside GroupBox1, by code (1 first).
constexpr Place kPlaces[30] = {
    {400, 432, 100, 132, Stretched, 504, 424, 113, 33},
    {64, 224, 151, 113, Stretched, 80, 344, 113, 33},
    {160, 960, 160, 120, Stretched, 160, 1088, 161, 17},
    {8, 928, 130, 130, Stretched, 8, 1056, 129, 17},
    {176, 1288, 166, 133, Stretched, 200, 1272, 113, 17},
    {24, 768, 155, 100, Stretched, 40, 872, 121, 33},
    {200, 664, 150, 95, Stretched, 224, 760, 113, 17},
    {640, 328, 115, 150, Stretched, 640, 480, 113, 25},
    {320, 104, 144, 111, Stretched, 320, 208, 137, 41},
    {8, 432, 200, 127, Stretched, 8, 416, 161, 17},
    {16, 80, 150, 100, Stretched, 40, 184, 113, 17},
    {192, 1128, 130, 82, Stretched, 192, 1208, 129, 17},
    {200, 800, 158, 103, Stretched, 224, 904, 113, 25},
    {408, 1328, 167, 125, Unscaled, 576, 1432, 121, 17},
    {520, 536, 115, 116, Stretched, 640, 552, 121, 25},
    {344, 1024, 166, 125, Stretched, 368, 1152, 121, 17},
    {8, 1360, 160, 110, Stretched, 24, 1472, 121, 17},
    {360, 624, 146, 109, Stretched, 376, 736, 113, 17},
    {184, 16, 100, 133, Stretched, 288, 64, 89, 17},
    {224, 448, 150, 165, Natural, 224, 616, 137, 25},
    {264, 264, 100, 142, Stretched, 256, 408, 121, 17},
    {480, 32, 123, 226, Stretched, 608, 24, 113, 33},
    {376, 784, 159, 195, Stretched, 416, 984, 65, 17},
    {24, 1112, 150, 150, Stretched, 32, 1264, 121, 33},
    {408, 280, 170, 128, Stretched, 584, 288, 113, 17},
    {552, 920, 180, 274, Natural, 576, 1192, 145, 49},
    {48, 600, 117, 97, Stretched, 48, 704, 113, 33},
    {632, 112, 125, 111, Stretched, 632, 224, 121, 17},
    {344, 1192, 182, 123, Stretched, 528, 1272, 113, 41},
    {560, 704, 155, 210, Natural, 592, 688, 113, 17},
};

constexpr int kContentHeight = 1709;   // the bottom of GroupBox1
constexpr int kWheelStep = 10;

const char kInstructions[] =
    "Az alábbi listából egy rádiógombra kattintva kiválaszthatod a neked leginkább tetsző "
    "foglalkozást. A foglalkozások mellett felkiátójel jelzi a teszted alapján hozzád legözelebb "
    "álló foglalkozásokat. A képekre kattintva a szakmákról kaphatsz rövid ismertetést egy "
    "ablakban. Válaszd ki a tehát a neked legjobban tetsző szakmát és kattints alul a - "
    "Választottam - nyomógombra!";

}  // namespace

TfSzakma::TfSzakma(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      ProfilePicturePath(game->state.ProfilePicturePath),
      ProfileSheetPath(game->state.ProfileSheetPath),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("fSzakma"));
    setWindowTitle(QStringLiteral("Pályaválasztás"));
    setFixedSize(792, 536);
    setFont(look::sansPoints(8));
    gamescreen::applyBackground(this);
    gamescreen::setHelpContext(this, 11);

    // FormCreate: the client area scrolls vertically.
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setGeometry(0, 0, 792, 536);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->viewport()->setAutoFillBackground(false);
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("Content"));
    content->setFixedSize(8 + 771, kContentHeight);
    ScrollBox->setWidget(content);
    ScrollBox->viewport()->installEventFilter(this);

    Image1 = new QLabel(content);
    Image1->setObjectName(QStringLiteral("Image1"));
    const QPixmap question = look::picture(QStringLiteral(":/pict/kerdojel.png"));
    Image1->setPixmap(question);
    Image1->setGeometry(QRect(QPoint(0, 0), question.isNull() ? QSize(100, 100) : question.size()));

    lErtekel = new QLabel(content);
    lErtekel->setObjectName(QStringLiteral("lErtekel"));
    lErtekel->setWordWrap(true);
    lErtekel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lErtekel->setFont(look::sansPoints(9, true));
    lErtekel->setGeometry(112, 0, 597, 16);

    Label1 = new TWrapLabel(QString::fromUtf8(kInstructions), content);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 112, 724, 39);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);

    BitBtn1 = new QPushButton(QStringLiteral("&Inkább kitöltöm újra!"), content);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(616, 80, 137, 25);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));

    GroupBox1 = new QGroupBox(QStringLiteral("Pályaválasztás"), content);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 176, 771, 1533);
    GroupBox1->setFont(look::sansPoints(8, true));

    const QPixmap mark = look::picture(QStringLiteral(":/pict/felkialtojel.png"));
    for (const career::Profession &p : career::professions()) {
        const Place &place = kPlaces[p.code - 1];
        auto *image = new TClickImage(GroupBox1);
        image->setObjectName(QStringLiteral("Image%1").arg(p.image));
        // The pictures are decoded when the window is first shown; only their sizes are
        // read here, so that creating the window at start-up stays cheap.
        const QString picturePath = QStringLiteral(":/szakma/%1.png").arg(p.code);
        m_picturePaths[p.image - 2] = picturePath;
        QSize size(place.width, place.height);
        switch (place.fit) {
        case Stretched:
            image->setScaledContents(true);
            break;
        case Natural:
            // Only these take the picture's own size; the others need no reading at all.
            if (const QSize pictureSize = QImageReader(picturePath).size(); pictureSize.isValid())
                size = pictureSize;
            break;
        case Unscaled:
            image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
        }
        image->setGeometry(QRect(QPoint(place.left, place.top), size));
        m_images[p.image - 2] = image;
        image->setAccessibleName(QStringLiteral("Pályatükör: ") + QString::fromUtf8(p.caption));
        const int imageNumber = p.image;
        connect(image, &TClickImage::clicked, this, [this, imageNumber] { ImageClick(imageNumber); });

        auto *felk = new QLabel(GroupBox1);
        felk->setObjectName(QStringLiteral("Felk%1").arg(p.mark));
        felk->setPixmap(mark);
        felk->setScaledContents(true);
        const int offset = p.code == 26 ? 8 : 0;
        felk->setGeometry(place.left + offset, place.top + offset, 11, 40);
        felk->setAttribute(Qt::WA_TransparentForMouseEvents);
        felk->setVisible(false);
        m_marks[p.mark - 1] = felk;

        auto *radio = new TWrapRadioButton(QString::fromUtf8(p.caption), GroupBox1);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(p.radio));
        radio->setGeometry(place.rLeft, place.rTop, place.rWidth, place.rHeight);
        m_radios[p.radio - 1] = radio;
        radio->installEventFilter(this);
    }
    for (QLabel *felk : m_marks)
        felk->raise();   // drawn over the pictures

    bSzakmaval = new QPushButton(QStringLiteral("&Választottam!"), GroupBox1);
    bSzakmaval->setObjectName(QStringLiteral("bSzakmaval"));
    bSzakmaval->setGeometry(312, 1496, 113, 25);
    bSzakmaval->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));

    // Tab order: BitBtn1, the radio buttons by number, bSzakmaval.
    QWidget *previous = BitBtn1;
    for (QRadioButton *radio : m_radios) {
        setTabOrder(previous, radio);
        previous = radio;
    }
    setTabOrder(previous, bSzakmaval);

    connect(BitBtn1, &QPushButton::clicked, this, &TfSzakma::BitBtn1Click);
    connect(bSzakmaval, &QPushButton::clicked, this, &TfSzakma::bSzakmavalClick);

    m_pictureTimer = new QTimer(this);
    m_pictureTimer->setInterval(kPictureInterval);
    connect(m_pictureTimer, &QTimer::timeout, this, &TfSzakma::loadNextPicture);
    m_pictureTimer->start();
}

void TfSzakma::loadNextPicture()
{
    if (m_picturesRead < m_images.size()) {
        m_images[m_picturesRead]->setPixmap(look::picture(m_picturePaths[m_picturesRead]));
        ++m_picturesRead;
    }
    if (m_picturesRead == m_images.size())
        m_pictureTimer->stop();
}

int TfSzakma::scrollPosition() const { return ScrollBox->verticalScrollBar()->value(); }

int TfSzakma::scrollRange() const { return ScrollBox->verticalScrollBar()->maximum(); }

// The scroll bar keeps the position within its range itself.
void TfSzakma::scrollTo(int position) { ScrollBox->verticalScrollBar()->setValue(position); }

void TfSzakma::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    while (m_picturesRead < m_images.size())
        loadNextPicture();
    guarded(this, [this] { FormShow(); });
}

void TfSzakma::FormShow()
{
    const career::TestResult result = career::readTestResult(QStringLiteral("szakma.txt"));
    const QStringList clauses = career::readClauses(QStringLiteral("szakmaleiras.txt"));

    lErtekel->setText(career::recommendationText(result, clauses));
    lErtekel->setFixedHeight(lErtekel->heightForWidth(lErtekel->width()));

    for (QLabel *felk : m_marks)
        felk->setVisible(false);
    for (QRadioButton *radio : m_radios)
        radio->setAccessibleDescription(QString());
    // A screen reader says of a marked profession what the mark on its picture shows.
    for (int number : career::shownMarks(result.first)) {
        Felk(number)->setVisible(true);
        if (const career::Profession *p = career::professionByMark(number))
            RadioButton(p->radio)->setAccessibleDescription(QStringLiteral("Ajánlott szakma"));
    }

    for (QRadioButton *radio : m_radios) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    m_wheelRest = 0;
    scrollTo(0);
}

void TfSzakma::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfSzakma::FormActivate()
{
    QWidget *sheet = m_game->screen(Game::Screen::Palya);
    if (sheet && sheet->isVisible())
        sheet->close();
}

void TfSzakma::ImageClick(int imageNumber)
{
    const career::Profession *p = career::professionByImage(imageNumber);
    if (!p)
        return;
    m_game->state.ProfilePicturePath = QString::fromUtf8(p->picture);
    m_game->state.ProfileSheetPath = QString::fromUtf8(p->sheet);
    m_game->show(Game::Screen::Palya);
}

void TfSzakma::BitBtn1Click()
{
    hide();
    m_game->hide(Game::Screen::Palya);
    m_game->show(Game::Screen::Teszt);
}

void TfSzakma::bSzakmavalClick()
{
    guarded(this, [this] { confirmChoice(); });
}

void TfSzakma::confirmChoice()
{
    const career::Profession *chosen = nullptr;
    QString caption;
    for (int number = 1; number <= career::kProfessionCount; ++number) {
        if (RadioButton(number)->isChecked()) {
            chosen = career::professionByRadio(number);
            caption = RadioButton(number)->text();
        }
    }
    if (!chosen) {
        m_game->dialogs()->message(QStringLiteral("Nem választottál szakmát!"));
        return;
    }
    m_game->state.JobKey = chosen->code;
    m_game->dialogs()->message(career::choiceMessage(caption));
    career::writeChoiceFile(QStringLiteral("Szakmavalasztas.txt"), chosen->code, caption);
    hide();
    m_game->hide(Game::Screen::Palya);
    m_game->hide(Game::Screen::Teszt);
    m_game->showMainPage(PageHaz);
}

void TfSzakma::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    m_game->hide(Game::Screen::Palya);
    m_game->show(Game::Screen::Indul);
}

bool TfSzakma::FormCloseQuery()
{
    return m_game->dialogs()->confirm(QStringLiteral("Biztos, hogy újra akarod kezdeni?"));
}

void TfSzakma::FormMouseWheelDown() { scrollTo(scrollPosition() + kWheelStep); }

void TfSzakma::FormMouseWheelUp() { scrollTo(scrollPosition() - kWheelStep); }

bool TfSzakma::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ScrollBox->viewport() && event->type() == QEvent::Wheel) {
        // One step of 10 pixels for each notch of the wheel (120 units).
        m_wheelRest += static_cast<QWheelEvent *>(event)->angleDelta().y();
        while (m_wheelRest >= 120) {
            m_wheelRest -= 120;
            FormMouseWheelUp();
        }
        while (m_wheelRest <= -120) {
            m_wheelRest += 120;
            FormMouseWheelDown();
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // The arrows go through the professions in their numbers' order (reading order),
        // choosing each as they reach it, so that every one is reached from the keyboard.
        const auto found = std::find(m_radios.begin(), m_radios.end(), watched);
        const int index = found == m_radios.end() ? -1 : int(found - m_radios.begin());
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Enter on a profession opens its career sheet, as a click on its picture does.
        if (index >= 0 && (key == Qt::Key_Return || key == Qt::Key_Enter)
            && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            if (const career::Profession *p = career::professionByRadio(index + 1))
                ImageClick(p->image);
            return true;
        }
        const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                         : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                     : 0;
        if (index >= 0 && step != 0) {
            const int count = int(m_radios.size());
            QRadioButton *next = m_radios[std::size_t((index + step + count) % count)];
            next->setFocus(Qt::TabFocusReason);
            next->setChecked(true);
            ScrollBox->ensureWidgetVisible(next, 20, 60);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
