#include "FlexGrid.h"
#include "GridKeys.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QLineEdit>
#include <QTest>

namespace {

// A window holding the grid with its key handler connected, and a text box after it in the tab order.
struct Window {
    QWidget form;
    FlexGrid* grid = new FlexGrid(&form);
    QLineEdit* nextBox = new QLineEdit(&form);
    QList<std::int16_t> codes;

    Window(int rows, int cols) {
        grid->setGeometry(0, 0, 500, 250);
        nextBox->setGeometry(0, 260, 200, 30);
        QObject::connect(grid, &FlexGrid::keyPressed, grid, [this](std::int16_t& keyAscii) {
            codes.append(keyAscii);
            MSHFlexGrid1_KeyPress(*grid, keyAscii);
        });
        grid->setRows(rows);
        grid->setCols(cols);
        form.resize(500, 300);
        form.show();
        form.activateWindow();
        grid->setFocus();
    }

    void select(int row, int col) {
        grid->setRow(row);
        grid->setCol(col);
    }

    void put(int row, int col, const QString& text) {
        select(row, col);
        grid->setText(text);
    }
};

} // namespace

class TestGridKeys : public QObject {
    Q_OBJECT

private slots:
    void enterMovesTheCurrentCell_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QPoint>("from"); // (column, row)
        QTest::addColumn<QPoint>("to");
        QTest::newRow("5 columns, column 1 jumps to the last") << 6 << 5 << QPoint(1, 3) << QPoint(4, 3);
        QTest::newRow("5 columns, last column goes down") << 6 << 5 << QPoint(4, 3) << QPoint(0, 4);
        QTest::newRow("last cell wraps to row 1") << 6 << 5 << QPoint(4, 5) << QPoint(0, 1);
        QTest::newRow("2 columns, column 0 to column 1") << 6 << 2 << QPoint(0, 2) << QPoint(1, 2);
        QTest::newRow("2 columns, column 1 goes down") << 6 << 2 << QPoint(1, 2) << QPoint(0, 3);
        QTest::newRow("fixed row, last column goes down") << 6 << 5 << QPoint(4, 0) << QPoint(0, 1);
        QTest::newRow("1 column goes straight down") << 6 << 1 << QPoint(0, 4) << QPoint(0, 5);
    }

    void enterMovesTheCurrentCell() {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        Window w(rows, cols);
        w.select(from.y(), from.x());
        QTest::keyClick(w.grid, Qt::Key_Return);
        QCOMPARE(w.codes, QList<std::int16_t>{13});
        QCOMPARE(w.grid->col(), to.x());
        QCOMPARE(w.grid->row(), to.y());
        // The view follows once control is back in the event loop.
        QCoreApplication::processEvents();
        QCOMPARE(w.grid->currentIndex(), w.grid->model()->index(to.y(), to.x()));
    }

    void typingAppendsOutsideTheFixedRowAndColumn_data() {
        QTest::addColumn<QPoint>("cell"); // (column, row)
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("5 after 12") << QPoint(1, 2) << QStringLiteral("12") << QStringLiteral("5")
                                    << QStringLiteral("125");
        QTest::newRow("blank and letters")
            << QPoint(3, 4) << QString() << QStringLiteral("a B") << QStringLiteral("a B");
        QTest::newRow("accented letter") << QPoint(1, 1) << QStringLiteral("caf") << QStringLiteral("é")
                                         << QStringLiteral("café");
        QTest::newRow("euro sign") << QPoint(2, 1) << QStringLiteral("5") << QStringLiteral("€")
                                   << QStringLiteral("5€");
        QTest::newRow("character outside the Western set")
            << QPoint(1, 1) << QStringLiteral("x") << QStringLiteral("Ω") << QStringLiteral("x");
        QTest::newRow("column 0") << QPoint(0, 3) << QStringLiteral("Tax: ") << QStringLiteral("9")
                                  << QStringLiteral("Tax: ");
        QTest::newRow("row 0") << QPoint(2, 0) << QStringLiteral("Interest ") << QStringLiteral("x")
                               << QStringLiteral("Interest ");
    }

    void typingAppendsOutsideTheFixedRowAndColumn() {
        QFETCH(QPoint, cell);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Window w(6, 5);
        w.put(cell.y(), cell.x(), before);
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, w.grid, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(w.grid->textAt(cell.y(), cell.x()), after);
        QCOMPARE(w.grid->row(), cell.y());
        QCOMPARE(w.grid->col(), cell.x());
    }

    void backspaceDropsTheLastCharacter_data() {
        QTest::addColumn<QPoint>("cell"); // (column, row)
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("125") << QPoint(1, 2) << QStringLiteral("125") << QStringLiteral("12");
        QTest::newRow("trailing blank goes") << QPoint(1, 2) << QStringLiteral("12 ") << QStringLiteral("12");
        QTest::newRow("leading blank stays") << QPoint(1, 2) << QStringLiteral(" 1") << QStringLiteral(" ");
        QTest::newRow("blanks only stay") << QPoint(1, 2) << QStringLiteral("   ") << QStringLiteral("   ");
        QTest::newRow("empty stays") << QPoint(1, 2) << QString() << QString();
        QTest::newRow("row 0 shortens") << QPoint(3, 0) << QStringLiteral("Principal ") << QStringLiteral("Principal");
        QTest::newRow("column 0 shortens") << QPoint(0, 4) << QStringLiteral("Tax: ") << QStringLiteral("Tax:");
    }

    void backspaceDropsTheLastCharacter() {
        QFETCH(QPoint, cell);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Window w(6, 5);
        w.put(cell.y(), cell.x(), before);
        QTest::keyClick(w.grid, Qt::Key_Backspace);
        QCOMPARE(w.codes, QList<std::int16_t>{8});
        QCOMPARE(w.grid->textAt(cell.y(), cell.x()), after);
    }

    void otherControlCodesChangeNothing() {
        Window w(6, 5);
        w.put(2, 2, QStringLiteral("1199.1"));
        QTest::keyClick(w.grid, Qt::Key_Escape);
        QTest::keyClick(w.grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(w.codes, (QList<std::int16_t>{27, 3}));
        QCOMPARE(w.grid->text(), QStringLiteral("1199.1"));
        QCOMPARE(w.grid->row(), 2);
        QCOMPARE(w.grid->col(), 2);
    }

    void editingKeepsFormatsAndSizes() {
        Window w(6, 5);
        w.put(3, 2, QStringLiteral("1"));
        w.grid->setCellFontBold(true);
        w.grid->setCellFontSize(10.0f);
        w.grid->setCellBackColor(255);
        w.grid->setCellForeColor(16777215);
        w.grid->setCellAlignment(1);
        const int width = w.grid->colWidth(2);
        const int height = w.grid->rowHeight(3);
        QTest::keyClicks(w.grid, QStringLiteral("234567890 a longer text than the column"));
        QTest::keyClick(w.grid, Qt::Key_Backspace);
        QCOMPARE(w.grid->text(), QStringLiteral("1234567890 a longer text than the colum"));
        QVERIFY(w.grid->cellFontBold());
        QCOMPARE(w.grid->cellFontSize(), 10.0f);
        QCOMPARE(w.grid->cellBackColor(), 255u);
        QCOMPARE(w.grid->cellForeColor(), 16777215u);
        QCOMPARE(w.grid->cellAlignment(), std::int16_t{1});
        QCOMPARE(w.grid->colWidth(2), width);
        QCOMPARE(w.grid->rowHeight(3), height);
    }

    void navigationKeysStillMoveAndReportNothing() {
        Window w(6, 5);
        w.select(2, 1);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QTest::keyClick(w.grid, Qt::Key_Right);
        QTest::keyClick(w.grid, Qt::Key_Right);
        QCOMPARE(w.grid->row(), 3);
        QCOMPARE(w.grid->col(), 3);
        QTest::keyClick(w.grid, Qt::Key_Home);
        QCOMPARE(w.grid->col(), 0);
        // The fixed row is out of the arrows' reach.
        QTest::keyClick(w.grid, Qt::Key_Up);
        QTest::keyClick(w.grid, Qt::Key_Up);
        QTest::keyClick(w.grid, Qt::Key_Up);
        QCOMPARE(w.grid->row(), 1);
        QTest::keyClick(w.grid, Qt::Key_PageDown);
        QCOMPARE(w.grid->row(), 5);
        QTest::keyClick(w.grid, Qt::Key_PageUp);
        QCOMPARE(w.grid->row(), 1);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QCOMPARE(w.grid->row(), 3);
        QTest::keyClick(w.grid, Qt::Key_Delete);
        QTest::keyClick(w.grid, Qt::Key_F5);
        QVERIFY(w.codes.isEmpty());
        // Typing goes into the cell the arrows reached.
        QTest::keyClick(w.grid, Qt::Key_Right);
        QTest::keyClick(w.grid, Qt::Key_7);
        QCOMPARE(w.grid->textAt(3, 1), QStringLiteral("7"));
    }

    void tabLeavesTheGrid() {
        Window w(6, 5);
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        w.grid->setFocus();
        QVERIFY(w.grid->hasFocus());
        QTest::keyClick(w.grid, Qt::Key_Tab);
        QVERIFY(w.nextBox->hasFocus());
        QTest::keyClick(w.nextBox, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(w.grid->hasFocus());
        QVERIFY(w.codes.isEmpty());
    }

    void screenReadersHearTheEditedText() {
        QAccessible::setActive(true);
        Window w(6, 5);
        w.put(4, 3, QStringLiteral("1896.2"));
        QTest::keyClick(w.grid, Qt::Key_Backspace);
        QTest::keyClick(w.grid, Qt::Key_5);
        QCoreApplication::processEvents();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.grid);
        QVERIFY(table != nullptr && table->tableInterface() != nullptr);
        QAccessibleInterface* cell = table->tableInterface()->cellAt(4, 3);
        QVERIFY(cell != nullptr);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("1896.5"));
    }
};

QTEST_MAIN(TestGridKeys)
#include "tst_gridkeys.moc"
