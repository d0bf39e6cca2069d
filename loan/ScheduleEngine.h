#pragma once

#include "grid/Module1.h"
#include "loan/ScheduleYear.h"
#include "numbers/Decimal.h"

#include <QString>

#include <cstdint>
#include <vector>

// The month-by-month amortization schedule: its arithmetic, its layout and the order in which its cells
// are written. It reads the loan's length, principal and start year through Inputs and hands every cell
// to an Output, so the same steps fill the result grid (Formula::BuildSchedule) or run with no grid at all.
//
// It uses the shared MonthlyRate, MonthlyPayment, GridFontSize and MonthNames, and leaves the last month's
// figures in MonthInterest, MonthPrincipal, YearInterest, YearPrincipal, Balance and ShownBalance.
//
// Layout for a length of n months: the header on row 7; month i on row 7 + i + 3 * ((i - 1) / 12); after
// the 12th month of every schedule year, and after the last month when it ends a shorter year, a separator
// row, a totals row (interest and principal to date, the balance) and an empty row; then, once, after the
// last month, an empty row, the "Total Summary:" block of five rows and a last empty row. A 2.5-year loan
// (30 months) thus has two whole years (rows 8-19 and 23-34), months 25-30 on rows 38-43, their separator
// and totals on rows 44 and 45, "Total Summary:" on row 47 and 53 rows in all.
class ScheduleEngine {
public:
    // Where the loan's figures are read. Every call is a fresh read of the box.
    class Inputs {
    public:
        virtual ~Inputs() = default;
        virtual QString lengthText() = 0;    // years, "Text1"
        virtual QString principalText() = 0; // "Text3"
        virtual QString startYearText() = 0; // calendar year of the first payment, "Text6"
    };

    // Where the schedule's cells go, in the order they are written. setCellAlignment and setCellForeColor
    // act on the cell that the preceding writeCell selected.
    class Output {
    public:
        virtual ~Output() = default;
        virtual void setGridSize(std::int16_t columnCount, std::int16_t rowCount) = 0;
        virtual void writeCell(std::int32_t column, std::int32_t row, bool bold, std::int16_t fontSize, bool autoFit,
                               const Module1::CellValue& value, std::uint32_t backColor) = 0;
        virtual void setCellAlignment(std::int16_t alignment) = 0;
        virtual void setCellForeColor(std::uint32_t color) = 0;
    };

    static constexpr std::int32_t kHeaderRow = 7;
    static constexpr std::int16_t kColumnCount = 5;
    static constexpr std::int16_t kHeaderFontSize = 12;
    static constexpr std::uint32_t kRed = 255;
    static constexpr std::uint32_t kGreen = 65280;
    static constexpr std::uint32_t kWhite = 16777215;
    static constexpr std::int16_t kAlignLeftCentre = 1;

    ScheduleEngine(Inputs& inputs, Output& output);

    // Writes the whole schedule. A RuntimeError ends it at the failing step; what was written stays.
    void run();

    // One entry per totals row written so far, in schedule order: what a chart of the loan draws.
    const std::vector<ScheduleYear>& years() const { return m_years; }
    std::vector<ScheduleYear> takeYears() { return std::move(m_years); }

private:
    void setUp();
    void writeMonth(std::int32_t row);
    void writeYearBlock(std::int32_t row);
    void writeFinalBlock(std::int32_t row);
    // Sets the grid's row count (range-checked to 16 bits) and, unless 0, its column count.
    void setRowCount(std::int32_t rowCount, std::int16_t columnCount = 0);

    double lengthInYears();
    double startYear();
    double yearLabel();

    Inputs& m_inputs;
    Output& m_output;

    std::int16_t m_monthCount = 0;       // n
    std::int16_t m_monthOfYear = 0;      // m: 1 to 12 within a schedule year
    std::int16_t m_completedYears = 0;   // y
    std::int32_t m_rowBase = kHeaderRow; // b: month i is on row b + i
    std::int32_t m_rowCount = 0;         // the grid's row count as last set here
    Decimal m_interestToDate;
    Decimal m_principalToDate;
    std::vector<ScheduleYear> m_years;
};
