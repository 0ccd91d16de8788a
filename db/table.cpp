#include "db/table.h"

#include "db/fieldvalue.h"
#include "db/session.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <climits>
#include <cmath>

namespace zdb {

Table::Table(Session *session, QObject *parent) : QObject(parent), m_session(session)
{
    if (m_session)
        m_session->registerTable(this);
}

Table::~Table()
{
    if (active()) {
        m_rows.clear();
        m_state = DataSetState::Inactive;
    }
    if (m_storage)
        m_storage->closeTable(m_connection);
    if (m_session)
        m_session->unregisterTable(this);
}

void Table::setAliasName(const QString &alias)
{
    if (active())
        throw EngineError(QStringLiteral("Nyitott táblán ez a művelet nem végezhető el."));
    m_alias = alias;
}

void Table::setTableName(const QString &fileName)
{
    if (active())
        throw EngineError(QStringLiteral("Nyitott táblán ez a művelet nem végezhető el."));
    m_tableName = fileName;
    const TableDef *def = m_session ? m_session->tableDef(fileName) : nullptr;
    m_def = def ? std::optional<TableDef>(*def) : std::nullopt;
}

const TableDef &Table::definition() const
{
    if (!m_def)
        throw EngineError(QStringLiteral("Ismeretlen tábla: %1").arg(m_tableName));
    return *m_def;
}

void Table::addLookupField(const QString &name, FieldType type, int size, const QString &keyField,
                           Table *source, const QString &sourceKeyField, const QString &resultField)
{
    const int keyIndex = definition().fieldIndex(keyField);
    if (keyIndex < 0)
        throw EngineError(QStringLiteral("A(z) %1 mező nem található.").arg(quoted(keyField)));
    m_lookups.append(Lookup{name, type, size, keyIndex, source, sourceKeyField, resultField});
}

void Table::requireActive() const
{
    if (!active())
        throw EngineError(QStringLiteral("A(z) %1 tábla nincs megnyitva.").arg(m_tableName));
}

void Table::requireModifiable() const
{
    if (!m_canModify)
        throw EngineError(m_storage ? m_storage->readOnlyReason(m_tableName)
                                    : QStringLiteral("A(z) %1 tábla nincs megnyitva.").arg(m_tableName));
}

void Table::open()
{
    if (active())
        return;
    if (!m_session)
        throw EngineError(QStringLiteral("A táblához nem tartozik adatbázis-munkamenet."));
    const TableDef &def = definition();
    std::shared_ptr<Storage> storage = m_session->storage(m_alias);
    bool canModify = false;
    const QString connection = storage->openTable(def, &canModify);
    m_storage = storage;
    m_connection = connection;
    m_filePath = storage->tablePath(def);
    m_storageKey = storage->tableKey(def);
    Q_EMIT rowsAboutToBeReset();
    try {
        m_canModify = canModify;
        loadRows();
    } catch (...) {
        storage->closeTable(connection);
        m_storage.reset();
        m_connection.clear();
        m_canModify = false;
        Q_EMIT rowsReset();
        throw;
    }
    m_state = DataSetState::Browse;
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    Q_EMIT rowsReset();
    Q_EMIT activeChanged(true);
    Q_EMIT stateChanged(m_state);
    Q_EMIT currentChanged();
}

void Table::close()
{
    if (!active())
        return;
    Q_EMIT rowsAboutToBeReset();
    m_rows.clear();
    m_rows.squeeze();
    m_buffer.clear();
    m_locateCache.clear();
    m_rowidIndex.clear();
    m_current = -1;
    m_bof = m_eof = true;
    m_state = DataSetState::Inactive;
    m_modified = false;
    m_canModify = false;
    m_dataVersion = DataVersion();
    if (m_storage)
        m_storage->closeTable(m_connection);
    m_storage.reset();
    m_connection.clear();
    Q_EMIT rowsReset();
    Q_EMIT stateChanged(m_state);
    Q_EMIT activeChanged(false);
    Q_EMIT currentChanged();
}

void Table::releaseConnection()
{
    if (!active() || m_connection.isEmpty())
        return;
    m_storage->closeTable(m_connection);
    m_connection.clear();
}

void Table::retakeConnection()
{
    if (!active() || !m_connection.isEmpty())
        return;
    try {
        bool canModify = false;
        m_connection = m_storage->openTable(*m_def, &canModify);
        m_canModify = canModify;
        m_filePath = m_storage->tablePath(*m_def);
        m_storageKey = m_storage->tableKey(*m_def);
        reloadRows();
    } catch (...) {
        close();
        throw;
    }
}

DataVersion Table::dataVersion() const
{
    return m_storage->dataVersion(m_connection, *m_def);
}

namespace {

// A table of at most this many rows is read whole when opened; a larger one is read by its
// keys, and the rest of its rows this many at a time as the grid or the navigator reaches them.
int wholeReadRows = Table::defaultReadRows;
int pageRows = Table::defaultReadRows;
constexpr int pagesBeforeTheRest = 8;

}  // namespace

void Table::setReadLimits(int wholeRows, int pageOfRows)
{
    wholeReadRows = std::max(0, wholeRows);
    pageRows = std::max(1, pageOfRows);
}

QVector<int> Table::allFields() const
{
    QVector<int> fields;
    for (int i = 0; i < m_def->fields.size(); ++i)
        fields.append(i);
    return fields;
}

bool Table::hasFields(const QVector<int> &fields) const
{
    if (m_allLoaded)
        return true;
    if (m_positional)
        return false;
    for (int f : fields)
        if (!m_keyFields.contains(f))
            return false;
    return true;
}

QVector<Table::Row> Table::readRows(const QString &what, const QVector<int> &fields, const QString &tail,
                                    qint64 *count) const
{
    // Pictures are large and rarely all needed: they are read row by row when asked for;
    // only whether a row has one is read here.
    QStringList columns;
    QStringList pictures;
    for (const FieldDef &fd : m_def->fields) {
        if (fd.type == FieldType::Graphic)
            pictures.append(QStringLiteral("coalesce(length(%1), 0) > 0").arg(m_storage->column(fd.name)));
    }
    for (int f : fields) {
        const FieldDef &fd = m_def->fields[f];
        columns.append(fd.type == FieldType::Graphic ? QStringLiteral("NULL") : m_storage->column(fd.name));
    }
    if (pictures.isEmpty())
        pictures.append(QStringLiteral("1 = 0"));
    columns.prepend(m_storage->rowid(*m_def));
    QString stampAndCount = m_storage->stamp();
    if (count)
        stampAndCount += QStringLiteral(", (SELECT count(*) FROM %1)").arg(m_storage->table(*m_def));
    const QString sql = QStringLiteral("SELECT %1, (%2), %3 FROM %4%5")
                            .arg(columns.join(QStringLiteral(", ")), pictures.join(QStringLiteral(" OR ")),
                                 stampAndCount, m_storage->table(*m_def), tail);
    if (count)
        *count = 0;
    QVector<Row> rows;
    const int n = int(m_def->fields.size());
    const int k = int(fields.size());
    m_storage->run(m_connection, what, true, [&](QSqlQuery &q) {
        rows.clear();
        q.setForwardOnly(true);
        if (!q.exec(sql))
            return false;
        if (q.size() > 0)
            rows.reserve(q.size());
        while (q.next()) {
            Row row;
            row.rowid = q.value(0).toLongLong();
            row.picturesLoaded = !m_hasPictures;
            if (k > 0)   // rows read by no key but their identity keep no values until read
                row.values.resize(n);
            for (int i = 0; i < k; ++i)
                row.values[fields[i]] = q.value(i + 1);
            row.hasPicture = q.value(k + 1).toBool();
            row.stamp = q.value(k + 2).toLongLong();
            if (count)
                *count = q.value(k + 3).toLongLong();
            rows.append(std::move(row));
        }
        return !q.lastError().isValid();
    });
    return rows;
}

void Table::loadRows()
{
    // A file's change counter is read before the rows, so that a change committed meanwhile
    // is found at the next check. A server's rows carry their stamps: what they were read
    // at follows from the rows themselves.
    const bool stamped = m_storage->countsOwnWrites();
    DataVersion version = stamped ? DataVersion{0, 0} : dataVersion();
    m_hasPictures = false;
    for (const FieldDef &fd : m_def->fields)
        if (fd.type == FieldType::Graphic)
            m_hasPictures = true;
    const QString what = QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName);
    // In an order the storage follows, the first rows are the first page and the count
    // comes with them: nothing more is read until more rows are reached.
    m_ascending = m_storage->positionalOrder(*m_def, m_orderFields, false);
    m_descending = m_ascending.isEmpty() ? QString() : m_storage->positionalOrder(*m_def, m_orderFields, true);
    qint64 count = 0;
    QVector<Row> rows =
        m_ascending.isEmpty()
            ? readRows(what, allFields(), QStringLiteral(" LIMIT %1").arg(wholeReadRows + 1))
            : readRows(what, allFields(),
                       QStringLiteral(" ORDER BY %1 LIMIT %2").arg(m_ascending).arg(std::max(wholeReadRows + 1, pageRows)),
                       &count);
    m_allLoaded = rows.size() <= wholeReadRows;
    m_positional = !m_allLoaded && !m_ascending.isEmpty() && count >= rows.size() && count < INT_MAX;
    m_pagesRead = 0;
    m_pageReadFailed = false;
    m_keyFields.clear();
    if (m_positional) {
        const int read = int(rows.size());
        rows.resize(int(count));
        for (int i = read; i < rows.size(); ++i)
            rows[i].loaded = false;
    } else if (!m_allLoaded) {
        // The keys of every row, in one snapshot (a server's DataVersion is made of them).
        m_keyFields = m_orderFields;
        rows = readRows(what, m_keyFields, QString());
        for (Row &row : rows)
            row.loaded = false;
    }
    if (stamped) {
        version.counter = rows.size();
        for (const Row &row : rows)
            version.sum += row.stamp;
    }
    if (!m_positional)
        sortRows(rows);
    m_rows = std::move(rows);
    m_locateCache.clear();
    m_rowidIndex.clear();
    m_dataVersion = version;
}

