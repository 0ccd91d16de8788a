#include "game/palya.h"

#include "controls/application.h"
#include "game/careerwidgets.h"
#include "controls/dialogs.h"
#include "game/game.h"
#include "rules/rtfreader.h"
#include "rules/workfiles.h"
#include "gui/look.h"
#include "rules/usererror.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWheelEvent>

#include <stdexcept>

namespace {

constexpr int kWheelStep = 10;
constexpr int kSheetHeight = 800;

// The print button's glyph: a small printer.
QIcon printerGlyph()
{
    return look::drawnIcon(16, 16, [](QPainter &p) {
        p.setPen(QColor(40, 40, 40));
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);                  // paper going in
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(1, 6, 13, 6);                 // body
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 7, 5);                 // paper coming out
        p.setPen(QColor(0, 160, 0));
        p.drawPoint(12, 8);
    });
}

}  // namespace

TfPalya::TfPalya(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("fPalya"));
    setWindowTitle(QStringLiteral("Pályatükör"));
    setFixedSize(756, 527);
    setFont(look::sansPoints(8));
    gamescreen::applyBackground(this);

    // FormCreate: the client area scrolls vertically.
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setGeometry(0, 0, 756, 527);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->viewport()->setAutoFillBackground(false);
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("Content"));
    content->setFixedSize(304 + 425, kSheetHeight);
    ScrollBox->setWidget(content);
    ScrollBox->viewport()->installEventFilter(this);

    Image1 = new QLabel(content);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(0, 0, 297, 249);

    RichEdit1 = new QTextEdit(content);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(304, 0, 425, kSheetHeight);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette white = RichEdit1->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    RichEdit1->setPalette(white);
    RichEdit1->viewport()->installEventFilter(this);

    BitBtn1 = new QPushButton(QStringLiteral("&Nyomtatás"), content);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(96, 400, 89, 25);
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    BitBtn1->setIcon(printerGlyph());

    connect(BitBtn1, &QPushButton::clicked, this, &TfPalya::BitBtn1Click);

    // Larger or smaller text, kept for the rest of the session.
    for (const QKeySequence &keys : {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}) {
        auto *larger = new QShortcut(keys, this);
        connect(larger, &QShortcut::activated, this, [this] { changeReadingStep(+1); });
    }
    auto *smaller = new QShortcut(QKeySequence::ZoomOut, this);
    connect(smaller, &QShortcut::activated, this, [this] { changeReadingStep(-1); });
    RichEdit1->setAccessibleName(QStringLiteral("Pályatükör"));
    RichEdit1->setAccessibleDescription(
        QStringLiteral("Nyilak, Page Up, Page Down: görgetés; Ctrl+plusz, Ctrl+mínusz: betűméret; Esc: bezárás"));
    Image1->setAccessibleName(QStringLiteral("A szakma képe"));
}

int TfPalya::scrollPosition() const { return ScrollBox->verticalScrollBar()->value(); }

int TfPalya::scrollRange() const { return ScrollBox->verticalScrollBar()->maximum(); }

// The scroll bar keeps the position within its range itself.
void TfPalya::scrollTo(int position) { ScrollBox->verticalScrollBar()->setValue(position); }

void TfPalya::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_shownSinceLoad = true;
    // A window that is already the active one when shown gets no activation: it loads
    // once the show has been handled.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && m_shownSinceLoad)
            FormActivate();
    });
}

void TfPalya::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfPalya::FormActivate()
{
    // A file that cannot be loaded leaves the sheet open with what it could load, and the
    // error box comes up in front of the sheet, not over the profession choice (which
    // would close the sheet when it became active again).
    guarded(this, [this] { load(); });
}

void TfPalya::load()
{
    const QString picture = m_game->state.ProfilePicturePath;
    const QString sheet = m_game->state.ProfileSheetPath;
    if (m_lastLoadFailed && !m_shownSinceLoad && picture == m_lastPicture && sheet == m_lastSheet)
        return;
    m_shownSinceLoad = false;
    m_lastPicture = picture;
    m_lastSheet = sheet;
    m_lastLoadFailed = true;   // until every step below has succeeded

    loadPicture(picture);
    if (!sheet.isEmpty()) {
        readSheet();
        setFocus(Qt::OtherFocusReason);
    }
    m_wheelRest = 0;
    scrollTo(0);
    m_lastLoadFailed = false;
}

