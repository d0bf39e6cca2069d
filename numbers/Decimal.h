#pragma once

#include <QString>
#include <QStringView>

#include <boost/multiprecision/cpp_int.hpp>

#include <compare>
#include <cstdint>

// An exact signed decimal number: a 96-bit unsigned coefficient scaled by a power of ten from 0 to 28,
// so at most 28-29 significant digits and a largest magnitude of 79228162514264337593543950335.
//
// Every operation is computed exactly on wide integers and then, when the coefficient does not fit in
// 96 bits or the scale passes 28, reduced to the largest scale that fits, rounding half to even in one
// step from the exact value. A result that does not fit even at scale 0 raises an overflow error; a
// division by zero raises a division-by-zero error (both RuntimeError). Results keep their scale, so
// 1.10 + 1 is 2.10; trailing zeros are dropped only when a value is written as cell text.
class Decimal {
public:
    // Holds any 96-bit coefficient; the invariant is coefficient <= kMaxCoefficient.
    using Coefficient = boost::multiprecision::uint128_t;

    static constexpr int kMaxScale = 28;
    static const Coefficient kMaxCoefficient; // 2^96 - 1

    Decimal() = default; // zero, scale 0

    // An integer, scale 0.
    static Decimal fromInteger(std::int64_t value);
    // sign * coefficient * 10^-scale, taken as it stands; throws Overflow when the coefficient needs
    // more than 96 bits or the scale is outside 0..28.
    static Decimal fromParts(bool negative, Coefficient coefficient, int scale);
    // A double rounded to 15 significant digits (0.1 -> 0.1, 1.0/3 -> 0.333333333333333), trailing zeros
    // dropped; throws Overflow for infinities, NaN and magnitudes beyond the 96-bit range.
    static Decimal fromDouble(double value);
    // Plain notation read exactly ("-12.340" keeps scale 3); for constants and tests. More than 28
    // fraction digits, or a coefficient beyond 96 bits, is rounded half to even into range as any
    // result would be. Throws Conversion for anything but [-]digits[.digits].
    static Decimal fromString(QStringView text);

    bool isNegative() const { return m_negative; }
    bool isZero() const { return m_coefficient == 0; }
    int scale() const { return m_scale; }
    const Coefficient& coefficient() const { return m_coefficient; }

    // The nearest double (correctly rounded).
    double toDouble() const;

    // Rounded to the given number of places, halves to even: 1234.565 -> 1234.56, 1234.575 -> 1234.58,
    // -0.125 -> -0.12. A value with fewer places is returned unchanged (its scale is not raised).
    Decimal roundedTo(int places) const;

    // Plain notation keeping the scale: "1199.10", "-0.5", "0". A zero is never written with a sign.
    QString toString() const;

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    // The quotient at the largest scale (at most 28) whose coefficient fits, rounded half to even.
    friend Decimal operator/(const Decimal& a, const Decimal& b);

    Decimal& operator+=(const Decimal& other) { return *this = *this + other; }
    Decimal& operator-=(const Decimal& other) { return *this = *this - other; }

    // Comparison by value: 1.10 == 1.1, and -0 == 0.
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    Coefficient m_coefficient = 0;
    std::uint8_t m_scale = 0;
    bool m_negative = false;
};

namespace QTest {
// Lets QCOMPARE print the value of a failing Decimal comparison.
char* toString(const Decimal& value);
} // namespace QTest
