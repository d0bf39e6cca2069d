#include "Payment.h"
#include "RuntimeError.h"

#include <QTest>

Q_DECLARE_METATYPE(RuntimeError::Kind)

class TestPayment : public QObject {
    Q_OBJECT

private slots:
    void payment_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("payment"); // its first 13 significant digits
        QTest::newRow("30 y, 6 %, 200000") << "30" << 360 << "1199.101050305";
        QTest::newRow("31.5 months round up to even") << "2.625" << 32 << "6778.906479264";
        QTest::newRow("28.5 months round down to even") << "2.375" << 28 << "7672.333257768";
    }
    void payment() {
        QFETCH(QString, years);
        const Decimal rate = Payment::monthlyRate(u" 6 ");
        QCOMPARE(rate, Decimal::fromString(u"0.005"));
        QTEST(Payment::paymentCount(years), "count");
        QTEST(Payment::monthlyPayment(u"200000", rate, Payment::paymentCount(years)).toString().left(14), "payment");
    }

    void failures_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("principal");
        QTest::addColumn<RuntimeError::Kind>("kind");
        QTest::addColumn<QString>("box");
        using K = RuntimeError::Kind;
        // A zero divisor is reported before the principal is read.
        // clang-format off
        QTest::newRow("rate 0") << "0" << "30" << "abc" << K::DivisionByZero << "\"Annual Interest Rate\"";
        QTest::newRow("no months") << "6" << "0.04" << "1" << K::DivisionByZero << "\"Length of Loan (Years)\"";
        QTest::newRow("1 + rate is 1 as a double") << "0.0000000000001" << "30" << "1" << K::DivisionByZero << "\"Length of Loan (Years)\"";
        QTest::newRow("two points in rate") << "6.5.1" << "30" << "1" << K::Conversion << "\"Annual Interest Rate\"";
        QTest::newRow("colon in length") << "6" << "3:0" << "1" << K::Conversion << "\"Length of Loan (Years)\"";
        QTest::newRow("length beyond 32 bits") << "6" << "999999999999" << "1" << K::Overflow << "\"Length of Loan (Years)\"";
        QTest::newRow("lone point principal") << "6" << "30" << "." << K::Conversion << "\"Principal Loan Balance\"";
        // clang-format on
    }
    void failures() {
        QFETCH(QString, rate);
        QFETCH(QString, years);
        QFETCH(QString, principal);
        QFETCH(QString, box);
        try {
            const Decimal monthlyRate = Payment::monthlyRate(rate);
            Payment::monthlyPayment(principal, monthlyRate, Payment::paymentCount(years));
            QFAIL("no error raised");
        } catch (const RuntimeError& error) {
            QTEST(error.kind(), "kind");
            QVERIFY2(error.message().contains(box), qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestPayment)
#include "tst_payment.moc"
