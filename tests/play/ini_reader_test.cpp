// The settings entry as playback reads it: tolerant INI parsing over GBK bytes, defaults for
// what is missing, and the number rule.
#include <gtest/gtest.h>

#include "play/ini_reader.h"
#include "play/recording_loader.h"
#include "record/recording_file.h"

namespace glimwell {
namespace {

// The six lines our writer makes (视频设置/周期, 自设信息/X, Y, 内容), GBK.
constexpr const char* kWritten =
    "[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\r\n\xD6\xDC\xC6\xDA=125\r\n[\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2]\r\nX=12\r\nY=-4\r\n"
    "\xC4\xDA\xC8\xDD=\xC4\xE3\xBA\xC3 world\r\n";

TEST(PlaybackSettingsTest, ReadsWrittenEntryAndDefaults) {
    struct Case {
        const char* label;
        std::string ini;
        PlaybackSettings expected;
    };
    const std::vector<Case> cases = {
        {"as written", kWritten, {125, 12, -4, "\xC4\xE3\xBA\xC3 world"}},
        {"empty", "", {0, 1930, 1090, ""}},
        {"no video section", "[\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2]\nX=1\n", {0, 1, 1090, ""}},
        {"spaces, blank lines, LF only, lower-case key",
         "\n  [ \xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3 ]  \n\n \xD6\xDC\xC6\xDA = 40 \n[\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2]\nx = 7\n",
         {40, 7, 1090, ""}},
        {"period not a number", "[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\r\n\xD6\xDC\xC6\xDA=fast\r\n", {0, 1930, 1090, ""}},
        {"first section and key win",
         "[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\n\xD6\xDC\xC6\xDA=10\n\xD6\xDC\xC6\xDA=20\n[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\n\xD6\xDC\xC6\xDA=30\n",
         {10, 1930, 1090, ""}},
        {"quoted text", "[\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2]\n\xC4\xDA\xC8\xDD=\" a \"\n", {0, 1930, 1090, " a "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const PlaybackSettings s = ReadPlaybackSettings(c.ini, 1920, 1080);
        EXPECT_EQ(s.framePeriod, c.expected.framePeriod);
        EXPECT_EQ(s.overlayX, c.expected.overlayX);
        EXPECT_EQ(s.overlayY, c.expected.overlayY);
        EXPECT_EQ(s.overlayText, c.expected.overlayText);
    }
}

TEST(PlaybackSettingsTest, ReadsWhatTheRecorderWrites) {
    const Bytes ini = BuildRecordingConfig(142, L" 12", L"-4", L"你好 world");
    const PlaybackSettings s = ReadPlaybackSettings(std::string(ini.begin(), ini.end()), 1920, 1080);
    EXPECT_EQ(s.framePeriod, 142);
    EXPECT_EQ(s.overlayX, 12);
    EXPECT_EQ(s.overlayY, -4);
    EXPECT_EQ(s.overlayText, "\xC4\xE3\xBA\xC3 world");
}

TEST(IniReaderTest, TrailBytesAreNotSyntax) {
    // GBK trail bytes may equal '[' (BF 5B), ']' (81 5D) or a letter (81 61); they neither end a
    // section name nor fold case.
    const IniReader ini("[a\xBF\x5B]\r\nk\x81\x61=v\x81\x5D\r\n[A\xBF\x5B]\r\nother=1\r\n");
    EXPECT_EQ(ini.Value("a\xBF\x5B", "k\x81\x61"), "v\x81\x5D");
    EXPECT_EQ(ini.Value("A\xBF\x5B", "K\x81\x61"), "v\x81\x5D");  // ASCII case ignored, first section wins
    EXPECT_FALSE(ini.Value("A\xBF\x5B", "other"));
    EXPECT_FALSE(ini.Value("a\xBF\x5B", "k\x81\x41"));
}

TEST(IniNumberTest, ReadsLeadingNumber) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"125", 125}, {"  \t-40px", -40}, {"+7", 7}, {"", 0}, {"abc", 0}, {"- 5", 0}, {"12 34", 12},
        {"\xA3\xB1\xA3\xB2\xA3\xB5", 125},  // full-width １２５
        {" \xA3\xB3" "0", 30}, {"-\xA3\xB9", -9},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIniNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace glimwell
