// Saving and copying the current frame: the snapshot taken before the dialog, the written BMP
// file, cancel and write failures, and the sound only after a successful copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/byte_buffer.h"
#include "platform/win_handles.h"
#include "util/current_frame_commands_win.h"
#include "util/screen_snapshot_win.h"

namespace glimwell {
namespace {

namespace fs = std::filesystem;

struct Watch {
    std::vector<std::string> events;
    std::vector<std::wstring> failures;
    std::optional<std::wstring> answer;
    CurrentFrameUi Ui() {
        CurrentFrameUi ui;
        ui.takeSnapshot = [this] {
            events.push_back("snapshot");
            return TakeScreenSnapshot();
        };
        ui.chooseSavePath = [this](CommonDialogs& dialogs, HWND) {
            events.push_back("dialog");
            using namespace std::string_literals;
            EXPECT_EQ(dialogs.Filter(), L"位图文件(*.Bmp)\0*.Bmp\0所有文件(*.*)\0*.*\0\0"s);
            EXPECT_STREQ(dialogs.Settings().lpstrDefExt, L"Bmp");
            return answer;
        };
        ui.reportFailure = [this](std::wstring_view text, std::wstring_view) { failures.emplace_back(text); };
        ui.copiedSound = [this] { events.push_back("sound"); };
        return ui;
    }
};

Bytes FileBytes(const fs::path& path) {
    Bytes bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

fs::path TestFolder() {
    const fs::path folder = fs::temp_directory_path() / L"glimwell_current_frame";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(CurrentFrameCommandsTest, SaveWritesTheScreenAsBmpFile) {
    const fs::path folder = TestFolder();
    Watch watch;
    watch.answer = (folder / L"shot.Bmp").wstring();
    SaveCurrentFrame(nullptr, watch.Ui());
    EXPECT_EQ(watch.events, (std::vector<std::string>{"snapshot", "dialog"}));  // picture first
    EXPECT_TRUE(watch.failures.empty());

    const Bytes written = FileBytes(folder / L"shot.Bmp");
    const std::size_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(written.size(), 54 + (width * 3 + 3) / 4 * 4 * height);
    if (width == 1920 && height == 1080) {
        EXPECT_EQ(written.size(), 6220854u);
    }
    EXPECT_EQ(written, TakeScreenSnapshot());  // the test screen stands still

    // Saving again replaces the file.
    watch.answer = (folder / L"shot.Bmp").wstring();
    SaveCurrentFrame(nullptr, watch.Ui());
    EXPECT_EQ(FileBytes(folder / L"shot.Bmp").size(), written.size());
    fs::remove_all(folder);
}

TEST(CurrentFrameCommandsTest, CancelWritesNothingAndWriteFailuresAreReported) {
    const fs::path folder = TestFolder();
    Watch watch;
    SaveCurrentFrame(nullptr, watch.Ui());  // cancelled
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(watch.failures.empty());

    // A folder that does not exist, and a file that another handle holds without sharing.
    const std::wstring missing = (folder / L"missing" / L"shot.Bmp").wstring();
    const std::wstring locked = (folder / L"locked.Bmp").wstring();
    ScopedFile holder(CreateFileW(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(holder);
    for (const std::wstring& path : {missing, locked}) {
        watch.failures.clear();
        watch.answer = path;
        SaveCurrentFrame(nullptr, watch.Ui());
        ASSERT_EQ(watch.failures.size(), 1u) << fs::path(path).string();
        EXPECT_NE(watch.failures[0].find(path), std::wstring::npos);  // the path, then the reason
        EXPECT_GT(watch.failures[0].size(), path.size() + 10);
    }
    holder.Reset();
    fs::remove_all(folder);
}

TEST(CurrentFrameCommandsTest, CopySoundsOnlyWhenTheClipboardTookThePicture) {
    Watch watch;
    EXPECT_TRUE(CopyCurrentFrame(ClipboardTools(), watch.Ui()));
    EXPECT_EQ(watch.events, (std::vector<std::string>{"snapshot", "sound"}));
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    const bool described = bitmap && GetObjectW(bitmap, sizeof info, &info) == sizeof info;
    CloseClipboard();
    ASSERT_TRUE(described);
    EXPECT_EQ(info.bmWidth, GetSystemMetrics(SM_CXSCREEN));

    // Another thread holds the clipboard open: false and no sound.
    watch.events.clear();
    ScopedKernelHandle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ScopedKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const bool open = OpenClipboard(owner);
        SetEvent(opened.Get());
        WaitForSingleObject(release.Get(), 10000);
        if (open) CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened.Get(), 10000);
    EXPECT_FALSE(CopyCurrentFrame(ClipboardTools(), watch.Ui()));
    SetEvent(release.Get());
    holder.join();
    EXPECT_EQ(watch.events, std::vector<std::string>{"snapshot"});
}

}  // namespace
}  // namespace glimwell
