#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ui {
namespace {

double TwipsPer(double dotsPerInch) { return 1440.0 / (dotsPerInch > 0 ? dotsPerInch : 96.0); }

}  // namespace

Dpi ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

double TwipsPerPixelX(const Dpi& dpi) { return TwipsPer(dpi.x); }
double TwipsPerPixelY(const Dpi& dpi) { return TwipsPer(dpi.y); }

int ToPixelsX(double twips, const Dpi& dpi) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX(dpi)));
}
int ToPixelsY(double twips, const Dpi& dpi) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY(dpi)));
}
double ToTwipsX(int pixels, const Dpi& dpi) { return pixels * TwipsPerPixelX(dpi); }
double ToTwipsY(int pixels, const Dpi& dpi) { return pixels * TwipsPerPixelY(dpi); }

}  // namespace ui