void Table::fillRows(QVector<Row> &&read, const std::function<int(qint64)> &position) const
{
    // A row another program changed since the keys were read keeps the keys it is ordered
    // by; one it removed stays as read (the next check re-reads the rows).
    for (Row &fresh : read) {
        const int pos = position(fresh.rowid);
        if (pos < 0)
            continue;
        Row &row = m_rows[pos];
        if (row.loaded)
            continue;
        for (int f : m_keyFields)
            fresh.values[f] = row.values[f];
        row.values = std::move(fresh.values);
        row.hasPicture = fresh.hasPicture;
        row.loaded = true;
    }
}

void Table::loadPage(int pos) const
{
    if (m_allLoaded || pos < 0 || pos >= m_rows.size() || m_rows[pos].loaded)
        return;
    // A walk over many rows (a report of every game, a search) reads the rest at once
    // after a few pages, instead of a page at a time.
    if (++m_pagesRead > pagesBeforeTheRest) {
        loadAllRows();
        return;
    }
    // The page starts a little before the row reached, for a grid scrolled upwards.
    int first = std::max(0, pos - pageRows / 4);
    int end = std::min(int(m_rows.size()), first + pageRows);
    if (m_positional) {
        // A page at the end is a whole page too (a grid shown from its last row).
        first = std::max(0, std::min(first, end - pageRows));
        while (m_rows[first].loaded)
            ++first;
        while (m_rows[end - 1].loaded)
            --end;
        loadPositionalPage(first, end);
        return;
    }
    QStringList rowids;
    QHash<qint64, int> positions;
    for (int i = first; i < end; ++i) {
        if (!m_rows[i].loaded) {
            rowids.append(QString::number(m_rows[i].rowid));
            positions.insert(m_rows[i].rowid, i);
        }
    }
    fillRows(readRows(QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName), allFields(),
                      QStringLiteral(" WHERE %1 IN (%2)")
                          .arg(m_storage->rowid(*m_def), rowids.join(QLatin1Char(',')))),
             [&positions](qint64 rowid) { return positions.value(rowid, -1); });
    const int n = int(m_def->fields.size());
    for (int i = first; i < end; ++i) {
        m_rows[i].loaded = true;   // rows gone meanwhile keep their keys
        m_rows[i].values.resize(n);
    }
}

