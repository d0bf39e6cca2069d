#include "app/CaptionFrame.h"

#include <QPainter>

namespace {
// The caption starts this far in from the frame's left edge, with this much room either side of it.
constexpr int kCaptionIndentPixels = 8;
constexpr int kCaptionPaddingPixels = 2;
} // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent) {
    setFocusPolicy(Qt::NoFocus);
}

void CaptionFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));

    const QFontMetrics metrics(font());
    // The top edge runs through the middle of the caption.
    const QRect edge = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(edge.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(edge.adjusted(1, 1, 0, 0));

    if (title().isEmpty())
        return;
    const QRect caption(kCaptionIndentPixels, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPaddingPixels,
                        metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}
