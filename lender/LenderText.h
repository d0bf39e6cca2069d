#pragma once

#include "loan/Extras.h"
#include "loan/LenderSchedule.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// How the lender's figures are written: amounts to the cent, halves up, with two places and no grouping, and
// dates as 2007-01-01. These names belong to the lender's figures; no other summary line uses them.
namespace LenderText {

// An amount as a statement prints it.
QString money(const Decimal& value);

// One figure of the summary: the lender's, the main window's for the same loan, and how far apart they are.
struct SummaryRow {
    QString name;
    QString lender;
    QString asCalculated;
    QString difference;
};

// Payment, number of payments, first and last payment, the last payment's amount, total interest, total paid,
// and the balance after `balanceAfterYears` when asked. The main window's figures are to the cent as it shows
// them, halves to even; without them the last two columns are empty.
std::vector<SummaryRow> summary(const LenderSchedule& schedule, std::optional<int> balanceAfterYears,
                                const Schedule* asCalculated);
// The lender's figures as "name: value" lines, as the command line prints them.
QStringList summaryLines(const std::vector<SummaryRow>& rows);

} // namespace LenderText
