#pragma once

#include "loan/Calendar.h"
#include "loan/LenderTerms.h"
#include "numbers/Decimal.h"
#include "numbers/RuntimeError.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// A loan's schedule as its lender bills it, as a plain value worked out from LenderTerms. Every amount
// is kept exact, rounded only where the terms say; the window shows them to the cent, halves up.
struct LenderSchedule {
    struct Row {
        std::int64_t number = 0; // 1 for the first payment
        Calendar::Date date;
        Decimal payment;   // the regular payment, or what is owed when that is less
        Decimal interest;  // charged on the balance after the previous payment
        Decimal principal; // the payment less the interest
        Decimal balance;   // owed after the payment
    };

    // A calendar year's own sums, after its last payment.
    struct YearTotals {
        std::int64_t year = 0;
        std::size_t lastRow = 0; // the index in rows of the year's last payment
        Decimal payment;
        Decimal interest;
        Decimal principal;
        Decimal balance; // after the year's last payment
    };

    // The rate and payment from a payment on: the first from payment 1, then one for each rate change.
    struct RatePeriod {
        std::int64_t fromPayment = 1;
        Decimal ratePercent;
        Decimal periodRate;           // the fraction charged per payment period, to 28 places (unused with Actual365)
        bool periodRateExact = false; // the period rate is ratePercent / (100 * periods a year), charged exactly
        Decimal payment;
    };

    struct Summary {
        Decimal regularPayment;
        std::int64_t payments = 0;
        std::optional<Calendar::Date> firstPayment;
        std::optional<Calendar::Date> lastPayment;
        Decimal lastPaymentAmount;
        Decimal totalInterest;
        Decimal totalPaid;
        std::optional<Decimal> balanceAfterYears; // when asked for and the schedule reaches it
    };

    std::vector<Row> rows;
    std::vector<YearTotals> years;
    std::vector<RatePeriod> rates;
    Summary summary;
    int periodsPerYear = 12;                 // payments a year, as interest is charged for them
    QStringList problems;                    // terms that give no schedule at all; then nothing else is set
    std::vector<std::size_t> outsideChanges; // indexes of rate changes before the first or after the last payment
    QString stopMessage;                     // why the schedule ends with a balance left; the rows before it stand
    std::optional<Calendar::Date> stopDate;
    std::optional<RuntimeError> error; // an amount beyond the decimal range; the rows before it stand

    static LenderSchedule compute(const LenderTerms& terms);

    // Paid off to the last cent, with nothing in the way.
    bool isPaidOff() const { return problems.isEmpty() && stopMessage.isEmpty() && !error; }
};
