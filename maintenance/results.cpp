#include "maintenance/results.h"

#include "rules/budget.h"
#include "db/engine.h"
#include "rules/usererror.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <cmath>
#include <stdexcept>

namespace results {

namespace {

int requiredField(const zdb::Table *table, const QString &field)
{
    const int index = table->fieldIndex(field);
    if (index < 0)
        fail(QStringLiteral("A(z) %1 táblában nincs %2 mező, ezért az eredmények nem olvashatók be.")
                 .arg(table->tableName(), field));
    return index;
}

std::optional<qint64> keyValue(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 key = value.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return key;
}

// The names of a catalogue's rows by their keys.
class Names {
public:
    Names(const zdb::Table *table, const QString &keyField, const QString &nameField)
    {
        const int key = requiredField(table, keyField);
        const int name = requiredField(table, nameField);
        for (int row = 0, count = table->recordCount(); row < count; ++row) {
            if (const std::optional<qint64> k = keyValue(table->valueAt(row, key)))
                m_names.insert(*k, table->textAt(row, name));
        }
    }

    // Empty for a key no row has (the row may have been deleted since the game was saved).
    QString of(const QVariant &key) const
    {
        const std::optional<qint64> k = keyValue(key);
        return k ? m_names.value(*k) : QString();
    }

