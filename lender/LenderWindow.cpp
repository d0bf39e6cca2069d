#include "lender/LenderWindow.h"

#include "lender/LenderScheduleModel.h"
#include "loan/Calendar.h"
#include "loan/LenderSchedule.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"
#include "windows/CheckedField.h"
#include "windows/DatedAmountTable.h"
#include "windows/OutOfDateNote.h"
#include "windows/TableActions.h"
#include "windows/WindowColours.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kWindowWidthPixels = 1000;
constexpr int kWindowHeightPixels = 900;
constexpr int kChangesTableHeightPixels = 90;
constexpr int kLongestLoanYears = 2183;

// Each list in the order of its choice in the terms.
const QStringList kPresets = {QStringLiteral("Lender: payment and interest to the cent"),
                              QStringLiteral("As calculated: nothing rounded"),
                              QStringLiteral("Canada: compounded semi-annually"),
                              QStringLiteral("Germany: rate and initial repayment"), QStringLiteral("Custom")};
const QStringList kFrequencies = {QStringLiteral("Monthly"),
                                  QStringLiteral("Semi-monthly"),
                                  QStringLiteral("Biweekly"),
                                  QStringLiteral("Weekly"),
                                  QStringLiteral("Accelerated biweekly"),
                                  QStringLiteral("Accelerated weekly"),
                                  QStringLiteral("Quarterly"),
                                  QStringLiteral("Annually")};
const QStringList kCompoundings = {QStringLiteral("With each payment"), QStringLiteral("Monthly"),
                                   QStringLiteral("Quarterly"), QStringLiteral("Semi-annually"),
                                   QStringLiteral("Annually")};
const QStringList kInterestCounts = {QStringLiteral("Per payment period"), QStringLiteral("Daily, actual/365")};
const QStringList kPaymentRoundings = {QStringLiteral("Not rounded"), QStringLiteral("To the nearest cent"),
                                       QStringLiteral("Up to the cent"), QStringLiteral("Down to the cent"),
                                       QStringLiteral("Up to a whole unit")};
const QStringList kInterestRoundings = {QStringLiteral("Not rounded"), QStringLiteral("To the cent, halves up"),
                                        QStringLiteral("To the cent, halves to even"),
                                        QStringLiteral("Down to the cent")};
const QStringList kPaymentBases = {QStringLiteral("Worked out from the length"), QStringLiteral("A fixed amount"),
                                   QStringLiteral("An initial repayment rate")};

QComboBox* choiceBox(const QStringList& choices, const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(choices);
    box->setAccessibleName(name);
    return box;
}

template <class Choice> Choice choiceOf(const QComboBox* box) {
    return Choice(box->currentIndex());
}

// The read-only decimal of a figure Calculate read as a double.
Decimal termOf(double value, const char* name) {
    return toDecimal(value, QString::fromLatin1(name));
}

} // namespace

LenderWindow::LenderWindow(const MessagePath& messages, QWidget* parent)
    : ToolWindow(QStringLiteral("Lender's Schedule"), QStringLiteral("Calculate a loan to see it as a lender bills it"),
                 messages, parent) {
    setObjectName(QStringLiteral("lenderWindow"));
    resize(kWindowWidthPixels, kWindowHeightPixels);
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_loanLabel = new QLabel(page);
    m_loanLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout->addWidget(m_loanLabel);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(makeTerms());
    splitter->addWidget(makeResults());
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    setFiguresPage(page);
    setFirstField(preset);
    windowLayout()->setContentsMargins(0, 0, 0, 0);
}

LenderWindow::~LenderWindow() = default;

