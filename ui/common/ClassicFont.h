#pragma once

#include <QFont>

namespace zintu {

// "MS Sans Serif" at the given size, as the windows were designed with. Where that face
// is missing, the nearest sans-serif face stands in for it.
QFont ClassicFont(qreal pointSize, bool bold = false);

}  // namespace zintu