    // The names of the activities a mask has chosen, in key order.
    QString ofMask(const QVariant &mask) const
    {
        const std::optional<qint64> m = keyValue(mask);
        if (!m)
            return QString();
        QStringList chosen;
        for (int key = 1; key <= 6; ++key) {
            if (budget::chosen(int(*m), key)) {
                const QString name = m_names.value(key);
                if (!name.isEmpty())
                    chosen << name;
            }
        }
        return chosen.join(QStringLiteral(", "));
    }

private:
    QHash<qint64, QString> m_names;
};

std::optional<double> amount(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

QString csvText(const QString &text)
{
    QString field = text;
    // A cell starting like a formula would be run by the spreadsheet: a student's name
    // "=..." must stay a name.
    if (!field.isEmpty()
        && (field.front() == QLatin1Char('=') || field.front() == QLatin1Char('+') || field.front() == QLatin1Char('-')
            || field.front() == QLatin1Char('@') || field.front() == QLatin1Char('\t')
            || field.front() == QLatin1Char('\r')))
        field.prepend(QLatin1Char('\''));
    if (field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n'))
        || field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1String("\""), QLatin1String("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

QString csvAmount(const std::optional<double> &value) { return value ? csvNumber(*value) : QString(); }

}  // namespace

QString columnTitle(int column)
{
    switch (column) {
    case Name: return QStringLiteral("Név");
    case Date: return QStringLiteral("Dátum");
    case Profession: return QStringLiteral("Szakma");
    case GrossWage: return QStringLiteral("Bruttó bér");
    case FamilyNetIncome: return QStringLiteral("Család nettó jövedelme");
    case House: return QStringLiteral("Lakás");
    case Food: return QStringLiteral("Étkezés");
    case Clothing: return QStringLiteral("Ruházkodás");
    case Transport: return QStringLiteral("Közlekedés");
    case Hobbies: return QStringLiteral("Hobbi");
    case Entertainments: return QStringLiteral("Szórakozás");
    case Finished: return QStringLiteral("Befejezve");
    default: return QString();
    }
}

QList<GameResult> collect(const Sources &s)
{
    const Names professions(s.professions, QStringLiteral("Szakma_kod"), QStringLiteral("Szakma_nev"));
    const Names houses(s.houses, QStringLiteral("House_Key"), QStringLiteral("Kategoria"));
    const Names foods(s.foods, QStringLiteral("Food_Key"), QStringLiteral("Kategoria"));
    const Names clothing(s.clothing, QStringLiteral("Clothing_Key"), QStringLiteral("Kategoria"));
    const Names transport(s.transport, QStringLiteral("Travel_Key"), QStringLiteral("Kategoria"));
    const Names hobbies(s.hobbies, QStringLiteral("Hobby_Key"), QStringLiteral("Kategoria"));
    const Names entertainments(s.entertainments, QStringLiteral("Entertainment_Key"), QStringLiteral("Kategoria"));

    const zdb::Table *p = s.players;
    const int name = requiredField(p, QStringLiteral("Nev"));
    const int date = requiredField(p, QStringLiteral("Datum"));
    const int job = requiredField(p, QStringLiteral("Job_Key"));
    const int gross = requiredField(p, QStringLiteral("Brutto_jov"));
    const int net = requiredField(p, QStringLiteral("Netto_jov"));
    const int house = requiredField(p, QStringLiteral("House_Key"));
    const int food = requiredField(p, QStringLiteral("Food_Key"));
    const int cloth = requiredField(p, QStringLiteral("Clothing_Key"));
    const int travel = requiredField(p, QStringLiteral("Travel_Key"));
    const int hobby = requiredField(p, QStringLiteral("Hobby_Key"));
    const int entertainment = requiredField(p, QStringLiteral("Entertainment_Key"));
    const int status = requiredField(p, QStringLiteral("Statusz"));
    // Fields the list itself does not show; a table without the year reads as a 2010 game.
    const int year = p->fieldIndex(QStringLiteral("Adoev"));
    const int children = p->fieldIndex(QStringLiteral("Gyerekek"));
    const int partner = p->fieldIndex(QStringLiteral("Hazastars_jovedelem"));
    const int balance = p->fieldIndex(QStringLiteral("Egyenleg"));
    // The game plays the family of the chosen profession (its children and its partner's net
    // income) and does not store them with the game: a row without them takes them from there.
    struct Family {
        int children = 0;
        qint64 partner = 0;
    };
    QHash<qint64, Family> families;
    {
        const zdb::Table *j = s.professions;
        const int code = requiredField(j, QStringLiteral("Szakma_kod"));
        const int kids = j->fieldIndex(QStringLiteral("Gyerekszam"));
        const int spouse = j->fieldIndex(QStringLiteral("Hazastars_netto"));
        for (int row = 0, count = j->recordCount(); row < count; ++row) {
            const std::optional<qint64> k = keyValue(j->valueAt(row, code));
            if (!k)
                continue;
            Family f;
            if (kids >= 0)
                f.children = int(std::llround(amount(j->valueAt(row, kids)).value_or(0)));
            if (spouse >= 0)
                f.partner = qint64(std::llround(amount(j->valueAt(row, spouse)).value_or(0)));
            families.insert(*k, f);
        }
    }

    QList<GameResult> rows;
    const int count = p->recordCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        GameResult r;
        r.name = p->textAt(row, name);
        r.date = p->valueAt(row, date).toDate();
        r.profession = professions.of(p->valueAt(row, job));
        r.grossWage = amount(p->valueAt(row, gross));
        r.familyNetIncome = amount(p->valueAt(row, net));
        r.house = houses.of(p->valueAt(row, house));
        r.food = foods.of(p->valueAt(row, food));
        r.clothing = clothing.of(p->valueAt(row, cloth));
        r.transport = transport.of(p->valueAt(row, travel));
        r.hobbies = hobbies.ofMask(p->valueAt(row, hobby));
        r.entertainments = entertainments.ofMask(p->valueAt(row, entertainment));
        // The evaluation sets 1 when the certificate is issued.
        r.finished = keyValue(p->valueAt(row, status)) == std::optional<qint64>(1);
        if (year >= 0)
            r.taxYear = int(keyValue(p->valueAt(row, year)).value_or(2010));
        const Family family = keyValue(p->valueAt(row, job)) ? families.value(*keyValue(p->valueAt(row, job))) : Family();
        const QVariant storedChildren = children >= 0 ? p->valueAt(row, children) : QVariant();
        const QVariant storedPartner = partner >= 0 ? p->valueAt(row, partner) : QVariant();
        r.children = storedChildren.isNull() ? family.children : int(keyValue(storedChildren).value_or(0));
        r.partnerIncome = storedPartner.isNull() ? family.partner
                                                 : qint64(std::llround(amount(storedPartner).value_or(0)));
        if (balance >= 0)
            r.balance = keyValue(p->valueAt(row, balance));
        rows.append(r);
    }
    return rows;
}

QString csvNumber(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QByteArray toCsv(const QList<GameResult> &rows)
{
    const QString separator = QStringLiteral(";");
    const QString lineEnd = QStringLiteral("\r\n");
    QStringList header;
    for (int c = 0; c < ColumnCount; ++c)
        header << csvText(columnTitle(c));
    QString text = header.join(separator) + lineEnd;
    for (const GameResult &r : rows) {
        const QStringList fields = {csvText(r.name),
                                    r.date.isValid() ? r.date.toString(Qt::ISODate) : QString(),
                                    csvText(r.profession),
                                    csvAmount(r.grossWage),
                                    csvAmount(r.familyNetIncome),
                                    csvText(r.house),
                                    csvText(r.food),
                                    csvText(r.clothing),
                                    csvText(r.transport),
                                    csvText(r.hobbies),
                                    csvText(r.entertainments),
                                    r.finished ? QStringLiteral("igen") : QStringLiteral("nem")};
        text += fields.join(separator) + lineEnd;
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString suggestedCsvPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("eredmenyek.csv"));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(QStringLiteral("A fájl nem írható: %1\n%2").arg(path, reason));
    }
}

}  // namespace results
