#pragma once

#include <cstdint>

#include "engine/Rules.h"

namespace zintu {

// A 32-bit colour as 0x00BBGGRR.
using ColorValue = std::uint32_t;

constexpr ColorValue Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<ColorValue>(red) | static_cast<ColorValue>(green) << 8 |
           static_cast<ColorValue>(blue) << 16;
}

// Where the sliding ball overlay stands, in twips.
struct BallPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    ColorValue Color = 0;
    bool Visible = false;
    ColorCode Code = 0;

    bool operator==(const BallPlacement&) const = default;
};

// Everything the game draws goes through this surface. Coordinates are twips from the top
// left of the main window's client area; what is drawn persists.
class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // Colour used to fill the interior of the next boxes and discs.
    virtual void SetFillColor(ColorValue color) = 0;
    // Fills the rectangle with the window's foreground colour.
    virtual void FilledRectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, ColorValue color) = 0;
    // Outline in the foreground colour, interior in the fill colour.
    virtual void Box(int x, int y, int width, int height) = 0;
    virtual void Disc(int centreX, int centreY, int radius) = 0;
    // Follows the disc just drawn there when it is a ball of colour `code`, for a surface
    // that marks each colour with a symbol of its own.
    virtual void Symbol(int /*centreX*/, int /*centreY*/, int /*radius*/, ColorCode /*code*/) {}
    // Presents everything drawn so far at once.
    virtual void Refresh() = 0;

    // Moves, recolours, shows or hides the ball overlay and presents it at once.
    virtual void PlaceBall(const BallPlacement& ball) = 0;
};

}  // namespace zintu
