#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/ui/keys.h"

namespace {

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    int vk;
    const char* what;
};

TEST(VirtualKey, MapsPhysicalKeysToTheirCodes) {
    const KeyCase cases[] = {
        {Qt::Key_Escape, Qt::NoModifier, 0, 27, "Esc"},
        {Qt::Key_Return, Qt::NoModifier, 0, 13, "Enter"},
        {Qt::Key_Enter, Qt::KeypadModifier, 0, 13, "keypad Enter"},
        {Qt::Key_Plus, Qt::KeypadModifier, 0, 107, "keypad plus"},
        {Qt::Key_Minus, Qt::KeypadModifier, 0, 109, "keypad minus"},
        {Qt::Key_F3, Qt::NoModifier, 0, 114, "F3"},
        {Qt::Key_F4, Qt::ShiftModifier, 0, 115, "Shift+F4"},
        {Qt::Key_1, Qt::NoModifier, 0, 49, "1"},
        {Qt::Key_1, Qt::ShiftModifier, 0, 49, "Shift+1 reported as the digit"},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0, 49, "Shift+1 reported as its symbol"},
        {Qt::Key_Exclam, Qt::ShiftModifier, 10, 49, "Shift+1 with the X11 scan code"},
        {Qt::Key_ParenRight, Qt::ShiftModifier, 19, 48, "Shift+0 with the X11 scan code"},
        {Qt::Key_6, Qt::ControlModifier, 0, 54, "Ctrl+6"},
        {Qt::Key_0, Qt::NoModifier, 0, 48, "0"},
        {Qt::Key_9, Qt::NoModifier, 0, 57, "9"},
        {Qt::Key_1, Qt::KeypadModifier, 0, 97, "keypad 1"},
        {Qt::Key_6, Qt::KeypadModifier, 0, 102, "keypad 6"},
        {Qt::Key_0, Qt::KeypadModifier, 0, 96, "keypad 0"},
        {Qt::Key_9, Qt::KeypadModifier, 0, 105, "keypad 9"},
        {Qt::Key_End, Qt::KeypadModifier, 0, 35, "keypad 1 with Num Lock off"},
        {Qt::Key_Space, Qt::NoModifier, 0, 32, "space"},
        {Qt::Key_Left, Qt::NoModifier, 0, 37, "left arrow"},
        {Qt::Key_PageUp, Qt::NoModifier, 0, 33, "Page Up"},
        {Qt::Key_PageDown, Qt::NoModifier, 0, 34, "Page Down"},
        {Qt::Key_Shift, Qt::ShiftModifier, 0, 16, "Shift alone"},
        {Qt::Key_Control, Qt::ControlModifier, 0, 17, "Ctrl alone"},
        {Qt::Key_A, Qt::NoModifier, 0, 65, "A"},
        {Qt::Key_Tab, Qt::NoModifier, 0, 9, "Tab"},
    };
    for (const KeyCase& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers, c.scanCode, 0, 0);
        EXPECT_EQ(ui::VirtualKey(event), c.vk) << c.what;
    }
}

TEST(ShiftState, CombinesShiftCtrlAndAlt) {
    const QKeyEvent plain(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier);
    const QKeyEvent all(QEvent::KeyPress, Qt::Key_1,
                        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(ui::ShiftState(plain), 0);
    EXPECT_EQ(ui::ShiftState(all), 7);
}

}  // namespace
