#include "numbers/Money.h"

#include <algorithm>

namespace Money {

namespace {

Decimal::Coefficient powerOfTen(int exponent) {
    Decimal::Coefficient power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// Whether the magnitude's quotient moves one away from zero, given what was cut off.
bool awayFromZero(Rounding rule, const Decimal::Coefficient& quotient, const Decimal::Coefficient& remainder,
                  const Decimal::Coefficient& divisor) {
    if (remainder == 0)
        return false;
    const Decimal::Coefficient twice = remainder * 2;
    switch (rule) {
    case Rounding::HalfEven:
        return twice > divisor || (twice == divisor && (quotient & 1) != 0);
    case Rounding::HalfUp:
        return twice >= divisor;
    case Rounding::Up:
        return true;
    case Rounding::Down:
        return false;
    }
    return false;
}

} // namespace

Decimal rounded(const Decimal& value, int places, Rounding rule) {
    places = std::clamp(places, 0, Decimal::kMaxScale);
    if (places >= value.scale())
        return value;
    const Decimal::Coefficient divisor = powerOfTen(value.scale() - places);
    Decimal::Coefficient quotient = value.coefficient() / divisor;
    const Decimal::Coefficient remainder = value.coefficient() - quotient * divisor;
    if (awayFromZero(rule, quotient, remainder, divisor))
        ++quotient;
    // A 96-bit coefficient that has lost at least one digit stays within 96 bits when one is added.
    return Decimal::fromParts(value.isNegative() && quotient != 0, quotient, places);
}

Decimal toCents(const Decimal& value, Rounding rule) {
    return rounded(value, kCentPlaces, rule);
}

Decimal toWholeUnit(const Decimal& value, Rounding rule) {
    return rounded(value, 0, rule);
}

QString text(const Decimal& value, Rounding rule) {
    // A zero is written without a sign, whatever the sign of what was rounded to it.
    QString digits = toCents(value, rule).toString();
    qsizetype point = digits.indexOf(u'.');
    if (point < 0) {
        point = digits.size();
        digits += u'.';
    }
    return digits.leftJustified(point + 1 + kCentPlaces, u'0');
}

} // namespace Money
