#include "Decimal.h"
#include "ExactReference.h"
#include "RuntimeError.h"

#include <QTest>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

using exact::Int;

const QString kMax = QStringLiteral("79228162514264337593543950335");
constexpr int kCasesPerRow = 3000;

enum Family { General, Money, Large, Ties };

Decimal::Coefficient randomBits(std::mt19937_64& rng, int bits) {
    if (bits == 0)
        return 0;
    const Decimal::Coefficient wide = (Decimal::Coefficient(rng() >> 32) << 64) | Decimal::Coefficient(rng());
    return wide >> (96 - bits);
}

exact::Value randomValue(std::mt19937_64& rng, int family, bool second) {
    exact::Value v;
    v.negative = rng() % 2;
    switch (family) {
    case General:
        v.scale = int(rng() % 29);
        v.coefficient = Int(randomBits(rng, int(rng() % 97)));
        break;
    case Money:
        v.scale = int(rng() % 5);
        v.coefficient = Int(randomBits(rng, 40)) % exact::pow10(12);
        break;
    case Large: // sums and products that must lose digits, right up to the 96-bit edge
        v.scale = int(rng() % 29);
        v.coefficient = exact::maxCoefficient() - Int(randomBits(rng, int(rng() % 95)));
        break;
    case Ties:
        // The first operand has odd and even last digits at scale 28 or near it; the second halves it,
        // so many results sit exactly halfway between two representable values.
        if (!second) {
            v.scale = 28 - int(rng() % 3);
            v.coefficient = Int(randomBits(rng, int(rng() % 97)));
        } else {
            static const char* const halves[] = {"5", "25", "15", "125", "2", "4", "8", "20"};
            v.coefficient = Int(halves[rng() % 8]);
            v.scale = v.coefficient < 10 ? int(rng() % 2) : int(rng() % 3);
        }
        break;
    }
    return v;
}

Decimal decimalOf(const exact::Value& v) {
    return Decimal::fromParts(v.negative, Decimal::Coefficient(v.coefficient), v.scale);
}

std::string describe(const exact::Result& r) {
    switch (r.outcome) {
    case exact::Outcome::Overflow:
        return "overflow";
    case exact::Outcome::DivisionByZero:
        return "division by zero";
    default:
        return exact::text(r.value);
    }
}

// The decimal's result, or the kind of error it raised, in the same words as describe().
template <class F> std::string outcomeOf(F f) {
    try {
        const Decimal result = f();
        // A zero must not carry a sign, even where toString() would hide it.
        return (result.isZero() && result.isNegative() ? "signed " : "") + result.toString().toStdString();
    } catch (const RuntimeError& e) {
        return e.kind() == RuntimeError::Kind::Overflow         ? "overflow"
               : e.kind() == RuntimeError::Kind::DivisionByZero ? "division by zero"
                                                                : "other error";
    }
}

void textRow(const char* name, const QString& text, const QString& expected) {
    QTest::newRow(name) << text << expected;
}

void edge(const char* name, const QString& a, char op, const QString& b, const QString& expected) {
    QTest::newRow(name) << a << op << b << expected;
}

Decimal apply(const Decimal& a, char op, const Decimal& b) {
    return op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : a / b;
}

} // namespace