QWidget* LenderWindow::makeTerms() {
    auto* group = new QGroupBox(QStringLiteral("The lender's terms"));
    auto* form = new QFormLayout(group);
    const auto addRow = [&](const QString& label, QWidget* field, QLayout* row = nullptr) {
        auto* caption = new QLabel(label, group);
        caption->setBuddy(field);
        if (row)
            form->addRow(caption, row);
        else
            form->addRow(caption, field);
        return caption;
    };

    preset = choiceBox(kPresets, QStringLiteral("Preset"), group);
    addRow(QStringLiteral("&Preset:"), preset);
    frequency = choiceBox(kFrequencies, QStringLiteral("How often the borrower pays"), group);
    addRow(QStringLiteral("How &often:"), frequency);

    auto* firstRow = new QHBoxLayout;
    firstPayment = new CheckedField(CheckedField::Accepts::Date, QStringLiteral("First payment"),
                                    QStringLiteral("the first payment's date"), group);
    firstRow->addWidget(firstPayment);
    firstRow->addWidget(firstPayment->reasonLabel(), 1);
    addRow(QStringLiteral("&First payment:"), firstPayment, firstRow);

    compounding = choiceBox(kCompoundings, QStringLiteral("How the annual rate compounds"), group);
    addRow(QStringLiteral("Rate &compounds:"), compounding);
    interestCount = choiceBox(kInterestCounts, QStringLiteral("How interest is counted"), group);
    addRow(QStringLiteral("&Interest is counted:"), interestCount);

    auto* loanDateRow = new QHBoxLayout;
    loanDate = new CheckedField(CheckedField::Accepts::Date, QStringLiteral("Loan date"),
                                QStringLiteral("the loan's date"), group);
    loanDate->setPlaceholderText(QStringLiteral("one payment period before the first payment"));
    loanDateRow->addWidget(loanDate);
    loanDateRow->addWidget(loanDate->reasonLabel(), 1);
    addRow(QStringLiteral("&Loan date:"), loanDate, loanDateRow);

    paymentRounding = choiceBox(kPaymentRoundings, QStringLiteral("How the payment is rounded"), group);
    addRow(QStringLiteral("&Round the payment:"), paymentRounding);
    interestRounding = choiceBox(kInterestRoundings, QStringLiteral("How each period's interest is rounded"), group);
    paymentRounding->setCurrentIndex(int(LenderTerms::PaymentRounding::NearestCent));
    interestRounding->setCurrentIndex(int(LenderTerms::InterestRounding::CentHalfUp));
    addRow(QStringLiteral("Round each period's i&nterest:"), interestRounding);

    auto* paymentRow = new QHBoxLayout;
    paymentBasis = choiceBox(kPaymentBases, QStringLiteral("The payment"), group);
    m_paymentAmountLabel = new QLabel(group);
    paymentAmount = new CheckedField(CheckedField::Accepts::Amount, QStringLiteral("The payment's amount"),
                                     QStringLiteral("the payment"), group);
    paymentAmount->setEnabled(false);
    m_paymentAmountLabel->setBuddy(paymentAmount);
    paymentRow->addWidget(paymentBasis);
    paymentRow->addWidget(m_paymentAmountLabel);
    paymentRow->addWidget(paymentAmount);
    paymentRow->addWidget(paymentAmount->reasonLabel(), 1);
    addRow(QStringLiteral("The pa&yment:"), paymentBasis, paymentRow);

    auto* changesRow = new QHBoxLayout;
    rateChanges = new DatedAmountTable(QStringLiteral("New rate %"), QStringLiteral("rate change"),
                                       QStringLiteral("The new rate"), QStringLiteral("it has no rate"), group);
    rateChanges->setAccessibleName(QStringLiteral("Rate changes"));
    rateChanges->setMaximumHeight(kChangesTableHeightPixels);
    auto* changeButtons = new QVBoxLayout;
    addChange = new QPushButton(QStringLiteral("&Add"), group);
    removeChange = new QPushButton(QStringLiteral("R&emove"), group);
    addChange->setAccessibleName(QStringLiteral("Add a rate change"));
    removeChange->setAccessibleName(QStringLiteral("Remove the selected rate change"));
    newPayment = new QRadioButton(QStringLiteral("Work the payment out again"), group);
    keepPayment = new QRadioButton(QStringLiteral("Keep the payment, move the end"), group);
    newPayment->setChecked(true);
    auto* atChange = new QButtonGroup(group);
    atChange->addButton(newPayment);
    atChange->addButton(keepPayment);
    for (QWidget* widget : std::initializer_list<QWidget*>{addChange, removeChange, newPayment, keepPayment})
        changeButtons->addWidget(widget);
    changesProblem = new QLabel(group);
    changesProblem->setStyleSheet(WindowColours::kProblemStyle);
    changesProblem->setWordWrap(true);
    changesProblem->hide();
    changesRow->addWidget(rateChanges, 2);
    changesRow->addLayout(changeButtons);
    changesRow->addWidget(changesProblem, 1);
    addRow(QStringLiteral("Rate c&hanges:"), rateChanges, changesRow);

    balanceAfter = new QSpinBox(group);
    balanceAfter->setRange(0, kLongestLoanYears);
    balanceAfter->setSpecialValueText(QStringLiteral("not shown"));
    balanceAfter->setSuffix(QStringLiteral(" years"));
    balanceAfter->setAccessibleName(QStringLiteral("Show the balance after this many years"));
    addRow(QStringLiteral("Show the &balance after:"), balanceAfter);

    termsProblem = new QLabel(group);
    termsProblem->setStyleSheet(WindowColours::kProblemStyle);
    termsProblem->setWordWrap(true);
    termsProblem->hide();
    form->addRow(termsProblem);

    connect(preset, &QComboBox::activated, this, &LenderWindow::applyPreset);
    for (QComboBox* box : {frequency, compounding, interestCount, paymentRounding, interestRounding, paymentBasis})
        connect(box, &QComboBox::currentIndexChanged, this, &LenderWindow::detailChanged);
    connect(keepPayment, &QRadioButton::toggled, this, &LenderWindow::detailChanged);
    connect(paymentAmount, &QLineEdit::textEdited, this, [this] {
        m_repaymentTyped =
            choiceOf<LenderTerms::PaymentBasis>(paymentBasis) == LenderTerms::PaymentBasis::InitialRepayment;
    });
    for (QLineEdit* field : {static_cast<QLineEdit*>(firstPayment), static_cast<QLineEdit*>(loanDate),
                             static_cast<QLineEdit*>(paymentAmount)})
        connect(field, &QLineEdit::textChanged, this, &LenderWindow::update);
    connect(balanceAfter, &QSpinBox::valueChanged, this, &LenderWindow::update);
    connect(rateChanges, &QTableWidget::itemChanged, this, &LenderWindow::update);
    connect(addChange, &QPushButton::clicked, this, &LenderWindow::addChangeRow);
    connect(removeChange, &QPushButton::clicked, this, [this] {
        if (const int row = rateChanges->currentRow(); row >= 0) {
            rateChanges->removeRow(row);
            update();
        }
    });
    return group;
}

