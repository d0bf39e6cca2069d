#include "Decimal.h"
#include "FlexGrid.h"
#include "FlexGridModel.h"
#include "Module1.h"
#include "RuntimeError.h"
#include "WindowFont.h"

#include <QAbstractItemModelTester>
#include <QTest>

Q_DECLARE_METATYPE(Module1::CellValue)

namespace {

// A window with its font object and a grid of 5 columns and 20 rows.
struct Window {
    QObject form;
    WindowFont& font = *new WindowFont(&form);
    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    Window() { Module1::SetGridSize(5, 20, grid); }

    void write(int col, int row, const QString& text, bool autoFit = true) {
        Module1::WriteCell(grid, col, row, false, false, 10, autoFit, text, font, 0);
    }
    // The width and height a text needs, read off a column and a row first made too small for it.
    std::pair<int, int> needed(const QString& text, int col, int row) {
        grid.setColWidth(col, 0);
        grid.setRowHeight(row, 0);
        write(col, row, text);
        return {grid.colWidth(col) - 50, grid.rowHeight(row)};
    }
};

} // namespace

class TestModule1 : public QObject {
    Q_OBJECT

private slots:
    void writesValuesAsCellTexts_data() {
        QTest::addColumn<Module1::CellValue>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("text kept") << Module1::CellValue(QStringLiteral("Montly PayMent: ")) << "Montly PayMent: ";
        QTest::newRow("decimal") << Module1::CellValue(Decimal::fromString(u"1199.10")) << "1199.1";
        QTest::newRow("double") << Module1::CellValue(2999.1) << "2999.1";
        QTest::newRow("integer") << Module1::CellValue(std::int32_t{2007}) << "2007";
    }

    void writesValuesAsCellTexts() {
        QFETCH(Module1::CellValue, value);
        QFETCH(QString, text);
        Window w;
        Module1::WriteCell(w.grid, 3, 7, true, true, 12, false, value, w.font, 255);
        QCOMPARE(QList<int>({w.grid.row(), w.grid.col()}), QList<int>({7, 3}));
        QCOMPARE(w.grid.text(), text);
        QVERIFY(w.grid.cellFontBold() && w.grid.cellFontItalic());
        QCOMPARE(w.grid.cellFontSize(), 12.0f);
        QCOMPARE(w.grid.cellBackColor(), 255u);
    }

    void stopsAtARefusedRowWithTheColumnAlreadySet() {
        Window w;
        QVERIFY_THROWS_EXCEPTION(RuntimeError, w.write(4, 20, QStringLiteral("x")));
        QCOMPARE(QList<int>({w.grid.row(), w.grid.col()}), QList<int>({1, 4}));
    }

    void growsAnExactlyWideColumnOnce() {
        Window w;
        const QString text = QStringLiteral("Total Amount To Pay Monthly =");
        const int neededWidth = w.needed(text, 0, 2).first;
        QVERIFY(neededWidth > 400);
        w.grid.setColWidth(0, neededWidth);
        w.write(0, 2, text);
        QCOMPARE(w.grid.colWidth(0), neededWidth + 50);
        w.write(0, 2, text);
        QCOMPARE(w.grid.colWidth(0), neededWidth + 50);
        w.grid.setColWidth(0, neededWidth + 1);
        w.write(0, 2, text);
        QCOMPARE(w.grid.colWidth(0), neededWidth + 1);
    }

    void setsARowNoHigherThanNeeded_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("kept");
        QTest::newRow("lower by one") << -1 << 0;
        QTest::newRow("exactly as high") << 0 << 0;
        QTest::newRow("higher by one") << 1 << 1;
    }

    void setsARowNoHigherThanNeeded() {
        QFETCH(int, offset);
        QFETCH(int, kept);
        Window w;
        const int neededHeight = w.needed(QStringLiteral("Deceamber"), 1, 9).second;
        QVERIFY(neededHeight > 50);
        w.grid.setRowHeight(9, neededHeight + offset);
        w.write(1, 9, QStringLiteral("Deceamber"));
        QCOMPARE(w.grid.rowHeight(9), neededHeight + kept);
    }

    void measuresAKeptSizeAtItsWholeSize_data() {
        QTest::addColumn<float>("cellSize");
        QTest::addColumn<int>("measuredSize");
        QTest::newRow("8.25 down") << 8.25f << 8;
        QTest::newRow("8.5 to even 8") << 8.5f << 8;
        QTest::newRow("9.5 to even 10") << 9.5f << 10;
    }

    void measuresAKeptSizeAtItsWholeSize() {
        QFETCH(float, cellSize);
        QFETCH(int, measuredSize);
        Window w;
        w.grid.setCellFontSize(cellSize);
        Module1::FitCellText(QStringLiteral("12.5"), 0, 1, QString(), 1, w.font, w.grid);
        QCOMPARE(w.grid.cellFontSize(), cellSize);
        QCOMPARE(w.font.size(), measuredSize);
        QCOMPARE(w.font.name(), QStringLiteral("Times New Roman"));
    }

    void appliesANameThatDiffersOnlyInCase() {
        Window w;
        Module1::FitCellText(QStringLiteral("Year "), 0, 3, QStringLiteral("times new roman"), 14, w.font, w.grid);
        QCOMPARE(w.grid.cellFontName(), QStringLiteral("times new roman"));
        QCOMPARE(w.font.name(), QStringLiteral("times new roman"));
        QCOMPARE(w.font.size(), 14);
    }

    void fitsAnEmptyValueToTheKeptTextButEmptiesWithoutAutoFit() {
        Window w;
        w.grid.setText(QStringLiteral("a text wider than the default column"));
        w.write(0, 1, QString());
        QCOMPARE(w.grid.text(), QStringLiteral("a text wider than the default column"));
        QVERIFY(w.grid.colWidth(0) > FlexGridModel::kDefaultColWidthTwips);
        w.write(0, 1, QString(), false);
        QCOMPARE(w.grid.text(), QString());
    }

    void measuresNothingForAnEmptyValueOnAnEmptyCell() {
        Window w;
        w.font.setSize(30);
        w.grid.setColWidth(2, 17);
        w.grid.setRowHeight(6, 19);
        Module1::WriteCell(w.grid, 2, 6, true, false, 14, true, QString(), w.font, 65535);
        QCOMPARE(QList<int>({w.grid.colWidth(2), w.grid.rowHeight(6), w.font.size()}), QList<int>({17, 19, 30}));
        // The formats set before the measuring step still reach the cell.
        QVERIFY(w.grid.cellFontBold());
        QCOMPARE(w.grid.cellBackColor(), 65535u);
        QCOMPARE(w.grid.cellFontSize(), 14.0f);
    }

    void setGridSizeKeepsACountOfZero() {
        Window w;
        w.write(4, 2, QStringLiteral("kept"), false);
        w.write(4, 19, QStringLiteral("dropped"), false);
        w.grid.flush();
        Module1::SetGridSize(0, 0, w.grid);
        QVERIFY(!w.grid.gridModel()->hasPendingChanges());
        Module1::SetGridSize(0, 3, w.grid);
        QCOMPARE(QList<int>({w.grid.rows(), w.grid.cols()}), QList<int>({3, 5}));
        QCOMPARE(w.grid.textAt(2, 4), QStringLiteral("kept"));
        Module1::SetGridSize(0, 20, w.grid);
        QCOMPARE(w.grid.textAt(19, 4), QString());
    }
};

QTEST_MAIN(TestModule1)
#include "tst_module1.moc"
