// The Calculate button on the real window: whole grids against golden files, pressed from the keyboard,
// what each failure leaves behind, and the boxes the user sees.
#include "CalculateCheck.h"
#include "Decimal.h"
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "InputBox.h"
#include "SharedState.h"
#include "WrappingCheckBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

class TestForm1Calculate : public FormTestCase {
    Q_OBJECT

private slots:
    // Every cell of the grid: text, font, size, bold, italic, back and fore colour, alignment. Return and
    // Escape elsewhere never press Calculate (it is neither the default nor the cancel button); Return or
    // keypad Enter on the focused button does, and the view shows the summary at the top, not the end of
    // the schedule just written.
    void golden_data() {
        QTest::addColumn<QString>("texts");
        QTest::addColumn<int>("key");
        QTest::newRow("30-y-6-200000") << "30|6|200000|1200|600|2007" << int(Qt::Key_Return); // 464 rows
        QTest::newRow("1-y-6-12000") << "1|6|12000|||2007" << int(Qt::Key_Enter);
        QTest::newRow("2.5-y-6-12000") << "2.5|6|12000|||2007"
                                       << int(Qt::Key_Return); // months on rows 8-19, 23-34, 38-43
    }
    void golden() {
        QFETCH(QString, texts);
        QFETCH(int, key);
        fill(texts.split(u'|'));
        QSignalSpy clicks(form().Command1, &QPushButton::clicked);
        for (QWidget* focus : std::initializer_list<QWidget*>{form().Text1, form().Check1, form().Text5}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            QTest::keyClick(focus, Qt::Key_Escape);
        }
        QCOMPARE(clicks.count(), 0);
        form().Command1->setFocus();
        QTest::keyClick(form().Command1, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        const QStringList seen = CalculateCheck::cells(*form().MSHFlexGrid1);
        const QStringList expected = goldenLines(QString::fromLatin1(QTest::currentDataTag()) + ".tsv");
        for (qsizetype i = 0; i < std::max(seen.size(), expected.size()); ++i)
            QCOMPARE(seen.value(i), expected.value(i));
        QCoreApplication::processEvents();
        QCOMPARE(form().MSHFlexGrid1->verticalScrollBar()->value(), 0);
    }

    // The payment is kept unrounded; the first column fits the total's caption, at the cell's 10 points,
    // with the 400-twip margin. With the tick taken off, the summary is rewritten with the empty tax and
    // insurance as 0, the schedule's rows go, its columns stay.
    void summaryWithoutTheSchedule() {
        fill({"30", "6", "200000", "1200", "600"});
        calculate();
        FlexGrid& grid = *form().MSHFlexGrid1;
        QCOMPARE(MonthlyPayment.toString().left(14), QStringLiteral("1199.101050305"));
        QFont cellFont(grid.defaultFontName());
        cellFont.setPointSize(10);
        QVERIFY(grid.colWidth(0) >= QFontMetricsF(cellFont).horizontalAdvance(grid.textAt(5, 0)) * 15 + 400);
        fill({"30", "6", "200000", "", ""});
        QTest::mouseClick(form().Check1, Qt::LeftButton);
        calculate();
        QCOMPARE(QSize(grid.cols(), grid.rows()), QSize(5, 6));
        QCOMPARE(form().Text4->text() + form().Text5->text() + grid.textAt(2, 1) + grid.textAt(3, 1), "0000");
        QCOMPARE(grid.textAt(5, 1) + grid.textAt(3, 4), QStringLiteral("1199.1"));
    }

    // A number of 1,000,000 characters pasted into the tax box keeps every character through Calculate
    // and the paint of its cell, and the box goes on taking keys.
    void hugeTax() {
        const QString huge = QStringLiteral("1200.") + QString(999'995, u'0');
        QApplication::clipboard()->setText(huge);
        fill({"30", "6", "200000"});
        form().Text4->setFocus();
        QTest::keyClick(form().Text4, Qt::Key_Insert, Qt::ShiftModifier);
        calculate();
        form().repaint();
        QVERIFY(form().MSHFlexGrid1->textAt(2, 1) == huge && form().MSHFlexGrid1->rows() == 464);
        QTest::keyClicks(form().Text4, QStringLiteral("\b"));
        QVERIFY(form().Text4->text() == huge.chopped(1));
    }

    // One message per failure point (golden/failures.tsv), naming the box by the label the window shows;
    // the focus on the box, its text selected; what is left behind. (That the next Calculate is not
    // disturbed by what a failure left, the random-use test proves against a fresh window.)
    void failures_data() {
        QTest::addColumn<QStringList>("f");
        for (const QString& line : goldenLines("failures.tsv"))
            QTest::newRow(qPrintable(line.section(u'\t', 0, 0))) << line.split(u'\t');
    }
    void failures() {
        QFETCH(QStringList, f);
        MonthlyRate = Decimal::fromInteger(77);
        MonthlyPayment = Decimal::fromInteger(88);
        QStringList inputs = f[1].split(u'|');
        fill(inputs);
        calculate();
        const QList<SeenBox> seen = takeBoxes();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen[0].modality, Qt::ApplicationModal);
        if (f[2] == u'-') {
            QCOMPARE(seen[0].title + u'|' + seen[0].text, "Missing Info|Missing information please check your work");
            QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
        } else {
            QCOMPARE(seen[0].title, QStringLiteral("Pellmarsh v1.0"));
            QCOMPARE(seen[0].icon, QMessageBox::Critical);
            const QString label = form().findChild<QLabel*>(f[2].replace("Text", "Label"))->text().trimmed();
            QVERIFY2(seen[0].text.contains(u'"' + label + u'"') && !seen[0].text.contains("Text"),
                     qPrintable(seen[0].text.left(300)));
        }
        QCOMPARE(form().focusWidget()->objectName(), f[5]);
        if (auto* box = qobject_cast<InputBox*>(form().focusWidget()))
            QVERIFY(box->selectedText() == box->text());
        QCOMPARE(MonthlyRate != Decimal::fromInteger(77), f[3].contains('R'));
        QCOMPARE(MonthlyPayment != Decimal::fromInteger(88), f[3].contains('P'));
        if (f[3].contains('0'))
            inputs[3] = inputs[4] = QStringLiteral("0");
        for (int i = 0; i < 6; ++i)
            QVERIFY(form().findChild<InputBox*>("Text" + QString::number(i + 1))->text() == inputs[i]);
        QCOMPARE(form().MSHFlexGrid1->rows(), f[4].toInt());
    }
};

QTEST_MAIN(TestForm1Calculate)
#include "tst_form1calculate.moc"
