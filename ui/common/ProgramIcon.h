#pragma once

#include <QIcon>
#include <QImage>

namespace zintu {

// Nine discs in a 3 x 3 arrangement, the red ones on the rising diagonal, drawn for
// `size` x `size` pixels on a transparent background; at the smallest sizes four larger
// discs, red on the rising diagonal.
QImage ProgramIconImage(int size);

// The same design as a scalable picture, for desktops that draw icons at any size.
QByteArray ProgramIconSvg();

// The icon of every window and of the notification area, drawn at each size when it is
// asked for: a platform asks for a few sizes, and only once it shows the icon.
QIcon ProgramIcon();

}  // namespace zintu
