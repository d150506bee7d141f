#include "ui/main/BallShape.h"

#include <QPainter>

namespace zintu {

BallShape::BallShape(QWidget* parent) : QWidget(parent) {
    setObjectName("Ball");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void BallShape::SetColor(QColor color) {
    color_ = color;
}

void BallShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(color_);
    painter.setBrush(color_);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace zintu
