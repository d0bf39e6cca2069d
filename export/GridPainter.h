#pragma once

#include "export/PrintLayout.h"

#include <QFont>

#include <functional>
#include <unordered_map>

class FlexGrid;
class FlexGridModel;
class QPagedPaintDevice;
class QPainter;

// Paints the grid's pages, as a PrintLayout has laid them out, on a printer or a PDF writer: each cell
// with its own background, text colour, font (bold, italic, size scaled with the columns) and alignment,
// the defaults taken from the grid as it shows them on screen; the lines between cells; and a footer
// "Page N of M". Rows are painted straight from the grid's cells, never by rendering the widget, so a
// schedule of 32,759 rows costs one pass over its cells.
class GridPainter {
public:
    // Called before each page with the number of pages painted so far and the page count; returning
    // false stops the painting there.
    using Progress = std::function<bool(int pagesDone, int pageCount)>;

    GridPainter(const FlexGrid& grid, const PrintLayout& layout);

    // The painter is active on the device. Returns false when the progress call stopped it.
    bool paint(QPainter& painter, QPagedPaintDevice& device, const Progress& progress = {});

private:
    void paintPage(QPainter& painter, const PrintLayout::Page& page, int pageNumber);
    void paintRow(QPainter& painter, int row, double top);
    void paintFooter(QPainter& painter, int pageNumber);
    const QFont& scaledFont(int row, int col);

    const FlexGrid& m_grid;
    const FlexGridModel& m_model;
    const PrintLayout& m_layout;
    double m_unitsPerPoint = 1.0; // device units
    // Scaled fonts by the cell font they stand for; a map keeps each in place as others are added.
    std::unordered_map<const QFont*, QFont> m_fonts;
    const QFont* m_painterFont = nullptr;
};
