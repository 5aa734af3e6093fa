#include <exception>

#include "dialogs/frmquit5.h"
#include "startup/module1.h"

namespace startup {

bool Module1::ChoosePaperKind() {
    try {
        PaperKindForm = std::make_unique<Frmquit5>(*this);
        PaperKindForm->Show(1);
    } catch (const std::exception& e) {
        FailStartup(QStringLiteral("无法显示考试种类选择窗口。"),
                    QString::fromUtf8(e.what()));
    }
    return !ended_;
}

}  // namespace startup
