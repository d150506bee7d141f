#include "ui/common/ProgramIcon.h"

#include <QColor>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>

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

// Below this size nine discs blur into squares: four larger ones keep the red diagonal.
constexpr int kSmallIcon = 20;

void DrawSmallIcon(QPainter& painter, int size) {
    const std::array<QColor, 4> colors{kDiscColors[0], kDiscColors[2], kDiscColors[6],
                                       kDiscColors[8]};
    const qreal cell = size / 2.0;
    painter.setPen(Qt::NoPen);
    for (std::size_t index = 0; index < colors.size(); ++index) {
        painter.setBrush(colors[index]);
        painter.drawEllipse(QPointF((index % 2 + 0.5) * cell, (index / 2 + 0.5) * cell),
                            cell / 2 - 0.5, cell / 2 - 0.5);
    }
}

}  // namespace

QImage ProgramIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (size < kSmallIcon) {
        DrawSmallIcon(painter, size);
        return image;
    }

    const qreal cell = size / 3.0;
    const qreal outline = std::max(1.0, size / 64.0);
    // The pen is centred on the path, so pull the path in by half its width.
    const qreal radius = cell * 0.4 - outline / 2;
    painter.setPen(QPen(kOutline, outline));
    for (std::size_t index = 0; index < kDiscColors.size(); ++index) {
        const QPointF centre((index % 3 + 0.5) * cell, (index / 3 + 0.5) * cell);
        painter.setBrush(kDiscColors[index]);
        painter.drawEllipse(centre, radius, radius);
    }
    return image;
}

QByteArray ProgramIconSvg() {
    // The large design on a 48-unit square, with the rim of the 48-pixel image.
    constexpr qreal kSide = 48, kCell = kSide / 3, kRim = 1, kRadius = kCell * 0.4 - kRim / 2;
    QByteArray svg = QByteArrayLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" "
        "viewBox=\"0 0 48 48\">\n");
    for (std::size_t index = 0; index < kDiscColors.size(); ++index) {
        svg += QStringLiteral(
                   "  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\" stroke=\"%5\" "
                   "stroke-width=\"%6\"/>\n")
                   .arg((index % 3 + 0.5) * kCell)
                   .arg((index / 3 + 0.5) * kCell)
                   .arg(kRadius)
                   .arg(kDiscColors[index].name(), kOutline.name())
                   .arg(kRim)
                   .toUtf8();
    }
    return svg + "</svg>\n";
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
