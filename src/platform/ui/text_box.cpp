#include "platform/ui/text_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>

#include "platform/ui/form.h"

namespace ui {
namespace {

class PasswordCharStyle : public QProxyStyle {
public:
    explicit PasswordCharStyle(QChar ch) : ch_(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return ch_.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar ch_;
};

}  // namespace

TextBox::TextBox(QWidget* container, const QString& name, int index)
    : Control(container, name, index), edit_(new QLineEdit(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(edit_);
    edit_->installEventFilter(this);
    edit_->setGeometry(rect());
}

QString TextBox::Text() const { return edit_->text(); }
void TextBox::SetText(const QString& text) { edit_->setText(text); }

void TextBox::SetPasswordChar(const QString& passwordChar) {
    if (passwordChar.isEmpty()) {
        edit_->setEchoMode(QLineEdit::Normal);
        return;
    }
    auto* style = new PasswordCharStyle(passwordChar.at(0));
    style->setParent(edit_);
    edit_->setStyle(style);
    edit_->setEchoMode(QLineEdit::Password);
}

void TextBox::DisableInputMethod() {
    edit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit_->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhNoPredictiveText |
                               Qt::ImhSensitiveData);
}

void TextBox::SetFocusHere() { edit_->setFocus(Qt::OtherFocusReason); }
bool TextBox::HasFocus() const { return edit_->hasFocus(); }

void TextBox::resizeEvent(QResizeEvent*) { edit_->setGeometry(rect()); }

// Keys the editor passes on stop here, so the form never sees one twice.
void TextBox::keyPressEvent(QKeyEvent* event) { event->accept(); }

bool TextBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return false;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QPointer<TextBox> self(this);
        auto* form = qobject_cast<Form*>(window());
        if (form != nullptr && form->PreviewKey(key)) return true;
        if (self.isNull() || (form != nullptr && !form->IsLoaded())) return true;
        const QString text = key->text();
        if (!text.isEmpty() && KeyPress) {
            int keyAscii = text.at(0).unicode();
            KeyPress(keyAscii);
            if (self.isNull() || keyAscii == 0 || (form != nullptr && !form->IsLoaded())) {
                return true;
            }
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* form = qobject_cast<Form*>(window());
        const bool movedWithinForm =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            form != nullptr && form->IsLoaded() && form->isVisible();
        if (movedWithinForm) {
            bool cancel = false;
            if (Validate) Validate(cancel);
            if (LostFocus && form->IsLoaded()) LostFocus();
        }
    }
    return false;
}

}  // namespace ui
