#pragma once
// The digits 0 to 9 as Qt delivers them under X11, in each way of pressing them: the
// main row (with its scan codes), the main row with Shift (a US layout's symbols), the
// keypad with Num Lock on, and the keypad with Num Lock off (navigation keys).

#include <Qt>
#include <array>

namespace testing_support {

struct DigitWay {
    const char* what;
    Qt::KeyboardModifiers modifiers;
    std::array<int, 10> keys;  // digit d is keys[d]
    std::array<quint32, 10> scanCodes;
    int code0;  // the virtual-key code of 0 pressed this way: 48 main row, 96 keypad
};

extern const std::array<DigitWay, 4> kDigitWays;

}  // namespace testing_support
