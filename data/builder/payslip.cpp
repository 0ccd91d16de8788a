#include "data/builder/payslip.h"

#include "db/engine.h"
#include "rules/taxyear.h"
#include "rules/usererror.h"
#include "data/builder/workfolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace content {

namespace {

const QString kAlias = QStringLiteral("ZOMIR_PAYSLIP");

// A table of the alias opened on its first row; an empty one is refused by name.
std::unique_ptr<zdb::Table> openFilled(zdb::Session &session, const QString &file)
{
    auto table = std::make_unique<zdb::Table>(&session);
    table->setAliasName(kAlias);
    table->setTableName(file);
    table->open();
    table->first();
    if (table->eof())
        fail(QStringLiteral("A(z) %1 tábla üres, nincs mit beolvasni.").arg(file));
    return table;
}

double number(zdb::Table &table, const char *field)
{
    return table.fieldByName(QString::fromLatin1(field)).asFloat();
}

std::array<qint64, 4> childAmounts(zdb::Table &table)
{
    return {0, payroll::Round(number(table, "1gyerek")), payroll::Round(number(table, "2gyerek")),
            payroll::Round(number(table, "3gyerek"))};
}

}  // namespace

FolderPayroll readFolderPayroll(const QString &dbFolder)
{
    if (!QDir(dbFolder).exists())
        fail(QStringLiteral("Nincs adatbázis ebben a munkamappában: %1").arg(QDir::toNativeSeparators(dbFolder)));
    FolderPayroll out;
    out.year = folderYear(dbFolder);
    QTemporaryDir configDir;
    if (!configDir.isValid())
        fail(QStringLiteral("No temporary folder for the engine configuration"));
    zdb::Session session(configDir.filePath(QStringLiteral("tablaengine.ini")));
    session.addStandardAlias(kAlias, dbFolder);

    payroll::PayrollTables &t = out.tables;
    {
        auto j = openFilled(session, QStringLiteral("jarulek.db"));
        t.employeeRate = number(*j, "Mvjarulek") / 100.0;
        t.pensionRate = number(*j, "Nybjarulek") / 100.0;
        t.healthRate = number(*j, "Ebizt") / 100.0;
        t.employerRate = number(*j, "MUNKALTATO_JARULEK") / 100.0;
        t.storedCredit.limit = number(*j, "Ajhatar");
        t.storedCredit.maximum = number(*j, "Ajosszeg");
        t.storedCredit.upperLimit = number(*j, "Ajfelsoh");
        t.storedCredit.rate = number(*j, "Ajkulcs") / 100.0;
        t.storedCredit.reductionRate = number(*j, "Ajcsokulcs") / 100.0;
        t.creditLimit = payroll::Round(t.storedCredit.limit);
        t.creditMaximum = payroll::Round(t.storedCredit.maximum);
        t.creditUpperLimit = payroll::Round(t.storedCredit.upperLimit);
        t.creditRate = t.storedCredit.rate;
        t.creditReductionRate = t.storedCredit.reductionRate;
    }
    {
        auto g = openFilled(session, QStringLiteral("gyerek.db"));
        t.allowancePerChild = childAmounts(*g);
        g->next();  // a single row serves for both
        if (g->eof())
            g->last();
        t.taxAllowancePerChild = childAmounts(*g);
    }
    {
        auto a = openFilled(session, QStringLiteral("adokulcs.db"));
        for (; !a->eof(); a->next())
            out.bands.append({number(*a, "Also"), number(*a, "Felso"), number(*a, "Osszeg"), number(*a, "Szazalek")});
    }
    if (out.year == 2026) {
        payroll::Tables2026 y;
        y.taxPercent = out.bands.first().Szazalek;
        y.contributionPercent = t.healthRate * 100.0;
        y.employerPercent = t.employerRate * 100.0;
        y.familyAllowancePerChild = t.allowancePerChild;
        y.allowanceBasePerChild = t.taxAllowancePerChild;
        t.year2026 = y;
    }
    return out;
}

QString payslipText(const FolderPayroll &p, qint64 gross, qint64 children, qint64 partnerNet)
{
    const payroll::RuleSet *rules = payroll::ruleSetFor(p.year);
    if (!rules)
        fail(QStringLiteral("A(z) %1. évhez nincs bérszámítási szabály.").arg(p.year));
    const QVector<payroll::TaxBracket> bands = p.bands;
    const payroll::BracketFinder finder = [bands](qint64 base) { return payroll::FindTaxBracket(bands, base); };
    WageInputs in;
    in.G = gross;
    in.N = int(children);
    in.P = partnerNet;
    const QMap<int, qint64> values = rules->statement(p.tables, finder, in);
    QString out;
    for (const payroll::Figure &f : rules->figures())
        out += QStringLiteral("%1: %2\n").arg(f.key).arg(values.value(f.number));
    return out;
}

}  // namespace content
