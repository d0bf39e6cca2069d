#pragma once

#include <QRect>
#include <QString>
#include <QTableView>

#include <cstdint>

class FixedRowHeader;
class FlexGridModel;

// The result grid: a rectangle of cells with one current cell, per-cell text, font, colours and
// alignment, per-column widths and per-row heights (in twips), and one fixed row at the top that stays
// put while the rest scrolls. Every property acts as the spreadsheet-like grid control it replaces:
// an index outside the counts is refused with a RuntimeError of kind GridIndex; shrinking Rows or Cols
// drops those cells; a colour of 0 means the grid's default colour for that cell.
//
// Colours are 24-bit values with red in the low byte (255 red, 65535 yellow, 16777215 white).
//
// Writes are cheap: a handler may write thousands of cells and the view is told once, when control
// returns to the event loop (or at flush()); reads always see every write at once.
//
// Row 0 is drawn by the table's horizontal header (FixedRowHeader) and hidden among the table's rows,
// so it stays at the top while the rest scrolls; it is still a row of the model, so it can be the
// current cell and screen readers read its cells like any other. The arrow keys never enter it.
//
// The user selects a block of cells by dragging, Shift+click, Shift+arrow keys or Ctrl+A; the moving end
// of the block is the current cell, the one typing edits, and a move of the current cell by the program
// leaves that cell alone selected. The context menu (right click, the Menu key, Shift+F10) lists the
// grid's actions(), so the window adds its entries with addAction().
// A new grid has 2 rows and 2 columns, row 1 column 0 current, columns 960 twips wide and rows
// 240 twips high (room for the grid's 8.25-point font), and the design-time colours and font.
class FlexGrid : public QTableView {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);

    // The current cell.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);

    // Properties of the current cell.
    QString text() const;
    void setText(const QString& text);
    QString cellFontName() const;
    void setCellFontName(const QString& name);
    float cellFontSize() const;
    void setCellFontSize(float points);
    bool cellFontBold() const;
    void setCellFontBold(bool bold);
    bool cellFontItalic() const;
    void setCellFontItalic(bool italic);
    std::uint32_t cellBackColor() const; // 0 = the grid's default
    void setCellBackColor(std::uint32_t color);
    std::uint32_t cellForeColor() const; // 0 = the grid's default
    void setCellForeColor(std::uint32_t color);
    std::int16_t cellAlignment() const; // 0 = the grid's default; 1 = left, vertically centred
    void setCellAlignment(std::int16_t alignment);

    // Widths and heights in twips.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);

    // Read-only access to any cell without moving the current cell (for the window and for tests).
    QString textAt(int row, int col) const;

    // The selected block, columns as x and rows as y, or the current cell alone when no more than one
    // cell is selected.
    QRect selectedBlock() const;

    // The grid's own font ("Times New Roman", 8.25 pt at design time), used by cells without their own.
    QString defaultFontName() const;
    float defaultFontSize() const;

    // Pushes pending writes to the view now: one model signal, one relayout.
    void flush();
    // Scrolls the view to the grid's top rows and first column; the current cell stays where it is.
    void showTopLeft();

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    FlexGridModel* gridModel() const;

signals:
    // A character typed while the grid has the focus, as its typed-character code (Enter 13,
    // Backspace 8, printable characters their Western single-byte code). Keys that type no character
    // keep their usual navigation and are not reported. A Ctrl key that types a code and is also the
    // shortcut of an action of the grid or of its window (Ctrl+C is 3 and Copy) is reported first and
    // then triggers the action; Ctrl+A selects the whole grid when no action takes it. The window connects its key
    // handler here (MSHFlexGrid1_KeyPress); the connected code runs inside the key event, so it must catch a
    // RuntimeError itself (the window's event boundary) rather than let it leave the event.
    void keyPressed(std::int16_t& code);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    void checkRow(int row) const;
    void checkCol(int col) const;
    void checkCount(int rows, int cols) const;
    template <typename Change> void changeStyle(Change change);
    void moveCurrent(int row, int col);
    void scheduleFlush();
    void applySizes();
    void applyCurrent();
    void followPalette();
    void openContextMenuAtCurrentCell();

    FlexGridModel* m_model = nullptr;
    FixedRowHeader* m_fixedRow = nullptr;
    // The current cell as the program last set it or the user last moved it; the view follows at flush().
    int m_row = 0;
    int m_col = 0;
    bool m_currentPending = false;
    bool m_flushScheduled = false;
    bool m_syncingCurrent = false;
};
