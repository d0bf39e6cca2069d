#pragma once

#include "numbers/Decimal.h"

#include <QString>

#include <cstdint>
#include <variant>

class FlexGrid;
class WindowFont;

// The routines through which every result cell is written.
namespace Module1 {

// What a cell is given: a text (written unchanged), a decimal value, a double or an integer (written
// as their plain-notation cell texts).
using CellValue = std::variant<QString, Decimal, double, std::int32_t>;

QString cellText(const CellValue& value);

// Selects the cell (column first), sets bold, italic, size and background colour, then its text; with
// autoFit the text goes through FitCellText so the column and the row grow to fit it.
void WriteCell(FlexGrid& grid, std::int32_t column, std::int32_t row, bool bold, bool italic, std::int16_t fontSize,
               bool autoFit, const CellValue& value, WindowFont& window, std::uint32_t backColor);

// Selects the cell, settles its font name (empty keeps) and size (1 keeps), sets its text (empty keeps the
// current one), measures it in the window's font and grows the column and the row when it does not fit.
void FitCellText(QString text, std::int32_t column, std::int32_t row, QString fontName, std::int16_t fontSize,
                 WindowFont& window, FlexGrid& grid);

// Sets Cols, then Rows; a count of 0 keeps the current count.
void SetGridSize(std::int16_t columnCount, std::int16_t rowCount, FlexGrid& grid);

} // namespace Module1
