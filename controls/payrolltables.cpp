#include "controls/payrolltables.h"

#include "db/engine.h"
#include "db/storage.h"
#include "rules/usererror.h"

#include <QString>
#include <QStringList>

namespace payroll {

namespace {

// Opens a table for one reading and closes it when the reading ends, also when it fails.
class ReadingScope {
public:
    explicit ReadingScope(zdb::Table *table, bool emptyAllowed = false) : m_table(table)
    {
        m_table->setActive(true);
        m_table->first();
        if (m_table->isEmpty() && !emptyAllowed) {
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

bool tableExists(zdb::Table *table)
{
    if (table->active())
        return true;
    return table->session()->storage(table->aliasName())->hasTable(table->definition());
}

}  // namespace

const RuleSet &FolderYear::rules() const
{
    const RuleSet *rules = ruleSetFor(year);
    return rules ? *rules : rules2010();
}

FolderYear ReadFolderYear(zdb::Table *adoev)
{
    FolderYear folder;
    if (!tableExists(adoev))
        return folder;
    {
        ReadingScope reading(adoev, true);
        if (adoev->isEmpty())
            return folder;
        folder.year = adoev->fieldByName(QStringLiteral("Ev")).asInteger();
        folder.childCost = Round(number(adoev, "Gyerek_koltseg"));
    }
    if (!ruleSetFor(folder.year)) {
        QStringList known;
        for (int year : taxYears())
            known << QString::number(year);
        fail(QStringLiteral("A munkakönyvtár adóéve (%1) ismeretlen a program számára: a játék csak a(z) %2. "
                            "év adószabályait ismeri. Építsd újra a munkakönyvtárat, vagy javítsd az Adoev.DB "
                            "táblát.")
                 .arg(folder.year)
                 .arg(known.join(QStringLiteral(", "))));
    }
    return folder;
}

PayrollTables LoadPayrollTables(const TaxTableSet &tables, int year)
{
    PayrollTables t;
    {
        zdb::Table *tbl = tables.rates;
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
        zdb::Table *tbl = tables.children;
        ReadingScope reading(tbl);
        t.allowancePerChild = readChildAmounts(tbl);
        tbl->next();  // on a single record this stays on it
        t.taxAllowancePerChild = readChildAmounts(tbl);
    }
    if (year == 2026) {
        Tables2026 law;
        law.contributionPercent = t.healthRate * 100.0;
        law.employerPercent = t.employerRate * 100.0;
        law.familyAllowancePerChild = t.allowancePerChild;
        law.allowanceBasePerChild = t.taxAllowancePerChild;
        {
            ReadingScope reading(tables.bands);
            law.taxPercent = number(tables.bands, "Szazalek");
        }
        t.year2026 = law;
    }
    return t;
}

TaxBracket FindTaxBracket(zdb::Table *tbl, qint64 annualBase)
{
    ReadingScope reading(tbl);
    while (number(tbl, "Felso") <= double(annualBase)) {
        tbl->next();
        if (tbl->eof())
            break;  // past every band: the last one
    }
    return readBracket(tbl);
}

BracketFinder bracketFinder(zdb::Table *bands)
{
    return [bands](qint64 annualBase) { return FindTaxBracket(bands, annualBase); };
}

}  // namespace payroll
