#include "ui/scores/ScoreFormat.h"

#include <cstdlib>

#include "storage/OleDate.h"

namespace zintu {

QString FormatPoints(std::int32_t points) {
    // Widened first: the magnitude of the lowest 32-bit value does not fit 32 bits.
    const QString digits = QString::number(std::llabs(static_cast<long long>(points)));
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += QChar(u' ');
        }
        grouped += digits[i];
    }
    return points < 0 ? QChar(u'-') + grouped : grouped;
}

QString FormatScoreDate(double oleDate) {
    const CivilDate date = CivilFromOleDate(oleDate);
    const QChar zero(u'0');
    return QStringLiteral("%1.%2.%3")
        .arg(date.Day, 2, 10, zero)
        .arg(date.Month, 2, 10, zero)
        .arg(date.Year, 4, 10, zero);
}

}  // namespace zintu
