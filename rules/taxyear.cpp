#include "taxyear.h"

namespace payroll {

Figure RuleSet::figure(int number) const
{
    for (const Figure &f : figures())
        if (f.number == number)
            return f;
    return Figure();
}

namespace {

class Rules2010 final : public RuleSet {
public:
    int year() const override { return 2010; }

    QVector<Figure> figures() const override
    {
        return {
            {11, QStringLiteral("superGross"), QStringLiteral("A szuperbruttó jövedelem összege:"), 1, Rounding::Whole},
            {1, QStringLiteral("taxAdvance"), QStringLiteral("Jövedelemadó előleg havonta:"), 1, Rounding::Whole},
            {2, QStringLiteral("health"), QStringLiteral("Egészségbiztosítási járulék:"), 2, Rounding::ToFive},
            {3, QStringLiteral("employee"), QStringLiteral("Munkavállalói járulék:"), 2, Rounding::ToFive},
            {4, QStringLiteral("pension"), QStringLiteral("Nyugdíjbiztosítási járulék:"), 2, Rounding::ToFive},
            {5, QStringLiteral("deductionsTotal"), QStringLiteral("III. Levonások összesen:"), 3, Rounding::AsIs},
            {6, QStringLiteral("netWage"), QStringLiteral("IV. Nettó fizetés kiszámítása:"), 3, Rounding::AsIs},
            {7, QStringLiteral("partnerNet"), QStringLiteral("V. Partnered havi nettó jövedelme:"), 4, Rounding::Given},
            {8, QStringLiteral("familyAllowance"), QStringLiteral("Családi pótlék:"), 5, Rounding::ToFive},
            {9, QStringLiteral("familyTaxAllowance"), QStringLiteral("Családi adókedvezmény:"), 5, Rounding::AsIs},
            {10, QStringLiteral("familyNetIncome"), QStringLiteral("VII. A család havi nettó összjövedelme:"), 6,
             Rounding::AsIs},
        };
    }

    QMap<int, qint64> statement(const PayrollTables &tables, const BracketFinder &brackets,
                                const WageInputs &in) const override
    {
        const PayStatement s = ComputePayStatement(tables, brackets, in.G, in.N, in.P);
        return {{11, s.superGross},     {1, s.taxAdvance},       {2, s.health},
                {3, s.employee},        {4, s.pension},          {5, s.deductionsTotal},
                {6, s.netWage},         {7, s.partnerNet},       {8, s.familyAllowance},
                {9, s.familyTaxAllowance}, {10, s.familyNetIncome}};
    }

    bool answerRight(int number, const IncomeAnswers &answers, const WageInputs &inputs, const PayrollTables &tables,
                     const BracketFinder &brackets) const override
    {
        return incomeAnswerRight(number, answers, inputs, tables, brackets);
    }
};

}  // namespace

const RuleSet &rules2010()
{
    static const Rules2010 rules;
    return rules;
}

const RuleSet *ruleSetFor(int year)
{
    for (const RuleSet *rules : {&rules2010()})
        if (rules->year() == year)
            return rules;
    return nullptr;
}

QVector<int> taxYears() { return {2010}; }

}  // namespace payroll
