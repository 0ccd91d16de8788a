#include "game/kiertekeles.h"

#include "game/adatinit.h"
#include "controls/dialogs.h"
#include "db/engine.h"
#include "game/game.h"
#include "game/haztartas.h"
#include "game/jadat.h"
#include "rules/payroll.h"
#include "rules/workfiles.h"
#include "rules/usererror.h"

#include <QDate>

#include <stdexcept>

using namespace payroll;

namespace {

const QString kCannotCost = QStringLiteral(", ezért a költségvetés nem számolható ki.");

// A number field that the costing needs; an empty one stops the evaluation with a message
// saying what is missing.
double number(zdb::Table *table, const QString &field, const QString &what)
{
    zdb::Field f = table->fieldByName(field);
    if (f.isNull())
        fail(QStringLiteral("Hiányzik %1 (%2, %3 mező)").arg(what, table->tableName(), field) + kCannotCost);
    return f.asFloat();
}

// The key text of a browsed catalogue's current row, as the hidden key control shows it.
int keyOf(const QString &text, const QString &what)
{
    if (text.trimmed().isEmpty())
        fail(QStringLiteral("Nincs kiválasztott %1: a lista üres").arg(what) + kCannotCost);
    bool ok = false;
    const int key = text.trimmed().toInt(&ok);
    if (!ok)
        fail(QStringLiteral("A kiválasztott %1 azonosítója („%2”) nem egész szám").arg(what, text) + kCannotCost);
    return key;
}

}  // namespace

TBudgetEvaluation::TBudgetEvaluation(Game *game) : m_game(game), m_random(budget::clockSeededSource()) {}

TBudgetEvaluation::Outcome TBudgetEvaluation::run(const Choices &choices)
{
    saveChoices(choices);
    TDM *dm = m_game->DM;
    if (!dm->SzakmaDB->active())
        dm->SzakmaDB->open();
    if (dm->JatekosokDB->fieldByName(QStringLiteral("Netto_jov")).isNull())
        return firstCosting();
    return familyCheck();
}

void TBudgetEvaluation::saveChoices(const Choices &choices)
{
    GameState &state = m_game->state;
    zdb::Table *players = m_game->DM->JatekosokDB;
    // The keys are read before the record is touched, so that a bad one appends nothing.
    const int house = keyOf(choices.houseKey, QStringLiteral("lakás"));
    const int food = keyOf(choices.foodKey, QStringLiteral("étkezés"));
    const int clothing = keyOf(choices.clothingKey, QStringLiteral("ruházkodás"));
    const int travel = keyOf(choices.travelKey, QStringLiteral("közlekedési mód"));

    // A new game appends its record, but after an interrupted first evaluation it updates
    // the record it appended then.
    const bool appending =
        state.NewGame
        && !(m_appendedKey.isValid() && players->locate(QStringLiteral("Player_Key"), m_appendedKey)
             && players->fieldByName(QStringLiteral("Nev")).asString() == state.PlayerName);
    zdb::EditGuard record(players, appending ? zdb::EditGuard::Append : zdb::EditGuard::Edit);
    record.set(QStringLiteral("Nev"), state.PlayerName);
    record.set(QStringLiteral("Datum"), QDate::currentDate());
    record.set(QStringLiteral("Job_Key"), state.JobKey);
    record.set(QStringLiteral("House_Key"), house);
    record.set(QStringLiteral("Food_Key"), food);
    record.set(QStringLiteral("Clothing_Key"), clothing);
    record.set(QStringLiteral("Travel_Key"), travel);
    record.set(QStringLiteral("Hobby_Key"), choices.hobbyMask);
    record.set(QStringLiteral("Entertainment_Key"), choices.entertainmentMask);
    record.set(QStringLiteral("Statusz"), 0);
    // The year whose law and prices the game is played by.
    record.set(QStringLiteral("Adoev"), m_game->DataModule2->folderYear().year);
    record.commit();
    if (appending)
        m_appendedKey = players->fieldByName(QStringLiteral("Player_Key")).value();
}

