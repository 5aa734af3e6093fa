#pragma once
// Forms are laid out in twips (1/1440 inch); widgets live in device pixels.

namespace ui {

// Twips per pixel from the primary screen's logical resolution (15 at 96 DPI).
double TwipsPerPixelX();
double TwipsPerPixelY();

int ToPixelsX(double twips);
int ToPixelsY(double twips);
double ToTwipsX(int pixels);
double ToTwipsY(int pixels);

}  // namespace ui
