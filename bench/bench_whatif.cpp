// One update of the what-if window as the user types an extra into it: the schedule with extras worked
// out again, its comparison, table and chart refilled, and the window painted once. The loan is the worked
// one (6 % on 200000 from 2007) for 30 years and for the longest schedule the grid can hold, 2183 years;
// the extra alternates between 1 and 2 a month, so every keystroke changes the figures. Finishing sooner,
// even 1 a month pays the 2183-year loan off in about 104 years, since its payment barely exceeds the
// interest; paying less keeps all 2183 years and works the payment out again every month, the heaviest
// update there is. The window shows its Schedule tab, so the chart's series are refilled but not painted.
//
// Targets: an update of the 30-year plan within 10 ms, of the 2183-year plan within 150 ms.
#include "bench/ScheduleArithmetic.h"
#include "whatif/ExtraScheduleModel.h"
#include "whatif/WhatIfWindow.h"
#include "windows/CheckedField.h"
#include "windows/MessagePath.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

void paint(WhatIfWindow& window) {
    window.repaint();
    QCoreApplication::processEvents();
}

// Arguments: the loan's length in years, and 1 to pay less rather than finish sooner.
void BM_UpdateWhatIf(benchmark::State& state) {
    const MessagePath messages;
    WhatIfWindow window(messages);
    window.setLoan(ScheduleArithmetic::workedSchedule(QString::number(state.range(0))));
    window.open();
    if (state.range(1) == 1)
        window.payLess->setChecked(true);
    paint(window);
    const QString extras[] = {QStringLiteral("1"), QStringLiteral("2")};
    std::size_t keystroke = 0;
    for (auto _ : state) {
        window.monthlyAmount->setText(extras[keystroke++ % 2]);
        paint(window);
    }
    state.counters["rows"] = double(window.scheduleModel().rowCount());
}

} // namespace

BENCHMARK(BM_UpdateWhatIf)
    ->ArgNames({"years", "payLess"})
    ->ArgsProduct({{30, 2183}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
