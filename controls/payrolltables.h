#pragma once
// The tax tables of a working folder as the payroll rules take them, shared by the game and
// the maintenance utility: the folder's tax year and the monthly cost of a child from
// Adoev.DB, the rates of jarulek.db, the amounts per child of gyerek.db and the income tax
// bands of adokulcs.db. Each table is opened for one reading and closed again, so a table
// another program changed meanwhile is read as it now stands.
//
// A 2026 folder keeps the law of 2026 in the same three tables: adokulcs.db one band whose
// Szazalek is the SZJA rate; jarulek.db's Ebizt the TB contribution and MUNKALTATO_JARULEK
// the employer's social contribution tax (szocho); gyerek.db's first row the családi pótlék
// and its second the family allowance base, per child in a family of 1 / 2 / 3 or more.
//
// Table errors come from the engine (zdb::EngineError); a table without rows, or a year no
// rule set knows, throws a UserError with a message for the player.

#include "rules/budget.h"
#include "rules/payroll.h"
#include "rules/taxyear.h"

#include <QtGlobal>

namespace zdb {
class Table;
}

namespace payroll {

// The year a working folder teaches, from the one row of Adoev.DB.
struct FolderYear {
    int year = 2010;
    qint64 childCost = budget::kChildCost2010;
    // The payroll rules of the year (a FolderYear is only made for a year that has them).
    const RuleSet &rules() const;
};

// The folder's year: Adoev.DB's first row, or 2010 with the 2010 child cost when the table
// or its row is missing (a folder built before the year had a table). A year no rule set
// knows throws, naming the years there are rules for.
FolderYear ReadFolderYear(zdb::Table *adoev);

// The four tables of a folder's tax law, all closed until a reader opens them.
struct TaxTableSet {
    zdb::Table *bands = nullptr;     // adokulcs.db
    zdb::Table *rates = nullptr;     // jarulek.db
    zdb::Table *children = nullptr;  // gyerek.db
};

// Reads jarulek.db (first record) and gyerek.db (first two records); a gyerek.db with one
// record gives the same amounts for both rows. For 2026 the 2026 part is filled as well:
// its rates from adokulcs.db's first band and jarulek.db, its amounts per child from
// gyerek.db.
PayrollTables LoadPayrollTables(const TaxTableSet &tables, int year);

// The band of an annual base in adokulcs.db, searched from its first record.
TaxBracket FindTaxBracket(zdb::Table *bands, qint64 annualBase);
BracketFinder bracketFinder(zdb::Table *bands);

}  // namespace payroll
