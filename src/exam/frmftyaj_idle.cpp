// The idle cycle: the offer of an exam every fifth tick, and the exam's start.
#include <algorithm>
#include <cmath>
#include <memory>

#include "dialogs/dialogs.h"
#include "exam/frmftyaj.h"
#include "shared/recordsets.h"
#include "shared/statements.h"
#include "platform/db/error.h"
#include "platform/numbers.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"

namespace {

const QString kCandidateName = QStringLiteral("驾驶员");
const QString kAdmissionNo = QStringLiteral("1000001");

// The kind followed by "0" when it is one character, "001", and the paper number as
// three digits (the number plus 1000 without its first digit).
QString PaperCode(const QString& kind, qint32 paperNumber) {
    const QString kindPiece = kind.size() == 1 ? kind + QStringLiteral("0") : kind;
    const QString numberPiece = QString::number(qint64{paperNumber} + 1000).mid(1);
    return kindPiece + QStringLiteral("001") + numberPiece;
}

// A kind's duration: its kssj, unless that is missing or below 20 minutes.
qint32 MinutesOf(const db::Value& kssj) {
    if (kssj.IsNull()) return 50;
    const double minutes = kssj.ToDouble();
    if (minutes < 20) return 50;
    const auto whole = platform::ToInt32(minutes);
    if (!whole) throw db::Error("the exam duration of the paper kind is out of range");
    return *whole;
}

}  // namespace

void Frmftyaj::Form_Load() {
    try {
        shared::OpenConnection(*m_.Conn, m_.ConnectionString);
    } catch (const std::exception& e) {
        // Nothing may tick behind the message: the program ends when it is closed.
        Timer1->SetEnabled(false);
        Timer2->SetEnabled(false);
        m_.FailStartup(QStringLiteral("无法打开题库文件 %1。").arg(m_.DatabaseFile()),
                       QString::fromUtf8(e.what()));
        return;
    }
    Timer2->SetEnabled(false);
    PaperState = QStringLiteral("000");
}

qint32 Frmftyaj::DrawPaperNumber() {
    const auto draw = [this] {
        const float r = m_.Sys.random->Next();
        return static_cast<qint32>(std::floor(static_cast<double>(r) * m_.PaperCount + 1));
    };
    const qint32 repeats = draw();
    qint32 paper = 0;
    for (qint32 i = 0; i < repeats; ++i) paper = draw();
    return paper;
}

void Frmftyaj::Timer1_Timer() {
    IdleTicks += 1;
    if (IdleTicks < 5) return;
    IdleTicks = 0;

    m_.CandidateName = kCandidateName;
    m_.AdmissionNo = kAdmissionNo;
    m_.PaperName = PaperCode(m_.PaperKind, DrawPaperNumber());
    m_.ReviewPaper = m_.PaperName;
    m_.PaperTitle = m_.PaperKind;
    Timer1->SetEnabled(false);

    if (!PaperIsOffered()) return;

    auto confirmation = std::make_unique<Frmquit2>(m_);
    confirmation->Show(1);
    if (!confirmation->Confirmed) {
        Timer1->SetEnabled(true);
        confirmation->Unload();
        return;
    }
    auto instructions = std::make_unique<Frmquit3>(m_);
    instructions->Show(1);
    instructions->Unload();

    PaperState = QStringLiteral("000");
    ReviewState.clear();
    GetOpen();
    if (PaperState == QStringLiteral("000")) return;
    StartCountdown();
}

bool Frmftyaj::PaperIsOffered() {
    // A failing lookup leaves the terminal stopped, as a missing paper does; the
    // operator's exit prompt starts it again.
    try {
        shared::OpenRecordset(*m_.WorkRs, *m_.Conn, statements::S2(m_.PaperTitle), db::adLockReadOnly,
                            true);
        if (m_.WorkRs->RecordCount() > 0) {
            m_.PaperTitle = m_.WorkRs->Field(QStringLiteral("lb")).ToText();
            m_.ExamMinutes = MinutesOf(m_.WorkRs->Field(QStringLiteral("kssj")));
        }
        m_.WorkRs->Close();

        shared::OpenRecordset(*m_.WorkRs, *m_.Conn, statements::S3(m_.PaperName),
                            db::adLockOptimistic, false);
        if (m_.WorkRs->RecordCount() < 10) {
            ui::MsgBox(QStringLiteral("没有《") + m_.PaperTitle + QStringLiteral("》试卷！"),
                       ui::vbInformation, shared::kApplicationTitle);
            return false;
        }
        m_.WorkRs->Close();
        return true;
    } catch (const std::exception& e) {
        m_.ReportError(&e);
        return false;
    }
}

void Frmftyaj::StartCountdown() {
    EndTime = platform::AddMinutes(m_.Sys.clock->Now(), m_.ExamMinutes);
    EndMonotonicMs = m_.Sys.clock->MonotonicMs() + qint64{m_.ExamMinutes} * 60 * 1000;
    Label13->SetCaption(platform::FormatNnSs(TimeLeftMs()));
    answersFinal_ = false;
    Timer2->SetEnabled(true);
    Label9->SetVisible(false);
    Label8->SetVisible(true);
    Label15->SetVisible(true);
    // Beyond the right edge, also of a screen wider than 20000 twips.
    Image2->SetLeft(std::max(20000.0, ScaleWidth()));
}
