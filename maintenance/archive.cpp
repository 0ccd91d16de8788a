#include "maintenance/archive.h"

#include "db/engine.h"
#include "maintenance/results.h"
#include "rules/usererror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStandardPaths>

#include <cmath>

namespace archive {

namespace {

const QString kFormat = QStringLiteral("zomir-jatekarchivum");
constexpr int kVersion = 1;
const QString kPlayers = QStringLiteral("Jatekosok.DB");

QString u(const char *text) { return QString::fromUtf8(text); }

QDate dateOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().trimmed(), Qt::ISODate);
}

QJsonValue toJsonValue(zdb::FieldType type, const QVariant &value)
{
    using T = zdb::FieldType;
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty() && type != T::String &&
                           type != T::Memo))
        return QJsonValue::Null;
    switch (type) {
    case T::AutoInc:
    case T::Int16:
    case T::Int32:
    case T::Boolean: return QJsonValue(value.toLongLong());
    case T::Float:
    case T::Money: return QJsonValue(value.toDouble());
    case T::Date: {
        const QDate d = dateOf(value);
        return d.isValid() ? QJsonValue(d.toString(Qt::ISODate)) : QJsonValue::Null;
    }
    case T::Graphic: return QJsonValue(QString::fromLatin1(value.toByteArray().toBase64()));
    case T::String:
    case T::Memo: return QJsonValue(value.toString());
    }
    return QJsonValue(value.toString());
}

// The value a field of the file stands for, or an error text when it is of the wrong kind.
QVariant fromJsonValue(zdb::FieldType type, const QJsonValue &value, bool *ok)
{
    using T = zdb::FieldType;
    *ok = true;
    if (value.isNull() || value.isUndefined())
        return QVariant();
    switch (type) {
    case T::AutoInc:
    case T::Int16:
    case T::Int32:
    case T::Boolean: {
        const double d = value.toDouble(std::nan(""));
        *ok = value.isDouble() && std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 2147483648.0;
        return *ok ? QVariant(qint64(d)) : QVariant();
    }
    case T::Float:
    case T::Money:
        *ok = value.isDouble();
        return *ok ? QVariant(value.toDouble()) : QVariant();
    case T::Date: {
        const QDate d = QDate::fromString(value.toString(), Qt::ISODate);
        *ok = value.isString() && d.isValid();
        return *ok ? QVariant(d) : QVariant();
    }
    case T::Graphic: {
        const auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        *ok = value.isString() && bool(decoded);
        return *ok ? QVariant(*decoded) : QVariant();
    }
    case T::String:
    case T::Memo:
        *ok = value.isString();
        return *ok ? QVariant(value.toString()) : QVariant();
    }
    *ok = false;
    return QVariant();
}

QJsonObject gameObject(const QList<zdb::FieldDef> &fields, const Game &game, bool withKey)
{
    QJsonObject o;
    for (const zdb::FieldDef &f : fields)
        if (withKey || f.type != zdb::FieldType::AutoInc)
            o.insert(f.name, toJsonValue(f.type, game.value(f.name)));
    return o;
}

// What tells a game from every other but its key: its fields as the file writes them.
QByteArray signature(const QList<zdb::FieldDef> &fields, const Game &game)
{
    return QJsonDocument(gameObject(fields, game, false)).toJson(QJsonDocument::Compact);
}

const zdb::TableDef &playersDef(zdb::Session *session)
{
    const zdb::TableDef *def = session->tableDef(kPlayers);
    if (!def)
        fail(u("A játékosok táblája (Jatekosok.DB) nem ismert."));
    return *def;
}

QString keyField(const zdb::TableDef &def)
{
    const int k = def.autoIncIndex();
    return k >= 0 ? def.fields[k].name : QString();
}

std::unique_ptr<zdb::Table> openPlayers(zdb::Session *session)
{
    auto t = std::make_unique<zdb::Table>(session);
    t->setAliasName(zdb::gameAlias());
    t->setTableName(kPlayers);
    t->open();
    return t;
}

QList<Game> gamesOf(const zdb::Table &players)
{
    const zdb::TableDef &def = players.definition();
    QList<int> indexes;
    for (const zdb::FieldDef &f : def.fields)
        indexes << players.fieldIndex(f.name);
    QList<Game> games;
    for (int row = 0, count = players.recordCount(); row < count; ++row) {
        Game g;
        for (int i = 0; i < def.fields.size(); ++i)
            g.insert(def.fields[i].name, indexes[i] >= 0 ? players.valueAt(row, indexes[i]) : QVariant());
        games.append(g);
    }
    return games;
}

