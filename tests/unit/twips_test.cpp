#include <gtest/gtest.h>

#include "platform/ui/twips.h"

namespace {

// Each axis at its own resolution, rounded to the nearest pixel, negative positions
// alike.
TEST(Twips, ConvertEachAxisAtItsOwnResolution) {
    struct Case {
        ui::Dpi dpi;
        double twipsX, twipsY;
        int pixelsX, pixelsY;
    } cases[] = {
        {{96, 96}, 1200.25, 495, 80, 33},
        {{96, 96}, 23, -23, 2, -2},
        {{96, 96}, 22, 7, 1, 0},
        {{120, 96}, 1200, 1200, 100, 80},
        {{120, 96}, 23, 23, 2, 2},
        {{96, 120}, 1200, 1200, 80, 100},
        {{144, 144}, 27, -27, 3, -3},
        {{144, 144}, 14996, 7784, 1500, 778},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi.x << " x " << c.dpi.y << " DPI");
        EXPECT_EQ(ui::ToPixelsX(c.twipsX, c.dpi), c.pixelsX) << c.twipsX;
        EXPECT_EQ(ui::ToPixelsY(c.twipsY, c.dpi), c.pixelsY) << c.twipsY;
    }
}

TEST(Twips, PixelsBackToTwips) {
    struct Case {
        ui::Dpi dpi;
        int pixels;
        double twipsX, twipsY;
    } cases[] = {
        {{96, 96}, 1024, 15360, 15360},
        {{120, 96}, 100, 1200, 1500},
        {{96, 144}, 100, 1500, 1000},
        {{144, 144}, -3, -30, -30},
        {{0, 0}, 2, 30, 30},  // no resolution reported: 96 DPI
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi.x << " x " << c.dpi.y << " DPI");
        EXPECT_DOUBLE_EQ(ui::ToTwipsX(c.pixels, c.dpi), c.twipsX) << c.pixels;
        EXPECT_DOUBLE_EQ(ui::ToTwipsY(c.pixels, c.dpi), c.twipsY) << c.pixels;
    }
}

}  // namespace
