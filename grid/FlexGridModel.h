#pragma once

#include "grid/CellText.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The grid's cells, column widths and row heights, kept compactly: every cell holds its text (short texts
// inside the cell, CellText) and the number of its style in a table of distinct styles, so 160,000 cells
// written in a handful of formats take 36 bytes each.
//
// The model is the one place the grid's state lives; the grid writes it without the view hearing of
// each write. Qt's view sees the counts announced by the last publish(), so the view and the model
// never disagree about the shape, while reads through the accessors always see every write at once.
// The first write after a publish() emits changesPending() once, so the owner can schedule the next
// publish() for when control returns to the event loop.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // How one cell is drawn. A colour of 0 and an alignment of 0 stand for the grid's defaults.
    struct CellStyle {
        QString fontName;
        float fontSize = 0.0f;
        bool bold = false;
        bool italic = false;
        std::uint32_t backColor = 0;
        std::uint32_t foreColor = 0;
        std::int16_t alignment = 0;

        friend bool operator==(const CellStyle&, const CellStyle&) = default;
    };

    // The properties of a style that one number holds, to be changed one at a time.
    enum class StyleProperty : std::uint8_t { FontSize, Bold, Italic, BackColor, ForeColor, Alignment };

    // What publish() did, so the view can follow with as little work as possible.
    struct Published {
        bool reset = false;        // the shape changed: the view starts over
        bool sizesChanged = false; // a column width or row height changed
    };

    // Alignment codes, as the grid control numbers them.
    enum Alignment : std::int16_t {
        AlignDefault = 0, // the grid's default: the general alignment
        AlignLeftCenter = 1,
        AlignLeftBottom = 2,
        AlignCenterTop = 3,
        AlignCenterCenter = 4,
        AlignCenterBottom = 5,
        AlignRightTop = 6,
        AlignRightCenter = 7,
        AlignRightBottom = 8,
        AlignGeneral = 9, // text left, numbers right, both vertically centred
    };

    // A new column is 64 pixels wide at 96 dpi, room for about ten digits in the grid's 8.25-point
    // font; a new row is 16 pixels high, the 8.25-point line (about 12.5 pixels) with a small margin.
    static constexpr int kDefaultColWidthTwips = 960;
    static constexpr int kDefaultRowHeightTwips = 240;

    FlexGridModel(CellStyle defaultStyle, QObject* parent = nullptr);

    // The stored shape; callers keep indices inside it.
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Drops cells beyond the new counts and adds empty default cells.
    void resize(int rows, int cols);

    // The row of column headings that the layout which wrote them names, for printing to repeat at the top
    // of every page it continues on; -1 when there is none. A resize that drops the row, or every column,
    // drops it too.
    int headerRow() const { return m_headerRow; }
    void setHeaderRow(int row);

    QString text(int row, int col) const { return m_texts[offset(row, col)].toString(); }
    void setText(int row, int col, const QString& text);

    const CellStyle& style(int row, int col) const { return m_styles[m_cellStyles[offset(row, col)]].key; }
    void setStyle(int row, int col, const CellStyle& style);
    // The same as setStyle with one property changed, for far less work: a handler sets the same few
    // properties on thousands of cells, so each change from one style to another is looked up once and
    // kept. The font size is given as the bits of its float (std::bit_cast), a flag as 0 or 1, the
    // alignment as its 16 bits.
    void setStyleProperty(int row, int col, StyleProperty property, std::uint32_t value);
    const CellStyle& defaultStyle() const { return m_styles.front().key; }
    // The number of distinct styles held (the default style included).
    int styleCount() const { return static_cast<int>(m_styles.size()); }

    int colWidth(int col) const { return m_colWidths[static_cast<std::size_t>(col)]; }
    void setColWidth(int col, int twips);
    int rowHeight(int row) const { return m_rowHeights[static_cast<std::size_t>(row)]; }
    void setRowHeight(int row, int twips);

    // The colours a cell without its own takes: the grid's white and the desktop's text colour.
    void setDefaultColours(const QColor& base, const QColor& text);

    // The font a cell is drawn in (cached per style).
    const QFont& font(int row, int col) const;

    // Tells the view what changed since the last call: one model reset when the shape changed, else at
    // most one dataChanged over the rectangle of written cells.
    Published publish();
    bool hasPendingChanges() const { return m_pending; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Row 0 is the fixed row: the horizontal header shows its cells.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The text alignment a style gives to a text.
    static Qt::Alignment alignmentFor(std::int16_t alignment, const QString& text);
    // A colour value (red in the low byte) as a QColor.
    static QColor toColor(std::uint32_t value);

signals:
    // Emitted by the first change after a publish(), never once per write.
    void changesPending();

private:
    struct StyleEntry {
        CellStyle key;
        mutable std::optional<QFont> font;
    };

    std::size_t offset(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) + static_cast<std::size_t>(col);
    }
    std::uint32_t intern(const CellStyle& style);
    void markCell(int row, int col);
    void markPending();
    QVariant cellData(int row, int col, int role) const;

    int m_rows = 0;
    int m_cols = 0;
    int m_headerRow = -1;
    QColor m_baseColour = Qt::white;
    QColor m_textColour = Qt::black;
    // Cell by cell, row by row: the text and the style number.
    std::vector<CellText> m_texts;
    std::vector<std::uint32_t> m_cellStyles;
    std::vector<StyleEntry> m_styles;
    QHash<CellStyle, std::uint32_t> m_styleIndex;
    // Recent changes of one property: style number, property and value (derivedKey) and the style number
    // they lead to, in a slot picked by the key. A handler uses a handful of changes over and over; one
    // that finds its slot taken by another looks its style up in full.
    struct DerivedStyle {
        quint64 key = ~quint64{0};
        std::uint32_t style = 0;
    };
    std::array<DerivedStyle, 64> m_derivedStyles;
    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;

    // What the view has been told.
    int m_publishedRows = 0;
    int m_publishedCols = 0;

    bool m_pending = false;
    bool m_shapeChanged = false;
    bool m_sizesChanged = false;
    // The rectangle of cells written since the last publish(); empty when m_dirtyTop > m_dirtyBottom.
    int m_dirtyTop = 0;
    int m_dirtyBottom = -1;
    int m_dirtyLeft = 0;
    int m_dirtyRight = -1;
};

size_t qHash(const FlexGridModel::CellStyle& style, size_t seed = 0) noexcept;
