#include "rules/budget.h"

#include "rules/payroll.h"
#include "rules/usererror.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <memory>
#include <stdexcept>

using namespace payroll;

namespace budget {

namespace {

// "A" or "Az" before a word, as Hungarian wants it.
QString articleFor(const QString &word)
{
    static const QString vowels = QStringLiteral("aáeéiíoóöőuúüűAÁEÉIÍOÓÖŐUÚÜŰ");
    return !word.isEmpty() && vowels.contains(word.front()) ? QStringLiteral("Az") : QStringLiteral("A");
}

}  // namespace

RandomSource clockSeededSource()
{
    auto generator = std::make_shared<QRandomGenerator>(quint32(QDateTime::currentMSecsSinceEpoch())
                                                        ^ QRandomGenerator::system()->generate());
    return [generator](qint64 bound) { return generator->bounded(bound); };
}

qint64 drawWage(double bruttoMin, double bruttoMax, const QString &profession, const RandomSource &random)
{
    const qint64 low = Round(bruttoMin);
    const qint64 high = Round(bruttoMax);
    if (high < low)
        fail(QStringLiteral("%1 „%2” szakma bérsávja hibás: a legmagasabb bruttó bér (%3 Ft) kisebb a "
                            "legalacsonyabbnál (%4 Ft), ezért nem lehet fizetést sorsolni. A tanár a "
                            "karbantartó programban javíthatja.")
                 .arg(articleFor(profession), profession.trimmed())
                 .arg(high)
                 .arg(low));
    const qint64 r = high == low ? 0 : random(high - low);
    return Round(double(low + r) / 1000.0) * 1000;
}

qint64 singlePersonTotal(const Prices &prices)
{
    return Round(prices.rezsi + prices.torleszto + prices.food + prices.clothing + prices.transport);
}

void Activities::add(const QString &category, double price)
{
    lines << category + QStringLiteral(", ") + amountText(Round(price));
    sum = Round(double(sum) + price);
}

bool chosen(int mask, int key)
{
    return key >= 1 && key <= 6 && ((mask & 0xFF) >> (key - 1) & 1) != 0;
}

FamilyCosts familyCosts(const Prices &prices, int transportKey, int children, qint64 childCost)
{
    FamilyCosts costs;
    const double heads = double(children) + 2;
    costs.perPersonFood = Round(prices.food);
    costs.food = Round(prices.food * (0.75 * children + 2));
    costs.clothing = Round(prices.clothing * heads);
    costs.transport = transportKey == 1 ? Round(prices.transport * heads) : Round(prices.transport);
    costs.children = qint64(children) * childCost;
    const qint64 terms = costs.food + costs.clothing + costs.transport + costs.children;
    costs.total = Round(double(terms) + prices.rezsi + prices.torleszto);
    return costs;
}

qint64 monthlyBalance(double netIncome, qint64 familyTotal)
{
    return Round(netIncome - double(familyTotal));
}

bool needsRework(qint64 balance)
{
    return balance <= -kReworkShortfall;
}

QString reworkMessage()
{
    return QStringLiteral("Alakítsd át a költségvetésedet!\rEz a szakma nem teszi lehetővé\rezt az életvitelt");
}

QString amountText(qint64 amount)
{
    return QString::number(amount) + QStringLiteral(" Ft");
}

QString generalNumber(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15);
}

QString familySizeText(int children)
{
    if (children == 0)
        return QStringLiteral("Házastársaddal összesen ketten vagytok, a költségek ennek megfelelően számolódnak.");
    return QStringLiteral("Házastársaddal és %1 gyerekeddel a család összlétszáma %2, a költségek ennek "
                          "megfelelően számolódnak.")
        .arg(children)
        .arg(children + 2);
}

QString childCostText(int children, qint64 childCost)
{
    if (children == 0)
        return QString();
    // The cost per child with a dot between the thousands, as the report has always written it.
    QString perChild = QString::number(childCost);
    for (int at = int(perChild.size()) - 3; at > (perChild.startsWith(QLatin1Char('-')) ? 1 : 0); at -= 3)
        perChild.insert(at, QLatin1Char('.'));
    return QStringLiteral("Mivel %1 gyereked van, ezért gyerekenként havi %2 Ft (összesen %3 Ft) kiadással "
                          "kell még számolnod.")
        .arg(children)
        .arg(perChild)
        .arg(qint64(children) * childCost);
}

QString foodPerPersonText(qint64 perPersonFood, int children, const QLocale &locale)
{
    QString text = QStringLiteral("1 főre jutó élelmiszer: Felnőttekre %1 Ft/fő").arg(perPersonFood);
    if (children > 0)
        text += QStringLiteral(" Gyerekekre (75%) ") + generalNumber(double(perPersonFood) * 0.75, locale)
                + QStringLiteral(" Ft/gyerek)");
    return text;
}

QString clothingPerPersonText(qint64 clothingCost, int children, const QLocale &locale)
{
    return QStringLiteral("1 főre jutó ruházkodás: ")
           + generalNumber(double(clothingCost) / (double(children) + 2), locale) + QStringLiteral(" Ft");
}

QString savingsText(qint64 balance)
{
    if (balance <= 0)
        return QString();
    return QStringLiteral("Havonta még %1 Ft-ot félre is tudsz tenni!").arg(balance);
}

QString yearAdjective(int year)
{
    // The suffix follows the vowels of the number's last spoken word: its last digit that is
    // not 0 (egy, kettő, három, ...), else its tens (tíz, húsz, ...), hundreds (száz) or
    // thousands (ezer).
    static const char *const units[] = {"", "es", "es", "as", "es", "ös", "os", "es", "as", "es"};
    static const char *const tens[] = {"", "es", "as", "as", "es", "es", "as", "es", "as", "es"};
    const int n = year < 0 ? -year : year;
    const char *suffix = "es";
    if (n % 10 != 0)
        suffix = units[n % 10];
    else if (n % 100 != 0)
        suffix = tens[n / 10 % 10];
    else if (n % 1000 != 0)
        suffix = "as";  // száz
    return QStringLiteral("%1-%2").arg(year).arg(QString::fromUtf8(suffix));
}

QString yearLevelsText(int year) { return yearAdjective(year) + QStringLiteral(" adó- és árszintek"); }

QStringList wageFileLines(qint64 wage, int children, qint64 spouseNet, qint64 fourth)
{
    return {QString::number(wage), QString::number(children), QString::number(spouseNet), QString::number(fourth)};
}

}  // namespace budget
