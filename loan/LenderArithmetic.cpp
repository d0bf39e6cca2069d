#include "loan/LenderArithmetic.h"

#include "numbers/RuntimeError.h"

#include <array>
#include <cmath>
#include <numeric>
#include <string>

namespace LenderArithmetic {

namespace {

constexpr int kPowersOfTen = 90;

const Wide& tenTo(int power) {
    static const std::array<Wide, kPowersOfTen> powers = [] {
        std::array<Wide, kPowersOfTen> table;
        table[0] = 1;
        for (std::size_t i = 1; i < table.size(); ++i)
            table[i] = table[i - 1] * 10;
        return table;
    }();
    return powers.at(std::size_t(power));
}

const Wide& maxCoefficient() {
    static const Wide max(Decimal::kMaxCoefficient);
    return max;
}

// Whether a quotient's magnitude moves one away from zero, given its remainder over the divisor.
bool awayFromZero(Money::Rounding rule, const Wide& quotient, const Wide& remainder, const Wide& divisor) {
    if (remainder == 0)
        return false;
    const Wide twice = remainder * 2;
    switch (rule) {
    case Money::Rounding::HalfEven:
        return twice > divisor || (twice == divisor && (quotient & 1) != 0);
    case Money::Rounding::HalfUp:
        return twice >= divisor;
    case Money::Rounding::Up:
        return true;
    case Money::Rounding::Down:
        return false;
    }
    return false;
}

// numerator / (denominator * 10^scale), rounded by the rule to `places`, as a magnitude at that scale.
Wide roundedAt(const Wide& numerator, const Wide& denominator, int scale, int places, Money::Rounding rule) {
    const Wide top = places >= scale ? Wide(numerator * tenTo(places - scale)) : numerator;
    const Wide bottom = places >= scale ? denominator : Wide(denominator * tenTo(scale - places));
    Wide quotient;
    Wide remainder;
    divide_qr(top, bottom, quotient, remainder);
    if (awayFromZero(rule, quotient, remainder, bottom))
        ++quotient;
    return quotient;
}

// The positive n-th root of x, from the double's root: each of Newton's steps doubles the correct digits,
// so three take 16 to beyond 50. Anything a double cannot start from goes through logarithms.
Float root(const Float& x, int n) {
    if (n == 1)
        return x;
    constexpr int kNewtonSteps = 3;
    Float y = std::pow(x.convert_to<double>(), 1.0 / n);
    if (!(x > 0) || !std::isfinite(y.convert_to<double>()) || !(y > 0))
        return pow(x, Float(1) / n);
    for (int step = 0; step < kNewtonSteps; ++step) {
        const Float power = pow(y, n - 1);
        y -= (power * y - x) / (n * power);
    }
    return y;
}

[[noreturn]] void tooLarge() {
    throw RuntimeError(RuntimeError::Kind::Overflow, QStringLiteral("An amount of the schedule is too large."));
}

// numerator / (denominator * 10^scale) kept as a decimal result is: the largest scale up to 28 that fits.
Decimal fittedQuotient(bool negative, const Wide& numerator, const Wide& denominator, int scale) {
    // The digits before the point tell the scale to try first; a carry from rounding may cost one more.
    const Wide whole = numerator / (denominator * tenTo(std::max(0, scale - Decimal::kMaxScale))) /
                       tenTo(std::min(scale, Decimal::kMaxScale));
    int places = Decimal::kMaxScale;
    for (Wide limit = maxCoefficient() / tenTo(places); whole > limit && places > 0;)
        limit = maxCoefficient() / tenTo(--places);
    for (; places >= 0; --places) {
        const Wide magnitude = roundedAt(numerator, denominator, scale, places, Money::Rounding::HalfEven);
        if (magnitude <= maxCoefficient())
            return Decimal::fromParts(negative, Decimal::Coefficient(magnitude), places);
    }
    tooLarge();
}

} // namespace

Decimal fitted(bool negative, const Wide& magnitude, int scale) {
    return fittedQuotient(negative, magnitude, 1, scale);
}

Decimal productQuotient(const Decimal& a, const Decimal& b, std::int64_t divisor, std::optional<Money::Rounding> rule,
                        int places) {
    const Wide numerator = Wide(a.coefficient()) * Wide(b.coefficient());
    const bool negative = a.isNegative() != b.isNegative() && numerator != 0;
    const int scale = a.scale() + b.scale();
    if (!rule)
        return fittedQuotient(negative, numerator, divisor, scale);
    const Wide magnitude = roundedAt(numerator, divisor, scale, places, *rule);
    if (magnitude > maxCoefficient())
        tooLarge();
    return Decimal::fromParts(negative, Decimal::Coefficient(magnitude), places);
}

Float periodRate(const Decimal& ratePercent, int compoundings, int periodsPerYear) {
    const Float annual = toFloat(ratePercent) / 100;
    if (compoundings == periodsPerYear)
        return annual / periodsPerYear;
    // (1 + j/m)^(m/p) as the (p/g)-th root of (1 + j/m)^(m/g), g their greatest common divisor: a whole
    // power and a root by Newton's method, far quicker than a power through logarithms.
    const int divisor = std::gcd(compoundings, periodsPerYear);
    return root(pow(1 + annual / compoundings, compoundings / divisor), periodsPerYear / divisor) - 1;
}

Float annuity(const Decimal& balance, const Float& rate, std::int64_t count) {
    const Float amount = toFloat(balance);
    if (rate == 0)
        return amount / Float(count);
    // A whole power by repeated squaring; a power through logarithms would cost many times as much.
    const Float growth = pow(1 + rate, count);
    return amount * rate * growth / (growth - 1);
}

Decimal toDecimal(const Float& value) {
    // Fixed notation with 28 places; a value too large for them is rounded into range by the decimal type.
    return Decimal::fromString(QString::fromStdString(value.str(Decimal::kMaxScale, std::ios_base::fixed)));
}

Float toFloat(const Decimal& value) {
    return Float(value.toString().toStdString());
}

} // namespace LenderArithmetic
