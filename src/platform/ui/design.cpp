#include "platform/ui/design.h"

#include <QImage>

#include "platform/ui/button3d.h"
#include "platform/ui/form.h"
#include "platform/ui/image_box.h"
#include "platform/ui/line.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/text_box.h"

namespace ui {
namespace {

QString Text(const char* utf8) { return utf8 == nullptr ? QString() : QString::fromUtf8(utf8); }

QWidget* ContainerOf(Form& form, const ControlSpec& spec) {
    if (spec.container == nullptr) return &form;
    Control* container = form.Find(Text(spec.container));
    return container != nullptr ? container : static_cast<QWidget*>(&form);
}

Control* Create(Form& form, const ControlSpec& spec) {
    QWidget* parent = ContainerOf(form, spec);
    const QString name = Text(spec.name);
    switch (spec.kind) {
        case ControlSpec::Kind::Label: {
            auto* label = new Label(parent, name, spec.index);
            label->Move(spec.left, spec.top, spec.width, spec.height);
            label->SetLabelFont(MakeFont(spec.font));
            if (spec.fore >= 0) label->SetForeColor(Rgb(spec.fore));
            if (spec.back >= 0) label->SetBackColor(Rgb(spec.back));
            label->SetAlignment(spec.alignment);
            label->SetBorder(spec.border);
            label->SetCaption(Text(spec.caption));
            label->SetSizing(spec.sizing);
            return label;
        }
        case ControlSpec::Kind::ImageBox: {
            auto* image = new ImageBox(parent, name, spec.index);
            image->Move(spec.left, spec.top, spec.width, spec.height);
            image->SetStretch(spec.stretch);
            image->SetBorderStyle(spec.border ? 1 : 0);
            if (spec.picture != nullptr) image->SetPicture(QImage(Text(spec.picture)));
            // A design size differing from the picture's own stays as designed.
            image->Move(spec.left, spec.top, image->Width(), image->Height());
            if (spec.stretch) image->Move(spec.left, spec.top, spec.width, spec.height);
            return image;
        }
        case ControlSpec::Kind::Line: {
            auto* line = new Line(parent, name, spec.index);
            line->SetPenWidth(spec.penWidth);
            if (spec.fore >= 0) line->SetColor(Rgb(spec.fore));
            line->SetX1(spec.left);
            line->SetY1(spec.top);
            line->SetX2(spec.width);
            line->SetY2(spec.height);
            return line;
        }
        case ControlSpec::Kind::TextBox: {
            auto* box = new TextBox(parent, name, spec.index);
            box->Move(spec.left, spec.top, spec.width, spec.height);
            box->setFont(MakeFont(spec.font));
            return box;
        }
        case ControlSpec::Kind::Panel: {
            auto* panel = new Panel3D(parent, name, spec.index);
            panel->Move(spec.left, spec.top, spec.width, spec.height);
            panel->SetCaptionFont(MakeFont(spec.font));
            if (spec.fore >= 0) panel->SetForeColor(Rgb(spec.fore));
            if (spec.back >= 0) panel->SetBackColor(Rgb(spec.back));
            panel->SetAlignment(spec.alignment);
            panel->SetCaption(Text(spec.caption));
            return panel;
        }
        case ControlSpec::Kind::Button: {
            auto* button = new Button3D(parent, name, spec.index);
            button->Move(spec.left, spec.top, spec.width, spec.height);
            button->SetCaptionFont(MakeFont(spec.font));
            if (spec.fore >= 0) button->SetForeColor(Rgb(spec.fore));
            button->SetCaption(Text(spec.caption));
            return button;
        }
    }
    return nullptr;
}

}  // namespace

void ApplyDesign(Form& form, std::span<const ControlSpec> specs,
                 std::span<const char* const> stackingTopmostFirst) {
    for (const ControlSpec& spec : specs) {
        Control* control = Create(form, spec);
        control->setVisible(spec.visible);
        form.Register(control);
    }
    // Raising from the bottom of the list up leaves its first entry on top.
    for (auto it = stackingTopmostFirst.rbegin(); it != stackingTopmostFirst.rend(); ++it) {
        const QString full = Text(*it);
        const int open = full.indexOf(QLatin1Char('('));
        Control* control = open < 0 ? form.Find(full)
                                    : form.Find(full.left(open),
                                                full.mid(open + 1, full.size() - open - 2).toInt());
        if (control != nullptr) control->raise();
    }
}

}  // namespace ui
