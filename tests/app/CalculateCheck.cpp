#include "tests/app/CalculateCheck.h"

#include "app/EventBoundary.h"
#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "grid/FlexGrid.h"
#include "grid/FlexGridModel.h"
#include "loan/SharedState.h"
#include "numbers/NumberText.h"

#include <QPushButton>

#include <cmath>

namespace {
QStringList g_boxes;

std::array<InputBox*, 6> boxesOf(Form1& w) {
    return {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6};
}

QString describe(const QString& text, const FlexGridModel::CellStyle& s) {
    return text + QString::asprintf("\t%s\t%g\t%d\t%d\t%u\t%u\t%d", qPrintable(s.fontName), double(s.fontSize), s.bold,
                                    s.italic, s.backColor, s.foreColor, s.alignment);
}

QString inputs(Form1& window) {
    QString texts;
    for (InputBox* box : boxesOf(window))
        texts += u'"' + box->text().left(40) + "\" ";
    return texts + QString::asprintf("ticked %d, grid %d x %d", int(window.Check1->value()),
                                     window.MSHFlexGrid1->rows(), window.MSHFlexGrid1->cols());
}
} // namespace

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
    EventBoundary::setBoxSink([](const QString& title, const QString& text) { g_boxes << title + u'|' + text; });
    g_boxes.clear();
    MonthlyRate = MonthlyPayment = Decimal::fromInteger(-7); // never stored
    window.Command1->click();
    window.MSHFlexGrid1->flush();
    return g_boxes + QStringList{MonthlyRate.toString() + u' ' + MonthlyPayment.toString(), inputs(window)} +
           cells(*window.MSHFlexGrid1);
}

QString CalculateCheck::againstFresh(Form1& window) {
    double years = 0;
    try {
        years = readNumber(window.Text1->text(), {});
    } catch (const RuntimeError&) {
    }
    if (years > 60 && years < 2184)
        window.Text1->setText(QString::number(std::fmod(years, 60), 'g', 17));
    Form1 fresh;
    fresh.ensurePolished();
    for (std::size_t i = 0; i < 6; ++i)
        boxesOf(fresh)[i]->setText(boxesOf(window)[i]->text());
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

QStringList CalculateCheck::boxes() {
    return std::exchange(g_boxes, {});
}
