#include "platform/ui/button3d.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/ui/panel3d.h"

namespace ui {

Button3D::Button3D(QWidget* container, const QString& name, int index)
    : Control(container, name, index) {
    setFocusPolicy(Qt::NoFocus);
}

void Button3D::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void Button3D::SetForeColor(const QColor& color) {
    fore_ = color;
    update();
}

void Button3D::SetCaptionFont(const QFont& font) {
    setFont(font);
    update();
}

void Button3D::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    pressed_ = true;
    update();
}

void Button3D::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) emit Click(Index());
}

void Button3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    DrawBevel(painter, rect(), pressed_);
    if (caption_.isEmpty()) return;
    painter.setPen(isEnabled() ? fore_ : QColor(128, 128, 128));
    painter.setFont(font());
    const QRect area = pressed_ ? rect().translated(1, 1) : rect();
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption_);
}

}  // namespace ui
