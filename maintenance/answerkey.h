#pragma once
// The teacher's answer key of one stored game: every figure of the pay statement the income
// calculator asks for, with its caption, its right value and a short rule, worked out with
// the rule set of the game's tax year from the tax tables of the working folder; and that
// key as a one-page report for the preview, the printer and PDF.
//
// The folder holds only its own year's tables: a game of another year gets no figures,
// only the message saying so (figures from another year's tables would be wrong).

#include "rules/incomecheck.h"
#include "rules/payroll.h"
#include "controls/report.h"
#include "maintenance/results.h"
#include "rules/taxyear.h"

#include <QList>
#include <QString>

namespace answerkey {

struct Line {
    int number = 0;      // the calculator's field
    QString key;         // the figure's key ("taxPaid", ...)
    QString caption;     // the calculator's caption
    qint64 value = 0;    // the right value, in forints
    QString rule;        // how it is worked out, with the folder's rates and amounts
    bool judged = true;  // false: shown to the student for information only
};

struct Key {
    QString player;
    int gameYear = 2010;
    int folderYear = 2010;
    WageInputs inputs;
    // Empty when the figures are shown; otherwise why there are none.
    QString message;
    QList<Line> lines;   // in the calculator's order
};

// The wage inputs of a stored game: gross (rounded to the forint), children, partner's income.
WageInputs inputsOf(const results::GameResult &game);

// The key of a game. `tables` and `brackets` are the folder's, of `folderYear`. A game
// whose year differs from the folder's, whose year no rule set knows, or that has no gross
// wage yet gets the message and no lines. Table errors are thrown.
Key make(const results::GameResult &game, int folderYear, const payroll::PayrollTables &tables,
         const payroll::BracketFinder &brackets);

// The rule text of a figure, naming the rates and amounts of the tables for the family of
// `children` ("15 % × (bruttó − családi kedvezmény alapja)").
QString ruleText(int year, const QString &key, const payroll::PayrollTables &tables, int children);

// The key on one A4 page: the heading, the game's inputs, then one line per figure (caption,
// value, rule below), or the message instead of the figures.
class Report : public TQuickRep {
    Q_OBJECT
public:
    explicit Report(const Key &key, QObject *parent = nullptr);
    const Key &key() const { return m_key; }

private:
    Key m_key;
};

}  // namespace answerkey
