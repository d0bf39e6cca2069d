#pragma once

// The schedule as Calculate works it out from the boxes' texts, with no tax or insurance.
#include "loan/LoanTerms.h"
#include "loan/Payment.h"
#include "loan/Schedule.h"

inline Schedule scheduleOf(const QString& years, const QString& ratePercent, const QString& principal,
                           const QString& startYear = QStringLiteral("2007")) {
    const LoanTerms terms =
        LoanTerms::read({years, ratePercent, principal, QStringLiteral("0"), QStringLiteral("0"), startYear});
    const Decimal rate = Payment::monthlyRate(terms.rate);
    const Decimal payment = Payment::monthlyPayment(terms.principal, rate, Payment::paymentCount(terms.length));
    return Schedule::compute(terms, rate, payment);
}
