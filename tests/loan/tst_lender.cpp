// The lender's schedule: published worked examples to the cent, the rounding rules at their ties, payment
// dates, rate changes and the loans that cannot be paid off. Every schedule is also held to the exact
// rational reference of LenderReference.h.
#include "loan/LenderSchedule.h"
#include "numbers/Money.h"
#include "tests/loan/LenderReference.h"

#include <QTest>

namespace {

using Terms = LenderTerms;

Decimal amount(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text));
}

// As the window shows money: to the cent, halves up.
QString shown(const Decimal& value) {
    return Money::text(value, Money::Rounding::HalfUp);
}

Terms loanOf(const char* principal, const char* ratePercent, const char* years, std::int64_t startYear = 2007) {
    Terms terms;
    terms.principal = amount(principal);
    terms.ratePercent = amount(ratePercent);
    terms.lengthInYears = amount(years);
    terms.startYear = startYear;
    return terms;
}

Calendar::Date dateOf(const char* iso) {
    return *Calendar::Date::fromIso(QString::fromLatin1(iso));
}

// The schedule, after checking it against the exact reference.
LenderSchedule scheduleOf(const Terms& terms) {
    const LenderSchedule schedule = LenderSchedule::compute(terms);
    const std::string broken = LenderReference::brokenRule(terms, schedule);
    if (!broken.empty())
        qWarning("%s", broken.c_str());
    return schedule;
}

bool keepsTheRules(const Terms& terms) {
    return LenderReference::brokenRule(terms, LenderSchedule::compute(terms)).empty();
}

} // namespace

Q_DECLARE_METATYPE(Terms::Frequency)
Q_DECLARE_METATYPE(Terms::Compounding)
Q_DECLARE_METATYPE(Terms::InterestRounding)
Q_DECLARE_METATYPE(Terms::PaymentRounding)
Q_DECLARE_METATYPE(Terms::InterestCount)

class TestLender : public QObject {
    Q_OBJECT

private slots:
    // A calculator manual's example: 50,000 at 13.25 % over 25 years, monthly, to the cent.
    void calculatorManualExample() {
        const LenderSchedule schedule = scheduleOf(loanOf("50000", "13.25", "25"));
        QVERIFY(schedule.isPaidOff());
        QCOMPARE(shown(schedule.summary.regularPayment), "573.35");
        QCOMPARE(schedule.summary.payments, 300);
        QCOMPARE(shown(schedule.rows[0].interest), "552.08");
        QCOMPARE(shown(schedule.rows[0].principal), "21.27");
        QCOMPARE(shown(schedule.rows[1].interest), "551.85");
        QCOMPARE(shown(schedule.rows[1].principal), "21.50");
        // Payments 13 to 24 are the second calendar year's.
        QCOMPARE(schedule.years[1].year, 2008);
        QCOMPARE(shown(schedule.years[1].interest), "6570.72");
        QCOMPARE(shown(schedule.years[1].principal), "309.48");
        QCOMPARE(shown(schedule.years[1].balance), "49419.21");
    }

    // 350,000 at 5 % compounded semi-annually over 25 years, as Canadian lenders quote it.
    void canadaAcceleratedBiweeklyIsHalfTheMonthly() {
        Terms terms = loanOf("350000", "5", "25").withPreset(Terms::Preset::Canada);
        QCOMPARE(shown(scheduleOf(terms).summary.regularPayment), "2035.62");
        terms.frequency = Terms::Frequency::AcceleratedBiweekly;
        const LenderSchedule accelerated = scheduleOf(terms);
        QCOMPARE(shown(accelerated.summary.regularPayment), "1017.81");
        // Paying 13 half-payments a year finishes years early.
        QVERIFY(accelerated.isPaidOff());
        QVERIFY(accelerated.rows.size() < 25 * 26);
    }

