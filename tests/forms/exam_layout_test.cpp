#include <gtest/gtest.h>

#include "exam/frmftyaj.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/timer.h"
#include "support/exam_screen.h"

namespace {

using testing_support::ExamScreen;

constexpr double kTwipsPerPixel = 15;

struct Size {
    int width;
    int height;
};

void PrintTo(const Size& size, std::ostream* out) {
    *out << size.width << "x" << size.height;
}

void ExpectCentred(const Frmftyaj& form, const ui::Label* label, const char* what) {
    EXPECT_FLOAT_EQ(label->Left(), static_cast<float>(form.ScaleWidth() / 2 - label->Width() / 2))
        << what;
}

// Every figure the layout promises for a window of W x H twips.
void ExpectLaidOut(const Frmftyaj& f, double W, double H) {
    EXPECT_DOUBLE_EQ(f.ScaleWidth(), W);
    EXPECT_DOUBLE_EQ(f.ScaleHeight(), H);
    EXPECT_FLOAT_EQ(f.Label3->Top(), 2760);
    EXPECT_FLOAT_EQ(f.Label3->Left(), 840);
    EXPECT_FLOAT_EQ(f.Label3->Width(), 4335);
    EXPECT_FLOAT_EQ(f.Label3->Height(), static_cast<float>(H - 1200 - 2760));
    EXPECT_FLOAT_EQ(f.Image3->Top() + f.Image3->Height(), static_cast<float>(H - 1200 - 50));
    EXPECT_FLOAT_EQ(f.Image3->Left(), 960);
    EXPECT_FLOAT_EQ(f.Label13->Top(), static_cast<float>(H - 1200 + 10));
    EXPECT_FLOAT_EQ(f.Label12->Top(), static_cast<float>(H - 1200 + 30));
    EXPECT_FLOAT_EQ(f.Label13->Left(), 2280);
    EXPECT_FLOAT_EQ(f.Label12->Left(), 840);
    EXPECT_FLOAT_EQ(f.Line1->X1(), 0);
    EXPECT_FLOAT_EQ(f.Line1->X2(), static_cast<float>(W));
    EXPECT_FLOAT_EQ(f.Line1->Y1(), static_cast<float>(H - 800));
    EXPECT_FLOAT_EQ(f.Line1->Y2(), static_cast<float>(H - 800));
    EXPECT_FLOAT_EQ(f.Line2->X1(), 0);
    EXPECT_FLOAT_EQ(f.Line2->X2(), static_cast<float>(W));
    EXPECT_FLOAT_EQ(f.Line2->Y1(), static_cast<float>(H - 830));
    EXPECT_FLOAT_EQ(f.Line2->Y2(), static_cast<float>(H - 830));
    EXPECT_FLOAT_EQ(f.Label8->Top(), static_cast<float>(H - 700));
    EXPECT_FLOAT_EQ(f.Label9->Top(), static_cast<float>(H - 700));
    EXPECT_FLOAT_EQ(f.Label15->Top(), static_cast<float>(H - 400));
    EXPECT_FLOAT_EQ(f.Image2->Left(), 600);
    EXPECT_FLOAT_EQ(f.Image2->Top(), 1200);
    EXPECT_FLOAT_EQ(f.Image2->Width(), static_cast<float>(W - 1200));
    EXPECT_FLOAT_EQ(f.Image2->Height(), static_cast<float>(H - 900 - 1200));
    EXPECT_FLOAT_EQ(f.Label6[0]->Top(), 2760 + 5 * 840 + 615 + 500);
    EXPECT_FLOAT_EQ(f.Label6[0]->Left(), 6960);
    ExpectCentred(f, f.Label1, "Label1");
    ExpectCentred(f, f.Label4, "Label4");
    ExpectCentred(f, f.Label5, "Label5");
    ExpectCentred(f, f.Label8, "Label8");
    ExpectCentred(f, f.Label9, "Label9");
    EXPECT_FLOAT_EQ(f.Label15->Left(), static_cast<float>(W / 2 - f.Label8->Width() / 2))
        << "the second hint line follows the first line's width";
    EXPECT_FLOAT_EQ(f.Label14->Left(), f.Label5->Left() + f.Label5->Width());
    EXPECT_FLOAT_EQ(f.Label14->Top(), f.Label5->Top());
    EXPECT_FALSE(f.Label8->Visible());
    EXPECT_FALSE(f.Label15->Visible());
    EXPECT_FLOAT_EQ(f.Label1->Top(), 360);
    EXPECT_FLOAT_EQ(f.Label4->Top(), 1200);
    EXPECT_FLOAT_EQ(f.Label5->Top(), 1680);
}

class Layout : public ::testing::TestWithParam<Size> {};

TEST_P(Layout, FitsTheScreenToTheWindow) {
    const Size size = GetParam();
    ExamScreen screen(size.width, size.height);
    ExpectLaidOut(*screen.form, size.width * kTwipsPerPixel, size.height * kTwipsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(TwoScreens, Layout,
                         ::testing::Values(Size{1024, 768}, Size{1920, 1080}, Size{800, 600}),
                         [](const ::testing::TestParamInfo<Size>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

TEST(Layout, AWindowTooLowForTheFrameKeepsTheFrameAndLaysOutTheRest) {
    ExamScreen screen(1024, 768);
    Frmftyaj& f = *screen.form;
    const float frame = f.Label3->Height();
    ASSERT_FLOAT_EQ(frame, 11520 - 3960);
    screen.Resize(1024, 200);  // 3000 twips: below the frame's top edge plus 1200
    const double H = 3000;
    EXPECT_FLOAT_EQ(f.Label3->Height(), frame);
    EXPECT_FLOAT_EQ(f.Image3->Top() + f.Image3->Height(), 2760 + frame - 50);
    EXPECT_FLOAT_EQ(f.Label13->Top(), 2760 + frame + 10);
    EXPECT_FLOAT_EQ(f.Label12->Top(), 2760 + frame + 30);
    EXPECT_FLOAT_EQ(f.Line1->Y1(), static_cast<float>(H - 800));
    EXPECT_FLOAT_EQ(f.Line2->Y2(), static_cast<float>(H - 830));
    EXPECT_FLOAT_EQ(f.Label15->Top(), static_cast<float>(H - 400));
    EXPECT_FLOAT_EQ(f.Image2->Height(), static_cast<float>(H - 2100));
}

TEST(Layout, APhotographThatWouldGetANegativeHeightKeepsAllFourValues) {
    ExamScreen screen(1024, 768);
    Frmftyaj& f = *screen.form;
    screen.Resize(1200, 100);  // 1500 twips: the photograph would end above its top edge
    EXPECT_FLOAT_EQ(f.Image2->Left(), 600);
    EXPECT_FLOAT_EQ(f.Image2->Width(), 15360 - 1200) << "not the new width";
    EXPECT_FLOAT_EQ(f.Image2->Height(), 11520 - 2100);
    EXPECT_FLOAT_EQ(f.Line1->X2(), 18000) << "the statements after it still ran";
    EXPECT_FLOAT_EQ(f.Line1->Y1(), 700);
}

TEST(Layout, RunningAgainDuringAnExamPutsThePhotographBackOverTheQuestion) {
    ExamScreen screen(1024, 768);
    Frmftyaj& f = *screen.form;
    screen.ShowExamAppearance();
    f.Label1->SetCaption(QStringLiteral("小型汽车 试卷"));
    f.Label6[0]->SetCaption(QStringLiteral("正确答案：  1、"));
    f.Timer1->SetEnabled(false);
    f.Timer2->SetEnabled(true);
    screen.Resize(1920, 1080);

    ExpectLaidOut(f, 1920 * kTwipsPerPixel, 1080 * kTwipsPerPixel);
    EXPECT_EQ(f.Label1->Caption(), QStringLiteral("小型汽车 试卷"));
    EXPECT_FALSE(f.Label9->Visible());
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_TRUE(f.Timer2->Enabled());
    EXPECT_TRUE(f.Label6[0]->Visible());
    EXPECT_EQ(f.Label6[0]->Caption(), QStringLiteral("正确答案：  1、"));
    // Stacked above the photograph: later siblings are drawn over earlier ones.
    const auto order = f.children();
    EXPECT_GT(order.indexOf(f.Label6[0]), order.indexOf(f.Image2));
    EXPECT_GT(order.indexOf(f.Image3), order.indexOf(f.Image2));
}

TEST(Layout, ALabelWiderThanTheWindowIsCutOffEquallyOnBothSides) {
    ExamScreen screen(300, 600);
    Frmftyaj& f = *screen.form;
    ASSERT_GT(f.Label8->Width(), f.ScaleWidth());
    EXPECT_LT(f.Label8->Left(), 0);
    EXPECT_FLOAT_EQ(f.Label8->Left() + f.Label8->Width() / 2,
                    static_cast<float>(f.ScaleWidth() / 2));
}

}  // namespace
