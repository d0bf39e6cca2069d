#pragma once

#include <array>
#include <string_view>

// The window's eighteen controls as designed: kind, caption, place and size in twips, tab index.
// The table runs from the frontmost control to the backmost; that order is the stacking order, so
// every label lies behind every other control and the grid lies in front of the frame.
enum class ControlKind { Label, TextBox, ComboBox, CheckBox, PushButton, Frame, Grid };

struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    std::string_view caption; // caption, or the initial text of a text box
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    bool visible;
};

inline constexpr std::array<ControlDesign, 18> kForm1Controls{{
    {"Combo1", ControlKind::ComboBox, "", 8820, 645, 795, 315, 16, false},
    {"Text6", ControlKind::TextBox, "Text6", 3720, 1320, 1335, 345, 14, true},
    {"Check1", ControlKind::CheckBox, "Show Me Summary For Each Month ", 5400, 1200, 1905, 540, 13, true},
    {"Text5", ControlKind::TextBox, "", 2160, 1320, 1335, 345, 6, true},
    {"Text4", ControlKind::TextBox, "", 120, 1320, 1245, 345, 5, true},
    {"MSHFlexGrid1", ControlKind::Grid, "", 240, 2280, 9645, 2745, 1, true},
    {"Frame1", ControlKind::Frame, "Pellmarsh", 0, 1800, 10095, 5130, 0, true},
    {"Command1", ControlKind::PushButton, "Calculate", 5880, 360, 930, 390, 7, true},
    {"Text3", ControlKind::TextBox, "", 3600, 345, 2070, 360, 4, true},
    {"Text2", ControlKind::TextBox, "", 1800, 360, 795, 360, 3, true},
    {"Text1", ControlKind::TextBox, "", 120, 360, 765, 315, 2, true},
    {"Label7", ControlKind::Label, "Font Size", 8805, 315, 885, 330, 17, false},
    {"Label6", ControlKind::Label, "Year To Start the payment", 3720, 960, 2175, 270, 15, true},
    {"Label5", ControlKind::Label, "Annual Insur:", 2160, 960, 1230, 240, 12, true},
    {"Label4", ControlKind::Label, "Annual Property Tax and Insurance Other Expanses", 105, 840, 2160, 375, 11, true},
    {"Label3", ControlKind::Label, "Principal Loan Balance", 3600, 120, 2535, 270, 10, true},
    {"Label2", ControlKind::Label, "Annual Interest Rate ", 1800, 120, 1755, 405, 9, true},
    {"Label1", ControlKind::Label, "Length of Loan (Years)", 60, 120, 1785, 255, 8, true},
}};

// Each label names the input below it; the input takes the label's caption as its accessible name.
struct LabelledInput {
    std::string_view label;
    std::string_view input;
};

inline constexpr std::array<LabelledInput, 7> kForm1LabelledInputs{{
    {"Label1", "Text1"},
    {"Label2", "Text2"},
    {"Label3", "Text3"},
    {"Label4", "Text4"},
    {"Label5", "Text5"},
    {"Label6", "Text6"},
    {"Label7", "Combo1"},
}};

// The window's client area in twips (684 x 485 pixels at 96 dpi).
inline constexpr int kForm1ClientWidthTwips = 10260;
inline constexpr int kForm1ClientHeightTwips = 7275;
