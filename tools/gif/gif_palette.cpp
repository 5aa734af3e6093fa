#include "gif_palette.h"

#include <QHash>

namespace gif {
namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr int kExtraGreys = 40;

QRgb OnWhite(QRgb c) {
    const int a = qAlpha(c);
    if (a == 255) return c;
    const auto blend = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(blend(qRed(c)), blend(qGreen(c)), blend(qBlue(c)));
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// 216 cube colours, then greys that fall between the cube's own six greys.
class FixedPalette {
public:
    FixedPalette() {
        for (int r = 0; r < kCubeLevels; ++r)
            for (int g = 0; g < kCubeLevels; ++g)
                for (int b = 0; b < kCubeLevels; ++b)
                    colours_.push_back(qRgb(r * kCubeStep, g * kCubeStep, b * kCubeStep));
        for (int i = 1; i <= kExtraGreys; ++i) {
            const int v = (i * 255 * 2 + kExtraGreys + 1) / (2 * (kExtraGreys + 1));
            colours_.push_back(qRgb(v, v, v));
        }
    }

    const std::vector<QRgb>& Colours() const { return colours_; }

    uint8_t Nearest(QRgb c) const {
        const auto level = [](int v) { return (v + kCubeStep / 2) / kCubeStep; };
        int best = level(qRed(c)) * 36 + level(qGreen(c)) * 6 + level(qBlue(c));
        int bestDistance = Distance(c, colours_[best]);
        for (int i = 216; i < static_cast<int>(colours_.size()); ++i) {
            const int d = Distance(c, colours_[i]);
            if (d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        return static_cast<uint8_t>(best);
    }

private:
    std::vector<QRgb> colours_;
};

}  // namespace

IndexedImage Quantize(const QImage& image) {
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    IndexedImage out;
    out.width = src.width();
    out.height = src.height();
    out.pixels.reserve(static_cast<size_t>(out.width) * out.height);

    QHash<QRgb, uint8_t> exact;
    bool fits = true;
    for (int y = 0; y < src.height() && fits; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = OnWhite(line[x]);
            auto it = exact.find(c);
            if (it == exact.end()) {
                if (exact.size() == 256) {
                    fits = false;
                    break;
                }
                it = exact.insert(c, static_cast<uint8_t>(out.palette.size()));
                out.palette.push_back(c);
            }
            out.pixels.push_back(*it);
        }
    }

    if (!fits) {
        static const FixedPalette cube;
        out.palette = cube.Colours();
        out.pixels.clear();
        QHash<QRgb, uint8_t> nearest;
        for (int y = 0; y < src.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            for (int x = 0; x < src.width(); ++x) {
                const QRgb c = OnWhite(line[x]);
                auto it = nearest.find(c);
                if (it == nearest.end()) it = nearest.insert(c, cube.Nearest(c));
                out.pixels.push_back(*it);
            }
        }
    }

    out.bitsPerIndex = 1;
    while ((size_t{1} << out.bitsPerIndex) < out.palette.size()) ++out.bitsPerIndex;
    out.palette.resize(size_t{1} << out.bitsPerIndex, qRgb(0, 0, 0));
    return out;
}

}  // namespace gif
