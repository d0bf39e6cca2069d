// The result grid as a user sees it: cells through the model's roles, refusals, batched updates and the view,
// the cell routines' fitting, very long texts, text measurement, typed-character codes and the key handler.
#include "FlexGrid.h"
#include "FlexGridDelegate.h"
#include "FlexGridModel.h"
#include "GridKeys.h"
#include "Module1.h"
#include "RuntimeError.h"
#include "TextMeasure.h"
#include "Twips.h"
#include "TypedCharacter.h"
#include "WindowFont.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>

#include <functional>

using GridAction = std::function<void(FlexGrid&)>;
Q_DECLARE_METATYPE(GridAction)

namespace {

constexpr int kNone = -1000; // the key types no character

// A shown window with a grid of 5 columns and 6 rows, its key handler and the window's font object. Qt's model
// tester checks the grid's model throughout.
struct Window {
    QWidget form;
    FlexGrid& grid = *new FlexGrid(&form);
    WindowFont& font = *new WindowFont(&form);
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    explicit Window(std::int16_t cols = 5, std::int16_t rows = 6) {
        grid.resize(500, 250);
        QObject::connect(&grid, &FlexGrid::keyPressed, &grid,
                         [this](std::int16_t& key) { MSHFlexGrid1_KeyPress(grid, key); });
        Module1::SetGridSize(cols, rows, grid);
        form.show();
        grid.setFocus();
    }
    // Writes a cell as the program does, in size 10, and fits its column and row to it when asked.
    void write(int row, int col, const QString& text, bool fit = false) {
        Module1::WriteCell(grid, col, row, false, false, 10, fit, text, font, 0);
    }
    QVariant data(int row, int col, int role) {
        grid.flush();
        return grid.model()->index(row, col).data(role);
    }
    QPoint current() const { return {grid.col(), grid.row()}; }
};

} // namespace

class TestGrid : public QObject {
    Q_OBJECT

private slots:
    void refusesWhatTheGridCannotHold_data() {
        QTest::addColumn<GridAction>("action");
        QTest::addColumn<QString>("message");
        const auto row = [](GridAction action, const char* message) { QTest::newRow(message) << action << message; };
        row([](FlexGrid& g) { g.setRow(6); }, "Row 6 is outside the grid, which has 6 rows.");
        row([](FlexGrid& g) { (void)g.colWidth(-1); }, "Column -1 is outside the grid, which has 5 columns.");
        row([](FlexGrid& g) { g.setRows(-3); }, "The grid cannot have -3 rows: it keeps at least its fixed row.");
        row([](FlexGrid& g) { g.setCellFontSize(0.0f); }, "A font size of 0 points is not possible.");
        row([](FlexGrid& g) { g.setCellAlignment(10); }, "A cell alignment of 10 is not possible: it must be 0 to 9.");
    }

