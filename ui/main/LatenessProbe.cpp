#include "ui/main/LatenessProbe.h"

#include <QTextStream>
#include <chrono>

namespace zintu {
namespace {

constexpr int kTickMs = 10;

}  // namespace

LatenessProbe::LatenessProbe(const QString& logFile) : log_(logFile) {
    if (log_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        startTimer(kTickMs, Qt::PreciseTimer);
        sinceTick_.start();
    }
}

void LatenessProbe::timerEvent(QTimerEvent*) {
    const qint64 late = sinceTick_.restart() - kTickMs;
    if (late >= 1) {
        const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        QTextStream(&log_) << now.count() << ' ' << late << '\n';
    }
}

}  // namespace zintu
