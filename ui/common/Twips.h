#pragma once

#include <QRect>

namespace zintu {

// Layouts are given in twips; at 96 dpi a logical pixel is 15 of them, and Qt's device
// pixel ratio takes care of anything finer.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel; with an odd divisor there are no halves to decide.
constexpr int TwipsToPixels(int twips) {
    const int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace zintu
