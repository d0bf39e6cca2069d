// The loan's arithmetic with no window: the payment and every month's figures against exact rationals,
// and where a schedule stops when its figures leave their range.
#include "loan/LoanInput.h"
#include "loan/Payment.h"
#include "tests/loan/ScheduleOfTexts.h"
#include "tests/loan/ScheduleReference.h"
#include "tests/numbers/DecimalReference.h"

#include <QTest>

Q_DECLARE_METATYPE(ScheduleStep)
Q_DECLARE_METATYPE(RuntimeError::Kind)

namespace {

// The months whose every figure is worked out again: enough to reach several years' ends, few enough that
// the longest schedules stay quick.
constexpr std::size_t kMonthsChecked = 720;

// principal * rate / (1 - (1 + rate)^-months), exactly.
Rational exactPayment(const Rational& principal, const Rational& rate, int months) {
    const Rational base = 1 + rate;
    const Rational growth(pow(numerator(base), unsigned(months)), pow(denominator(base), unsigned(months)));
    return principal * rate / (1 - 1 / growth);
}

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private slots:
    // Ordinary loans, the longest the grid holds and beyond, a last year cut short, and a start year with
    // a fraction: the payment within a billionth of the exact annuity, every month and year by the rules
    // (ScheduleReference), and the years labelled from the start year on.
    void schedulesKeepTheirRules_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("ratePercent");
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<int>("expectedMonths");
        QTest::addColumn<int>("expectedYears");
        QTest::addColumn<int>("monthsInLastYear");
        QTest::addColumn<double>("lastYearLabel");

