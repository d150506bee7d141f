#include "ui/main/BackBuffer.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/common/Twips.h"
#include "ui/main/BallSymbol.h"

namespace zintu {
namespace {

constexpr int kFine = BackBuffer::kFineScale;

// The mean of each colour channel over the fine pixels, rounded. Red and blue are summed
// side by side in one word: nine bytes cannot carry into the other half.
template <typename Block>
QRgb Average(const Block& block) {
    std::uint32_t redBlue = 0;
    std::uint32_t green = 0;
    for (const QRgb pixel : block) {
        redBlue += pixel & 0xff00ffU;
        green += pixel & 0xff00U;
    }
    constexpr auto kCount = static_cast<std::uint32_t>(std::tuple_size_v<Block>);
    const auto mean = [](std::uint32_t sum) { return (sum + kCount / 2) / kCount; };
    return qRgb(static_cast<int>(mean(redBlue >> 16)), static_cast<int>(mean(green >> 8)),
                static_cast<int>(mean(redBlue & 0xffffU)));
}

// Fine pixel `i` (row by row) of device pixel (x, y) on a picture of the fine pixels of `rect`.
QRgb& FinePixel(QImage& picture, QRect rect, int x, int y, int i) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine((y - rect.top()) * kFine + i / kFine));
    return line[(x - rect.left()) * kFine + i % kFine];
}

}  // namespace

void BackBuffer::Reset(QSize logicalSize, qreal pixelRatio, QColor foreground) {
    ratio_ = pixelRatio;
    foreground_ = foreground;
    image_ = QImage((QSizeF(logicalSize) * pixelRatio).toSize(), QImage::Format_RGB32);
    image_.fill(foreground);
    fine_.clear();
}

int BackBuffer::Device(int twips) const {
    return static_cast<int>(std::lround(twips * ratio_ / kTwipsPerPixel));
}

QRect BackBuffer::DeviceRect(int x1, int y1, int x2, int y2) const {
    return QRect(QPoint(Device(std::min(x1, x2)), Device(std::min(y1, y2))),
                 QPoint(Device(std::max(x1, x2)) - 1, Device(std::max(y1, y2)) - 1));
}

int BackBuffer::PenWidth() const {
    return std::max(1, static_cast<int>(std::lround(ratio_)));
}

void BackBuffer::FilledRectangle(int x1, int y1, int x2, int y2) {
    FillDevice(DeviceRect(x1, y1, x2, y2), foreground_);
}

void BackBuffer::Line(int x1, int y1, int x2, int y2, QColor color) {
    const int width = PenWidth();
    const QPoint from(Device(x1), Device(y1));
    const QPoint to(Device(x2), Device(y2));
    const QRect span = QRect(from, to).normalized().adjusted(0, 0, width - 1, width - 1);
    if (x1 == x2 || y1 == y2) {
        FillDevice(span, color);
        return;
    }
    PaintFine(span.adjusted(-width, -width, width, width), [&](QPainter& painter) {
        painter.setPen(QPen(color, width * kFine));
        painter.drawLine(from * kFine, to * kFine);
    });
}

void BackBuffer::Box(int x, int y, int width, int height) {
    const QRect outer = DeviceRect(x, y, x + width, y + height);
    const int border = PenWidth();
    FillDevice(outer, foreground_);
    FillDevice(outer.adjusted(border, border, -border, -border), fill_);
}

void BackBuffer::Disc(int centreX, int centreY, int radius) {
    const qreal scale = ratio_ / kTwipsPerPixel;
    const QPointF centre(centreX * scale, centreY * scale);
    const int outline = PenWidth();
    const qreal reach = radius * scale + outline;
    const QRectF bounds(centre - QPointF(reach, reach), centre + QPointF(reach, reach));
    PaintFine(bounds.toAlignedRect().adjusted(-1, -1, 1, 1), [&](QPainter& painter) {
        painter.setPen(QPen(foreground_, outline * kFine));
        painter.setBrush(fill_);
        painter.drawEllipse(centre * kFine, radius * scale * kFine, radius * scale * kFine);
    });
}

void BackBuffer::Symbol(int centreX, int centreY, int radius, int code) {
    const qreal scale = ratio_ / kTwipsPerPixel;
    const QPointF centre(centreX * scale, centreY * scale);
    const qreal reach = radius * scale;
    const QRectF bounds(centre - QPointF(reach, reach), centre + QPointF(reach, reach));
    PaintFine(bounds.toAlignedRect(), [&](QPainter& painter) {
        painter.scale(kFine, kFine);
        PaintSymbol(painter, code, fill_, centre, reach);
    });
}

void BackBuffer::FillDevice(QRect deviceRect, QColor color) {
    const QRect rect = deviceRect.intersected(image_.rect());
    if (rect.isEmpty()) {
        return;
    }
    const QRgb rgb = color.rgb();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + rect.left(), line + rect.right() + 1, rgb);
    }
    ForgetFine(rect);
}

void BackBuffer::ForgetFine(QRect rect) {
    // Whichever is shorter: the rectangle's pixels or the map.
    if (static_cast<std::size_t>(rect.width()) * rect.height() < fine_.size()) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                fine_.erase(Key(x, y));
            }
        }
        return;
    }
    const int width = image_.width();
    std::erase_if(fine_, [&rect, width](const auto& entry) {
        return rect.contains(entry.first % width, entry.first / width);
    });
}

void BackBuffer::PaintFine(QRect deviceRect, const std::function<void(QPainter&)>& paint) {
    FineTile tile = LoadFine(deviceRect.intersected(image_.rect()));
    if (tile.Rect.isEmpty()) {
        return;
    }
    QPainter painter(&tile.Picture);
    painter.translate(-tile.Rect.left() * kFine, -tile.Rect.top() * kFine);
    paint(painter);
    painter.end();
    StoreFine(tile);
}

BackBuffer::FineTile BackBuffer::LoadFine(QRect rect) const {
    FineTile tile{rect, QImage(rect.size() * kFine, QImage::Format_RGB32),
                  std::vector<bool>(static_cast<std::size_t>(rect.width()) * rect.height())};
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* device = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const auto kept = fine_.find(Key(x, y));
            tile.Kept[tile.Index(x, y)] = kept != fine_.end();
            for (int i = 0; i < kFine * kFine; ++i) {
                FinePixel(tile.Picture, rect, x, y, i) =
                    kept != fine_.end() ? kept->second[i] : device[x];
            }
        }
    }
    return tile;
}

void BackBuffer::StoreFine(FineTile& tile) {
    const QRect& rect = tile.Rect;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* device = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            FineBlock block{};
            for (int i = 0; i < kFine * kFine; ++i) {
                block[i] = FinePixel(tile.Picture, rect, x, y, i);
            }
            const bool plain = std::all_of(block.begin(), block.end(),
                                           [&block](QRgb pixel) { return pixel == block[0]; });
            device[x] = plain ? block[0] : Average(block);
            if (!plain) {
                fine_.insert_or_assign(Key(x, y), block);
            } else if (tile.Kept[tile.Index(x, y)]) {
                fine_.erase(Key(x, y));
            }
        }
    }
}

QImage BackBuffer::Image() const {
    QImage view = image_;  // shares the pixels
    view.setDevicePixelRatio(ratio_);
    return view;
}

std::size_t BackBuffer::FineBytes() const {
    // A node holds its entry and the link to the next; a bucket, one pointer.
    constexpr std::size_t kNode = sizeof(decltype(fine_)::value_type) + sizeof(void*);
    return fine_.size() * kNode + fine_.bucket_count() * sizeof(void*);
}

}  // namespace zintu
