// The Calculate button on the real window: the payment summary, the defaults it fills in, what each
// failure leaves behind, and the boxes the user sees.
#include "Decimal.h"
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "InputBox.h"
#include "SharedState.h"
#include "WrappingCheckBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {
const QString kHyphens21(21, QLatin1Char('-'));
const QString kHyphens13(13, QLatin1Char('-'));
} // namespace

class TestForm1Calculate : public FormTestCase {
    Q_OBJECT

private slots:
    void workedCase() {
        typeLoan();
        type(*form().Text4, QStringLiteral("1200"));
        type(*form().Text5, QStringLiteral("600"));
        // Tab from the insurance box reaches Calculate, and Return presses it.
        QTest::keyClick(form().Text5, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form().Command1);
        QTest::keyClick(form().Command1, Qt::Key_Return);

        QCOMPARE(rowTexts(1), (QStringList{"Montly PayMent: ", "1199.1"}));
        // The view shows the payment summary at the top, not the end of the schedule just written.
        FlexGrid& grid = *form().MSHFlexGrid1;
        QCoreApplication::processEvents();
        QCOMPARE(grid.verticalScrollBar()->value(), 0);
        QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.model()->index(5, 1))));
        QCOMPARE(rowTexts(2), (QStringList{"Tax: ", "1200"}));
        QCOMPARE(rowTexts(3), (QStringList{"Annual Insur: ", "600"}));
        QCOMPARE(rowTexts(4), (QStringList{kHyphens21, kHyphens13}));
        QCOMPARE(rowTexts(5), (QStringList{"Total Amount To Pay Monthly =", "2999.1"}));
        QCOMPARE(MonthlyRate, Decimal::fromString(u"0.005"));
        // Kept unrounded: 1199.101050305...
        QVERIFY(MonthlyPayment > Decimal::fromString(u"1199.101050305"));
        QVERIFY(MonthlyPayment < Decimal::fromString(u"1199.101050306"));

        // Bold and background of each cell: white 16777215, red 255, yellow 65535.
        QStringList formats;
        for (int row = 1; row <= 5; ++row) {
            for (int col = 0; col <= 1; ++col) {
                grid.setCol(col);
                grid.setRow(row);
                formats << QStringLiteral("%1%2").arg(grid.cellFontBold() ? "B" : "").arg(grid.cellBackColor());
            }
        }
        QCOMPARE(formats, QString("B16777215 B255 16777215 65535 16777215 65535 65535 65535 B255 B255").split(' '));

        // Auto-fitted: the total's caption, at the cell's 10 points, with the 400-twip margin.
        QFont cellFont(grid.defaultFontName());
        cellFont.setPointSize(10);
        const double captionTwips = QFontMetricsF(cellFont).horizontalAdvance(rowTexts(5)[0]) * 15;
        QVERIFY2(grid.colWidth(0) >= captionTwips + 400, qPrintable(QString::number(grid.colWidth(0))));

        // The schedule follows, 30 years from this year.
        QCOMPARE(grid.cols(), 5);
        QCOMPARE(grid.rows(), 464);
        QCOMPARE(grid.textAt(8, 0), form().Text6->text());
    }

    void missingInput_data() {
        QTest::addColumn<QString>("emptied");
        QTest::newRow("length") << "Text1";
        QTest::newRow("rate") << "Text2";
        QTest::newRow("principal") << "Text3";
    }

    void missingInput() {
        QFETCH(QString, emptied);
        form().Check1->setValue(0);
        typeLoan();
        calculate();
        form().Text4->clear();
        form().Text5->clear();
        form().findChild<InputBox*>(emptied)->clear();
        MonthlyRate = Decimal::fromInteger(5);

        calculate();
        const QList<ModalWatcher::SeenBox> seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Missing Info"));
        QCOMPARE(seen[0].text, QStringLiteral("Missing information please check your work"));
        QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
        QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen[0].applicationModal);
        QCOMPARE(form().Text4->text() + form().Text5->text(), QString());
        QCOMPARE(MonthlyRate, Decimal::fromInteger(5));
        QCOMPARE(form().MSHFlexGrid1->rows(), 6);
        QCOMPARE(rowTexts(5)[1], QStringLiteral("1199.1"));
        // The first of the three boxes left empty is the one to fill in.
        QCOMPARE(form().focusWidget(), form().findChild<InputBox*>(emptied));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("inputs");  // Text1 to Text5; blanks are pasted, the rest typed
        QTest::addColumn<QString>("namedBox");    // the box the message names
        QTest::addColumn<QString>("leftBehind");  // R rate stored, 0 defaults filled, P payment stored
        QTest::addColumn<QStringList>("lastRow"); // the grid's last row afterwards

        const QStringList empty{"", ""};
        const QStringList firstLabel{"Montly PayMent: ", ""};
        const QStringList hyphens{kHyphens21, kHyphens13};
        const auto row = [](const char* name, const char* inputs, const char* box, const char* left, QStringList last) {
            QTest::newRow(name) << QString(inputs).split('|') << box << left << last;
        };
        row("rate with a slash", "30|6/|200000||", "Text2", "", empty);
        row("rate a colon", "30|:|200000||", "Text2", "", empty);
        row("length a colon", "3:0|6|200000||", "Text1", "R", empty);
        row("length beyond 32 bits", "999999999|6|200000||", "Text1", "R", empty);
        row("principal two points", "30|6|1.2.3||", "Text3", "R0", firstLabel);
        row("principal of blanks", "30|6| ||", "Text3", "R0", firstLabel);
        row("rate of zero", "30|0|200000||", "Text2", "R0", firstLabel);
        row("length of zero", "0|6|200000||", "Text1", "R0", firstLabel);
        row("insurance a lone point", "30|6|200000|1200|.", "Text5", "RP", hyphens);
        row("tax with a slash", "30|6|200000|12/5|600", "Text4", "RP", hyphens);
    }

    void failures() {
        QFETCH(QStringList, inputs);
        QFETCH(QString, namedBox);
        QFETCH(QString, leftBehind);
        QFETCH(QStringList, lastRow);
        const QList<InputBox*> boxes5{form().Text1, form().Text2, form().Text3, form().Text4, form().Text5};
        for (int i = 0; i < 5; ++i) {
            if (inputs[i].trimmed().isEmpty())
                boxes5[i]->setText(inputs[i]);
            else
                type(*boxes5[i], inputs[i]);
        }
        MonthlyRate = Decimal::fromInteger(77);
        MonthlyPayment = Decimal::fromInteger(88);

        calculate();

        const QList<ModalWatcher::SeenBox> seen = boxes().take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, QStringLiteral("Pellmarsh v1.0"));
        // The message names the box by the label the window shows, and that box is then ready to correct.
        auto* box = form().findChild<InputBox*>(namedBox);
        const QString label = form().findChild<QLabel*>(QStringLiteral("Label") + namedBox.back())->text().trimmed();
        QVERIFY2(seen[0].text.contains(u'"' + label + u'"') && !seen[0].text.contains(namedBox),
                 qPrintable(seen[0].text));
        QCOMPARE(form().focusWidget(), box);
        QCOMPARE(box->selectedText(), box->text());
        QCOMPARE(MonthlyRate != Decimal::fromInteger(77), leftBehind.contains('R'));
        QCOMPARE(MonthlyPayment != Decimal::fromInteger(88), leftBehind.contains('P'));
        QStringList expectedInputs = inputs;
        if (leftBehind.contains('0'))
            expectedInputs[3] = expectedInputs[4] = QStringLiteral("0");
        for (int i = 0; i < 5; ++i)
            QCOMPARE(boxes5[i]->text(), expectedInputs[i]);
        const int rows = form().MSHFlexGrid1->rows();
        QCOMPARE(rows, lastRow == hyphens() ? 5 : 2);
        QCOMPARE(form().MSHFlexGrid1->cols(), 2);
        QCOMPARE(rowTexts(rows - 1), lastRow);

        // The window carries on: with the inputs mended the next Calculate goes through.
        for (InputBox* box : boxes5)
            box->clear();
        form().Check1->setValue(0);
        typeLoan();
        calculate();
        QCOMPARE(rowTexts(5)[1], QStringLiteral("1199.1"));
    }

    // After a schedule, the summary is rewritten, the schedule's rows go and its columns stay; empty tax
    // and insurance become 0 and the total is the payment alone.
    void secondCalculate() {
        typeLoan();
        calculate();
        QCOMPARE(form().MSHFlexGrid1->rows(), 464);
        form().Text4->clear();
        form().Text5->clear();
        QTest::mouseClick(form().Check1, Qt::LeftButton);
        form().Command1->setFocus();
        QTest::keyClick(form().Command1, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(form().MSHFlexGrid1->rows(), 6);
        QCOMPARE(form().MSHFlexGrid1->cols(), 5);
        QCOMPARE(form().Text4->text() + form().Text5->text(), QStringLiteral("00"));
        QCOMPARE(rowTexts(2)[1] + rowTexts(3)[1], QStringLiteral("00"));
        QCOMPARE(rowTexts(5)[1], QStringLiteral("1199.1"));
        QCOMPARE(form().MSHFlexGrid1->textAt(3, 4), QString());
    }

private:
    static QStringList hyphens() { return {kHyphens21, kHyphens13}; }
};

QTEST_MAIN(TestForm1Calculate)
#include "tst_form1calculate.moc"