class TestDecimal : public QObject {
    Q_OBJECT

private slots:
    void matchesExactReference_data() {
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("family");
        QTest::addColumn<quint64>("seed");
        const std::pair<int, const char*> families[] = {
            {General, "general"}, {Money, "money"}, {Large, "large"}, {Ties, "ties"}};
        quint64 seed = 20070101;
        for (const char op : {'+', '-', '*', '/'})
            for (const auto& [family, name] : families)
                QTest::addRow("%c %s", op, name) << op << family << seed++;
    }
    // Each result, scale included, must be the exact value rounded half to even into the largest scale
    // that fits; comparisons, rounding to places and conversion to double are checked on the way.
    void matchesExactReference() {
        QFETCH(char, op);
        QFETCH(int, family);
        QFETCH(quint64, seed);
        std::mt19937_64 rng(seed);
        for (int i = 0; i < kCasesPerRow; ++i) {
            const exact::Value a = randomValue(rng, family, false);
            const exact::Value b = randomValue(rng, family, true);
            const Decimal x = decimalOf(a);
            const Decimal y = decimalOf(b);
            const std::string expected = describe(exact::apply(a, op, b));
            const std::string actual = outcomeOf([&] { return apply(x, op, y); });
            const auto where = [&] {
                return QStringLiteral("seed %1 case %2: %3 %4 %5")
                    .arg(seed)
                    .arg(i)
                    .arg(x.toString(), QChar(op), y.toString());
            };
            QVERIFY2(actual == expected,
                     qPrintable(where() + QStringLiteral(" gave %1, expected %2")
                                              .arg(QString::fromStdString(actual), QString::fromStdString(expected))));

            const Int left = exact::signedCoefficient(a) * exact::pow10(b.scale);
            const Int right = exact::signedCoefficient(b) * exact::pow10(a.scale);
            const int order = left.compare(right);
            QVERIFY2((x < y) == (order < 0) && (x == y) == (order == 0),
                     qPrintable(where() + QStringLiteral(" compared wrongly")));

            const int places = int(rng() % 29);
            exact::Value rounded = a;
            if (places < a.scale) {
                rounded.coefficient = exact::roundHalfEven(a.coefficient, exact::pow10(a.scale - places));
                rounded.scale = places;
            }
            QVERIFY2(x.roundedTo(places).toString().toStdString() == exact::text(rounded),
                     qPrintable(where() + QStringLiteral(" rounded to %1 places wrongly").arg(places)));

            const std::string literal = exact::text(a);
            double nearest = 0;
            std::from_chars(literal.data(), literal.data() + literal.size(), nearest);
            QVERIFY2(x.toDouble() == nearest, qPrintable(where() + QStringLiteral(" converted to double wrongly")));
        }
    }

