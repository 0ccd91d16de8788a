#include "data/builder/workfolder.h"

#include "data/pictures/builtpictures.h"
#include "rules/cp1250.h"
#include "rules/interest.h"
#include "db/contentjson.h"
#include "db/engine.h"
#include "data/builder/playerstable.h"
#include "data/builder/rtfsheet.h"
#include "db/schema.h"
#include "db/servershapes.h"
#include "db/upgrade.h"
#include "rules/usererror.h"

#include <algorithm>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <stdexcept>

namespace content {

namespace {

const QString kAlias = QStringLiteral("ZOMIR_CONTENT_BUILD");

// A picture the build drew; a missing one is a fault of the build, not of the content.
QImage builtPicture(const QImage &image, const QString &what, int key)
{
    if (image.isNull())
        fail(QStringLiteral("A program nem tartalmazza a(z) %1 %2. képét: a telepítés hiányos.").arg(what).arg(key));
    return image;
}

QByteArray readResource(const QString &fileName)
{
    QFile f(QStringLiteral(":/content/") + fileName);
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Missing content source %1").arg(fileName));
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        fail(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()));
}

QByteArray encodeImage(const QImage &image, const char *format, const QString &what)
{
    if (image.isNull())
        fail(QStringLiteral("No picture for %1").arg(what));
    // Pictures are stored opaque (24 bits a pixel), as the old bitmap readers expect.
    const QImage opaque = image.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool jpeg = qstrcmp(format, "JPG") == 0;
    if (!opaque.save(&buffer, format, jpeg ? 90 : -1))
        fail(QStringLiteral("Cannot encode the picture for %1").arg(what));
    return bytes;
}

// The JSON value of a row for a table field (names compared without regard to case).
QJsonValue rowValue(const QJsonObject &row, const QString &field)
{
    for (auto it = row.begin(); it != row.end(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return QJsonValue(QJsonValue::Undefined);
}

QVariant toVariant(const QJsonValue &v, zdb::FieldType type)
{
    using T = zdb::FieldType;
    switch (type) {
    case T::Int16:
    case T::Int32:
        return QVariant(v.toInt());
    case T::Float:
    case T::Money:
        return QVariant(v.toDouble());
    case T::Boolean:
        return QVariant(v.toBool());
    default:
        return QVariant(v.toString());
    }
}

// Appends the rows of one table through the engine, in the order given. A row's "key"
// (or "code") must come out as the engine's auto-increment key; `picture` supplies the
// bytes of the picture field by key. Returns the number of rows.
int fillTable(zdb::Session &session, const QString &fileName, const QJsonArray &rows,
              const std::function<QByteArray(int)> &picture = {})
{
    const zdb::TableDef *def = zdb::findTable(fileName);
    if (!def)
        fail(QStringLiteral("Unknown table %1").arg(fileName));
    zdb::Table table(&session);
    table.setAliasName(kAlias);
    table.setTableName(def->fileName);
    table.open();
    const int autoInc = def->autoIncIndex();
    for (const QJsonValue &rv : rows) {
        const QJsonObject row = rv.toObject();
        table.append();
        for (int i = 0; i < def->fields.size(); ++i) {
            const zdb::FieldDef &fd = def->fields[i];
            if (fd.type == zdb::FieldType::AutoInc)
                continue;
            if (fd.type == zdb::FieldType::Graphic)
                continue;
            const QJsonValue v = rowValue(row, fd.name);
            if (v.isUndefined() || v.isNull())
                continue;
            table.fieldByName(fd.name).setValue(toVariant(v, fd.type));
        }
        int key = 0;
        if (autoInc >= 0) {
            const QJsonValue k = row.contains(QStringLiteral("key")) ? row.value(QStringLiteral("key"))
                                                                     : row.value(QStringLiteral("code"));
            key = k.toInt();
        }
        if (picture && def->fieldIndex(QStringLiteral("Kep")) >= 0)
            table.fieldByName(QStringLiteral("Kep")).setValue(picture(key));
        table.post();
        if (autoInc >= 0) {
            const int given = table.field(autoInc).asInteger();
            if (given != key)
                fail(QStringLiteral("%1: the row meant for key %2 got key %3")
                         .arg(fileName)
                         .arg(key)
                         .arg(given));
        }
    }
    const int count = table.recordCount();
    table.close();
    return count;
}

// Fills the catalogues, the professions and the tax tables of the alias kAlias (created
// empty beforehand) with the content of `year`. Returns the number of rows written.
int fillContent(zdb::Session &session, int year)
{

    int rows = 0;
    struct Catalogue {
        const char *source;
        const char *table;
    };
    const Catalogue catalogues[] = {
        {"hazak.json", "Hazak.DB"},           {"elelmiszerek.json", "Elelmiszerek.DB"},
        {"ruhazkodas.json", "Ruhazkodas.db"}, {"kozlekedes.json", "Kozlekedes.db"},
        {"hobbi.json", "Hobbi.db"},           {"szorakozas.json", "Szorakozas.db"},
    };
    for (const Catalogue &c : catalogues) {
        const QString table = QLatin1String(c.table);
        rows += fillTable(session, table, source(year, QLatin1String(c.source)).value(QStringLiteral("rows")).toArray(),
                          [&table](int key) {
                              return encodeImage(builtPicture(zpict::builtCataloguePicture(table, key), table, key), "BMP",
                                                 QStringLiteral("%1 key %2").arg(table).arg(key));
                          });
    }

    rows += fillTable(session, QStringLiteral("szakma4.DB"), professionRows(year));
    rows += fillTable(session, QStringLiteral("Meglepetes.db"),
                      source(year, QStringLiteral("meglepetesek.json")).value(QStringLiteral("rows")).toArray());

    const QJsonObject tax = source(year, QStringLiteral("ado.json"));
    if (tax.value(QStringLiteral("year")).toInt() != year)
        fail(QStringLiteral("The tax tables of %1 name the year %2").arg(year).arg(tax.value(QStringLiteral("year")).toInt()));
    rows += fillTable(session, QStringLiteral("adokulcs.db"),
                      tax.value(QStringLiteral("adokulcs")).toObject().value(QStringLiteral("rows")).toArray());
    rows += fillTable(session, QStringLiteral("jarulek.db"),
                      tax.value(QStringLiteral("jarulek")).toObject().value(QStringLiteral("rows")).toArray());
    rows += fillTable(session, QStringLiteral("gyerek.db"),
                      tax.value(QStringLiteral("gyerek")).toObject().value(QStringLiteral("rows")).toArray());
    rows += fillTable(session, QStringLiteral("Adoev.DB"),
                      tax.value(QStringLiteral("adoev")).toObject().value(QStringLiteral("rows")).toArray());

    // What was built, kept beside it as the supplied originals.
    const zdb::ContentFile built{zdb::schemaVersion(), year, zdb::readTables(&session, kAlias, zdb::contentTables())};
    zdb::replaceTables(&session, kAlias, {zdb::suppliedRows(built)});
    return rows;
}

const QString kYearTable = QStringLiteral("Adoev.DB");

// The Ev of the first row of the year table of the alias kAlias.
int readYear(zdb::Session &session)
{
    zdb::Table table(&session);
    table.setAliasName(kAlias);
    table.setTableName(kYearTable);
    table.open();
    table.first();
    if (table.eof())
        fail(QStringLiteral("A(z) %1 tábla üres: a munkamappa adóéve nem olvasható ki. Add meg a --year "
                            "kapcsolóval.")
                 .arg(kYearTable));
    const int year = table.fieldByName(QStringLiteral("Ev")).asInteger();
    table.close();
    return year;
}

}  // namespace

QVector<int> contentYears() { return {2010, 2026}; }

void requireContentYear(int year)
{
    if (contentYears().contains(year))
        return;
    QStringList known;
    for (int y : contentYears())
        known << QString::number(y);
    fail(QStringLiteral("A(z) %1. évhez nincs tartalom; választható évek: %2.").arg(year).arg(known.join(QStringLiteral(", "))));
}

int folderYear(const QString &dbFolder)
{
    const QStringList present = QDir(dbFolder).entryList(QDir::Files);
    const bool hasYearTable = std::any_of(present.begin(), present.end(), [](const QString &name) {
        return name.compare(kYearTable, Qt::CaseInsensitive) == 0;
    });
    if (!hasYearTable)
        return kDefaultYear;
    QTemporaryDir configDir;
    if (!configDir.isValid())
        fail(QStringLiteral("No temporary folder for the engine configuration"));
    zdb::Session session(configDir.filePath(QStringLiteral("tablaengine.ini")));
    session.addStandardAlias(kAlias, dbFolder);
    return readYear(session);
}

QJsonObject source(int year, const QString &fileName)
{
    const QString name = QStringLiteral("%1/%2").arg(year).arg(fileName);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(readResource(name), &error);
    if (doc.isNull() || !doc.isObject())
        fail(QStringLiteral("%1: %2 at offset %3").arg(name, error.errorString()).arg(error.offset));
    return doc.object();
}

QJsonArray professionRows(int year)
{
    // What the rules' profession table owns; a content row naming any of it is refused,
    // so that the two cannot drift apart.
    const QString owned[] = {QStringLiteral("Szakma_nev"), QStringLiteral("category"), QStringLiteral("picture"),
                             QStringLiteral("sheet")};
    const QJsonArray rows = source(year, QStringLiteral("szakmak.json")).value(QStringLiteral("rows")).toArray();
    QJsonArray out;
    QSet<int> codes;
    for (const QJsonValue &v : rows) {
        QJsonObject row = v.toObject();
        const int code = row.value(QStringLiteral("code")).toInt();
        const career::Profession *p = career::professionByCode(code);
        if (!p || codes.contains(code))
            fail(QStringLiteral("szakmak.json of %1: the code %2 is not a profession of the game, or stands twice")
                     .arg(year)
                     .arg(row.value(QStringLiteral("code")).toVariant().toString()));
        codes.insert(code);
        for (const QString &key : owned)
            if (!rowValue(row, key).isUndefined())
                fail(QStringLiteral("szakmak.json of %1: the code %2 names its %3, which the profession table of "
                                    "the rules (career::professions()) owns")
                         .arg(year)
                         .arg(code)
                         .arg(key));
        row.insert(owned[0], QString::fromUtf8(p->caption));
        row.insert(owned[1], int(p->category));
        row.insert(owned[2], QString::fromUtf8(p->picture));
        row.insert(owned[3], QString::fromUtf8(p->sheet));
        out.append(row);
    }
    if (codes.size() != career::kProfessionCount)
        fail(QStringLiteral("szakmak.json of %1 has %2 of the %3 professions")
                 .arg(year)
                 .arg(codes.size())
                 .arg(career::kProfessionCount));
    return out;
}

QStringList recommendationClauses()
{
    QString text = QString::fromUtf8(readResource(QStringLiteral("szakmaleiras.txt")));
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString localPath(const QString &gamePath)
{
    QString p = gamePath;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString buildWorkFolder(const QString &folder, QStringList *notices, int year)
{
    QDir root(folder);
    const QString dbFolder = root.absoluteFilePath(QStringLiteral("DB"));
    // A folder built again keeps its year unless another is asked for.
    if (year == 0)
        year = folderYear(dbFolder);
    requireContentYear(year);
    if (!root.mkpath(QStringLiteral(".")))
        fail(QStringLiteral("Cannot create the folder %1").arg(folder));
    for (const char *sub : {"DB", "munka_pict", "rtf"})
        if (!root.mkpath(QLatin1String(sub)))
            fail(QStringLiteral("Cannot create %1").arg(root.filePath(QLatin1String(sub))));

    // The players' table holds the stored games: a folder built again keeps it, unless the
    // file there is no sound players' table. Then it is kept aside and a fresh table gets
    // every game that can still be read from it.
    const QString playersFile = QStringLiteral("Jatekosok.DB");
    const auto presentPlayers = [&]() {
        const QStringList present = QDir(dbFolder).entryList(QDir::Files);
        const auto it = std::find_if(present.begin(), present.end(), [&](const QString &name) {
            return name.compare(playersFile, Qt::CaseInsensitive) == 0;
        });
        return it == present.end() ? QString() : QDir(dbFolder).filePath(*it);
    };
    QString damagedAside;
    if (const QString players = presentPlayers(); !players.isEmpty()) {
        const PlayersTableCheck check = checkPlayersTable(players);
        if (check.damaged) {
            if (notices)
                notices->append(QStringLiteral("A játékosok táblája (%1) sérült: %2.")
                                    .arg(QDir::toNativeSeparators(players), check.reason));
            damagedAside = setDamagedTableAside(players);
            if (notices)
                notices->append(QStringLiteral("A sérült fájl megmaradt ezen a néven: %1")
                                    .arg(QDir::toNativeSeparators(damagedAside)));
        }
    }

    // A sound players' table of an older shape is upgraded, its old file kept beside it.
    if (damagedAside.isEmpty() && !presentPlayers().isEmpty()) {
        const zdb::UpgradeResult upgrade = zdb::upgradeFolder(dbFolder, zdb::schema());
        if (notices && !upgrade.copyFolder.isEmpty())
            notices->append(QStringLiteral("A mappa táblái a program egy régebbi kiadásával készültek; az új formára "
                                           "frissítve, a régi fájlok másolata: %1")
                                .arg(QDir::toNativeSeparators(upgrade.copyFolder)));
    }

    // Every table is created empty from the schema, then filled through the engine with a
    // private configuration, so the user's aliases are never touched.
    for (const zdb::TableDef &def : zdb::schema()) {
        if (def.fileName == playersFile && !presentPlayers().isEmpty())
            continue;
        zdb::createTable(dbFolder, def);
    }
    if (!damagedAside.isEmpty()) {
        const int games = copyReadableGames(damagedAside, QDir(dbFolder).filePath(playersFile));
        if (notices)
            notices->append(games == 0 ? QStringLiteral("Új, üres játékostábla készült; a sérült fájlból egyetlen "
                                                        "elmentett játék sem volt kiolvasható.")
                                       : QStringLiteral("Új játékostábla készült; a sérült fájlból %1 elmentett "
                                                        "játék átmásolva.")
                                             .arg(games));
    }
    QTemporaryDir configDir;
    if (!configDir.isValid())
        fail(QStringLiteral("No temporary folder for the engine configuration"));
    zdb::Session session(configDir.filePath(QStringLiteral("tablaengine.ini")));
    session.addStandardAlias(kAlias, dbFolder);
    const int rows = fillContent(session, year);
    const QJsonArray professions = professionRows(year);

    // Profession pictures and career sheets, at the paths the profession choice names.
    for (const QJsonValue &v : professions) {
        const QJsonObject p = v.toObject();
        const int code = p.value(QStringLiteral("code")).toInt();
        const QString picture = localPath(p.value(QStringLiteral("picture")).toString());
        const bool jpeg = picture.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive);
        writeFile(root.filePath(picture),
                  encodeImage(builtPicture(zpict::builtProfessionPicture(code), QStringLiteral("szakma"), code), jpeg ? "JPG" : "BMP",
                              QStringLiteral("profession %1").arg(code)));
        writeFile(root.filePath(localPath(p.value(QStringLiteral("sheet")).toString())), careerSheet(p, year));
    }

    writeFile(root.filePath(QStringLiteral("szakmaleiras.txt")), cp1250::lines(recommendationClauses()));

    return QStringLiteral("%1: the content of %2, %3 tables, %4 rows, %5 pictures and career sheets")
        .arg(QDir::toNativeSeparators(root.absolutePath()))
        .arg(year)
        .arg(zdb::schema().size())
        .arg(rows)
        .arg(professions.size());
}

QString buildServerDatabase(const QString &connection, const QString &studentRole, const QString &teacherRole,
                            int year)
{
    if (year != 0)
        requireContentYear(year);
    const zdb::ServerAddress server = zdb::ServerAddress::parse(connection);
    QTemporaryDir configDir;
    if (!configDir.isValid())
        fail(QStringLiteral("No temporary folder for the engine configuration"));
    // The tables are made (and the players' table upgraded) on a connection of the tool's
    // own: the session's, which checks the tables' shapes, comes once they are in place.
    std::shared_ptr<zdb::Storage> storage = zdb::Storage::server(server);
    // A database filled again keeps its year unless another is asked for. One with a year
    // table is of today's shapes, so a session may read it.
    if (year == 0) {
        const zdb::TableDef *yearDef = zdb::findTable(kYearTable);
        if (yearDef && storage->hasTable(*yearDef)) {
            zdb::Session reading(configDir.filePath(QStringLiteral("year.ini")));
            reading.setServerAlias(kAlias, server);
            year = readYear(reading);
        } else {
            year = kDefaultYear;
        }
        requireContentYear(year);
    }
    // The players' table holds the class's stored games: filling the server again keeps it,
    // brought to today's shape.
    bool keptPlayers = false;
    for (const zdb::TableDef &def : zdb::schema()) {
        if (def.fileName == QLatin1String("Jatekosok.DB") && storage->hasTable(def)) {
            keptPlayers = true;
            zdb::upgradeServerTable(*storage, def);
            continue;
        }
        storage->createTable(def);
    }
    storage->grantRoles(studentRole, teacherRole, zdb::schema(), {QStringLiteral("Jatekosok.DB")});
    zdb::Session session(configDir.filePath(QStringLiteral("tablaengine.ini")));
    session.setServerAlias(kAlias, server);
    const int rows = fillContent(session, year);
    return QStringLiteral("%1: the content of %2, %3 tables (%4), %5 rows; roles %6 (reads, writes the players) "
                          "and %7 (writes everything)")
        .arg(server.displayName())
        .arg(year)
        .arg(zdb::schema().size())
        .arg(keptPlayers ? QStringLiteral("the players' table kept") : QStringLiteral("all new"))
        .arg(rows)
        .arg(studentRole, teacherRole);
}

}  // namespace content
