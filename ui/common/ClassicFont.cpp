#include "ui/common/ClassicFont.h"

#include <QStringList>

namespace zintu {

QFont ClassicFont(qreal pointSize, bool bold) {
    QFont font;
    // The outline face is Windows' own stand-in for the old bitmap one. Elsewhere a
    // condensed face comes closest to its narrow letters: the layouts leave no room for
    // a wider font.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace zintu
