// The chart window as the user meets it: opened with Ctrl+G or the grid's menu, its figures beside the
// grid's own, its message after a Calculate that leaves no schedule, and its saved image.
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "chart/ChartWindow.h"
#include "grid/FlexGrid.h"
#include "tests/app/FormTestCase.h"

#include <QAction>
#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestChart : public FormTestCase {
    Q_OBJECT

    ChartWindow* chart() { return form().findChild<ChartWindow*>(); }
    // The loan at 6 % from 2007, calculated; then Ctrl+G in an input box, which types nothing there.
    void calculateLoan(int years, const QString& principal = QStringLiteral("200000")) {
        fill({QString::number(years), "6", principal, "", "", "2007"});
        calculate();
        QTest::keyClick(form().Text1, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(form().Text1->text(), QString::number(years));
        QTRY_COMPARE(QApplication::activeWindow(), chart());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The bars and the line against the grid's year ends (rows 21, 36, ...): a year's interest and principal,
    // rounded, meet the difference of the grid's totals to date within a cent; the balance is the grid's. What
    // a screen reader reads first: the crossing year, then the first year.
    void barsAndLineMatchTheGridsYearEnds() {
        // One year: worked by hand, month by month. Thirty years: the balance after 12 months is
        // 200000 * 1.005^12 - 1199.10105 * (1.005^12 - 1) / 0.005, and the year's interest is the twelve
        // payments less the principal repaid. Principal first exceeds interest in month 222, where the
        // balance falls below 1199.10105 / (2 * 0.005), and in year 19 (2025) as a year's sums.
        for (const auto& [years, principal, read] :
             {std::tuple{1, "12000", "in 2007.\n2007: interest 393.57, principal 12,000.00, balance at the end 0.00"},
              std::tuple{30, "200000",
                         "in 2025.\n2007: interest 11,933.19, principal 2,456.02, balance at the end 197,543.98"}}) {
            calculateLoan(years, principal);
            QCOMPARE(chart()->table()->rowCount(), years);
            const QList<QAbstractSeries*> series = chart()->chartView()->chart()->series();
            const QList<QBarSet*> bars = qobject_cast<QStackedBarSeries*>(series[0])->barSets();
            const QBarSet &interest = *bars[0], &repaid = *bars[1];
            const QLineSeries& balance = *qobject_cast<QLineSeries*>(series[1]);
            double interestBefore = 0, principalBefore = 0; // the grid's totals at the end of the year before
            for (int year = 0, row = 21; year < years; ++year, row += 15) {
                const auto cell = [&](int col) { return form().MSHFlexGrid1->textAt(row, col).toDouble(); };
                const double interestToDate = cell(2), principalToDate = cell(3);
                QCOMPARE(balance.at(year).y(), cell(4));
                QVERIFY2(std::abs(interest.at(year) - interestToDate + interestBefore) < 0.0100001,
                         "a year's interest bar is more than a cent from the grid's");
                QVERIFY2(std::abs(repaid.at(year) - principalToDate + principalBefore) < 0.0100001,
                         "a year's principal bar is more than a cent from the grid's");
                interestBefore = interestToDate;
                principalBefore = principalToDate;
            }
            QVERIFY2(chart()->chartView()->accessibleDescription().contains(read), read);
        }
    }

    // Saving the image leaves only a whole image in the folder; a failure names the file.
    void savingTheImageLeavesOnlyAWholeFile() {
        calculateLoan(30);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken.png")));
        QVERIFY(chart()->writeImage(folder.filePath(QStringLiteral("taken.png"))).contains("taken.png"));
        QCOMPARE(chart()->writeImage(folder.filePath(QStringLiteral("chart.png"))), QString());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({"chart.png", "taken.png"}));
        QCOMPARE(QImage(folder.filePath(QStringLiteral("chart.png"))).size(), chart()->chartView()->size());
    }

    // Save Image… asks for the file, adds ".png" when it is left out, and tells a failure in a box on the chart
    // window, through the main window's message path.
    void saveImageAsksForTheFileAndToldAFailure() {
        calculateLoan(30);
        QTemporaryDir folder;
        chart()->setFileChooser([&folder](auto&&...) { return folder.filePath(QStringLiteral("loan")); });
        chart()->saveImage();
        QCOMPARE(QImage(folder.filePath(QStringLiteral("loan.png"))).size(), chart()->chartView()->size());
        QVERIFY(takeBoxes().isEmpty());
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken.png")));
        chart()->setFileChooser([&folder](auto&&...) { return folder.filePath(QStringLiteral("taken.png")); });
        chart()->saveImage();
        const QList<SeenBox> boxes = takeBoxes();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, QStringLiteral("Pellmarsh v1.0 \u2014 Chart"));
        QVERIFY2(boxes[0].text.startsWith(QStringLiteral("The chart could not be saved as ")),
                 qPrintable(boxes[0].text));
    }

    // Escape closes the window. Once open again it shows "Calculate a schedule to see its chart" after a
    // Calculate that leaves no schedule, until the next schedule brings its chart back.
    void aCalculateThatLeavesNoScheduleShowsAMessageInstead() {
        calculateLoan(30);
        QTest::keyClick(chart(), Qt::Key_Escape);
        QVERIFY(!chart()->isVisible());
        chart()->show();
        for (const auto& [texts, ticked] : {std::pair{QStringList{"30", "6", ""}, 1}, // the principal emptied
                                            std::pair{QStringList{"30"}, 0},          // the summary unticked
                                            std::pair{QStringList{"2184"}, 1}}) {     // too long for the grid
            fill(texts);
            form().Check1->setValue(ticked);
            calculate();
            QVERIFY(chart()->isVisible() && chart()->showsMessage() && chart()->table()->rowCount() == 0);
            form().Check1->setValue(1);
            fill({"2", "6", "200000"});
            calculate();
            QVERIFY(!chart()->showsMessage() && chart()->table()->rowCount() == 2);
        }
        takeBoxes(); // the window's own tests read its boxes
    }

    // 2183 years by century: 21 whole centuries and 83 years, every year's cents kept in the sums.
    void theLongestScheduleShowsByCenturyToTheCent() {
        calculateLoan(2183);
        const std::vector<ScheduleYear>& years = form().lastSchedule()->years;
        const QTableWidget* table = chart()->table();
        const auto figure = [&](int r, int c) { return Decimal::fromString(table->item(r, c)->text().remove(',')); };
        QCOMPARE(table->rowCount(), 22);
        QCOMPARE(table->item(21, 0)->text(), QStringLiteral("4107\u20134189"));
        Decimal paid;
        for (const ScheduleYear& year : years)
            paid += year.interest.roundedTo(2) + year.principal.roundedTo(2);
        for (int row = 0; row < 22; ++row)
            paid -= figure(row, 1) + figure(row, 2);
        QVERIFY(paid.isZero());
        QCOMPARE(figure(20, 3), years[2099].balance.roundedTo(2));
        QCOMPARE(figure(21, 3), years.back().balance.roundedTo(2));
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
