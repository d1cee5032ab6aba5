// The byte-exact pieces of a recording file (INI entry, WAV header) and the writer's text rules
// (size text, folder levels, next file name).
#include "record/recording_file.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/byte_io.h"
#include "record/folder_rules.h"
#include "record/size_text.h"
#include "record/wave_file.h"

namespace glimwell {
namespace {

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(RecordingConfigTest, DefaultsAtEightFramesPerSecond) {
    EXPECT_EQ(AsText(BuildRecordingConfig(FramePeriodMs(8), L"0", L"0", L"")),
              "[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\r\n"
              "\xD6\xDC\xC6\xDA=125\r\n"
              "[\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2]\r\n"
              "X=0\r\n"
              "Y=0\r\n"
              "\xC4\xDA\xC8\xDD=\r\n");
}

TEST(RecordingConfigTest, ValuesAreWrittenUnchangedInGbk) {
    const std::string text = AsText(BuildRecordingConfig(FramePeriodMs(3), L"12", L"", L"你好 a=b"));
    EXPECT_NE(text.find("\xD6\xDC\xC6\xDA=333\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nX=12\r\nY=\r\n"), std::string::npos);
    EXPECT_NE(text.find("\xC4\xDA\xC8\xDD=\xC4\xE3\xBA\xC3 a=b\r\n"), std::string::npos);
}

TEST(RecordingConfigTest, FramePeriod) {
    const std::pair<int, int> cases[] = {{1, 1000}, {3, 333}, {7, 142}, {8, 125}, {12, 83}, {25, 40}, {0, 1000}};
    for (auto [rate, period] : cases) EXPECT_EQ(FramePeriodMs(rate), period) << rate;
}

TEST(WaveFileTest, HeaderForMonoAndStereo) {
    struct Case {
        std::uint16_t channels;
        std::uint32_t byteRate;
        std::uint16_t blockAlign;
    };
    for (const Case c : {Case{1, 16000, 2}, Case{2, 32000, 4}}) {
        const Bytes header = BuildWaveHeader(WaveFormat{c.channels, 8000, 16}, 1000);
        ASSERT_EQ(header.size(), kWaveHeaderSize);
        EXPECT_EQ(AsText(Bytes(header.begin(), header.begin() + 4)), "RIFF");
        EXPECT_EQ(ReadU32At(header, 4), 1036u);
        EXPECT_EQ(AsText(Bytes(header.begin() + 8, header.begin() + 16)), "WAVEfmt ");
        EXPECT_EQ(ReadU32At(header, 16), 16u);
        EXPECT_EQ(ReadU16At(header, 20), 1);
        EXPECT_EQ(ReadU16At(header, 22), c.channels);
        EXPECT_EQ(ReadU32At(header, 24), 8000u);
        EXPECT_EQ(ReadU32At(header, 28), c.byteRate);
        EXPECT_EQ(ReadU16At(header, 32), c.blockAlign);
        EXPECT_EQ(ReadU16At(header, 34), 16);
        EXPECT_EQ(AsText(Bytes(header.begin() + 36, header.begin() + 40)), "data");
        EXPECT_EQ(ReadU32At(header, 40), 1000u);
    }
}

TEST(WaveFileTest, AcceptedFormats) {
    EXPECT_TRUE(IsAcceptedWaveFormat(1, 8000, 16));
    EXPECT_TRUE(IsAcceptedWaveFormat(2, 44100, 8));
    EXPECT_TRUE(IsAcceptedWaveFormat(1, 11025, 16));
    EXPECT_TRUE(IsAcceptedWaveFormat(2, 22050, 16));
    EXPECT_FALSE(IsAcceptedWaveFormat(3, 8000, 16));
    EXPECT_FALSE(IsAcceptedWaveFormat(0, 8000, 16));
    EXPECT_FALSE(IsAcceptedWaveFormat(1, 48000, 16));
    EXPECT_FALSE(IsAcceptedWaveFormat(1, 8000, 12));
}

TEST(SizeTextTest, KilobytesWithThreeDecimalsAndCommas) {
    const std::pair<std::uint64_t, const wchar_t*> cases[] = {
        {0, L"0.000"},           {2048, L"2.000"},           {1024000, L"1,000.000"}, {1536000, L"1,500.000"},
        {123456789, L"120,563.271"}, {1023, L"0.999"},
        {1048575, L"1,023.999"}, {1535, L"1.499"}, {1024ull * 123456789, L"123,456,789.000"}};
    for (auto [bytes, text] : cases) EXPECT_EQ(FormatKilobytes(bytes), text) << bytes;
}

TEST(FolderRulesTest, LevelsToCreate) {
    using V = std::vector<std::wstring>;
    const std::pair<const wchar_t*, V> cases[] = {
        {L"D:\\app\\SaveFiles\\", {L"D:\\app", L"D:\\app\\SaveFiles"}},
        {L"D:\\a\\b", {L"D:\\a", L"D:\\a\\b"}},
        {L"D:\\a\\.\\b", {L"D:\\a"}},
        {L"D:\\a\\..\\b", {L"D:\\a"}},
        {L"D:\\a\\\\b", {L"D:\\a"}},
        {L"D:", {}},
        {L"\\\\server\\share\\x", {}},
        {L"relative\\x", {}},
        {L"DD:\\x", {}},
        {L"", {}},
    };
    for (const auto& [text, levels] : cases) EXPECT_EQ(FolderLevels(text), levels) << std::wstring(text).size();
}

TEST(FolderRulesTest, ProposeFileNameTakesTheFirstFreeNumber) {
    std::set<std::wstring> files;
    auto isFile = [&](const std::wstring& path) { return files.count(path) > 0; };
    EXPECT_EQ(ProposeFileName(L"D:\\s", isFile), L"录像1");
    files = {L"D:\\s\\录像1.vx", L"D:\\s\\录像2.vx", L"D:\\s\\录像4.vx"};
    EXPECT_EQ(ProposeFileName(L"D:\\s", isFile), L"录像3");
    EXPECT_EQ(ProposeFileName(L"D:\\s\\", isFile), L"录像1");  // joined as plain text: "D:\s\\录像1.vx"
}

TEST(FolderRulesTest, PathsAreJoinedAsPlainText) {
    EXPECT_EQ(TempFolderText(L"D:\\app\\TempFiles\\", L"录像3"), L"D:\\app\\TempFiles\\\\录像3Temp\\");
    EXPECT_EQ(TempFolderText(L"D:\\c", L""), L"D:\\c\\Temp\\");
    EXPECT_EQ(ArchivePathText(L"D:\\s", L"录像3"), L"D:\\s\\录像3.vx");
    EXPECT_EQ(ArchivePathText(L"D:\\s", L""), L"D:\\s\\.vx");
}

}  // namespace
}  // namespace glimwell
