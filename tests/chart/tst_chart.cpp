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

#include <algorithm>

namespace {

// A figure of the chart's table read back as a number; the tests run in American English.
Decimal tableAmount(const QString& text) {
    return Decimal::fromString(QString(text).remove(u','));
}

} // namespace

class TestChart : public FormTestCase {
    Q_OBJECT

    ChartWindow* chart() { return form().findChild<ChartWindow*>(); }

    void calculateLoan(const QString& years, const QString& principal = QStringLiteral("200000")) {
        for (InputBox* box : {form().Text1, form().Text3})
            box->clear();
        type(*form().Text1, years);
        type(*form().Text2, QStringLiteral("6"));
        type(*form().Text3, principal);
        calculate();
    }

    void openChart() {
        QTest::keyClick(form().MSHFlexGrid1, Qt::Key_G, Qt::ControlModifier);
        QVERIFY(chart() && chart()->isVisible());
    }

    QStringList tableRow(int row) {
        QStringList texts;
        for (int column = 0; column < chart()->table()->columnCount(); ++column)
            texts << chart()->table()->item(row, column)->text();
        return texts;
    }

    QString shownMessage() {
        for (const QLabel* label : chart()->findChildren<QLabel*>()) {
            if (label->isVisible() && label->text() == QStringLiteral("Calculate a schedule to see its chart"))
                return label->text();
        }
        return QString();
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
        type(*form().Text6, QStringLiteral("2007"));
        calculateLoan(years, principal);
        openChart();
        QCOMPARE(chart()->windowTitle(), QStringLiteral("Pellmarsh v1.0 \u2014 Chart"));
        QVERIFY(chart()->isWindow());
        QCOMPARE(chart()->table()->rowCount(), years.toInt());
        QTEST(tableRow(0), "firstYear");

        const FlexGrid& grid = *form().MSHFlexGrid1;
        const QList<QBarSet*> sets =
            qobject_cast<QStackedBarSeries*>(chart()->chartView()->chart()->series()[0])->barSets();
        const auto* line = qobject_cast<QLineSeries*>(chart()->chartView()->chart()->series()[1]);
        const Decimal cent = Decimal::fromString(u"0.01");
        Decimal interestBefore;
        for (int year = 0; year < years.toInt(); ++year) {
            const int totals = 21 + 15 * year;
            const QStringList row = tableRow(year);
            QCOMPARE(row[0], grid.textAt(totals, 0));
            QCOMPARE(tableAmount(row[3]), Decimal::fromString(grid.textAt(totals, 4)));
            const Decimal interestToDate = Decimal::fromString(grid.textAt(totals, 2));
            const Decimal gap = tableAmount(row[1]) - (interestToDate - interestBefore);
            QVERIFY2(gap <= cent && -gap <= cent, qPrintable(row.join(u' ')));
            interestBefore = interestToDate;
            QCOMPARE(sets[0]->at(year), tableAmount(row[1]).toDouble());
            QCOMPARE(sets[1]->at(year), tableAmount(row[2]).toDouble());
            QCOMPARE(line->at(year).y(), tableAmount(row[3]).toDouble());
        }
        const QString marked = QStringLiteral("Principal first exceeds interest in %1.").arg(crossing);
        const QList<QLabel*> labels = chart()->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(),
                            [&](QLabel* l) { return l->isVisible() && l->text() == marked; }));
        QVERIFY(chart()->chartView()->accessibleDescription().startsWith(marked));
        QVERIFY(chart()->chartView()->chart()->series().last()->name().endsWith(crossing));
    }

    void messageWithoutSchedule_data() {
        QTest::addColumn<QString>("change"); // what the user does before pressing Calculate again
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
        QFETCH(QString, boxTitle);
        calculateLoan(QStringLiteral("30"));
        openChart();
        QVERIFY(shownMessage().isEmpty());

        if (change == "Check1")
            form().Check1->setValue(0);
        else
            form().findChild<InputBox*>(change)->clear();
        if (change == "Text1")
            type(*form().Text1, QStringLiteral("2184"));
        calculate();
        const QList<ModalWatcher::SeenBox> seen = boxes().take();
        QCOMPARE(seen.isEmpty() ? QString() : seen[0].title, boxTitle);
        QVERIFY(chart()->showsMessage());
        QVERIFY(!shownMessage().isEmpty());
        QVERIFY(!chart()->findChild<QPushButton*>()->isEnabled());

        // The next schedule written to its end brings the chart back into the open window.
        form().Check1->setValue(1);
        calculateLoan(QStringLiteral("2"));
        QVERIFY(shownMessage().isEmpty());
        QCOMPARE(chart()->table()->rowCount(), 2);
    }

    // Ctrl+G from an input box types nothing into it; the grid's menu ends with the same command.
    void keyboard() {
        calculateLoan(QStringLiteral("30"));
        QTest::keyClick(form().Text1, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(form().Text1->text(), QStringLiteral("30"));
        QVERIFY(chart());
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

    // 2183 years by century: 21 full centuries and 83 years; every cent of every year kept in the sums.
    void longestSchedule() {
        calculateLoan(QStringLiteral("2183"));
        QVERIFY(boxes().take().isEmpty());
        openChart();
        const std::vector<ScheduleYear>& years = LastSchedule::instance().years();
        const std::vector<YearBucket>& buckets = chart()->buckets();
        QCOMPARE(chart()->table()->rowCount(), 22);
        QCOMPARE(tableRow(0)[0], QStringLiteral("%1\u2013%2").arg(years[0].year).arg(years[99].year));
        QCOMPARE(tableRow(21)[0], QStringLiteral("%1\u2013%2").arg(years[2100].year).arg(years[2182].year));
        Decimal yearInterest, yearPrincipal, bucketInterest, bucketPrincipal;
        for (const ScheduleYear& year : years) {
            yearInterest += year.interest;
            yearPrincipal += year.principal;
        }
        for (const YearBucket& bucket : buckets) {
            bucketInterest += bucket.interest;
            bucketPrincipal += bucket.principal;
        }
        QCOMPARE(bucketInterest, yearInterest);
        QCOMPARE(bucketPrincipal, yearPrincipal);
        QCOMPARE(buckets[20].balance, years[2099].balance);
        QCOMPARE(tableAmount(tableRow(21)[3]), years.back().balance);
        QCOMPARE(YearBuckets::yearsPerBucket(40), 1);
        QCOMPARE(YearBuckets::yearsPerBucket(41), 10);
        QCOMPARE(YearBuckets::yearsPerBucket(401), 100);
    }

    void saveImage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("saved");
        QTest::newRow("new file") << "chart.png" << true;
        QTest::newRow("missing folder") << "missing/chart.png" << false;
        QTest::newRow("name of a folder") << "taken.png" << false;
    }
    void saveImage() {
        QFETCH(QString, name);
        QFETCH(bool, saved);
        calculateLoan(QStringLiteral("30"));
        openChart();
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken.png")));
        const QString error = chart()->writeImage(folder.filePath(name));
        QCOMPARE(error.isEmpty(), saved);
        QVERIFY(error.isEmpty() || error.contains(name));
        const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left, (saved ? QStringList{"chart.png", "taken.png"} : QStringList{"taken.png"}));
        if (saved)
            QCOMPARE(QImage(folder.filePath(name), "PNG").size(), chart()->chartView()->size());
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
