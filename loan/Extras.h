#pragma once

#include "loan/Schedule.h"
#include "numbers/Decimal.h"
#include "numbers/RuntimeError.h"

#include <cstdint>
#include <optional>
#include <vector>

// A payment made once, with the regular payment of the given month.
struct LumpSum {
    std::int32_t year = 0;
    std::int32_t month = 12; // 1 to 12
    Decimal amount;
};

// What a borrower pays beyond the monthly payment, and what the extra does to the loan.
struct ExtraPayments {
    enum class Effect {
        FinishSooner, // the payment stays; the loan ends earlier
        PayLess,      // the end date stays; the payment is worked out again after each month with an extra
    };

    Decimal monthly;                   // every month from the month below on
    std::int32_t monthlyFromYear = 0;  // 0: from the first payment
    std::int32_t monthlyFromMonth = 1; // 1 to 12
    Decimal yearly;                    // once a year, in yearlyMonth
    std::int32_t yearlyMonth = 12;     // 1 to 12
    std::vector<LumpSum> lumps;
    Effect effect = Effect::FinishSooner;
};

// One month of a schedule with extras, every amount unrounded.
struct ExtraMonth {
    double year = 0.0;     // the start year plus the whole years before the month
    std::int8_t month = 1; // 1 to 12
    Decimal payment;       // the regular payment, or less in the month that ends the loan
    Decimal extra;         // paid with it
    Decimal interest;      // charged on the balance at the start of the month
    Decimal principal;     // the payment less the interest
    Decimal balance;       // owed after the payment and the extra
};

// A year's end in a schedule with extras: sums from the first month to the year's last.
struct ExtraYear {
    double year = 0.0;
    Decimal paymentToDate;
    Decimal extraToDate;
    Decimal interestToDate;
    Decimal principalToDate;
    Decimal balance;
};

// The figures a borrower compares: how much, how long, and what it all costs.
struct LoanOutcome {
    Decimal monthlyPayment; // unrounded; with "pay less", the last one worked out
    std::int32_t payments = 0;
    double lastYear = 0.0;
    std::int8_t lastMonth = 1; // 1 to 12
    Decimal totalInterest;
    Decimal totalPaid;

    // The loan as Calculate worked it out.
    static LoanOutcome of(const Schedule& schedule);
};

// A complete schedule worked out again with extra payments. Each month is the schedule's own month
// (workOutMonth) with the month's extra paid after its principal. When what is owed is no more than the
// month would pay, the month pays exactly the balance and its interest and the loan ends: no payment
// exceeds what is owed and no balance falls below zero. Otherwise it runs to the calculated loan's last
// month, as the calculated schedule does. The first payment falls in January of the start year.
struct ExtraSchedule {
    std::vector<ExtraMonth> months;
    std::vector<ExtraYear> years;          // after every December and after the last month
    std::vector<std::size_t> lumpsOutside; // lumps dated before the first or after the last payment; left out
    Decimal lastMonthlyPayment;
    std::optional<RuntimeError> error; // an amount too large to add up; the months before it stand

    static ExtraSchedule compute(const Schedule& schedule, const ExtraPayments& extras);

    LoanOutcome outcome() const;
};
