#include "game/game.h"

#include "game/adatinit.h"
#include "game/adozas.h"
#include "game/befejez.h"
#include "controls/application.h"
#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "game/jadat.h"
#include "game/jovedelem.h"
#include "game/kival.h"
#include "gui/look.h"
#include "game/nyito.h"
#include "game/palya.h"
#include "game/sugo.h"
#include "game/szakma.h"
#include "game/teszt.h"
#include "game/uQuickRep.h"
#include "game/uQuickRep2.h"
#include "game/uQuickRep3.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTextDocument>
#include <QScreen>
#include <QTimer>
#include <QWidget>

Game::Game(zdb::Session *session, Dialogs *dialogs, QObject *parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs)
{
}

Game::~Game()
{
    if (qApp)
        qApp->removeEventFilter(this);
    sugo::setFolderFacts({});
    // Later objects may point into earlier ones (screens into the data modules).
    while (!m_owned.isEmpty())
        delete m_owned.takeLast();
}

bool Game::create()
{
    if (!createOpening())
        return false;
    createRest();
    return true;
}

bool Game::createOpening()
{
    // F1 anywhere in the game opens the help topic of the focused control.
    if (qApp)
        qApp->installEventFilter(this);

    // 4: the opening screen.
    fIndul = own(new TfIndul(this));
    registerScreen(Screen::Indul, fIndul);

    // 8: the data module; it sets up the alias and opens the game tables. The player may
    // cancel the database location dialog, which stops the program at once.
    DM = own(new TDM(this));
    return DM->DataModuleCreate();
}

void Game::createRestAfterFirstPaint()
{
    if (!m_restMade)
        m_restAfterPaint = true;   // eventFilter() sees the opening screen's first paint
}

void Game::createRestNow()
{
    try {
        createRest();
    } catch (const std::exception &e) {
        if (ZApplication *app = ZApplication::instance())
            app->showError(errorMessage(e));
        else
            showErrorMessage(errorMessage(e));
        QCoreApplication::exit(1);
    }
}

void Game::createRest()
{
    if (m_restMade)
        return;
    m_restMade = true;
    m_restAfterPaint = false;

    // 1-3: the report layouts (frmQuickRep3, frmQuickRep, frmQuickRep2).
    frmQuickRep3 = own(new TfrmQuickRep3(this));
    frmQuickRep = own(new TfrmQuickRep(this));
    frmQuickRep2 = own(new TfrmQuickRep2(this));

    // 5-7: the test, the profession choice and the career sheet.
    fTeszt = own(new TfTeszt(this));
    registerScreen(Screen::Teszt, fTeszt);
    fSzakma = own(new TfSzakma(this));
    registerScreen(Screen::Szakma, fSzakma);
    fPalya = own(new TfPalya(this));
    registerScreen(Screen::Palya, fPalya);

    // 9: the main window, whose name page reads the player table.
    MainForm = own(new TMainForm(this));
    registerScreen(Screen::Main, MainForm);

    // 10: the tax tables' data module.
    DataModule2 = own(new TDataModule2(m_session));

    // The help shows the topics of the folder's year, with the folder's own figures.
    sugo::setFolderFacts([this] {
        const payroll::FolderYear &year = DataModule2->folderYear();
        sugo::FolderFacts facts;
        facts.year = year.year;
        facts.figures.insert(QStringLiteral("gyerek_koltseg"), QLocale().toString(year.childCost) + QStringLiteral(" Ft"));
        return facts;
    });

    // 11: the income calculator.
    fJovedelem = own(new TfJovedelem(this));
    registerScreen(Screen::Jovedelem, fJovedelem);

    // 12: the credits.
    Vege = own(new TVege(this));
    registerScreen(Screen::Vege, Vege);

    // 13: the payroll exercise; its solved amounts go into the income calculator.
    Ber = own(new TBer(this));
    registerScreen(Screen::Ber, Ber);
    connect(Ber, &TBer::exerciseFinished, fJovedelem, &TfJovedelem::takeSolvedDeductions);
}

void Game::start()
{
    show(Screen::Indul);
}

QWidget *Game::screen(Screen which) const
{
    return m_screens.value(which);
}

void Game::registerScreen(Screen which, QWidget *widget)
{
    m_screens.insert(which, widget);
}

void Game::show(Screen which)
{
    if (which != Screen::Indul)
        createRest();
    QWidget *widget = screen(which);
    if (!widget)
        return;
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void Game::hide(Screen which)
{
    if (QWidget *widget = screen(which))
        widget->hide();
}

void Game::showMainPage(int page)
{
    createRest();
    MainForm->goToPage(page);
    show(Screen::Main);
}

void Game::showNamePage()
{
    createRest();
    MainForm->showNamePageOnly();
    show(Screen::Main);
}

void Game::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    Q_EMIT programEnded();
}

bool Game::eventFilter(QObject *watched, QEvent *event)
{
    if (m_restAfterPaint && watched == fIndul && event->type() == QEvent::Paint) {
        m_restAfterPaint = false;
        // Once the paint has reached the screen, and after what the paint itself posted.
        QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, &Game::createRestNow); });
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            // Key events reach the focused control first (or the window when nothing in
            // it has the focus).
            const int context = gamescreen::helpContextFor(static_cast<QWidget *>(watched));
            if (context > 0) {
                m_dialogs->help(context);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace gamescreen {

void applyBackground(QWidget *screen)
{
    QPalette palette = screen->palette();
    palette.setColor(QPalette::Window, QColor(209, 209, 209));
    screen->setPalette(palette);
    screen->setAutoFillBackground(true);
}

void centreOnDesktop(QWidget *screen)
{
    QScreen *desktop = screen->screen() ? screen->screen() : QGuiApplication::primaryScreen();
    if (!desktop)
        return;
    const QRect area = desktop->availableGeometry();
    // Before the first show the frame is not known yet: the client size stands for it.
    const QSize size = screen->isVisible() ? screen->frameGeometry().size() : screen->size();
    // move() places a window by the top-left corner of its frame.
    screen->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

namespace {

class CentreOnFirstShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            centreOnDesktop(static_cast<QWidget *>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void centreOnFirstShow(QWidget *screen) { screen->installEventFilter(new CentreOnFirstShow(screen)); }

void fitTextToWidth(QLabel *label)
{
    QString text = label->text();
    if (label->textFormat() == Qt::RichText) {
        QTextDocument rich;
        rich.setHtml(text);
        text = rich.toPlainText();
    }
    // A one-line label is fitted to its width only; a wrapping one to its whole box.
    const bool wrap = label->wordWrap();
    label->setFont(look::fitted(label->font(), text, QSizeF(label->width(), wrap ? label->height() : 1e6),
                                wrap ? int(Qt::TextWordWrap) : 0));
}

void setHelpContext(QWidget *widget, int context)
{
    widget->setProperty("helpContext", context);
}

int helpContext(const QWidget *widget)
{
    return widget->property("helpContext").toInt();
}

int helpContextFor(const QWidget *focused)
{
    for (const QWidget *w = focused; w; w = w->parentWidget()) {
        const int context = helpContext(w);
        if (context > 0)
            return context;
        if (w->isWindow())
            break;
    }
    return 0;
}

}  // namespace gamescreen
