#pragma once
// Modal message boxes with one button, "确定".

#include <QString>

namespace ui {

constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;

// Shows the prompt with the icon that style names and the given title, and waits
// until it is dismissed.
void MsgBox(const QString& prompt, int style, const QString& title);

}  // namespace ui
