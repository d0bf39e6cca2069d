#pragma once

// What a lender's schedule must satisfy, worked out exactly on Boost's integers and rationals with none of
// the schedule's or the decimal type's arithmetic: each period's interest from the balance before it, the
// payment split into interest and principal, balances that chain down to zero, and year totals that are
// their rows' sums. Shared by the tests and the fuzzer.
//
// Every decimal is a whole number of units of 10^-28, so the rows are checked on fixed-width integers: an
// exact value is a quotient n / d of units, and a rational's normalising gcd and allocations are paid only
// where a figure is worked out from a power (the annuity).
#include "loan/LenderSchedule.h"
#include "numbers/Money.h"
#include "tests/numbers/DecimalReference.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace LenderReference {

constexpr int kUnitPlaces = Decimal::kMaxScale;

// Wide enough for a balance in units times a 96-bit rate coefficient times a day count, and their
// divisors, with no allocation; checked, so an overflow would end the check rather than wrap.
using Units = boost::multiprecision::checked_int1024_t;

template <class I = Units> const I& tenTo(int power) {
    static const std::vector<I> powers = [] {
        std::vector<I> table{I(1)};
        for (int i = 1; i <= 3 * kUnitPlaces; ++i)
            table.push_back(I(table.back() * 10));
        return table;
    }();
    return powers.at(std::size_t(power));
}

template <class I> const I& maxCoefficient() {
    static const I max = (I(1) << 96) - 1;
    return max;
}

// A decimal's exact value in units of 10^-28.
inline Units unitsOf(const Decimal& d) {
    const Units units = Units(d.coefficient()) * tenTo(kUnitPlaces - d.scale());
    return d.isNegative() ? Units(-units) : units;
}

// A decimal's exact value.
inline Rational valueOf(const Decimal& d) {
    return Rational(Int(unitsOf(d)), tenTo<Int>(kUnitPlaces));
}

// n / d units (d above zero) rounded to `places` by the rule, working on the magnitude as Money's rules do.
template <class I> I roundedUnits(const I& n, const I& d, int places, Money::Rounding rule) {
    I quotient;
    I rest;
    const I divisor = d * tenTo<I>(kUnitPlaces - places);
    divide_qr(I(abs(n)), divisor, quotient, rest);
    const I twice = 2 * rest;
    const bool away =
        rest != 0 &&
        (rule == Money::Rounding::Up || (rule == Money::Rounding::HalfUp && twice >= divisor) ||
         (rule == Money::Rounding::HalfEven && (twice > divisor || (twice == divisor && bit_test(quotient, 0)))));
    if (away)
        ++quotient;
    const I units = quotient * tenTo<I>(kUnitPlaces - places);
    return n < 0 ? I(-units) : units;
}

// n / d units as decimal arithmetic keeps a result: exact when it fits, else rounded half to even once at
// the largest scale whose 96-bit coefficient holds it.
template <class I> I keptUnits(const I& n, const I& d = I(1)) {
    // The scale to try first, from the quotient at 28 places and its bits (a digit is 3.32 bits); a carry
    // from rounding may cost one more.
    const I floor = d == 1 ? I(abs(n)) : I(abs(n) / d);
    int places = kUnitPlaces;
    if (floor > maxCoefficient<I>())
        places = std::max(0, kUnitPlaces - int((msb(floor) - 96) * 0.30103));
    while (places > 0 && floor / tenTo<I>(kUnitPlaces - places) > maxCoefficient<I>())
        --places;
    if (d == 1 && n % tenTo<I>(kUnitPlaces - places) == 0)
        return n;
    for (;; --places) {
        const I units = roundedUnits(n, d, places, Money::Rounding::HalfEven);
        if (abs(units) / tenTo<I>(kUnitPlaces - places) <= maxCoefficient<I>() || places == 0)
            return units;
    }
}

