#pragma once

// The cells a schedule's layout writes, kept as the grid should hold them afterwards: the last text and
// format of every cell written, and the grid's size as last set. Shared by the tests and the fuzzer.
#include "formula/Formula.h"
#include "grid/FlexGridModel.h"

#include <map>
#include <optional>
#include <utility>

class RecordedCells final : public Formula::Cells {
public:
    struct Cell {
        QString text;
        bool bold = false;
        std::int16_t fontSize = 0;
        std::uint32_t backColor = 0;
        std::optional<std::uint32_t> foreColor;
        std::optional<std::int16_t> alignment;
    };

    // The grid's size before the layout writes, which a failure before its first step leaves as it is.
    explicit RecordedCells(int rows = 0, int cols = 0)
        : m_rows(rows)
        , m_cols(cols) {}

    void setGridSize(std::int16_t columnCount, std::int16_t rowCount) override {
        if (columnCount != 0)
            m_cols = columnCount;
        if (rowCount != 0)
            m_rows = rowCount;
    }
    void writeCell(std::int32_t column, std::int32_t row, bool bold, std::int16_t fontSize, bool,
                   const Module1::CellValue& value, std::uint32_t backColor) override {
        m_current = &m_cells[{row, column}];
        *m_current = {Module1::cellText(value), bold, fontSize, backColor, {}, {}};
        ++m_writes;
    }
    void setCellAlignment(std::int16_t alignment) override { m_current->alignment = alignment; }
    void setCellForeColor(std::uint32_t color) override { m_current->foreColor = color; }
    void setHeaderRow(std::int32_t row) override { m_headerRow = row; }

    int rows() const { return m_rows; }
    // The row the layout named as its column headings, or -1.
    int headerRow() const { return m_headerRow; }
    int writes() const { return m_writes; }
    // The text written last into a cell, or an empty text.
    QString text(int row, int column) const {
        const auto cell = m_cells.find({row, column});
        return cell == m_cells.end() ? QString() : cell->second.text;
    }
    // The lowest row written to.
    int lastRow() const { return m_cells.empty() ? -1 : m_cells.rbegin()->first.first; }

    // What the grid shows that the layout did not write, or an empty text.
    QString differenceFrom(const FlexGridModel& model) const {
        if (model.rows() != m_rows || model.cols() != m_cols)
            return QStringLiteral("a grid of %1 x %2 instead of %3 x %4")
                .arg(model.rows())
                .arg(model.cols())
                .arg(m_rows)
                .arg(m_cols);
        for (const auto& [where, cell] : m_cells) {
            const auto [row, column] = where;
            const FlexGridModel::CellStyle style = model.style(row, column);
            if (model.text(row, column) != cell.text || style.bold != cell.bold ||
                style.fontSize != float(cell.fontSize) || style.backColor != cell.backColor ||
                (cell.foreColor && style.foreColor != *cell.foreColor) ||
                (cell.alignment && style.alignment != *cell.alignment))
                return QStringLiteral("row %1, column %2: \"%3\" instead of \"%4\", or in another format")
                    .arg(row)
                    .arg(column)
                    .arg(model.text(row, column).left(40), cell.text.left(40));
        }
        // Below the header, every cell the layout did not write is empty: nothing of an earlier grid stays.
        for (int row = Formula::kHeaderRow + 1; row < m_rows; ++row) {
            for (int column = 0; column < m_cols; ++column) {
                if (!m_cells.contains({row, column}) && !model.text(row, column).isEmpty())
                    return QStringLiteral("row %1, column %2 kept \"%3\"")
                        .arg(row)
                        .arg(column)
                        .arg(model.text(row, column).left(40));
            }
        }
        return {};
    }

private:
    int m_rows;
    int m_cols;
    std::map<std::pair<int, int>, Cell> m_cells;
    Cell* m_current = nullptr;
    int m_writes = 0;
    int m_headerRow = -1;
};
