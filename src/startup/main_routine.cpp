#include <exception>

#include "exam/frmftyaj.h"
#include "startup/module1.h"

namespace startup {

int Module1::Main() {
    if (!PrepareRun()) return exitStatus_;
    try {
        CreateMainForm();
        MainForm->Show(1);
    } catch (const std::exception& e) {
        FailStartup(QStringLiteral("无法显示考试窗口。"),
                    QString::fromUtf8(e.what()));
    }
    return exitStatus_;
}

void Module1::CreateMainForm() { MainForm = std::make_unique<Frmftyaj>(*this); }

bool Module1::PrepareRun() {
    if (!GetIni()) return false;

    ConnectionString = QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") +
                       AppFolder + QStringLiteral("\\korva.mdb") + QStringLiteral(";Jet OLEDB:");

    try {
        Conn = std::make_unique<db::Connection>();
        SheetRs = std::make_unique<db::Recordset>();
        WorkRs = std::make_unique<db::Recordset>();
    } catch (const std::exception& e) {
        FailStartup(QStringLiteral("无法创建数据库对象。"),
                    QString::fromUtf8(e.what()));
        return false;
    }

    if (PaperKind == QStringLiteral("0") || PaperKind.isEmpty()) return ChoosePaperKind();
    return true;
}

}  // namespace startup
