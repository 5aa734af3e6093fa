#pragma once
// A straight line between two points given in the container's twips.

#include <QColor>

#include "platform/ui/control.h"

namespace ui {

class Line : public Control {
    Q_OBJECT

public:
    Line(QWidget* container, const QString& name, int index = -1);

    float X1() const { return x1_; }
    float Y1() const { return y1_; }
    float X2() const { return x2_; }
    float Y2() const { return y2_; }
    void SetX1(double twips);
    void SetY1(double twips);
    void SetX2(double twips);
    void SetY2(double twips);

    void SetColor(const QColor& color);
    QColor Color() const { return color_; }
    void SetPenWidth(int pixels);
    int PenWidth() const { return penWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Place();

    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QColor color_ = Qt::black;
    int penWidth_ = 1;
};

}  // namespace ui
