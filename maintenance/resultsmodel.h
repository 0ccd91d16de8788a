#pragma once
// The stored games as an item model for the results grid, read-only, and the sorting the
// grid's header asks for: names in Hungarian alphabetical order, amounts as numbers and
// dates as dates.

#include "maintenance/results.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QSortFilterProxyModel>

class TResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The value a column sorts by: a string, a number, a date or a flag; null when empty.
    static constexpr int SortRole = Qt::UserRole;

    explicit TResultsModel(QObject *parent = nullptr);

    void setRows(const QList<results::GameResult> &rows);
    const QList<results::GameResult> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QList<results::GameResult> m_rows;
};

// Sorts by TResultsModel::SortRole. Empty cells come before every value in ascending order.
class TResultsSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TResultsSortModel(QObject *parent = nullptr);

    // The games in the order shown.
    QList<results::GameResult> shownRows() const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QCollator m_collator;
};
