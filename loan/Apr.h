#pragma once

#include "loan/Calendar.h"
#include "numbers/Decimal.h"

#include <cstdint>
#include <optional>
#include <vector>

// The annual percentage rate by the actuarial method of Regulation Z's Appendix J: the rate i per unit period
// at which the payments, each discounted to the loan's date, add up to the amount financed,
//     amount financed = sum of P / ((1 + f i) (1 + i)^t),
// a payment P falling t whole unit periods and a fraction f of one after the loan's date. The odd days of a
// first period are charged as simple interest, f = odd days / days in a unit period (30 for a month).
//
// Only rates from zero up are sought: a loan whose payments add up to less than the amount financed has no
// rate. A result is a plain value; solve() never throws.
class Apr {
public:
    static constexpr int kDaysPerMonthCounted = 30; // every month counts as 30 days for its odd days
    static constexpr int kShownPlaces = 3;          // APR and APRC as they are disclosed: 6.434

    // A payment and when it falls: `periods` whole unit periods plus `oddDays` days of the next one.
    struct Flow {
        Decimal amount;
        std::int64_t periods = 0;
        std::int64_t oddDays = 0; // 0 to daysPerPeriod - 1
    };

    enum class NoRate {
        None,            // there is a rate
        NothingFinanced, // the amount financed is zero or less: fees at or above the principal
        FlowsTooSmall,   // the payments add up to less than the amount financed even at a rate of zero
        PaidAtOnce,      // payments at the loan's date alone reach the amount financed, at any rate
        InvalidFlow,     // a negative amount or time, or odd days of a whole period or more
        BeyondRange,     // the rate, or the APR, is too large for the decimal type
    };

    // The rate for these payments: months of 30 days by default; pass 24 and 15 for semi-monthly periods, 52
    // and 7 for weekly ones.
    static Apr solve(const Decimal& amountFinanced, const std::vector<Flow>& flows,
                     int periodsPerYear = Calendar::kMonthsPerYear, int daysPerPeriod = kDaysPerMonthCounted);

    // The payments discounted to the loan's date at `periodRate`, to fifty digits and then to 28 places: what
    // the solved rate is checked against. The flows must be valid (see NoRate::InvalidFlow).
    static Decimal presentValue(const std::vector<Flow>& flows, const Decimal& periodRate,
                                int daysPerPeriod = kDaysPerMonthCounted);

    bool exists() const { return m_why == NoRate::None; }
    NoRate whyNone() const { return m_why; }
    // The rate per unit period as a fraction (0.0080718 for 0.807 % a month), to 28 places; zero when none.
    const Decimal& periodRate() const { return m_periodRate; }
    // The nominal annual rate in percent: 100 * periods a year * the period rate.
    const Decimal& annualPercent() const { return m_annualPercent; }
    // The effective annual rate in percent, 100 * ((1 + i)^periods a year - 1): the EU's APRC when the unit
    // period is a month of equal months. None when it is beyond the decimal range (a rate of thousands a
    // month, as fees a cent short of the principal give), while the rate itself still is.
    const std::optional<Decimal>& effectivePercent() const { return m_effectivePercent; }
    // Both as disclosed: three places, halves up (9.6857 -> 9.686).
    Decimal annualShown() const;
    std::optional<Decimal> effectiveShown() const;

private:
    NoRate m_why = NoRate::None;
    Decimal m_periodRate;
    Decimal m_annualPercent;
    std::optional<Decimal> m_effectivePercent;
};
