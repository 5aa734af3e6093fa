#include <exception>

#include "exam/frmftyaj.h"
#include "startup/module1.h"

namespace startup {

int Module1::Main() {
    if (!GetIni()) return exitStatus_;

    ConnectionString = QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") +
                       AppFolder + QStringLiteral("\\korva.mdb") + QStringLiteral(";Jet OLEDB:");

    try {
        Conn = std::make_unique<db::Connection>();
        SheetRs = std::make_unique<db::Recordset>();
        WorkRs = std::make_unique<db::Recordset>();
    } catch (const std::exception& e) {
        FailStartup(QStringLiteral("The database objects could not be created."),
                    QString::fromUtf8(e.what()));
        return exitStatus_;
    }

    if (PaperKind == QStringLiteral("0") || PaperKind.isEmpty()) {
        if (!ChoosePaperKind()) return exitStatus_;
    }

    try {
        MainForm = std::make_unique<Frmftyaj>(*this);
        MainForm->Show(1);
    } catch (const std::exception& e) {
        FailStartup(QStringLiteral("The examination window could not be shown."),
                    QString::fromUtf8(e.what()));
    }
    return exitStatus_;
}

}  // namespace startup
