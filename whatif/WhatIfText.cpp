#include "whatif/WhatIfText.h"

#include "loan/Calendar.h"
#include "numbers/Money.h"
#include "numbers/NumberText.h"

namespace WhatIfText {

QString date(double year, int month) {
    return QStringLiteral("%1 %2").arg(Calendar::monthName(month), doubleText(year));
}

QString duration(std::int32_t months) {
    if (months <= 0)
        return QStringLiteral("none");
    const std::int32_t years = months / Calendar::kMonthsPerYear;
    const std::int32_t rest = months % Calendar::kMonthsPerYear;
    QStringList parts;
    if (years > 0)
        parts << (years == 1 ? QStringLiteral("1 year") : QStringLiteral("%1 years").arg(years));
    if (rest > 0)
        parts << (rest == 1 ? QStringLiteral("1 month") : QStringLiteral("%1 months").arg(rest));
    return parts.join(u' ');
}

std::vector<ComparisonRow> comparison(const LoanOutcome& asCalculated, const LoanOutcome& withExtras) {
    const Decimal interestSaved = asCalculated.totalInterest - withExtras.totalInterest;
    return {
        {QStringLiteral("Monthly payment"), Money::text(asCalculated.monthlyPayment),
         Money::text(withExtras.monthlyPayment)},
        {QStringLiteral("Number of payments"), QString::number(asCalculated.payments),
         QString::number(withExtras.payments)},
        {QStringLiteral("Last payment"), date(asCalculated.lastYear, asCalculated.lastMonth),
         date(withExtras.lastYear, withExtras.lastMonth)},
        {QStringLiteral("Total interest"), Money::text(asCalculated.totalInterest),
         Money::text(withExtras.totalInterest)},
        {QStringLiteral("Total paid"), Money::text(asCalculated.totalPaid), Money::text(withExtras.totalPaid)},
        {QStringLiteral("Interest saved"), QString(), Money::text(interestSaved)},
        {QStringLiteral("Time saved"), QString(), duration(asCalculated.payments - withExtras.payments)},
    };
}

QStringList summaryLines(const std::vector<ComparisonRow>& rows) {
    QStringList lines;
    for (const ComparisonRow& row : rows) {
        if (row.asCalculated.isEmpty()) {
            lines << QStringLiteral("%1: %2").arg(row.name, row.withExtras);
            continue;
        }
        lines << QStringLiteral("%1 as calculated: %2").arg(row.name, row.asCalculated);
        lines << QStringLiteral("%1 with extra payments: %2").arg(row.name, row.withExtras);
    }
    return lines;
}

} // namespace WhatIfText
