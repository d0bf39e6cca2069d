// Opening the chart window on the last schedule of the worked loan (6 % on 200000 from 2007): 30 years
// drawn year by year, and the longest schedule the grid can hold, 2183 years, drawn by century. Each
// opening makes the window, fills its chart and its table from the schedule's year figures and paints it
// once; a redraw is what an open chart costs when a later Calculate succeeds.
//
// Target: the 2183-year chart opens within 300 ms.
#include "bench/ScheduleArithmetic.h"
#include "chart/ChartWindow.h"
#include "windows/MessagePath.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The worked loan's schedule years, as a Calculate hands them to the chart.
std::vector<ScheduleYear> scheduleYears(std::int64_t years) {
    return ScheduleArithmetic::workedSchedule(QString::number(years)).years;
}

void paint(ChartWindow& window) {
    window.repaint();
    QCoreApplication::processEvents();
}

// Argument: the loan's length in years.
void BM_OpenChart(benchmark::State& state) {
    const std::vector<ScheduleYear> years = scheduleYears(state.range(0));
    std::size_t bars = 0;
    const MessagePath messages;
    for (auto _ : state) {
        auto window = std::make_unique<ChartWindow>(messages);
        window->setYears(years);
        window->open();
        paint(*window);
        bars = window->buckets().size();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["bars"] = double(bars);
}

void BM_RedrawOpenChart(benchmark::State& state) {
    const std::vector<ScheduleYear> years = scheduleYears(state.range(0));
    const MessagePath messages;
    ChartWindow window(messages);
    window.setYears(years);
    window.open();
    paint(window);
    for (auto _ : state) {
        window.setYears(years);
        paint(window);
    }
}

} // namespace

BENCHMARK(BM_OpenChart)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawOpenChart)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
