#pragma once

class FlexGrid;
class QObject;

namespace Formula {

// Writes the month-by-month amortization schedule below the payment summary. The loan's length, principal
// and start year are read from the window's members "Text1", "Text3" and "Text6" by name; the window's
// "Font" measures the auto-fitted cells. A schedule written to its end becomes LastSchedule's.
void BuildSchedule(FlexGrid& grid, QObject& window);

} // namespace Formula
