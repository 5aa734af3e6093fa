#include <memory>
#include <optional>

#include "dialogs/dialogs.h"
#include "platform/numbers.h"
#include "platform/profile.h"
#include "shared/module1.h"
#include "startup/startup.h"

namespace startup {
namespace {

constexpr int kProfileBuffer = 1024;

QString ReadServerValue(const QString& key, const QString& iniPath) {
    return platform::ReadProfileString(QStringLiteral("Server"), key, QString(), kProfileBuffer,
                                       iniPath);
}

// The paper count held in a value: the number at its start, rounded; 0 when it does
// not fit a 32-bit integer.
qint32 PaperCountOf(const QString& value) {
    return platform::ToInt32(platform::LeadingNumber(value)).value_or(0);
}

}  // namespace

bool GetIni(shared::Module1& module) {
    module.AppFolder = module.Sys.folder;
    const QString iniPath = platform::JoinPath(module.AppFolder, QStringLiteral("\\dsyjdc.ini"));
    if (!platform::IsPlainFile(iniPath)) {
        module.EndProgram(shared::kExitSettings);
        return false;
    }

    module.PaperCount = PaperCountOf(ReadServerValue(QStringLiteral("Cycyh"), iniPath));
    module.PaperKind = ReadServerValue(QStringLiteral("Cyczl"), iniPath);
    module.ExamMinutes = 50;

    if (module.PaperCount == 0) {
        auto dialog = std::make_unique<Frmquit>(module);
        dialog->Show(1);
        if (!dialog->CodeAccepted) {
            dialog->Unload();
            module.EndProgram(shared::kExitSettings);
            return false;
        }
        // A count that gives no paper to draw is refused like a wrong code, and the
        // file is left as it was.
        const qint32 count = PaperCountOf(dialog->CodeNumber);
        if (count < 1) {
            dialog->Unload();
            module.EndProgram(shared::kExitSettings);
            return false;
        }
        // A failed write-back leaves the file as it was and only costs the question
        // at the next start; this run goes on with the count typed.
        QString reason;
        if (!platform::WriteProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                          dialog->CodeNumber, iniPath, &reason, module.Sys.files)) {
            shared::WriteDetail(
                QStringLiteral("the paper count was not written back, %1 is left as it was: %2")
                    .arg(iniPath, reason));
        }
        module.PaperCount = count;
        dialog->Unload();
        return true;
    }
    if (module.PaperCount < 5) {
        module.EndProgram(shared::kExitSettings);
        return false;
    }
    return true;
}

}  // namespace startup
