#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace glimwell {
namespace {

TEST(TextCodecTest, FramesEntryNameIsGbk) {
    const std::string gbk = WideToGbk(L"录制文件Temp");
    const std::string expected = "\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp";
    EXPECT_EQ(gbk, expected);
    EXPECT_EQ(GbkToWide(expected), L"录制文件Temp");
}

TEST(TextCodecTest, RoundTripsMixedTextAndEmpty) {
    const std::wstring text = L"视频设置 周期=125\r\n自设信息";
    EXPECT_EQ(GbkToWide(WideToGbk(text)), text);
    EXPECT_EQ(WideToGbk(L""), "");
    EXPECT_EQ(GbkToWide(""), L"");
}

}  // namespace
}  // namespace glimwell
