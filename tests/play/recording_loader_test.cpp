// Loading a recording from its archive: frames, settings, the unpack folder's name and its
// removal, also for hostile archives.
#include <gtest/gtest.h>

#include "platform/wide_path.h"
#include "platform/zip_packer.h"
#include "play/recording_loader.h"
#include "play/test_images.h"
#include "play/unpack_folder.h"
#include "record/recording_file.h"
#include "support/zip_builder.h"

namespace glimwell {
namespace {

namespace fs = std::filesystem;
using namespace testing;

const std::string kFramesName = "\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp";
const std::string kConfig = "[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\r\n\xD6\xDC\xC6\xDA=40\r\n";

TEST(UnpackFolderTest, CutsBaseNameAtLastDot) {
    struct Case {
        const wchar_t* cache;
        const wchar_t* recording;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"D:\\cache", L"E:\\rec\\demo.vx", L"D:\\cache\\Play\\demoTemp\\"},
        {L"D:\\cache", L"demo.vx", L"D:\\cache\\Play\\demoTemp\\"},
        {L"D:\\cache", L"E:\\rec\\a.b.vx", L"D:\\cache\\Play\\a.bTemp\\"},
        {L"D:\\cache", L"E:\\rec\\noext", L"D:\\cache\\Play\\noextTemp\\"},
        {L"D:\\cache", L"E:\\rec.d\\noext", L"D:\\cache\\Play\\noextTemp\\"},
        {L"D:\\cache", L"E:/rec/demo.vx", L"D:\\cache\\Play\\demoTemp\\"},
        {L"", L"E:\\rec\\demo.vx", L"\\Play\\demoTemp\\"},
        {L"D:\\cache\\", L"E:\\录像1.vx", L"D:\\cache\\\\Play\\录像1Temp\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(UnpackFolderName(c.cache, c.recording), c.folder) << c.recording;
}

class LoadRecordingTest : public ::testing::Test {
protected:
    fs::path Archive(const Bytes& zip) {
        const fs::path path = temp_.Path() / "rec.vx";
        WriteFile(path, zip);
        return path;
    }
    fs::path Unpack() const { return temp_.Path() / "Play" / "recTemp"; }
    TempFolder temp_{"load"};
};

TEST_F(LoadRecordingTest, LoadsFramesAndSettingsAndRemovesFolder) {
    const Bytes record = Record(0, 0, MakeBmp(2, 2, CollidingBytes()));
    const Bytes frames = Concat({record, kDelimiter, kDelimiter, record, kDelimiter});
    PlaybackState state;
    state.currentFrame = 9;
    LoadRecording(state, Archive(BuildZip({{kFramesName, frames}, {"Config", ToBytesForTest(kConfig)}})), Unpack(), 1920, 1080);
    EXPECT_EQ(state.frameCount, 3);
    EXPECT_EQ(state.currentFrame, 0);
    EXPECT_EQ(state.framePeriod, 40);
    EXPECT_EQ(state.overlayX, 1930);
    EXPECT_EQ(state.overlayY, 1090);
    EXPECT_EQ(Bytes(state.frames.Front().begin(), state.frames.Front().end()), record);
    state.frames.PopFront();
    EXPECT_TRUE(state.frames.Front().empty());
    EXPECT_FALSE(fs::exists(Unpack()));
    EXPECT_TRUE(fs::exists(temp_.Path() / "Play"));
}

// What the recorder's packer writes is what the player reads back.
TEST_F(LoadRecordingTest, LoadsWhatThePackerWrites) {
    const fs::path source = temp_.Path() / "source";
    fs::create_directories(source);
    const Bytes record = Record(16, 0, MakeBmp(3, 3, CollidingBytes()));
    const Bytes frames = Concat({record, kDelimiter, kDelimiter, record, record, kDelimiter});
    WriteFile(source / WidePath(kFramesEntryFile), frames);
    WriteFile(source / WidePath(kConfigEntryFile), BuildRecordingConfig(66, L"5", L"6", L"字幕"));
    const fs::path archive = temp_.Path() / "rec.vx";
    ASSERT_TRUE(ZipPacker().PackFolder(source, archive).ok);

    PlaybackState state;
    LoadRecording(state, archive, Unpack(), 1920, 1080);
    EXPECT_EQ(state.frameCount, 3);
    EXPECT_EQ(state.framePeriod, 66);
    EXPECT_EQ(state.overlayX, 5);
    EXPECT_EQ(state.overlayY, 6);
    EXPECT_EQ(state.overlayText, L"字幕");
    EXPECT_EQ(state.frames.Front().size(), record.size());
    EXPECT_FALSE(fs::exists(Unpack()));
}

TEST_F(LoadRecordingTest, StaleFilesInUnpackFolderAreNotRead) {
    fs::create_directories(Unpack());
    WriteFile(Unpack() / WidePath(L"录制文件Temp"), Concat({kDelimiter, kDelimiter}));
    WriteFile(Unpack() / "Config", ToBytesForTest(kConfig));
    PlaybackState state;
    LoadRecording(state, Archive(ToBytesForTest("not a zip")), Unpack(), 800, 600);
    EXPECT_EQ(state.frameCount, 0);
    EXPECT_EQ(state.framePeriod, 0);
    EXPECT_EQ(state.overlayX, 810);
    EXPECT_FALSE(fs::exists(Unpack()));
}

TEST_F(LoadRecordingTest, HostileArchivesLoadWhatTheyCanAndLeaveNoFolder) {
    Bytes truncated = BuildZip({{kFramesName, Bytes(100000, 7)}, {"Config", ToBytesForTest(kConfig)}});
    truncated.resize(truncated.size() - 30);  // end record gone: nothing readable
    Bytes hugeImage = MakeBmp(2, 2);
    hugeImage[18] = 0x60; hugeImage[19] = 0xEA; hugeImage[22] = 0x60; hugeImage[23] = 0xEA;
    struct Case {
        const char* label;
        Bytes zip;
        std::int32_t frames;
    };
    const std::vector<Case> cases = {
        {"escaping names", BuildZip({{"..\\" + kFramesName, Bytes(kDelimiter.begin(), kDelimiter.end())},
                                     {"C:\\evil", ToBytesForTest("x")}, {"\\evil", ToBytesForTest("x")},
                                     {"../../evil", ToBytesForTest("x")}}), 0},
        {"truncated", truncated, 0},
        {"not a zip", ToBytesForTest("garbage"), 0},
        {"claims 4 GB", BuildZip({{kFramesName, Bytes(kDelimiter.begin(), kDelimiter.end()), true, 0xFFFFFFF0u}}), -1},
        {"image claims 60000 x 60000", BuildZip({{kFramesName, Concat({Record(0, 0, hugeImage), kDelimiter})}}), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        PlaybackState state;
        LoadRecording(state, Archive(c.zip), Unpack(), 100, 100);
        if (c.frames >= 0) {
            EXPECT_EQ(state.frameCount, c.frames);
        }
        EXPECT_FALSE(fs::exists(Unpack()));
        for (const auto& item : fs::recursive_directory_iterator(temp_.Path()))
            EXPECT_TRUE(item.path().filename() == "rec.vx" || item.path().filename() == "Play") << item.path();
    }
}

TEST(FrameListTest, FreesBytesAfterLastFrame) {
    FrameList list;
    list.Assign(Concat({ToBytesForTest("a"), kDelimiter, ToBytesForTest("bc")}));
    ASSERT_EQ(list.Remaining(), 2u);
    EXPECT_EQ(list.Front().size(), 1u);
    list.PopFront();
    EXPECT_EQ(list.Front().size(), 2u);
    list.PopFront();
    EXPECT_TRUE(list.Empty());
    list.PopFront();
    EXPECT_EQ(list.Remaining(), 0u);
}

}  // namespace
}  // namespace glimwell
