#include "maintenance/answerkey.h"

#include "rules/budget.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace answerkey {

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

// A percentage as a Hungarian text: "15", "18,5".
QString percent(double value)
{
    return QLocale(QLocale::Hungarian, QLocale::Hungary).toString(value, 'g', 6) + u(" %");
}

QString money(qint64 value) { return reportprint::moneyText(double(value)); }

// The amount per child of the family's size (1, 2, 3 or more children).
qint64 perChild(const std::array<qint64, 4> &amounts, int children)
{
    return amounts[std::clamp(children, 1, 3)];
}

// "2 gyermek × 13 300 Ft" and what follows; without children the amount is 0.
QString perChildRule(const std::array<qint64, 4> &amounts, int children, const QString &tail = QString())
{
    if (children <= 0)
        return u("gyermek nélkül 0 Ft");
    return u("%1 gyermek × %2").arg(children).arg(money(perChild(amounts, children))) + tail;
}

QString rule2010(const QString &key, const payroll::PayrollTables &t, int children)
{
    if (key == QLatin1String("superGross"))
        return u("bruttó × (1 + %1 munkáltatói járulék)").arg(percent(t.employerRate * 100));
    if (key == QLatin1String("taxAdvance"))
        return u("(a szuperbruttó 12-szeresének adója az adótábla sávja szerint − adójóváírás) ÷ 12");
    if (key == QLatin1String("health"))
        return u("%1 × bruttó, 5 forintra kerekítve").arg(percent(t.healthRate * 100));
    if (key == QLatin1String("employee"))
        return u("%1 × bruttó, 5 forintra kerekítve").arg(percent(t.employeeRate * 100));
    if (key == QLatin1String("pension"))
        return u("%1 × bruttó, 5 forintra kerekítve").arg(percent(t.pensionRate * 100));
    if (key == QLatin1String("deductionsTotal"))
        return u("adóelőleg + egészségbiztosítási + munkavállalói + nyugdíjbiztosítási járulék");
    if (key == QLatin1String("netWage"))
        return u("bruttó − levonások összesen");
    if (key == QLatin1String("partnerNet"))
        return u("a játékban megadott összeg");
    if (key == QLatin1String("familyAllowance"))
        return perChildRule(t.allowancePerChild, children, u(", 5 forintra kerekítve"));
    if (key == QLatin1String("familyTaxAllowance"))
        return perChildRule(t.taxAllowancePerChild, children, u(", legfeljebb az adóelőleg"));
    if (key == QLatin1String("familyNetIncome"))
        return u("nettó fizetés + partner nettó jövedelme + családi pótlék + családi adókedvezmény");
    return QString();
}

QString rule2026(const QString &key, const payroll::PayrollTables &tables, int children)
{
    const payroll::Tables2026 t = payroll::tables2026(tables);
    if (key == QLatin1String("allowanceBase"))
        return perChildRule(t.allowanceBasePerChild, children);
    if (key == QLatin1String("taxPaid"))
        return u("%1 × (bruttó − családi kedvezmény alapja), legalább 0").arg(percent(t.taxPercent));
    if (key == QLatin1String("contribution"))
        return u("%1 × bruttó").arg(percent(t.contributionPercent));
    if (key == QLatin1String("contributionAllowance"))
        return u("%1 × (a kedvezmény alapjának a bruttó feletti része), legfeljebb a TB-járulék")
            .arg(percent(t.taxPercent));
    if (key == QLatin1String("deductionsTotal"))
        return u("SZJA + TB-járulék − családi járulékkedvezmény");
    if (key == QLatin1String("netWage"))
        return u("bruttó − levonások összesen");
    if (key == QLatin1String("partnerNet"))
        return u("a játékban megadott összeg");
    if (key == QLatin1String("familyAllowance"))
        return perChildRule(t.familyAllowancePerChild, children);
    if (key == QLatin1String("familyNetIncome"))
        return u("nettó fizetés + partner nettó jövedelme + családi pótlék");
    if (key == QLatin1String("employerCost"))
        return u("bruttó × (1 + %1 szociális hozzájárulási adó); tájékoztató, nem értékelt")
            .arg(percent(t.employerPercent));
    return QString();
}

}  // namespace

WageInputs inputsOf(const results::GameResult &game)
{
    WageInputs in;
    in.G = game.grossWage ? payroll::Round(*game.grossWage) : 0;
    in.N = game.children;
    in.P = game.partnerIncome;
    return in;
}

QString ruleText(int year, const QString &key, const payroll::PayrollTables &tables, int children)
{
    return year == 2026 ? rule2026(key, tables, children) : rule2010(key, tables, children);
}

