#include "tests/support/standin2026.h"

#include "db/engine.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace standin2026 {

namespace {

std::unique_ptr<zdb::Table> emptied(zdb::Session &session, const QString &alias, const QString &file)
{
    auto t = std::make_unique<zdb::Table>(&session);
    t->setAliasName(alias);
    t->setTableName(file);
    t->open();
    t->first();
    while (!t->isEmpty())
        t->deleteRecord();
    return t;
}

void set(zdb::Table &t, const char *field, const QVariant &value)
{
    t.fieldByName(QString::fromUtf8(field)).setValue(value);
}

}  // namespace

bool rewriteTablesTo2026(zdb::Session &session, const QString &alias)
{
    try {
        auto bands = emptied(session, alias, QStringLiteral("adokulcs.db"));
        bands->append();
        set(*bands, "Also", 1.0);
        set(*bands, "Felso", 999999999999.0);
        set(*bands, "Osszeg", 0.0);
        set(*bands, "Szazalek", 15.0);
        bands->post();

        auto rates = emptied(session, alias, QStringLiteral("jarulek.db"));
        rates->append();
        for (const char *zero : {"Mvjarulek", "Nybjarulek", "Ajhatar", "Ajosszeg", "Ajkulcs", "Ajfelsoh", "Ajcsokulcs"})
            set(*rates, zero, 0.0);
        set(*rates, "Ebizt", 18.5);
        set(*rates, "MUNKALTATO_JARULEK", 13.0);
        rates->post();

        auto children = emptied(session, alias, QStringLiteral("gyerek.db"));
        const std::pair<const char *, std::array<double, 3>> perChild[] = {
            {"Családi pótlék", {12200, 13300, 16000}}, {"Családi kedvezmény alapja", {133340, 266660, 440000}}};
        for (const auto &row : perChild) {
            children->append();
            set(*children, "Megnevezes", QString::fromUtf8(row.first));
            set(*children, "1gyerek", row.second[0]);
            set(*children, "2gyerek", row.second[1]);
            set(*children, "3gyerek", row.second[2]);
            children->post();
        }

        auto year = emptied(session, alias, QStringLiteral("Adoev.DB"));
        year->append();
        set(*year, "Ev", 2026);
        set(*year, "Gyerek_koltseg", double(kStandInChildCost));
        year->post();
    } catch (const std::exception &e) {
        qWarning("the 2026 tables could not be written: %s", e.what());
        return false;
    }
    return true;
}

bool makeStandIn2026Folder(const QString &to)
{
    const QString built = qEnvironmentVariable("ZOMIR_WORKFOLDER");
    if (!QFileInfo::exists(built + QStringLiteral("/DB")) || !testenv::copyFolder(built, to))
        return false;
    zdb::Session session(QDir(to).filePath(QStringLiteral("standin2026.ini")));
    session.addStandardAlias(QStringLiteral("STANDIN"), QDir(to).filePath(QStringLiteral("DB")));
    return rewriteTablesTo2026(session, QStringLiteral("STANDIN"));
}

}  // namespace standin2026
