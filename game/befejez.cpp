#include "game/befejez.h"

#include "game/game.h"
#include "gui/look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

namespace {

QLabel *creditLabel(QWidget *parent, const QString &objectName, const QString &text, const QRect &geometry,
                    int pixelSize, bool bold, bool italic)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    label->setFont(look::sans(pixelSize, bold, italic));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

}  // namespace

TVege::TVege(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("Vege"));
    setFixedSize(400, 511);
    gamescreen::applyBackground(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 400, 400);
    Image1->setScaledContents(true);   // the picture is loaded when the screen is first shown

    Label1 = creditLabel(this, QStringLiteral("Label1"),
                         QStringLiteral("Zomir Oktatási Műhely\nPályaorientációs és Életviteli Központ"),
                         QRect(43, 400, 311, 32), 13, true, false);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label4 = creditLabel(this, QStringLiteral("Label4"),
                         QStringLiteral("1111 Budapest, Minta u. 12.  Tel.: (1) 555-0123  zomir@example.org"),
                         QRect(19, 432, 363, 13), 11, false, false);
    Label2 = creditLabel(this, QStringLiteral("Label2"),
                         QStringLiteral("Készítették: a Zomir fejlesztői"), QRect(106, 464, 199, 13), 11, false,
                         true);
    Label3 = creditLabel(this, QStringLiteral("Label3"), QStringLiteral("2026"), QRect(177, 480, 45, 24), 19,
                         true, false);

    for (QLabel *label : {Label4, Label2, Label3})
        gamescreen::fitTextToWidth(label);

    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Stáblista"));
    setAccessibleDescription(QStringLiteral("Enter, szóköz vagy Esc: kilépés a játékból"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(6000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TVege::Timer1Timer);
}

void TVege::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        Image1->setPixmap(look::picture(QStringLiteral(":/pict/vege.png")));
    }
    if (!event->spontaneous())
        FormShow();
}

void TVege::FormShow()
{
    Timer1->start();
}

void TVege::Timer1Timer()
{
    m_game->endProgram();
}

void TVege::mousePressEvent(QMouseEvent *event)
{
    // Clicks on the picture or a label reach here too (labels pass them on to the window):
    // only the strip that they leave free ends the program.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        FormClick();
    event->accept();
}

void TVege::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        event->accept();
        FormClick();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TVege::FormClick()
{
    m_game->endProgram();
}

void TVege::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}

void TVege::FormClose()
{
    m_game->endProgram();
}
