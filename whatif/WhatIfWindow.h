#pragma once

#include "loan/Extras.h"
#include "loan/Schedule.h"
#include "whatif/WhatIfText.h"
#include "windows/DatedAmountTable.h"
#include "windows/ToolWindow.h"

#include <optional>

class CheckedField;
class ExtraScheduleModel;
class OutOfDateNote;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QValueAxis;
class TableActions;

// Answers "what if I pay more?" for the last calculated loan: extras every month, every year and once, what
// they do (finish sooner or pay less), and beside the loan as calculated the payment, payments, last payment,
// interest, total paid and what the extras save; the schedule with the extras, a chart of both balances, and
// the schedule's ways out. Everything follows the fields as they are typed. While a field does not read, the
// figures stay those of the last extras that read, marked as out of date.
class WhatIfWindow : public ToolWindow {
    Q_OBJECT

public:
    // The one-off payments table's columns.
    enum LumpColumn {
        LumpYearColumn = DatedAmountTable::YearColumn,
        LumpMonthColumn = DatedAmountTable::MonthColumn,
        LumpAmountColumn = DatedAmountTable::AmountColumn,
    };

    explicit WhatIfWindow(const MessagePath& messages, QWidget* parent = nullptr);
    ~WhatIfWindow() override;

    // The loan to start from; the extras typed stay.
    void setLoan(const Schedule& schedule);

    // What the window shows, for reading back.
    bool isOutOfDate() const;
    const ExtraScheduleModel& scheduleModel() const { return *m_model; }
    const std::vector<WhatIfText::ComparisonRow>& comparison() const { return m_comparison; }
    // The comparison as lines of text, as the screen reader reads it.
    QString comparisonText() const;
    QLineSeries* calculatedBalance() const { return m_calculatedSeries; }
    QLineSeries* extraBalance() const { return m_extraSeries; }

    CheckedField* monthlyAmount = nullptr;
    QSpinBox* monthlyFromYear = nullptr;
    QComboBox* monthlyFromMonth = nullptr;
    CheckedField* yearlyAmount = nullptr;
    QComboBox* yearlyMonth = nullptr;
    DatedAmountTable* lumps = nullptr;
    QPushButton* addLump = nullptr;
    QPushButton* removeLump = nullptr;
    QLabel* lumpsProblem = nullptr;
    QRadioButton* finishSooner = nullptr;
    QRadioButton* payLess = nullptr;
    QTableView* scheduleView = nullptr;
    TableActions* actions = nullptr;

    // Adds a one-off payment (in December of the start year, no amount) and puts the cursor in its amount.
    void addLumpRow();

private:
    QWidget* makeExtrasGroup();
    QWidget* makeResults();
    QWidget* makeChart();
    // Reads the fields; marks each that does not read. Returns the extras when every field reads, and which
    // lump rows did, in row order.
    std::optional<ExtraPayments> readFields(std::vector<int>& lumpRowsRead);
    void update();
    void showOutcome(const ExtraSchedule& schedule);
    void markLumpsOutside(const ExtraSchedule& schedule, const std::vector<int>& lumpRowsRead);

    std::optional<Schedule> m_loan;
    ExtraPayments m_lastRead;
    std::vector<WhatIfText::ComparisonRow> m_comparison;

    QLabel* m_loanLabel = nullptr;
    QTableWidget* m_comparisonTable = nullptr;
    OutOfDateNote* m_outOfDate = nullptr;
    ExtraScheduleModel* m_model = nullptr;
    QLineSeries* m_calculatedSeries = nullptr;
    QLineSeries* m_extraSeries = nullptr;
    QValueAxis* m_xAxis = nullptr;
    QValueAxis* m_yAxis = nullptr;
    bool m_updating = false;
};