    // A converted rate is kept to 28 places: 5 % compounded semi-annually is 1.025^(1/6) - 1 a month, and
    // 4.75 % compounded quarterly is 1.011875^(2/13) - 1 every two weeks (60-digit decimal arithmetic).
    void convertedRateKeepsTwentyEightPlaces() {
        Terms terms = loanOf("350000", "5", "25").withPreset(Terms::Preset::Canada);
        QCOMPARE(scheduleOf(terms).rates[0].periodRate, amount("0.0041239154651442714010935787"));
        terms = loanOf("250000", "4.75", "10");
        terms.frequency = Terms::Frequency::Biweekly;
        terms.compounding = Terms::Compounding::Quarterly;
        QCOMPARE(scheduleOf(terms).rates[0].periodRate, amount("0.0018178110573903210816544780"));
    }

    // 200,000 at 2 % with a 3 % initial repayment: the German annuity loan and its fixed-rate period.
    void germanAnnuityLoan() {
        Terms terms = loanOf("200000", "2", "0").withPreset(Terms::Preset::Germany);
        terms.initialRepaymentPercent = amount("3");
        terms.balanceAfterYears = 10;
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(shown(schedule.summary.regularPayment), "833.33");
        QCOMPARE(shown(schedule.rows[119].interest), "223.75");
        QCOMPARE(shown(schedule.rows[119].principal), "609.58");
        QCOMPARE(shown(*schedule.summary.balanceAfterYears), "133640.67");
    }

    // 12001.20 at 5 % a month is 50.005 of interest exactly: the rule alone decides the cent.
    void halfCentInterestRoundsByTheRule_data() {
        QTest::addColumn<Terms::InterestRounding>("rounding");
        QTest::addColumn<QString>("interest");
        QTest::newRow("halves up") << Terms::InterestRounding::CentHalfUp << "50.01";
        QTest::newRow("halves to even") << Terms::InterestRounding::CentHalfEven << "50.00";
        QTest::newRow("down") << Terms::InterestRounding::CentDown << "50.00";
        QTest::newRow("not rounded") << Terms::InterestRounding::None << "50.005";
    }
    void halfCentInterestRoundsByTheRule() {
        QFETCH(Terms::InterestRounding, rounding);
        QFETCH(QString, interest);
        Terms terms = loanOf("12001.20", "5", "10");
        terms.interestRounding = rounding;
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(Money::rounded(schedule.rows[0].interest, 3, Money::Rounding::HalfEven).toString(),
                 Money::rounded(amount(qPrintable(interest)), 3, Money::Rounding::HalfEven).toString());
        QVERIFY(keepsTheRules(terms));
    }

    // The manual's loan, whose exact payment is 573.3502141...
    void paymentRoundsByTheRule_data() {
        QTest::addColumn<Terms::PaymentRounding>("rounding");
        QTest::addColumn<QString>("payment");
        QTest::newRow("nearest cent") << Terms::PaymentRounding::NearestCent << "573.35";
        QTest::newRow("up to the cent") << Terms::PaymentRounding::UpToCent << "573.36";
        QTest::newRow("down to the cent") << Terms::PaymentRounding::DownToCent << "573.35";
        QTest::newRow("up to a whole unit") << Terms::PaymentRounding::UpToWholeUnit << "574";
    }
    void paymentRoundsByTheRule() {
        QFETCH(Terms::PaymentRounding, rounding);
        QFETCH(QString, payment);
        Terms terms = loanOf("50000", "13.25", "25");
        terms.paymentRounding = rounding;
        QCOMPARE(scheduleOf(terms).summary.regularPayment, Decimal::fromString(payment));
        QVERIFY(keepsTheRules(terms));
    }

    // Not rounded, the payment is the annuity to 28 digits, as exact rationals give it.
    void unroundedPaymentIsTheExactAnnuity() {
        const LenderSchedule schedule =
            scheduleOf(loanOf("50000", "13.25", "25").withPreset(Terms::Preset::AsCalculated));
        const Rational exactPayment = LenderReference::annuity(50000, Rational(1325, 120000), 300);
        QVERIFY(abs(exact(schedule.summary.regularPayment) - exactPayment) < Rational(1, pow(Int(10), 20)));
        QVERIFY(schedule.isPaidOff());
    }

