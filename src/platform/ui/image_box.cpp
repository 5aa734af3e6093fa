#include "platform/ui/image_box.h"

#include <QImageReader>
#include <QPainter>

#include "platform/ui/error.h"
#include "platform/ui/twips.h"

namespace ui {

ImageBox::ImageBox(QWidget* container, const QString& name, int index)
    : Control(container, name, index) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ImageBox::LoadPicture(const QString& path) {
    if (path.isEmpty()) {
        ClearPicture();
        return;
    }
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        throw Error(QStringLiteral("cannot load picture %1: %2")
                        .arg(path, reader.errorString())
                        .toStdString());
    }
    SetPicture(image);
}

void ImageBox::SetPicture(const QImage& picture) {
    picture_ = picture;
    if (!stretch_) TakeNaturalSize();
    update();
}

void ImageBox::ClearPicture() {
    picture_ = QImage();
    update();
}

void ImageBox::SetStretch(bool stretch) {
    stretch_ = stretch;
    if (!stretch_ && HasPicture()) TakeNaturalSize();
    update();
}

void ImageBox::SetAppearance(int appearance) {
    appearance_ = appearance;
    update();
}

void ImageBox::SetBorderStyle(int borderStyle) {
    borderStyle_ = borderStyle;
    update();
}

void ImageBox::TakeNaturalSize() {
    SetSizeTwips(ToTwipsX(picture_.width()), ToTwipsY(picture_.height()));
}

void ImageBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (HasPicture()) {
        if (stretch_) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), picture_);
        } else {
            painter.drawImage(QPoint(0, 0), picture_);
        }
    }
    if (borderStyle_ == 1) {
        const QRect r = rect().adjusted(0, 0, -1, -1);
        if (appearance_ == 1) {
            // Sunken: dark above and to the left, light below and to the right.
            painter.setPen(QColor(128, 128, 128));
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(Qt::white);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        } else {
            painter.setPen(Qt::black);
            painter.drawRect(r);
        }
    }
}

}  // namespace ui
