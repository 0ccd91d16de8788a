#include "maintenance/contenttools.h"

#include "controls/dialogs.h"
#include "controls/errorbox.h"
#include "db/contentjson.h"
#include "db/engine.h"
#include "maintenance/Unit1.h"
#include "rules/usererror.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

const char kContentFilter[] = "Tartalomfájl (*.json);;Minden fájl (*)";

// Two stored values alike, whatever type each was read or written as: a whole number read
// back as a fraction, a flag as a number.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return a.toByteArray() == b.toByteArray();
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    bool numberA = false;
    bool numberB = false;
    const double x = a.toDouble(&numberA);
    const double y = b.toDouble(&numberB);
    if (numberA && numberB)
        return x == y;
    return a.toString() == b.toString();
}

bool sameRow(const QVector<QVariant> &a, const QVector<QVariant> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (!sameValue(a[i], b[i]))
            return false;
    return true;
}

const zdb::TableRows *find(const zdb::TableSet &set, const QString &fileName)
{
    for (const zdb::TableRows &rows : set)
        if (rows.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &rows;
    return nullptr;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(u("A fájl nem olvasható: %1\n%2").arg(native(path), file.errorString()));
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(u("A fájl nem írható: %1\n%2").arg(native(path), file.errorString()));
}

QString documents() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

}  // namespace

TContentTools::TContentTools(TZomir0001 *window, zdb::Session *session, Dialogs *dialogs)
    : QObject(window), m_window(window), m_session(session), m_dialogs(dialogs), m_backups(session, zdb::gameAlias())
{
    setObjectName(QStringLiteral("ContentTools"));
}

QString TContentTools::tableCaption(const QString &fileName) const
{
    for (int page = 0; page < TZomir0001::PageCount; ++page)
        if (m_window->pageTable(page)->tableName().compare(fileName, Qt::CaseInsensitive) == 0)
            return m_window->PageControl->tabText(page);
    if (fileName.compare(QStringLiteral("Adoev.DB"), Qt::CaseInsensitive) == 0)
        return u("Adóév");
    if (fileName.compare(QStringLiteral("Meglepetes.db"), Qt::CaseInsensitive) == 0)
        return u("Meglepetések");
    return fileName;
}

int TContentTools::folderYear(const zdb::TableSet &tables) const
{
    const zdb::TableRows *year = find(tables, QStringLiteral("Adoev.DB"));
    if (year && !year->rows.isEmpty() && !year->rows.first().isEmpty())
        return year->rows.first().first().toInt();
    return m_window->folderYear();
}

QList<TContentTools::Change> TContentTools::compare(const zdb::TableSet &current, zdb::TableSet &incoming) const
{
    QList<Change> changes;
    for (zdb::TableRows &in : incoming) {
        Change change;
        change.fileName = in.fileName;
        const zdb::TableRows none;
        const zdb::TableRows *now = find(current, in.fileName);
        if (!now)
            now = &none;
        const zdb::TableDef *def = m_session->tableDef(in.fileName);
        const int key = def ? def->autoIncIndex() : -1;
        qint64 next = 1;
        for (qint64 id : now->rowids)
            next = std::max(next, id + 1);
        // A row's identity: its key where the table has one, else its place.
        QHash<qint64, int> nowAt;
        for (int i = 0; i < now->rowids.size(); ++i)
            nowAt.insert(now->rowids[i], i);
        in.rowids.resize(in.rows.size());
        for (int i = 0; i < in.rows.size(); ++i) {
            if (key >= 0 && key < in.rows[i].size() && !in.rows[i][key].isNull())
                in.rowids[i] = in.rows[i][key].toLongLong();
            else if (key < 0 && i < now->rowids.size())
                in.rowids[i] = now->rowids[i];
            else
                in.rowids[i] = next;
            next = std::max(next, in.rowids[i] + 1);
        }
        QSet<qint64> kept;
        for (int i = 0; i < in.rows.size(); ++i) {
            const auto at = nowAt.constFind(in.rowids[i]);
            if (at == nowAt.cend()) {
                ++change.added;
                continue;
            }
            kept.insert(in.rowids[i]);
            if (!sameRow(now->rows[*at], in.rows[i]))
                ++change.changed;
        }
        change.removed = int(now->rowids.size()) - int(kept.size());
        changes.append(change);
    }
    return changes;
}

