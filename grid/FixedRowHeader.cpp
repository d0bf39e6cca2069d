#include "grid/FixedRowHeader.h"

#include "grid/Contrast.h"
#include "grid/FlexGrid.h"
#include "grid/FlexGridDelegate.h"
#include "grid/FlexGridModel.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// Room between a cell's edge and its text, in pixels, as the table's own cells leave it.
constexpr int kTextMarginPixels = 3;

} // namespace

FixedRowHeader::FixedRowHeader(FlexGrid& grid)
    : QHeaderView(Qt::Horizontal, &grid)
    , m_grid(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionsMovable(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Fixed);
}

void FixedRowHeader::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    // Beyond the last column lies the part of the control that no cell covers.
    painter.fillRect(event->rect(), m_grid.palette().color(QPalette::Base));
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical), viewport()->height());
        if (!rect.intersects(event->rect()))
            continue;
        painter.save();
        paintSection(&painter, rect, logical);
        painter.restore();
    }
}

std::pair<QColor, QColor> FixedRowHeader::cellColours(const FlexGridModel::CellStyle& style, const QPalette& palette) {
    const QColor back =
        style.backColor != 0 ? FlexGridModel::toColor(style.backColor) : palette.color(QPalette::Button);
    const QColor fore =
        style.foreColor != 0 ? FlexGridModel::toColor(style.foreColor) : palette.color(QPalette::ButtonText);
    // The desktop's text on a colour the program forces must read whatever the desktop's scheme; a cell
    // given both its colours shows them as given.
    const bool desktopTextOnForcedBack = style.backColor != 0 && style.foreColor == 0;
    return {back, desktopTextOnForcedBack ? Contrast::readableOn(back, fore) : fore};
}

void FixedRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const FlexGridModel& model = *m_grid.gridModel();
    // The header can be asked to paint before a shrink is published.
    if (model.rows() == 0 || logicalIndex >= model.cols() || rect.isEmpty())
        return;

    const FlexGridModel::CellStyle& style = model.style(0, logicalIndex);
    const QPalette& palette = m_grid.palette();
    const bool current = m_grid.row() == 0 && m_grid.col() == logicalIndex;
    auto [back, fore] = cellColours(style, palette);
    if (current) {
        back = palette.color(QPalette::Highlight);
        fore = palette.color(QPalette::HighlightedText);
    }

    painter->setClipRect(rect);
    painter->fillRect(rect, back);
    const QString& text = model.text(0, logicalIndex);
    if (!text.isEmpty()) {
        painter->setFont(model.font(0, logicalIndex));
        painter->setPen(fore);
        painter->drawText(rect.adjusted(kTextMarginPixels, 0, -kTextMarginPixels, -1),
                          static_cast<int>(FlexGridModel::alignmentFor(style.alignment, text)) | Qt::TextSingleLine,
                          text);
    }
    if (!current && m_grid.selectionModel()->isSelected(m_grid.model()->index(0, logicalIndex)))
        FlexGridDelegate::drawSelectionFrame(*painter, rect.adjusted(0, 0, -1, -1), palette.color(QPalette::Highlight));
    // The lines between fixed cells are black.
    painter->setPen(Qt::black);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
}
