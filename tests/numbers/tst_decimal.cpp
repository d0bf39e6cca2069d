#include "Decimal.h"
#include "RuntimeError.h"

#include <QTest>

class TestDecimal : public QObject {
    Q_OBJECT

private slots:
    void arithmetic_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sum keeps scale") << "1.10"
                                         << "+"
                                         << "1"
                                         << "2.10";
        QTest::newRow("quarter") << "1"
                                 << "/"
                                 << "4"
                                 << "0.25";
        QTest::newRow("quarter of 1.00") << "1.00"
                                         << "/"
                                         << "4"
                                         << "0.25";
        QTest::newRow("exact whole quotient") << "10"
                                              << "/"
                                              << "2"
                                              << "5";
        QTest::newRow("third") << "1"
                               << "/"
                               << "3"
                               << "0.3333333333333333333333333333";
        QTest::newRow("product scale") << "1.10"
                                       << "*"
                                       << "2"
                                       << "2.20";
        QTest::newRow("difference changes sign") << "1"
                                                 << "-"
                                                 << "2.5"
                                                 << "-1.5";
    }
    void arithmetic() {
        QFETCH(QString, a);
        QFETCH(QString, op);
        QFETCH(QString, b);
        QFETCH(QString, expected);
        const Decimal x = Decimal::fromString(a);
        const Decimal y = Decimal::fromString(b);
        const Decimal result = op == u"+" ? x + y : op == u"-" ? x - y : op == u"*" ? x * y : x / y;
        QCOMPARE(result.toString(), expected);
    }
};

QTEST_GUILESS_MAIN(TestDecimal)
#include "tst_decimal.moc"