    void edgeCases_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<char>("op");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("expected");
        const QString belowMax = QStringLiteral("79228162514264337593543950334");
        const QString tiny = QStringLiteral("0.000000000000000000000000000");
        edge("max plus one unit overflows", kMax, '+', "1", "overflow");
        edge("minus max minus one overflows", u'-' + kMax, '-', "1", "overflow");
        edge("max times 1.0 loses the place", kMax, '*', "1.0", kMax);
        edge("max plus 0.4 rounds back", kMax, '+', "0.4", kMax);
        edge("max plus 0.5 ties up to overflow", kMax, '+', "0.5", "overflow");
        edge("max minus 0.5 ties to even", kMax, '-', "0.5", belowMax);
        edge("max minus 1.5 ties to even", kMax, '-', "1.5", belowMax);
        edge("max divided by 0.1 overflows", kMax, '/', "0.1", "overflow");
        edge("one by zero", "1", '/', "0", "division by zero");
        edge("zero by zero", "0", '/', "0.00", "division by zero");
        edge("zero by five keeps places", "0.00", '/', "5", "0.00");
        edge("two thirds round up", "2", '/', "3", "0.6666666666666666666666666667");
        edge("quarter", "1", '/', "4", "0.25");
        edge("quarter of 1.00", "1.00", '/', "4", "0.25");
        edge("exact quotient keeps dividend places", "1.000", '/', "1", "1.000");
        edge("ten by two", "10", '/', "2", "5");
        edge("by a thousandth", "1", '/', "0.001", "1000");
        edge("large seventh", "1000000000000000000000000000", '/', "7", "142857142857142857142857142.86");
        edge("smallest halved ties to zero", tiny + u'1', '/', "2", tiny + u'0');
        edge("three smallest halved ties up", tiny + u'3', '/', "2", tiny + u'2');
        edge("negative tie in product", "-0.0000000000000000000000000025", '*', "0.1", u'-' + tiny + u'2');
        edge("product rounding to zero has no sign", u'-' + tiny + u'1', '*', "0.1", tiny + u'0');
        edge("cancelling sum has no sign", "-1.5", '+', "1.50", "0.00");
        edge("sum keeps scale", "1.10", '+', "1", "2.10");
    }
    void edgeCases() {
        QFETCH(QString, a);
        QFETCH(char, op);
        QFETCH(QString, b);
        QFETCH(QString, expected);
        const std::string actual = outcomeOf([&] { return apply(Decimal::fromString(a), op, Decimal::fromString(b)); });
        QCOMPARE(QString::fromStdString(actual), expected);
    }

    void comparesByValue() {
        QCOMPARE(Decimal::fromString(u"1.10"), Decimal::fromString(u"1.1"));
        QCOMPARE(Decimal::fromString(u"-0.00"), Decimal());
        QVERIFY(Decimal::fromString(u"-2.5") < Decimal::fromString(u"-2.25"));
        QVERIFY(Decimal::fromString(u"0.0000000000000000000000000001") > Decimal());
        QVERIFY(Decimal::fromString(kMax) > Decimal::fromString(u"79228162514264337593543950.334"));
    }

    void readsPlainNotation_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        textRow("keeps scale", "-12.340", "-12.340");
        textRow("leading zeros", "000.5", "0.5");
        textRow("29 places round to even", "0.00000000000000000000000000025", "0.0000000000000000000000000002");
        textRow("far digit breaks the tie",
                QStringLiteral("0.00000000000000000000000000025") + QString(60, u'0') + u'1',
                "0.0000000000000000000000000003");
        textRow("30 digits lose places", "7922816251426433759354395033.45", "7922816251426433759354395033.4");
        textRow("too large", kMax + u'0', "overflow");
        textRow("not a number", "1e3", "other error");
    }
    void readsPlainNotation() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(outcomeOf([&] { return Decimal::fromString(text); })), expected);
    }

    // Against the C library's own %.14e, and for values that would need more than 28 places the exact
    // binary value rounded straight to 28 places.
    void fromDoubleKeeps15Digits() {
        std::mt19937_64 rng(1199);
        for (int i = 0; i < 20000; ++i) {
            const double value = (rng() % 2 ? -1 : 1) * std::ldexp(double(rng() >> 11), int(rng() % 200) - 160);
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
            const std::string digits = std::string(buffer, 1) + std::string(buffer + 2, 14);
            const int power = std::atoi(std::strchr(buffer, 'e') + 1) - 14;
            exact::Result expected;
            if (power >= -28) {
                const Int num = Int(digits.c_str()) * (power > 0 ? exact::pow10(power) : Int(1));
                expected = exact::fromFraction(num, exact::pow10(std::max(0, -power)), std::max(0, -power), true);
            } else {
                int e = 0;
                const Int mantissa = Int(static_cast<long long>(std::ldexp(std::frexp(std::fabs(value), &e), 53)));
                expected = exact::fromFraction(mantissa, Int(1) << (53 - e), 28);
                while (expected.value.scale > 0 && expected.value.coefficient % 10 == 0) {
                    expected.value.coefficient /= 10;
                    --expected.value.scale;
                }
            }
            if (expected.outcome == exact::Outcome::Value)
                expected.value.negative = value < 0 && expected.value.coefficient != 0;
            const std::string actual = outcomeOf([&] { return Decimal::fromDouble(value); });
            QVERIFY2(actual == describe(expected), qPrintable(QStringLiteral("seed 1199 case %1: %2 gave %3")
                                                                  .arg(i)
                                                                  .arg(value, 0, 'g', 17)
                                                                  .arg(QString::fromStdString(actual))));
        }
    }
};

QTEST_GUILESS_MAIN(TestDecimal)
#include "tst_decimal.moc"
