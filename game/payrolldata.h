#pragma once
// The payroll rules over the tax tables of DataModule2 (jadat.h): the parameters read from
// jarulek.db and gyerek.db for the folder's year, and the income tax bands searched in
// adokulcs.db. The reading itself is payrolltables.h's, shared with the maintenance
// utility; these are its forms over the game's data module. Table errors come from the
// engine (zdb::EngineError); a table without rows throws std::runtime_error.

#include "rules/payroll.h"
#include "controls/payrolltables.h"

class TDataModule2;

namespace payroll {

// Reads jarulek.db (first record) and gyerek.db (first two records) through
// DataModule2's Tbl2 and Tbl3, each opened for the reading and closed again. A gyerek.db
// with one record gives the same amounts for both rows. A 2026 folder also fills the
// tables' 2026 part.
PayrollTables LoadPayrollTables(TDataModule2 *dataModule);

// The band of an annual base in adokulcs.db: Tbl1 is opened, searched from its first
// record and closed.
TaxBracket FindTaxBracket(TDataModule2 *dataModule, qint64 annualBase);
BracketFinder bracketFinder(TDataModule2 *dataModule);

// The tax advances with the bands read from adokulcs.db at each call.
qint64 ExerciseTaxAdvance(const PayrollTables &tables, TDataModule2 *dataModule, qint64 gross);
qint64 CalculatorTaxAdvance(const PayrollTables &tables, TDataModule2 *dataModule, qint64 gross);

}  // namespace payroll
