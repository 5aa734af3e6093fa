#include "platform/ui/twips.h"

#include <gtest/gtest.h>

namespace {

// Each axis at its own resolution, also where it is not 96 DPI; whole pixels go back to
// whole twips.
TEST(Twips, ConvertEachAxisAtItsOwnResolution) {
    const struct {
        ui::Dpi dpi;
        double twipsX, twipsY;
        int pixelsX, pixelsY;
    } cases[] = {
        {{120, 96}, 1200, 1200, 100, 80},
        {{96, 144}, 1500, 1000, 100, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi.x << " x " << c.dpi.y << " DPI");
        EXPECT_EQ(ui::ToPixelsX(c.twipsX, c.dpi), c.pixelsX);
        EXPECT_EQ(ui::ToPixelsY(c.twipsY, c.dpi), c.pixelsY);
        EXPECT_DOUBLE_EQ(ui::ToTwipsX(c.pixelsX, c.dpi), c.twipsX);
        EXPECT_DOUBLE_EQ(ui::ToTwipsY(c.pixelsY, c.dpi), c.twipsY);
    }
}

}  // namespace
