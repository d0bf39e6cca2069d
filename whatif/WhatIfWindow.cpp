#include "whatif/WhatIfWindow.h"

#include "export/TableExport.h"
#include "loan/Calendar.h"
#include "numbers/Money.h"
#include "numbers/NumberText.h"
#include "whatif/ExtraScheduleModel.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int kWindowWidthPixels = 1000;
constexpr int kWindowHeightPixels = 760;
constexpr int kLatestYear = 32767;
constexpr qreal kLineWidthPixels = 2.5;
constexpr QRgb kCalculatedColour = 0x2d2d2d;
constexpr QRgb kExtraColour = 0x2f6fb0;

const QString kMessage = QStringLiteral("Calculate a loan to see what extra payments save");
const QString kTitle = QStringLiteral("Pellmarsh v1.0 \u2014 What If");
const QString kMarked = QStringLiteral("QLineEdit { border: 2px solid #c0392b; }");

// Digits and one decimal point, as amounts are typed.
QValidator* amountValidator(QObject* parent) {
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), parent);
}

// The one-off payments' editors: amounts take digits and one decimal point, years digits only.
class LumpDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            if (index.column() == WhatIfWindow::LumpAmountColumn)
                line->setValidator(amountValidator(line));
            else if (index.column() == WhatIfWindow::LumpYearColumn)
                line->setValidator(
                    new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), line));
        }
        return editor;
    }
};

QComboBox* monthBox(int month, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const QString& name : Calendar::kMonthNames)
        box->addItem(name);
    box->setCurrentIndex(month - 1);
    return box;
}

// Reads an amount field: empty is no extra. Sets `problem` to the reason when the text does not read.
Decimal amountOf(const QString& text, const QString& field, QString& problem) {
    if (text.trimmed().isEmpty())
        return {};
    try {
        return readAmount(text, field);
    } catch (const RuntimeError& error) {
        problem = error.message();
        return {};
    }
}

void mark(QLineEdit* edit, QLabel* problemLabel, const QString& problem) {
    edit->setStyleSheet(problem.isEmpty() ? QString() : kMarked);
    problemLabel->setText(problem);
    problemLabel->setVisible(!problem.isEmpty());
    edit->setAccessibleDescription(problem);
}

// The balance after each year's end, from the principal at the start.
template <class Years>
void fillBalances(QLineSeries& series, double startYear, double principal, const Years& years, std::size_t monthCount) {
    QList<QPointF> points;
    points.reserve(qsizetype(years.size()) + 1);
    points.append({startYear, principal});
    std::size_t months = 0;
    for (const auto& year : years) {
        months = std::min(monthCount, months + 12);
        points.append({startYear + double(months) / 12.0, year.balance.toDouble()});
    }
    series.replace(points);
}

} // namespace

WhatIfWindow::WhatIfWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_chooseFile([this](const QString& title, const QString& proposed, const QString& filter) {
        return QFileDialog::getSaveFileName(this, title, proposed, filter);
    }) {
    setWindowTitle(kTitle);
    setObjectName(QStringLiteral("whatIfWindow"));
    resize(kWindowWidthPixels, kWindowHeightPixels);

    m_pages = new QStackedWidget(this);
    auto* message = new QLabel(kMessage, m_pages);
    message->setObjectName(QStringLiteral("whatIfMessage"));
    message->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(message);

    auto* page = new QWidget(m_pages);
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
    m_pages->addWidget(page);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pages);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

WhatIfWindow::~WhatIfWindow() = default;

