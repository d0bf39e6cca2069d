#pragma once

class Form1;
class QAction;
class QWidget;

// The what-if window of the last calculated loan, opened from the result grid.
namespace WhatIfAction {

// Adds "What If…" to the grid's context menu, with Ctrl+E anywhere in the window; the window is made on
// first use, lives as long as the main window and follows each successful Calculate, keeping the extras.
QAction* install(Form1& window, QWidget& grid);

} // namespace WhatIfAction
