#pragma once

// What a computed schedule must satisfy, worked out on Boost's wide integers with none of the schedule's
// or the decimal type's code. Shared by the tests and the fuzzer.
#include "loan/Schedule.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace ScheduleReference {

// Wide enough for the product of two 96-bit coefficients, or their sum at a common scale.
using Wide = boost::multiprecision::checked_int256_t;

// A decimal number exactly: coefficient * 10^-scale.
struct Exact {
    Wide coefficient;
    int scale = 0;
};

inline const Wide& tenTo(int power) {
    static const std::array<Wide, 60> powers = [] {
        std::array<Wide, 60> table;
        table[0] = 1;
        for (std::size_t i = 1; i < table.size(); ++i)
            table[i] = table[i - 1] * 10;
        return table;
    }();
    return powers[std::size_t(power)];
}

inline Exact exact(const Decimal& d) {
    const Wide coefficient(d.coefficient());
    return {d.isNegative() ? Wide(-coefficient) : coefficient, d.scale()};
}

// A result as decimal arithmetic keeps it: at the largest scale up to its own (and at most 28) whose
// coefficient fits in 96 bits, rounded half to even in one step; none when it does not fit at scale 0.
inline std::optional<Exact> kept(const Exact& value) {
    static const Wide kMaxCoefficient = (Wide(1) << 96) - 1;
    const bool negative = value.coefficient < 0;
    const Wide magnitude = negative ? Wide(-value.coefficient) : value.coefficient;
    for (int dropped = std::max(0, value.scale - 28); dropped <= value.scale; ++dropped) {
        Wide quotient = magnitude / tenTo(dropped);
        const Wide twiceRest = 2 * (magnitude % tenTo(dropped));
        if (twiceRest > tenTo(dropped) || (twiceRest == tenTo(dropped) && (quotient & 1) != 0))
            ++quotient;
        if (quotient <= kMaxCoefficient)
            return Exact{negative ? Wide(-quotient) : quotient, value.scale - dropped};
    }
    return std::nullopt;
}

inline Exact sum(const Exact& a, const Exact& b) {
    const int scale = std::max(a.scale, b.scale);
    return {a.coefficient * tenTo(scale - a.scale) + b.coefficient * tenTo(scale - b.scale), scale};
}

inline Exact product(const Exact& a, const Exact& b) {
    return {a.coefficient * b.coefficient, a.scale + b.scale};
}

// Equal in value and in scale, as the cell texts show them.
inline bool same(const Decimal& d, const std::optional<Exact>& e) {
    return e && exact(d).coefficient == e->coefficient && d.scale() == e->scale;
}

// Whether the schedule can keep its cents to the end. An error in the balance grows with the interest,
// by (1 + rate)^n over the loan: the balance carried as a double is rounded to 15 digits each month, and
// the power (1 + rate)^-n in double precision leaves the divisor d = 1 - (1 + rate)^-n off by up to 2.2e-16,
// the payment by that over d.
inline bool keepsCents(const Schedule& schedule) {
    const double rate = schedule.monthlyRate.toDouble();
    const double months = schedule.monthCount;
    const double growth = std::pow(1 + rate, months);
    const double divisor = 1 - 1 / growth;
    return rate > 0 && schedule.principal * growth * (months * 1e-15 + 2.2e-16 / (divisor * divisor)) < 0.001;
}

// The first rule the schedule breaks among its first `monthsChecked` months, in words with the month, or
// an empty text:
//   - every month's interest is its opening balance times the rate, and its principal the payment less
//     the interest, each exact, then kept as decimal arithmetic keeps it;
//   - each year's sums and the totals to date are its months added in order, as decimal arithmetic adds,
//     and its balance is its last month's;
//   - the balance never rises in a month whose payment exceeds its interest;
//   - a schedule that runs to its end, where it keeps its cents, pays off the principal: its months'
//     principal adds up to it and the last balance is within a cent of zero (all months checked only).
inline std::string brokenRule(const Schedule& schedule, std::size_t monthsChecked = SIZE_MAX) {
    const Exact rate = exact(schedule.monthlyRate);
    const Exact payment = exact(schedule.monthlyPayment);
    const Exact minusOne{-1, 0};
    const std::size_t months = std::min(monthsChecked, schedule.months.size());
    std::optional<Exact> interestToDate = Exact{};
    std::optional<Exact> principalToDate = Exact{};
    std::size_t year = 0;
    for (std::size_t i = 0; i < months; ++i) {
        const ScheduleMonth& month = schedule.months[i];
        const std::string where = " in month " + std::to_string(i + 1);
        const Decimal opening = i == 0 ? Decimal::fromDouble(schedule.principal) : schedule.months[i - 1].shownBalance;
        if (!same(month.interest, kept(product(exact(opening), rate))))
            return "the interest is not the balance times the rate" + where;
        if (!same(month.principal, kept(sum(payment, product(exact(month.interest), minusOne)))))
            return "the principal is not the payment less the interest" + where;
        if (schedule.monthlyPayment > month.interest && month.shownBalance > opening)
            return "the balance rose" + where;
        if ((i + 1) % 12 != 0 && i + 1 != std::size_t(schedule.monthCount))
            continue;

        std::optional<Exact> yearInterest = Exact{};
        std::optional<Exact> yearPrincipal = Exact{};
        for (std::size_t m = i - i % 12; m <= i && yearInterest && yearPrincipal; ++m) {
            yearInterest = kept(sum(*yearInterest, exact(schedule.months[m].interest)));
            yearPrincipal = kept(sum(*yearPrincipal, exact(schedule.months[m].principal)));
        }
        if (yearInterest && yearPrincipal) {
            interestToDate = kept(sum(*interestToDate, *yearInterest));
            principalToDate = kept(sum(*principalToDate, *yearPrincipal));
        }
        if (!yearInterest || !yearPrincipal || !interestToDate || !principalToDate) {
            // Sums beyond the decimal range stop the schedule at that year's end.
            const std::optional<ScheduleStop>& stop = schedule.stop;
            const bool stopsHere = stop && stop->step == ScheduleStep::YearTotals && stop->month == int(i + 1);
            return stopsHere ? std::string() : "the sums went beyond the decimal range" + where;
        }
        if (year == schedule.years.size())
            return "the year's sums are missing" + where;
        const ScheduleYear& totals = schedule.years[year++];
        if (!same(totals.interest, yearInterest) || !same(totals.principal, yearPrincipal) ||
            !same(totals.interestToDate, interestToDate) || !same(totals.principalToDate, principalToDate))
            return "the year's sums are not the sums of its months" + where;
        if (totals.months != int(i % 12) + 1 || totals.balance != month.shownBalance)
            return "the year's month count or balance is not its last month's" + where;
    }
    if (months < schedule.months.size())
        return {};
    if (schedule.years.size() != year)
        return "a year has no months";
    if (schedule.isComplete() && keepsCents(schedule) && months > 0) {
        const auto withinACent = [](const Exact& value) {
            if (value.scale < 2)
                return value.coefficient == 0;
            return value.coefficient <= tenTo(value.scale - 2) && value.coefficient >= -tenTo(value.scale - 2);
        };
        if (!withinACent(exact(schedule.months.back().shownBalance)))
            return "the loan is not paid off";
        if (!withinACent(sum(exact(Decimal::fromDouble(schedule.principal)), product(*principalToDate, minusOne))))
            return "the months' principal does not add up to the loan";
    }
    return {};
}

} // namespace ScheduleReference
