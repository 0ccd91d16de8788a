#pragma once
// A game run for the salary screens: a working folder whose tax tables hold the 2010
// figures (27 % employer contribution; 17 % tax up to 5 000 000 Ft a year, 850 000 Ft +
// 32 % above; a credit of 17 %, at most 181 200 Ft, full up to 3 188 000 Ft, shrinking by
// 12 % of the excess to nothing at 4 698 000 Ft; health 6 %, employee 1.5 %, pension 9.5 %;
// family allowance 12 200 / 13 300 / 16 000 Ft a child, tax allowance 4 000 Ft a child from
// three children), one player row made current, and "ber.txt" written by the test.
//
// For a gross wage of 200 000 Ft these give: super-gross 254 000, tax advance 28 080 (both
// ways of working it out), health 12 000, employee 3 000, pension 19 000, deductions
// 62 080, net wage 137 920; with three children allowance 48 000 and tax allowance 12 000.
//
// useTables2026() puts the tax tables and the year row of the built 2026 folder
// (ZOMIR_WORKFOLDER_2026) in their place; tables2026() reads them back as the 2026 rules do.

#include "game/adatinit.h"
#include "db/engine.h"
#include "game/game.h"
#include "tests/support/shellfixture.h"
#include "rules/payroll2026.h"
#include "rules/taxyear.h"
#include "game/payrolldata.h"
#include "rules/workfiles.h"

#include <QtTest>

#include <memory>

namespace salaryfixture {

class SalaryRun {
public:
    SalaryRun()
    {
        fillTaxTables();
        work.addProfession(QStringLiteral("Ács"), 150000, 250000, 3);
        shellfixture::WorkFolder::Player player;
        player.name = QStringLiteral("Bér Elek");
        work.addPlayer(player);
        cwd = std::make_unique<shellfixture::CurrentFolder>(work.path());
        run = std::make_unique<shellfixture::Run>(config.filePath(QStringLiteral("engine.ini")));
    }
    ~SalaryRun()
    {
        run.reset();
        cwd.reset();
    }

    // Creates the screen set and makes the player row current, as the evaluation leaves it.
    bool create()
    {
        if (!game().create())
            return false;
        zdb::Table *players = game().DM->JatekosokDB;
        return players->active() && players->locate(QStringLiteral("Nev"), QStringLiteral("Bér Elek"));
    }

    // Replaces the folder's tax tables and year row with those of the built 2026 folder
    // (ZOMIR_WORKFOLDER_2026), before the game first reads them. A missing folder fails.
    void useTables2026()
    {
        const QString built = qEnvironmentVariable("ZOMIR_WORKFOLDER_2026");
        QVERIFY2(QFileInfo::exists(built + QStringLiteral("/DB")), "the built 2026 working folder is missing");
        zdb::Session session(config.filePath(QStringLiteral("year2026.ini")));
        session.addStandardAlias(QStringLiteral("FROM"), QDir(built).filePath(QStringLiteral("DB")));
        session.addStandardAlias(QStringLiteral("TO"), work.db());
        for (const char *file : {"adokulcs.db", "jarulek.db", "gyerek.db", "Adoev.DB"}) {
            zdb::Table from(&session);
            from.setAliasName(QStringLiteral("FROM"));
            from.setTableName(QString::fromLatin1(file));
            from.open();
            zdb::Table to(&session);
            to.setAliasName(QStringLiteral("TO"));
            to.setTableName(QString::fromLatin1(file));
            to.open();
            to.first();
            while (!to.isEmpty())
                to.deleteRecord();
            for (from.first(); !from.eof(); from.next()) {
                to.append();
                for (int i = 0; i < from.fieldCount(); ++i)
                    if (!from.field(i).isLookup())
                        to.fieldByName(from.field(i).fieldName()).setValue(from.field(i).value());
                to.post();
            }
            QVERIFY2(from.recordCount() > 0, file);
        }
    }

    // The 2026 parameters of the tax tables the game reads (after create()).
    payroll::Tables2026 tables2026() { return payroll::tables2026(payroll::LoadPayrollTables(game().DataModule2)); }
    // The 2026 figures of a family's month under those tables.
    payroll::PayStatement2026 statement2026(qint64 gross, int children, qint64 partner)
    {
        return payroll::ComputePayStatement2026(tables2026(), gross, children, partner);
    }

    Game &game() { return run->game; }
    ScriptedDialogs &dialogs() { return run->dialogs; }

    // "ber.txt" as the evaluation writes it: four integer lines, CR LF.
    void writeBer(qint64 gross, int children, qint64 partnerNet, qint64 total = 0)
    {
        writeBerText(QStringLiteral("%1\r\n%2\r\n%3\r\n%4\r\n").arg(gross).arg(children).arg(partnerNet).arg(total));
    }
    void writeBerText(const QString &text)
    {
        QFile file(work.file(QStringLiteral("ber.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toLatin1());
    }
    void removeBer() { QFile::remove(work.file(QStringLiteral("ber.txt"))); }

    // The stored player row's value of a field (read through a session of the test's own).
    QVariant playerField(const QString &field)
    {
        auto t = work.table(QStringLiteral("Jatekosok.DB"));
        t->first();
        return t->fieldByName(field).value();
    }

    shellfixture::WorkFolder work;

private:
    void fillTaxTables()
    {
        auto bands = work.table(QStringLiteral("adokulcs.db"));
        const double rows[][4] = {{1, 5000000, 0, 17}, {5000001, 999999999999.0, 850000, 32}};
        for (const auto &row : rows) {
            bands->append();
            bands->fieldByName(QStringLiteral("Also")).setValue(row[0]);
            bands->fieldByName(QStringLiteral("Felso")).setValue(row[1]);
            bands->fieldByName(QStringLiteral("Osszeg")).setValue(row[2]);
            bands->fieldByName(QStringLiteral("Szazalek")).setValue(row[3]);
            bands->post();
        }
        auto rates = work.table(QStringLiteral("jarulek.db"));
        rates->append();
        const std::pair<const char *, double> values[] = {
            {"Ebizt", 6},          {"Mvjarulek", 1.5},  {"Nybjarulek", 9.5}, {"MUNKALTATO_JARULEK", 27},
            {"Ajhatar", 3188000},  {"Ajosszeg", 181200}, {"Ajkulcs", 17},    {"Ajfelsoh", 4698000},
            {"Ajcsokulcs", 12}};
        for (const auto &v : values)
            rates->fieldByName(QString::fromLatin1(v.first)).setValue(v.second);
        rates->post();
        auto children = work.table(QStringLiteral("gyerek.db"));
        const std::pair<const char *, std::array<double, 3>> perChild[] = {
            {"Családi pótlék", {12200, 13300, 16000}}, {"Családi adókedvezmény", {0, 0, 4000}}};
        for (const auto &row : perChild) {
            children->append();
            children->fieldByName(QStringLiteral("Megnevezes")).setValue(QString::fromUtf8(row.first));
            children->fieldByName(QStringLiteral("1gyerek")).setValue(row.second[0]);
            children->fieldByName(QStringLiteral("2gyerek")).setValue(row.second[1]);
            children->fieldByName(QStringLiteral("3gyerek")).setValue(row.second[2]);
            children->post();
        }
    }

    QTemporaryDir config;
    std::unique_ptr<shellfixture::CurrentFolder> cwd;
    std::unique_ptr<shellfixture::Run> run;
};

}  // namespace salaryfixture
