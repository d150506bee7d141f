#pragma once

#include <chrono>
#include <cstdint>

#include "engine/ClockAndBeeper.h"

namespace zintu {

// Paces one animation by the surface's clock. Frame n (from 1) is due n - 1 frame times
// after the start and the animation ends `frames` frame times after it, whatever the
// drawing costs. Frames are shown at even times from the first frame's to the last's, no
// closer than the screen's refresh interval; a frame that a later one replaces before it
// could be shown is skipped. A slow machine or a slow screen thus sees fewer frames,
// never a longer animation.
class FramePacer {
  public:
    FramePacer(ClockAndBeeper& clock, int frames, std::chrono::microseconds frameTime);

    // Moves on to the next frame. When it is to be shown, holds until it may be and
    // returns true.
    bool Next();
    // Holds until the animation's end.
    void Finish();

  private:
    // The time of the end of the given interval between the first frame and the last.
    std::chrono::microseconds ShowTime(std::int64_t interval) const;

    ClockAndBeeper& clock_;
    int frames_;
    std::chrono::microseconds frameTime_;
    std::chrono::microseconds start_;
    std::chrono::microseconds span_;  // from the first frame's time to the last's
    std::int64_t intervals_;
    std::chrono::microseconds nextShow_;  // no frame is shown before this
    int frame_ = 0;
    std::int64_t shown_ = 0;  // intervals passed
};

}  // namespace zintu
