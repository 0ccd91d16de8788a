#include "maintenance/resultsmodel.h"

#include <QLocale>

using namespace results;

namespace {

QString moneyText(const std::optional<double> &value)
{
    if (!value)
        return QString();
    const QLocale locale;
    return locale.toCurrencyString(*value, locale.currencySymbol(QLocale::CurrencySymbol), 0);
}

QVariant sortValue(const GameResult &r, int column)
{
    switch (column) {
    case Name: return r.name;
    case Date: return r.date.isValid() ? QVariant(r.date) : QVariant();
    case Profession: return r.profession;
    case GrossWage: return r.grossWage ? QVariant(*r.grossWage) : QVariant();
    case FamilyNetIncome: return r.familyNetIncome ? QVariant(*r.familyNetIncome) : QVariant();
    case House: return r.house;
    case Food: return r.food;
    case Clothing: return r.clothing;
    case Transport: return r.transport;
    case Hobbies: return r.hobbies;
    case Entertainments: return r.entertainments;
    case Finished: return r.finished;
    default: return QVariant();
    }
}

QString shownText(const GameResult &r, int column)
{
    switch (column) {
    case Date: return r.date.isValid() ? r.date.toString(QStringLiteral("yyyy.MM.dd.")) : QString();
    case GrossWage: return moneyText(r.grossWage);
    case FamilyNetIncome: return moneyText(r.familyNetIncome);
    case Finished: return r.finished ? QStringLiteral("igen") : QStringLiteral("nem");
    default: return sortValue(r, column).toString();
    }
}

}  // namespace

TResultsModel::TResultsModel(QObject *parent) : QAbstractTableModel(parent) {}

void TResultsModel::setRows(const QList<GameResult> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int TResultsModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int TResultsModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const GameResult &r = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return shownText(r, index.column());
    case SortRole: return sortValue(r, index.column());
    case Qt::ToolTipRole: {
        // The whole text of a cell too narrow for it (a long list of hobbies, say).
        const QString text = shownText(r, index.column());
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case Qt::TextAlignmentRole:
        if (index.column() == GrossWage || index.column() == FamilyNetIncome)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default: return QVariant();
    }
}

QVariant TResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnTitle(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TResultsModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

TResultsSortModel::TResultsSortModel(QObject *parent)
    : QSortFilterProxyModel(parent), m_collator(QLocale(QLocale::Hungarian, QLocale::Hungary))
{
    setSortRole(TResultsModel::SortRole);
}

QList<GameResult> TResultsSortModel::shownRows() const
{
    const auto *source = qobject_cast<const TResultsModel *>(sourceModel());
    QList<GameResult> shown;
    if (!source)
        return shown;
    for (int row = 0; row < rowCount(); ++row)
        shown.append(source->rows().at(mapToSource(index(row, 0)).row()));
    return shown;
}

bool TResultsSortModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.isNull() || b.isNull())
        return a.isNull() && !b.isNull();
    switch (a.typeId()) {
    case QMetaType::QString: return m_collator.compare(a.toString(), b.toString()) < 0;
    case QMetaType::QDate: return a.toDate() < b.toDate();
    case QMetaType::Double: return a.toDouble() < b.toDouble();
    case QMetaType::Bool: return !a.toBool() && b.toBool();
    default: return QSortFilterProxyModel::lessThan(left, right);
    }
}
