#include "engine/FramePacer.h"

#include <algorithm>

namespace zintu {
namespace {

// The most intervals of at least `refresh` that fit in `span`.
std::int64_t IntervalCount(std::chrono::microseconds span, std::chrono::microseconds refresh) {
    return std::max<std::int64_t>(1, span / std::max(refresh, std::chrono::microseconds{1}));
}

}  // namespace

FramePacer::FramePacer(ClockAndBeeper& clock, int frames, std::chrono::microseconds frameTime)
    : clock_(clock),
      frames_(frames),
      frameTime_(frameTime),
      start_(clock.Now()),
      span_((frames - 1) * frameTime),
      intervals_(IntervalCount(span_, clock.RefreshInterval())),
      nextShow_(start_) {}

bool FramePacer::Next() {
    ++frame_;
    const auto due = start_ + (frame_ - 1) * frameTime_;
    if (frame_ < frames_ && due + frameTime_ <= std::max(clock_.Now(), nextShow_)) {
        return false;
    }
    const auto showAt = std::max(due, nextShow_);
    clock_.WaitUntil(showAt);
    while (nextShow_ <= showAt && shown_ < intervals_) {
        nextShow_ = ShowTime(++shown_);
    }
    return true;
}

void FramePacer::Finish() {
    clock_.WaitUntil(start_ + frames_ * frameTime_);
}

std::chrono::microseconds FramePacer::ShowTime(std::int64_t interval) const {
    return start_ + span_ * interval / intervals_;
}

}  // namespace zintu
