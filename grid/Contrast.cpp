#include "grid/Contrast.h"

#include <algorithm>
#include <cmath>

namespace Contrast {

namespace {

// Relative luminance of an sRGB colour.
double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

} // namespace

double ratio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background, const QColor& preferred) {
    if (ratio(background, preferred) >= kMinimumRatio)
        return preferred;
    const QColor black(Qt::black);
    return ratio(background, black) >= kMinimumRatio ? black : QColor(Qt::white);
}

} // namespace Contrast
