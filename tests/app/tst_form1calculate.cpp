// The Calculate button on the real window: whole grids against golden files, the worked case typed in,
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
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

class TestForm1Calculate : public FormTestCase {
    Q_OBJECT

private slots:
    // Every cell of the grid: text, font, size, bold, italic, back and fore colour, alignment.
    void golden_data() {
        QTest::addColumn<QString>("texts");
        QTest::newRow("30-y-6-200000") << "30|6|200000|1200|600|2007"; // 464 rows
        QTest::newRow("1-y-6-12000") << "1|6|12000|||2007";
        QTest::newRow("2.5-y-6-12000") << "2.5|6|12000|||2007"; // months on rows 8-19, 23-34, 38-43; 53 rows
    }
    void golden() {
        QFETCH(QString, texts);
        fill(texts.split(u'|'));
        calculate();
        const QStringList seen = CalculateCheck::cells(*form().MSHFlexGrid1);
        QFile file(QFINDTESTDATA("golden/" + QString::fromLatin1(QTest::currentDataTag()) + ".tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < std::max(seen.size(), expected.size()); ++i)
            QCOMPARE(seen.value(i), expected.value(i));
    }

    // Typed in: Tab from the insurance box reaches Calculate and Return presses it; later keypad Enter
    // does, after the tick is taken off: the summary is rewritten, the schedule's rows go, its columns stay.
    void workedCase() {
        const QStringList typed{"30", "6", "200000", "1200", "600"};
        for (int i = 0; i < 5; ++i) {
            form().findChild<QWidget*>("Text" + QString::number(i + 1))->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(QApplication::focusWidget(), typed[i]);
        }
        // Return and Escape elsewhere never press Calculate: it is neither the default nor the cancel button.
        QSignalSpy clicks(form().Command1, &QPushButton::clicked);
        for (QWidget* focus : std::initializer_list<QWidget*>{form().Text1, form().Check1, form().Text5}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            QTest::keyClick(focus, Qt::Key_Escape);
        }
        QCOMPARE(clicks.count(), 0);
        QTest::keyClick(form().Text5, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form().Command1);
        QTest::keyClick(form().Command1, Qt::Key_Return);
        FlexGrid& grid = *form().MSHFlexGrid1;
        QCOMPARE(grid.textAt(5, 1), QStringLiteral("2999.1"));
        QCOMPARE(grid.textAt(8, 0), form().Text6->text()); // this year
        // The view shows the payment summary at the top, not the end of the schedule just written.
        QCoreApplication::processEvents();
        QCOMPARE(grid.verticalScrollBar()->value(), 0);
        QCOMPARE(MonthlyRate, Decimal::fromString(u"0.005"));
        QCOMPARE(MonthlyPayment.toString().left(14), QStringLiteral("1199.101050305")); // kept unrounded
        // Auto-fitted: the total's caption, at the cell's 10 points, with the 400-twip margin.
        QFont cellFont(grid.defaultFontName());
        cellFont.setPointSize(10);
        QVERIFY(grid.colWidth(0) >= QFontMetricsF(cellFont).horizontalAdvance(grid.textAt(5, 0)) * 15 + 400);

        form().Text4->clear();
        form().Text5->clear();
        QTest::mouseClick(form().Check1, Qt::LeftButton);
        QTest::keyClick(form().Command1, Qt::Key_Enter, Qt::KeypadModifier);
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

    void failures_data() {
        QTest::addColumn<QString>("texts");      // Text1 to Text6
        QTest::addColumn<QString>("named");      // the box the message names by its label; none: missing input
        QTest::addColumn<QString>("leftBehind"); // R rate stored, 0 defaults filled, P payment stored
        QTest::addColumn<int>("rows");           // the grid's rows afterwards
        QTest::addColumn<QString>("focused");    // the box given the focus, its text selected
        const auto row = [](const char* name, QString texts, const char* box, const char* left, int rows,
                            const char* focused = nullptr) {
            QTest::newRow(name) << texts << box << left << rows << (focused ? focused : box);
        };
        row("length missing", "|6|200000|||", "", "", 2, "Text1"); // the first of the three left empty
        row("rate missing", "30|||||", "", "", 2, "Text2");
        row("principal missing", "30|6||||", "", "", 2, "Text3");
        row("rate with a slash", "30|6/|200000|||", "Text2", "", 2);
        row("rate a colon", "30|:|200000|||", "Text2", "", 2);
        row("length a colon", "3:0|6|200000|||", "Text1", "R", 2);
        row("length beyond 32 bits", "999999999|6|200000|||", "Text1", "R", 2);
        row("principal two points", "30|6|1.2.3|||", "Text3", "R0", 2);
        row("principal of blanks", "30|6| |||", "Text3", "R0", 2);
        row("rate of zero", "30|0|200000|||", "Text2", "R0", 2);
        row("1 + rate is 1 as a double", "30|0.0000000000001|1|||", "Text1", "R0", 2, "Text2");
        row("length of zero", "0|6|200000|||", "Text1", "R0", 2);
        row("insurance a lone point", "30|6|200000|1200|.|", "Text5", "RP", 5);
        row("tax with a slash", "30|6|200000|12/5|600|", "Text4", "RP", 5);
        row("tax beyond the largest double", "30|6|200000|" + QString(1'000'000, u'9') + "|600|", "Text4", "RP", 5);
        row("start year 40000", "2|6|12000|||40000", "Text6", "RP0", 38);
        row("end year 32768", "1|6|12000|||32767", "Text6", "RP0", 23, "Text1");
        row("start year not a number", "1|6|12000|||2007:", "Text6", "RP0", 23);
        row("n + 8 beyond 16 bits", "2730|6|12000|||2007", "Text1", "RP0", 8);
        row("rows beyond 16 bits", "2184|6|12000|||2007", "Text1", "RP0", 8);
        row("n beyond 16 bits", "2731|6|12000|||2007", "Text1", "RP0", 6);
    }
    void failures() {
        QFETCH(QString, texts);
        QFETCH(QString, named);
        QFETCH(QString, leftBehind);
        QFETCH(QString, focused);
        MonthlyRate = Decimal::fromInteger(77);
        MonthlyPayment = Decimal::fromInteger(88);
        QStringList inputs = texts.split(u'|');
        fill(inputs);
        calculate();

        const QList<SeenBox> seen = takeBoxes();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen[0].modality, Qt::ApplicationModal);
        if (named.isEmpty()) {
            QCOMPARE(seen[0].title + u'|' + seen[0].text, "Missing Info|Missing information please check your work");
            QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
        } else {
            QCOMPARE(seen[0].title, QStringLiteral("Pellmarsh v1.0"));
            QCOMPARE(seen[0].icon, QMessageBox::Critical);
            // The message names the box by the label the window shows, never by its design name.
            const QString label = form().findChild<QLabel*>(named.replace("Text", "Label"))->text().trimmed();
            QVERIFY2(seen[0].text.contains(u'"' + label + u'"') && !seen[0].text.contains("Text"),
                     qPrintable(seen[0].text.left(300)));
        }
        QCOMPARE(form().focusWidget()->objectName(), focused);
        if (auto* box = qobject_cast<InputBox*>(form().focusWidget()))
            QVERIFY(box->selectedText() == box->text());
        QCOMPARE(MonthlyRate != Decimal::fromInteger(77), leftBehind.contains('R'));
        QCOMPARE(MonthlyPayment != Decimal::fromInteger(88), leftBehind.contains('P'));
        if (leftBehind.contains('0'))
            inputs[3] = inputs[4] = QStringLiteral("0");
        for (int i = 0; i < 6; ++i)
            QVERIFY(form().findChild<InputBox*>("Text" + QString::number(i + 1))->text() == inputs[i]);
        QTEST(form().MSHFlexGrid1->rows(), "rows");
        // The window carries on: with the inputs mended the next Calculate goes through.
        fill({"1", "6", "12000", "", "", "2007"});
        calculate();
        QCOMPARE(form().MSHFlexGrid1->rows(), 29);
    }
};

QTEST_MAIN(TestForm1Calculate)
#include "tst_form1calculate.moc"