void TBudgetEvaluation::expandChoices(budget::Activities &entertainment, budget::Activities &hobby)
{
    TDM *dm = m_game->DM;
    zdb::Table *players = dm->JatekosokDB;
    const zdb::Field entertainmentField = players->fieldByName(QStringLiteral("Entertainment_Key"));
    const zdb::Field hobbyField = players->fieldByName(QStringLiteral("Hobby_Key"));
    const int entertainmentMask = entertainmentField.isNull() ? 0 : entertainmentField.asInteger();
    const int hobbyMask = hobbyField.isNull() ? 0 : hobbyField.asInteger();

    entertainment = budget::Activities();
    hobby = budget::Activities();
    const auto take = [](zdb::Table *catalogue, const QString &keyField, int key, const QString &kind,
                         int page, budget::Activities &into) {
        if (!catalogue->locate(keyField, key))
            fail(QStringLiteral("A választott %1 („%2”) nem található: a %3 táblában nincs %4 azonosítójú sor")
                     .arg(kind, QString::fromUtf8(haztartas::pageSpec(page).choices.at(key - 1)),
                          catalogue->tableName())
                     .arg(key)
                 + kCannotCost);
        into.add(catalogue->fieldByName(QStringLiteral("Kategoria")).asString(),
                 number(catalogue, QStringLiteral("Atlagos_Ar"), QStringLiteral("a választott ") + kind + " ára"));
    };
    for (int key = 1; key <= 6; ++key) {
        if (budget::chosen(entertainmentMask, key))
            take(dm->SzorakozasDB, QStringLiteral("Entertainment_Key"), key, QStringLiteral("szórakozás"),
                 PageSzorakozas, entertainment);
        if (budget::chosen(hobbyMask, key))
            take(dm->HobbiDB, QStringLiteral("Hobby_Key"), key, QStringLiteral("hobbi"), PageHobbi,
                 hobby);
    }
}

QString TBudgetEvaluation::locateProfession()
{
    const QStringList lines = workfiles::readLines(QStringLiteral("szakmavalasztas.txt"));
    const QString first = lines.value(0).trimmed();
    bool ok = false;
    const int code = first.toInt(&ok);
    if (!ok)
        fail(QStringLiteral("A „szakmavalasztas.txt” fájl első sora („%1”) nem szakmakód") .arg(first) + kCannotCost);
    zdb::Table *professions = m_game->DM->SzakmaDB;
    if (!professions->locate(QStringLiteral("Szakma_kod"), code))
        fail(QStringLiteral("A választott szakma nem található: a szakmák között (szakma4.DB) nincs %1 kódú szakma")
                 .arg(code)
             + kCannotCost);
    return lines.value(1);
}

QStringList TBudgetEvaluation::descriptions()
{
    TDM *dm = m_game->DM;
    QStringList texts;
    for (zdb::Table *catalogue : {dm->HazakDB, dm->ElelmiszerekDB, dm->RuhazkodasDB, dm->KozlekedesDB})
        texts << catalogue->fieldByName(QStringLiteral("Leiras")).asString();
    return texts;
}

