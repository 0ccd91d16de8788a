#pragma once
// A table of the engine as a Qt item model: one row per stored row in the table's order,
// one column per field (or the columns asked for), titled with the fields' display labels.
// Rows are read without moving the table; the table's row-level notices become the
// model's, so a view re-reads only what changed. Editable columns write through the
// table (move, edit, set, post); a refused post is shown in the error box and the record
// stays in edit for the user to mend or cancel.

#include <QAbstractTableModel>
#include <QPointer>

#include "datasource.h"

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

    // The table's current row (-1 when there is none).
    int currentRow() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
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

    QPointer<TDataSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    QList<Column> m_requested;
    QVector<ResolvedColumn> m_columns;
    bool m_shown = false;   // whether rows are shown (open table, enabled source)
};

// Keeps a view's current row on its table's current row, and moves the table when the
// user picks another row in the view. The link lives as long as the view.
void followCurrentRow(QAbstractItemView *view, TTableModel *model);
