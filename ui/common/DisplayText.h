#pragma once

#include <QString>

namespace zintu {

// Texts are composed with a carriage return alone between rows; Qt's labels break rows
// only at line feeds.
inline QString DisplayText(QString composed) {
    return composed.replace(QChar(u'\r'), QChar(u'\n'));
}

}  // namespace zintu
