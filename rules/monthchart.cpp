#include "rules/monthchart.h"

#include "rules/payroll.h"
#include "rules/usererror.h"

namespace monthchart {

namespace {

const Option &option(const QVector<Option> &rows, int key, const QString &what)
{
    for (const Option &row : rows)
        if (row.key == key)
            return row;
    fail(QStringLiteral("A választott %1 (%2) nem található a katalógusban").arg(what).arg(key));
}

QString lowerArticle(const QString &word)
{
    static const QString vowels = QStringLiteral("aáeéiíoóöőuúüűAÁEÉIÍOÓÖŐUÚÜŰ");
    return !word.isEmpty() && vowels.contains(word.front()) ? QStringLiteral("az") : QStringLiteral("a");
}

// What a suggestion changes, as the chart names it.
QString changeText(const Suggestion &s)
{
    static const char *const kinds[] = {"lakás", "étkezés", "ruházkodás", "közlekedés"};
    if (s.catalogue == HobbyCatalogue || s.catalogue == EntertainmentCatalogue) {
        const QString kind = s.catalogue == HobbyCatalogue ? QStringLiteral("hobbi") : QStringLiteral("szórakozás");
        return QStringLiteral("%1 %2 elhagyása (%3)").arg(lowerArticle(s.name), s.name, kind);
    }
    const QString kind = QString::fromUtf8(kinds[s.catalogue]);
    const QString cheapest = s.rank <= 1 ? QStringLiteral("a legolcsóbb") : QStringLiteral("a %1. legolcsóbb").arg(s.rank);
    return QStringLiteral("%1 %2 (%3)").arg(cheapest, kind, s.name);
}

}  // namespace

QString partName(int part)
{
    switch (part) {
    case Home: return QStringLiteral("Lakás és rezsi");
    case Food: return QStringLiteral("Élelmiszer");
    case Clothing: return QStringLiteral("Ruházkodás");
    case Transport: return QStringLiteral("Közlekedés");
    case Hobbies: return QStringLiteral("Hobbi");
    case Entertainment: return QStringLiteral("Szórakozás");
    case Children: return QStringLiteral("Gyerekek");
    }
    return QString();
}

Figures figures(const budget::FamilyCosts &costs, qint64 hobbies, qint64 entertainment, double netIncome)
{
    Figures f;
    f.parts[Food] = costs.food;
    f.parts[Clothing] = costs.clothing;
    f.parts[Transport] = costs.transport;
    f.parts[Children] = costs.children;
    f.parts[Home] = costs.total - costs.food - costs.clothing - costs.transport - costs.children;
    f.parts[Hobbies] = hobbies;
    f.parts[Entertainment] = entertainment;
    for (qint64 part : f.parts)
        f.total += part;
    f.balance = budget::monthlyBalance(netIncome, f.total);
    f.income = f.total + f.balance;
    return f;
}

QString forints(qint64 amount)
{
    QString digits = QString::number(amount < 0 ? -amount : amount);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x00A0));
    return (amount < 0 ? QStringLiteral("−") : QString()) + digits + QStringLiteral("\u00A0Ft");
}

qint64 familyTotal(const Catalogues &catalogues, const Month &month)
{
    const Option &home = option(catalogues.homes, month.home, QStringLiteral("lakás"));
    budget::Prices prices;
    prices.rezsi = home.rezsi;
    prices.torleszto = home.price;
    prices.food = option(catalogues.foods, month.food, QStringLiteral("étkezés")).price;
    prices.clothing = option(catalogues.clothing, month.clothing, QStringLiteral("ruházkodás")).price;
    prices.transport = option(catalogues.transport, month.transport, QStringLiteral("közlekedés")).price;
    const budget::FamilyCosts costs = budget::familyCosts(prices, month.transport, month.children, month.childCost);
    // The activities are summed in key order, as the evaluation adds them.
    budget::Activities entertainment, hobby;
    for (int key = 1; key <= 6; ++key) {
        if (budget::chosen(month.entertainmentMask, key))
            entertainment.add(QString(), option(catalogues.entertainment, key, QStringLiteral("szórakozás")).price);
        if (budget::chosen(month.hobbyMask, key))
            hobby.add(QString(), option(catalogues.hobbies, key, QStringLiteral("hobbi")).price);
    }
    return costs.total + hobby.sum + entertainment.sum;
}

