#include "loan/ScheduleEngine.h"

#include "loan/LoanInput.h"
#include "loan/SharedState.h"
#include "numbers/ErrorContext.h"
#include "numbers/NumberText.h"

#include <array>

namespace {

const QString kLengthSource = LoanInputs::kLength.words();
const QString kPrincipalSource = LoanInputs::kPrincipal.words();
const QString kStartYearSource = LoanInputs::kStartYear.words();
const QString kMonthCountSource = QStringLiteral("the number of months from %1").arg(LoanInputs::kLength.words());
const QString kRowSource = QStringLiteral("the schedule's row count from %1").arg(LoanInputs::kLength.words());
const QString kEndYearSource = QStringLiteral("the loan's last year from %1 and %2")
                                   .arg(LoanInputs::kStartYear.words(), LoanInputs::kLength.words());
const QString kBalanceSource = QStringLiteral("the remaining balance");
const QString kYearCountSource = QStringLiteral("the number of schedule years");

const std::array<QString, 5> kHeaderTexts = {QStringLiteral("Year "), QStringLiteral("Month "),
                                             QStringLiteral("Interest "), QStringLiteral("Principal "),
                                             QStringLiteral("Balance ")};

constexpr int kFirstSeparatorHyphens = 22;
constexpr int kSeparatorHyphens = 17;
constexpr int kMonthsPerYear = 12;
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
    return value.roundedTo(2);
}

// The first `count` slots added in slot order.
Decimal sumOfSlots(const std::array<Decimal, 12>& months, int count) {
    Decimal sum;
    for (int slot = 0; slot < count; ++slot)
        sum += months[static_cast<std::size_t>(slot)];
    return sum;
}

} // namespace

ScheduleEngine::ScheduleEngine(Inputs& inputs, Output& output)
    : m_inputs(inputs)
    , m_output(output) {}

void ScheduleEngine::run() {
    setUp();
    for (std::int32_t month = 1; month <= m_monthCount; ++month) {
        m_monthOfYear = checkedInt16(std::int64_t{m_monthOfYear} + 1, kMonthCountSource);
        // Each schedule year after the first starts below the previous year's separator, totals and empty row.
        if (m_monthOfYear == 1 && month > 1)
            m_rowBase = rowAfter(m_rowBase, kRowsBetweenYears);
        const std::int32_t row = rowAfter(m_rowBase, month);
        writeMonth(row);

        const bool lastMonth = month == m_monthCount;
        if (m_monthOfYear == kMonthsPerYear || lastMonth)
            writeYearBlock(row);
        if (lastMonth)
            writeFinalBlock(row);
    }
}

void ScheduleEngine::setUp() {
    MonthInterest = Decimal();
    MonthPrincipal = Decimal();
    Balance = 0.0;
    ShownBalance = 0.0;
    {
        // The month and row counts come from the length: too long a loan is the length's fault.
        const ErrorContext length({}, LoanInputs::kLength.objectName());
        m_monthCount = roundToInt16(lengthInYears() * kMonthsPerYear, kMonthCountSource);
    }
    {
        const ErrorContext principal({}, LoanInputs::kPrincipal.objectName());
        Balance = readNumber(m_inputs.principalText(), kPrincipalSource);
        ShownBalance = readNumber(m_inputs.principalText(), kPrincipalSource);
    }

    // Cutting back to the summary and the header row drops every row of an earlier schedule.
    setRowCount(kHeaderRow + 1, kColumnCount);
    for (std::int32_t column = 0; column < kColumnCount; ++column) {
        m_output.writeCell(column, kHeaderRow, true, kHeaderFontSize, true, kHeaderTexts[std::size_t(column)], 0);
    }

    // Room for every month and for three rows per year of the length, the last year's included.
    const ErrorContext length({}, LoanInputs::kLength.objectName());
    const std::int16_t monthRows = checkedInt16(std::int64_t{m_monthCount} + kRowsAboveFirstMonth, kRowSource);
    setRowCount(roundToInt16(monthRows + lengthInYears() * kRowsBetweenYears, kRowSource));

    m_rowBase = kHeaderRow;
    m_monthOfYear = 0;
    m_completedYears = 0;
    m_interestToDate = Decimal();
    m_principalToDate = Decimal();
    m_years.clear();
    if (m_monthCount > 0)
        m_years.reserve(static_cast<std::size_t>((m_monthCount + kMonthsPerYear - 1) / kMonthsPerYear));
}

void ScheduleEngine::writeMonth(std::int32_t row) {
    const std::size_t slot = static_cast<std::size_t>(m_monthOfYear - 1);

    m_output.writeCell(MonthColumn, row, false, GridFontSize, false, MonthNames[slot], 0);
    m_output.writeCell(YearColumn, row, false, GridFontSize, false, yearLabel(), 0);
    m_output.setCellAlignment(kAlignLeftCentre);

    // Interest is charged on the balance at the start of the month.
    const Decimal openingBalance = toDecimal(Balance, kBalanceSource);
    MonthInterest = openingBalance * MonthlyRate;
    m_output.writeCell(InterestColumn, row, false, GridFontSize, false, cents(MonthInterest), 0);
    m_output.setCellAlignment(kAlignLeftCentre);
    YearInterest[slot] = MonthInterest;

    MonthPrincipal = MonthlyPayment - MonthInterest;
    m_output.writeCell(PrincipalColumn, row, false, GridFontSize, false, cents(MonthPrincipal), 0);
    m_output.setCellAlignment(kAlignLeftCentre);
    YearPrincipal[slot] = MonthPrincipal;

    ShownBalance = (toDecimal(ShownBalance, kBalanceSource) - MonthPrincipal).toDouble();
    m_output.writeCell(BalanceColumn, row, true, GridFontSize, true, cents(toDecimal(ShownBalance, kBalanceSource)), 0);
    Balance = (openingBalance - MonthPrincipal).toDouble();
}

