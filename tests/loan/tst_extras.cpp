// Extra payments worked into a calculated loan, below what the what-if window shows: the longest schedule
// unchanged without extras, every plan paying no more than is owed, and where each kind of extra falls.
#include "loan/Extras.h"
#include "loan/Payment.h"
#include "numbers/NumberText.h"
#include "tests/loan/ScheduleOfTexts.h"

#include <QTest>

namespace {

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

} // namespace

Q_DECLARE_METATYPE(ExtraPayments)

class TestExtras : public QObject {
    Q_OBJECT

private slots:
    // Without extras the longest schedule the grid shows is the calculated one, every month and every
    // year's totals to the cent.
    void withoutExtrasTheLongestScheduleIsTheCalculatedOne() {
        const Schedule schedule = scheduleOf(QStringLiteral("2183"), QStringLiteral("6"), QStringLiteral("200000"));
        QVERIFY(schedule.isComplete());
        const ExtraSchedule extra = ExtraSchedule::compute(schedule, {});
        QVERIFY(!extra.error);
        QCOMPARE(extra.months.size(), schedule.months.size());
        for (std::size_t i = 0; i < schedule.months.size(); ++i) {
            QCOMPARE(cents(extra.months[i].interest), cents(schedule.months[i].interest));
            QCOMPARE(cents(extra.months[i].principal), cents(schedule.months[i].principal));
            QCOMPARE(cents(extra.months[i].balance), cents(schedule.months[i].shownBalance));
            QCOMPARE(cents(extra.months[i].payment), cents(schedule.monthlyPayment));
        }
        QCOMPARE(extra.years.size(), schedule.years.size());
        for (std::size_t i = 0; i < schedule.years.size(); ++i) {
            QCOMPARE(extra.years[i].year, schedule.years[i].year);
            QCOMPARE(cents(extra.years[i].interestToDate), cents(schedule.years[i].interestToDate));
            QCOMPARE(cents(extra.years[i].principalToDate), cents(schedule.years[i].principalToDate));
        }
        const LoanOutcome calculated = LoanOutcome::of(schedule);
        QCOMPARE(extra.outcome().lastYear, calculated.lastYear);
        QCOMPARE(cents(extra.outcome().totalPaid), cents(calculated.totalPaid));
    }

    // The worked loan with extras: how many payments each plan takes (as exact rational arithmetic counts
    // them), and in each no payment more than
    // what is owed, no balance below zero, and every balance the one before less principal and extra.
    void everyPlanPaysNoMoreThanIsOwed_data() {
        QTest::addColumn<ExtraPayments>("extras");
        QTest::addColumn<int>("payments");
        ExtraPayments monthly;
        monthly.monthly = amount("100");
        QTest::newRow("100 more every month") << monthly << 295;
        ExtraPayments yearly;
        yearly.yearly = amount("1000");
        yearly.yearlyMonth = 6;
        QTest::newRow("1000 more every June") << yearly << 304;
        QTest::newRow("10000 once in December 2007") << lumpOf("10000", 2007, 12) << 318;
        ExtraPayments payLess = lumpOf("10000", 2007, 12);
        payLess.effect = ExtraPayments::Effect::PayLess;
        QTest::newRow("the same, paying less") << payLess << 360;
        QTest::newRow("more than is owed, in March 2007") << lumpOf("1000000", 2007, 3) << 3;
    }
    void everyPlanPaysNoMoreThanIsOwed() {
        QFETCH(ExtraPayments, extras);
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        QTEST(extra.outcome().payments, "payments");
        Decimal opening = Decimal::fromDouble(workedLoan().principal);
        for (const ExtraMonth& month : extra.months) {
            QVERIFY(!month.balance.isNegative());
            QVERIFY(!month.payment.isNegative() && !month.extra.isNegative());
            QVERIFY(month.payment + month.extra <= opening + month.interest);
            QCOMPARE(cents(opening - month.principal - month.extra), cents(month.balance));
            opening = month.balance;
        }
        QVERIFY(extra.months.back().balance.isZero());
        // The month that owes less than its payment and extra pays exactly what is owed.
        const ExtraMonth& last = extra.months.back();
        const Decimal owed = extra.months[extra.months.size() - 2].balance + last.interest;
        QCOMPARE(last.payment + last.extra, owed);
    }

    // A monthly extra from a later month on leaves the first months as calculated; a yearly one falls in
    // its month only, and the years' totals add up what was paid.
    void eachExtraFallsInItsMonths() {
        ExtraPayments extras;
        extras.monthly = amount("50");
        extras.monthlyFromYear = 2008;
        extras.monthlyFromMonth = 3;
        extras.yearly = amount("1000");
        extras.yearlyMonth = 6;
        const ExtraSchedule extra = ExtraSchedule::compute(workedLoan(), extras);
        QCOMPARE(cents(extra.months[13].extra), QStringLiteral("0"));    // February 2008
        QCOMPARE(cents(extra.months[14].extra), QStringLiteral("50"));   // March 2008
        QCOMPARE(cents(extra.months[5].extra), QStringLiteral("1000"));  // June 2007
        QCOMPARE(cents(extra.months[17].extra), QStringLiteral("1050")); // June 2008
        Decimal paid;
        for (const ExtraMonth& month : extra.months)
            paid += month.extra;
        QCOMPARE(cents(paid), cents(extra.years.back().extraToDate));
    }

    // A lump lowers the balance after the month's principal: the next month's interest is charged on it.
    // Paying less, the payment from then on pays off what is left over the months that are left.
    void aLumpLowersTheNextInterestOrThePayment() {
        ExtraPayments extras = lumpOf("10000", 2007, 12);
        const ExtraSchedule sooner = ExtraSchedule::compute(workedLoan(), extras);
        QCOMPARE(sooner.months[12].interest, sooner.months[11].balance * workedLoan().monthlyRate);
        extras.effect = ExtraPayments::Effect::PayLess;
        const ExtraSchedule less = ExtraSchedule::compute(workedLoan(), extras);
        QCOMPARE(less.months[11].payment, workedLoan().monthlyPayment);
        const Decimal lower = less.months[11].balance * Payment::paymentFactor(workedLoan().monthlyRate, 348);
        QCOMPARE(less.months[12].payment, lower);
        QCOMPARE(less.outcome().monthlyPayment, lower);
        QCOMPARE(cents(less.months[358].payment), cents(lower));
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
