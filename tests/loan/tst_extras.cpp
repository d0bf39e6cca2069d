// Extra payments worked into a calculated loan: what they save, when the loan ends, and that with none
// the schedule is the calculated one to the cent.
#include "loan/Extras.h"
#include "loan/LoanTerms.h"
#include "loan/Payment.h"
#include "numbers/NumberText.h"

#include <QTest>

namespace {

Schedule scheduleOf(const QString& years, const QString& ratePercent, const QString& principal) {
    const LoanTerms terms = LoanTerms::read(
        {years, ratePercent, principal, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2007")});
    const Decimal rate = Payment::monthlyRate(terms.rate);
    const Decimal payment = Payment::monthlyPayment(terms.principal, rate, Payment::paymentCount(terms.length));
    return Schedule::compute(terms, rate, payment);
}

// 30 years at 6 % on 200,000 from January 2007: 1199.10 a month.
const Schedule& workedLoan() {
    static const Schedule schedule = scheduleOf(QStringLiteral("30"), QStringLiteral("6"), QStringLiteral("200000"));
    return schedule;
}

// As the schedule shows money: to the cent, trailing zeros dropped.
QString cents(const Decimal& value) {
    return decimalText(value.roundedTo(2));
}

Decimal amount(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text));
}

ExtraPayments lumpOf(const char* money, std::int32_t year, std::int32_t month) {
    ExtraPayments extras;
    extras.lumps.push_back({year, month, amount(money)});
    return extras;
}

// No payment more than what is owed, no balance below zero, and every balance the one before it less the
// month's principal and extra.
void checkPaysNoMoreThanOwed(const Schedule& schedule, const ExtraSchedule& extra) {
    Decimal opening = Decimal::fromDouble(schedule.principal);
    for (const ExtraMonth& month : extra.months) {
        QVERIFY(!month.balance.isNegative());
        QVERIFY(!month.payment.isNegative() && !month.extra.isNegative());
        QVERIFY(month.payment + month.extra <= opening + month.interest);
        QCOMPARE(cents(opening - month.principal - month.extra), cents(month.balance));
        opening = month.balance;
    }
    QVERIFY(extra.months.back().balance.isZero());
}

} // namespace

