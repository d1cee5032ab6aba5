// DPI scaling of layout pixels, the leading-integer rule of number boxes, message box results.
#include <gtest/gtest.h>

#include <climits>

#include "platform/dpi_scale.h"
#include "platform/leading_integer.h"
#include "platform/message_box.h"

namespace glimwell {
namespace {

TEST(ScaleForDpiTest, ScalesAndRoundsBothSigns) {
    struct Case { int value, dpi, expected; };
    const Case cases[] = {
        {777, 96, 777}, {777, 120, 971}, {777, 144, 1166}, {777, 192, 1554},
        {-2, 144, -3}, {-2, 120, -3}, {1, 120, 1}, {0, 192, 0}, {5, 0, 5},
    };
    for (const Case& c : cases) EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected) << c.value << " @" << c.dpi;
}

TEST(LeadingIntegerTest, ReadsDigitsAtTheStart) {
    struct Case { const wchar_t* text; int expected; };
    const Case cases[] = {
        {L"", 0}, {L"8", 8}, {L"12abc", 12}, {L"abc", 0}, {L" 30", 30}, {L"-5", -5},
        {L"007", 7}, {L"99999999999", INT_MAX}, {L"-99999999999", INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(LeadingInteger(c.text), c.expected) << "text: " << c.text;
}

TEST(MessageResultTest, MapsButtonsToProgramNumbers) {
    EXPECT_EQ(MessageResultFromButton(1), MessageResult::Ok);
    EXPECT_EQ(MessageResultFromButton(2), MessageResult::Cancel);
    EXPECT_EQ(MessageResultFromButton(4), MessageResult::Retry);
    EXPECT_EQ(MessageResultFromButton(6), MessageResult::Yes);
    EXPECT_EQ(MessageResultFromButton(7), MessageResult::No);
    EXPECT_EQ(static_cast<int>(MessageResultFromButton(7)), 6);
    EXPECT_EQ(MessageResultFromButton(0), MessageResult::Cancel);   // the box failed
    EXPECT_EQ(MessageResultFromButton(11), MessageResult::Cancel);  // IDCONTINUE, never offered
}

}  // namespace
}  // namespace glimwell
