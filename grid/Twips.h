#pragma once

// Positions, sizes, column widths and row heights are kept in twips (1/1440 inch). They become
// pixels here and only here: 1440 / logical dpi twips per pixel, which is 15 at 96 dpi.
namespace Twips {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultLogicalDpi = 96.0;

// Twips per logical pixel of the primary screen (15 at 96 dpi; 15 when there is no screen).
double perPixel();

int toPixels(double twips);
double fromPixels(double pixels);

} // namespace Twips