void Table::showPage(int pos) const
{
    if (!m_pageReadFailed) {
        try {
            loadPage(pos);
        } catch (const EngineError &) {
            m_pageReadFailed = true;
        }
    }
    if (pos >= 0 && pos < m_rows.size() && m_rows[pos].values.size() < m_def->fields.size())
        m_rows[pos].values.resize(m_def->fields.size());
}

void Table::loadPositionalPage(int first, int end) const
{
    // The identities of the page's rows are found through the order's index alone (an
    // offset from its start, or back from its end for a page nearer the end), then the rows
    // themselves by identity.
    const int count = int(m_rows.size());
    const bool fromEnd = first > count - end;
    const QString rowid = m_storage->rowid(*m_def);
    const QString page = QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT %4 OFFSET %5")
                             .arg(rowid, m_storage->table(*m_def), fromEnd ? m_descending : m_ascending)
                             .arg(end - first)
                             .arg(fromEnd ? count - end : first);
    fillPositions(first, readRows(QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName), allFields(),
                                  QStringLiteral(" WHERE %1 IN (%2) ORDER BY %3").arg(rowid, page, m_ascending)));
    const int n = int(m_def->fields.size());
    for (int i = first; i < end; ++i) {
        m_rows[i].loaded = true;   // rows gone meanwhile are shown empty
        m_rows[i].values.resize(n);
    }
}

void Table::fillPositions(int first, QVector<Row> &&read) const
{
    for (int i = 0; i < read.size() && first + i < m_rows.size(); ++i) {
        Row &row = m_rows[first + i];
        if (!row.loaded)
            row = std::move(read[i]);
    }
}

