#pragma once

#include "loan/Schedule.h"

#include <cstddef>
#include <optional>
#include <vector>

// Consecutive schedule years drawn as one bar and one point of the chart.
struct YearBucket {
    double firstYear = 0.0;
    double lastYear = 0.0;
    Decimal interest;  // the exact sum of its years' interest, each rounded to cents
    Decimal principal; // the exact sum of its years' principal, each rounded to cents
    Decimal balance;   // the balance at the end of its last year, rounded to cents
};

// Groups a schedule's years so that a chart of any length stays readable: single years while there are
// at most kMostBuckets of them, otherwise decades, centuries or millennia counted from the first year.
namespace YearBuckets {

constexpr std::size_t kMostBuckets = 40;

// 1, 10, 100 or 1000: the fewest years per bucket that keeps the count within kMostBuckets.
int yearsPerBucket(std::size_t yearCount);

std::vector<YearBucket> of(const std::vector<ScheduleYear>& years);

// The first schedule year whose principal exceeds its interest in cents, if any does.
std::optional<double> crossingYear(const std::vector<ScheduleYear>& years);

} // namespace YearBuckets
