#pragma once

#include "numbers/Decimal.h"

// One schedule year as the schedule's totals show it, every amount rounded to cents, halves to even.
struct ScheduleYear {
    double year = 0.0; // the year label of its rows: the start year plus the whole years before it
    Decimal interest;  // the sum of its months' unrounded interest, then rounded
    Decimal principal; // the sum of its months' unrounded principal, then rounded
    Decimal balance;   // the balance after its last month, as its totals row shows it
};
