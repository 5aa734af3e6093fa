#include <memory>
#include <optional>

#include "dialogs/frmquit.h"
#include "platform/numbers.h"
#include "platform/profile.h"
#include "startup/module1.h"

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

bool Module1::GetIni() {
    AppFolder = Sys.folder;
    const QString iniPath = platform::JoinPath(AppFolder, QStringLiteral("\\dsyjdc.ini"));
    if (!platform::IsPlainFile(iniPath)) {
        EndProgram(kExitSettings);
        return false;
    }

    PaperCount = PaperCountOf(ReadServerValue(QStringLiteral("Cycyh"), iniPath));
    PaperKind = ReadServerValue(QStringLiteral("Cyczl"), iniPath);
    ExamMinutes = 50;

    if (PaperCount == 0) {
        auto dialog = std::make_unique<Frmquit>(*this);
        dialog->Show(1);
        if (!dialog->CodeAccepted) {
            dialog->Unload();
            EndProgram(kExitSettings);
            return false;
        }
        // A count that gives no paper to draw is refused like a wrong code, and the
        // file is left as it was.
        const qint32 count = PaperCountOf(dialog->CodeNumber);
        if (count < 1) {
            dialog->Unload();
            EndProgram(kExitSettings);
            return false;
        }
        platform::WriteProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                     dialog->CodeNumber, iniPath);
        PaperCount = count;
        dialog->Unload();
        return true;
    }
    if (PaperCount < 5) {
        EndProgram(kExitSettings);
        return false;
    }
    return true;
}

}  // namespace startup
