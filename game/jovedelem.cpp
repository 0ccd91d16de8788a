#include "game/jovedelem.h"

#include "controls/application.h"
#include "game/careerwidgets.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/jadat.h"
#include "game/payrolldata.h"
#include "game/adatinit.h"
#include "controls/numedit.h"
#include "game/sugo.h"
#include "controls/szamologep.h"
#include "rules/taxyear.h"
#include "gui/look.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>

using namespace payroll;

namespace {

// The fields in tab order, with their place and that of the label beside them; the
// caption and the help topic of each come from the tax year's rules.
struct FieldDef {
    int number;
    int left, top, width, height;
    const char *labelName;
    int labelLeft, labelTop;
    int labelPoints;
    bool labelItalic;
};

const FieldDef kFields[] = {
    {11, 352, 152, 121, 17, "Label23", 136, 152, 11, true},
    {1, 352, 192, 121, 17, "Label5", 136, 192, 11, true},
    {2, 352, 216, 121, 17, "Label6", 136, 216, 11, true},
    {3, 352, 240, 121, 17, "Label13", 136, 240, 11, true},
    {4, 352, 264, 121, 17, "Label14", 136, 264, 11, true},
    {5, 280, 304, 121, 17, "Label16", 40, 304, 12, false},
    {6, 280, 336, 121, 17, "Label17", 40, 336, 12, false},
    {7, 280, 368, 121, 17, "Label18", 40, 368, 12, false},
    {8, 280, 440, 121, 17, "Label20", 88, 440, 11, true},
    {9, 280, 464, 121, 17, "Label21", 88, 464, 11, true},
    {10, 376, 520, 121, 25, "Label22", 40, 520, 14, false},
};

// The 2026 fields on the same rows: the allowance base where the super-gross wage was, the
// tax and the contribution with its allowance under it (wider captions, so the fields stand
// further right), the family total in the total's place, and the employer's cost, shown for
// information, below it.
const FieldDef kFields2026[] = {
    {1, 480, 152, 121, 17, nullptr, 136, 152, 11, true},
    {2, 480, 192, 121, 17, nullptr, 136, 192, 11, true},
    {3, 480, 216, 121, 17, nullptr, 136, 216, 11, true},
    {4, 480, 240, 121, 17, nullptr, 136, 240, 11, true},
    {5, 280, 304, 121, 17, nullptr, 40, 304, 12, false},
    {6, 280, 336, 121, 17, nullptr, 40, 336, 12, false},
    {7, 280, 368, 121, 17, nullptr, 40, 368, 12, false},
    {8, 280, 440, 121, 17, nullptr, 88, 440, 11, true},
    {9, 376, 520, 121, 25, nullptr, 40, 520, 14, false},
    {10, 376, 576, 121, 17, nullptr, 40, 576, 11, true},
};

// The help topics of 2026 are those of the calculator's contexts 1 to 6 moved by this much
// (21 to 26), where the year has a topic of its own.
constexpr int kTopicShift2026 = 20;
int helpTopic(const payroll::RuleSet &rules, int context)
{
    if (rules.year() == 2026 && !sugo::topicTitle(context + kTopicShift2026).isEmpty())
        return context + kTopicShift2026;
    return context;
}

const char kGrossCaption[] = "I. Bruttó havi munkából származó jövedelmed: ";
const char kChildrenCaption[] = "Gyermekeid száma:";
const char kAllRightQuestion[] =
    "Mindent jól kiszámoltál!\rTervezd meg ehhez a jövedelemhez a családod életvitelét\r"
    "Kinyomtassam a számításaidat?";
const char kErrorsQuestion[] = "Vannak még számítási hibák! Biztos, hogy kilépsz?";
const char kSuperGrossFirst[] = "Előbb határozd meg a szuperbruttó jövedelmet!";
const char kAllowanceBaseFirst[] = "Előbb határozd meg a családi kedvezmény alapját!";
const char kRoundToFive[] = "A kiszámolt értékeket 5 Ft-ra kerekítve határozd meg";
const char kToTheForint[] = "A kiszámolt értékeket forintra pontosan határozd meg";

// The "\r" line breaks of the messages, as the dialogs show them.
QString lines(const char *text) { return QString::fromUtf8(text).replace(u'\r', u'\n'); }

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int left, int top, const QFont &font,
                  const QColor &colour = QColor())
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->move(left, top);
    label->adjustSize();
    return label;
}

