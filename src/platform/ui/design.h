#pragma once
// A form's design as data: every control with its kind, name, place, font, colours
// and caption, applied by one loader. Forms hold behaviour, not coordinates.

#include <span>

#include "platform/ui/fonts.h"
#include "platform/ui/label.h"

namespace ui {

class Form;

struct ControlDesign {
    enum class Kind { Label, ImageBox, Line, TextBox, Panel, Button };

    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1;                // element of a control array, -1 for none
    const char* container = nullptr;  // "SSPanel2" etc.; nullptr: the form
    // Label, ImageBox, TextBox, Panel, Button: position and size.
    // Line: X1, Y1, X2, Y2 in that order.
    double left = 0, top = 0, width = 0, height = 0;
    FontDesign font{};
    int fore = -1;  // 0xRRGGBB; -1 the default
    int back = -1;
    Label::Sizing sizing = Label::Sizing::Fixed;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool border = false;      // Label: single line; ImageBox: single line
    const char* caption = "";
    const char* picture = nullptr;  // resource path of an embedded picture
    bool stretch = false;
    bool visible = true;
    int penWidth = 1;  // Line, in pixels
};

// Creates the controls in the order given, registers them with the form, and stacks
// them by the list of full names ("Label6(0)"), topmost first. Controls not in the
// list keep their creation order beneath the listed ones.
void ApplyDesign(Form& form, std::span<const ControlDesign> designs,
                 std::span<const char* const> stackingTopmostFirst = {});

inline QColor Rgb(int rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace ui
