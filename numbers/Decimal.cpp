#include "numbers/Decimal.h"

#include "numbers/RuntimeError.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace mp = boost::multiprecision;

// Sums and products of two 96-bit coefficients at scales up to 28 need at most 192 bits; the widened
// dividend of a division (a coefficient times up to 10^56) needs up to 283, hence the two widths.
using Wide = mp::uint256_t;
using WideDivision = mp::uint512_t;

const Decimal::Coefficient Decimal::kMaxCoefficient = (Decimal::Coefficient(1) << 96) - 1;

namespace {

constexpr int kCoefficientBits = 96;

QString tooLargeMessage() {
    return QStringLiteral("The result is too large: decimal numbers go up to 79228162514264337593543950335.");
}

[[noreturn]] void throwOverflow() {
    throw RuntimeError(RuntimeError::Kind::Overflow, tooLargeMessage());
}

// 10^k for every k the type can hold, built once.
template <class W> const W& powerOfTen(int k) {
    static const std::vector<W> table = [] {
        std::vector<W> powers{W(1)};
        const W limit = (~W(0)) / 10;
        while (powers.back() <= limit)
            powers.push_back(powers.back() * 10);
        return powers;
    }();
    return table.at(static_cast<std::size_t>(k));
}

template <class W> const W& maxCoefficient() {
    static const W max = W(Decimal::kMaxCoefficient);
    return max;
}

// The exact value sign * coefficient * 10^-scale, plus a nonzero fraction below the coefficient's last
// digit when `sticky` is set, brought into range: the largest scale (at most 28) whose coefficient fits
// in 96 bits, rounded half to even in one step from that exact value. When `exact` is given it says
// whether nothing was rounded away.
template <class W>
Decimal reduce(bool negative, const W& coefficient, int scale, bool sticky = false, bool* exact = nullptr) {
    const W& max = maxCoefficient<W>();
    int k = std::max(scale - Decimal::kMaxScale, sticky ? 1 : 0);
    if (coefficient > max) {
        // A coefficient of b bits is at least 2^(b-1), so dropping k digits with 10^k <= 2^(b-97) still
        // leaves at least 2^96: k must exceed (b - 97) * log10(2). 0.30102 is just below log10(2), so the
        // floor below never overshoots.
        const int bits = static_cast<int>(mp::msb(coefficient)) + 1;
        k = std::max(k, (bits - kCoefficientBits - 1) * 30102 / 100000 + 1);
    }
    for (;; ++k) {
        if (k > scale)
            throwOverflow();
        if (k == 0) {
            if (coefficient <= max) {
                if (exact)
                    *exact = true;
                return Decimal::fromParts(negative, Decimal::Coefficient(coefficient), scale);
            }
            continue;
        }
        const W& divisor = powerOfTen<W>(k);
        W quotient = coefficient / divisor;
        const W rest = coefficient - quotient * divisor;
        const W twice = rest * 2;
        if (twice > divisor || (twice == divisor && (sticky || (quotient & 1) != 0)))
            ++quotient;
        if (quotient <= max) {
            if (exact)
                *exact = rest == 0 && !sticky;
            return Decimal::fromParts(negative, Decimal::Coefficient(quotient), scale - k);
        }
    }
}

// Both coefficients at the larger of the two scales.
struct Aligned {
    Wide a;
    Wide b;
    int scale;
};

Wide atScale(const Decimal& value, int scale) {
    if (scale == value.scale())
        return Wide(value.coefficient());
    return Wide(value.coefficient()) * powerOfTen<Wide>(scale - value.scale());
}

Aligned align(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale(), b.scale());
    return {atScale(a, scale), atScale(b, scale), scale};
}

Decimal addSigned(const Decimal& a, bool bNegative, const Decimal& b) {
    const Aligned x = align(a, b);
    if (a.isNegative() == bNegative)
        return reduce(a.isNegative(), Wide(x.a + x.b), x.scale);
    if (x.a >= x.b)
        return reduce(a.isNegative(), Wide(x.a - x.b), x.scale);
    return reduce(bNegative, Wide(x.b - x.a), x.scale);
}

// The decimal digits of a coefficient. It is below 10^29, so two 64-bit halves of at most 19 digits each.
std::string coefficientDigits(const Decimal::Coefficient& coefficient) {
    constexpr std::uint64_t kHalf = 10'000'000'000'000'000'000ULL; // 10^19
    const auto high = static_cast<std::uint64_t>(coefficient / kHalf);
    const auto low = static_cast<std::uint64_t>(coefficient % kHalf);
    char buffer[40];
    char* end = buffer;
    if (high != 0) {
        end = std::to_chars(end, buffer + sizeof buffer, high).ptr;
        // the low half keeps its leading zeros
        char lowDigits[20];
        const char* lowEnd = std::to_chars(lowDigits, lowDigits + sizeof lowDigits, low).ptr;
        end = std::fill_n(end, 19 - (lowEnd - lowDigits), '0');
        end = std::copy(static_cast<const char*>(lowDigits), lowEnd, end);
    } else {
        end = std::to_chars(end, buffer + sizeof buffer, low).ptr;
    }
    return std::string(buffer, end);
}

} // namespace

