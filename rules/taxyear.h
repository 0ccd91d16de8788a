#pragma once
// The payroll rules of one tax year behind one small interface: which figures a pay
// statement has, in the order the income calculator asks for them (with the caption, the
// help topic and the rounding of each), what each one comes to for a wage, and whether a
// student's answer is right. The calculator, the checks and the reports ask the rule set
// of the year the game teaches; each year's law lives in its own rule set.

#include "incomecheck.h"
#include "payroll.h"

#include <QMap>
#include <QString>
#include <QVector>

namespace payroll {

// How a figure is rounded.
enum class Rounding {
    Whole,     // to the nearest forint, halves to the even neighbour
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
};

class RuleSet {
public:
    virtual ~RuleSet() = default;
    // The tax year whose law the rules teach.
    virtual int year() const = 0;
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

}  // namespace payroll
