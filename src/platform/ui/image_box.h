#pragma once
// An image box: shows a picture at its natural size or stretched to the box, flat or
// three-dimensional, with or without a single-line border.

#include <QImage>

#include "platform/ui/control.h"

namespace ui {

class ImageBox : public Control {
    Q_OBJECT

public:
    ImageBox(QWidget* container, const QString& name, int index = -1);

    // Loads a picture file; an empty path clears the picture. A file that cannot be
    // read as a picture throws ui::Error and leaves the previous picture. With
    // stretching off, the box takes the picture's natural size.
    void LoadPicture(const QString& path);
    void SetPicture(const QImage& picture);
    void ClearPicture();
    bool HasPicture() const { return !picture_.isNull(); }
    const QImage& Picture() const { return picture_; }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    int Appearance() const { return appearance_; }  // 0 flat, 1 three-dimensional
    void SetAppearance(int appearance);
    int BorderStyle() const { return borderStyle_; }  // 0 none, 1 single line
    void SetBorderStyle(int borderStyle);

    void Refresh() { repaint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TakeNaturalSize();

    QImage picture_;
    bool stretch_ = false;
    int appearance_ = 0;
    int borderStyle_ = 0;
};

}  // namespace ui
