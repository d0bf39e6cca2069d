#include "loan/LenderSchedule.h"

#include "loan/ExactSum.h"
#include "loan/LenderArithmetic.h"
#include "numbers/Money.h"

#include <algorithm>

namespace {

using Terms = LenderTerms;
using LenderArithmetic::Float;

// Well beyond the longest loan the window takes (2183 years weekly is 113,516 payments), so a payment that
// barely beats its interest ends in a message rather than in millions of rows.
constexpr std::int64_t kMaxPayments = 200000;
constexpr int kPercent = 100;
constexpr int kDaysPerYearCounted = 365; // actual/365: a leap year's 366th day is charged as 1/365 too
constexpr int kDaysPerBiweek = 14;
constexpr int kBiweeklyPaymentsPerYear = 26;
constexpr int kWeeklyPaymentsPerYear = 52;
constexpr int kMonthsPerQuarter = 3;
constexpr int kSemiMonthlySecondDayOffsetDays = 15;
constexpr int kSemiMonthlyLastFirstDay = 13; // so that the second day, 15 later, is at most the 28th
constexpr int kAcceleratedBiweeklyShare = 2; // half the monthly payment
constexpr int kAcceleratedWeeklyShare = 4;   // a quarter of it

int periodsPerYearOf(Terms::Frequency frequency) {
    switch (frequency) {
    case Terms::Frequency::Monthly:
        return Calendar::kMonthsPerYear;
    case Terms::Frequency::SemiMonthly:
        return 2 * Calendar::kMonthsPerYear;
    case Terms::Frequency::Biweekly:
    case Terms::Frequency::AcceleratedBiweekly:
        return kBiweeklyPaymentsPerYear;
    case Terms::Frequency::Weekly:
    case Terms::Frequency::AcceleratedWeekly:
        return kWeeklyPaymentsPerYear;
    case Terms::Frequency::Quarterly:
        return Calendar::kMonthsPerYear / kMonthsPerQuarter;
    case Terms::Frequency::Annually:
        return 1;
    }
    return Calendar::kMonthsPerYear;
}

int compoundingsPerYear(Terms::Compounding compounding, int periods) {
    switch (compounding) {
    case Terms::Compounding::WithEachPayment:
        return periods;
    case Terms::Compounding::Monthly:
        return Calendar::kMonthsPerYear;
    case Terms::Compounding::Quarterly:
        return Calendar::kMonthsPerYear / kMonthsPerQuarter;
    case Terms::Compounding::SemiAnnually:
        return 2;
    case Terms::Compounding::Annually:
        return 1;
    }
    return periods;
}

bool isAccelerated(Terms::Frequency frequency) {
    return frequency == Terms::Frequency::AcceleratedBiweekly || frequency == Terms::Frequency::AcceleratedWeekly;
}

std::optional<Money::Rounding> interestRule(Terms::InterestRounding rounding) {
    switch (rounding) {
    case Terms::InterestRounding::None:
        return std::nullopt;
    case Terms::InterestRounding::CentHalfUp:
        return Money::Rounding::HalfUp;
    case Terms::InterestRounding::CentHalfEven:
        return Money::Rounding::HalfEven;
    case Terms::InterestRounding::CentDown:
        return Money::Rounding::Down;
    }
    return Money::Rounding::HalfUp;
}

// value / divisor rounded once as the terms round payments.
Decimal roundedPayment(const Decimal& value, std::int64_t divisor, Terms::PaymentRounding rounding) {
    const Decimal one = Decimal::fromInteger(1);
    switch (rounding) {
    case Terms::PaymentRounding::None:
        return LenderArithmetic::productQuotient(value, one, divisor, std::nullopt);
    case Terms::PaymentRounding::NearestCent:
        return LenderArithmetic::productQuotient(value, one, divisor, Money::Rounding::HalfUp);
    case Terms::PaymentRounding::UpToCent:
        return LenderArithmetic::productQuotient(value, one, divisor, Money::Rounding::Up);
    case Terms::PaymentRounding::DownToCent:
        return LenderArithmetic::productQuotient(value, one, divisor, Money::Rounding::Down);
    case Terms::PaymentRounding::UpToWholeUnit:
        return LenderArithmetic::productQuotient(value, one, divisor, Money::Rounding::Up, 0);
    }
    return value;
}

// The payment `index` payments after the first (before it when negative). Months are always counted from
// the first payment's day, so a 31st clamped to the 28th in February is the 31st again in March.
Calendar::Date paymentDate(Terms::Frequency frequency, const Calendar::Date& first, std::int64_t index) {
    switch (frequency) {
    case Terms::Frequency::Monthly:
        return Calendar::addMonths(first, index);
    case Terms::Frequency::Quarterly:
        return Calendar::addMonths(first, kMonthsPerQuarter * index);
    case Terms::Frequency::Annually:
        return Calendar::addMonths(first, Calendar::kMonthsPerYear * index);
    case Terms::Frequency::Biweekly:
    case Terms::Frequency::AcceleratedBiweekly:
        return Calendar::addDays(first, kDaysPerBiweek * index);
    case Terms::Frequency::Weekly:
    case Terms::Frequency::AcceleratedWeekly:
        return Calendar::addDays(first, Calendar::kDaysPerWeek * index);
    case Terms::Frequency::SemiMonthly: {
        const int firstDay =
            first.day <= kSemiMonthlyLastFirstDay ? first.day : first.day - kSemiMonthlySecondDayOffsetDays;
        // Half months since the first day of the first payment's month; floor division keeps the days
        // before the first payment right.
        const std::int64_t halves = index + (first.day == firstDay ? 0 : 1);
        const std::int64_t months = halves >= 0 ? halves / 2 : -((1 - halves) / 2);
        const Calendar::Date month = Calendar::addMonths(Calendar::Date{first.year, first.month, 1}, months);
        const bool second = halves - 2 * months == 1;
        return Calendar::Date{month.year, month.month, second ? firstDay + kSemiMonthlySecondDayOffsetDays : firstDay};
    }
    }
    return first;
}

bool semiMonthlyDayPossible(int day) {
    return (day >= 1 && day <= kSemiMonthlyLastFirstDay) ||
           (day > kSemiMonthlySecondDayOffsetDays && day <= kSemiMonthlyLastFirstDay + kSemiMonthlySecondDayOffsetDays);
}

// The whole number a rounded decimal holds, or none beyond the payments a schedule may have.
std::optional<std::int64_t> paymentCount(const Decimal& lengthInYears, int periods) {
    try {
        const Decimal count =
            Money::rounded(lengthInYears * Decimal::fromInteger(periods), 0, Money::Rounding::HalfEven);
        if (count > Decimal::fromInteger(kMaxPayments))
            return std::nullopt;
        return std::int64_t(count.toDouble());
    } catch (const RuntimeError&) {
        return std::nullopt; // a length beyond the decimal range is beyond any schedule too
    }
}

QString shown(const Decimal& amount) {
    return Money::text(amount, Money::Rounding::HalfUp);
}

// The rate in force and how a period's interest is charged at it.
struct Charge {
    Decimal ratePercent;
    Float periodRate;
    Decimal periodRateKept; // to 28 places, as interest is charged at it when it is not exactly j / p
    bool exact = false;

