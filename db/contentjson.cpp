#include "db/contentjson.h"

#include "db/schema.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QDate>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zdb {

namespace {

const QString kFormat = QStringLiteral("zomir-tartalom");

// One JSON value in its compact written form.
QByteArray written(const QJsonValue &value)
{
    QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

QJsonValue jsonValue(FieldType type, const QVariant &v)
{
    if (v.isNull())
        return QJsonValue(QJsonValue::Null);
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Int16:
    case FieldType::Int32: return QJsonValue(v.toLongLong());
    case FieldType::Float:
    case FieldType::Money: return QJsonValue(v.toDouble());
    case FieldType::Boolean: return QJsonValue(v.toBool());
    case FieldType::Graphic: return QJsonValue(QString::fromLatin1(v.toByteArray().toBase64()));
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Date: return QJsonValue(v.toString());
    }
    return QJsonValue(v.toString());
}

[[noreturn]] void refuse(const QString &message) { throw EngineError(message); }

QString figure(double d) { return QString::number(d, 'f', std::floor(d) == d ? 0 : 2); }

// A row's value of a field as the schema allows it, in the form readTables() gives it.
QVariant checkedValue(const QString &table, int row, const FieldDef &fd, const QJsonValue &value)
{
    const QString where = QStringLiteral("%1, %2. sor, %3").arg(table).arg(row).arg(fd.displayLabel());
    const bool empty = value.isNull() || value.isUndefined() ||
                       (value.isString() && value.toString().isEmpty() && fd.type != FieldType::Memo);
    if (empty) {
        if (fd.required)
            refuse(QStringLiteral("%1: a mező kitöltése kötelező.").arg(where));
        return value.isString() ? QVariant(QString()) : QVariant();
    }
    switch (fd.type) {
    case FieldType::AutoInc:
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::Float:
    case FieldType::Money: {
        if (!value.isDouble())
            refuse(QStringLiteral("%1: szám kell, nem %2.").arg(where, QString::fromUtf8(written(value))));
        const double d = value.toDouble();
        const bool whole = fd.type == FieldType::AutoInc || fd.type == FieldType::Int16 || fd.type == FieldType::Int32;
        if (whole && std::floor(d) != d)
            refuse(QStringLiteral("%1: egész szám kell, nem %2.").arg(where, figure(d)));
        double low = -std::numeric_limits<double>::max();
        double high = std::numeric_limits<double>::max();
        QString unit;
        if (fd.type == FieldType::Int16) {
            low = -32768;
            high = 32767;
        } else if (fd.type == FieldType::Int32) {
            low = std::numeric_limits<qint32>::min();
            high = std::numeric_limits<qint32>::max();
        } else if (fd.type == FieldType::AutoInc) {
            low = 1;
            high = std::numeric_limits<qint32>::max();
        }
        if (fd.range) {
            low = std::max(low, fd.range->low);
            high = std::min(high, fd.range->high);
            unit = fd.range->unit;
        }
        if (d < low || d > high) {
            const QString suffix = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
            refuse(QStringLiteral("%1: az érték (%2%5) %3%5 és %4%5 között lehet.")
                       .arg(where, figure(d), figure(low), figure(high), suffix));
        }
        return whole ? QVariant(qint64(d)) : QVariant(d);
    }
    case FieldType::Boolean:
        if (!value.isBool())
            refuse(QStringLiteral("%1: igaz vagy hamis (true/false) kell, nem %2.")
                       .arg(where, QString::fromUtf8(written(value))));
        return QVariant(value.toBool());
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Date: {
        if (!value.isString())
            refuse(QStringLiteral("%1: szöveg kell, nem %2.").arg(where, QString::fromUtf8(written(value))));
        const QString text = value.toString();
        if (fd.type == FieldType::String && fd.size > 0 && characterCount(text) > fd.size)
            refuse(QStringLiteral("%1: legfeljebb %2 karakter lehet, ez %3 karakter.")
                       .arg(where)
                       .arg(fd.size)
                       .arg(characterCount(text)));
        if (fd.type == FieldType::Date && !QDate::fromString(text, Qt::ISODate).isValid())
            refuse(QStringLiteral("%1: dátum kell (éééé-hh-nn), nem „%2”.").arg(where, text));
        return QVariant(text);
    }
    case FieldType::Graphic: {
        if (!value.isString())
            refuse(QStringLiteral("%1: a kép base64 szövegként adható meg.").arg(where));
        const auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            refuse(QStringLiteral("%1: a kép nem érvényes base64 szöveg.").arg(where));
        return QVariant(*decoded);
    }
    }
    return QVariant();
}

TableRows readTable(const TableDef &def, const QJsonValue &value)
{
    if (!value.isArray())
        refuse(QStringLiteral("%1: a tábla sorainak listája hiányzik.").arg(def.fileName));
    const QJsonArray array = value.toArray();
    TableRows t;
    t.fileName = def.fileName;
    const int key = def.autoIncIndex();
    QHash<qint64, int> keyRows;   // key -> 1-based row
    int row = 0;
    for (const QJsonValue &item : array) {
        ++row;
        if (!item.isObject())
            refuse(QStringLiteral("%1, %2. sor: a sor nem mezőnév–érték párokból áll.").arg(def.fileName).arg(row));
        const QJsonObject object = item.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it)
            if (def.fieldIndex(it.key()) < 0)
                refuse(QStringLiteral("%1, %2. sor: ismeretlen mező: „%3”.").arg(def.fileName).arg(row).arg(it.key()));
        QVector<QVariant> values;
        for (const FieldDef &fd : def.fields) {
            QJsonValue v = object.value(fd.name);
            if (v.isUndefined())   // a name in another letter case
                for (auto it = object.constBegin(); it != object.constEnd(); ++it)
                    if (it.key().compare(fd.name, Qt::CaseInsensitive) == 0)
                        v = it.value();
            values.append(checkedValue(def.fileName, row, fd, v));
        }
        if (key >= 0 && !values[key].isNull()) {
            const qint64 k = values[key].toLongLong();
            if (keyRows.contains(k))
                refuse(QStringLiteral("%1, %2. sor, %3: a(z) %4 azonosító már a(z) %5. sorban szerepel.")
                           .arg(def.fileName)
                           .arg(row)
                           .arg(def.fields[key].displayLabel())
                           .arg(k)
                           .arg(keyRows.value(k)));
            keyRows.insert(k, row);
        }
        t.rows.append(values);
    }
    // A row's identity: its key, or the next one after the highest for a row without; the
    // position in a table without a key.
    qint64 next = 1;
    for (auto it = keyRows.cbegin(); it != keyRows.cend(); ++it)
        next = std::max(next, it.key() + 1);
    for (int r = 0; r < t.rows.size(); ++r) {
        if (key < 0) {
            t.rowids.append(r + 1);
        } else {
            if (t.rows[r][key].isNull())
                t.rows[r][key] = QVariant(next++);
            t.rowids.append(t.rows[r][key].toLongLong());
        }
    }
    return t;
}

}  // namespace

