#include "grid/Module1.h"

#include "grid/FlexGrid.h"
#include "grid/WindowFont.h"
#include "numbers/NumberText.h"

#include <type_traits>

namespace Module1 {

QString cellText(const CellValue& value) {
    return std::visit(
        [](const auto& held) -> QString {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, QString>)
                return held;
            else if constexpr (std::is_same_v<Held, Decimal>)
                return decimalText(held);
            else if constexpr (std::is_same_v<Held, double>)
                return doubleText(held);
            else
                return integerText(held);
        },
        value);
}

void WriteCell(FlexGrid& grid, std::int32_t column, std::int32_t row, bool bold, bool italic, std::int16_t fontSize,
               bool autoFit, const CellValue& value, WindowFont& window, std::uint32_t backColor) {
    grid.setCol(column);
    grid.setRow(row);
    grid.setCellFontBold(bold);
    grid.setCellFontItalic(italic);
    if (!autoFit) {
        grid.setCellFontSize(static_cast<float>(fontSize));
        grid.setCellBackColor(backColor);
        grid.setText(cellText(value));
        return;
    }
    grid.setCellBackColor(backColor);
    // The size and the text reach the cell through the fitting routine.
    FitCellText(cellText(value), column, row, QString(), fontSize, window, grid);
}

void FitCellText(QString text, std::int32_t column, std::int32_t row, QString fontName, std::int16_t fontSize,
                 WindowFont& window, FlexGrid& grid) {
    grid.setCol(column);
    grid.setRow(row);

    // The name is compared exactly: a name that differs only in letter case is applied.
    const QString cellFontName = grid.cellFontName();
    if (fontName.isEmpty() || fontName == cellFontName)
        fontName = cellFontName;
    else
        grid.setCellFontName(fontName);

    // A size of 1 keeps the cell's size; the window font only takes whole points, so a kept fractional
    // size is measured at its nearest whole size (8.25 at 8).
    const float cellFontSize = grid.cellFontSize();
    if (cellFontSize == static_cast<float>(fontSize) || fontSize == 1)
        fontSize = roundToInt16(static_cast<double>(cellFontSize), QStringLiteral("the font size of the cell"));
    else
        grid.setCellFontSize(static_cast<float>(fontSize));

    if (text.isEmpty()) {
        text = grid.text();
        if (text.isEmpty())
            return;
    } else {
        grid.setText(text);
    }

    window.setSize(fontSize);
    window.setName(fontName);
    // The normal weight, 400, doubles as the margin in twips around the text.
    const int weight = window.weight();
    const float widthTwips = static_cast<float>(weight) + window.textWidth(text);
    const float heightTwips = window.textHeight(text) + 50.0f;
    const std::int32_t neededWidth =
        roundToInt32(static_cast<double>(widthTwips), QStringLiteral("the width the cell text needs"));
    const std::int32_t neededHeight =
        roundToInt32(static_cast<double>(heightTwips), QStringLiteral("the height the cell text needs"));

    // The width test is against the needed width, so a column exactly as wide still grows by 50 twips;
    // a column is never narrowed and a row never lowered.
    if (!(grid.colWidth(column) > neededWidth)) {
        grid.setColWidth(column, checkedInt32(static_cast<std::int64_t>(neededWidth) + 50,
                                              QStringLiteral("the width of the fitted column")));
    }
    if (!(grid.rowHeight(row) > neededHeight))
        grid.setRowHeight(row, neededHeight);
}

void SetGridSize(std::int16_t columnCount, std::int16_t rowCount, FlexGrid& grid) {
    // Columns are settled before rows; a count of 0 assigns the current count again.
    grid.setCols(columnCount == 0 ? grid.cols() : columnCount);
    grid.setRows(rowCount == 0 ? grid.rows() : rowCount);
}

} // namespace Module1
