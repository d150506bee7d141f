#include "engine/RandomGenerator.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdlib>

namespace zintu {
namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
constexpr std::uint64_t kSeedKey = 0x853c49e6748fea9bULL;

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace

void RandomGenerator::Seed(float seed) {
    state_ = Mix(kSeedKey ^ std::bit_cast<std::uint32_t>(seed));
}

void RandomGenerator::SeedFromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    state_ = Mix(static_cast<std::uint64_t>(ticks));
}

float RandomGenerator::Next() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto shifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto output = std::rotr(shifted, static_cast<int>(old >> 59U));
    return static_cast<float>(output >> 8U) * 0x1p-24f;
}

void RandomGenerator::Skip(std::uint64_t count) {
    std::uint64_t totalMultiplier = 1;
    std::uint64_t totalIncrement = 0;
    std::uint64_t multiplier = kMultiplier;
    std::uint64_t increment = kIncrement;
    for (; count > 0; count >>= 1U) {
        if ((count & 1U) != 0) {
            totalMultiplier *= multiplier;
            totalIncrement = totalIncrement * multiplier + increment;
        }
        increment = (multiplier + 1) * increment;
        multiplier *= multiplier;
    }
    state_ = totalMultiplier * state_ + totalIncrement;
}

std::int16_t ScaleDraw(float value, std::int16_t n) {
    return static_cast<std::int16_t>(std::floor(static_cast<double>(value) * std::abs(n)));
}

}  // namespace zintu
