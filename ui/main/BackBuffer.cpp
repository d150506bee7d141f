#include "BackBuffer.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "Twips.h"

namespace zintu {
namespace {

QRect Fine(QRect device) {
    const int k = BackBuffer::kFineScale;
    return {device.x() * k, device.y() * k, device.width() * k, device.height() * k};
}

// The mean of each colour channel over the square of fine pixels at column `x` of the
// given fine rows, rounded. Red and blue are summed side by side in one word: nine bytes
// cannot carry into the other half.
QRgb Average(const std::array<const QRgb*, BackBuffer::kFineScale>& rows, int x) {
    std::uint32_t redBlue = 0;
    std::uint32_t green = 0;
    for (const QRgb* row : rows) {
        for (int col = x; col < x + BackBuffer::kFineScale; ++col) {
            redBlue += row[col] & 0xff00ffU;
            green += row[col] & 0xff00U;
        }
    }
    constexpr std::uint32_t kCount = BackBuffer::kFineScale * BackBuffer::kFineScale;
    const auto mean = [](std::uint32_t sum) { return (sum + kCount / 2) / kCount; };
    return qRgb(static_cast<int>(mean(redBlue >> 16)), static_cast<int>(mean(green >> 8)),
                static_cast<int>(mean(redBlue & 0xffffU)));
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

int BackBuffer::PenWidth() const {
    return std::max(1, static_cast<int>(std::lround(ratio_)));
}

void BackBuffer::Line(int x1, int y1, int x2, int y2, QColor color) {
    const int width = PenWidth();
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
    const int border = PenWidth();
    QPainter painter(&fine_);
    painter.fillRect(Fine(outer), foreground_);
    painter.fillRect(Fine(outer.adjusted(border, border, -border, -border)), fill_);
    painter.end();
    Resample(outer);
}

void BackBuffer::Disc(int centreX, int centreY, int radius) {
    const qreal scale = ratio_ / kTwipsPerPixel;
    const QPointF centre(centreX * scale, centreY * scale);
    const int outline = PenWidth();
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
        std::array<const QRgb*, kFineScale> rows{};
        for (int i = 0; i < kFineScale; ++i) {
            rows[i] = reinterpret_cast<const QRgb*>(fine_.constScanLine(y * kFineScale + i));
        }
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            line[x] = Average(rows, x * kFineScale);
        }
    }
}

QImage BackBuffer::Image() const {
    QImage view = image_;  // shares the pixels
    view.setDevicePixelRatio(ratio_);
    return view;
}

}  // namespace zintu
