// The Calculate button on the real window, shown on the offscreen platform: the worked loan of 6 % on
// 200000 from 2007, for 30 years and for 2183 years (the longest whole-year length whose 32,759 rows fit
// the grid's 16-bit row count). Each press includes every cell write and auto-fit, the grid's one flush
// to the view, and one repaint of the visible grid.
//
// Targets: 30 years within 16 ms (one frame); 2183 years within three times the schedule's arithmetic
// alone (BM_ScheduleArithmetic/2183, the same loan); the 2183-year grid adds at most 40 MB; jumping to
// its last row and repainting within 16 ms.
#include "app/Form1.h"
#include "app/InputBox.h"
#include "bench/LoanWindow.h"
#include "bench/ScheduleArithmetic.h"
#include "grid/FlexGrid.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>

namespace {

constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

// What the press costs until the grid is on screen: the handler, the view told of the writes, one paint.
void pressCalculate(Form1& form) {
    form.Command1_Click();
    form.MSHFlexGrid1->flush();
    form.MSHFlexGrid1->repaint();
    QCoreApplication::processEvents();
}

// Argument: the loan's length in years. The grid holds the previous press's schedule, as when the user
// presses Calculate again.
void BM_Calculate(benchmark::State& state) {
    const auto form = loanWindow(static_cast<int>(state.range(0)));
    pressCalculate(*form);
    for (auto _ : state)
        pressCalculate(*form);
    state.counters["rows"] = form->MSHFlexGrid1->rows();
}

// Heap in use: small blocks plus the large ones malloc maps on their own.
double heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

double residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) : 0.0;
}

// Pages the process has taken from the system so far; each first touch of a new page costs one.
long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The memory the longest schedule adds to a freshly opened window, once it is written and shown. The
// time is that of the first press on a new window, which also pays for every fresh page it touches.
void BM_MemoryOfLongestSchedule(benchmark::State& state) {
    double heapMegabytes = 0.0;
    double residentMegabytes = 0.0;
    long faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = loanWindow(2183);
        form->MSHFlexGrid1->repaint();
        malloc_trim(0);
        const double heapBefore = heapBytes();
        const double residentBefore = residentBytes();
        const long faultsBefore = pageFaults();
        state.ResumeTiming();

        pressCalculate(*form);

        state.PauseTiming();
        heapMegabytes = (heapBytes() - heapBefore) / kBytesPerMegabyte;
        residentMegabytes = (residentBytes() - residentBefore) / kBytesPerMegabyte;
        faults = pageFaults() - faultsBefore;
        form.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heapMegabytes;
    state.counters["rss_MB"] = residentMegabytes;
    state.counters["page_faults"] = static_cast<double>(faults);
}

// From the top of the longest schedule to its last row and back, each move repainted. The program's way
// (Row = the last row) and the user's (Ctrl+End, Ctrl+Home).
void BM_JumpToLastRow(benchmark::State& state) {
    const bool byKeys = state.range(0) != 0;
    const auto form = loanWindow(2183);
    pressCalculate(*form);
    FlexGrid& grid = *form->MSHFlexGrid1;
    bool toLast = true;
    for (auto _ : state) {
        if (byKeys) {
            QKeyEvent press(QEvent::KeyPress, toLast ? Qt::Key_End : Qt::Key_Home, Qt::ControlModifier);
            QCoreApplication::sendEvent(&grid, &press);
        } else {
            grid.setRow(toLast ? grid.rows() - 1 : 1);
            grid.flush();
        }
        grid.repaint();
        if (grid.row() != (toLast ? grid.rows() - 1 : 1)) {
            state.SkipWithError("the current cell did not reach the row it was sent to");
            break;
        }
        toLast = !toLast;
    }
    state.counters["rows"] = grid.rows();
}

} // namespace

BENCHMARK(ScheduleArithmetic::BM_ScheduleArithmetic)->Arg(2183)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryOfLongestSchedule)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_JumpToLastRow)->ArgName("keys")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
