#pragma once

// The schedule's arithmetic and cell texts alone, with no grid: the floor under any schedule written into
// the result grid. One definition, registered by every benchmark program that compares against it.
#include "grid/Module1.h"
#include "loan/Payment.h"
#include "loan/ScheduleEngine.h"
#include "loan/SharedState.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace EngineOnly {

// The worked loan: 6 % on 200000 from 2007, for the length the benchmark is given in years.
inline const QString kRatePercent = QStringLiteral("6");
inline const QString kPrincipal = QStringLiteral("200000");
inline const QString kStartYear = QStringLiteral("2007");

inline void setSharedState(const QString& years) {
    GridFontSize = 10;
    MonthNames = {"January", "February", "March",     "April",    "May",      "June",
                  "July",    "August",   "September", "Octomber", "November", "Deceamber"};
    MonthlyRate = Payment::monthlyRate(kRatePercent);
    MonthlyPayment = Payment::monthlyPayment(kPrincipal, MonthlyRate, Payment::paymentCount(years));
}

class FixedTexts final : public ScheduleEngine::Inputs {
public:
    explicit FixedTexts(QString years)
        : m_years(std::move(years)) {}
    QString lengthText() override { return m_years; }
    QString principalText() override { return kPrincipal; }
    QString startYearText() override { return kStartYear; }

private:
    QString m_years;
};

// Turns every value into its cell text, as the grid would, and keeps only their total length.
class CellTexts final : public ScheduleEngine::Output {
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

// Argument: the loan's length in years.
inline void BM_ScheduleArithmetic(benchmark::State& state) {
    const QString years = QString::number(state.range(0));
    setSharedState(years);
    for (auto _ : state) {
        FixedTexts inputs(years);
        CellTexts cells;
        ScheduleEngine(inputs, cells).run();
        benchmark::DoNotOptimize(cells.characters());
    }
    state.counters["months"] = double(state.range(0) * 12);
}

} // namespace EngineOnly
