#include "rules/payroll2026.h"

#include "rules/payroll.h"
#include "rules/usererror.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace payroll {

qint64 PercentOf(qint64 amount, double percent)
{
    if (!std::isfinite(percent) || percent < 0 || percent > 100)
        fail(QStringLiteral("A(z) %1 %-os kulcs nem használható.").arg(percent));
    // Hundredths of a percent: 18.5 % is 1850 / 10,000, exactly.
    const qint64 hundredths = std::llround(percent * 100.0);
    const qint64 magnitude = CheckedSum(CheckedProduct(amount < 0 ? -amount : amount, hundredths), 5000) / 10000;
    return amount < 0 ? -magnitude : magnitude;
}

qint64 AllowanceBase2026(const Tables2026 &t, qint64 children) { return PerChild(t.allowanceBasePerChild, children); }

qint64 TaxPaid2026(const Tables2026 &t, qint64 gross, qint64 base)
{
    return gross > base ? PercentOf(gross - base, t.taxPercent) : 0;
}

qint64 Contribution2026(const Tables2026 &t, qint64 gross) { return PercentOf(gross, t.contributionPercent); }

qint64 UncappedContributionAllowance2026(const Tables2026 &t, qint64 gross, qint64 base)
{
    // What the tax could not absorb is the base above the gross (a gross below 0 absorbs nothing).
    const qint64 unused = base - std::max<qint64>(gross, 0);
    return unused > 0 ? PercentOf(unused, t.taxPercent) : 0;
}

qint64 ContributionAllowance2026(const Tables2026 &t, qint64 gross, qint64 base, qint64 contribution)
{
    return std::max<qint64>(0, std::min(UncappedContributionAllowance2026(t, gross, base), contribution));
}

qint64 FamilyAllowance2026(const Tables2026 &t, qint64 children)
{
    return PerChild(t.familyAllowancePerChild, children);
}

qint64 EmployerCost2026(const Tables2026 &t, qint64 gross)
{
    return CheckedSum(gross, PercentOf(gross, t.employerPercent));
}

PayStatement2026 ComputePayStatement2026(const Tables2026 &t, qint64 gross, qint64 children, qint64 partnerNet)
{
    PayStatement2026 s;
    s.gross = gross;
    s.children = children;
    s.partnerNet = partnerNet;
    s.allowanceBase = AllowanceBase2026(t, children);
    s.taxBeforeAllowance = PercentOf(gross, t.taxPercent);
    s.taxPaid = TaxPaid2026(t, gross, s.allowanceBase);
    s.contribution = Contribution2026(t, gross);
    s.contributionAllowance = ContributionAllowance2026(t, gross, s.allowanceBase, s.contribution);
    s.contributionPaid = s.contribution - s.contributionAllowance;
    s.deductionsTotal = CheckedSum(s.taxPaid, s.contributionPaid);
    s.netWage = gross - s.deductionsTotal;
    s.familyAllowance = FamilyAllowance2026(t, children);
    s.familyNetIncome = CheckedSum(CheckedSum(s.netWage, partnerNet), s.familyAllowance);
    s.employerCost = EmployerCost2026(t, gross);
    return s;
}

qint64 cashRound(qint64 amount)
{
    const qint64 r = amount % 10;  // sign of amount
    const qint64 down = amount - r;
    const qint64 a = r < 0 ? -r : r;
    const qint64 step = a <= 2 ? 0 : a <= 7 ? 5 : 10;
    return r < 0 ? down - step : down + step;
}

}  // namespace payroll
