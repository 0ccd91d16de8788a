#include "rules/taxyear.h"

#include <algorithm>

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
    bool usesTaxCredit() const override { return true; }

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

class Rules2026 final : public RuleSet {
public:
    int year() const override { return 2026; }
    bool usesTaxCredit() const override { return false; }

    QVector<Figure> figures() const override
    {
        return {
            {1, QStringLiteral("allowanceBase"), QStringLiteral("A családi kedvezmény alapja:"), 5, Rounding::AsIs},
            {2, QStringLiteral("taxPaid"), QStringLiteral("Személyi jövedelemadó (SZJA, 15%):"), 1,
             Rounding::HalfUp},
            {3, QStringLiteral("contribution"), QStringLiteral("Társadalombiztosítási járulék (18,5%):"), 2,
             Rounding::HalfUp},
            {4, QStringLiteral("contributionAllowance"), QStringLiteral("Családi járulékkedvezmény:"), 5,
             Rounding::HalfUp},
            {5, QStringLiteral("deductionsTotal"), QStringLiteral("III. Levonások összesen:"), 3, Rounding::AsIs},
            {6, QStringLiteral("netWage"), QStringLiteral("IV. Nettó fizetés kiszámítása:"), 3, Rounding::AsIs},
            {7, QStringLiteral("partnerNet"), QStringLiteral("V. Partnered havi nettó jövedelme:"), 4, Rounding::Given},
            {8, QStringLiteral("familyAllowance"), QStringLiteral("Családi pótlék:"), 5, Rounding::AsIs},
            {9, QStringLiteral("familyNetIncome"), QStringLiteral("VII. A család havi nettó összjövedelme:"), 6,
             Rounding::AsIs},
            {10, QStringLiteral("employerCost"), QStringLiteral("A munkáltató összes költsége (bér + 13% szocho):"),
             1, Rounding::HalfUp, false},
        };
    }

    QMap<int, qint64> statement(const PayrollTables &tables, const BracketFinder &,
                                const WageInputs &in) const override
    {
        const PayStatement2026 s = ComputePayStatement2026(tables2026(tables), in.G, in.N, in.P);
        return {{1, s.allowanceBase},         {2, s.taxPaid},        {3, s.contribution},
                {4, s.contributionAllowance}, {5, s.deductionsTotal}, {6, s.netWage},
                {7, s.partnerNet},            {8, s.familyAllowance}, {9, s.familyNetIncome},
                {10, s.employerCost}};
    }

    bool answerRight(int number, const IncomeAnswers &a, const WageInputs &in, const PayrollTables &tables,
                     const BracketFinder &) const override
    {
        const Tables2026 t = tables2026(tables);
        // Whole forint amounts compare exactly as doubles; the sums take the answers as typed.
        const auto is = [](double answer, qint64 expected) { return answer == double(expected); };
        const qint64 base = AllowanceBase2026(t, in.N);
        switch (number) {
        case 1:
            return is(a[1], base);
        case 2:
            return is(a[2], TaxPaid2026(t, in.G, base));
        case 3:
            return is(a[3], Contribution2026(t, in.G));
        case 4: {
            // Capped at the contribution as entered, whatever it is, and never below 0.
            const double uncapped = double(UncappedContributionAllowance2026(t, in.G, base));
            return a[4] == std::max(0.0, std::min(uncapped, a[3]));
        }
        case 5:
            return a[5] == a[2] + a[3] - a[4];
        case 6:
            return a[6] == double(in.G) - a[5];
        case 7:
            return a[7] >= 0;
        case 8:
            return is(a[8], FamilyAllowance2026(t, in.N));
        case 9:
            return a[9] == a[6] + a[7] + a[8];
        case 10:
            return is(a[10], EmployerCost2026(t, in.G));
        default:
            return false;
        }
    }
};

}  // namespace

Tables2026 tables2026(const PayrollTables &tables) { return tables.year2026.value_or(Tables2026()); }

const RuleSet &rules2026()
{
    static const Rules2026 rules;
    return rules;
}

const RuleSet &rules2010()
{
    static const Rules2010 rules;
    return rules;
}

const RuleSet *ruleSetFor(int year)
{
    for (const RuleSet *rules : {&rules2010(), &rules2026()})
        if (rules->year() == year)
            return rules;
    return nullptr;
}

QVector<int> taxYears() { return {2010, 2026}; }

}  // namespace payroll
