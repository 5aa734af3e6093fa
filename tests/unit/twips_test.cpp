#include "platform/ui/twips.h"

#include <gtest/gtest.h>

namespace {

// Each axis at its own resolution, rounded to the nearest pixel, negative positions
// alike; whole pixels go back to whole twips (96 DPI when none is reported).
TEST(Twips, ConvertEachAxisAtItsOwnResolution) {
    const struct {
        ui::Dpi dpi;
        double twipsX, twipsY;
        int pixelsX, pixelsY;
        bool whole;  // the pixels give back the twips exactly
    } cases[] = {
        {{96, 96}, 1200.25, 495, 80, 33, false},  {{96, 96}, 23, -23, 2, -2, false},
        {{96, 96}, 22, 7, 1, 0, false},           {{96, 96}, 15360, 15360, 1024, 1024, true},
        {{120, 96}, 1200, 1200, 100, 80, true},   {{120, 96}, 23, 23, 2, 2, false},
        {{96, 120}, 1200, 1200, 80, 100, true},   {{96, 144}, 1500, 1000, 100, 100, true},
        {{144, 144}, 27, -27, 3, -3, false},      {{144, 144}, -30, -30, -3, -3, true},
        {{144, 144}, 14996, 7784, 1500, 778, false}, {{0, 0}, 30, 30, 2, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi.x << " x " << c.dpi.y << " DPI, " << c.twipsX
                                        << ", " << c.twipsY);
        EXPECT_EQ(ui::ToPixelsX(c.twipsX, c.dpi), c.pixelsX);
        EXPECT_EQ(ui::ToPixelsY(c.twipsY, c.dpi), c.pixelsY);
        if (c.whole) {
            EXPECT_DOUBLE_EQ(ui::ToTwipsX(c.pixelsX, c.dpi), c.twipsX);
            EXPECT_DOUBLE_EQ(ui::ToTwipsY(c.pixelsY, c.dpi), c.twipsY);
        }
    }
}

}  // namespace
