#include "rules/payroll.h"
#include "rules/usererror.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace payroll {

namespace {

BracketFinder finderOf(const QVector<TaxBracket> &bands)
{
    return [&bands](qint64 annualBase) { return FindTaxBracket(bands, annualBase); };
}

}  // namespace

qint64 Round(double x)
{
    // 2^63 is the first double beyond every qint64.
    if (!std::isfinite(x) || std::fabs(x) >= 9223372036854775808.0)
        fail(QStringLiteral("Az összeg (%1) nem számítható forintban.").arg(x));
    const double r = std::round(x);  // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return qint64(2.0 * std::round(x / 2.0));  // a half: the even neighbour
    return qint64(r);
}

qint64 CheckedProduct(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        fail(QStringLiteral("A szorzat (%1 × %2) túl nagy, nem számítható.").arg(a).arg(b));
    return r;
}

qint64 CheckedSum(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_add_overflow(a, b, &r))
        fail(QStringLiteral("Az összeg (%1 + %2) nem számítható forintban.").arg(a).arg(b));
    return r;
}

qint64 PerChild(const std::array<qint64, 4> &amounts, qint64 children)
{
    if (children <= 0)
        return 0;
    return CheckedProduct(children, amounts[std::size_t(std::min<qint64>(children, 3))]);
}

qint64 RoundToFive(qint64 x)
{
    const qint64 r = x % 5;  // sign of x
    return r > 2 ? x - r + 5 : x - r;
}

CreditParameters PayrollTables::credit() const
{
    return {double(creditLimit), double(creditMaximum), double(creditUpperLimit), creditRate,
            creditReductionRate};
}

TaxBracket FindTaxBracket(const QVector<TaxBracket> &bands, qint64 annualBase)
{
    if (bands.isEmpty())
        fail(QStringLiteral("Az adokulcs.db tábla üres: nincs adósáv."));
    int i = 0;
    while (bands[i].Felso <= double(annualBase) && i + 1 < bands.size())
        ++i;
    return bands[i];
}

qint64 SuperGross(const PayrollTables &tables, qint64 gross)
{
    return Round((1.0 + tables.employerRate) * double(gross));
}

double TaxCredit(const CreditParameters &c, qint64 annualBase)
{
    const double a = double(annualBase);
    if (a <= c.limit) {
        if (c.rate == 0.0)
            fail(QStringLiteral("Az adójóváírás kulcsa (Ajkulcs) a jarulek.db táblában 0, így az "
                                "adójóváírás nem számítható ki. A kulcsnak 0-nál nagyobbnak kell lennie."));
        if (a >= c.maximum / c.rate)
            return c.maximum;
        return a * c.rate;
    }
    if (a < c.upperLimit)
        return c.maximum - (a - c.limit) * c.reductionRate;
    return 0.0;
}

double TaxCredit(const PayrollTables &tables, qint64 annualBase)
{
    return TaxCredit(tables.credit(), annualBase);
}

qint64 ExerciseTaxAdvance(const PayrollTables &tables, const BracketFinder &findBracket, qint64 gross)
{
    const qint64 annualBase = CheckedProduct(SuperGross(tables, gross), 12);
    const TaxBracket band = findBracket(annualBase);
    const qint64 fixedPart = Round(band.Osszeg);
    const double rate = band.Szazalek / 100.0;
    const qint64 below = Round(band.Also - 1.0);
    qint64 tax = Round(double(annualBase - below) * rate + double(fixedPart));
    const double credit = TaxCredit(tables.storedCredit, annualBase);
    tax -= Round(credit);
    return RoundToFive(Round(double(tax) / 12.0));
}

qint64 ExerciseTaxAdvance(const PayrollTables &tables, const QVector<TaxBracket> &bands, qint64 gross)
{
    return ExerciseTaxAdvance(tables, finderOf(bands), gross);
}

qint64 CalculatorTaxAdvance(const PayrollTables &tables, const BracketFinder &findBracket, qint64 gross)
{
    const qint64 annualBase = Round((1.0 + tables.employerRate) * double(CheckedProduct(gross, 12)));
    const TaxBracket band = findBracket(annualBase);
    const double rate = band.Szazalek / 100.0;
    const qint64 below = Round(band.Also - 1.0);
    const double tax = double(annualBase - below) * rate + band.Osszeg;
    const double credit = TaxCredit(tables, annualBase);
    const qint64 due = Round(tax - credit);
    return RoundToFive(Round(double(due) / 12.0));
}

qint64 CalculatorTaxAdvance(const PayrollTables &tables, const QVector<TaxBracket> &bands, qint64 gross)
{
    return CalculatorTaxAdvance(tables, finderOf(bands), gross);
}

qint64 Contribution(qint64 gross, double rate)
{
    return RoundToFive(Round(double(gross) * rate));
}

qint64 FamilyAllowance(const PayrollTables &tables, qint64 children)
{
    return RoundToFive(PerChild(tables.allowancePerChild, children));
}

qint64 FamilyTaxAllowance(const PayrollTables &tables, qint64 children, qint64 taxAdvance)
{
    return std::min(PerChild(tables.taxAllowancePerChild, children), taxAdvance);
}

qint64 DeductionsTotal(qint64 taxAdvance, qint64 health, qint64 employee, qint64 pension)
{
    return taxAdvance + health + employee + pension;
}

qint64 NetWage(qint64 gross, qint64 deductionsTotal) { return gross - deductionsTotal; }

qint64 FamilyNetIncome(qint64 netWage, qint64 partnerNet, qint64 familyAllowance,
                       qint64 familyTaxAllowance)
{
    return netWage + partnerNet + familyAllowance + familyTaxAllowance;
}

PayStatement ComputePayStatement(const PayrollTables &tables, const BracketFinder &findBracket,
                                 qint64 gross, qint64 children, qint64 partnerNet)
{
    PayStatement s;
    s.gross = gross;
    s.children = children;
    s.partnerNet = partnerNet;
    s.superGross = SuperGross(tables, gross);
    s.taxAdvance = CalculatorTaxAdvance(tables, findBracket, gross);
    s.exerciseTaxAdvance = ExerciseTaxAdvance(tables, findBracket, gross);
    s.health = Contribution(gross, tables.healthRate);
    s.employee = Contribution(gross, tables.employeeRate);
    s.pension = Contribution(gross, tables.pensionRate);
    s.deductionsTotal = DeductionsTotal(s.taxAdvance, s.health, s.employee, s.pension);
    s.netWage = NetWage(gross, s.deductionsTotal);
    s.familyAllowance = FamilyAllowance(tables, children);
    s.familyTaxAllowance = FamilyTaxAllowance(tables, children, s.taxAdvance);
    s.familyNetIncome = FamilyNetIncome(s.netWage, partnerNet, s.familyAllowance, s.familyTaxAllowance);
    return s;
}

}  // namespace payroll
