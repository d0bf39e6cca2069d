// The grid written out: CSV fields, how rows fall onto pages, and a PDF export that cannot finish.
#include "export/GridCsv.h"
#include "export/PdfExport.h"
#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"
#include "grid/FlexGridModel.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class TestGridExport : public QObject {
    Q_OBJECT

private slots:
    // One row holding every case: blanks kept, commas and line breaks (a lone CR too) quoted, quotes doubled,
    // UTF-8; row 0 goes out too, every record ends in CR LF, empty cells stay empty fields.
    void csvQuotesWhatWouldBreakAField() {
        FlexGrid grid;
        grid.setCols(7);
        const QStringList texts{" Year  ", "1,200", "say \"6 %\"", "a\nb", "a\rb", "Zürich € 𝄞"};
        for (int col = 0; col < texts.size(); ++col)
            grid.gridModel()->setText(0, col, texts[col]);
        QCOMPARE(GridCsv::document(*grid.gridModel()), " Year  ,\"1,200\",\"say \"\"6 %\"\"\",\"a\nb\",\"a\rb\","
                                                       "Z\xc3\xbcrich \xe2\x82\xac \xf0\x9d\x84\x9e,\r\n,,,,,,\r\n");
    }

    void pagesBreakBetweenRowsAndRepeatTheHeader_data() {
        QTest::addColumn<QList<int>>("rowHeights"); // twips
        QTest::addColumn<int>("headerRow");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("header repeats") << QList<int>(10, 240) << 2
                                        << QStringList{"rows 0-3", "header, rows 4-6", "header, rows 7-9"};
        QTest::newRow("header opening a page is not doubled")
            << QList<int>(10, 240) << 4 << QStringList{"rows 0-3", "rows 4-7", "header, rows 8-9"};
        QTest::newRow("no header named") << QList<int>(10, 240) << -1
                                         << QStringList{"rows 0-3", "rows 4-7", "rows 8-9"};
        QTest::newRow("a row taller than the page stands alone; exact fit")
            << QList<int>{4000, 240, 240, 240, 280, 240} << -1 << QStringList{"rows 0-0", "rows 1-4", "rows 5-5"};
    }
    // The default two columns of 48 points on a page 192 points wide: everything doubles, so a 240-twip
    // row is 24 points high and the 100 points above the footer hold four.
    void pagesBreakBetweenRowsAndRepeatTheHeader() {
        QFETCH(QList<int>, rowHeights);
        QFETCH(int, headerRow);
        FlexGrid grid;
        grid.setRows(static_cast<int>(rowHeights.size()));
        for (int row = 0; row < grid.rows(); ++row)
            grid.setRowHeight(row, rowHeights[row]);
        // A heading's text makes no header row; only the row the layout names does.
        grid.gridModel()->setText(2, 0, QStringLiteral("Year "));
        grid.gridModel()->setHeaderRow(headerRow);
        const PrintLayout layout(*grid.gridModel(), QSizeF(192.0, 100.0 + PrintLayout::kFooterHeightPoints));
        QCOMPARE(layout.colWidthPoints(0) + layout.colWidthPoints(1), 192.0); // the columns span the page
        QStringList pages;
        for (const PrintLayout::Page& page : layout.pages())
            pages << QStringLiteral("%1rows %2-%3")
                         .arg(page.repeatsHeader ? "header, " : "")
                         .arg(page.firstRow)
                         .arg(page.endRow - 1);
        QTEST(pages, "pages");
    }

    // Cutting the grid back above its header row drops the header: the rows added again print plainly.
    void aGridCutAboveItsHeaderRowPrintsNoHeader() {
        FlexGrid grid;
        grid.setRows(10);
        grid.gridModel()->setHeaderRow(2);
        grid.setRows(2);
        grid.setRows(10);
        const PrintLayout layout(*grid.gridModel(), QSizeF(192.0, 100.0 + PrintLayout::kFooterHeightPoints));
        QCOMPARE(layout.headerRow(), -1);
        QCOMPARE(layout.pageCount(), 3);
        QVERIFY(!layout.pages()[1].repeatsHeader && !layout.pages()[2].repeatsHeader);
    }

    // A cancelled export leaves the folder as it was: an earlier file keeps its contents and no temporary
    // file is left beside it.
    void aCancelledPdfLeavesTheFolderAsItWas() {
        QTemporaryDir folder;
        QFile earlier(folder.filePath(QStringLiteral("loan.pdf")));
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        FlexGrid grid;
        grid.setRows(300);
        QVERIFY(PdfExport::write(grid, earlier.fileName(), PrintLayout::pageLayoutFor(QLocale(QLocale::German)),
                                 [](int pagesDone, int) { return pagesDone < 2; })
                    .status == PdfExport::Outcome::Status::Cancelled);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"loan.pdf"});
        QVERIFY(earlier.open(QIODevice::ReadOnly) && earlier.readAll() == "earlier");
    }
};

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"
