// The APR solver on any payments: the input's first byte picks the unit period (a month of 30 days, half a
// month of 15, a week of 7), the next five the amount financed in cents (its top bit making it negative), and
// every seven after that a payment: four bytes of cents, two of whole periods (up to 1,199) and one of odd days
// (up to 31, so a whole period or more is sometimes offered). Where a rate is returned, the payments discounted
// at it, worked out again here in a hundred digits one payment at a time, come to the amount financed within a
// thousandth of a cent; where none is, the present value less the amount financed has the sign at the rate
// bounds that rules a root out.
#include "loan/Apr.h"

#include <boost/multiprecision/cpp_dec_float.hpp>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

using Wide = boost::multiprecision::cpp_dec_float_100;

struct UnitPeriod {
    int perYear;
    int days;
};
constexpr std::array<UnitPeriod, 3> kUnitPeriods = {{{12, 30}, {24, 15}, {52, 7}}};
constexpr std::size_t kMaxFlows = 60; // five years of payments; more only slows the runs
constexpr int kPeriodsSpan = 1200;
constexpr int kOddDaysSpan = 32;
constexpr int kCentPlaces = 2;
constexpr int kLargestRateDigits = 26; // the APR of a rate beyond 10^26 a period no longer fits the decimal type

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size) {}
    bool has(std::size_t count) const { return m_size - m_at >= count; }
    std::uint64_t take(std::size_t count) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value = value << 8 | m_data[m_at++];
        return value;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

Wide wide(const Decimal& value) {
    return Wide(value.toString().toStdString());
}

// Each payment on its own: (1 + i)^-t by repeated squaring, the odd days' simple interest 1 / (1 + f i) once
// for each number of odd days, as divisions cost the most here.
Wide presentValue(const std::vector<Apr::Flow>& flows, const std::vector<Wide>& amounts, const Wide& rate,
                  int daysPerPeriod) {
    const Wide perPeriod = 1 / (1 + rate);
    std::array<Wide, kOddDaysSpan> simple;
    for (int days = 0; days < kOddDaysSpan; ++days)
        simple[std::size_t(days)] = 1 / (1 + Wide(days) / daysPerPeriod * rate);
    Wide sum = 0;
    for (std::size_t k = 0; k < flows.size(); ++k)
        sum += amounts[k] * pow(perPeriod, flows[k].periods) * simple[std::size_t(flows[k].oddDays)];
    return sum;
}

[[noreturn]] void fail(const char* what, const Decimal& financed, std::size_t flows) {
    std::fprintf(stderr, "%s: amount financed %s, %zu payments\n", what, qPrintable(financed.toString()), flows);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    if (!bytes.has(6))
        return 0;
    const UnitPeriod unit = kUnitPeriods[bytes.take(1) % kUnitPeriods.size()];
    const std::uint64_t financedBits = bytes.take(5);
    const bool negative = (financedBits >> 39) & 1;
    const Decimal financed = Decimal::fromParts(negative, financedBits & ((std::uint64_t(1) << 39) - 1), kCentPlaces);
    std::vector<Apr::Flow> flows;
    std::vector<Wide> amounts;
    const Wide cent("0.01");
    while (bytes.has(7) && flows.size() < kMaxFlows) {
        const std::uint64_t cents = bytes.take(4);
        const auto periods = std::int64_t(bytes.take(2) % kPeriodsSpan);
        const auto oddDays = std::int64_t(bytes.take(1) % kOddDaysSpan);
        flows.push_back({Decimal::fromParts(false, cents, kCentPlaces), periods, oddDays});
        amounts.push_back(Wide(cents) * cent);
    }

    const Apr apr = Apr::solve(financed, flows, unit.perYear, unit.days);
    const Wide target = wide(financed);
    Wide total = 0;
    Wide atOnce = 0;
    bool invalid = false;
    for (std::size_t k = 0; k < flows.size(); ++k) {
        total += amounts[k];
        if (flows[k].periods == 0 && flows[k].oddDays == 0)
            atOnce += amounts[k];
        invalid = invalid || flows[k].oddDays >= unit.days;
    }

    switch (apr.whyNone()) {
    case Apr::NoRate::None: {
        if (invalid || apr.periodRate().isNegative())
            fail("a rate for payments it should refuse", financed, flows.size());
        const Wide gap = abs(presentValue(flows, amounts, wide(apr.periodRate()), unit.days) - target);
        if (gap > Wide("0.00001"))
            fail("the payments at the rate miss the amount financed", financed, flows.size());
        break;
    }
    case Apr::NoRate::NothingFinanced:
        if (target > 0)
            fail("nothing financed, though something is", financed, flows.size());
        break;
    case Apr::NoRate::InvalidFlow:
        if (!invalid)
            fail("valid payments refused", financed, flows.size());
        break;
    case Apr::NoRate::FlowsTooSmall: // at a rate of zero the payments already fall short
        if (invalid || !(total < target))
            fail("payments that reach the amount financed said to fall short", financed, flows.size());
        break;
    case Apr::NoRate::PaidAtOnce: // at any rate, however high, the payments still reach it
        if (invalid || !(atOnce >= target) || !(total > target))
            fail("no rate though the present value falls below the amount financed", financed, flows.size());
        break;
    case Apr::NoRate::BeyondRange: {
        const Wide largest = pow(Wide(10), kLargestRateDigits);
        if (invalid || !(presentValue(flows, amounts, largest, unit.days) > target))
            fail("a rate in range said to be beyond it", financed, flows.size());
        break;
    }
    }
    return 0;
}
