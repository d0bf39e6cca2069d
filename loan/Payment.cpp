#include "loan/Payment.h"

#include "loan/LoanInput.h"
#include "numbers/ErrorContext.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"

#include <cmath>

namespace Payment {

namespace {
const QString kPaymentCountSource = QStringLiteral("the number of payments from %1").arg(LoanInputs::kLength.words());
const QString kRateSource = LoanInputs::kRate.words();
const QString kPrincipalSource = LoanInputs::kPrincipal.words();
const QString kDivisorSource = QStringLiteral("the payment formula's divisor 1 - (1 + monthly rate)^-months");

QString capitalisedWords(const LoanInput& input) {
    QString words = input.words();
    words[0] = words[0].toUpper();
    return words;
}

} // namespace

Decimal monthlyRate(const NumberReading& ratePercent) {
    // The percentage is divided in double precision and only the quotient becomes decimal.
    const double rate = ratePercent.value() / 1200.0;
    return toDecimal(rate, kRateSource);
}

std::int32_t paymentCount(const NumberReading& years) {
    return roundToInt32(years.value() * 12.0, kPaymentCountSource);
}

Decimal paymentFactor(const Decimal& monthlyRate, std::int32_t paymentCount) {
    const Decimal growth = Decimal::fromInteger(1) + monthlyRate;
    // The power is taken in double precision, so a rate below about 1e-16 leaves the base at exactly 1.
    const double discount = std::pow(growth.toDouble(), -static_cast<double>(paymentCount));
    const double divisor = 1.0 - discount;
    // A divisor too small for a decimal value is as much a zero as 0 itself.
    const Decimal decimalDivisor = toDecimal(divisor, kDivisorSource);
    if (decimalDivisor.isZero()) {
        // No payments at all is the length's fault; otherwise the rate is too small to give a payment.
        const ErrorContext atFault({}, (paymentCount == 0 ? LoanInputs::kLength : LoanInputs::kRate).objectName());
        throw RuntimeError(RuntimeError::Kind::DivisionByZero,
                           QStringLiteral("%1 and %2 give no monthly payment: the payment formula would divide by "
                                          "zero. Use a rate above 0 and a length of at least one month.")
                               .arg(capitalisedWords(LoanInputs::kRate), LoanInputs::kLength.words()));
    }
    return monthlyRate / decimalDivisor;
}

Decimal monthlyPayment(const NumberReading& principal, const Decimal& monthlyRate, std::int32_t paymentCount) {
    const Decimal factor = paymentFactor(monthlyRate, paymentCount);
    // The principal is used only now, so a zero divisor is reported before a bad principal.
    const ErrorContext principalBox({}, LoanInputs::kPrincipal.objectName());
    return toDecimal(principal.value(), kPrincipalSource) * factor;
}

} // namespace Payment
