// The end of an exam: the answers sent in one batch, the total against the pass mark,
// the sheet handed in, the result, and the offer of the review.
#include <memory>
#include <optional>

#include "dialogs/dialogs.h"
#include "exam/frmftyaj.h"
#include "exam/scoped_value.h"
#include "platform/db/error.h"
#include "platform/numbers.h"
#include "platform/ui/message_box.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"
#include "shared/recordsets.h"
#include "shared/statements.h"

namespace {

// The kind's jgfs when it lies above 0 and below 101, else 90.
qint32 PassMarkOf(db::Recordset& kind) {
    if (kind.RecordCount() == 0) return 90;
    const db::Value jgfs = kind.Field(QStringLiteral("jgfs"));
    if (jgfs.IsNull()) return 90;
    const double mark = jgfs.ToDouble();
    if (!(mark > 0 && mark < 101)) return 90;
    return platform::ToInt32(mark).value_or(90);
}

qint32 TotalOf(db::Recordset& sum) {
    const db::Value total = sum.Field(0);
    if (total.IsNull()) throw db::Error("the answer sheet has no score to total");
    const auto whole = platform::ToInt32(total.ToDouble());
    if (!whole) throw db::Error("the total of the answer sheet is out of range");
    return *whole;
}

}  // namespace

bool Frmftyaj::Gets1() {
    if (handingIn_) return false;
    const ScopedValue<bool> running(handingIn_, true, false);
    ++examEnds_;

    db::Connection& conn = *m_.Conn;
    db::Recordset& sheet = *m_.SheetRs;
    // A sent batch counts its answers as stored; were the transaction rolled back
    // after it, the next try would have nothing to send. The sheet before the batch
    // is put back on a failure.
    std::optional<db::Recordset> pending;
    try {
        conn.BeginTrans();
        if (sheet.RecordCount() > 0) {
            GetSave();
            pending = sheet;
            sheet.SetActiveConnection(&conn);
            sheet.UpdateBatch(db::adAffectAllChapters);
        }
        shared::OpenRecordset(*m_.WorkRs, conn, statements::S8(m_.PaperKind), db::adLockOptimistic,
                              false);
        const qint32 passMark = PassMarkOf(*m_.WorkRs);
        shared::OpenRecordset(*m_.WorkRs, conn, statements::S9(m_.PaperName, m_.AdmissionNo),
                              db::adLockOptimistic, false);
        const qint32 total = TotalOf(*m_.WorkRs);
        m_.ResultText =
            QStringLiteral("合计考") + QString::number(total) +
            (total < passMark ? QStringLiteral("分， 不合格！") : QStringLiteral("分， 合格！"));
        conn.Execute(statements::S10(m_.PaperName, m_.AdmissionNo));
        // Stored before it is announced: a candidate who has seen the result never
        // loses the hand-in to a crash while the message is up.
        conn.CommitTrans();
        // Folded here and not after the sheet build: a fold costs two syncs, and a
        // copy of korva.mdb needs the handed-in sheets only.
        conn.FoldLog();
    } catch (const std::exception& e) {
        shared::RollbackIfOpen(conn);
        if (pending) sheet = *pending;
        m_.ReportError(&e);
        return false;
    }
    // Handed in: the keys act on the review or the title screen again.
    answersFinal_ = false;

    ui::MsgBox(QStringLiteral("考生：") + m_.CandidateName + m_.ResultText, ui::vbInformation,
               shared::kApplicationTitle);

    auto prompt = std::make_unique<Frmquit4>(m_);
    prompt->Show(1);
    if (!prompt->ReviewWrong) {
        m_.ReviewPaper.clear();
        ReviewState.clear();
        Timer1->SetEnabled(true);
        prompt->Unload();
    } else if (!m_.ReviewPaper.isEmpty()) {
        ReviewState = QStringLiteral("1");
        GetOpen1();
    } else {
        m_.ReviewPaper.clear();
        ReviewState.clear();
        Timer1->SetEnabled(true);
    }
    return true;
}
