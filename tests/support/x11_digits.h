#pragma once
// Key presses as Qt's xcb plugin delivers them from an X server with evdev key codes,
// for the US, French (AZERTY) and German (QWERTZ) layouts: the digits 0 to 9 in each way
// of pressing them, and symbol keys that are no digits although most of them carry a
// symbol of a US keyboard's digit row.

#include <QString>
#include <Qt>
#include <array>
#include <vector>

namespace testing_support {

struct X11Key {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    QString text;  // empty, never null, for a key without text
};

struct DigitWay {
    const char* what;
    Qt::KeyboardModifiers modifiers;
    std::array<int, 10> keys;  // digit d is keys[d]
    std::array<quint32, 10> scanCodes;
    const char* texts;  // the text of digit d is its d-th character; "": none
    int code0;          // the virtual-key code of 0 pressed this way: 48 main row, 96 keypad
    X11Key Digit(int d) const;
};

extern const std::vector<DigitWay> kDigitWays;
extern const std::vector<X11Key> kSymbolKeys;

}  // namespace testing_support
