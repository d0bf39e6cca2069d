#pragma once

// What a decimal operation must give, worked out on unbounded integers as fractions, written without
// any of the Decimal code so that the two can check each other. Shared by the tests and the fuzzers.

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <string>

namespace exact {

using Int = boost::multiprecision::cpp_int;

inline Int pow10(int n) {
    return boost::multiprecision::pow(Int(10), static_cast<unsigned>(n));
}

inline const Int& maxCoefficient() {
    static const Int max = (Int(1) << 96) - 1;
    return max;
}

// sign * coefficient / 10^scale.
struct Value {
    bool negative = false;
    Int coefficient;
    int scale = 0;
};

enum class Outcome { Value, Overflow, DivisionByZero };

struct Result {
    Outcome outcome = Outcome::Value;
    Value value;
};

// num / den (den > 0) to the nearest integer, halves to even.
inline Int roundHalfEven(const Int& num, const Int& den) {
    Int q = num / den;
    const Int twice = (num % den) * 2;
    if (twice > den || (twice == den && (q & 1) != 0))
        ++q;
    return q;
}

// Plain notation keeping the scale, "-" only for a nonzero negative value.
inline std::string text(const Value& v) {
    std::string digits = v.coefficient.str();
    if (v.scale > 0) {
        if (static_cast<int>(digits.size()) <= v.scale)
            digits.insert(0, static_cast<std::size_t>(v.scale + 1) - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(v.scale), 1, '.');
    }
    return (v.negative && v.coefficient != 0 ? "-" : "") + digits;
}

// The fraction num / den (den > 0, num signed) as a decimal at the largest scale <= maxScale whose
// rounded coefficient fits in 96 bits; when dropTrailingZeros, an exact result keeps only the places
// it needs but at least minScale.
inline Result fromFraction(const Int& num, const Int& den, int maxScale, bool dropTrailingZeros = false,
                           int minScale = 0) {
    const Int magnitude = abs(num);
    for (int scale = std::min(maxScale, 28); scale >= 0; --scale) {
        const Int scaled = magnitude * pow10(scale);
        Int c = roundHalfEven(scaled, den);
        if (c > maxCoefficient())
            continue;
        int s = scale;
        if (dropTrailingZeros && scaled % den == 0) {
            while (s > minScale && c % 10 == 0) {
                c /= 10;
                --s;
            }
        }
        return {Outcome::Value, {num < 0 && c != 0, c, s}};
    }
    return {Outcome::Overflow, {}};
}

inline Int signedCoefficient(const Value& v) {
    return v.negative ? Int(-v.coefficient) : v.coefficient;
}

// op is one of + - * /.
inline Result apply(const Value& a, char op, const Value& b) {
    const Int x = signedCoefficient(a);
    const Int y = signedCoefficient(b);
    const int common = std::max(a.scale, b.scale);
    switch (op) {
    case '+':
        return fromFraction(x * pow10(common - a.scale) + y * pow10(common - b.scale), pow10(common), common);
    case '-':
        return fromFraction(x * pow10(common - a.scale) - y * pow10(common - b.scale), pow10(common), common);
    case '*':
        return fromFraction(x * y, pow10(a.scale + b.scale), a.scale + b.scale);
    default:
        if (y == 0)
            return {Outcome::DivisionByZero, {}};
        // (x / 10^sa) / (y / 10^sb) = x * 10^sb / (y * 10^sa), with the sign carried by the numerator.
        return fromFraction(y < 0 ? Int(-x * pow10(b.scale)) : Int(x * pow10(b.scale)), abs(y) * pow10(a.scale), 28,
                            true, std::max(0, a.scale - b.scale));
    }
}

} // namespace exact
