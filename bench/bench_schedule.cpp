// The amortization schedule, from 30 years (360 months) to the longest the grid can hold (2183 years,
// 26,196 months): first its arithmetic and cell texts alone, then written into a result grid.
#include "FlexGrid.h"
#include "Formula.h"
#include "Module1.h"
#include "Payment.h"
#include "ScheduleEngine.h"
#include "SharedState.h"
#include "WindowFont.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

const QString kRatePercent = QStringLiteral("6");
const QString kPrincipal = QStringLiteral("200000");
const QString kStartYear = QStringLiteral("2007");

void setSharedState(const QString& years) {
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

void BM_ScheduleArithmetic(benchmark::State& state) {
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

QApplication& application() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_schedule";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Writes into a result grid in a window like the main one, as a repeated Calculate does.
void BM_BuildSchedule(benchmark::State& state) {
    application();
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

BENCHMARK(BM_ScheduleArithmetic)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_BuildSchedule)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond)->Repetitions(5);
