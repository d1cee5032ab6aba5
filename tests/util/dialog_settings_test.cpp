// Filter strings, trimming and flag words of the common dialogs.
#include <gtest/gtest.h>

#include <string>

#include "util/dialog_settings.h"

namespace glimwell {
namespace {

using namespace std::string_literals;

TEST(DialogSettingsTest, FilterLosesBlanksAndEndsInTwoNuls) {
    struct Case { std::wstring filter, expected; };
    const Case cases[] = {
        {L"所有文件(*.*)|*.*", L"所有文件(*.*)\0*.*\0\0"s},
        {L"位图文件(*.Bmp)|*.Bmp|所有文件(*.*)|*.*", L"位图文件(*.Bmp)\0*.Bmp\0所有文件(*.*)\0*.*\0\0"s},
        {L"录像 文件\u3000(*.vx) | *.vx", L"录像文件(*.vx)\0*.vx\0\0"s},
        {L"", L"\0\0"s},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildDialogFilter(c.filter), c.expected);
}

TEST(DialogSettingsTest, FlagWordsOfBothModes) {
    const DialogFlagWords defaults;
    EXPECT_EQ(OpenDialogFlags(defaults), 0x883806u);
    EXPECT_EQ(SaveDialogFlags(defaults), 0x880802u);
    DialogFlagWords changed;
    changed.noChangeDir = 0x8;
    changed.createPrompt = 0;
    EXPECT_EQ(OpenDialogFlags(changed), 0x88180Eu);
    EXPECT_EQ(SaveDialogFlags(changed), 0x88080Au);
    EXPECT_EQ(BrowseFolderFlags(false, true, true), 0x50u);
    EXPECT_EQ(BrowseFolderFlags(true, false, false), 0x4000u);
}

TEST(DialogSettingsTest, TrimsAsciiAndFullWidthBlanks) {
    EXPECT_EQ(TrimBlanks(L"  C:\\录像 \u3000 "), L"C:\\录像");
    EXPECT_EQ(TrimBlanks(L"\u3000 \u3000"), L"");
    EXPECT_EQ(TrimBlanks(L"D:\\a b"), L"D:\\a b");
}

}  // namespace
}  // namespace glimwell
