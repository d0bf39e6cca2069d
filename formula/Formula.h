#pragma once

#include "grid/Module1.h"

#include <cstdint>

class FlexGrid;
class WindowFont;
struct Schedule;
struct SharedState;

// The schedule's place in the result grid: the only code that knows its layout. For a length of n months:
// the header on row 7; month i on row 7 + i + 3 * ((i - 1) / 12); after the 12th month of every schedule
// year, and after the last month when it ends a shorter year, a separator row, a totals row (interest and
// principal to date, the balance) and an empty row; then, once, after the last month, an empty row, the
// "Total Summary:" block of five rows and a last empty row. A 2.5-year loan (30 months) thus has two whole
// years (rows 8-19 and 23-34), months 25-30 on rows 38-43, their separator and totals on rows 44 and 45,
// "Total Summary:" on row 47 and 53 rows in all.
namespace Formula {

constexpr std::int32_t kHeaderRow = 7;

// Where the schedule's cells go, in the order they are written. setCellAlignment and setCellForeColor act
// on the cell that the preceding writeCell selected.
class Cells {
public:
    virtual ~Cells() = default;
    virtual void setGridSize(std::int16_t columnCount, std::int16_t rowCount) = 0;
    virtual void writeCell(std::int32_t column, std::int32_t row, bool bold, std::int16_t fontSize, bool autoFit,
                           const Module1::CellValue& value, std::uint32_t backColor) = 0;
    virtual void setCellAlignment(std::int16_t alignment) = 0;
    virtual void setCellForeColor(std::uint32_t color) = 0;
    // Names the row of column headings once they are written, so printing can repeat it on every page;
    // cells that are never printed have no use for it.
    virtual void setHeaderRow(std::int32_t row) { static_cast<void>(row); }
};

// Writes a computed schedule cell by cell: the grid cut back to the summary and the header, every month,
// the year blocks and the final block. Where the schedule's arithmetic stopped, or a row count leaves the
// 16-bit range, the RuntimeError is raised at that step, after the cells that precede it.
void WriteSchedule(const Schedule& schedule, const SharedState& shared, Cells& cells);

// The same into the result grid, through WriteCell and SetGridSize, the auto-fitted cells measured in the
// window's font.
void BuildSchedule(FlexGrid& grid, WindowFont& font, const Schedule& schedule, const SharedState& shared);

} // namespace Formula