std::optional<surprise::Event> TBudgetEvaluation::monthSurprise()
{
    bool on = false;
    QVector<surprise::Event> events;
    try {
        zdb::Session *session = m_game->DataModule2->session();
        zdb::Table year(session);
        year.setAliasName(zdb::gameAlias());
        year.setTableName(QStringLiteral("Adoev.DB"));
        year.open();
        year.first();
        on = !year.eof() && !year.fieldByName(QStringLiteral("Meglepetes_be")).isNull()
             && year.fieldByName(QStringLiteral("Meglepetes_be")).asBoolean();
        zdb::Table table(session);
        table.setAliasName(zdb::gameAlias());
        table.setTableName(QStringLiteral("Meglepetes.db"));
        table.open();
        for (table.first(); !table.eof(); table.next()) {
            const zdb::Field amount = table.fieldByName(QStringLiteral("Osszeg"));
            events << surprise::Event{table.fieldByName(QStringLiteral("Megnevezes")).asString(),
                                      amount.isNull() ? 0 : Round(amount.asFloat()),
                                      table.fieldByName(QStringLiteral("Tortenet")).asString()};
        }
    } catch (const std::exception &) {
        // A folder without the surprise's tables plays the month without one.
        on = false;
    }
    zdb::Table *players = m_game->DM->JatekosokDB;
    const QString stored = players->fieldByName(QStringLiteral("Meglepetes")).asString();
    if (!stored.isEmpty()) {
        // Drawn before: the same event, with its story as the table tells it now.
        const zdb::Field amount = players->fieldByName(QStringLiteral("Meglepetes_osszeg"));
        surprise::Event event{stored, amount.isNull() ? 0 : qint64(amount.asInteger()), QString()};
        for (const surprise::Event &e : std::as_const(events))
            if (e.name == stored)
                event.story = e.story;
        return event;
    }
    if (!on || events.isEmpty())
        return std::nullopt;
    return surprise::draw(events, m_random);
}

monthchart::Catalogues catalogueOptions(TDM *dm)
{
    const auto rows = [](zdb::Table *table, const QString &keyField, bool house) {
        QVector<monthchart::Option> options;
        if (!table->active())
            table->open();
        const int key = table->fieldIndex(keyField);
        const int name = table->fieldIndex(QStringLiteral("Kategoria"));
        const int price = table->fieldIndex(house ? QStringLiteral("Torleszto_reszlet") : QStringLiteral("Atlagos_Ar"));
        const int rezsi = house ? table->fieldIndex(QStringLiteral("Rezsi")) : -1;
        for (int row = 0; row < table->recordCount(); ++row) {
            monthchart::Option option;
            option.key = table->valueAt(row, key).toInt();
            option.name = table->textAt(row, name);
            option.price = table->valueAt(row, price).toDouble();
            option.rezsi = rezsi < 0 ? 0 : table->valueAt(row, rezsi).toDouble();
            options << option;
        }
        return options;
    };
    monthchart::Catalogues c;
    c.homes = rows(dm->HazakDB, QStringLiteral("House_Key"), true);
    c.foods = rows(dm->ElelmiszerekDB, QStringLiteral("Food_Key"), false);
    c.clothing = rows(dm->RuhazkodasDB, QStringLiteral("Clothing_Key"), false);
    c.transport = rows(dm->KozlekedesDB, QStringLiteral("Travel_Key"), false);
    c.hobbies = rows(dm->HobbiDB, QStringLiteral("Hobby_Key"), false);
    c.entertainment = rows(dm->SzorakozasDB, QStringLiteral("Entertainment_Key"), false);
    return c;
}

namespace {

budget::Prices playerPrices(zdb::Table *players)
{
    budget::Prices prices;
    prices.rezsi = number(players, QStringLiteral("Haz_Rezsi"), QStringLiteral("a választott lakás havi rezsije"));
    prices.torleszto = number(players, QStringLiteral("Haz_Torleszto_Reszlet"),
                              QStringLiteral("a választott lakás havi törlesztő részlete"));
    prices.food = number(players, QStringLiteral("Elelmiszer_Atlagos_Ar"),
                         QStringLiteral("a választott étkezés havi átlagára"));
    prices.clothing = number(players, QStringLiteral("Ruhazkodas_Atlagos_Ar"),
                             QStringLiteral("a választott ruházkodás havi átlagára"));
    prices.transport = number(players, QStringLiteral("Kozlekedes_Atlagos_Ar"),
                              QStringLiteral("a választott közlekedés havi átlagára"));
    return prices;
}

int childrenOf(zdb::Table *professions)
{
    const qint64 children = Round(number(professions, QStringLiteral("Gyerekszam"),
                                         QStringLiteral("a választott szakma gyerekszáma")));
    if (children < 0 || children > 1000)
        fail(QStringLiteral("A választott szakma gyerekszáma (%1) nem lehetséges").arg(children) + kCannotCost);
    return int(children);
}

qint64 spouseNetOf(zdb::Table *professions)
{
    return Round(number(professions, QStringLiteral("Hazastars_netto"),
                        QStringLiteral("a házastárs nettó jövedelme")));
}

}  // namespace

