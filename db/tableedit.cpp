// Editing a table: the edit buffer, its checks, posting a row and deleting one.

#include "db/table.h"

#include "db/fieldvalue.h"

#include <QLocale>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zdb {

void Table::setFieldValue(int index, const QVariant &value)
{
    requireActive();
    const int stored = int(definition().fields.size());
    if (index >= stored)
        throw EngineError(QStringLiteral("A(z) %1 mező nem módosítható.").arg(quoted(m_lookups[index - stored].name)));
    const FieldDef &fd = m_def->fields[index];
    if (fd.type == FieldType::AutoInc)
        throw EngineError(QStringLiteral("A(z) %1 mező csak olvasható.").arg(fieldTitle(index)));
    if (!editing())
        throw EngineError(QStringLiteral("A(z) %1 tábla nincs szerkesztés alatt.").arg(m_tableName));
    m_buffer[index] = value;
    m_modified = true;
    Q_EMIT dataChanged(index);
}

void Table::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void Table::edit()
{
    requireActive();
    if (editing())
        return;
    if (m_rows.isEmpty()) {
        insert();
        return;
    }
    requireModifiable();
    loadPage(m_current);
    loadPictures(m_rows[m_current]);   // the buffer is written back whole on post
    m_buffer = m_rows[m_current].values;
    m_modified = false;
    setState(DataSetState::Edit);
}

void Table::append()
{
    insert();
    m_bof = false;
    m_eof = true;
}

void Table::insert()
{
    requireActive();
    checkBrowseMode();
    requireModifiable();
    m_buffer = QVector<QVariant>(m_def->fields.size());
    m_modified = false;
    m_insertIdentity = 0;
    setState(DataSetState::Insert);
    Q_EMIT dataChanged(-1);
}

QVariant Table::validated(int index, const QVariant &value) const
{
    const FieldDef &fd = m_def->fields[index];
    const bool empty = value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()) ||
                       (value.typeId() == QMetaType::QByteArray && value.toByteArray().isEmpty());
    if (empty) {
        if (fd.required)
            throw EngineError(QStringLiteral("A(z) %1 mező kitöltése kötelező (%2 tábla).")
                                  .arg(fieldTitle(index), m_tableName));
        return QVariant();
    }
    switch (fd.type) {
    case FieldType::AutoInc:
        return value;
    case FieldType::String:
    case FieldType::Memo: {
        // Stored as UTF-8 in both kinds of storage: half of a surrogate pair has no UTF-8
        // form, so it is kept as the replacement character rather than as broken bytes.
        const QString s = withoutLoneSurrogates(value.typeId() == QMetaType::QByteArray
                                                    ? QString::fromUtf8(value.toByteArray())
                                                    : value.toString());
        const int length = characterCount(s);
        if (fd.type == FieldType::String && fd.size > 0 && length > fd.size)
            throw EngineError(QStringLiteral("A(z) %1 mező legfeljebb %2 karakter lehet; a megadott szöveg "
                                             "%3 karakteres.")
                                  .arg(fieldTitle(index)).arg(fd.size).arg(length));
        return s;
    }
    case FieldType::Int16:
    case FieldType::Int32: {
        qint64 n;
        if (!toWholeNumber(value, &n))
            throw EngineError(QStringLiteral("A(z) %1 mező értéke nem egész szám: %2")
                                  .arg(fieldTitle(index), value.toString()));
        const qint64 lo = fd.type == FieldType::Int16 ? -32768 : std::numeric_limits<qint32>::min();
        const qint64 hi = fd.type == FieldType::Int16 ? 32767 : std::numeric_limits<qint32>::max();
        if (n < lo || n > hi)
            throw EngineError(QStringLiteral("A(z) %1 mező értéke %2 és %3 között lehet; a megadott érték: %4")
                                  .arg(fieldTitle(index)).arg(lo).arg(hi).arg(n));
        checkRange(index, double(n), value);
        return QVariant(n);
    }
    case FieldType::Float:
    case FieldType::Money: {
        double d;
        if (!toReal(value, &d))
            throw EngineError(QStringLiteral("A(z) %1 mező értéke nem szám: %2")
                                  .arg(fieldTitle(index), value.toString()));
        checkRange(index, d, value);
        return QVariant(d);
    }
    case FieldType::Boolean: {
        if (value.typeId() == QMetaType::Bool)
            return QVariant(qint64(value.toBool()));
        qint64 n;
        if (toWholeNumber(value, &n) && (n == 0 || n == 1))
            return QVariant(n);
        const QString s = value.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("igaz"))
            return QVariant(qint64(1));
        if (s == QLatin1String("false") || s == QLatin1String("hamis"))
            return QVariant(qint64(0));
        throw EngineError(QStringLiteral("A(z) %1 mező értéke nem logikai érték: %2")
                              .arg(fieldTitle(index), value.toString()));
    }
    case FieldType::Date: {
        QDate d;
        if (value.typeId() == QMetaType::QDate)
            d = value.toDate();
        else if (value.typeId() == QMetaType::QDateTime)
            d = value.toDateTime().date();
        else
            d = QDate::fromString(value.toString().trimmed(), Qt::ISODate);
        if (!d.isValid())
            throw EngineError(QStringLiteral("A(z) %1 mező értéke nem dátum: %2")
                                  .arg(fieldTitle(index), value.toString()));
        return QVariant(d.toString(Qt::ISODate));
    }
    case FieldType::Graphic:
        if (value.typeId() != QMetaType::QByteArray)
            throw EngineError(QStringLiteral("A(z) %1 mező csak képet tárolhat.").arg(fieldTitle(index)));
        return value;
    }
    return value;
}

