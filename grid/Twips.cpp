#include "grid/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace Twips {

double perPixel() {
    if (qGuiApp == nullptr)
        return kTwipsPerInch / kDefaultLogicalDpi;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return kTwipsPerInch / kDefaultLogicalDpi;
    const double dpi = screen->logicalDotsPerInch();
    if (!(dpi > 0.0))
        return kTwipsPerInch / kDefaultLogicalDpi;
    return kTwipsPerInch / dpi;
}

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / perPixel()));
}

double fromPixels(double pixels) {
    return pixels * perPixel();
}

} // namespace Twips
