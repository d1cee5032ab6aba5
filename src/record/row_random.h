// The generator that picks the first sampled row of each frame. Its state belongs to the
// calling thread; the capturer seeds it with a fixed value at every set-up, so each recording
// samples the same sequence of start rows.
#pragma once

#include <cstdint>

namespace glimwell {

inline constexpr std::uint32_t kRowRandomSeed = 8888;

void SeedRowRandom(std::uint32_t seed);
// Next value, 0..32767.
std::int32_t NextRowRandom();

}  // namespace glimwell