void Table::checkRange(int index, double number, const QVariant &given) const
{
    const FieldDef &fd = m_def->fields[index];
    if (!fd.range || (number >= fd.range->low && number <= fd.range->high))
        return;
    // The figures as a Hungarian reader writes them; the value as it was typed.
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    const auto figure = [&](double x) { return hungarian.toString(x, 'f', x == std::floor(x) ? 0 : 2); };
    const QString unit = fd.range->unit.isEmpty() ? QString() : QLatin1Char(' ') + fd.range->unit;
    // A number beyond any figure of the game (a long row of digits pasted into a number
    // field) is told by its length rather than in exponent notation.
    const auto shownNumber = [&]() -> QString {
        if (!std::isfinite(number))
            return QStringLiteral("nem szám");
        if (std::fabs(number) < 1e15)
            return figure(number);
        return QStringLiteral("egy %1 jegyű szám").arg(int(std::floor(std::log10(std::fabs(number)))) + 1);
    };
    const QString shown = given.typeId() == QMetaType::QString ? given.toString().trimmed() : shownNumber();
    throw EngineError(QStringLiteral("A(z) %1 mező értéke %2 és %3%4 között lehet; a megadott érték: %5")
                          .arg(fieldTitle(index), figure(fd.range->low), figure(fd.range->high), unit, shown));
}

void Table::post()
{
    requireActive();
    if (!editing())
        throw EngineError(QStringLiteral("A(z) %1 tábla nincs szerkesztés alatt.").arg(m_tableName));
    updateRecord();
    requireModifiable();
    if (m_beforePost)
        m_beforePost(*this);
    // The posted row takes its place among the others by its keys.
    leavePositional();

    const bool inserting = m_state == DataSetState::Insert;
    Row row;
    row.values = validatedValues();
    RowWrite write;
    write.kind = inserting ? RowWriteKind::Insert : RowWriteKind::Edit;
    if (!inserting)
        write.before = m_rows[m_current].values;   // read whole by edit()
    if (m_writeWatch.beforeWrite)
        m_writeWatch.beforeWrite(*this, write.kind);
    if (inserting) {
        row.rowid = insertRow(row.values, &row.stamp);
    } else {
        row.rowid = m_rows[m_current].rowid;
        if (!updateRow(row.rowid, row.values, &row.stamp))
            dropEditOfRemovedRow();
    }
    const int autoInc = m_def->autoIncIndex();
    if (autoInc >= 0)
        row.values[autoInc] = inserting ? QVariant(row.rowid) : m_rows[m_current].values[autoInc];
    countOwnWrite(inserting, row.stamp);

    for (int i = 0; i < m_def->fields.size(); ++i)
        if (m_def->fields[i].type == FieldType::Graphic && !row.values[i].toByteArray().isEmpty())
            row.hasPicture = true;
    const QVector<QVariant> typed = m_buffer;
    const QVector<QVariant> stored = row.values;
    write.rowid = row.rowid;
    m_insertIdentity = 0;
    const int pos = inserting ? insertPostedRow(std::move(row)) : replacePostedRow(std::move(row));
    leaveEditAfterPost(pos, inserting, typed, stored);
    if (m_writeWatch.afterWrite) {
        write.after = stored;
        m_writeWatch.afterWrite(*this, write);
    }
}