QStringList contentTables()
{
    static const QStringList left{QStringLiteral("Jatekosok.DB"), QStringLiteral("Valtozasok.db"),
                                  QStringLiteral("Eredeti.db")};
    QStringList names;
    for (const TableDef &def : schema())
        if (!left.contains(def.fileName, Qt::CaseInsensitive))
            names.append(def.fileName);
    return names;
}

int schemaVersion()
{
    int version = 1;
    for (const TableDef &def : schema())
        version = std::max({version, def.version, def.since});
    return version;
}

QByteArray toJson(const ContentFile &file)
{
    QByteArray out;
    out += "{\n  \"formatum\": " + written(kFormat) + ",\n";
    out += "  \"semavaltozat\": " + QByteArray::number(file.schema > 0 ? file.schema : schemaVersion()) + ",\n";
    out += "  \"adoev\": " + QByteArray::number(file.year) + ",\n";
    out += "  \"tablak\": {";
    bool firstTable = true;
    for (const TableRows &t : file.tables) {
        const TableDef *def = findTable(t.fileName);
        if (!def)
            throw EngineError(QStringLiteral("Ismeretlen tábla: %1").arg(t.fileName));
        out += firstTable ? "\n" : ",\n";
        firstTable = false;
        out += "    " + written(def->fileName) + ": [";
        for (int r = 0; r < t.rows.size(); ++r) {
            out += r == 0 ? "\n      {" : ",\n      {";
            for (int f = 0; f < def->fields.size(); ++f) {
                if (f > 0)
                    out += ", ";
                const QVariant v = f < t.rows[r].size() ? t.rows[r][f] : QVariant();
                out += written(def->fields[f].name) + ": " + written(jsonValue(def->fields[f].type, v));
            }
            out += '}';
        }
        out += t.rows.isEmpty() ? "]" : "\n    ]";
    }
    out += firstTable ? "}\n}\n" : "\n  }\n}\n";
    return out;
}

