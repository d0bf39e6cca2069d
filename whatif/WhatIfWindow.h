#pragma once

#include "loan/Extras.h"
#include "loan/Schedule.h"
#include "whatif/WhatIfText.h"

#include <QWidget>

#include <functional>
#include <optional>

class ExtraScheduleModel;
class QButtonGroup;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableView;
class QTableWidget;
class QValueAxis;

// A top-level window that answers "what if I pay more?" for the last calculated loan: extras every month,
// every year and once, what they do (finish sooner or pay less), and beside the loan as calculated the
// payment, payments, last payment, interest, total paid and what the extras save; the schedule with the
// extras, a chart of both balances, and the schedule's copy, CSV, print and PDF. Everything follows the
// fields as they are typed. A field that does not read is marked with its reason beside it, and the
// figures stay those of the last extras that read, marked as out of date. Escape closes the window.
class WhatIfWindow : public QWidget {
    Q_OBJECT

public:
    // The one-off payments table's columns.
    enum LumpColumn { LumpYearColumn, LumpMonthColumn, LumpAmountColumn, LumpColumnCount };

    explicit WhatIfWindow(QWidget* parent = nullptr);
    ~WhatIfWindow() override;

    // The loan to start from; the extras typed stay. None shows the message until a loan is given.
    void setLoan(const Schedule& schedule);
    // Shows the window in front and active.
    void open();

    // What the window shows, for reading back.
    bool showsMessage() const;
    bool isOutOfDate() const;
    const ExtraScheduleModel& scheduleModel() const { return *m_model; }
    const std::vector<WhatIfText::ComparisonRow>& comparison() const { return m_comparison; }
    // The comparison as lines of text, as the screen reader reads it.
    QString comparisonText() const;
    QLineSeries* calculatedBalance() const { return m_calculatedSeries; }
    QLineSeries* extraBalance() const { return m_extraSeries; }

    // Asks for the file to write; tests put their own answer here in place of the file dialog.
    using FileChooser = std::function<QString(const QString& title, const QString& proposed, const QString& filter)>;
    void setFileChooser(FileChooser chooser);

    QLineEdit* monthlyAmount = nullptr;
    QSpinBox* monthlyFromYear = nullptr;
    QComboBox* monthlyFromMonth = nullptr;
    QLabel* monthlyProblem = nullptr;
    QLineEdit* yearlyAmount = nullptr;
    QComboBox* yearlyMonth = nullptr;
    QLabel* yearlyProblem = nullptr;
    QTableWidget* lumps = nullptr;
    QPushButton* addLump = nullptr;
    QPushButton* removeLump = nullptr;
    QLabel* lumpsProblem = nullptr;
    QRadioButton* finishSooner = nullptr;
    QRadioButton* payLess = nullptr;
    QTableView* scheduleView = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* csvButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* pdfButton = nullptr;

    // Adds a one-off payment (in December of the start year, no amount) and puts the cursor in its amount.
    void addLumpRow();

private:
    QWidget* makeExtrasGroup();
    QWidget* makeResults();
    // Reads the fields; marks each that does not read. Returns the extras when every field reads.
    std::optional<ExtraPayments> readFields();
    void update();
    void showOutcome(const ExtraSchedule& schedule);
    void markLumpsOutside(const ExtraSchedule& schedule);
    void saveCsv();
    void print();
    void exportPdf();

    std::optional<Schedule> m_loan;
    ExtraPayments m_lastRead;
    bool m_outOfDate = false;
    std::vector<WhatIfText::ComparisonRow> m_comparison;
    FileChooser m_chooseFile;

    QStackedWidget* m_pages = nullptr;
    QLabel* m_loanLabel = nullptr;
    QTableWidget* m_comparisonTable = nullptr;
    QLabel* m_outOfDateLabel = nullptr;
    ExtraScheduleModel* m_model = nullptr;
    QChartView* m_chartView = nullptr;
    QLineSeries* m_calculatedSeries = nullptr;
    QLineSeries* m_extraSeries = nullptr;
    QValueAxis* m_xAxis = nullptr;
    QValueAxis* m_yAxis = nullptr;
    bool m_updating = false;
};
