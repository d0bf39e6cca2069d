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

// A window with its font object and a grid of 5 columns and 20 rows, as the schedule leaves it.
struct Window {
    QObject form;
    WindowFont* font = new WindowFont(&form);
    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    Window() {
        Module1::SetGridSize(5, 20, grid);
        grid.flush();
    }

    // Writes text with auto-fit into a column first made too narrow for it, and gives back the
    // width and height the text needs, as the fitted column and row show them.
    std::pair<int, int> fit(const QString& text, int col, int row) {
        grid.setColWidth(col, 0);
        grid.setRowHeight(row, 0);
        Module1::WriteCell(grid, col, row, false, false, 10, true, text, *font, 0);
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
        QTest::newRow("text with a trailing blank")
            << Module1::CellValue(QStringLiteral("Montly PayMent: ")) << QStringLiteral("Montly PayMent: ");
        QTest::newRow("empty text") << Module1::CellValue(QString()) << QString();
        QTest::newRow("decimal with a trailing zero")
            << Module1::CellValue(Decimal::fromString(u"1199.10")) << QStringLiteral("1199.1");
        QTest::newRow("decimal whole") << Module1::CellValue(Decimal::fromString(u"1900.00")) << QStringLiteral("1900");
        QTest::newRow("negative decimal")
            << Module1::CellValue(Decimal::fromString(u"-0.50")) << QStringLiteral("-0.5");
        QTest::newRow("double") << Module1::CellValue(2999.1) << QStringLiteral("2999.1");
        QTest::newRow("integer") << Module1::CellValue(std::int32_t{2007}) << QStringLiteral("2007");
    }

    void writesValuesAsCellTexts() {
        QFETCH(Module1::CellValue, value);
        QFETCH(QString, text);
        Window w;
        w.grid.setText(QStringLiteral("old"));
        Module1::WriteCell(w.grid, 1, 1, false, false, 10, false, value, *w.font, 0);
        QCOMPARE(w.grid.textAt(1, 1), text);
    }

    void setsTheCellFormat_data() {
        QTest::addColumn<bool>("autoFit");
        QTest::newRow("without auto-fit") << false;
        QTest::newRow("with auto-fit") << true;
    }

    void setsTheCellFormat() {
        QFETCH(bool, autoFit);
        Window w;
        Module1::WriteCell(w.grid, 3, 7, true, true, 12, autoFit, QStringLiteral("Balance "), *w.font, 255);
        QCOMPARE(w.grid.row(), 7);
        QCOMPARE(w.grid.col(), 3);
        QVERIFY(w.grid.cellFontBold());
        QVERIFY(w.grid.cellFontItalic());
        QCOMPARE(w.grid.cellFontSize(), 12.0f);
        QCOMPARE(w.grid.cellBackColor(), 255u);
        QCOMPARE(w.grid.cellFontName(), QStringLiteral("Times New Roman"));
        QCOMPARE(w.grid.text(), QStringLiteral("Balance "));
        // Only the auto-fitted write grows the column past its default.
        QCOMPARE(w.grid.colWidth(3) > FlexGridModel::kDefaultColWidthTwips, autoFit);
    }

