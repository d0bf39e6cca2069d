#include "loan/Schedule.h"

#include "loan/Calendar.h"
#include "loan/LoanInput.h"
#include "numbers/ErrorContext.h"
#include "numbers/NumberText.h"

namespace {

const QString kLengthSource = LoanInputs::kLength.words();
const QString kStartYearSource = LoanInputs::kStartYear.words();
const QString kMonthCountSource = QStringLiteral("the number of months from %1").arg(LoanInputs::kLength.words());
const QString kEndYearSource = QStringLiteral("the loan's last year from %1 and %2")
                                   .arg(LoanInputs::kStartYear.words(), LoanInputs::kLength.words());
const QString kBalanceSource = QStringLiteral("the remaining balance");

// The loan's last year must be a 16-bit year: a start year, a length or an end year beyond 32767 fails.
void testEndYear(const LoanTerms& terms) {
    std::int16_t start = 0;
    {
        // A start year beyond 32767 is the start year's fault.
        const ErrorContext startYear({}, LoanInputs::kStartYear.objectName());
        start = roundToInt16(terms.startYear.value(), kStartYearSource);
    }
    const ErrorContext length({}, LoanInputs::kLength.objectName());
    const std::int16_t years = roundToInt16(terms.length.value(), kLengthSource);
    checkedInt16(std::int64_t{start} + years, kEndYearSource);
}

} // namespace

void workOutMonth(const Decimal& openingBalance, const Decimal& monthlyRate, const Decimal& payment,
                  ScheduleMonth& month, ScheduleStep& step, const Decimal& extra) {
    step = ScheduleStep::Interest;
    month.interest = openingBalance * monthlyRate;
    step = ScheduleStep::MonthPrincipal;
    month.principal = payment - month.interest;
    step = ScheduleStep::Balance;
    // An extra paid with the month comes off after its principal; without one, nothing is subtracted.
    Decimal owed = openingBalance - month.principal;
    if (!extra.isZero())
        owed -= extra;
    month.balance = owed.toDouble();
    month.shownBalance = toDecimal(month.balance, kBalanceSource);
}

Schedule Schedule::compute(const LoanTerms& terms, const Decimal& monthlyRate, const Decimal& monthlyPayment) {
    Schedule schedule;
    schedule.monthlyRate = monthlyRate;
    schedule.monthlyPayment = monthlyPayment;
    ScheduleStep step = ScheduleStep::MonthCount;
    std::int32_t month = 0;
    ScheduleMonth figures;
    try {
        {
            // Too long a loan is the length's fault.
            const ErrorContext length({}, LoanInputs::kLength.objectName());
            schedule.lengthInYears = terms.length.value();
            schedule.monthCount = roundToInt16(schedule.lengthInYears * Calendar::kMonthsPerYear, kMonthCountSource);
        }
        step = ScheduleStep::Principal;
        {
            const ErrorContext principal({}, LoanInputs::kPrincipal.objectName());
            schedule.principal = terms.principal.value();
        }
        const std::int32_t monthCount = schedule.monthCount;
        schedule.months.reserve(std::size_t(std::max(0, monthCount)));
        schedule.years.reserve(
            std::size_t(std::max(0, (monthCount + Calendar::kMonthsPerYear - 1) / Calendar::kMonthsPerYear)));

        Decimal interestToDate;
        Decimal principalToDate;
        for (month = 1; month <= monthCount; ++month) {
            figures = ScheduleMonth();
            Decimal openingBalance;
            if (month == 1) {
                step = ScheduleStep::YearLabel;
                {
                    const ErrorContext startYear({}, LoanInputs::kStartYear.objectName());
                    schedule.startYear = terms.startYear.value();
                }
                step = ScheduleStep::Interest;
                openingBalance = toDecimal(schedule.principal, kBalanceSource);
            } else {
                // The balance owed enters the month as it was shown after the last one.
                openingBalance = schedule.months.back().shownBalance;
            }
            workOutMonth(openingBalance, monthlyRate, monthlyPayment, figures, step);
            schedule.months.push_back(figures);

            const int monthOfYear = (month - 1) % Calendar::kMonthsPerYear + 1;
            if (monthOfYear != Calendar::kMonthsPerYear && month != monthCount)
                continue;
            step = ScheduleStep::YearTotals;
            ScheduleYear year;
            year.year = schedule.startYear + double(schedule.years.size());
            year.months = std::int16_t(monthOfYear);
            // The year's own sums are formed first, from the unrounded months, and then added to the totals.
            for (std::int32_t first = month - monthOfYear; first < month; ++first) {
                year.interest += schedule.months[std::size_t(first)].interest;
                year.principal += schedule.months[std::size_t(first)].principal;
            }
            interestToDate += year.interest;
            principalToDate += year.principal;
            year.interestToDate = interestToDate;
            year.principalToDate = principalToDate;
            year.balance = figures.shownBalance;
            schedule.years.push_back(year);

            // A last year cut short by a fractional length is not a calendar year of the loan's: it is not
            // held to 16 bits.
            if (monthOfYear == Calendar::kMonthsPerYear) {
                step = ScheduleStep::EndYear;
                testEndYear(terms);
            }
        }
    } catch (const RuntimeError& error) {
        schedule.stop = ScheduleStop{step, month, figures, error};
    }
    return schedule;
}
