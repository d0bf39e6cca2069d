#pragma once

#include "loan/LoanTerms.h"
#include "numbers/Decimal.h"
#include "numbers/RuntimeError.h"

#include <cstdint>
#include <optional>
#include <vector>

// One month of a schedule, every amount unrounded.
struct ScheduleMonth {
    Decimal interest;     // charged on the balance at the start of the month
    Decimal principal;    // the rest of the payment
    double balance = 0.0; // owed after the month: the balance the next month's interest is charged on
    Decimal shownBalance; // that balance as it enters decimal arithmetic, which the schedule shows
};

// One schedule year: twelve months, or fewer for a last year cut short by a fractional length.
struct ScheduleYear {
    double year = 0.0;       // its label: the start year plus the whole years before it
    std::int16_t months = 0; // 1 to 12
    Decimal interest;        // its months' interest added in month order
    Decimal principal;       // its months' principal added in month order
    Decimal interestToDate;  // all interest since the first month
    Decimal principalToDate; // all principal since the first month
    Decimal balance;         // the shown balance after its last month
};

// The step of the schedule's arithmetic at which it failed.
enum class ScheduleStep {
    MonthCount,     // the number of months from the length, before any month
    Principal,      // reading the principal, before any month
    YearLabel,      // reading the start year, to label the first month
    Interest,       // a month's interest
    MonthPrincipal, // a month's principal
    Balance,        // the balance after a month
    YearTotals,     // a year's sums and the totals to date
    EndYear,        // the loan's last year as a 16-bit year, tested at the end of every whole year
};

struct ScheduleStop {
    ScheduleStep step;
    std::int32_t month;       // 1 to the month count; 0 before the first month
    ScheduleMonth unfinished; // what the failing month had worked out before the step
    RuntimeError error;
};

// A loan's month-by-month schedule as a plain value: no widget, no grid, nothing shared. It is worked out
// from the loan's terms and the monthly rate and payment that Calculate found for them.
struct Schedule {
    double lengthInYears = 0.0;
    double principal = 0.0;
    double startYear = 0.0;   // read when the first month is labelled
    double ratePercent = 0.0; // the annual rate as Calculate read it, before it became the monthly rate
    Decimal monthlyRate;
    Decimal monthlyPayment;      // unrounded
    std::int16_t monthCount = 0; // the length times 12, rounded half to even
    std::vector<ScheduleMonth> months;
    std::vector<ScheduleYear> years;  // after every twelfth month, and after a last shorter year
    std::optional<ScheduleStop> stop; // set when the arithmetic failed; the figures before it stand

    // Interest is charged on the balance at the start of each month, in decimal arithmetic, on the balance
    // carried as a double; the rest of the payment goes to principal. A failure ends the schedule at its
    // step and is kept in `stop`, to be raised where the schedule is shown.
    static Schedule compute(const LoanTerms& terms, const Decimal& monthlyRate, const Decimal& monthlyPayment);

    bool isComplete() const { return !stop; }
};

// The month's arithmetic, the same for every schedule: interest on the balance at its start, the rest of
// the payment to principal, the balance after it carried as a double. `step` follows along, so after a
// failure it names the step, and `month` holds what was worked out before it. An extra payment made with
// the month lowers the balance after its principal.
void workOutMonth(const Decimal& openingBalance, const Decimal& monthlyRate, const Decimal& payment,
                  ScheduleMonth& month, ScheduleStep& step, const Decimal& extra = Decimal());
