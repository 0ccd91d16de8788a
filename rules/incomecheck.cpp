#include "rules/incomecheck.h"

#include "rules/workfiles.h"
#include "rules/usererror.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace payroll;

namespace {

const char *const kWhat[] = {"a bruttó bér", "a gyerekek száma", "a partner nettó jövedelme"};

}  // namespace

WageInputs parseWageInputs(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList words = text.split(space, Qt::SkipEmptyParts);
    qint64 numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (i >= words.size())
            fail(QStringLiteral("A(z) \"ber.txt\" fájl nem olvasható: hiányzik belőle %1 (a(z) %2. szám).")
                     .arg(QString::fromUtf8(kWhat[i]))
                     .arg(i + 1));
        bool ok = false;
        numbers[i] = words.at(i).toInt(&ok);
        if (!ok)
            fail(QStringLiteral("A(z) \"ber.txt\" fájl nem olvasható: a(z) %1. szám (%2) helyén \"%3\" áll, "
                                "ez nem egész szám.")
                     .arg(i + 1)
                     .arg(QString::fromUtf8(kWhat[i]), words.at(i).left(40)));
    }
    WageInputs in;
    in.G = numbers[0];
    in.N = int(numbers[1]);
    in.P = numbers[2];
    return in;
}

WageInputs readWageInputs()
{
    return parseWageInputs(workfiles::readLines(QStringLiteral("ber.txt")).join(QLatin1Char('\n')));
}

double roundHalfToEven(double x)
{
    if (!std::isfinite(x))
        return x;
    const double r = std::round(x);  // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

bool incomeAnswerRight(int number, const IncomeAnswers &a, const WageInputs &in, const PayrollTables &tables,
                       const BracketFinder &brackets)
{
    // Whole forint amounts of the rules are far below 2^53, so they compare exactly as doubles.
    const auto is = [](double answer, qint64 expected) { return answer == double(expected); };
    switch (number) {
    case 11:
        return is(a[11], SuperGross(tables, in.G));
    case 1:
        return is(a[1], CalculatorTaxAdvance(tables, brackets, in.G));
    case 2:
        return is(roundHalfToEven(a[2]), Contribution(in.G, tables.healthRate));
    case 3:
        return is(roundHalfToEven(a[3]), Contribution(in.G, tables.employeeRate));
    case 4:
        return is(roundHalfToEven(a[4]), Contribution(in.G, tables.pensionRate));
    case 5:
        return a[5] == a[1] + a[2] + a[3] + a[4];
    case 6:
        return a[6] == double(in.G) - a[5];
    case 7:
        return a[7] >= 0;
    case 8:
        return is(a[8], FamilyAllowance(tables, in.N));
    case 9: {
        // The allowance before the cap; the cap is the tax advance as entered, whatever it is.
        const qint64 uncapped = FamilyTaxAllowance(tables, in.N, std::numeric_limits<qint64>::max());
        return a[9] == std::min(double(uncapped), a[1]);
    }
    case 10:
        return a[10] == a[6] + a[7] + a[8] + a[9];
    default:
        return false;
    }
}
