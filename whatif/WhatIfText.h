#pragma once

#include "loan/Extras.h"
#include "numbers/Decimal.h"

#include <QString>
#include <QStringList>

#include <vector>

// How the what-if window and the command line write its figures: money as Money::text writes it (to the
// cent with two places and no grouping, as spreadsheets read it) and months by their calendar names.
namespace WhatIfText {

// "July 2031".
QString date(double year, int month);
// "5 years 5 months", "1 year", "11 months", "none".
QString duration(std::int32_t months);

// One figure of the comparison, as calculated and with the extras.
struct ComparisonRow {
    QString name;
    QString asCalculated;
    QString withExtras;
};

// The monthly payment, payments, last payment, total interest, total paid, interest saved and time saved.
std::vector<ComparisonRow> comparison(const LoanOutcome& asCalculated, const LoanOutcome& withExtras);
// The same as "name: value" lines, each figure once for each loan and the savings once.
QStringList summaryLines(const std::vector<ComparisonRow>& rows);

} // namespace WhatIfText
