#pragma once

#include <QFont>

// The window's typefaces. The design names "MS Sans Serif"; where a desktop lacks it, the nearest
// face of similar width serves (Microsoft Sans Serif, Arial, or a metric-compatible Arial such as
// Liberation Sans), so captions wrap in their boxes as designed rather than in a wider face.
namespace DesignFonts {

constexpr int kWindowPoints = 8;
constexpr int kFrameCaptionPoints = 12;

// "MS Sans Serif" at the given size, normal weight, not italic.
QFont sansSerif(int points);

} // namespace DesignFonts