void ScheduleEngine::writeYearBlock(std::int32_t row) {
    // A last year shorter than twelve months ends below the rows set aside for whole years.
    const std::int32_t emptyRow = rowAfter(row, kRowsBetweenYears);
    if (emptyRow >= m_rowCount)
        setRowCount(rowAfter(emptyRow, 1));

    const std::int32_t separatorRow = rowAfter(row, 1);
    m_output.writeCell(YearColumn, separatorRow, false, GridFontSize, true, QString(kFirstSeparatorHyphens, u'-'), 0);
    for (std::int32_t column = MonthColumn; column <= BalanceColumn; ++column)
        m_output.writeCell(column, separatorRow, false, GridFontSize, false, QString(kSeparatorHyphens, u'-'), 0);

    const std::int32_t totalsRow = rowAfter(row, 2);
    const auto writeTotal = [&](std::int32_t column, const Module1::CellValue& value) {
        m_output.writeCell(column, totalsRow, true, GridFontSize, true, value, kRed);
        m_output.setCellForeColor(kWhite);
    };
    const double label = yearLabel();
    writeTotal(YearColumn, label);
    writeTotal(MonthColumn, QStringLiteral("Total End Of Year"));

    // The year's own sums are formed first, from the unrounded months, and only then added to the totals.
    const Decimal yearInterest = sumOfSlots(YearInterest, m_monthOfYear);
    const Decimal yearPrincipal = sumOfSlots(YearPrincipal, m_monthOfYear);
    m_interestToDate += yearInterest;
    m_principalToDate += yearPrincipal;
    writeTotal(InterestColumn, cents(m_interestToDate));
    writeTotal(PrincipalColumn, cents(m_principalToDate));
    const Decimal balance = cents(toDecimal(ShownBalance, kBalanceSource));
    writeTotal(BalanceColumn, balance);
    m_years.push_back({label, cents(yearInterest), cents(yearPrincipal), balance});

    m_completedYears = checkedInt16(std::int64_t{m_completedYears} + 1, kYearCountSource);
    m_monthOfYear = 0;

    // The loan's last year is a 16-bit year: a start year, a length or an end year beyond 32767 ends the
    // schedule here, after the first year block.
    std::int16_t start = 0;
    {
        // A start year beyond 32767 is the start year's fault.
        const ErrorContext startYearBox({}, LoanInputs::kStartYear.objectName());
        start = roundToInt16(startYear(), kStartYearSource);
    }
    const ErrorContext length({}, LoanInputs::kLength.objectName());
    const std::int16_t years = roundToInt16(lengthInYears(), kLengthSource);
    checkedInt16(std::int64_t{start} + years, kEndYearSource);
}

void ScheduleEngine::writeFinalBlock(std::int32_t row) {
    const std::int32_t rowCount = rowAfter(row, kFinalBlockRowsAfter);
    setRowCount(rowCount);

    const auto writeSummary = [&](std::int32_t column, std::int32_t rowsAbove, const Module1::CellValue& value,
                                  std::uint32_t backColor) {
        m_output.writeCell(column, rowCount - rowsAbove, true, GridFontSize, true, value, backColor);
    };
    const Decimal interest = cents(m_interestToDate);
    const Decimal principal = cents(m_principalToDate);
    writeSummary(MonthColumn, 6, QStringLiteral("Total Summary:"), kGreen);
    writeSummary(YearColumn, 5, QStringLiteral("Total Monthly Payment: "), 0);
    writeSummary(MonthColumn, 5, cents(MonthlyPayment), 0);
    writeSummary(YearColumn, 4, QStringLiteral("Total Interest: "), 0);
    writeSummary(MonthColumn, 4, interest, 0);
    writeSummary(YearColumn, 3, QStringLiteral("Total Principal"), 0);
    writeSummary(MonthColumn, 3, principal, 0);
    // The sum of the two figures shown above it, which can differ by a cent from the rounded exact sum.
    writeSummary(YearColumn, 2, QStringLiteral("Total Payment Pay:"), 0);
    writeSummary(MonthColumn, 2, principal + interest, 0);
}

void ScheduleEngine::setRowCount(std::int32_t rowCount, std::int16_t columnCount) {
    m_output.setGridSize(columnCount, checkedInt16(rowCount, kRowSource));
    m_rowCount = rowCount;
}

double ScheduleEngine::lengthInYears() {
    const ErrorContext length({}, LoanInputs::kLength.objectName());
    return readNumber(m_inputs.lengthText(), kLengthSource);
}

double ScheduleEngine::startYear() {
    const ErrorContext startYear({}, LoanInputs::kStartYear.objectName());
    return readNumber(m_inputs.startYearText(), kStartYearSource);
}

double ScheduleEngine::yearLabel() {
    return startYear() + m_completedYears;
}
