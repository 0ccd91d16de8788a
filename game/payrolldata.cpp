#include "game/payrolldata.h"

#include "game/jadat.h"

namespace payroll {

PayrollTables LoadPayrollTables(TDataModule2 *dataModule)
{
    return LoadPayrollTables(dataModule->taxTables(), dataModule->folderYear().year);
}

TaxBracket FindTaxBracket(TDataModule2 *dataModule, qint64 annualBase)
{
    return FindTaxBracket(dataModule->Tbl1, annualBase);
}

BracketFinder bracketFinder(TDataModule2 *dataModule) { return bracketFinder(dataModule->Tbl1); }

qint64 ExerciseTaxAdvance(const PayrollTables &tables, TDataModule2 *dataModule, qint64 gross)
{
    return ExerciseTaxAdvance(tables, bracketFinder(dataModule), gross);
}

qint64 CalculatorTaxAdvance(const PayrollTables &tables, TDataModule2 *dataModule, qint64 gross)
{
    return CalculatorTaxAdvance(tables, bracketFinder(dataModule), gross);
}

}  // namespace payroll
