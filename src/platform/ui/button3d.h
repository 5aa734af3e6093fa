#pragma once
// A 3-D push button. The elements of one control array share one click event, which
// receives the element's index. It never takes the keyboard focus.

#include <QColor>

#include "platform/ui/control.h"

namespace ui {

class Button3D : public Control {
    Q_OBJECT

public:
    Button3D(QWidget* container, const QString& name, int index = -1);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    void SetForeColor(const QColor& color);
    QColor ForeColor() const { return fore_; }
    void SetCaptionFont(const QFont& font);

signals:
    void Click(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QColor fore_ = Qt::black;
    bool pressed_ = false;
};

}  // namespace ui
