#pragma once
// The class at a glance: the stored games (all, or those since a day the teacher picks)
// counted by profession as balanced, not balanced yet, or never costed for the family, and
// the spread of the month's balance; and that summary as a one-page A4 report drawn by the
// report layer, for the preview, the printer and PDF.

#include "controls/report.h"
#include "maintenance/results.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVector>

namespace classview {

enum Outcome {
    Balanced,      // finished, or its last family costing balanced
    NotYet,        // costed for the family, with a shortfall that needs rework
    NeverCosted,   // never got as far as the family costing (or stored before balances were)
};
constexpr int kOutcomeCount = 3;

Outcome outcomeOf(const results::GameResult &game);
// "kijött", "még nem jött ki", "nem jutott el a családi költségvetésig".
QString outcomeName(int outcome);

struct ProfessionCounts {
    QString profession;
    int counts[kOutcomeCount] = {};
    int total() const { return counts[0] + counts[1] + counts[2]; }
};

// One range of the month's balance, from `low` to `high` (both included); a range open
// at one end has the limit of qint64 there.
struct Bin {
    QString caption;
    qint64 low = 0;
    qint64 high = 0;
    bool shortfall = false;
    int count = 0;
};

struct Summary {
    QDate since;                          // invalid: every stored game
    int games = 0;
    int counts[kOutcomeCount] = {};
    QVector<ProfessionCounts> professions;   // in Hungarian alphabetical order
    // The balances of the games with one, and their spread.
    int withBalance = 0;
    qint64 lowest = 0, median = 0, highest = 0;
    QVector<Bin> bins;
};

// The games stored on `since` or later (every game when it is invalid), counted.
Summary summarize(const QList<results::GameResult> &games, const QDate &since = QDate());

// The summary as an A4 page: a bar for each profession made of its three counts, and a bar
// for each range of the balance.
class Report : public TQuickRep {
    Q_OBJECT
public:
    explicit Report(const Summary &summary, QObject *parent = nullptr);
    const Summary &summary() const { return m_summary; }
    // The bars of the professions, in the summary's order, and those of the ranges.
    QVector<TQRBar *> professionBars() const { return m_professionBars; }
    QVector<TQRBar *> binBars() const { return m_binBars; }

private:
    Summary m_summary;
    QVector<TQRBar *> m_professionBars;
    QVector<TQRBar *> m_binBars;
};

}  // namespace classview
