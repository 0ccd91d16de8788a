#pragma once
// A table of the engine as a Qt item model: one row per stored row in the table's order,
// one column per field (or the columns asked for), titled with the fields' display labels.
// Rows are read without moving the table; the table's row-level notices become the
// model's, so a view re-reads only what changed.
//
// The record being edited shows its edit buffer, and a record being inserted shows as a
// row of its own, before the row that was current, until it is posted (it then takes its
// place in the table's order) or cancelled. Editable columns write into the edit buffer
// the way bound edits do: a cell edit moves the table to its row (posting the record left)
// and puts it into edit; posting stays with the navigator, with a move to another row, or
// with the table's own post. A refused post is shown in the error box and the record stays
// in edit for the user to mend or cancel.

#include <QAbstractTableModel>
#include <QPointer>

#include "controls/datasource.h"

class QAbstractItemView;

class TTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;          // empty: the field's display label
        bool editable = false;
    };

    explicit TTableModel(TDataSource *source = nullptr, QObject *parent = nullptr);

    void setDataSource(TDataSource *source);
    TDataSource *dataSource() const { return m_source; }
    zdb::Table *table() const { return m_source ? m_source->dataSet() : nullptr; }

    // The columns shown; an empty list shows every field of the table, read-only.
    void setColumns(const QList<Column> &columns);
    void setColumnEditable(int column, bool editable);
    int fieldOfColumn(int column) const;   // -1 when the table has no such field

    // The row of the table's current record (-1 when there is none): the new row while a
    // record is being inserted.
    int currentRow() const;
    // The row of a record being inserted, -1 when none is.
    int insertedRow() const { return m_insertRow; }
    // Whether the row shows the edit buffer (the record being edited or inserted).
    bool isEditedRow(int row) const;
    // True while rows are being inserted, removed, moved or reset: a view's current row
    // that moves then moves with the rows, not by the user.
    bool changingRows() const { return m_changing > 0; }

    // Brings the table to the record of `row`: a pending edit of another record is handed
    // over by the controls and posted (dropped when nothing changed) first. Throws the
    // engine's error when that post is refused; the table then stays where it was.
    void moveToRow(int row);
    // Moves to the row (as moveToRow) and puts its record into edit. Throws when the move
    // or the edit is refused.
    void beginEdit(const QModelIndex &index);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Writes into the edit buffer (see above); errors are shown in the error box and give false.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // The table's current row moved (or the rows were read again); views follow it.
    void currentRowChanged(int row);

private:
    void connectTable();
    void resetAll();
    bool shown() const;
    struct ResolvedColumn {
        Column column;
        int field = -1;
    };
    void resolveColumns();
    int storedRow(int row) const;          // -1 for the inserted row
    int viewRow(int stored) const;
    int insertPosition() const;            // where a record being inserted shows, -1 when none
    void onStateChanged(zdb::DataSetState state);
    void onBufferChanged();
    void showInsertedRow();
    void hideInsertedRow();
    void emitRowChanged(int row);
    QVariant bufferData(int field, int role) const;

    QPointer<TDataSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    QList<Column> m_requested;
    QVector<ResolvedColumn> m_columns;
    bool m_shown = false;   // whether rows are shown (open table, enabled source)
    int m_insertRow = -1;   // the row of a record being inserted
    bool m_resetting = false;   // a reset begun at a removal while a record was inserted
    int m_changing = 0;         // nesting of row changes under way
};

// Keeps a view's current row on its table's current row, and moves the table when the
// user picks another row in the view. The view's cells are edited through the record: the
// first keystroke in a cell editor puts the record into edit, what is typed in an open
// editor is handed over when the record is posted or left, and a cancelled edit closes
// the editor without storing it. The link lives as long as the view.
void followCurrentRow(QAbstractItemView *view, TTableModel *model);
