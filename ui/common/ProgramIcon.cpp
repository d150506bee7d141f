#include "ProgramIcon.h"

#include <QColor>
#include <QIconEngine>
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

namespace {

// Without sizes of its own the icon counts as scalable: platforms pick the sizes they use.
class ProgramIconEngine : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawImage(rect, ProgramIconImage(std::min(rect.width(), rect.height())));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return QPixmap::fromImage(ProgramIconImage(std::min(size.width(), size.height())));
    }
    QIconEngine* clone() const override { return new ProgramIconEngine; }
};

}  // namespace

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine);  // the icon owns its engine
}

}  // namespace zintu