QString TContentTools::changeLines(const QList<Change> &changes) const
{
    QStringList lines;
    for (const Change &c : changes)
        if (c.any())
            lines << u("• %1: %2 új, %3 módosított, %4 törölt sor")
                         .arg(tableCaption(c.fileName))
                         .arg(c.added)
                         .arg(c.changed)
                         .arg(c.removed);
    return lines.join(QLatin1Char('\n'));
}

QString TContentTools::summary(const QList<Change> &changes) const
{
    QStringList parts;
    for (const Change &c : changes)
        if (c.any())
            parts << u("%1: %2 új, %3 módosított, %4 törölt")
                         .arg(tableCaption(c.fileName))
                         .arg(c.added)
                         .arg(c.changed)
                         .arg(c.removed);
    return parts.join(QStringLiteral("; "));
}

bool TContentTools::noPendingEdit()
{
    for (int page = 0; page < TZomir0001::PageCount; ++page)
        if (m_window->pageTable(page)->editing()) {
            m_dialogs->message(u("A(z) „%1” lapon a módosítás nincs elmentve: előbb mentse („Alkalmaz”) "
                                 "vagy vesse el („Mégsem”).")
                                   .arg(m_window->PageControl->tabText(page)));
            return false;
        }
    return true;
}

void TContentTools::replaceAndRecord(const QString &kind, const zdb::TableSet &current,
                                     const zdb::TableSet &incoming, const QList<Change> &changes,
                                     const zdb::TableSet &alsoReplace)
{
    zdb::ContentFile before;
    zdb::ContentFile after;
    before.schema = after.schema = zdb::schemaVersion();
    before.year = folderYear(current);
    after.year = folderYear(incoming);
    QStringList tables;
    for (int i = 0; i < changes.size(); ++i) {
        if (!changes[i].any())
            continue;
        tables << changes[i].fileName;
        after.tables.append(incoming[i]);
        if (const zdb::TableRows *now = find(current, changes[i].fileName))
            before.tables.append(*now);
        else
            before.tables.append(zdb::TableRows{changes[i].fileName, {}, {}});
    }
    const QByteArray beforeJson = tables.isEmpty() ? QByteArray() : zdb::toJson(before);
    const QByteArray afterJson = tables.isEmpty() ? QByteArray() : zdb::toJson(after);
    ensureDailyBackup();
    zdb::replaceTables(m_session, zdb::gameAlias(), after.tables + alsoReplace);
    if (tables.contains(QStringLiteral("Adoev.DB")))
        m_window->rereadFolderYear();
    if (m_recorder && !tables.isEmpty())
        m_recorder(kind, tables, beforeJson, afterJson, summary(changes));
}

void TContentTools::putBack(const QByteArray &beforeJson)
{
    zdb::ContentFile file = zdb::fromJson(beforeJson);
    QStringList names;
    for (const zdb::TableRows &rows : file.tables)
        names << rows.fileName;
    const zdb::TableSet current = zdb::readTables(m_session, zdb::gameAlias(), names);
    compare(current, file.tables);
    zdb::replaceTables(m_session, zdb::gameAlias(), file.tables);
    if (names.contains(QStringLiteral("Adoev.DB")))
        m_window->rereadFolderYear();
}