// A value as a statement binds it: dates as the tables store them.
QVariant bound(zdb::FieldType type, const QVariant &value)
{
    if (value.isNull())
        return value;
    if (type == zdb::FieldType::Date)
        return dateOf(value).toString(Qt::ISODate);
    return value;
}

}  // namespace

QString Period::text() const
{
    return QStringLiteral("%1 – %2").arg(from.toString(QStringLiteral("yyyy.MM.dd.")),
                                         to.toString(QStringLiteral("yyyy.MM.dd.")));
}

bool isFinished(const Game &game)
{
    bool ok = false;
    return game.value(QStringLiteral("Statusz")).toLongLong(&ok) == 1 && ok;
}

QByteArray toJson(const QList<zdb::FieldDef> &fields, const Contents &contents)
{
    QJsonArray games;
    for (const Game &g : contents.games)
        games.append(gameObject(fields, g, true));
    QJsonObject root;
    root.insert(QStringLiteral("formatum"), kFormat);
    root.insert(QStringLiteral("verzio"), kVersion);
    root.insert(QStringLiteral("tabla"), kPlayers);
    root.insert(QStringLiteral("keszult"), contents.made.toString(Qt::ISODate));
    root.insert(QStringLiteral("idoszak"), QJsonObject{{QStringLiteral("tol"), contents.period.from.toString(Qt::ISODate)},
                                                       {QStringLiteral("ig"), contents.period.to.toString(Qt::ISODate)}});
    root.insert(QStringLiteral("jatekok_szama"), int(contents.games.size()));
    root.insert(QStringLiteral("jatekok"), games);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Contents fromJson(const QByteArray &bytes, const QList<zdb::FieldDef> &fields, const QString &fileName)
{
    const QString name = QDir::toNativeSeparators(fileName);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    const QJsonObject root = doc.object();
    if (parseError.error != QJsonParseError::NoError || !doc.isObject() ||
        root.value(QStringLiteral("formatum")).toString() != kFormat)
        fail(u("A(z) %1 fájl nem a karbantartó játékarchívuma, ezért nem tölthető vissza.").arg(name));
    const int version = root.value(QStringLiteral("verzio")).toInt(0);
    if (version != kVersion)
        fail(u("A(z) %1 archívum a program egy másik kiadásával készült (formája: %2, ez a program a(z) %3. formát "
               "ismeri), ezért nem tölthető vissza.")
                 .arg(name)
                 .arg(version)
                 .arg(kVersion));
    if (!root.value(QStringLiteral("jatekok")).isArray())
        fail(u("A(z) %1 archívumban nincs játékok listája.").arg(name));
    Contents c;
    const QJsonObject period = root.value(QStringLiteral("idoszak")).toObject();
    c.period.from = QDate::fromString(period.value(QStringLiteral("tol")).toString(), Qt::ISODate);
    c.period.to = QDate::fromString(period.value(QStringLiteral("ig")).toString(), Qt::ISODate);
    c.made = QDateTime::fromString(root.value(QStringLiteral("keszult")).toString(), Qt::ISODate);
    const QJsonArray games = root.value(QStringLiteral("jatekok")).toArray();
    for (int i = 0; i < games.size(); ++i) {
        if (!games.at(i).isObject())
            fail(u("A(z) %1 archívum %2. játéka hibás: nem mezők listája.").arg(name).arg(i + 1));
        const QJsonObject o = games.at(i).toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            const bool known = std::any_of(fields.begin(), fields.end(), [&](const zdb::FieldDef &f) {
                return f.name.compare(it.key(), Qt::CaseInsensitive) == 0;
            });
            if (!known)
                fail(u("A(z) %1 archívum %2. játékában ismeretlen mező van: %3.").arg(name).arg(i + 1).arg(it.key()));
        }
        Game g;
        for (const zdb::FieldDef &f : fields) {
            QJsonValue value;
            for (auto it = o.begin(); it != o.end(); ++it)
                if (f.name.compare(it.key(), Qt::CaseInsensitive) == 0)
                    value = it.value();
            bool ok = false;
            const QVariant v = fromJsonValue(f.type, value, &ok);
            if (!ok || (f.type == zdb::FieldType::String && f.size > 0 && zdb::characterCount(v.toString()) > f.size))
                fail(u("A(z) %1 archívum %2. játékának %3 mezője hibás értéket tartalmaz.").arg(name).arg(i + 1).arg(f.name));
            g.insert(f.name, v);
        }
        for (const zdb::FieldDef &f : fields)
            if (f.required && (g.value(f.name).isNull() || g.value(f.name).toString().trimmed().isEmpty()))
                fail(u("A(z) %1 archívum %2. játékából hiányzik a(z) %3 mező.").arg(name).arg(i + 1).arg(f.name));
        c.games.append(g);
    }
    return c;
}

