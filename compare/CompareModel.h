#pragma once

#include "compare/CompareText.h"

#include <QAbstractTableModel>

#include <optional>

// The comparison as a table: a figure a row, an offer a column after the figures' names. The offer cheapest
// over the horizon is bold, and says so in its "Cheapest" row, so a screen reader says it too.
class CompareModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<CompareText::Row> rows, std::optional<std::size_t> cheapest);
    const std::vector<CompareText::Row>& figureRows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The first row holds the offers' names, which head the columns instead.
    std::vector<CompareText::Row> m_rows;
    std::optional<std::size_t> m_cheapest;
};
