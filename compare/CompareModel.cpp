#include "compare/CompareModel.h"

#include "windows/TableRoles.h"

void CompareModel::setRows(std::vector<CompareText::Row> rows, std::optional<std::size_t> cheapest) {
    beginResetModel();
    m_rows = std::move(rows);
    m_cheapest = cheapest;
    endResetModel();
}

int CompareModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_rows.empty() ? 0 : int(m_rows.size()) - 1;
}

int CompareModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || m_rows.empty() ? 0 : int(m_rows.front().values.size()) + 1;
}

QVariant CompareModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !hasIndex(index.row(), index.column(), index.parent()))
        return {};
    const CompareText::Row& row = m_rows[std::size_t(index.row()) + 1];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return index.column() == 0 ? row.name : row.values[std::size_t(index.column() - 1)];
    return TableRoles::styleOf(role, index.column() > 0,
                               index.column() > 0 && m_cheapest == std::size_t(index.column() - 1));
}

QVariant CompareModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QString() : m_rows.front().values[std::size_t(section - 1)];
}
