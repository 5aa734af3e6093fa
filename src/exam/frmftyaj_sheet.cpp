// The answer sheet: built from the drawn paper in one transaction, and the answer on
// screen stored back into it as a mask with its score.
#include <exception>
#include <stdexcept>

#include "exam/frmftyaj.h"
#include "shared/recordsets.h"
#include "shared/statements.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/numbers.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "shared/module1.h"

namespace {

constexpr int kMinimumQuestions = 10;

}  // namespace

void Frmftyaj::SetHeadings() {
    Label1->SetCaption(m_.PaperTitle + QStringLiteral(" 试卷"));
    CentreLabel(Label1);
    Label4->SetCaption(QStringLiteral("准考证号： ") + m_.AdmissionNo +
                       QStringLiteral("     考生姓名：") + m_.CandidateName);
    CentreLabel(Label4);
}

void Frmftyaj::GetOpen() {
    db::Connection& conn = *m_.Conn;
    db::Recordset& work = *m_.WorkRs;
    db::Recordset& sheet = *m_.SheetRs;
    try {
        SetHeadings();
        conn.BeginTrans();
        shared::OpenRecordset(work, conn, statements::S4(m_.PaperName), db::adLockOptimistic, false);
        if (work.RecordCount() < kMinimumQuestions) {
            // The paper lost rows since it was offered: nothing is replaced.
            work.Close();
            conn.RollbackTrans();
            ui::MsgBox(QStringLiteral("没有合适的试卷！"), ui::vbInformation,
                       shared::kApplicationTitle);
            PaperState = QStringLiteral("000");
            return;
        }
        work.Close();
        conn.Execute(statements::S5(m_.AdmissionNo), db::adCmdText);
        conn.Execute(statements::S6(m_.PaperName, m_.AdmissionNo), db::adCmdText);
        shared::OpenRecordset(sheet, conn, statements::S7(m_.PaperName, m_.AdmissionNo),
                            db::adLockBatchOptimistic, false);
        sheet.MoveFirst();
        const auto offset = platform::ToInt32(sheet.Field(QStringLiteral("id")).ToDouble() - 1);
        if (!offset) throw std::overflow_error("the sheet's first id does not fit 32 bits");
        IdOffset = *offset;
        sheet.SetActiveConnection(nullptr);
        conn.CommitTrans();
        PaperState = QStringLiteral("111");
        GetForms();
    } catch (const std::exception& e) {
        shared::RollbackIfOpen(conn);
        PaperState = QStringLiteral("000");
        m_.ReportError(&e);
    }
}

void Frmftyaj::GetSave() {
    QString mask;
    for (int i = 1; i <= 6; ++i) mask += Image1[i]->Visible() ? QLatin1Char('1') : QLatin1Char('0');
    db::Recordset& sheet = *m_.SheetRs;
    sheet.SetField(QStringLiteral("sjda"), mask);
    const db::Value key = sheet.Field(QStringLiteral("da"));
    const bool right = !key.IsNull() && key.ToText() == mask;
    sheet.SetField(QStringLiteral("df"), right ? sheet.Field(QStringLiteral("fz")) : db::Value(0));
    sheet.SetField(QStringLiteral("xq"), mask.contains(QLatin1Char('1')) ? 1 : 0);
}
