// Rules of the recording settings that need no window: keeping the frame rate text within
// its range, and the seeding of the row generator at start-up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glimwell {

inline constexpr int kMinimumFrameRate = 1;
inline constexpr int kMaximumFrameRate = 25;

// The text that replaces the frame-rate text, or none when it may stay: a value of 0 or less
// (also no digits at all) becomes "1", one above 25 becomes "25". Each replacement is one
// correction, which the panel answers with a beep.
std::optional<std::wstring> FrameRateCorrection(std::wstring_view text);

// Seeds of the row generator taken from the tick count: each seeding adds a running
// adjustment, which then grows by 100 plus the low byte of the seed, so two seedings within
// the same tick still differ.
class TickSeeder {
public:
    std::uint32_t NextSeed(std::uint32_t tickCount);

private:
    std::uint32_t adjustment_ = 0;
};

}  // namespace glimwell
