#include "loan/ExactSum.h"

#include <array>

namespace {

const LenderArithmetic::Wide& unitsPerScaled(int scale) {
    static const std::array<LenderArithmetic::Wide, Decimal::kMaxScale + 1> factors = [] {
        std::array<LenderArithmetic::Wide, Decimal::kMaxScale + 1> table;
        table[Decimal::kMaxScale] = 1;
        for (int s = Decimal::kMaxScale - 1; s >= 0; --s)
            table[std::size_t(s)] = table[std::size_t(s + 1)] * 10;
        return table;
    }();
    return factors[std::size_t(scale)];
}

} // namespace

void ExactSum::add(const Decimal& value) {
    const LenderArithmetic::Wide units = LenderArithmetic::Wide(value.coefficient()) * unitsPerScaled(value.scale());
    if (value.isNegative())
        m_units -= units;
    else
        m_units += units;
}

Decimal ExactSum::value() const {
    const bool negative = m_units < 0;
    return LenderArithmetic::fitted(negative, negative ? LenderArithmetic::Wide(-m_units) : m_units,
                                    Decimal::kMaxScale);
}
