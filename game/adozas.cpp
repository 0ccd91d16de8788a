#include "game/adozas.h"

#include "controls/application.h"
#include "controls/dialogs.h"
#include "game/game.h"
#include "game/jadat.h"
#include "game/payrolldata.h"
#include "rules/payroll.h"
#include "controls/szamologep.h"
#include "gui/look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>

using namespace payroll;

namespace {

struct PieceDef {
    int value;
    int left, top, width, height;
};

// The tray, in tab order: notes, then coins.
const PieceDef kPieces[] = {
    {500, 15, 88, 145, 65},   {1000, 174, 88, 146, 65}, {2000, 326, 88, 145, 65},
    {5000, 16, 159, 145, 65}, {10000, 175, 159, 145, 65}, {20000, 326, 159, 145, 65},
    {200, 8, 256, 73, 73},    {100, 96, 254, 73, 73},   {50, 176, 254, 73, 73},
    {20, 255, 254, 66, 73},   {10, 328, 254, 73, 73},   {5, 408, 254, 73, 73},
};

struct StageText {
    const char *title;
    const char *hint;         // the red X's hint during the stage
    const char *resultText;   // the result line before the amount
    const char *subject;      // the instruction's first piece, after the amount
    const char *lastPiece;    // the instruction's last piece
};

const StageText kStages[] = {
    {},
    {"SZJA kiszámítása", "SZJA törlése", "Levont SZJA   : ", " Ft szuperbruttó bér személyi jövedelem adóját kell",
     " az addig behúzott SZJA összeget. A számológép segít a számolásban."},
    {"Nyugdíjjárulék számítás", "Nyugdíjjárulék törlése", "Levont nyugdíjjárulék: ",
     " Ft bruttó bér nyugdíjjárulékát kell",
     " az addig behúzott nyugdíjjárulék összeget. A számológép segít a számolásban."},
    {"Egészségbiztosítási járulék számítás", "Egészségbiztosítási járulék törlése",
     "Levont egészségbiztosítási járulék: ", " Ft bruttó bér egészségbiztosítási járulékát kell",
     " az addig behúzott egészségbiztosítási járulék összeget. A számológép segít a számolásban."},
    {"Munkavállalói járulék számítás", "Munkavállalói járulék törlése", "Levont munkavállalói járulék: ",
     " Ft bruttó bér munkavállalói járulékát kell",
     " az addig behúzott munkavállalói járulék összeget. A számológép segít a számolásban."},
    {"TB-járulék számítás", "TB-járulék törlése", "Befizetett TB-járulék: ",
     " Ft bruttó bér társadalombiztosítási járulékát (18,5%, a családi járulékkedvezménnyel csökkentve) kell",
     " az addig behúzott TB-járulék összeget. A számológép segít a számolásban."},
};

// The 2026 tax stage: the SZJA after the family allowance base.
const char kTax2026Subject[] =
    " Ft bruttó bér személyi jövedelemadóját (15%, a családi kedvezmény alapjával csökkentett bér után) kell";
// The cash rule, said in each 2026 stage.
const char kCashRule[] =
    " Készpénzben fizetsz, ezért a kiszámolt összeget 5 Ft-ra kerekítsd: az 1-re és 2-re végződő lefelé, "
    "a 3–7-re végződő 5-re, a 8-ra és 9-re végződő felfelé kerekül.";

const char kFinishedTitle[] = "A munkabért terhelő közterhek";
const char kMiddleFirst[] =
    " először kiszámítanod és megadnod a pénzek %1 logóra húzásával. Számításodat ellenőrízheted";
const char kMiddleLater[] =
    " most kiszámítanod és megadnod a pénzek %1 logóra húzásával. Számításodat ellenőrízheted";
const char kMiddleCommon[] =
    " az ellenőríz gombra kattintva. Ha a piros X-re kattintasz visszateheted a pénztárcába";
const char kCloseQuestion[] = "Még nem végeztél el minden számítást! Biztosan kilépsz?";
const char kTaxRight[] = "Gratulálok! Az SZJA számítás helyes.";
const char kTaxWrong[] = "Az SZJA számításban hiba van!\nPróbáld meg jól kiszámítani!";
const char kContributionRight[] = "Gratulálok! A járulékszámítás helyes.";
const char kContributionWrong[] = "A járulékszámításban hiba van!\nPróbáld meg jól kiszámítani!";

const QColor kAqua(0, 255, 255);
const QColor kMaroon(128, 0, 0);
const QColor kNavy(0, 0, 128);

QString u(const char *text) { return QString::fromUtf8(text); }
QString amount(qint64 forints) { return QString::number(forints) + QStringLiteral(" Ft"); }

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Tahoma at a size in points, as pixels on the screens' 96 dpi.
QFont tahoma(int points, bool bold = false, bool italic = false)
{
    return look::sans((points * 96 + 36) / 72, bold, italic);
}

QLabel *resultLabel(QWidget *parent, const char *name, int top)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(167, top, 500, 20);
    label->setFont(tahoma(10));
    label->hide();
    return label;
}

}  // namespace

