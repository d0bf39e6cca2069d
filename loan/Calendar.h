#pragma once

#include <QString>

#include <array>
#include <compare>
#include <cstdint>
#include <optional>

// Months and days as loans count them, on the proleptic Gregorian calendar with a year 0, so that any
// year a loan may reach has dates.
namespace Calendar {

constexpr int kMonthsPerYear = 12;
constexpr int kDaysPerWeek = 7;

// The months' names, January first, spelt as a borrower reads them.
inline const std::array<QString, kMonthsPerYear> kMonthNames = {
    QStringLiteral("January"),   QStringLiteral("February"), QStringLiteral("March"),    QStringLiteral("April"),
    QStringLiteral("May"),       QStringLiteral("June"),     QStringLiteral("July"),     QStringLiteral("August"),
    QStringLiteral("September"), QStringLiteral("October"),  QStringLiteral("November"), QStringLiteral("December")};

// The name of month 1 to 12.
const QString& monthName(int month);

// A month by its number (1 to 12), or by its name or the name's first three letters or more, in any case;
// 0 for anything else: "3", "Mar", "march" are 3; "Ma" and "13" are 0.
int monthFromText(QStringView text);

bool isLeapYear(std::int64_t year);
// 28 to 31: February has 29 in a leap year.
int daysInMonth(std::int64_t year, int month);

// A day of the calendar.
struct Date {
    std::int64_t year = 0;
    int month = 1; // 1 to 12
    int day = 1;   // 1 to daysInMonth(year, month)

    // The date if year, month and day name one: 2007-02-29 is none.
    static std::optional<Date> of(std::int64_t year, int month, int day);
    // YYYY-MM-DD, four or more digits of year: "2007-01-01"; none for any other text or a day that does not exist.
    static std::optional<Date> fromIso(QStringView text);

    // "2007-01-01".
    QString toIso() const;
    // Days since 0000-03-01, so that differences are days between dates.
    std::int64_t dayNumber() const;
    static Date fromDayNumber(std::int64_t days);

    friend auto operator<=>(const Date&, const Date&) = default;
};

// The same day `months` months later (earlier when negative), on the month's last day when that month is
// shorter: 2007-01-31 plus one month is 2007-02-28, and 2008-01-31 plus one is 2008-02-29.
Date addMonths(const Date& date, std::int64_t months);
// The day `days` days later (earlier when negative): 2007-12-25 plus 14 is 2008-01-08.
Date addDays(const Date& date, std::int64_t days);
// Days from `from` to `to`: 365 from 2007-01-01 to 2008-01-01, negative when `to` comes first.
std::int64_t daysBetween(const Date& from, const Date& to);

} // namespace Calendar
