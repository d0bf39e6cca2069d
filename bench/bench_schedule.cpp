// The amortization schedule, from 30 years (360 months) to the longest the grid can hold (2183 years,
// 26,196 months): first its arithmetic and cell texts alone, then written into a result grid.
#include "bench/ScheduleEngineOnly.h"
#include "grid/FlexGrid.h"
#include "grid/Module1.h"
#include "grid/WindowFont.h"
#include "loan/Formula.h"

#include <QLineEdit>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

using EngineOnly::kPrincipal;
using EngineOnly::kStartYear;
using EngineOnly::setSharedState;

// Writes into a result grid in a window like the main one, as a repeated Calculate does.
void BM_BuildSchedule(benchmark::State& state) {
    const QString years = QString::number(state.range(0));
    setSharedState(years);
    QWidget window;
    for (const auto& [name, text] : {std::pair{"Text1", years}, {"Text3", kPrincipal}, {"Text6", kStartYear}}) {
        auto* box = new QLineEdit(text, &window);
        box->setObjectName(name);
    }
    new WindowFont(&window);
    auto* grid = new FlexGrid(&window);
    for (auto _ : state) {
        Formula::BuildSchedule(*grid, window);
        grid->flush();
    }
    state.counters["rows"] = grid->rows();
}

} // namespace

BENCHMARK(EngineOnly::BM_ScheduleArithmetic)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_BuildSchedule)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond)->Repetitions(5);
