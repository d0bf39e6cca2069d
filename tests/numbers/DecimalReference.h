#pragma once

// What decimal arithmetic must give, worked out on Boost's exact rationals with none of the Decimal code:
// the exact value rounded half to even at the largest scale whose coefficient fits in 96 bits. Shared by
// the tests and the fuzzer.
#include "numbers/Decimal.h"
#include "numbers/RuntimeError.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <cstdlib>
#include <string>

using Int = boost::multiprecision::cpp_int;
using Rational = boost::multiprecision::cpp_rational;

// A decimal's exact value.
inline Rational exact(const Decimal& d) {
    return Rational(Int(d.coefficient()) * (d.isNegative() ? -1 : 1), pow(Int(10), d.scale()));
}

// value at the largest scale up to top that fits, as plain text; an exact result drops trailing zeros
// down to scale floor (the default drops none).
inline std::string rounded(const Rational& value, int top, int floor = Decimal::kMaxScale) {
    for (int scale = std::min(top, Decimal::kMaxScale); scale >= 0; --scale) {
        Int c, rest;
        divide_qr(abs(numerator(value)) * pow(Int(10), scale), denominator(value), c, rest);
        c += 2 * rest > denominator(value) || (2 * rest == denominator(value) && bit_test(c, 0));
        for (; rest == 0 && scale > floor && c % 10 == 0; --scale)
            c /= 10;
        if ((c >> 96) != 0)
            continue;
        std::string text = std::string(std::max(0, scale + 1 - int(c.str().size())), '0') + c.str();
        text.insert(text.size() - scale, scale > 0 ? "." : "");
        return (value < 0 && c != 0 ? "-" : "") + text;
    }
    return "Number too large";
}

// The result's text, or the name of the error it raised.
template <class F> std::string outcome(F f) {
    try {
        return f().toString().toStdString();
    } catch (const RuntimeError& e) {
        return RuntimeError::kindName(e.kind()).toStdString();
    }
}

// a op b, op one of + - * /.
inline Decimal apply(const Decimal& a, char op, const Decimal& b) {
    return op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : a / b;
}

// What a op b, a compared with b, a rounded to places, a as a double and a read back from its text get
// wrong, or nothing.
inline std::string mismatch(const Decimal& a, char op, const Decimal& b, int places) {
    const Rational x = exact(a), y = exact(b);
    const std::string expected = op == '+'   ? rounded(x + y, std::max(a.scale(), b.scale()))
                                 : op == '-' ? rounded(x - y, std::max(a.scale(), b.scale()))
                                 : op == '*' ? rounded(x * y, a.scale() + b.scale())
                                 : y == 0    ? "Division by zero"
                                             : rounded(x / y, Decimal::kMaxScale, std::max(0, a.scale() - b.scale()));
    const std::string actual = outcome([&] { return apply(a, op, b); });
    const std::string text = rounded(x, a.scale());
    const std::string wrong = actual != expected ? actual + " instead of " + expected
                              : (a < b) != (x < y) || (a == b) != (x == y) || (a > b) != (x > y) ? "compared wrongly"
                              : a.roundedTo(places).toString().toStdString() != rounded(x, std::min(places, a.scale()))
                                  ? "rounded to " + std::to_string(places) + " places wrongly"
                              : a.toDouble() != std::strtod(text.c_str(), nullptr) ? "wrong as a double"
                              : outcome([&] { return Decimal::fromString(QString::fromStdString(text)); }) != text
                                  ? "read back wrongly"
                                  : "";
    return wrong.empty() ? wrong : text + ' ' + op + ' ' + rounded(y, b.scale()) + ": " + wrong;
}
