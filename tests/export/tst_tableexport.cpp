// Any table taken out of the program: the tab-separated copy shared with the grid, and the pages of a
// printed table with their "Page N of M" footers.
#include "export/GridClipboard.h"
#include "export/TableExport.h"
#include "grid/FlexGrid.h"
#include "grid/FlexGridModel.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestTableExport : public QObject {
    Q_OBJECT

private:
    // A table of "row 1" to "row N" under the header "Row", "Amount".
    static std::unique_ptr<QStandardItemModel> numberedRows(int rows) {
        auto model = std::make_unique<QStandardItemModel>(rows, 2);
        model->setHorizontalHeaderLabels({QStringLiteral("Row"), QStringLiteral("Amount")});
        for (int row = 0; row < rows; ++row) {
            model->setItem(row, 0, new QStandardItem(QStringLiteral("row %1").arg(row + 1)));
            model->setItem(row, 1, new QStandardItem(QStringLiteral("%1.00").arg(row * 10)));
        }
        return model;
    }

    // The text of each page of the table painted on A4, as pdftotext reads it back. The writer counts 72
    // dots to the inch, so that a dot is a point.
    QStringList printedPages(const QAbstractItemModel& model) {
        const QString path = m_folder.filePath(QStringLiteral("table.pdf"));
        {
            QPdfWriter writer(path);
            writer.setResolution(72);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(36, 36, 36, 36),
                                             QPageLayout::Point));
            QPainter painter(&writer);
            TableExport::paint(model, QStringLiteral("Numbered rows"), painter, writer);
        }
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {"-layout", path, "-"});
        if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
            return {QStringLiteral("pdftotext failed")};
        QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
        pages.removeLast(); // the text after the last page's form feed
        return pages;
    }

    // The footers of the table's printed pages.
    QStringList footers(int rows) {
        QStringList found;
        const QRegularExpression footer(QStringLiteral("Page \\d+ of \\d+"));
        for (const QString& page : printedPages(*numberedRows(rows)))
            found << footer.match(page.simplified()).captured();
        return found;
    }

    static QStringList expectedFooters(int pageCount) {
        QStringList footers;
        for (int page = 1; page <= pageCount; ++page)
            footers << QStringLiteral("Page %1 of %2").arg(page).arg(pageCount);
        return footers;
    }

    // How many numbered rows a page shows.
    static int rowsOn(const QString& page) {
        return int(page.count(QRegularExpression(QStringLiteral("\\brow \\d+\\b"))));
    }

    QTemporaryDir m_folder;
    int m_rowsOnFirstPage = 0;
    int m_rowsOnLaterPage = 0;

