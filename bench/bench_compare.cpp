// The Compare Offers window's arithmetic, nothing shown: four 30-year offers of 200,000 (no points, two points
// for a lower rate, a monthly fee, a rate change after five years) compared over the default horizon, each
// with its lender's schedule, APR, costs, cost-to-date series and break-even; and one offer's APR alone, from
// its 360 payments.
//
// Target: the whole comparison well under 20 ms.
#include "compare/CompareModel.h"
#include "compare/CompareWindow.h"
#include "loan/Apr.h"
#include "loan/LenderSchedule.h"
#include "loan/OfferComparison.h"
#include "windows/CheckedField.h"
#include "windows/MessagePath.h"

#include <QCoreApplication>
#include <QSpinBox>

#include <benchmark/benchmark.h>

namespace {

constexpr std::int64_t kStartYear = 2025;

Decimal amount(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text));
}

Offer offerOf(const char* name, const char* ratePercent, const char* points, const char* fees, const char* monthly) {
    return {QString::fromLatin1(name), amount("200000"), amount("30"),
            amount(ratePercent),       amount(points),   amount(fees),
            amount(monthly),           std::nullopt};
}

std::vector<Offer> fourOffers() {
    Offer changing = offerOf("Rate change", "6", "0", "0", "0");
    changing.rateChange = LenderTerms::RateChange{kStartYear + 5, 1, amount("7.5")};
    return {offerOf("No points", "6.5", "0", "2000", "0"), offerOf("Two points", "5.875", "2", "2000", "0"),
            offerOf("Monthly fee", "6.25", "0", "0", "10"), changing};
}

void BM_CompareFourOffers(benchmark::State& state) {
    const std::vector<Offer> offers = fourOffers();
    for (auto _ : state) {
        const OfferComparison comparison = OfferComparison::compute(offers, kStartYear);
        for (const OfferComparison::Figures& figures : comparison.offers) {
            if (!figures.hasFigures() || !figures.apr.exists())
                state.SkipWithError("an offer has no figures or no APR");
        }
        benchmark::DoNotOptimize(comparison.cheapest);
    }
}

void BM_AprOf360Payments(benchmark::State& state) {
    LenderTerms terms;
    terms.principal = amount("200000");
    terms.ratePercent = amount("6.5");
    terms.lengthInYears = amount("30");
    terms.startYear = kStartYear;
    const LenderSchedule schedule = LenderSchedule::compute(terms);
    std::vector<Apr::Flow> flows;
    for (const LenderSchedule::Row& row : schedule.rows)
        flows.push_back({row.payment, row.number, 0});
    const Decimal financed = amount("198000");
    for (auto _ : state) {
        const Apr apr = Apr::solve(financed, flows);
        if (!apr.exists())
            state.SkipWithError("no rate");
        benchmark::DoNotOptimize(apr.periodRate());
    }
}

} // namespace

BENCHMARK(BM_CompareFourOffers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AprOf360Payments)->Unit(benchmark::kMillisecond);

// One update of the Compare Offers window as the user types: the four offers read from their fields, compared,
// the table and the chart of costs refilled, and the window painted once. The second offer's points alternate
// between 2 and 2.5, so every keystroke works everything out again.
//
// Target: under 20 ms.
namespace {

void BM_UpdateCompareWindow(benchmark::State& state) {
    Schedule loan;
    loan.principal = 200000;
    loan.ratePercent = 6.5;
    loan.lengthInYears = 30;
    loan.startYear = double(kStartYear);
    const MessagePath messages;
    CompareWindow window(messages);
    window.setLoan(loan);
    window.open();
    window.addOfferColumn();
    window.addOfferColumn();
    const std::vector<CompareWindow::OfferFields>& fields = window.offers();
    fields[1].rate->setText(QStringLiteral("5.875"));
    fields[2].monthlyFee->setText(QStringLiteral("10"));
    fields[3].changeYear->setValue(int(kStartYear) + 5);
    fields[3].changeRate->setText(QStringLiteral("7.5"));
    const QString points[] = {QStringLiteral("2"), QStringLiteral("2.5")};
    std::size_t keystroke = 0;
    for (auto _ : state) {
        fields[1].points->setText(points[keystroke++ % 2]);
        window.repaint();
        QCoreApplication::processEvents();
    }
    if (window.isOutOfDate() || window.comparisonModel().columnCount() != 5)
        state.SkipWithError("the four offers were not compared");
}

} // namespace

BENCHMARK(BM_UpdateCompareWindow)->Unit(benchmark::kMillisecond);
