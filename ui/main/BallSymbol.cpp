#include "ui/main/BallSymbol.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/main/Contrast.h"

namespace zintu {
namespace {

QPainterPath Plus(qreal reach, qreal stroke) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(-reach, -stroke / 2, 2 * reach, stroke);
    path.addRect(-stroke / 2, -reach, stroke, 2 * reach);
    return path;
}

// Around (0, 0). Shapes that differ in outline, not only in size: the colours that are
// hardest to tell apart must not be told apart by a few pixels either.
QPainterPath SymbolPath(int code, qreal reach, qreal stroke) {
    QPainterPath path;
    switch (code) {
        case 1:  // red: a dot
            path.addEllipse(QPointF(), reach / 2, reach / 2);
            break;
        case 2:  // green: a plus
            return Plus(reach, stroke);
        case 3:  // yellow: a ring, its hole left by the odd-even fill
            path.addEllipse(QPointF(), reach, reach);
            path.addEllipse(QPointF(), reach - stroke, reach - stroke);
            break;
        case 4: {  // blue: a triangle, point up
            const qreal base = std::round(reach * 0.8);
            path.addPolygon(QPolygonF({{0, -reach}, {reach, base}, {-reach, base}}));
            path.closeSubpath();
            break;
        }
        case 5:  // magenta: a bar
            path.addRect(-reach, -stroke, 2 * reach, 2 * stroke);
            break;
        case 6: {  // cyan: a square
            const qreal half = std::round(reach * 0.75);
            path.addRect(-half, -half, 2 * half, 2 * half);
            break;
        }
        case 7:  // white: a saltire
            return QTransform().rotate(45).map(Plus(reach, stroke));
        default:
            break;
    }
    return path;
}

}  // namespace

void PaintSymbol(QPainter& painter, int code, QColor ball, QPointF centre, qreal radius) {
    const qreal stroke = std::max<qreal>(1, std::round(radius / 5));
    const qreal reach = std::round(radius * 0.6);
    // An odd stroke is centred on a pixel's middle, an even one on a pixel's corner.
    const qreal half = std::fmod(stroke, 2) / 2;
    const QPointF snapped(std::round(centre.x() - half) + half,
                          std::round(centre.y() - half) + half);
    painter.save();
    painter.translate(snapped);
    painter.fillPath(SymbolPath(code, reach, stroke), TextColorOn(ball));
    painter.restore();
}

}  // namespace zintu
