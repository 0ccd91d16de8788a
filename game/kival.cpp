#include "game/kival.h"

#include "game/adatinit.h"
#include "controls/application.h"
#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/haztartas.h"
#include "rules/interest.h"
#include "game/kiertekeles.h"
#include "game/sugo.h"
#include "rules/workfiles.h"
#include "gui/look.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStringEncoder>
#include <QTabWidget>

#include <stdexcept>

namespace {

// The green check mark of the OK buttons.
QIcon checkMarkIcon()
{
    return look::drawnIcon(18, 18, [](QPainter &painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(3, 9), QPointF(7, 14), QPointF(15, 4)}));
    });
}

int intOrZero(const zdb::Field &field)
{
    return field.isNull() ? 0 : field.asInteger();
}

}  // namespace

void TTabSheet::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Q_EMIT shown();
}

TMainForm::TMainForm(Game *game, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                              | Qt::WindowSystemMenuHint),
      HobbyMask(game->state.HobbyMask),
      EntertainmentMask(game->state.EntertainmentMask),
      JobKey(game->state.JobKey),
      PlayerName(game->state.PlayerName),
      NewGame(game->state.NewGame),
      LastBalance(game->state.LastBalance),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Életvitel"));
    setWindowIcon(QIcon(QStringLiteral(":/pict/zomir.png")));
    // The client area of an 800 x 600 window; it cannot be resized.
    setFixedSize(788, 564);
    gamescreen::applyBackground(this);
    gamescreen::setHelpContext(this, 12);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(25);
    StatusBar->setSizeGripEnabled(false);
    setStatusBar(StatusBar);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setAccessibleName(QStringLiteral("A játék lapjai"));
    setCentralWidget(PageControl1);

    TabSheet1 = addPage(QStringLiteral("TabSheet1"), QStringLiteral("Név"), 9);
    TabSheet2 = addPage(QStringLiteral("TabSheet2"), QStringLiteral("Ház"), 12);
    TabSheet3 = addPage(QStringLiteral("TabSheet3"), QStringLiteral("Élelmiszer"), 12);
    TabSheet8 = addPage(QStringLiteral("TabSheet8"), QStringLiteral("Ruházkodás"), 12);
    TabSheet4 = addPage(QStringLiteral("TabSheet4"), QStringLiteral("Közlekedés"), 12);
    TabSheet5 = addPage(QStringLiteral("TabSheet5"), QStringLiteral("Hobbi"), 12);
    TabSheet6 = addPage(QStringLiteral("TabSheet6"), QStringLiteral("Szórakozás"), 12);

    createNamePage();
    createHouseholdPages();
    m_evaluation = std::make_unique<TBudgetEvaluation>(game);
    FormCreate();
}

TMainForm::~TMainForm() = default;

TTabSheet *TMainForm::addPage(const QString &objectName, const QString &caption, int helpContext)
{
    auto *page = new TTabSheet;
    page->setObjectName(objectName);
    gamescreen::applyBackground(page);
    gamescreen::setHelpContext(page, helpContext);
    PageControl1->addTab(page, caption);
    return page;
}