    Charge(const Decimal& percent, int compoundings, int periods)
        : ratePercent(percent)
        , periodRate(LenderArithmetic::periodRate(percent, compoundings, periods))
        // (1 + j/m)^(m/p) - 1 is worked out to fifty digits and kept to 28 places: at least 20 significant
        // digits for any period rate from 10^-8 up.
        , periodRateKept(LenderArithmetic::toDecimal(periodRate))
        , exact(compoundings == periods) {}
};

// The interest over a period: exactly j / p of the balance, the rate kept to 28 places, or the days' share.
Decimal interestOn(const Decimal& balance, const Charge& charge, const Terms& terms, int periods, std::int64_t days) {
    const std::optional<Money::Rounding> rule = interestRule(terms.interestRounding);
    if (terms.interestCount == Terms::InterestCount::Actual365)
        return LenderArithmetic::productQuotient(balance, charge.ratePercent * Decimal::fromInteger(days),
                                                 std::int64_t(kPercent) * kDaysPerYearCounted, rule);
    if (charge.exact)
        return LenderArithmetic::productQuotient(balance, charge.ratePercent, std::int64_t(kPercent) * periods, rule);
    return LenderArithmetic::productQuotient(balance, charge.periodRateKept, 1, rule);
}

struct DatedChange {
    Calendar::Date date;
    Decimal ratePercent;
};

} // namespace

