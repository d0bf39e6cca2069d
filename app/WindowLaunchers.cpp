#include "app/WindowLaunchers.h"

#include "app/Form1.h"
#include "chart/ChartWindow.h"
#include "compare/CompareWindow.h"
#include "lender/LenderWindow.h"
#include "whatif/WhatIfWindow.h"

#include <QAction>
#include <QWidget>

namespace {

// One window's entry. `follow` gives the window the main window's last schedule, when it is made and after
// every Calculate.
template <class Window, class Follow>
void addLauncher(Form1& form, QWidget& grid, const QString& text, const QKeySequence& shortcut,
                 const QString& objectName, Follow follow) {
    auto* action = new QAction(text, &grid);
    action->setObjectName(objectName);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    grid.addAction(action);
    QObject::connect(action, &QAction::triggered, &form, [&form, follow] {
        auto* window = form.findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
        if (!window) {
            window = new Window(form.messages(), &form);
            follow(form, *window);
            QObject::connect(&form, &Form1::lastScheduleChanged, window,
                             [&form, window, follow] { follow(form, *window); });
        }
        window->open();
    });
}

} // namespace

namespace WindowLaunchers {

void install(Form1& form, QWidget& grid) {
    auto* separator = new QAction(&grid);
    separator->setSeparator(true);
    grid.addAction(separator);

    addLauncher<ChartWindow>(form, grid, QStringLiteral("Show Chart\u2026"), QKeySequence(Qt::CTRL | Qt::Key_G),
                             QStringLiteral("showChartAction"), [](const Form1& source, ChartWindow& chart) {
                                 const std::optional<Schedule>& schedule = source.lastSchedule();
                                 chart.setYears(schedule ? schedule->years : std::vector<ScheduleYear>());
                             });
    // A Calculate that fails or writes no schedule leaves the loan the window shows as it was.
    addLauncher<WhatIfWindow>(form, grid, QStringLiteral("What If\u2026"), QKeySequence(Qt::CTRL | Qt::Key_E),
                              QStringLiteral("whatIfAction"), [](const Form1& source, WhatIfWindow& whatIf) {
                                  if (const std::optional<Schedule>& schedule = source.lastSchedule())
                                      whatIf.setLoan(*schedule);
                              });
    addLauncher<LenderWindow>(form, grid, QStringLiteral("Lender's Schedule\u2026"), QKeySequence(Qt::CTRL | Qt::Key_L),
                              QStringLiteral("lenderAction"), [](const Form1& source, LenderWindow& lender) {
                                  if (const std::optional<Schedule>& schedule = source.lastSchedule())
                                      lender.setLoan(*schedule);
                              });
    addLauncher<CompareWindow>(form, grid, QStringLiteral("Compare Offers\u2026"), QKeySequence(Qt::CTRL | Qt::Key_K),
                               QStringLiteral("compareAction"), [](const Form1& source, CompareWindow& compare) {
                                   if (const std::optional<Schedule>& schedule = source.lastSchedule())
                                       compare.setLoan(*schedule);
                               });
}

} // namespace WindowLaunchers
