// The window as designed: controls, places, captions, colours, fonts, tab order and stacking, read back
// from the running window.
#include "FlexGrid.h"
#include "Form1.h"
#include "FormHarness.h"
#include "InputBox.h"
#include "Twips.h"
#include "WindowFont.h"
#include "WrappingCheckBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

QWidget* control(Form1& form, const QString& name) {
    return form.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

// The window's direct child controls from the frontmost to the backmost.
QStringList stackingFrontToBack(Form1& form) {
    QStringList names;
    for (QObject* child : form.children()) {
        if (child->isWidgetType())
            names.prepend(child->objectName());
    }
    return names;
}

} // namespace

class TestForm1Layout : public QObject {
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<FormHarness>(); }
    void cleanup() {
        const QString leftOver = m_harness->boxes().describePending();
        m_harness.reset();
        QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("unexpected message box: ") + leftOver));
    }

    void window() {
        Form1& form = m_harness->form();
        QCOMPARE(form.windowTitle(), QStringLiteral("Pellmarsh v1.0"));
        QCOMPARE(form.size(), QSize(684, 485));
        QCOMPARE(form.windowState(), Qt::WindowNoState);
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(form.autoFillBackground());
        const QList<QSize> iconSizes = form.windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(16, 16)));
        QVERIFY(iconSizes.contains(QSize(32, 32)));
        QVERIFY(!form.windowIcon().availableSizes(QIcon::Disabled).isEmpty());
    }

    void controlPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("visible");
        // Frame1 and the grid follow the window's size; their left and top edges are checked in resizing.
        const auto row = [](const char* name, const char* className, int l, int t, int w, int h, bool visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className) << twipsRect(l, t, w, h)
                                << visible;
        };
        row("Combo1", "QComboBox", 8820, 645, 795, 315, false);
        row("Text6", "InputBox", 3720, 1320, 1335, 345, true);
        row("Check1", "WrappingCheckBox", 5400, 1200, 1905, 540, true);
        row("Text5", "InputBox", 2160, 1320, 1335, 345, true);
        row("Text4", "InputBox", 120, 1320, 1245, 345, true);
        row("Command1", "QPushButton", 5880, 360, 930, 390, true);
        row("Text3", "InputBox", 3600, 345, 2070, 360, true);
        row("Text2", "InputBox", 1800, 360, 795, 360, true);
        row("Text1", "InputBox", 120, 360, 765, 315, true);
        row("Label7", "QLabel", 8805, 315, 885, 330, false);
        row("Label6", "QLabel", 3720, 960, 2175, 270, true);
        row("Label5", "QLabel", 2160, 960, 1230, 240, true);
        row("Label4", "QLabel", 105, 840, 2160, 375, true);
        row("Label3", "QLabel", 3600, 120, 2535, 270, true);
        row("Label2", "QLabel", 1800, 120, 1755, 405, true);
        row("Label1", "QLabel", 60, 120, 1785, 255, true);
    }

    void controlPlaces() {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QRect, place);
        QFETCH(bool, visible);
        QWidget* widget = control(m_harness->form(), name);
        QVERIFY(widget != nullptr);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
        QCOMPARE(widget->geometry(), place);
        QCOMPARE(widget->isVisible(), visible);
    }

    void membersAreTheNamedControls() {
        Form1& form = m_harness->form();
        const QList<QPair<QWidget*, QString>> members{
            {form.Text1, "Text1"},       {form.Text2, "Text2"},   {form.Text3, "Text3"},
            {form.Text4, "Text4"},       {form.Text5, "Text5"},   {form.Text6, "Text6"},
            {form.Label1, "Label1"},     {form.Label2, "Label2"}, {form.Label3, "Label3"},
            {form.Label4, "Label4"},     {form.Label5, "Label5"}, {form.Label6, "Label6"},
            {form.Label7, "Label7"},     {form.Combo1, "Combo1"}, {form.Check1, "Check1"},
            {form.Command1, "Command1"}, {form.Frame1, "Frame1"}, {form.MSHFlexGrid1, "MSHFlexGrid1"},
        };
        for (const auto& [member, name] : members)
            QCOMPARE(member, control(form, name));
        QCOMPARE(form.findChild<WindowFont*>(QStringLiteral("Font"), Qt::FindDirectChildrenOnly), form.Font);
        // Routines handed only the window read the boxes by name.
        form.Text3->setText(QStringLiteral("1500"));
        QCOMPARE(form.findChild<QObject*>(QStringLiteral("Text3"))->property("text").toString(),
                 QStringLiteral("1500"));
    }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label1") << "Label1"
                                << "Length of Loan (Years)";
        QTest::newRow("Label2 trailing blank") << "Label2"
                                               << "Annual Interest Rate ";
        QTest::newRow("Label3") << "Label3"
                                << "Principal Loan Balance";
        QTest::newRow("Label4") << "Label4"
                                << "Annual Property Tax and Insurance Other Expanses";
        QTest::newRow("Label5") << "Label5"
                                << "Annual Insur:";
        QTest::newRow("Label6") << "Label6"
                                << "Year To Start the payment";
        QTest::newRow("Label7") << "Label7"
                                << "Font Size";
        QTest::newRow("Check1 trailing blank") << "Check1"
                                               << "Show Me Summary For Each Month ";
        QTest::newRow("Command1") << "Command1"
                                  << "Calculate";
        QTest::newRow("Frame1") << "Frame1"
                                << "Pellmarsh";
    }

    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QObject* widget = control(m_harness->form(), name);
        const QByteArray property = qobject_cast<QGroupBox*>(widget) ? "title" : "text";
        QCOMPARE(widget->property(property).toString(), caption);
    }

    void labelsWrapInsideTheirBoxes() {
        Form1& form = m_harness->form();
        for (QLabel* label :
             {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6, form.Label7}) {
            QVERIFY(label->wordWrap());
            QVERIFY(label->alignment().testFlag(Qt::AlignLeft));
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        // The longest caption needs two lines in its box and keeps the box's size.
        QLabel& label = *form.Label4;
        const QFontMetrics metrics(label.font());
        QVERIFY(metrics.horizontalAdvance(label.text()) > label.width());
        QCOMPARE(label.size(), twipsRect(105, 840, 2160, 375).size());
    }

    void coloursAndFonts() {
        Form1& form = m_harness->form();
        for (QWidget* white : std::initializer_list<QWidget*>{form.Frame1, form.Check1, form.Label1, form.Label6}) {
            QCOMPARE(white->palette().color(QPalette::Window), QColor(Qt::white));
            QCOMPARE(white->palette().color(QPalette::WindowText), QColor(Qt::black));
            QVERIFY(white->autoFillBackground());
        }
        // As drawn: a corner of each white control, away from its caption and its box.
        for (QWidget* white : std::initializer_list<QWidget*>{form.Check1, form.Label1, form.Label4}) {
            const QImage drawn = white->grab().toImage();
            QCOMPARE(drawn.pixelColor(drawn.width() - 2, drawn.height() - 2), QColor(Qt::white));
        }
        QCOMPARE(form.Label7->palette().color(QPalette::Window), QColor(128, 0, 0));
        QCOMPARE(form.Label7->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(form.Text3->palette().color(QPalette::Base), form.Text3->palette().color(QPalette::ToolTipBase));
        QCOMPARE(form.Text2->palette().color(QPalette::Base), QApplication::palette(form.Text2).color(QPalette::Base));

        const QFont frameFont = form.Frame1->font();
        QCOMPARE(frameFont.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(frameFont.pointSize(), 12);
        QCOMPARE(frameFont.weight(), QFont::Normal);
        QVERIFY(!frameFont.italic());
        // Controls without a font of their own take the window's.
        QCOMPARE(form.Text1->font(), form.font());
        QCOMPARE(form.Label4->font(), form.font());
        QCOMPARE(form.font().pointSize(), 8);
        QCOMPARE(form.MSHFlexGrid1->defaultFontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(form.MSHFlexGrid1->defaultFontSize(), 8.25f);
    }

    void designState() {
        Form1& form = m_harness->form();
        QCOMPARE(form.Combo1->isEditable(), true);
        for (InputBox* box : {form.Text1, form.Text2, form.Text3, form.Text4, form.Text5})
            QCOMPARE(box->text(), QString());
        QCOMPARE(form.Command1->isDefault(), false);
        QCOMPARE(form.Command1->autoDefault(), false);
        QCOMPARE(form.MSHFlexGrid1->rows(), 2);
        QCOMPARE(form.MSHFlexGrid1->cols(), 2);
    }

    void enterAndEscapeDoNotPressCalculate_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter in Text1") << "Text1" << int(Qt::Key_Return);
        QTest::newRow("Escape in Text1") << "Text1" << int(Qt::Key_Escape);
        QTest::newRow("Enter on Check1") << "Check1" << int(Qt::Key_Enter);
        QTest::newRow("Escape on Check1") << "Check1" << int(Qt::Key_Escape);
    }

    void enterAndEscapeDoNotPressCalculate() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        Form1& form = m_harness->form();
        QSignalSpy clicks(form.Command1, &QPushButton::clicked);
        QWidget* target = control(form, focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(m_harness->boxes().pending(), 0);
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("Text1") << "Text1"
                               << "Length of Loan (Years)";
        QTest::newRow("Text2") << "Text2"
                               << "Annual Interest Rate ";
        QTest::newRow("Text3") << "Text3"
                               << "Principal Loan Balance";
        QTest::newRow("Text4") << "Text4"
                               << "Annual Property Tax and Insurance Other Expanses";
        QTest::newRow("Text5") << "Text5"
                               << "Annual Insur:";
        QTest::newRow("Text6") << "Text6"
                               << "Year To Start the payment";
        QTest::newRow("Combo1") << "Combo1"
                                << "Font Size";
        QTest::newRow("Check1") << "Check1"
                                << "Show Me Summary For Each Month ";
    }

    void accessibleNames() {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        QCOMPARE(control(m_harness->form(), name)->accessibleName(), accessibleName);
    }

    void tabVisitsTheControlsInTabIndexOrder() {
        Form1& form = m_harness->form();
        QCOMPARE(QApplication::focusWidget(), form.MSHFlexGrid1);
        const QStringList expected{"Text1",    "Text2",  "Text3", "Text4",       "Text5",
                                   "Command1", "Check1", "Text6", "MSHFlexGrid1"};
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        QStringList backwards;
        for (qsizetype i = 0; i < 2; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backwards << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(backwards, (QStringList{"Text6", "Check1"}));
    }

    void stackingFollowsTheDesign() {
        const QStringList frontToBack{"Combo1", "Text6",    "Check1", "Text5",  "Text4",  "MSHFlexGrid1",
                                      "Frame1", "Command1", "Text3",  "Text2",  "Text1",  "Label7",
                                      "Label6", "Label5",   "Label4", "Label3", "Label2", "Label1"};
        QCOMPARE(stackingFrontToBack(m_harness->form()), frontToBack);
    }

    void overlapsShowTheFrontControl_data() {
        QTest::addColumn<QString>("front");
        QTest::addColumn<QString>("back");
        QTest::newRow("grid over frame") << "MSHFlexGrid1"
                                         << "Frame1";
        QTest::newRow("Check1 over Label6") << "Check1"
                                            << "Label6";
        QTest::newRow("Command1 over Label3") << "Command1"
                                              << "Label3";
        QTest::newRow("Text3 over Label3") << "Text3"
                                           << "Label3";
        QTest::newRow("Text2 over Label2") << "Text2"
                                           << "Label2";
        QTest::newRow("Text1 over Label1") << "Text1"
                                           << "Label1";
        QTest::newRow("Label5 over Label4") << "Label5"
                                            << "Label4";
    }

    void overlapsShowTheFrontControl() {
        QFETCH(QString, front);
        QFETCH(QString, back);
        Form1& form = m_harness->form();
        const QRect overlap = control(form, front)->geometry().intersected(control(form, back)->geometry());
        QVERIFY2(!overlap.isEmpty(), "the two controls overlap at design size");
        QWidget* hit = form.childAt(overlap.center());
        QVERIFY(hit != nullptr);
        QVERIFY2(hit == control(form, front) || control(form, front)->isAncestorOf(hit), qPrintable(hit->objectName()));
    }

    void gridStaysInFrontOfTheFrameAtEverySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design") << QSize(684, 485);
        QTest::newRow("large") << QSize(1200, 900);
        QTest::newRow("small") << QSize(300, 220);
    }

    void gridStaysInFrontOfTheFrameAtEverySize() {
        QFETCH(QSize, size);
        Form1& form = m_harness->form();
        form.resize(size);
        QVERIFY(form.MSHFlexGrid1->geometry().intersects(form.Frame1->geometry()));
        const QRect visibleGrid = form.MSHFlexGrid1->geometry().intersected(form.rect());
        QWidget* hit = form.childAt(visibleGrid.center());
        QVERIFY(hit == form.MSHFlexGrid1 || form.MSHFlexGrid1->isAncestorOf(hit));
    }

    void clickingTheCheckBoxCaptionTogglesIt() {
        Form1& form = m_harness->form();
        WrappingCheckBox& box = *form.Check1;
        QCOMPARE(box.value(), 1);
        // Near the right-hand end of the caption, far from the box itself.
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 4, box.height() / 2));
        QCOMPARE(box.value(), 0);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() / 2, 3));
        QCOMPARE(box.value(), 1);
        // The caption is wider than one line of the box, so it wraps inside it.
        QVERIFY(QFontMetrics(box.font()).horizontalAdvance(box.text()) > box.width());
        QCOMPARE(box.size(), twipsRect(5400, 1200, 1905, 540).size());
    }

private:
    std::unique_ptr<FormHarness> m_harness;
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
