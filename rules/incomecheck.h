#pragma once
// The income calculator's rules, free of its window: the wage inputs read from "ber.txt"
// and whether each of the calculator's eleven answers is right.
//
// Answers are the fields' values as typed (doubles). They are judged as they stand: no
// answer is ever converted to a whole number of forints that it cannot hold, so an amount
// of 23 digits or 770.4 is simply a wrong answer, never an error.

#include "rules/payroll.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The first three integers of "ber.txt": the gross monthly wage G, the number of children
// N and the partner's monthly net income P.
struct WageInputs {
    qint64 G = 0;
    int N = 0;
    qint64 P = 0;
};

// Reads three integers separated by white space (line breaks in practice) from the text;
// anything after the third is not read. Throws std::runtime_error with a message for the
// player when one is missing, is not a whole number or is beyond a 32-bit integer.
WageInputs parseWageInputs(const QString &text);
// The same from the working folder's "ber.txt" (name matched without regard to case).
WageInputs readWageInputs();

// The answers by field number: [1] .. [11] are NumberEdit1 .. NumberEdit11 ([0] unused).
using IncomeAnswers = std::array<double, 12>;

// Rounds to the nearest whole number, halves to the even neighbour, for every double
// (infinities and NaN come back unchanged).
double roundHalfToEven(double x);

// Whether the answer of field `number` (1..11) is right:
//  11  super-gross wage = SuperGross(G)
//   1  monthly tax advance = CalculatorTaxAdvance(G)
//   2, 3, 4  health, employee and pension contributions, the answer rounded half to even
//   5  deductions total = answers 1 + 2 + 3 + 4 as they stand
//   6  net wage = G - answer 5
//   7  partner's net income >= 0
//   8  family allowance = FamilyAllowance(N)
//   9  family tax allowance = the smaller of N x the amount per child and answer 1
//  10  family net income = answers 6 + 7 + 8 + 9
// Table errors (the band search of the tax advance) are thrown; the answers never throw.
bool incomeAnswerRight(int number, const IncomeAnswers &answers, const WageInputs &inputs,
                       const payroll::PayrollTables &tables, const payroll::BracketFinder &brackets);
