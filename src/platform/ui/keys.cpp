#include "platform/ui/keys.h"

#include <QKeyEvent>

namespace ui {
namespace {

// X11 key codes (evdev + 8) of the main-row digits 1..9, 0: the digit whatever the
// layout prints on the key and whatever modifier is held.
int DigitFromScanCode(quint32 scanCode) {
    if (scanCode >= 10 && scanCode <= 18) return vk::Digit0 + static_cast<int>(scanCode) - 9;
    if (scanCode == 19) return vk::Digit0;
    return 0;
}

// The shifted symbols of the digit row of a US layout, for events that carry no scan
// code. A key with a scan code is never read this way: on other layouts these symbols
// lie on other keys ("!" and ")" of a French keyboard, "#" of a German one).
int DigitFromShiftedSymbol(int key) {
    switch (key) {
        case Qt::Key_Exclam: return vk::Digit0 + 1;
        case Qt::Key_At: return vk::Digit0 + 2;
        case Qt::Key_NumberSign: return vk::Digit0 + 3;
        case Qt::Key_Dollar: return vk::Digit0 + 4;
        case Qt::Key_Percent: return vk::Digit0 + 5;
        case Qt::Key_AsciiCircum: return vk::Digit0 + 6;
        case Qt::Key_Ampersand: return vk::Digit0 + 7;
        case Qt::Key_Asterisk: return vk::Digit0 + 8;
        case Qt::Key_ParenLeft: return vk::Digit0 + 9;
        case Qt::Key_ParenRight: return vk::Digit0;
        default: return 0;
    }
}

int KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
    switch (key) {
        // Num Lock off (or Shift held): the keys arrive by their navigation meaning.
        case Qt::Key_Insert: return vk::Numpad0;
        case Qt::Key_End: return vk::Numpad0 + 1;
        case Qt::Key_Down: return vk::Numpad0 + 2;
        case Qt::Key_PageDown: return vk::Numpad0 + 3;
        case Qt::Key_Left: return vk::Numpad0 + 4;
        case Qt::Key_Clear: return vk::Numpad0 + 5;
        case Qt::Key_Right: return vk::Numpad0 + 6;
        case Qt::Key_Home: return vk::Numpad0 + 7;
        case Qt::Key_Up: return vk::Numpad0 + 8;
        case Qt::Key_PageUp: return vk::Numpad0 + 9;
        case Qt::Key_Delete: return vk::Decimal;
        case Qt::Key_Plus: return vk::Add;
        case Qt::Key_Minus: return vk::Subtract;
        case Qt::Key_Asterisk: return vk::Multiply;
        case Qt::Key_Slash: return vk::Divide;
        case Qt::Key_Period:
        case Qt::Key_Comma: return vk::Decimal;
        case Qt::Key_Enter:
        case Qt::Key_Return: return vk::Return;
        default: return 0;
    }
}

int OtherKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Digit0 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return vk::KeyA + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::F1 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return vk::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return vk::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return vk::Return;
        case Qt::Key_Shift: return vk::Shift;
        case Qt::Key_Control: return vk::Control;
        case Qt::Key_Alt: return vk::Menu;
        case Qt::Key_Pause: return vk::Pause;
        case Qt::Key_CapsLock: return vk::Capital;
        case Qt::Key_Escape: return vk::Escape;
        case Qt::Key_Space: return vk::Space;
        case Qt::Key_PageUp: return vk::Prior;
        case Qt::Key_PageDown: return vk::Next;
        case Qt::Key_End: return vk::End;
        case Qt::Key_Home: return vk::Home;
        case Qt::Key_Left: return vk::Left;
        case Qt::Key_Up: return vk::Up;
        case Qt::Key_Right: return vk::Right;
        case Qt::Key_Down: return vk::Down;
        case Qt::Key_Insert: return vk::Insert;
        case Qt::Key_Delete: return vk::Delete;
        case Qt::Key_NumLock: return vk::NumLock;
        case Qt::Key_ScrollLock: return vk::Scroll;
        case Qt::Key_AltGr: return vk::RMenu;
        case Qt::Key_Meta:
        case Qt::Key_Super_L: return vk::LWin;
        case Qt::Key_Super_R: return vk::RWin;
        case Qt::Key_Plus: return 187;
        case Qt::Key_Equal: return 187;
        case Qt::Key_Minus:
        case Qt::Key_Underscore: return 189;
        case Qt::Key_Comma: return 188;
        case Qt::Key_Period: return 190;
        case Qt::Key_Slash: return 191;
        default: return vk::Unknown;
    }
}

}  // namespace

int VirtualKey(const QKeyEvent& event) {
    const int key = event.key();
    const quint32 scanCode = event.nativeScanCode();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const int code = KeypadKey(key)) return code;
        return OtherKey(key);
    }
    if (const int digit = DigitFromScanCode(scanCode)) return digit;
    if (scanCode == 0) {
        if (const int digit = DigitFromShiftedSymbol(key)) return digit;
    }
    return OtherKey(key);
}

bool IsModifierOrLock(int code) {
    switch (code) {
        case vk::Shift:
        case vk::Control:
        case vk::Menu:
        case vk::RMenu:
        case vk::LWin:
        case vk::RWin:
        case vk::Capital:
        case vk::NumLock:
        case vk::Scroll: return true;
        default: return false;
    }
}

int ShiftState(const QKeyEvent& event) {
    int state = 0;
    if (event.modifiers() & Qt::ShiftModifier) state |= 1;
    if (event.modifiers() & Qt::ControlModifier) state |= 2;
    if (event.modifiers() & Qt::AltModifier) state |= 4;
    return state;
}

}  // namespace ui
