#include "app/Form1.h"

#include "app/ControlFactory.h"
#include "app/ControlTable.h"
#include "app/DesignFonts.h"
#include "app/ExportActions.h"
#include "app/InputBox.h"
#include "app/WindowLaunchers.h"
#include "app/WrappingCheckBox.h"
#include "export/GridClipboard.h"
#include "grid/FlexGrid.h"
#include "grid/GridKeys.h"
#include "grid/Twips.h"
#include "grid/WindowFont.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"
#include "windows/EventBoundary.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t kWindowBackColour = 16777215;

// The font-size list reads 6 to 25; the item at index k reads k + 6.
constexpr int kSmallestFontSize = 6;
constexpr int kLargestFontSize = 25;
constexpr int kStartFontSizeIndex = 4;
constexpr std::int16_t kStartGridFontSize = 10;

// "Octomber" and "Deceamber" are the program's own spellings, kept as written: the grids show them.
constexpr std::array<const char*, 12> kMonthNames{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "Octomber", "November", "Deceamber"};

// Below the frame's top the grid keeps this much room; left of the window's right edge, this much.
constexpr float kGridBottomMarginTwips = 400.0f;
constexpr float kGridRightMarginTwips = 200.0f;

template <class Control> Control* directChild(QWidget& window, std::string_view name) {
    const QString objectName = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return window.findChild<Control*>(objectName, Qt::FindDirectChildrenOnly);
}

// A size in twips that the frame or the grid can take: a negative result becomes 0.
int pixelsOfSize(float twips) {
    return Twips::toPixels(std::max(twips, 0.0f));
}

