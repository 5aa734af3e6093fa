#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ui {
namespace {

double LogicalDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace

double TwipsPerPixelX() { return 1440.0 / LogicalDpi(true); }
double TwipsPerPixelY() { return 1440.0 / LogicalDpi(false); }

int ToPixelsX(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
int ToPixelsY(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }
double ToTwipsX(int pixels) { return pixels * TwipsPerPixelX(); }
double ToTwipsY(int pixels) { return pixels * TwipsPerPixelY(); }

}  // namespace ui
