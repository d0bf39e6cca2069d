#include "chart/YearBuckets.h"

#include "numbers/Money.h"

namespace YearBuckets {

namespace {
constexpr int kYearsPerDecade = 10;
constexpr int kLargestYearsPerBucket = 1000;

// A year's figure as the schedule shows money: rounded to cents, halves to even.
Decimal cents(const Decimal& value) {
    return Money::toCents(value, Money::Rounding::HalfEven);
}
} // namespace

int yearsPerBucket(std::size_t yearCount) {
    int span = 1;
    while (span < kLargestYearsPerBucket && (yearCount + std::size_t(span) - 1) / std::size_t(span) > kMostBuckets)
        span *= kYearsPerDecade;
    return span;
}

std::vector<YearBucket> of(const std::vector<ScheduleYear>& years) {
    const std::size_t span = static_cast<std::size_t>(yearsPerBucket(years.size()));
    std::vector<YearBucket> buckets;
    buckets.reserve((years.size() + span - 1) / span);
    for (std::size_t index = 0; index < years.size(); ++index) {
        const ScheduleYear& year = years[index];
        if (index % span == 0)
            buckets.push_back({year.year, year.year, {}, {}, {}});
        YearBucket& bucket = buckets.back();
        bucket.lastYear = year.year;
        bucket.interest += cents(year.interest);
        bucket.principal += cents(year.principal);
        bucket.balance = cents(year.balance);
    }
    return buckets;
}

std::optional<double> crossingYear(const std::vector<ScheduleYear>& years) {
    for (const ScheduleYear& year : years) {
        if (cents(year.principal) > cents(year.interest))
            return year.year;
    }
    return std::nullopt;
}

} // namespace YearBuckets
