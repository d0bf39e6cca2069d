#include "chart/ChartText.h"

#include "grid/Module1.h"
#include "numbers/Money.h"

namespace ChartText {

namespace {
constexpr int kDigitsPerGroup = 3;
} // namespace

QString money(const Decimal& amount, const QLocale& locale) {
    // The digits are the program's one way of writing money, taken from the exact value (a double would
    // lose cents beyond 2^53), then grouped and pointed as the locale writes numbers.
    QString digits = Money::text(amount);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(u'.');

    QString text;
    const bool grouped = !locale.numberOptions().testFlag(QLocale::OmitGroupSeparator);
    for (qsizetype i = 0; i < point; ++i) {
        if (grouped && i > 0 && (point - i) % kDigitsPerGroup == 0)
            text += locale.groupSeparator();
        text += locale.toString(digits[i].digitValue());
    }
    text += locale.decimalPoint();
    for (qsizetype i = point + 1; i < digits.size(); ++i)
        text += locale.toString(digits[i].digitValue());
    return negative ? locale.negativeSign() + text : text;
}

QString years(const YearBucket& bucket) {
    const QString first = Module1::cellText(bucket.firstYear);
    if (bucket.lastYear == bucket.firstYear)
        return first;
    return first + QStringLiteral("\u2013") + Module1::cellText(bucket.lastYear);
}

QString describe(const YearBucket& bucket, const QLocale& locale) {
    return QStringLiteral("%1: interest %2, principal %3, balance at the end %4")
        .arg(years(bucket), money(bucket.interest, locale), money(bucket.principal, locale),
             money(bucket.balance, locale));
}

} // namespace ChartText
