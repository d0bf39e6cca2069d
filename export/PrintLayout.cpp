#include "export/PrintLayout.h"

#include "grid/FlexGridModel.h"

#include <QLocale>

#include <algorithm>
#include <array>

namespace {

// Territories whose offices use Letter paper.
constexpr std::array kLetterTerritories{
    QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Philippines, QLocale::Chile,
    QLocale::Colombia,     QLocale::CostaRica,  QLocale::Guatemala, QLocale::Panama,      QLocale::PuertoRico,
    QLocale::Venezuela,    QLocale::ElSalvador, QLocale::Nicaragua, QLocale::Belize,      QLocale::DominicanRepublic,
};

} // namespace

PrintLayout::PrintLayout(const FlexGridModel& model, const QSizeF& printableSize)
    : m_model(model)
    , m_bodyHeight(std::max(0.0, printableSize.height() - kFooterHeightPoints))
    , m_headerRow(model.headerRow()) {
    double gridWidth = 0.0;
    for (int col = 0; col < model.cols(); ++col)
        gridWidth += std::max(0, model.colWidth(col)) / kTwipsPerPoint;
    if (gridWidth > 0.0)
        m_scale = printableSize.width() / gridWidth;

    const double headerHeight = m_headerRow >= 0 ? rowHeightPoints(m_headerRow) : 0.0;
    Page page;
    double filled = 0.0;
    for (int row = 0; row < model.rows(); ++row) {
        const double height = rowHeightPoints(row);
        // A page holds at least one row of its own, even one taller than the page (it is cut off).
        if (page.endRow > page.firstRow && filled + height > m_bodyHeight) {
            m_pages.push_back(page);
            page = Page{row, row, m_headerRow >= 0 && m_headerRow < row};
            filled = page.repeatsHeader ? headerHeight : 0.0;
        }
        page.endRow = row + 1;
        filled += height;
    }
    // An empty grid still prints a page, with its footer.
    m_pages.push_back(page);
}

double PrintLayout::rowHeightPoints(int row) const {
    return std::max(0, m_model.rowHeight(row)) / kTwipsPerPoint * m_scale;
}

double PrintLayout::colWidthPoints(int col) const {
    return std::max(0, m_model.colWidth(col)) / kTwipsPerPoint * m_scale;
}

QPageLayout PrintLayout::pageLayoutFor(const QLocale& locale) {
    const bool letter =
        std::find(kLetterTerritories.begin(), kLetterTerritories.end(), locale.territory()) != kLetterTerritories.end();
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints), QPageLayout::Point);
}