Suggestion whatIf(const Catalogues &catalogues, const Month &month)
{
    using payroll::Round;
    const qint64 current = familyTotal(catalogues, month);
    Suggestion result;
    result.balance = Round(month.netIncome - double(current));
    if (!budget::needsRework(result.balance))
        return result;

    bool haveEnough = false, haveSaving = false;
    Suggestion enough, largest;
    const auto consider = [&](Catalogue catalogue, const Option &row, int rank, const Month &changed) {
        const qint64 saving = current - familyTotal(catalogues, changed);
        if (saving <= 0)
            return;
        Suggestion s;
        s.catalogue = catalogue;
        s.key = row.key;
        s.name = row.name;
        s.rank = rank;
        s.saving = saving;
        s.balance = Round(month.netIncome - double(current - saving));
        if (!budget::needsRework(s.balance)) {
            s.kind = Suggestion::Enough;
            if (!haveEnough || saving < enough.saving)
                enough = s;
            haveEnough = true;
        } else if (!haveEnough) {
            s.kind = Suggestion::NotEnough;
            if (!haveSaving || saving > largest.saving)
                largest = s;
        }
        haveSaving = true;
    };

    // The four catalogues of one choice: every other row, ranked by the family total it gives.
    const auto single = [&](Catalogue catalogue, const QVector<Option> &rows, int Month::*choice) {
        QVector<qint64> totals;
        for (const Option &row : rows) {
            Month changed = month;
            changed.*choice = row.key;
            totals << familyTotal(catalogues, changed);
        }
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).key == month.*choice)
                continue;
            int rank = 1;
            for (qint64 other : std::as_const(totals))
                rank += other < totals.at(i) ? 1 : 0;
            Month changed = month;
            changed.*choice = rows.at(i).key;
            consider(catalogue, rows.at(i), rank, changed);
        }
    };
    single(HomeCatalogue, catalogues.homes, &Month::home);
    single(FoodCatalogue, catalogues.foods, &Month::food);
    single(ClothingCatalogue, catalogues.clothing, &Month::clothing);
    single(TransportCatalogue, catalogues.transport, &Month::transport);

    // The activities: one chosen left out.
    const auto activities = [&](Catalogue catalogue, const QVector<Option> &rows, int Month::*mask) {
        for (int key = 1; key <= 6; ++key) {
            if (!budget::chosen(month.*mask, key))
                continue;
            Month changed = month;
            changed.*mask = (month.*mask & 0xFF) & ~(1 << (key - 1));
            consider(catalogue, option(rows, key, QString()), 0, changed);
        }
    };
    activities(HobbyCatalogue, catalogues.hobbies, &Month::hobbyMask);
    activities(EntertainmentCatalogue, catalogues.entertainment, &Month::entertainmentMask);

    if (haveEnough)
        return enough;
    if (haveSaving)
        return largest;
    result.kind = Suggestion::NoSaving;
    return result;
}

QString suggestionText(const Suggestion &s)
{
    switch (s.kind) {
    case Suggestion::Balanced:
        return QString();
    case Suggestion::Enough:
        return QStringLiteral("Egyetlen változtatás, amellyel kijönne: %1: %2")
            .arg(changeText(s), forints(-s.saving));
    case Suggestion::NotEnough:
        return QStringLiteral("Egyetlen választás megváltoztatása sem elég. A legnagyobb megtakarítás: %1: %2")
            .arg(changeText(s), forints(-s.saving));
    case Suggestion::NoSaving:
        return QStringLiteral("Egyetlen választás megváltoztatása sem elég: mindenből a legolcsóbbat választottad.");
    }
    return QString();
}

}  // namespace monthchart

namespace surprise {

Event draw(const QVector<Event> &events, const budget::RandomSource &random)
{
    if (events.isEmpty())
        return Event();
    const qint64 at = events.size() == 1 ? 0 : random(events.size());
    return events.at(int(qBound<qint64>(0, at, events.size() - 1)));
}

bool covered(qint64 balance, const Event &event) { return balance + event.amount >= 0; }

QString headline(const Event &event)
{
    return QStringLiteral("%1: %2%3")
        .arg(event.name, event.amount > 0 ? QStringLiteral("+") : QString(), monthchart::forints(event.amount));
}

QString outcomeText(qint64 balance, const Event &event)
{
    const qint64 after = balance + event.amount;
    if (event.amount >= 0)
        return QStringLiteral("Ez bevétel: a hónap végén %1 marad.").arg(monthchart::forints(after));
    const QString remainder = monthchart::forints(balance > 0 ? balance : 0);
    if (covered(balance, event))
        return QStringLiteral("A havi maradék (%1) fedezi: utána is marad %2.").arg(remainder, monthchart::forints(after));
    return QStringLiteral("A havi maradék (%1) nem fedezi: %2 hiányozna. Az oklevelet a kijött költségvetés így is "
                          "megérdemli, de egy ilyen hónapra érdemes félretenni.")
        .arg(remainder, monthchart::forints(-after));
}

}  // namespace surprise
