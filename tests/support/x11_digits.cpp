#include "support/x11_digits.h"

namespace testing_support {
namespace {

constexpr std::array<quint32, 10> kMainRowScanCodes = {19, 10, 11, 12, 13, 14, 15, 16, 17, 18};
constexpr std::array<quint32, 10> kKeypadScanCodes = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
constexpr std::array<int, 10> kDigitKeys = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                            Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};

}  // namespace

const std::array<DigitWay, 4> kDigitWays = {{
    {"main row", Qt::NoModifier, kDigitKeys, kMainRowScanCodes, 48},
    {"main row with Shift",
     Qt::ShiftModifier,
     {Qt::Key_ParenRight, Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar,
      Qt::Key_Percent, Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft},
     kMainRowScanCodes,
     48},
    {"keypad, Num Lock on", Qt::KeypadModifier, kDigitKeys, kKeypadScanCodes, 96},
    {"keypad, Num Lock off",
     Qt::KeypadModifier,
     {Qt::Key_Insert, Qt::Key_End, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Clear,
      Qt::Key_Right, Qt::Key_Home, Qt::Key_Up, Qt::Key_PageUp},
     kKeypadScanCodes,
     96},
}};

}  // namespace testing_support
