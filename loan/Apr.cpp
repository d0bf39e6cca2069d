#include "loan/Apr.h"

#include "loan/LenderArithmetic.h"
#include "numbers/Money.h"
#include "numbers/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

// How precision is kept: the payments and the amount financed are exact decimals and are read into fifty-digit
// decimal floats (Boost's cpp_dec_float_50) once. A quick Newton iteration in double finds the rate to about
// fifteen digits; Newton's steps are then repeated in fifty digits, each kept inside a bracket [lo, hi] whose
// ends are known to lie on either side of the root (bisecting whenever a step would leave it), until a step
// moves the rate by less than 10^-40 of itself. That is some twenty digits beyond the 28 places the result is
// rounded to, once, half to even, so every digit the decimal type holds is right, however the double phase
// fared: it only chooses where the fifty-digit phase starts.
namespace {

using LenderArithmetic::Float;

constexpr int kPercent = 100;
constexpr int kMaxDoublings = 400;           // 2^400 is far beyond any rate the decimal type holds
constexpr int kMaxExactSteps = 400;          // enough to bisect a bracket of 2^400 down to 10^-45
constexpr int kMaxQuickSteps = 60;           // the double phase is only a starting point
constexpr double kQuickTolerance = 1e-15;    // about the precision of a double
constexpr int kExactToleranceDigits = 40;    // a step below 10^-40 of the rate ends the fifty-digit phase
constexpr int kAbsoluteToleranceDigits = 45; // for a rate at or near zero

struct Prepared {
    Float amount;
    double quickAmount = 0;
    std::int64_t periods = 0;
    std::int64_t oddDays = 0;
};

// The present value of the payments and minus its derivative by the rate, both at rate i.
template <typename Number> struct Discounted {
    Number value = 0;
    Number slope = 0; // -d(value)/di, never negative
};

template <typename Number> Number raised(Number base, std::int64_t exponent) {
    Number result = 1;
    while (exponent > 0) {
        if (exponent & 1)
            result *= base;
        base *= base;
        exponent >>= 1;
    }
    return result;
}

// The flows are sorted by period, so the discount (1 + i)^-t grows one multiplication at a time, and the odd
// days' factor is worked out again only when the odd days change.
template <typename Number>
Discounted<Number> discounted(const std::vector<Prepared>& flows, const Number& i, int daysPerPeriod) {
    Discounted<Number> sum;
    const Number perPeriod = Number(1) / (1 + i);
    Number power = 1; // (1 + i)^-t
    std::int64_t t = 0;
    std::int64_t days = 0;
    Number simple = 1;   // 1 / (1 + f i)
    Number oddShare = 0; // f / (1 + f i)
    for (const Prepared& flow : flows) {
        if (flow.periods != t) {
            power *= flow.periods - t == 1 ? perPeriod : raised(perPeriod, flow.periods - t);
            t = flow.periods;
        }
        if (flow.oddDays != days) {
            days = flow.oddDays;
            const Number f = Number(days) / daysPerPeriod;
            simple = 1 / (1 + f * i);
            oddShare = f * simple;
        }
        Number amount;
        if constexpr (std::is_same_v<Number, double>)
            amount = flow.quickAmount;
        else
            amount = flow.amount;
        const Number value = amount * power * simple;
        sum.value += value;
        sum.slope += value * (oddShare + Number(t) * perPeriod);
    }
    return sum;
}

// A starting rate near the root, from Newton's steps in double inside [lo, hi]; lo when double cannot tell.
double quickStart(const std::vector<Prepared>& flows, double target, double lo, double hi, int daysPerPeriod) {
    double x = lo;
    for (int step = 0; step < kMaxQuickSteps; ++step) {
        const Discounted<double> at = discounted(flows, x, daysPerPeriod);
        if (!std::isfinite(at.value) || !std::isfinite(at.slope) || at.slope <= 0)
            return lo;
        double next = x + (at.value - target) / at.slope;
        if (!(next > lo && next < hi))
            next = (lo + hi) / 2;
        if (std::fabs(next - x) <= kQuickTolerance * std::max(1.0, x))
            return next;
        x = next;
    }
    return x;
}

std::vector<Prepared> prepared(const std::vector<Apr::Flow>& flows) {
    std::vector<Prepared> result;
    result.reserve(flows.size());
    for (const Apr::Flow& flow : flows)
        result.push_back({LenderArithmetic::toFloat(flow.amount), flow.amount.toDouble(), flow.periods, flow.oddDays});
    std::stable_sort(result.begin(), result.end(), [](const Prepared& a, const Prepared& b) {
        return a.periods != b.periods ? a.periods < b.periods : a.oddDays < b.oddDays;
    });
    return result;
}

bool valid(const std::vector<Apr::Flow>& flows, int daysPerPeriod) {
    return std::all_of(flows.begin(), flows.end(), [&](const Apr::Flow& flow) {
        return !flow.amount.isNegative() && flow.periods >= 0 && flow.oddDays >= 0 && flow.oddDays < daysPerPeriod;
    });
}

} // namespace

