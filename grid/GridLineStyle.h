#pragma once

#include <QProxyStyle>

// The desktop style with the grid's own line colour between cells: light grey, 192 each of red,
// green and blue, whatever the desktop draws table lines in.
class GridLineStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
