// Writes a QImage as a single-frame GIF89a file. Images of up to 256 colours keep their
// colours exactly; richer ones are mapped onto a fixed colour cube plus greys.
// Transparent pixels are laid on white, since GIF transparency is not needed here.
#pragma once

#include <QImage>
#include <QString>

bool WriteGif(const QImage& image, const QString& path, QString* error = nullptr);
