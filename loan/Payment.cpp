#include "Payment.h"

#include "NumberText.h"
#include "RuntimeError.h"

#include <cmath>

namespace Payment {

namespace {
const QString kLengthSource = QStringLiteral("the length of the loan (Text1)");
const QString kRateSource = QStringLiteral("the annual interest rate (Text2)");
const QString kPrincipalSource = QStringLiteral("the principal (Text3)");
const QString kDivisorSource = QStringLiteral("the payment formula's divisor 1 - (1 + monthly rate)^-months");
} // namespace

Decimal monthlyRate(QStringView rateText) {
    // The percentage is divided in double precision and only the quotient becomes decimal.
    const double rate = readNumber(rateText, kRateSource) / 1200.0;
    return toDecimal(rate, kRateSource);
}

std::int32_t paymentCount(QStringView yearsText) {
    return roundToInt32(readNumber(yearsText, kLengthSource) * 12.0, kLengthSource);
}

Decimal monthlyPayment(QStringView principalText, const Decimal& monthlyRate, std::int32_t paymentCount) {
    const Decimal growth = Decimal::fromInteger(1) + monthlyRate;
    // The power is taken in double precision, so a rate below about 1e-16 leaves the base at exactly 1.
    const double discount = std::pow(growth.toDouble(), -static_cast<double>(paymentCount));
    const double divisor = 1.0 - discount;
    // A divisor too small for a decimal value is as much a zero as 0 itself.
    const Decimal decimalDivisor = toDecimal(divisor, kDivisorSource);
    if (decimalDivisor.isZero()) {
        throw RuntimeError(RuntimeError::Kind::DivisionByZero,
                           QStringLiteral("The annual interest rate (Text2) and the length of the loan (Text1) give "
                                          "no monthly payment: the payment formula would divide by zero. Use a "
                                          "rate above 0 and a length of at least one month."));
    }
    const Decimal factor = monthlyRate / decimalDivisor;
    // The principal is read only now, so a zero divisor is reported before a bad principal.
    return toDecimal(readNumber(principalText, kPrincipalSource), kPrincipalSource) * factor;
}

} // namespace Payment
