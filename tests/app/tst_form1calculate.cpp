// The Calculate button on the real window: the payment summary, the defaults it fills in, what each
// failure leaves behind, and the message boxes the user sees.
#include "Decimal.h"
#include "FlexGrid.h"
#include "Form1.h"
#include "FormHarness.h"
#include "InputBox.h"
#include "SharedState.h"
#include "WindowFont.h"
#include "WrappingCheckBox.h"

#include <QFontMetricsF>
#include <QTest>

#include <memory>

namespace {

constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kYellow = 65535;
constexpr std::uint32_t kWhite = 16777215;

const QString kHyphens21 = QString(21, QLatin1Char('-'));
const QString kHyphens13 = QString(13, QLatin1Char('-'));

struct CellFormat {
    bool bold;
    std::uint32_t back;
};

CellFormat formatAt(FlexGrid& grid, int row, int col) {
    grid.setCol(col);
    grid.setRow(row);
    return {grid.cellFontBold(), grid.cellBackColor()};
}

QStringList rowTexts(Form1& form, int row) {
    return {cellText(form, row, 0), cellText(form, row, 1)};
}

} // namespace

class TestForm1Calculate : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_harness = std::make_unique<FormHarness>();
        MonthlyRate = Decimal::fromInteger(77);
        MonthlyPayment = Decimal::fromInteger(88);
    }

    void cleanup() {
        const QString leftOver = m_harness->boxes().describePending();
        m_harness.reset();
        QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("unexpected message box: ") + leftOver));
    }

    void workedCase() {
        Form1& form = m_harness->form();
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        m_harness->type(*form.Text4, QStringLiteral("1200"));
        m_harness->type(*form.Text5, QStringLiteral("600"));
        m_harness->calculate();

        QCOMPARE(rowTexts(form, 1), (QStringList{"Montly PayMent: ", "1199.1"}));
        QCOMPARE(rowTexts(form, 2), (QStringList{"Tax: ", "1200"}));
        QCOMPARE(rowTexts(form, 3), (QStringList{"Annual Insur: ", "600"}));
        QCOMPARE(rowTexts(form, 4), (QStringList{kHyphens21, kHyphens13}));
        QCOMPARE(rowTexts(form, 5), (QStringList{"Total Amount To Pay Monthly =", "2999.1"}));
        QCOMPARE(MonthlyRate, Decimal::fromString(u"0.005"));
        // Stored unrounded: 1199.101050305...
        QVERIFY(MonthlyPayment > Decimal::fromString(u"1199.101050305"));
        QVERIFY(MonthlyPayment < Decimal::fromString(u"1199.101050306"));

        FlexGrid& grid = *form.MSHFlexGrid1;
        const QList<std::tuple<int, int, bool, std::uint32_t>> formats{
            {1, 0, true, kWhite},   {1, 1, true, kRed},     {2, 0, false, kWhite}, {2, 1, false, kYellow},
            {3, 1, false, kYellow}, {4, 0, false, kYellow}, {5, 0, true, kRed},    {5, 1, true, kRed},
        };
        for (const auto& [row, col, bold, back] : formats) {
            const CellFormat format = formatAt(grid, row, col);
            QVERIFY2(format.bold == bold && format.back == back,
                     qPrintable(QStringLiteral("cell %1,%2").arg(row).arg(col)));
        }

        // The schedule follows: 30 years, starting this year.
        QCOMPARE(grid.cols(), 5);
        QCOMPARE(grid.rows(), 464);
        QCOMPARE(cellText(form, 7, 0), QStringLiteral("Year "));
        QCOMPARE(cellText(form, 8, 0), form.Text6->text());
    }

    void summaryColumnsGrowToFitTheirText() {
        Form1& form = m_harness->form();
        form.Check1->setValue(0);
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        const int designWidth = form.MSHFlexGrid1->colWidth(0);
        m_harness->calculate();
        QCOMPARE(form.MSHFlexGrid1->rows(), 6);
        QCOMPARE(form.MSHFlexGrid1->cols(), 2);

        // Measured independently: the text at the cell's size in the grid's typeface, in twips.
        QFont cellFont(form.MSHFlexGrid1->defaultFontName());
        cellFont.setPointSize(10);
        const double twipsPerPixel = 15.0;
        const double captionWidth =
            QFontMetricsF(cellFont).horizontalAdvance(QStringLiteral("Total Amount To Pay Monthly =")) * twipsPerPixel;
        QVERIFY(form.MSHFlexGrid1->colWidth(0) > designWidth);
        QVERIFY2(form.MSHFlexGrid1->colWidth(0) >= captionWidth + 400, qPrintable(QString::number(captionWidth)));
        QVERIFY(form.MSHFlexGrid1->rowHeight(5) >= QFontMetricsF(cellFont).height() * twipsPerPixel);
    }

    void emptyTaxAndInsuranceBecomeZero() {
        Form1& form = m_harness->form();
        form.Check1->setValue(0);
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        m_harness->calculate();
        QCOMPARE(form.Text4->text(), QStringLiteral("0"));
        QCOMPARE(form.Text5->text(), QStringLiteral("0"));
        QCOMPARE(rowTexts(form, 2), (QStringList{"Tax: ", "0"}));
        QCOMPARE(rowTexts(form, 3), (QStringList{"Annual Insur: ", "0"}));
        QCOMPARE(cellText(form, 5, 1), QStringLiteral("1199.1"));
    }

    void emptyStartYearBecomesZeroBeforeTheSchedule() {
        Form1& form = m_harness->form();
        form.Text6->setText(QString());
        m_harness->type(*form.Text1, QStringLiteral("1"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("1200"));
        m_harness->calculate();
        QCOMPARE(form.Text6->text(), QStringLiteral("0"));
        QCOMPARE(form.MSHFlexGrid1->rows(), 29);
        QCOMPARE(cellText(form, 8, 0), QStringLiteral("0"));
    }

    void missingInputChangesNothing_data() {
        QTest::addColumn<QString>("emptied");
        QTest::newRow("length") << "Text1";
        QTest::newRow("rate") << "Text2";
        QTest::newRow("principal") << "Text3";
    }

    void missingInputChangesNothing() {
        QFETCH(QString, emptied);
        Form1& form = m_harness->form();
        form.Check1->setValue(0);
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        m_harness->calculate();
        form.Text4->clear();
        form.Text5->clear();
        form.findChild<InputBox*>(emptied)->clear();
        // A text of blanks is not missing: Text2 keeps a blank after its number.
        if (emptied != QStringLiteral("Text2"))
            form.Text2->setText(QStringLiteral(" 6"));
        const Decimal rate = Decimal::fromInteger(5);
        MonthlyRate = rate;

        m_harness->calculate();
        const QList<ModalWatcher::SeenBox> boxes = m_harness->boxes().take();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, QStringLiteral("Missing Info"));
        QCOMPARE(boxes[0].text, QStringLiteral("Missing information please check your work"));
        QCOMPARE(boxes[0].icon, QMessageBox::NoIcon);
        QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(boxes[0].applicationModal);

        QCOMPARE(form.Text4->text(), QString());
        QCOMPARE(form.Text5->text(), QString());
        QCOMPARE(MonthlyRate, rate);
        QCOMPARE(form.MSHFlexGrid1->rows(), 6);
        QCOMPARE(cellText(form, 1, 1), QStringLiteral("1199.1"));
        QCOMPARE(cellText(form, 5, 1), QStringLiteral("1199.1"));
    }

    void failureLeavesWhatWasDoneBeforeIt_data() {
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QString>("text3");
        QTest::addColumn<QString>("text4");
        QTest::addColumn<QString>("text5");
        QTest::addColumn<QString>("namedBox"); // the box the message names
        QTest::addColumn<bool>("rateStored");
        QTest::addColumn<bool>("defaultsFilled");
        QTest::addColumn<bool>("paymentStored");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("lastRowWritten"); // the lowest summary row written, or empty

        const QStringList none;
        const QStringList firstLabel{"Montly PayMent: ", ""};
        const QStringList hyphens{kHyphens21, kHyphens13};
        QTest::newRow("rate with a slash") << "30"
                                           << "6/"
                                           << "200000"
                                           << ""
                                           << ""
                                           << "Text2" << false << false << false << 2 << none;
        QTest::newRow("rate a colon") << "30"
                                      << ":"
                                      << "200000"
                                      << ""
                                      << ""
                                      << "Text2" << false << false << false << 2 << none;
        QTest::newRow("length a colon") << "3:0"
                                        << "6"
                                        << "200000"
                                        << ""
                                        << ""
                                        << "Text1" << true << false << false << 2 << none;
        QTest::newRow("length beyond 32 bits") << "999999999"
                                               << "6"
                                               << "200000"
                                               << ""
                                               << ""
                                               << "Text1" << true << false << false << 2 << none;
        QTest::newRow("principal two points") << "30"
                                              << "6"
                                              << "1.2.3"
                                              << ""
                                              << ""
                                              << "Text3" << true << true << false << 2 << firstLabel;
        QTest::newRow("principal blanks") << "30"
                                          << "6"
                                          << " "
                                          << ""
                                          << ""
                                          << "Text3" << true << true << false << 2 << firstLabel;
        QTest::newRow("rate of zero") << "30"
                                      << "0"
                                      << "200000"
                                      << ""
                                      << ""
                                      << "Text2" << true << true << false << 2 << firstLabel;
        QTest::newRow("length of zero") << "0"
                                        << "6"
                                        << "200000"
                                        << ""
                                        << ""
                                        << "Text1" << true << true << false << 2 << firstLabel;
        QTest::newRow("insurance a lone point") << "30"
                                                << "6"
                                                << "200000"
                                                << "1200"
                                                << "."
                                                << "Text5" << true << false << true << 5 << hyphens;
        QTest::newRow("tax with a slash") << "30"
                                          << "6"
                                          << "200000"
                                          << "12/5"
                                          << "600"
                                          << "Text4" << true << false << true << 5 << hyphens;
    }

    void failureLeavesWhatWasDoneBeforeIt() {
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        QFETCH(QString, text3);
        QFETCH(QString, text4);
        QFETCH(QString, text5);
        QFETCH(QString, namedBox);
        QFETCH(bool, rateStored);
        QFETCH(bool, defaultsFilled);
        QFETCH(bool, paymentStored);
        QFETCH(int, rows);
        QFETCH(QStringList, lastRowWritten);
        Form1& form = m_harness->form();
        const QList<QPair<InputBox*, QString>> inputs{
            {form.Text1, text1}, {form.Text2, text2}, {form.Text3, text3}, {form.Text4, text4}, {form.Text5, text5}};
        for (const auto& [box, text] : inputs) {
            // Blanks cannot be typed; they arrive by pasting.
            if (text.trimmed().isEmpty())
                box->setText(text);
            else
                m_harness->type(*box, text);
            QCOMPARE(box->text(), text);
        }
        const Decimal rateBefore = MonthlyRate;
        const Decimal paymentBefore = MonthlyPayment;

        m_harness->calculate();

        const QList<ModalWatcher::SeenBox> boxes = m_harness->boxes().take();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, QStringLiteral("Pellmarsh v1.0"));
        QVERIFY2(boxes[0].text.contains(namedBox), qPrintable(boxes[0].text));
        QVERIFY(boxes[0].applicationModal);

        QCOMPARE(MonthlyRate != rateBefore, rateStored);
        QCOMPARE(MonthlyPayment != paymentBefore, paymentStored);
        if (paymentStored)
            QCOMPARE(MonthlyPayment.roundedTo(2), Decimal::fromString(u"1199.10"));
        const QString defaultTax = defaultsFilled ? QStringLiteral("0") : text4;
        const QString defaultInsurance = defaultsFilled ? QStringLiteral("0") : text5;
        QCOMPARE(form.Text4->text(), defaultTax);
        QCOMPARE(form.Text5->text(), defaultInsurance);
        QCOMPARE(form.Text1->text(), text1);
        QCOMPARE(form.Text2->text(), text2);
        QCOMPARE(form.Text3->text(), text3);

        FlexGrid& grid = *form.MSHFlexGrid1;
        QCOMPARE(grid.rows(), rows);
        QCOMPARE(grid.cols(), 2);
        if (lastRowWritten.isEmpty()) {
            QCOMPARE(rowTexts(form, 1), (QStringList{"", ""}));
        } else {
            QCOMPARE(rowTexts(form, rows - 1), lastRowWritten);
        }
        if (rows == 5)
            QCOMPARE(rowTexts(form, 3), (QStringList{"Annual Insur: ", text5}));

        // The window carries on: mending the inputs lets the next Calculate through.
        for (InputBox* box : {form.Text1, form.Text2, form.Text3, form.Text4, form.Text5})
            box->clear();
        form.Check1->setValue(0);
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        m_harness->calculate();
        QCOMPARE(m_harness->boxes().pending(), 0);
        QCOMPARE(cellText(form, 5, 1), QStringLiteral("1199.1"));
    }

    void scheduleFailureKeepsTheSummary() {
        Form1& form = m_harness->form();
        m_harness->type(*form.Text1, QStringLiteral("1"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("1200"));
        form.Text6->clear();
        m_harness->type(*form.Text6, QStringLiteral("20:07"));
        m_harness->calculate();
        const QList<ModalWatcher::SeenBox> boxes = m_harness->boxes().take();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].text.contains(QStringLiteral("Text6")), qPrintable(boxes[0].text));
        QCOMPARE(cellText(form, 5, 0), QStringLiteral("Total Amount To Pay Monthly ="));
        QCOMPARE(cellText(form, 7, 0), QStringLiteral("Year "));
        QCOMPARE(cellText(form, 8, 1), QStringLiteral("January"));
        QCOMPARE(cellText(form, 8, 0), QString());
    }

    void secondCalculateDropsTheEarlierSchedule() {
        Form1& form = m_harness->form();
        m_harness->type(*form.Text1, QStringLiteral("30"));
        m_harness->type(*form.Text2, QStringLiteral("6"));
        m_harness->type(*form.Text3, QStringLiteral("200000"));
        m_harness->calculate();
        QCOMPARE(form.MSHFlexGrid1->rows(), 464);
        const int widthBefore = form.MSHFlexGrid1->colWidth(4);

        QTest::mouseClick(form.Check1, Qt::LeftButton);
        QCOMPARE(form.Check1->value(), 0);
        m_harness->calculate();
        QCOMPARE(form.MSHFlexGrid1->rows(), 6);
        QCOMPARE(form.MSHFlexGrid1->cols(), 5);
        QCOMPARE(form.MSHFlexGrid1->colWidth(4), widthBefore);
        QCOMPARE(rowTexts(form, 5), (QStringList{"Total Amount To Pay Monthly =", "1199.1"}));
        // Rows 3 to 5 started empty: nothing of the schedule's columns is left on them.
        QCOMPARE(cellText(form, 3, 4), QString());
    }

private:
    std::unique_ptr<FormHarness> m_harness;
};

QTEST_MAIN(TestForm1Calculate)
#include "tst_form1calculate.moc"
