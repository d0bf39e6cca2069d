#pragma once

#include "loan/Schedule.h"
#include "loan/SharedState.h"
#include "windows/MessagePath.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class FlexGrid;
class InputBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class WindowFont;
class WrappingCheckBox;

// The program's only window: six labelled input boxes along the top, the Calculate button, the summary
// check box, and below them the frame with the result grid. The controls keep their design names, as
// object names and as the members below, so routines handed only the window find "Text1" and "Font".
//
// Every handler is reached through the window's event boundary, which shows a run-time error in a box
// and returns to the event loop. Every box goes through the window's message path, which the windows it
// opens share.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The inner size in twips; both are 0 while the window is minimised.
    float scaleWidth() const;
    float scaleHeight() const;

    // The last text of Text3 that was at most 12 characters long.
    const QString& savedPrincipalText() const { return SavedPrincipalText; }

    // The values the handlers share: the font size, the month names, the last monthly rate and payment.
    const SharedState& shared() const { return m_shared; }
    // The same, to put the window in a known state (the tests mark the rate and payment as never stored).
    SharedState& shared() { return m_shared; }

    // The schedule of the last Calculate that wrote one to its end, or none: a Calculate that fails, or
    // leaves "Show Me Summary For Each Month " unticked, leaves none.
    const std::optional<Schedule>& lastSchedule() const { return m_lastSchedule; }

    // The one path of every box this window and the windows it opens show; the command line and the tests
    // put a sink in it.
    const MessagePath& messages() const { return m_messages; }
    MessagePath& messages() { return m_messages; }

    // Sounds the system beep; tests put a counter here.
    void setBeeper(std::function<void()> beeper);

    // Handlers, named after their control and event.
    void Command1_Click();
    void Combo1_Click();
    void Text1_KeyPress(std::int16_t& keyAscii);
    void Text2_KeyPress(std::int16_t& keyAscii);
    void Text3_KeyPress(std::int16_t& keyAscii);
    void Text4_KeyPress(std::int16_t& keyAscii);
    void Text5_KeyPress(std::int16_t& keyAscii);
    void Text6_KeyPress(std::int16_t& keyAscii);
    void Text3_Change();

    InputBox* Text1 = nullptr;
    InputBox* Text2 = nullptr;
    InputBox* Text3 = nullptr;
    InputBox* Text4 = nullptr;
    InputBox* Text5 = nullptr;
    InputBox* Text6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QComboBox* Combo1 = nullptr;
    WrappingCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    FlexGrid* MSHFlexGrid1 = nullptr;
    WindowFont* Font = nullptr; // the measuring font of the cell writer

signals:
    // Combo1_Click has set the result cells' font size from the list's selection.
    void gridFontSizeChosen(std::int16_t points);
    // lastSchedule() now holds another schedule, or none.
    void lastScheduleChanged();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void bindControls();
    void setTabOrderFromTable();
    void setAccessibleNames();
    void connectHandlers();
    // The grid's context menu: Copy and Select All.
    void addGridActions();

    void Form_Load();
    void Form_Resize();

    // Runs a handler through the event boundary.
    void handle(const std::function<void()>& handler);
    // Gives an input box, named by its design name, the focus with its text selected.
    void focusBox(const QString& name);

    // Forgets the last schedule, or takes a new one, and says so.
    void setLastSchedule(std::optional<Schedule> schedule);

    MessagePath m_messages;
    SharedState m_shared;
    std::optional<Schedule> m_lastSchedule;
    QString SavedPrincipalText;
    std::function<void()> m_beeper;
    bool m_loaded = false;
    bool m_wasMinimized = false;
};
