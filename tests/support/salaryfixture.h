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

#include "game/adatinit.h"
#include "db/engine.h"
#include "game/game.h"
#include "tests/support/shellfixture.h"
#include "tests/support/standin2026.h"
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

    // Turns the folder's tax tables and year into those of 2026 (see standin2026.h), before
    // the game first reads them.
    void rewriteTo2026()
    {
        zdb::Session session(config.filePath(QStringLiteral("year2026.ini")));
        session.addStandardAlias(QStringLiteral("Y2026"), work.db());
        QVERIFY(standin2026::rewriteTablesTo2026(session, QStringLiteral("Y2026")));
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