void Table::leavePositional(const QVector<int> &more)
{
    if (!m_positional)
        return;
    QVector<int> keys = m_orderFields;
    for (int f : more)
        if (!keys.contains(f))
            keys.append(f);
    // In the order the rows were read by, which is the engine's own: no sort is needed.
    QVector<Row> rows = readRows(QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName), keys,
                                 QStringLiteral(" ORDER BY ") + m_ascending);
    for (Row &row : rows)
        row.loaded = false;
    // The rows read so far keep their values; while no other program changed the rows,
    // each is where it was.
    QHash<qint64, int> read;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].loaded)
            read.insert(m_rows[i].rowid, i);
    bool samePlaces = rows.size() == m_rows.size();
    const qint64 currentRowid = m_current >= 0 && m_rows[m_current].loaded ? m_rows[m_current].rowid : -1;
    int current = -1;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].rowid == currentRowid)
            current = i;
        const auto it = read.constFind(rows[i].rowid);
        if (it == read.constEnd())
            continue;
        samePlaces = samePlaces && *it == i;
        rows[i] = std::move(m_rows[*it]);
    }
    samePlaces = samePlaces && (current == m_current || currentRowid < 0);
    if (!samePlaces)
        Q_EMIT rowsAboutToBeReset();
    m_rows = std::move(rows);
    m_keyFields = keys;
    m_positional = false;
    m_allLoaded = false;
    m_locateCache.clear();
    m_rowidIndex.clear();
    if (!samePlaces) {
        Q_EMIT rowsReset();
        if (current < 0 && !m_rows.isEmpty())
            current = std::clamp(m_current, 0, int(m_rows.size()) - 1);
        moveTo(current, current <= 0, m_rows.isEmpty(), true);
    }
}

void Table::readKeyFields(const QVector<int> &fields)
{
    if (m_allLoaded)
        return;
    if (m_positional) {
        leavePositional(fields);
        return;
    }
    QVector<int> wanted;
    for (int f : fields)
        if (!m_keyFields.contains(f) && !wanted.contains(f))
            wanted.append(f);
    if (wanted.isEmpty())
        return;
    const QVector<Row> read =
        readRows(QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName), wanted, QString());
    const int n = int(m_def->fields.size());
    for (const Row &fresh : read) {
        const int pos = positionOfRowid(fresh.rowid);
        if (pos < 0 || m_rows[pos].loaded)
            continue;   // a row added since stays unread until the rows are read again
        Row &row = m_rows[pos];
        row.values.resize(n);
        for (int f : wanted)
            row.values[f] = fresh.values[f];
    }
    m_keyFields += wanted;
}

int Table::positionOfRead(qint64 rowid)
{
    if (m_positional) {
        for (int i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].loaded && m_rows[i].rowid == rowid)
                return i;
        // Else its place is counted through the order's index: the rows before it.
        const int pos = orderedPosition(rowid);
        if (pos >= 0 && pos < m_rows.size()) {
            loadPage(pos);
            if (m_rows[pos].rowid == rowid)
                return pos;
        }
    }
    return positionOfRowid(rowid);
}

int Table::orderedPosition(qint64 rowid)
{
    const QString what = QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName);
    const QString id = m_storage->rowid(*m_def);
    QVariantList key;
    if (!m_orderFields.isEmpty()) {
        QStringList columns;
        for (int f : m_orderFields)
            columns.append(m_storage->column(m_def->fields[f].name));
        bool found = false;
        m_storage->run(m_connection, what, true, [&](QSqlQuery &q) {
            q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                          .arg(columns.join(QStringLiteral(", ")), m_storage->table(*m_def), id));
            q.addBindValue(rowid);
            if (!q.exec())
                return false;
            found = q.next();
            for (int i = 0; found && i < m_orderFields.size(); ++i)
                key.append(q.value(i));
            return true;
        });
        if (!found)
            return -1;
        for (const QVariant &v : key)
            if (v.isNull())   // a comparison with an empty value says nothing
                return -1;
    }
    key.append(rowid);
    QStringList marks;
    for (int i = 0; i < key.size(); ++i)
        marks.append(QStringLiteral("?"));
    int before = -1;
    m_storage->run(m_connection, what, true, [&](QSqlQuery &q) {
        q.prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE (%2) < (%3)")
                      .arg(m_storage->table(*m_def), m_ascending, marks.join(QStringLiteral(", "))));
        for (const QVariant &v : key)
            q.addBindValue(v);
        if (!q.exec() || !q.next())
            return false;
        before = q.value(0).toInt();
        return true;
    });
    return before;
}

qint64 Table::identityAt(int row) const
{
    if (!m_rows.at(row).loaded)
        showPage(row);
    return m_rows.at(row).rowid;
}

