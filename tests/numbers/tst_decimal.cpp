#include "tests/numbers/DecimalReference.h"

#include <QTest>

#include <array>
#include <random>

class TestDecimal : public QObject {
    Q_OBJECT

    static Decimal dec(QStringView text) { return Decimal::fromString(text); }
    // The name of the error a calculation raises, or its result's text.
    static QString errorOf(const auto& calculation) { return QString::fromStdString(outcome(calculation)); }
    // Which of <, == and > hold between a and b.
    static QString comparison(QStringView a, QStringView b) {
        return QStringList{dec(a) < dec(b) ? "less" : "", dec(a) == dec(b) ? "equal" : "",
                           dec(a) > dec(b) ? "greater" : ""}
            .join(QString());
    }

private slots:
    // Family 0: any scale and coefficient size, zero included. 1: coefficients next to the 96-bit limit, whose sums
    // and products must lose places or overflow. 2: a first operand at 26 to 28 places and a small second one (2,
    // 0.5, 0.25, 1.25, ...) that halves or doubles it, so that results fall halfway next to even and odd digits.
    void arithmeticMatchesExactRationals() {
        std::mt19937_64 rng(20070101);
        const auto operand = [&rng](int family, bool second) {
            const int bits = int(rng() % 97);
            Decimal::Coefficient c = bits == 0 ? 0 : ((Decimal::Coefficient(rng()) << 64) | rng()) >> (128 - bits);
            c = family == 1             ? Decimal::kMaxCoefficient - (c >> 2)
                : family == 2 && second ? Decimal::Coefficient(std::array{2, 4, 5, 8, 25, 125}[rng() % 6])
                                        : c;
            const int scale = int(family != 2 ? rng() % 29 : second ? rng() % 3 : 26 + rng() % 3);
            return Decimal::fromParts(rng() % 2, c, scale);
        };
        for (int i = 0; i < 24000; ++i) {
            const Decimal a = operand(i % 3, false);
            const std::string wrong = mismatch(a, "+-*/"[i % 4], operand(i % 3, true), int(rng() % 30));
            QVERIFY2(wrong.empty(), wrong.c_str());
        }
    }

    // Worked by hand. Results keep the places of their operands as far as 96 bits allow, ties going to even.
    void sumsAndDifferencesLosePlacesBeforeTheyOverflow() {
        QCOMPARE(errorOf([] { return dec(u"79228162514264337593543950335") + dec(u"0.5"); }), "Number too large");
        QCOMPARE((dec(u"79228162514264337593543950335") - dec(u"0.5")).toString(), "79228162514264337593543950334");
        QCOMPARE((dec(u"79228162514264337593543950335") - dec(u"1.5")).toString(), "79228162514264337593543950334");
        QCOMPARE((dec(u"-1.5") + dec(u"1.50")).toString(), "0.00");
    }

    void productsAndQuotientsKeepThePlacesTheyNeed() {
        QCOMPARE((dec(u"79228162514264337593543950335") * dec(u"1.0")).toString(), "79228162514264337593543950335");
        QCOMPARE((dec(u"-0.0000000000000000000000000001") * dec(u"0.1")).toString(), "0.0000000000000000000000000000");
        QCOMPARE(errorOf([] { return dec(u"1") / dec(u"0"); }), "Division by zero");
        QCOMPARE((dec(u"0.00") / dec(u"5")).toString(), "0.00");
        QCOMPARE((dec(u"1.00") / dec(u"4")).toString(), "0.25");
        QCOMPARE((dec(u"1.000") / dec(u"1")).toString(), "1.000");
        QCOMPARE((dec(u"2") / dec(u"3")).toString(), "0.6666666666666666666666666667");
    }

    void equalValuesCompareEqualWhateverTheirPlaces() {
        QCOMPARE(comparison(u"1.10", u"1.1"), "equal");
        QCOMPARE(comparison(u"-0.00", u"0"), "equal");
    }

    // A text is read with its trailing zeros, rounded to the places that fit, ties going to even.
    void aTextIsReadAsWrittenOrRoundedToThePlacesThatFit() {
        QCOMPARE(dec(u"-12.340").toString(), "-12.340");
        QCOMPARE(errorOf([] { return dec(u"1e3"); }), "Not a number");
        QCOMPARE(errorOf([] { return dec(u"792281625142643375935439503350"); }), "Number too large");
        QCOMPARE(dec(u"7922816251426433759354395033.45").toString(), "7922816251426433759354395033.4");
        QCOMPARE(dec(u"0.00000000000000000000000000025").toString(), "0.0000000000000000000000000002");
        QCOMPARE(dec(u"0.000000000000000000000000000250000000000000000000000000000000000000000000000000000000000001")
                     .toString(),
                 "0.0000000000000000000000000003");
    }
};

QTEST_GUILESS_MAIN(TestDecimal)
#include "tst_decimal.moc"