// ---------------------------------------------------------------------------------------

TMoneyPiece::TMoneyPiece(int value, QWidget *parent) : QLabel(parent), m_value(value)
{
    setObjectName(QStringLiteral("ft%1").arg(value));
    setToolTip(QString::number(value));
    setAlignment(Qt::AlignCenter);
    // Reached with Tab for the keyboard path; a mouse drag leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::OpenHandCursor);
    // 5 to 200 Ft are coins, 500 Ft and up notes.
    setAccessibleName(QStringLiteral("%1 forintos %2").arg(value).arg(value < 500 ? QStringLiteral("érme")
                                                                                 : QStringLiteral("bankjegy")));
    setAccessibleDescription(QStringLiteral("Enter vagy szóköz: befizetés"));
}

void TMoneyPiece::setOverLogo(bool over)
{
    if (over == m_overLogo)
        return;
    m_overLogo = over;
    update();
}

void TMoneyPiece::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT pressed(this, event);
    event->accept();
}

void TMoneyPiece::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT moved(this, event);
    event->accept();
}

void TMoneyPiece::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT released(this, event);
    event->accept();
}

void TMoneyPiece::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            Q_EMIT paidByKey(this);
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void TMoneyPiece::paintEvent(QPaintEvent *event)
{
    if (m_overLogo)
        return;
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        painter.setPen(QPen(QColor(0, 0, 160), 2, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

// ---------------------------------------------------------------------------------------

TBer::TBer(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("Ber"));
    setWindowTitle(QStringLiteral("Bér"));
    setFixedSize(693, 610);
    setFont(tahoma(8));
    gamescreen::applyBackground(this);
    setTextColour(this, kMaroon);
    gamescreen::setHelpContext(this, 1);

    Label3 = new QLabel(stageTitle(StageTax), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 0, 680, 24);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setFont(tahoma(12, true));
    setTextColour(Label3, Qt::red);

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(8, 25, 680, 45);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setWordWrap(true);
    Label4->setFont(tahoma(10, false, true));
    setTextColour(Label4, palette().color(QPalette::Text));

    for (const PieceDef &def : kPieces) {
        auto *piece = new TMoneyPiece(def.value, this);
        piece->setGeometry(def.left, def.top, def.width, def.height);
        piece->setPixmap(look::picture(QStringLiteral(":/pict/ft%1.png").arg(def.value), piece->size()));
        connect(piece, &TMoneyPiece::pressed, this, &TBer::PenzMouseDown);
        connect(piece, &TMoneyPiece::moved, this, &TBer::PenzMouseMove);
        connect(piece, &TMoneyPiece::released, this, &TBer::PenzMouseUp);
        connect(piece, &TMoneyPiece::paidByKey, this, [this](TMoneyPiece *p) { pay(p->value()); });
        if (!m_pieces.isEmpty())
            setTabOrder(m_pieces.last(), piece);
        m_pieces.append(piece);
    }

    brief = new QLabel(this);
    brief->setObjectName(QStringLiteral("brief"));
    brief->setGeometry(206, 346, 194, 113);
    brief->setAlignment(Qt::AlignCenter);
    brief->setPixmap(look::picture(QStringLiteral(":/pict/penztarca.png"), brief->size()));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    // Right-justified on the wallet's pocket: the amount grows to the left.
    Label2->setGeometry(216, 403, 168, 24);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setFont(tahoma(14, true));
    setTextColour(Label2, Qt::yellow);

    ado = new QLabel(this);
    ado->setObjectName(QStringLiteral("ado"));
    ado->setGeometry(471, 330, 209, 233);
    ado->setPixmap(look::picture(QStringLiteral(":/pict/apeh.png")));
    Label1 = new QLabel(QStringLiteral("0 Ft"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Right-justified on the logo, beside its "Befizetve:".
    Label1->setGeometry(540, 362, 130, 24);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setFont(tahoma(14, true));
    setTextColour(Label1, Qt::red);
    Label2->setText(QStringLiteral("0 Ft"));

    Label6 = resultLabel(this, "Label6", 486);
    Label7 = resultLabel(this, "Label7", 508);
    Label8 = resultLabel(this, "Label8", 530);
    Label9 = resultLabel(this, "Label9", 552);
    Label5 = resultLabel(this, "Label5", 586);
    Label5->setFont(tahoma(10, true));
    setTextColour(Label5, kNavy);

    BitBtn2 = new QPushButton(QIcon(QStringLiteral(":/pict/szamologep.png")), QString(), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(8, 481, 33, 50);
    BitBtn2->setIconSize(QSize(26, 40));
    BitBtn2->setToolTip(QStringLiteral("Számológép"));
    BitBtn2->setAccessibleName(QStringLiteral("Számológép"));
    connect(BitBtn2, &QPushButton::clicked, this, &TBer::BitBtn2Click);

    BitBtn1 = new QPushButton(QIcon(QStringLiteral(":/pict/piros_x.png")), QString(), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(437, 536, 28, 27);
    BitBtn1->setIconSize(QSize(20, 20));
    BitBtn1->setToolTip(u(kStages[StageTax].hint));
    BitBtn1->setAccessibleName(u(kStages[StageTax].hint));
    connect(BitBtn1, &QPushButton::clicked, this, &TBer::BitBtn1Click);

    Ellenor = new QPushButton(QIcon(QStringLiteral(":/pict/pipa.png")), QStringLiteral("Ellenőríz"), this);
    Ellenor->setObjectName(QStringLiteral("Ellenor"));
    Ellenor->setGeometry(540, 569, 85, 25);
    connect(Ellenor, &QPushButton::clicked, this, &TBer::EllenorClick);

    for (QPushButton *button : {BitBtn1, BitBtn2, Ellenor})
        button->setAutoDefault(false);
    setTabOrder(m_pieces.last(), BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, Ellenor);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TBer::Timer1Timer);
}

TBer::~TBer()
{
    endDrag();
}

TMoneyPiece *TBer::piece(int value) const
{
    for (TMoneyPiece *p : m_pieces)
        if (p->value() == value)
            return p;
    return nullptr;
}

QString TBer::stageTitle(Stage stage)
{
    return stage == Finished ? u(kFinishedTitle) : u(kStages[stage].title);
}

QVector<TBer::Stage> TBer::stages() const
{
    if (m_year == 2026)
        return {StageTax, StageContribution};
    return {StageTax, StagePension, StageHealth, StageEmployee};
}

QString TBer::taxOffice() const { return m_year == 2026 ? QStringLiteral("NAV") : QStringLiteral("APEH"); }

QString TBer::instructions(Stage stage) const
{
    const qint64 g = m_game->state.G;
    const bool cash = m_year == 2026;
    const QString cashRule = cash ? u(kCashRule) : QString();
    switch (stage) {
    case StageTax:
        if (cash)
            return QString::number(g) + u(kTax2026Subject) + u(kMiddleFirst).arg(taxOffice()) + u(kMiddleCommon)
                   + u(kStages[StageTax].lastPiece) + cashRule;
        return QString::number(m_superGross) + u(kStages[StageTax].subject) + u(kMiddleFirst).arg(taxOffice())
               + u(kMiddleCommon) + u(kStages[StageTax].lastPiece);
    case StagePension:
    case StageHealth:
    case StageEmployee:
    case StageContribution:
        return QString::number(g) + u(kStages[stage].subject) + u(kMiddleLater).arg(taxOffice()) + u(kMiddleCommon)
               + u(kStages[stage].lastPiece) + cashRule;
    case Finished:
        return QStringLiteral("K") + u("iszámoltad a bért terhelő adót és járulékokat") + QStringLiteral("\n")
               + u("Az ablakban tanulmányozhatod, hogy ") + QString::number(g) + QStringLiteral("Ft")
               + u(" bruttó bérből hogyan lesz ") + Label2->text()
               + (cash ? u(" nettó bér (készpénzben, 5 Ft-ra kerekítve)") : u(" nettó bér")) + QStringLiteral("\n")
               + u("Kiléphetsz a Vége vagy a bezárás gombbal.");
    }
    return QString();
}

qint64 TBer::expectedFor(Stage stage) const
{
    switch (stage) {
    case StageTax:
        return m_expected.taxAdvance;
    case StagePension:
        return m_expected.pension;
    case StageHealth:
        return m_expected.health;
    case StageEmployee:
        return m_expected.employee;
    case StageContribution:
        return m_expected.health;
    case Finished:
        break;
    }
    return 0;
}

void TBer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TBer::FormShow()
{
    if (m_paidInTotal == 0) {
        m_paidInStage = 0;
        m_paidInTotal = 0;
    }
    const qint64 g = m_game->state.G;
    if (m_stage != Finished)
        m_wallet = g - m_paidInTotal;
    showAmounts();

    TDataModule2 *taxTables = m_game->DataModule2;
    const int year = taxTables->folderYear().year;
    if (year != m_year) {
        m_year = year;
        ado->setPixmap(look::picture(year == 2026 ? QStringLiteral(":/pict/nav_logo.png") : QStringLiteral(":/pict/apeh.png")));
        gamescreen::setHelpContext(this, year == 2026 ? 21 : 1);
    }
    const PayrollTables tables = LoadPayrollTables(taxTables);
    if (m_year == 2026) {
        // Paid in cash: each amount is the payroll figure by the cash rule. The TB stage's
        // amount is kept in the health slot, the 2010 amounts' only other use.
        const PayStatement2026 s = ComputePayStatement2026(tables2026(tables), g, m_game->state.N, m_game->state.P);
        m_expected = SolvedDeductions();
        m_expected.taxAdvance = cashRound(s.taxPaid);
        m_expected.health = cashRound(s.contributionPaid);
        m_expected.figures = {{2, s.taxPaid},
                              {3, s.contribution},
                              {4, s.contributionAllowance},
                              {5, s.deductionsTotal}};
        showInstructions(instructions(m_stage));
        return;
    }
    m_expected.pension = Contribution(g, tables.pensionRate);
    m_expected.health = Contribution(g, tables.healthRate);
    m_expected.employee = Contribution(g, tables.employeeRate);
    m_expected.taxAdvance = ExerciseTaxAdvance(tables, taxTables, g);
    m_superGross = SuperGross(tables, g);
    // The instructions of the stage the player is in (or the summary once finished).
    showInstructions(instructions(m_stage));
}

void TBer::showInstructions(const QString &text)
{
    Label4->setFont(look::fitted(tahoma(10, false, true), text, QSizeF(Label4->size()),
                                 int(Label4->alignment()) | Qt::TextWordWrap));
    Label4->setText(text);
}

void TBer::showAmounts()
{
    Label1->setText(amount(m_paidInTotal));
    Label2->setText(amount(m_wallet));
}

bool TBer::insideLogo(const QPoint &p) const
{
    const QRect logo = ado->geometry();
    // The logo's first column and row are outside; one pixel past its right and bottom
    // edges is inside.
    return logo.left() < p.x() && p.x() <= logo.left() + logo.width() && logo.top() < p.y()
           && p.y() <= logo.top() + logo.height();
}

void TBer::PenzMouseDown(TMoneyPiece *piece, QMouseEvent *event)
{
    if (m_dragged || !piece->isEnabled())
        return;
    m_dragged = piece;
    m_grab = event->position().toPoint();
    m_ghost = new QLabel(this);
    m_ghost->setObjectName(QStringLiteral("ghost"));
    m_ghost->setGeometry(piece->geometry().translated(2, 2));
    m_ghost->setAlignment(Qt::AlignCenter);
    m_ghost->setPixmap(piece->pixmap());
    m_ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ghost->show();
    m_startPos = piece->pos();
    // A dragged piece passes over the tray and the wallet, under the logo.
    piece->raise();
    ado->raise();
    Label1->raise();
    QApplication::setOverrideCursor(Qt::PointingHandCursor);
}

void TBer::PenzMouseMove(TMoneyPiece *piece, QMouseEvent *event)
{
    if (piece == m_dragged)
        MoveMoneyPiece(piece, event);
}

void TBer::MoveMoneyPiece(TMoneyPiece *piece, QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint inside = event->position().toPoint();
    const QPoint pointer = piece->pos() + inside;  // in the window
    piece->move(piece->pos() + inside - m_grab);
    piece->setOverLogo(insideLogo(pointer));
}

void TBer::PenzMouseUp(TMoneyPiece *piece, QMouseEvent *)
{
    if (piece != m_dragged)
        return;
    const bool paid = piece->overLogo();
    endDrag();
    if (paid)
        pay(piece->value());
}

void TBer::endDrag()
{
    if (!m_dragged)
        return;
    delete m_ghost;
    m_ghost = nullptr;
    m_dragged->move(m_startPos);
    m_dragged->setOverLogo(false);
    m_dragged = nullptr;
    QApplication::restoreOverrideCursor();
}

void TBer::pay(int value)
{
    if (m_stage == Finished)
        return;
    // The wallet may go below zero: paying too much is found by the check.
    m_paidInStage += value;
    m_paidInTotal += value;
    m_wallet -= value;
    showAmounts();
}

void TBer::BitBtn1Click()
{
    m_paidInTotal -= m_paidInStage;
    m_wallet += m_paidInStage;
    m_paidInStage = 0;
    showAmounts();
}

void TBer::BitBtn2Click()
{
    guarded([this] { startCalculator(m_game->dialogs(), this); });
}

void TBer::EllenorClick()
{
    guarded([this] {
        if (m_stage == Finished) {
            close();
            return;
        }
        // One stage a click: the next is checked on the next click (a stage whose amount is
        // 0, a big family's TB in 2026, then passes with nothing paid).
        checkStage(m_stage);
    });
}

void TBer::checkStage(Stage stage)
{
    // Nothing paid is a check only where nothing is to be paid: the tax of 2010 (checked
    // always, as it was), or a stage whose amount is 0.
    if (stage != StageTax && m_paidInStage <= 0 && expectedFor(stage) != 0)
        return;
    Dialogs *dialogs = m_game->dialogs();
    if (m_paidInStage != expectedFor(stage)) {
        dialogs->message(u(stage == StageTax ? kTaxWrong : kContributionWrong));
        return;
    }
    // The result lines in the order of the year's stages.
    QLabel *result[] = {Label6, Label7, Label8, Label9};
    const QVector<Stage> order = stages();
    const int index = int(order.indexOf(stage));
    if (stage == StageTax)
        Label5->show();
    result[index]->show();
    qint64 sum = 0;
    for (int s = 0; s <= index; ++s)
        sum += expectedFor(order[s]);
    Label5->setText(u("Összes levonás: ") + amount(sum));
    result[index]->setText(u(kStages[stage].resultText) + amount(m_paidInStage));
    dialogs->message(u(stage == StageTax ? kTaxRight : kContributionRight));
    m_paidInStage = 0;
    if (index == order.size() - 1) {
        FinishExercise();
        return;
    }
    const Stage next = order[index + 1];
    m_stage = next;
    Timer1->start();
    Label3->setText(stageTitle(next));
    BitBtn1->setToolTip(u(kStages[next].hint));
    BitBtn1->setAccessibleName(u(kStages[next].hint));
    showInstructions(instructions(next));
    if (stage == StageTax)
        gamescreen::setHelpContext(this, m_year == 2026 ? 22 : 2);
}

void TBer::FinishExercise()
{
    m_stage = Finished;
    showInstructions(instructions(Finished));
    Label3->setText(stageTitle(Finished));
    for (TMoneyPiece *p : m_pieces)
        p->setEnabled(false);
    BitBtn1->setEnabled(false);
    Q_EMIT exerciseFinished(m_expected);
    Ellenor->setFocus(Qt::OtherFocusReason);
    Ellenor->setText(QStringLiteral("Vége"));
}

void TBer::Timer1Timer()
{
    ++m_blinkCount;
    const bool red = Label3->palette().color(QPalette::WindowText) == QColor(Qt::red);
    setTextColour(Label3, red ? kAqua : QColor(Qt::red));
    if (m_blinkCount > 10) {
        Timer1->stop();
        setTextColour(Label3, Qt::red);
        m_blinkCount = 0;
    }
}

bool TBer::FormCloseQuery()
{
    if (m_stage == Finished)
        return true;
    const QStringList buttons = {QStringLiteral("Igen"), QStringLiteral("Nem"), QStringLiteral("Mégsem")};
    return m_game->dialogs()->ask(QStringLiteral("Megerősítés"), u(kCloseQuestion), buttons) == 0;
}

void TBer::closeEvent(QCloseEvent *event)
{
    bool allowed = false;
    guarded([&] { allowed = FormCloseQuery(); });
    if (allowed)
        event->accept();
    else
        event->ignore();
}

void TBer::hideEvent(QHideEvent *event)
{
    endDrag();  // a drag cut short by the window going away pays nothing
    QWidget::hideEvent(event);
}
