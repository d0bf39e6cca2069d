#pragma once

#include "loan/LenderTerms.h"
#include "numbers/Decimal.h"

#include <QString>

#include <optional>

// A lender's offer as the Compare Offers window reads it: a fixed-rate loan paid monthly under the lender's
// default terms (payment and interest to the cent, the last payment what is owed), with what it costs to
// take out and to keep.
struct Offer {
    QString name;
    Decimal principal;
    Decimal lengthInYears;
    Decimal ratePercent;   // a year, 6.5 for 6.5 %
    Decimal pointsPercent; // of the principal, paid at closing: 2 points on 200,000 is 4,000
    Decimal closingFees;   // paid at closing
    Decimal monthlyFee;    // paid with each payment
    std::optional<LenderTerms::RateChange> rateChange; // calendar year and month, as the lender's schedule takes it
};
