#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

class QPainter;

namespace zintu {

// The persistent picture of the main window's client area, kept at the screen's device
// pixel ratio. Shapes are given in twips. Boxes and lines are snapped to whole device
// pixels and stay crisp at every scale. Discs are drawn without antialiasing on pixels
// kFineScale times finer and averaged down to the device pixels, which gives them smooth
// edges while a disc in the face colour still erases the one beneath exactly. Only the
// device pixels that an edge crosses keep their fine pixels; all others are of one colour.
class BackBuffer {
  public:
    static constexpr int kFineScale = 3;

    // Discards the picture; the new one is filled with the foreground colour.
    void Reset(QSize logicalSize, qreal pixelRatio, QColor foreground);
    qreal PixelRatio() const { return ratio_; }

    void SetFillColor(QColor color) { fill_ = color; }
    void FilledRectangle(int x1, int y1, int x2, int y2);
    void Line(int x1, int y1, int x2, int y2, QColor color);
    void Box(int x, int y, int width, int height);
    void Disc(int centreX, int centreY, int radius);
    // The symbol of colour `code` on the disc just drawn there in the fill colour.
    void Symbol(int centreX, int centreY, int radius, int code);

    // The picture with its pixel ratio set, ready to draw at logical (0, 0).
    QImage Image() const;
    // Memory held for fine pixels, the map's own included.
    std::size_t FineBytes() const;

  private:
    using FineBlock = std::array<QRgb, kFineScale * kFineScale>;
    // The fine pixels of a rectangle of device pixels, and which of them were kept.
    struct FineTile {
        QRect Rect;
        QImage Picture;
        std::vector<bool> Kept;
        std::size_t Index(int x, int y) const {
            return static_cast<std::size_t>(y - Rect.top()) * Rect.width() + (x - Rect.left());
        }
    };

    int Device(int twips) const;
    QRect DeviceRect(int x1, int y1, int x2, int y2) const;
    // Outlines and lines are one device pixel per logical pixel wide, like a one-pixel pen
    // at 96 dpi.
    int PenWidth() const;
    // Device pixels of one colour throughout.
    void FillDevice(QRect deviceRect, QColor color);
    void ForgetFine(QRect deviceRect);
    // Paints on the fine pixels of a rectangle of device pixels, in fine coordinates of
    // the whole picture, and brings those device pixels up to date.
    void PaintFine(QRect deviceRect, const std::function<void(QPainter&)>& paint);
    // Kept fine pixels where an edge crossed, else the device pixel's colour.
    FineTile LoadFine(QRect rect) const;
    // Each device pixel becomes the mean of its fine pixels, which are kept unless all
    // of them are of one colour.
    void StoreFine(FineTile& tile);
    int Key(int x, int y) const { return y * image_.width() + x; }

    QImage image_;
    std::unordered_map<int, FineBlock> fine_;  // by Key, the device pixels an edge crosses
    qreal ratio_ = 1.0;
    QColor foreground_;
    QColor fill_;
};

}  // namespace zintu
