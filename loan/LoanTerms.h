#pragma once

#include "numbers/NumberReading.h"

#include <QString>

// The six boxes' texts as Calculate reads them.
struct LoanTexts {
    QString length; // years
    QString rate;   // annual, in percent
    QString principal;
    QString tax;
    QString insurance;
    QString startYear; // calendar year of the first payment
};

// The loan's terms: every box read once as a number, kept as its value or its error. Whatever uses a
// term later reads the kept value; an error is raised where the value is first used.
struct LoanTerms {
    NumberReading length;
    NumberReading rate;
    NumberReading principal;
    NumberReading tax;
    NumberReading insurance;
    NumberReading startYear;

    static LoanTerms read(const LoanTexts& texts);
};
