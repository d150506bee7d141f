#include "ui/main/PreviewMarkers.h"

#include <QWidget>

#include "engine/BoardGeometry.h"
#include "ui/common/Twips.h"
#include "ui/main/BoardCursor.h"

namespace zintu {

PreviewMarkers::PreviewMarkers(QWidget& window) {
    for (int i = 1; i <= 3; ++i) {
        auto* item = new QWidget(&window);
        item->setObjectName(QStringLiteral("NextColor%1").arg(i));
        const TwipPoint centre = PreviewCentre(i);
        item->setGeometry(TwipsRect(centre.X - kBallRadius, centre.Y - kBallRadius, 2 * kBallRadius,
                                    2 * kBallRadius));
        item->setAttribute(Qt::WA_TransparentForMouseEvents);
        item->setAccessibleDescription(tr("Этот шарик появится после хода, не собравшего ряд"));
        items_[i - 1] = item;
    }
}

void PreviewMarkers::Name(const std::array<ColorCode, 4>& nextColors) {
    for (int i = 1; i <= 3; ++i) {
        items_[i - 1]->setAccessibleName(
            tr("Следующий шарик %1: %2").arg(i).arg(ColorName(nextColors[i])));
    }
}

}  // namespace zintu