private slots:
    // How many rows a page holds, read from a long table's print, for the page breaks tested below.
    void initTestCase() {
        const QStringList pages = printedPages(*numberedRows(130));
        QVERIFY(pages.size() >= 3);
        m_rowsOnFirstPage = rowsOn(pages[0]);
        m_rowsOnLaterPage = rowsOn(pages[1]);
    }

    void tabFieldsQuoteOnlyWhatWouldSplitACell_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain, blanks kept") << " Year  "
                                            << " Year  ";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("a quote inside") << "say \"6 %\""
                                        << "say \"6 %\"";
        QTest::newRow("a leading quote") << "\"6 %\" said"
                                         << "\"\"\"6 %\"\" said\"";
        QTest::newRow("a tab") << "a\tb"
                               << "\"a\tb\"";
        QTest::newRow("a line feed") << "a\nb"
                                     << "\"a\nb\"";
        QTest::newRow("a lone carriage return") << "a\rb"
                                                << "\"a\rb\"";
        QTest::newRow("commas need nothing") << "1,200"
                                             << "1,200";
    }
    void tabFieldsQuoteOnlyWhatWouldSplitACell() {
        QFETCH(QString, text);
        QTEST(GridClipboard::tabField(text), "field");
    }

    // The grid's copy and a table's copy write the same field for the same text.
    void theGridAndATableCopyAQuotedCellAlike() {
        FlexGrid grid;
        grid.setRows(1);
        grid.setCols(2);
        grid.gridModel()->setText(0, 0, QStringLiteral("Year"));
        grid.gridModel()->setText(0, 1, QStringLiteral("two\tparts"));
        QStandardItemModel table(0, 2);
        table.setHorizontalHeaderLabels({QStringLiteral("Year"), QStringLiteral("two\tparts")});
        QCOMPARE(GridClipboard::plainText(grid, QRect(0, 0, 2, 1)), QStringLiteral("Year\t\"two\tparts\"\n"));
        QCOMPARE(TableExport::plainText(table), QStringLiteral("Year\t\"two\tparts\"\n"));
    }

    // A long table on A4: the title on the first page only, the header at the top of every page, each row
    // printed once and in order, and every page's footer counting all of them.
    void aLongTablePrintsEveryRowOnceUnderItsHeader() {
        const int rows = 130;
        const QStringList pages = printedPages(*numberedRows(rows));
        QVERIFY(pages.size() >= 3);
        QCOMPARE(footers(rows), expectedFooters(int(pages.size())));
        QString allRows;
        for (qsizetype page = 0; page < pages.size(); ++page) {
            const QString text = pages[page].simplified();
            QCOMPARE(text.startsWith(QStringLiteral("Numbered rows Row Amount")), page == 0);
            QVERIFY2(text.startsWith(QStringLiteral("Row Amount")) || page == 0, qPrintable(text.left(60)));
            QVERIFY(text.endsWith(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size())));
            QVERIFY(rowsOn(text) > 0);
            allRows += text;
        }
        for (int row = 1; row <= rows; ++row) {
            const QString line = QStringLiteral("row %1 %2.00 ").arg(row).arg((row - 1) * 10);
            QCOMPARE(allRows.count(line), 1);
            if (row > 1)
                QVERIFY(allRows.indexOf(line) > allRows.indexOf(QStringLiteral("row %1 ").arg(row - 1)));
        }
        // The title takes the room of two rows on the first page.
        QCOMPARE(rowsOn(pages[0]), rowsOn(pages[1]) - 2);
    }

    // Pages are counted right at every break: a page filled exactly takes no empty page after it, and one
    // row more starts a new one.
    void pagesAreCountedAtTheirBreaks() {
        QVERIFY(m_rowsOnFirstPage > 10);
        const int first = m_rowsOnFirstPage;
        const int later = m_rowsOnLaterPage;
        QCOMPARE(footers(0), expectedFooters(1));
        QCOMPARE(footers(first), expectedFooters(1));
        QCOMPARE(footers(first + 1), expectedFooters(2));
        QCOMPARE(footers(first + later), expectedFooters(2));
        QCOMPARE(footers(first + later + 1), expectedFooters(3));
        QCOMPARE(footers(first + 2 * later), expectedFooters(3));
        QCOMPARE(footers(first + 2 * later + 1), expectedFooters(4));
    }

    // The copy's HTML: the header row, then every row, a row the model shows in bold bold in every cell.
    void theHtmlCopyHasTheHeaderAndEveryRowBoldWhereTheModelIs() {
        auto model = numberedRows(2);
        QFont bold;
        bold.setBold(true);
        model->item(1, 0)->setFont(bold);
        QCOMPARE(TableExport::html(*model), QStringLiteral("<table>\n"
                                                           "<tr><th>Row</th><th>Amount</th></tr>\n"
                                                           "<tr><td>row 1</td><td>0.00</td></tr>\n"
                                                           "<tr><td><b>row 2</b></td><td><b>10.00</b></td></tr>\n"
                                                           "</table>\n"));
    }
};

QTEST_MAIN(TestTableExport)
#include "tst_tableexport.moc"
