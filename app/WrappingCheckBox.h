#pragma once

#include <QCheckBox>

// A check box whose caption wraps at word boundaries inside the box, as a label's does, with the box
// drawn left of the caption and both centred vertically. A click anywhere in the control, caption
// included, toggles it. Its size is whatever the window gives it; it never grows to fit the caption.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

    // The state as 0 (clear), 1 (ticked) or 2 (greyed).
    int value() const;
    void setValue(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRect indicatorRect(const QStyleOptionButton& option) const;
    QRect captionRect(const QStyleOptionButton& option) const;
};
