#include "grid/ShortcutAction.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace ShortcutAction {

QAction* find(const QWidget& widget, const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    for (const QWidget* around = &widget; around != nullptr; around = around->parentWidget()) {
        for (QAction* action : around->actions()) {
            const bool reaches = around == &widget || action->shortcutContext() != Qt::WidgetShortcut;
            if (reaches && action->isEnabled() && action->shortcuts().contains(pressed))
                return action;
        }
        if (around->isWindow())
            break;
    }
    return nullptr;
}

} // namespace ShortcutAction
