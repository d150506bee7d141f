#pragma once

#include <QColor>
#include <QPalette>

namespace zintu {

// Black or white, whichever reads better on `background`: the score labels' text on the
// board's colour, a ball's symbol on the ball.
QColor TextColorOn(const QColor& background);

// The board's background and drawing colour: the platform's face colour, or a light grey
// where that is too dark for the near-black grid.
QColor BoardColor(const QPalette& palette);

}  // namespace zintu
