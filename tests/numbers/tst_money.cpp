#include "numbers/Money.h"

#include <QTest>

using Money::Rounding;

class TestMoney : public QObject {
    Q_OBJECT

    static QString cents(QStringView value, Rounding rule) {
        return Money::toCents(Decimal::fromString(value), rule).toString();
    }
    static QString whole(QStringView value, Rounding rule) {
        return Money::toWholeUnit(Decimal::fromString(value), rule).toString();
    }

private slots:
    // Ties next to even and odd digits, at both signs, and values just off a tie.
    void centsByEachRule() {
        QCOMPARE(cents(u"1234.565", Rounding::HalfEven), "1234.56");
        QCOMPARE(cents(u"1234.575", Rounding::HalfEven), "1234.58");
        QCOMPARE(cents(u"-1234.565", Rounding::HalfEven), "-1234.56");
        QCOMPARE(cents(u"1234.565", Rounding::HalfUp), "1234.57");
        QCOMPARE(cents(u"1234.575", Rounding::HalfUp), "1234.58");
        QCOMPARE(cents(u"-1234.565", Rounding::HalfUp), "-1234.57");
        QCOMPARE(cents(u"1234.5649999", Rounding::HalfUp), "1234.56");
        QCOMPARE(cents(u"1234.561", Rounding::Up), "1234.57");
        QCOMPARE(cents(u"1234.560", Rounding::Up), "1234.56");
        QCOMPARE(cents(u"-1234.561", Rounding::Up), "-1234.57");
        QCOMPARE(cents(u"1234.569", Rounding::Down), "1234.56");
        QCOMPARE(cents(u"-1234.569", Rounding::Down), "-1234.56");
        QCOMPARE(cents(u"0.0000000000000000000000000001", Rounding::Up), "0.01");
    }

    void fewerPlacesAreLeftAsTheyAre() {
        QCOMPARE(cents(u"1199.1", Rounding::Up), "1199.1");
        QCOMPARE(cents(u"7", Rounding::Down), "7");
    }

    void wholeUnits() {
        QCOMPARE(whole(u"1234.01", Rounding::Up), "1235");
        QCOMPARE(whole(u"1234.50", Rounding::HalfUp), "1235");
        QCOMPARE(whole(u"1234.50", Rounding::HalfEven), "1234");
        QCOMPARE(whole(u"1235.50", Rounding::HalfEven), "1236");
        QCOMPARE(whole(u"1234.99", Rounding::Down), "1234");
    }

    // The largest coefficient rounds up into a shorter one without overflowing.
    void roundingUpAtTheLargestCoefficient() {
        QCOMPARE(cents(u"7922816251426433759354395.0335", Rounding::Up), "7922816251426433759354395.04");
    }

    void writtenWithTwoPlaces() {
        QCOMPARE(Money::text(Decimal::fromString(u"1199.1")), "1199.10");
        QCOMPARE(Money::text(Decimal::fromInteger(200000)), "200000.00");
        QCOMPARE(Money::text(Decimal::fromString(u"1234.565")), "1234.56");
        QCOMPARE(Money::text(Decimal::fromString(u"1234.565"), Rounding::HalfUp), "1234.57");
        QCOMPARE(Money::text(Decimal::fromString(u"0.05")), "0.05");
        QCOMPARE(Money::text(Decimal::fromString(u"-0.001")), "0.00");
        QCOMPARE(Money::text(Decimal::fromString(u"-0.004"), Rounding::Down), "0.00");
        QCOMPARE(Money::text(Decimal::fromString(u"-12.5")), "-12.50");
    }
};

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
