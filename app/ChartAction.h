#pragma once

class QAction;
class QWidget;

// The chart of the last schedule, opened from the result grid.
namespace ChartAction {

// Adds "Show Chart…" last in the grid's context menu, after a separator, with Ctrl+G anywhere in the
// window. The chart window is made on first use and lives as long as the window.
QAction* install(QWidget& window, QWidget& grid);

} // namespace ChartAction