void TMainForm::createNamePage()
{
    Label6 = new QLabel(QStringLiteral("A neved beírása után , ha már játszottál, betöltheted a korábbi elmentett "
                                       "játékodat, illetve újat is kezdhetsz. Ha még nem játszottál, kezdj egy új "
                                       "játékot!"),
                        TabSheet1);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(112, 40, 555, 38);
    Label6->setAlignment(Qt::AlignCenter);
    Label6->setWordWrap(true);
    Label6->setFont(look::serif(16, true));
    gamescreen::fitTextToWidth(Label6);
    QPalette red = Label6->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label6->setPalette(red);

    GroupBox1 = new QGroupBox(QStringLiteral("Kérem a nevedet"), TabSheet1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(184, 160, 465, 169);

    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(48, 48, 249, 21);
    Edit1->installEventFilter(this);
    Edit1->setAccessibleName(QStringLiteral("A neved"));

    Button1 = new QPushButton(QStringLiteral("Új &Játék"), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(48, 112, 105, 33);
    Button1->setEnabled(false);

    Button2 = new QPushButton(QStringLiteral("&Betöltés"), GroupBox1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(312, 112, 105, 33);
    Button2->setEnabled(false);

    BitBtn1 = new QPushButton(checkMarkIcon(), QStringLiteral("&OK"), TabSheet1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(520, 205, 81, 25);
    BitBtn1->raise();

    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, BitBtn1);
    Edit1->setFocus();

    connect(TabSheet1, &TTabSheet::shown, this, &TMainForm::TabSheet1Show);
    connect(BitBtn1, &QPushButton::clicked, this, &TMainForm::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMainForm::Button2Click);
}

void TMainForm::FormCreate()
{
    showNamePageOnly();
}

void TMainForm::showNamePageOnly()
{
    PageControl1->setTabVisible(PageNev, true);
    PageControl1->setCurrentIndex(PageNev);
    for (int page = PageHaz; page <= PageSzorakozas; ++page)
        PageControl1->setTabVisible(page, false);
}

void TMainForm::goToPage(int index)
{
    const int left = PageControl1->currentIndex();
    PageControl1->setTabVisible(index, true);
    PageControl1->setCurrentIndex(index);
    if (left != index && left >= 0)
        PageControl1->setTabVisible(left, false);
}

QString TMainForm::savedName(const QString &typed)
{
    return zdb::leftCharacters(typed, 30);
}

void TMainForm::settleName()
{
    if (Edit1->text() != m_checkedName)
        Edit1Exit();
}

void TMainForm::deleteStoredGames(const QString &name)
{
    TDM *dm = m_game->DM;
    zdb::Table *players = dm->JatekosokDB;
    // The rows the load would find: each spelling of the name that the case-insensitive
    // locate finds is deleted with a bound statement, until the locate finds none.
    for (int round = 0; round < 1000; ++round) {
        if (!players->locate(QStringLiteral("Nev"), name, zdb::LocateOption::CaseInsensitive))
            return;
        const QString stored = players->fieldByName(QStringLiteral("Nev")).asString();
        dm->StatuszMod->clear();
        dm->StatuszMod->setSql(QStringLiteral("delete from Jatekosok where Nev = :nev"));
        dm->StatuszMod->bindValue(QStringLiteral(":nev"), stored);
        if (dm->StatuszMod->execSql() == 0)
            return;
    }
}

bool TMainForm::locateUnfinishedGame(const QString &name)
{
    m_game->DM->OpenClosedTables();
    zdb::Table *players = m_game->DM->JatekosokDB;
    if (!players->locate(QStringLiteral("Nev;Statusz"), QVariantList{name, 0}, zdb::LocateOption::CaseInsensitive))
        return false;
    HobbyMask = intOrZero(players->fieldByName(QStringLiteral("Hobby_Key")));
    EntertainmentMask = intOrZero(players->fieldByName(QStringLiteral("Entertainment_Key")));
    return true;
}

void TMainForm::TabSheet1Show()
{
    // The buttons were evaluated for the name when the box was left; the stored games may
    // have changed since (a game saved meanwhile), so that name is looked up again.
    guarded(this, [this] {
        const QString name = Edit1->text();
        if (name.isEmpty() || name != m_checkedName)
            return;
        Button2->setEnabled(locateUnfinishedGame(savedName(name)));
    });
}

void TMainForm::Edit1Exit()
{
    const QString name = Edit1->text();
    if (name.isEmpty())
        return;
    Button1->setEnabled(true);
    // Evaluated for every name left, so that "&Betöltés" always loads the game of the name
    // shown: a name without an unfinished game disables it again. Names are looked up as
    // they are saved.
    m_checkedName = name;
    PlayerName = savedName(name);
    guarded(this, [this] { Button2->setEnabled(locateUnfinishedGame(PlayerName)); });
}

void TMainForm::BitBtn1Click()
{
    // A shortcut or Enter reaches the buttons without the focus leaving the box: the name
    // shown is judged first, as leaving the box would.
    settleName();
    if (!Edit1->text().isEmpty()) {
        Edit1->setEnabled(false);
        BitBtn1->setEnabled(false);
    } else {
        Edit1->setFocus(Qt::OtherFocusReason);
    }
}

void TMainForm::untickHouseholdChoices()
{
    for (int i = 1; i <= 12; ++i)
        if (auto *box = findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(i)))
            box->setChecked(false);
}

void TMainForm::Button1Click()
{
    guarded(this, [this] { startNewGame(); });
}

void TMainForm::startNewGame()
{
    settleName();
    if (Edit1->text().isEmpty()) {
        Edit1->setFocus(Qt::OtherFocusReason);
        return;
    }
    TDM *dm = m_game->DM;
    dm->OpenClosedTables();
    NewGame = true;
    dm->HazakDB->first();
    dm->ElelmiszerekDB->first();
    dm->RuhazkodasDB->first();
    dm->KozlekedesDB->first();
    untickHouseholdChoices();

    // The name is bound as a parameter: any name, quotes included, deletes the rows the
    // load finds for it, whatever their letter case.
    deleteStoredGames(PlayerName);

    hide();
    m_game->show(Game::Screen::Teszt);
}

void TMainForm::Button2Click()
{
    guarded(this, [this] { loadGame(); });
}

void TMainForm::loadGame()
{
    // The game loaded is that of the name shown; a name without an unfinished game has
    // just disabled the button.
    settleName();
    if (Edit1->text().isEmpty()) {
        Edit1->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!Button2->isEnabled())
        return;
    // Another program may have stored or deleted games since the name was looked up: the
    // game is looked up again, and one that is gone is not loaded from memory.
    Button2->setEnabled(locateUnfinishedGame(PlayerName));
    if (!Button2->isEnabled())
        return;
    TDM *dm = m_game->DM;
    zdb::Table *players = dm->JatekosokDB;
    zdb::Table *professions = dm->SzakmaDB;
    if (!professions->active())
        professions->open();

    const int storedJob = intOrZero(players->fieldByName(QStringLiteral("Job_Key")));
    if (!professions->locate(QStringLiteral("Szakma_Kod"), storedJob)) {
        // Loading it would announce and save some other profession.
        m_game->dialogs()->message(
            QStringLiteral("A mentett játékod szakmája (%1. számú szakma) már nem szerepel a szakmák között, "
                           "ezért ez a játék nem tölthető be. Kezdj új játékot!")
                .arg(storedJob));
        return;
    }
    JobKey = storedJob;
    const QString professionName = professions->fieldByName(QStringLiteral("Szakma_Nev")).asString();
    m_game->dialogs()->message(QStringLiteral("A választott szakmád: ") + professionName);
    NewGame = false;
    career::writeChoiceFile(QStringLiteral("szakmavalasztas.txt"),
                            professions->fieldByName(QStringLiteral("Szakma_Kod")).asInteger(), professionName);

    goToPage(PageHaz);
    const auto restore = [players](zdb::Table *catalogue, const QString &key) {
        catalogue->locate(key, players->fieldByName(key).value());
    };
    restore(dm->ElelmiszerekDB, QStringLiteral("Food_Key"));
    restore(dm->HazakDB, QStringLiteral("House_Key"));
    restore(dm->KozlekedesDB, QStringLiteral("Travel_Key"));
    restore(dm->RuhazkodasDB, QStringLiteral("Clothing_Key"));
    dm->HobbiDB->first();
    dm->SzorakozasDB->first();
}

bool TMainForm::FormCloseQuery()
{
    return m_game->dialogs()->confirm(QStringLiteral("Biztos, hogy mentés nélkül befejezed a játékot?"));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void TMainForm::FormClose()
{
    m_game->show(Game::Screen::Indul);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut) {
        // Leaving the box; a message box or another window taking over is not leaving it.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Edit1Exit();
    }
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        // Tab from the name judges it before the focus moves on, so that Tab reaches
        // "Új &Játék" (and "&Betöltés") opened by the name, as a click would find them.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            Edit1Exit();
    }
    return QMainWindow::eventFilter(watched, event);
}

QString TMainForm::hintFor(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (w->isWindow())
            break;
    }
    return QString();
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        QString hint = static_cast<QStatusTipEvent *>(event)->tip();
        if (hint.isEmpty()) {
            // Leaving a control with a hint: the pointer is now over an enclosing control,
            // whose own hint (if any) is the current one.
            QWidget *under = QApplication::widgetAt(QCursor::pos());
            if (under && under->window() == this)
                hint = hintFor(under);
        }
        ApplicationEvents1ActionExecute(hint);
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::ApplicationEvents1ActionExecute(const QString &hint)
{
    if (StatusBar->currentMessage() != hint)
        StatusBar->showMessage(hint);
}

// ---------------------------------------------------------------------------------------------
// The household pages and the evaluation.

void TMainForm::createHouseholdPages()
{
    TDM *dm = m_game->DM;
    const std::array<TTabSheet *, 7> sheets{nullptr, TabSheet2, TabSheet3, TabSheet8, TabSheet4, TabSheet5, TabSheet6};
    const std::array<TDataSource *, 7> sources{nullptr, dm->HazakSource, dm->ElelmiszerekSource,
                                              dm->RuhazkodasSource, dm->KozlekedesSource, dm->HobbiSource,
                                              dm->SzorakozasSource};
    for (int index = PageHaz; index <= PageSzorakozas; ++index)
        m_pages[index] = new THouseholdPage(haztartas::pageSpec(index), sheets[index], sources[index], this);

    connect(m_pages[PageHaz]->OkButton, &QPushButton::clicked, this, &TMainForm::BitBtn4Click);
    connect(m_pages[PageElelmiszer]->OkButton, &QPushButton::clicked, this, &TMainForm::BitBtn7Click);
    connect(m_pages[PageRuhazkodas]->OkButton, &QPushButton::clicked, this, &TMainForm::BitBtn16Click);
    connect(m_pages[PageKozlekedes]->OkButton, &QPushButton::clicked, this, &TMainForm::BitBtn10Click);
    connect(m_pages[PageHobbi]->OkButton, &QPushButton::clicked, this, &TMainForm::BitBtn11Click);
    connect(m_pages[PageSzorakozas]->OkButton, &QPushButton::clicked, this, &TMainForm::BitBtn12Click);

    zdb::Session *session = m_game->session();
    m_pricesHelp = std::make_unique<sugo::TopicAppendix>(
        12, [session] { return haztartas::priceHelpHtml(session, TDM::aliasName()); });
    m_familyHelp = std::make_unique<sugo::TopicAppendix>(
        14, [session] { return haztartas::familyExampleHtml(session, TDM::aliasName()); });
}

void TMainForm::BitBtn4Click()
{
    goToPage(PageElelmiszer);
}

void TMainForm::BitBtn7Click()
{
    goToPage(PageRuhazkodas);
}

void TMainForm::BitBtn16Click()
{
    goToPage(PageKozlekedes);
}

void TMainForm::BitBtn10Click()
{
    goToPage(PageHobbi);
    // A loaded game (or the second pass) gets its stored ticks back; a new game keeps the
    // boxes as the player set them.
    if (!NewGame)
        m_pages[PageHobbi]->decodeMask(HobbyMask);
}

void TMainForm::BitBtn11Click()
{
    goToPage(PageSzorakozas);
    if (!NewGame)
        m_pages[PageSzorakozas]->decodeMask(EntertainmentMask);
    HobbyMask = m_pages[PageHobbi]->mask();
}

void TMainForm::BitBtn12Click()
{
    TBudgetEvaluation::Outcome outcome{};
    const bool done = guarded([&] {
        PageControl1->setTabVisible(PageSzorakozas, false);
        EntertainmentMask = m_pages[PageSzorakozas]->mask();
        TBudgetEvaluation::Choices choices;
        choices.houseKey = m_pages[PageHaz]->KeyEdit->text();
        choices.foodKey = m_pages[PageElelmiszer]->KeyEdit->text();
        choices.clothingKey = m_pages[PageRuhazkodas]->KeyEdit->text();
        choices.travelKey = m_pages[PageKozlekedes]->KeyEdit->text();
        choices.hobbyMask = HobbyMask;
        choices.entertainmentMask = EntertainmentMask;
        outcome = m_evaluation->run(choices);
    });
    if (!done) {
        restoreLastPage();
        return;
    }
    if (outcome == TBudgetEvaluation::Outcome::Rework) {
        PageControl1->setTabVisible(PageHaz, true);
        PageControl1->setCurrentIndex(PageHaz);
        PageControl1->setTabVisible(PageSzorakozas, false);
        m_game->show(Game::Screen::Main);
    }
}

void TMainForm::restoreLastPage()
{
    PageControl1->setTabVisible(PageSzorakozas, true);
    PageControl1->setCurrentIndex(PageSzorakozas);
    m_game->show(Game::Screen::Main);
}
