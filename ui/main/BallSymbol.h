#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

namespace zintu {

// Whether every ball carries its colour's symbol, for players who tell the colours apart
// badly.
enum class Symbols { Off, On };

// Paints the symbol of colour `code` (1 to 7) in black or white on a ball of that colour.
// The painter works in device pixels; straight edges fall on whole ones, so the symbol
// stays sharp at every scale.
void PaintSymbol(QPainter& painter, int code, QColor ball, QPointF centre, qreal radius);

}  // namespace zintu
