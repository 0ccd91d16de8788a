#include "maintenance/history.h"

#include "db/engine.h"
#include "db/fieldvalue.h"
#include "rules/usererror.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

const QString kLogFile = QStringLiteral("Valtozasok.db");
// The Tabla of a change of whole tables whose names do not fit the field: every table.
const QString kEveryTable = QStringLiteral("*");
constexpr int kTableSize = 40;
constexpr int kSummarySize = 255;

bool sameValue(const QVariant &a, const QVariant &b) { return a == b || (a.isNull() && b.isNull()); }

// A row's stored values as a JSON object by field name; pictures in base64. With `other`
// (an edit's values on the other side) a picture the edit left as it was is left out: a
// picture is the bulk of a row, and undoing the edit keeps what the entry does not name.
QByteArray valuesJson(const zdb::TableDef &def, const QVector<QVariant> &values,
                      const QVector<QVariant> *other = nullptr)
{
    QJsonObject o;
    for (int i = 0; i < def.fields.size() && i < values.size(); ++i) {
        const QVariant &v = values[i];
        if (other && def.fields[i].type == zdb::FieldType::Graphic && sameValue(v, other->value(i)))
            continue;
        QJsonValue j;
        if (v.isNull())
            j = QJsonValue(QJsonValue::Null);
        else if (def.fields[i].type == zdb::FieldType::Graphic)
            j = QString::fromLatin1(v.toByteArray().toBase64());
        else
            j = QJsonValue::fromVariant(v);
        o.insert(def.fields[i].name, j);
    }
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QVariant fromJson(const zdb::FieldDef &fd, const QJsonValue &j)
{
    if (j.isNull() || j.isUndefined())
        return QVariant();
    if (fd.type == zdb::FieldType::Graphic)
        return QByteArray::fromBase64(j.toString().toLatin1());
    return j.toVariant();
}

// A value as the summary shows it: as the page shows it, a long text cut short.
QString shown(const zdb::FieldDef &fd, const QVariant &v)
{
    QString text = zdb::shownText(fd.type, v).simplified();
    if (text.isEmpty())
        return u("(üres)");
    if (zdb::characterCount(text) > 30)
        text = zdb::leftCharacters(text, 29) + u("…");
    return text;
}

// The record's name: its first text field, else its identity.
QString recordName(const zdb::TableDef &def, const QVector<QVariant> &values, qint64 rowid)
{
    for (int i = 0; i < def.fields.size() && i < values.size(); ++i)
        if (def.fields[i].type == zdb::FieldType::String && !values[i].toString().trimmed().isEmpty())
            return values[i].toString().trimmed();
    return u("%1. sor").arg(rowid);
}

}  // namespace

QString THistory::kindInsert() { return u("Új rekord"); }
QString THistory::kindEdit() { return u("Módosítás"); }
QString THistory::kindDelete() { return u("Törlés"); }
QString THistory::kindPicture() { return u("Kép"); }

THistory::THistory(zdb::Session *session, QObject *parent) : QObject(parent), m_session(session)
{
    m_log = std::make_unique<zdb::Table>(m_session);
    m_log->setAliasName(zdb::gameAlias());
    m_log->setTableName(kLogFile);
    m_log->open();
}

THistory::~THistory()
{
    for (const Watched &w : m_watched)
        if (w.table)
            w.table->setWriteWatch({});
}

void THistory::watch(zdb::Table *table, const QString &pageName)
{
    m_watched.push_back({table, pageName});
    zdb::WriteWatch watch;
    watch.beforeWrite = [this](zdb::Table &, zdb::RowWriteKind) {
        if (!m_undoing && m_beforeChange)
            m_beforeChange();
    };
    watch.afterWrite = [this](zdb::Table &t, const zdb::RowWrite &write) { recordWrite(t, write); };
    table->setWriteWatch(std::move(watch));
}

QString THistory::pageOf(const QString &tableFile) const
{
    for (const Watched &w : m_watched)
        if (w.table && w.table->tableName().compare(tableFile, Qt::CaseInsensitive) == 0)
            return w.page;
    return QString();
}

zdb::Table *THistory::watchedTable(const QString &tableFile) const
{
    for (const Watched &w : m_watched)
        if (w.table && w.table->tableName().compare(tableFile, Qt::CaseInsensitive) == 0)
            return w.table;
    return nullptr;
}

