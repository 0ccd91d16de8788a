#pragma once
// The pay statement of a built working folder: the payroll tables read from its DB through
// the table engine, in the shape the rule set of the folder's tax year takes, and the
// statement printed one figure a line.

#include "rules/payroll.h"

#include <QString>
#include <QVector>

namespace content {

// The payroll parameters of a database folder, as the game reads them.
struct FolderPayroll {
    int year = 0;                       // Adoev.DB's Ev
    payroll::PayrollTables tables;      // jarulek.db and gyerek.db; year2026 filled for 2026
    QVector<payroll::TaxBracket> bands; // adokulcs.db in stored order
};

// Reads the payroll tables of `dbFolder`. For 2026 the tables map onto the 2026 rules'
// parameters so: adokulcs.db's first Szazalek is the SZJA rate, jarulek.db's Ebizt the TB
// contribution and MUNKALTATO_JARULEK the szocho, gyerek.db's first row the családi pótlék
// and its second the családi kedvezmény base, per child of a family of 1, 2 and 3 or more.
// Throws for a missing or empty table.
FolderPayroll readFolderPayroll(const QString &dbFolder);

// "key: value" lines, one for each figure of the year's rule set in the calculator's
// order, for gross G, N children and the partner's net P. Throws for a year no rule set
// knows.
QString payslipText(const FolderPayroll &payroll, qint64 gross, qint64 children, qint64 partnerNet);

}  // namespace content
