#include "controls/tablemodel.h"

#include "controls/application.h"
#include "controls/dbcontrols.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <algorithm>

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
    // Row notices count only while rows are shown; a hidden model has none to adjust. The
    // table's notices name stored rows; the row of a record being inserted is the model's own.
    m_connections
        << connect(t, &zdb::Table::rowsAboutToBeReset, this,
                   [this] {
                       ++m_changing;
                       beginResetModel();
                   })
        << connect(t, &zdb::Table::rowsReset, this,
                   [this] {
                       m_shown = shown();
                       resolveColumns();
                       m_insertRow = insertPosition();
                       endResetModel();
                       --m_changing;
                   })
        << connect(t, &zdb::Table::rowsAboutToBeInserted, this,
                   [this, root](int first, int last) {
                       if (!m_shown)
                           return;
                       ++m_changing;
                       // The posted new record takes its place in the table's order.
                       hideInsertedRow();
                       beginInsertRows(root, first, last);
                   })
        << connect(t, &zdb::Table::rowsInserted, this,
                   [this] {
                       if (!m_shown)
                           return;
                       endInsertRows();
                       --m_changing;
                   })
        << connect(t, &zdb::Table::rowsAboutToBeRemoved, this,
                   [this, root](int first, int last) {
                       if (!m_shown)
                           return;
                       ++m_changing;
                       if (m_insertRow >= 0) {
                           m_resetting = true;
                           beginResetModel();
                           return;
                       }
                       beginRemoveRows(root, first, last);
                   })
        << connect(t, &zdb::Table::rowsRemoved, this,
                   [this] {
                       if (!m_shown)
                           return;
                       if (m_resetting) {
                           m_resetting = false;
                           m_insertRow = insertPosition();
                           endResetModel();
                       } else {
                           endRemoveRows();
                       }
                       --m_changing;
                   })
        << connect(t, &zdb::Table::rowAboutToBeMoved, this,
                   [this, root](int from, int to) {
                       // Qt names the destination as the row it goes before, counted before the move.
                       if (!m_shown)
                           return;
                       ++m_changing;
                       beginMoveRows(root, from, from, root, to > from ? to + 1 : to);
                   })
        << connect(t, &zdb::Table::rowMoved, this,
                   [this] {
                       if (!m_shown)
                           return;
                       endMoveRows();
                       --m_changing;
                   })
        << connect(t, &zdb::Table::rowChanged, this,
                   [this](int row) {
                       if (m_shown)
                           emitRowChanged(viewRow(row));
                   })
        << connect(t, &zdb::Table::stateChanged, this, &TTableModel::onStateChanged)
        << connect(t, &zdb::Table::dataChanged, this, &TTableModel::onBufferChanged)
        << connect(t, &zdb::Table::currentChanged, this, [this] { Q_EMIT currentRowChanged(currentRow()); });
}

bool TTableModel::shown() const
{
    return m_source && m_source->state() != zdb::DataSetState::Inactive;
}

int TTableModel::insertPosition() const
{
    zdb::Table *t = table();
    if (!m_shown || !t || t->state() != zdb::DataSetState::Insert)
        return -1;
    // Before the record that was current; on an empty table the only row.
    return std::clamp(t->currentRow(), 0, t->recordCount());
}

void TTableModel::resetAll()
{
    ++m_changing;
    beginResetModel();
    m_shown = shown();
    resolveColumns();
    m_insertRow = insertPosition();
    endResetModel();
    --m_changing;
    Q_EMIT currentRowChanged(currentRow());
}

void TTableModel::showInsertedRow()
{
    const int row = insertPosition();
    if (row < 0 || m_insertRow >= 0)
        return;
    ++m_changing;
    beginInsertRows(QModelIndex(), row, row);
    m_insertRow = row;
    endInsertRows();
    --m_changing;
}

void TTableModel::hideInsertedRow()
{
    if (m_insertRow < 0)
        return;
    ++m_changing;
    beginRemoveRows(QModelIndex(), m_insertRow, m_insertRow);
    m_insertRow = -1;
    endRemoveRows();
    --m_changing;
}

void TTableModel::onStateChanged(zdb::DataSetState state)
{
    if (!m_shown)
        return;
    if (state == zdb::DataSetState::Insert)
        showInsertedRow();
    else
        hideInsertedRow();
    // The current row now shows its buffer, or its stored values again.
    emitRowChanged(currentRow());
    Q_EMIT currentRowChanged(currentRow());
}