QWidget* WhatIfWindow::makeExtrasGroup() {
    auto* group = new QGroupBox(QStringLiteral("Extra payments"));
    auto* form = new QFormLayout(group);

    const auto problemLabel = [group](const QString& name) {
        auto* label = new QLabel(group);
        label->setObjectName(name);
        label->setStyleSheet(QStringLiteral("color: #c0392b;"));
        label->setWordWrap(true);
        label->hide();
        return label;
    };

    auto* monthlyRow = new QHBoxLayout;
    monthlyAmount = new QLineEdit(group);
    monthlyAmount->setObjectName(QStringLiteral("monthlyAmount"));
    monthlyAmount->setValidator(amountValidator(monthlyAmount));
    monthlyAmount->setAccessibleName(QStringLiteral("Extra every month"));
    monthlyFromYear = new QSpinBox(group);
    monthlyFromYear->setRange(0, kLatestYear);
    monthlyFromYear->setAccessibleName(QStringLiteral("Extra every month from the year"));
    monthlyFromMonth = monthBox(1, group);
    monthlyFromMonth->setAccessibleName(QStringLiteral("Extra every month from the month"));
    monthlyProblem = problemLabel(QStringLiteral("monthlyProblem"));
    monthlyRow->addWidget(monthlyAmount);
    monthlyRow->addWidget(new QLabel(QStringLiteral("from"), group));
    monthlyRow->addWidget(monthlyFromMonth);
    monthlyRow->addWidget(monthlyFromYear);
    monthlyRow->addWidget(monthlyProblem, 1);
    auto* monthlyLabel = new QLabel(QStringLiteral("Extra every &month:"), group);
    monthlyLabel->setBuddy(monthlyAmount);
    form->addRow(monthlyLabel, monthlyRow);

    auto* yearlyRow = new QHBoxLayout;
    yearlyAmount = new QLineEdit(group);
    yearlyAmount->setObjectName(QStringLiteral("yearlyAmount"));
    yearlyAmount->setValidator(amountValidator(yearlyAmount));
    yearlyAmount->setAccessibleName(QStringLiteral("Extra every year"));
    yearlyMonth = monthBox(12, group);
    yearlyMonth->setAccessibleName(QStringLiteral("Extra every year in the month"));
    yearlyProblem = problemLabel(QStringLiteral("yearlyProblem"));
    yearlyRow->addWidget(yearlyAmount);
    yearlyRow->addWidget(new QLabel(QStringLiteral("in"), group));
    yearlyRow->addWidget(yearlyMonth);
    yearlyRow->addWidget(yearlyProblem, 1);
    auto* yearlyLabel = new QLabel(QStringLiteral("Extra every &year:"), group);
    yearlyLabel->setBuddy(yearlyAmount);
    form->addRow(yearlyLabel, yearlyRow);

    auto* lumpsRow = new QHBoxLayout;
    lumps = new QTableWidget(0, LumpColumnCount, group);
    lumps->setObjectName(QStringLiteral("lumps"));
    lumps->setHorizontalHeaderLabels({QStringLiteral("Year"), QStringLiteral("Month"), QStringLiteral("Amount")});
    lumps->setAccessibleName(QStringLiteral("One-off payments"));
    lumps->setItemDelegate(new LumpDelegate(lumps));
    lumps->horizontalHeader()->setStretchLastSection(true);
    lumps->verticalHeader()->hide();
    lumps->setTabKeyNavigation(false);
    lumps->setMaximumHeight(120);
    auto* lumpButtons = new QVBoxLayout;
    addLump = new QPushButton(QStringLiteral("&Add"), group);
    removeLump = new QPushButton(QStringLiteral("&Remove"), group);
    addLump->setAccessibleName(QStringLiteral("Add a one-off payment"));
    removeLump->setAccessibleName(QStringLiteral("Remove the selected one-off payment"));
    lumpButtons->addWidget(addLump);
    lumpButtons->addWidget(removeLump);
    lumpButtons->addStretch();
    lumpsProblem = problemLabel(QStringLiteral("lumpsProblem"));
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
    m_comparisonTable->setMinimumHeight(230);
    layout->addWidget(m_comparisonTable);
    m_outOfDateLabel =
        new QLabel(QStringLiteral("Out of date: these figures are for the last extras that read as numbers."), results);
    m_outOfDateLabel->setObjectName(QStringLiteral("outOfDate"));
    m_outOfDateLabel->setStyleSheet(QStringLiteral("color: #c0392b; font-weight: bold;"));
    m_outOfDateLabel->hide();
    layout->addWidget(m_outOfDateLabel);

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
    auto* buttons = new QHBoxLayout;
    copyButton = new QPushButton(QStringLiteral("&Copy"), schedulePage);
    csvButton = new QPushButton(QStringLiteral("&Save as CSV\u2026"), schedulePage);
    printButton = new QPushButton(QStringLiteral("&Print\u2026"), schedulePage);
    pdfButton = new QPushButton(QStringLiteral("&Export as PDF\u2026"), schedulePage);
    for (QPushButton* button : {copyButton, csvButton, printButton, pdfButton})
        buttons->addWidget(button);
    buttons->addStretch();
    scheduleLayout->addLayout(buttons);
    connect(copyButton, &QPushButton::clicked, this, [this] { TableExport::copy(*m_model); });
    connect(csvButton, &QPushButton::clicked, this, &WhatIfWindow::saveCsv);
    connect(printButton, &QPushButton::clicked, this, &WhatIfWindow::print);
    connect(pdfButton, &QPushButton::clicked, this, &WhatIfWindow::exportPdf);
    tabs->addTab(schedulePage, QStringLiteral("Schedule"));

    auto* chart = new QChart;
    m_calculatedSeries = new QLineSeries(chart);
    m_calculatedSeries->setName(QStringLiteral("As calculated"));
    m_extraSeries = new QLineSeries(chart);
    m_extraSeries->setName(QStringLiteral("With extra payments"));
    chart->addSeries(m_calculatedSeries);
    chart->addSeries(m_extraSeries);
    m_calculatedSeries->setPen(QPen(QColor(kCalculatedColour), kLineWidthPixels, Qt::DashLine));
    m_extraSeries->setPen(QPen(QColor(kExtraColour), kLineWidthPixels));
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
    m_chartView = new QChartView(chart, tabs);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setAccessibleName(QStringLiteral("Chart of the balance as calculated and with extra payments"));
    m_chartView->setFocusPolicy(Qt::StrongFocus);
    tabs->addTab(m_chartView, QStringLiteral("Chart"));
    layout->addWidget(tabs, 1);
    return results;
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
    m_pages->setCurrentIndex(1);
    m_lastRead = {};
    update();
}

