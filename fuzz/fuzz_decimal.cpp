// Two decimals and an operation decoded from the input, checked against the exact fraction
// reference: the same value, scale and sign, and an error only where the reference has one.
// Comparison, rounding to places, conversion to double and the text round trip are checked too.
#include "Decimal.h"
#include "ExactReference.h"
#include "RuntimeError.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// 14 bytes per value: sign, scale, 12 bytes of coefficient.
constexpr std::size_t kValueBytes = 14;

exact::Value decode(const std::uint8_t* bytes) {
    exact::Value v;
    v.negative = bytes[0] & 1;
    v.scale = bytes[1] % 29;
    for (int i = 2; i < 14; ++i)
        v.coefficient = (v.coefficient << 8) | bytes[i];
    return v;
}

Decimal toDecimal(const exact::Value& v) {
    return Decimal::fromParts(v.negative, Decimal::Coefficient(v.coefficient), v.scale);
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, 2 * kValueBytes + 2> bytes{};
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    const exact::Value a = decode(bytes.data());
    const exact::Value b = decode(bytes.data() + kValueBytes);
    const char op = "+-*/"[bytes[2 * kValueBytes] % 4];
    const int places = bytes[2 * kValueBytes + 1] % 30;
    const Decimal x = toDecimal(a);
    const Decimal y = toDecimal(b);

    const exact::Result expected = exact::apply(a, op, b);
    try {
        const Decimal r = op == '+' ? x + y : op == '-' ? x - y : op == '*' ? x * y : x / y;
        check(expected.outcome == exact::Outcome::Value);
        check(r.toString().toStdString() == exact::text(expected.value));
        check(r.isNegative() == expected.value.negative);
    } catch (const RuntimeError& error) {
        check(expected.outcome == (error.kind() == RuntimeError::Kind::Overflow ? exact::Outcome::Overflow
                                                                                : exact::Outcome::DivisionByZero));
    }

    const int order = (exact::signedCoefficient(a) * exact::pow10(b.scale))
                          .compare(exact::signedCoefficient(b) * exact::pow10(a.scale));
    check((x < y) == (order < 0) && (x == y) == (order == 0));

    exact::Value rounded = a;
    if (places < a.scale) {
        rounded.coefficient = exact::roundHalfEven(a.coefficient, exact::pow10(a.scale - places));
        rounded.scale = places;
        rounded.negative = a.negative && rounded.coefficient != 0;
    }
    check(x.roundedTo(places).toString().toStdString() == exact::text(rounded));

    const std::string literal = exact::text(a);
    check(x.toDouble() == std::strtod(literal.c_str(), nullptr));
    check(Decimal::fromString(x.toString()).toString() == x.toString());
    return 0;
}