LenderSchedule LenderSchedule::compute(const LenderTerms& terms) {
    LenderSchedule schedule;
    const int periods = periodsPerYearOf(terms.frequency);
    schedule.periodsPerYear = periods;
    const bool accelerated = isAccelerated(terms.frequency);
    const bool fromLength = terms.paymentBasis == Terms::PaymentBasis::FromLength;
    const Calendar::Date first = terms.firstPayment.value_or(Calendar::Date{terms.startYear, 1, 1});
    const Calendar::Date loanDate = terms.loanDate.value_or(paymentDate(terms.frequency, first, -1));

    if (accelerated && !fromLength)
        schedule.problems << QStringLiteral(
            "Accelerated payments are not applicable to a typed payment or an initial "
            "repayment rate: they are a share of the payment worked out from the length.");
    if (terms.frequency == Terms::Frequency::SemiMonthly && !semiMonthlyDayPossible(first.day))
        schedule.problems << QStringLiteral("A first payment on day %1 is not possible for semi-monthly payments: "
                                            "the day must be 1 to 13, or 16 to 28, the second payment of a month.")
                                 .arg(first.day);
    if (terms.principal <= Decimal())
        schedule.problems << QStringLiteral("There is nothing to repay: the principal must be above zero.");
    if (loanDate >= first)
        schedule.problems << QStringLiteral("The loan's date must come before its first payment.");
    std::int64_t count = 0;
    std::int64_t monthlyCount = 0;
    if (fromLength) {
        const std::optional<std::int64_t> payments = paymentCount(terms.lengthInYears, periods);
        const std::optional<std::int64_t> months = paymentCount(terms.lengthInYears, Calendar::kMonthsPerYear);
        if (!payments || !months)
            schedule.problems << QStringLiteral("The length gives more than %1 payments.").arg(kMaxPayments);
        else if (*payments < 1 || *months < 1)
            schedule.problems << QStringLiteral("The length gives no payments: it must be long enough for one.");
        else {
            count = *payments;
            monthlyCount = *months;
        }
    }
    if (!schedule.problems.isEmpty())
        return schedule;

    // A change applies from the first payment on or after the 1st of its month; one before the first payment
    // or after the last payment of the loan without changes is reported and left out.
    std::vector<DatedChange> changes;
    if (!terms.rateChanges.empty()) {
        LenderTerms unchanged = terms;
        unchanged.rateChanges.clear();
        unchanged.balanceAfterYears.reset();
        const LenderSchedule without = compute(unchanged);
        const std::optional<Calendar::Date> last = without.stopDate ? without.stopDate : without.summary.lastPayment;
        for (std::size_t i = 0; i < terms.rateChanges.size(); ++i) {
            const Terms::RateChange& change = terms.rateChanges[i];
            const std::optional<Calendar::Date> date = Calendar::Date::of(change.year, change.month, 1);
            if (!date || *date < first || !last || *date > *last)
                schedule.outsideChanges.push_back(i);
            else
                changes.push_back({*date, change.ratePercent});
        }
        std::stable_sort(changes.begin(), changes.end(),
                         [](const DatedChange& a, const DatedChange& b) { return a.date < b.date; });
    }

    ExactSum yearPayment;
    ExactSum yearInterest;
    ExactSum yearPrincipal;
    ExactSum totalInterest;
    ExactSum totalPaid;
    std::size_t yearFirstRow = 0;
    const auto closeYear = [&] {
        if (schedule.rows.size() == yearFirstRow)
            return;
        const Row& last = schedule.rows.back();
        schedule.years.push_back({last.date.year, schedule.rows.size() - 1, yearPayment.value(), yearInterest.value(),
                                  yearPrincipal.value(), last.balance});
        yearPayment = yearInterest = yearPrincipal = ExactSum();
        yearFirstRow = schedule.rows.size();
    };

    try {
        const int compoundings = compoundingsPerYear(terms.compounding, periods);
        Charge charge(terms.ratePercent, compoundings, periods);
        Decimal payment;
        if (accelerated) {
            // The monthly payment under the same terms, unrounded; its share is what is rounded.
            const Charge monthly(terms.ratePercent, compoundingsPerYear(terms.compounding, Calendar::kMonthsPerYear),
                                 Calendar::kMonthsPerYear);
            const Decimal monthlyPayment = LenderArithmetic::toDecimal(
                LenderArithmetic::annuity(terms.principal, monthly.periodRate, monthlyCount));
            const int share = terms.frequency == Terms::Frequency::AcceleratedBiweekly ? kAcceleratedBiweeklyShare
                                                                                       : kAcceleratedWeeklyShare;
            payment = roundedPayment(monthlyPayment, share, terms.paymentRounding);
        } else if (fromLength) {
            payment = roundedPayment(
                LenderArithmetic::toDecimal(LenderArithmetic::annuity(terms.principal, charge.periodRate, count)), 1,
                terms.paymentRounding);
        } else if (terms.paymentBasis == Terms::PaymentBasis::Typed) {
            payment = terms.typedPayment;
        } else {
            payment = roundedPayment(terms.principal * (terms.ratePercent + terms.initialRepaymentPercent),
                                     std::int64_t(kPercent) * periods, terms.paymentRounding);
        }
        schedule.rates.push_back({1, charge.ratePercent, charge.periodRateKept, charge.exact, payment});
        if (fromLength)
            schedule.rows.reserve(std::size_t(count));

        // Only a payment worked out from the length, and worked out again at each change, closes the loan at
        // the length's last payment; every other runs until paid off.
        bool closesAtLength = fromLength && !accelerated;
        const bool recomputes = closesAtLength && terms.atRateChange == Terms::AtRateChange::NewPayment;
        std::size_t nextChange = 0;
        Decimal balance = terms.principal;
        Calendar::Date previous = loanDate;
        for (std::int64_t number = 1;; ++number) {
            const Calendar::Date date = paymentDate(terms.frequency, first, number - 1);
            if (number > kMaxPayments) {
                schedule.stopMessage = QStringLiteral("The loan would take more than %1 payments to pay off: the "
                                                      "payment of %2 barely exceeds its interest.")
                                           .arg(kMaxPayments)
                                           .arg(shown(payment));
                schedule.stopDate = date;
                break;
            }
            bool changed = false;
            for (; nextChange < changes.size() && changes[nextChange].date <= date; ++nextChange) {
                charge = Charge(changes[nextChange].ratePercent, compoundings, periods);
                changed = true;
            }
            if (changed) {
                if (recomputes)
                    payment = roundedPayment(LenderArithmetic::toDecimal(LenderArithmetic::annuity(
                                                 balance, charge.periodRate, count - number + 1)),
                                             1, terms.paymentRounding);
                else
                    closesAtLength = false;
                schedule.rates.push_back({number, charge.ratePercent, charge.periodRateKept, charge.exact, payment});
            }

            if (payment <= Decimal()) {
                // As a rate far below zero or an initial repayment below a negative rate makes it.
                schedule.stopMessage = QStringLiteral("The payment of %1 due %2 is not above zero: the loan would "
                                                      "never be paid off.")
                                           .arg(shown(payment), date.toIso());
                schedule.stopDate = date;
                break;
            }
            Row row;
            row.number = number;
            row.date = date;
            row.interest = interestOn(balance, charge, terms, periods, Calendar::daysBetween(previous, date));
            const Decimal owed = balance + row.interest;
            const bool last = owed <= payment || (closesAtLength && number == count);
            if (!last && payment <= row.interest) {
                schedule.stopMessage = QStringLiteral("The payment of %1 due %2 does not cover its interest of %3: "
                                                      "the loan would never be paid off.")
                                           .arg(shown(payment), date.toIso(), shown(row.interest));
                schedule.stopDate = date;
                break;
            }
            // The last payment pays what is owed, no more: its interest and the balance.
            row.payment = last ? owed : payment;
            row.principal = last ? balance : payment - row.interest;
            row.balance = last ? Decimal() : balance - row.principal;

            if (!schedule.rows.empty() && schedule.rows.back().date.year != date.year)
                closeYear();
            schedule.rows.push_back(row);
            yearPayment.add(row.payment);
            yearInterest.add(row.interest);
            yearPrincipal.add(row.principal);
            totalInterest.add(row.interest);
            totalPaid.add(row.payment);
            balance = row.balance;
            previous = date;
            if (last)
                break;
        }
        closeYear();
        schedule.summary.totalInterest = totalInterest.value();
        schedule.summary.totalPaid = totalPaid.value();
    } catch (const RuntimeError& error) {
        schedule.error = error;
        try {
            closeYear();
            schedule.summary.totalInterest = totalInterest.value();
            schedule.summary.totalPaid = totalPaid.value();
        } catch (const RuntimeError&) {
            // The sums of rows that fit are far from the limit; should they not be, the first error stands.
        }
    }

    Summary& summary = schedule.summary;
    if (!schedule.rates.empty())
        summary.regularPayment = schedule.rates.front().payment;
    summary.payments = std::int64_t(schedule.rows.size());
    if (!schedule.rows.empty()) {
        summary.firstPayment = schedule.rows.front().date;
        summary.lastPayment = schedule.rows.back().date;
        summary.lastPaymentAmount = schedule.rows.back().payment;
    }
    if (terms.balanceAfterYears && *terms.balanceAfterYears >= 0) {
        // The balance at the end of a fixed-rate period: after that many years' payments.
        const std::int64_t after = std::int64_t(*terms.balanceAfterYears) * periods;
        if (after == 0)
            summary.balanceAfterYears = terms.principal;
        else if (std::int64_t(schedule.rows.size()) >= after)
            summary.balanceAfterYears = schedule.rows[std::size_t(after - 1)].balance;
        else if (schedule.isPaidOff())
            summary.balanceAfterYears = Decimal();
    }
    return schedule;
}