// value rounded to `places` by the rule, the rule working on the magnitude as Money's rules do.
inline Rational roundedBy(const Rational& value, Money::Rounding rule, int places = Money::kCentPlaces) {
    const Int scale = pow(Int(10), places);
    const Rational magnitude = abs(value) * scale;
    Int whole = numerator(magnitude) / denominator(magnitude);
    const Rational rest = magnitude - whole;
    const Rational half(1, 2);
    const bool away = rule == Money::Rounding::Up         ? rest > 0
                      : rule == Money::Rounding::HalfUp   ? rest >= half
                      : rule == Money::Rounding::HalfEven ? rest > half || (rest == half && bit_test(whole, 0))
                                                          : false;
    whole += away ? 1 : 0;
    return Rational(value < 0 ? Int(-whole) : whole, scale);
}

// The annuity that pays `balance` off in `count` payments at the period rate r, exactly:
// balance * r / (1 - (1 + r)^-count).
inline Rational annuity(const Rational& balance, const Rational& rate, unsigned count) {
    const Rational base = Rational(1) + rate;
    const Rational growth = Rational(pow(numerator(base), count), pow(denominator(base), count));
    return balance * rate * growth / (growth - 1);
}

// value as decimal arithmetic keeps a result: exact when it fits, else rounded half to even at the
// largest scale that does.
// The date interest runs from for the first payment when the terms name none: a payment period earlier.
inline Calendar::Date defaultLoanDate(const LenderTerms& terms, const Calendar::Date& first) {
    using Frequency = LenderTerms::Frequency;
    switch (terms.frequency) {
    case Frequency::Monthly:
        return Calendar::addMonths(first, -1);
    case Frequency::Quarterly:
        return Calendar::addMonths(first, -3);
    case Frequency::Annually:
        return Calendar::addMonths(first, -12);
    case Frequency::Biweekly:
    case Frequency::AcceleratedBiweekly:
        return Calendar::addDays(first, -14);
    case Frequency::Weekly:
    case Frequency::AcceleratedWeekly:
        return Calendar::addDays(first, -7);
    case Frequency::SemiMonthly:
        if (first.day > 15)
            return {first.year, first.month, first.day - 15};
        return Calendar::Date{Calendar::addMonths(first, -1).year, Calendar::addMonths(first, -1).month,
                              first.day + 15};
    }
    return first;
}

// The interest rounding rule, or none when interest is not rounded.
inline std::optional<Money::Rounding> interestRule(LenderTerms::InterestRounding rounding) {
    switch (rounding) {
    case LenderTerms::InterestRounding::None:
        return std::nullopt;
    case LenderTerms::InterestRounding::CentHalfUp:
        return Money::Rounding::HalfUp;
    case LenderTerms::InterestRounding::CentHalfEven:
        return Money::Rounding::HalfEven;
    case LenderTerms::InterestRounding::CentDown:
        return Money::Rounding::Down;
    }
    return std::nullopt;
}

