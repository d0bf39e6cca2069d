#pragma once

class Form1;
class QWidget;

// The program's own windows, opened from the result grid: each an entry of the grid's context menu, after a
// separator, with a shortcut that works anywhere in the main window and types nothing into a box. A window is
// made on first use, lives as long as the main window, shares its message path and follows its Calculates.
namespace WindowLaunchers {

// "Show Chart…" (Ctrl+G), "What If…" (Ctrl+E), "Lender's Schedule…" (Ctrl+L) and "Compare Offers…" (Ctrl+K).
void install(Form1& window, QWidget& grid);

} // namespace WindowLaunchers
