#pragma once
// Reading numbers out of text the way the settings file and the operator dialog
// expect, and turning them into whole numbers.

#include <QString>
#include <optional>

namespace platform {

// The number at the start of the text: blanks skipped, optional sign, digits with
// at most one point, optional exponent (E); reading stops at the first character
// that cannot continue the number; 0 when there is none.
double LeadingNumber(const QString& text);

// The fuller reading: blanks, tabs and line feeds anywhere are ignored; sign, digits,
// one point, an exponent with E or D; or &H hexadecimal / &O octal digits. Stops at
// the first character that cannot continue the number; 0 when nothing can be read.
double ReadNumber(const QString& text);

// Nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double value);

// RoundHalfEven, when the result fits a 32-bit signed integer; nothing otherwise
// (also for NaN and infinities). Never wraps.
std::optional<qint32> ToInt32(double value);

}  // namespace platform
