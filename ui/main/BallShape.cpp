#include "ui/main/BallShape.h"

#include <QPainter>

#include "ui/main/BallSymbol.h"

namespace zintu {

BallShape::BallShape(QWidget* parent) : QWidget(parent) {
    setObjectName("Ball");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void BallShape::SetBall(QColor color, int symbol) {
    color_ = color;
    symbol_ = symbol;
}

void BallShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(color_);
    painter.setBrush(color_);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    if (symbol_ != 0) {
        const qreal ratio = painter.deviceTransform().m11();  // the screen's, or a grab's
        painter.scale(1 / ratio, 1 / ratio);
        PaintSymbol(painter, symbol_, color_, QRectF(rect()).center() * ratio, width() * ratio / 2);
    }
}

}  // namespace zintu
