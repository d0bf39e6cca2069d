#include "grid/FlexGridModel.h"

#include "grid/Contrast.h"

#include <QColor>

#include <algorithm>
#include <bit>

namespace {

using StyleProperty = FlexGridModel::StyleProperty;

bool holds(const FlexGridModel::CellStyle& style, StyleProperty property, std::uint32_t value) {
    switch (property) {
    case StyleProperty::FontSize:
        return style.fontSize == std::bit_cast<float>(value);
    case StyleProperty::Bold:
        return style.bold == (value != 0);
    case StyleProperty::Italic:
        return style.italic == (value != 0);
    case StyleProperty::BackColor:
        return style.backColor == value;
    case StyleProperty::ForeColor:
        return style.foreColor == value;
    case StyleProperty::Alignment:
        return style.alignment == static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return false;
}

void give(FlexGridModel::CellStyle& style, StyleProperty property, std::uint32_t value) {
    switch (property) {
    case StyleProperty::FontSize:
        style.fontSize = std::bit_cast<float>(value);
        break;
    case StyleProperty::Bold:
        style.bold = value != 0;
        break;
    case StyleProperty::Italic:
        style.italic = value != 0;
        break;
    case StyleProperty::BackColor:
        style.backColor = value;
        break;
    case StyleProperty::ForeColor:
        style.foreColor = value;
        break;
    case StyleProperty::Alignment:
        style.alignment = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
        break;
    }
}

// Styles are numbered from 0 upwards and never reach 2^29 (a grid holds a few million cells at most).
quint64 derivedKey(std::uint32_t style, StyleProperty property, std::uint32_t value) {
    return (quint64{style} << 35) | (quint64{static_cast<std::uint8_t>(property)} << 32) | value;
}

// A slot for the key among slotCount (a power of two), spread by Fibonacci hashing.
std::size_t derivedSlot(quint64 key, std::size_t slotCount) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slotCount - 1);
}

} // namespace

FlexGridModel::FlexGridModel(CellStyle defaultStyle, QObject* parent)
    : QAbstractTableModel(parent) {
    // Style 0 is the grid's own format; every new cell starts with it.
    intern(defaultStyle);
}

namespace {

// Resizes one of the cell vectors whose column count stays.
template <typename T> void resizeCells(std::vector<T>& cells, std::size_t cellCount) {
    // A schedule grows the grid to its month rows and then by a few rows for its final block. Moving
    // every cell again for those rows costs as much as writing them, so room is set aside whenever the
    // cells have to move anyway (untouched room costs address space, not memory).
    if (cellCount > cells.capacity())
        cells.reserve(cellCount + cellCount / 8);
    cells.resize(cellCount);
}

// The cells are stored row by row, so a change of column count moves every kept cell.
template <typename T> void reshapeCells(std::vector<T>& cells, int oldRows, int oldCols, int rows, int cols) {
    std::vector<T> reshaped(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    const int keptRows = std::min(rows, oldRows);
    const int keptCols = std::min(cols, oldCols);
    for (int r = 0; r < keptRows; ++r) {
        for (int c = 0; c < keptCols; ++c) {
            reshaped[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)] =
                std::move(cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(oldCols) +
                                static_cast<std::size_t>(c)]);
        }
    }
    cells = std::move(reshaped);
}

} // namespace

void FlexGridModel::resize(int rows, int cols) {
    Q_ASSERT(rows >= 0 && cols >= 0);
    if (rows == m_rows && cols == m_cols)
        return;
    if (cols == m_cols) {
        const std::size_t cellCount = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
        resizeCells(m_texts, cellCount);
        resizeCells(m_cellStyles, cellCount);
    } else {
        reshapeCells(m_texts, m_rows, m_cols, rows, cols);
        reshapeCells(m_cellStyles, m_rows, m_cols, rows, cols);
    }
    m_rowHeights.resize(static_cast<std::size_t>(rows), kDefaultRowHeightTwips);
    m_colWidths.resize(static_cast<std::size_t>(cols), kDefaultColWidthTwips);
    m_rows = rows;
    m_cols = cols;
    if (m_headerRow >= rows || cols == 0)
        m_headerRow = -1;
    m_shapeChanged = true;
    m_sizesChanged = true;
    markPending();
}

void FlexGridModel::setHeaderRow(int row) {
    Q_ASSERT(row >= -1 && row < m_rows);
    m_headerRow = row;
}

void FlexGridModel::setText(int row, int col, const QString& text) {
    CellText& cell = m_texts[offset(row, col)];
    // Comparing first costs less than a repaint and keeps the dirty rectangle small.
    if (cell == text)
        return;
    cell.assign(text);
    markCell(row, col);
}

void FlexGridModel::setStyle(int row, int col, const CellStyle& style) {
    std::uint32_t& cellStyle = m_cellStyles[offset(row, col)];
    if (m_styles[cellStyle].key == style)
        return;
    cellStyle = intern(style);
    markCell(row, col);
}

void FlexGridModel::setStyleProperty(int row, int col, StyleProperty property, std::uint32_t value) {
    std::uint32_t& cellStyle = m_cellStyles[offset(row, col)];
    // Most sets find the property already as wanted: a new cell is not bold, not italic, in no colour.
    if (holds(m_styles[cellStyle].key, property, value))
        return;
    const quint64 key = derivedKey(cellStyle, property, value);
    DerivedStyle& derived = m_derivedStyles[derivedSlot(key, m_derivedStyles.size())];
    if (derived.key != key) {
        CellStyle style = m_styles[cellStyle].key;
        give(style, property, value);
        derived = DerivedStyle{key, intern(style)};
    }
    cellStyle = derived.style;
    markCell(row, col);
}