Decimal Decimal::fromInteger(std::int64_t value) {
    const bool negative = value < 0;
    // The magnitude of INT64_MIN does not fit in int64, so negate in unsigned arithmetic.
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return fromParts(negative, Coefficient(magnitude), 0);
}

Decimal Decimal::fromParts(bool negative, Coefficient coefficient, int scale) {
    if (coefficient > kMaxCoefficient || scale < 0 || scale > kMaxScale)
        throwOverflow();
    Decimal result;
    result.m_coefficient = coefficient;
    result.m_scale = static_cast<std::uint8_t>(scale);
    result.m_negative = negative && coefficient != 0;
    return result;
}

Decimal Decimal::fromDouble(double value) {
    if (std::isnan(value))
        throw RuntimeError(RuntimeError::Kind::Overflow,
                           QStringLiteral("The value is not a number (NaN), so it cannot become a decimal number."));
    if (std::isinf(value))
        throw RuntimeError(RuntimeError::Kind::Overflow,
                           QStringLiteral("The value is infinite, so it cannot become a decimal number."));
    if (value == 0)
        return Decimal();

    const bool negative = value < 0;
    const double magnitude = std::fabs(value);

    // 15 significant digits, correctly rounded from the double's exact binary value: d.dddddddddddddde±x.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    std::uint64_t digits = 0;
    const char* p = buffer;
    for (; p != written.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    int exponent = 0;
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, written.ptr, exponent);

    // value = digits * 10^(exponent - 14); trailing zeros are dropped first.
    int power = exponent - 14;
    while (digits % 10 == 0) {
        digits /= 10;
        ++power;
    }
    if (power >= 0) {
        if (power > 28)
            throwOverflow();
        const Wide coefficient = Wide(digits) * powerOfTen<Wide>(power);
        if (coefficient > maxCoefficient<Wide>())
            throwOverflow();
        return fromParts(negative, Coefficient(coefficient), 0);
    }
    if (-power <= kMaxScale)
        return fromParts(negative, Coefficient(digits), -power);

    // Below 1e-14 the 15 digits would need more than 28 places: round the double once, straight to 28
    // places, rather than rounding the already rounded digits a second time.
    const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, kMaxScale);
    Coefficient coefficient = 0;
    for (const char* q = buffer; q != fixed.ptr; ++q) {
        if (*q != '.')
            coefficient = coefficient * 10 + static_cast<unsigned>(*q - '0');
    }
    int scale = kMaxScale;
    while (scale > 0 && coefficient != 0 && coefficient % 10 == 0) {
        coefficient /= 10;
        --scale;
    }
    return fromParts(negative, coefficient, coefficient == 0 ? 0 : scale);
}

Decimal Decimal::fromString(QStringView text) {
    const auto notANumber = [&] {
        return RuntimeError(RuntimeError::Kind::Conversion,
                            QStringLiteral("\"%1\" is not a decimal number.").arg(text.toString()));
    };
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative)
        ++i;

    // Up to 29 integer digits and 56 fraction digits are kept exactly; any nonzero digit beyond
    // those only decides the rounding.
    constexpr int kKeptFractionDigits = 2 * kMaxScale;
    WideDivision coefficient = 0;
    int integerDigits = 0;
    int scale = 0;
    bool sticky = false;
    bool point = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            throw notANumber();
        anyDigit = true;
        const unsigned digit = c - u'0';
        if (!point) {
            if (coefficient == 0 && digit == 0)
                continue;
            if (++integerDigits > 29)
                throwOverflow();
        } else if (scale == kKeptFractionDigits) {
            sticky = sticky || digit != 0;
            continue;
        } else {
            ++scale;
        }
        coefficient = coefficient * 10 + digit;
    }
    if (!anyDigit)
        throw notANumber();
    return reduce(negative, coefficient, scale, sticky);
}