Key make(const results::GameResult &game, int folderYear, const payroll::PayrollTables &tables,
         const payroll::BracketFinder &brackets)
{
    Key key;
    key.player = game.name;
    key.gameYear = game.taxYear;
    key.folderYear = folderYear;
    key.inputs = inputsOf(game);
    const payroll::RuleSet *rules = payroll::ruleSetFor(game.taxYear);
    if (!rules) {
        key.message = u("A játék adóéve (%1) ismeretlen a program számára, ezért a megoldókulcs nem "
                        "számítható ki.")
                          .arg(game.taxYear);
        return key;
    }
    if (game.taxYear != folderYear) {
        key.message = u("A játék adóéve %1, a munkakönyvtáré %2. A munkakönyvtár csak a saját adóévének "
                        "tábláit tartalmazza, ezért ennek a játéknak a megoldókulcsa itt nem számítható ki; "
                        "nyissa meg egy %3 munkakönyvtárban.")
                          .arg(game.taxYear)
                          .arg(folderYear)
                          .arg(budget::yearAdjective(game.taxYear));
        return key;
    }
    if (!game.grossWage) {
        key.message = u("A játékos még nem jutott el a bérig: nincs bruttó bér, amiből a megoldókulcs "
                        "kiszámítható.");
        return key;
    }
    const QMap<int, qint64> values = rules->statement(tables, brackets, key.inputs);
    for (const payroll::Figure &f : rules->figures()) {
        Line line;
        line.number = f.number;
        line.key = f.key;
        line.caption = f.caption;
        line.value = values.value(f.number);
        line.rule = ruleText(rules->year(), f.key, tables, key.inputs.N);
        line.judged = f.judged;
        key.lines.append(line);
    }
    return key;
}

namespace {

const TQRFont kTitle{TQRFont::Arial, 16, true};
const TQRFont kHeading{TQRFont::Arial, 10, true};
const TQRFont kText{TQRFont::Arial, 10};
const TQRFont kRule{TQRFont::Arial, 8, false, true};
constexpr auto L = TQRAlignment::Left;
constexpr auto C = TQRAlignment::Centre;
constexpr auto R = TQRAlignment::Right;

TQRLayoutElement label(const char *name, double l, double t, double w, double h, const TQRFont &font,
                       TQRAlignment alignment, const char *caption = "")
{
    return {name, TQRLayoutElement::Label, QRectF(l, t, w, h), font, alignment, false, caption};
}

// The fixed part of the page; the texts of the game are set on it.
const QVector<TQRLayoutElement> kLayout = {
    label("Cim", 2, 2, 186, 8, kTitle, C, "Megoldókulcs – a család havi jövedelme"),
    label("Jatekos", 2, 12, 186, 5, kHeading, C),
    label("Adatok", 2, 19, 186, 5, kText, C),
    label("FejTetel", 2, 29, 120, 5, kHeading, L, "Tétel"),
    label("FejErtek", 128, 29, 60, 5, kHeading, R, "Helyes érték"),
    {"Uzenet", TQRLayoutElement::Memo, QRectF(2, 37, 186, 40), kText},
};

constexpr double kFirstLine = 37;
constexpr double kLineHeight = 14;

}  // namespace

Report::Report(const Key &key, QObject *parent) : TQuickRep(QStringLiteral("AnswerKey"), parent), m_key(key)
{
    setReportName(u("megoldókulcs"));
    setPlayerNameSource([this] { return m_key.player; });
    buildLayout(this, kLayout);
    layoutElement<TQRLabel>(this, "Jatekos")
        ->setCaption(u("%1 – %2").arg(key.player, budget::yearLevelsText(key.gameYear)));
    layoutElement<TQRLabel>(this, "Adatok")
        ->setCaption(u("Bruttó bér: %1   Gyermekek: %2   Partner havi nettó jövedelme: %3")
                         .arg(money(key.inputs.G))
                         .arg(key.inputs.N)
                         .arg(money(key.inputs.P)));
    if (!key.message.isEmpty()) {
        // No figures: no headings over them either.
        layoutElement<TQRLabel>(this, "FejTetel")->setCaption(QString());
        layoutElement<TQRLabel>(this, "FejErtek")->setCaption(QString());
        layoutElement<TQRMemo>(this, "Uzenet")->add(key.message);
        return;
    }
    for (int i = 0; i < key.lines.size(); ++i) {
        const Line &line = key.lines.at(i);
        const double top = kFirstLine + i * kLineHeight;
        const QString n = QString::number(line.number);
        new TQRLabel(this, QStringLiteral("Tetel%1").arg(n), QRectF(2, top, 124, 5), kText, L, false,
                     line.caption);
        new TQRLabel(this, QStringLiteral("Ertek%1").arg(n), QRectF(128, top, 60, 5), kHeading, R, false,
                     money(line.value));
        new TQRLabel(this, QStringLiteral("Szabaly%1").arg(n), QRectF(8, top + 5.5, 180, 4.5), kRule, L, false,
                     line.rule);
    }
}

}  // namespace answerkey
