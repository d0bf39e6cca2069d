#include "whatif/ExtraOptions.h"

#include "numbers/NumberText.h"

#include <QRegularExpression>

namespace ExtraOptions {

namespace {

// Reads an amount; on failure `problem` says why.
bool amount(const QString& text, const QString& option, Decimal& value, QString& problem) {
    try {
        value = readAmount(text, option);
        return true;
    } catch (const RuntimeError& error) {
        problem = error.message();
        return false;
    }
}

// "YYYY-MM" as a year and a month from 1 to 12.
bool yearMonth(const QString& text, std::int32_t& year, std::int32_t& month) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})-([0-9]{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    year = match.captured(1).toInt();
    month = match.captured(2).toInt();
    return month >= 1 && month <= 12;
}

} // namespace

QString readMonthly(const QString& text, ExtraPayments& extras) {
    const QString option = QStringLiteral("--extra-monthly");
    const qsizetype at = text.indexOf(u'@');
    std::int32_t year = 0;
    std::int32_t month = 1;
    if (at >= 0 && !yearMonth(text.mid(at + 1), year, month))
        return QStringLiteral("%1 %2: the month after @ must be YYYY-MM, such as 2008-03.").arg(option, text);
    QString problem;
    Decimal value;
    if (!amount(text.left(at), QStringLiteral("the amount of %1").arg(option), value, problem))
        return problem;
    extras.monthly = value;
    extras.monthlyFromYear = year;
    extras.monthlyFromMonth = month;
    return {};
}

QString readYearly(const QString& text, ExtraPayments& extras) {
    const QString option = QStringLiteral("--extra-yearly");
    const qsizetype at = text.indexOf(u'@');
    std::int32_t month = 12;
    if (at >= 0) {
        bool isNumber = false;
        month = text.mid(at + 1).toInt(&isNumber);
        if (!isNumber || month < 1 || month > 12)
            return QStringLiteral("%1 %2: the month after @ must be 1 to 12.").arg(option, text);
    }
    QString problem;
    Decimal value;
    if (!amount(text.left(at), QStringLiteral("the amount of %1").arg(option), value, problem))
        return problem;
    extras.yearly = value;
    extras.yearlyMonth = month;
    return {};
}

QString readLump(const QString& text, ExtraPayments& extras) {
    const QString option = QStringLiteral("--lump");
    const qsizetype equals = text.indexOf(u'=');
    LumpSum lump;
    if (equals < 0 || !yearMonth(text.left(equals), lump.year, lump.month))
        return QStringLiteral("%1 %2: write the month and the amount as YYYY-MM=AMOUNT, such as 2007-12=10000.")
            .arg(option, text);
    QString problem;
    if (!amount(text.mid(equals + 1), QStringLiteral("the amount of %1").arg(option), lump.amount, problem))
        return problem;
    extras.lumps.push_back(lump);
    return {};
}

} // namespace ExtraOptions
