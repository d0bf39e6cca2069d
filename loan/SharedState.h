#pragma once

#include "numbers/Decimal.h"

#include <QString>

#include <array>
#include <cstdint>

// The values that the handlers share for the whole run. Zero or empty at start.
inline std::int16_t GridFontSize = 0;         // points of the result cells (the schedule header uses 12)
inline std::array<QString, 12> MonthNames;    // slot 0 is the first month of a schedule year
inline Decimal MonthlyRate;                   // the annual rate in percent / 1200
inline Decimal MonthlyPayment;                // the unrounded monthly principal-and-interest payment
inline Decimal MonthInterest;                 // interest of the schedule month being written, unrounded
inline Decimal MonthPrincipal;                // principal of the schedule month being written, unrounded
inline std::array<Decimal, 12> YearInterest;  // slot k: interest of month k + 1 of the current schedule year
inline std::array<Decimal, 12> YearPrincipal; // slot k: principal of month k + 1 of the current schedule year
inline double Balance = 0.0;                  // the balance interest is charged on
inline double ShownBalance = 0.0;             // the balance that is displayed
