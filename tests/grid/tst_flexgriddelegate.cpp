// Very long cell texts are laid out only as far as they can show: the grid paints exactly the pixels the
// standard delegate paints from the whole text, and the cell keeps every character.
#include "FlexGrid.h"
#include "FlexGridDelegate.h"

#include <QStyledItemDelegate>
#include <QTest>

namespace {
const QString kSmile = QStringLiteral("\U0001F600");

QString repeated(const QString& piece, int times) {
    return piece.repeated(times);
}
} // namespace

class TestFlexGridDelegate : public QObject {
    Q_OBJECT

private slots:
    void paintsAsTheWholeText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment"); // the grid's code: 1 left, 2 left bottom, 3 centre top, 4 centre,
                                            // 6 right top, 7 right
        const QString digits = repeated(QStringLiteral("1234567890"), 3000);
        const QString mixed = repeated(QStringLiteral("a\u0436\u4e2d.") + kSmile, 5000);
        QString lines; // short and long lines, each numbered
        for (int line = 0; line < 400; ++line)
            lines += QStringLiteral("%1 %2\n").arg(line).arg(QString(line % 3 == 0 ? 5 : 500, QChar(u'0' + line % 10)));
        for (int alignment : {1, 2, 3, 4, 6, 7}) {
            QTest::addRow("digits, alignment %d", alignment) << digits << alignment;
            QTest::addRow("other scripts and surrogates, alignment %d", alignment) << mixed << alignment;
            QTest::addRow("400 lines, alignment %d", alignment) << lines << alignment;
        }
        QTest::newRow("just over the limit") << QString(FlexGridDelegate::kLongTextLength + 1, u'8') << 7;
    }

    void paintsAsTheWholeText() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        FlexGrid grid;
        grid.resize(420, 300);
        grid.setRows(4);
        grid.setCols(3);
        grid.setColWidth(1, 3000);  // 200 pixels, half inside the view
        grid.setRowHeight(1, 2400); // 160 pixels
        grid.setColWidth(0, 4000);
        grid.setRow(1);
        grid.setCol(1);
        grid.setText(text);
        grid.setCellAlignment(static_cast<std::int16_t>(alignment));
        grid.setRow(3); // the cell is not drawn as selected
        grid.show();
        grid.flush();

        const QImage drawn = grid.grab().toImage();
        grid.setItemDelegate(new QStyledItemDelegate(&grid));
        QCOMPARE(drawn, grid.grab().toImage());
        QCOMPARE(grid.textAt(1, 1), text);
    }

    void visiblePart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("part"); // "whole", "start" or "end" of the text, at most 300 characters
        const QString huge(1'000'000, u'9');
        QTest::newRow("short text whole") << QStringLiteral("12345") << int(Qt::AlignRight) << "whole";
        QTest::newRow("left: the start") << huge << int(Qt::AlignLeft | Qt::AlignVCenter) << "start";
        QTest::newRow("right: the end") << huge << int(Qt::AlignRight | Qt::AlignVCenter) << "end";
        QTest::newRow("centred: whole") << huge << int(Qt::AlignCenter) << "whole";
        QTest::newRow("pairs stay whole") << repeated(kSmile, 5000) << int(Qt::AlignLeft) << "start";
        QTest::newRow("pairs stay whole, right")
            << QStringLiteral("x") + repeated(kSmile, 5000) << int(Qt::AlignRight) << "end";
    }

    // A 100 x 10 pixel cell.
    void visiblePart() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(QString, part);
        const QString shown = FlexGridDelegate::visiblePart(text, Qt::Alignment(alignment), 100, 10);
        if (part == QLatin1String("whole")) {
            QCOMPARE(shown, text);
            return;
        }
        QVERIFY2(shown.size() >= 200 && shown.size() <= 300, qPrintable(QString::number(shown.size())));
        QVERIFY(part == QLatin1String("start") ? text.startsWith(shown) : text.endsWith(shown));
        QVERIFY(!shown.front().isLowSurrogate() && !shown.back().isHighSurrogate());
    }
};

QTEST_MAIN(TestFlexGridDelegate)
#include "tst_flexgriddelegate.moc"
