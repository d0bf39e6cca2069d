// The window's controls in the design's colours: the design's colour numbers (red in the low byte) as
// colours, and the labels as the window paints them.
#include "app/ControlFactory.h"
#include "tests/app/FormTestCase.h"

#include <QLabel>
#include <QTest>

class TestControlColours : public FormTestCase {
    Q_OBJECT

private slots:
    void colourNumbersHaveRedInTheLowByte_data() {
        QTest::addColumn<uint>("number");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red 255") << 255u << QColor(255, 0, 0);
        QTest::newRow("green 65280") << 65280u << QColor(0, 255, 0);
        QTest::newRow("blue 16711680") << 16711680u << QColor(0, 0, 255);
        QTest::newRow("white 16777215") << 16777215u << QColor(255, 255, 255);
        QTest::newRow("black 0") << 0u << QColor(0, 0, 0);
        QTest::newRow("dark red 128") << 128u << QColor(128, 0, 0);
        QTest::newRow("each byte its own") << 0x123456u << QColor(0x56, 0x34, 0x12);
    }
    void colourNumbersHaveRedInTheLowByte() {
        QFETCH(uint, number);
        QTEST(ControlFactory::colourFromRgbValue(number), "colour");
    }

    // The font size's label (hidden as designed) is white on dark red and the loan's labels black on white, as
    // the window draws them, whatever the desktop's scheme.
    void labelsShowTheDesignsColours_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<QColor>("text");
        QTest::newRow("Label7, the font size") << "Label7" << QColor(128, 0, 0) << QColor(255, 255, 255);
        QTest::newRow("Label1, the length") << "Label1" << QColor(255, 255, 255) << QColor(0, 0, 0);
        QTest::newRow("Label6") << "Label6" << QColor(255, 255, 255) << QColor(0, 0, 0);
    }
    void labelsShowTheDesignsColours() {
        QFETCH(QString, label);
        QFETCH(QColor, back);
        auto* control = form().findChild<QLabel*>(label);
        QVERIFY(control);
        const QImage drawn = control->grab().toImage();
        QCOMPARE(drawn.pixelColor(drawn.width() - 1, drawn.height() - 1), back);
        QCOMPARE(control->palette().color(control->backgroundRole()), back);
        QTEST(control->palette().color(control->foregroundRole()), "text");
    }
};

QTEST_MAIN(TestControlColours)
#include "tst_controlcolours.moc"
