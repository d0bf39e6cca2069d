#include "grid/FlexGridDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

// Characters kept per pixel of visible width, and a few more for the margins and a glyph cut at the edge.
constexpr qsizetype kCharactersPerPixel = 2;
constexpr qsizetype kSpareCharacters = 64;
// Thick enough to see on every cell colour, thin enough to stay clear of the text's margin.
constexpr int kSelectionFramePixels = 2;

// `count` items out of `total` from the aligned edge: the first, the last, or the middle ones (as many
// left out before as after, so centred lines and characters stay where they were).
std::pair<qsizetype, qsizetype> alignedRange(qsizetype total, qsizetype count, bool fromStart, bool fromEnd) {
    if (count >= total)
        return {0, total};
    if (fromStart)
        return {0, count};
    if (fromEnd)
        return {total - count, count};
    count += (total - count) % 2; // the same number dropped on both sides
    return {(total - count) / 2, count};
}

// Keeps a surrogate pair whole at both ends of a cut.
QStringView wholeCharacters(QStringView text, qsizetype from, qsizetype count) {
    if (from > 0 && text[from].isLowSurrogate())
        --from, ++count;
    if (from + count < text.size() && text[from + count - 1].isHighSurrogate())
        ++count;
    return text.mid(from, count);
}

} // namespace

QString FlexGridDelegate::visiblePart(const QString& text, Qt::Alignment alignment, int width, int height) {
    if (text.size() <= kLongTextLength)
        return text;
    // The lines, with the break that ends each (the delegate has turned '\n' into a line separator).
    QList<QStringView> lines;
    for (qsizetype start = 0, i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n' || text[i] == QChar::LineSeparator ||
            text[i] == QChar::ParagraphSeparator) {
            lines.append(QStringView(text).mid(start, i - start));
            start = i + 1;
        }
    }
    // Lines that do not all fit are drawn from the first one down, unless aligned to the bottom.
    const bool bottom = alignment & Qt::AlignBottom;
    const auto [firstLine, lineCount] = alignedRange(lines.size(), std::max(0, height) + 2, !bottom, bottom);
    const bool right = alignment & Qt::AlignRight;
    const qsizetype characters =
        alignment & Qt::AlignHCenter ? text.size() : std::max(0, width) * kCharactersPerPixel + kSpareCharacters;
    QString part;
    for (qsizetype i = firstLine; i < firstLine + lineCount; ++i) {
        const QStringView line = lines[i];
        const auto [from, count] = alignedRange(line.size(), characters, !right, right);
        part += wholeCharacters(line, from, count);
        if (i + 1 < lines.size())
            part += text[line.data() - text.data() + line.size()]; // the break as it was
    }
    return part;
}

void FlexGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* view = option.widget;
    if (cell.text.size() > kLongTextLength) {
        // Only the part of the cell inside the viewport can show; a cell may be far wider than the view.
        const auto* itemView = qobject_cast<const QAbstractItemView*>(view);
        const QRect shown = itemView != nullptr ? cell.rect.intersected(itemView->viewport()->rect()) : cell.rect;
        const Qt::Alignment alignment = cell.displayAlignment;
        const int width =
            alignment & Qt::AlignRight ? cell.rect.right() - shown.left() : shown.right() - cell.rect.left();
        const int height =
            alignment & Qt::AlignBottom ? cell.rect.bottom() - shown.top() : shown.bottom() - cell.rect.top();
        cell.text = visiblePart(cell.text, alignment, width + 1, height + 1);
    }
    const bool selected = cell.state.testFlag(QStyle::State_Selected);
    cell.state.setFlag(QStyle::State_Selected, false);
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
    if (selected)
        drawSelectionFrame(*painter, cell.rect, cell.palette.color(QPalette::Highlight));
}

void FlexGridDelegate::drawSelectionFrame(QPainter& painter, const QRect& cell, const QColor& colour) {
    const int thickness = std::min({kSelectionFramePixels, cell.width() / 2, cell.height() / 2});
    if (thickness <= 0)
        return;
    const int innerHeight = cell.height() - 2 * thickness;
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), thickness), colour);
    painter.fillRect(QRect(cell.left(), cell.bottom() + 1 - thickness, cell.width(), thickness), colour);
    painter.fillRect(QRect(cell.left(), cell.top() + thickness, thickness, innerHeight), colour);
    painter.fillRect(QRect(cell.right() + 1 - thickness, cell.top() + thickness, thickness, innerHeight), colour);
}