QString suggestedPath(const Period &period)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(
        QStringLiteral("jatekok-%1--%2.json").arg(period.from.toString(Qt::ISODate), period.to.toString(Qt::ISODate)));
}

QList<Game> finishedGames(const zdb::Table &players, const Period &period)
{
    QList<Game> chosen;
    for (const Game &g : gamesOf(players))
        if (isFinished(g) && period.contains(dateOf(g.value(QStringLiteral("Datum")))))
            chosen.append(g);
    return chosen;
}

void writeArchive(const QString &path, const QList<zdb::FieldDef> &fields, const Contents &contents)
{
    const QByteArray bytes = toJson(fields, contents);
    results::writeFile(path, bytes);
    // What the games are taken out of the table for must be on the disk as written.
    QFile written(path);
    const bool same = written.open(QIODevice::ReadOnly) && written.readAll() == bytes;
    written.close();
    if (!same || fromJson(bytes, fields, path).games.size() != contents.games.size())
        fail(u("Az archívum nem olvasható vissza: %1\nA játékok a helyükön maradtak.")
                 .arg(QDir::toNativeSeparators(path)));
}

int removeGames(zdb::Session *session, const QList<Game> &games)
{
    const zdb::TableDef &def = playersDef(session);
    const QString key = keyField(def);
    QList<qint64> keys;
    QStringList list;
    for (const Game &g : games) {
        bool ok = false;
        const qint64 k = g.value(key).toLongLong(&ok);
        if (ok) {
            keys << k;
            list << QString::number(k);
        }
    }
    if (keys.isEmpty())
        return 0;
    // One statement: every game of the file goes, or none. A game unfinished meanwhile
    // (a student started it again under the same name) stays.
    zdb::Statement remove(session);
    remove.setAliasName(zdb::gameAlias());
    remove.setSql(QStringLiteral("delete from Jatekosok where Statusz = 1 and %1 in (%2)")
                      .arg(key, list.join(QLatin1Char(','))));
    const int removed = remove.execSql();
    // A server's bin keeps what is deleted; these games are in the file instead.
    session->storage(zdb::gameAlias())->forgetDeletedRows(def, keys);
    return removed;
}

Loaded loadGames(zdb::Session *session, const QList<Game> &games)
{
    const zdb::TableDef &def = playersDef(session);
    const QString key = keyField(def);
    QSet<QByteArray> present;
    QSet<qint64> keys;
    {
        const std::unique_ptr<zdb::Table> players = openPlayers(session);
        for (const Game &g : gamesOf(*players)) {
            present.insert(signature(def.fields, g));
            keys.insert(g.value(key).toLongLong());
        }
    }
    Loaded loaded;
    for (const Game &g : games) {
        const QByteArray sig = signature(def.fields, g);
        if (present.contains(sig)) {
            ++loaded.skipped;
            continue;
        }
        bool hasKey = false;
        const qint64 k = g.value(key).toLongLong(&hasKey);
        const bool keepKey = hasKey && !key.isEmpty() && !keys.contains(k);
        QStringList columns, values;
        zdb::Statement insert(session);
        insert.setAliasName(zdb::gameAlias());
        for (int i = 0; i < def.fields.size(); ++i) {
            const zdb::FieldDef &f = def.fields[i];
            if (f.type == zdb::FieldType::AutoInc && !keepKey)
                continue;
            columns << f.name;
            values << QStringLiteral(":v%1").arg(i);
            insert.bindValue(QStringLiteral("v%1").arg(i), bound(f.type, g.value(f.name)));
        }
        insert.setSql(QStringLiteral("insert into Jatekosok (%1) values (%2)")
                          .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
        insert.execSql();
        present.insert(sig);
        if (keepKey)
            keys.insert(k);
        ++loaded.added;
    }
    return loaded;
}

}  // namespace archive