void Table::loadAllRows() const
{
    if (m_allLoaded)
        return;
    if (m_positional) {
        fillPositions(0, readRows(QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName), allFields(),
                                  QStringLiteral(" ORDER BY ") + m_ascending));
        const int n = int(m_def->fields.size());
        for (Row &row : m_rows) {
            row.loaded = true;
            row.values.resize(n);
        }
        m_positional = false;
        m_allLoaded = true;
        return;
    }
    auto *self = const_cast<Table *>(this);
    fillRows(readRows(QStringLiteral("A(z) %1 tábla nem olvasható").arg(m_tableName), allFields(), QString()),
             [self](qint64 rowid) { return self->positionOfRowid(rowid); });
    const int n = int(m_def->fields.size());
    for (Row &row : m_rows) {
        row.loaded = true;
        row.values.resize(n);
    }
    m_allLoaded = true;
}

void Table::reloadRows()
{
    const qint64 rowid = m_current >= 0 && m_current < m_rows.size() ? identityAt(m_current) : -1;
    const int oldPos = m_current;
    Q_EMIT rowsAboutToBeReset();
    try {
        loadRows();
    } catch (...) {
        Q_EMIT rowsReset();
        throw;
    }
    Q_EMIT rowsReset();
    int pos = rowid < 0 ? -1 : positionOfRead(rowid);
    if (pos < 0 && !m_rows.isEmpty())
        pos = std::clamp(oldPos, 0, int(m_rows.size()) - 1);
    if (m_rows.isEmpty())
        pos = -1;
    moveTo(pos, pos <= 0, m_rows.isEmpty(), true);
}

void Table::reloadIfChanged()
{
    if (dataVersion() != m_dataVersion)
        reloadRows();
}

bool Table::rowLess(const Row &a, const Row &b) const
{
    for (int index : m_orderFields) {
        const FieldType t = m_def->fields[index].type;
        const int c = compareSql(a.values[index], b.values[index],
                                 t == FieldType::String || t == FieldType::Memo);
        if (c != 0)
            return c < 0;
    }
    return a.rowid < b.rowid;
}

int Table::positionFor(const Row &row) const
{
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                                     [this](const Row &a, const Row &b) { return rowLess(a, b); });
    return int(it - m_rows.begin());
}

void Table::sortRows(QVector<Row> &rows) const
{
    // Sort keys are taken out of the variants once, so that the comparisons stay cheap.
    struct Key {
        int rank;
        double number;
        QString text;
    };
    const int k = int(m_orderFields.size());
    const int n = int(rows.size());
    if (k == 0) {
        std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.rowid < b.rowid; });
        return;
    }
    std::vector<Key> keys(size_t(n) * size_t(k));
    std::vector<bool> nocase(static_cast<size_t>(k));
    for (int f = 0; f < k; ++f) {
        const FieldType t = m_def->fields[m_orderFields[f]].type;
        nocase[size_t(f)] = t == FieldType::String || t == FieldType::Memo;
    }
    for (int r = 0; r < n; ++r) {
        for (int f = 0; f < k; ++f) {
            const QVariant &v = rows[r].values[m_orderFields[f]];
            Key &key = keys[size_t(r) * size_t(k) + size_t(f)];
            key.rank = typeRank(v);
            if (key.rank == 1)
                key.number = v.toDouble();
            else if (key.rank == 2)
                key.text = nocase[size_t(f)] ? asciiLower(v.toString()) : v.toString();
            else if (key.rank == 3)
                key.text = QString::fromLatin1(v.toByteArray().toHex());
        }
    }
    std::vector<int> order(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r)
        order[size_t(r)] = r;
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        for (int f = 0; f < k; ++f) {
            const Key &x = keys[size_t(a) * size_t(k) + size_t(f)];
            const Key &y = keys[size_t(b) * size_t(k) + size_t(f)];
            if (x.rank != y.rank)
                return x.rank < y.rank;
            if (x.rank == 1 && x.number != y.number)
                return x.number < y.number;
            if (x.rank >= 2) {
                const int c = x.text.compare(y.text);
                if (c != 0)
                    return c < 0;
            }
        }
        return rows[a].rowid < rows[b].rowid;
    });
    QVector<Row> sorted;
    sorted.reserve(n);
    for (int r : order)
        sorted.append(std::move(rows[r]));
    rows = std::move(sorted);
}

void Table::setOrder(const QVector<int> &fields)
{
    qint64 currentRowid = -1;
    if (active()) {
        checkBrowseMode();
        if (m_current >= 0)
            currentRowid = identityAt(m_current);
    }
    m_orderFields = fields;
    if (!active())
        return;
    Q_EMIT rowsAboutToBeReset();
    if (hasFields(fields)) {
        sortRows(m_rows);
    } else {
        try {
            loadRows();   // the keys of the new order
        } catch (...) {
            Q_EMIT rowsReset();
            throw;
        }
    }
    m_locateCache.clear();
    m_rowidIndex.clear();
    Q_EMIT rowsReset();
    int pos = currentRowid < 0 ? -1 : positionOfRead(currentRowid);
    if (pos < 0 && !m_rows.isEmpty())
        pos = 0;
    moveTo(pos, m_bof, m_eof, true);
}

