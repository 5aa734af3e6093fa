#include <exception>

#include "exam/frmftyaj.h"
#include "platform/ui/fonts.h"
#include "shared/module1.h"
#include "startup/startup.h"

namespace startup {
namespace {

// Taken before anything of the folder is read, so that a second start leaves the
// running terminal's settings, database and candidate alone.
bool LockProgramFolder(shared::Module1& module) {
    const QString& folder = module.Sys.folder;
    QString reason;
    switch (module.RunLock.Take(folder, &reason)) {
        case platform::FolderLock::Outcome::Taken:
            return true;
        case platform::FolderLock::Outcome::HeldByAnother:
            module.FailStartup(QStringLiteral("此文件夹中已有一个考试终端在运行：%1。").arg(folder),
                               reason);
            break;
        case platform::FolderLock::Outcome::Failed:
            module.FailStartup(QStringLiteral("无法锁定程序文件夹 %1。").arg(folder), reason);
            break;
    }
    return false;
}

}  // namespace

int Main(shared::Module1& module) {
    if (!PrepareRun(module)) return module.ExitStatus();
    try {
        CreateMainForm(module).Show(1);
    } catch (const std::exception& e) {
        module.FailStartup(QStringLiteral("无法显示考试窗口。"), QString::fromUtf8(e.what()));
    }
    return module.ExitStatus();
}

Frmftyaj& CreateMainForm(shared::Module1& module) {
    auto form = std::make_unique<Frmftyaj>(module);
    Frmftyaj& created = *form;
    module.MainForm = std::move(form);
    return created;
}

bool PrepareRun(shared::Module1& module) {
    if (!LockProgramFolder(module)) return false;
    if (!GetIni(module)) return false;

    module.ConnectionString = QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") +
                              module.AppFolder + QStringLiteral("\\korva.mdb") +
                              QStringLiteral(";Jet OLEDB:");

    try {
        module.Conn = std::make_unique<db::Connection>();
        module.SheetRs = std::make_unique<db::Recordset>();
        module.WorkRs = std::make_unique<db::Recordset>();
    } catch (const std::exception& e) {
        module.FailStartup(QStringLiteral("无法创建数据库对象。"), QString::fromUtf8(e.what()));
        return false;
    }

    if (module.PaperKind == QStringLiteral("0") || module.PaperKind.isEmpty()) {
        return ChoosePaperKind(module);
    }
    return true;
}

int RunProgram(platform::Services& services) {
    ui::RegisterFontSubstitutions();
    shared::Module1 module(services);
    return Main(module);
}

}  // namespace startup
