#pragma once
// A table of an alias: its rows in the current order, the current row and its edit buffer,
// lookup fields, and the notices views follow the rows by. Reading, ordering, moving and
// the fields are in table.cpp; editing, posting and deleting in tableedit.cpp.

#include "db/engineerror.h"
#include "db/field.h"
#include "db/tabledef.h"
#include "db/storage.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace zdb {

class Session;
class Table;

enum class DataSetState { Inactive, Browse, Edit, Insert };
enum class LocateOption { None, CaseInsensitive };

// What a write did to one stored row, as told to the table's write watcher.
enum class RowWriteKind { Insert, Edit, Delete };
struct RowWrite {
    RowWriteKind kind = RowWriteKind::Edit;
    qint64 rowid = 0;                 // the row's identity (the storage's rowid)
    QVector<QVariant> before;         // the stored values before (empty for an insert)
    QVector<QVariant> after;          // the stored values after (empty for a delete)
};
// Told about every post and delete of one table: `beforeWrite` just before the row is written
// (it may refuse the write by throwing), `afterWrite` once it is stored.
struct WriteWatch {
    std::function<void(Table &, RowWriteKind)> beforeWrite;
    std::function<void(Table &, const RowWrite &)> afterWrite;
};

class Table : public QObject {
    Q_OBJECT
public:
    explicit Table(Session *session, QObject *parent = nullptr);
    ~Table() override;

    Session *session() const { return m_session; }
    void setAliasName(const QString &alias);        // only while closed
    QString aliasName() const { return m_alias; }
    void setTableName(const QString &fileName);     // a file name of the session's tables
    QString tableName() const { return m_tableName; }
    const TableDef &definition() const;             // throws when the table name is unknown
    // The table file of a folder alias; empty on a server.
    QString filePath() const { return m_filePath; }
    // The name open tables over the same stored table share (Storage::tableKey).
    QString storageKey() const { return m_storageKey; }
    // Where the table is kept (null while closed).
    Storage *storage() const { return m_storage.get(); }

    // Lookup fields computed from another table's rows (the source is not moved).
    void addLookupField(const QString &name, FieldType type, int size, const QString &keyField,
                        Table *source, const QString &sourceKeyField, const QString &resultField);

    // A table of up to `wholeRows` rows is read whole when opened; a larger one is read by its
    // keys (what orders, counts and places its rows), and the rest of its rows `pageRows` at
    // a time as they are reached. For every table opened after the call.
    static constexpr int defaultReadRows = 256;
    static void setReadLimits(int wholeRows = defaultReadRows, int pageRows = defaultReadRows);

    void open();
    void close();                 // closing a closed table does nothing
    void setActive(bool active) { active ? open() : close(); }
    bool active() const { return m_state != DataSetState::Inactive; }
    DataSetState state() const { return m_state; }
    bool editing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }
    // False when the table's file or its folder cannot be written: edits are then refused
    // before they start, and navigators disable their editing buttons.
    bool canModify() const { return active() && m_canModify; }

    // Row order: an index of the schema, or field names separated by ";"; both empty
    // means the stored order.
    void setIndexName(const QString &name);
    QString indexName() const { return m_indexName; }
    void setIndexFieldNames(const QString &fields);
    QString indexFieldNames() const { return m_indexFieldNames; }

    // first() and locate() first re-read the rows when another program changed the file.
    void first();
    void prior();
    void next();
    void last();
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const;
    int recordCount() const;
    int recNo() const;                 // 1-based position of the current row, 0 when empty
    void setRecNo(int recNo);
    int currentRow() const { return m_current; }   // 0-based, -1 when empty

    // Fields separated by ";" and one value per field (a QVariantList for several).
    bool locate(const QString &fields, const QVariant &values,
                LocateOption option = LocateOption::None);
    // The value of a result field in the first row matching, without moving (null when none).
    QVariant lookup(const QString &keyFields, const QVariant &keyValues, const QString &resultField);

    // Any stored row, by its 0-based position in the current order, read without moving
    // and without regard to an edit in progress. Lookup fields are computed.
    QVariant valueAt(int row, int field) const;
    QString textAt(int row, int field) const;          // as Field::asString()
    QString displayTextAt(int row, int field) const;   // as Field::displayText()

    int fieldCount() const;            // stored fields followed by lookup fields
    Field field(int index);
    Field fieldByName(const QString &name);   // throws when there is no such field
    int fieldIndex(const QString &name) const;  // -1 when absent
    QVariant fieldValue(int index) const;
    QString displayLabel(int field) const;
    FieldType fieldType(int field) const;
    bool isReadOnlyField(int field) const;
    // The stored field a lookup field is computed from; the field itself for a stored one.
    int sourceFieldOf(int field) const;

    void edit();
    void append();
    void insert();
    void post();
    void cancel();
    void deleteRecord();
    void refresh();
    // Drops rows that a statement removed from the file.
    void forgetRows(const QSet<qint64> &rowids);
    bool modified() const { return m_modified; }
    // The watcher of this table's writes (none by default).
    void setWriteWatch(WriteWatch watch) { m_writeWatch = std::move(watch); }
    // The 0-based position of the row of an identity in the current order, -1 when absent,
    // and the identity of a row by its position.
    int rowOfIdentity(qint64 rowid) { return positionOfRowid(rowid); }
    qint64 identityAt(int row) const;
    // In Insert state: the new row is written with this identity (a row put back where it
    // was) rather than with a new one; 0 gives it a new one.
    void setInsertIdentity(qint64 rowid) { m_insertIdentity = rowid; }
    // A check run at the start of every post (the program's own rules for a row); it
    // refuses the row by throwing, which leaves the table in its edit state.
    void setBeforePost(std::function<void(Table &)> check) { m_beforePost = std::move(check); }

    // Calls made, in order of registration, before the record is posted or left: data
    // sources hand their controls' pending typed text over to the edit buffer there.
    // They are plain calls, so an error they raise stops the post or the move.
    void addRecordUpdater(const QObject *owner, std::function<void()> update);
    void removeRecordUpdaters(const QObject *owner);
    void updateRecord();

    // Called by Field.
    void setFieldValue(int index, const QVariant &value);