void THistory::recordWrite(zdb::Table &table, const zdb::RowWrite &write)
{
    if (m_undoing)
        return;
    const zdb::TableDef &def = table.definition();
    Entry e;
    e.table = def.fileName;
    e.row = write.rowid;
    // An edit's entry names its pictures only when the edit changed them; a new or deleted
    // record's holds the whole row.
    const bool edit = write.kind == zdb::RowWriteKind::Edit;
    e.before = write.before.isEmpty() ? QByteArray() : valuesJson(def, write.before, edit ? &write.after : nullptr);
    e.after = write.after.isEmpty() ? QByteArray() : valuesJson(def, write.after, edit ? &write.before : nullptr);
    // The record by the name it had before the change (a new one by its new name).
    const QString name = recordName(def, write.before.isEmpty() ? write.after : write.before, write.rowid);
    switch (write.kind) {
    case zdb::RowWriteKind::Insert:
        e.kind = kindInsert();
        e.summary = u("%1: új rekord").arg(name);
        break;
    case zdb::RowWriteKind::Delete:
        e.kind = kindDelete();
        e.summary = u("%1: törölve").arg(name);
        break;
    case zdb::RowWriteKind::Edit: {
        QStringList changes;
        bool onlyPictures = true;
        for (int i = 0; i < def.fields.size(); ++i) {
            const zdb::FieldDef &fd = def.fields[i];
            const QVariant &a = write.before.value(i), &b = write.after.value(i);
            if (sameValue(a, b))
                continue;
            if (fd.type == zdb::FieldType::Graphic) {
                changes.append(u("%1: új kép").arg(fd.displayLabel()));
                continue;
            }
            onlyPictures = false;
            changes.append(u("%1 %2 → %3").arg(fd.displayLabel(), shown(fd, a), shown(fd, b)));
        }
        if (changes.isEmpty())
            return;   // stored as it was: nothing to undo
        e.kind = onlyPictures ? kindPicture() : kindEdit();
        e.summary = u("%1: %2").arg(name, changes.join(u(", ")));
        break;
    }
    }
    append(e);
}

qint64 THistory::append(const Entry &entry)
{
    Entry stored = entry;
    if (zdb::characterCount(stored.summary) > kSummarySize)
        stored.summary = zdb::leftCharacters(stored.summary, kSummarySize - 1) + u("…");
    stored.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    stored.undone = false;
    m_log->append();
    m_log->fieldByName(QStringLiteral("Ido")).setValue(stored.time);
    m_log->fieldByName(QStringLiteral("Tabla")).setValue(entry.table);
    m_log->fieldByName(QStringLiteral("Sor")).setValue(entry.row);
    m_log->fieldByName(QStringLiteral("Muvelet")).setValue(entry.kind);
    m_log->fieldByName(QStringLiteral("Leiras")).setValue(stored.summary);
    m_log->fieldByName(QStringLiteral("Elotte")).setValue(QString::fromUtf8(entry.before));
    m_log->fieldByName(QStringLiteral("Utana")).setValue(QString::fromUtf8(entry.after));
    m_log->fieldByName(QStringLiteral("Visszavonva")).setValue(false);
    try {
        m_log->post();
    } catch (...) {
        m_log->cancel();
        throw;
    }
    stored.key = m_log->fieldByName(QStringLiteral("Change_Key")).value().toLongLong();
    Q_EMIT added(stored);
    return stored.key;
}

qint64 THistory::recordTables(const QString &kind, const QStringList &tables, const QByteArray &beforeJson,
                              const QByteArray &afterJson, const QString &summary)
{
    Entry e;
    e.table = tables.join(QLatin1Char(','));
    if (tables.isEmpty() || e.table.size() > kTableSize)
        e.table = kEveryTable;
    e.row = 0;
    e.kind = kind;
    e.summary = summary;
    e.before = beforeJson;
    e.after = afterJson;
    return append(e);
}

QList<THistory::Entry> THistory::entries() const
{
    m_log->refresh();
    const zdb::TableDef &def = m_log->definition();
    const auto col = [&](const char *name) { return def.fieldIndex(QLatin1String(name)); };
    const int key = col("Change_Key"), time = col("Ido"), table = col("Tabla"), row = col("Sor"), kind = col("Muvelet"),
              summary = col("Leiras"), before = col("Elotte"), after = col("Utana"), undone = col("Visszavonva");
    QList<Entry> list;
    for (int r = 0; r < m_log->recordCount(); ++r) {
        Entry e;
        e.key = m_log->valueAt(r, key).toLongLong();
        e.time = m_log->valueAt(r, time).toString();
        e.table = m_log->valueAt(r, table).toString();
        e.row = m_log->valueAt(r, row).toLongLong();
        e.kind = m_log->valueAt(r, kind).toString();
        e.summary = m_log->valueAt(r, summary).toString();
        e.before = m_log->valueAt(r, before).toString().toUtf8();
        e.after = m_log->valueAt(r, after).toString().toUtf8();
        e.undone = m_log->valueAt(r, undone).toBool();
        list.append(e);
    }
    std::sort(list.begin(), list.end(), [](const Entry &a, const Entry &b) { return a.key > b.key; });
    return list;
}

