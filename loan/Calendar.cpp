#include "loan/Calendar.h"

#include <QRegularExpression>

namespace Calendar {

namespace {

constexpr std::int64_t kDaysPer400Years = 146097;
constexpr std::int64_t kYearsPerEra = 400;

// Floor division, so that years before 0 fall in the era before.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

const QString& monthName(int month) {
    return kMonthNames[std::size_t(month - 1)];
}

int monthFromText(QStringView text) {
    const QStringView trimmed = text.trimmed();
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= kMonthsPerYear ? number : 0;
    if (trimmed.size() < 3)
        return 0;
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (kMonthNames[i].startsWith(trimmed, Qt::CaseInsensitive))
            return int(i) + 1;
    }
    return 0;
}

bool isLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(std::int64_t year, int month) {
    static constexpr std::array<int, kMonthsPerYear> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[std::size_t(month - 1)];
}

std::optional<Date> Date::of(std::int64_t year, int month, int day) {
    if (month < 1 || month > kMonthsPerYear || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return Date{year, month, day};
}

std::optional<Date> Date::fromIso(QStringView text) {
    static const QRegularExpression kIso(QStringLiteral("^([0-9]{4,9})-([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch match = kIso.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    return of(match.capturedView(1).toLongLong(), match.capturedView(2).toInt(), match.capturedView(3).toInt());
}

QString Date::toIso() const {
    return QStringLiteral("%1-%2-%3")
        .arg(year, 4, 10, QChar(u'0'))
        .arg(month, 2, 10, QChar(u'0'))
        .arg(day, 2, 10, QChar(u'0'));
}

// Counted in years that begin on 1 March, so that a leap day is the last day of its year.
std::int64_t Date::dayNumber() const {
    const std::int64_t shiftedYear = month <= 2 ? year - 1 : year;
    const std::int64_t era = floorDiv(shiftedYear, kYearsPerEra);
    const std::int64_t yearOfEra = shiftedYear - era * kYearsPerEra;
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPer400Years + dayOfEra;
}

Date Date::fromDayNumber(std::int64_t days) {
    const std::int64_t era = floorDiv(days, kDaysPer400Years);
    const std::int64_t dayOfEra = days - era * kDaysPer400Years;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const std::int64_t year = yearOfEra + era * kYearsPerEra + (month <= 2 ? 1 : 0);
    return Date{year, month, day};
}

Date addMonths(const Date& date, std::int64_t months) {
    const std::int64_t index = date.year * kMonthsPerYear + (date.month - 1) + months;
    const std::int64_t year = floorDiv(index, kMonthsPerYear);
    const int month = int(index - year * kMonthsPerYear) + 1;
    return Date{year, month, std::min(date.day, daysInMonth(year, month))};
}

Date addDays(const Date& date, std::int64_t days) {
    return Date::fromDayNumber(date.dayNumber() + days);
}

std::int64_t daysBetween(const Date& from, const Date& to) {
    return to.dayNumber() - from.dayNumber();
}

} // namespace Calendar