// The first rule the schedule breaks, in words, or nothing.
inline std::string brokenRule(const LenderTerms& terms, const LenderSchedule& schedule) {
    const auto at = [](const LenderSchedule::Row& row, const char* what) {
        return "payment " + std::to_string(row.number) + " " + row.date.toIso().toStdString() + ": " + what;
    };
    if (!schedule.problems.isEmpty())
        return schedule.rows.empty() ? std::string() : "rows despite a problem";
    if (schedule.rates.empty() && !schedule.error)
        return "no rate";
    const std::optional<Money::Rounding> rule = interestRule(terms.interestRounding);
    const Calendar::Date first = terms.firstPayment.value_or(Calendar::Date{terms.startYear, 1, 1});
    Calendar::Date previous = terms.loanDate.value_or(defaultLoanDate(terms, first));
    Units balance = unitsOf(terms.principal);
    Units interestSum;
    Units paidSum;
    std::size_t rate = 0;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const LenderSchedule::Row& row = schedule.rows[i];
        if (row.number != std::int64_t(i) + 1 || row.date <= previous)
            return at(row, "out of order");
        while (rate + 1 < schedule.rates.size() && schedule.rates[rate + 1].fromPayment <= row.number)
            ++rate;
        const LenderSchedule::RatePeriod& charge = schedule.rates[rate];
        // The interest is balance * share exactly, as n / d units: the share is the annual rate over 365 for
        // each day, the rate over the payments a year, or the period rate as the schedule keeps it.
        const Decimal& factor = terms.interestCount == LenderTerms::InterestCount::PerPeriod && !charge.periodRateExact
                                    ? charge.periodRate
                                    : charge.ratePercent;
        Units n = balance * Units(factor.coefficient()) * (factor.isNegative() ? -1 : 1);
        Units d = tenTo(factor.scale());
        if (terms.interestCount == LenderTerms::InterestCount::Actual365) {
            n *= Calendar::daysBetween(previous, row.date);
            d *= 36500;
        } else if (charge.periodRateExact) {
            d *= 100 * schedule.periodsPerYear;
        }
        const Units interest = unitsOf(row.interest);
        if (interest != (rule ? roundedUnits(n, d, Money::kCentPlaces, *rule) : keptUnits(n, d)))
            return at(row, "interest is not the balance's share, rounded as the terms say");
        const Units payment = unitsOf(row.payment);
        const Units principal = unitsOf(row.principal);
        const Units owed = keptUnits(Units(balance + interest));
        const bool last = i + 1 == schedule.rows.size() && payment == owed;
        if (payment > owed)
            return at(row, "pays more than is owed");
        if (payment != unitsOf(charge.payment) && !last)
            return at(row, "pays other than its payment, and is not the last paying what is owed");
        // The last payment's principal is the balance it pays off (payment less interest, but for a rounding
        // of the payment in the 28th digit when nothing is rounded).
        if (principal != (last ? balance : keptUnits(Units(payment - interest))))
            return at(row, "principal is not the payment less the interest");
        if (unitsOf(row.balance) != (last ? Units(0) : keptUnits(Units(balance - principal))))
            return at(row, "balance does not follow from the one before");
        if (unitsOf(row.balance) < 0)
            return at(row, "balance below zero");
        balance = unitsOf(row.balance);
        interestSum += interest;
        paidSum += payment;
        previous = row.date;
    }
    std::size_t from = 0;
    for (const LenderSchedule::YearTotals& year : schedule.years) {
        const std::string label = "year " + std::to_string(year.year) + ": ";
        Units payment;
        Units interest;
        Units principal;
        if (year.lastRow < from || year.lastRow >= schedule.rows.size())
            return label + "rows out of range";
        for (std::size_t i = from; i <= year.lastRow; ++i) {
            if (schedule.rows[i].date.year != year.year)
                return label + "a row of another year";
            payment += unitsOf(schedule.rows[i].payment);
            interest += unitsOf(schedule.rows[i].interest);
            principal += unitsOf(schedule.rows[i].principal);
        }
        if (year.lastRow + 1 < schedule.rows.size() && schedule.rows[year.lastRow + 1].date.year == year.year)
            return label + "totals before the year's last payment";
        if (unitsOf(year.payment) != keptUnits(payment) || unitsOf(year.interest) != keptUnits(interest) ||
            unitsOf(year.principal) != keptUnits(principal) || year.balance != schedule.rows[year.lastRow].balance)
            return label + "totals are not its rows' sums";
        from = year.lastRow + 1;
    }
    if (from != schedule.rows.size() && !schedule.error)
        return "rows after the last year's totals";
    if (!schedule.error && (unitsOf(schedule.summary.totalInterest) != keptUnits(interestSum) ||
                            unitsOf(schedule.summary.totalPaid) != keptUnits(paidSum)))
        return "totals are not the sums of the rows";
    if (schedule.isPaidOff() && (schedule.rows.empty() || !schedule.rows.back().balance.isZero()))
        return "a loan that ends owes something";
    return {};
}

} // namespace LenderReference
