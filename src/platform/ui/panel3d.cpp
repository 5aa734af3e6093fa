#include "platform/ui/panel3d.h"

#include <QFontMetrics>
#include <QPainter>

namespace ui {

void DrawBevel(QPainter& painter, const QRect& rect, bool sunken, int width) {
    const QRect r = rect.adjusted(0, 0, -1, -1);
    const QColor light = sunken ? QColor(128, 128, 128) : QColor(255, 255, 255);
    const QColor dark = sunken ? QColor(255, 255, 255) : QColor(128, 128, 128);
    for (int i = 0; i < width; ++i) {
        const QRect b = r.adjusted(i, i, -i, -i);
        painter.setPen(light);
        painter.drawLine(b.topLeft(), b.topRight());
        painter.drawLine(b.topLeft(), b.bottomLeft());
        painter.setPen(i == 0 && width > 1 ? dark.darker(150) : dark);
        painter.drawLine(b.bottomLeft(), b.bottomRight());
        painter.drawLine(b.topRight(), b.bottomRight());
    }
}

Panel3D::Panel3D(QWidget* container, const QString& name, int index)
    : Control(container, name, index) {
    setFocusPolicy(Qt::NoFocus);
}

void Panel3D::SetCaption(const QString& caption) {
    caption_ = caption;
    repaint();  // a caption set while the dialog loads shows at once
}

void Panel3D::SetForeColor(const QColor& color) {
    fore_ = color;
    update();
}

void Panel3D::SetBackColor(const QColor& color) {
    back_ = color;
    update();
}

void Panel3D::SetCaptionFont(const QFont& font) {
    setFont(font);
    update();
}

void Panel3D::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void Panel3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), back_);
    DrawBevel(painter, rect(), false, 1);
    if (caption_.isEmpty()) return;
    painter.setPen(fore_);
    painter.setFont(font());
    const QRect area = rect().adjusted(4, 0, -4, 0);
    const Qt::Alignment vertical = alignment_ & Qt::AlignVertical_Mask;
    if (vertical != 0 && vertical != Qt::AlignVCenter) {
        painter.drawText(area, static_cast<int>(alignment_), caption_);
        return;
    }
    // Centred down by the ink of a Chinese character rather than by the font's line
    // height: the rows are barely taller than their font, and the Chinese fonts carry
    // more leading than the designs were drawn with.
    const QFontMetrics metrics(font());
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("国"));
    const int baseline = (height() - ink.height()) / 2 - ink.top();
    const int advance = metrics.horizontalAdvance(caption_);
    int x = area.left();
    if (alignment_ & Qt::AlignHCenter) x = area.left() + (area.width() - advance) / 2;
    if (alignment_ & Qt::AlignRight) x = area.right() + 1 - advance;
    painter.drawText(QPoint(x, baseline), caption_);
}

}  // namespace ui
