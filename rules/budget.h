#pragma once
// The costing of the household budget: the single-person total of the first costing, the
// wage drawn from the profession's pay range, the family budget and its verdict, and the
// texts the reports print about them. Plain values in, plain values out; no table and no
// screen. Every amount is whole forints in 64 bits; table prices come in as doubles and are
// rounded (halves to the even neighbour) where the rules say so.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

namespace budget {

// The monthly cost of one child in the 2010 content; a working folder gives its own in
// Adoev.DB, and a folder without that row keeps this one.
constexpr qint64 kChildCost2010 = 10000;
// A shortfall of this much or more sends the player back to rework the budget.
constexpr qint64 kReworkShortfall = 1000;

// An integer drawn uniformly from 0 to bound - 1 (bound is at least 1).
using RandomSource = std::function<qint64(qint64 bound)>;
// A source seeded from the clock, so that every game draws differently.
RandomSource clockSeededSource();

// The gross wage of a new player: BRUTTO_MIN and BRUTTO_MAX rounded, r drawn from
// 0 .. max - min - 1 (0 when they are equal), round((min + r) / 1000) * 1000. Throws a
// message naming the profession when the range is reversed.
qint64 drawWage(double bruttoMin, double bruttoMax, const QString &profession, const RandomSource &random);

// The five monthly prices of the chosen rows, as the player record's lookups give them.
struct Prices {
    double rezsi = 0;        // Haz_Rezsi
    double torleszto = 0;    // Haz_Torleszto_Reszlet
    double food = 0;         // Elelmiszer_Atlagos_Ar, one person
    double clothing = 0;     // Ruhazkodas_Atlagos_Ar, one person
    double transport = 0;    // Kozlekedes_Atlagos_Ar, one person
};

// round(rezsi + torleszto + food + clothing + transport), summed before rounding.
qint64 singlePersonTotal(const Prices &prices);

// The chosen activities of one kind: a report line each and their running sum.
struct Activities {
    QStringList lines;   // "Kategoria, <price> Ft"
    qint64 sum = 0;
    // Adds one chosen activity: its line, and sum := round(sum + price).
    void add(const QString &category, double price);
};

// Whether the activity with key 1..6 is chosen in a mask (bits of the low byte).
bool chosen(int mask, int key);

// The family budget of the second evaluation, before the activities.
struct FamilyCosts {
    qint64 perPersonFood = 0;   // round(food price)
    qint64 food = 0;            // round(food price * (0.75 * N + 2))
    qint64 clothing = 0;        // round(clothing price * (N + 2))
    qint64 transport = 0;       // per head for the pass (key 1), once for any other
    qint64 children = 0;        // N * the monthly cost of a child
    qint64 total = 0;           // the four terms, then both house prices, rounded once
};
// childCost: the monthly cost of one child, the folder's Gyerek_koltseg.
FamilyCosts familyCosts(const Prices &prices, int transportKey, int children, qint64 childCost = kChildCost2010);

// round(net income - family total).
qint64 monthlyBalance(double netIncome, qint64 familyTotal);
// True when the balance is a shortfall of 1000 Ft or more.
bool needsRework(qint64 balance);

// The message of a budget that does not work (three lines).
QString reworkMessage();

// Texts of the reports. Amounts are plain digits; the "general" numbers have up to 15
// significant digits, no group separators and the locale's decimal separator only when
// there is a fraction.
QString amountText(qint64 amount);   // "<amount> Ft"
QString generalNumber(double value, const QLocale &locale = QLocale());
QString familySizeText(int children);                        // Ennyienvagytok
QString childCostText(int children, qint64 childCost = kChildCost2010);  // gyerektext
QString foodPerPersonText(qint64 perPersonFood, int children, const QLocale &locale = QLocale());
QString clothingPerPersonText(qint64 clothingCost, int children, const QLocale &locale = QLocale());
QString savingsText(qint64 balance);                         // QRLabel7 of the certificate
// The year with the Hungarian adjective suffix its spoken last word takes ("2010-es",
// "2026-os", "2023-as", "2025-ös"), and the reports' line naming the year's levels:
// "2026-os adó- és árszintek".
QString yearAdjective(int year);
QString yearLevelsText(int year);

// The four lines of "ber.txt": wage, children, spouse's net income, and the single-person
// total of the first costing (0 in the family budget check).
QStringList wageFileLines(qint64 wage, int children, qint64 spouseNet, qint64 fourth);

}  // namespace budget
