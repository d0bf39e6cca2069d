#include "whatif/WhatIfWindow.h"

#include "loan/Calendar.h"
#include "numbers/Money.h"
#include "numbers/NumberText.h"
#include "whatif/ExtraScheduleModel.h"
#include "windows/CheckedField.h"
#include "windows/DatedAmountTable.h"
#include "windows/OutOfDateNote.h"
#include "windows/TableActions.h"
#include "windows/WindowColours.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int kWindowWidthPixels = 1000;
constexpr int kWindowHeightPixels = 760;
constexpr int kLatestYear = 32767;
constexpr int kLumpsTableHeightPixels = 120;
constexpr int kComparisonHeightPixels = 230;
constexpr qreal kLineWidthPixels = 2.5;

QComboBox* monthBox(int month, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const QString& name : Calendar::kMonthNames)
        box->addItem(name);
    box->setCurrentIndex(month - 1);
    return box;
}

// The balance after each year's end, from the principal at the start.
template <class Years>
void fillBalances(QLineSeries& series, double startYear, double principal, const Years& years, std::size_t monthCount) {
    QList<QPointF> points;
    points.reserve(qsizetype(years.size()) + 1);
    points.append({startYear, principal});
    std::size_t months = 0;
    for (const auto& year : years) {
        months = std::min(monthCount, months + Calendar::kMonthsPerYear);
        points.append({startYear + double(months) / Calendar::kMonthsPerYear, year.balance.toDouble()});
    }
    series.replace(points);
}

} // namespace

WhatIfWindow::WhatIfWindow(const MessagePath& messages, QWidget* parent)
    : ToolWindow(QStringLiteral("What If"), QStringLiteral("Calculate a loan to see what extra payments save"),
                 messages, parent) {
    setObjectName(QStringLiteral("whatIfWindow"));
    resize(kWindowWidthPixels, kWindowHeightPixels);

    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_loanLabel = new QLabel(page);
    m_loanLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_loanLabel->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_loanLabel);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(makeExtrasGroup());
    splitter->addWidget(makeResults());
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    setFiguresPage(page);
    setFirstField(monthlyAmount);
    windowLayout()->setContentsMargins(0, 0, 0, 0);
}

WhatIfWindow::~WhatIfWindow() = default;