    // 100,000 at 6 % over 10 years (1110.21 a month); from January 2008, 8 % on the 92,472.70 left.
    void rateChangeWorksThePaymentOutAgain() {
        Terms terms = loanOf("100000", "6", "10");
        terms.rateChanges = {{2008, 1, amount("8")}};
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(schedule.rates.size(), 2);
        QCOMPARE(schedule.rates[1].fromPayment, 13);
        QCOMPARE(shown(schedule.rows[11].balance), "92472.70");
        const Rational expected = LenderReference::roundedBy(
            LenderReference::annuity(exact(schedule.rows[11].balance), Rational(8, 1200), 108),
            Money::Rounding::HalfUp);
        QCOMPARE(exact(schedule.rates[1].payment), expected);
        QCOMPARE(shown(schedule.rates[1].payment), "1203.88");
        QCOMPARE(schedule.rows.size(), 120);
        QVERIFY(schedule.isPaidOff());
    }
    void rateChangeKeepingThePaymentMovesTheTerm() {
        Terms terms = loanOf("100000", "6", "10");
        terms.rateChanges = {{2008, 1, amount("8")}};
        terms.atRateChange = Terms::AtRateChange::KeepPayment;
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(shown(schedule.rates[1].payment), "1110.21");
        QCOMPARE(schedule.rows.size(), 134);
        QCOMPARE(shown(schedule.summary.lastPaymentAmount), "1058.64");
        QVERIFY(schedule.isPaidOff());
    }

    void rateChangeOutsideTheLoanIsReported() {
        Terms terms = loanOf("100000", "6", "10");
        terms.rateChanges = {
            {2006, 6, amount("5")}, {2010, 1, amount("7")}, {2017, 1, amount("9")}, {2010, 13, amount("1")}};
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(schedule.outsideChanges, (std::vector<std::size_t>{0, 2, 3}));
        QCOMPARE(schedule.rates.size(), 2);
        QCOMPARE(schedule.rates[1].fromPayment, 37);
    }

    void typedPaymentNotCoveringInterestStops() {
        Terms terms = loanOf("50000", "13.25", "25");
        terms.paymentBasis = Terms::PaymentBasis::Typed;
        terms.typedPayment = amount("500");
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(schedule.stopMessage, "The payment of 500.00 due 2007-01-01 does not cover its interest of 552.08: "
                                       "the loan would never be paid off.");
        QVERIFY(schedule.rows.empty());
        QVERIFY(!schedule.isPaidOff());
    }

    // 600 a month covers 13.25 % but not 15 %: the year before the rise stands.
    void rateRiseBeyondATypedPaymentStopsAtIt() {
        Terms terms = loanOf("50000", "13.25", "25");
        terms.paymentBasis = Terms::PaymentBasis::Typed;
        terms.typedPayment = amount("600");
        terms.rateChanges = {{2008, 1, amount("15")}};
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(schedule.rows.size(), 12);
        QCOMPARE(shown(schedule.rows.back().balance), "49388.75");
        QCOMPARE(schedule.stopMessage, "The payment of 600.00 due 2008-01-01 does not cover its interest of 617.36: "
                                       "the loan would never be paid off.");
        QCOMPARE(schedule.years.size(), 1);
    }

    // 2 % repaid at a rate of -3 % is a payment below zero.
    void paymentNotAboveZeroStops() {
        Terms terms = loanOf("200000", "-3", "0").withPreset(Terms::Preset::Germany);
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(schedule.stopMessage,
                 "The payment of -166.67 due 2007-01-01 is not above zero: the loan would never be paid off.");
        QVERIFY(schedule.rows.empty());
    }