QWidget* LenderWindow::makeResults() {
    auto* results = new QWidget;
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    m_summaryTable = new QTableWidget(0, 4, results);
    m_summaryTable->setAccessibleName(QStringLiteral("Summary"));
    m_summaryTable->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Lender"), QStringLiteral("As calculated"), QStringLiteral("Difference")});
    m_summaryTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_summaryTable->verticalHeader()->hide();
    m_summaryTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_summaryTable->setTabKeyNavigation(false);
    layout->addWidget(m_summaryTable);
    m_outOfDate = new OutOfDateNote(QStringLiteral("terms"), results);
    layout->addWidget(m_outOfDate);
    m_stop = new QLabel(results);
    m_stop->setObjectName(QStringLiteral("stop"));
    m_stop->setStyleSheet(WindowColours::kProblemStyle);
    m_stop->setWordWrap(true);
    m_stop->hide();
    layout->addWidget(m_stop);

    m_model = new LenderScheduleModel(this);
    scheduleView = new QTableView(results);
    scheduleView->setAccessibleName(QStringLiteral("Lender's schedule"));
    scheduleView->setModel(m_model);
    scheduleView->verticalHeader()->hide();
    scheduleView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    scheduleView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    scheduleView->setTabKeyNavigation(false);
    layout->addWidget(scheduleView, 1);
    actions = new TableActions(
        *m_model, QStringLiteral("the lender's schedule"), QStringLiteral("lender-schedule"),
        [this] { return m_loanLabel->text(); }, *this);
    layout->addWidget(actions);
    return results;
}

void LenderWindow::setLoan(const Schedule& schedule) {
    m_loan = schedule;
    m_loanLabel->setText(QStringLiteral("As calculated: %1 years at %2 % on %3 from %4")
                             .arg(doubleText(schedule.lengthInYears), doubleText(schedule.ratePercent),
                                  doubleText(schedule.principal), doubleText(schedule.startYear)));
    firstPayment->setPlaceholderText(Calendar::Date{std::int64_t(schedule.startYear), 1, 1}.toIso() +
                                     QStringLiteral(" (the first of January)"));
    showFigures();
    update();
}