QVector<QVariant> Table::validatedValues() const
{
    const int n = int(m_def->fields.size());
    const int autoInc = m_def->autoIncIndex();
    QVector<QVariant> values(n);
    for (int i = 0; i < n; ++i)
        if (i != autoInc)
            values[i] = validated(i, m_buffer[i]);
    return values;
}

QStringList Table::writtenColumns() const
{
    QStringList columns;
    const int autoInc = m_def->autoIncIndex();
    for (int i = 0; i < m_def->fields.size(); ++i)
        if (i != autoInc)
            columns.append(m_storage->column(m_def->fields[i].name));
    return columns;
}

int Table::bindWrittenValues(QSqlQuery &q, const QVector<QVariant> &values) const
{
    const int autoInc = m_def->autoIncIndex();
    int position = 0;
    for (int i = 0; i < values.size(); ++i)
        if (i != autoInc)
            q.bindValue(position++, values[i]);
    return position;
}

qint64 Table::insertRow(const QVector<QVariant> &values, qint64 *stamp)
{
    QStringList columns = writtenColumns();
    if (m_insertIdentity > 0)
        columns.append(m_storage->rowid(*m_def));
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(m_storage->table(*m_def), columns.join(QStringLiteral(", ")),
                           marks.join(QStringLiteral(", ")));
    const bool returnsRowid = m_storage->insertReturnsRowid();
    if (returnsRowid)
        sql += QStringLiteral(" RETURNING %1, %2").arg(m_storage->rowid(*m_def), m_storage->stamp());
    qint64 rowid = 0;
    *stamp = 0;
    // One statement, committed on its own: the row is stored whole or not at all.
    m_storage->runPrepared(m_connection, QStringLiteral("A rekord nem menthető a(z) %1 táblába").arg(m_tableName),
                           false, sql, [&](QSqlQuery &q) {
                               const int bound = bindWrittenValues(q, values);
                               if (m_insertIdentity > 0)
                                   q.bindValue(bound, m_insertIdentity);
                               if (!q.exec())
                                   return false;
                               if (returnsRowid) {
                                   if (!q.next())
                                       return false;
                                   rowid = q.value(0).toLongLong();
                                   *stamp = q.value(1).toLongLong();
                               } else {
                                   rowid = q.lastInsertId().toLongLong();
                               }
                               q.finish();
                               return true;
                           });
    return rowid;
}

bool Table::updateRow(qint64 rowid, const QVector<QVariant> &values, qint64 *stamp)
{
    QStringList sets;
    for (const QString &c : writtenColumns())
        sets.append(c + QStringLiteral(" = ?"));
    QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                      .arg(m_storage->table(*m_def), sets.join(QStringLiteral(", ")), m_storage->rowid(*m_def));
    const bool returnsStamp = m_storage->countsOwnWrites();
    if (returnsStamp)
        sql += QStringLiteral(" RETURNING ") + m_storage->stamp();
    int affected = 0;
    *stamp = 0;
    // One statement, committed on its own: the row is stored whole or not at all.
    m_storage->runPrepared(m_connection, QStringLiteral("A rekord nem menthető a(z) %1 táblába").arg(m_tableName),
                           false, sql, [&](QSqlQuery &q) {
                               q.bindValue(bindWrittenValues(q, values), rowid);
                               if (!q.exec())
                                   return false;
                               affected = q.numRowsAffected();
                               if (returnsStamp) {
                                   affected = q.next() ? 1 : 0;
                                   if (affected)
                                       *stamp = q.value(0).toLongLong();
                               }
                               q.finish();
                               return true;
                           });
    return affected != 0;
}

void Table::dropEditOfRemovedRow()
{
    // Another program removed the row: the edit has nowhere to go. The table shows the
    // file as it is now; nothing else is touched.
    m_buffer.clear();
    m_modified = false;
    setState(DataSetState::Browse);
    Q_EMIT dataChanged(-1);
    reloadRows();
    throw EngineError(QStringLiteral("A módosítás nem menthető, mert ezt a sort időközben egy másik program "
                                     "(egy másik játék vagy a karbantartó program) törölte a(z) %1 "
                                     "táblából. A tábla többi adata nem változott.")
                          .arg(m_tableName));
}

