#include "FlexGrid.h"
#include "FlexGridModel.h"
#include "RuntimeError.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using GridAction = std::function<void(FlexGrid&)>;
Q_DECLARE_METATYPE(GridAction)

namespace {

// The grid as a user sees it: shown, with the model checked by Qt's model tester.
struct ShownGrid {
    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    ShownGrid(int rows, int cols) {
        grid.resize(640, 240);
        grid.show();
        grid.setRows(rows);
        grid.setCols(cols);
    }
    void select(int row, int col) {
        grid.setRow(row);
        grid.setCol(col);
    }
};

} // namespace

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void startsInTheDesignState() {
        FlexGrid grid;
        QCOMPARE(QList<int>({grid.rows(), grid.cols(), grid.row(), grid.col()}), QList<int>({2, 2, 1, 0}));
        QCOMPARE(grid.cellFontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(grid.cellFontSize(), 8.25f);
        // Row 0 is the fixed row: drawn by the header, never as a table row.
        QVERIFY(grid.isRowHidden(0));
        QVERIFY(!grid.tabKeyNavigation());
    }

    void refusesIndicesOutsideTheGrid_data() {
        QTest::addColumn<GridAction>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("row past the end") << GridAction([](FlexGrid& g) { g.setRow(2); })
                                          << QStringLiteral("Row 2 is outside the grid, which has 2 rows.");
        QTest::newRow("negative column") << GridAction([](FlexGrid& g) { g.setCol(-1); })
                                         << QStringLiteral("Column -1 is outside the grid, which has 2 columns.");
        QTest::newRow("reading a missing row height") << GridAction([](FlexGrid& g) { (void)g.rowHeight(7); })
                                                      << QStringLiteral("Row 7 is outside the grid, which has 2 rows.");
        QTest::newRow("negative row count")
            << GridAction([](FlexGrid& g) { g.setRows(-3); })
            << QStringLiteral("The grid cannot have -3 rows: it keeps at least its fixed row.");
    }

    void refusesIndicesOutsideTheGrid() {
        QFETCH(GridAction, action);
        QFETCH(QString, message);
        FlexGrid grid;
        grid.setText(QStringLiteral("kept"));
        try {
            action(grid);
            QFAIL("the grid accepted the index");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.kind(), RuntimeError::Kind::GridIndex);
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(QList<int>({grid.rows(), grid.cols(), grid.row(), grid.col()}), QList<int>({2, 2, 1, 0}));
        QCOMPARE(grid.text(), QStringLiteral("kept"));
    }

    void shrinkingDropsCellsAndGrowingAddsEmptyOnes() {
        ShownGrid shown(4, 3);
        FlexGrid& grid = shown.grid;
        shown.select(3, 2);
        grid.setText(QStringLiteral("corner"));
        grid.setCellFontBold(true);
        grid.setColWidth(2, 3000);
        grid.flush();
        grid.setRows(3);
        grid.setCols(2);
        // The dropped current cell moves to the last row and column that remain.
        QCOMPARE(QList<int>({grid.row(), grid.col()}), QList<int>({2, 1}));
        grid.setRows(4);
        grid.setCols(3);
        grid.flush();
        shown.select(3, 2);
        QCOMPARE(grid.text(), QString());
        QVERIFY(!grid.cellFontBold());
        QCOMPARE(grid.colWidth(2), FlexGridModel::kDefaultColWidthTwips);
    }

    void keepsEveryTextAsWritten_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString("");
        QTest::newRow("amount") << QStringLiteral("199800.9");
        QTest::newRow("24 characters") << QString(24, u'-');
        QTest::newRow("25 characters") << QString(25, u'-');
        QTest::newRow("longest caption") << QStringLiteral("Total Amount To Pay Monthly =");
        QTest::newRow("Latin-1 letters") << QStringLiteral("Gr\u00f6\u00dfe \u00bd \u00e9");
        QTest::newRow("euro sign") << QStringLiteral("\u20ac 5");
        QTest::newRow("nul and line break") << QString::fromLatin1("a\0b\nc", 5);
    }

    void keepsEveryTextAsWritten() {
        QFETCH(QString, text);
        ShownGrid shown(4, 3);
        FlexGrid& grid = shown.grid;
        // Written over a text kept the other way (short texts sit in the cell, long ones apart).
        shown.select(2, 1);
        grid.setText(text.size() > 3 ? QStringLiteral("1") : QString(30, u'x'));
        grid.setText(text);
        QCOMPARE(grid.text(), text);
        // More columns move every cell, more rows move them again.
        grid.setCols(5);
        grid.setRows(4000);
        grid.flush();
        QCOMPARE(grid.textAt(2, 1), text);
        QCOMPARE(grid.model()->index(2, 1).data().toString(), text);
        // The same text again is no change.
        shown.select(2, 1);
        grid.setText(text);
        QVERIFY(!grid.gridModel()->hasPendingChanges());
    }

    void drawsEachCellInItsOwnFormat() {
        ShownGrid shown(3, 2);
        FlexGrid& grid = shown.grid;
        shown.select(2, 1);
        grid.setCellFontSize(10.5f);
        grid.setCellFontItalic(true);
        grid.setCellBackColor(65535);
        grid.setCellForeColor(16777215);
        grid.setCellAlignment(1);
        grid.setText(QStringLiteral("1199.1"));
        grid.flush();
        QCOMPARE(grid.cellFontSize(), 10.5f);
        const QModelIndex cell = grid.model()->index(2, 1);
        QCOMPARE(cell.data(Qt::FontRole).value<QFont>().pointSizeF(), 10.5);
        QVERIFY(cell.data(Qt::FontRole).value<QFont>().italic());
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        // White on yellow would not read: text on a forced colour is drawn in black instead.
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
        QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
        // A colour of 0 is the grid's default, not black; the neighbour keeps the grid's font.
        grid.setCellBackColor(0);
        QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
        QCOMPARE(grid.model()->index(2, 0).data(Qt::FontRole).value<QFont>().pointSizeF(), 8.25);
    }

    void sharesOneStyleAmongCellsFormattedAlike() {
        ShownGrid shown(40, 3);
        FlexGrid& grid = shown.grid;
        const FlexGridModel& model = *grid.gridModel();
        const auto format = [&](int row) {
            // One format reached in two orders, and a flag set and taken back.
            shown.select(row, 1);
            grid.setCellFontSize(10.0f);
            grid.setCellFontBold(true);
            grid.setCellBackColor(255);
            shown.select(row, 2);
            grid.setCellBackColor(255);
            grid.setCellFontBold(true);
            grid.setCellFontSize(10.0f);
            shown.select(row, 0);
            grid.setCellFontItalic(true);
            grid.setCellFontItalic(false);
        };
        format(1);
        const int styles = model.styleCount();
        for (int row = 2; row < grid.rows(); ++row)
            format(row);
        QCOMPARE(model.styleCount(), styles);
        for (int row : {1, 39}) {
            QCOMPARE(&model.style(row, 1), &model.style(row, 2));
            QCOMPARE(&model.style(row, 0), &model.defaultStyle());
            shown.select(row, 2);
            QCOMPARE(grid.cellFontSize(), 10.0f);
            QVERIFY(grid.cellFontBold() && !grid.cellFontItalic());
            QCOMPARE(grid.cellBackColor(), 255u);
        }
    }

    void keepsWidthsAndHeightsInTwips() {
        ShownGrid shown(2, 2);
        FlexGrid& grid = shown.grid;
        grid.setColWidth(1, 1500);
        grid.setRowHeight(1, 450);
        grid.setRowHeight(0, 300);
        QCOMPARE(grid.colWidth(1), 1500);
        grid.flush();
        // 15 twips to the pixel at 96 dpi.
        QCOMPARE(grid.columnWidth(1), 100);
        QCOMPARE(grid.QTableView::rowHeight(1), 30);
        QCOMPARE(grid.horizontalHeader()->height(), 20);
    }

    void appliesRowHeightsInOneBatch_data() {
        // Heights in twips for rows 1, 2, 3 ..., repeated down the grid; the second batch follows a flush.
        QTest::addColumn<QList<int>>("first");
        QTest::addColumn<QList<int>>("then");
        QTest::newRow("a schedule: every fifteenth row lower")
            << QList<int>(14, 285) + QList<int>{240} << QList<int>{285};
        QTest::newRow("each row its own, back to the default")
            << QList<int>{240, 300, 450, 15, 600, 250} << QList<int>{240};
        QTest::newRow("hidden rows among tall ones") << QList<int>{0, 900, 0} << QList<int>{900, 0, 240, 240};
    }

    void appliesRowHeightsInOneBatch() {
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, then);
        ShownGrid shown(400, 2);
        FlexGrid& grid = shown.grid;
        for (const QList<int>& heights : {first, then}) {
            for (int r = 1; r < grid.rows(); ++r)
                grid.setRowHeight(r, heights[(r - 1) % heights.size()]);
            grid.flush();
            // Every row is as high as set (15 twips to the pixel, rounded) and starts where the one above ends.
            const QHeaderView& rows = *grid.verticalHeader();
            int position = rows.sectionPosition(1);
            for (int r = 1; r < grid.rows(); ++r) {
                const int pixels = qRound(heights[(r - 1) % heights.size()] / 15.0);
                QCOMPARE(rows.sectionSize(r), pixels);
                QCOMPARE(rows.sectionPosition(r), position);
                position += pixels;
            }
            QCOMPARE(rows.length(), position);
        }
        // The last row can be reached and shown.
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid.row(), grid.rows() - 1);
        QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex())));
    }

    void followsItsWindowsUpdatesAfterABatch() {
        // A window may turn its updates off around work of its own; the grid's headers come back with it.
        QWidget window;
        auto* grid = new FlexGrid(&window);
        window.show();
        window.setUpdatesEnabled(false);
        grid->setRows(50);
        grid->setRowHeight(3, 600);
        grid->setColWidth(1, 3000);
        grid->flush();
        window.setUpdatesEnabled(true);
        QVERIFY(grid->verticalHeader()->updatesEnabled());
        QVERIFY(grid->horizontalHeader()->updatesEnabled());
        QCOMPARE(grid->verticalHeader()->sectionSize(3), 40);
        QCOMPARE(grid->horizontalHeader()->sectionSize(1), 200);
    }

    void tellsTheViewOncePerBatch() {
        ShownGrid shown(50, 5);
        FlexGrid& grid = shown.grid;
        grid.flush();
        QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);
        for (int r = 3; r < 40; ++r) {
            for (int c = 1; c < 4; ++c) {
                shown.select(r, c);
                grid.setText(QStringLiteral("%1,%2").arg(r).arg(c));
                grid.setCellFontBold(true);
            }
        }
        // Reads see every write at once; the view hears of them once, back in the event loop.
        QCOMPARE(grid.textAt(39, 3), QStringLiteral("39,3"));
        QCOMPARE(changed.count() + reset.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), grid.model()->index(3, 1));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), grid.model()->index(39, 3));
        QCOMPARE(reset.count(), 0);
        // The program's writes leave the view where it was; the first key brings the current cell into sight,
        // below the fixed row that stayed at the top.
        QCOMPARE(grid.currentIndex(), grid.model()->index(39, 3));
        QCOMPARE(grid.verticalScrollBar()->value(), 0);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.currentIndex(), grid.model()->index(39, 4));
        QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex())));
        QCOMPARE(grid.horizontalHeader()->geometry().top(), grid.frameWidth());
    }
};

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
