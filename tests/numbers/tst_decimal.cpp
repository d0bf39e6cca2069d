#include "tests/numbers/DecimalReference.h"

#include <QTest>

#include <array>
#include <random>

class TestDecimal : public QObject {
    Q_OBJECT

private slots:
    // Family 0: any scale and coefficient size, zero included. 1: coefficients next to the 96-bit limit, whose sums
    // and products must lose places or overflow. 2: a first operand at 26 to 28 places and a small second one (2,
    // 0.5, 0.25, 1.25, ...) that halves or doubles it, so that results fall halfway next to even and odd digits.
    void matchesExactRationals() {
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

    // Worked by hand: "a op b = result", where '<' gives -1, 0 or 1 as a compares with b; "a + 0" shows a as read.
    void edgeCases_data() {
        QTest::addColumn<QString>("row");
        // clang-format off
        for (const char* row : {
                 "79228162514264337593543950335 + 0.5 = Number too large", "1 / 0 = Division by zero",
                 "79228162514264337593543950335 - 0.5 = 79228162514264337593543950334", "1.10 < 1.1 = 0",
                 "79228162514264337593543950335 - 1.5 = 79228162514264337593543950334", "-0.00 < 0 = 0",
                 "79228162514264337593543950335 * 1.0 = 79228162514264337593543950335", "-1.5 + 1.50 = 0.00",
                 "0.00 / 5 = 0.00", "1.00 / 4 = 0.25", "1.000 / 1 = 1.000", "2 / 3 = 0.6666666666666666666666666667",
                 "-0.0000000000000000000000000001 * 0.1 = 0.0000000000000000000000000000", "-12.340 + 0 = -12.340",
                 "1e3 + 0 = Not a number", "792281625142643375935439503350 + 0 = Number too large",
                 "7922816251426433759354395033.45 + 0 = 7922816251426433759354395033.4",
                 "0.00000000000000000000000000025 + 0 = 0.0000000000000000000000000002",
                 "0.000000000000000000000000000250000000000000000000000000000000000000000000000000000000000001 + 0 = "
                 "0.0000000000000000000000000003"})
            // clang-format on
            QTest::newRow(row) << QString::fromLatin1(row);
    }
    void edgeCases() {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const std::string actual = outcome([&] {
            return apply(Decimal::fromString(words[0]), words[1][0].toLatin1(), Decimal::fromString(words[2]));
        });
        QCOMPARE(QString::fromStdString(actual), row.section(u' ', 4));
    }
};

QTEST_GUILESS_MAIN(TestDecimal)
#include "tst_decimal.moc"
