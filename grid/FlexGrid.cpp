#include "grid/FlexGrid.h"

#include "grid/FixedRowHeader.h"
#include "grid/FlexGridDelegate.h"
#include "grid/FlexGridModel.h"
#include "grid/GridLineStyle.h"
#include "grid/ShortcutAction.h"
#include "grid/Twips.h"
#include "grid/TypedCharacter.h"
#include "numbers/RuntimeError.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

// The grid's design-time state.
const QString kDefaultFontName = QStringLiteral("Times New Roman");
constexpr float kDefaultFontSize = 8.25f;
constexpr int kDesignRows = 2;
constexpr int kDesignCols = 2;

// A grid this large already takes tens of megabytes; beyond it a count is refused rather than
// exhausting memory. The longest schedule needs 32,767 rows of 5 columns.
constexpr long long kMaxCells = 4'000'000;
// Sections are drawn in pixels; a width or height beyond this is drawn at this size.
constexpr int kMaxSectionPixels = 1'000'000;

QString countWords(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

[[noreturn]] void refuse(const QString& message) {
    throw RuntimeError(RuntimeError::Kind::GridIndex, message);
}

FlexGridModel::CellStyle designStyle() {
    FlexGridModel::CellStyle style;
    style.fontName = kDefaultFontName;
    style.fontSize = kDefaultFontSize;
    return style;
}

// Turns a widget's updates off for a scope and back on after it. A widget whose updates are already off
// (its window's may be) is left alone, so it follows its parent again when the parent's come back on.
class UpdatesPaused {
public:
    explicit UpdatesPaused(QWidget& widget)
        : m_widget(widget)
        , m_paused(widget.updatesEnabled()) {
        if (m_paused)
            m_widget.setUpdatesEnabled(false);
    }
    ~UpdatesPaused() {
        if (m_paused)
            m_widget.setUpdatesEnabled(true);
    }
    UpdatesPaused(const UpdatesPaused&) = delete;
    UpdatesPaused& operator=(const UpdatesPaused&) = delete;

private:
    QWidget& m_widget;
    bool m_paused;
};

int sectionPixels(int twips, double twipsPerPixel) {
    const double pixels = std::round(static_cast<double>(twips) / twipsPerPixel);
    return static_cast<int>(std::clamp(pixels, 0.0, static_cast<double>(kMaxSectionPixels)));
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new FlexGridModel(designStyle(), this)) {
    QFont gridFont(kDefaultFontName);
    gridFont.setPointSizeF(kDefaultFontSize);
    setFont(gridFont);

    auto* lineStyle = new GridLineStyle;
    lineStyle->setParent(this);
    setStyle(lineStyle);

    // Normal cells and the area no cell covers are white; text, selection and the fixed row take the
    // desktop's colours for window text, highlighting and buttons, text only where it reads on white.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);

    setItemDelegate(new FlexGridDelegate(this));
    m_fixedRow = new FixedRowHeader(*this);
    setHorizontalHeader(m_fixedRow);
    setModel(m_model);
    followPalette();

    // No fixed column: the row numbers are not shown.
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    // One rectangular block at most: a spreadsheet takes a copied block as a rectangle.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(m_model, &FlexGridModel::changesPending, this, &FlexGrid::scheduleFlush);
    // Ctrl+A selects row 0 too, which the fixed-row header draws.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, m_fixedRow->viewport(),
            qOverload<>(&QWidget::update));

    m_model->resize(kDesignRows, kDesignCols);
    // The first cell below the fixed row is current, as in a freshly placed grid.
    m_row = 1;
    m_col = 0;
    m_currentPending = true;
    flush();
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::rows() const {
    return m_model->rows();
}

void FlexGrid::setRows(int rows) {
    checkCount(rows, m_model->cols());
    m_model->resize(rows, m_model->cols());
    if (m_row >= rows)
        moveCurrent(rows - 1, m_col);
}

int FlexGrid::cols() const {
    return m_model->cols();
}

void FlexGrid::setCols(int cols) {
    checkCount(m_model->rows(), cols);
    m_model->resize(m_model->rows(), cols);
    if (m_col >= cols)
        moveCurrent(m_row, cols - 1);
}

int FlexGrid::row() const {
    return m_row;
}

void FlexGrid::setRow(int row) {
    checkRow(row);
    moveCurrent(row, m_col);
}

int FlexGrid::col() const {
    return m_col;
}

void FlexGrid::setCol(int col) {
    checkCol(col);
    moveCurrent(m_row, col);
}

QString FlexGrid::text() const {
    return m_model->text(m_row, m_col);
}

void FlexGrid::setText(const QString& text) {
    m_model->setText(m_row, m_col, text);
}

template <typename Change> void FlexGrid::changeStyle(Change change) {
    FlexGridModel::CellStyle style = m_model->style(m_row, m_col);
    change(style);
    m_model->setStyle(m_row, m_col, style);
}

QString FlexGrid::cellFontName() const {
    return m_model->style(m_row, m_col).fontName;
}

void FlexGrid::setCellFontName(const QString& name) {
    changeStyle([&name](FlexGridModel::CellStyle& style) { style.fontName = name; });
}

float FlexGrid::cellFontSize() const {
    return m_model->style(m_row, m_col).fontSize;
}

void FlexGrid::setCellFontSize(float points) {
    if (!(points > 0.0f) || !std::isfinite(points))
        refuse(QStringLiteral("A font size of %1 points is not possible.").arg(static_cast<double>(points)));
    m_model->setStyleProperty(m_row, m_col, FlexGridModel::StyleProperty::FontSize,
                              std::bit_cast<std::uint32_t>(points));
}

bool FlexGrid::cellFontBold() const {
    return m_model->style(m_row, m_col).bold;
}

void FlexGrid::setCellFontBold(bool bold) {
    m_model->setStyleProperty(m_row, m_col, FlexGridModel::StyleProperty::Bold, bold ? 1 : 0);
}

bool FlexGrid::cellFontItalic() const {
    return m_model->style(m_row, m_col).italic;
}

void FlexGrid::setCellFontItalic(bool italic) {
    m_model->setStyleProperty(m_row, m_col, FlexGridModel::StyleProperty::Italic, italic ? 1 : 0);
}

std::uint32_t FlexGrid::cellBackColor() const {
    return m_model->style(m_row, m_col).backColor;
}

void FlexGrid::setCellBackColor(std::uint32_t color) {
    m_model->setStyleProperty(m_row, m_col, FlexGridModel::StyleProperty::BackColor, color);
}

std::uint32_t FlexGrid::cellForeColor() const {
    return m_model->style(m_row, m_col).foreColor;
}

void FlexGrid::setCellForeColor(std::uint32_t color) {
    m_model->setStyleProperty(m_row, m_col, FlexGridModel::StyleProperty::ForeColor, color);
}

std::int16_t FlexGrid::cellAlignment() const {
    return m_model->style(m_row, m_col).alignment;
}

void FlexGrid::setCellAlignment(std::int16_t alignment) {
    if (alignment < FlexGridModel::AlignDefault || alignment > FlexGridModel::AlignGeneral)
        refuse(QStringLiteral("A cell alignment of %1 is not possible: it must be 0 to 9.").arg(alignment));
    m_model->setStyleProperty(m_row, m_col, FlexGridModel::StyleProperty::Alignment,
                              static_cast<std::uint16_t>(alignment));
}

int FlexGrid::colWidth(int col) const {
    checkCol(col);
    return m_model->colWidth(col);
}

void FlexGrid::setColWidth(int col, int twips) {
    checkCol(col);
    // -1 gives the column back its default width.
    if (twips < -1)
        refuse(QStringLiteral("A column width of %1 twips is not possible.").arg(twips));
    m_model->setColWidth(col, twips == -1 ? FlexGridModel::kDefaultColWidthTwips : twips);
}

int FlexGrid::rowHeight(int row) const {
    checkRow(row);
    return m_model->rowHeight(row);
}

void FlexGrid::setRowHeight(int row, int twips) {
    checkRow(row);
    if (twips < -1)
        refuse(QStringLiteral("A row height of %1 twips is not possible.").arg(twips));
    m_model->setRowHeight(row, twips == -1 ? FlexGridModel::kDefaultRowHeightTwips : twips);
}

QString FlexGrid::textAt(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return m_model->text(row, col);
}

QString FlexGrid::defaultFontName() const {
    return m_model->defaultStyle().fontName;
}

float FlexGrid::defaultFontSize() const {
    return m_model->defaultStyle().fontSize;
}

QRect FlexGrid::selectedBlock() const {
    QRect block;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        block |= QRect(QPoint(range.left(), range.top()), QPoint(range.right(), range.bottom()));
    // A shrink not yet published leaves the view's selection beyond the cells.
    block &= QRect(0, 0, m_model->cols(), m_model->rows());
    if (block.width() * block.height() <= 1)
        return QRect(m_col, m_row, 1, 1);
    return block;
}

FlexGridModel* FlexGrid::gridModel() const {
    return m_model;
}

void FlexGrid::checkRow(int row) const {
    if (row < 0 || row >= m_model->rows()) {
        refuse(QStringLiteral("Row %1 is outside the grid, which has %2.")
                   .arg(row)
                   .arg(countWords(m_model->rows(), "row", "rows")));
    }
}

void FlexGrid::checkCol(int col) const {
    if (col < 0 || col >= m_model->cols()) {
        refuse(QStringLiteral("Column %1 is outside the grid, which has %2.")
                   .arg(col)
                   .arg(countWords(m_model->cols(), "column", "columns")));
    }
}

void FlexGrid::checkCount(int rows, int cols) const {
    // The fixed row always stays, and a grid without columns would have no current cell.
    if (rows < 1)
        refuse(QStringLiteral("The grid cannot have %1: it keeps at least its fixed row.")
                   .arg(countWords(rows, "row", "rows")));
    if (cols < 1)
        refuse(QStringLiteral("The grid cannot have %1: it needs at least one column.")
                   .arg(countWords(cols, "column", "columns")));
    if (static_cast<long long>(rows) * cols > kMaxCells) {
        refuse(QStringLiteral("The grid cannot hold %1 rows of %2 columns: at most %3 cells fit.")
                   .arg(rows)
                   .arg(cols)
                   .arg(kMaxCells));
    }
}

void FlexGrid::moveCurrent(int row, int col) {
    if (row == m_row && col == m_col)
        return;
    m_row = row;
    m_col = col;
    m_currentPending = true;
    scheduleFlush();
}

void FlexGrid::scheduleFlush() {
    if (m_flushScheduled)
        return;
    m_flushScheduled = true;
    QMetaObject::invokeMethod(this, &FlexGrid::flush, Qt::QueuedConnection);
}

void FlexGrid::flush() {
    m_flushScheduled = false;
    const FlexGridModel::Published published = m_model->publish();
    if (published.reset) {
        // A reset forgets hidden rows: row 0 is drawn by the fixed-row header, never in the table.
        setRowHidden(0, true);
    }
    if (published.sizesChanged)
        applySizes();
    if (published.reset || m_currentPending)
        applyCurrent();
}

void FlexGrid::applySizes() {
    const double twipsPerPixel = Twips::perPixel();
    QHeaderView* columns = horizontalHeader();
    QHeaderView* rowsHeader = verticalHeader();
    const int rowCount = m_model->rows();
    {
        // The table hears of the new sizes once, below, not once per section. A header that updates
        // works out where each resized section now stands on screen, which walks every section before it;
        // with its updates off it only records the size, so the rows of a long schedule cost one pass.
        const QSignalBlocker blockColumns(columns);
        const QSignalBlocker blockRows(rowsHeader);
        const UpdatesPaused pauseColumns(*columns);
        const UpdatesPaused pauseRows(*rowsHeader);
        for (int c = 0; c < m_model->cols(); ++c) {
            const int pixels = sectionPixels(m_model->colWidth(c), twipsPerPixel);
            if (columns->sectionSize(c) != pixels)
                columns->resizeSection(c, pixels);
        }

        // Most rows share one height (a schedule fits every row to the same font), so that height becomes
        // the default and only the rows that differ are resized one by one.
        QHash<int, int> heightCounts;
        int common = sectionPixels(FlexGridModel::kDefaultRowHeightTwips, twipsPerPixel);
        int commonCount = 0;
        for (int r = 1; r < rowCount; ++r) {
            const int pixels = sectionPixels(m_model->rowHeight(r), twipsPerPixel);
            const int seen = ++heightCounts[pixels];
            if (seen > commonCount) {
                commonCount = seen;
                common = pixels;
            }
        }
        if (rowsHeader->defaultSectionSize() != common)
            rowsHeader->setDefaultSectionSize(common);
        for (int r = 1; r < rowCount; ++r) {
            const int pixels = sectionPixels(m_model->rowHeight(r), twipsPerPixel);
            if (rowsHeader->sectionSize(r) != pixels)
                rowsHeader->resizeSection(r, pixels);
        }
    }
    m_fixedRow->setFixedHeight(rowCount > 0 ? sectionPixels(m_model->rowHeight(0), twipsPerPixel) : 0);
    updateGeometries();
    viewport()->update();
    m_fixedRow->viewport()->update();
}

void FlexGrid::applyCurrent() {
    m_currentPending = false;
    if (m_model->rowCount() == 0 || m_model->columnCount() == 0)
        return;
    const QModelIndex current = m_model->index(m_row, m_col);
    // The program's own moves never scroll: a Calculate writes thousands of cells, and the view stays
    // where the user left it. Through the view, so the next Shift+arrow or Shift+click extends the block
    // from this cell.
    m_syncingCurrent = true;
    const bool autoScrolls = hasAutoScroll();
    setAutoScroll(false);
    setCurrentIndex(current);
    setAutoScroll(autoScrolls);
    m_syncingCurrent = false;
    m_fixedRow->viewport()->update();
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (index.row() > 0 || m_model->rows() <= 1) {
        QTableView::scrollTo(index, hint);
        return;
    }
    // Row 0 never scrolls out of sight; only its column has to be brought into view, so scroll to the
    // same column of the row now at the top.
    QTableView::scrollTo(m_model->index(std::max(1, rowAt(0)), index.column()), hint);
}

void FlexGrid::showTopLeft() {
    flush();
    scrollToTop();
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

bool FlexGrid::event(QEvent* event) {
    // A key that types a code reaches the key handler before any shortcut: keyPressEvent triggers the
    // shortcut's action after the handler has seen the code.
    if (event->type() == QEvent::ShortcutOverride && TypedCharacter::code(static_cast<const QKeyEvent&>(*event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    flush();
    const std::optional<std::int16_t> typed = TypedCharacter::code(*event);
    if (typed) {
        std::int16_t keyAscii = *typed;
        if (keyAscii != TypedCharacter::kTypesNothing)
            emit keyPressed(keyAscii);
        event->accept();
        // The cell the key acted on comes into view, wherever the program's writes left it.
        flush();
        scrollTo(m_model->index(m_row, m_col));
    }
    // Ctrl shortcuts come here after the handler has seen their code, or when the window was not active
    // to take them; Enter and the other typed keys belong to the handler alone.
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        if (QAction* action = ShortcutAction::find(*this, *event)) {
            action->trigger();
            return;
        }
    }
    if (typed) {
        if (event->matches(QKeySequence::SelectAll))
            selectAll();
        return;
    }
    // The desktop opens context menus for the Menu key; Shift+F10 is the other key people know for it.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        openContextMenuAtCurrentCell();
        event->accept();
        return;
    }
    // Keys that type nothing keep the table's navigation (arrows, pages, Home, End).
    QTableView::keyPressEvent(event);
}

void FlexGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    // The desktop's colour scheme changed while the program runs.
    if (event->type() == QEvent::PaletteChange)
        followPalette();
}

void FlexGrid::followPalette() {
    m_model->setDefaultColours(palette().color(QPalette::Base), palette().color(QPalette::WindowText));
    viewport()->update();
}

void FlexGrid::openContextMenuAtCurrentCell() {
    const QRect cell = visualRect(currentIndex());
    // Row 0 is drawn by the header, above the viewport's cells.
    const QPoint position = cell.isValid() ? viewport()->mapTo(this, cell.center()) : contentsRect().topLeft();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, position, mapToGlobal(position));
    QCoreApplication::sendEvent(this, &menu);
}

void FlexGrid::keyboardSearch(const QString& search) {
    // Typing edits the current cell; it never jumps to a cell that starts with the typed text.
    Q_UNUSED(search);
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    flush();
    // A right click inside the block keeps it, so its context menu copies the whole block.
    if (event->button() == Qt::RightButton && selectionModel()->isSelected(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void FlexGrid::focusInEvent(QFocusEvent* event) {
    flush();
    QTableView::focusInEvent(event);
}

void FlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // The user moved the current cell (arrows, pages, a click): the grid's Row and Col follow.
    if (!m_syncingCurrent && current.isValid() && current.row() < m_model->rows() &&
        current.column() < m_model->cols()) {
        m_row = current.row();
        m_col = current.column();
    }
    if (current.row() == 0 || previous.row() == 0)
        m_fixedRow->viewport()->update();
}

QItemSelectionModel::SelectionFlags FlexGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    // The program's move of the current cell selects that cell alone, whatever keys are held down.
    if (m_syncingCurrent)
        return QItemSelectionModel::ClearAndSelect;
    return QTableView::selectionCommand(index, event);
}
