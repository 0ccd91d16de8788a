#include "game/teszt.h"

#include "controls/application.h"
#include "game/careerwidgets.h"
#include "controls/dialogs.h"
#include "game/game.h"
#include "rules/interest.h"
#include "gui/look.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace {

// Check box geometry inside GroupBox1: left, top, width, height (CheckBox1 first).
constexpr int kBoxGeometry[24][4] = {
    {4, 23, 200, 25},   {4, 58, 200, 25},   {4, 94, 200, 25},   {4, 129, 200, 25},
    {4, 165, 200, 25},  {4, 200, 200, 25},  {4, 236, 221, 25},  {4, 272, 200, 25},
    {230, 23, 200, 25}, {230, 56, 200, 25}, {230, 89, 200, 25}, {230, 122, 200, 25},
    {230, 156, 200, 25}, {230, 189, 200, 25}, {230, 222, 209, 25}, {230, 256, 217, 41},
    {448, 8, 209, 49},  {448, 53, 200, 25}, {448, 83, 200, 25}, {448, 121, 200, 25},
    {448, 158, 200, 41}, {448, 196, 200, 25}, {448, 234, 200, 25}, {448, 272, 200, 25},
};

const char kIntroduction[] =
    "A pályaválasztásnál rendkívül fontos, hogy mit szeretünk és mit nem szeretünk csinálni. "
    "Ily módon tudjuk meg, milyen munka felel meg nekünk leginkább. Ha hasonlítunk "
    "embertársainkhoz, akkor mi is sok mindent szeretünk és sok mindent nem szeretünk csinálni. "
    "A következő feladat segít megválaszolni azt a kérdést, hogy \"MI IRÁNT ÉRDEKLŐDÖM "
    "LEGINKÁBB?\" jelöld be azokat a kijelentéseket, amelyek leginkább jellemzők rád.";

}  // namespace

TfTeszt::TfTeszt(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("fTeszt"));
    setWindowTitle(QStringLiteral("Teszt"));
    setFixedSize(688, 510);
    setFont(look::sansPoints(8));
    gamescreen::applyBackground(this);
    gamescreen::setHelpContext(this, 10);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 24, 97, 105);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(look::picture(QStringLiteral(":/pict/villanykorte.png")));

    Label1 = new TWrapLabel(QString::fromUtf8(kIntroduction), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(136, 8, 467, 133);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setFont(look::serifPoints(12, true, true));

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(11, 152, 665, 305);

    QWidget *previous = nullptr;
    for (int i = 0; i < career::kStatementCount; ++i) {
        auto *box = new TWrapCheckBox(QString::fromUtf8(career::statements()[i].text), GroupBox1);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        box->setGeometry(kBoxGeometry[i][0], kBoxGeometry[i][1], kBoxGeometry[i][2],
                         kBoxGeometry[i][3]);
        m_boxes[i] = box;
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }

    BitBtn1 = new QPushButton(QStringLiteral("&Kitöltöttem!"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(296, 472, 97, 25);
    BitBtn1->setFont(look::sansPoints(8, true));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    setTabOrder(previous, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TfTeszt::BitBtn1Click);
}

void TfTeszt::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TfTeszt::FormShow()
{
    for (QCheckBox *box : m_boxes)
        box->setChecked(false);
}

void TfTeszt::BitBtn1Click()
{
    guarded(this, [this] { evaluate(); });
}

void TfTeszt::evaluate()
{
    career::Ticks ticks{};
    for (int i = 0; i < career::kStatementCount; ++i)
        ticks[i] = m_boxes[i]->isChecked();
    const std::optional<career::Ranking> ranking = career::evaluate(ticks);
    if (!ranking) {
        m_game->dialogs()->message(QStringLiteral("Legalább egy dolgot meg kell jelölnöd!"));
        return;
    }
    career::writeSzakmaFile(QStringLiteral("szakma.txt"), *ranking);
    hide();
    m_game->show(Game::Screen::Szakma);
}

void TfTeszt::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    m_game->show(Game::Screen::Indul);
}

bool TfTeszt::FormCloseQuery()
{
    return m_game->dialogs()->confirm(
        QStringLiteral("Biztos, hogy kiértékelése nélkül befejezed a teszt kitöltését?"));
}
