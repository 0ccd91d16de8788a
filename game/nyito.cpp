#include "game/nyito.h"

#include "game/adatinit.h"
#include "controls/application.h"
#include "game/animacio.h"
#include "game/game.h"
#include "gui/look.h"

#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace {

const char kKeysText[] = "Esc: az animáció kihagyása   Alt+K: kezdés   Alt+J: kilépés   F1: súgó";

// A caption whose first letter is underlined as the accelerator of its Alt shortcut. The
// line is drawn by hand so that it stays inside the 13 pixels of the label.
class AcceleratorLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics metrics(font());
        const int baseline = qMin(metrics.ascent(), height() - 2);
        painter.drawText(0, baseline, text());
        const int letter = metrics.horizontalAdvance(text().left(1));
        painter.drawLine(0, baseline + 1, letter - 1, baseline + 1);
    }
};

QLabel *captionLabel(QWidget *parent, const QString &objectName, const QString &text, const QRect &geometry)
{
    auto *label = new AcceleratorLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    // 8 points at 96 dots per inch.
    label->setFont(look::sans(11, true));
    gamescreen::fitTextToWidth(label);
    return label;
}

QToolButton *pictureButton(QWidget *parent, const QString &objectName, const QString &picture,
                           const QSize &pictureSize, const QRect &geometry)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(picture));
    button->setIconSize(pictureSize);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

TfIndul::TfIndul(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::WindowStaysOnTopHint),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("fIndul"));
    setWindowTitle(QStringLiteral("Z O M I R"));
    setWindowIcon(QIcon(QStringLiteral(":/pict/zomir.png")));
    setFixedSize(790, 534);
    gamescreen::applyBackground(this);
    gamescreen::setHelpContext(this, 8);

    AnimationPlayer1 = new TAnimationPlayer(this);
    AnimationPlayer1->setGeometry(0, 8, 800, 450);

    Kezd = pictureButton(this, QStringLiteral("Kezd"), QStringLiteral(":/pict/kezd.png"), QSize(60, 45),
                         QRect(72, 464, 57, 49));
    Label1 = captionLabel(this, QStringLiteral("Label1"), QStringLiteral("Kezdjünk neki"),
                          QRect(59, 512, 81, 13));
    Kilep = pictureButton(this, QStringLiteral("Kilep"), QStringLiteral(":/pict/kilep.png"), QSize(55, 73),
                          QRect(648, 464, 57, 49));
    Label2 = captionLabel(this, QStringLiteral("Label2"), QStringLiteral("Játék vége"),
                          QRect(648, 512, 64, 13));
    // The pictures say what they do, to a screen reader by the captions under them.
    Kezd->setAccessibleName(Label1->text());
    Kezd->setToolTip(QStringLiteral("Kezdjünk neki (Alt+K)"));
    Kilep->setAccessibleName(Label2->text());
    Kilep->setToolTip(QStringLiteral("Játék vége (Alt+J)"));

    // The keys of the screen, between the two pictures.
    Keys = new QLabel(QString::fromUtf8(kKeysText), this);
    Keys->setObjectName(QStringLiteral("Keys"));
    Keys->setGeometry(160, 470, 470, 40);
    Keys->setAlignment(Qt::AlignCenter);
    Keys->setWordWrap(true);
    Keys->setFont(look::sans(11));
    AnimationPlayer1->setAccessibleName(QStringLiteral("Nyitó animáció"));
    AnimationPlayer1->setAccessibleDescription(QStringLiteral("Az Esc billentyűvel kihagyható."));
    setAccessibleDescription(QString::fromUtf8(kKeysText));

    connect(Kezd, &QToolButton::clicked, this, &TfIndul::KezdClick);
    connect(Kilep, &QToolButton::clicked, this, &TfIndul::KilepClick);
}

void TfIndul::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Coming back to the opening screen starts the animation again, also where the
    // platform does not make the window active.
    if (!event->spontaneous())
        FormActivate();
}

void TfIndul::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Each activation starts the animation from its beginning; the activation that
    // follows a show at once does not start it a second time.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()
        && (!AnimationPlayer1->isPlaying() || AnimationPlayer1->position() > 300))
        FormActivate();
}

void TfIndul::FormActivate()
{
    // A "zomir.swf" movie of the working folder is remembered but not played: the
    // animation is drawn by the program.
    AnimationPlayer1->setMovie(QDir::current().filePath(QStringLiteral("zomir.swf")));
    AnimationPlayer1->play();
}

void TfIndul::KezdClick()
{
    hide();
    m_game->showNamePage();
}

void TfIndul::KilepClick()
{
    CloseTables();
    m_game->endProgram();
}

void TfIndul::CloseTables()
{
    // The program ends even when a table cannot be closed; the player is told why.
    guarded(this, [this] { m_game->DM->CloseTables(); });
}

void TfIndul::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void TfIndul::FormKeyDown(QKeyEvent *event)
{
    event->ignore();
    if (event->key() == Qt::Key_Escape && !event->modifiers()) {
        // The animation skipped: its last picture stays.
        event->accept();
        AnimationPlayer1->freezeAt(TAnimationPlayer::kPassMs);
        return;
    }
    if (!(event->modifiers() & Qt::AltModifier))
        return;
    if (event->key() == Qt::Key_K) {
        event->accept();
        KezdClick();
    } else if (event->key() == Qt::Key_J) {
        event->accept();
        KilepClick();
    }
}

void TfIndul::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}

void TfIndul::FormClose()
{
    CloseTables();
    m_game->endProgram();
}
