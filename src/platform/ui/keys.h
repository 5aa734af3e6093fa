#pragma once
// Virtual-key codes of the original platform, made from Qt key events. Digits are
// physical keys, taken by their scan code where the event has one: Shift+1 is still the
// digit 1 on any layout, a symbol key is no digit on any layout, and the keypad has codes
// of its own, whatever the Num Lock state.

class QKeyEvent;

namespace ui {

namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;
constexpr int Pause = 19;
constexpr int Capital = 20;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Prior = 33;
constexpr int Next = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48;    // 48..57 the main row
constexpr int KeyA = 65;      // 65..90 letters
constexpr int LWin = 91;
constexpr int RWin = 92;
constexpr int Numpad0 = 96;   // 96..105 the keypad digits
constexpr int Multiply = 106;
constexpr int Add = 107;
constexpr int Subtract = 109;
constexpr int Decimal = 110;
constexpr int Divide = 111;
constexpr int F1 = 112;       // 112..123
constexpr int F3 = 114;
constexpr int F4 = 115;
constexpr int NumLock = 144;
constexpr int Scroll = 145;
constexpr int RMenu = 165;    // AltGr
constexpr int Unknown = 255;
}  // namespace vk

// The virtual-key code of a key press.
int VirtualKey(const QKeyEvent& event);

// Shift, Ctrl, Alt, AltGr, the Windows keys and the three lock keys: keys that
// come before the key they go with, or that only switch a state.
bool IsModifierOrLock(int code);

// The shift state: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(const QKeyEvent& event);

}  // namespace ui
