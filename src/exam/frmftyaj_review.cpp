// The review of wrong answers: the rows of the handed-in sheet that scored nothing,
// each shown with its correct answers (the display itself is shared with the exam).
#include <exception>

#include "exam/frmftyaj.h"
#include "shared/recordsets.h"
#include "shared/statements.h"
#include "platform/db/recordset.h"
#include "shared/module1.h"

void Frmftyaj::GetOpen1() {
    try {
        SetHeadings();
        shared::OpenRecordset(*m_.SheetRs, *m_.Conn, statements::S11(m_.PaperName, m_.AdmissionNo),
                            db::adLockBatchOptimistic, true);
        GetForms1();
    } catch (const std::exception& e) {
        m_.ReportError(&e);
    }
}
