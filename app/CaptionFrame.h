#pragma once

#include <QGroupBox>

// A frame: an etched rectangle on the control's own background with its caption set into the top
// edge, in the frame's own font. It holds no controls; whatever lies over it is a sibling in front.
class CaptionFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit CaptionFrame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
