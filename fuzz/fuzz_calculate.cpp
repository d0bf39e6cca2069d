// Calculate on the real window (offscreen) with fuzzed texts in all six boxes and the check box. The input
// is one byte whose lowest bit ticks Check1, then the six texts in UTF-8 separated by '|' (missing ones are
// empty; the sixth takes the rest), put in as a paste puts them. One window serves the whole run; what it
// shows after Calculate must match the loan's own arithmetic and the layout of the schedule computed from
// the same texts (CalculateCheck), so state left over from earlier inputs shows up. Afterwards the grid is
// painted.
#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "grid/FlexGrid.h"
#include "tests/app/CalculateCheck.h"

#include <QApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>

namespace {
Form1* g_form = nullptr;
QImage* g_canvas = nullptr;
} // namespace

// Fontconfig keeps the fonts it loads for a script seen for the first time in caches that the leak checker
// run after each input cannot see into; they are not Pellmarsh's and live as long as the program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    g_form = new Form1;
    g_form->show();
    g_canvas = new QImage(g_form->MSHFlexGrid1->size(), QImage::Format_ARGB32_Premultiplied);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    QStringList texts = QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)).split(u'|');
    texts = texts.mid(0, 5) + QStringList{texts.mid(5).join(u'|')};
    std::size_t i = 0;
    for (InputBox* box : {g_form->Text1, g_form->Text2, g_form->Text3, g_form->Text4, g_form->Text5, g_form->Text6})
        box->setText(texts.value(i++));
    g_form->Check1->setValue(data[0] & 1);
    if (const QString wrong = CalculateCheck::againstLayout(*g_form); !wrong.isEmpty()) {
        std::fprintf(stderr, "Calculate went wrong: %s\n", qPrintable(wrong.left(2000)));
        std::abort();
    }
    g_form->MSHFlexGrid1->render(g_canvas);
    return 0;
}