    void refusesWhatTheGridCannotHold() {
        QFETCH(GridAction, action);
        Window w;
        w.write(1, 0, QStringLiteral("kept"));
        try {
            action(w.grid);
            QFAIL("the grid took it");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.kind(), RuntimeError::Kind::GridIndex);
            QTEST(error.message(), "message");
        }
        QCOMPARE(QList<int>({w.grid.rows(), w.grid.cols(), w.grid.row(), w.grid.col()}), QList<int>({6, 5, 1, 0}));
        QVERIFY(w.grid.text() == QStringLiteral("kept") && w.grid.cellFontSize() == 10.0f &&
                w.grid.cellAlignment() == 0);
    }

    void showsEachCellAsFormatted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment"); // the grid's code, 0 its general alignment
        QTest::addColumn<uint>("back");     // 0x00BBGGRR, 0 the grid's default; the text is asked for in white
        QTest::addColumn<int>("shownAlignment");
        QTest::addColumn<QColor>("shownBack");
        QTest::addColumn<QColor>("shownFore"); // white where it reads (4.5 : 1), else black
        const int left = Qt::AlignLeft | Qt::AlignVCenter, right = Qt::AlignRight | Qt::AlignVCenter;
        const auto row = [](const char* name, const QString& text, int alignment, uint back, int shownAlignment,
                            const QColor& shownBack, const QColor& shownFore) {
            QTest::newRow(name) << text << alignment << back << shownAlignment << shownBack << shownFore;
        };
        row("empty, on the default white", "", 0, 0, left, QColor(), Qt::black);
        row("amount, on yellow", "199800.9", 0, 0xFFFF, right, Qt::yellow, Qt::black);
        row("24 characters, on red", QString(24, u'-'), 4, 0xFF, Qt::AlignCenter, Qt::red, Qt::black);
        row("25 characters, on dark red", QString(25, u'-'), 6, 0x80, Qt::AlignRight | Qt::AlignTop, QColor(128, 0, 0),
            Qt::white);
        row("caption, on blue", "Total Amount To Pay Monthly =", 0, 0xFF0000, left, Qt::blue, Qt::white);
        row("Latin-1, euro, nul, line break", QStringLiteral("Gr\u00f6\u00dfe \u00bd \u20ac\0\n5"), 3, 0,
            Qt::AlignHCenter | Qt::AlignTop, QColor(), Qt::black);
    }

    void showsEachCellAsFormatted() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(uint, back);
        Window w(3, 4);
        // Written over a text kept the other way (short texts sit in the cell, long ones apart).
        w.write(2, 1, text.size() > 3 ? QStringLiteral("1") : QString(30, u'x'));
        Module1::WriteCell(w.grid, 1, 2, false, true, 12, false, text, w.font, back);
        w.grid.setCellAlignment(static_cast<std::int16_t>(alignment));
        w.grid.setCellForeColor(0xFFFFFF);
        // More columns move every cell, more rows move them again.
        Module1::SetGridSize(5, 4000, w.grid);
        QCOMPARE(w.data(2, 1, Qt::DisplayRole).toString(), text);
        const QFont font = w.data(2, 1, Qt::FontRole).value<QFont>();
        QVERIFY(font.pointSizeF() == 12.0 && font.italic() && !font.bold());
        QTEST(w.data(2, 1, Qt::TextAlignmentRole).toInt(), "shownAlignment");
        QTEST(w.data(2, 1, Qt::BackgroundRole).value<QColor>(), "shownBack");
        QTEST(w.data(2, 1, Qt::ForegroundRole).value<QColor>(), "shownFore");
        QCOMPARE(w.data(2, 0, Qt::FontRole).value<QFont>().pointSizeF(), 8.25); // the grid's own font
        // Shrinking drops cells, and the current cell moves to the last one left; a count of 0 keeps a count.
        Module1::SetGridSize(1, 2, w.grid);
        QCOMPARE(w.current(), QPoint(0, 1));
        Module1::SetGridSize(3, 0, w.grid);
        Module1::SetGridSize(0, 4, w.grid);
        QCOMPARE(QList<int>({w.grid.rows(), w.grid.cols()}), QList<int>({4, 3}));
        QVERIFY(w.grid.textAt(2, 1).isEmpty() && !w.data(2, 1, Qt::FontRole).value<QFont>().italic());
    }

    void tellsTheViewOncePerBatchAndLeavesItWhereItWas() {
        Window w(5, 400);
        w.grid.flush();
        QSignalSpy changed(w.grid.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(w.grid.model(), &QAbstractItemModel::modelReset);
        // The window may turn its updates off around its own work; the grid's headers come back with it.
        w.form.setUpdatesEnabled(false);
        w.grid.setRowHeight(0, 300);
        const QList<int> heights = {285, 285, 240, 0, 900, 15, 450}; // twips, rows 1, 2, 3 ..., repeated
        for (int r = 1; r < w.grid.rows(); ++r) {
            w.grid.setRowHeight(r, heights[(r - 1) % heights.size()]);
            for (int c = 1; c < 4 && r > 2 && r < 40; ++c)
                Module1::WriteCell(w.grid, c, r, true, false, 10, false, QString::number(r * 10 + c), w.font, 0);
        }
        // Reads see every write at once; the view hears of them once, back in the event loop.
        QCOMPARE(w.grid.textAt(39, 3), QStringLiteral("393"));
        QCOMPARE(changed.count() + reset.count(), 0);
        QCoreApplication::processEvents();
        w.form.setUpdatesEnabled(true);
        QCOMPARE(changed.count() + reset.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), w.grid.model()->index(3, 1));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), w.grid.model()->index(39, 3));
        QVERIFY(w.grid.verticalHeader()->updatesEnabled() && w.grid.horizontalHeader()->updatesEnabled());
        // 15 twips to the pixel at 96 dpi; every row starts where the one above ends.
        QCOMPARE(w.grid.horizontalHeader()->height(), 20);
        const QHeaderView& rows = *w.grid.verticalHeader();
        for (int r = 1, top = rows.sectionPosition(1); r < w.grid.rows(); top += rows.sectionSize(r++)) {
            QCOMPARE(rows.sectionSize(r), qRound(heights[(r - 1) % heights.size()] / 15.0));
            QCOMPARE(rows.sectionPosition(r), top);
        }
        // The program's writes leave the view at the top; the first key brings the current cell into sight below
        // the fixed row, which the arrows never reach.
        QCOMPARE(w.grid.verticalScrollBar()->value(), 0);
        QTest::keyClick(&w.grid, Qt::Key_Right);
        QCOMPARE(w.current(), QPoint(4, 39));
        QVERIFY(w.grid.viewport()->rect().contains(w.grid.visualRect(w.grid.currentIndex())));
        QCOMPARE(w.grid.horizontalHeader()->geometry().top(), w.grid.frameWidth());
        QTest::keyClick(&w.grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&w.grid, Qt::Key_Up);
        QCOMPARE(w.current(), QPoint(0, 1));
    }

    void fitsColumnsAndRowsToTheirTexts() {
        const QString text = QStringLiteral("Total Amount To Pay Monthly =");
        const double shaped = QFontMetricsF(QFont("Times New Roman", 10)).horizontalAdvance(text) * Twips::perPixel();
        // Too small by one grows, an exact fit still widens the column, and neither ever shrinks.
        for (const auto& [offset, wider, higher] : {std::tuple{-1, 50, 0}, {0, 50, 0}, {1, 1, 1}}) {
            Window w;
            // The width and height the text needs, read off a column and a row first made too small for it.
            w.grid.setColWidth(0, 0);
            w.grid.setRowHeight(2, 0);
            w.write(2, 0, text, true);
            const int width = w.grid.colWidth(0) - 50, height = w.grid.rowHeight(2);
            QVERIFY(std::abs(width - 400 - shaped) <= 1 && height > 50);
            w.grid.setColWidth(0, width + offset);
            w.grid.setRowHeight(2, height + offset);
            for (int pass = 0; pass < 2; ++pass) {
                w.write(2, 0, text, true);
                QCOMPARE(QPoint(w.grid.colWidth(0) - width, w.grid.rowHeight(2) - height), QPoint(wider, higher));
            }
        }
        Window w;
        // An empty value fits the text the cell keeps; without fitting it empties the cell.
        w.grid.setText(QStringLiteral("a text wider than the default column"));
        const int narrow = w.grid.colWidth(0);
        w.write(1, 0, QString(), true);
        QVERIFY(w.grid.text() == QStringLiteral("a text wider than the default column") && w.grid.colWidth(0) > narrow);
        w.write(1, 0, QString());
        QCOMPARE(w.grid.text(), QString());
        // On an empty cell nothing is measured, but the formats still reach the cell.
        w.grid.setColWidth(2, 17);
        w.grid.setRowHeight(4, 19);
        Module1::WriteCell(w.grid, 2, 4, true, true, 14, true, QString(), w.font, 0xFFFF);
        QCOMPARE(QList<int>({w.grid.colWidth(2), w.grid.rowHeight(4), w.font.size()}), QList<int>({17, 19, 10}));
        QVERIFY(w.data(4, 2, Qt::FontRole).value<QFont>().bold() && w.grid.cellFontItalic());
        QCOMPARE(w.data(4, 2, Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        // A size of 1 keeps the cell's size, measured at the nearest whole size; the name is matched exactly.
        w.grid.setCellFontSize(9.5f);
        Module1::FitCellText(QStringLiteral("12.5"), 2, 4, QStringLiteral("times new roman"), 1, w.font, w.grid);
        QVERIFY(w.grid.cellFontSize() == 9.5f && w.font.size() == 10);
        QVERIFY(w.grid.cellFontName() == QStringLiteral("times new roman") && w.font.name() == w.grid.cellFontName());
    }

    void paintsVeryLongTextsAsTheStandardDelegate() {
        // 400 numbered lines, short and long, of other scripts and surrogate pairs, right-aligned in a cell that is
        // half inside the view.
        QString text;
        for (int line = 0; line < 400; ++line)
            text += QStringLiteral("%1 %2\n").arg(line).arg(
                QStringLiteral("a\u0436\u4e2d.\U0001F600").repeated(line % 3 ? 100 : 1));
        Window w(3, 4);
        w.grid.setColWidth(0, 5000);
        w.grid.setColWidth(1, 3000);
        w.grid.setRowHeight(1, 2400);
        w.write(1, 1, text);
        w.grid.setCellAlignment(7);
        w.grid.setRow(3); // the cell is not drawn as selected
        w.grid.flush();
        const QImage drawn = w.grid.grab().toImage();
        w.grid.setItemDelegate(new QStyledItemDelegate(&w.grid));
        QCOMPARE(drawn, w.grid.grab().toImage());
        // Only what can show in a 100 x 10 pixel cell is laid out, never half a surrogate pair.
        const QString pairs = QStringLiteral("x\U0001F600").repeated(100'000);
        const QString part = FlexGridDelegate::visiblePart(pairs, Qt::AlignRight, 100, 10);
        QVERIFY(part.size() <= 300 && pairs.endsWith(part) && !part.front().isLowSurrogate());
    }

    void measuresTextsAsShapingDoes() {
        const QStringList texts = {"199800.9", "-0.01", QString(22, u'-'),    "Total End Of Year",
                                   "12 345",   "1,5",   "\u0661\u0662\u0663", "7.-7-."};
        QVERIFY(TextMeasure(QFont("Times New Roman", 10)).addsNumberAdvances());
        for (const auto& [family, points] :
             {std::pair{"Times New Roman", 10}, {"Times New Roman", 25}, {"DejaVu Sans", 8}}) {
            QObject window;
            WindowFont& font = *new WindowFont(&window);
            font.setName(family);
            font.setSize(points);
            for (const QString& text : texts + texts) { // the second time from what is kept
                const double shaped = QFontMetricsF(QFont(family, points)).horizontalAdvance(text) * Twips::perPixel();
                QVERIFY2(std::abs(font.textWidth(text) - shaped) <= 0.01, qPrintable(text));
            }
        }
    }

    void givesTheCodeOfATypedKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        const auto row = [](const char* name, int key, Qt::KeyboardModifiers modifiers, const char* text, int code) {
            QTest::newRow(name) << key << modifiers << QString::fromUtf8(text) << code;
        };
        const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        const int other = Qt::Key_unknown;
        row("left", Qt::Key_Left, none, "", kNone);
        row("delete", Qt::Key_Delete, none, "\x7f", kNone);
        // Shortcuts that carry text type nothing; AltGr (Ctrl+Alt on some desktops) types its character.
        row("alt+a", Qt::Key_A, alt, "a", TypedCharacter::kTypesNothing);
        row("ctrl+keypad point", Qt::Key_Period, ctrl | Qt::KeypadModifier, ".", TypedCharacter::kTypesNothing);
        row("ctrl+backspace", Qt::Key_Backspace, ctrl, "\x7f", 127);
        row("altgr @", Qt::Key_At, ctrl | alt, "@", 64);
        row("ctrl+v, no text", Qt::Key_V, ctrl, "", 22);
        row("omega", other, none, "\u03a9", TypedCharacter::kNotWestern);
        row("en dash", other, none, "\u2013", 150);
        // Windows-1252 both ways: DEL and the five unassigned slots of 0x80-0x9F are no character a key types.
        for (int code = 32; code <= 255; ++code) {
            const QChar character = TypedCharacter::character(static_cast<std::int16_t>(code));
            const bool typed = !QList<int>{0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}.contains(code);
            QTest::addRow("code %d", code) << other << none << QString(character) << (typed ? code : kNone);
        }
    }

    void givesTheCodeOfATypedKey() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        const std::optional<std::int16_t> code =
            TypedCharacter::code(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
        QTEST(code ? int(*code) : kNone, "code");
    }

    void keysEditAndMoveTheCurrentCell_data() {
        QTest::addColumn<QPoint>("cell"); // (column, row)
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed"); // '<' Backspace, '>' Enter, '^' Ctrl+Backspace, '@' Alt+A
        QTest::addColumn<QString>("after");
        QTest::addColumn<QPoint>("to");
        const auto row = [](const char* name, QPoint cell, const char* before, const char* typed, const char* after,
                            QPoint to) {
            QTest::newRow(name) << cell << QString::fromUtf8(before) << QString::fromUtf8(typed)
                                << QString::fromUtf8(after) << to;
        };
        row("a blank goes, 5 comes", {1, 2}, "12 ", "<5", "125", {1, 2});
        row("accent, euro, not Western", {3, 4}, "caf", "é€Ω", "café€", {3, 4});
        row("column 0 takes no typing", {0, 3}, "Tax: ", "9<", "Tax:", {0, 3});
        row("row 0 takes no typing", {2, 0}, "Rate ", "x<<", "Rat", {2, 0});
        row("blanks stay", {1, 2}, "   ", "<", "   ", {1, 2});
        row("a whole emoji goes", {1, 2}, "5\U0001F600", "<", "5", {1, 2});
        row("ctrl+backspace, alt+a", {1, 2}, "12", "^@", "12", {1, 2});
        row("enter: to the last column", {1, 3}, "1", "2>", "12", {4, 3});
        row("enter: down from the last", {4, 3}, "", ">", "", {0, 4});
        row("enter: last cell wraps", {4, 5}, "", ">", "", {0, 1});
    }

    void keysEditAndMoveTheCurrentCell() {
        QFETCH(QPoint, cell);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        Window w;
        w.write(cell.y(), cell.x(), before);
        for (const QChar c : typed) {
            if (c == u'^' || c == u'@')
                QTest::sendKeyEvent(QTest::Click, &w.grid, c == u'^' ? Qt::Key_Backspace : Qt::Key_A,
                                    c == u'^' ? "\x7f" : "a", c == u'^' ? Qt::ControlModifier : Qt::AltModifier);
            else if (c == u'<' || c == u'>')
                QTest::keyClick(&w.grid, c == u'<' ? Qt::Key_Backspace : Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, &w.grid, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QTEST(w.grid.textAt(cell.y(), cell.x()), "after");
        QTEST(w.current(), "to");
        // Screen readers read the fixed row as the column headers.
        QCOMPARE(w.grid.model()->headerData(cell.x(), Qt::Horizontal).toString(), w.grid.textAt(0, cell.x()));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
