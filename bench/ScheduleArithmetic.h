#pragma once

// The schedule with no grid: its arithmetic alone, and its arithmetic with every cell text the layout
// writes, the floor under any schedule written into the result grid. One definition, registered by every
// benchmark program that compares against it.
#include "formula/Formula.h"
#include "loan/LoanTerms.h"
#include "loan/Payment.h"
#include "loan/Schedule.h"
#include "loan/SharedState.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace ScheduleArithmetic {

// The worked loan: 6 % on 200000 from 2007, for the length the benchmark is given in years.
inline const QString kRatePercent = QStringLiteral("6");
inline const QString kPrincipal = QStringLiteral("200000");
inline const QString kStartYear = QStringLiteral("2007");

inline SharedState sharedState() {
    SharedState shared;
    shared.GridFontSize = 10;
    shared.MonthNames = {"January", "February", "March",     "April",    "May",      "June",
                         "July",    "August",   "September", "Octomber", "November", "Deceamber"};
    return shared;
}

// The worked loan's schedule for a length in years, from its texts, as Calculate computes it.
inline Schedule workedSchedule(const QString& years) {
    const LoanTerms terms = LoanTerms::read({years, kRatePercent, kPrincipal, {}, {}, kStartYear});
    const Decimal rate = Payment::monthlyRate(terms.rate);
    const Decimal payment = Payment::monthlyPayment(terms.principal, rate, Payment::paymentCount(terms.length));
    return Schedule::compute(terms, rate, payment);
}

// Turns every value into its cell text, as the grid would, and keeps only their total length.
class CellTexts final : public Formula::Cells {
public:
    void setGridSize(std::int16_t, std::int16_t) override {}
    void writeCell(std::int32_t, std::int32_t, bool, std::int16_t, bool, const Module1::CellValue& value,
                   std::uint32_t) override {
        m_characters += Module1::cellText(value).size();
    }
    void setCellAlignment(std::int16_t) override {}
    void setCellForeColor(std::uint32_t) override {}

    qsizetype characters() const { return m_characters; }

private:
    qsizetype m_characters = 0;
};

// Argument: the loan's length in years. The terms read, the payment and every month worked out.
inline void BM_ScheduleComputation(benchmark::State& state) {
    const QString years = QString::number(state.range(0));
    for (auto _ : state) {
        const Schedule schedule = workedSchedule(years);
        benchmark::DoNotOptimize(schedule.months.back().balance);
    }
    state.counters["months"] = double(state.range(0) * 12);
}

// The same, and every cell's text as the layout writes it.
inline void BM_ScheduleArithmetic(benchmark::State& state) {
    const QString years = QString::number(state.range(0));
    const SharedState shared = sharedState();
    for (auto _ : state) {
        CellTexts cells;
        Formula::WriteSchedule(workedSchedule(years), shared, cells);
        benchmark::DoNotOptimize(cells.characters());
    }
    state.counters["months"] = double(state.range(0) * 12);
}

} // namespace ScheduleArithmetic
