#include "BackBuffer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "Twips.h"

namespace zintu {

void BackBuffer::Reset(QSize logicalSize, qreal pixelRatio, QColor foreground) {
    ratio_ = pixelRatio;
    foreground_ = foreground;
    image_ = QImage((QSizeF(logicalSize) * pixelRatio).toSize(), QImage::Format_RGB32);
    image_.fill(foreground);
}

int BackBuffer::Device(int twips) const {
    return static_cast<int>(std::lround(twips * ratio_ / kTwipsPerPixel));
}

QRect BackBuffer::DeviceRect(int x1, int y1, int x2, int y2) const {
    return QRect(QPoint(Device(std::min(x1, x2)), Device(std::min(y1, y2))),
                 QPoint(Device(std::max(x1, x2)) - 1, Device(std::max(y1, y2)) - 1));
}

void BackBuffer::FilledRectangle(int x1, int y1, int x2, int y2) {
    QPainter painter(&image_);
    painter.fillRect(DeviceRect(x1, y1, x2, y2), foreground_);
}

void BackBuffer::Line(int x1, int y1, int x2, int y2, QColor color) {
    // One device pixel per logical pixel of width, like a one-pixel pen at 96 dpi.
    const int width = std::max(1, static_cast<int>(std::lround(ratio_)));
    QPainter painter(&image_);
    if (x1 == x2) {
        painter.fillRect(Device(x1), Device(std::min(y1, y2)), width,
                         Device(std::max(y1, y2)) - Device(std::min(y1, y2)) + width, color);
    } else if (y1 == y2) {
        painter.fillRect(Device(std::min(x1, x2)), Device(y1),
                         Device(std::max(x1, x2)) - Device(std::min(x1, x2)) + width, width, color);
    } else {
        painter.setPen(QPen(color, width));
        painter.drawLine(Device(x1), Device(y1), Device(x2), Device(y2));
    }
}

void BackBuffer::Box(int x, int y, int width, int height) {
    const QRect outer = DeviceRect(x, y, x + width, y + height);
    const int border = std::max(1, static_cast<int>(std::lround(ratio_)));
    QPainter painter(&image_);
    painter.fillRect(outer, foreground_);
    painter.fillRect(outer.adjusted(border, border, -border, -border), fill_);
}

void BackBuffer::Disc(int centreX, int centreY, int radius) {
    const qreal scale = ratio_ / kTwipsPerPixel;
    const QPointF centre(centreX * scale, centreY * scale);
    const qreal r = radius * scale;
    // Not antialiased: the board is drawn over and over, and a disc in the face colour must
    // erase the one beneath to the last pixel.
    QPainter painter(&image_);
    painter.setPen(QPen(foreground_, std::max<qreal>(1.0, std::round(ratio_))));
    painter.setBrush(fill_);
    painter.drawEllipse(centre, r, r);
}

QImage BackBuffer::Image() const {
    QImage view = image_;  // shares the pixels
    view.setDevicePixelRatio(ratio_);
    return view;
}

}  // namespace zintu