        const auto row = [](const char* name, const char* years, const char* ratePercent, const char* principal,
                            const char* startYear, int months, int yearCount, int monthsInLastYear, double lastLabel) {
            QTest::newRow(name) << QString(years) << QString(ratePercent) << QString(principal) << QString(startYear)
                                << months << yearCount << monthsInLastYear << lastLabel;
        };
        row("the worked loan", "30", "6", "200000", "2007", 360, 30, 12, 2036.0);
        row("one year", "1", "6", "12000", "2007", 12, 1, 12, 2007.0);
        row("a tiny rate", "10", "0.001", "999999", "2007", 120, 10, 12, 2016.0);
        row("a high rate", "5", "99.99", "50000.75", "2007", 60, 5, 12, 2011.0);
        row("the longest whole years a grid holds", "2183", "6", "200000", "2007", 26196, 2183, 12, 4189.0);
        row("the most months", "2730", "6", "200000", "0", 32760, 2730, 12, 2729.0);
        row("a last year cut short", "2.5", "6", "12000", "2007", 30, 3, 6, 2009.0);
        row("a short year beyond 16-bit years", "0.5", "6", "12000", "40000", 6, 1, 6, 40000.0);
        row("a last year cut short at the grid's end", "2183.5", "6", "200000", "2007", 26202, 2184, 6, 4190.0);
        row("a start year with a fraction", "2", "6", "12000", "2007.5", 24, 2, 12, 2008.5);
    }
    void schedulesKeepTheirRules() {
        QFETCH(QString, years);
        QFETCH(QString, ratePercent);
        QFETCH(QString, principal);
        QFETCH(QString, startYear);
        QFETCH(int, expectedMonths);
        QFETCH(int, expectedYears);
        QFETCH(int, monthsInLastYear);
        QFETCH(double, lastYearLabel);

        const Schedule schedule = scheduleOf(years, ratePercent, principal, startYear);
        QVERIFY(schedule.isComplete());
        QCOMPARE(int(schedule.months.size()), expectedMonths);
        QCOMPARE(int(schedule.years.size()), expectedYears);
        QCOMPARE(int(schedule.years.back().months), monthsInLastYear);
        QCOMPARE(schedule.years.back().year, lastYearLabel);
        QCOMPARE(schedule.years.front().year, schedule.startYear);
        const std::string broken = ScheduleReference::brokenRule(schedule, kMonthsChecked);
        QVERIFY2(broken.empty(), broken.c_str());

        // Beyond the months checked, (1 + rate)^-n is too small to change a double, and the exact power too
        // long to work out quickly: the payment is then the principal times the rate.
        const Rational rate = exact(schedule.monthlyRate);
        const Rational loan = exact(Decimal::fromString(principal));
        const Rational exactValue =
            std::size_t(expectedMonths) <= kMonthsChecked ? exactPayment(loan, rate, expectedMonths) : loan * rate;
        const Rational error = exact(schedule.monthlyPayment) - exactValue;
        QVERIFY2(abs(error) < exactValue / 1'000'000'000, qPrintable(schedule.monthlyPayment.toString()));
    }

    // The worked loan's totals, as the grid's final block shows them.
    void theWorkedLoanPaysItsInterestToTheCent() {
        const Schedule schedule = scheduleOf("30", "6", "200000", "2007");
        QCOMPARE(schedule.monthlyPayment.roundedTo(2), Decimal::fromString(u"1199.10"));
        QCOMPARE(schedule.years.back().interestToDate.roundedTo(2), Decimal::fromString(u"231676.38"));
        QCOMPARE(schedule.years.back().principalToDate.roundedTo(2), Decimal::fromInteger(200000));
        QCOMPARE(schedule.years.front().balance.roundedTo(2), Decimal::fromString(u"197543.98"));
    }

    // Each kind of failure ends the schedule at its step, keeping the months before it, and names the box
    // that is at fault.
    void failuresStopAtTheirStep_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<ScheduleStep>("expectedStep");
        QTest::addColumn<int>("expectedMonth");
        QTest::addColumn<int>("monthsKept");
        QTest::addColumn<RuntimeError::Kind>("expectedKind");
        QTest::addColumn<QString>("boxAtFault");

        const auto row = [](const char* name, const char* years, const char* startYear, ScheduleStep step, int month,
                            int monthsKept, RuntimeError::Kind kind, const char* box) {
            QTest::newRow(name) << QString(years) << QString(startYear) << step << month << monthsKept << kind
                                << QString(box);
        };
        using Kind = RuntimeError::Kind;
        row("too many months", "2731", "2007", ScheduleStep::MonthCount, 0, 0, Kind::Overflow, "Text1");
        row("a start year that is not a number", "1", "2007:", ScheduleStep::YearLabel, 1, 0, Kind::Conversion,
            "Text6");
        row("a start year beyond 16 bits", "2", "40000", ScheduleStep::EndYear, 12, 12, Kind::Overflow, "Text6");
        row("an end year beyond 16 bits", "1", "32767", ScheduleStep::EndYear, 12, 12, Kind::Overflow, "Text1");
        row("the whole years of a longer loan beyond 16-bit years", "1.5", "40000", ScheduleStep::EndYear, 12, 12,
            Kind::Overflow, "Text6");
    }
    void failuresStopAtTheirStep() {
        QFETCH(QString, years);
        QFETCH(QString, startYear);
        QFETCH(ScheduleStep, expectedStep);
        QFETCH(int, expectedMonth);
        QFETCH(int, monthsKept);
        QFETCH(RuntimeError::Kind, expectedKind);
        QFETCH(QString, boxAtFault);

        const Schedule schedule = scheduleOf(years, "6", "12000", startYear);
        QVERIFY(schedule.stop);
        QCOMPARE(schedule.stop->step, expectedStep);
        QCOMPARE(schedule.stop->month, expectedMonth);
        QCOMPARE(int(schedule.months.size()), monthsKept);
        QCOMPARE(schedule.stop->error.kind(), expectedKind);
        QCOMPARE(schedule.stop->error.box(), boxAtFault);
        const std::string broken = ScheduleReference::brokenRule(schedule);
        QVERIFY2(broken.empty(), broken.c_str());
    }

    // The number of payments is a 32-bit count: 178956970 years is the longest length that gives one.
    void thePaymentCountIsA32BitCount() {
        const QString source = LoanInputs::kLength.words();
        QCOMPARE(Payment::paymentCount(NumberReading::of(u"178956970", source)), 2147483640);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Payment::paymentCount(NumberReading::of(u"178956971", source)));
        QCOMPARE(Payment::paymentCount(NumberReading::of(u"2.625", source)), 32);
        QCOMPARE(Payment::paymentCount(NumberReading::of(u"2.375", source)), 28);
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
