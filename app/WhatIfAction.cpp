#include "app/WhatIfAction.h"

#include "app/Form1.h"
#include "whatif/WhatIfWindow.h"

#include <QAction>
#include <QWidget>

namespace WhatIfAction {

QAction* install(Form1& window, QWidget& grid) {
    auto* action = new QAction(QStringLiteral("What If\u2026"), &grid);
    action->setObjectName(QStringLiteral("whatIfAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    // Ctrl+E from any control of the window, the input boxes included; it types nothing there.
    action->setShortcutContext(Qt::WindowShortcut);
    grid.addAction(action);

    QObject::connect(action, &QAction::triggered, &window, [&window] {
        auto* whatIf = window.findChild<WhatIfWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!whatIf) {
            whatIf = new WhatIfWindow(&window);
            // A Calculate that fails or writes no schedule leaves the loan the window shows as it was.
            const auto follow = [&window, whatIf] {
                if (const std::optional<Schedule>& schedule = window.lastSchedule())
                    whatIf->setLoan(*schedule);
            };
            follow();
            QObject::connect(&window, &Form1::lastScheduleChanged, whatIf, follow);
        }
        whatIf->open();
    });
    return action;
}

} // namespace WhatIfAction
