// What the layout does to the exam screen beyond the two sizes the screens are pictured
// at: a resize during an exam, and windows too low for the frame or the photograph.
#include <gtest/gtest.h>

#include "exam/frmftyaj.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "support/terminal_fixture.h"

namespace {

// From 1024 x 768 to another size. During an exam the photograph comes back over the
// question and the hints go; a statement that would set a negative size is skipped, its
// control keeps the size it had, and the statements after it still run.
TEST(Layout, ResizedDuringAnExamOrTooLowForTheFrame) {
    const struct {
        int width, height;
        bool exam;
        float frameHeight;
        std::vector<float> photograph;  // left, top, width, height
    } cases[] = {
        {1920, 1080, true, 12240, {600, 1200, 27600, 14100}},
        {1024, 200, false, 7560, {600, 1200, 14160, 900}},   // too low for the frame
        {1200, 100, false, 7560, {600, 1200, 14160, 9420}},  // and for the photograph
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        testing_support::Terminal t;
        ASSERT_TRUE(t.Start(1024, 768));
        Frmftyaj& f = *t.form;
        if (c.exam) {
            t.TakeOffer();
            ASSERT_TRUE(t.ShowsExam());
        }
        f.resize(c.width, c.height);
        testing_support::ProcessEvents();
        EXPECT_EQ(f.Label3->Height(), c.frameHeight);
        EXPECT_EQ(
            (std::vector{f.Image2->Left(), f.Image2->Top(), f.Image2->Width(), f.Image2->Height()}),
            c.photograph);
        EXPECT_EQ((std::vector{f.Line1->X2(), f.Line1->Y1()}),
                  (std::vector<float>{c.width * 15.f, c.height * 15.f - 800}));
        EXPECT_FALSE(f.Label8->Visible() || f.Label15->Visible()) << "hints shown";
        if (c.exam) {
            EXPECT_FALSE(f.Label9->Visible());
            EXPECT_EQ(f.Label1->Caption(), QStringLiteral("货运驾驶员从业资格 试卷"));
        }
    }
}

}  // namespace
