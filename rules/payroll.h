#pragma once
// The payroll rules: one monthly gross wage G turned into the figures of a pay statement
// and a family income sheet (super-gross wage, monthly tax advance after the tax credit,
// the three employee contributions, deductions, net wage, family allowance and family
// tax allowance, family net income). All amounts are whole forints.
//
// The rules hold no state, no screen and no table: they take their parameters as a
// PayrollTables and the income tax bands as a list or a BracketFinder. Reading those from
// the tax tables of DataModule2 is payrolldata.h's part, in the game.
//
// Failures are exceptions carrying a message for the user: inconsistent table contents that cannot be computed with
// (a credit rate of 0, an empty table, amounts beyond any forint figure) throw
// std::runtime_error.

#include "rules/payroll2026.h"

#include <QVector>
#include <QtGlobal>

#include <array>
#include <functional>
#include <optional>

namespace payroll {

// Round to the nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
// Throws for a value that is no finite forint amount.
qint64 Round(double x);

// Round to a multiple of 5: remainders 1 and 2 down, 3 and 4 up (12 -> 10, 13 -> 15);
// a negative amount goes to the multiple of 5 towards zero (-13 -> -10, -7 -> -5).
qint64 RoundToFive(qint64 x);
// a x b and a + b, thrown (in Hungarian) when the result is beyond any qint64.
qint64 CheckedProduct(qint64 a, qint64 b);
qint64 CheckedSum(qint64 a, qint64 b);
// N x the amount per child of a family of N ([1], [2], [3] for 3 or more); 0 for none.
qint64 PerChild(const std::array<qint64, 4> &amounts, qint64 children);

// One record of adokulcs.db: an income tax band of the annual base.
struct TaxBracket {
    double Also = 0;      // first forint of the band
    double Felso = 0;     // upper bound: a base equal to it belongs to the next band
    double Osszeg = 0;    // tax on the income below the band
    double Szazalek = 0;  // marginal rate of the band, percent
};

// The tax credit figures of jarulek.db.
struct CreditParameters {
    double limit = 0;          // Ajhatar: annual base up to which the full rule applies
    double maximum = 0;        // Ajosszeg: largest annual credit
    double upperLimit = 0;     // Ajfelsoh: annual base from which there is no credit
    double rate = 0;           // Ajkulcs / 100
    double reductionRate = 0;  // Ajcsokulcs / 100
};

struct PayrollTables {
    // First record of jarulek.db, percent fields divided by 100.
    double employeeRate = 0;  // Mvjarulek
    double pensionRate = 0;   // Nybjarulek
    double healthRate = 0;    // Ebizt
    double employerRate = 0;  // MUNKALTATO_JARULEK
    qint64 creditLimit = 0;        // Ajhatar, rounded
    qint64 creditMaximum = 0;      // Ajosszeg, rounded
    qint64 creditUpperLimit = 0;   // Ajfelsoh, rounded
    double creditRate = 0;         // Ajkulcs
    double creditReductionRate = 0;  // Ajcsokulcs
    // The same credit figures as stored, unrounded (the payroll exercise works with these).
    CreditParameters storedCredit;
    // Monthly amount per child in a family of [1], [2], [3 or more] children ([0] unused):
    // the first record of gyerek.db for the family allowance, the second for the family
    // tax allowance.
    std::array<qint64, 4> allowancePerChild{};
    std::array<qint64, 4> taxAllowancePerChild{};
    // The parameters of the 2026 rules, for a working folder of that year. The 2010 rules
    // never read it; the 2026 rules take the law of 2026 (Tables2026's defaults) without it.
    std::optional<Tables2026> year2026;

    // The credit figures of this struct (limits rounded to whole forints).
    CreditParameters credit() const;
};

// The band of an annual base: the first record in stored order whose Felso is above it;
// a base at or above every Felso gets the last record. Throws for no bands at all.
using BracketFinder = std::function<TaxBracket(qint64 annualBase)>;
TaxBracket FindTaxBracket(const QVector<TaxBracket> &bands, qint64 annualBase);

// Round((1 + employer rate) * G).
qint64 SuperGross(const PayrollTables &tables, qint64 gross);

// The annual tax credit of an annual base. Not limited to zero or to the tax. Throws
// when the credit rate is 0 and the full-credit rule would divide by it.
double TaxCredit(const CreditParameters &credit, qint64 annualBase);
double TaxCredit(const PayrollTables &tables, qint64 annualBase);

// The monthly tax advance of the payroll exercise: annual base SuperGross(G) * 12, the
// band's Osszeg and the tax rounded, the credit figures as stored.
qint64 ExerciseTaxAdvance(const PayrollTables &tables, const BracketFinder &findBracket, qint64 gross);
qint64 ExerciseTaxAdvance(const PayrollTables &tables, const QVector<TaxBracket> &bands, qint64 gross);

// The monthly tax advance of the income calculator: annual base Round((1 + employer
// rate) * (12 * G)), tax minus credit rounded once.
qint64 CalculatorTaxAdvance(const PayrollTables &tables, const BracketFinder &findBracket, qint64 gross);
qint64 CalculatorTaxAdvance(const PayrollTables &tables, const QVector<TaxBracket> &bands, qint64 gross);

// RoundToFive(Round(G * rate)), for each of the three employee rates.
qint64 Contribution(qint64 gross, double rate);

// Monthly family allowance of N children: RoundToFive(N * amount per child); 0 for none.
qint64 FamilyAllowance(const PayrollTables &tables, qint64 children);
// Monthly family tax allowance: N * amount per child (0 for none), at most the monthly
// tax advance it is set against.
qint64 FamilyTaxAllowance(const PayrollTables &tables, qint64 children, qint64 taxAdvance);

qint64 DeductionsTotal(qint64 taxAdvance, qint64 health, qint64 employee, qint64 pension);
qint64 NetWage(qint64 gross, qint64 deductionsTotal);
qint64 FamilyNetIncome(qint64 netWage, qint64 partnerNet, qint64 familyAllowance,
                       qint64 familyTaxAllowance);

// Every figure of one family's month, as the income calculator expects them.
struct PayStatement {
    qint64 gross = 0;
    qint64 children = 0;
    qint64 partnerNet = 0;
    qint64 superGross = 0;
    qint64 taxAdvance = 0;          // CalculatorTaxAdvance
    qint64 exerciseTaxAdvance = 0;  // ExerciseTaxAdvance, for comparison
    qint64 health = 0;
    qint64 employee = 0;
    qint64 pension = 0;
    qint64 deductionsTotal = 0;
    qint64 netWage = 0;
    qint64 familyAllowance = 0;
    qint64 familyTaxAllowance = 0;
    qint64 familyNetIncome = 0;
};
PayStatement ComputePayStatement(const PayrollTables &tables, const BracketFinder &findBracket,
                                 qint64 gross, qint64 children, qint64 partnerNet);

}  // namespace payroll
