#include "numbers/ErrorContext.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"

#include <QLocale>
#include <QTest>

#include <optional>
#include <tuple>

const QString kBox = QStringLiteral("the \"Annual Interest Rate\" box");

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Nothing may follow the desktop's locale: the point stays '.', and digits are never grouped.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // 'r' reads a box's text (the double as its shortest text); 'c' rounds a decimal to cents and 't' writes it as
    // cell text; 'd' writes a double as cell text and 'D' takes it into decimal arithmetic; 'i' rounds a double to
    // a 16-bit integer. Failures show the message the user reads.
    void numbers_data() {
        QTest::addColumn<char>("function");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const QString notANumber =
            QStringLiteral("The text \"%1\" in the \"Annual Interest Rate\" box is not a number. "
                           "Use digits with at most one decimal point.");
        for (const char* text : {"   ", ".", "1.2.3", "/", ":", "1:2", "-5", "+5", "1e3", "1,000", "1234,5", "abc",
                                 "1 000", "0x10", "5\n", "٣"})
            QTest::addRow("r %s", text) << 'r' << QString::fromUtf8(text) << notANumber.arg(QString::fromUtf8(text));
        QTest::newRow("r 100 x") << 'r' << QString(100, u'x') << notANumber.arg(QString(39, u'x') + u'…');
        QTest::newRow("r 400 nines")
            << 'r' << QString(400, u'9')
            << QStringLiteral("The text \"%1…\" in %2 is too large to compute with.").arg(QString(39, u'9'), kBox);
        QTest::newRow("r underflow") << 'r' << QStringLiteral("0.") + QString(400, u'0') + u'1' << "0";
        QTest::newRow("r a million") << 'r' << QStringLiteral("0.") + QString(1'000'000, u'3') << "0.3333333333333333";
        // clang-format off
        const std::tuple<char, const char*, const char*> rows[] = {
            {'r', "5.", "5"}, {'r', ".5", "0.5"}, {'r', " 7 ", "7"}, {'r', "\t7", "7"}, {'r', "007.50", "7.5"},
            {'r', "1234.5", "1234.5"}, {'r', "9007199254740993", "9007199254740992"},
            {'r', "", "The \"Annual Interest Rate\" box is empty."},
            {'c', "1234.565", "1234.56"}, {'c', "1234.575", "1234.58"}, {'c', "-1234.565", "-1234.56"},
            {'c', "-1234.575", "-1234.58"}, {'c', "1234.5650000000000000000001", "1234.57"}, {'c', "-0.001", "0"},
            {'c', "9.995", "10"}, {'t', "1199.10", "1199.1"}, {'t', "1900.00", "1900"}, {'t', "-0.00", "0"},
            {'d', "-0", "0"}, {'d', "199800.89894969497", "199800.898949695"}, {'d', "1e20", "100000000000000000000"},
            {'d', "1.5e-7", "0.00000015"}, {'D', "1e-30", "0"}, {'D', "0.3333333333333333", "0.333333333333333"},
            {'D', "1234567890123445", "1234567890123440"}, {'D', "1234567890123455", "1234567890123460"},
            {'D', "1.2345678901234568e-16", "0.0000000000000001234567890123"},
            {'D', "7.92281625142643e28", "79228162514264300000000000000"},
            {'D', "1e29", "The \"Annual Interest Rate\" box 100000000000000000000000000000 is too large: "
                          "decimal numbers go up to 79228162514264337593543950335."},
            {'i', "29.5", "30"}, {'i', "30.5", "30"}, {'i', "-2.5", "-2"}, {'i', "-3.5", "-4"},
            {'i', "30.500000000000004", "31"}, {'i', "-32768.5", "-32768"},
            {'i', "32767.5", "The \"Annual Interest Rate\" box 32767.5 is outside the range; "
                             "it must lie between -32768 and 32767."},
            {'i', "nan", "The \"Annual Interest Rate\" box is not a number (NaN); "
                         "it must lie between -32768 and 32767."}};
        // clang-format on
        for (const auto& [function, input, expected] : rows)
            QTest::addRow("%c %s", function, input) << function << QString(input) << QString(expected);
    }
    void numbers() {
        QFETCH(char, function);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QString seen;
        try {
            seen = function == 'r'   ? QString::number(readNumber(input, kBox), 'g', QLocale::FloatingPointShortest)
                   : function == 'c' ? decimalText(Decimal::fromString(input).roundedTo(2))
                   : function == 't' ? decimalText(Decimal::fromString(input))
                   : function == 'd' ? doubleText(input.toDouble())
                   : function == 'D' ? decimalText(toDecimal(input.toDouble(), kBox))
                                     : integerText(roundToInt16(input.toDouble(), kBox));
        } catch (const RuntimeError& error) {
            seen = error.message();
        }
        QCOMPARE(seen, expected);
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
