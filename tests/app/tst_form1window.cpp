// The window as designed and as it starts: controls, tab order, stacking, names for screen readers, colours
// under a dark scheme, start-up state, the font-size list, the frame and grid following the window's size, the
// grid's copy and context menu; what each input box lets the user type, the shortcuts that type nothing, and
// the principal's 12-character limit.
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
#include <QTest>

class TestForm1Window : public FormTestCase {
    Q_OBJECT

private slots:
    // Per control (golden/controls.txt, as stacked front to back): name, place in twips (15 to a pixel), shown, and
    // caption (for a box or the list: its accessible name). Then the window, its names and its tab order.
    void asDesigned() {
        QStringList frontToBack;
        for (QObject* child : form().children())
            frontToBack.prepend(child->isWidgetType() ? child->objectName() : QString());
        frontToBack.removeAll(QString());
        for (const QString& line : goldenLines("controls.txt")) {
            const QStringList f = line.split(u' ');
            auto* control = form().findChild<QWidget*>(f[0]);
            const bool input = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control);
            QCOMPARE(control->geometry(),
                     QRect(f[1].toInt() / 15, f[2].toInt() / 15, f[3].toInt() / 15, f[4].toInt() / 15));
            QCOMPARE(control->isVisible(), f[5] == u'1');
            QCOMPARE(input ? control->accessibleName() : control->property("text").toString(), f.mid(6).join(u' '));
            QVERIFY(!qobject_cast<QLabel*>(control) || static_cast<QLabel*>(control)->wordWrap());
        }
        QCOMPARE(frontToBack.join(u' '), "Combo1 Text6 Check1 Text5 Text4 MSHFlexGrid1 Frame1 Command1 Text3 Text2 "
                                         "Text1 Label7 Label6 Label5 Label4 Label3 Label2 Label1");
        QCOMPARE(form().Label7->palette().color(QPalette::Window), QColor(128, 0, 0));
        QCOMPARE(form().Frame1->font().family() + form().MSHFlexGrid1->defaultFontName(),
                 "MS Sans SerifTimes New Roman");
        QCOMPARE(form().windowTitle() + u'|' + form().Frame1->title(), "Pellmarsh v1.0|Pellmarsh");
        QCOMPARE(form().size(), QSize(684, 485));
        QVERIFY(form().windowFlags().testFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint));
        QCOMPARE(form().windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        // Routines handed only the window find the font by name.
        QCOMPARE(form().findChild<QObject*>(QStringLiteral("Font")), static_cast<QObject*>(form().Font));
        // Screen readers meet a window announced by its title, and a grid named for what it holds.
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Pellmarsh v1.0"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form().MSHFlexGrid1)->text(QAccessible::Name),
                 QStringLiteral("Payment and schedule"));
        QCOMPARE(form().Check1->accessibleName(), form().Check1->text());
        // Tab order, from the grid that has the focus at start-up.
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(u' '), "MSHFlexGrid1 Text1 Text2 Text3 Text4 Text5 Command1 Check1 Text6 MSHFlexGrid1");
    }

    void gridCopiesItsBlockAndOpensItsMenu() {
        fill({"30", "6", "200000", "1200", "600"});
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
        QCOMPARE(clipboard.mimeData()->html().split(u'\n', Qt::SkipEmptyParts), goldenLines("copy-block.html"));
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

    // Under a dark scheme, switched to while the program runs, every text on a colour the program forces
    // still reads at 4.5 : 1 or better: the result cells, the principal box and the white controls.
    void readableUnderADarkScheme() {
        const QPalette light = QApplication::palette();
        const QPalette dark(QColor(0x30, 0x30, 0x30)); // light text on dark buttons, windows and boxes
        QApplication::setPalette(dark);
        fill({"30", "6", "200000", "1200"});
        calculate();
        const FlexGrid& grid = *form().MSHFlexGrid1;
        QStringList unreadable;
        const auto check = [&](const QString& what, const QColor& back, const QColor& fore) {
            if (Contrast::ratio(back, fore) < Contrast::kMinimumRatio)
                unreadable << what;
        };
        for (int r = 0; r < grid.rows(); ++r) {
            for (int c = 0; c < grid.cols(); ++c) {
                const QModelIndex cell = grid.model()->index(r, c);
                const QVariant back = cell.data(Qt::BackgroundRole);
                check(QStringLiteral("%1,%2").arg(r).arg(c),
                      back.isValid() ? back.value<QColor>() : grid.palette().color(QPalette::Base),
                      cell.data(Qt::ForegroundRole).value<QColor>());
            }
        }
        check("Text3", form().Text3->palette().color(QPalette::Base), form().Text3->palette().color(QPalette::Text));
        for (QWidget* white :
             std::initializer_list<QWidget*>{form().Label1, form().Label4, form().Check1, form().Frame1})
            check(white->objectName(), white->palette().color(QPalette::Window),
                  white->palette().color(QPalette::WindowText));
        const QColor principalBack = form().Text3->palette().color(QPalette::Base);
        QApplication::setPalette(light);
        QCOMPARE(unreadable, QStringList());
        QCOMPARE(principalBack, dark.color(QPalette::ToolTipBase));
    }

    // Loading chooses the 10-point size from the hidden list, before this year and the tick are filled in.
    // A choice made in the list shows from the next Calculate on.
    void startUpAndFontSize() {
        Form1 fresh;
        QStringList choices;
        connect(&fresh, &Form1::gridFontSizeChosen, this, [&](std::int16_t points) {
            choices << QString::asprintf("%d at %d, %s %d", points, fresh.Combo1->currentIndex(),
                                         qPrintable(fresh.Text6->text()), int(fresh.Check1->value()));
        });
        fresh.show();
        QCOMPARE(choices, QStringList{"10 at 4, Text6 0"});
        QStringList items;
        for (int i = 0; i < fresh.Combo1->count(); ++i)
            items << fresh.Combo1->itemText(i);
        QCOMPARE(items.join(u' '), "6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25");
        QCOMPARE(fresh.Text6->text() + u' ' + QString::number(fresh.Check1->value()),
                 QStringLiteral("%1 1").arg(QDate::currentDate().year())); // the focus: see the tab order
        FlexGrid& grid = *form().MSHFlexGrid1;
        fill({"30", "6", "200000"});
        for (const auto& [index, points] : {std::pair{19, 25}, std::pair{0, 6}}) {
            form().Combo1->setCurrentIndex(index);
            QCOMPARE(GridFontSize, points);
            calculate();
            grid.setCol(0);
            grid.setRow(5);
            QCOMPARE(grid.cellFontSize(), float(points));
        }
    }

    // Pixels at 96 dpi; the frame's top is 1800 twips, 120 pixels. Minimised, nothing follows; restored, all
    // does. Rows: window, frame and grid sizes.
    void resizing_data() {
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::newRow("larger") << QList<QSize>{{800, 600}, {800, 480}, {787, 453}}; // 11800 x 6800 twips
        QTest::newRow("narrower than the input band") << QList<QSize>{{300, 200}, {300, 80}, {287, 53}};
        QTest::newRow("grid height negative") << QList<QSize>{{400, 130}, {400, 10}, {387, 0}};
        QTest::newRow("above the frame's top") << QList<QSize>{{400, 100}, {400, 0}, {387, 0}};
        QTest::newRow("width below 200 twips") << QList<QSize>{{10, 600}, {10, 480}, {0, 453}};
    }
    void resizing() {
        QFETCH(QList<QSize>, sizes);
        form().resize(sizes[0]);
        form().showMinimized();
        QTRY_VERIFY(form().isMinimized());
        QCOMPARE(form().scaleWidth(), 0.0f);
        QCOMPARE(form().Frame1->size(), QSize(0, sizes[1].height()));
        QCOMPARE(form().MSHFlexGrid1->size(), sizes[2]);
        form().MSHFlexGrid1->resize(5, 5);
        form().showNormal();
        QTRY_VERIFY(!form().isMinimized());
        QCOMPARE(form().Frame1->geometry(), QRect(QPoint(0, 120), sizes[1]));
        QCOMPARE(form().MSHFlexGrid1->geometry(), QRect(QPoint(16, 152), sizes[2]));
    }

    // A real key press into each box holding "12", with "55" on the clipboard and the caret at the end. Kept
    // are the digits, the colon and, where amounts are typed, the full stop and the slash (the rows try each
    // end of those ranges and the codes beside them). Shortcuts type nothing, whatever text the desktop puts
    // into them; AltGr (Ctrl+Alt) is typing.
    void typedKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept"); // the boxes that keep it
        const auto row = [](const char* name, int key, int modifiers, const char16_t* text, const char* kept) {
            QTest::newRow(name) << key << modifiers << QString::fromUtf16(text) << kept;
        };
        // clang-format off
        row("zero", Qt::Key_0, 0, u"0", "123456");
        row("minus", Qt::Key_Minus, 0, u"-", "");
        row("slash", Qt::Key_Slash, 0, u"/", "2345");
        row("semicolon", Qt::Key_Semicolon, Qt::ShiftModifier, u";", "");
        row("full stop", Qt::Key_Period, 0, u".", "2345");
        row("euro sign", 0x20ac, 0, u"\u20ac", "");
        row("Ctrl+V", Qt::Key_V, Qt::ControlModifier, u"\x16", "");
        row("Alt+A", Qt::Key_A, Qt::AltModifier, u"a", "");
        row("Alt+minus", Qt::Key_Minus, Qt::AltModifier, u"-", "");
        row("Alt+Shift+Space", Qt::Key_Space, Qt::AltModifier | Qt::ShiftModifier, u" ", "");
        row("Ctrl+keypad point", Qt::Key_Period, Qt::ControlModifier | Qt::KeypadModifier, u".", "");
        row("Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, u"\x7f", "");
        row("AltGr colon", Qt::Key_Colon, Qt::ControlModifier | Qt::AltModifier, u":", "123456");
        // clang-format on
    }
    void typedKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QApplication::clipboard()->setText(QStringLiteral("55"));
        for (int box = 1; box <= 6; ++box) {
            auto* input = form().findChild<InputBox*>("Text" + QString::number(box));
            input->setText(QStringLiteral("12"));
            input->setFocus();
            QTest::sendKeyEvent(QTest::KeyAction::Click, input, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
            QCOMPARE(input->text(), kept.contains(QString::number(box)) ? QStringLiteral("12") + text : "12");
        }
    }

    // An edit that takes the principal past 12 characters is undone whole with a beep, the caret at the
    // end; typed, in the middle, set by the program or pasted (by Shift+Insert or the box's menu). Keys that
    // type nothing move the caret, select and delete as usual.
    void principalHoldsTwelveCharacters() {
        InputBox& text3 = *form().Text3;
        text3.setFocus();
        QTest::keyClicks(&text3, QStringLiteral("1234567890123"));
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_5})
            QTest::keyClick(&text3, key);
        text3.setText(QStringLiteral("1234567890123"));
        QApplication::clipboard()->setText(QStringLiteral("12345678901234567890"));
        QTest::keyClick(&text3, Qt::Key_Insert, Qt::ShiftModifier);
        text3.paste();
        QCOMPARE(beeps(), 5);
        QCOMPARE(text3.text() + u'|' + form().savedPrincipalText(), "123456789012|123456789012");
        QCOMPARE(text3.cursorPosition(), 12);
        // Three of twelve selected and replaced by one digit: ten characters, kept; so is a pasted word.
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right})
            QTest::keyClick(&text3, key);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&text3, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&text3, Qt::Key_0);
        QCOMPARE(text3.text(), QStringLiteral("1206789012"));
        QApplication::clipboard()->setText(QStringLiteral("ab"));
        QTest::keyClick(&text3, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(text3.text() + u'|' + form().savedPrincipalText(), "120ab6789012|120ab6789012");
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_End, Qt::Key_Backspace})
            QTest::keyClick(&text3, key);
        QCOMPARE(text3.text() + u'|' + form().savedPrincipalText(), "20ab678901|20ab678901");
        QCOMPARE(beeps(), 5);
    }
};

QTEST_MAIN(TestForm1Window)
#include "tst_form1window.moc"
