// The window as designed and as it starts: controls, tab order, stacking, looks, start-up state, the
// font-size list, the frame and grid following the window's size, and the grid's copy and context menu.
// Read back from the running window.
#include "Contrast.h"
#include "FlexGrid.h"
#include "FormTestCase.h"
#include "InputBox.h"
#include "SharedState.h"
#include "WindowFont.h"
#include "WrappingCheckBox.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

namespace {
// Design places are in twips; 15 twips make a pixel at 96 dpi.
QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// The cells of the clipboard's HTML table as a rich-text reader takes them: text|bold|background|alignment.
QStringList htmlCells(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    QStringList cells;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const QTextTable* table = QTextCursor(block).currentTable()) {
            cells << QStringLiteral("%1|%2|%3|%4")
                         .arg(block.text(),
                              block.begin().fragment().charFormat().fontWeight() >= QFont::Bold ? "B" : "-",
                              table->cellAt(block.position()).format().background().color().name(),
                              block.blockFormat().alignment() & Qt::AlignRight ? "right" : "left");
        }
    }
    return cells;
}
} // namespace

class TestForm1Window : public FormTestCase {
    Q_OBJECT

private slots:
    void controls_data() {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("words"); // caption, or for an input box its accessible name
        const auto row = [](const char* name, QRect place, bool visible, const char* words) {
            QTest::newRow(name) << place << visible << QString::fromLatin1(words);
        };
        row("Combo1", twips(8820, 645, 795, 315), false, "Font Size");
        row("Text6", twips(3720, 1320, 1335, 345), true, "Year To Start the payment");
        row("Check1", twips(5400, 1200, 1905, 540), true, "Show Me Summary For Each Month ");
        row("Text5", twips(2160, 1320, 1335, 345), true, "Annual Insur:");
        row("Text4", twips(120, 1320, 1245, 345), true, "Annual Property Tax and Insurance Other Expanses");
        row("Command1", twips(5880, 360, 930, 390), true, "Calculate");
        row("Text3", twips(3600, 345, 2070, 360), true, "Principal Loan Balance");
        row("Text2", twips(1800, 360, 795, 360), true, "Annual Interest Rate ");
        row("Text1", twips(120, 360, 765, 315), true, "Length of Loan (Years)");
        row("Label7", twips(8805, 315, 885, 330), false, "Font Size");
        row("Label6", twips(3720, 960, 2175, 270), true, "Year To Start the payment");
        row("Label5", twips(2160, 960, 1230, 240), true, "Annual Insur:");
        row("Label4", twips(105, 840, 2160, 375), true, "Annual Property Tax and Insurance Other Expanses");
        row("Label3", twips(3600, 120, 2535, 270), true, "Principal Loan Balance");
        row("Label2", twips(1800, 120, 1755, 405), true, "Annual Interest Rate ");
        row("Label1", twips(60, 120, 1785, 255), true, "Length of Loan (Years)");
    }

