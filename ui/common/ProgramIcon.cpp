#include "ProgramIcon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace zintu {
namespace {

// Row by row from the top left.
const std::array<QColor, 9> kDiscColors{
    QColor(0, 0, 255),   QColor(255, 255, 0), QColor(255, 0, 0),
    QColor(0, 255, 255), QColor(255, 0, 0),   QColor(255, 255, 255),
    QColor(255, 0, 0),   QColor(255, 0, 255), QColor(0, 255, 0),
};

// A dark rim keeps the white disc visible on light backgrounds.
const QColor kOutline(40, 40, 40);

}  // namespace

QImage ProgramIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal cell = size / 3.0;
    const qreal outline = std::max(1.0, size / 64.0);
    // The pen is centred on the path, so pull the path in by half its width.
    const qreal radius = cell * 0.4 - outline / 2;
    painter.setPen(QPen(kOutline, outline));
    for (int index = 0; index < 9; ++index) {
        const QPointF centre((index % 3 + 0.5) * cell, (index / 3 + 0.5) * cell);
        painter.setBrush(kDiscColors[index]);
        painter.drawEllipse(centre, radius, radius);
    }
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : kProgramIconSizes) {
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    }
    return icon;
}

}  // namespace zintu
