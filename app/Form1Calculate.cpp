// The Calculate command: the monthly rate and payment, the payment summary, and the schedule on request.
#include "app/Form1.h"

#include "app/InputBox.h"
#include "app/SummaryTable.h"
#include "app/WrappingCheckBox.h"
#include "formula/Formula.h"
#include "grid/FlexGrid.h"
#include "grid/Module1.h"
#include "loan/LoanInput.h"
#include "loan/LoanTerms.h"
#include "loan/Payment.h"
#include "loan/Schedule.h"
#include "numbers/ErrorContext.h"
#include "numbers/Money.h"
#include "numbers/NumberText.h"

namespace {

// What the summary steps write besides their captions.
struct SummaryFigures {
    Decimal shownPayment;
    Decimal total;
};

void showMissingInformation(Form1& window) {
    window.messages().show(window, MessagePath::Kind::Message, QStringLiteral("Missing Info"),
                           QStringLiteral("Missing information please check your work"));
}

// A term entering decimal arithmetic.
Decimal amount(const NumberReading& term, const QString& source) {
    return toDecimal(term.value(), source);
}

// The shown payment plus the insurance plus the tax, left to right. Tax and insurance are added as
// entered: they are not spread over the months.
Decimal summaryTotal(const LoanTerms& terms, const Decimal& shownPayment) {
    Decimal total = shownPayment;
    {
        ErrorContext step(QStringLiteral("adding the annual insurance to the total"),
                          LoanInputs::kInsurance.objectName());
        total = total + amount(terms.insurance, LoanInputs::kInsurance.words());
    }
    ErrorContext step(QStringLiteral("adding the annual property tax to the total"), LoanInputs::kTax.objectName());
    return total + amount(terms.tax, LoanInputs::kTax.words());
}

Module1::CellValue summaryValue(const Form1& form, const SummaryStep& step, const SummaryFigures& figures) {
    switch (step.value) {
    case SummaryValue::ShownPayment:
        return figures.shownPayment;
    case SummaryValue::TaxText:
        return form.Text4->text();
    case SummaryValue::InsuranceText:
        return form.Text5->text();
    case SummaryValue::Total:
        return figures.total;
    case SummaryValue::Caption:
    case SummaryValue::None:
        break;
    }
    return QString::fromLatin1(step.caption.data(), static_cast<qsizetype>(step.caption.size()));
}

// Writes the summary steps first to last (table positions, both included).
void writeSummary(Form1& form, const LoanTerms& terms, std::size_t first, std::size_t last, SummaryFigures& figures) {
    for (std::size_t order = first; order <= last; ++order) {
        const SummaryStep& step = Summary::kSteps[order];
        if (order == Summary::kTotalStep)
            figures.total = summaryTotal(terms, figures.shownPayment);
        if (step.value == SummaryValue::None) {
            Module1::SetGridSize(0, static_cast<std::int16_t>(step.row), *form.MSHFlexGrid1);
            continue;
        }
        Module1::WriteCell(*form.MSHFlexGrid1, step.column, step.row, step.bold, false, form.shared().GridFontSize,
                           step.autoFit, summaryValue(form, step, figures), *form.Font, step.backColor);
    }
}

// The boxes' texts as Calculate reads them. An empty tax, insurance or start-year box is read as the "0"
// that Calculate puts into it before the box's figure is first used.
LoanTexts textsOf(const Form1& form) {
    const auto orZero = [](const InputBox& box) { return box.text().isEmpty() ? QStringLiteral("0") : box.text(); };
    return {form.Text1->text(),  form.Text2->text(),  form.Text3->text(),
            orZero(*form.Text4), orZero(*form.Text5), orZero(*form.Text6)};
}

} // namespace

void Form1::Command1_Click() {
    // Only a schedule written to its end by this press is kept: a failing or unticked one leaves none.
    setLastSchedule(std::nullopt);
    for (InputBox* essential : {Text1, Text2, Text3}) {
        if (essential->text().isEmpty()) {
            showMissingInformation(*this);
            // The first of the three boxes left empty is the one to fill in.
            focusBox(essential->objectName());
            return;
        }
    }

    // Each box is read once; a text that is not a number fails where its figure is first used.
    const LoanTerms terms = LoanTerms::read(textsOf(*this));
    {
        ErrorContext step(QStringLiteral("working out the monthly rate from the annual interest rate"),
                          LoanInputs::kRate.objectName());
        m_shared.MonthlyRate = Payment::monthlyRate(terms.rate);
    }
    std::int32_t paymentCount = 0;
    {
        ErrorContext step(QStringLiteral("working out the number of payments from the length of the loan"),
                          LoanInputs::kLength.objectName());
        paymentCount = Payment::paymentCount(terms.length);
    }
    if (Text5->text().isEmpty())
        Text5->setText(QStringLiteral("0"));
    if (Text4->text().isEmpty())
        Text4->setText(QStringLiteral("0"));

    SummaryFigures figures;
    writeSummary(*this, terms, 0, 0, figures);
    Decimal payment;
    {
        ErrorContext step(
            QStringLiteral("working out the monthly payment from the interest rate, the length and the principal"));
        payment = Payment::monthlyPayment(terms.principal, m_shared.MonthlyRate, paymentCount);
    }
    // The design's own rule for the grid's money: cents, ties to even.
    figures.shownPayment = Money::toCents(payment, Money::Rounding::HalfEven);
    writeSummary(*this, terms, 1, 1, figures);
    m_shared.MonthlyPayment = payment;
    writeSummary(*this, terms, 2, Summary::kSteps.size() - 1, figures);

    if (Check1->value() != 1)
        return;
    if (Text6->text().isEmpty())
        Text6->setText(QStringLiteral("0"));
    ErrorContext step(QStringLiteral("writing the month-by-month schedule"));
    Schedule schedule = Schedule::compute(terms, m_shared.MonthlyRate, m_shared.MonthlyPayment);
    Formula::BuildSchedule(*MSHFlexGrid1, *Font, schedule, m_shared);
    if (schedule.isComplete()) {
        schedule.ratePercent = terms.rate.value();
        setLastSchedule(std::move(schedule));
    }
}

void Form1::setLastSchedule(std::optional<Schedule> schedule) {
    // A run of failing presses forgets nothing new, and says nothing.
    if (!schedule && !m_lastSchedule)
        return;
    m_lastSchedule = std::move(schedule);
    emit lastScheduleChanged();
}
