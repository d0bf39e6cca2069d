// The chart window as the user meets it: opened with Ctrl+G or the grid's menu, its figures beside the
// grid's own, its message after a Calculate that leaves no schedule, and its saved image.
#include "ChartWindow.h"
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "InputBox.h"
#include "LastSchedule.h"
#include "WrappingCheckBox.h"

#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestChart : public FormTestCase {
    Q_OBJECT

    ChartWindow* chart() { return form().findChild<ChartWindow*>(); }
    // A figure of the chart's table read back as a number; the tests run in American English.
    static Decimal amount(const QString& text) { return Decimal::fromString(QString(text).remove(u',')); }

    // The loan at 6 % from 2007, calculated; then Ctrl+G on the grid.
    void calculateLoan(const QString& years, const QString& principal = QStringLiteral("200000")) {
        for (const auto& [box, text] : {std::pair{form().Text1, years},
                                        {form().Text2, QStringLiteral("6")},
                                        {form().Text3, principal},
                                        {form().Text6, QStringLiteral("2007")}}) {
            box->setText(text);
        }
        calculate();
        QTest::keyClick(form().MSHFlexGrid1, Qt::Key_G, Qt::ControlModifier);
    }
    QStringList tableRow(int row) {
        QStringList texts;
        for (int column = 0; column < 4; ++column)
            texts << chart()->table()->item(row, column)->text();
        return texts;
    }
    bool showsLabel(const QString& text) {
        for (const QLabel* label : chart()->findChildren<QLabel*>())
            if (label->isVisible() && label->text() == text)
                return true;
        return false;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each year's figures against the grid's totals rows; the bars and the line hold the same figures.
    void workedLoans_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QStringList>("firstYear");
        QTest::addColumn<QString>("crossing");
        // One year: worked by hand, month by month. Thirty years: the balance after 12 months is
        // 200000 * 1.005^12 - 1199.10105 * (1.005^12 - 1) / 0.005, and the year's interest is the twelve
        // payments less the principal repaid. Principal first exceeds interest in month 222, where the
        // balance falls below 1199.10105 / (2 * 0.005), and in year 19 (2025) as a year's sums.
        QTest::newRow("one year") << "1"
                                  << "12000" << QStringList{"2007", "393.57", "12,000.00", "0.00"} << "2007";
        QTest::newRow("thirty years") << "30"
                                      << "200000" << QStringList{"2007", "11,933.19", "2,456.02", "197,543.98"}
                                      << "2025";
    }
    void workedLoans() {
        QFETCH(QString, years);
        QFETCH(QString, principal);
        QFETCH(QString, crossing);
        calculateLoan(years, principal);
        QCOMPARE(chart()->windowTitle(), QStringLiteral("Pellmarsh v1.0 \u2014 Chart"));
        QCOMPARE(chart()->table()->rowCount(), years.toInt());
        QTEST(tableRow(0), "firstYear");
        const QList<QAbstractSeries*> series = chart()->chartView()->chart()->series();
        const QList<QBarSet*> bars = qobject_cast<QStackedBarSeries*>(series[0])->barSets();
        const FlexGrid& grid = *form().MSHFlexGrid1;
        Decimal interestBefore;
        for (int year = 0; year < years.toInt(); ++year) {
            const int totals = 21 + 15 * year;
            const QStringList row = tableRow(year);
            QCOMPARE(row[0], grid.textAt(totals, 0));
            QCOMPARE(amount(row[3]), Decimal::fromString(grid.textAt(totals, 4)));
            // The year's own sum, rounded, and the difference of the rounded totals meet within a cent.
            const Decimal gap = amount(row[1]) - (Decimal::fromString(grid.textAt(totals, 2)) - interestBefore);
            QVERIFY2(gap <= Decimal::fromString(u"0.01") && -gap <= Decimal::fromString(u"0.01"),
                     qPrintable(row.join(u' ')));
            interestBefore = Decimal::fromString(grid.textAt(totals, 2));
            QCOMPARE(bars[0]->at(year), amount(row[1]).toDouble());
            QCOMPARE(bars[1]->at(year), amount(row[2]).toDouble());
            QCOMPARE(qobject_cast<QLineSeries*>(series[1])->at(year).y(), amount(row[3]).toDouble());
        }
        QVERIFY(showsLabel(QStringLiteral("Principal first exceeds interest in %1.").arg(crossing)));
        QVERIFY(series.last()->name().endsWith(crossing));
        // What a screen reader reads and a tooltip shows.
        const QStringList first = tableRow(0);
        QVERIFY(chart()->chartView()->accessibleDescription().contains(
            QStringLiteral("%1: interest %2, principal %3, balance at the end %4")
                .arg(first[0], first[1], first[2], first[3])));
    }

    void messageWithoutSchedule_data() {
        QTest::addColumn<QString>("change"); // what the user changes before pressing Calculate again
        QTest::addColumn<QString>("boxTitle");
        QTest::newRow("principal emptied") << "Text3"
                                           << "Missing Info";
        QTest::newRow("summary unticked") << "Check1"
                                          << "";
        QTest::newRow("too long for the grid") << "Text1"
                                               << "Pellmarsh v1.0";
    }
    void messageWithoutSchedule() {
        QFETCH(QString, change);
        const QString message = QStringLiteral("Calculate a schedule to see its chart");
        calculateLoan(QStringLiteral("30"));
        QVERIFY(chart()->isVisible() && !showsLabel(message));
        if (change == "Check1")
            form().Check1->setValue(0);
        else
            form().findChild<InputBox*>(change)->setText(change == "Text1" ? "2184" : "");
        calculate();
        const QList<SeenBox> seen = takeBoxes();
        QTEST(seen.isEmpty() ? QString() : seen[0].title, "boxTitle");
        QVERIFY(showsLabel(message));
        QVERIFY(!chart()->findChild<QPushButton*>()->isEnabled());
        // The next schedule written to its end brings the chart back into the open window.
        form().Check1->setValue(1);
        calculateLoan(QStringLiteral("2"));
        QVERIFY(!showsLabel(message));
        QCOMPARE(chart()->table()->rowCount(), 2);
    }

    // Ctrl+G from an input box types nothing into it; the grid's menu ends with the same command.
    void keyboard() {
        calculateLoan(QStringLiteral("30"));
        chart()->close();
        QTest::keyClick(form().Text1, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(form().Text1->text(), QStringLiteral("30"));
        QTRY_COMPARE(QApplication::activeWindow(), chart());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!chart()->isVisible());
        const QList<QAction*> menu = form().MSHFlexGrid1->actions();
        QCOMPARE(form().MSHFlexGrid1->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(menu.size() >= 2 && menu[menu.size() - 2]->isSeparator());
        QCOMPARE(menu.last()->text(), QStringLiteral("Show Chart\u2026"));
        menu.last()->trigger();
        QVERIFY(chart()->isVisible());
    }

    // 2183 years by century: 21 whole centuries and 83 years, every year's cents kept in the sums.
    void longestSchedule() {
        calculateLoan(QStringLiteral("2183"));
        const std::vector<ScheduleYear>& years = LastSchedule::instance().years();
        QCOMPARE(chart()->table()->rowCount(), 22);
        QCOMPARE(tableRow(0)[0], QStringLiteral("2007\u20132106"));
        QCOMPARE(tableRow(21)[0], QStringLiteral("4107\u20134189"));
        const auto sum = [](const auto& items, auto field) {
            Decimal total;
            for (const auto& item : items)
                total += item.*field;
            return total;
        };
        QCOMPARE(sum(chart()->buckets(), &YearBucket::interest), sum(years, &ScheduleYear::interest));
        QCOMPARE(sum(chart()->buckets(), &YearBucket::principal), sum(years, &ScheduleYear::principal));
        QCOMPARE(chart()->buckets()[20].balance, years[2099].balance);
        QCOMPARE(amount(tableRow(21)[3]), years.back().balance);
        // Forty bars are the most drawn one year each.
        QCOMPARE(YearBuckets::yearsPerBucket(40), 1);
        QCOMPARE(YearBuckets::yearsPerBucket(41), 10);
    }

    void saveImage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("left"); // the folder's contents afterwards
        QTest::newRow("new file") << "chart.png" << QStringList{"chart.png", "taken.png"};
        QTest::newRow("missing folder") << "missing/chart.png" << QStringList{"taken.png"};
        QTest::newRow("name of a folder") << "taken.png" << QStringList{"taken.png"};
    }
    void saveImage() {
        QFETCH(QString, name);
        QFETCH(QStringList, left);
        calculateLoan(QStringLiteral("30"));
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken.png")));
        const QString error = chart()->writeImage(folder.filePath(name));
        QTEST(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), "left");
        if (left.size() == 1)
            QVERIFY2(error.contains(name), qPrintable(error));
        else
            QCOMPARE(QImage(folder.filePath(name), "PNG").size(), chart()->chartView()->size());
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