QString money(qint64 amount)
{
    const QLocale locale;
    return locale.toCurrencyString(double(amount), locale.currencySymbol(QLocale::CurrencySymbol), 0);
}

// A caption as a screen reader says it: without the row's numbering and the closing colon.
QString accessibleCaption(QString caption)
{
    caption = caption.simplified();
    static const QRegularExpression numbering(QStringLiteral("^[IVX]+\\.\\s*|^[0-9]+\\.\\s*|^[a-z]\\)\\s*"));
    caption.remove(numbering);
    while (caption.endsWith(u':') || caption.endsWith(u' '))
        caption.chop(1);
    return caption;
}

QString plain(qint64 amount) { return QLocale().toString(amount); }
QString percent(double rate) { return QLocale().toString(rate * 100.0, 'g', 6) + QStringLiteral("%"); }

}  // namespace

TfJovedelem::TfJovedelem(Game *game, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_game(game)
{
    gamescreen::centreOnFirstShow(this);
    setObjectName(QStringLiteral("fJovedelem"));
    setWindowTitle(QStringLiteral("Jövedelem kalkulátor"));
    setFixedSize(772, 635);
    setFont(look::sansPoints(8));
    gamescreen::applyBackground(this);

    Label1 = new QLabel(QStringLiteral("Jövedelem kalkulátor"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(1, 0, 769, 22);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(look::serifPoints(14, true));
    Label1->setAutoFillBackground(true);
    QPalette grey = Label1->palette();
    grey.setColor(QPalette::Window, QColor(160, 160, 164));
    Label1->setPalette(grey);

    Label3 = makeLabel(this, "Label3",
                       QStringLiteral("Az egyes mezőkben állva az F1 billentyű megnyomásával segítséget kaphatsz az "
                                      "adott érték kiszámításához"),
                       129, 24, look::sansPoints(8), Qt::red);
    const QFont legend = look::sansPoints(10, true);
    makeLabel(this, "Label7", QStringLiteral("A helyes számítások eredményei"), 57, 40, legend, Qt::black);
    makeLabel(this, "Label8", QStringLiteral("zöld"), 289, 40, legend, rightColour());
    makeLabel(this, "Label9", QStringLiteral("színűek,"), 322, 40, legend, Qt::black);
    makeLabel(this, "Label10", QStringLiteral("a rossz eredményeket pedig"), 380, 40, legend, Qt::black);
    makeLabel(this, "Label11", QStringLiteral("piros"), 580, 40, legend, wrongColour());
    makeLabel(this, "Label12", QStringLiteral("szín jelöli"), 617, 40, legend, Qt::black);
    Label24 = makeLabel(this, "Label24",
                        QStringLiteral("A havibér kalkulátorral a főbb fizetendő adó és járulék költség számolható"),
                        128, 56, look::sansPoints(10, true));
    Label2 = makeLabel(this, "Label2", QString::fromUtf8(kGrossCaption), 8, 80, look::serifPoints(12, true));
    Label15 = makeLabel(this, "Label15", QString::fromUtf8(kChildrenCaption), 472, 80, look::serifPoints(12, true));
    makeLabel(this, "Label4", QStringLiteral("II. A bruttó jövedelmet terhelő levonások:"), 32, 112,
              look::serifPoints(12, true));
    makeLabel(this, "Label19", QStringLiteral("VI. Gyermekek után járó támogatások:"), 40, 408,
              look::serifPoints(12, true));

    Label25 = new QLabel(QString::fromUtf8(kRoundToFive), this);
    Label25->setObjectName(QStringLiteral("Label25"));
    Label25->setGeometry(544, 152, 168, 26);
    Label25->setAlignment(Qt::AlignCenter);
    Label25->setWordWrap(true);
    Label25->setFont(look::sansPoints(8, true));
    QPalette red = Label25->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label25->setPalette(red);

    BitBtn1 = new QPushButton(QIcon(QStringLiteral(":/pict/szamologep.png")), QStringLiteral("&Számológép"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(16, 168, 89, 25);
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    BitBtn1->setIconSize(QSize(13, 20));
    connect(BitBtn1, &QPushButton::clicked, this, &TfJovedelem::BitBtn1Click);

    QWidget *previous = nullptr;
    for (const FieldDef &def : kFields) {
        const bool total = def.number == 10;
        const payroll::Figure figure = payroll::rules2010().figure(def.number);
        m_captions[def.number] =
            makeLabel(this, def.labelName, figure.caption, def.labelLeft, def.labelTop,
                      total ? look::serifPoints(14, true) : look::serifPoints(def.labelPoints, true, def.labelItalic));
        auto *field = new TNumberEdit(this);
        field->setObjectName(QStringLiteral("NumberEdit%1").arg(def.number));
        field->setEntryRequired(TNumberEdit::floatingpointvalue);
        field->setDisplayFormat(QStringLiteral("0, Ft;(0, Ft)"));
        field->setGeometry(def.left, def.top, def.width, def.height);
        field->setTextMargins(0, 0, 0, 0);
        if (total)
            field->setFont(look::sansPoints(12, true));
        gamescreen::setHelpContext(field, figure.helpContext);
        field->setAccessibleName(accessibleCaption(figure.caption));
        m_fields[def.number] = field;
        const int number = def.number;
        connect(field, &TNumberEdit::exited, this, [this, number] { guarded([&] { NumberEditExit(number); }); });
        connect(field, &TNumberEdit::keyDown, this,
                [this, field](int &key, Qt::KeyboardModifiers) { HandleEnterEscape(field, key); });
        if (previous)
            setTabOrder(previous, field);
        previous = field;
    }

    BitBtn2 = new QPushButton(QIcon(QStringLiteral(":/pict/pipa.png")), QStringLiteral("&Kiszámoltam!"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(640, 520, 105, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &TfJovedelem::BitBtn2Click);
    BitBtn3 = new QPushButton(QStringLiteral("Havibér kalkulátor"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(8, 208, 105, 25);
    connect(BitBtn3, &QPushButton::clicked, this, &TfJovedelem::BitBtn3Click);
    setTabOrder(previous, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    for (QPushButton *button : {BitBtn2, BitBtn3})
        button->setAutoDefault(false);

    m_rules = &payroll::rules2010();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TfJovedelem::focusWindowChanged);
}

TfJovedelem::~TfJovedelem()
{
    for (int context = 1; context <= 6; ++context) {
        sugo::setPersonalNote(context, QString());
        sugo::setPersonalNote(context + kTopicShift2026, QString());
    }
}

void TfJovedelem::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The folder's year is known once its tables can be read; the layout follows it before
    // the window is first seen. An unknown year is reported by the activation that follows
    // (it cannot read the tables either), which leaves the fields unjudged.
    try {
        const payroll::RuleSet &rules = m_game->DataModule2->folderYear().rules();
        if (&rules != m_rules)
            applyRules(rules);
        Label1->setText(QStringLiteral("Jövedelem kalkulátor (%1)").arg(rules.year()));
    } catch (const std::exception &) {
    }
}

void TfJovedelem::applyRules(const payroll::RuleSet &rules)
{
    m_rules = &rules;
    const bool year2010 = rules.year() == 2010;
    QWidget *focused = focusWidget();
    for (int i = 1; i <= 11; ++i) {
        const payroll::Figure figure = rules.figure(i);
        const bool used = figure.number != 0;
        NumberEdit(i)->setVisible(used);
        caption(i)->setVisible(used);
        if (QLabel *sign = markLabel(NumberEdit(i)); sign && !used)
            sign->hide();
        if (!used)
            continue;
        caption(i)->setText(figure.caption);
        // A screen reader names the field by the figure it asks for.
        NumberEdit(i)->setAccessibleName(accessibleCaption(figure.caption));
        gamescreen::setHelpContext(NumberEdit(i), helpTopic(rules, figure.helpContext));
    }
    if (!year2010) {
        for (const FieldDef &def : kFields2026) {
            TNumberEdit *field = NumberEdit(def.number);
            field->setGeometry(def.left, def.top, def.width, def.height);
            const bool total = def.number == 9;
            field->setFont(total ? look::sansPoints(12, true) : font());
            QLabel *label = caption(def.number);
            label->setFont(total ? look::serifPoints(14, true)
                                 : look::serifPoints(def.labelPoints, true, def.labelItalic));
            label->move(def.labelLeft, def.labelTop);
            label->adjustSize();
            // A caption longer than its row up to the field is written smaller.
            const int room = def.left - 8 - def.labelLeft;
            if (label->width() > room) {
                label->setFixedSize(room, label->height());
                gamescreen::fitTextToWidth(label);
            }
        }
        // The hint stands beside the fields, which are further right than in 2010.
        Label25->setGeometry(626, 146, 140, 40);
    }
    // The signs follow their fields to the year's places.
    for (const payroll::Figure &f : rules.figures())
        if (markLabel(NumberEdit(f.number)))
            setMark(NumberEdit(f.number), markOf(NumberEdit(f.number)));
    Label25->setText(QString::fromUtf8(year2010 ? kRoundToFive : kToTheForint));
    // The tab order is the figures' order; the buttons follow.
    QWidget *previous = nullptr;
    for (const payroll::Figure &f : rules.figures()) {
        if (previous)
            setTabOrder(previous, NumberEdit(f.number));
        previous = NumberEdit(f.number);
    }
    setTabOrder(previous, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    if (!focused || !focused->isVisible())
        NumberEdit(firstField())->setFocus(Qt::OtherFocusReason);
}

QVector<int> TfJovedelem::judgedFields() const
{
    QVector<int> numbers;
    for (const payroll::Figure &f : m_rules->figures())
        if (f.judged)
            numbers << f.number;
    return numbers;
}

int TfJovedelem::firstField() const { return m_rules->figures().constFirst().number; }

int TfJovedelem::fieldOf(const QString &key) const
{
    for (const payroll::Figure &f : m_rules->figures())
        if (f.key == key)
            return f.number;
    return 0;
}

TfJovedelem::Mark TfJovedelem::markOf(const TNumberEdit *field)
{
    const QColor colour = field->palette().color(QPalette::Active, QPalette::Text);
    if (colour == rightColour())
        return Mark::Right;
    if (colour == wrongColour())
        return Mark::Wrong;
    return Mark::None;
}

QLabel *TfJovedelem::markLabel(const TNumberEdit *field)
{
    QWidget *window = field->parentWidget();
    return window ? window->findChild<QLabel *>(field->objectName() + QStringLiteral("Jel"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void TfJovedelem::setMark(TNumberEdit *field, Mark mark)
{
    QPalette palette = field->palette();
    const QColor normal = field->parentWidget() ? field->parentWidget()->palette().color(QPalette::Text)
                                                : QPalette().color(QPalette::Text);
    const QColor colour = mark == Mark::Right ? rightColour() : mark == Mark::Wrong ? wrongColour() : normal;
    palette.setColor(QPalette::Text, colour);  // every colour group, so a disabled field shows it too
    field->setPalette(palette);

    // The colour alone says nothing to a player who cannot tell red from green: a sign
    // beside the field and the verdict in words go with it.
    const QString verdict = mark == Mark::Right   ? QStringLiteral("Helyes: jól számoltál.")
                            : mark == Mark::Wrong ? QStringLiteral("Hibás: számold újra!")
                                                  : QString();
    field->setToolTip(verdict);
    field->setAccessibleDescription(verdict);
    QLabel *sign = markLabel(field);
    if (!sign && field->parentWidget()) {
        sign = new QLabel(field->parentWidget());
        sign->setObjectName(field->objectName() + QStringLiteral("Jel"));
        sign->setFont(look::sansPoints(11, true));
        sign->setAlignment(Qt::AlignCenter);
    }
    if (!sign)
        return;
    const QRect box = field->geometry();
    sign->setGeometry(box.right() + 3, box.top() + (box.height() - 20) / 2, 18, 20);
    QPalette signPalette = sign->palette();
    signPalette.setColor(QPalette::WindowText, colour);
    sign->setPalette(signPalette);
    sign->setText(mark == Mark::Right ? QStringLiteral("\u2713") : mark == Mark::Wrong ? QStringLiteral("\u2717") : QString());
    sign->setToolTip(verdict);
    sign->setAccessibleName(verdict);
    sign->setVisible(mark != Mark::None && field->isVisibleTo(field->parentWidget()));
}

bool TfJovedelem::isOwnWindow(const QWindow *window) const
{
    const QWindow *mine = windowHandle();
    for (const QWindow *w = window; w && mine; w = w->transientParent())
        if (w == mine)
            return true;
    return false;
}

void TfJovedelem::focusWindowChanged(QWindow *now)
{
    if (!now)
        return;  // the focus went to another program, or is between windows
    const bool fromOwn = m_focusWasOwn;
    m_focusWasOwn = isOwnWindow(now);
    if (now == windowHandle() && !fromOwn && isVisible()) {
        // After the focus change has been handled: the activation may show a message.
        QMetaObject::invokeMethod(this, [this] { guarded([this] { FormActivate(); }); }, Qt::QueuedConnection);
    }
}

void TfJovedelem::FormActivate()
{
    // A missing or malformed file stops here: nothing below is refreshed.
    const WageInputs in = readWageInputs();
    m_inputs = in;
    m_game->state.G = in.G;
    m_game->state.N = in.N;
    m_game->state.P = in.P;

    Label2->setText(QString::fromUtf8(kGrossCaption) + QStringLiteral(" ") + money(in.G));
    Label2->adjustSize();
    Label15->setText(QString::fromUtf8(kChildrenCaption) + QStringLiteral(" ") + QString::number(in.N));
    Label15->adjustSize();

    TNumberEdit *partner = NumberEdit(7);
    partner->setValue(double(in.P));
    setMark(partner, Mark::Right);
    partner->setEnabled(false);
    m_tables = LoadPayrollTables(m_game->DataModule2);
    m_tablesLoaded = true;
    if (m_rules->year() == 2010) {
        if (in.N == 0) {
            // Without children both allowances are 0, the value the fields hold.
            setMark(NumberEdit(8), Mark::Right);
            setMark(NumberEdit(9), Mark::Right);
        }
        updateHelpNotes();
        return;
    }
    if (in.N == 0) {
        // Without children the allowance base, the contribution allowance and the családi
        // pótlék are 0, the value the fields hold.
        for (int i : {1, 4, 8})
            setMark(NumberEdit(i), Mark::Right);
    }
    // The figures shown for information are the calculator's own.
    const QMap<int, qint64> statement = m_rules->statement(m_tables, BracketFinder(), in);
    for (const payroll::Figure &f : m_rules->figures()) {
        if (f.judged || f.rounding == Rounding::Given)
            continue;
        NumberEdit(f.number)->setValue(double(statement.value(f.number)));
        setMark(NumberEdit(f.number), Mark::None);
        NumberEdit(f.number)->setEnabled(false);
    }
    updateHelpNotes2026();
}

void TfJovedelem::updateHelpNotes2026()
{
    const Tables2026 t = tables2026(m_tables);
    const qint64 g = m_inputs.G;
    const int n = m_inputs.N;
    const int band = n > 3 ? 3 : (n < 1 ? 1 : n);
    const qint64 base = AllowanceBase2026(t, n);
    const QString head = QStringLiteral("<h3>A te adataiddal</h3>");
    auto note = [](int context, const QString &html) { sugo::setPersonalNote(context + kTopicShift2026, html); };
    note(1, head
                + QStringLiteral("<p>Bruttó béred: <b>%1 Ft</b>; a családi kedvezmény alapja: <b>%2 Ft</b>.</p>"
                                 "<p>SZJA = (%1 Ft − %2 Ft) × %3, forintra kerekítve; ha a kedvezmény alapja "
                                 "eléri a bruttó béredet, az SZJA 0 Ft.</p>"
                                 "<p>A munkáltató összes költsége = %1 Ft × (1 + %4).</p>")
                      .arg(plain(g), plain(base), percent(t.taxPercent / 100.0), percent(t.employerPercent / 100.0)));
    note(2, head
                + QStringLiteral("<p>Társadalombiztosítási járulék = %1 Ft × %2, forintra kerekítve.</p>")
                      .arg(plain(g), percent(t.contributionPercent / 100.0)));
    note(3, head
                + QStringLiteral("<p>Levonások összesen = SZJA + TB-járulék − családi járulékkedvezmény (ahogy a "
                                 "mezőkbe írtad őket).</p><p>Nettó fizetés = %1 Ft − a levonások összesen.</p>")
                      .arg(plain(g)));
    sugo::setPersonalNote(
        4, head + QStringLiteral("<p>A partnered havi nettó jövedelme: <b>%1 Ft</b>.</p>").arg(plain(m_inputs.P)));
    note(5, head
                + (n == 0 ? QStringLiteral("<p>Nincs gyereked, így a családi kedvezmény alapja, a családi "
                                           "járulékkedvezmény és a családi pótlék is 0 Ft.</p>")
                          : QStringLiteral("<p>%1 gyereked van. A családi kedvezmény alapja = %1 × %2 Ft = %3 Ft. "
                                           "Ebből a bruttó béred (%4 Ft) fölötti rész %5-a a családi "
                                           "járulékkedvezmény, de legfeljebb annyi, mint a TB-járulékod. "
                                           "Családi pótlék = %1 × %6 Ft.</p>")
                                .arg(n)
                                .arg(plain(t.allowanceBasePerChild[band]), plain(base), plain(g),
                                     percent(t.taxPercent / 100.0), plain(t.familyAllowancePerChild[band]))));
    note(6, head
                + QStringLiteral("<p>Összjövedelem = nettó fizetés + %1 Ft (a partnered jövedelme) + családi "
                                 "pótlék.</p>")
                      .arg(plain(m_inputs.P)));
}

void TfJovedelem::updateHelpNotes()
{
    const PayrollTables &t = m_tables;
    const qint64 g = m_inputs.G;
    const QString head = QStringLiteral("<h3>A te adataiddal</h3>");
    sugo::setPersonalNote(
        1, head
               + QStringLiteral("<p>Bruttó béred: <b>%1 Ft</b>; a munkáltatói járulék: <b>%2</b>.</p>"
                                "<p>Szuperbruttó = %1 Ft × (1 + %2).</p>"
                                "<p>Éves adóalap = a szuperbruttó bér tizenkétszerese. Az adójóváírás az éves "
                                "adóalap %3-a, legfeljebb évi %4 Ft; %5 Ft éves adóalap fölött a többlet %6-ával "
                                "csökken, %7 Ft-tól nincs.</p>")
                     .arg(plain(g), percent(t.employerRate), percent(t.creditRate), plain(t.creditMaximum),
                          plain(t.creditLimit), percent(t.creditReductionRate), plain(t.creditUpperLimit)));
    sugo::setPersonalNote(
        2, head
               + QStringLiteral("<ul><li>Egészségbiztosítási járulék = %1 Ft × %2</li>"
                                "<li>Munkavállalói járulék = %1 Ft × %3</li>"
                                "<li>Nyugdíjbiztosítási járulék = %1 Ft × %4</li></ul>"
                                "<p>Mindegyiket egész forintra, majd 5 forintra kerekítsd.</p>")
                     .arg(plain(g), percent(t.healthRate), percent(t.employeeRate), percent(t.pensionRate)));
    sugo::setPersonalNote(
        3, head
               + QStringLiteral("<p>Nettó fizetés = %1 Ft − a levonások összesen (ahogy a III. sorba írtad).</p>")
                     .arg(plain(g)));
    sugo::setPersonalNote(
        4, head + QStringLiteral("<p>A partnered havi nettó jövedelme: <b>%1 Ft</b>.</p>").arg(plain(m_inputs.P)));
    const int n = m_inputs.N;
    const int band = n > 3 ? 3 : (n < 1 ? 1 : n);
    sugo::setPersonalNote(
        5, head
               + (n == 0 ? QStringLiteral("<p>Nincs gyereked, így mindkét támogatás 0 Ft.</p>")
                         : QStringLiteral("<p>%1 gyereked van. Családi pótlék = %1 × %2 Ft, 5 forintra kerekítve. "
                                          "Családi adókedvezmény = %1 × %3 Ft, de legfeljebb annyi, mint az "
                                          "általad kiszámolt havi adóelőleg.</p>")
                               .arg(n)
                               .arg(plain(t.allowancePerChild[band]), plain(t.taxAllowancePerChild[band]))));
    sugo::setPersonalNote(
        6, head
               + QStringLiteral("<p>Összjövedelem = nettó fizetés + %1 Ft (a partnered jövedelme) + családi "
                                "pótlék + családi adókedvezmény.</p>")
                     .arg(plain(m_inputs.P)));
}

void TfJovedelem::NumberEditExit(int number)
{
    TNumberEdit *field = NumberEdit(number);
    m_lastLeft = field;
    if (!m_tablesLoaded)
        return;  // the wage inputs were never read: nothing to judge against
    if (!m_rules->figure(number).judged)
        return;
    IncomeAnswers answers{};
    for (int i = 1; i <= 11; ++i)
        answers[i] = NumberEdit(i)->Value();
    TDataModule2 *taxTables = m_game->DataModule2;
    const BracketFinder brackets = [taxTables](qint64 base) { return FindTaxBracket(taxTables, base); };
    setMark(field, m_rules->answerRight(number, answers, m_inputs, m_tables, brackets) ? Mark::Right : Mark::Wrong);
}

void TfJovedelem::HandleEnterEscape(TNumberEdit *field, int &key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        key = 0;
        focusNextChild();  // as Tab: the field is left and judged
    } else if (key == Qt::Key_Escape) {
        key = 0;
        field->RestoreEntryValue();
    }
}

bool TfJovedelem::allRight() const
{
    for (int i : judgedFields())
        if (markOf(NumberEdit(i)) != Mark::Right)
            return false;
    return true;
}

void TfJovedelem::BitBtn1Click()
{
    guarded([this] {
        startCalculator(m_game->dialogs(), this);
        if (m_lastLeft)
            m_lastLeft->setFocus(Qt::OtherFocusReason);
    });
}

void TfJovedelem::BitBtn3Click()
{
    guarded([this] {
        if (markOf(NumberEdit(firstField())) == Mark::Right)
            m_game->show(Game::Screen::Ber);
        else
            m_game->dialogs()->message(
                QString::fromUtf8(m_rules->year() == 2010 ? kSuperGrossFirst : kAllowanceBaseFirst));
    });
}

void TfJovedelem::BitBtn2Click()
{
    guarded([this] {
        if (!allRight()) {
            close();  // asks whether to leave with errors
            return;
        }
        Dialogs *dialogs = m_game->dialogs();
        if (dialogs->confirm(lines(kAllRightQuestion))) {
            // A print that fails is reported, and the result is stored all the same.
            guarded([&] { dialogs->printWidget(this, windowTitle()); });
        }
        // The player's row, where the evaluation left the player table.
        zdb::EditGuard guard(m_game->DM->JatekosokDB);
        guard.set(QStringLiteral("Netto_jov"), NumberEdit(fieldOf(QStringLiteral("familyNetIncome")))->Value());
        guard.commit();
        m_finishing = true;
        close();
        m_finishing = false;
        m_game->showMainPage(PageHaz);
    });
}

void TfJovedelem::takeSolvedDeductions(const SolvedDeductions &solved)
{
    if (!solved.figures.isEmpty()) {
        // A year whose exercise names the calculator's fields itself.
        for (auto it = solved.figures.cbegin(); it != solved.figures.cend(); ++it) {
            NumberEdit(it.key())->setValue(double(it.value()));
            setMark(NumberEdit(it.key()), Mark::Right);
        }
        NumberEdit(6)->setFocus(Qt::OtherFocusReason);
        return;
    }
    const qint64 amounts[] = {solved.taxAdvance, solved.health, solved.employee, solved.pension, solved.total()};
    for (int i = 1; i <= 5; ++i) {
        NumberEdit(i)->setValue(double(amounts[i - 1]));
        setMark(NumberEdit(i), Mark::Right);
    }
    // The focus waits in the net wage field for the player's return.
    NumberEdit(6)->setFocus(Qt::OtherFocusReason);
}

bool TfJovedelem::FormCloseQuery()
{
    if (allRight())
        return true;
    if (m_game->dialogs()->confirm(QString::fromUtf8(kErrorsQuestion)))
        return true;
    // Back to the wrong fields, bottom up, so the focus ends on the one nearest the top;
    // each move judges the field left again.
    const QVector<payroll::Figure> figures = m_rules->figures();
    for (auto it = figures.crbegin(); it != figures.crend(); ++it)
        if (markOf(NumberEdit(it->number)) == Mark::Wrong)
            NumberEdit(it->number)->setFocus(Qt::OtherFocusReason);
    return false;
}

void TfJovedelem::FormClose()
{
    for (int i = 1; i <= 11; ++i) {
        if (m_rules->figure(i).rounding == Rounding::Given || !m_rules->figure(i).judged)
            continue;  // refilled on the next activation
        NumberEdit(i)->setValue(0);
        // The marks go with the values: a field green at 0 would let "&Kiszámoltam!" store
        // a family income of 0 on the next visit.
        setMark(NumberEdit(i), Mark::None);
    }
    m_lastLeft = nullptr;
}

void TfJovedelem::closeEvent(QCloseEvent *event)
{
    bool allowed = false;
    guarded([&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
    // The payroll exercise belongs to this window; it keeps its state for the next visit.
    m_game->hide(Game::Screen::Ber);
    if (!m_finishing) {
        // Left without storing a result: back to the opening screen, so that a window of
        // the game is always shown.
        m_game->show(Game::Screen::Indul);
    }
}
