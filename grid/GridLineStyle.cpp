#include "grid/GridLineStyle.h"

#include <QColor>

int GridLineStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_Table_GridLineColor)
        return static_cast<int>(qRgb(192, 192, 192));
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
