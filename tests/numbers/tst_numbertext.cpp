#include "NumberText.h"
#include "RuntimeError.h"

#include <QLocale>
#include <QTest>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

const QString kRate = QStringLiteral("the annual interest rate (Text2)");

// Runs f and returns the RuntimeError it raises; fails the test when it raises none.
template <class F> RuntimeError errorOf(F f) {
    try {
        f();
    } catch (const RuntimeError& error) {
        return error;
    }
    QTest::qFail("no RuntimeError was raised", __FILE__, __LINE__);
    return RuntimeError(RuntimeError::Kind::MissingMember, QString());
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readsNumerals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("integer") << "5" << 5.0;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("fraction") << "5.25" << 5.25;
        QTest::newRow("spaces around") << " 7 " << 7.0;
        QTest::newRow("tab before") << "\t7" << 7.0;
        QTest::newRow("blanks mixed") << " \t 6.5\t " << 6.5;
        QTest::newRow("leading zeros") << "007.50" << 7.5;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("tenth rounds correctly") << "0.1" << 0.1;
        QTest::newRow("principal") << "200000" << 200000.0;
        QTest::newRow("beyond 2^53, correctly rounded") << "9007199254740993" << 9007199254740992.0;
        QTest::newRow("tiny underflows to zero") << QStringLiteral("0.") + QString(400, u'0') + u'1' << 0.0;
        QTest::newRow("400 digits") << QStringLiteral("1") + QString(299, u'0') + u'.' + QString(100, u'0') << 1e299;
    }
    void readsNumerals() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(readNumber(text, kRate), expected);
    }

    void readsAMillionDigitsExactly() {
        // 0.333…3 with a million threes is still the double nearest one third.
        const QString text = QStringLiteral("0.") + QString(1'000'000, u'3');
        QCOMPARE(readNumber(text, kRate), 1.0 / 3);
    }

    void rejectsNonNumerals_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "   ";
        QTest::newRow("lone point") << ".";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("slash") << "/";
        QTest::newRow("colon") << ":";
        QTest::newRow("colon between digits") << "1:2";
        QTest::newRow("minus") << "-5";
        QTest::newRow("plus") << "+5";
        QTest::newRow("exponent") << "1e3";
        QTest::newRow("grouping") << "1,000";
        QTest::newRow("letters") << "abc";
        QTest::newRow("arabic-indic digit") << QStringLiteral("٣");
        QTest::newRow("blank inside") << "1 000";
        QTest::newRow("newline after") << "5\n";
        QTest::newRow("infinity word") << "inf";
        QTest::newRow("hex") << "0x10";
    }
    void rejectsNonNumerals() {
        QFETCH(QString, text);
        const RuntimeError error = errorOf([&] { readNumber(text, kRate); });
        QCOMPARE(error.kind(), RuntimeError::Kind::Conversion);
        QVERIFY2(error.message().startsWith(QStringLiteral("The annual interest rate (Text2)")),
                 qPrintable(error.message()));
    }

    void conversionMessagesQuoteTheText() {
        QCOMPARE(errorOf([] { readNumber(u"abc", kRate); }).message(),
                 QStringLiteral("The annual interest rate (Text2) \"abc\" is not a number. "
                                "Use digits with at most one decimal point."));
        QCOMPARE(errorOf([] { readNumber(u"", kRate); }).message(),
                 QStringLiteral("The annual interest rate (Text2) is empty."));
        const QString longText = QString(100, u'x');
        const QString message = errorOf([&] { readNumber(longText, kRate); }).message();
        QVERIFY2(message.contains(u'"' + QString(39, u'x') + QStringLiteral("…\"")), qPrintable(message));
        QVERIFY(!message.contains(QString(41, u'x')));
    }

    void hugeNumeralIsAnOverflowNamingTheSource() {
        const RuntimeError error = errorOf([] { readNumber(QString(400, u'9'), kRate); });
        QCOMPARE(error.kind(), RuntimeError::Kind::Overflow);
        QVERIFY(error.message().startsWith(QStringLiteral("The annual interest rate (Text2)")));
    }

    void readsTheSameUnderAGermanLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const double value = readNumber(u"1234.5", kRate);
        const QString text = decimalText(Decimal::fromString(u"1234.50"));
        const QString floating = doubleText(0.25);
        QLocale::setDefault(saved);
        QCOMPARE(value, 1234.5);
        QCOMPARE(text, QStringLiteral("1234.5"));
        QCOMPARE(floating, QStringLiteral("0.25"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, readNumber(u"1234,5", kRate));

        const std::string savedC = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            QSKIP("the de_DE.UTF-8 C locale is not installed");
        const double cValue = readNumber(u"1234.5", kRate);
        const QString cText = doubleText(1234.5);
        std::setlocale(LC_ALL, savedC.c_str());
        QCOMPARE(cValue, 1234.5);
        QCOMPARE(cText, QStringLiteral("1234.5"));
    }

    void roundsToInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("29.5 to even 30") << 29.5 << 30;
        QTest::newRow("30.5 to even 30") << 30.5 << 30;
        QTest::newRow("-2.5 to even -2") << -2.5 << -2;
        QTest::newRow("-3.5 to even -4") << -3.5 << -4;
        QTest::newRow("just above half") << 30.500000000000004 << 31;
        QTest::newRow("just below half") << 29.499999999999996 << 29;
        QTest::newRow("32766.5 stays") << 32766.5 << 32766;
        QTest::newRow("-32768.5 to even -32768") << -32768.5 << -32768;
        QTest::newRow("negative zero") << -0.0 << 0;
    }
    void roundsToInt16() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(roundToInt16(value, kRate)), expected);
    }

    void int16OutOfRangeOverflows_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("32767.5 rounds to 32768") << 32767.5;
        QTest::newRow("-32769.5 rounds to -32770") << -32769.5;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    }
    void int16OutOfRangeOverflows() {
        QFETCH(double, value);
        const RuntimeError error = errorOf([&] { roundToInt16(value, QStringLiteral("the font size")); });
        QCOMPARE(error.kind(), RuntimeError::Kind::Overflow);
        QVERIFY2(error.message().startsWith(QStringLiteral("The font size")), qPrintable(error.message()));
    }

    void roundsToInt32_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("expected"); // -1 marks an overflow
        QTest::newRow("2.625 years of payments") << 2.625 * 12 << qint64(32);
        QTest::newRow("2.375 years of payments") << 2.375 * 12 << qint64(28);
        QTest::newRow("largest") << 2147483647.4 << qint64(2147483647);
        QTest::newRow("smallest") << -2147483648.5 << qint64(-2147483648);
        QTest::newRow("one past largest") << 2147483647.5 << qint64(-1);
        QTest::newRow("huge") << 1e300 << qint64(-1);
    }
    void roundsToInt32() {
        QFETCH(double, value);
        QFETCH(qint64, expected);
        if (expected == -1)
            QVERIFY_THROWS_EXCEPTION(RuntimeError, roundToInt32(value, kRate));
        else
            QCOMPARE(qint64(roundToInt32(value, kRate)), expected);
    }

    void checkedIntegersRefuseWrapAround() {
        QCOMPARE(checkedInt16(32767, kRate), std::int16_t(32767));
        QCOMPARE(checkedInt32(-2147483648LL, kRate), std::int32_t(-2147483647 - 1));
        QCOMPARE(errorOf([] { checkedInt16(32768, kRate); }).kind(), RuntimeError::Kind::Overflow);
        QCOMPARE(errorOf([] { checkedInt32(2147483648LL, kRate); }).kind(), RuntimeError::Kind::Overflow);
    }

    void roundsMoneyToCents_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tie after even digit stays") << "1234.565"
                                                    << "1234.56";
        QTest::newRow("tie after odd digit goes up") << "1234.575"
                                                     << "1234.58";
        QTest::newRow("negative tie after even digit") << "-1234.565"
                                                       << "-1234.56";
        QTest::newRow("negative tie after odd digit") << "-1234.575"
                                                      << "-1234.58";
        QTest::newRow("just above the tie") << "1234.5650000000000000000001"
                                            << "1234.57";
        QTest::newRow("negative zero after rounding") << "-0.001"
                                                      << "0";
        QTest::newRow("payment") << "1199.101050305"
                                 << "1199.1";
        QTest::newRow("whole number") << "1900.004"
                                      << "1900";
        QTest::newRow("carries into integer") << "9.995"
                                              << "10";
    }
    void roundsMoneyToCents() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(decimalText(Decimal::fromString(value).roundedTo(2)), expected);
    }

    void decimalTextDropsTrailingZeros_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one zero") << "1199.10"
                                  << "1199.1";
        QTest::newRow("all fraction zeros") << "1900.00"
                                            << "1900";
        QTest::newRow("zero at scale") << "0.000"
                                       << "0";
        QTest::newRow("negative zero") << "-0.00"
                                       << "0";
        QTest::newRow("negative fraction") << "-0.50"
                                           << "-0.5";
        QTest::newRow("integer zeros kept") << "1000"
                                            << "1000";
        QTest::newRow("28 places") << "0.0000000000000000000000000001"
                                   << "0.0000000000000000000000000001";
        QTest::newRow("largest") << "79228162514264337593543950335"
                                 << "79228162514264337593543950335";
    }
    void decimalTextDropsTrailingZeros() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QCOMPARE(decimalText(Decimal::fromString(value)), expected);
    }

    void doubleTextIsPlain_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("balance") << 199800.89894969 << "199800.89894969";
        QTest::newRow("15 digits kept") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("rounded at 15 digits") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("no exponent for 1e20") << 1e20 << "100000000000000000000";
        QTest::newRow("no exponent for small") << 1.5e-7 << "0.00000015";
        QTest::newRow("negative") << -42.5 << "-42.5";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << "0.3";
        QTest::newRow("integer beyond 15 digits") << 1234567890123456789.0 << "1234567890123460000";
    }
    void doubleTextIsPlain() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(doubleText(value), expected);
    }

    void integerTextIsDigits() {
        QCOMPARE(integerText(-2147483648LL), QStringLiteral("-2147483648"));
        QCOMPARE(integerText(2036), QStringLiteral("2036"));
    }

    void doublesEnterAt15Digits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("monthly rate") << 6.0 / 1200 << "0.005";
        QTest::newRow("negative") << -2.0 / 3 << "-0.666666666666667";
        QTest::newRow("tie rounds to even, down") << 1234567890123445.0 << "1234567890123440";
        QTest::newRow("tie rounds to even, up") << 1234567890123455.0 << "1234567890123460";
        QTest::newRow("near the top") << 7.92281625142643e28 << "79228162514264300000000000000";
        QTest::newRow("below 28 places") << 1e-30 << "0";
        QTest::newRow("smallest at 28 places") << 1.2e-28 << "0.0000000000000000000000000001";
        QTest::newRow("tiny with 15 digits") << 1.23456789012345e-20 << "0.0000000000000000000123456789";
    }
    void doublesEnterAt15Digits() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(decimalText(toDecimal(value, kRate)), expected);
    }

    void doublesOutOfRangeNameTheSource_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("1e29") << 1e29;
        QTest::newRow("-8e28") << -8e28;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    }
    void doublesOutOfRangeNameTheSource() {
        QFETCH(double, value);
        const RuntimeError error = errorOf([&] { toDecimal(value, QStringLiteral("the payment divisor")); });
        QCOMPARE(error.kind(), RuntimeError::Kind::Overflow);
        QVERIFY2(error.message().startsWith(QStringLiteral("The payment divisor")), qPrintable(error.message()));
    }

    void workedPaymentCase() {
        const Decimal rate = toDecimal(6.0 / 1200, kRate);
        QCOMPARE(rate, Decimal::fromString(u"0.005"));
        const Decimal s = Decimal::fromInteger(1) + rate;
        const double p = std::pow(s.toDouble(), -360);
        const double d = 1 - p;
        const Decimal q = rate / toDecimal(d, kRate);
        const Decimal payment = toDecimal(200000, kRate) * q;
        QVERIFY2(payment.toString().startsWith(QStringLiteral("1199.101050305")), qPrintable(payment.toString()));
        QCOMPARE(decimalText(payment.roundedTo(2)), QStringLiteral("1199.1"));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
