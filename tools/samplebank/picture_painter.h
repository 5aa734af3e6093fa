// Draws the sign-like question pictures of the sample bank. Needs a QGuiApplication for
// the digits on the speed signs.
#pragma once

#include <QImage>

#include "sample_sources.h"

namespace samplebank {

// Throws SourceError for a shape or detail it cannot draw.
QImage PaintPicture(const Picture& picture);

}  // namespace samplebank
