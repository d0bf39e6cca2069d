#pragma once

#include "lender/LenderText.h"
#include "loan/LenderTerms.h"
#include "loan/Schedule.h"
#include "windows/DatedAmountTable.h"
#include "windows/ToolWindow.h"

#include <optional>

class CheckedField;
class LenderScheduleModel;
class OutOfDateNote;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class TableActions;

// "Does this match my lender?": the last calculated loan as a lender bills it, under the terms the user picks
// (how often it is paid, how interest compounds and is counted, how payment and interest are rounded, the
// payment itself, rate changes), with a preset for each common convention. Beside the lender's figures stand
// the main window's for the same loan. Everything follows the fields as they are typed; while a field does not
// read, the figures stay those of the last terms that read, marked as out of date.
class LenderWindow : public ToolWindow {
    Q_OBJECT

public:
    // The rate changes table's columns.
    enum ChangeColumn {
        ChangeYearColumn = DatedAmountTable::YearColumn,
        ChangeMonthColumn = DatedAmountTable::MonthColumn,
        ChangeRateColumn = DatedAmountTable::AmountColumn,
    };
    // The presets in their list, "Custom" last.
    static constexpr int kCustomPreset = 4;

    explicit LenderWindow(const MessagePath& messages, QWidget* parent = nullptr);
    ~LenderWindow() override;

    // The loan to start from; the terms chosen stay.
    void setLoan(const Schedule& schedule);

    bool isOutOfDate() const;
    const LenderScheduleModel& scheduleModel() const { return *m_model; }
    const std::vector<LenderText::SummaryRow>& summary() const { return m_summary; }
    // The summary as lines of text, as the screen reader reads it.
    QString summaryText() const;
    // Why the schedule stops short, or an empty text.
    QString stopText() const;

    QComboBox* preset = nullptr;
    QComboBox* frequency = nullptr;
    CheckedField* firstPayment = nullptr;
    QComboBox* compounding = nullptr;
    QComboBox* interestCount = nullptr;
    CheckedField* loanDate = nullptr;
    QComboBox* paymentRounding = nullptr;
    QComboBox* interestRounding = nullptr;
    QComboBox* paymentBasis = nullptr;
    CheckedField* paymentAmount = nullptr;
    DatedAmountTable* rateChanges = nullptr;
    QPushButton* addChange = nullptr;
    QPushButton* removeChange = nullptr;
    QLabel* changesProblem = nullptr;
    QRadioButton* newPayment = nullptr;
    QRadioButton* keepPayment = nullptr;
    QSpinBox* balanceAfter = nullptr;
    QLabel* termsProblem = nullptr;
    QTableView* scheduleView = nullptr;
    TableActions* actions = nullptr;

    // Adds a rate change (January of the year after the start, no rate) and puts the cursor in its rate.
    void addChangeRow();

private:
    QWidget* makeTerms();
    QWidget* makeResults();
    void applyPreset(int index);
    void detailChanged();
    // Reads the fields into terms; marks each that does not read. Also gives the rate-change rows that read.
    std::optional<LenderTerms> readFields(std::vector<int>& changeRowsRead);
    void update();
    void markChangesOutside(const LenderSchedule& schedule, const std::vector<int>& changeRowsRead);

    std::optional<Schedule> m_loan;
    std::vector<LenderText::SummaryRow> m_summary;
    bool m_applyingPreset = false;
    bool m_repaymentTyped = false;
    bool m_updating = false;

    QLabel* m_loanLabel = nullptr;
    QLabel* m_paymentAmountLabel = nullptr;
    QTableWidget* m_summaryTable = nullptr;
    OutOfDateNote* m_outOfDate = nullptr;
    QLabel* m_stop = nullptr;
    LenderScheduleModel* m_model = nullptr;
};