QWidget* WhatIfWindow::makeExtrasGroup() {
    auto* group = new QGroupBox(QStringLiteral("Extra payments"));
    auto* form = new QFormLayout(group);

    auto* monthlyRow = new QHBoxLayout;
    monthlyAmount = new CheckedField(CheckedField::Accepts::Amount, QStringLiteral("Extra every month"),
                                     QStringLiteral("the extra every month"), group);
    monthlyAmount->setObjectName(QStringLiteral("monthlyAmount"));
    monthlyFromYear = new QSpinBox(group);
    monthlyFromYear->setRange(0, kLatestYear);
    monthlyFromYear->setAccessibleName(QStringLiteral("Extra every month from the year"));
    monthlyFromMonth = monthBox(1, group);
    monthlyFromMonth->setAccessibleName(QStringLiteral("Extra every month from the month"));
    monthlyRow->addWidget(monthlyAmount);
    monthlyRow->addWidget(new QLabel(QStringLiteral("from"), group));
    monthlyRow->addWidget(monthlyFromMonth);
    monthlyRow->addWidget(monthlyFromYear);
    monthlyRow->addWidget(monthlyAmount->reasonLabel(), 1);
    auto* monthlyLabel = new QLabel(QStringLiteral("Extra every &month:"), group);
    monthlyLabel->setBuddy(monthlyAmount);
    form->addRow(monthlyLabel, monthlyRow);

    auto* yearlyRow = new QHBoxLayout;
    yearlyAmount = new CheckedField(CheckedField::Accepts::Amount, QStringLiteral("Extra every year"),
                                    QStringLiteral("the extra every year"), group);
    yearlyAmount->setObjectName(QStringLiteral("yearlyAmount"));
    yearlyMonth = monthBox(Calendar::kMonthsPerYear, group);
    yearlyMonth->setAccessibleName(QStringLiteral("Extra every year in the month"));
    yearlyRow->addWidget(yearlyAmount);
    yearlyRow->addWidget(new QLabel(QStringLiteral("in"), group));
    yearlyRow->addWidget(yearlyMonth);
    yearlyRow->addWidget(yearlyAmount->reasonLabel(), 1);
    auto* yearlyLabel = new QLabel(QStringLiteral("Extra every &year:"), group);
    yearlyLabel->setBuddy(yearlyAmount);
    form->addRow(yearlyLabel, yearlyRow);

    auto* lumpsRow = new QHBoxLayout;
    lumps = new DatedAmountTable(QStringLiteral("Amount"), QStringLiteral("one-off payment"),
                                 QStringLiteral("The amount"), QStringLiteral("it has no amount"), group);
    lumps->setObjectName(QStringLiteral("lumps"));
    lumps->setAccessibleName(QStringLiteral("One-off payments"));
    lumps->setMaximumHeight(kLumpsTableHeightPixels);
    auto* lumpButtons = new QVBoxLayout;
    addLump = new QPushButton(QStringLiteral("&Add"), group);
    removeLump = new QPushButton(QStringLiteral("&Remove"), group);
    addLump->setAccessibleName(QStringLiteral("Add a one-off payment"));
    removeLump->setAccessibleName(QStringLiteral("Remove the selected one-off payment"));
    lumpButtons->addWidget(addLump);
    lumpButtons->addWidget(removeLump);
    lumpButtons->addStretch();
    lumpsProblem = new QLabel(group);
    lumpsProblem->setObjectName(QStringLiteral("lumpsProblem"));
    lumpsProblem->setStyleSheet(WindowColours::kProblemStyle);
    lumpsProblem->setWordWrap(true);
    lumpsProblem->hide();
    lumpsRow->addWidget(lumps, 2);
    lumpsRow->addLayout(lumpButtons);
    lumpsRow->addWidget(lumpsProblem, 1);
    auto* lumpsLabel = new QLabel(QStringLiteral("&One-off payments:"), group);
    lumpsLabel->setBuddy(lumps);
    form->addRow(lumpsLabel, lumpsRow);

    auto* effectRow = new QHBoxLayout;
    finishSooner = new QRadioButton(QStringLiteral("Keep the payment, finish sooner"), group);
    payLess = new QRadioButton(QStringLiteral("Keep the end date, pay less"), group);
    finishSooner->setChecked(true);
    auto* effects = new QButtonGroup(group);
    effects->addButton(finishSooner);
    effects->addButton(payLess);
    effectRow->addWidget(finishSooner);
    effectRow->addWidget(payLess);
    effectRow->addStretch();
    form->addRow(new QLabel(QStringLiteral("An extra:"), group), effectRow);

    const auto changed = [this] { update(); };
    connect(monthlyAmount, &QLineEdit::textChanged, this, changed);
    connect(monthlyFromYear, &QSpinBox::valueChanged, this, changed);
    connect(monthlyFromMonth, &QComboBox::currentIndexChanged, this, changed);
    connect(yearlyAmount, &QLineEdit::textChanged, this, changed);
    connect(yearlyMonth, &QComboBox::currentIndexChanged, this, changed);
    connect(lumps, &QTableWidget::itemChanged, this, changed);
    connect(finishSooner, &QRadioButton::toggled, this, changed);
    connect(addLump, &QPushButton::clicked, this, &WhatIfWindow::addLumpRow);
    connect(removeLump, &QPushButton::clicked, this, [this] {
        const int row = lumps->currentRow();
        if (row >= 0) {
            lumps->removeRow(row);
            update();
        }
    });
    return group;
}

