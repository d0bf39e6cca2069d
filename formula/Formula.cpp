#include "formula/Formula.h"

#include "grid/FlexGrid.h"
#include "grid/FlexGridModel.h"
#include "loan/Calendar.h"
#include "loan/LoanInput.h"
#include "loan/Schedule.h"
#include "loan/SharedState.h"
#include "numbers/ErrorContext.h"
#include "numbers/Money.h"
#include "numbers/NumberText.h"

#include <array>
#include <limits>

namespace {

const QString kRowSource = QStringLiteral("the schedule's row count from %1").arg(LoanInputs::kLength.words());

const std::array<QString, 5> kHeaderTexts = {QStringLiteral("Year "), QStringLiteral("Month "),
                                             QStringLiteral("Interest "), QStringLiteral("Principal "),
                                             QStringLiteral("Balance ")};

constexpr std::int16_t kColumnCount = 5;
constexpr std::int16_t kHeaderFontSize = 12;
constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kGreen = 65280;
constexpr std::uint32_t kWhite = 16777215;
constexpr std::int16_t kAlignLeftCentre = 1;
constexpr int kFirstSeparatorHyphens = 22;
constexpr int kSeparatorHyphens = 17;
constexpr std::int32_t kRowsBetweenYears = 3;     // separator, totals, empty row
constexpr std::int32_t kFinalBlockRowsAfter = 10; // from the last month's row to the grid's row count
constexpr std::int32_t kRowsAboveFirstMonth = 8;  // the summary, row 6 and the header

enum Column : std::int32_t {
    YearColumn = 0,
    MonthColumn = 1,
    InterestColumn = 2,
    PrincipalColumn = 3,
    BalanceColumn = 4
};

std::int32_t rowAfter(std::int32_t row, std::int32_t offset) {
    return checkedInt32(std::int64_t{row} + offset, kRowSource);
}

// Money as the schedule shows it: rounded to cents, halves to even. The last balance usually comes out a
// fraction of a cent below zero; its cell text is "0", as for every zero.
Decimal cents(const Decimal& value) {
    // The design's own rule for the grid: cents, ties to even.
    return Money::toCents(value, Money::Rounding::HalfEven);
}

class ScheduleLayout {
public:
    ScheduleLayout(const Schedule& schedule, const SharedState& shared, Formula::Cells& cells)
        : m_schedule(schedule)
        , m_shared(shared)
        , m_cells(cells) {}

    void write() {
        raiseIfStoppedAt(ScheduleStep::MonthCount, 0);
        raiseIfStoppedAt(ScheduleStep::Principal, 0);
        // Cutting back to the summary and the header row drops every row of an earlier schedule.
        setRowCount(Formula::kHeaderRow + 1, kColumnCount);
        for (std::int32_t column = 0; column < kColumnCount; ++column)
            m_cells.writeCell(column, Formula::kHeaderRow, true, kHeaderFontSize, true,
                              kHeaderTexts[std::size_t(column)], 0);
        m_cells.setHeaderRow(Formula::kHeaderRow);
        {
            // Room for every month and three rows per year of the length; too long a loan is the length's fault.
            const ErrorContext length({}, LoanInputs::kLength.objectName());
            const std::int16_t monthRows =
                checkedInt16(std::int64_t{m_schedule.monthCount} + kRowsAboveFirstMonth, kRowSource);
            setRowCount(roundToInt16(monthRows + m_schedule.lengthInYears * kRowsBetweenYears, kRowSource));
        }

        std::int32_t rowBase = Formula::kHeaderRow; // month i is on row rowBase + i
        const std::int32_t monthCount = m_schedule.monthCount;
        for (std::int32_t month = 1; month <= monthCount; ++month) {
            const int monthOfYear = (month - 1) % Calendar::kMonthsPerYear + 1;
            // Each schedule year after the first starts below the previous year's separator, totals and empty row.
            if (monthOfYear == 1 && month > 1)
                rowBase = rowAfter(rowBase, kRowsBetweenYears);
            const std::int32_t row = rowAfter(rowBase, month);
            writeMonth(month, row);

            const bool lastMonth = month == monthCount;
            if (monthOfYear != Calendar::kMonthsPerYear && !lastMonth)
                continue;
            // A last year cut short by a fractional length gets its block and the final block only where
            // both fit in the grid's 32767 rows; otherwise the schedule ends with its last month.
            if (monthOfYear != Calendar::kMonthsPerYear && rowAfter(row, kFinalBlockRowsAfter) > kMostRows)
                return;
            writeYearBlock(month, row);
            if (lastMonth)
                writeFinalBlock(row);
        }
    }

private:
    static constexpr std::int32_t kMostRows = std::numeric_limits<std::int16_t>::max();