void FlexGridModel::setColWidth(int col, int twips) {
    int& width = m_colWidths[static_cast<std::size_t>(col)];
    if (width == twips)
        return;
    width = twips;
    m_sizesChanged = true;
    markPending();
}

void FlexGridModel::setRowHeight(int row, int twips) {
    int& height = m_rowHeights[static_cast<std::size_t>(row)];
    if (height == twips)
        return;
    height = twips;
    m_sizesChanged = true;
    markPending();
}

void FlexGridModel::setDefaultColours(const QColor& base, const QColor& text) {
    m_baseColour = base;
    m_textColour = text;
}

const QFont& FlexGridModel::font(int row, int col) const {
    const StyleEntry& entry = m_styles[m_cellStyles[offset(row, col)]];
    if (!entry.font) {
        QFont font(entry.key.fontName);
        font.setPointSizeF(entry.key.fontSize);
        font.setBold(entry.key.bold);
        font.setItalic(entry.key.italic);
        entry.font = font;
    }
    return *entry.font;
}

std::uint32_t FlexGridModel::intern(const CellStyle& style) {
    auto found = m_styleIndex.constFind(style);
    if (found != m_styleIndex.constEnd())
        return found.value();
    const auto index = static_cast<std::uint32_t>(m_styles.size());
    m_styles.push_back(StyleEntry{style, std::nullopt});
    m_styleIndex.insert(style, index);
    return index;
}

void FlexGridModel::markCell(int row, int col) {
    if (m_dirtyTop > m_dirtyBottom) {
        m_dirtyTop = m_dirtyBottom = row;
        m_dirtyLeft = m_dirtyRight = col;
    } else {
        m_dirtyTop = std::min(m_dirtyTop, row);
        m_dirtyBottom = std::max(m_dirtyBottom, row);
        m_dirtyLeft = std::min(m_dirtyLeft, col);
        m_dirtyRight = std::max(m_dirtyRight, col);
    }
    markPending();
}

void FlexGridModel::markPending() {
    if (m_pending)
        return;
    m_pending = true;
    emit changesPending();
}

FlexGridModel::Published FlexGridModel::publish() {
    Published result;
    if (!m_pending)
        return result;
    if (m_shapeChanged) {
        beginResetModel();
        m_publishedRows = m_rows;
        m_publishedCols = m_cols;
        endResetModel();
        result.reset = true;
    } else if (m_dirtyTop <= m_dirtyBottom) {
        // Cells written and then dropped by a shrink and a regrowth are covered: a change of count
        // always resets.
        const QModelIndex topLeft = index(m_dirtyTop, m_dirtyLeft);
        const QModelIndex bottomRight = index(m_dirtyBottom, m_dirtyRight);
        emit dataChanged(topLeft, bottomRight);
        if (m_dirtyTop == 0)
            emit headerDataChanged(Qt::Horizontal, m_dirtyLeft, m_dirtyRight);
    }
    result.sizesChanged = m_sizesChanged || result.reset;
    m_pending = false;
    m_shapeChanged = false;
    m_sizesChanged = false;
    m_dirtyTop = 0;
    m_dirtyBottom = -1;
    m_dirtyLeft = 0;
    m_dirtyRight = -1;
    return result;
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_publishedRows;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_publishedCols;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return {};
    return cellData(index.row(), index.column(), role);
}

QVariant FlexGridModel::cellData(int row, int col, int role) const {
    // A shrink not yet published leaves the view asking for cells that are gone.
    if (row >= m_rows || col >= m_cols)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return text(row, col);
    case Qt::FontRole:
        return font(row, col);
    case Qt::BackgroundRole: {
        const std::uint32_t color = style(row, col).backColor;
        return color == 0 ? QVariant() : QVariant(toColor(color));
    }
    case Qt::ForegroundRole: {
        // A cell given both its colours shows them as given: the totals rows are white on red. Otherwise
        // one of the two is the desktop's, and its text colour may be light under a dark scheme, so the
        // text is kept readable on the background.
        const CellStyle& cell = style(row, col);
        if (cell.backColor != 0 && cell.foreColor != 0)
            return toColor(cell.foreColor);
        const QColor back = cell.backColor == 0 ? m_baseColour : toColor(cell.backColor);
        return Contrast::readableOn(back, cell.foreColor == 0 ? m_textColour : toColor(cell.foreColor));
    }
    case Qt::TextAlignmentRole:
        return static_cast<int>(alignmentFor(style(row, col).alignment, text(row, col)));
    default:
        return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_publishedCols || m_publishedRows == 0)
        return {};
    return cellData(0, section, role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    // Cells are edited by the grid's key handler, never by an in-place editor.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

Qt::Alignment FlexGridModel::alignmentFor(std::int16_t alignment, const QString& text) {
    switch (alignment) {
    case AlignLeftCenter:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case AlignLeftBottom:
        return Qt::AlignLeft | Qt::AlignBottom;
    case AlignCenterTop:
        return Qt::AlignHCenter | Qt::AlignTop;
    case AlignCenterCenter:
        return Qt::AlignCenter;
    case AlignCenterBottom:
        return Qt::AlignHCenter | Qt::AlignBottom;
    case AlignRightTop:
        return Qt::AlignRight | Qt::AlignTop;
    case AlignRightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case AlignRightBottom:
        return Qt::AlignRight | Qt::AlignBottom;
    default: {
        // The general alignment: a number stands right, any other text left.
        bool isNumber = false;
        text.toDouble(&isNumber);
        return (isNumber ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    }
}

QColor FlexGridModel::toColor(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

size_t qHash(const FlexGridModel::CellStyle& style, size_t seed) noexcept {
    return qHashMulti(seed, style.fontName, style.fontSize, style.bold, style.italic, style.backColor, style.foreColor,
                      style.alignment);
}
