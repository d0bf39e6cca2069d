// The amortization schedule, from 30 years (360 months) to the longest the grid can hold (2183 years,
// 26,196 months): its arithmetic alone, with its cell texts, then written into a result grid.
#include "bench/ScheduleArithmetic.h"
#include "grid/FlexGrid.h"
#include "grid/WindowFont.h"

#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// Written into a result grid in a window like the main one, as a repeated Calculate does.
void BM_BuildSchedule(benchmark::State& state) {
    const Schedule schedule = ScheduleArithmetic::workedSchedule(QString::number(state.range(0)));
    const SharedState shared = ScheduleArithmetic::sharedState();
    QWidget window;
    auto* font = new WindowFont(&window);
    auto* grid = new FlexGrid(&window);
    for (auto _ : state) {
        Formula::BuildSchedule(*grid, *font, schedule, shared);
        grid->flush();
    }
    state.counters["rows"] = grid->rows();
}

} // namespace

BENCHMARK(ScheduleArithmetic::BM_ScheduleComputation)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
BENCHMARK(ScheduleArithmetic::BM_ScheduleArithmetic)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSchedule)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
