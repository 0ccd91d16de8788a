#pragma once
// The payroll rules of one tax year behind one small interface: which figures a pay
// statement has, in the order the income calculator asks for them (with the caption, the
// help topic and the rounding of each), what each one comes to for a wage, and whether a
// student's answer is right. The calculator, the checks and the reports ask the rule set
// of the year the game teaches; each year's law lives in its own rule set.
//
// The interface takes the 2010-shaped PayrollTables as it always did; the 2026 parameters
// ride in it as an optional part (PayrollTables::year2026) rather than as a variant of the
// two shapes. So every caller of the 2010 rules, and the 2010 rules themselves, stay as they
// were: a folder of 2010 fills the 2010 fields and leaves the part empty, a folder of 2026
// fills the part, and the 2026 rules fall back on the law of 2026 when it is empty.

#include "rules/incomecheck.h"
#include "rules/payroll.h"

#include <QMap>
#include <QString>
#include <QVector>

namespace payroll {

// How a figure is rounded.
enum class Rounding {
    Whole,     // to the nearest forint, halves to the even neighbour
    HalfUp,    // to the nearest forint, halves up (the 2026 rules)
    ToFive,    // to the nearest forint, then to a multiple of 5
    AsIs,      // a sum or a difference of other figures, taken as they stand
    Given,     // a figure the student is given rather than works out
};

struct Figure {
    int number = 0;       // the calculator's field (NumberEdit<number>)
    QString key;          // a name for the code: "superGross", "taxAdvance", ...
    QString caption;      // the label beside the field
    int helpContext = 0;  // the help topic F1 opens in the field
    Rounding rounding = Rounding::Whole;
    bool judged = true;   // false: shown for information, never marked right or wrong
};

class RuleSet {
public:
    virtual ~RuleSet() = default;
    // The tax year whose law the rules teach.
    virtual int year() const = 0;
    // Whether the year's tax is lessened by the tax credit (the contributions table's
    // `Ajkulcs` and `Ajhatar` count only then).
    virtual bool usesTaxCredit() const = 0;
    // The calculator's figures, in the order it asks for them.
    virtual QVector<Figure> figures() const = 0;
    // The right value of every figure, by field number. Table errors are thrown.
    virtual QMap<int, qint64> statement(const PayrollTables &tables, const BracketFinder &brackets,
                                        const WageInputs &inputs) const = 0;
    // Whether the answer of field `number` is right, given the answers as typed.
    virtual bool answerRight(int number, const IncomeAnswers &answers, const WageInputs &inputs,
                             const PayrollTables &tables, const BracketFinder &brackets) const = 0;

    // The figure of a field number; a default Figure (number 0) when there is none.
    Figure figure(int number) const;
};

// The rule set of a tax year; null for a year no rule set knows.
const RuleSet *ruleSetFor(int year);
// The tax years there are rule sets for, oldest first.
QVector<int> taxYears();
// The rules of 2010: super-gross wage, banded tax with the tax credit, three employee
// contributions, the family tax allowance capped at the tax advance.
const RuleSet &rules2010();
// The rules of 2026: flat 15 % tax on the gross less the family allowance base, one 18.5 %
// TB contribution, what the tax cannot absorb of the allowance set against the TB, the
// employer's cost shown beside them. Its fields, in the calculator's order:
//   1  allowanceBase          N x the base per child of a family of N
//   2  taxPaid                15 % of (G - base), never below 0
//   3  contribution           18.5 % of G
//   4  contributionAllowance  15 % of the base above G, at most answer 3 (never below 0)
//   5  deductionsTotal        answers 2 + 3 - 4 as they stand
//   6  netWage                G - answer 5
//   7  partnerNet             any amount from 0 (given to the student)
//   8  familyAllowance        N x the családi pótlék per child
//   9  familyNetIncome        answers 6 + 7 + 8 as they stand
//  10  employerCost           G + 13 % of G (shown, not judged)
// Every rounded figure is to the forint, halves up; a right 0 (a big family's tax or TB)
// is right like any other figure.
const RuleSet &rules2026();
// The 2026 parameters of the tables: their 2026 part, else the law of 2026.
Tables2026 tables2026(const PayrollTables &tables);

}  // namespace payroll
