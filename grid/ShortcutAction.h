#pragma once

class QAction;
class QKeyEvent;
class QWidget;

// Finds the action a key stands for when the key did not go through the desktop's shortcut handling: the
// grid takes keys that type a code (Ctrl+C is 3) for its key handler first, and only then hands them on.
namespace ShortcutAction {

// The enabled action whose shortcuts hold the pressed key, among the widget's own actions and then those
// of the widgets around it up to its window (there only actions whose shortcut reaches child widgets);
// nullptr when there is none.
QAction* find(const QWidget& widget, const QKeyEvent& event);

} // namespace ShortcutAction