class TestExtras : public QObject {
    Q_OBJECT

private slots:
    // Without extras every month and every year's totals are the calculated schedule's, to the cent.
    void withoutExtrasTheScheduleIsTheCalculatedOne_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("principal");
        QTest::newRow("one year") << "1"
                                  << "12000";
        QTest::newRow("two and a half years") << "2.5"
                                              << "12000";
        QTest::newRow("thirty years") << "30"
                                      << "200000";
        QTest::newRow("the longest the grid shows") << "2183"
                                                    << "200000";
    }
    void withoutExtrasTheScheduleIsTheCalculatedOne() {
        QFETCH(QString, years);
        QFETCH(QString, principal);
        const Schedule schedule = scheduleOf(years, QStringLiteral("6"), principal);
        QVERIFY(schedule.isComplete());
        const ExtraSchedule extra = ExtraSchedule::compute(schedule, {});
        QVERIFY(!extra.error);
        QCOMPARE(extra.months.size(), schedule.months.size());
        for (std::size_t i = 0; i < schedule.months.size(); ++i) {
            QCOMPARE(cents(extra.months[i].interest), cents(schedule.months[i].interest));
            QCOMPARE(cents(extra.months[i].principal), cents(schedule.months[i].principal));
            QCOMPARE(cents(extra.months[i].balance), cents(schedule.months[i].shownBalance));
            QCOMPARE(cents(extra.months[i].payment), cents(schedule.monthlyPayment));
            QVERIFY(extra.months[i].extra.isZero());
        }
        QCOMPARE(extra.years.size(), schedule.years.size());
        for (std::size_t i = 0; i < schedule.years.size(); ++i) {
            QCOMPARE(extra.years[i].year, schedule.years[i].year);
            QCOMPARE(cents(extra.years[i].interestToDate), cents(schedule.years[i].interestToDate));
            QCOMPARE(cents(extra.years[i].principalToDate), cents(schedule.years[i].principalToDate));
        }
        const LoanOutcome calculated = LoanOutcome::of(schedule);
        const LoanOutcome same = extra.outcome();
        QCOMPARE(same.payments, calculated.payments);
        QCOMPARE(same.lastYear, calculated.lastYear);
        QCOMPARE(same.lastMonth, calculated.lastMonth);
        QCOMPARE(cents(same.totalInterest), cents(calculated.totalInterest));
        QCOMPARE(cents(same.totalPaid), cents(calculated.totalPaid));
    }

    // The worked loan with 100 more every month: in exact arithmetic 295 payments and 182,537.97 of
    // interest instead of 360 and 231,676.38.
    void aHundredMoreEveryMonthEndsTheWorkedLoanSooner() {
        ExtraPayments extras;
        extras.monthly = amount("100");
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        const LoanOutcome outcome = extra.outcome();
        QCOMPARE(outcome.payments, 295);
        QCOMPARE(outcome.lastYear, 2031.0);
        QCOMPARE(int(outcome.lastMonth), 7);
        QCOMPARE(cents(outcome.totalInterest), QStringLiteral("182537.97"));
        QCOMPARE(cents(LoanOutcome::of(workedLoan()).totalInterest), QStringLiteral("231676.38"));
        QCOMPARE(cents(extra.months.front().extra), QStringLiteral("100"));
        checkPaysNoMoreThanOwed(workedLoan(), extra);
    }

    // From a later month on, the first months are the calculated ones.
    void aMonthlyExtraStartsInItsMonth() {
        ExtraPayments extras;
        extras.monthly = amount("50");
        extras.monthlyFromYear = 2008;
        extras.monthlyFromMonth = 3;
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        QVERIFY(extra.months[13].extra.isZero());
        QCOMPARE(cents(extra.months[14].extra), QStringLiteral("50"));
        QCOMPARE(int(extra.months[14].month), 3);
    }

    void aYearlyExtraFallsInItsMonthOnly() {
        ExtraPayments extras;
        extras.yearly = amount("1000");
        extras.yearlyMonth = 6;
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        Decimal paid;
        for (const ExtraMonth& month : extra.months) {
            if (!month.extra.isZero())
                QCOMPARE(int(month.month), 6);
            paid += month.extra;
        }
        QCOMPARE(cents(paid), cents(extra.years.back().extraToDate));
        QVERIFY(extra.outcome().payments < 360);
        checkPaysNoMoreThanOwed(workedLoan(), extra);
    }

    // One lump of 10,000 in December 2007: in exact arithmetic 318 payments and 41,044.31 less interest.
    void aLumpInDecemberShortensTheLoan() {
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), lumpOf("10000", 2007, 12));
        const LoanOutcome outcome = extra.outcome();
        QCOMPARE(outcome.payments, 318);
        QCOMPARE(cents(LoanOutcome::of(workedLoan()).totalInterest - outcome.totalInterest),
                 QStringLiteral("41044.31"));
        QCOMPARE(cents(extra.months[11].extra), QStringLiteral("10000"));
        // The next month's interest is charged on the balance the lump lowered.
        QCOMPARE(extra.months[12].interest, extra.months[11].balance * workedLoan().monthlyRate);
    }

    // "Pay less": the same number of payments, and from January 2008 the payment that pays off what is
    // left over the 348 months that are left.
    void payingLessKeepsTheEndDateAndLowersThePayment() {
        ExtraPayments extras = lumpOf("10000", 2007, 12);
        extras.effect = ExtraPayments::Effect::PayLess;
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        const LoanOutcome outcome = extra.outcome();
        QCOMPARE(outcome.payments, 360);
        QCOMPARE(extra.months[11].payment, workedLoan().monthlyPayment);
        const Decimal lower = extra.months[11].balance * Payment::paymentFactor(workedLoan().monthlyRate, 348);
        QCOMPARE(extra.months[12].payment, lower);
        QVERIFY(lower < workedLoan().monthlyPayment);
        QCOMPARE(outcome.monthlyPayment, lower);
        QCOMPARE(cents(extra.months[358].payment), cents(lower));
        checkPaysNoMoreThanOwed(workedLoan(), extra);
    }

    void lumpsOutsideTheLoanAreLeftOut_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::newRow("the December before the first payment") << 2006 << 12;
        QTest::newRow("the January after the last payment") << 2037 << 1;
        QTest::newRow("no such month") << 2010 << 13;
    }
    void lumpsOutsideTheLoanAreLeftOut() {
        QFETCH(int, year);
        QFETCH(int, month);
        ExtraPayments extras = lumpOf("5000", year, month);
        extras.lumps.push_back({2036, 11, amount("1")}); // the month before the last payment is inside
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        QCOMPARE(extra.lumpsOutside, std::vector<std::size_t>{0});
        QCOMPARE(extra.outcome().payments, 360);
        QCOMPARE(cents(extra.years.back().extraToDate), QStringLiteral("1"));
    }

    // More than is owed pays the loan off in that month, and only what is owed is paid.
    void anExtraLargerThanTheBalancePaysTheLoanOff() {
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), lumpOf("1000000", 2007, 3));
        QCOMPARE(extra.outcome().payments, 3);
        const ExtraMonth& last = extra.months.back();
        QCOMPARE(last.payment, workedLoan().monthlyPayment);
        QCOMPARE(last.payment + last.extra, extra.months[1].balance + last.interest);
        checkPaysNoMoreThanOwed(workedLoan(), extra);
    }

    // Amounts too large to add up stop the schedule with an overflow; nothing is thrown out of it.
    void amountsBeyondTheDecimalRangeAreAnError() {
        ExtraPayments extras = lumpOf("79228162514264337593543950335", 2007, 1);
        extras.monthly = amount("79228162514264337593543950335");
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        QVERIFY(extra.error);
        QCOMPARE(extra.error->kind(), RuntimeError::Kind::Overflow);
    }
};

QTEST_GUILESS_MAIN(TestExtras)
#include "tst_extras.moc"
