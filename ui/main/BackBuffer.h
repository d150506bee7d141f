#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

namespace zintu {

// The persistent picture of the main window's client area, kept at the screen's device
// pixel ratio. Shapes are given in twips. They are drawn without antialiasing, so that a
// disc in the face colour erases the one beneath exactly, on a picture kFineScale times
// finer than the device pixels; each drawing is then averaged down to the device pixels,
// which gives discs smooth edges. Boxes and lines are snapped to whole device pixels and
// stay crisp at every scale.
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

    // The picture with its pixel ratio set, ready to draw at logical (0, 0).
    QImage Image() const;

  private:
    int Device(int twips) const;
    QRect DeviceRect(int x1, int y1, int x2, int y2) const;
    // Outlines and lines are one device pixel per logical pixel wide, like a one-pixel pen
    // at 96 dpi.
    int PenWidth() const;
    // Brings a rectangle of device pixels up to date: each is the mean of its fine pixels.
    void Resample(QRect deviceRect);

    QImage fine_;
    QImage image_;
    qreal ratio_ = 1.0;
    QColor foreground_;
    QColor fill_;
};

}  // namespace zintu
