#include "maintenance/classview.h"

#include "rules/budget.h"
#include "rules/monthchart.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <limits>

namespace classview {

namespace {

const TQRFont kTitle{TQRFont::Arial, 14, true};
const TQRFont kText{TQRFont::Arial, 10};
const TQRFont kHeading{TQRFont::Arial, 10, true};
const TQRFont kSmall{TQRFont::Arial, 8};
constexpr auto L = TQRAlignment::Left;
constexpr auto C = TQRAlignment::Centre;
constexpr auto R = TQRAlignment::Right;

// The parts of a profession's bar: light colours apart for a colour-blind reader, each with
// its own pattern for grey print.
TQRBarPart outcomePart(int outcome, int count)
{
    static const QColor fills[kOutcomeCount] = {QColor(160, 205, 235), QColor(250, 200, 120), QColor(210, 210, 210)};
    static const TQRBarPart::Pattern patterns[kOutcomeCount] = {TQRBarPart::Plain, TQRBarPart::Dots,
                                                                TQRBarPart::Diagonal};
    TQRBarPart part;
    part.name = outcomeName(outcome);
    part.amount = count;
    part.amountText = QString::number(count);
    part.fill = fills[outcome];
    part.pattern = patterns[outcome];
    return part;
}

TQRBarPart binPart(const Bin &bin)
{
    TQRBarPart part;
    part.name = bin.caption;
    part.amount = bin.count;
    part.amountText = QString::number(bin.count);
    part.fill = bin.shortfall ? QColor(255, 215, 215) : QColor(200, 230, 215);
    part.pattern = bin.shortfall ? TQRBarPart::Cross : TQRBarPart::Plain;
    part.alarm = bin.shortfall;
    return part;
}

// Forints with a space between the thousands, without the unit.
QString grouped(qint64 amount)
{
    QString text = monthchart::forints(amount);
    text.chop(3);
    return text;
}

QVector<Bin> emptyBins()
{
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    constexpr qint64 highest = std::numeric_limits<qint64>::max();
    const qint64 rework = budget::kReworkShortfall;
    const auto range = [](qint64 from, qint64 to, const QString &what) {
        return QStringLiteral("%1 – %2 Ft %3").arg(grouped(from), grouped(to), what);
    };
    return {
        {QStringLiteral("több mint %1 Ft hiány").arg(grouped(100000)), lowest, -100001, true},
        {range(50001, 100000, QStringLiteral("hiány")), -100000, -50001, true},
        {range(rework, 50000, QStringLiteral("hiány")), -50000, -rework, true},
        {QStringLiteral("%1 Ft alatti hiány (elfogadva)").arg(grouped(rework)), -rework + 1, -1, false},
        {range(0, 49999, QStringLiteral("marad")), 0, 49999, false},
        {range(50000, 99999, QStringLiteral("marad")), 50000, 99999, false},
        {range(100000, 199999, QStringLiteral("marad")), 100000, 199999, false},
        {QStringLiteral("legalább %1 Ft marad").arg(grouped(200000)), 200000, highest, false},
    };
}

}  // namespace

Outcome outcomeOf(const results::GameResult &game)
{
    if (game.finished || (game.balance && !budget::needsRework(*game.balance)))
        return Balanced;
    return game.balance ? NotYet : NeverCosted;
}

QString outcomeName(int outcome)
{
    switch (outcome) {
    case Balanced: return QStringLiteral("kijött");
    case NotYet: return QStringLiteral("még nem jött ki");
    case NeverCosted: return QStringLiteral("nem jutott el a családi költségvetésig");
    }
    return QString();
}

Summary summarize(const QList<results::GameResult> &games, const QDate &since)
{
    Summary s;
    s.since = since;
    s.bins = emptyBins();
    QVector<qint64> balances;
    for (const results::GameResult &game : games) {
        if (since.isValid() && (!game.date.isValid() || game.date < since))
            continue;
        ++s.games;
        const Outcome outcome = outcomeOf(game);
        ++s.counts[outcome];
        const QString profession =
            game.profession.trimmed().isEmpty() ? QStringLiteral("(ismeretlen szakma)") : game.profession.trimmed();
        auto it = std::find_if(s.professions.begin(), s.professions.end(),
                               [&](const ProfessionCounts &p) { return p.profession == profession; });
        if (it == s.professions.end()) {
            s.professions.append(ProfessionCounts{profession, {}});
            it = s.professions.end() - 1;
        }
        ++it->counts[outcome];
        if (game.balance) {
            balances << *game.balance;
            for (Bin &bin : s.bins)
                if (*game.balance >= bin.low && *game.balance <= bin.high)
                    ++bin.count;
        }
    }
    QCollator collator(QLocale(QLocale::Hungarian, QLocale::Hungary));
    std::sort(s.professions.begin(), s.professions.end(), [&collator](const ProfessionCounts &a, const ProfessionCounts &b) {
        return collator.compare(a.profession, b.profession) < 0;
    });
    std::sort(balances.begin(), balances.end());
    s.withBalance = int(balances.size());
    if (!balances.isEmpty()) {
        s.lowest = balances.first();
        s.highest = balances.last();
        s.median = balances.at((balances.size() - 1) / 2);
    }
    return s;
}

Report::Report(const Summary &summary, QObject *parent)
    : TQuickRep(QStringLiteral("ClassView"), parent), m_summary(summary)
{
    setReportName(QStringLiteral("az osztály egy képen"));
    const Summary &s = m_summary;
    new TQRLabel(this, QStringLiteral("Cim"), QRectF(2, 2, 186, 7), kTitle, C, false, QStringLiteral("Az osztály egy képen"));
    new TQRLabel(this, QStringLiteral("Idoszak"), QRectF(2, 10, 186, 5), kText, C, false,
                 s.since.isValid() ? QStringLiteral("A %1 óta tárolt játékok").arg(s.since.toString(QStringLiteral("yyyy.MM.dd.")))
                                   : QStringLiteral("Minden tárolt játék"));
    new TQRLabel(this, QStringLiteral("Osszesen"), QRectF(2, 17, 186, 5), kText, C, false,
                 QStringLiteral("%1 játék: %2 %3, %4 %5, %6 %7")
                     .arg(s.games)
                     .arg(s.counts[Balanced])
                     .arg(outcomeName(Balanced))
                     .arg(s.counts[NotYet])
                     .arg(outcomeName(NotYet))
                     .arg(s.counts[NeverCosted])
                     .arg(outcomeName(NeverCosted)));

    // The legend of the three parts, then a row for each profession.
    const double legendX[kOutcomeCount] = {2, 48, 100};
    for (int o = 0; o < kOutcomeCount; ++o) {
        auto *swatch = new TQRBar(this, QStringLiteral("Jel%1").arg(o + 1), QRectF(legendX[o], 25, 8, 4), kSmall);
        swatch->setParts({outcomePart(o, 1)});
        new TQRLabel(this, QStringLiteral("JelSzoveg%1").arg(o + 1), QRectF(legendX[o] + 10, 25, 80, 4.5), kSmall, L,
                     true, outcomeName(o));
    }
    new TQRLabel(this, QStringLiteral("FejSzakma"), QRectF(2, 32, 120, 5), kHeading, L, true,
                 QStringLiteral("Szakmánként (kijött / még nem / nem jutott el)"));
    int widest = 1;
    for (const ProfessionCounts &p : s.professions)
        widest = std::max(widest, p.total());
    const int rows = std::max(1, int(s.professions.size()));
    const double rowHeight = std::min(5.5, 150.0 / rows);
    double top = 38;
    for (int i = 0; i < s.professions.size(); ++i) {
        const ProfessionCounts &p = s.professions.at(i);
        new TQRLabel(this, QStringLiteral("Szakma%1").arg(i + 1), QRectF(2, top, 56, rowHeight), kSmall, L, true,
                     p.profession);
        auto *bar = new TQRBar(this, QStringLiteral("Sav%1").arg(i + 1), QRectF(60, top + 0.4, 108, rowHeight - 0.8),
                               kSmall);
        QVector<TQRBarPart> parts;
        for (int o = 0; o < kOutcomeCount; ++o)
            parts << outcomePart(o, p.counts[o]);
        bar->setParts(parts);
        bar->setFullScale(widest);
        m_professionBars << bar;
        new TQRLabel(this, QStringLiteral("Szam%1").arg(i + 1), QRectF(170, top, 18, rowHeight), kSmall, R, false,
                     QStringLiteral("%1/%2/%3").arg(p.counts[0]).arg(p.counts[1]).arg(p.counts[2]));
        top += rowHeight;
    }

    // The spread of the month's balance.
    top += 6;
    new TQRLabel(this, QStringLiteral("FejEgyenleg"), QRectF(2, top, 186, 5), kHeading, L, true,
                 QStringLiteral("A havi egyenleg eloszlása"));
    top += 6;
    new TQRLabel(this, QStringLiteral("Szoras"), QRectF(2, top, 186, 5), kText, L, false,
                 s.withBalance == 0
                     ? QStringLiteral("Egyik játék sem jutott el a családi költségvetésig.")
                     : QStringLiteral("%1 játék egyenlege ismert: a legkisebb %2, a középső (medián) %3, a legnagyobb %4.")
                           .arg(s.withBalance)
                           .arg(monthchart::forints(s.lowest), monthchart::forints(s.median),
                                monthchart::forints(s.highest)));
    top += 7;
    int fullest = 1;
    for (const Bin &bin : s.bins)
        fullest = std::max(fullest, bin.count);
    for (int i = 0; i < s.bins.size(); ++i) {
        const Bin &bin = s.bins.at(i);
        new TQRLabel(this, QStringLiteral("Sav_cim%1").arg(i + 1), QRectF(2, top, 56, 5.5), kSmall, L, true, bin.caption);
        auto *bar = new TQRBar(this, QStringLiteral("Egyenleg%1").arg(i + 1), QRectF(60, top + 0.4, 108, 4.7), kSmall);
        bar->setParts({binPart(bin)});
        bar->setFullScale(fullest);
        m_binBars << bar;
        new TQRLabel(this, QStringLiteral("Egyenleg_szam%1").arg(i + 1), QRectF(170, top, 18, 5.5), kSmall, R, false,
                     QString::number(bin.count));
        top += 5.5;
    }
}

}  // namespace classview
