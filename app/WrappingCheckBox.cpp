#include "app/WrappingCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr Qt::Alignment kCaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;
} // namespace

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent) {}

int WrappingCheckBox::value() const {
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void WrappingCheckBox::setValue(int value) {
    // A greyed box needs the third state; a click then cycles through all three, as such a box does.
    setTristate(value == 2 || isTristate());
    setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

QRect WrappingCheckBox::indicatorRect(const QStyleOptionButton& option) const {
    QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    box.moveTop((height() - box.height()) / 2);
    return box;
}

QRect WrappingCheckBox::captionRect(const QStyleOptionButton& option) const {
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    QRect caption = rect();
    caption.setLeft(indicatorRect(option).right() + 1 + spacing);
    return caption;
}

void WrappingCheckBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = indicatorRect(option);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect caption = captionRect(option);
    painter.setPen(palette().color(QPalette::WindowText));
    QRect drawn;
    painter.drawText(caption, static_cast<int>(kCaptionAlignment) | Qt::TextWordWrap, text(), &drawn);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = drawn.adjusted(-1, 0, 1, 0).intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}
