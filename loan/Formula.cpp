#include "loan/Formula.h"

#include "grid/FlexGrid.h"
#include "grid/Module1.h"
#include "grid/WindowFont.h"
#include "loan/LastSchedule.h"
#include "loan/LoanInput.h"
#include "loan/ScheduleEngine.h"
#include "numbers/ErrorContext.h"
#include "numbers/RuntimeError.h"

#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QVariant>

namespace {

// The loan's figures as the window's boxes hold them now: every read reads the box's "text" again. Each
// member is looked up by name on its first read; nothing else runs while the schedule is written, so the
// window cannot gain, lose or rename a member before the call ends, and later reads go straight to it.
class WindowTexts final : public ScheduleEngine::Inputs {
public:
    explicit WindowTexts(QObject& window)
        : m_window(window) {}

    QString lengthText() override { return memberText(m_length); }
    QString principalText() override { return memberText(m_principal); }
    QString startYearText() override { return memberText(m_startYear); }

private:
    struct Member {
        QString name;
        QPointer<const QObject> object;
        QMetaProperty text; // the declared "text" property, when the member has one
    };

    QString memberText(Member& member) {
        if (!member.object)
            find(member);
        const QVariant text = member.text.isValid() ? member.text.read(member.object) : member.object->property("text");
        if (!text.isValid()) {
            throw RuntimeError(RuntimeError::Kind::MissingMember,
                               QStringLiteral("The window's member \"%1\" has no text to read.").arg(member.name));
        }
        return text.toString();
    }

    void find(Member& member) {
        const QObject* object = m_window.findChild<QObject*>(member.name);
        if (!object) {
            throw RuntimeError(RuntimeError::Kind::MissingMember,
                               QStringLiteral("The window has no member named \"%1\" to read the schedule's "
                                              "figures from.")
                                   .arg(member.name));
        }
        const QMetaObject& type = *object->metaObject();
        const int index = type.indexOfProperty("text");
        member.object = object;
        member.text = index >= 0 ? type.property(index) : QMetaProperty();
    }

    QObject& m_window;
    Member m_length{LoanInputs::kLength.objectName(), nullptr, {}};
    Member m_principal{LoanInputs::kPrincipal.objectName(), nullptr, {}};
    Member m_startYear{LoanInputs::kStartYear.objectName(), nullptr, {}};
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
    ScheduleEngine engine(inputs, cells);
    engine.run();
    LastSchedule::instance().set(engine.takeYears());
}

} // namespace Formula
