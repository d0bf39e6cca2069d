// The schedule's layout on its own: where a schedule ends, and what is written before a failure.
#include "formula/Formula.h"
#include "loan/SharedState.h"
#include "tests/formula/RecordedCells.h"
#include "tests/loan/ScheduleOfTexts.h"

#include <QTest>

namespace {

SharedState sharedState() {
    SharedState shared;
    shared.GridFontSize = 10;
    shared.MonthNames = {"January", "February", "March",     "April",    "May",      "June",
                         "July",    "August",   "September", "Octomber", "November", "Deceamber"};
    return shared;
}

} // namespace

class TestFormula : public QObject {
    Q_OBJECT

private slots:
    // A last year cut short gets its totals and the final block where they fit in the grid's 32767 rows;
    // where they would not, the schedule ends with its last month, with no error. Whole years always fit.
    void aScheduleEndsWhereItsRowsFit_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<int>("expectedRows");
        QTest::addColumn<int>("lastRowWritten");
        QTest::addColumn<int>("summaryRow"); // of "Total Summary:", or -1 for none

        const auto row = [](const char* name, const char* years, const char* startYear, int rows, int lastRow,
                            int summaryRow) {
            QTest::newRow(name) << QString(years) << QString(startYear) << rows << lastRow << summaryRow;
        };
        row("one year", "1", "2007", 29, 27, 23);
        row("a short year beyond 16-bit years", "0.5", "40000", 23, 21, 17);
        row("the longest whole years", "2183", "2007", 32759, 32757, 32753);
        row("a short year that does not fit", "2183.5", "2007", 32760, 32758, -1);
    }
    void aScheduleEndsWhereItsRowsFit() {
        QFETCH(QString, years);
        QFETCH(QString, startYear);
        QFETCH(int, expectedRows);
        QFETCH(int, lastRowWritten);
        QFETCH(int, summaryRow);

        RecordedCells cells;
        Formula::WriteSchedule(scheduleOf(years, "6", "12000", startYear), sharedState(), cells);
        QCOMPARE(cells.rows(), expectedRows);
        QCOMPARE(cells.lastRow(), lastRowWritten);
        // The layout names the row it wrote its headings on, for printing to repeat.
        QCOMPARE(cells.headerRow(), Formula::kHeaderRow);
        QCOMPARE(cells.text(cells.headerRow(), 0), QStringLiteral("Year "));
        if (summaryRow >= 0)
            QCOMPARE(cells.text(summaryRow, 1), QStringLiteral("Total Summary:"));
        else
            QCOMPARE(cells.text(lastRowWritten, 1), QStringLiteral("June"));
    }

    // A failure is raised after the cells that come before its step, and only those.
    void aFailureFollowsTheCellsBeforeIt_data() {
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("startYear");
        QTest::addColumn<int>("expectedWrites");
        QTest::addColumn<int>("expectedRows");
        QTest::addColumn<int>("headerRow"); // as the layout named it, or -1

        const auto row = [](const char* name, const char* years, const char* startYear, int writes, int rows,
                            int headerRow) {
            QTest::newRow(name) << QString(years) << QString(startYear) << writes << rows << headerRow;
        };
        row("too many months: nothing", "2731", "2007", 0, 0, -1);
        row("too many rows: the header", "2184", "2007", 5, 8, 7);
        row("a start year that is not a number: the header and January", "1", "2007:", 6, 23, 7);
        row("a start year beyond 16 bits: the first year and its totals", "2", "40000", 75, 38, 7);
    }
    void aFailureFollowsTheCellsBeforeIt() {
        QFETCH(QString, years);
        QFETCH(QString, startYear);
        QFETCH(int, expectedWrites);
        QFETCH(int, expectedRows);

        RecordedCells cells;
        QVERIFY_THROWS_EXCEPTION(
            RuntimeError, Formula::WriteSchedule(scheduleOf(years, "6", "12000", startYear), sharedState(), cells));
        QCOMPARE(cells.writes(), expectedWrites);
        QCOMPARE(cells.rows(), expectedRows);
        QTEST(cells.headerRow(), "headerRow");
    }
};

QTEST_GUILESS_MAIN(TestFormula)
#include "tst_formula.moc"
