#pragma once

// What a lender's schedule must satisfy, worked out on Boost's exact rationals with none of the schedule's
// or the decimal type's arithmetic: each period's interest from the balance before it, the payment split
// into interest and principal, balances that chain down to zero, and year totals that are their rows'
// sums. Shared by the tests and the fuzzer.
#include "loan/LenderSchedule.h"
#include "numbers/Money.h"
#include "tests/numbers/DecimalReference.h"

#include <optional>
#include <string>

namespace LenderReference {

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
inline Rational kept(const Rational& value) {
    std::string text = rounded(value, Decimal::kMaxScale);
    const std::size_t point = text.find('.');
    const int places = point == std::string::npos ? 0 : int(text.size() - point - 1);
    if (point != std::string::npos)
        text.erase(point, 1);
    return Rational(Int(text), pow(Int(10), places));
}

// Whether a decimal is the exact value rounded by the interest rule, or kept as any decimal result is.
inline bool isRounded(const Decimal& d, const Rational& value, LenderTerms::InterestRounding rounding) {
    switch (rounding) {
    case LenderTerms::InterestRounding::None:
        return d.toString().toStdString() == rounded(value, Decimal::kMaxScale);
    case LenderTerms::InterestRounding::CentHalfUp:
        return exact(d) == roundedBy(value, Money::Rounding::HalfUp);
    case LenderTerms::InterestRounding::CentHalfEven:
        return exact(d) == roundedBy(value, Money::Rounding::HalfEven);
    case LenderTerms::InterestRounding::CentDown:
        return exact(d) == roundedBy(value, Money::Rounding::Down);
    }
    return false;
}

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

// The first rule the schedule breaks, in words, or nothing.
inline std::string brokenRule(const LenderTerms& terms, const LenderSchedule& schedule) {
    const auto at = [](const LenderSchedule::Row& row, const char* what) {
        return "payment " + std::to_string(row.number) + " " + row.date.toIso().toStdString() + ": " + what;
    };
    if (!schedule.problems.isEmpty())
        return schedule.rows.empty() ? std::string() : "rows despite a problem";
    if (schedule.rates.empty() && !schedule.error)
        return "no rate";
    const Calendar::Date first = terms.firstPayment.value_or(Calendar::Date{terms.startYear, 1, 1});
    Calendar::Date previous = terms.loanDate.value_or(defaultLoanDate(terms, first));
    Rational balance = exact(terms.principal);
    Rational interestSum;
    Rational paidSum;
    std::size_t rate = 0;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const LenderSchedule::Row& row = schedule.rows[i];
        if (row.number != std::int64_t(i) + 1 || row.date <= previous)
            return at(row, "out of order");
        while (rate + 1 < schedule.rates.size() && schedule.rates[rate + 1].fromPayment <= row.number)
            ++rate;
        const LenderSchedule::RatePeriod& charge = schedule.rates[rate];
        const Rational percent = exact(charge.ratePercent);
        const Rational share = terms.interestCount == LenderTerms::InterestCount::Actual365
                                   ? percent * Calendar::daysBetween(previous, row.date) / 36500
                               : charge.periodRateExact ? percent / (100 * schedule.periodsPerYear)
                                                        : exact(charge.periodRate);
        if (!isRounded(row.interest, balance * share, terms.interestRounding))
            return at(row, "interest is not the balance's share, rounded as the terms say");
        const Rational owed = kept(balance + exact(row.interest));
        const bool last = i + 1 == schedule.rows.size() && exact(row.payment) == owed;
        if (exact(row.payment) > owed)
            return at(row, "pays more than is owed");
        if (exact(row.payment) != exact(charge.payment) &&
            (exact(row.payment) != owed || i + 1 != schedule.rows.size()))
            return at(row, "pays other than its payment, and is not the last paying what is owed");
        // The last payment's principal is the balance it pays off (payment less interest, but for a rounding
        // of the payment in the 28th digit when nothing is rounded).
        if (exact(row.principal) != (last ? balance : kept(exact(row.payment) - exact(row.interest))))
            return at(row, "principal is not the payment less the interest");
        if (exact(row.balance) != (last ? Rational(0) : kept(balance - exact(row.principal))))
            return at(row, "balance does not follow from the one before");
        if (row.balance < Decimal())
            return at(row, "balance below zero");
        balance = exact(row.balance);
        interestSum += exact(row.interest);
        paidSum += exact(row.payment);
        previous = row.date;
    }
    std::size_t from = 0;
    for (const LenderSchedule::YearTotals& year : schedule.years) {
        Rational payment;
        Rational interest;
        Rational principal;
        if (year.lastRow < from || year.lastRow >= schedule.rows.size())
            return "year " + std::to_string(year.year) + ": rows out of range";
        for (std::size_t i = from; i <= year.lastRow; ++i) {
            if (schedule.rows[i].date.year != year.year)
                return "year " + std::to_string(year.year) + ": a row of another year";
            payment += exact(schedule.rows[i].payment);
            interest += exact(schedule.rows[i].interest);
            principal += exact(schedule.rows[i].principal);
        }
        if (year.lastRow + 1 < schedule.rows.size() && schedule.rows[year.lastRow + 1].date.year == year.year)
            return "year " + std::to_string(year.year) + ": totals before the year's last payment";
        const auto same = [](const Decimal& d, const Rational& sum) {
            return d.toString().toStdString() == rounded(sum, Decimal::kMaxScale);
        };
        if (!same(year.payment, payment) || !same(year.interest, interest) || !same(year.principal, principal) ||
            year.balance != schedule.rows[year.lastRow].balance)
            return "year " + std::to_string(year.year) + ": totals are not its rows' sums";
        from = year.lastRow + 1;
    }
    if (from != schedule.rows.size() && !schedule.error)
        return "rows after the last year's totals";
    if (!schedule.error &&
        (schedule.summary.totalInterest.toString().toStdString() != rounded(interestSum, Decimal::kMaxScale) ||
         schedule.summary.totalPaid.toString().toStdString() != rounded(paidSum, Decimal::kMaxScale)))
        return "totals are not the sums of the rows";
    if (schedule.isPaidOff() && (schedule.rows.empty() || !schedule.rows.back().balance.isZero()))
        return "a loan that ends owes something";
    return {};
}

} // namespace LenderReference
