#pragma once

#include "loan/Calendar.h"
#include "numbers/Decimal.h"

#include <cstdint>
#include <optional>
#include <vector>

// A loan as a lender bills it: how often it is paid, how interest is charged and how payments and interest
// are rounded. Every input is already a value; the window reads its boxes into these fields once.
struct LenderTerms {
    enum class Frequency {
        Monthly,             // 12 a year, the same day of each month
        SemiMonthly,         // 24 a year, on day a and day a + 15 of each month
        Biweekly,            // 26 a year, every 14 days
        Weekly,              // 52 a year, every 7 days
        AcceleratedBiweekly, // half the monthly payment every 14 days, charged as 26 a year
        AcceleratedWeekly,   // a quarter of the monthly payment every 7 days, charged as 52 a year
        Quarterly,           // 4 a year, every 3 months
        Annually,            // 1 a year, every 12 months
    };
    enum class Compounding { WithEachPayment, Monthly, Quarterly, SemiAnnually, Annually };
    enum class InterestCount {
        PerPeriod, // the period's share of the annual rate
        Actual365, // the days since the previous payment over 365, whatever the year's length
    };
    enum class PaymentRounding { None, NearestCent, UpToCent, DownToCent, UpToWholeUnit };
    enum class InterestRounding { None, CentHalfUp, CentHalfEven, CentDown };
    enum class PaymentBasis {
        FromLength,       // the annuity that pays the loan off over the length
        Typed,            // the amount typed, as typed
        InitialRepayment, // the rate plus an initial repayment rate, of the principal, a year
    };
    enum class AtRateChange {
        NewPayment,  // worked out again on the balance over the payments left
        KeepPayment, // the payment stays and the last payment moves
    };
    enum class Preset {
        Lender,       // payment and interest to the cent: the defaults
        AsCalculated, // monthly, nothing rounded
        Canada,       // compounded semi-annually
        Germany,      // rate and initial repayment, 2 %
    };

    // From the first payment on or after the 1st of the month, interest is charged at the new rate.
    struct RateChange {
        std::int64_t year = 0;
        int month = 1; // 1 to 12
        Decimal ratePercent;
    };

    Decimal principal;
    Decimal ratePercent;   // a year, 5 for 5 %
    Decimal lengthInYears; // fractions allowed: 2.5 years monthly is 30 payments
    std::int64_t startYear = 0;

    Frequency frequency = Frequency::Monthly;
    std::optional<Calendar::Date> firstPayment; // none: 1 January of the start year
    std::optional<Calendar::Date> loanDate;     // none: one payment period before the first payment
    Compounding compounding = Compounding::WithEachPayment;
    InterestCount interestCount = InterestCount::PerPeriod;
    PaymentRounding paymentRounding = PaymentRounding::NearestCent;
    InterestRounding interestRounding = InterestRounding::CentHalfUp;
    PaymentBasis paymentBasis = PaymentBasis::FromLength;
    Decimal typedPayment;            // with PaymentBasis::Typed
    Decimal initialRepaymentPercent; // with PaymentBasis::InitialRepayment
    std::vector<RateChange> rateChanges;
    AtRateChange atRateChange = AtRateChange::NewPayment;
    std::optional<int> balanceAfterYears; // the balance at the end of a fixed-rate period of this many years

    // These terms with a preset's settings; the principal, rate, length, start year, dates and rate changes
    // stay as they are.
    LenderTerms withPreset(Preset preset) const;
};
