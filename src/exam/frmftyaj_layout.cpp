// Fits the exam screen to the window. Every statement stands alone: one that a
// control refuses is skipped and the rest still run.
#include <exception>

#include "exam/frmftyaj.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"

namespace {

template <class Statement>
void Skippable(Statement statement) {
    try {
        statement();
    } catch (const std::exception&) {
        // Ignored by design: the property keeps its old value.
    }
}

}  // namespace

void Frmftyaj::CentreLabel(ui::Label* label) {
    label->SetLeft(ScaleWidth() / 2 - static_cast<double>(label->Width()) / 2);
}

void Frmftyaj::Form_Resize() {
    const auto W = [this] { return ScaleWidth(); };
    const auto H = [this] { return ScaleHeight(); };
    Skippable([&] { Label3->SetHeight(H() - 1200 - Label3->Top()); });
    Skippable([&] { CentreLabel(Label1); });
    Skippable([&] { CentreLabel(Label4); });
    Skippable([&] { CentreLabel(Label5); });
    Skippable([&] {
        Image3->SetTop(static_cast<double>(Label3->Top()) + Label3->Height() - Image3->Height() -
                       50);
    });
    Skippable([&] { Label14->SetLeft(static_cast<double>(Label5->Left()) + Label5->Width()); });
    Skippable([&] { CentreLabel(Label8); });
    Skippable([&] { Label8->SetVisible(false); });
    Skippable([&] { Label8->SetTop(H() - 700); });
    // The second hint line lines up under the first, so it is placed by the first's width.
    Skippable([&] { Label15->SetLeft(W() / 2 - static_cast<double>(Label8->Width()) / 2); });
    Skippable([&] { Label15->SetTop(H() - 400); });
    Skippable([&] { Label15->SetVisible(false); });
    Skippable([&] { Label9->SetTop(H() - 700); });
    Skippable([&] { Label13->SetTop(static_cast<double>(Label3->Top()) + Label3->Height() + 10); });
    Skippable([&] { Label12->SetTop(static_cast<double>(Label13->Top()) + 20); });
    Skippable([&] { CentreLabel(Label9); });
    Skippable([&] {
        Label6[0]->SetTop(static_cast<double>(Label6[6]->Top()) + Label6[6]->Height() + 500);
    });
    Skippable([&] { Line1->SetX1(0); });
    Skippable([&] { Line1->SetX2(W()); });
    Skippable([&] { Line1->SetY1(H() - 800); });
    Skippable([&] { Line1->SetY2(H() - 800); });
    Skippable([&] { Line2->SetX1(0); });
    Skippable([&] { Line2->SetX2(W()); });
    Skippable([&] { Line2->SetY1(static_cast<double>(Line1->Y1()) - 30); });
    Skippable([&] { Line2->SetY2(static_cast<double>(Line1->Y2()) - 30); });
    Skippable([&] {
        Image2->Move(600, Image2->Top(), W() - 1200,
                     H() - 900 - static_cast<double>(Image2->Top()));
    });
}
