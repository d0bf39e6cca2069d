#include "loan/Extras.h"

#include "loan/Calendar.h"
#include "loan/Payment.h"
#include "numbers/NumberText.h"

#include <cmath>

namespace {

const QString kBalanceSource = QStringLiteral("the remaining balance");

// The loan's month (1 for the first payment) that falls in the given year and month, as a double, so a
// year far from the start year cannot overflow.
double monthNumber(const Schedule& schedule, std::int32_t year, std::int32_t month) {
    return (double(year) - schedule.startYear) * Calendar::kMonthsPerYear + month;
}

// Each month's one-off payments added together; a lump dated outside the loan is left out.
std::vector<Decimal> lumpsByMonth(const Schedule& schedule, const ExtraPayments& extras,
                                  std::vector<std::size_t>& outside) {
    std::vector<Decimal> byMonth;
    for (std::size_t i = 0; i < extras.lumps.size(); ++i) {
        const LumpSum& lump = extras.lumps[i];
        const double number = monthNumber(schedule, lump.year, lump.month);
        if (lump.month < 1 || lump.month > Calendar::kMonthsPerYear || number < 1 || number > schedule.monthCount ||
            number != std::floor(number)) {
            outside.push_back(i);
            continue;
        }
        if (byMonth.empty())
            byMonth.resize(std::size_t(schedule.monthCount) + 1);
        byMonth[std::size_t(number)] += lump.amount;
    }
    return byMonth;
}

Decimal larger(const Decimal& a, const Decimal& b) {
    return a < b ? b : a;
}

Decimal smaller(const Decimal& a, const Decimal& b) {
    return a < b ? a : b;
}

} // namespace

LoanOutcome LoanOutcome::of(const Schedule& schedule) {
    LoanOutcome outcome;
    outcome.monthlyPayment = schedule.monthlyPayment;
    outcome.payments = schedule.monthCount;
    if (schedule.years.empty())
        return outcome;
    const ScheduleYear& last = schedule.years.back();
    outcome.lastYear = last.year;
    outcome.lastMonth = std::int8_t(last.months);
    outcome.totalInterest = last.interestToDate;
    outcome.totalPaid = last.interestToDate + last.principalToDate;
    return outcome;
}

ExtraSchedule ExtraSchedule::compute(const Schedule& schedule, const ExtraPayments& extras) {
    ExtraSchedule result;
    result.lastMonthlyPayment = schedule.monthlyPayment;
    const std::int32_t monthCount = schedule.monthCount;
    result.months.reserve(std::size_t(std::max(0, monthCount)));
    try {
        const std::vector<Decimal> lumps = lumpsByMonth(schedule, extras, result.lumpsOutside);
        const double monthlyFrom =
            extras.monthlyFromYear == 0 ? 1.0 : monthNumber(schedule, extras.monthlyFromYear, extras.monthlyFromMonth);
        const bool payLess = extras.effect == ExtraPayments::Effect::PayLess;

        Decimal payment = schedule.monthlyPayment;
        Decimal opening = toDecimal(schedule.principal, kBalanceSource);
        ExtraYear toDate;
        for (std::int32_t number = 1; number <= monthCount; ++number) {
            const int monthOfYear = (number - 1) % Calendar::kMonthsPerYear + 1;
            Decimal extra;
            if (!extras.monthly.isZero() && number >= monthlyFrom)
                extra += extras.monthly;
            if (!extras.yearly.isZero() && monthOfYear == extras.yearlyMonth)
                extra += extras.yearly;
            if (!lumps.empty())
                extra += lumps[std::size_t(number)];

            ScheduleMonth figures;
            ScheduleStep step = ScheduleStep::Interest;
            workOutMonth(opening, schedule.monthlyRate, payment, figures, step, extra);

            ExtraMonth month;
            month.year = schedule.startYear + double((number - 1) / Calendar::kMonthsPerYear);
            month.month = std::int8_t(monthOfYear);
            month.payment = payment;
            month.extra = extra;
            month.interest = figures.interest;
            month.principal = figures.principal;
            month.balance = figures.shownBalance;
            const bool ends = figures.balance <= 0.0;
            if (ends) {
                // The month pays what is owed and no more: the regular payment first, then the extra.
                const Decimal owed = opening + figures.interest;
                month.extra = smaller(extra, larger(Decimal(), owed - payment));
                month.payment = owed - month.extra;
                month.principal = month.payment - month.interest;
                month.balance = Decimal();
            }
            result.months.push_back(month);

            toDate.year = month.year;
            toDate.paymentToDate += month.payment;
            toDate.extraToDate += month.extra;
            toDate.interestToDate += month.interest;
            toDate.principalToDate += month.principal;
            toDate.balance = month.balance;
            if (monthOfYear == Calendar::kMonthsPerYear || ends || number == monthCount)
                result.years.push_back(toDate);
            if (ends)
                break;

            opening = figures.shownBalance;
            if (payLess && !extra.isZero()) {
                // The same payment formula as Calculate's, on what is left over the months that are left.
                payment = opening * Payment::paymentFactor(schedule.monthlyRate, monthCount - number);
                result.lastMonthlyPayment = payment;
            }
        }
    } catch (const RuntimeError& error) {
        result.error = error;
    }
    return result;
}

LoanOutcome ExtraSchedule::outcome() const {
    LoanOutcome outcome;
    outcome.monthlyPayment = lastMonthlyPayment;
    outcome.payments = std::int32_t(months.size());
    if (months.empty())
        return outcome;
    outcome.lastYear = months.back().year;
    outcome.lastMonth = months.back().month;
    const ExtraYear& last = years.back();
    outcome.totalInterest = last.interestToDate;
    outcome.totalPaid = last.paymentToDate + last.extraToDate;
    return outcome;
}