bool LenderWindow::isOutOfDate() const {
    return m_outOfDate->isOutOfDate();
}

QString LenderWindow::summaryText() const {
    QStringList lines;
    for (const LenderText::SummaryRow& row : m_summary) {
        QString line = QStringLiteral("%1: %2").arg(row.name, row.lender);
        if (!row.asCalculated.isEmpty())
            line += QStringLiteral(", as calculated %1").arg(row.asCalculated);
        if (!row.difference.isEmpty())
            line += QStringLiteral(", difference %1").arg(row.difference);
        lines << line;
    }
    return lines.join(u'\n');
}

QString LenderWindow::stopText() const {
    return m_stop->isVisibleTo(this) ? m_stop->text() : QString();
}

void LenderWindow::applyPreset(int index) {
    if (index < 0 || index >= kCustomPreset)
        return;
    const LenderTerms terms = LenderTerms().withPreset(LenderTerms::Preset(index));
    m_applyingPreset = true;
    // Canada keeps how often the borrower pays; every other preset is monthly.
    if (index != int(LenderTerms::Preset::Canada))
        frequency->setCurrentIndex(int(terms.frequency));
    compounding->setCurrentIndex(int(terms.compounding));
    interestCount->setCurrentIndex(int(terms.interestCount));
    paymentRounding->setCurrentIndex(int(terms.paymentRounding));
    interestRounding->setCurrentIndex(int(terms.interestRounding));
    paymentBasis->setCurrentIndex(int(terms.paymentBasis));
    newPayment->setChecked(terms.atRateChange == LenderTerms::AtRateChange::NewPayment);
    if (terms.paymentBasis == LenderTerms::PaymentBasis::InitialRepayment && !m_repaymentTyped)
        paymentAmount->setText(decimalText(terms.initialRepaymentPercent));
    m_applyingPreset = false;
    preset->setCurrentIndex(index);
    update();
}

void LenderWindow::detailChanged() {
    const auto basis = choiceOf<LenderTerms::PaymentBasis>(paymentBasis);
    paymentAmount->setEnabled(basis != LenderTerms::PaymentBasis::FromLength);
    m_paymentAmountLabel->setText(basis == LenderTerms::PaymentBasis::InitialRepayment
                                      ? QStringLiteral("initial repayment %:")
                                  : basis == LenderTerms::PaymentBasis::Typed ? QStringLiteral("amount:")
                                                                              : QString());
    if (m_applyingPreset)
        return;
    preset->setCurrentIndex(kCustomPreset);
    update();
}

void LenderWindow::addChangeRow() {
    rateChanges->addDatedRow(m_loan ? std::int64_t(m_loan->startYear) + 1 : 0, 1);
    update();
}

std::optional<LenderTerms> LenderWindow::readFields(std::vector<int>& changeRowsRead) {
    LenderTerms terms;
    if (m_loan) {
        terms.principal = termOf(m_loan->principal, "the principal");
        terms.ratePercent = termOf(m_loan->ratePercent, "the rate");
        terms.lengthInYears = termOf(m_loan->lengthInYears, "the length");
        terms.startYear = std::int64_t(m_loan->startYear);
    }
    terms.frequency = choiceOf<LenderTerms::Frequency>(frequency);
    terms.compounding = choiceOf<LenderTerms::Compounding>(compounding);
    terms.interestCount = choiceOf<LenderTerms::InterestCount>(interestCount);
    terms.paymentRounding = choiceOf<LenderTerms::PaymentRounding>(paymentRounding);
    terms.interestRounding = choiceOf<LenderTerms::InterestRounding>(interestRounding);
    terms.paymentBasis = choiceOf<LenderTerms::PaymentBasis>(paymentBasis);
    terms.atRateChange =
        keepPayment->isChecked() ? LenderTerms::AtRateChange::KeepPayment : LenderTerms::AtRateChange::NewPayment;
    if (balanceAfter->value() > 0)
        terms.balanceAfterYears = balanceAfter->value();
    bool allRead = true;

    // An empty date is the default one.
    for (auto [field, date] : {std::pair{firstPayment, &terms.firstPayment}, std::pair{loanDate, &terms.loanDate}}) {
        if (field->text().trimmed().isEmpty()) {
            field->mark({});
            continue;
        }
        *date = field->readDate();
        allRead = allRead && date->has_value();
    }

    if (terms.paymentBasis == LenderTerms::PaymentBasis::FromLength) {
        paymentAmount->mark({});
    } else if (paymentAmount->text().trimmed().isEmpty()) {
        paymentAmount->mark(terms.paymentBasis == LenderTerms::PaymentBasis::Typed
                                ? QStringLiteral("Type the payment.")
                                : QStringLiteral("Type the initial repayment rate in percent."));
        allRead = false;
    } else if (const std::optional<Decimal> amount = paymentAmount->readAmount()) {
        (terms.paymentBasis == LenderTerms::PaymentBasis::Typed ? terms.typedPayment : terms.initialRepaymentPercent) =
            *amount;
    } else {
        allRead = false;
    }

    const DatedAmountTable::Reading reading = rateChanges->read();
    for (const DatedAmountTable::Entry& entry : reading.entries) {
        terms.rateChanges.push_back({entry.year, entry.month, entry.amount});
        changeRowsRead.push_back(entry.row);
    }
    allRead = allRead && reading.problems.isEmpty();
    const QStringList& problems = reading.problems;
    changesProblem->setText(problems.join(u'\n'));
    changesProblem->setVisible(!problems.isEmpty());
    if (!allRead)
        return std::nullopt;
    return terms;
}

