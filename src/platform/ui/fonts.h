#pragma once
// The designs name Windows fonts; they are mapped once to the installed families.

#include <QFont>

namespace ui {

struct FontDesign {
    const char* name = nullptr;  // nullptr: the form's default font
    double points = 0;
    bool bold = false;
};

// Registers the substitutions for "楷体_GB2312", "宋体", "Arial" and "Arial Black".
// Safe to call more than once.
void RegisterFontSubstitutions();

// The default font of the dialogs: a Simplified Chinese 9-point system font.
QFont DefaultDialogFont();

QFont MakeFont(const FontDesign& item);

}  // namespace ui
