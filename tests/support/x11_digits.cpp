#include "support/x11_digits.h"

namespace testing_support {
namespace {

constexpr std::array<quint32, 10> kMainRowScanCodes = {19, 10, 11, 12, 13, 14, 15, 16, 17, 18};
constexpr std::array<quint32, 10> kKeypadScanCodes = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
constexpr std::array<int, 10> kDigitKeys = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                            Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};
// The keypad with Num Lock off, or with Shift held while it is on.
constexpr std::array<int, 10> kKeypadMoves = {
    Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left,
    Qt::Key_Clear,  Qt::Key_Right, Qt::Key_Home, Qt::Key_Up,       Qt::Key_PageUp};
constexpr auto kAltGr = Qt::GroupSwitchModifier;
constexpr auto kKeypad = Qt::KeypadModifier;

}  // namespace

X11Key DigitWay::Digit(int d) const {
    const QString text = *texts == '\0' ? QString("") : QString::fromUtf8(texts).mid(d, 1);
    return {what, keys[d], modifiers, scanCodes[d], text};
}

// clang-format off
const std::vector<DigitWay> kDigitWays = {
    {"US and German main row", Qt::NoModifier, kDigitKeys, kMainRowScanCodes, "0123456789", 48},
    {"US main row with Shift", Qt::ShiftModifier,
     {Qt::Key_ParenRight, Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar,
      Qt::Key_Percent, Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft},
     kMainRowScanCodes, ")!@#$%^&*(", 48},
    {"French main row", Qt::NoModifier,
     {Qt::Key_Agrave, Qt::Key_Ampersand, Qt::Key_Eacute, Qt::Key_QuoteDbl, Qt::Key_Apostrophe,
      Qt::Key_ParenLeft, Qt::Key_Minus, Qt::Key_Egrave, Qt::Key_Underscore, Qt::Key_Ccedilla},
     kMainRowScanCodes, "à&é\"'(-è_ç", 48},
    {"French main row with Shift", Qt::ShiftModifier, kDigitKeys, kMainRowScanCodes, "0123456789",
     48},
    {"French main row with AltGr", kAltGr,
     {Qt::Key_At, Qt::Key_onesuperior, Qt::Key_AsciiTilde, Qt::Key_NumberSign, Qt::Key_BraceLeft,
      Qt::Key_BracketLeft, Qt::Key_Bar, Qt::Key_QuoteLeft, Qt::Key_Backslash, Qt::Key_AsciiCircum},
     kMainRowScanCodes, "@¹~#{[|`\\^", 48},
    {"German main row with Shift", Qt::ShiftModifier,
     {Qt::Key_Equal, Qt::Key_Exclam, Qt::Key_QuoteDbl, Qt::Key_section, Qt::Key_Dollar,
      Qt::Key_Percent, Qt::Key_Ampersand, Qt::Key_Slash, Qt::Key_ParenLeft, Qt::Key_ParenRight},
     kMainRowScanCodes, "=!\"§$%&/()", 48},
    {"keypad, Num Lock on", kKeypad, kDigitKeys, kKeypadScanCodes, "0123456789", 96},
    {"keypad, Num Lock off", kKeypad, kKeypadMoves, kKeypadScanCodes, "", 96},
    {"keypad with Shift, Num Lock on", kKeypad | Qt::ShiftModifier, kKeypadMoves,
     kKeypadScanCodes, "", 96},
};

const std::vector<X11Key> kSymbolKeys = {
    {"French !", Qt::Key_Exclam, Qt::NoModifier, 61, "!"},
    {"French ) right of 0", Qt::Key_ParenRight, Qt::NoModifier, 20, ")"},
    {"French *", Qt::Key_Asterisk, Qt::NoModifier, 51, "*"},
    {"French $", Qt::Key_Dollar, Qt::NoModifier, 35, "$"},
    {"French Shift+ù", Qt::Key_Percent, Qt::ShiftModifier, 48, "%"},
    {"French dead ^", Qt::Key_Dead_Circumflex, Qt::NoModifier, 34, ""},
    {"German #", Qt::Key_NumberSign, Qt::NoModifier, 51, "#"},
    {"German AltGr+Q", Qt::Key_At, kAltGr, 24, "@"},
    {"German Shift++", Qt::Key_Asterisk, Qt::ShiftModifier, 35, "*"},
    {"German +", Qt::Key_Plus, Qt::NoModifier, 35, "+"},
    {"German -", Qt::Key_Minus, Qt::NoModifier, 61, "-"},
    {"US Shift+=", Qt::Key_Plus, Qt::ShiftModifier, 21, "+"},
};
// clang-format on

}  // namespace testing_support
