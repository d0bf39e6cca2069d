#pragma once

#include <QRect>
#include <QString>

class FlexGrid;

// A block of the grid's cells in the two forms spreadsheets read from the clipboard, so a paste into
// LibreOffice Calc or Gnumeric gives one cell per grid cell. Texts go exactly as the grid shows them,
// edits and trailing blanks included. A block is given as columns (x) and rows (y) inside the grid.
namespace GridClipboard {

// Tab-separated, one line per row, each ending with a line feed. A text holding a tab or a line break
// (or starting with a double quote) goes in double quotes with its quotes doubled, as spreadsheets read
// such a field back as one cell.
QString plainText(const FlexGrid& grid, const QRect& block);

// One cell's text as a field of the tab-separated form: as it is, or in double quotes with its quotes
// doubled when it holds a tab or a line break or starts with a double quote. Every table the program
// copies writes its fields through here.
QString tabField(const QString& text);

// An HTML table with each cell's text colour, background colour, bold, italic and alignment as the grid
// draws them; spaces are kept as they are (white-space: pre).
QString html(const FlexGrid& grid, const QRect& block);

// Puts the grid's selected block, or its current cell when no block is selected, on the clipboard in
// both forms.
void copy(FlexGrid& grid);

} // namespace GridClipboard
