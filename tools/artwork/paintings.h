// The four pictures, each painted from nothing so that the build needs no binary assets.
#pragma once

#include <QImage>

namespace artwork {

// Dark and calm, because bright bold captions are drawn straight on top of it.
QImage PaintFormBackground();

// A country road running to the horizon; shown on the title screen.
QImage PaintTitlePhoto();

// The window emblem at one edge length (32 or 16); transparent outside the emblem.
QImage PaintAppIcon(int size);

// The grey right-pointing arrow that marks a chosen option; transparent around it.
QImage PaintChoiceMarker(int size);

}  // namespace artwork
