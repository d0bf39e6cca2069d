#include "FlexGrid.h"
#include "FlexGridModel.h"
#include "RuntimeError.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(FlexGrid&)>)

namespace {

using GridAction = std::function<void(FlexGrid&)>;

// The grid as a user sees it: shown, laid out, with the model checked by Qt's model tester.
struct ShownGrid {
    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    ShownGrid() {
        grid.resize(640, 240);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
};

} // namespace

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void startsInTheDesignState() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(grid.cols(), 2);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 0);
        QCOMPARE(grid.cellFontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(grid.cellFontSize(), 8.25f);
        QCOMPARE(grid.cellBackColor(), 0u);
        QCOMPARE(grid.colWidth(1), FlexGridModel::kDefaultColWidthTwips);
        QCOMPARE(grid.rowHeight(0), FlexGridModel::kDefaultRowHeightTwips);
        // Row 0 is the fixed row, shown by the header and never as a table row.
        QVERIFY(grid.isRowHidden(0));
        QVERIFY(grid.horizontalHeader()->isVisible());
        QVERIFY(!grid.verticalHeader()->isVisible());
        QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!grid.tabKeyNavigation());
    }

    void refusesIndicesOutsideTheGrid_data() {
        QTest::addColumn<GridAction>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("row past the end") << GridAction([](FlexGrid& g) { g.setRow(2); })
                                          << QStringLiteral("Row 2 is outside the grid, which has 2 rows.");
        QTest::newRow("negative row") << GridAction([](FlexGrid& g) { g.setRow(-1); })
                                      << QStringLiteral("Row -1 is outside the grid, which has 2 rows.");
        QTest::newRow("column past the end") << GridAction([](FlexGrid& g) { g.setCol(2); })
                                             << QStringLiteral("Column 2 is outside the grid, which has 2 columns.");
        QTest::newRow("width of a missing column")
            << GridAction([](FlexGrid& g) { g.setColWidth(5, 100); })
            << QStringLiteral("Column 5 is outside the grid, which has 2 columns.");
        QTest::newRow("reading a missing row height") << GridAction([](FlexGrid& g) { (void)g.rowHeight(7); })
                                                      << QStringLiteral("Row 7 is outside the grid, which has 2 rows.");
        QTest::newRow("negative row count")
            << GridAction([](FlexGrid& g) { g.setRows(-3); })
            << QStringLiteral("The grid cannot have -3 rows: it keeps at least its fixed row.");
        QTest::newRow("no columns") << GridAction([](FlexGrid& g) { g.setCols(0); })
                                    << QStringLiteral("The grid cannot have 0 columns: it needs at least one column.");
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
        // A refused operation leaves the grid as it was.
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(grid.cols(), 2);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.text(), QStringLiteral("kept"));
    }

    void shrinkingDropsCellsAndGrowingAddsEmptyOnes() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        grid.setRows(4);
        grid.setCols(3);
        grid.setRow(3);
        grid.setCol(2);
        grid.setText(QStringLiteral("corner"));
        grid.setCellFontBold(true);
        grid.setCellBackColor(255);
        grid.setColWidth(2, 3000);
        grid.flush();

        grid.setRows(3);
        grid.setCols(2);
        // The current cell was dropped: it moves to the last row and column that remain.
        QCOMPARE(grid.row(), 2);
        QCOMPARE(grid.col(), 1);
        grid.setRows(4);
        grid.setCols(3);
        grid.flush();
        QCOMPARE(grid.textAt(3, 2), QString());
        grid.setRow(3);
        grid.setCol(2);
        QVERIFY(!grid.cellFontBold());
        QCOMPARE(grid.cellBackColor(), 0u);
        QCOMPARE(grid.colWidth(2), FlexGridModel::kDefaultColWidthTwips);
    }

    void keepsFormatsPerCell() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        grid.setRows(3);
        grid.setCols(2);
        grid.setRow(2);
        grid.setCol(1);
        grid.setCellFontSize(8.25f);
        grid.setCellFontSize(10.5f);
        grid.setCellFontName(QStringLiteral("Liberation Sans"));
        grid.setCellFontItalic(true);
        grid.setCellForeColor(16777215);
        grid.setCellBackColor(65535);
        grid.setCellAlignment(1);
        grid.setText(QStringLiteral("1199.1"));
        grid.flush();

        QCOMPARE(grid.cellFontSize(), 10.5f);
        QVERIFY(grid.cellFontItalic());
        const QModelIndex cell = grid.model()->index(2, 1);
        const auto font = cell.data(Qt::FontRole).value<QFont>();
        QCOMPARE(font.pointSizeF(), 10.5);
        QVERIFY(font.italic());
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 255));
        QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));

        // The neighbouring cell keeps the grid's own format; a colour of 0 is the grid's default, not black.
        const QModelIndex plain = grid.model()->index(2, 0);
        QVERIFY(!plain.data(Qt::BackgroundRole).isValid());
        QVERIFY(!plain.data(Qt::ForegroundRole).isValid());
        QCOMPARE(plain.data(Qt::FontRole).value<QFont>().pointSizeF(), 8.25);
        grid.setCellBackColor(0);
        QVERIFY(!cell.data(Qt::BackgroundRole).isValid());
    }

    void sharesOneStylePerFormat() {
        FlexGrid grid;
        grid.setRows(1001);
        grid.setCols(5);
        for (int r = 1; r < 1001; ++r) {
            grid.setRow(r);
            for (int c = 0; c < 5; ++c) {
                grid.setCol(c);
                grid.setCellFontBold(r % 2 == 0);
                grid.setCellFontSize(10.0f);
            }
        }
        // The default, its bold variant, and the two at size 10 reached on the way.
        QVERIFY(grid.gridModel()->styleCount() <= 4);
    }

    void keepsWidthsAndHeightsInTwips() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        grid.setColWidth(1, 1500);
        grid.setRowHeight(1, 450);
        grid.setRowHeight(0, 300);
        QCOMPARE(grid.colWidth(1), 1500);
        QCOMPARE(grid.rowHeight(1), 450);
        grid.flush();
        QCOMPARE(grid.columnWidth(1), 100);
        QCOMPARE(grid.rowHeight(1), 450);
        QCOMPARE(grid.QTableView::rowHeight(1), 30);
        QCOMPARE(grid.horizontalHeader()->height(), 20);
        grid.setColWidth(1, -1);
        QCOMPARE(grid.colWidth(1), FlexGridModel::kDefaultColWidthTwips);
    }

    void tellsTheViewOncePerBatch() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        grid.setRows(50);
        grid.setCols(5);
        grid.flush();
        QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);
        for (int r = 3; r < 40; ++r) {
            grid.setRow(r);
            for (int c = 1; c < 4; ++c) {
                grid.setCol(c);
                grid.setText(QStringLiteral("%1,%2").arg(r).arg(c));
                grid.setCellFontBold(true);
            }
        }
        // Reads see every write at once; the view has not heard of any yet.
        QCOMPARE(grid.textAt(39, 3), QStringLiteral("39,3"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(reset.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), grid.model()->index(3, 1));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), grid.model()->index(39, 3));
        QCOMPARE(reset.count(), 0);
        QCOMPARE(grid.currentIndex(), grid.model()->index(39, 3));
    }

    void keepsTheCurrentCellInSight() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        grid.setRows(500);
        grid.setCols(5);
        grid.setRow(450);
        grid.setCol(4);
        grid.flush();
        const QRect cell = grid.visualRect(grid.model()->index(450, 4));
        QVERIFY(grid.viewport()->rect().contains(cell));
        // The fixed row stays where it is, above the scrolled rows.
        QCOMPARE(grid.horizontalHeader()->geometry().top(), grid.frameWidth());
    }

    void movingWithArrowsUpdatesTheCurrentCell() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        grid.setRows(5);
        grid.setCols(3);
        grid.setRow(2);
        grid.setCol(1);
        grid.flush();
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.row(), 3);
        QCOMPARE(grid.col(), 2);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid.row(), 1);
        QCOMPARE(grid.col(), 0);
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid.row(), 4);
        QCOMPARE(grid.col(), 2);
    }

    void screenReadersReadTheCells() {
        ShownGrid shown;
        FlexGrid& grid = shown.grid;
        QAccessible::setActive(true);
        grid.setRows(3);
        grid.setRow(2);
        grid.setCol(1);
        grid.setText(QStringLiteral("1199.1"));
        grid.setRow(0);
        grid.setText(QStringLiteral("Balance "));
        grid.flush();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
        QVERIFY(table != nullptr && table->tableInterface() != nullptr);
        QCOMPARE(table->tableInterface()->rowCount(), 3);
        QAccessibleInterface* cell = table->tableInterface()->cellAt(2, 1);
        QVERIFY(cell != nullptr);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("1199.1"));
        QCOMPARE(table->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Balance "));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Balance "));
    }
};

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
