// Frame-rate text correction and tick-count seeding.
#include "app/settings_rules.h"

#include "platform/leading_integer.h"

namespace glimwell {

std::optional<std::wstring> FrameRateCorrection(std::wstring_view text) {
    const int value = LeadingInteger(text);
    if (value < kMinimumFrameRate) return std::wstring(L"1");
    if (value > kMaximumFrameRate) return std::wstring(L"25");
    return std::nullopt;
}

std::uint32_t TickSeeder::NextSeed(std::uint32_t tickCount) {
    const std::uint32_t seed = tickCount + adjustment_;
    adjustment_ += 100 + (seed & 0xFF);
    return seed;
}

}  // namespace glimwell