QVector<int> Table::fieldIndexes(const QString &names) const
{
    QVector<int> result;
    const QStringList parts = names.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const int index = definition().fieldIndex(part.trimmed());
        if (index < 0)
            throw EngineError(QStringLiteral("A(z) %1 mező nem található a(z) %2 táblában.")
                                  .arg(quoted(part.trimmed()), m_tableName));
        result.append(index);
    }
    return result;
}

void Table::setIndexName(const QString &name)
{
    if (name.isEmpty()) {
        m_indexName.clear();
        if (m_indexFieldNames.isEmpty())
            setOrder({});
        return;
    }
    for (const IndexDef &idx : definition().indexes) {
        if (idx.name.compare(name, Qt::CaseInsensitive) == 0) {
            m_indexName = idx.name;
            m_indexFieldNames.clear();
            setOrder(fieldIndexes(idx.fields.join(QLatin1Char(';'))));
            return;
        }
    }
    throw EngineError(QStringLiteral("A(z) %1 index nem található a(z) %2 táblában.").arg(quoted(name), m_tableName));
}

void Table::setIndexFieldNames(const QString &fields)
{
    const QVector<int> order = fieldIndexes(fields);
    m_indexFieldNames = fields;
    m_indexName.clear();
    setOrder(order);
}

void Table::addRecordUpdater(const QObject *owner, std::function<void()> update)
{
    m_updaters.append(Updater{owner, std::move(update)});
}

void Table::removeRecordUpdaters(const QObject *owner)
{
    m_updaters.removeIf([owner](const Updater &u) { return u.owner == owner; });
}

void Table::updateRecord()
{
    if (!editing())
        return;
    const QVector<Updater> updaters = m_updaters;   // an updater may unregister another
    for (const Updater &u : updaters)
        u.update();
}

