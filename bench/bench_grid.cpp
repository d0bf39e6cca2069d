// The grid under the heaviest load the program gives it: the longest schedule, 32,767 rows of 5 columns,
// every cell with its own format and one column fitted to its text, written in one handler.
#include "grid/FlexGrid.h"
#include "grid/Module1.h"
#include "grid/WindowFont.h"
#include "numbers/Decimal.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kRows = 32767;
constexpr int kCols = 5;
constexpr std::int16_t kFontSize = 10;
constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kWhite = 16777215;

struct Window {
    QWidget form;
    WindowFont* font = new WindowFont(&form);
    FlexGrid* grid = new FlexGrid(&form);

    Window() {
        form.resize(680, 420);
        grid->setGeometry(16, 16, 643, 390);
        form.show();
        QCoreApplication::processEvents();
    }
};

const std::vector<Decimal>& amounts() {
    static const std::vector<Decimal> values = [] {
        std::vector<Decimal> result;
        result.reserve(kRows);
        for (int r = 0; r < kRows; ++r)
            result.push_back(Decimal::fromString(QStringLiteral("%1.%2").arg(200000 - r * 6).arg(r % 100)));
        return result;
    }();
    return values;
}

// One schedule-like row: year (fitted), month name, two amounts and a balance; every fifteenth row is a
// totals row in white on red.
void writeRow(Window& w, int row) {
    const bool totals = row % 15 == 0;
    const std::uint32_t back = totals ? kRed : 0;
    Module1::WriteCell(*w.grid, 0, row, totals, false, kFontSize, true, std::int32_t{2007 + row / 15}, *w.font, back);
    Module1::WriteCell(*w.grid, 1, row, totals, false, kFontSize, false, QStringLiteral("Octomber"), *w.font, back);
    Module1::WriteCell(*w.grid, 2, row, totals, false, kFontSize, false, amounts()[static_cast<std::size_t>(row)],
                       *w.font, back);
    w.grid->setCellAlignment(1);
    Module1::WriteCell(*w.grid, 3, row, totals, false, kFontSize, false, 1199.1 - row * 0.01, *w.font, back);
    if (totals)
        w.grid->setCellForeColor(kWhite);
    Module1::WriteCell(*w.grid, 4, row, totals, false, kFontSize, false, 199987.55 - row, *w.font, back);
}

void writeSchedule(Window& w) {
    Module1::SetGridSize(kCols, kRows, *w.grid);
    for (int row = 1; row < kRows; ++row)
        writeRow(w, row);
}

void BM_WriteLongestSchedule(benchmark::State& state) {
    amounts();
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Window>();
        state.ResumeTiming();

        writeSchedule(*w);
        w->grid->flush();
        w->grid->repaint();

        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kRows - 1) * kCols);
}

// The part of the above that the view costs: one reset, the row heights applied, one paint.
void BM_FlushLongestSchedule(benchmark::State& state) {
    amounts();
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Window>();
        writeSchedule(*w);
        state.ResumeTiming();

        w->grid->flush();
        w->grid->repaint();

        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}

void BM_JumpBetweenFirstAndLastRow(benchmark::State& state) {
    Window w;
    writeSchedule(w);
    w.grid->flush();
    bool toLast = true;
    for (auto _ : state) {
        w.grid->setRow(toLast ? kRows - 1 : 1);
        w.grid->flush();
        w.grid->repaint();
        toLast = !toLast;
    }
}

} // namespace

BENCHMARK(BM_WriteLongestSchedule)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FlushLongestSchedule)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_JumpBetweenFirstAndLastRow)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
