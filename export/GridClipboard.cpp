#include "export/GridClipboard.h"

#include "grid/FlexGrid.h"
#include "grid/FlexGridModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace GridClipboard {

namespace {

QString colourName(const QColor& colour) {
    return colour.name(QColor::HexRgb);
}

// The cell's colours as the grid draws them: its own, else the grid's (row 0 is drawn as a button).
QColor backColour(const FlexGrid& grid, int row, const FlexGridModel::CellStyle& style) {
    if (style.backColor != 0)
        return FlexGridModel::toColor(style.backColor);
    return grid.palette().color(row == 0 ? QPalette::Button : QPalette::Base);
}

QString horizontal(Qt::Alignment alignment) {
    if (alignment & Qt::AlignRight)
        return QStringLiteral("right");
    return alignment & Qt::AlignHCenter ? QStringLiteral("center") : QStringLiteral("left");
}

QString vertical(Qt::Alignment alignment) {
    if (alignment & Qt::AlignTop)
        return QStringLiteral("top");
    return alignment & Qt::AlignBottom ? QStringLiteral("bottom") : QStringLiteral("middle");
}

QString htmlCell(const FlexGrid& grid, int row, int col) {
    const FlexGridModel& model = *grid.gridModel();
    const FlexGridModel::CellStyle& style = model.style(row, col);
    const QString text = model.text(row, col);
    const Qt::Alignment alignment = FlexGridModel::alignmentFor(style.alignment, text);
    QString content = text.toHtmlEscaped();
    content.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    content.replace(u'\n', QStringLiteral("<br>"));
    content.replace(u'\r', QStringLiteral("<br>"));
    if (style.foreColor != 0)
        content = QStringLiteral("<font color=\"%1\">%2</font>")
                      .arg(colourName(FlexGridModel::toColor(style.foreColor)), content);
    if (style.italic)
        content = QStringLiteral("<i>%1</i>").arg(content);
    if (style.bold)
        content = QStringLiteral("<b>%1</b>").arg(content);
    return QStringLiteral("<td bgcolor=\"%1\" align=\"%2\" valign=\"%3\">%4</td>")
        .arg(colourName(backColour(grid, row, style)), horizontal(alignment), vertical(alignment), content);
}

} // namespace

QString plainText(const FlexGrid& grid, const QRect& block) {
    QString out;
    for (int row = block.top(); row <= block.bottom(); ++row) {
        for (int col = block.left(); col <= block.right(); ++col) {
            if (col > block.left())
                out += u'\t';
            out += tabField(grid.textAt(row, col));
        }
        out += u'\n';
    }
    return out;
}

QString tabField(const QString& text) {
    if (!text.startsWith(u'"') && !text.contains(u'\t') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString html(const FlexGrid& grid, const QRect& block) {
    QString out = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n"
                                 "<table cellspacing=\"0\" style=\"white-space:pre\">\n");
    for (int row = block.top(); row <= block.bottom(); ++row) {
        out += QStringLiteral("<tr>");
        for (int col = block.left(); col <= block.right(); ++col)
            out += htmlCell(grid, row, col);
        out += QStringLiteral("</tr>\n");
    }
    out += QStringLiteral("</table>\n</body></html>\n");
    return out;
}

void copy(FlexGrid& grid) {
    // The selection follows the grid's last writes only once they reach the view.
    grid.flush();
    const QRect block = grid.selectedBlock();
    auto* data = new QMimeData;
    data->setText(plainText(grid, block));
    data->setHtml(html(grid, block));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace GridClipboard
