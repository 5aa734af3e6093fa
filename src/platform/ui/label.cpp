#include "platform/ui/label.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/ui/twips.h"

namespace ui {

Label::Label(QWidget* container, const QString& name, int index)
    : Control(container, name, index) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Label::SetCaption(const QString& caption) {
    caption_ = caption;
    FitToCaption();
    update();
}

void Label::SetSizing(Sizing sizing) {
    sizing_ = sizing;
    FitToCaption();
}

void Label::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void Label::SetForeColor(const QColor& color) {
    fore_ = color;
    update();
}

void Label::SetBackColor(const QColor& color) {
    back_ = color;
    update();
}

void Label::SetLabelFont(const QFont& font) {
    setFont(font);
    FitToCaption();
}

void Label::SetBorder(bool border) {
    border_ = border;
    FitToCaption();
    update();
}

int Label::TextFlags() const {
    int flags = static_cast<int>(alignment_) | Qt::AlignTop;
    if (sizing_ != Sizing::AutoSize) flags |= Qt::TextWordWrap;
    return flags;
}

void Label::FitToCaption() {
    if (sizing_ == Sizing::Fixed) return;
    const QFontMetrics metrics(font());
    const int frame = border_ ? 2 : 0;
    if (sizing_ == Sizing::AutoSize) {
        const QRect box = metrics.boundingRect(QRect(0, 0, 100000, 100000),
                                               Qt::AlignLeft | Qt::AlignTop, caption_);
        const int height = caption_.isEmpty() ? metrics.height() : box.height();
        SetSizeTwips(ToTwipsX(box.width() + frame), ToTwipsY(height + frame));
    } else {
        const int widthPx = std::max(1, ToPixelsX(Width()) - frame);
        const QRect box =
            metrics.boundingRect(QRect(0, 0, widthPx, 100000), TextFlags(), caption_);
        const int height = caption_.isEmpty() ? metrics.height() : box.height();
        SetSizeTwips(Width(), ToTwipsY(height + frame));
    }
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (back_.isValid()) painter.fillRect(rect(), back_);
    QRect area = rect();
    if (border_) {
        painter.setPen(Qt::black);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    painter.setPen(fore_);
    painter.setFont(font());
    painter.drawText(area, TextFlags(), caption_);
}

}  // namespace ui