    void raiseIfStoppedAt(ScheduleStep step, std::int32_t month) const {
        const std::optional<ScheduleStop>& stop = m_schedule.stop;
        if (stop && stop->step == step && stop->month == month)
            throw stop->error;
    }

    // The year label of a month's rows: the start year plus the whole years before it.
    double yearLabel(std::int32_t month) const { return m_schedule.startYear + (month - 1) / Calendar::kMonthsPerYear; }

    void cell(std::int32_t column, std::int32_t row, bool bold, bool autoFit, const Module1::CellValue& value,
              std::uint32_t backColor = 0) {
        m_cells.writeCell(column, row, bold, m_shared.GridFontSize, autoFit, value, backColor);
    }

    void writeMonth(std::int32_t month, std::int32_t row) {
        cell(MonthColumn, row, false, false, m_shared.MonthNames[std::size_t((month - 1) % Calendar::kMonthsPerYear)]);
        raiseIfStoppedAt(ScheduleStep::YearLabel, month);
        cell(YearColumn, row, false, false, yearLabel(month));
        m_cells.setCellAlignment(kAlignLeftCentre);

        const bool stopsHere = m_schedule.stop && m_schedule.stop->month == month;
        const ScheduleMonth& figures =
            stopsHere ? m_schedule.stop->unfinished : m_schedule.months[std::size_t(month - 1)];
        raiseIfStoppedAt(ScheduleStep::Interest, month);
        cell(InterestColumn, row, false, false, cents(figures.interest));
        m_cells.setCellAlignment(kAlignLeftCentre);
        raiseIfStoppedAt(ScheduleStep::MonthPrincipal, month);
        cell(PrincipalColumn, row, false, false, cents(figures.principal));
        m_cells.setCellAlignment(kAlignLeftCentre);
        raiseIfStoppedAt(ScheduleStep::Balance, month);
        cell(BalanceColumn, row, true, true, cents(figures.shownBalance));
    }

    void writeYearBlock(std::int32_t month, std::int32_t row) {
        // A last year shorter than twelve months ends below the rows set aside for whole years.
        const std::int32_t emptyRow = rowAfter(row, kRowsBetweenYears);
        if (emptyRow >= m_rowCount)
            setRowCount(rowAfter(emptyRow, 1));

        const std::int32_t separatorRow = rowAfter(row, 1);
        cell(YearColumn, separatorRow, false, true, QString(kFirstSeparatorHyphens, u'-'));
        for (std::int32_t column = MonthColumn; column <= BalanceColumn; ++column)
            cell(column, separatorRow, false, false, QString(kSeparatorHyphens, u'-'));

        // White text on red, as the design gives both colours.
        const std::int32_t totalsRow = rowAfter(row, 2);
        const auto writeTotal = [&](std::int32_t column, const Module1::CellValue& value) {
            cell(column, totalsRow, true, true, value, kRed);
            m_cells.setCellForeColor(kWhite);
        };
        writeTotal(YearColumn, yearLabel(month));
        writeTotal(MonthColumn, QStringLiteral("Total End Of Year"));
        raiseIfStoppedAt(ScheduleStep::YearTotals, month);
        const ScheduleYear& year = m_schedule.years[std::size_t((month - 1) / Calendar::kMonthsPerYear)];
        writeTotal(InterestColumn, cents(year.interestToDate));
        writeTotal(PrincipalColumn, cents(year.principalToDate));
        writeTotal(BalanceColumn, cents(year.balance));
        raiseIfStoppedAt(ScheduleStep::EndYear, month);
    }