void WhatIfWindow::open() {
    show();
    raise();
    activateWindow();
}

bool WhatIfWindow::showsMessage() const {
    return m_pages->currentIndex() == 0;
}

bool WhatIfWindow::isOutOfDate() const {
    return m_outOfDate;
}

void WhatIfWindow::setFileChooser(FileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

void WhatIfWindow::addLumpRow() {
    const int row = lumps->rowCount();
    {
        const QSignalBlocker blocker(lumps);
        lumps->insertRow(row);
        const double year = m_loan ? m_loan->startYear : 0.0;
        lumps->setItem(row, LumpYearColumn, new QTableWidgetItem(doubleText(year)));
        lumps->setItem(row, LumpMonthColumn, new QTableWidgetItem(Calendar::kMonthNames[11]));
        lumps->setItem(row, LumpAmountColumn, new QTableWidgetItem());
    }
    lumps->setCurrentCell(row, LumpAmountColumn);
    lumps->setFocus();
    lumps->editItem(lumps->item(row, LumpAmountColumn));
    update();
}

std::optional<ExtraPayments> WhatIfWindow::readFields() {
    ExtraPayments extras;
    bool allRead = true;

    QString problem;
    extras.monthly = amountOf(monthlyAmount->text(), QStringLiteral("the extra every month"), problem);
    mark(monthlyAmount, monthlyProblem, problem);
    allRead = allRead && problem.isEmpty();
    extras.monthlyFromYear = monthlyFromYear->value();
    extras.monthlyFromMonth = monthlyFromMonth->currentIndex() + 1;

    problem.clear();
    extras.yearly = amountOf(yearlyAmount->text(), QStringLiteral("the extra every year"), problem);
    mark(yearlyAmount, yearlyProblem, problem);
    allRead = allRead && problem.isEmpty();
    extras.yearlyMonth = yearlyMonth->currentIndex() + 1;

    QStringList lumpProblems;
    const QSignalBlocker blocker(lumps);
    for (int row = 0; row < lumps->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = lumps->item(row, column);
            return item ? item->text() : QString();
        };
        const QString name = QStringLiteral("one-off payment %1").arg(row + 1);
        QStringList rowProblems;
        bool yearRead = false;
        LumpSum lump;
        lump.year = text(LumpYearColumn).trimmed().toInt(&yearRead);
        if (!yearRead)
            rowProblems << QStringLiteral("its year \"%1\" is not a year").arg(text(LumpYearColumn));
        lump.month = WhatIfText::monthFromText(text(LumpMonthColumn));
        if (lump.month == 0)
            rowProblems << QStringLiteral("its month \"%1\" is not a month").arg(text(LumpMonthColumn));
        QString amountProblem;
        if (text(LumpAmountColumn).trimmed().isEmpty())
            amountProblem = QStringLiteral("it has no amount");
        else
            lump.amount = amountOf(text(LumpAmountColumn), QStringLiteral("The amount"), amountProblem);
        if (!amountProblem.isEmpty())
            rowProblems << amountProblem;
        for (int column = 0; column < LumpColumnCount; ++column) {
            if (QTableWidgetItem* item = lumps->item(row, column))
                item->setBackground(rowProblems.isEmpty() ? QBrush() : QBrush(QColor(0xf5c6c0)));
        }
        if (rowProblems.isEmpty()) {
            extras.lumps.push_back(lump);
        } else {
            // An amount still being typed, or left empty, is not an error of the rest of the plan.
            allRead = false;
            lumpProblems << QStringLiteral("In %1, %2.").arg(name, rowProblems.join(QStringLiteral("; ")));
        }
    }
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
    const std::optional<ExtraPayments> read = readFields();
    m_outOfDate = !read;
    if (read)
        m_lastRead = *read;
    ExtraSchedule schedule = ExtraSchedule::compute(*m_loan, m_lastRead);
    if (schedule.error) {
        m_outOfDate = true;
        monthlyProblem->setText(schedule.error->message());
        monthlyProblem->show();
    }
    m_outOfDateLabel->setVisible(m_outOfDate);
    markLumpsOutside(schedule);
    showOutcome(schedule);
    m_model->setSchedule(std::move(schedule));
    m_updating = false;
}

