#pragma once
// The payroll rules of 2026: a flat 15 % personal income tax (SZJA) on the gross wage less
// the family allowance base, one 18.5 % social-security (TB) contribution, the part of the
// family allowance the tax could not absorb set against that contribution (családi
// járulékkedvezmény), the family allowance (családi pótlék) paid on top, and, for
// information, the employer's social contribution tax (szocho, 13 %).
//
// Every figure is rounded to the whole forint, halves up, as payroll does. Amounts are
// computed in whole numbers (rates in hundredths of a percent), so no figure depends on
// how a double rounds.
//
// Simplifications: the game's family is two adults over 25 who claim the whole family
// allowance on the player's wage. So there is no under-25 exemption, no exemption for
// mothers (of two, three, four or more children, or under 30), no first-marriage
// allowance, no personal allowance, no sharing of the allowance between the parents, no
// extra amount for a chronically ill child and no single-parent rate of the family
// allowance.

#include <QtGlobal>

#include <array>

namespace payroll {

// The parameters of the 2026 rules. The defaults are the law of 2026: the SZJA, TB
// contribution and szocho rates as in force in 2026; the family allowance base per child from the 1 January 2026 step of the
// allowance's doubling (fizetesek.com, the government briefing of 2025-12-23, PwC); the
// family allowance unchanged since 2008 (two-parent rates).
struct Tables2026 {
    double taxPercent = 15.0;           // SZJA
    double contributionPercent = 18.5;  // TB járulék, one figure since July 2020
    double employerPercent = 13.0;      // szociális hozzájárulási adó
    // Monthly family allowance base per child in a family of [1], [2], [3 or more]
    // dependants ([0] unused); 15 % of it is worth 20,001 / 39,999 / 66,000 Ft of tax.
    std::array<qint64, 4> allowanceBasePerChild{0, 133340, 266660, 440000};
    // Monthly családi pótlék per child, same index.
    std::array<qint64, 4> familyAllowancePerChild{0, 12200, 13300, 16000};
};

// The figures of one family's month under the 2026 rules.
struct PayStatement2026 {
    qint64 gross = 0;
    qint64 children = 0;
    qint64 partnerNet = 0;
    qint64 allowanceBase = 0;        // családi kedvezmény alapja
    qint64 taxBeforeAllowance = 0;   // 15 % of gross
    qint64 taxPaid = 0;              // 15 % of (gross - base), never below 0
    qint64 contribution = 0;         // TB, 18.5 % of gross
    qint64 contributionAllowance = 0;  // 15 % of the unused base, at most the TB
    qint64 contributionPaid = 0;     // TB less the allowance
    qint64 deductionsTotal = 0;      // SZJA paid + TB paid
    qint64 netWage = 0;
    qint64 familyAllowance = 0;      // családi pótlék
    qint64 familyNetIncome = 0;      // net wage + partner's net + családi pótlék
    qint64 employerCost = 0;         // gross + szocho
};

// percent % of amount, rounded to the whole forint, halves up (a negative amount mirrors
// a positive one). Throws for a percent that is no finite amount from 0 to 100 or a
// product beyond any forint figure.
qint64 PercentOf(qint64 amount, double percent);

// Monthly family allowance base: N x the amount per child of a family of N; 0 for none.
qint64 AllowanceBase2026(const Tables2026 &t, qint64 children);
// 15 % of (gross - base), never below 0.
qint64 TaxPaid2026(const Tables2026 &t, qint64 gross, qint64 base);
// 18.5 % of gross.
qint64 Contribution2026(const Tables2026 &t, qint64 gross);
// 15 % of the part of the base above the gross (what the tax could not absorb), at most
// the contribution it is set against, never below 0.
qint64 UncappedContributionAllowance2026(const Tables2026 &t, qint64 gross, qint64 base);
qint64 ContributionAllowance2026(const Tables2026 &t, qint64 gross, qint64 base, qint64 contribution);
// N x the családi pótlék per child; 0 for none.
qint64 FamilyAllowance2026(const Tables2026 &t, qint64 children);
// gross + 13 % of gross.
qint64 EmployerCost2026(const Tables2026 &t, qint64 gross);

PayStatement2026 ComputePayStatement2026(const Tables2026 &t, qint64 gross, qint64 children, qint64 partnerNet);

// The cash rule: forint coins start at 5 Ft, so an amount paid in cash ends in 0 or 5: a
// last digit of 1 or 2 goes down to 0, 3 to 7 to 5, 8 and 9 up to the next 10. A negative
// amount mirrors a positive one.
qint64 cashRound(qint64 amount);

}  // namespace payroll
