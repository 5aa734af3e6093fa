#include "platform/ui/message_box.h"

#include <QAbstractButton>
#include <QIcon>
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
    // The button speaks the terminal's language, and carries no picture even where the
    // desktop's style would give a standard button one.
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    ok->setText(QStringLiteral("确定"));
    ok->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace ui