void TContentTools::exportContent()
{
    guarded(m_window, [this] {
        const int year = m_window->folderYear();
        const QString suggested = QDir(documents()).filePath(u("zomir-tartalom-%1.json").arg(year));
        const QString path =
            m_dialogs->saveFileName(m_window, u("Tartalom exportálása"), suggested, u(kContentFilter));
        if (path.isEmpty())
            return;
        zdb::ContentFile content;
        content.schema = zdb::schemaVersion();
        content.tables = zdb::readTables(m_session, zdb::gameAlias(), zdb::contentTables());
        content.year = folderYear(content.tables);
        writeFile(path, zdb::toJson(content));
        m_window->StatusBar->showMessage(u("A tartalom exportálva: %1").arg(native(path)));
    });
}

void TContentTools::importContent()
{
    guarded(m_window, [this] {
        if (!noPendingEdit())
            return;
        const QString path = m_dialogs->openFileName(m_window, u("Tartalom importálása"), documents(), u(kContentFilter));
        if (path.isEmpty())
            return;
        zdb::ContentFile file = zdb::fromJson(readFile(path));
        QStringList names;
        for (const zdb::TableRows &rows : file.tables)
            names << rows.fileName;
        const zdb::TableSet current = zdb::readTables(m_session, zdb::gameAlias(), names);
        const QList<Change> changes = compare(current, file.tables);
        if (std::none_of(changes.begin(), changes.end(), [](const Change &c) { return c.any(); })) {
            m_dialogs->message(u("A fájl tartalma megegyezik a mostanival: nincs mit importálni."));
            return;
        }
        QString question = u("Az importálás ezeket változtatja meg:\n") + changeLines(changes);
        const int folder = folderYear(current);
        if (file.year != folder)
            question += u("\n\nA fájl %1-es adatai a %2-os munkamappába kerülnek.").arg(file.year).arg(folder);
        question += u("\n\nFolytassuk?");
        if (!m_dialogs->confirm(question))
            return;
        replaceAndRecord(u("Importálás"), current, file.tables, changes);
        m_window->StatusBar->showMessage(u("A tartalom importálva: %1").arg(native(path)));
    });
}

void TContentTools::restoreOriginal()
{
    guarded(m_window, [this] {
        if (!noPendingEdit())
            return;
        const int page = m_window->PageControl->currentIndex();
        const bool onPage = page >= 0 && page < TZomir0001::PageCount;
        const QString title = u("Eredeti adatok visszaállítása");
        bool allTables = true;
        if (onPage) {
            const int answer = m_dialogs->ask(
                title, u("Melyik tábla kapja vissza a játékkal érkezett adatokat?"),
                {u("Csak a(z) „%1” lap").arg(m_window->PageControl->tabText(page)), u("Minden tábla"), u("Mégsem")});
            if (answer != 0 && answer != 1)
                return;
            allTables = answer == 1;
        } else if (m_dialogs->ask(title, u("Minden tábla visszakapja a játékkal érkezett adatokat?"),
                                  {u("Minden tábla"), u("Mégsem")})
                   != 0) {
            return;
        }
        zdb::ContentFile supplied = zdb::suppliedContent(m_session, zdb::gameAlias());
        zdb::TableSet incoming;
        for (const zdb::TableRows &rows : supplied.tables)
            if (allTables || rows.fileName.compare(m_window->pageTable(page)->tableName(), Qt::CaseInsensitive) == 0)
                incoming.append(rows);
        QStringList names;
        for (const zdb::TableRows &rows : incoming)
            names << rows.fileName;
        const zdb::TableSet current = zdb::readTables(m_session, zdb::gameAlias(), names);
        const QList<Change> changes = compare(current, incoming);
        QStringList parts;
        for (const Change &c : changes) {
            if (!c.any())
                continue;
            const zdb::TableRows *now = find(current, c.fileName);
            const zdb::TableRows *original = find(incoming, c.fileName);
            parts << u("A(z) „%1” lap %2 sora helyére az eredeti %3 sor kerül (%4 új, %5 módosított, %6 törölt sor)")
                         .arg(tableCaption(c.fileName))
                         .arg(now ? now->rows.size() : 0)
                         .arg(original ? original->rows.size() : 0)
                         .arg(c.added)
                         .arg(c.changed)
                         .arg(c.removed);
        }
        if (parts.isEmpty()) {
            m_dialogs->message(u("Az adatok megegyeznek az eredetiekkel: nincs mit visszaállítani."));
            return;
        }
        if (!m_dialogs->confirm(parts.join(QStringLiteral(";\n")) + u("; a tárolt játékok megmaradnak.")))
            return;
        replaceAndRecord(u("Eredeti adatok"), current, incoming, changes);
        m_window->StatusBar->showMessage(u("Az eredeti adatok visszaállítva: %1").arg(summary(changes)));
    });
}

