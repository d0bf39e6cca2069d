// The Calculate command: the monthly rate and payment, the payment summary, and the schedule on request.
#include "app/Form1.h"

#include "app/EventBoundary.h"
#include "app/InputBox.h"
#include "app/SummaryTable.h"
#include "app/WrappingCheckBox.h"
#include "grid/FlexGrid.h"
#include "grid/Module1.h"
#include "loan/Formula.h"
#include "loan/LastSchedule.h"
#include "loan/LoanInput.h"
#include "loan/Payment.h"
#include "loan/SharedState.h"
#include "numbers/ErrorContext.h"
#include "numbers/NumberText.h"

namespace {

// What the summary steps write besides their captions.
struct SummaryFigures {
    Decimal shownPayment;
    Decimal total;
};

void showMissingInformation(QWidget& window) {
    EventBoundary::showBox(window, EventBoundary::BoxKind::Message, QStringLiteral("Missing Info"),
                           QStringLiteral("Missing information please check your work"));
}

// A box's text entering decimal arithmetic: read as a number, then made decimal.
Decimal boxAmount(const InputBox& box, const QString& source) {
    return toDecimal(readNumber(box.text(), source), source);
}

// The shown payment plus the insurance plus the tax, left to right, each text read afresh from its box.
// Tax and insurance are added as entered: they are not spread over the months.
Decimal summaryTotal(const Form1& form, const Decimal& shownPayment) {
    Decimal total = shownPayment;
    {
        ErrorContext step(QStringLiteral("adding the annual insurance to the total"),
                          LoanInputs::kInsurance.objectName());
        total = total + boxAmount(*form.Text5, LoanInputs::kInsurance.words());
    }
    ErrorContext step(QStringLiteral("adding the annual property tax to the total"), LoanInputs::kTax.objectName());
    return total + boxAmount(*form.Text4, LoanInputs::kTax.words());
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
void writeSummary(Form1& form, std::size_t first, std::size_t last, SummaryFigures& figures) {
    for (std::size_t order = first; order <= last; ++order) {
        const SummaryStep& step = Summary::kSteps[order];
        if (order == Summary::kTotalStep)
            figures.total = summaryTotal(form, figures.shownPayment);
        if (step.value == SummaryValue::None) {
            Module1::SetGridSize(0, static_cast<std::int16_t>(step.row), *form.MSHFlexGrid1);
            continue;
        }
        Module1::WriteCell(*form.MSHFlexGrid1, step.column, step.row, step.bold, false, GridFontSize, step.autoFit,
                           summaryValue(form, step, figures), *form.Font, step.backColor);
    }
}

} // namespace

void Form1::Command1_Click() {
    // Only a schedule written to its end by this press is charted: a failing or unticked one leaves none.
    LastSchedule::instance().clear();
    for (InputBox* essential : {Text1, Text2, Text3}) {
        if (essential->text().isEmpty()) {
            showMissingInformation(*this);
            // The first of the three boxes left empty is the one to fill in.
            focusBox(essential->objectName());
            return;
        }
    }

    {
        ErrorContext step(QStringLiteral("working out the monthly rate from the annual interest rate"),
                          LoanInputs::kRate.objectName());
        MonthlyRate = Payment::monthlyRate(Text2->text());
    }
    std::int32_t paymentCount = 0;
    {
        ErrorContext step(QStringLiteral("working out the number of payments from the length of the loan"),
                          LoanInputs::kLength.objectName());
        paymentCount = Payment::paymentCount(Text1->text());
    }
    if (Text5->text().isEmpty())
        Text5->setText(QStringLiteral("0"));
    if (Text4->text().isEmpty())
        Text4->setText(QStringLiteral("0"));

    SummaryFigures figures;
    writeSummary(*this, 0, 0, figures);
    Decimal payment;
    {
        ErrorContext step(
            QStringLiteral("working out the monthly payment from the interest rate, the length and the principal"));
        payment = Payment::monthlyPayment(Text3->text(), MonthlyRate, paymentCount);
    }
    figures.shownPayment = payment.roundedTo(2);
    writeSummary(*this, 1, 1, figures);
    MonthlyPayment = payment;
    writeSummary(*this, 2, Summary::kSteps.size() - 1, figures);

    if (Check1->value() != 1)
        return;
    if (Text6->text().isEmpty())
        Text6->setText(QStringLiteral("0"));
    ErrorContext step(QStringLiteral("writing the month-by-month schedule"));
    Formula::BuildSchedule(*MSHFlexGrid1, *this);
}