QWidget* WhatIfWindow::makeResults() {
    auto* results = new QWidget;
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);

    m_comparisonTable = new QTableWidget(0, 3, results);
    m_comparisonTable->setObjectName(QStringLiteral("comparison"));
    m_comparisonTable->setAccessibleName(QStringLiteral("Comparison"));
    m_comparisonTable->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("As calculated"), QStringLiteral("With extra payments")});
    m_comparisonTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_comparisonTable->verticalHeader()->hide();
    m_comparisonTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_comparisonTable->setTabKeyNavigation(false);
    m_comparisonTable->setMinimumHeight(kComparisonHeightPixels);
    layout->addWidget(m_comparisonTable);
    m_outOfDate = new OutOfDateNote(QStringLiteral("extras"), results);
    layout->addWidget(m_outOfDate);

    auto* tabs = new QTabWidget(results);
    auto* schedulePage = new QWidget(tabs);
    auto* scheduleLayout = new QVBoxLayout(schedulePage);
    m_model = new ExtraScheduleModel(this);
    scheduleView = new QTableView(schedulePage);
    scheduleView->setObjectName(QStringLiteral("scheduleWithExtras"));
    scheduleView->setAccessibleName(QStringLiteral("Schedule with extra payments"));
    scheduleView->setModel(m_model);
    scheduleView->verticalHeader()->hide();
    scheduleView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    scheduleView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    scheduleView->setTabKeyNavigation(false);
    scheduleLayout->addWidget(scheduleView);
    actions = new TableActions(
        *m_model, QStringLiteral("the schedule with extras"), QStringLiteral("what-if-schedule"),
        [this] { return m_loanLabel->text(); }, *this);
    scheduleLayout->addWidget(actions);
    tabs->addTab(schedulePage, QStringLiteral("Schedule"));
    tabs->addTab(makeChart(), QStringLiteral("Chart"));
    layout->addWidget(tabs, 1);
    return results;
}

QWidget* WhatIfWindow::makeChart() {
    auto* chart = new QChart;
    m_calculatedSeries = new QLineSeries(chart);
    m_calculatedSeries->setName(QStringLiteral("As calculated"));
    m_extraSeries = new QLineSeries(chart);
    m_extraSeries->setName(QStringLiteral("With extra payments"));
    chart->addSeries(m_calculatedSeries);
    chart->addSeries(m_extraSeries);
    m_calculatedSeries->setPen(QPen(QColor(WindowColours::kCalculatedLine), kLineWidthPixels, Qt::DashLine));
    m_extraSeries->setPen(QPen(QColor(WindowColours::kChangedLine), kLineWidthPixels));
    m_xAxis = new QValueAxis(chart);
    m_xAxis->setTitleText(QStringLiteral("Year"));
    m_xAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_yAxis = new QValueAxis(chart);
    m_yAxis->setTitleText(QStringLiteral("Balance"));
    m_yAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_xAxis, Qt::AlignBottom);
    chart->addAxis(m_yAxis, Qt::AlignLeft);
    for (QLineSeries* series : {m_calculatedSeries, m_extraSeries}) {
        series->attachAxis(m_xAxis);
        series->attachAxis(m_yAxis);
    }
    chart->setTitle(QStringLiteral("Balance owed"));
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(QStringLiteral("Chart of the balance as calculated and with extra payments"));
    view->setFocusPolicy(Qt::StrongFocus);
    return view;
}

void WhatIfWindow::setLoan(const Schedule& schedule) {
    const bool first = !m_loan;
    m_loan = schedule;
    m_loanLabel->setText(
        QStringLiteral("As calculated: %1 years at %2 % on %3 from %4, %5 a month")
            .arg(doubleText(schedule.lengthInYears), decimalText(schedule.monthlyRate * Decimal::fromInteger(1200)),
                 doubleText(schedule.principal), doubleText(schedule.startYear), Money::text(schedule.monthlyPayment)));
    if (first && monthlyFromYear->value() == 0) {
        const QSignalBlocker blocker(monthlyFromYear);
        monthlyFromYear->setValue(int(std::clamp(schedule.startYear, 0.0, double(kLatestYear))));
    }
    showFigures();
    m_lastRead = {};
    update();
}

bool WhatIfWindow::isOutOfDate() const {
    return m_outOfDate->isOutOfDate();
}

void WhatIfWindow::addLumpRow() {
    lumps->addDatedRow(m_loan ? std::int64_t(m_loan->startYear) : 0, Calendar::kMonthsPerYear);
    update();
}

