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
        // Num Lock off: the keypad's keys come by their navigation meaning.
        {Qt::Key_Insert, Qt::KeypadModifier, 90, 96, "keypad 0, Num Lock off"},
        {Qt::Key_End, Qt::KeypadModifier, 87, 97, "keypad 1, Num Lock off"},
        {Qt::Key_Down, Qt::KeypadModifier, 88, 98, "keypad 2, Num Lock off"},
        {Qt::Key_PageDown, Qt::KeypadModifier, 89, 99, "keypad 3, Num Lock off"},
        {Qt::Key_Left, Qt::KeypadModifier, 83, 100, "keypad 4, Num Lock off"},
        {Qt::Key_Clear, Qt::KeypadModifier, 84, 101, "keypad 5, Num Lock off"},
        {Qt::Key_Right, Qt::KeypadModifier, 85, 102, "keypad 6, Num Lock off"},
        {Qt::Key_Home, Qt::KeypadModifier, 79, 103, "keypad 7, Num Lock off"},
        {Qt::Key_Up, Qt::KeypadModifier, 80, 104, "keypad 8, Num Lock off"},
        {Qt::Key_PageUp, Qt::KeypadModifier, 81, 105, "keypad 9, Num Lock off"},
        {Qt::Key_Delete, Qt::KeypadModifier, 91, 110, "keypad decimal, Num Lock off"},
        {Qt::Key_Period, Qt::KeypadModifier, 91, 110, "keypad decimal"},
        {Qt::Key_Home, Qt::NoModifier, 110, 36, "Home beside the keypad"},
        {Qt::Key_End, Qt::NoModifier, 115, 35, "End beside the keypad"},
        {Qt::Key_Insert, Qt::NoModifier, 118, 45, "Insert beside the keypad"},
        {Qt::Key_Delete, Qt::NoModifier, 119, 46, "Delete beside the keypad"},
        {Qt::Key_Space, Qt::NoModifier, 0, 32, "space"},
        {Qt::Key_Left, Qt::NoModifier, 0, 37, "left arrow"},
        {Qt::Key_PageUp, Qt::NoModifier, 0, 33, "Page Up"},
        {Qt::Key_PageDown, Qt::NoModifier, 0, 34, "Page Down"},
        {Qt::Key_A, Qt::NoModifier, 0, 65, "A"},
        {Qt::Key_Tab, Qt::NoModifier, 0, 9, "Tab"},
    };
    for (const KeyCase& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers, c.scanCode, 0, 0);
        EXPECT_EQ(ui::VirtualKey(event), c.vk) << c.what;
        EXPECT_FALSE(ui::IsModifierOrLock(c.vk)) << c.what;
    }
}

TEST(VirtualKey, ModifierAndLockKeysAloneHaveTheirOwnCodes) {
    // X11 scan codes; Qt reports a modifier's own press with or without its modifier.
    const KeyCase cases[] = {
        {Qt::Key_Shift, Qt::NoModifier, 50, 16, "left Shift"},
        {Qt::Key_Shift, Qt::ShiftModifier, 62, 16, "right Shift"},
        {Qt::Key_Control, Qt::ControlModifier, 37, 17, "Ctrl"},
        {Qt::Key_Alt, Qt::AltModifier, 64, 18, "Alt"},
        {Qt::Key_AltGr, Qt::NoModifier, 108, 165, "AltGr"},
        {Qt::Key_Super_L, Qt::NoModifier, 133, 91, "left Windows key"},
        {Qt::Key_Meta, Qt::MetaModifier, 133, 91, "Windows key as Meta"},
        {Qt::Key_Super_R, Qt::NoModifier, 134, 92, "right Windows key"},
        {Qt::Key_CapsLock, Qt::NoModifier, 66, 20, "Caps Lock"},
        {Qt::Key_NumLock, Qt::NoModifier, 77, 144, "Num Lock"},
        {Qt::Key_ScrollLock, Qt::NoModifier, 78, 145, "Scroll Lock"},
    };
    for (const KeyCase& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers, c.scanCode, 0, 0);
        EXPECT_EQ(ui::VirtualKey(event), c.vk) << c.what;
        EXPECT_TRUE(ui::IsModifierOrLock(c.vk)) << c.what;
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
