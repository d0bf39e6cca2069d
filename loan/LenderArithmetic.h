#pragma once

#include "numbers/Decimal.h"
#include "numbers/Money.h"

#include <boost/multiprecision/cpp_dec_float.hpp>
#include <boost/multiprecision/cpp_int.hpp>

#include <cstdint>
#include <optional>

// The exact steps a lender's schedule is made of, apart from its dates and rows.
namespace LenderArithmetic {

// Room for a product of two 96-bit coefficients scaled up by 10^28 and more: nothing here ever wraps.
using Wide = boost::multiprecision::int512_t;
// Fifty significant digits, for the powers of the annuity formula and of a converted rate, which no
// exact type can hold.
using Float = boost::multiprecision::cpp_dec_float_50;

// The magnitude `magnitude` * 10^-scale (scale may exceed 28) kept as a decimal at the largest scale up
// to 28 whose coefficient fits in 96 bits, rounded half to even once from the exact value; throws an
// Overflow RuntimeError when it does not fit even at scale 0.
Decimal fitted(bool negative, const Wide& magnitude, int scale);

// a * b / divisor worked out exactly and rounded only once: to `places` by the rule, or, with no rule,
// as a decimal result is kept (see fitted). So balance * 5 / 1200 of exactly half a cent rounds as the
// rule says, not as an intermediate quotient happened to round. The divisor is above zero.
Decimal productQuotient(const Decimal& a, const Decimal& b, std::int64_t divisor, std::optional<Money::Rounding> rule,
                        int places = Money::kCentPlaces);

// The fraction charged per payment period for an annual rate in percent compounded `compoundings` times
// a year with `periodsPerYear` payments: (1 + j/m)^(m/p) - 1, to fifty digits; exactly j/p when m == p.
Float periodRate(const Decimal& ratePercent, int compoundings, int periodsPerYear);

// The payment that pays `balance` off in `count` equal payments at the period rate:
// balance * r / (1 - (1 + r)^-count), or balance / count without interest; unrounded, to fifty digits.
Float annuity(const Decimal& balance, const Float& rate, std::int64_t count);

// A fifty-digit value as a decimal with up to 28 places, rounded half to even once (see fitted).
Decimal toDecimal(const Float& value);
Float toFloat(const Decimal& value);

} // namespace LenderArithmetic
