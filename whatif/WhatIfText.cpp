#include "whatif/WhatIfText.h"

#include "numbers/NumberText.h"

namespace WhatIfText {

QString money(const Decimal& value) {
    QString text = decimalText(value.roundedTo(2));
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        return text + QStringLiteral(".00");
    return text.leftJustified(point + 3, u'0');
}

QString date(double year, int month) {
    return QStringLiteral("%1 %2").arg(kMonthNames[std::size_t(month - 1)], doubleText(year));
}

QString duration(std::int32_t months) {
    if (months <= 0)
        return QStringLiteral("none");
    const std::int32_t years = months / 12;
    const std::int32_t rest = months % 12;
    QStringList parts;
    if (years > 0)
        parts << (years == 1 ? QStringLiteral("1 year") : QStringLiteral("%1 years").arg(years));
    if (rest > 0)
        parts << (rest == 1 ? QStringLiteral("1 month") : QStringLiteral("%1 months").arg(rest));
    return parts.join(u' ');
}

int monthFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= 12 ? number : 0;
    if (trimmed.size() < 3)
        return 0;
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (kMonthNames[i].startsWith(trimmed, Qt::CaseInsensitive))
            return int(i) + 1;
    }
    return 0;
}

std::vector<ComparisonRow> comparison(const LoanOutcome& asCalculated, const LoanOutcome& withExtras) {
    const Decimal interestSaved = asCalculated.totalInterest - withExtras.totalInterest;
    return {
        {QStringLiteral("Monthly payment"), money(asCalculated.monthlyPayment), money(withExtras.monthlyPayment)},
        {QStringLiteral("Number of payments"), QString::number(asCalculated.payments),
         QString::number(withExtras.payments)},
        {QStringLiteral("Last payment"), date(asCalculated.lastYear, asCalculated.lastMonth),
         date(withExtras.lastYear, withExtras.lastMonth)},
        {QStringLiteral("Total interest"), money(asCalculated.totalInterest), money(withExtras.totalInterest)},
        {QStringLiteral("Total paid"), money(asCalculated.totalPaid), money(withExtras.totalPaid)},
        {QStringLiteral("Interest saved"), QString(), money(interestSaved)},
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