Apr Apr::solve(const Decimal& amountFinanced, const std::vector<Flow>& flows, int periodsPerYear, int daysPerPeriod) {
    Apr result;
    auto none = [&](NoRate why) {
        result.m_why = why;
        return result;
    };
    if (periodsPerYear <= 0 || daysPerPeriod <= 0 || !valid(flows, daysPerPeriod))
        return none(NoRate::InvalidFlow);
    if (amountFinanced <= Decimal())
        return none(NoRate::NothingFinanced);

    const std::vector<Prepared> ready = prepared(flows);
    const Float target = LenderArithmetic::toFloat(amountFinanced);
    Float total = 0;
    Float atOnce = 0;
    for (const Prepared& flow : ready) {
        total += flow.amount;
        if (flow.periods == 0 && flow.oddDays == 0)
            atOnce += flow.amount;
    }
    if (total < target)
        return none(NoRate::FlowsTooSmall);
    Float rate = 0;
    if (total > target) {
        // The present value falls steadily as the rate rises, from the payments' total at zero to what is paid
        // on the loan's date alone; a root exists only when the latter is below the amount financed.
        if (atOnce >= target)
            return none(NoRate::PaidAtOnce);
        Float lo = 0;
        Float hi = 1;
        int doublings = 0;
        while (discounted(ready, hi, daysPerPeriod).value > target) {
            if (++doublings > kMaxDoublings)
                return none(NoRate::BeyondRange);
            lo = hi;
            hi *= 2;
        }
        rate = Float(quickStart(ready, target.convert_to<double>(), lo.convert_to<double>(), hi.convert_to<double>(),
                                daysPerPeriod));
        const Float relative = pow(Float(10), -kExactToleranceDigits);
        const Float absolute = pow(Float(10), -kAbsoluteToleranceDigits);
        for (int step = 0; step < kMaxExactSteps; ++step) {
            const Discounted<Float> at = discounted(ready, rate, daysPerPeriod);
            const Float gap = at.value - target;
            if (gap == 0)
                break;
            (gap > 0 ? lo : hi) = rate;
            Float next = at.slope > 0 ? Float(rate + gap / at.slope) : Float((lo + hi) / 2);
            if (!(next > lo && next < hi))
                next = (lo + hi) / 2;
            const Float moved = abs(next - rate);
            rate = next;
            if (moved <= relative * rate || moved <= absolute || hi - lo <= absolute)
                break;
        }
    }

    try {
        result.m_periodRate = LenderArithmetic::toDecimal(rate);
        result.m_annualPercent = LenderArithmetic::toDecimal(rate * periodsPerYear * kPercent);
    } catch (const RuntimeError&) {
        result = Apr();
        return none(NoRate::BeyondRange);
    }
    try {
        result.m_effectivePercent =
            LenderArithmetic::toDecimal((raised(Float(1 + rate), periodsPerYear) - 1) * kPercent);
    } catch (const RuntimeError&) {
        result.m_effectivePercent.reset();
    }
    return result;
}

Decimal Apr::presentValue(const std::vector<Flow>& flows, const Decimal& periodRate, int daysPerPeriod) {
    return LenderArithmetic::toDecimal(
        discounted(prepared(flows), LenderArithmetic::toFloat(periodRate), daysPerPeriod).value);
}

Decimal Apr::annualShown() const {
    return Money::rounded(m_annualPercent, kShownPlaces, Money::Rounding::HalfUp);
}

std::optional<Decimal> Apr::effectiveShown() const {
    if (!m_effectivePercent)
        return std::nullopt;
    return Money::rounded(*m_effectivePercent, kShownPlaces, Money::Rounding::HalfUp);
}
