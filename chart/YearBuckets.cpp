#include "chart/YearBuckets.h"

namespace YearBuckets {

namespace {
constexpr int kYearsPerDecade = 10;
constexpr int kLargestYearsPerBucket = 1000;
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
        bucket.interest += year.interest;
        bucket.principal += year.principal;
        bucket.balance = year.balance;
    }
    return buckets;
}

std::optional<double> crossingYear(const std::vector<ScheduleYear>& years) {
    for (const ScheduleYear& year : years) {
        if (year.principal > year.interest)
            return year.year;
    }
    return std::nullopt;
}

} // namespace YearBuckets
