#pragma once

#include "numbers/Decimal.h"
#include "numbers/NumberReading.h"

#include <cstdint>

// The figures of the Calculate command, as plain functions of the loan's terms.
namespace Payment {

// The annual rate in percent (Text2) divided by 1200 in double precision, then made decimal.
Decimal monthlyRate(const NumberReading& ratePercent);

// The length in years (Text1) times 12 in double precision, rounded half to even to a 32-bit count.
std::int32_t paymentCount(const NumberReading& years);

// The unrounded monthly payment: principal * rate / (1 - (1 + rate)^-n), with the power and the
// subtraction in double precision and the rest in decimal. A zero divisor (rate 0, n 0, or a rate so
// small that 1 + rate is 1 as a double) raises a division-by-zero error before the principal is used.
Decimal monthlyPayment(const NumberReading& principal, const Decimal& monthlyRate, std::int32_t paymentCount);

// The payment per unit of balance: rate / (1 - (1 + rate)^-n), as monthlyPayment works it out. Paying
// off a balance b over n months at the rate takes b times this factor each month.
Decimal paymentFactor(const Decimal& monthlyRate, std::int32_t paymentCount);

} // namespace Payment