TBudgetEvaluation::Outcome TBudgetEvaluation::firstCosting()
{
    TDM *dm = m_game->DM;
    zdb::Table *players = dm->JatekosokDB;
    zdb::Table *professions = dm->SzakmaDB;

    qint64 total = budget::singlePersonTotal(playerPrices(players));
    budget::Activities entertainment, hobby;
    expandChoices(entertainment, hobby);
    report1 = Report1Content();
    report1.memos[4] = entertainment.lines;
    report1.memos[5] = hobby.lines;
    report1.szorakozasAr = budget::amountText(entertainment.sum);
    report1.hobbiAr = budget::amountText(hobby.sum);
    report1.yearLine = budget::yearLevelsText(m_game->DataModule2->folderYear().year);
    total += hobby.sum + entertainment.sum;

    locateProfession();
    qint64 wage = 0;
    if (players->fieldByName(QStringLiteral("Brutto_jov")).isNull()) {
        const QString profession = professions->fieldByName(QStringLiteral("Szakma_nev")).asString();
        wage = budget::drawWage(number(professions, QStringLiteral("BRUTTO_MIN"),
                                       QStringLiteral("a szakma legalacsonyabb bruttó bére")),
                                number(professions, QStringLiteral("BRUTTO_MAX"),
                                       QStringLiteral("a szakma legmagasabb bruttó bére")),
                                profession, m_random);
        zdb::EditGuard record(players);
        record.set(QStringLiteral("Brutto_jov"), double(wage));
        record.commit();
    } else {
        wage = Round(players->fieldByName(QStringLiteral("Brutto_jov")).asFloat());
    }

    workfiles::writeLines(QStringLiteral("ber.txt"),
                          budget::wageFileLines(wage, childrenOf(professions), spouseNetOf(professions), total));
    lastSinglePersonTotal = total;
    report1.osszeg = QString::number(total);
    const QStringList texts = descriptions();
    for (int i = 0; i < 4; ++i)
        report1.memos[i] = QStringList{texts.at(i)};

    m_game->hide(Game::Screen::Main);
    reportfill::previewReport1(m_game, report1);

    m_game->state.NewGame = false;
    m_appendedKey = QVariant();
    m_game->show(Game::Screen::Jovedelem);
    return Outcome::IncomeCalculator;
}

