#include "platform/ui/control.h"

#include <cmath>

#include "platform/ui/error.h"
#include "platform/ui/twips.h"

namespace ui {
namespace {

void CheckSize(double twips, const QString& who) {
    if (!(twips >= 0) || !std::isfinite(twips)) {
        throw Error(QStringLiteral("invalid property value %1 for the size of %2")
                        .arg(twips)
                        .arg(who)
                        .toStdString());
    }
}

void CheckPosition(double twips, const QString& who) {
    if (!std::isfinite(twips)) {
        throw Error(QStringLiteral("invalid position for %1").arg(who).toStdString());
    }
}

}  // namespace

Control::Control(QWidget* container, const QString& name, int index)
    : QWidget(container), name_(name), index_(index) {
    setObjectName(FullName());
}

QString Control::FullName() const {
    return index_ < 0 ? name_ : QStringLiteral("%1(%2)").arg(name_).arg(index_);
}

void Control::SetLeft(double twips) {
    CheckPosition(twips, FullName());
    left_ = static_cast<float>(twips);
    ApplyGeometry();
}

void Control::SetTop(double twips) {
    CheckPosition(twips, FullName());
    top_ = static_cast<float>(twips);
    ApplyGeometry();
}

void Control::SetWidth(double twips) {
    CheckSize(twips, FullName());
    width_ = static_cast<float>(twips);
    ApplyGeometry();
}

void Control::SetHeight(double twips) {
    CheckSize(twips, FullName());
    height_ = static_cast<float>(twips);
    ApplyGeometry();
}

void Control::Move(double left, double top, double width, double height) {
    CheckPosition(left, FullName());
    CheckPosition(top, FullName());
    CheckSize(width, FullName());
    CheckSize(height, FullName());
    left_ = static_cast<float>(left);
    top_ = static_cast<float>(top);
    width_ = static_cast<float>(width);
    height_ = static_cast<float>(height);
    ApplyGeometry();
}

void Control::SetSizeTwips(double width, double height) {
    width_ = static_cast<float>(width);
    height_ = static_cast<float>(height);
    ApplyGeometry();
}

void Control::ApplyGeometry() {
    const int x = ToPixelsX(left_);
    const int y = ToPixelsY(top_);
    const int right = ToPixelsX(static_cast<double>(left_) + width_);
    const int bottom = ToPixelsY(static_cast<double>(top_) + height_);
    setGeometry(x, y, std::max(0, right - x), std::max(0, bottom - y));
    update();
}

}  // namespace ui