QStringList THistory::tablesOf(const Entry &entry)
{
    return entry.table.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// Whether `later` changed what `entry` changed: the same record, or a whole table of it.
bool THistory::touches(const Entry &later, const Entry &entry)
{
    if (later.table == kEveryTable || entry.table == kEveryTable)
        return true;
    if (!later.wholeTables() && !entry.wholeTables())
        return later.row == entry.row && later.table.compare(entry.table, Qt::CaseInsensitive) == 0;
    for (const QString &a : tablesOf(later))
        for (const QString &b : tablesOf(entry))
            if (a.compare(b, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString THistory::undoBlocker(qint64 key) const { return undoBlocker(key, entries()); }

QString THistory::undoBlocker(qint64 key, const QList<Entry> &list) const
{
    const auto it = std::find_if(list.begin(), list.end(), [key](const Entry &e) { return e.key == key; });
    if (it == list.end())
        return u("Nincs ilyen változás a listában.");
    if (it->undone)
        return u("Ezt a változást már visszavonták.");
    for (const Entry &later : list) {   // newest first
        if (later.key <= key)
            break;
        if (!later.undone && touches(later, *it))
            return u("Előbb a későbbi változást kell visszavonni (%1, %2): %3")
                .arg(later.time, later.kind, later.summary);
    }
    if (it->wholeTables() && !m_tableUndo)
        return u("Ez a változás itt nem vonható vissza.");
    if (!it->wholeTables() && !watchedTable(it->table))
        return u("A(z) %1 tábla változásai itt nem vonhatók vissza.").arg(it->table);
    return QString();
}

QString THistory::undo(qint64 key) { return undo(key, entries()); }

QString THistory::undo(qint64 key, const QList<Entry> &list)
{
    const QString blocker = undoBlocker(key, list);
    if (!blocker.isEmpty())
        fail(blocker);
    Entry entry;
    for (const Entry &e : list)
        if (e.key == key)
            entry = e;
    m_undoing = true;
    try {
        if (entry.wholeTables())
            m_tableUndo(entry.before);
        else
            undoRecord(entry);
    } catch (...) {
        m_undoing = false;
        throw;
    }
    m_undoing = false;
    markUndone(key);
    return entry.summary;
}

QString THistory::undoLast(zdb::Table *table)
{
    const QList<Entry> list = entries();   // read once for the search and the undo
    for (const Entry &e : list)
        if (!e.undone && !e.wholeTables() && e.table.compare(table->tableName(), Qt::CaseInsensitive) == 0)
            return undo(e.key, list);
    fail(u("Ezen a lapon nincs visszavonható változás."));
}

void THistory::undoRecord(const Entry &entry)
{
    zdb::Table *table = watchedTable(entry.table);
    const QString page = pageOf(entry.table);
    if (table->editing())
        fail(u("A(z) „%1” lap egy rekordja szerkesztés alatt áll: előbb tárolja (Alkalmaz) vagy vesse el (Mégsem) "
               "a módosítást, csak utána vonható vissza egy változás.")
                 .arg(page));
    const zdb::TableDef &def = table->definition();
    const QJsonObject before = QJsonDocument::fromJson(entry.before).object();
    // A field the entry does not name (a picture its edit left as it was) stays as it is.
    const auto fill = [&] {
        for (int i = 0; i < def.fields.size(); ++i)
            if (def.fields[i].type != zdb::FieldType::AutoInc && before.contains(def.fields[i].name))
                table->setFieldValue(i, fromJson(def.fields[i], before.value(def.fields[i].name)));
    };
    const auto keep = [&](const std::function<void()> &work) {
        try {
            work();
        } catch (...) {
            table->cancel();
            throw;
        }
    };
    if (entry.kind == kindDelete()) {
        // Put back under its old identity, unless another row has taken it meanwhile.
        const bool taken = table->rowOfIdentity(entry.row) >= 0;
        table->append();
        keep([&] {
            if (!taken)
                table->setInsertIdentity(entry.row);
            fill();
            table->post();
        });
        const qint64 now = table->identityAt(table->currentRow());
        if (now != entry.row)
            renumberRow(entry.table, entry.row, now);
        return;
    }
    const int pos = table->rowOfIdentity(entry.row);
    if (pos < 0)
        fail(u("A(z) „%1” lap rekordja, amelyre a változás vonatkozik, már nincs meg (időközben törölték): %2")
                 .arg(page, entry.summary));
    table->setRecNo(pos + 1);
    if (entry.kind == kindInsert()) {
        table->deleteRecord();
        return;
    }
    table->edit();
    keep([&] {
        fill();
        table->post();
    });
}

void THistory::markUndone(qint64 key)
{
    if (!m_log->locate(QStringLiteral("Change_Key"), key))
        return;
    m_log->edit();
    m_log->fieldByName(QStringLiteral("Visszavonva")).setValue(true);
    m_log->post();
    Q_EMIT changed();
}

// A row put back under a new identity: the entries of the old one follow it.
void THistory::renumberRow(const QString &tableFile, qint64 from, qint64 to)
{
    for (const Entry &e : entries()) {
        if (e.wholeTables() || e.row != from || e.table.compare(tableFile, Qt::CaseInsensitive) != 0)
            continue;
        if (!m_log->locate(QStringLiteral("Change_Key"), e.key))
            continue;
        m_log->edit();
        m_log->fieldByName(QStringLiteral("Sor")).setValue(to);
        m_log->post();
    }
}
