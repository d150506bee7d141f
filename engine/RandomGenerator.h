#pragma once

#include <cstdint>

namespace zintu {

// The game's own generator: a 64-bit linear congruential core with a permuted 32-bit
// output. Integer arithmetic only, so every platform and compiler draws the same numbers,
// and the affine core lets Skip jump ahead in O(log n).
class RandomGenerator {
  public:
    // The sequence that follows depends on the seed alone.
    void Seed(float seed);
    void SeedFromClock();
    // Next value v with 0 <= v < 1, always a multiple of 2^-24.
    float Next();
    // Same state as `count` calls of Next.
    void Skip(std::uint64_t count);

    bool operator==(const RandomGenerator&) const = default;

  private:
    std::uint64_t state_ = 0;
};

// A value from 0 to n - 1 out of a draw v in [0, 1): the whole part of v times |n|. Exact
// for every v the generator makes, the largest below 1 included.
std::int16_t ScaleDraw(float value, std::int16_t n);

}  // namespace zintu
