#include "ui/main/Contrast.h"

#include <cmath>

namespace zintu {

QColor TextColorOn(const QColor& background) {
    // Relative luminance as contrast ratios count it; one of black and white always
    // reaches 4.5:1.
    const auto linear = [](float channel) {
        return channel <= 0.04045F ? channel / 12.92F : std::pow((channel + 0.055F) / 1.055F, 2.4F);
    };
    const float luminance = 0.2126F * linear(background.redF()) +
                            0.7152F * linear(background.greenF()) +
                            0.0722F * linear(background.blueF());
    const float onBlack = (luminance + 0.05F) / 0.05F;
    const float onWhite = 1.05F / (luminance + 0.05F);
    return onBlack >= onWhite ? QColor(Qt::black) : QColor(Qt::white);
}

QColor BoardColor(const QPalette& palette) {
    const QColor face = palette.color(QPalette::Button);
    return face.lightness() < 128 ? QColor(192, 192, 192) : face;
}

}  // namespace zintu
