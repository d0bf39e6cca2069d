// A number of 1,000,000 characters pasted into the tax box, then Calculate: the box takes the text, the
// summary writes it into its cell and the grid paints it. The whole must stay well under a second, so
// the window never freezes. Two numbers: one that reads as 1200 (a decimal point and 999,995 zeros), so
// the summary and the 30-year schedule are written; and 1,000,000 nines, too large to add to the total,
// so Calculate stops after the tax row with an error box (taken here by the box sink).
//
// Then a start year pasted with a great many leading zeros ("000…2007"): every box is read once per
// Calculate, so its length costs one reading, not one per row. Targets: 1,000,000 characters with 30 years
// and 100,000 with 2183 years each within a second, in the window and through the command line.
#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/ScriptMode.h"
#include "grid/FlexGrid.h"

#include <QApplication>
#include <QPixmap>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr qsizetype kHugeLength = 1'000'000;

QString hugeNumber(bool readable) {
    if (!readable)
        return QString(kHugeLength, u'9');
    QString text = QStringLiteral("1200.");
    return text + QString(kHugeLength - text.size(), u'0');
}

std::unique_ptr<Form1> loanWindow() {
    // Message boxes are answered by nobody here; the figures are about the paste and the grid.
    auto form = std::make_unique<Form1>();
    form->messages().setSink([](MessagePath::Kind, const QString&, const QString&) {});
    form->show();
    QCoreApplication::processEvents();
    form->Text1->setText(QStringLiteral("30"));
    form->Text2->setText(QStringLiteral("6"));
    form->Text3->setText(QStringLiteral("200000"));
    form->Text5->setText(QStringLiteral("600"));
    form->MSHFlexGrid1->setFocus();
    return form;
}

// The paste, Calculate through the window's button, the grid told of its writes, and the window painted
// once with the new texts (the tax box and the grid's cell both show the huge number).
void pasteAndCalculate(Form1& form, const QString& huge) {
    form.Text4->setText(huge);
    form.Command1->click();
    form.MSHFlexGrid1->flush();
    benchmark::DoNotOptimize(form.grab());
}

void BM_PasteHugeTaxAndCalculate(benchmark::State& state) {
    const QString huge = hugeNumber(state.range(0) == 1);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Form1> form = loanWindow();
        state.ResumeTiming();

        pasteAndCalculate(*form, huge);

        state.PauseTiming();
        // Nothing is lost: the box and the cell hold every character.
        if (form->Text4->text() != huge || form->MSHFlexGrid1->textAt(2, 1) != huge)
            state.SkipWithError("the huge number was cut");
        form.reset();
        state.ResumeTiming();
    }
}

// Once the number is in, a repaint of the grid alone with the tax cell in sight, as when the user scrolls
// back to it or the window is uncovered.
void BM_RepaintGridHoldingHugeCell(benchmark::State& state) {
    std::unique_ptr<Form1> form = loanWindow();
    pasteAndCalculate(*form, hugeNumber(true));
    form->MSHFlexGrid1->setRow(2);
    form->MSHFlexGrid1->flush();
    for (auto _ : state)
        benchmark::DoNotOptimize(form->MSHFlexGrid1->grab());
}

// Argument: the length in years; the start year has 1,000,000 characters for 30 years, 100,000 for more.
QString hugeStartYear(std::int64_t years) {
    const qsizetype length = years <= 30 ? kHugeLength : kHugeLength / 10;
    return QString(length - 4, u'0') + QStringLiteral("2007");
}

void BM_PasteHugeStartYearAndCalculate(benchmark::State& state) {
    const QString startYear = hugeStartYear(state.range(0));
    std::unique_ptr<Form1> form = loanWindow();
    form->Text1->setText(QString::number(state.range(0)));
    for (auto _ : state) {
        form->Text6->setText(startYear);
        form->Command1->click();
        form->MSHFlexGrid1->flush();
        benchmark::DoNotOptimize(form->grab());
        if (form->MSHFlexGrid1->textAt(8, 0) != QStringLiteral("2007"))
            state.SkipWithError("the schedule was not written");
    }
}

// The same through the command line, the CSV thrown away.
void BM_CommandLineHugeStartYear(benchmark::State& state) {
    const QStringList arguments{QStringLiteral("pellmarsh"),
                                QStringLiteral("--years"),
                                QString::number(state.range(0)),
                                QStringLiteral("--rate"),
                                QStringLiteral("6"),
                                QStringLiteral("--principal"),
                                QStringLiteral("200000"),
                                QStringLiteral("--start-year"),
                                hugeStartYear(state.range(0)),
                                QStringLiteral("--csv=/dev/null")};
    for (auto _ : state) {
        if (ScriptMode::run(arguments) != 0)
            state.SkipWithError("the command line failed");
    }
}

} // namespace

BENCHMARK(BM_PasteHugeStartYearAndCalculate)
    ->Arg(30)
    ->Arg(2183)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CommandLineHugeStartYear)
    ->Arg(30)
    ->Arg(2183)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PasteHugeTaxAndCalculate)
    ->ArgName("readable")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintGridHoldingHugeCell)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
