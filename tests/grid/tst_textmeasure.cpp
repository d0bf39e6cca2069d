// Measuring cell texts: quick sums for amounts must give exactly the width that shaping gives.
#include "TextMeasure.h"
#include "Twips.h"
#include "WindowFont.h"

#include <QFontMetricsF>
#include <QTest>

class TestTextMeasure : public QObject {
    Q_OBJECT

private slots:
    void measuresAsShapingDoes_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("text");
        // The texts the schedule fits, in the sizes it writes them (10 the cells, 12 the header, 25 the
        // largest of the list), and texts that must take the shaped way.
        const QStringList texts = {"199800.9",           "0",        "2007",   "1199.1",
                                   "231676.38",          "-0.01",    "4.9",    QString(22, u'-'),
                                   "Total End Of Year",  "Balance ", "12 345", "1,5",
                                   "\u0661\u0662\u0663", "7.-7-.",   "1111",   "-11.11"};
        for (const auto& [family, points] :
             {std::pair{"Times New Roman", 10}, {"Times New Roman", 12}, {"Times New Roman", 25}, {"DejaVu Sans", 8}}) {
            for (const QString& text : texts) {
                QTest::addRow("%s %d \"%s\"", family, points, qPrintable(text)) << QString(family) << points << text;
            }
        }
    }

    void measuresAsShapingDoes() {
        QFETCH(QString, family);
        QFETCH(int, points);
        QFETCH(QString, text);
        QFont font(family);
        font.setPointSize(points);
        const double shapedTwips = QFontMetricsF(font).horizontalAdvance(text) * Twips::perPixel();

        QObject window;
        WindowFont& windowFont = *new WindowFont(&window);
        windowFont.setName(family);
        windowFont.setSize(points);
        // The first measure fills what is kept; the second reads it back.
        for (int pass = 0; pass < 2; ++pass) {
            const double measured = windowFont.textWidth(text);
            QVERIFY2(std::abs(measured - shapedTwips) <= 0.01,
                     qPrintable(QStringLiteral("%1 twips, shaped %2").arg(measured).arg(shapedTwips)));
        }
    }

    void addsAmountsInTheGridsFont() {
        // The cells' typeface kerns only pairs among digits, points and minus signs: the quick way applies.
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSize(10);
        TextMeasure measure(font);
        QVERIFY(measure.addsNumberAdvances());
        QCOMPARE(measure.width(u"1199.11"), QFontMetricsF(font).horizontalAdvance(QStringLiteral("1199.11")));
    }
};

QTEST_MAIN(TestTextMeasure)
#include "tst_textmeasure.moc"