void WhatIfWindow::markLumpsOutside(const ExtraSchedule& schedule) {
    if (schedule.lumpsOutside.empty() || m_outOfDate)
        return;
    const QSignalBlocker blocker(lumps);
    QStringList problems;
    const LoanOutcome calculated = LoanOutcome::of(*m_loan);
    const QString first = WhatIfText::date(m_loan->startYear, 1);
    const QString last = WhatIfText::date(calculated.lastYear, calculated.lastMonth);
    // Lumps that read are numbered among the rows in order; rows that did not read are already marked.
    std::size_t readIndex = 0;
    for (int row = 0; row < lumps->rowCount(); ++row) {
        if (lumps->item(row, 0) && lumps->item(row, 0)->background().style() != Qt::NoBrush)
            continue;
        const bool outside = std::find(schedule.lumpsOutside.begin(), schedule.lumpsOutside.end(), readIndex) !=
                             schedule.lumpsOutside.end();
        ++readIndex;
        if (!outside)
            continue;
        for (int column = 0; column < LumpColumnCount; ++column) {
            if (QTableWidgetItem* item = lumps->item(row, column))
                item->setBackground(QBrush(QColor(0xf5e1a4)));
        }
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
    m_xAxis->setRange(loan.startYear, loan.startYear + double(loan.months.size()) / 12.0);
    double highest = loan.principal;
    for (const ScheduleYear& year : loan.years)
        highest = std::max(highest, year.balance.toDouble());
    m_yAxis->setRange(0, highest);
}

QString WhatIfWindow::comparisonText() const {
    return WhatIfText::summaryLines(m_comparison).join(u'\n');
}

void WhatIfWindow::saveCsv() {
    const QString path = m_chooseFile(QStringLiteral("Save the schedule with extras as CSV"),
                                      QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                          .filePath(QStringLiteral("what-if-schedule.csv")),
                                      QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    const QString reason = TableExport::saveCsv(*m_model, path);
    if (!reason.isEmpty())
        QMessageBox::warning(this, kTitle,
                             QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), reason));
}

void WhatIfWindow::print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, kTitle, QStringLiteral("The printer could not be started."));
        return;
    }
    TableExport::paint(*m_model, m_loanLabel->text(), painter, printer);
}

void WhatIfWindow::exportPdf() {
    const QString path = m_chooseFile(QStringLiteral("Export the schedule with extras as PDF"),
                                      QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                          .filePath(QStringLiteral("what-if-schedule.pdf")),
                                      QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(36, 36, 36, 36),
                             QPageLayout::Point);
    const PdfExport::Outcome outcome = TableExport::writePdf(*m_model, m_loanLabel->text(), path, layout);
    if (outcome.status == PdfExport::Outcome::Status::Failed)
        QMessageBox::warning(
            this, kTitle, QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), outcome.reason));
}
