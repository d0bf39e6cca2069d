#include "tests/app/CalculateCheck.h"

#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "grid/FlexGrid.h"
#include "grid/FlexGridModel.h"
#include "loan/LoanInput.h"
#include "loan/LoanTerms.h"
#include "loan/Payment.h"
#include "loan/Schedule.h"
#include "numbers/NumberText.h"
#include "tests/formula/RecordedCells.h"

#include <QPushButton>

#include <cmath>

namespace {
QStringList g_boxes;

QString describe(const QString& text, const FlexGridModel::CellStyle& s) {
    return text + QString::asprintf("\t%s\t%g\t%d\t%d\t%u\t%u\t%d", qPrintable(s.fontName), double(s.fontSize), s.bold,
                                    s.italic, s.backColor, s.foreColor, s.alignment);
}

// A length the schedule would write a long way before failing is cut to its rest after 5 years.
void shortenLength(Form1& window) {
    double years = 0;
    try {
        years = readNumber(window.Text1->text(), {});
    } catch (const RuntimeError&) {
    }
    if (years > 5 && years < 2184)
        window.Text1->setText(QString::number(std::fmod(years, 5), 'g', 17));
}

QString inputs(Form1& window) {
    QString texts;
    for (InputBox* box : CalculateCheck::inputBoxes(window))
        texts += u'"' + box->text().left(40) + "\" ";
    return texts + QString::asprintf("ticked %d, grid %d x %d", int(window.Check1->value()),
                                     window.MSHFlexGrid1->rows(), window.MSHFlexGrid1->cols());
}
} // namespace

std::array<InputBox*, 6> CalculateCheck::inputBoxes(Form1& w) {
    return {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6};
}

QStringList CalculateCheck::cells(const FlexGrid& grid) {
    QStringList lines;
    const FlexGridModel& model = *grid.gridModel();
    for (int r = 0; r < model.rows(); ++r) {
        for (int c = 0; c < model.cols(); ++c)
            lines << QStringLiteral("%1\t%2\t").arg(r).arg(c) + describe(model.text(r, c), model.style(r, c));
    }
    return lines;
}

QStringList CalculateCheck::calculate(Form1& window) {
    window.messages().setSink(
        [](MessagePath::Kind, const QString& title, const QString& text) { g_boxes << title + u'|' + text; });
    g_boxes.clear();
    SharedState& shared = window.shared();
    shared.MonthlyRate = shared.MonthlyPayment = Decimal::fromInteger(-7); // never stored
    window.Command1->click();
    window.MSHFlexGrid1->flush();
    return g_boxes +
           QStringList{shared.MonthlyRate.toString() + u' ' + shared.MonthlyPayment.toString(), inputs(window)} +
           cells(*window.MSHFlexGrid1);
}

QString CalculateCheck::againstFresh(Form1& window) {
    shortenLength(window);
    Form1 fresh;
    fresh.ensurePolished();
    for (std::size_t i = 0; i < 6; ++i)
        CalculateCheck::inputBoxes(fresh)[i]->setText(CalculateCheck::inputBoxes(window)[i]->text());
    fresh.Check1->setValue(window.Check1->value());
    fresh.MSHFlexGrid1->setRows(window.MSHFlexGrid1->rows());
    fresh.MSHFlexGrid1->setCols(window.MSHFlexGrid1->cols());
    const QString before = inputs(window);
    const QStringList seen = calculate(window);
    const QStringList expected = calculate(fresh);
    // Cells the fresh window left blank may keep what earlier use put there (after a message, or beyond
    // the summary's two columns); every cell it wrote must agree.
    const QString blank = describe({}, fresh.MSHFlexGrid1->gridModel()->defaultStyle());
    for (qsizetype i = 0; i < std::max(seen.size(), expected.size()); ++i) {
        const QString want = expected.value(i);
        if (seen.value(i) != want && (i < g_boxes.size() + 2 || want.section(u'\t', 2) != blank))
            return QStringLiteral("Calculate on %1 showed \"%2\", a fresh window \"%3\"")
                .arg(before, seen.value(i), want);
    }
    return {};
}

QString CalculateCheck::againstLayout(Form1& window) {
    shortenLength(window);
    const QString before = inputs(window);
    const auto orZero = [](const InputBox& box) { return box.text().isEmpty() ? QStringLiteral("0") : box.text(); };
    const LoanTexts texts{window.Text1->text(),  window.Text2->text(),  window.Text3->text(),
                          orZero(*window.Text4), orZero(*window.Text5), orZero(*window.Text6)};
    const bool missing = texts.length.isEmpty() || texts.rate.isEmpty() || texts.principal.isEmpty();
    const bool ticked = window.Check1->value() == 1;
    const int columns = window.MSHFlexGrid1->cols();
    window.messages().setSink(
        [](MessagePath::Kind, const QString& title, const QString& text) { g_boxes << title + u'|' + text; });
    g_boxes.clear();
    window.Command1->click();
    window.MSHFlexGrid1->flush();
    const QStringList shown = boxes();
    const auto wrong = [&](const QString& what) { return QStringLiteral("Calculate on %1: %2").arg(before, what); };
    // The one box Calculate should show, in part, or none.
    const auto expectBox = [&](const QString& part) -> QString {
        if (part.isEmpty() ? shown.isEmpty() : shown.size() == 1 && shown[0].contains(part))
            return {};
        return wrong(QStringLiteral("showed %1 box(es), \"%2\", where \"%3\" was due")
                         .arg(shown.size())
                         .arg(shown.value(0).left(300), part));
    };
    if (missing)
        return expectBox(QStringLiteral("Missing Info|Missing information please check your work"));

    const LoanTerms terms = LoanTerms::read(texts);
    Decimal rate;
    Decimal payment;
    Decimal total;
    try {
        rate = Payment::monthlyRate(terms.rate);
        payment = Payment::monthlyPayment(terms.principal, rate, Payment::paymentCount(terms.length));
        total = payment.roundedTo(2) + toDecimal(terms.insurance.value(), LoanInputs::kInsurance.words()) +
                toDecimal(terms.tax.value(), LoanInputs::kTax.words());
    } catch (const RuntimeError& error) {
        return expectBox(error.message());
    }
    const FlexGridModel& model = *window.MSHFlexGrid1->gridModel();
    if (model.text(1, 1) != decimalText(payment.roundedTo(2)) || model.text(5, 1) != decimalText(total) ||
        model.text(2, 1) != texts.tax || model.text(3, 1) != texts.insurance)
        return wrong(QStringLiteral("the summary reads %1, %2, %3, %4")
                         .arg(model.text(1, 1), model.text(2, 1).left(40), model.text(3, 1).left(40),
                              model.text(5, 1).left(40)));
    if (!ticked)
        return model.rows() == 6 ? expectBox({})
                                 : wrong(QStringLiteral("%1 rows without the schedule").arg(model.rows()));

    // The summary leaves 6 rows and the columns as they were.
    RecordedCells layout(6, columns);
    QString error;
    try {
        Formula::WriteSchedule(Schedule::compute(terms, rate, payment), window.shared(), layout);
    } catch (const RuntimeError& failure) {
        error = failure.message();
    }
    if (const QString boxWrong = expectBox(error); !boxWrong.isEmpty())
        return boxWrong;
    const QString cellsWrong = layout.differenceFrom(model);
    return cellsWrong.isEmpty() ? QString() : wrong(cellsWrong);
}

QStringList CalculateCheck::boxes() {
    return std::exchange(g_boxes, {});
}
