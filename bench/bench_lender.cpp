// The lender's schedule worked out from its terms, nothing shown: 200,000 from 2007 with the lender's
// rounding, at 6 % for 30 years monthly (360 payments) and 40 years weekly (2,080), and for the longest
// loan the window takes, 2183 years weekly (113,516), at 0.1 %: at 6 % over 2183 years the payment to the
// cent is no more than the interest, 230.77, so that loan stops at its first payment, while at 0.1 % it
// runs all 113,516 payments; that loan once more with nothing rounded.
//
// Targets: 30 years monthly well under 1 ms; 2183 years weekly under 100 ms.
//
// Then the window's update on top of it, below.
#include "lender/LenderScheduleModel.h"
#include "lender/LenderWindow.h"
#include "loan/LenderSchedule.h"
#include "windows/MessagePath.h"

#include <QComboBox>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

// Arguments: the length in years, 1 for weekly payments rather than monthly, the rate in tenths of a percent,
// and 1 for nothing rounded (the "As calculated" preset, every amount to 28 digits) rather than the lender's
// cents.
void BM_LenderSchedule(benchmark::State& state) {
    LenderTerms terms;
    terms.principal = Decimal::fromInteger(200000);
    terms.ratePercent = Decimal::fromInteger(state.range(2)) / Decimal::fromInteger(10);
    terms.lengthInYears = Decimal::fromInteger(state.range(0));
    terms.startYear = 2007;
    if (state.range(3) == 1)
        terms = terms.withPreset(LenderTerms::Preset::AsCalculated);
    terms.frequency = state.range(1) == 1 ? LenderTerms::Frequency::Weekly : LenderTerms::Frequency::Monthly;
    for (auto _ : state) {
        const LenderSchedule schedule = LenderSchedule::compute(terms);
        if (!schedule.isPaidOff())
            state.SkipWithError("the loan was not paid off");
        if (schedule.rows.size() != std::size_t(state.range(0) * (state.range(1) == 1 ? 52 : 12)))
            state.SkipWithError("the loan did not run its length");
        benchmark::DoNotOptimize(schedule.rows.data());
    }
}

} // namespace

BENCHMARK(BM_LenderSchedule)
    ->Args({30, 0, 60, 0})
    ->Args({40, 1, 60, 0})
    ->Args({2183, 1, 1, 0})
    ->Args({2183, 1, 1, 1})
    ->Unit(benchmark::kMillisecond);

// One update of the lender's window as the user changes a term: the schedule worked out again, the summary
// beside the main window's figures and the table refilled, and the window painted once. The loan is 200,000
// from 2007; the interest's rounding alternates between halves up and halves to even, so every change works
// everything out again.
//
// Targets: 30 years monthly under 10 ms; 40 years weekly (2,080 payments) under 30 ms; 2183 years weekly
// (113,516 payments, at 0.1 %) under 500 ms.
namespace {

// Arguments: the length in years, 1 for weekly payments rather than monthly, the rate in tenths of a percent.
void BM_UpdateLenderWindow(benchmark::State& state) {
    Schedule loan;
    loan.principal = 200000;
    loan.ratePercent = double(state.range(2)) / 10.0;
    loan.lengthInYears = double(state.range(0));
    loan.startYear = 2007;
    const MessagePath messages;
    LenderWindow window(messages);
    window.setLoan(loan);
    window.open();
    window.frequency->setCurrentIndex(
        int(state.range(1) == 1 ? LenderTerms::Frequency::Weekly : LenderTerms::Frequency::Monthly));
    const int roundings[] = {int(LenderTerms::InterestRounding::CentHalfEven),
                             int(LenderTerms::InterestRounding::CentHalfUp)};
    std::size_t change = 0;
    for (auto _ : state) {
        window.interestRounding->setCurrentIndex(roundings[change++ % 2]);
        window.repaint();
        QCoreApplication::processEvents();
    }
    if (!window.stopText().isEmpty() || window.isOutOfDate())
        state.SkipWithError("the loan was not paid off");
    state.counters["rows"] = double(window.scheduleModel().rowCount());
}

} // namespace

BENCHMARK(BM_UpdateLenderWindow)
    ->ArgNames({"years", "weekly", "rateTenths"})
    ->Args({30, 0, 60})
    ->Args({40, 1, 60})
    ->Args({2183, 1, 1})
    ->Unit(benchmark::kMillisecond);
