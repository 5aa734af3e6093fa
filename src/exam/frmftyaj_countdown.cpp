// The countdown: the remaining time on screen, and the hand-in at time-out.
#include "dialogs/dialogs.h"
#include "exam/frmftyaj.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"

qint64 Frmftyaj::TimeLeftMs() const {
    return EndMonotonicMs - m_.Sys.clock->MonotonicMs();
}

void Frmftyaj::Timer2_Timer() {
    // The exam being handed in already: nothing may start a second end.
    if (handingIn_) return;
    if (ReviewState == QStringLiteral("1")) {
        Label13->SetCaption(QString());
        return;
    }
    const qint64 left = TimeLeftMs();
    Label13->SetCaption(platform::FormatNnSs(left));
    if (left >= 0) return;

    Timer2->SetEnabled(false);
    answersFinal_ = true;
    // An open end-exam prompt cannot hold the time-out back: it closes, and the key
    // handler that opened it leaves the exam to this tick.
    if (endPrompt_ != nullptr) endPrompt_->Hide();
    if (!Gets1()) {
        // Nothing was handed in: the exam stays, and the next tick tries again with the
        // same sheet.
        Timer2->SetEnabled(true);
        return;
    }
    if (ReviewState == QStringLiteral("1")) return;
    ShowTitleHeading();
    Label8->SetVisible(false);
    Label15->SetVisible(false);
}
