#include "BackBuffer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "Twips.h"

namespace zintu {
namespace {

QRect Fine(QRect device) {
    const int k = BackBuffer::kFineScale;
    return {device.x() * k, device.y() * k, device.width() * k, device.height() * k};
}

// The mean of each colour channel over a square of fine pixels, rounded.
QRgb Average(const QImage& fine, int x, int y) {
    const int k = BackBuffer::kFineScale;
    int red = 0;
    int green = 0;
    int blue = 0;
    for (int row = y; row < y + k; ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(fine.constScanLine(row));
        for (int col = x; col < x + k; ++col) {
            red += qRed(line[col]);
            green += qGreen(line[col]);
            blue += qBlue(line[col]);
        }
    }
    const int count = k * k;
    return qRgb((red + count / 2) / count, (green + count / 2) / count, (blue + count / 2) / count);
}

}  // namespace

void BackBuffer::Reset(QSize logicalSize, qreal pixelRatio, QColor foreground) {
    ratio_ = pixelRatio;
    foreground_ = foreground;
    image_ = QImage((QSizeF(logicalSize) * pixelRatio).toSize(), QImage::Format_RGB32);
    image_.fill(foreground);
    fine_ = QImage(image_.size() * kFineScale, QImage::Format_RGB32);
    fine_.fill(foreground);
}

int BackBuffer::Device(int twips) const {
    return static_cast<int>(std::lround(twips * ratio_ / kTwipsPerPixel));
}

QRect BackBuffer::DeviceRect(int x1, int y1, int x2, int y2) const {
    return QRect(QPoint(Device(std::min(x1, x2)), Device(std::min(y1, y2))),
                 QPoint(Device(std::max(x1, x2)) - 1, Device(std::max(y1, y2)) - 1));
}

void BackBuffer::FilledRectangle(int x1, int y1, int x2, int y2) {
    const QRect rect = DeviceRect(x1, y1, x2, y2);
    QPainter(&fine_).fillRect(Fine(rect), foreground_);
    Resample(rect);
}

void BackBuffer::Line(int x1, int y1, int x2, int y2, QColor color) {
    // One device pixel per logical pixel of width, like a one-pixel pen at 96 dpi.
    const int width = std::max(1, static_cast<int>(std::lround(ratio_)));
    const QPoint from(Device(x1), Device(y1));
    const QPoint to(Device(x2), Device(y2));
    const QRect span = QRect(from, to).normalized().adjusted(0, 0, width - 1, width - 1);
    QPainter painter(&fine_);
    if (x1 == x2 || y1 == y2) {
        painter.fillRect(Fine(span), color);
    } else {
        painter.setPen(QPen(color, width * kFineScale));
        painter.drawLine(from * kFineScale, to * kFineScale);
    }
    painter.end();
    Resample(span.adjusted(-width, -width, width, width));
}

void BackBuffer::Box(int x, int y, int width, int height) {
    const QRect outer = DeviceRect(x, y, x + width, y + height);
    const int border = std::max(1, static_cast<int>(std::lround(ratio_)));
    QPainter painter(&fine_);
    painter.fillRect(Fine(outer), foreground_);
    painter.fillRect(Fine(outer.adjusted(border, border, -border, -border)), fill_);
    painter.end();
    Resample(outer);
}

void BackBuffer::Disc(int centreX, int centreY, int radius) {
    const qreal scale = ratio_ / kTwipsPerPixel;
    const QPointF centre(centreX * scale, centreY * scale);
    const qreal outline = std::max<qreal>(1.0, std::round(ratio_));
    const qreal reach = radius * scale + outline;
    QPainter painter(&fine_);
    painter.setPen(QPen(foreground_, outline * kFineScale));
    painter.setBrush(fill_);
    painter.drawEllipse(centre * kFineScale, radius * scale * kFineScale,
                        radius * scale * kFineScale);
    painter.end();
    const QRectF bounds(centre - QPointF(reach, reach), centre + QPointF(reach, reach));
    Resample(bounds.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void BackBuffer::Resample(QRect deviceRect) {
    const QRect rect = deviceRect.intersected(image_.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            line[x] = Average(fine_, x * kFineScale, y * kFineScale);
        }
    }
}

QImage BackBuffer::Image() const {
    QImage view = image_;  // shares the pixels
    view.setDevicePixelRatio(ratio_);
    return view;
}

}  // namespace zintu
