#include "platform/ui/message_box.h"

#include <QMessageBox>

namespace ui {

void MsgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
        case vbCritical: icon = QMessageBox::Critical; break;
        case vbQuestion: icon = QMessageBox::Question; break;
        case vbExclamation: icon = QMessageBox::Warning; break;
        case vbInformation: icon = QMessageBox::Information; break;
        default: break;
    }
    QMessageBox box(icon, title, prompt, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace ui
