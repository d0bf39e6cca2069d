// The result grid as a user sees it: cells through the model's roles, refusals, batched updates and the view,
// the cell routines' fitting, very long texts, text measurement, typed-character codes and the key handler.
#include "grid/FlexGrid.h"
#include "grid/FlexGridDelegate.h"
#include "grid/FlexGridModel.h"
#include "grid/GridKeys.h"
#include "grid/Module1.h"
#include "grid/TextMeasure.h"
#include "grid/Twips.h"
#include "grid/TypedCharacter.h"
#include "grid/WindowFont.h"
#include "numbers/RuntimeError.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>

#include <functional>

namespace {

// A shown window with a grid of 5 columns and 6 rows, its key handler (noting the codes it is given) and the
// window's font object. Qt's model tester checks the grid's model throughout.
struct Window {
    QWidget form;
    FlexGrid& grid = *new FlexGrid(&form);
    WindowFont& font = *new WindowFont(&form);
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};
    QList<int> codes;

    explicit Window(std::int16_t cols = 5, std::int16_t rows = 6) {
        grid.resize(500, 250);
        QObject::connect(&grid, &FlexGrid::keyPressed, &grid, [this](std::int16_t& code) {
            codes.append(code);
            MSHFlexGrid1_KeyPress(grid, code);
        });
        Module1::SetGridSize(cols, rows, grid);
        form.show();
    }
    // Writes a cell as the program does, and fits its column and row to it when asked.
    void write(int row, int col, const QString& text, bool fit = false, int points = 10) {
        Module1::WriteCell(grid, col, row, false, false, static_cast<std::int16_t>(points), fit, text, font, 0);
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
    // The fixed row's cells are the column headers; past the last column, past the last row, in the
    // vertical header and in cells a shrink has dropped before the view heard of it, there is nothing.
    void answersNothingOutsideTheGrid() {
        Window w(5, 6);
        w.write(0, 4, QStringLiteral("Balance "));
        w.write(5, 4, QStringLiteral("12.5"));
        w.grid.flush();
        const QAbstractItemModel& model = *w.grid.model();
        QCOMPARE(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("Balance "));
        QVERIFY(!model.headerData(5, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(5, Qt::Horizontal, Qt::FontRole).isValid());
        QVERIFY(!model.headerData(-1, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
        QVERIFY(!model.index(0, 5).data().isValid());
        QVERIFY(!model.index(6, 0).data().isValid());
        const QModelIndex lastCell = model.index(5, 4);
        QCOMPARE(lastCell.data().toString(), QStringLiteral("12.5"));
        Module1::SetGridSize(5, 3, w.grid);
        QVERIFY(!lastCell.data().isValid());
        QVERIFY(!lastCell.data(Qt::FontRole).isValid());
    }

    void refusesWhatTheGridCannotHold() {
        Window w;
        FlexGrid& g = w.grid;
        w.write(1, 0, QStringLiteral("kept"));
        // The message of the grid-index error, or what happened instead.
        const auto error = [](const std::function<void()>& action) {
            try {
                action();
            } catch (const RuntimeError& e) {
                return e.kind() == RuntimeError::Kind::GridIndex ? e.message() : QStringLiteral("another error");
            }
            return QStringLiteral("taken");
        };
        QCOMPARE(error([&] { g.setRow(6); }), "Row 6 is outside the grid, which has 6 rows.");
        QCOMPARE(error([&] { (void)g.colWidth(-1); }), "Column -1 is outside the grid, which has 5 columns.");
        QCOMPARE(error([&] { g.setRows(-3); }), "The grid cannot have -3 rows: it keeps at least its fixed row.");
        QCOMPARE(error([&] { g.setCellFontSize(0.0f); }), "A font size of 0 points is not possible.");
        QCOMPARE(error([&] { g.setCellAlignment(10); }), "A cell alignment of 10 is not possible: it must be 0 to 9.");
        QVERIFY(g.rows() == 6 && g.cols() == 5 && g.row() == 1 && g.col() == 0 && g.cellAlignment() == 0);
        QVERIFY(g.text() == QStringLiteral("kept") && g.cellFontSize() == 10.0f);
    }

    void showsEachCellAsFormatted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment"); // the grid's code, 0 its general alignment
        QTest::addColumn<uint>("back");     // 0x00BBGGRR, 0 the grid's default (the desktop's white)
        QTest::addColumn<uint>("fore");     // 0 the desktop's text colour (black)
        QTest::addColumn<int>("shownAlignment");
        QTest::addColumn<QColor>("shownBack");
        QTest::addColumn<QColor>("shownFore"); // both colours given: as given; else readable (4.5 : 1)
        const auto row = [](const char* name, const QString& text, int alignment, uint back, uint fore,
                            int shownAlignment, const QColor& shownBack, const QColor& shownFore) {
            QTest::newRow(name) << text << alignment << back << fore << shownAlignment << shownBack << shownFore;
        };
        row("empty, white on the default", "", 0, 0, 0xFFFFFF, Qt::AlignLeft | Qt::AlignVCenter, {}, Qt::black);
        row("amount, on yellow", "199800.9", 0, 0xFFFF, 0, Qt::AlignRight | Qt::AlignVCenter, Qt::yellow, Qt::black);
        row("24 characters, white on red", QString(24, u'-'), 4, 0xFF, 0xFFFFFF, Qt::AlignCenter, Qt::red, Qt::white);
        row("25, on blue", QString(25, u'-'), 6, 0xFF0000, 0, Qt::AlignRight | Qt::AlignTop, Qt::blue, Qt::white);
        row("Latin-1, nul", QStringLiteral("café €\0\n5"), 3, 0, 0, Qt::AlignHCenter | Qt::AlignTop, {}, Qt::black);
    }

    void showsEachCellAsFormatted() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(uint, back);
        QFETCH(uint, fore);
        Window w(3, 4);
        // Written over a text kept the other way (short texts sit in the cell, long ones apart).
        w.write(2, 1, text.size() > 3 ? QStringLiteral("1") : QString(30, u'x'));
        Module1::WriteCell(w.grid, 1, 2, true, true, 12, false, text, w.font, back);
        w.grid.setCellAlignment(static_cast<std::int16_t>(alignment));
        w.grid.setCellForeColor(fore);
        // More columns move every cell, more rows move them again.
        Module1::SetGridSize(5, 4000, w.grid);
        QCOMPARE(w.data(2, 1, Qt::DisplayRole).toString(), text);
        const QFont font = w.data(2, 1, Qt::FontRole).value<QFont>();
        QVERIFY(font.pointSizeF() == 12.0 && font.italic() && font.bold());
        QTEST(w.data(2, 1, Qt::TextAlignmentRole).toInt(), "shownAlignment");
        QTEST(w.data(2, 1, Qt::BackgroundRole).value<QColor>(), "shownBack");
        QTEST(w.data(2, 1, Qt::ForegroundRole).value<QColor>(), "shownFore");
        // Shrinking drops cells, and the current cell moves to the last one left; a count of 0 keeps a count.
        Module1::SetGridSize(1, 2, w.grid);
        QCOMPARE(w.current(), QPoint(0, 1));
        Module1::SetGridSize(3, 0, w.grid);
        Module1::SetGridSize(0, 4, w.grid);
        QVERIFY(w.grid.rows() == 4 && w.grid.cols() == 3 && w.grid.textAt(2, 1).isEmpty());
        QVERIFY(!w.data(2, 1, Qt::FontRole).value<QFont>().italic());
    }

    void tellsTheViewOncePerBatchAndLeavesItWhereItWas() {
        Window w(5, 400);
        w.grid.flush();
        QSignalSpy changed(w.grid.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(w.grid.model(), &QAbstractItemModel::modelReset);
        // The window may turn its updates off around its own work; the grid's headers come back with it.
        w.form.setUpdatesEnabled(false);
        // Twips, rows 1, 2, 3 ..., repeated: 19, 19, 16, 0, 60, 1 and 30 pixels, 145 in all.
        const QList<int> heights = {285, 285, 240, 0, 900, 15, 450};
        for (int r = 1; r < w.grid.rows(); ++r) {
            w.grid.setRowHeight(r, heights[(r - 1) % heights.size()]);
            for (int c = 1; c < 4 && r > 2 && r < 40; ++c)
                Module1::WriteCell(w.grid, c, r, true, false, 10, false, QString::number(r * 10 + c), w.font, 0);
        }
        // Reads see every write at once; the view hears of them once, back in the event loop.
        QVERIFY(w.grid.textAt(39, 3) == QStringLiteral("393") && changed.isEmpty() && reset.isEmpty());
        QCoreApplication::processEvents();
        w.form.setUpdatesEnabled(true);
        QCOMPARE(changed.count() + reset.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), w.grid.model()->index(3, 1));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), w.grid.model()->index(39, 3));
        QVERIFY(w.grid.verticalHeader()->updatesEnabled() && w.grid.horizontalHeader()->updatesEnabled());
        // 15 twips to the pixel at 96 dpi, below the hidden fixed row.
        QCOMPARE(w.grid.verticalHeader()->length(), 57 * 145);
        // The program's writes leave the view at the top; the first key brings the current cell into sight below
        // the fixed row.
        QCOMPARE(w.grid.verticalScrollBar()->value(), 0);
        QTest::keyClick(&w.grid, Qt::Key_Right);
        QCOMPARE(w.current(), QPoint(4, 39));
        QVERIFY(w.grid.viewport()->rect().contains(w.grid.visualRect(w.grid.currentIndex())));
    }

    void fitsColumnsAndRowsToTheirTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("points");
        // Texts the schedule fits, in the sizes it writes them, and texts measured the shaped way.
        QTest::newRow("caption") << "Total Amount To Pay Monthly =" << 10;
        QTest::newRow("amount") << "199800.9" << 10;
        QTest::newRow("cents") << "-0.01" << 25;
        QTest::newRow("points and minus signs") << "7.-7-." << 12;
        QTest::newRow("blank, comma, Arabic digits") << QStringLiteral("12 345,5 \u0661\u0662") << 8;
    }

    void fitsColumnsAndRowsToTheirTexts() {
        QFETCH(QString, text);
        QFETCH(int, points);
        QVERIFY(TextMeasure(QFont("Times New Roman", 10)).addsNumberAdvances()); // amounts take the quick way
        const auto shaped = QFontMetricsF(QFont("Times New Roman", points)).horizontalAdvance(text) * Twips::perPixel();
        // Too small by one grows, an exact fit still widens the column, and neither ever shrinks.
        for (const auto& [offset, wider, higher] : {std::tuple{-1, 50, 0}, {0, 50, 0}, {1, 1, 1}}) {
            Window w;
            w.grid.setColWidth(0, 0);
            w.grid.setRowHeight(2, 0);
            w.write(2, 0, text, true, points);
            // The width needed is the shaped width and a margin of 400 twips; the height is read off the row.
            const int width = w.grid.colWidth(0) - 50, height = w.grid.rowHeight(2);
            QVERIFY(std::abs(w.font.textWidth(text) - shaped) <= 0.01);
            QVERIFY(std::abs(width - 400 - shaped) <= 0.51 && height > 50);
            w.grid.setColWidth(0, width + offset);
            w.grid.setRowHeight(2, height + offset);
            for (int pass = 0; pass < 2; ++pass) {
                w.write(2, 0, text, true, points);
                QCOMPARE(QPoint(w.grid.colWidth(0) - width, w.grid.rowHeight(2) - height), QPoint(wider, higher));
            }
        }
    }

    void fitsEmptyValuesAndKeptSizes() {
        Window w;
        // An empty value fits the text the cell keeps, or empties the cell without fitting; on an empty cell it
        // measures nothing, though the formats still reach the cell.
        w.grid.setText(QStringLiteral("a text wider than the default column"));
        w.write(1, 0, QString(), true);
        QVERIFY(w.grid.text().size() == 36 && w.grid.colWidth(0) > FlexGridModel::kDefaultColWidthTwips);
        w.write(1, 0, QString());
        Module1::WriteCell(w.grid, 0, 1, false, true, 14, true, QString(), w.font, 0xFFFF);
        QVERIFY(w.grid.text().isEmpty() && w.font.size() == 10);
        QVERIFY(w.grid.cellFontItalic() && w.grid.cellFontSize() == 14.0f && w.grid.cellBackColor() == 0xFFFF);
        // A size of 1 keeps the cell's size, measured at the nearest whole size; the name is matched exactly.
        w.grid.setCellFontSize(9.5f);
        Module1::FitCellText(QStringLiteral("12.5"), 0, 1, QStringLiteral("times new roman"), 1, w.font, w.grid);
        QVERIFY(w.grid.cellFontSize() == 9.5f && w.font.size() == 10 && w.font.name() == "times new roman");
    }

    void paintsVeryLongTextsAsTheStandardDelegate() {
        // 400 lines, long and short, of other scripts and surrogate pairs, right-aligned in a cell half inside the
        // view.
        const QString text = (QStringLiteral("aж中.😀").repeated(100) + "\n7 😀\n").repeated(200);
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

    // A selected cell is framed on all four sides, inside its own rectangle, and keeps its colours within.
    void aSelectedCellIsFramedInsideItsRectangle() {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRect cell(10, 10, 40, 20);
        QPainter painter(&image);
        FlexGridDelegate::drawSelectionFrame(painter, cell, Qt::blue);
        painter.end();
        QStringList wrong;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool onEdge = cell.contains(x, y) && !cell.adjusted(1, 1, -1, -1).contains(x, y);
                const bool inside = cell.adjusted(2, 2, -2, -2).contains(x, y);
                const QColor seen = image.pixelColor(x, y);
                if ((onEdge && seen != Qt::blue) || (!cell.contains(x, y) && seen != Qt::white) ||
                    (inside && seen != Qt::white))
                    wrong << QStringLiteral("(%1, %2)").arg(x).arg(y);
            }
        }
        QCOMPARE(wrong, QStringList());
    }

    // Shift+arrows and Ctrl+A select a block; their codes still reach the handler, and typing edits the
    // current cell. After Enter moves it, the next block starts from there.
    void selectsABlockWhileKeysStillEditTheCurrentCell() {
        Window w;
        w.write(2, 1, QStringLiteral("12"));
        QTest::keyClick(&w.grid, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&w.grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w.grid.selectedBlock(), QRect(1, 2, 2, 2)); // columns as x, rows as y
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_C})
            QTest::keyClick(&w.grid, key, Qt::ControlModifier);
        QCOMPARE(w.grid.selectedBlock(), QRect(0, 0, 5, 6));
        QTest::keyClick(&w.grid, Qt::Key_9);
        QCOMPARE(w.codes, (QList<int>{1, 3, 57}));
        QCOMPARE(QStringList({w.grid.textAt(2, 1), w.grid.textAt(3, 2)}), QStringList({"12", "9"}));
        QTest::keyClick(&w.grid, Qt::Key_Return);
        QTest::keyClick(&w.grid, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(w.grid.selectedBlock(), QRect(4, 2, 1, 2));
    }

    void keysEditAndMoveTheCurrentCell_data() {
        QTest::addColumn<QPoint>("cell"); // (column, row)
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed"); // characters, then the keys
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QList<int>>("codes"); // the character codes the key handler is given
        QTest::addColumn<QString>("after");
        QTest::addColumn<QPoint>("to"); // where the current cell ends
        const auto row = [](const char* name, QPoint cell, const char* before, const QString& typed,
                            QList<QKeyCombination> keys, QList<int> codes, const QString& after, QPoint to) {
            QTest::newRow(name) << cell << QString::fromUtf8(before) << typed << keys << codes << after << to;
        };
        const auto ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        const auto bs = Qt::Key_Backspace, enter = Qt::Key_Return;
        row("accent, euro, not Western", {3, 4}, "caf", "é€Ω", {}, {233, 128, -1}, "café€", {3, 4});
        row("column 0 takes no typing", {0, 3}, "Tax: ", "9", {bs}, {57, 8}, "Tax:", {0, 3});
        row("row 0 takes no typing", {2, 0}, "Rate ", "x", {bs, bs}, {120, 8, 8}, "Rat", {2, 0});
        row("blanks stay", {1, 2}, "   ", "", {bs}, {8}, "   ", {1, 2});
        row("a whole emoji goes", {1, 2}, "5\U0001F600", "", {bs}, {8}, "5", {1, 2});
        // Shortcuts type nothing, Ctrl+Backspace types 127, AltGr (Ctrl+Alt on some desktops) types its character.
        row("shortcuts", {1, 2}, "12", "", {ctrl | bs, alt | Qt::Key_A, ctrl | Qt::Key_5, Qt::Key_Delete}, {127}, "12",
            {1, 2});
        row("ctrl+v, altgr", {1, 2}, "", "", {ctrl | Qt::Key_V, ctrl | alt | Qt::Key_At}, {22, 64}, "@", {1, 2});
        row("arrows stay off the fixed row", {1, 2}, "", "", {ctrl | Qt::Key_Home, Qt::Key_Up}, {}, "", {0, 1});
        row("enter: to the last column", {1, 3}, "1", "2", {enter}, {50, 13}, "12", {4, 3});
        row("enter: down from the last", {4, 3}, "", "", {enter}, {13}, "", {0, 4});
        row("escape types its code, and nothing", {1, 2}, "12", "", {Qt::Key_Escape}, {27}, "12", {1, 2});
        row("enter: last cell wraps", {4, 5}, "", "", {Qt::KeypadModifier | Qt::Key_Enter}, {13}, "", {0, 1});
        // Windows-1252 both ways: DEL and the five unassigned slots of 0x80-0x9F are no character a key types.
        QString all, typeable;
        QList<int> codes;
        for (std::int16_t code = 32; code <= 255; ++code) {
            all += TypedCharacter::character(code);
            if (QList<int>{0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}.contains(code))
                continue;
            typeable += TypedCharacter::character(code);
            codes.append(code);
        }
        row("Windows-1252", {1, 1}, "", all, {}, codes, typeable, {1, 1});
    }

    void keysEditAndMoveTheCurrentCell() {
        QFETCH(QPoint, cell);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QPoint, to);
        Window w;
        w.write(cell.y(), cell.x(), before);
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, &w.grid, Qt::Key_unknown, QString(c), Qt::NoModifier);
        for (const QKeyCombination key : keys)
            QTest::keyClick(&w.grid, key.key(), key.keyboardModifiers());
        QTEST(w.codes, "codes");
        QTEST(w.grid.textAt(cell.y(), cell.x()), "after");
        QCOMPARE(w.current(), to);
        // Screen readers read the fixed row as the column headers.
        QCOMPARE(w.grid.model()->headerData(cell.x(), Qt::Horizontal).toString(), w.grid.textAt(0, cell.x()));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
