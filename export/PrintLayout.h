#pragma once

#include <QPageLayout>
#include <QSizeF>

#include <vector>

class FlexGridModel;
class QLocale;

// How the grid falls onto printed pages, worked out once before anything is painted. Every column is
// scaled by the same factor so the grid spans the printable width (row heights and fonts by the same
// factor, so cells keep their shape); rows fill each page from the top, and a row that does not fit
// starts the next page whole. From the second page on, the header row the grid's layout named
// (FlexGridModel::headerRow) stands again at the top of each page that continues below it. The foot of every
// page is kept for its "Page N of M" line.
class PrintLayout {
public:
    struct Page {
        int firstRow = 0; // the first grid row printed on the page
        int endRow = 0;   // one past the last
        bool repeatsHeader = false;
    };

    static constexpr double kTwipsPerPoint = 20.0;
    static constexpr double kFooterHeightPoints = 24.0;
    static constexpr double kMarginPoints = 36.0; // half an inch all round

    // printableSize: the page inside its margins, in points.
    PrintLayout(const FlexGridModel& model, const QSizeF& printableSize);

    // Page points per point of the grid as designed.
    double scale() const { return m_scale; }
    int headerRow() const { return m_headerRow; }
    const std::vector<Page>& pages() const { return m_pages; }
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    double rowHeightPoints(int row) const;
    double colWidthPoints(int col) const;
    double bodyHeightPoints() const { return m_bodyHeight; }

    // Portrait, Letter where the locale's territory uses Letter paper (the United States, Canada and
    // much of the Americas), A4 elsewhere.
    static QPageLayout pageLayoutFor(const QLocale& locale);

private:
    const FlexGridModel& m_model;
    double m_scale = 1.0;
    double m_bodyHeight = 0.0;
    int m_headerRow = -1;
    std::vector<Page> m_pages;
};