    void controls() {
        QFETCH(QRect, place);
        QFETCH(bool, visible);
        QFETCH(QString, words);
        QWidget* control = form().findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), place);
        QCOMPARE(control->isVisible(), visible);
        if (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control))
            QCOMPARE(control->accessibleName(), words);
        else
            QCOMPARE(control->property("text").toString(), words);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QVERIFY(label->wordWrap());
            QVERIFY(label->alignment().testFlag(Qt::AlignLeft));
        }
    }

    void gridCopiesItsBlockAndOpensItsMenu() {
        typeLoan();
        type(*form().Text4, QStringLiteral("1200"));
        type(*form().Text5, QStringLiteral("600"));
        calculate();
        FlexGrid& grid = *form().MSHFlexGrid1;
        QCoreApplication::processEvents();
        const auto click = [&](int row, int col) {
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                              grid.visualRect(grid.model()->index(row, col)).center());
        };
        const QClipboard& clipboard = *QGuiApplication::clipboard();
        // An edit beyond ASCII, then a block from the caption with its trailing blank.
        click(2, 1);
        QTest::sendKeyEvent(QTest::Click, &grid, Qt::Key_unknown, QStringLiteral("\u00e9"), Qt::NoModifier);
        click(1, 0);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
            QTest::keyClick(&grid, key, Qt::ShiftModifier);
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard.text(),
                 QStringLiteral("Montly PayMent: \t1199.1\nTax: \t1200\u00e9\nAnnual Insur: \t600\n"));
        // The edited amount is no number any more: the grid shows it on the left, and so does the copy.
        QCOMPARE(htmlCells(clipboard.mimeData()->html()),
                 (QStringList{"Montly PayMent: |B|#ffffff|left", "1199.1|B|#ff0000|right", "Tax: |-|#ffffff|left",
                              "1200\u00e9|-|#ffff00|left", "Annual Insur: |-|#ffffff|left", "600|-|#ffff00|right"}));
        // Without a block, the current cell.
        click(5, 1);
        QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(clipboard.text(), QStringLiteral("2999.1\n"));

        // Shift+F10 opens the grid's menu.
        QStringList entries;
        QTimer::singleShot(0, &grid, [&entries] {
            QWidget* menu = QApplication::activePopupWidget();
            for (const QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>())
                entries << action->text() + u' ' + action->shortcut().toString();
            if (menu != nullptr)
                menu->close();
        });
        QTest::keyClick(&grid, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(entries, (QStringList{"&Copy Ctrl+C", "Select &All Ctrl+A", "Save as CSV\u2026 Ctrl+S",
                                       "Print\u2026 Ctrl+P", "Export as PDF\u2026 ", " ", "Show Chart\u2026 Ctrl+G"}));
    }

    void window() {
        QCOMPARE(form().windowTitle(), QStringLiteral("Pellmarsh v1.0"));
        QCOMPARE(form().size(), QSize(684, 485));
        QCOMPARE(form().windowState(), Qt::WindowNoState);
        QVERIFY(form().windowFlags().testFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint));
        QCOMPARE(form().windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        QCOMPARE(form().Frame1->title(), QStringLiteral("Pellmarsh"));
        QCOMPARE(form().Check1->accessibleName(), form().Check1->text());
        // Routines handed only the window find the boxes and the font by name.
        form().Text3->setText(QStringLiteral("1500"));
        QCOMPARE(form().findChild<QObject*>(QStringLiteral("Text3"))->property("text"),
                 QVariant(QStringLiteral("1500")));
        QCOMPARE(form().findChild<QObject*>(QStringLiteral("Font")), static_cast<QObject*>(form().Font));
        // Screen readers meet a frame announced by its title, and a grid named for what it holds.
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Pellmarsh v1.0"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form().MSHFlexGrid1)->text(QAccessible::Name),
                 QStringLiteral("Payment and schedule"));
    }

    // Under a dark scheme, switched to while the program runs, every text on a colour the program forces
    // still reads at 4.5 : 1 or better: the result cells, the principal box and the white controls.
    void readableUnderADarkScheme() {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(0x30, 0x30, 0x30));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
        QApplication::setPalette(dark);
        typeLoan();
        type(*form().Text4, QStringLiteral("1200"));
        calculate();

        const FlexGrid& grid = *form().MSHFlexGrid1;
        QStringList unreadable;
        for (int r = 0; r < grid.rows(); ++r) {
            for (int c = 0; c < grid.cols(); ++c) {
                const QModelIndex cell = grid.model()->index(r, c);
                const QVariant back = cell.data(Qt::BackgroundRole);
                const QColor base = back.isValid() ? back.value<QColor>() : grid.palette().color(QPalette::Base);
                if (Contrast::ratio(base, cell.data(Qt::ForegroundRole).value<QColor>()) < Contrast::kMinimumRatio)
                    unreadable << QStringLiteral("%1,%2").arg(r).arg(c);
            }
        }
        const auto check = [&](QWidget* control, QPalette::ColorRole back, QPalette::ColorRole fore) {
            if (Contrast::ratio(control->palette().color(back), control->palette().color(fore)) <
                Contrast::kMinimumRatio)
                unreadable << control->objectName();
        };
        check(form().Text3, QPalette::Base, QPalette::Text);
        for (QWidget* white :
             std::initializer_list<QWidget*>{form().Label1, form().Label4, form().Check1, form().Frame1})
            check(white, QPalette::Window, QPalette::WindowText);
        const QColor principalBack = form().Text3->palette().color(QPalette::Base);
        QApplication::setPalette(light);
        QCOMPARE(unreadable, QStringList());
        QCOMPARE(principalBack, dark.color(QPalette::ToolTipBase));
    }

    void tabOrderAndStacking() {
        QCOMPARE(QApplication::focusWidget(), form().MSHFlexGrid1);
        QStringList visited;
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QString("Text1 Text2 Text3 Text4 Text5 Command1 Check1 Text6 MSHFlexGrid1").split(' '));

        QStringList frontToBack;
        for (QObject* child : form().children())
            if (child->isWidgetType())
                frontToBack.prepend(child->objectName());
        QCOMPARE(frontToBack, QString("Combo1 Text6 Check1 Text5 Text4 MSHFlexGrid1 Frame1 Command1 Text3 Text2 Text1 "
                                      "Label7 Label6 Label5 Label4 Label3 Label2 Label1")
                                  .split(' '));
        // Where two controls overlap, the front one is what the pointer meets, at any window size.
        const QStringList overlaps{"MSHFlexGrid1/Frame1", "Check1/Label6", "Command1/Label3", "Text3/Label3",
                                   "Text2/Label2",        "Text1/Label1",  "Label5/Label4"};
        for (QSize size : {QSize(684, 485), QSize(1200, 900), QSize(300, 220)}) {
            form().resize(size);
            for (const QString& pair : overlaps) {
                QWidget* front = form().findChild<QWidget*>(pair.section('/', 0, 0));
                QWidget* back = form().findChild<QWidget*>(pair.section('/', 1, 1));
                const QRect overlap = front->geometry() & back->geometry() & form().rect();
                if (overlap.isEmpty())
                    continue; // cut off by a narrow window
                QWidget* hit = form().childAt(overlap.center());
                QVERIFY2(hit == front || front->isAncestorOf(hit), qPrintable(pair));
            }
        }
    }

    void looks() {
        // As drawn: near a corner of each white control, inside any border, away from its caption and its box.
        for (QWidget* white : std::initializer_list<QWidget*>{form().Check1, form().Label1, form().Frame1}) {
            const QImage drawn = white->grab().toImage();
            QCOMPARE(drawn.pixelColor(drawn.width() - 8, drawn.height() - 8), QColor(Qt::white));
        }
        QCOMPARE(form().Label7->palette().color(QPalette::Window), QColor(128, 0, 0));
        QCOMPARE(form().Label7->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(form().Text3->palette().color(QPalette::Base), form().Text3->palette().color(QPalette::ToolTipBase));
        QCOMPARE(form().Frame1->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form().Frame1->font().pointSize(), 12);
        QCOMPARE(form().Text1->font(), form().font());
        QCOMPARE(form().MSHFlexGrid1->defaultFontName(), QStringLiteral("Times New Roman"));
        // The longest caption needs more than one line and keeps its box.
        QVERIFY(QFontMetrics(form().Label4->font()).horizontalAdvance(form().Label4->text()) > form().Label4->width());

        // Calculate is neither the default nor the cancel button.
        QSignalSpy clicks(form().Command1, &QPushButton::clicked);
        for (QWidget* focus : std::initializer_list<QWidget*>{form().Text1, form().Check1}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
            QTest::keyClick(focus, Qt::Key_Escape);
        }
        QCOMPARE(clicks.count(), 0);

        // The check box's caption toggles it as well as its box.
        WrappingCheckBox& box = *form().Check1;
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 4, box.height() / 2));
        QCOMPARE(box.value(), 0);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() / 2, 3));
        QCOMPARE(box.value(), 1);
    }

    void startUp() {
        Form1 fresh;
        QCOMPARE(fresh.Text6->text(), QStringLiteral("Text6"));
        // Each choice of a font size, with what loading had done by then.
        QStringList choices;
        connect(&fresh, &Form1::gridFontSizeChosen, this, [&](std::int16_t points) {
            choices << QStringLiteral("%1 at index %2, Text6 %3, Check1 %4")
                           .arg(points)
                           .arg(fresh.Combo1->currentIndex())
                           .arg(fresh.Text6->text())
                           .arg(fresh.Check1->value());
        });
        fresh.show();
        QCOMPARE(choices, QStringList{"10 at index 4, Text6 Text6, Check1 0"});

        QStringList items;
        for (int i = 0; i < fresh.Combo1->count(); ++i)
            items << fresh.Combo1->itemText(i);
        QCOMPARE(items, QString("6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25").split(' '));
        QCOMPARE(fresh.Combo1->currentText(), QStringLiteral("10"));
        QCOMPARE(GridFontSize, std::int16_t{10});
        QCOMPARE(MonthNames[0], QStringLiteral("January"));
        QCOMPARE(MonthNames[9], QStringLiteral("Octomber"));
        QCOMPARE(MonthNames[11], QStringLiteral("Deceamber"));
        QCOMPARE(fresh.Text6->text(), QString::number(QDate::currentDate().year()));
        QCOMPARE(fresh.Check1->value(), 1);
        QCOMPARE(fresh.focusWidget(), fresh.MSHFlexGrid1);
    }

    // The list is hidden, but a choice made in it shows from the next Calculate on.
    void fontSizeChoice() {
        FlexGrid& grid = *form().MSHFlexGrid1;
        form().Check1->setValue(0);
        typeLoan();
        calculate();
        for (const auto& [index, points] : {std::pair{19, 25}, std::pair{0, 6}}) {
            form().Combo1->setCurrentIndex(index);
            QCOMPARE(GridFontSize, points);
            grid.setCol(0);
            grid.setRow(5);
            QVERIFY(grid.cellFontSize() != points); // written before the choice
            calculate();
            grid.setCol(0);
            grid.setRow(5);
            QCOMPARE(grid.cellFontSize(), float(points));
        }
    }

    // Pixels at 96 dpi; the frame's top is 1800 twips, 120 pixels.
    void resizing_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("grid");
        // 12000 x 9000 twips: frame 12000 x 7200, grid 11800 x 6800.
        QTest::newRow("larger") << QSize(800, 600) << QSize(800, 480) << QSize(787, 453);
        QTest::newRow("design") << QSize(684, 485) << QSize(684, 365) << QSize(671, 338);
        QTest::newRow("narrower than the input band") << QSize(300, 200) << QSize(300, 80) << QSize(287, 53);
        // 1950 twips high: 150 left for the frame, -250 for the grid.
        QTest::newRow("grid height negative") << QSize(400, 130) << QSize(400, 10) << QSize(387, 0);
        QTest::newRow("above the frame's top") << QSize(400, 100) << QSize(400, 0) << QSize(387, 0);
        QTest::newRow("width below 200 twips") << QSize(10, 600) << QSize(10, 480) << QSize(0, 453);
    }

    void resizing() {
        QFETCH(QSize, window);
        QFETCH(QSize, frame);
        QFETCH(QSize, grid);
        form().resize(window);
        QCOMPARE(form().Frame1->geometry(), QRect(QPoint(0, 120), frame));
        QCOMPARE(form().MSHFlexGrid1->geometry(), QRect(QPoint(16, 152), grid));
    }

    void minimiseThenRestore() {
        form().resize(800, 600);
        form().showMinimized();
        QTRY_VERIFY(form().isMinimized());
        QCOMPARE(form().scaleWidth(), 0.0f);
        QCOMPARE(form().Frame1->size(), QSize(0, 480));
        QCOMPARE(form().MSHFlexGrid1->size(), QSize(787, 453));
        form().MSHFlexGrid1->resize(5, 5);
        form().showNormal();
        QTRY_VERIFY(!form().isMinimized());
        QCOMPARE(form().Frame1->size(), QSize(800, 480));
        QCOMPARE(form().MSHFlexGrid1->size(), QSize(787, 453));
    }
};

QTEST_MAIN(TestForm1Window)
#include "tst_form1window.moc"
