// Calculate on the real window (offscreen) with fuzzed texts in all six boxes and the check box. The input
// is one byte whose lowest bit ticks Check1, then the six texts in UTF-8 separated by '|' (missing ones are
// empty; the sixth takes the rest). The texts go in through setText, the path a paste takes, and the
// button is clicked, so the handler runs through the window's event boundary; its boxes are taken by the
// box sink instead of being shown. Afterwards the grid is flushed and painted, and the outcome must be
// the documented one (CalculateOracle): the message, the stored rate and payment, the boxes' texts and the
// grid's size, at every failure point and for the finished summary and schedule.
//
// One cap keeps a run short: with Check1 ticked, a Text1 that reads as more than 60 years but less than
// the 2184 years at which the schedule fails before its first month is replaced by its remainder after
// 60 years, so no schedule has more than 720 months. The texts are otherwise used as they come.
#include "CalculateOracle.h"
#include "EventBoundary.h"
#include "FlexGrid.h"
#include "Form1.h"
#include "InputBox.h"
#include "SharedState.h"
#include "WrappingCheckBox.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QStringList g_boxes;
Form1* g_form = nullptr;
QImage* g_canvas = nullptr;

// The window as it starts, without building it anew: empty boxes (so the principal box remembers no
// earlier text), and a grid of 2 x 2 fresh cells of the design widths and heights, row 1 column 0 current.
void startOver(Form1& form) {
    for (InputBox* box : {form.Text1, form.Text2, form.Text3, form.Text4, form.Text5, form.Text6})
        box->setText(QString());
    FlexGrid& grid = *form.MSHFlexGrid1;
    grid.setCols(1);
    grid.setRows(1);
    grid.setColWidth(0, -1);
    grid.setRowHeight(0, -1);
    grid.setRows(2);
    grid.setCols(2);
    grid.setRow(1);
    grid.setCol(0);
}

[[noreturn]] void fail(const QStringList& wrong, const CalculateOracle::Before& before) {
    std::fprintf(stderr, "Calculate went wrong: %s\n", qPrintable(wrong.join(QStringLiteral("; "))));
    for (std::size_t i = 0; i < before.texts.size(); ++i)
        std::fprintf(stderr, "  Text%zu: \"%s\"\n", i + 1, qPrintable(before.texts[i].left(200)));
    std::fprintf(stderr, "  Check1 ticked: %d, grid %d x %d\n", before.ticked, before.rows, before.cols);
    std::abort();
}

} // namespace

// Fontconfig keeps the fonts it loads for a script seen for the first time in caches that the leak checker
// run after each input cannot see into; they are not Pellmarsh's and live as long as the program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    EventBoundary::setBoxSink([](const QString& title, const QString& text) { g_boxes << title + u'|' + text; });
    g_form = new Form1;
    g_form->show();
    g_canvas = new QImage(g_form->MSHFlexGrid1->size(), QImage::Format_ARGB32_Premultiplied);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1)).split(u'|');
    CalculateOracle::Before before;
    before.ticked = (data[0] & 1) != 0;
    for (qsizetype i = 0; i < parts.size(); ++i)
        before.texts[static_cast<std::size_t>(std::min<qsizetype>(i, 5))] += (i > 5 ? "|" : "") + parts[i];
    const double years = CalculateOracle::years(before.texts[0]);
    if (before.ticked && years > 60 && years < 2184)
        before.texts[0] = QString::number(std::fmod(years, 60), 'g', 17);

    // One window for the whole run, set back to its start every time, so a finding replays alone.
    Form1* const form = g_form;
    startOver(*form);
    const std::array<InputBox*, 6> boxes{form->Text1, form->Text2, form->Text3, form->Text4, form->Text5, form->Text6};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(before.texts[i]);
    // Text3 keeps at most 12 characters: a longer text is refused as it would be when pasted.
    before.texts[2] = form->Text3->text();
    form->Check1->setValue(before.ticked ? 1 : 0);
    before.rows = form->MSHFlexGrid1->rows();
    before.cols = form->MSHFlexGrid1->cols();
    const CalculateOracle::After after = CalculateOracle::expected(before);
    const Decimal unset = Decimal::fromInteger(-7);
    MonthlyRate = MonthlyPayment = unset;
    g_boxes.clear();

    form->Command1->click();
    form->MSHFlexGrid1->flush();
    form->MSHFlexGrid1->render(g_canvas);

    CalculateOracle::Seen seen;
    seen.boxes = g_boxes;
    seen.rows = form->MSHFlexGrid1->rows();
    seen.cols = form->MSHFlexGrid1->cols();
    seen.rateStored = MonthlyRate != unset;
    seen.paymentStored = MonthlyPayment != unset;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        seen.texts[i] = boxes[i]->text();
    if (const QStringList wrong = CalculateOracle::differences(after, seen); !wrong.isEmpty())
        fail(wrong, before);
    return 0;
}