void Table::countOwnWrite(bool inserting, qint64 stamp)
{
    // The table's own write is no change by another program.
    if (!m_storage->countsOwnWrites())
        return;
    if (inserting)
        ++m_dataVersion.counter;
    else
        m_dataVersion.sum -= m_rows[m_current].stamp;
    m_dataVersion.sum += stamp;
}

int Table::insertPostedRow(Row &&row)
{
    const int pos = positionFor(row);
    Q_EMIT rowsAboutToBeInserted(pos, pos);
    m_rows.insert(pos, std::move(row));
    m_locateCache.clear();
    m_rowidIndex.clear();
    Q_EMIT rowsInserted(pos, pos);
    return pos;
}

int Table::replacePostedRow(Row &&row)
{
    // Where the row belongs among the others once its order fields changed.
    const int from = m_current;
    Row old = std::move(m_rows[from]);
    m_rows.removeAt(from);
    const int pos = positionFor(row);
    m_rows.insert(from, std::move(old));
    if (pos == from) {
        m_rows[from] = std::move(row);
        m_locateCache.clear();
        Q_EMIT rowChanged(from);
    } else {
        Q_EMIT rowAboutToBeMoved(from, pos);
        m_rows.removeAt(from);
        m_rows.insert(pos, std::move(row));
        m_locateCache.clear();
        m_rowidIndex.clear();
        Q_EMIT rowMoved(from, pos);
        Q_EMIT rowChanged(pos);
    }
    return pos;
}

void Table::leaveEditAfterPost(int pos, bool inserting, const QVector<QVariant> &typed,
                               const QVector<QVariant> &stored)
{
    m_buffer.clear();
    m_modified = false;
    setState(DataSetState::Browse);
    // A row edited in its place keeps the position flags; a new or moved row clears them.
    const bool inPlace = !inserting && pos == m_current;
    moveTo(pos, inPlace && m_bof, inPlace && m_eof, inserting);
    // Only the fields whose stored value differs from what was typed are shown again
    // (the new key, a number typed as text, a date).
    for (int i = 0; i < stored.size(); ++i)
        if (typed[i] != stored[i])
            Q_EMIT dataChanged(i);
}

void Table::cancel()
{
    requireActive();
    if (!editing())
        return;
    m_buffer.clear();
    m_modified = false;
    m_insertIdentity = 0;
    const int current = std::min(m_current, int(m_rows.size()) - 1);
    setState(DataSetState::Browse);
    moveTo(current, m_bof, m_rows.isEmpty());
    Q_EMIT dataChanged(-1);
}

void Table::removeRowAt(int pos)
{
    Q_EMIT rowsAboutToBeRemoved(pos, pos);
    m_rows.removeAt(pos);
    m_locateCache.clear();
    m_rowidIndex.clear();
    Q_EMIT rowsRemoved(pos, pos);
}

void Table::deleteRecord()
{
    requireActive();
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (m_state == DataSetState::Edit)
        cancel();
    if (m_rows.isEmpty() || m_current < 0)
        throw EngineError(QStringLiteral("A(z) %1 tábla üres, nincs törölhető rekord.").arg(m_tableName));
    requireModifiable();
    const qint64 rowid = identityAt(m_current);
    RowWrite write;
    write.kind = RowWriteKind::Delete;
    write.rowid = rowid;
    if (m_writeWatch.afterWrite) {
        // The watcher is told the whole row, pictures too.
        loadPage(m_current);
        loadPictures(m_rows[m_current]);
        write.before = m_rows[m_current].values;
    }
    if (m_writeWatch.beforeWrite)
        m_writeWatch.beforeWrite(*this, write.kind);
    m_storage->runPrepared(m_connection, QStringLiteral("A rekord nem törölhető a(z) %1 táblából").arg(m_tableName),
                           false,
                           QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                               .arg(m_storage->table(*m_def), m_storage->rowid(*m_def)),
                           [&](QSqlQuery &q) {
                               q.bindValue(0, rowid);
                               return q.exec();
                           });
    if (m_storage->countsOwnWrites()) {
        --m_dataVersion.counter;
        m_dataVersion.sum -= m_rows[m_current].stamp;
    }
    removeRowAt(m_current);
    const int current = std::min(m_current, int(m_rows.size()) - 1);
    moveTo(current, current <= 0, m_rows.isEmpty() || current == m_rows.size() - 1, true);
    if (m_writeWatch.afterWrite)
        m_writeWatch.afterWrite(*this, write);
}

}  // namespace zdb
