// Texts becoming numbers and numbers becoming cell texts, under a desktop locale that groups digits and
// writes a decimal comma. Where a conversion fails, the check is on the message the user reads.
#include "numbers/ErrorContext.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <optional>

namespace {

const QString kBox = QStringLiteral("the \"Annual Interest Rate\" box");

// The message of the error a conversion raises, or "no error".
template <class Conversion> QString errorMessage(Conversion convert) {
    try {
        convert();
    } catch (const RuntimeError& error) {
        return error.message();
    }
    return QStringLiteral("no error");
}

// The rate box's text as Calculate reads it, written back as the double's shortest text.
QString read(const QString& text) {
    return QString::number(readNumber(text, kBox), 'g', QLocale::FloatingPointShortest);
}
QString notANumber(const QString& quoted) {
    return QStringLiteral("The text \"%1\" in the \"Annual Interest Rate\" box is not a number. "
                          "Use digits with at most one decimal point.")
        .arg(quoted);
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Nothing may follow the desktop's locale: the point stays '.', and digits are never grouped.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void aNumeralIsReadWithBlanksAroundItAndCorrectlyRounded() {
        QCOMPARE(read("5."), "5");
        QCOMPARE(read(".5"), "0.5");
        QCOMPARE(read(" 7 "), "7");
        QCOMPARE(read("\t7"), "7");
        QCOMPARE(read("007.50"), "7.5");
        QCOMPARE(read("1234.5"), "1234.5");
        QCOMPARE(read("9007199254740993"), "9007199254740992");
        QCOMPARE(read("0." + QString(400, u'0') + u'1'), "0");
        QCOMPARE(read("0." + QString(1'000'000, u'3')), "0.3333333333333333");
    }

    // Signs, exponents, grouping, a decimal comma, other scripts' digits and the codes either side of the
    // digits are all refused, and the message quotes at most 39 characters of the text.
    void aTextThatIsNotANumeralNamesItsBox() {
        for (const char* text : {"   ", ".", "1.2.3", "/", ":", "1:2", "-5", "+5", "1e3", "1,000", "1234,5", "abc",
                                 "1 000", "0x10", "5\n", "٣"})
            QCOMPARE(errorMessage([&] { read(QString::fromUtf8(text)); }), notANumber(QString::fromUtf8(text)));
        QCOMPARE(errorMessage([] { read(QString(100, u'x')); }), notANumber(QString(39, u'x') + u'…'));
        QCOMPARE(errorMessage([] { read(""); }), "The \"Annual Interest Rate\" box is empty.");
        QCOMPARE(errorMessage([] { read(QString(400, u'9')); }),
                 "The text \"" + QString(39, u'9') + "…\" in " + kBox + " is too large to compute with.");
    }

    // Ties go to the even cent at both signs, anything past a tie goes away from it, and less than half a
    // cent below zero shows as "0", never "-0".
    void amountsRoundToCentsHalfToEven() {
        QCOMPARE(decimalText(Decimal::fromString(u"1234.565").roundedTo(2)), "1234.56");
        QCOMPARE(decimalText(Decimal::fromString(u"1234.575").roundedTo(2)), "1234.58");
        QCOMPARE(decimalText(Decimal::fromString(u"-1234.565").roundedTo(2)), "-1234.56");
        QCOMPARE(decimalText(Decimal::fromString(u"-1234.575").roundedTo(2)), "-1234.58");
        QCOMPARE(decimalText(Decimal::fromString(u"1234.5650000000000000000001").roundedTo(2)), "1234.57");
        QCOMPARE(decimalText(Decimal::fromString(u"-0.001").roundedTo(2)), "0");
        QCOMPARE(decimalText(Decimal::fromString(u"9.995").roundedTo(2)), "10");
    }

    void cellsShowPlainDigitsWithoutTrailingZeros() {
        QCOMPARE(decimalText(Decimal::fromString(u"1199.10")), "1199.1");
        QCOMPARE(decimalText(Decimal::fromString(u"1900.00")), "1900");
        QCOMPARE(decimalText(Decimal::fromString(u"-0.00")), "0");
        QCOMPARE(doubleText(-0.0), "0");
        QCOMPARE(doubleText(199800.89894969497), "199800.898949695");
        QCOMPARE(doubleText(1e20), "100000000000000000000");
        QCOMPARE(doubleText(1.5e-7), "0.00000015");
    }

    // Fifteen significant digits, ties to even, at most 28 places; the decimal range ends at 2^96 - 1.
    void aDoubleEntersDecimalArithmeticAtFifteenDigits() {
        QCOMPARE(decimalText(toDecimal(1e-30, kBox)), "0");
        QCOMPARE(decimalText(toDecimal(0.3333333333333333, kBox)), "0.333333333333333");
        QCOMPARE(decimalText(toDecimal(1234567890123445.0, kBox)), "1234567890123440");
        QCOMPARE(decimalText(toDecimal(1234567890123455.0, kBox)), "1234567890123460");
        QCOMPARE(decimalText(toDecimal(1.2345678901234568e-16, kBox)), "0.0000000000000001234567890123");
        QCOMPARE(decimalText(toDecimal(7.92281625142643e28, kBox)), "79228162514264300000000000000");
        QCOMPARE(errorMessage([] { toDecimal(1e29, kBox); }),
                 "The \"Annual Interest Rate\" box 100000000000000000000000000000 is too large: "
                 "decimal numbers go up to 79228162514264337593543950335.");
    }

    void aDoubleRoundsToA16BitIntegerHalfToEven() {
        QCOMPARE(integerText(roundToInt16(29.5, kBox)), "30");
        QCOMPARE(integerText(roundToInt16(30.5, kBox)), "30");
        QCOMPARE(integerText(roundToInt16(-2.5, kBox)), "-2");
        QCOMPARE(integerText(roundToInt16(-3.5, kBox)), "-4");
        QCOMPARE(integerText(roundToInt16(30.500000000000004, kBox)), "31");
        QCOMPARE(integerText(roundToInt16(-32768.5, kBox)), "-32768");
        QCOMPARE(
            errorMessage([] { roundToInt16(32767.5, kBox); }),
            "The \"Annual Interest Rate\" box 32767.5 is outside the range; it must lie between -32768 and 32767.");
        QCOMPARE(errorMessage([] { roundToInt16(std::nan(""), kBox); }),
                 "The \"Annual Interest Rate\" box is not a number (NaN); it must lie between -32768 and 32767.");
    }

    // An error raised deep inside arithmetic tells the user the step under way and the box to correct.
    void errorsTellTheStepAndTheBox() {
        const auto raise = [] { return RuntimeError(RuntimeError::Kind::Overflow, QStringLiteral("Too large.")); };
        const ErrorContext outer(QStringLiteral("computing the payment"), QStringLiteral("Text2"));
        std::optional<ErrorContext> inner(std::in_place, QStringLiteral("reading the principal"));
        QCOMPARE(QString::fromUtf8(raise().what()), u"Too large.\n\nThis happened while reading the principal.");
        QCOMPARE(raise().box(), u"Text2");
        inner.reset();
        QCOMPARE(raise().userText(), u"Too large.\n\nThis happened while computing the payment.");
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
