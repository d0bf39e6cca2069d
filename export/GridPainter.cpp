#include "export/GridPainter.h"

#include "grid/FixedRowHeader.h"
#include "grid/FlexGrid.h"
#include "grid/FlexGridDelegate.h"
#include "grid/FlexGridModel.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double kPointsPerInch = 72.0;
// The room between a cell's edge and its text: 3 pixels at 96 dpi on screen.
constexpr double kTextMarginPoints = 2.25;
constexpr double kLineWidthPoints = 0.5;
constexpr double kFooterFontPoints = 9.0;
// The grid's lines between cells: light grey; around fixed cells: black.
const QColor kGridLineColour(192, 192, 192);

} // namespace

GridPainter::GridPainter(const FlexGrid& grid, const PrintLayout& layout)
    : m_grid(grid)
    , m_model(*grid.gridModel())
    , m_layout(layout) {}

bool GridPainter::paint(QPainter& painter, QPagedPaintDevice& device, const Progress& progress) {
    m_unitsPerPoint = device.logicalDpiY() / kPointsPerInch;
    m_painterFont = nullptr;
    const int pageCount = m_layout.pageCount();
    for (int index = 0; index < pageCount; ++index) {
        if (progress && !progress(index, pageCount))
            return false;
        if (index > 0)
            device.newPage();
        paintPage(painter, m_layout.pages()[static_cast<std::size_t>(index)], index + 1);
    }
    return !progress || progress(pageCount, pageCount);
}

void GridPainter::paintPage(QPainter& painter, const PrintLayout::Page& page, int pageNumber) {
    double top = 0.0;
    if (page.repeatsHeader) {
        paintRow(painter, m_layout.headerRow(), top);
        top += m_layout.rowHeightPoints(m_layout.headerRow()) * m_unitsPerPoint;
    }
    for (int row = page.firstRow; row < page.endRow; ++row) {
        paintRow(painter, row, top);
        top += m_layout.rowHeightPoints(row) * m_unitsPerPoint;
    }
    // The lines between columns, down the rows of the page.
    double left = 0.0;
    painter.setPen(QPen(kGridLineColour, kLineWidthPoints * m_unitsPerPoint));
    for (int col = 0; col < m_model.cols(); ++col) {
        left += m_layout.colWidthPoints(col) * m_unitsPerPoint;
        painter.drawLine(QPointF(left, 0.0), QPointF(left, top));
    }
    paintFooter(painter, pageNumber);
}

void GridPainter::paintRow(QPainter& painter, int row, double top) {
    const double height = m_layout.rowHeightPoints(row) * m_unitsPerPoint;
    if (height <= 0.0)
        return;
    const QPalette& palette = m_grid.palette();
    // Row 0 is the fixed row: on screen it takes the desktop's button colours.
    const bool fixed = row == 0;
    const double margin = kTextMarginPoints * m_layout.scale() * m_unitsPerPoint;
    double left = 0.0;
    for (int col = 0; col < m_model.cols(); ++col) {
        const double width = m_layout.colWidthPoints(col) * m_unitsPerPoint;
        if (width <= 0.0)
            continue;
        const QRectF cell(left, top, width, height);
        left += width;
        const FlexGridModel::CellStyle& style = m_model.style(row, col);
        // The colours the screen shows: the fixed row's own, and the model's for the other cells (a pair
        // the program gives as given, the desktop's text kept readable on a forced background).
        const QModelIndex index = m_model.index(row, col);
        const QVariant ownBack = m_model.data(index, Qt::BackgroundRole);
        const auto [back, fore] =
            fixed ? FixedRowHeader::cellColours(style, palette)
                  : std::pair{ownBack.isValid() ? ownBack.value<QColor>() : palette.color(QPalette::Base),
                              m_model.data(index, Qt::ForegroundRole).value<QColor>()};
        // The paper is white already; leaving white cells unfilled keeps the file small.
        if (back != Qt::white)
            painter.fillRect(cell, back);
        const QString text = m_model.text(row, col);
        if (text.isEmpty())
            continue;
        const QRectF textRect = cell.adjusted(margin, 0.0, -margin, 0.0);
        const Qt::Alignment alignment = FlexGridModel::alignmentFor(style.alignment, text);
        const QFont& font = scaledFont(row, col);
        if (m_painterFont != &font) {
            painter.setFont(font);
            m_painterFont = &font;
        }
        painter.setPen(fore);
        // A text of a million digits would be laid out whole for the few hundred that can show.
        const QString shown = FlexGridDelegate::visiblePart(text, alignment, static_cast<int>(textRect.width()),
                                                            static_cast<int>(textRect.height()));
        painter.drawText(textRect, static_cast<int>(alignment), shown);
    }
    painter.setPen(QPen(fixed ? QColor(Qt::black) : kGridLineColour, kLineWidthPoints * m_unitsPerPoint));
    painter.drawLine(QPointF(0.0, top + height), QPointF(left, top + height));
}

void GridPainter::paintFooter(QPainter& painter, int pageNumber) {
    QFont font(m_grid.defaultFontName());
    font.setPointSizeF(kFooterFontPoints);
    painter.setFont(font);
    m_painterFont = nullptr;
    painter.setPen(Qt::black);
    const double bodyBottom = m_layout.bodyHeightPoints() * m_unitsPerPoint;
    const QRectF footer(0.0, bodyBottom, painter.device()->width(), PrintLayout::kFooterHeightPoints * m_unitsPerPoint);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Page %1 of %2").arg(pageNumber).arg(m_layout.pageCount()));
}

const QFont& GridPainter::scaledFont(int row, int col) {
    const QFont& cellFont = m_model.font(row, col);
    auto found = m_fonts.find(&cellFont);
    if (found == m_fonts.end()) {
        QFont scaled = cellFont;
        if (cellFont.pointSizeF() > 0.0)
            scaled.setPointSizeF(cellFont.pointSizeF() * m_layout.scale());
        found = m_fonts.emplace(&cellFont, scaled).first;
    }
    return found->second;
}
