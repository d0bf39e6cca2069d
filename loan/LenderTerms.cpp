#include "loan/LenderTerms.h"

namespace {
constexpr int kGermanInitialRepaymentPercent = 2;
}

LenderTerms LenderTerms::withPreset(Preset preset) const {
    LenderTerms terms = *this;
    // Every preset starts from the lender's defaults, so no setting of an earlier preset lingers.
    terms.frequency = Frequency::Monthly;
    terms.compounding = Compounding::WithEachPayment;
    terms.interestCount = InterestCount::PerPeriod;
    terms.paymentRounding = PaymentRounding::NearestCent;
    terms.interestRounding = InterestRounding::CentHalfUp;
    terms.paymentBasis = PaymentBasis::FromLength;
    terms.atRateChange = AtRateChange::NewPayment;
    switch (preset) {
    case Preset::Lender:
        break;
    case Preset::AsCalculated:
        terms.paymentRounding = PaymentRounding::None;
        terms.interestRounding = InterestRounding::None;
        break;
    case Preset::Canada:
        terms.compounding = Compounding::SemiAnnually;
        // Canadian lenders offer every frequency, accelerated ones above all, so the preset leaves it as chosen.
        terms.frequency = frequency;
        break;
    case Preset::Germany:
        terms.paymentBasis = PaymentBasis::InitialRepayment;
        terms.initialRepaymentPercent = Decimal::fromInteger(kGermanInitialRepaymentPercent);
        break;
    }
    return terms;
}
