// Frame-rate range and the seeding of the row generator.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/settings_rules.h"

namespace glimwell {
namespace {

TEST(SettingsRulesTest, FrameRateTextIsKeptWithinRange) {
    struct Case { const wchar_t* typed; std::optional<std::wstring> replacement; };
    const Case cases[] = {
        {L"", L"1"}, {L"0", L"1"}, {L"00", L"1"}, {L"99", L"25"}, {L"30", L"25"}, {L"26", L"25"},
        {L"12", std::nullopt}, {L"1", std::nullopt}, {L"25", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(FrameRateCorrection(c.typed), c.replacement) << "typed: " << c.typed;
}

TEST(SettingsRulesTest, SeedsGrowByTheRunningAdjustment) {
    TickSeeder seeder;
    EXPECT_EQ(seeder.NextSeed(1000), 1000u);              // adjustment starts at 0
    EXPECT_EQ(seeder.NextSeed(1000), 1000u + 100 + 0xE8);  // then 100 + low byte of 1000 (0x3E8)
}

}  // namespace
}  // namespace glimwell
