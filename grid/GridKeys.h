#pragma once

#include <cstdint>

class FlexGrid;

// Typing into the result grid: Enter moves the current cell, Backspace drops the last character of the
// current cell, a printable character is appended outside row 0 and column 0. Only the text changes.
void MSHFlexGrid1_KeyPress(FlexGrid& grid, std::int16_t& keyAscii);
