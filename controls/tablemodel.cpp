#include "tablemodel.h"

#include "application.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

TTableModel::TTableModel(TDataSource *source, QObject *parent) : QAbstractTableModel(parent)
{
    setDataSource(source);
}

void TTableModel::setDataSource(TDataSource *source)
{
    if (m_source) {
        disconnect(m_source, nullptr, this, nullptr);
    }
    m_source = source;
    if (source) {
        connect(source, &TDataSource::dataSetChanged, this, &TTableModel::connectTable);
        connect(source, &TDataSource::settingsChanged, this, &TTableModel::resetAll);
    }
    connectTable();
}

void TTableModel::connectTable()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    resetAll();
    zdb::Table *t = table();
    if (!t)
        return;
    const QModelIndex root;
    // Row notices count only while rows are shown; a hidden model has none to adjust.
    m_connections
        << connect(t, &zdb::Table::rowsAboutToBeReset, this, [this] { beginResetModel(); })
        << connect(t, &zdb::Table::rowsReset, this,
                   [this] {
                       m_shown = shown();
                       resolveColumns();
                       endResetModel();
                   })
        << connect(t, &zdb::Table::rowsAboutToBeInserted, this,
                   [this, root](int first, int last) {
                       if (m_shown)
                           beginInsertRows(root, first, last);
                   })
        << connect(t, &zdb::Table::rowsInserted, this,
                   [this] {
                       if (m_shown)
                           endInsertRows();
                   })
        << connect(t, &zdb::Table::rowsAboutToBeRemoved, this,
                   [this, root](int first, int last) {
                       if (m_shown)
                           beginRemoveRows(root, first, last);
                   })
        << connect(t, &zdb::Table::rowsRemoved, this,
                   [this] {
                       if (m_shown)
                           endRemoveRows();
                   })
        << connect(t, &zdb::Table::rowAboutToBeMoved, this,
                   [this, root](int from, int to) {
                       // Qt names the destination as the row it goes before, counted before the move.
                       if (m_shown)
                           beginMoveRows(root, from, from, root, to > from ? to + 1 : to);
                   })
        << connect(t, &zdb::Table::rowMoved, this,
                   [this] {
                       if (m_shown)
                           endMoveRows();
                   })
        << connect(t, &zdb::Table::rowChanged, this,
                   [this](int row) {
                       if (m_shown && !m_columns.isEmpty())
                           emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
                   })
        << connect(t, &zdb::Table::currentChanged, this, [this] { emit currentRowChanged(currentRow()); });
}

bool TTableModel::shown() const
{
    return m_source && m_source->state() != zdb::DataSetState::Inactive;
}

void TTableModel::resetAll()
{
    beginResetModel();
    m_shown = shown();
    resolveColumns();
    endResetModel();
    emit currentRowChanged(currentRow());
}

void TTableModel::resolveColumns()
{
    m_columns.clear();
    zdb::Table *t = table();
    if (!t)
        return;
    if (m_requested.isEmpty()) {
        const int n = t->definition().fields.size();   // lookups follow once known
        for (int i = 0; i < t->fieldCount(); ++i) {
            Column c;
            c.field = i < n ? t->definition().fields[i].name : QString();
            m_columns.append(ResolvedColumn{c, i});
        }
        return;
    }
    for (const Column &c : std::as_const(m_requested))
        m_columns.append(ResolvedColumn{c, t->fieldIndex(c.field)});
}

void TTableModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_requested = columns;
    resolveColumns();
    endResetModel();
}

void TTableModel::setColumnEditable(int column, bool editable)
{
    if (m_requested.isEmpty()) {
        // Every field so far: name them so that the flag has a column to belong to.
        QList<Column> all;
        for (const ResolvedColumn &c : std::as_const(m_columns))
            all.append(Column{table()->field(c.field).fieldName(), QString(), false});
        m_requested = all;
    }
    if (column < 0 || column >= m_requested.size())
        return;
    m_requested[column].editable = editable;
    m_columns[column].column.editable = editable;
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

int TTableModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].field : -1;
}

int TTableModel::currentRow() const
{
    zdb::Table *t = table();
    return m_shown && t ? t->currentRow() : -1;
}

int TTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_shown)
        return 0;
    zdb::Table *t = table();
    return t && t->active() ? t->recordCount() : 0;
}

int TTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int field = fieldOfColumn(index.column());
    zdb::Table *t = table();
    if (field < 0 || !t)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return t->displayTextAt(index.row(), field);
    case Qt::EditRole:
        return t->textAt(index.row(), field);
    case Qt::TextAlignmentRole: {
        const zdb::FieldType type = t->fieldType(field);
        if (zdb::isNumeric(type) && type != zdb::FieldType::AutoInc)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant TTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section >= 0 && section < rowCount() ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= m_columns.size())
        return QVariant();
    const ResolvedColumn &c = m_columns[section];
    if (!c.column.title.isEmpty())
        return c.column.title;
    zdb::Table *t = table();
    return t && c.field >= 0 ? t->displayLabel(c.field) : c.column.field;
}

Qt::ItemFlags TTableModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const ResolvedColumn &c = m_columns[index.column()];
    zdb::Table *t = table();
    if (c.column.editable && c.field >= 0 && t && t->canModify() && !t->isReadOnlyField(c.field))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    zdb::Table *t = table();
    const int field = fieldOfColumn(index.column());
    const QString text = value.toString();
    if (t->state() == zdb::DataSetState::Browse && t->textAt(index.row(), field) == text)
        return true;   // nothing changed
    // Called from the view's editor: an error is shown here and goes no further.
    return guarded([&] {
        if (t->currentRow() != index.row())
            t->setRecNo(index.row() + 1);
        t->edit();
        t->field(field).setValue(text.isEmpty() ? QVariant() : QVariant(text));
        t->post();
    });
}

// ---------------------------------------------------------------------------------------------

namespace {

class CurrentRowLink : public QObject {
public:
    CurrentRowLink(QAbstractItemView *view, TTableModel *model) : QObject(view), m_view(view), m_model(model)
    {
        connect(model, &TTableModel::currentRowChanged, this, &CurrentRowLink::showCurrent);
        connect(model, &QAbstractItemModel::modelReset, this, &CurrentRowLink::showCurrent);
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &CurrentRowLink::pick);
        showCurrent();
    }

private:
    void showCurrent()
    {
        if (m_busy || m_view->model() != m_model)
            return;
        m_busy = true;
        const int row = m_model->currentRow();
        QItemSelectionModel *selection = m_view->selectionModel();
        if (row < 0 || m_model->columnCount() == 0) {
            selection->clear();
        } else {
            const int column = std::max(0, selection->currentIndex().column());
            const QModelIndex target = m_model->index(row, std::min(column, m_model->columnCount() - 1));
            selection->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            m_view->scrollTo(target);
        }
        m_busy = false;
    }

    void pick(const QModelIndex &current)
    {
        if (m_busy || !current.isValid())
            return;
        zdb::Table *t = m_model->table();
        if (!t || !t->active() || t->currentRow() == current.row())
            return;
        m_busy = true;
        guarded([&] { t->setRecNo(current.row() + 1); });
        m_busy = false;
        // A move the table refused (a record that cannot be posted) leaves the view on the
        // table's row.
        if (t->currentRow() != current.row())
            showCurrent();
    }

    QAbstractItemView *m_view;
    TTableModel *m_model;
    bool m_busy = false;
};

}  // namespace

void followCurrentRow(QAbstractItemView *view, TTableModel *model)
{
    if (view->model() != model)
        view->setModel(model);
    new CurrentRowLink(view, model);
}