Q_SIGNALS:
    void activeChanged(bool active);
    void stateChanged(zdb::DataSetState state);
    // Another record became current, or the position flags (bof, eof) changed.
    void currentChanged();
    // Values of the current record (the row or the edit buffer) changed: one field, or
    // every field (-1), as when an edit is cancelled or an empty row is started.
    void dataChanged(int field);

    // Row-level notices about the stored rows, in the current order.
    void rowChanged(int row);
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    // One row moves from `from` to `to` (its position once moved), e.g. after an edit of a
    // field of the order.
    void rowAboutToBeMoved(int from, int to);
    void rowMoved(int from, int to);
    // The whole row set is replaced (opened, closed, re-read, re-ordered).
    void rowsAboutToBeReset();
    void rowsReset();

private:
    struct Row {
        qint64 rowid = 0;
        QVector<QVariant> values;
        bool picturesLoaded = true;   // picture fields are read from the file on first use
        bool hasPicture = false;      // whether a picture field holds something, known without reading it
        qint64 stamp = 0;             // the stored row version's stamp (Storage::stamp)
        // False while only the row's keys are read (its identity, stamp, picture flag and the
        // fields of the order it was read for); the rest is read with its page.
        bool loaded = true;
    };
    struct Lookup {
        QString name;
        FieldType type;
        int size;
        int keyIndex;
        QPointer<Table> source;
        QString sourceKeyField;
        QString resultField;
    };
    struct Updater {
        const QObject *owner;
        std::function<void()> update;
    };

    void requireActive() const;
    void requireModifiable() const;
    void loadRows();
    // The rows a query gives: its columns are the rowid, `fields` (stored field indexes),
    // whether the row has a picture, and its stamp. Fields not given stay null.
    // With `count`, also how many rows the table has, in the same reading.
    QVector<Row> readRows(const QString &what, const QVector<int> &fields, const QString &where,
                          qint64 *count = nullptr) const;
    QVector<int> allFields() const;
    // The page of rows around `pos` read when one of them is reached, and every row that is
    // not yet read (for a search over fields that were not read with the keys).
    void loadPage(int pos) const;
    void loadAllRows() const;
    // A table read by position: rows [first, end) of the order, read as one page.
    void loadPositionalPage(int first, int end) const;
    void fillPositions(int first, QVector<Row> &&read) const;
    // Ends reading by position: every row's keys are read (with their identities), and the
    // fields `more` with them, the rows read so far kept. Needed before what places a row by
    // its keys or finds it by its identity or by fields (a post, a search, a row put back).
    void leavePositional(const QVector<int> &more = {});
    // Reads the fields `fields` of every row not read whole, as keys (a search over them).
    void readKeyFields(const QVector<int> &fields);
    // The position of a row by its identity, looked for among the rows read first when the
    // table is read by position.
    int positionOfRead(qint64 rowid);
    // The place of a row in the positional order, counted by the storage; -1 when it is
    // not found or cannot be counted so.
    int orderedPosition(qint64 rowid);
    // The same for a value shown (a grid's cell, a control's text), which cannot throw: a
    // page that cannot be read leaves its rows unread and shown empty, and no page is tried
    // again until the rows are re-read; an edit of such a row tries and says why it fails.
    void showPage(int pos) const;
    void fillRows(QVector<Row> &&read, const std::function<int(qint64)> &position) const;
    bool hasFields(const QVector<int> &fields) const;   // read for every row
    void reloadRows();
    void reloadIfChanged();
    DataVersion dataVersion() const;
    void sortRows(QVector<Row> &rows) const;
    bool rowLess(const Row &a, const Row &b) const;
    int positionFor(const Row &row) const;
    void setOrder(const QVector<int> &fields);
    QVector<int> fieldIndexes(const QString &names) const;
    void checkBrowseMode();
    void moveTo(int index, bool bof, bool eof, bool forceSignal = false);
    void setState(DataSetState state);
    int positionOfRowid(qint64 rowid);
    int findRow(const QString &fields, const QVariant &values, bool ignoreCase);
    QVariant validated(int index, const QVariant &value) const;
    // Refuses a number outside the field's range (`given` is the value as set, for the message).
    void checkRange(int index, double number, const QVariant &given) const;
    QString fieldTitle(int index) const;
    const QVector<QVariant> *currentValues() const;
    QVariant valueOf(const QVector<QVariant> &values, const Row *row, int index) const;
    void loadPictures(Row &row) const;
    void removeRowAt(int pos);
    // The steps of post(): the edit buffer's values checked and converted to what is
    // stored, the row written (a new one, or the current one over its old values), the
    // table's own write counted, and the stored row put in its place among the rows, with
    // the notices.
    QVector<QVariant> validatedValues() const;
    QStringList writtenColumns() const;   // every stored field but the auto-increment key
    int bindWrittenValues(QSqlQuery &q, const QVector<QVariant> &values) const;   // returns the count
    qint64 insertRow(const QVector<QVariant> &values, qint64 *stamp);             // returns the rowid
    bool updateRow(qint64 rowid, const QVector<QVariant> &values, qint64 *stamp); // false: row gone
    // Another program removed the edited row: drops the edit, re-reads the rows and throws.
    [[noreturn]] void dropEditOfRemovedRow();
    void countOwnWrite(bool inserting, qint64 stamp);
    int insertPostedRow(Row &&row);    // return the row's position
    int replacePostedRow(Row &&row);
    void leaveEditAfterPost(int pos, bool inserting, const QVector<QVariant> &typed,
                            const QVector<QVariant> &stored);
    // While a storage puts new files in place of this table's: the connection is given back
    // (an open file cannot be renamed on Windows), the rows stay; then taken again and the
    // rows re-read, with the reset notices.
    void releaseConnection();
    void retakeConnection();

    bool m_hasPictures = false;
    std::function<void(Table &)> m_beforePost;
    WriteWatch m_writeWatch;
    qint64 m_insertIdentity = 0;

    Session *m_session;
    QString m_alias;
    QString m_tableName;
    QString m_filePath;
    QString m_storageKey;
    std::shared_ptr<Storage> m_storage;
    QString m_connection;
    std::optional<TableDef> m_def;  // the session's definition, taken when the table is named
    QVector<Lookup> m_lookups;
    QVector<int> m_orderFields;     // field indexes of the current order; empty: stored order
    QString m_indexName;
    QString m_indexFieldNames;

    // Every row, in the current order. A small table is read whole when opened; a larger
    // one by its keys (enough to order, count, move and find rows by position), and the
    // rest of each row a page at a time as it is reached (loadPage).
    mutable QVector<Row> m_rows;
    QVector<int> m_keyFields;       // the stored fields read for every row; empty when all are
    mutable bool m_allLoaded = true;
    // Rows read by position: a table in an order the storage follows (positionalOrder) opens
    // with its count and its first page only; a row not read yet has no identity. Its
    // position is its place in the stored order as long as only this table changes the rows
    // by deleting them; whatever else places rows by their keys ends it (leavePositional).
    mutable bool m_positional = false;
    QString m_ascending;            // the positional order, and its reverse
    QString m_descending;
    mutable int m_pagesRead = 0;    // since the keys were read
    mutable bool m_pageReadFailed = false;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    DataSetState m_state = DataSetState::Inactive;
    QVector<QVariant> m_buffer;     // edit buffer in Edit/Insert state
    bool m_modified = false;
    bool m_canModify = false;
    DataVersion m_dataVersion;      // what the stored rows were at when read
    QVector<Updater> m_updaters;
    // Locate keys of the rows (first position of each key), per field list; rebuilt on demand.
    QHash<QString, QHash<QString, int>> m_locateCache;
    QHash<qint64, int> m_rowidIndex;
    friend class Field;
    friend class Session;
};

}  // namespace zdb

Q_DECLARE_METATYPE(zdb::DataSetState)
