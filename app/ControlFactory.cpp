#include "app/ControlFactory.h"

#include "app/CaptionFrame.h"
#include "app/DesignFonts.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "grid/Contrast.h"
#include "grid/FlexGrid.h"
#include "grid/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <limits>

namespace {

constexpr std::uint32_t kWhite = 16777215;
constexpr std::uint32_t kBlack = 0;
constexpr std::uint32_t kDarkRed = 128;

struct ControlColours {
    std::string_view name;
    std::uint32_t back;
    std::uint32_t fore;
};

// Controls not listed keep the desktop's colours for their kind.
constexpr std::array<ControlColours, 9> kColours{{
    {"Frame1", kWhite, kBlack},
    {"Check1", kWhite, kBlack},
    {"Label1", kWhite, kBlack},
    {"Label2", kWhite, kBlack},
    {"Label3", kWhite, kBlack},
    {"Label4", kWhite, kBlack},
    {"Label5", kWhite, kBlack},
    {"Label6", kWhite, kBlack},
    {"Label7", kDarkRed, kWhite},
}};

// The principal box is drawn in the desktop's tooltip background (pale yellow in the usual schemes).
constexpr std::string_view kTooltipColouredBox = "Text3";

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void applyColours(QWidget& control, std::string_view name) {
    for (const ControlColours& colours : kColours) {
        if (colours.name != name)
            continue;
        const QColor back = ControlFactory::colourFromRgbValue(colours.back);
        // Both colours are the program's, so the pair is drawn as given.
        const QColor fore = ControlFactory::colourFromRgbValue(colours.fore);
        QPalette palette = control.palette();
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::WindowText, fore);
        palette.setColor(QPalette::Text, fore);
        control.setPalette(palette);
        // Buttons fill with the button colour unless told otherwise; these fill with their back colour.
        control.setBackgroundRole(QPalette::Window);
        control.setAutoFillBackground(true);
    }
    ControlFactory::followDesktopColours(control);
}

QWidget* createOfKind(const ControlDesign& design, QWidget& window) {
    const QString caption = latin1(design.caption);
    switch (design.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, &window);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new InputBox(&window);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        box->setText(caption);
        return box;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::InsertAtBottom);
        return combo;
    }
    case ControlKind::CheckBox:
        return new WrappingCheckBox(caption, &window);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption, &window);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case ControlKind::Frame: {
        auto* frame = new CaptionFrame(caption, &window);
        frame->setFont(DesignFonts::sansSerif(DesignFonts::kFrameCaptionPoints));
        return frame;
    }
    case ControlKind::Grid:
        return new FlexGrid(&window);
    }
    return nullptr;
}

} // namespace

QWidget* ControlFactory::create(const ControlDesign& design, QWidget& window) {
    QWidget* control = createOfKind(design, window);
    control->setObjectName(latin1(design.name));
    control->setGeometry(Twips::toPixels(design.left), Twips::toPixels(design.top), Twips::toPixels(design.width),
                         Twips::toPixels(design.height));
    applyColours(*control, design.name);
    if (!design.visible)
        control->hide();
    return control;
}

void ControlFactory::followDesktopColours(QWidget& control) {
    if (control.objectName() != latin1(kTooltipColouredBox))
        return;
    // Taken from the desktop's scheme as it is now, so a change of scheme is followed when called again.
    const QPalette desktop = QApplication::palette(&control);
    const QColor back = desktop.color(QPalette::ToolTipBase);
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, Contrast::readableOn(back, desktop.color(QPalette::Text)));
    control.setPalette(palette);
}

QColor ControlFactory::colourFromRgbValue(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}
