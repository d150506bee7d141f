#pragma once

#include <chrono>

namespace zintu {

// What the game's animations time themselves by, and the beep of a refused move.
class ClockAndBeeper {
  public:
    virtual ~ClockAndBeeper() = default;

    // The animation clock: steady, never going back.
    virtual std::chrono::microseconds Now() const = 0;
    // Holds the animation until the clock reaches `time`; returns at once if it has.
    virtual void WaitUntil(std::chrono::microseconds time) = 0;
    // The time between two pictures of the screen: frames closer together are never seen.
    virtual std::chrono::microseconds RefreshInterval() const = 0;

    virtual void Beep() = 0;
};

}  // namespace zintu
