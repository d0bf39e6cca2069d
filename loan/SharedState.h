#pragma once

#include "numbers/Decimal.h"

#include <QString>

#include <array>
#include <cstdint>

// The values that the window's handlers share for the whole run, zero or empty at start. The window owns
// them and hands them to what needs them.
struct SharedState {
    std::int16_t GridFontSize = 0;      // points of the result cells (the schedule header uses 12)
    std::array<QString, 12> MonthNames; // slot 0 is the first month of a schedule year
    Decimal MonthlyRate;                // the annual rate in percent / 1200
    Decimal MonthlyPayment;             // the unrounded monthly principal-and-interest payment
};
