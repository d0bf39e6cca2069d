#include "app/ChartAction.h"

#include "app/Form1.h"
#include "chart/ChartWindow.h"

#include <QAction>
#include <QWidget>

namespace ChartAction {

QAction* install(Form1& window, QWidget& grid) {
    auto* separator = new QAction(&grid);
    separator->setSeparator(true);
    grid.addAction(separator);

    auto* action = new QAction(QStringLiteral("Show Chart\u2026"), &grid);
    action->setObjectName(QStringLiteral("showChartAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    // Ctrl+G from any control of the window, the input boxes included; it types nothing there.
    action->setShortcutContext(Qt::WindowShortcut);
    grid.addAction(action);

    QObject::connect(action, &QAction::triggered, &window, [&window] {
        auto* chart = window.findChild<ChartWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!chart) {
            chart = new ChartWindow(&window);
            const auto follow = [&window, chart] {
                const std::optional<Schedule>& schedule = window.lastSchedule();
                chart->setYears(schedule ? schedule->years : std::vector<ScheduleYear>());
            };
            follow();
            QObject::connect(&window, &Form1::lastScheduleChanged, chart, follow);
        }
        chart->open();
    });
    return action;
}

} // namespace ChartAction