    void writeFinalBlock(std::int32_t row) {
        const std::int32_t rowCount = rowAfter(row, kFinalBlockRowsAfter);
        setRowCount(rowCount);
        const auto writeSummary = [&](std::int32_t column, std::int32_t rowsAbove, const Module1::CellValue& value,
                                      std::uint32_t backColor = 0) {
            cell(column, rowCount - rowsAbove, true, true, value, backColor);
        };
        const ScheduleYear& last = m_schedule.years.back();
        const Decimal interest = cents(last.interestToDate);
        const Decimal principal = cents(last.principalToDate);
        writeSummary(MonthColumn, 6, QStringLiteral("Total Summary:"), kGreen);
        writeSummary(YearColumn, 5, QStringLiteral("Total Monthly Payment: "));
        writeSummary(MonthColumn, 5, cents(m_schedule.monthlyPayment));
        writeSummary(YearColumn, 4, QStringLiteral("Total Interest: "));
        writeSummary(MonthColumn, 4, interest);
        writeSummary(YearColumn, 3, QStringLiteral("Total Principal"));
        writeSummary(MonthColumn, 3, principal);
        // The sum of the two figures shown above it, which can differ by a cent from the rounded exact sum.
        writeSummary(YearColumn, 2, QStringLiteral("Total Payment Pay:"));
        writeSummary(MonthColumn, 2, principal + interest);
    }

    // Sets the grid's row count (range-checked to 16 bits) and, unless 0, its column count.
    void setRowCount(std::int32_t rowCount, std::int16_t columnCount = 0) {
        m_cells.setGridSize(columnCount, checkedInt16(rowCount, kRowSource));
        m_rowCount = rowCount;
    }

    const Schedule& m_schedule;
    const SharedState& m_shared;
    Formula::Cells& m_cells;
    std::int32_t m_rowCount = 0; // the grid's row count as last set here
};

// The schedule's cells written into the result grid through the cell routines.
class GridCells final : public Formula::Cells {
public:
    GridCells(FlexGrid& grid, WindowFont& font)
        : m_grid(grid)
        , m_font(font) {}

    void setGridSize(std::int16_t columnCount, std::int16_t rowCount) override {
        Module1::SetGridSize(columnCount, rowCount, m_grid);
    }
    void writeCell(std::int32_t column, std::int32_t row, bool bold, std::int16_t fontSize, bool autoFit,
                   const Module1::CellValue& value, std::uint32_t backColor) override {
        Module1::WriteCell(m_grid, column, row, bold, false, fontSize, autoFit, value, m_font, backColor);
    }
    void setCellAlignment(std::int16_t alignment) override { m_grid.setCellAlignment(alignment); }
    void setCellForeColor(std::uint32_t color) override { m_grid.setCellForeColor(color); }
    void setHeaderRow(std::int32_t row) override { m_grid.gridModel()->setHeaderRow(row); }

private:
    FlexGrid& m_grid;
    WindowFont& m_font;
};

} // namespace

namespace Formula {

void WriteSchedule(const Schedule& schedule, const SharedState& shared, Cells& cells) {
    ScheduleLayout(schedule, shared, cells).write();
}

void BuildSchedule(FlexGrid& grid, WindowFont& font, const Schedule& schedule, const SharedState& shared) {
    GridCells cells(grid, font);
    WriteSchedule(schedule, shared, cells);
}

} // namespace Formula
