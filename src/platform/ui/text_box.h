#pragma once
// A one-line text box. Its form sees every key first (key preview); then the box's
// own key-press handler may take the character before the text does.

#include <functional>

#include "platform/ui/control.h"

class QLineEdit;

namespace ui {

class TextBox : public Control {
    Q_OBJECT

public:
    TextBox(QWidget* container, const QString& name, int index = -1);

    QString Text() const;
    void SetText(const QString& text);

    // Shows every character as this one ("*"); empty shows the text itself.
    void SetPasswordChar(const QString& passwordChar);
    // Only characters typed directly on the keyboard reach the box.
    void DisableInputMethod();
    void SetFocusHere();
    bool HasFocus() const;

    QLineEdit* Editor() const { return edit_; }

    // The character code by reference; setting it to 0 keeps the character out.
    std::function<void(int& keyAscii)> KeyPress;
    // Raised before the focus leaves for another control of the form.
    std::function<void(bool& cancel)> Validate;
    // Raised when the focus has gone to another control of the same form.
    std::function<void()> LostFocus;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* edit_;
};

}  // namespace ui
