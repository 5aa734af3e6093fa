#include "platform/ui/line.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/twips.h"

namespace ui {

Line::Line(QWidget* container, const QString& name, int index) : Control(container, name, index) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Line::SetX1(double twips) { x1_ = static_cast<float>(twips); Place(); }
void Line::SetY1(double twips) { y1_ = static_cast<float>(twips); Place(); }
void Line::SetX2(double twips) { x2_ = static_cast<float>(twips); Place(); }
void Line::SetY2(double twips) { y2_ = static_cast<float>(twips); Place(); }

void Line::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void Line::SetPenWidth(int pixels) {
    penWidth_ = std::max(1, pixels);
    Place();
}

void Line::Place() {
    // The widget is the line's bounding box, grown by the pen on every side.
    const double padX = ToTwipsX(penWidth_);
    const double padY = ToTwipsY(penWidth_);
    const double left = std::min(x1_, x2_) - padX;
    const double top = std::min(y1_, y2_) - padY;
    const double width = std::abs(x2_ - x1_) + 2 * padX;
    const double height = std::abs(y2_ - y1_) + 2 * padY;
    Move(left, top, width, height);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(color_);
    pen.setWidth(penWidth_);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = pos();
    const QPoint a(ToPixelsX(x1_) - origin.x(), ToPixelsY(y1_) - origin.y());
    const QPoint b(ToPixelsX(x2_) - origin.x(), ToPixelsY(y2_) - origin.y());
    painter.drawLine(a, b);
}

}  // namespace ui