TBudgetEvaluation::Outcome TBudgetEvaluation::familyCheck()
{
    TDM *dm = m_game->DM;
    zdb::Table *players = dm->JatekosokDB;
    zdb::Table *professions = dm->SzakmaDB;

    report2 = Report2Content();
    report2.profession = locateProfession();
    const int children = childrenOf(professions);
    const qint64 wage = Round(number(players, QStringLiteral("Brutto_jov"), QStringLiteral("a kisorsolt bruttó bér")));
    workfiles::writeLines(QStringLiteral("ber.txt"),
                          budget::wageFileLines(wage, children, spouseNetOf(professions), 0));

    const int travelKey = players->fieldByName(QStringLiteral("Travel_Key")).asInteger();
    const qint64 childCost = m_game->DataModule2->folderYear().childCost;
    const budget::FamilyCosts costs = budget::familyCosts(playerPrices(players), travelKey, children, childCost);

    budget::Activities entertainment, hobby;
    expandChoices(entertainment, hobby);
    report2.memos[4] = entertainment.lines;
    report2.memos[5] = hobby.lines;
    report2.szorakozasAr = budget::amountText(entertainment.sum);
    report2.hobbiAr = budget::amountText(hobby.sum);
    report2.yearLine = budget::yearLevelsText(m_game->DataModule2->folderYear().year);
    const qint64 total = costs.total + hobby.sum + entertainment.sum;
    lastFamilyTotal = total;
    report2.osszeg = QString::number(total);
    report2.ennyienvagytok = budget::familySizeText(children);
    report2.gyerektext = budget::childCostText(children, childCost);
    report2.elelmiszer1Fore = budget::foodPerPersonText(costs.perPersonFood, children);
    report2.ruhazkodas1Fore = budget::clothingPerPersonText(costs.clothing, children);
    report2.ruhazkodasAr = budget::amountText(costs.clothing);
    report2.elelmiszerAr = budget::amountText(costs.food);
    report2.kozlekedesAr = budget::amountText(costs.transport);
    const QStringList texts = descriptions();
    for (int i = 0; i < 4; ++i)
        report2.memos[i] = QStringList{texts.at(i)};

    const double netIncome = number(players, QStringLiteral("Netto_jov"), QStringLiteral("a család nettó jövedelme"));
    const qint64 balance = budget::monthlyBalance(netIncome, total);
    report2.chart = monthchart::figures(costs, hobby.sum, entertainment.sum, netIncome);
    if (budget::needsRework(balance)) {
        monthchart::Month month;
        month.home = players->fieldByName(QStringLiteral("House_Key")).asInteger();
        month.food = players->fieldByName(QStringLiteral("Food_Key")).asInteger();
        month.clothing = players->fieldByName(QStringLiteral("Clothing_Key")).asInteger();
        month.transport = travelKey;
        month.hobbyMask = players->fieldByName(QStringLiteral("Hobby_Key")).asInteger();
        month.entertainmentMask = players->fieldByName(QStringLiteral("Entertainment_Key")).asInteger();
        month.children = children;
        month.childCost = childCost;
        month.netIncome = netIncome;
        try {
            report2.whatIf = monthchart::suggestionText(monthchart::whatIf(catalogueOptions(dm), month));
        } catch (const UserError &) {
            // A catalogue that cannot be costed leaves the picture without its hint; the
            // evaluation itself has costed the month already.
        }
    }

    const std::optional<surprise::Event> event =
        budget::needsRework(balance) ? std::nullopt : monthSurprise();
    {
        // The month's balance goes with the game, for the teacher's view of the class, and
        // so does its surprise.
        zdb::EditGuard record(players);
        record.set(QStringLiteral("Egyenleg"), balance);
        if (event) {
            record.set(QStringLiteral("Meglepetes"), event->name);
            record.set(QStringLiteral("Meglepetes_osszeg"), event->amount);
        }
        record.commit();
    }
    if (event) {
        report2.surpriseHeadline = surprise::headline(*event);
        report2.surpriseStory = event->story;
        report2.surpriseOutcome = surprise::outcomeText(balance, *event);
    }

    m_game->hide(Game::Screen::Main);
    reportfill::previewReport2(m_game, report2);

    m_game->state.LastBalance = balance;
    if (budget::needsRework(balance)) {
        m_game->dialogs()->message(budget::reworkMessage());
        return Outcome::Rework;
    }

    report3 = Report3Content();
    report3.savings = budget::savingsText(balance);
    report3.yearLine = budget::yearLevelsText(m_game->DataModule2->folderYear().year);
    reportfill::previewReport3(m_game, report3);
    {
        zdb::EditGuard record(players);
        record.set(QStringLiteral("Statusz"), 1);
        record.commit();
    }
    dm->CloseTables();
    m_game->show(Game::Screen::Vege);
    return Outcome::Finished;
}