ContentFile fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        refuse(QStringLiteral("A fájl nem Zomir-tartalomfájl: nem olvasható JSON-szövegként (%1, a(z) %2. bájtnál).")
                   .arg(error.errorString())
                   .arg(error.offset + 1));
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.value(QStringLiteral("formatum")).toString() != kFormat)
        refuse(QStringLiteral("A fájl nem Zomir-tartalomfájl: hiányzik belőle a „\"formatum\": \"%1\"” jelölés.")
                   .arg(kFormat));
    ContentFile file;
    const QJsonValue version = root.value(QStringLiteral("semavaltozat"));
    file.schema = version.isDouble() ? version.toInt() : 0;
    if (file.schema != schemaVersion())
        refuse(QStringLiteral("A tartalomfájl a(z) %1. sémaváltozat szerint készült, ez a program a(z) %2. "
                              "sémaváltozatot ismeri, ezért nem tölthető be.")
                   .arg(version.isDouble() ? QString::number(version.toDouble()) : QStringLiteral("ismeretlen"))
                   .arg(schemaVersion()));
    const QJsonValue year = root.value(QStringLiteral("adoev"));
    if (!year.isDouble() || year.toDouble() != std::floor(year.toDouble()))
        refuse(QStringLiteral("A tartalomfájlból hiányzik az adóév („adoev”)."));
    file.year = year.toInt();
    const QJsonValue tables = root.value(QStringLiteral("tablak"));
    if (!tables.isObject())
        refuse(QStringLiteral("A tartalomfájlból hiányoznak a táblák („tablak”)."));
    const QJsonObject object = tables.toObject();
    const QStringList content = contentTables();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        if (!content.contains(it.key(), Qt::CaseInsensitive))
            refuse(QStringLiteral("A tartalomfájl „%1” táblája nem a tartalom része (a tartalom táblái: %2).")
                       .arg(it.key(), content.join(QStringLiteral(", "))));
    for (const QString &name : content) {
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (it.key().compare(name, Qt::CaseInsensitive) != 0)
                continue;
            file.tables.append(readTable(*findTable(name), it.value()));
        }
    }
    for (const TableRows &t : file.tables) {
        if (t.fileName != QLatin1String("Adoev.DB") || t.rows.isEmpty())
            continue;
        const int ev = findTable(t.fileName)->fieldIndex(QStringLiteral("Ev"));
        if (t.rows.first()[ev].toInt() != file.year)
            refuse(QStringLiteral("A tartalomfájl adóéve (%1) nem egyezik az Adoev.DB táblában megadottal (%2).")
                       .arg(file.year)
                       .arg(t.rows.first()[ev].toInt()));
    }
    return file;
}

const QString kOriginals = QStringLiteral("Eredeti.db");

TableRows suppliedRows(const ContentFile &file)
{
    TableRows rows;
    rows.fileName = kOriginals;
    for (const TableRows &t : file.tables) {
        const ContentFile one{file.schema > 0 ? file.schema : schemaVersion(), file.year, {t}};
        rows.rowids.append(rows.rowids.size() + 1);
        rows.rows.append({QVariant(t.fileName), QVariant(qint64(file.year)), QVariant(QString::fromUtf8(toJson(one)))});
    }
    return rows;
}

ContentFile suppliedContent(Session *session, const QString &alias)
{
    const TableSet kept = readTables(session, alias, {kOriginals});
    if (kept.first().rows.isEmpty())
        throw EngineError(QStringLiteral("Ez a munkamappa még az eredeti adatok megőrzése előtt készült: a "
                                         "tartalomkészítő eszköz által adott eredeti adatai nincsenek meg. Futtasd "
                                         "újra a tartalomkészítő eszközt (zomir-data) erre a munkamappára; az "
                                         "eltárolt játékok megmaradnak."));
    ContentFile file;
    file.schema = schemaVersion();
    QVector<TableRows> found;
    for (const QVector<QVariant> &row : kept.first().rows) {
        const ContentFile one = fromJson(row[2].toString().toUtf8());
        file.year = one.year;
        for (const TableRows &t : one.tables)
            found.append(t);
    }
    for (const QString &name : contentTables())
        for (const TableRows &t : found)
            if (t.fileName == name)
                file.tables.append(t);
    return file;
}

}  // namespace zdb
