#include "FlexGrid.h"
#include "GridKeys.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QLineEdit>
#include <QTest>

namespace {

// A window holding a 6 x 5 grid with its key handler connected, and a text box after it in the tab order.
struct Window {
    QWidget form;
    FlexGrid* grid = new FlexGrid(&form);
    QLineEdit* nextBox = new QLineEdit(&form);
    QList<int> codes;

    explicit Window(int cols = 5) {
        grid->setGeometry(0, 0, 500, 250);
        nextBox->setGeometry(0, 260, 200, 30);
        QObject::connect(grid, &FlexGrid::keyPressed, grid, [this](std::int16_t& keyAscii) {
            codes.append(keyAscii);
            MSHFlexGrid1_KeyPress(*grid, keyAscii);
        });
        grid->setRows(6);
        grid->setCols(cols);
        form.show();
        grid->setFocus();
    }
    void put(QPoint cell, const QString& text) // cell is (column, row)
    {
        grid->setRow(cell.y());
        grid->setCol(cell.x());
        grid->setText(text);
    }
    QPoint current() const { return QPoint(grid->col(), grid->row()); }
};

} // namespace

class TestGridKeys : public QObject {
    Q_OBJECT

private slots:
    void enterMovesTheCurrentCell_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<QPoint>("from"); // (column, row)
        QTest::addColumn<QPoint>("to");
        const auto row = [](const char* name, int cols, QPoint from, QPoint to) {
            QTest::newRow(name) << cols << from << to;
        };
        row("column 1 jumps to the last", 5, {1, 3}, {4, 3});
        row("last column goes down", 5, {4, 3}, {0, 4});
        row("last cell wraps to row 1", 5, {4, 5}, {0, 1});
        row("2 columns, column 0 to 1", 2, {0, 2}, {1, 2});
        row("2 columns, column 1 goes down", 2, {1, 2}, {0, 3});
    }

    void enterMovesTheCurrentCell() {
        QFETCH(int, cols);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        Window w(cols);
        w.put(from, QStringLiteral("x"));
        QTest::keyClick(w.grid, Qt::Key_Return);
        QCOMPARE(w.codes, QList<int>{13});
        QCOMPARE(w.current(), to);
        QCOMPARE(w.grid->textAt(from.y(), from.x()), QStringLiteral("x"));
        QCoreApplication::processEvents();
        QCOMPARE(w.grid->currentIndex(), w.grid->model()->index(to.y(), to.x()));
    }

    void editsTheCurrentCellsText_data() {
        QTest::addColumn<QPoint>("cell"); // (column, row)
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed"); // '<' stands for Backspace, '^' for Ctrl+Backspace, '@' for Alt+A
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, QPoint cell, const char* before, const char* typed, const char* after) {
            QTest::newRow(name) << cell << QString::fromUtf8(before) << QString::fromUtf8(typed)
                                << QString::fromUtf8(after);
        };
        row("5 after 12", {1, 2}, "12", "5", "125");
        row("accent and euro", {3, 4}, "caf", "é€", "café€");
        row("outside the Western set", {1, 1}, "x", "Ω", "x");
        row("typing in column 0", {0, 3}, "Tax: ", "9", "Tax: ");
        row("typing in row 0", {2, 0}, "Interest ", "x", "Interest ");
        row("backspace on 125", {1, 2}, "125", "<", "12");
        row("backspace drops a trailing blank", {1, 2}, "12 ", "<", "12");
        row("backspace on blanks", {1, 2}, "   ", "<", "   ");
        row("backspace on empty", {1, 2}, "", "<", "");
        row("backspace in row 0", {3, 0}, "Principal ", "<<", "Principa");
        row("backspace in column 0", {0, 4}, "Tax: ", "<", "Tax:");
        row("backspace takes a whole emoji", {1, 2}, "5\xF0\x9F\x98\x80", "<", "5");
        row("ctrl+backspace and alt+a type nothing", {1, 2}, "12", "^@", "12");
    }

    void editsTheCurrentCellsText() {
        QFETCH(QPoint, cell);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Window w;
        w.put(cell, before);
        for (const QChar c : typed) {
            if (c == QLatin1Char('<'))
                QTest::keyClick(w.grid, Qt::Key_Backspace);
            else if (c == QLatin1Char('^'))
                QTest::sendKeyEvent(QTest::Click, w.grid, Qt::Key_Backspace, QStringLiteral("\x7f"),
                                    Qt::ControlModifier);
            else if (c == QLatin1Char('@'))
                QTest::sendKeyEvent(QTest::Click, w.grid, Qt::Key_A, QStringLiteral("a"), Qt::AltModifier);
            else
                QTest::sendKeyEvent(QTest::Click, w.grid, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QCOMPARE(w.grid->textAt(cell.y(), cell.x()), after);
        QCOMPARE(w.current(), cell);
    }

    void editingKeepsFormatsAndScreenReadersHearIt() {
        QAccessible::setActive(true);
        Window w;
        w.put(QPoint(2, 3), QStringLiteral("1896.2"));
        w.grid->setCellFontBold(true);
        w.grid->setCellBackColor(255);
        w.grid->setCellAlignment(1);
        const int width = w.grid->colWidth(2);
        QTest::keyClick(w.grid, Qt::Key_Backspace);
        QTest::keyClicks(w.grid, QStringLiteral("5 and a text longer than the column"));
        QTest::keyClick(w.grid, Qt::Key_Escape);
        QTest::keyClick(w.grid, Qt::Key_C, Qt::ControlModifier);
        const QString edited = QStringLiteral("1896.5 and a text longer than the column");
        QCOMPARE(w.grid->text(), edited);
        QVERIFY(w.grid->cellFontBold());
        QCOMPARE(w.grid->cellBackColor(), 255u);
        QCOMPARE(w.grid->cellAlignment(), std::int16_t{1});
        QCOMPARE(w.grid->colWidth(2), width);
        QCOMPARE(w.codes.mid(w.codes.size() - 2), (QList<int>{27, 3}));

        QCoreApplication::processEvents();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.grid);
        QVERIFY(table != nullptr && table->tableInterface() != nullptr);
        QCOMPARE(table->tableInterface()->cellAt(3, 2)->text(QAccessible::Name), edited);
    }

    void selectsABlockWhileTypingStillEditsTheCurrentCell() {
        Window w;
        w.put(QPoint(1, 2), QStringLiteral("12"));
        QTest::keyClick(w.grid, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(w.grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w.grid->selectedBlock(), QRect(1, 2, 2, 2)); // columns as x, rows as y
        // Ctrl+A and Ctrl+C reach the handler, which leaves them alone; typing edits the current cell.
        QTest::keyClick(w.grid, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.grid->selectedBlock(), QRect(0, 0, 5, 6));
        QTest::keyClick(w.grid, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(w.grid, Qt::Key_9);
        QCOMPARE(w.codes, (QList<int>{1, 3, 57}));
        QCOMPARE(QStringList({w.grid->textAt(2, 1), w.grid->textAt(3, 2)}), QStringList({"12", "9"}));
        // Enter moves the current cell to the last column, alone selected; the next block starts there.
        QTest::keyClick(w.grid, Qt::Key_Return);
        QTest::keyClick(w.grid, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(w.grid->selectedBlock(), QRect(4, 2, 1, 2));
    }

    void navigationKeysStillMoveAndTabLeaves() {
        Window w;
        w.put(QPoint(1, 2), QString());
        QTest::keyClick(w.grid, Qt::Key_Down);
        QTest::keyClick(w.grid, Qt::Key_Right);
        QCOMPARE(w.current(), QPoint(2, 3));
        QTest::keyClick(w.grid, Qt::Key_Home);
        QTest::keyClick(w.grid, Qt::Key_PageDown);
        QCOMPARE(w.current(), QPoint(0, 5));
        // The fixed row is out of the arrows' reach.
        QTest::keyClick(w.grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(w.grid, Qt::Key_Up);
        QCOMPARE(w.current(), QPoint(0, 1));
        QTest::keyClick(w.grid, Qt::Key_Delete);
        QTest::keyClick(w.grid, Qt::Key_F5);
        QVERIFY(w.codes.isEmpty());
        QTest::keyClick(w.grid, Qt::Key_Right);
        QTest::keyClick(w.grid, Qt::Key_7);
        QCOMPARE(w.grid->textAt(1, 1), QStringLiteral("7"));

        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        w.grid->setFocus();
        QTest::keyClick(w.grid, Qt::Key_Tab);
        QVERIFY(w.nextBox->hasFocus());
        QTest::keyClick(w.nextBox, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(w.grid->hasFocus());
        QCOMPARE(w.codes, QList<int>{55});
    }
};

QTEST_MAIN(TestGridKeys)
#include "tst_gridkeys.moc"
