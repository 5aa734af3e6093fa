#include <exception>

#include "dialogs/dialogs.h"
#include "shared/module1.h"
#include "startup/startup.h"

namespace startup {

bool ChoosePaperKind(shared::Module1& module) {
    try {
        module.PaperKindForm = std::make_unique<Frmquit5>(module);
        module.PaperKindForm->Show(1);
    } catch (const std::exception& e) {
        module.FailStartup(QStringLiteral("无法显示考试种类选择窗口。"),
                           QString::fromUtf8(e.what()));
    }
    return !module.Ended();
}

}  // namespace startup