double Decimal::toDouble() const {
    // Both parts exactly representable: one IEEE division is correctly rounded.
    constexpr std::uint64_t kExactIntegerLimit = std::uint64_t(1) << 53;
    if (m_coefficient < kExactIntegerLimit && m_scale <= 22) {
        static constexpr std::array<double, 23> kPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const double magnitude = static_cast<double>(static_cast<std::uint64_t>(m_coefficient)) / kPowers[m_scale];
        return m_negative ? -magnitude : magnitude;
    }
    // The exact value as "digitse-scale", which the library reads back correctly rounded.
    const std::string digits = coefficientDigits(m_coefficient);
    char text[64]; // at most 29 digits, "e-" and two more
    char* end = std::copy(digits.begin(), digits.end(), text);
    *end++ = 'e';
    *end++ = '-';
    end = std::to_chars(end, text + sizeof text, int(m_scale)).ptr;
    double magnitude = 0;
    std::from_chars(text, end, magnitude);
    return m_negative ? -magnitude : magnitude;
}

Decimal Decimal::roundedTo(int places) const {
    places = std::max(places, 0);
    if (places >= m_scale)
        return *this;
    const int k = m_scale - places;
    const Coefficient& divisor = powerOfTen<Coefficient>(k);
    Coefficient quotient = m_coefficient / divisor;
    const Coefficient twice = (m_coefficient - quotient * divisor) * 2;
    if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
        ++quotient;
    // Rounding up a 96-bit coefficient that has lost at least one digit cannot leave 96 bits.
    return fromParts(m_negative, quotient, places);
}

QString Decimal::toString() const {
    const std::string digits = coefficientDigits(m_coefficient);
    const std::size_t scale = m_scale;
    // At least one digit before the point: 0.05, not .05.
    const std::size_t padding = digits.size() <= scale ? scale + 1 - digits.size() : 0;
    const std::size_t integerDigits = digits.size() + padding - scale;

    QString text;
    text.reserve(static_cast<qsizetype>(digits.size() + padding + 2));
    if (m_negative && m_coefficient != 0)
        text += u'-';
    for (std::size_t i = 0; i < digits.size() + padding; ++i) {
        if (i == integerDigits)
            text += u'.';
        text += QLatin1Char(i < padding ? '0' : digits[i - padding]);
    }
    return text;
}

Decimal Decimal::operator-() const {
    return fromParts(!m_negative, m_coefficient, m_scale);
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    return addSigned(a, b.isNegative(), b);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return addSigned(a, !b.isNegative(), b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    return reduce(a.isNegative() != b.isNegative(), Wide(a.coefficient()) * Wide(b.coefficient()),
                  a.scale() + b.scale());
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.isZero())
        throw RuntimeError(RuntimeError::Kind::DivisionByZero,
                           QStringLiteral("Division by zero: a number cannot be divided by 0."));
    const bool negative = a.isNegative() != b.isNegative();

    // a / b at scale 28 is a.coefficient * 10^(28 + b.scale - a.scale) / b.coefficient, the exponent
    // being 0..56. The remainder decides the rounding exactly.
    const int exponent = Decimal::kMaxScale + b.scale() - a.scale();
    const WideDivision dividend = WideDivision(a.coefficient()) * powerOfTen<WideDivision>(exponent);
    const WideDivision divisor(b.coefficient());
    WideDivision quotient = dividend / divisor;
    const WideDivision remainder = dividend - quotient * divisor;

    Decimal result;
    bool exact = remainder == 0;
    const WideDivision twice = remainder * 2;
    WideDivision rounded = quotient;
    if (twice > divisor || (twice == divisor && (rounded & 1) != 0))
        ++rounded;
    if (rounded <= maxCoefficient<WideDivision>())
        result = Decimal::fromParts(negative, Decimal::Coefficient(rounded), Decimal::kMaxScale);
    else
        result = reduce(negative, quotient, Decimal::kMaxScale, !exact, &exact);

    if (!exact)
        return result;
    // An exact quotient keeps no more places than it needs, but at least a.scale - b.scale:
    // 1/4 = 0.25, 10/2 = 5, 1.00/4 = 0.25, 1.000/1 = 1.000.
    const int floorScale = std::max(0, a.scale() - b.scale());
    Decimal::Coefficient coefficient = result.coefficient();
    int scale = result.scale();
    while (scale > floorScale && coefficient % 10 == 0) {
        coefficient /= 10;
        --scale;
    }
    return Decimal::fromParts(negative, coefficient, scale);
}

bool operator==(const Decimal& a, const Decimal& b) {
    return (a <=> b) == 0;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    if (a.isZero() && b.isZero())
        return std::strong_ordering::equal;
    if (a.isNegative() != b.isNegative())
        return a.isNegative() ? std::strong_ordering::less : std::strong_ordering::greater;
    const Aligned x = align(a, b);
    const std::strong_ordering magnitude = x.a == x.b  ? std::strong_ordering::equal
                                           : x.a < x.b ? std::strong_ordering::less
                                                       : std::strong_ordering::greater;
    return a.isNegative() ? 0 <=> magnitude : magnitude;
}

char* QTest::toString(const Decimal& value) {
    return qstrdup(value.toString().toLatin1().constData());
}
