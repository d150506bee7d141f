#include "FramePacer.h"

namespace zintu {

FramePacer::FramePacer(DrawingSurface& surface, std::chrono::microseconds frameTime)
    : surface_(surface), frameTime_(frameTime), frameEnd_(surface.Now()) {}

bool FramePacer::NextInTime() {
    frameEnd_ += frameTime_;
    inTime_ = surface_.Now() < frameEnd_;
    return inTime_;
}

void FramePacer::Wait() {
    surface_.WaitUntil(frameEnd_);
}

}  // namespace zintu
