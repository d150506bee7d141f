#include "ui/main/RunningHandlers.h"

#include <QWidget>

namespace zintu {

bool RunningHandlers::MayCloseNow() {
    closeRequested_ = Any();
    return !closeRequested_;
}

void RunningHandlers::Leave() {
    if (--count_ == 0 && closeRequested_) {
        QMetaObject::invokeMethod(&window_, "close", Qt::QueuedConnection);
    }
}

}  // namespace zintu