// The window is what screen readers call a frame, announced by its title; a plain widget would be a filler.
QAccessibleInterface* accessibleWindow(const QString& className, QObject* object) {
    if (className == QLatin1String("Form1") && object != nullptr && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

// Return and keypad Enter on the focused button press it, as Space does. The button is still neither the
// window's default nor its cancel button, so Enter anywhere else never presses it.
class EnterPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat() ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/pellmarsh-16.png"));
    icon.addFile(QStringLiteral(":/icons/pellmarsh-32.png"));
    // The two-colour image stands for the program where it is shown greyed out.
    icon.addFile(QStringLiteral(":/icons/pellmarsh-32-mono.png"), QSize(32, 32), QIcon::Disabled);
    return icon;
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , m_beeper([] { QApplication::beep(); }) {
    static const bool accessibleWindowInstalled = [] {
        QAccessible::installFactory(accessibleWindow);
        return true;
    }();
    Q_UNUSED(accessibleWindowInstalled);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pellmarsh v1.0"));
    setWindowIcon(programIcon());
    QPalette background = palette();
    background.setColor(QPalette::Window, ControlFactory::colourFromRgbValue(kWindowBackColour));
    setPalette(background);
    setAutoFillBackground(true);
    // The window's default font, which every control without a font of its own takes.
    setFont(DesignFonts::sansSerif(DesignFonts::kWindowPoints));

    Font = new WindowFont(this);
    // Created from the back of the table to its front, so each control stacks above the ones before it.
    for (auto design = kForm1Controls.rbegin(); design != kForm1Controls.rend(); ++design)
        ControlFactory::create(*design, *this);
    bindControls();
    setTabOrderFromTable();
    setAccessibleNames();
    connectHandlers();
    addGridActions();
    new ExportActions(*this);
    WindowLaunchers::install(*this, *MSHFlexGrid1);

    resize(Twips::toPixels(kForm1ClientWidthTwips), Twips::toPixels(kForm1ClientHeightTwips));
}

Form1::~Form1() = default;

void Form1::bindControls() {
    Text1 = directChild<InputBox>(*this, "Text1");
    Text2 = directChild<InputBox>(*this, "Text2");
    Text3 = directChild<InputBox>(*this, "Text3");
    Text4 = directChild<InputBox>(*this, "Text4");
    Text5 = directChild<InputBox>(*this, "Text5");
    Text6 = directChild<InputBox>(*this, "Text6");
    Label1 = directChild<QLabel>(*this, "Label1");
    Label2 = directChild<QLabel>(*this, "Label2");
    Label3 = directChild<QLabel>(*this, "Label3");
    Label4 = directChild<QLabel>(*this, "Label4");
    Label5 = directChild<QLabel>(*this, "Label5");
    Label6 = directChild<QLabel>(*this, "Label6");
    Label7 = directChild<QLabel>(*this, "Label7");
    Combo1 = directChild<QComboBox>(*this, "Combo1");
    Check1 = directChild<WrappingCheckBox>(*this, "Check1");
    Command1 = directChild<QPushButton>(*this, "Command1");
    Frame1 = directChild<QGroupBox>(*this, "Frame1");
    MSHFlexGrid1 = directChild<FlexGrid>(*this, "MSHFlexGrid1");
}

void Form1::setTabOrderFromTable() {
    std::vector<const ControlDesign*> focusable;
    for (const ControlDesign& design : kForm1Controls) {
        if (design.kind != ControlKind::Label && design.kind != ControlKind::Frame)
            focusable.push_back(&design);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlDesign* a, const ControlDesign* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        setTabOrder(directChild<QWidget>(*this, focusable[i - 1]->name),
                    directChild<QWidget>(*this, focusable[i]->name));
}

void Form1::setAccessibleNames() {
    for (const LabelledInput& pair : kForm1LabelledInputs) {
        auto* label = directChild<QLabel>(*this, pair.label);
        QWidget* input = directChild<QWidget>(*this, pair.input);
        label->setBuddy(input);
        input->setAccessibleName(label->text());
    }
    Check1->setAccessibleName(Check1->text());
    MSHFlexGrid1->setAccessibleName(QStringLiteral("Payment and schedule"));
}

void Form1::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, [this] {
        handle([this] { Command1_Click(); });
        // Whatever the schedule's length, the payment summary at the top is what the user sees first.
        MSHFlexGrid1->showTopLeft();
    });
    Command1->installEventFilter(new EnterPressesButton(Command1));
    connect(MSHFlexGrid1, &FlexGrid::keyPressed, this,
            [this](std::int16_t& keyAscii) { handle([&] { MSHFlexGrid1_KeyPress(*MSHFlexGrid1, keyAscii); }); });
    connect(Text3, &QLineEdit::textChanged, this, [this] { handle([this] { Text3_Change(); }); });

    using KeyPress = void (Form1::*)(std::int16_t&);
    const std::array<std::pair<InputBox*, KeyPress>, 6> filters{{
        {Text1, &Form1::Text1_KeyPress},
        {Text2, &Form1::Text2_KeyPress},
        {Text3, &Form1::Text3_KeyPress},
        {Text4, &Form1::Text4_KeyPress},
        {Text5, &Form1::Text5_KeyPress},
        {Text6, &Form1::Text6_KeyPress},
    }};
    for (const auto& entry : filters) {
        const KeyPress filter = entry.second;
        connect(entry.first, &InputBox::keyPress, this,
                [this, filter](std::int16_t& keyAscii) { handle([&] { (this->*filter)(keyAscii); }); });
    }
    // Combo1's selection is connected by Form_Load once the list is filled: the first item added selects
    // itself, and that is no choice of a font size.
}

void Form1::addGridActions() {
    // Shortcuts of the grid's own: in the boxes Ctrl+C and Ctrl+A keep their usual meaning.
    auto* copy = new QAction(QStringLiteral("&Copy"), MSHFlexGrid1);
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] { handle([this] { GridClipboard::copy(*MSHFlexGrid1); }); });
    auto* selectAll = new QAction(QStringLiteral("Select &All"), MSHFlexGrid1);
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    selectAll->setShortcutContext(Qt::WidgetShortcut);
    connect(selectAll, &QAction::triggered, MSHFlexGrid1, &FlexGrid::selectAll);
    MSHFlexGrid1->addActions({copy, selectAll});
}

