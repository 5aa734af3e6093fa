#pragma once
// Forms are laid out in twips (1/1440 inch); widgets live in device pixels.

namespace ui {

// Dots per inch along each axis; the two differ on some displays.
struct Dpi {
    double x = 96;
    double y = 96;
};

// The primary screen's logical resolution, 96 × 96 when there is no screen.
Dpi ScreenDpi();

// Twips per pixel (15 at 96 DPI); pixel counts are rounded to the nearest.
double TwipsPerPixelX(const Dpi& dpi = ScreenDpi());
double TwipsPerPixelY(const Dpi& dpi = ScreenDpi());

int ToPixelsX(double twips, const Dpi& dpi = ScreenDpi());
int ToPixelsY(double twips, const Dpi& dpi = ScreenDpi());
double ToTwipsX(int pixels, const Dpi& dpi = ScreenDpi());
double ToTwipsY(int pixels, const Dpi& dpi = ScreenDpi());

}  // namespace ui