void LenderWindow::markChangesOutside(const LenderSchedule& schedule, const std::vector<int>& changeRowsRead) {
    if (schedule.outsideChanges.empty())
        return;
    QStringList problems;
    for (const std::size_t index : schedule.outsideChanges) {
        const int row = changeRowsRead[index];
        rateChanges->markLeftOut(row);
        problems << QStringLiteral("Rate change %1 falls before the first payment or after the last; it is left out.")
                        .arg(row + 1);
    }
    changesProblem->setText(problems.join(u'\n'));
    changesProblem->setVisible(true);
}

void LenderWindow::update() {
    if (!m_loan || m_updating)
        return;
    m_updating = true;
    std::vector<int> changeRowsRead;
    const std::optional<LenderTerms> terms = readFields(changeRowsRead);
    std::optional<LenderSchedule> schedule;
    if (terms)
        schedule = LenderSchedule::compute(*terms);
    // A problem of one date is marked at its field; the rest stand below the terms.
    QStringList problems = schedule ? schedule->problems : QStringList();
    for (auto [field, words] : {std::pair{firstPayment, QStringLiteral("semi-monthly")},
                                std::pair{loanDate, QStringLiteral("loan's date")}}) {
        const QStringList own = problems.filter(words);
        if (!own.isEmpty()) {
            field->mark(own.join(u' '));
            problems.removeIf([&own](const QString& problem) { return own.contains(problem); });
        }
    }
    termsProblem->setText(problems.join(u'\n'));
    termsProblem->setVisible(!problems.isEmpty());
    if (!schedule || !schedule->problems.isEmpty()) {
        m_outOfDate->setOutOfDate(true);
        m_updating = false;
        return;
    }
    m_outOfDate->setOutOfDate(false);
    markChangesOutside(*schedule, changeRowsRead);
    const QString stop = schedule->error ? schedule->error->userText() : schedule->stopMessage;
    m_stop->setText(stop);
    m_stop->setVisible(!stop.isEmpty());
    m_summary = LenderText::summary(*schedule, terms->balanceAfterYears, &*m_loan);
    m_summaryTable->setRowCount(int(m_summary.size()));
    for (int row = 0; row < int(m_summary.size()); ++row) {
        const LenderText::SummaryRow& figures = m_summary[std::size_t(row)];
        const std::array<QString, 4> texts = {figures.name, figures.lender, figures.asCalculated, figures.difference};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[std::size_t(column)]);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_summaryTable->setItem(row, column, item);
        }
    }
    m_summaryTable->setAccessibleDescription(summaryText());
    // As tall as its rows, so that the schedule below has the rest of the window.
    m_summaryTable->setFixedHeight(m_summaryTable->horizontalHeader()->height() +
                                   m_summaryTable->verticalHeader()->length() + 2 * m_summaryTable->frameWidth());
    m_model->setSchedule(std::move(*schedule));
    m_updating = false;
}
