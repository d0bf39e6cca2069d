#include "loan/Calendar.h"

#include <QTest>

using Calendar::Date;

class TestCalendar : public QObject {
    Q_OBJECT

    static QString iso(const std::optional<Date>& date) { return date ? date->toIso() : QStringLiteral("none"); }
    static Date day(QStringView text) { return *Date::fromIso(text); }

private slots:
    void daysInMonths() {
        QCOMPARE(Calendar::daysInMonth(2007, 1), 31);
        QCOMPARE(Calendar::daysInMonth(2007, 2), 28);
        QCOMPARE(Calendar::daysInMonth(2008, 2), 29);
        QCOMPARE(Calendar::daysInMonth(1900, 2), 28);
        QCOMPARE(Calendar::daysInMonth(2000, 2), 29);
        QCOMPARE(Calendar::daysInMonth(2007, 4), 30);
        QCOMPARE(Calendar::daysInMonth(2007, 12), 31);
    }

    void monthNames() {
        QCOMPARE(Calendar::monthName(1), "January");
        QCOMPARE(Calendar::monthName(10), "October");
        QCOMPARE(Calendar::monthName(12), "December");
    }

    void monthsTypedAsNumbersOrNames() {
        QCOMPARE(Calendar::monthFromText(u"3"), 3);
        QCOMPARE(Calendar::monthFromText(u" 12 "), 12);
        QCOMPARE(Calendar::monthFromText(u"Mar"), 3);
        QCOMPARE(Calendar::monthFromText(u"september"), 9);
        QCOMPARE(Calendar::monthFromText(u"Ma"), 0);
        QCOMPARE(Calendar::monthFromText(u"13"), 0);
        QCOMPARE(Calendar::monthFromText(u"0"), 0);
        QCOMPARE(Calendar::monthFromText(u"Octomber"), 0);
        QCOMPARE(Calendar::monthFromText(u""), 0);
    }

    void readingIsoDates() {
        QCOMPARE(iso(Date::fromIso(u"2007-01-01")), "2007-01-01");
        QCOMPARE(iso(Date::fromIso(u"2008-02-29")), "2008-02-29");
        QCOMPARE(iso(Date::fromIso(u"2007-02-29")), "none");
        QCOMPARE(iso(Date::fromIso(u"2007-13-01")), "none");
        QCOMPARE(iso(Date::fromIso(u"2007-00-10")), "none");
        QCOMPARE(iso(Date::fromIso(u"2007-1-1")), "none");
        QCOMPARE(iso(Date::fromIso(u"07-01-01")), "none");
        QCOMPARE(iso(Date::fromIso(u" 2007-01-01")), "none");
        QCOMPARE(iso(Date::fromIso(u"4190-12-31")), "4190-12-31");
        QCOMPARE(iso(Date::fromIso(u"0000-01-01")), "0000-01-01");
    }

    // Clamped to the end of a shorter month, and never carried into the month after.
    void addingMonths() {
        QCOMPARE(Calendar::addMonths(day(u"2007-01-31"), 1).toIso(), "2007-02-28");
        QCOMPARE(Calendar::addMonths(day(u"2008-01-31"), 1).toIso(), "2008-02-29");
        QCOMPARE(Calendar::addMonths(day(u"2007-01-31"), 3).toIso(), "2007-04-30");
        QCOMPARE(Calendar::addMonths(day(u"2007-11-15"), 2).toIso(), "2008-01-15");
        QCOMPARE(Calendar::addMonths(day(u"2007-01-15"), 12 * 2183).toIso(), "4190-01-15");
        QCOMPARE(Calendar::addMonths(day(u"2007-01-15"), -1).toIso(), "2006-12-15");
        QCOMPARE(Calendar::addMonths(day(u"2007-03-31"), -1).toIso(), "2007-02-28");
    }

    void addingDays() {
        QCOMPARE(Calendar::addDays(day(u"2007-12-25"), 14).toIso(), "2008-01-08");
        QCOMPARE(Calendar::addDays(day(u"2008-02-28"), 1).toIso(), "2008-02-29");
        QCOMPARE(Calendar::addDays(day(u"2007-02-28"), 1).toIso(), "2007-03-01");
        QCOMPARE(Calendar::addDays(day(u"2007-01-01"), -1).toIso(), "2006-12-31");
        QCOMPARE(Calendar::addDays(day(u"0000-03-01"), -1).toIso(), "0000-02-29");
    }

    void daysBetweenDates() {
        QCOMPARE(Calendar::daysBetween(day(u"2007-01-01"), day(u"2008-01-01")), 365);
        QCOMPARE(Calendar::daysBetween(day(u"2008-01-01"), day(u"2009-01-01")), 366);
        QCOMPARE(Calendar::daysBetween(day(u"2007-02-01"), day(u"2007-03-01")), 28);
        QCOMPARE(Calendar::daysBetween(day(u"2008-01-01"), day(u"2007-01-01")), -365);
        QCOMPARE(Calendar::daysBetween(day(u"1600-01-01"), day(u"2000-01-01")), 146097);
    }

    // Every day over four centuries, and across year 0, turns into its number and back.
    void dayNumbersRoundTrip() {
        Date date{-1, 1, 1};
        for (int i = 0; i < 146097 + 800; ++i) {
            const Date next = Calendar::addDays(date, 1);
            QCOMPARE(Calendar::daysBetween(date, next), 1);
            QVERIFY(next > date);
            QVERIFY(Date::of(next.year, next.month, next.day).has_value());
            date = next;
        }
        QCOMPARE(date.toIso(), "0401-03-11");
    }
};

QTEST_APPLESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
