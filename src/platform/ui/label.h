#pragma once
// A windowless-looking label: transparent, drawn over whatever lies beneath it.

#include <QColor>
#include <QFont>

#include "platform/ui/control.h"

namespace ui {

class Label : public Control {
    Q_OBJECT

public:
    enum class Sizing {
        Fixed,         // keeps its size; the caption wraps inside it
        AutoSize,      // takes the size of its caption
        AutoSizeWrap,  // keeps its width; its height follows the wrapped caption
    };

    Label(QWidget* container, const QString& name, int index = -1);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    void SetSizing(Sizing sizing);
    Sizing GetSizing() const { return sizing_; }
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetForeColor(const QColor& color);
    QColor ForeColor() const { return fore_; }
    void SetBackColor(const QColor& color);  // opaque background; default transparent
    void SetLabelFont(const QFont& font);
    void SetBorder(bool border);
    bool Border() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FitToCaption();
    int TextFlags() const;

    QString caption_;
    Sizing sizing_ = Sizing::Fixed;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    QColor fore_ = Qt::black;
    QColor back_;
    bool border_ = false;
};

}  // namespace ui
