#include "payrolldata.h"

#include "engine.h"
#include "jadat.h"
#include "usererror.h"

#include <QString>

#include <stdexcept>

namespace payroll {

namespace {

// Opens a table for one reading and closes it when the reading ends, also when it fails.
class ReadingScope {
public:
    explicit ReadingScope(zdb::Table *table) : m_table(table)
    {
        m_table->setActive(true);
        m_table->first();
        if (m_table->isEmpty()) {
            m_table->setActive(false);
            fail(QStringLiteral("A(z) %1 tábla üres, nincs mit beolvasni.").arg(m_table->tableName()));
        }
    }
    ~ReadingScope()
    {
        try {
            m_table->setActive(false);
        } catch (...) {
            // Closing a table that has been read does not fail; nothing to report here.
        }
    }
    ReadingScope(const ReadingScope &) = delete;
    ReadingScope &operator=(const ReadingScope &) = delete;

private:
    zdb::Table *m_table;
};

double number(zdb::Table *table, const char *field)
{
    return table->fieldByName(QString::fromLatin1(field)).asFloat();
}

TaxBracket readBracket(zdb::Table *table)
{
    TaxBracket b;
    b.Also = number(table, "Also");
    b.Felso = number(table, "Felso");
    b.Osszeg = number(table, "Osszeg");
    b.Szazalek = number(table, "Szazalek");
    return b;
}

std::array<qint64, 4> readChildAmounts(zdb::Table *table)
{
    return {0, Round(number(table, "1gyerek")), Round(number(table, "2gyerek")),
            Round(number(table, "3gyerek"))};
}

}  // namespace

PayrollTables LoadPayrollTables(TDataModule2 *dataModule)
{
    PayrollTables t;
    {
        zdb::Table *tbl = dataModule->Tbl2;
        ReadingScope reading(tbl);
        t.employeeRate = number(tbl, "Mvjarulek") / 100.0;
        t.pensionRate = number(tbl, "Nybjarulek") / 100.0;
        t.healthRate = number(tbl, "Ebizt") / 100.0;
        t.employerRate = number(tbl, "MUNKALTATO_JARULEK") / 100.0;
        t.storedCredit.limit = number(tbl, "Ajhatar");
        t.storedCredit.maximum = number(tbl, "Ajosszeg");
        t.storedCredit.upperLimit = number(tbl, "Ajfelsoh");
        t.storedCredit.rate = number(tbl, "Ajkulcs") / 100.0;
        t.storedCredit.reductionRate = number(tbl, "Ajcsokulcs") / 100.0;
        t.creditLimit = Round(t.storedCredit.limit);
        t.creditMaximum = Round(t.storedCredit.maximum);
        t.creditUpperLimit = Round(t.storedCredit.upperLimit);
        t.creditRate = t.storedCredit.rate;
        t.creditReductionRate = t.storedCredit.reductionRate;
    }
    {
        zdb::Table *tbl = dataModule->Tbl3;
        ReadingScope reading(tbl);
        t.allowancePerChild = readChildAmounts(tbl);
        tbl->next();  // on a single record this stays on it
        t.taxAllowancePerChild = readChildAmounts(tbl);
    }
    return t;
}

TaxBracket FindTaxBracket(TDataModule2 *dataModule, qint64 annualBase)
{
    zdb::Table *tbl = dataModule->Tbl1;
    ReadingScope reading(tbl);
    while (number(tbl, "Felso") <= double(annualBase)) {
        tbl->next();
        if (tbl->eof())
            break;  // past every band: the last one
    }
    return readBracket(tbl);
}

BracketFinder bracketFinder(TDataModule2 *dataModule)
{
    return [dataModule](qint64 annualBase) { return FindTaxBracket(dataModule, annualBase); };
}

qint64 ExerciseTaxAdvance(const PayrollTables &tables, TDataModule2 *dataModule, qint64 gross)
{
    return ExerciseTaxAdvance(tables, bracketFinder(dataModule), gross);
}

qint64 CalculatorTaxAdvance(const PayrollTables &tables, TDataModule2 *dataModule, qint64 gross)
{
    return CalculatorTaxAdvance(tables, bracketFinder(dataModule), gross);
}

}  // namespace payroll
