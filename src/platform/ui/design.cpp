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

QString Text(const char* utf8) {
    return utf8 == nullptr ? QString() : QString::fromUtf8(utf8);
}

QWidget* ContainerOf(Form& form, const ControlDesign& item) {
    if (item.container == nullptr) return &form;
    Control* container = form.Find(Text(item.container));
    return container != nullptr ? container : static_cast<QWidget*>(&form);
}

Control* Create(Form& form, const ControlDesign& item) {
    QWidget* parent = ContainerOf(form, item);
    const QString name = Text(item.name);
    switch (item.kind) {
        case ControlDesign::Kind::Label: {
            auto* label = new Label(parent, name, item.index);
            label->Move(item.left, item.top, item.width, item.height);
            label->SetLabelFont(MakeFont(item.font));
            if (item.fore >= 0) label->SetForeColor(Rgb(item.fore));
            if (item.back >= 0) label->SetBackColor(Rgb(item.back));
            label->SetAlignment(item.alignment);
            label->SetBorder(item.border);
            label->SetCaption(Text(item.caption));
            label->SetSizing(item.sizing);
            return label;
        }
        case ControlDesign::Kind::ImageBox: {
            auto* image = new ImageBox(parent, name, item.index);
            image->Move(item.left, item.top, item.width, item.height);
            image->SetStretch(item.stretch);
            image->SetBorderStyle(item.border ? 1 : 0);
            // Unstretched, the box takes the picture's own size; stretched, it keeps the design's.
            if (item.picture != nullptr) image->SetPicture(QImage(Text(item.picture)));
            return image;
        }
        case ControlDesign::Kind::Line: {
            auto* line = new Line(parent, name, item.index);
            line->SetPenWidth(item.penWidth);
            if (item.fore >= 0) line->SetColor(Rgb(item.fore));
            line->SetX1(item.left);
            line->SetY1(item.top);
            line->SetX2(item.width);
            line->SetY2(item.height);
            return line;
        }
        case ControlDesign::Kind::TextBox: {
            auto* box = new TextBox(parent, name, item.index);
            box->Move(item.left, item.top, item.width, item.height);
            box->setFont(MakeFont(item.font));
            return box;
        }
        case ControlDesign::Kind::Panel: {
            auto* panel = new Panel3D(parent, name, item.index);
            panel->Move(item.left, item.top, item.width, item.height);
            panel->SetCaptionFont(MakeFont(item.font));
            if (item.fore >= 0) panel->SetForeColor(Rgb(item.fore));
            if (item.back >= 0) panel->SetBackColor(Rgb(item.back));
            panel->SetAlignment(item.alignment);
            panel->SetCaption(Text(item.caption));
            return panel;
        }
        case ControlDesign::Kind::Button: {
            auto* button = new Button3D(parent, name, item.index);
            button->Move(item.left, item.top, item.width, item.height);
            button->SetCaptionFont(MakeFont(item.font));
            if (item.fore >= 0) button->SetForeColor(Rgb(item.fore));
            button->SetCaption(Text(item.caption));
            return button;
        }
    }
    return nullptr;
}

}  // namespace

void ApplyDesign(Form& form, std::span<const ControlDesign> designs,
                 std::span<const char* const> stackingTopmostFirst) {
    for (const ControlDesign& item : designs) {
        Control* control = Create(form, item);
        control->setVisible(item.visible);
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
