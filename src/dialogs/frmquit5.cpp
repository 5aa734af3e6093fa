#include "dialogs/frmquit5.h"

#include <array>
#include <memory>

#include "shared/recordsets.h"
#include "shared/statements.h"
#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "platform/ui/fonts.h"
#include "platform/ui/keys.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"

namespace {

// The kinds of the digits 0 to 9, main row and keypad alike.
const std::array<const char*, 10> kKindOfDigit = {"1", "2", "3", "4", "5",
                                                  "6", "7", "8", "9", "93"};
const QString kDefaultKind = QStringLiteral("91");

}  // namespace

Frmquit5::Frmquit5(shared::Module1& module)
    : ui::Form(ui::Form::Style::FixedDialog), module_(module) {
    setFont(ui::DefaultDialogFont());
}

QString Frmquit5::KindForKey(int keyCode) {
    if (keyCode >= ui::vk::Digit0 && keyCode <= ui::vk::Digit0 + 9) {
        return QString::fromLatin1(kKindOfDigit[keyCode - ui::vk::Digit0]);
    }
    if (keyCode >= ui::vk::Numpad0 && keyCode <= ui::vk::Numpad0 + 9) {
        return QString::fromLatin1(kKindOfDigit[keyCode - ui::vk::Numpad0]);
    }
    return kDefaultKind;
}

void Frmquit5::Form_Load() {
    if (!FillList()) {
        // Reached only when the end of the program returns (under test): no show.
        Unload();
        return;
    }
    Timer1->SetEnabled(true);
}

bool Frmquit5::FillList() {
    try {
        shared::OpenConnection(*module_.Conn, module_.ConnectionString);
        auto list = std::make_unique<db::Recordset>();
        shared::OpenRecordset(*list, *module_.Conn, statements::S1(), db::adLockReadOnly, true);
        if (!(list->Bof() && list->Eof())) {
            int row = 0;
            list->MoveFirst();
            while (!list->Eof()) {
                const QString kind = list->Field(QStringLiteral("SJBH")).ToTextOrEmpty();
                if (kind != QStringLiteral("91") && kind != QStringLiteral("92")) {
                    SSPanel2[row]->SetCaption(QString::number(row) + QStringLiteral("、") +
                                              list->Field(QStringLiteral("SJMC")).ToTextOrEmpty());
                    ++row;
                    if (row > 9) list->MoveLast();
                }
                list->MoveNext();
            }
        }
        list->Close();
        return true;
    } catch (const db::Error& e) {
        module_.FailStartup(
            QStringLiteral("无法从题库文件 %1 读取考试种类。").arg(module_.DatabaseFile()),
            QString::fromUtf8(e.what()));
        return false;
    }
}

void Frmquit5::Form_KeyDown(int& keyCode, int) {
    // Shift before a digit, or Num Lock pressed around a keypad key, chooses nothing.
    if (ui::IsModifierOrLock(keyCode)) return;
    const QString kind = KindForKey(keyCode);
    if (kind == kDefaultKind) keyCode = 0;
    Choose(kind);
}

void Frmquit5::Timer1_Timer() {
    ++TickCount;
    if (TickCount > 8) {
        TickCount = 0;
        Choose(kDefaultKind);
    }
}

void Frmquit5::Choose(const QString& kind) {
    module_.PaperKind = kind;
    Timer1->SetEnabled(false);
    Hide();
}
