#pragma once
// A raised 3-D panel with a caption; other controls may lie on it and take its
// coordinates. It takes no part in key handling.

#include <QColor>

#include "platform/ui/control.h"

namespace ui {

class Panel3D : public Control {
    Q_OBJECT

public:
    Panel3D(QWidget* container, const QString& name, int index = -1);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    void SetForeColor(const QColor& color);
    QColor ForeColor() const { return fore_; }
    void SetBackColor(const QColor& color);
    QColor BackColor() const { return back_; }
    void SetCaptionFont(const QFont& font);
    // Without a vertical part the caption is centred down.
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const { return alignment_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor fore_ = Qt::black;
    QColor back_ = QColor(192, 192, 192);
    Qt::Alignment alignment_ = Qt::AlignCenter;
};

// Draws a raised (or, pressed, a sunken) bevel of the given width in pixels inside rect.
void DrawBevel(class QPainter& painter, const QRect& rect, bool sunken, int width = 2);

}  // namespace ui
