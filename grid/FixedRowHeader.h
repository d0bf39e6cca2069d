#pragma once

#include "grid/FlexGridModel.h"

#include <QHeaderView>

#include <utility>

class FlexGrid;

// The grid's fixed row (row 0), drawn where a table's column header sits so that it stays at the top
// while the other rows scroll. Each section shows the row-0 cell of its column in that cell's font,
// on the fixed-cell colours (or the cell's own colours when it has some), with black lines between
// the fixed cells. The sections are the columns, so column widths and horizontal scrolling follow
// the table by construction.
class FixedRowHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit FixedRowHeader(FlexGrid& grid);

    // The background and text colours of a fixed cell of this style: the desktop's button colours, or the
    // cell's own; the desktop's text on a background the program forces is kept readable, a pair the
    // program gives is drawn as given. Printing draws the same.
    static std::pair<QColor, QColor> cellColours(const FlexGridModel::CellStyle& style, const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    FlexGrid& m_grid;
};