void Table::checkBrowseMode()
{
    if (editing()) {
        updateRecord();
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Table::moveTo(int index, bool bof, bool eof, bool forceSignal)
{
    const bool changed = index != m_current || bof != m_bof || eof != m_eof;
    m_current = index;
    m_bof = bof;
    m_eof = eof;
    if (changed || forceSignal)
        Q_EMIT currentChanged();
}

void Table::first()
{
    requireActive();
    checkBrowseMode();
    reloadIfChanged();
    moveTo(m_rows.isEmpty() ? -1 : 0, true, m_rows.isEmpty());
}

void Table::last()
{
    requireActive();
    checkBrowseMode();
    moveTo(int(m_rows.size()) - 1, m_rows.isEmpty(), true);
}

void Table::next()
{
    requireActive();
    checkBrowseMode();
    if (m_current + 1 >= m_rows.size()) {
        moveTo(m_current, m_bof, true);
        return;
    }
    moveTo(m_current + 1, false, false);
}

void Table::prior()
{
    requireActive();
    checkBrowseMode();
    if (m_current <= 0) {
        moveTo(m_current, true, m_eof);
        return;
    }
    moveTo(m_current - 1, false, false);
}

bool Table::isEmpty() const { return m_rows.isEmpty(); }

int Table::recordCount() const
{
    requireActive();
    return int(m_rows.size());
}

int Table::recNo() const { return m_current + 1; }

void Table::setRecNo(int recNo)
{
    requireActive();
    checkBrowseMode();
    if (recNo < 1 || recNo > m_rows.size())
        return;
    moveTo(recNo - 1, recNo == 1, recNo == m_rows.size());
}

int Table::positionOfRowid(qint64 rowid)
{
    leavePositional();
    if (m_rowidIndex.isEmpty() && !m_rows.isEmpty()) {
        m_rowidIndex.reserve(m_rows.size());
        for (int i = 0; i < m_rows.size(); ++i)
            m_rowidIndex.insert(m_rows[i].rowid, i);
    }
    return m_rowidIndex.value(rowid, -1);
}

int Table::findRow(const QString &fields, const QVariant &values, bool ignoreCase)
{
    const QVector<int> indexes = fieldIndexes(fields);
    if (indexes.isEmpty())
        return -1;
    QVariantList wanted;
    if (indexes.size() == 1)
        wanted.append(values.typeId() == QMetaType::QVariantList && values.toList().size() == 1
                          ? values.toList().first()
                          : values);
    else
        wanted = values.toList();
    if (wanted.size() != indexes.size())
        throw EngineError(QStringLiteral("A keresett értékek száma nem egyezik a mezők számával."));

    QStringList keyParts;
    for (int i = 0; i < indexes.size(); ++i) {
        bool ok;
        keyParts.append(locateKey(wanted[i], m_def->fields[indexes[i]].type, ignoreCase, &ok));
        if (!ok)
            return -1;
    }
    const QString key = keyParts.join(QChar(0x1F));

    QString cacheName;
    for (int index : indexes)
        cacheName += QString::number(index) + QLatin1Char(',');
    cacheName += ignoreCase ? QLatin1Char('i') : QLatin1Char('s');
    auto it = m_locateCache.find(cacheName);
    if (it == m_locateCache.end()) {
        // The fields looked for are read for every row, not whole rows.
        if (!hasFields(indexes))
            readKeyFields(indexes);
        // Walking backwards leaves the first row of the current order in the map.
        QHash<QString, int> first;
        first.reserve(m_rows.size());
        for (int r = int(m_rows.size()) - 1; r >= 0; --r) {
            QString rowKey;
            for (int i = 0; i < indexes.size(); ++i) {
                bool ok;
                if (i)
                    rowKey += QChar(0x1F);
                rowKey += locateKey(m_rows[r].values[indexes[i]], m_def->fields[indexes[i]].type,
                                    ignoreCase, &ok);
            }
            first.insert(rowKey, r);
        }
        it = m_locateCache.insert(cacheName, first);
    }
    return it->value(key, -1);
}

bool Table::locate(const QString &fields, const QVariant &values, LocateOption option)
{
    requireActive();
    checkBrowseMode();
    reloadIfChanged();
    const int pos = findRow(fields, values, option == LocateOption::CaseInsensitive);
    if (pos < 0)
        return false;
    moveTo(pos, false, false);
    return true;
}

QVariant Table::lookup(const QString &keyFields, const QVariant &keyValues, const QString &resultField)
{
    if (!active())
        return QVariant();
    const int result = definition().fieldIndex(resultField);
    if (result < 0)
        throw EngineError(QStringLiteral("A(z) %1 mező nem található a(z) %2 táblában.")
                              .arg(quoted(resultField), m_tableName));
    const int pos = findRow(keyFields, keyValues, false);
    if (pos < 0)
        return QVariant();
    showPage(pos);
    return m_rows[pos].values[result];
}

int Table::fieldCount() const { return int(definition().fields.size() + m_lookups.size()); }

Field Table::field(int index)
{
    if (index < 0 || index >= fieldCount())
        throw EngineError(QStringLiteral("Nincs ilyen mező: %1").arg(index));
    return Field(this, index);
}

int Table::fieldIndex(const QString &name) const
{
    const int stored = definition().fieldIndex(name);
    if (stored >= 0)
        return stored;
    for (int i = 0; i < m_lookups.size(); ++i)
        if (m_lookups[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(definition().fields.size()) + i;
    return -1;
}

Field Table::fieldByName(const QString &name)
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw EngineError(QStringLiteral("A(z) %1 mező nem található a(z) %2 táblában.").arg(quoted(name), m_tableName));
    return Field(this, index);
}

const QVector<QVariant> *Table::currentValues() const
{
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return &m_buffer;
    if (m_state == DataSetState::Browse && m_current >= 0 && m_current < m_rows.size())
        return &m_rows[m_current].values;
    return nullptr;
}

void Table::loadPictures(Row &row) const
{
    if (row.picturesLoaded)
        return;
    QStringList columns;
    QVector<int> indexes;
    for (int i = 0; i < m_def->fields.size(); ++i) {
        if (m_def->fields[i].type == FieldType::Graphic) {
            columns.append(m_storage->column(m_def->fields[i].name));
            indexes.append(i);
        }
    }
    m_storage->run(m_connection, QStringLiteral("A(z) %1 tábla képe nem olvasható").arg(m_tableName), true,
                   [&](QSqlQuery &q) {
                       q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                     .arg(columns.join(QStringLiteral(", ")), m_storage->table(*m_def),
                                          m_storage->rowid(*m_def)));
                       q.addBindValue(row.rowid);
                       if (!q.exec())
                           return false;
                       if (q.next())
                           for (int i = 0; i < indexes.size(); ++i)
                               row.values[indexes[i]] = q.value(i);
                       return true;
                   });
    row.picturesLoaded = true;
}

QVariant Table::valueOf(const QVector<QVariant> &values, const Row *row, int index) const
{
    const int stored = int(definition().fields.size());
    if (index < 0 || index >= fieldCount())
        return QVariant();
    if (row && !row->loaded)
        showPage(int(row - m_rows.constData()));
    if (index < stored) {
        if (m_def->fields[index].type == FieldType::Graphic && row)
            loadPictures(const_cast<Row &>(*row));
        const QVariant &v = values[index];
        if (v.isNull())
            return v;
        switch (m_def->fields[index].type) {
        case FieldType::Date:
            return v.typeId() == QMetaType::QDate ? v : QVariant(QDate::fromString(v.toString(), Qt::ISODate));
        case FieldType::Boolean:
            return QVariant(v.toBool());
        default:
            return v;
        }
    }
    const Lookup &lk = m_lookups[index - stored];
    const QVariant key = values[lk.keyIndex];
    if (key.isNull() || !lk.source)
        return QVariant();
    QVariant result = lk.source->lookup(lk.sourceKeyField, key, lk.resultField);
    if (result.isNull())
        return result;
    switch (lk.type) {
    case FieldType::String:
        return lk.size > 0 ? QVariant(leftCharacters(result.toString(), lk.size)) : result;
    case FieldType::Int16:
    case FieldType::Int32: {
        double d;
        return toReal(result, &d) ? QVariant(int(std::nearbyint(d))) : QVariant();
    }
    default:
        return result;
    }
}

QVariant Table::fieldValue(int index) const
{
    const QVector<QVariant> *values = currentValues();
    if (!values)
        return QVariant();
    const Row *row = values == &m_buffer ? nullptr : &m_rows[m_current];
    return valueOf(*values, row, index);
}

QVariant Table::valueAt(int row, int field) const
{
    if (!active() || row < 0 || row >= m_rows.size())
        return QVariant();
    return valueOf(m_rows[row].values, &m_rows[row], field);
}

QString Table::textAt(int row, int field) const
{
    if (field < 0 || field >= fieldCount())
        return QString();
    return plainText(fieldType(field), valueAt(row, field));
}

QString Table::displayTextAt(int row, int field) const
{
    if (!active() || row < 0 || row >= m_rows.size() || field < 0 || field >= fieldCount())
        return QString();
    const FieldType type = fieldType(field);
    if (type == FieldType::Graphic) {
        // The picture itself is not read for its caption.
        if (!m_rows[row].loaded)
            showPage(row);
        const Row &r = m_rows[row];
        const bool present = r.picturesLoaded ? !r.values[field].toByteArray().isEmpty() : r.hasPicture;
        return present ? QStringLiteral("(kép)") : QString();
    }
    if (type == FieldType::Memo)
        return valueAt(row, field).toString().section(QLatin1Char('\n'), 0, 0).trimmed();
    return shownText(type, valueAt(row, field));
}

QString Table::displayLabel(int field) const
{
    const int stored = int(definition().fields.size());
    if (field < 0 || field >= fieldCount())
        return QString();
    return field < stored ? m_def->fields[field].displayLabel() : m_lookups[field - stored].name;
}

FieldType Table::fieldType(int field) const
{
    const int stored = int(definition().fields.size());
    return field < stored ? m_def->fields[field].type : m_lookups[field - stored].type;
}

bool Table::isReadOnlyField(int field) const
{
    const int stored = int(definition().fields.size());
    return field >= stored || m_def->fields[field].type == FieldType::AutoInc;
}

int Table::sourceFieldOf(int field) const
{
    const int stored = int(definition().fields.size());
    if (field < stored)
        return field;
    if (field - stored < m_lookups.size())
        return m_lookups[field - stored].keyIndex;
    return -1;
}

QString Table::fieldTitle(int index) const
{
    const FieldDef &fd = m_def->fields[index];
    if (fd.label.isEmpty() || fd.label == fd.name)
        return quoted(fd.name);
    return QStringLiteral("%1 (%2)").arg(quoted(fd.label), fd.name);
}

void Table::refresh()
{
    requireActive();
    checkBrowseMode();
    reloadRows();
}

void Table::forgetRows(const QSet<qint64> &rowids)
{
    leavePositional();
    if (m_state == DataSetState::Edit && m_current >= 0 && rowids.contains(m_rows[m_current].rowid))
        cancel();
    const qint64 currentRowid = m_current >= 0 && m_current < m_rows.size() ? m_rows[m_current].rowid : -1;
    int before = 0;   // rows removed in front of the current one
    for (int i = 0; i < m_current && i < m_rows.size(); ++i)
        if (rowids.contains(m_rows[i].rowid))
            ++before;
    // Removed from the end, one run of neighbouring rows at a time, so that every notice
    // names positions that are still valid.
    for (int last = int(m_rows.size()) - 1; last >= 0; --last) {
        if (!rowids.contains(m_rows[last].rowid))
            continue;
        int first = last;
        while (first > 0 && rowids.contains(m_rows[first - 1].rowid))
            --first;
        Q_EMIT rowsAboutToBeRemoved(first, last);
        if (m_storage && m_storage->countsOwnWrites()) {
            for (int i = first; i <= last; ++i) {
                --m_dataVersion.counter;
                m_dataVersion.sum -= m_rows[i].stamp;
            }
        }
        m_rows.remove(first, last - first + 1);
        m_locateCache.clear();
        m_rowidIndex.clear();
        Q_EMIT rowsRemoved(first, last);
        last = first;
    }
    const bool currentGone = currentRowid >= 0 && rowids.contains(currentRowid);
    int pos = m_current - before;
    if (currentGone)
        pos = std::min(pos, int(m_rows.size()) - 1);
    if (m_rows.isEmpty())
        pos = -1;
    moveTo(pos, pos <= 0, m_rows.isEmpty(), currentGone);
}

}  // namespace zdb