void TTableModel::onBufferChanged()
{
    zdb::Table *t = table();
    if (m_shown && t && t->editing())
        emitRowChanged(currentRow());
}

void TTableModel::emitRowChanged(int row)
{
    if (row >= 0 && row < rowCount() && !m_columns.isEmpty())
        Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

int TTableModel::storedRow(int row) const
{
    if (m_insertRow < 0 || row < m_insertRow)
        return row;
    return row == m_insertRow ? -1 : row - 1;
}

int TTableModel::viewRow(int stored) const
{
    return m_insertRow >= 0 && stored >= m_insertRow ? stored + 1 : stored;
}

bool TTableModel::isEditedRow(int row) const
{
    zdb::Table *t = table();
    if (!m_shown || !t || row < 0)
        return false;
    if (m_insertRow >= 0)
        return row == m_insertRow;
    return t->state() == zdb::DataSetState::Edit && row == t->currentRow();
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
        Q_EMIT dataChanged(index(0, column), index(rowCount() - 1, column));
}

int TTableModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].field : -1;
}

int TTableModel::currentRow() const
{
    zdb::Table *t = table();
    if (!m_shown || !t)
        return -1;
    return m_insertRow >= 0 ? m_insertRow : t->currentRow();
}

int TTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_shown)
        return 0;
    zdb::Table *t = table();
    return t && t->active() ? t->recordCount() + (m_insertRow >= 0 ? 1 : 0) : 0;
}

int TTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TTableModel::bufferData(int field, int role) const
{
    zdb::Table *t = table();
    zdb::Field f = t->field(field);
    if (role == Qt::EditRole)
        return f.asString();
    switch (t->fieldType(field)) {
    case zdb::FieldType::Graphic:
        return f.asBytes().isEmpty() ? QString() : QStringLiteral("(kép)");
    case zdb::FieldType::Memo:
        return f.asString().section(QLatin1Char('\n'), 0, 0).trimmed();
    default:
        return f.displayText();
    }
}

QVariant TTableModel::data(const QModelIndex &index, int role) const
{
    // An invalid index (a row past the end, as views and testers ask about) has no data.
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int field = fieldOfColumn(index.column());
    zdb::Table *t = table();
    if (field < 0 || !t)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (isEditedRow(index.row()))
            return bufferData(field, role);
        return role == Qt::DisplayRole ? t->displayTextAt(storedRow(index.row()), field)
                                       : t->textAt(storedRow(index.row()), field);
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
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const ResolvedColumn &c = m_columns[index.column()];
    zdb::Table *t = table();
    if (c.column.editable && c.field >= 0 && t && t->canModify() && !t->isReadOnlyField(c.field))
        f |= Qt::ItemIsEditable;
    return f;
}

void TTableModel::moveToRow(int row)
{
    zdb::Table *t = table();
    // A view's current row moves by itself while rows come and go (the new record posted):
    // that is no move of the user's.
    if (!t || !t->active() || m_changing > 0 || row < 0 || row >= rowCount() || isEditedRow(row))
        return;
    if (!t->editing() && row == t->currentRow())
        return;
    // The rows may shift when the record left is posted (a new record takes its place in
    // the order): the target is followed through the model's own notices.
    const QPersistentModelIndex target(index(row, 0));
    if (t->editing()) {
        t->updateRecord();
        if (t->modified())
            t->post();
        else
            t->cancel();
    }
    if (target.isValid() && target.row() != t->currentRow())
        t->setRecNo(target.row() + 1);
}

void TTableModel::beginEdit(const QModelIndex &index)
{
    zdb::Table *t = table();
    if (!t || !index.isValid())
        return;
    const QPersistentModelIndex target(index);
    moveToRow(index.row());
    if (target.isValid() && target.row() == currentRow() && !isEditedRow(target.row()))
        t->edit();
}

bool TTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    zdb::Table *t = table();
    const int field = fieldOfColumn(index.column());
    const QString text = value.toString();
    const QString shown = index.data(Qt::EditRole).toString();
    if (text == shown)
        return true;   // nothing changed
    // Called from the view's editor: an error is shown here and goes no further.
    return guarded([&] {
        const QPersistentModelIndex target(index);
        beginEdit(index);
        if (!target.isValid() || !isEditedRow(target.row()))
            throw zdb::EngineError(QStringLiteral("A rekord nem szerkeszthető."));
        t->field(field).setValue(typedValue(t->fieldType(field), text));
    });
}

// ---------------------------------------------------------------------------------------------

