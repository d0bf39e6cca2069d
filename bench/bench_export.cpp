// The grid written out after Calculate on the real window (offscreen): the worked loan of 6 % on 200000
// from 2007, for 30 years and for 2183 years (32,759 rows, the longest schedule the grid can hold).
// BM_ExportPdf lays the pages out and paints every row into a PDF file, committed to disk; BM_SaveCsv
// writes the same grid as CSV.
//
// Target: the 2183-year PDF within 15 s on a 2-core machine.
#include "app/Form1.h"
#include "app/InputBox.h"
#include "bench/LoanWindow.h"
#include "bench/ScheduleArithmetic.h"
#include "export/GridCsv.h"
#include "export/PdfExport.h"
#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The worked loan calculated, its grid published.
std::unique_ptr<Form1> calculatedWindow(int years) {
    auto form = loanWindow(years);
    form->Command1_Click();
    form->MSHFlexGrid1->flush();
    return form;
}

// Argument: the loan's length in years.
void BM_ExportPdf(benchmark::State& state) {
    const auto form = calculatedWindow(static_cast<int>(state.range(0)));
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("loan-schedule.pdf"));
    const QPageLayout page = PrintLayout::pageLayoutFor(QLocale(QLocale::English, QLocale::UnitedKingdom));
    for (auto _ : state) {
        if (PdfExport::write(*form->MSHFlexGrid1, path, page).status != PdfExport::Outcome::Status::Written) {
            state.SkipWithError("the PDF was not written");
            break;
        }
    }
    const PrintLayout layout(*form->MSHFlexGrid1->gridModel(), page.paintRect(QPageLayout::Point).size());
    state.counters["rows"] = form->MSHFlexGrid1->rows();
    state.counters["pages"] = layout.pageCount();
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
}

void BM_SaveCsv(benchmark::State& state) {
    const auto form = calculatedWindow(static_cast<int>(state.range(0)));
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("loan-schedule.csv"));
    for (auto _ : state) {
        if (!GridCsv::save(*form->MSHFlexGrid1->gridModel(), path).isEmpty()) {
            state.SkipWithError("the CSV was not written");
            break;
        }
    }
    state.counters["rows"] = form->MSHFlexGrid1->rows();
}

} // namespace

BENCHMARK(BM_ExportPdf)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCsv)->Arg(30)->Arg(2183)->Unit(benchmark::kMillisecond);
