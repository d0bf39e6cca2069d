#pragma once

class Form1;
class QAction;
class QWidget;

// The chart of the last schedule, opened from the result grid.
namespace ChartAction {

// Adds "Show Chart…" last in the grid's context menu, after a separator, with Ctrl+G anywhere in the
// window. The chart window is made on first use, lives as long as the window and follows its last schedule.
QAction* install(Form1& window, QWidget& grid);

} // namespace ChartAction