void TfPalya::loadPicture(const QString &gamePath)
{
    const QString path = workfiles::path(gamePath);
    // The extension decides the decoder.
    const QString suffix = QFileInfo(path).suffix().toLower();
    QImageReader reader(path, suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")
                                  ? QByteArray("jpeg")
                              : suffix == QLatin1String("bmp") ? QByteArray("bmp")
                                                               : QByteArray());
    const QImage image = reader.read();
    if (image.isNull()) {
        const QFileInfo file(path);
        const QString why = !file.exists() ? QStringLiteral("a fájl nem található")
                            : file.isDir() ? QStringLiteral("ezen a néven egy mappa van")
                            : !file.isReadable() ? QStringLiteral("nincs jogosultság a használatához")
                                                 : QStringLiteral("a kép hibás vagy nem ilyen formátumú");
        fail(QStringLiteral("A(z) \"%1\" kép nem tölthető be: %2.").arg(gamePath, why));
    }
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->resize(image.size());   // the box takes the picture's size
}

// The description box is at least its own height and grows with a longer text, so that
// the whole text can be scrolled to.
void TfPalya::fitContent()
{
    QTextDocument *doc = RichEdit1->document();
    doc->setTextWidth(RichEdit1->viewport()->width());
    const int textHeight = qCeil(doc->documentLayout()->documentSize().height());
    const int height = qMax(kSheetHeight, textHeight + 2 * RichEdit1->frameWidth() + 4);
    RichEdit1->setFixedHeight(height);
    ScrollBox->widget()->setFixedHeight(height);
}

void TfPalya::readSheet()
{
    QTextDocument *doc = RichEdit1->document();
    rtf::read(workfiles::readBytes(m_lastSheet), doc);
    look::scaleDocument(doc, look::readingScale());
    fitContent();
}

void TfPalya::changeReadingStep(int by)
{
    guarded(this, [this, by] {
        look::setReadingStep(look::readingStep() + by);
        if (m_lastSheet.isEmpty())
            return;
        // The same place of the text stays in view.
        const qreal at = scrollRange() > 0 ? qreal(scrollPosition()) / scrollRange() : 0.0;
        readSheet();
        scrollTo(qRound(at * scrollRange()));
    });
}

void TfPalya::keyPressEvent(QKeyEvent *event)
{
    // The sheet read with the keyboard alone; Escape closes it.
    const int page = ScrollBox->viewport()->height() - kWheelStep;
    switch (event->key()) {
    case Qt::Key_Down: scrollTo(scrollPosition() + 4 * kWheelStep); break;
    case Qt::Key_Up: scrollTo(scrollPosition() - 4 * kWheelStep); break;
    case Qt::Key_PageDown:
    case Qt::Key_Space: scrollTo(scrollPosition() + page); break;
    case Qt::Key_PageUp: scrollTo(scrollPosition() - page); break;
    case Qt::Key_Home: scrollTo(0); break;
    case Qt::Key_End: scrollTo(scrollRange()); break;
    case Qt::Key_Escape: close(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TfPalya::BitBtn1Click()
{
    guarded(this, [this] {
        if (look::readingStep() == 0) {
            m_game->dialogs()->printDocument(*RichEdit1->document(), m_game->state.ProfileSheetPath);
            return;
        }
        // Printed in the size as written, whatever size the screen shows.
        QTextDocument asWritten;
        rtf::read(workfiles::readBytes(m_lastSheet), &asWritten);
        m_game->dialogs()->printDocument(asWritten, m_game->state.ProfileSheetPath);
    });
}

void TfPalya::FormMouseWheelDown() { scrollTo(scrollPosition() + kWheelStep); }

void TfPalya::FormMouseWheelUp() { scrollTo(scrollPosition() - kWheelStep); }

bool TfPalya::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel
        && (watched == ScrollBox->viewport() || watched == RichEdit1->viewport())) {
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
    return QWidget::eventFilter(watched, event);
}
