#pragma once

#include "chart/YearBuckets.h"
#include "windows/ToolWindow.h"

#include <vector>

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;

// A top-level window that draws the last schedule: each year's interest and principal as stacked bars,
// the balance at each year's end as a line, and the first year whose principal exceeds its interest as a
// marked point. Long schedules are drawn by decades or centuries (YearBuckets). The same figures stand
// in a table beside the chart, for screen readers and for reading exactly.
//
// It shows the years it is given: a later schedule replaces the figures, and none (an empty list) shows a
// message in their place.
class ChartWindow : public ToolWindow {
    Q_OBJECT

public:
    explicit ChartWindow(const MessagePath& messages, QWidget* parent = nullptr);

    // The schedule years to draw; none shows the message. Drawn when the window is next seen.
    void setYears(std::vector<ScheduleYear> years);

    const std::vector<YearBucket>& buckets() const { return m_buckets; }
    QChartView* chartView() const { return m_view; }
    QTableWidget* table() const { return m_table; }

    // Writes the chart as a PNG image through a save file, so a failure leaves no file behind. Returns
    // an empty text on success, else what went wrong, for the user.
    QString writeImage(const QString& path) const;

    // Asks for a file name and writes the image there; a failure is reported through the message path.
    void saveImage();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    QChart* makeChart();
    void fillTable();
    void showTip(int bucket, bool shown);

    QChartView* m_view = nullptr;
    QLabel* m_crossing = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_save = nullptr;
    std::vector<ScheduleYear> m_years;
    std::vector<YearBucket> m_buckets;
    bool m_stale = true; // the schedule changed while the window was hidden
};
