#pragma once

#include <chrono>

#include "DrawingSurface.h"

namespace zintu {

// Paces one animation by the surface's clock: frame n ends n frame times after the start,
// whatever the drawing costs. A frame whose time has run out before it was drawn is
// skipped, so a slow or busy machine shows fewer frames but never a longer animation.
class FramePacer {
  public:
    FramePacer(DrawingSurface& surface, std::chrono::microseconds frameTime);

    // Moves on to the next frame; true when there is still time to show it.
    bool NextInTime();
    // Whether the frame moved on to last was in time.
    bool InTime() const { return inTime_; }
    // Holds until the current frame's time is over.
    void Wait();

  private:
    DrawingSurface& surface_;
    std::chrono::microseconds frameTime_;
    std::chrono::microseconds frameEnd_;
    bool inTime_ = true;
};

}  // namespace zintu