namespace {

// The cell editors of a view edited through the record: the first change typed into one
// puts its record into edit, and the editors it made can be handed over or dropped
// together when the record is posted, left or cancelled.
class RecordEditDelegate : public QStyledItemDelegate {
public:
    RecordEditDelegate(TTableModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model)
    {
        connect(this, &QAbstractItemDelegate::closeEditor, this, &RecordEditDelegate::editorClosed);
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            auto *self = const_cast<RecordEditDelegate *>(this);
            const QPersistentModelIndex cell(index);
            connect(line, &QLineEdit::textEdited, self, [self, line, cell] { self->editorTextEdited(line, cell); });
            self->m_editors.append(line);
        }
        return editor;
    }

    // The record's own value comes into the editor only until something is typed there.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor->property("typed").toBool())
            return;
        QStyledItemDelegate::setEditorData(editor, index);
    }

    // Writes what was typed in the open editors into the record and closes them.
    void commitOpenEditors()
    {
        for (QWidget *editor : openEditors()) {
            if (editor->property("typed").toBool())
                Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

    // Closes the open editors without storing what was typed.
    void dropOpenEditors()
    {
        m_dropping = true;
        for (QWidget *editor : openEditors())
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        m_dropping = false;
    }

private:
    QList<QWidget *> openEditors()
    {
        QList<QWidget *> open;
        // An editor the view closed is hidden at once and deleted later.
        for (const QPointer<QWidget> &e : std::as_const(m_editors))
            if (e && !e->isHidden() && !e->property("closing").toBool())
                open.append(e);
        m_editors.clear();
        for (QWidget *e : std::as_const(open))
            m_editors.append(e);
        return open;
    }

    void editorTextEdited(QLineEdit *editor, const QPersistentModelIndex &cell)
    {
        editor->setProperty("typed", true);
        if (!cell.isValid() || m_model->isEditedRow(cell.row()))
            return;
        const bool started = guarded([&] { m_model->beginEdit(cell); });
        if (!started || !cell.isValid() || !m_model->isEditedRow(cell.row())) {
            // The record cannot be edited (or the one left could not be posted): the typing goes.
            editor->setProperty("typed", false);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        }
    }

    // Escape in a cell whose record has not changed yet ends the edit the typing began.
    void editorClosed(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
    {
        if (m_dropping || hint != QAbstractItemDelegate::RevertModelCache || !editor->property("typed").toBool())
            return;
        editor->setProperty("closing", true);
        zdb::Table *t = m_model->table();
        if (t && t->editing() && !t->modified())
            guarded([t] { t->cancel(); });
    }

    TTableModel *m_model;
    QList<QPointer<QWidget>> m_editors;
    bool m_dropping = false;
};

class CurrentRowLink : public QObject {
public:
    CurrentRowLink(QAbstractItemView *view, TTableModel *model) : QObject(view), m_view(view), m_model(model)
    {
        m_delegate = new RecordEditDelegate(model, this);
        view->setItemDelegate(m_delegate);
        connect(model, &TTableModel::currentRowChanged, this, &CurrentRowLink::showCurrent);
        connect(model, &QAbstractItemModel::modelReset, this, &CurrentRowLink::showCurrent);
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &CurrentRowLink::pick);
        // What is typed in an open cell editor goes into the record before it is posted or left.
        m_link.setUpdater([this] { m_delegate->commitOpenEditors(); });
        m_link.setDataSource(model->dataSource());
        if (model->dataSource())
            connect(model->dataSource(), &TDataSource::stateChanged, this, &CurrentRowLink::stateChanged);
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
        if (!t || !t->active() || m_model->changingRows() || m_model->currentRow() == current.row())
            return;
        m_busy = true;
        guarded([&] { m_model->moveToRow(current.row()); });
        m_busy = false;
        // A move the table refused (a record that cannot be posted) leaves the view on the
        // table's row.
        if (m_view->selectionModel()->currentIndex().row() != m_model->currentRow())
            showCurrent();
    }

    void stateChanged(zdb::DataSetState state)
    {
        // A cancelled edit takes what was typed in the cells with it.
        if (state == zdb::DataSetState::Browse)
            m_delegate->dropOpenEditors();
    }

    QAbstractItemView *m_view;
    TTableModel *m_model;
    RecordEditDelegate *m_delegate = nullptr;
    TDataLink m_link;
    bool m_busy = false;
};

}  // namespace

void followCurrentRow(QAbstractItemView *view, TTableModel *model)
{
    if (view->model() != model)
        view->setModel(model);
    new CurrentRowLink(view, model);
}