void Form1::handle(const std::function<void()>& handler) {
    QString boxAtFault;
    EventBoundary::run(m_messages, *this, [&] {
        try {
            handler();
        } catch (const RuntimeError& error) {
            boxAtFault = error.box();
            throw;
        }
    });
    // Once the message is closed, the box to correct has the focus with its text selected.
    if (!boxAtFault.isEmpty())
        focusBox(boxAtFault);
}

void Form1::focusBox(const QString& name) {
    if (auto* box = findChild<InputBox*>(name, Qt::FindDirectChildrenOnly)) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void Form1::setBeeper(std::function<void()> beeper) {
    m_beeper = std::move(beeper);
}

float Form1::scaleWidth() const {
    return isMinimized() ? 0.0f : static_cast<float>(Twips::fromPixels(width()));
}

float Form1::scaleHeight() const {
    return isMinimized() ? 0.0f : static_cast<float>(Twips::fromPixels(height()));
}

bool Form1::event(QEvent* event) {
    const bool result = QWidget::event(event);
    // The window is polished just before it is first shown: that is when it loads, so whoever created it
    // could connect to it first.
    if (event->type() == QEvent::Polish && !m_loaded) {
        m_loaded = true;
        handle([this] { Form_Load(); });
    }
    return result;
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_loaded)
        handle([this] { Form_Resize(); });
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The desktop's colour scheme changed while the program runs.
    if (event->type() == QEvent::PaletteChange && Text3 != nullptr)
        ControlFactory::followDesktopColours(*Text3);
    if (event->type() != QEvent::WindowStateChange || !m_loaded)
        return;
    // Minimising takes the inner size to 0 x 0 and restoring brings it back; the widget's own size
    // does not change with either, so both count as a resize here.
    if (isMinimized() != m_wasMinimized) {
        m_wasMinimized = isMinimized();
        handle([this] { Form_Resize(); });
    }
}

void Form1::Form_Load() {
    for (int size = kSmallestFontSize; size <= kLargestFontSize; ++size)
        Combo1->addItem(QString::number(size));
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { handle([this] { Combo1_Click(); }); });
    Combo1->setCurrentIndex(kStartFontSizeIndex);

    m_shared.GridFontSize = kStartGridFontSize;
    for (std::size_t slot = 0; slot < m_shared.MonthNames.size(); ++slot)
        m_shared.MonthNames[slot] = QString::fromLatin1(kMonthNames[slot]);
    Text6->setText(QString::number(QDate::currentDate().year()));
    Check1->setValue(1);

    // The grid holds the keyboard focus when the window first opens.
    MSHFlexGrid1->setFocus(Qt::OtherFocusReason);
}

void Form1::Combo1_Click() {
    const std::int16_t listIndex =
        checkedInt16(Combo1->currentIndex(), QStringLiteral("the font-size list's selection"));
    m_shared.GridFontSize =
        checkedInt16(std::int64_t{listIndex} + kSmallestFontSize, QStringLiteral("the result font size"));
    emit gridFontSizeChosen(m_shared.GridFontSize);
}

void Form1::Form_Resize() {
    const float width = scaleWidth();
    const float height = scaleHeight();
    const float frameTop = static_cast<float>(Twips::fromPixels(Frame1->y()));

    Frame1->resize(pixelsOfSize(width), Frame1->height());
    if (height != 0.0f)
        Frame1->resize(Frame1->width(), pixelsOfSize(height - frameTop));
    if (width != 0.0f)
        MSHFlexGrid1->resize(pixelsOfSize(width - kGridRightMarginTwips), MSHFlexGrid1->height());
    // The grid's height is measured from the frame's top edge, not from its own.
    if (height != 0.0f)
        MSHFlexGrid1->resize(MSHFlexGrid1->width(), pixelsOfSize((height - frameTop) - kGridBottomMarginTwips));
}