    void stopsAtARefusedRowWithTheColumnAlreadySet() {
        Window w;
        try {
            Module1::WriteCell(w.grid, 4, 20, true, false, 10, false, QStringLiteral("x"), *w.font, 0);
            QFAIL("row 20 of 20 was accepted");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.kind(), RuntimeError::Kind::GridIndex);
        }
        QCOMPARE(w.grid.col(), 4);
        QCOMPARE(w.grid.row(), 1);
        QVERIFY(!w.grid.cellFontBold());
    }

    void growsAnExactlyWideColumnOnce() {
        Window w;
        const QString text = QStringLiteral("Total Amount To Pay Monthly =");
        const auto [neededWidth, neededHeight] = w.fit(text, 0, 2);
        QVERIFY(neededWidth > 400);

        w.grid.setColWidth(0, neededWidth);
        Module1::WriteCell(w.grid, 0, 2, false, false, 10, true, text, *w.font, 0);
        QCOMPARE(w.grid.colWidth(0), neededWidth + 50);
        Module1::WriteCell(w.grid, 0, 2, false, false, 10, true, text, *w.font, 0);
        QCOMPARE(w.grid.colWidth(0), neededWidth + 50);

        w.grid.setColWidth(0, neededWidth + 1);
        Module1::WriteCell(w.grid, 0, 2, false, false, 10, true, text, *w.font, 0);
        QCOMPARE(w.grid.colWidth(0), neededWidth + 1);
    }

    void setsARowNoHigherThanNeeded_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("expectedOffset");
        QTest::newRow("lower by one") << -1 << 0;
        QTest::newRow("exactly as high") << 0 << 0;
        QTest::newRow("higher by one") << 1 << 1;
    }

    void setsARowNoHigherThanNeeded() {
        QFETCH(int, offset);
        QFETCH(int, expectedOffset);
        Window w;
        const QString text = QStringLiteral("Deceamber");
        const int neededHeight = w.fit(text, 1, 9).second;
        QVERIFY(neededHeight > 50);
        w.grid.setRowHeight(9, neededHeight + offset);
        Module1::WriteCell(w.grid, 1, 9, false, false, 10, true, text, *w.font, 0);
        QCOMPARE(w.grid.rowHeight(9), neededHeight + expectedOffset);
    }

    void measuresAKeptSizeAtItsWholeSize_data() {
        QTest::addColumn<float>("cellSize");
        QTest::addColumn<int>("measuredSize");
        QTest::newRow("8.25 rounds down") << 8.25f << 8;
        QTest::newRow("8.5 rounds to even 8") << 8.5f << 8;
        QTest::newRow("9.5 rounds to even 10") << 9.5f << 10;
        QTest::newRow("11.75 rounds up") << 11.75f << 12;
    }

    void measuresAKeptSizeAtItsWholeSize() {
        QFETCH(float, cellSize);
        QFETCH(int, measuredSize);
        Window w;
        w.grid.setRow(4);
        w.grid.setCol(2);
        w.grid.setCellFontSize(cellSize);
        Module1::FitCellText(QStringLiteral("12.5"), 2, 4, QString(), 1, *w.font, w.grid);
        QCOMPARE(w.grid.cellFontSize(), cellSize);
        QCOMPARE(w.font->size(), measuredSize);
        QCOMPARE(w.font->name(), QStringLiteral("Times New Roman"));
        QCOMPARE(w.font->weight(), 400);
    }

    void appliesANameThatDiffersOnlyInCase() {
        Window w;
        Module1::FitCellText(QStringLiteral("Year "), 0, 3, QStringLiteral("times new roman"), 14, *w.font, w.grid);
        QCOMPARE(w.grid.cellFontName(), QStringLiteral("times new roman"));
        QCOMPARE(w.grid.cellFontSize(), 14.0f);
        QCOMPARE(w.font->name(), QStringLiteral("times new roman"));
        QCOMPARE(w.font->size(), 14);
    }

    void fitsAnEmptyValueToTheKeptText() {
        Window w;
        w.grid.setRow(5);
        w.grid.setCol(1);
        w.grid.setText(QStringLiteral("a text wider than the default column"));
        Module1::WriteCell(w.grid, 1, 5, false, false, 10, true, QString(), *w.font, 0);
        QCOMPARE(w.grid.text(), QStringLiteral("a text wider than the default column"));
        QVERIFY(w.grid.colWidth(1) > FlexGridModel::kDefaultColWidthTwips);

        Module1::WriteCell(w.grid, 1, 5, false, false, 10, false, QString(), *w.font, 0);
        QCOMPARE(w.grid.text(), QString());
    }

    void measuresNothingForAnEmptyValueOnAnEmptyCell() {
        Window w;
        w.font->setSize(30);
        w.grid.setColWidth(2, 17);
        w.grid.setRowHeight(6, 19);
        Module1::WriteCell(w.grid, 2, 6, true, false, 14, true, QString(), *w.font, 65535);
        QCOMPARE(w.grid.text(), QString());
        QCOMPARE(w.grid.colWidth(2), 17);
        QCOMPARE(w.grid.rowHeight(6), 19);
        QCOMPARE(w.font->size(), 30);
        // The formats before the measuring step still reach the cell.
        QVERIFY(w.grid.cellFontBold());
        QCOMPARE(w.grid.cellBackColor(), 65535u);
        QCOMPARE(w.grid.cellFontSize(), 14.0f);
    }

    void setGridSizeKeepsACountOfZero() {
        Window w;
        Module1::WriteCell(w.grid, 4, 2, false, false, 10, false, QStringLiteral("kept"), *w.font, 0);
        Module1::WriteCell(w.grid, 4, 19, false, false, 10, false, QStringLiteral("dropped"), *w.font, 0);
        w.grid.flush();

        Module1::SetGridSize(0, 0, w.grid);
        QVERIFY(!w.grid.gridModel()->hasPendingChanges());
        QCOMPARE(w.grid.rows(), 20);
        QCOMPARE(w.grid.textAt(19, 4), QStringLiteral("dropped"));

        Module1::SetGridSize(0, 3, w.grid);
        QCOMPARE(w.grid.cols(), 5);
        QCOMPARE(w.grid.rows(), 3);
        QCOMPARE(w.grid.textAt(2, 4), QStringLiteral("kept"));
        Module1::SetGridSize(0, 20, w.grid);
        QCOMPARE(w.grid.textAt(19, 4), QString());
    }
};

QTEST_MAIN(TestModule1)
#include "tst_module1.moc"
