#pragma once

#include "numbers/Decimal.h"

#include <QString>

// Money as the program rounds and writes it. Amounts are worked out exactly and rounded only here, each time
// by a rule the caller names; the examples below are the rules' own tests.
namespace Money {

constexpr int kCentPlaces = 2;

enum class Rounding {
    // Ties to the even digit: 1234.565 -> 1234.56, 1234.575 -> 1234.58, -1234.565 -> -1234.56. The main grid's
    // and the what-if window's money, and every exact result of the decimal type.
    HalfEven,
    // Ties away from zero: 1234.565 -> 1234.57, 1234.564 -> 1234.56, -1234.565 -> -1234.57. As lenders'
    // statements print amounts.
    HalfUp,
    // Away from zero whenever anything is cut off: 1234.561 -> 1234.57, 1234.56 -> 1234.56, -1234.561 -> -1234.57.
    Up,
    // Toward zero, the cut-off digits dropped: 1234.569 -> 1234.56, -1234.569 -> -1234.56.
    Down,
};

// The value rounded to `places` (0 to 28) by the rule: to the cent with 2, to a whole unit with 0
// (1234.01 -> 1235 Up, 1234.50 -> 1235 HalfUp, 1234.50 -> 1234 HalfEven). A value with no more places is
// returned unchanged.
Decimal rounded(const Decimal& value, int places, Rounding rule);

// rounded(value, 2, rule).
Decimal toCents(const Decimal& value, Rounding rule);
// rounded(value, 0, rule).
Decimal toWholeUnit(const Decimal& value, Rounding rule);

// The one way money is written: to the cent by the rule, always two places, no grouping, '.' as the point,
// as spreadsheets read it: 1199.1 -> "1199.10", 1234.565 -> "1234.56" (HalfEven) or "1234.57" (HalfUp),
// -0.001 -> "0.00", never "-0.00".
QString text(const Decimal& value, Rounding rule = Rounding::HalfEven);

} // namespace Money
