#pragma once

#include <QColor>

namespace zintu {

// Black or white, whichever reads better on `background`: the score labels' text on the
// board's colour, a ball's symbol on the ball.
QColor TextColorOn(const QColor& background);

}  // namespace zintu