    void acceleratedNeedsAPaymentFromTheLength() {
        Terms terms = loanOf("350000", "5", "25");
        terms.frequency = Terms::Frequency::AcceleratedWeekly;
        terms.paymentBasis = Terms::PaymentBasis::InitialRepayment;
        terms.initialRepaymentPercent = amount("2");
        const LenderSchedule schedule = LenderSchedule::compute(terms);
        QCOMPARE(schedule.problems.size(), 1);
        QVERIFY(schedule.problems[0].contains("not applicable"));
        QVERIFY(schedule.rows.empty());
    }

    void semiMonthlyDays_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("third");
        QTest::newRow("day 1") << "2007-01-01"
                               << "2007-01-16"
                               << "2007-02-01";
        QTest::newRow("day 13") << "2007-01-13"
                                << "2007-01-28"
                                << "2007-02-13";
        QTest::newRow("day 16") << "2007-01-16"
                                << "2007-02-01"
                                << "2007-02-16";
        QTest::newRow("day 28 across the year") << "2007-12-28"
                                                << "2008-01-13"
                                                << "2008-01-28";
        QTest::newRow("day 14") << "2007-01-14"
                                << ""
                                << "";
        QTest::newRow("day 15") << "2007-01-15"
                                << ""
                                << "";
        QTest::newRow("day 29") << "2007-01-29"
                                << ""
                                << "";
        QTest::newRow("day 31") << "2007-01-31"
                                << ""
                                << "";
    }
    void semiMonthlyDays() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, third);
        Terms terms = loanOf("10000", "6", "1");
        terms.frequency = Terms::Frequency::SemiMonthly;
        terms.firstPayment = Calendar::Date::fromIso(first);
        const LenderSchedule schedule = scheduleOf(terms);
        if (second.isEmpty()) {
            QVERIFY(schedule.rows.empty());
            QVERIFY(schedule.problems.join(u' ').contains("not possible for semi-monthly payments"));
            return;
        }
        QCOMPARE(schedule.rows[1].date.toIso(), second);
        QCOMPARE(schedule.rows[2].date.toIso(), third);
        QCOMPARE(schedule.rows.size(), 24);
    }

    // A payment on the 31st falls on each month's last day when shorter, and on the 31st again after.
    void monthlyDatesCountFromTheFirstPaymentsDay() {
        Terms terms = loanOf("10000", "6", "2");
        terms.firstPayment = dateOf("2007-01-31");
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(schedule.rows[1].date.toIso(), "2007-02-28");
        QCOMPARE(schedule.rows[2].date.toIso(), "2007-03-31");
        QCOMPARE(schedule.rows[13].date.toIso(), "2008-02-29");
    }

    // 120,000 at 6 % from December 2007, interest by the day: 31 days to January and February 2008, the
    // leap February's 29 to March, each over 365.
    void actualDaysOver365AcrossALeapYear() {
        Terms terms = loanOf("120000", "6", "30", 2008);
        terms.interestCount = Terms::InterestCount::Actual365;
        const LenderSchedule schedule = scheduleOf(terms);
        QCOMPARE(shown(schedule.summary.regularPayment), "719.46");
        QCOMPARE(shown(schedule.rows[0].interest), "611.51");
        QCOMPARE(shown(schedule.rows[1].interest), "610.96");
        QCOMPARE(shown(schedule.rows[2].interest), "571.02");
        QVERIFY(keepsTheRules(terms));
    }

    // Every frequency and compounding, through a rate change, each schedule kept to the exact reference.
    void everyScheduleKeepsTheRules_data() {
        QTest::addColumn<Terms::Frequency>("frequency");
        QTest::addColumn<Terms::Compounding>("compounding");
        QTest::addColumn<Terms::InterestCount>("count");
        QTest::newRow("monthly") << Terms::Frequency::Monthly << Terms::Compounding::WithEachPayment
                                 << Terms::InterestCount::PerPeriod;
        QTest::newRow("semi-monthly by the day")
            << Terms::Frequency::SemiMonthly << Terms::Compounding::WithEachPayment << Terms::InterestCount::Actual365;
        QTest::newRow("biweekly, monthly compounding")
            << Terms::Frequency::Biweekly << Terms::Compounding::Monthly << Terms::InterestCount::PerPeriod;
        QTest::newRow("weekly by the day")
            << Terms::Frequency::Weekly << Terms::Compounding::WithEachPayment << Terms::InterestCount::Actual365;
        QTest::newRow("accelerated weekly, semi-annual")
            << Terms::Frequency::AcceleratedWeekly << Terms::Compounding::SemiAnnually
            << Terms::InterestCount::PerPeriod;
        QTest::newRow("quarterly, annual compounding")
            << Terms::Frequency::Quarterly << Terms::Compounding::Annually << Terms::InterestCount::PerPeriod;
        QTest::newRow("annually, quarterly compounding")
            << Terms::Frequency::Annually << Terms::Compounding::Quarterly << Terms::InterestCount::PerPeriod;
    }
    void everyScheduleKeepsTheRules() {
        QFETCH(Terms::Frequency, frequency);
        QFETCH(Terms::Compounding, compounding);
        QFETCH(Terms::InterestCount, count);
        Terms terms = loanOf("250000", "4.75", "12.5");
        terms.frequency = frequency;
        terms.compounding = compounding;
        terms.interestCount = count;
        terms.rateChanges = {{2012, 3, amount("6.125")}};
        const LenderSchedule schedule = LenderSchedule::compute(terms);
        QCOMPARE(QString::fromStdString(LenderReference::brokenRule(terms, schedule)), QString());
        QVERIFY(schedule.isPaidOff());
        QCOMPARE(schedule.years.front().year, 2007);
        terms.interestRounding = Terms::InterestRounding::None;
        terms.paymentRounding = Terms::PaymentRounding::None;
        QCOMPARE(QString::fromStdString(LenderReference::brokenRule(terms, LenderSchedule::compute(terms))), QString());
    }

    // Lengths beyond the payments a schedule may hold, up to beyond the decimal range, are problems the
    // window shows, not errors.
    void tooLongALengthIsAProblem_data() {
        QTest::addColumn<QString>("years");
        QTest::newRow("2183 years weekly is the longest") << "2183";
        QTest::newRow("4000 years weekly") << "4000";
        QTest::newRow("the decimal range") << "79228162514264337593543950335";
    }
    void tooLongALengthIsAProblem() {
        QFETCH(QString, years);
        Terms terms = loanOf("200000", "6", qPrintable(years));
        terms.frequency = Terms::Frequency::Weekly;
        const LenderSchedule schedule = LenderSchedule::compute(terms);
        QCOMPARE(schedule.problems.isEmpty(), years == "2183");
        QVERIFY(!schedule.error);
    }

    // Interest below zero, as some lenders' rates have been, lowers what is paid and keeps every rule.
    void negativeRateKeepsTheRules() {
        Terms terms = loanOf("100000", "-0.5", "10");
        const LenderSchedule schedule = scheduleOf(terms);
        QVERIFY(schedule.isPaidOff());
        QVERIFY(schedule.summary.totalInterest < Decimal());
        terms.compounding = Terms::Compounding::SemiAnnually;
        QVERIFY(keepsTheRules(terms));
    }

    // A rise to 100,000 % makes the interest on 10^27 more cents than a decimal holds: the error is kept in
    // the value, and the year before the rise stands with its totals.
    void overflowIsKeptInTheValue() {
        Terms terms = loanOf("1000000000000000000000000000", "1", "30");
        terms.rateChanges = {{2008, 1, amount("100000")}};
        const LenderSchedule schedule = LenderSchedule::compute(terms);
        QVERIFY(schedule.error);
        QCOMPARE(schedule.error->kind(), RuntimeError::Kind::Overflow);
        QCOMPARE(schedule.rows.size(), 12);
        QCOMPARE(schedule.years.size(), 1);
        QVERIFY(!schedule.isPaidOff());
        QCOMPARE(QString::fromStdString(LenderReference::brokenRule(terms, schedule)), QString());
    }
};

QTEST_GUILESS_MAIN(TestLender)
#include "tst_lender.moc"
