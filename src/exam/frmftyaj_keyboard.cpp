// The answering keypad: options, moves, the end-exam, review and exit prompts.
#include <memory>

#include "dialogs/dialogs.h"
#include "exam/frmftyaj.h"
#include "exam/scoped_value.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/image_box.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"

namespace {

enum class Move { None, Next, Previous };

Move MoveOf(int keyCode) {
    switch (keyCode) {
        case ui::vk::Add:
        case ui::vk::F4:
        case ui::vk::Return:
            return Move::Next;
        case ui::vk::Subtract:
        case ui::vk::F3:
            return Move::Previous;
        default:
            return Move::None;
    }
}

// Option 1..6 of a main-row or keypad digit; 0 for any other key.
int OptionOf(int keyCode) {
    if (keyCode >= ui::vk::Digit0 + 1 && keyCode <= ui::vk::Digit0 + 6) {
        return keyCode - ui::vk::Digit0;
    }
    if (keyCode >= ui::vk::Numpad0 + 1 && keyCode <= ui::vk::Numpad0 + 6) {
        return keyCode - ui::vk::Numpad0;
    }
    return 0;
}

}  // namespace

void Frmftyaj::Form_KeyDown(int& keyCode, int) {
    try {
        if (ReviewState.isEmpty()) {
            AnsweringKey(keyCode);
        } else {
            ReviewKey(keyCode);
        }
    } catch (const std::exception& e) {
        m_.ReportError(&e);
    }
}

bool Frmftyaj::OnTitleScreen() const {
    return Label1->Caption() == kProductTitle;
}

void Frmftyaj::AnsweringKey(int& keyCode) {
    if (keyCode == ui::vk::Escape) {
        if (OnTitleScreen()) {
            ExitPrompt();
        } else {
            EndExamPrompt();
        }
        return;
    }
    const Move move = MoveOf(keyCode);
    const int option = OptionOf(keyCode);
    if (move == Move::None && option == 0) return;
    if (PaperState == QStringLiteral("000")) return;
    const bool enter = keyCode == ui::vk::Return;
    keyCode = 0;
    if (answersFinal_) return;
    if (enter && OnTitleScreen()) return;
    if (move == Move::Next) {
        NextQuestion();
    } else if (move == Move::Previous) {
        PreviousQuestion();
    } else {
        ChooseOption(option);
    }
}

void Frmftyaj::NextQuestion() {
    db::Recordset& sheet = *m_.SheetRs;
    if (sheet.Eof()) return;
    GetSave();
    if (sheet.AbsolutePosition() != sheet.RecordCount()) {
        sheet.MoveNext();
        GetForms();
    }
}

void Frmftyaj::PreviousQuestion() {
    db::Recordset& sheet = *m_.SheetRs;
    if (sheet.Bof()) return;
    GetSave();
    if (sheet.AbsolutePosition() != 1) {
        sheet.MovePrevious();
        GetForms();
    }
}

void Frmftyaj::ChooseOption(int option) {
    if (Label6[option]->Caption().isEmpty()) return;
    if (Label5->Caption() == kMultipleChoice) {
        Image1[option]->SetVisible(!Image1[option]->Visible());
        return;
    }
    for (int i = 1; i <= 6; ++i) Image1[i]->SetVisible(i == option);
}

void Frmftyaj::EndExamPrompt() {
    const int endsBefore = examEnds_;
    auto prompt = std::make_unique<Frmquit1>(m_);
    {
        const ScopedValue<Frmquit1*> open(endPrompt_, prompt.get(), nullptr);
        prompt->Show(1);
    }
    // The time ran out while the prompt was up: the countdown has handed the exam in,
    // or kept it on screen after a hand-in that failed.
    if (examEnds_ != endsBefore) return;
    if (!prompt->EndExam) {
        prompt->Unload();
        return;
    }
    // A hand-in that failed keeps the exam on screen to be handed in again; without a
    // built sheet (an exam start that failed) there is no exam to keep.
    if (!Gets1() && PaperState != QStringLiteral("000")) return;
    if (ReviewState == QStringLiteral("1")) return;
    ReturnToTitle(TitleReturn::AfterExam);
}

void Frmftyaj::ExitPrompt() {
    Timer1->SetEnabled(false);
    auto prompt = std::make_unique<Frmquit>(m_);
    prompt->Show(1);
    if (!prompt->QuitFlag) {
        prompt->Unload();
        Timer1->SetEnabled(true);
        return;
    }
    if (!m_.Sys.exeName.isEmpty()) {
        m_.EndProgram(shared::kExitNormal);
        return;
    }
    if (m_.Conn->State() == db::adStateOpen) m_.Conn->Close();
    const qint32 mode = 1;
    m_.ShutDown(mode);
}

void Frmftyaj::ReviewKey(int& keyCode) {
    if (keyCode == ui::vk::Escape) {
        ReviewPrompt();
        return;
    }
    const Move move = MoveOf(keyCode);
    if (move == Move::None) return;
    keyCode = 0;
    db::Recordset& rows = *m_.SheetRs;
    if (move == Move::Next) {
        if (!rows.Eof() && rows.AbsolutePosition() != rows.RecordCount()) {
            rows.MoveNext();
            GetForms1();
        }
    } else if (!rows.Bof() && rows.AbsolutePosition() != 1) {
        rows.MovePrevious();
        GetForms1();
    }
}

void Frmftyaj::ReviewPrompt() {
    auto prompt = std::make_unique<Frmquit4>(m_);
    prompt->Show(1);
    if (prompt->ReviewWrong) {
        prompt->Unload();
        return;
    }
    ReviewState.clear();
    Label6[0]->SetCaption(QString());
    ReturnToTitle(TitleReturn::LeavingReview);
}

void Frmftyaj::ReturnToTitle(TitleReturn how) {
    ShowTitleHeading();
    if (how == TitleReturn::AfterExam) {
        Timer1->SetEnabled(true);
        Timer2->SetEnabled(false);
    } else {
        // Leaving a review stops the countdown before the idle timer starts.
        Timer2->SetEnabled(false);
        Timer1->SetEnabled(true);
    }
    Label8->SetVisible(false);
    Label15->SetVisible(false);
    Image3->ClearPicture();
    Image3->SetAppearance(0);
    Image3->SetBorderStyle(0);
}

void Frmftyaj::ShowTitleHeading() {
    Image2->SetLeft(600);
    Label1->SetCaption(kProductTitle);
    CentreLabel(Label1);
    Label9->SetVisible(true);
}
