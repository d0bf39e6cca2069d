// Two decimals, an operation and a number of places decoded from the input (per decimal: a sign byte, a scale
// byte, 12 bytes of coefficient; then the operation and the places), checked against the exact rationals.
#include "tests/numbers/DecimalReference.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, 30> bytes{};
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    const auto decimal = [&](int at) {
        Decimal::Coefficient coefficient = 0;
        for (int i = at + 2; i < at + 14; ++i)
            coefficient = (coefficient << 8) | bytes[i];
        return Decimal::fromParts(bytes[at] & 1, coefficient, bytes[at + 1] % 29);
    };
    if (!mismatch(decimal(0), "+-*/"[bytes[28] % 4], decimal(14), bytes[29] % 30).empty())
        std::abort();
    return 0;
}
