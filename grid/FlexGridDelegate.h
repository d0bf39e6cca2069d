#pragma once

#include <QStyledItemDelegate>

// Draws the grid's cells as the standard delegate does, except that a very long text reaches the style
// cut down to the part that can show in the cell's visible width and height: the style lays out every
// character it is given, and a pasted number of a million digits would then freeze the window for most
// of a second at every paint. The cell's own text is never changed; only what is laid out is less.
//
// A selected cell keeps its own colours and gets a frame in the desktop's highlight colour: a block
// often holds red totals and yellow amounts, and filling it with the highlight would hide those colours
// and put each text on a colour its own text colour was never chosen for.
class FlexGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Texts up to this length are laid out whole.
    static constexpr qsizetype kLongTextLength = 2000;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The part of text that can show in a cell drawn with the given alignment, whose visible part reaches
    // `width` pixels from the edge the text is aligned to and `height` pixels from the top (from the
    // bottom, for text aligned to the bottom): lines that do not all fit are drawn from the first one
    // down, or up from the last. Every glyph is taken to be at least half a pixel wide and every line at
    // least a pixel high, so nothing that could show is dropped. Horizontally centred lines are kept
    // whole: glyphs of unequal widths cut from both ends would move the rest.
    static QString visiblePart(const QString& text, Qt::Alignment alignment, int width, int height);

    // The selection's frame, drawn inside the cell's rectangle.
    static void drawSelectionFrame(QPainter& painter, const QRect& cell, const QColor& colour);
};
