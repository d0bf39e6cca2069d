#pragma once

#include <QStringList>

#include <array>

class FlexGrid;
class Form1;
class InputBox;

// What Calculate leaves for the user to see, and a check that a window's Calculate leaves what a fresh
// window's does, given the same six texts, tick and grid size: state carried from earlier use shows up.
// Once any of these has run, message boxes go to a list (boxes()) instead of the screen.
namespace CalculateCheck {
// Text1 to Text6, in order.
std::array<InputBox*, 6> inputBoxes(Form1& window);
// Every cell, one line each: "row col text font size bold italic back fore alignment", tab-separated.
QStringList cells(const FlexGrid& grid);
// Clicks Calculate: the boxes shown, the stored rate and payment, the six texts, tick and grid size, cells().
QStringList calculate(Form1& window);
// What the window's Calculate showed that a fresh window's did not: empty when they agree. To keep runs
// short, a length between 5 and 2184 years (where the schedule fails at once) becomes its rest after 5.
QString againstFresh(Form1& window);
// Clicks Calculate and checks the window against the loan's own arithmetic: the boxes it showed, the
// payment and total in the summary, and every schedule cell, row count and format against the layout of
// the schedule computed from the same texts. Empty when they agree. Lengths are cut as for againstFresh.
QString againstLayout(Form1& window);
// The boxes shown since the last call, as "title|text".
QStringList boxes();
} // namespace CalculateCheck
