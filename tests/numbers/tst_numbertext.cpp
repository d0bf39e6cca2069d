#include "NumberText.h"
#include "RuntimeError.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

const QString kRate = QStringLiteral("the \"Annual Interest Rate\" box");
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

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

// A cell text, or "overflow" when making it raises an overflow naming the rate box.
template <class F> QString textOrOverflow(F f) {
    try {
        return f();
    } catch (const RuntimeError& error) {
        const bool named =
            error.message().contains(QStringLiteral("the \"Annual Interest Rate\" box"), Qt::CaseInsensitive);
        return error.kind() == RuntimeError::Kind::Overflow && named ? QStringLiteral("overflow") : error.message();
    }
}

void textRow(const char* name, const QString& input, const QString& expected) {
    QTest::newRow(name) << input << expected;
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
        QTest::newRow("leading zeros") << "007.50" << 7.5;
        QTest::newRow("tenth, correctly rounded") << "0.1" << 0.1;
        QTest::newRow("beyond 2^53, tie to even") << "9007199254740993" << 9007199254740992.0;
        QTest::newRow("tiny underflows to zero") << QStringLiteral("0.") + QString(400, u'0') + u'1' << 0.0;
        QTest::newRow("400 digits") << QStringLiteral("1") + QString(299, u'0') + u'.' + QString(100, u'0') << 1e299;
        // A million threes after the point still read as the double nearest one third.
        QTest::newRow("a million digits") << QStringLiteral("0.") + QString(1'000'000, u'3') << 1.0 / 3;
    }
    void readsNumerals() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(readNumber(text, kRate), expected);
    }

    void rejectsNonNumerals_data() {
        QTest::addColumn<QString>("text");
        for (const char* text :
             {"", "   ", ".", "1.2.3", "/", ":", "1:2", "-5", "+5", "1e3", "1,000", "abc", "1 000", "inf", "0x10"})
            QTest::addRow("\"%s\"", text) << QString::fromLatin1(text);
        QTest::newRow("newline after") << QStringLiteral("5\n");
        QTest::newRow("arabic-indic digit") << QStringLiteral("٣");
    }
    void rejectsNonNumerals() {
        QFETCH(QString, text);
        const RuntimeError error = errorOf([&] { readNumber(text, kRate); });
        QCOMPARE(error.kind(), RuntimeError::Kind::Conversion);
        QVERIFY2(error.message().contains(QStringLiteral("the \"Annual Interest Rate\" box"), Qt::CaseInsensitive),
                 qPrintable(error.message()));
    }

    void messagesNameTheBoxAndQuoteTheText() {
        QCOMPARE(errorOf([] { readNumber(u"abc", kRate); }).message(),
                 QStringLiteral("The text \"abc\" in the \"Annual Interest Rate\" box is not a number. "
                                "Use digits with at most one decimal point."));
        QCOMPARE(errorOf([] { readNumber(u"", kRate); }).message(),
                 QStringLiteral("The \"Annual Interest Rate\" box is empty."));
        const QString message = errorOf([] { readNumber(QString(100, u'x'), kRate); }).message();
        QVERIFY2(message.contains(u'"' + QString(39, u'x') + QStringLiteral("…\"")), qPrintable(message));
        QVERIFY(!message.contains(QString(41, u'x')));
        QCOMPARE(textOrOverflow([] { return doubleText(readNumber(QString(400, u'9'), kRate)); }), u"overflow");
    }

    void ignoresTheDesktopLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const double value = readNumber(u"1234.5", kRate);
        const QString texts = decimalText(Decimal::fromString(u"1234.50")) + u' ' + doubleText(0.25);
        const bool commaRefused = textOrOverflow([] { return doubleText(readNumber(u"1234,5", kRate)); }) != u"1234.5";
        QLocale::setDefault(saved);
        QCOMPARE(value, 1234.5);
        QCOMPARE(texts, QStringLiteral("1234.5 0.25"));
        QVERIFY(commaRefused);

        const std::string savedC = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            QSKIP("the de_DE.UTF-8 C locale is not installed");
        const double cValue = readNumber(u"1234.5", kRate);
        const QString cText = doubleText(1234.5) + u' ' + decimalText(toDecimal(0.25, kRate));
        std::setlocale(LC_ALL, savedC.c_str());
        QCOMPARE(cValue, 1234.5);
        QCOMPARE(cText, QStringLiteral("1234.5 0.25"));
    }

    void roundsToIntegers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("29.5 to even 30") << 29.5 << 16 << "30";
        QTest::newRow("30.5 to even 30") << 30.5 << 16 << "30";
        QTest::newRow("-2.5 to even -2") << -2.5 << 16 << "-2";
        QTest::newRow("-3.5 to even -4") << -3.5 << 16 << "-4";
        QTest::newRow("just above half") << 30.500000000000004 << 16 << "31";
        QTest::newRow("just below half") << 29.499999999999996 << 16 << "29";
        QTest::newRow("-32768.5 to even fits") << -32768.5 << 16 << "-32768";
        QTest::newRow("32767.5 to even overflows") << 32767.5 << 16 << "overflow";
        QTest::newRow("-32769.5 overflows") << -32769.5 << 16 << "overflow";
        QTest::newRow("NaN overflows") << kNaN << 16 << "overflow";
        QTest::newRow("2.625 years of payments") << 2.625 * 12 << 32 << "32";
        QTest::newRow("2.375 years of payments") << 2.375 * 12 << 32 << "28";
        QTest::newRow("-2147483648.5 to even fits") << -2147483648.5 << 32 << "-2147483648";
        QTest::newRow("2147483647.5 overflows") << 2147483647.5 << 32 << "overflow";
        QTest::newRow("infinity overflows") << kInfinity << 32 << "overflow";
    }
    void roundsToIntegers() {
        QFETCH(double, value);
        QFETCH(int, bits);
        QFETCH(QString, expected);
        QCOMPARE(textOrOverflow(
                     [&] { return integerText(bits == 16 ? roundToInt16(value, kRate) : roundToInt32(value, kRate)); }),
                 expected);
    }

    void checkedIntegersRefuseWrapAround() {
        QCOMPARE(integerText(checkedInt32(-2147483648LL, kRate)), QStringLiteral("-2147483648"));
        QCOMPARE(textOrOverflow([] { return integerText(checkedInt16(32768, kRate)); }), u"overflow");
        QCOMPARE(textOrOverflow([] { return integerText(checkedInt32(2147483648LL, kRate)); }), u"overflow");
    }

    void writesDecimals_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        textRow("cents: tie after even digit stays", "1234.565", "1234.56");
        textRow("cents: tie after odd digit goes up", "1234.575", "1234.58");
        textRow("cents: negative tie after even digit", "-1234.565", "-1234.56");
        textRow("cents: negative tie after odd digit", "-1234.575", "-1234.58");
        textRow("cents: a far digit breaks the tie", "1234.5650000000000000000001", "1234.57");
        textRow("cents: negative zero after rounding", "-0.001", "0");
        textRow("cents: carries into the integer", "9.995", "10");
        textRow("trailing zero dropped", "1199.10", "1199.1");
        textRow("all fraction zeros dropped", "1900.00", "1900");
        textRow("integer zeros kept", "1000", "1000");
        textRow("negative zero at scale", "-0.00", "0");
        textRow("28 places", "0.0000000000000000000000000001", "0.0000000000000000000000000001");
    }
    void writesDecimals() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const Decimal decimal = Decimal::fromString(value);
        QCOMPARE(decimalText(QTest::currentDataTag()[0] == 'c' ? decimal.roundedTo(2) : decimal), expected);
    }

    void writesDoubles_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("balance") << 199800.89894969 << "199800.89894969";
        QTest::newRow("15 digits, last rounded up") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << "0.3";
        QTest::newRow("1e20 without exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("1.5e-7 without exponent") << 1.5e-7 << "0.00000015";
        QTest::newRow("integer beyond 15 digits") << -1234567890123456789.0 << "-1234567890123460000";
    }
    void writesDoubles() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(doubleText(value), expected);
    }

    void doublesEnterAt15Digits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("negative two thirds") << -2.0 / 3 << "-0.666666666666667";
        QTest::newRow("tie rounds to even, down") << 1234567890123445.0 << "1234567890123440";
        QTest::newRow("tie rounds to even, up") << 1234567890123455.0 << "1234567890123460";
        QTest::newRow("near the top") << 7.92281625142643e28 << "79228162514264300000000000000";
        QTest::newRow("1.2e-28 at 28 places") << 1.2e-28 << "0.0000000000000000000000000001";
        QTest::newRow("below 28 places") << 1e-30 << "0";
        QTest::newRow("1e29 overflows") << 1e29 << "overflow";
        QTest::newRow("-8e28 overflows") << -8e28 << "overflow";
        QTest::newRow("infinity overflows") << kInfinity << "overflow";
        QTest::newRow("NaN overflows") << kNaN << "overflow";
    }
    void doublesEnterAt15Digits() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(textOrOverflow([&] { return decimalText(toDecimal(value, kRate)); }), expected);
    }

    // 30 years at 6% on 200000.
    void workedPaymentCase() {
        const Decimal rate = toDecimal(6.0 / 1200, kRate);
        QCOMPARE(rate, Decimal::fromString(u"0.005"));
        const Decimal s = Decimal::fromInteger(1) + rate;
        const double d = 1 - std::pow(s.toDouble(), -360);
        const Decimal payment = toDecimal(200000, kRate) * (rate / toDecimal(d, kRate));
        QVERIFY2(payment.toString().startsWith(QStringLiteral("1199.101050305")), qPrintable(payment.toString()));
        QCOMPARE(decimalText(payment.roundedTo(2)), QStringLiteral("1199.1"));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
