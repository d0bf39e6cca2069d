#include "grid/GridKeys.h"

#include "grid/FlexGrid.h"
#include "grid/TypedCharacter.h"

#include <QString>

namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kFirstPrintable = 32;
// Ctrl+Backspace: not a printable character, so it is never appended as an invisible one.
constexpr std::int16_t kDelete = 127;

// Blanks are spaces: a cell of tabs is not blank.
bool isBlank(const QString& text) {
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

void MSHFlexGrid1_KeyPress(FlexGrid& grid, std::int16_t& keyAscii) {
    const std::int16_t c = keyAscii;
    if (c == kEnter) {
        // Enter jumps to the last column, and from there to column 0 of the next row; after the last
        // row it goes on at row 1, below the fixed row.
        if (grid.col() + 1 <= grid.cols() - 1) {
            grid.setCol(grid.cols() - 1);
        } else {
            if (grid.row() + 1 <= grid.rows() - 1)
                grid.setRow(grid.row() + 1);
            else
                grid.setRow(1);
            grid.setCol(0);
        }
    } else if (c == TypedCharacter::kBackspace) {
        // The last character goes even when it is a blank, but a blank cell is left as it is. A character
        // beyond the first 65,536 takes two units of the text, and both go.
        const QString text = grid.text();
        if (!isBlank(text)) {
            const bool pair =
                text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate();
            grid.setText(text.left(text.size() - (pair ? 2 : 1)));
        }
    } else if (c >= kFirstPrintable && c != kDelete) {
        // The fixed row and the label column take no typing.
        if (grid.col() == 0 || grid.row() == 0)
            return;
        grid.setText(grid.text() + TypedCharacter::character(c));
    }
}
