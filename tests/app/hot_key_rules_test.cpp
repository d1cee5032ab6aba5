// Key capture in the key boxes and the values that the "设置" button registers.
#include <gtest/gtest.h>

#include "app/hot_key_rules.h"

namespace glimwell {
namespace {

TEST(HotKeyRulesTest, ModifierKeysAloneAreSwallowed) {
    for (int key : {kKeyShift, kKeyControl, kKeyMenu})
        for (int state : {0, kKeyStateShift, kKeyStateCtrl | kKeyStateAlt})
            EXPECT_FALSE(CaptureKeyPress(key, state)) << key << " " << state;
}

TEST(HotKeyRulesTest, OtherKeysSetTheBoxesFromTheModifierState) {
    struct Case {
        int key;
        int state;
        CapturedKey expected;
    };
    const Case cases[] = {
        {116, kKeyStateCtrl | kKeyStateShift, {true, true, false, L"116"}},  // Ctrl+Shift+F5
        {120, 0, {false, false, false, L"120"}},                             // F9
        {65, kKeyStateAlt, {false, false, true, L"65"}},                     // Alt+A
        {9, kKeyStateCtrl | kKeyStateShift | kKeyStateAlt, {true, true, true, L"9"}},
        {19, 0, {false, false, false, L"19"}},  // Pause, next to Alt's code
    };
    for (const Case& c : cases) {
        const auto captured = CaptureKeyPress(c.key, c.state);
        ASSERT_TRUE(captured) << c.key;
        EXPECT_EQ(*captured, c.expected) << c.key;
    }
}

TEST(HotKeyRulesTest, RegistrationValues) {
    EXPECT_EQ(HotKeyModifiers(false, false, false), 0u);
    EXPECT_EQ(HotKeyModifiers(true, false, false), 4u);
    EXPECT_EQ(HotKeyModifiers(false, true, false), 2u);
    EXPECT_EQ(HotKeyModifiers(false, false, true), 1u);
    EXPECT_EQ(HotKeyModifiers(true, true, true), 7u);

    EXPECT_EQ(HotKeyCodeFromText(L"120"), 120u);
    EXPECT_EQ(HotKeyCodeFromText(L""), 0u);  // an empty box registers the key code 0
}

}  // namespace
}  // namespace glimwell