void TContentTools::makeBackup()
{
    guarded(m_window, [this] {
        const backups::Backup made = m_backups.makeBackup();
        m_window->StatusBar->showMessage(u("Biztonsági mentés kész: %1").arg(native(made.path)));
    });
}

void TContentTools::ensureDailyBackup()
{
    if (m_dailyFailed == QDate::currentDate())
        return;
    if (!guarded(m_window, [this] { m_backups.ensureDailyBackup(); }))
        m_dailyFailed = QDate::currentDate();
}

void TContentTools::restoreBackup()
{
    guarded(m_window, [this] {
        if (!noPendingEdit())
            return;
        const QList<backups::Backup> found = m_backups.list();
        if (found.isEmpty()) {
            m_dialogs->message(u("Még nincs biztonsági mentés: %1").arg(native(m_backups.location())));
            return;
        }
        QStringList items;
        for (const backups::Backup &b : found)
            items << backups::describe(b);
        const int chosen = m_dialogs->choose(m_window, u("Visszaállítás mentésből"),
                                             u("Melyik mentés kerüljön vissza? A mostani adatokról előbb új mentés készül."),
                                             items);
        if (chosen < 0)
            return;
        const backups::Backup backup = found.at(chosen);
        zdb::TableSet incoming = backups::Backups::contentOf(backup);
        const zdb::TableSet players = backups::Backups::playersOf(backup);
        QStringList names;
        for (const zdb::TableRows &rows : incoming)
            names << rows.fileName;
        const zdb::TableSet current = zdb::readTables(m_session, zdb::gameAlias(), names);
        const QList<Change> changes = compare(current, incoming);
        const bool contentChanges = std::any_of(changes.begin(), changes.end(), [](const Change &c) { return c.any(); });
        const QString made = backup.made.toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss"));
        if (contentChanges
            && !m_dialogs->confirm(u("A(z) %1 mentés visszaállítása ezeket változtatja meg:\n").arg(made)
                                   + changeLines(changes) + u("\n\nFolytassuk?")))
            return;
        bool withPlayers = false;
        if (!players.isEmpty()) {
            const zdb::TableSet now = zdb::readTables(m_session, zdb::gameAlias(), {QStringLiteral("Jatekosok.DB")});
            withPlayers = m_dialogs->confirmDefaultNo(
                u("A mentés %1 tárolt játékot is tartalmaz; a mostani %2 játék helyére kerüljenek?")
                    .arg(players.first().rows.size())
                    .arg(now.isEmpty() ? 0 : now.first().rows.size()));
        }
        if (!contentChanges && !withPlayers) {
            m_dialogs->message(u("A mentés tartalma megegyezik a mostanival: nincs mit visszaállítani."));
            return;
        }
        // Now as it is, so that the restore can be reversed too.
        const backups::Backup now = m_backups.makeBackup();
        replaceAndRecord(u("Visszaállítás mentésből"), current, incoming, changes,
                         withPlayers ? players : zdb::TableSet());
        m_window->StatusBar->showMessage(u("A(z) %1 mentés visszaállítva; az előző állapot mentése: %2")
                                             .arg(made, native(now.path)));
    });
}
