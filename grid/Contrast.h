#pragma once

#include <QColor>

// Text in a colour the desktop gives, drawn on a colour the program forces, must stay readable whatever the
// desktop's colour scheme: at least 4.5 : 1 between text and background, as the usual accessibility
// guidelines ask of body text. Where the program gives both colours (white on red in the totals rows), it
// draws them as given; a dark scheme cannot change them.
namespace Contrast {

constexpr double kMinimumRatio = 4.5;

// The contrast ratio of two colours, 1 (the same) to 21 (black on white).
double ratio(const QColor& a, const QColor& b);

// The preferred text colour when it is readable on the background; otherwise black, or white where even
// black is not (white 4.0 : 1 on pure red gives way to black at 5.3 : 1; dark red keeps white).
QColor readableOn(const QColor& background, const QColor& preferred);

} // namespace Contrast
