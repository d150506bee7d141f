#pragma once

#include <QIcon>
#include <QImage>
#include <array>

namespace zintu {

// Pixel sizes at which the program icon is drawn.
inline constexpr std::array<int, 10> kProgramIconSizes{16, 20, 24, 32, 40, 48, 64, 96, 128, 256};

// Nine discs in a 3 x 3 arrangement, the red ones on the rising diagonal, drawn for
// `size` x `size` pixels on a transparent background; at the smallest sizes four larger
// discs, red on the rising diagonal.
QImage ProgramIconImage(int size);

// The same design as a scalable picture, for desktops that draw icons at any size.
QByteArray ProgramIconSvg();

// The icon of every window, with one image per size of kProgramIconSizes.
QIcon ProgramIcon();

}  // namespace zintu
