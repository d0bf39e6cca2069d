#include "Formula.h"

#include "ErrorContext.h"
#include "FlexGrid.h"
#include "Module1.h"
#include "RuntimeError.h"
#include "ScheduleEngine.h"
#include "WindowFont.h"

#include <QObject>
#include <QVariant>

namespace {

// The loan's figures as the window's boxes hold them now: each read looks the member up by name again.
class WindowTexts final : public ScheduleEngine::Inputs {
public:
    explicit WindowTexts(QObject& window)
        : m_window(window) {}

    QString lengthText() override { return memberText(QStringLiteral("Text1")); }
    QString principalText() override { return memberText(QStringLiteral("Text3")); }
    QString startYearText() override { return memberText(QStringLiteral("Text6")); }

private:
    QString memberText(const QString& name) const {
        const QObject* member = m_window.findChild<QObject*>(name);
        if (!member) {
            throw RuntimeError(RuntimeError::Kind::MissingMember,
                               QStringLiteral("The window has no member named \"%1\" to read the schedule's "
                                              "figures from.")
                                   .arg(name));
        }
        const QVariant text = member->property("text");
        if (!text.isValid()) {
            throw RuntimeError(RuntimeError::Kind::MissingMember,
                               QStringLiteral("The window's member \"%1\" has no text to read.").arg(name));
        }
        return text.toString();
    }

    QObject& m_window;
};

// The schedule's cells written into the result grid through the cell routines.
class GridCells final : public ScheduleEngine::Output {
public:
    GridCells(FlexGrid& grid, QObject& window)
        : m_grid(grid)
        , m_window(window) {}

    void setGridSize(std::int16_t columnCount, std::int16_t rowCount) override {
        Module1::SetGridSize(columnCount, rowCount, m_grid);
    }

    void writeCell(std::int32_t column, std::int32_t row, bool bold, std::int16_t fontSize, bool autoFit,
                   const Module1::CellValue& value, std::uint32_t backColor) override {
        Module1::WriteCell(m_grid, column, row, bold, false, fontSize, autoFit, value, font(), backColor);
    }

    void setCellAlignment(std::int16_t alignment) override { m_grid.setCellAlignment(alignment); }
    void setCellForeColor(std::uint32_t color) override { m_grid.setCellForeColor(color); }

private:
    // Looked up when the first cell is written; the window keeps its font object for the whole run.
    WindowFont& font() {
        if (!m_font)
            m_font = &WindowFont::of(m_window);
        return *m_font;
    }

    FlexGrid& m_grid;
    QObject& m_window;
    WindowFont* m_font = nullptr;
};

} // namespace

namespace Formula {

void BuildSchedule(FlexGrid& grid, QObject& window) {
    ErrorContext step(QStringLiteral("writing the month-by-month schedule"));
    WindowTexts inputs(window);
    GridCells cells(grid, window);
    ScheduleEngine(inputs, cells).run();
}

} // namespace Formula
