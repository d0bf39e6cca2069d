#pragma once

#include "loan/LenderArithmetic.h"
#include "numbers/Decimal.h"

// A running sum of decimals kept exactly: every decimal is a whole number of 10^-28, so the sum of any
// number of them is one, on a wide integer that no loan can fill. It is rounded only when read.
class ExactSum {
public:
    void add(const Decimal& value);
    // The sum as a decimal result is kept: exact when it fits, else rounded half to even once.
    Decimal value() const;

private:
    LenderArithmetic::Wide m_units; // in 10^-28
};
