#pragma once
// The family's month as a picture: the parts the family total is made of (the six
// catalogues and the children), the net income beside them and what remains; and the
// what-if of a budget that does not balance: the one change of a single catalogue choice
// that balances it with the smallest saving, or the largest single saving when none is
// enough. The figures follow the household costing of budget.h exactly, so that the parts
// add up to the evaluation's family total. Plain values in, plain values out.

#include "rules/budget.h"

#include <QString>
#include <QVector>
#include <QtGlobal>

namespace monthchart {

// The parts of the family total, in the order the chart draws them.
enum Part { Home, Food, Clothing, Transport, Hobbies, Entertainment, Children };
constexpr int kPartCount = 7;

// "Lakás és rezsi", "Élelmiszer", "Ruházkodás", "Közlekedés", "Hobbi", "Szórakozás", "Gyerekek".
QString partName(int part);

struct Figures {
    qint64 parts[kPartCount] = {};
    qint64 total = 0;      // the sum of the parts: the evaluation's family total
    qint64 balance = 0;    // the evaluation's monthly balance
    qint64 income = 0;     // total + balance: the net income as the balance counts it
    qint64 remainder() const { return balance > 0 ? balance : 0; }
    qint64 shortfall() const { return balance < 0 ? -balance : 0; }
};

// The figures of a family budget: its costs before the activities, the two activity sums
// and the family's net income. The home is the house's two prices as the family total
// rounds them, so that the parts add up to the total to the forint.
Figures figures(const budget::FamilyCosts &costs, qint64 hobbies, qint64 entertainment, double netIncome);

// "12 345 Ft": forints with a space between the thousands, a minus sign when negative.
QString forints(qint64 amount);

// One row of a catalogue, as the what-if sees it.
struct Option {
    int key = 0;
    QString name;          // Kategoria
    double price = 0;      // Atlagos_Ar; for homes the instalment (Torleszto_reszlet)
    double rezsi = 0;      // homes only
};

// The six catalogues (activities keyed 1 to 6).
struct Catalogues {
    QVector<Option> homes, foods, clothing, transport, hobbies, entertainment;
};

// The choices of one family's month and what the family lives on.
struct Month {
    int home = 0, food = 0, clothing = 0, transport = 0;   // catalogue keys
    int hobbyMask = 0, entertainmentMask = 0;
    int children = 0;
    qint64 childCost = budget::kChildCost2010;
    double netIncome = 0;
};

// The family total of a month by the household costing (throws when a chosen key is not
// in its catalogue).
qint64 familyTotal(const Catalogues &catalogues, const Month &month);

// Which catalogue a suggestion changes: the four with one choice, and the two of activities.
enum Catalogue { HomeCatalogue, FoodCatalogue, ClothingCatalogue, TransportCatalogue, HobbyCatalogue,
                 EntertainmentCatalogue };

struct Suggestion {
    enum Kind {
        Balanced,    // the budget balances already: nothing to suggest
        Enough,      // this one change balances it, and no cheaper single change does
        NotEnough,   // no single change is enough; this is the largest saving
        NoSaving,    // nothing cheaper can be chosen at all
    };
    Kind kind = Balanced;
    Catalogue catalogue = HomeCatalogue;
    int key = 0;          // the row chosen instead; for activities the one left out
    QString name;         // its Kategoria
    int rank = 0;         // 1: the cheapest row of its catalogue for this family (not for activities)
    qint64 saving = 0;    // how much less the family total is
    qint64 balance = 0;   // the monthly balance after the change
};

// The what-if of a month: every single change (another home, food, clothing or transport,
// or one chosen hobby or entertainment left out) costed by familyTotal; a change balances
// when the shortfall it leaves is less than budget::kReworkShortfall. Ties go to the earlier
// catalogue, then the earlier row.
Suggestion whatIf(const Catalogues &catalogues, const Month &month);

// The chart's sentence about a suggestion: "Egyetlen változtatás, amellyel kijön: a 2.
// legolcsóbb lakás (Panellakás): −38 000 Ft"; empty for a balanced budget.
QString suggestionText(const Suggestion &suggestion);

}  // namespace monthchart

namespace surprise {

// An unexpected event of the month: its name, its amount (a cost below zero, a gain above)
// and its one-line story.
struct Event {
    QString name;
    qint64 amount = 0;
    QString story;
};

// One of the events, drawn with `random` (each as likely as the others); the first of none
// is an empty event (check `events` first).
Event draw(const QVector<Event> &events, const budget::RandomSource &random);

// Whether what remains of the month covers the event: the balance after it is not below zero.
bool covered(qint64 balance, const Event &event);

// The chart's lines about the event: "Elromlott a mosógép: −45 000 Ft", its story, and
// whether the month's remainder covers it.
QString headline(const Event &event);
QString outcomeText(qint64 balance, const Event &event);

}  // namespace surprise