std::optional<ExtraPayments> WhatIfWindow::readFields(std::vector<int>& lumpRowsRead) {
    ExtraPayments extras;
    const std::optional<Decimal> monthly = monthlyAmount->readAmount();
    const std::optional<Decimal> yearly = yearlyAmount->readAmount();
    bool allRead = monthly && yearly;
    extras.monthly = monthly.value_or(Decimal());
    extras.monthlyFromYear = monthlyFromYear->value();
    extras.monthlyFromMonth = monthlyFromMonth->currentIndex() + 1;
    extras.yearly = yearly.value_or(Decimal());
    extras.yearlyMonth = yearlyMonth->currentIndex() + 1;

    const DatedAmountTable::Reading reading = lumps->read();
    for (const DatedAmountTable::Entry& entry : reading.entries) {
        extras.lumps.push_back({std::int32_t(entry.year), entry.month, entry.amount});
        lumpRowsRead.push_back(entry.row);
    }
    // An amount still being typed, or left empty, is not an error of the rest of the plan.
    allRead = allRead && reading.problems.isEmpty();
    const QStringList& lumpProblems = reading.problems;
    lumpsProblem->setText(lumpProblems.join(u'\n'));
    lumpsProblem->setVisible(!lumpProblems.isEmpty());
    extras.effect = payLess->isChecked() ? ExtraPayments::Effect::PayLess : ExtraPayments::Effect::FinishSooner;
    if (!allRead)
        return std::nullopt;
    return extras;
}

void WhatIfWindow::update() {
    if (!m_loan || m_updating)
        return;
    m_updating = true;
    std::vector<int> lumpRowsRead;
    const std::optional<ExtraPayments> read = readFields(lumpRowsRead);
    bool outOfDate = !read;
    if (read)
        m_lastRead = *read;
    ExtraSchedule schedule = ExtraSchedule::compute(*m_loan, m_lastRead);
    if (schedule.error) {
        outOfDate = true;
        monthlyAmount->mark(schedule.error->message());
    }
    m_outOfDate->setOutOfDate(outOfDate);
    if (!outOfDate)
        markLumpsOutside(schedule, lumpRowsRead);
    showOutcome(schedule);
    m_model->setSchedule(std::move(schedule));
    m_updating = false;
}

void WhatIfWindow::markLumpsOutside(const ExtraSchedule& schedule, const std::vector<int>& lumpRowsRead) {
    if (schedule.lumpsOutside.empty())
        return;
    QStringList problems;
    const LoanOutcome calculated = LoanOutcome::of(*m_loan);
    const QString first = WhatIfText::date(m_loan->startYear, 1);
    const QString last = WhatIfText::date(calculated.lastYear, calculated.lastMonth);
    for (const std::size_t index : schedule.lumpsOutside) {
        const int row = lumpRowsRead[index];
        lumps->markLeftOut(row);
        problems << QStringLiteral(
                        "One-off payment %1 falls outside the loan, which runs from %2 to %3; it is left out.")
                        .arg(row + 1)
                        .arg(first, last);
    }
    lumpsProblem->setText(problems.join(u'\n'));
    lumpsProblem->setVisible(true);
}

void WhatIfWindow::showOutcome(const ExtraSchedule& schedule) {
    m_comparison = WhatIfText::comparison(LoanOutcome::of(*m_loan), schedule.outcome());
    m_comparisonTable->setRowCount(int(m_comparison.size()));
    for (int row = 0; row < int(m_comparison.size()); ++row) {
        const WhatIfText::ComparisonRow& figures = m_comparison[std::size_t(row)];
        const std::array<QString, 3> texts = {figures.name, figures.asCalculated, figures.withExtras};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts[std::size_t(column)]);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_comparisonTable->setItem(row, column, item);
        }
    }
    m_comparisonTable->setAccessibleDescription(comparisonText());

    const Schedule& loan = *m_loan;
    fillBalances(*m_calculatedSeries, loan.startYear, loan.principal, loan.years, loan.months.size());
    fillBalances(*m_extraSeries, loan.startYear, loan.principal, schedule.years, schedule.months.size());
    m_xAxis->setRange(loan.startYear, loan.startYear + double(loan.months.size()) / Calendar::kMonthsPerYear);
    double highest = loan.principal;
    for (const ScheduleYear& year : loan.years)
        highest = std::max(highest, year.balance.toDouble());
    m_yAxis->setRange(0, highest);
}

QString WhatIfWindow::comparisonText() const {
    return WhatIfText::summaryLines(m_comparison).join(u'\n');
}
