// The recording file writer against the real file system under Wine, with a host that stands in
// for the main window: the archive it makes, the texts it shows, and the failure paths that
// must keep the recording.
#include "record/recording_file_writer_win.h"

#include <windows.h>
#include <commctrl.h>
#include <minizip/unzip.h>
#ifndef OF
#define OF(args) args  // iowin32.h still declares with the old zlib macro
#endif
#include <minizip/iowin32.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/controls_win.h"
#include "record/progress_window_win.h"
#include "record/recording_folders_win.h"

namespace glimwell {
namespace {

namespace fs = std::filesystem;

const std::string kFramesName = "\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp";

std::wstring TempRoot() {
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    return std::wstring(buffer) + L"glimwell_writer_" + std::to_wstring(GetTickCount64());
}

// Entry name bytes -> content, read with minizip's own reader.
std::map<std::string, Bytes> ReadArchive(const std::wstring& path) {
    std::map<std::string, Bytes> entries;
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    unzFile zip = unzOpen2_64(path.c_str(), &io);
    EXPECT_NE(zip, nullptr);
    if (!zip) return entries;
    for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        unz_file_info64 info;
        char name[256];
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        Bytes data(info.uncompressed_size);
        EXPECT_EQ(unzOpenCurrentFile(zip), UNZ_OK);
        if (!data.empty()) {
            EXPECT_EQ(unzReadCurrentFile(zip, data.data(), static_cast<unsigned>(data.size())),
                      static_cast<int>(data.size()));
        }
        EXPECT_EQ(unzCloseCurrentFile(zip), UNZ_OK);  // checks the CRC
        entries[name] = std::move(data);
    }
    unzClose(zip);
    return entries;
}

struct Message {
    std::wstring text, title;
    UINT style;
};

class FakeHost : public RecordingFileHost {
public:
    HWND OwnerWindow() const override { return nullptr; }
    std::wstring CacheFolderText() const override { return cache; }
    std::wstring SaveFolderText() const override { return save; }
    std::wstring FileNameText() const override { return name; }
    int FrameRate() const override { return 8; }
    std::wstring OverlayXText() const override { return L"0"; }
    std::wstring OverlayYText() const override { return L"0"; }
    std::wstring OverlayText() const override { return L""; }
    void SetFileNameText(const std::wstring& text) override { name = text; }
    void ShowPreview(Bytes snapshot) override { previewBytes = snapshot.size(); }
    MessageResult ShowMessage(std::wstring_view text, std::wstring_view title, UINT style) override {
        messages.push_back({std::wstring(text), std::wstring(title), style});
        if (onMessage) return onMessage(messages.back());
        return MessageResult::Ok;
    }

    std::wstring cache, save, name = L"录像1";
    std::size_t previewBytes = 0;
    std::vector<Message> messages;
    std::function<MessageResult(const Message&)> onMessage;
};

class RecordingFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = TempRoot();
        host_.cache = root_ + L"\\TempFiles\\";
        host_.save = root_ + L"\\SaveFiles\\";
    }
    void TearDown() override {
        std::error_code ec;
        // The end-to-end test checks the archives with independent readers: keep them there.
        if (const wchar_t* keep = _wgetenv(L"GLIMWELL_KEEP_ARCHIVES")) {
            const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
            for (fs::directory_iterator it(host_.save, ec), end; !ec && it != end; it.increment(ec)) {
                if (it->is_regular_file() && it->path().extension() == L".vx")
                    fs::copy_file(it->path(), fs::path(keep) / (fs::path(test + "_") += it->path().filename()),
                                  fs::copy_options::overwrite_existing, ec);
            }
        }
        fs::remove_all(root_, ec);
    }
    std::wstring TempFolder() const { return host_.cache + L"\\" + host_.name + L"Temp\\"; }
    std::wstring Archive(const std::wstring& name) const { return host_.save + L"\\" + name + L".vx"; }

    std::wstring root_;
    FakeHost host_;
    FrameStore frames_;
};

const std::uint8_t kDelimiter[] = {0x0B, 0x16, 0x21, 0x0B, 0x16, 0x21, 0x6F, 0xDE, 0x4D, 0x0A};

TEST_F(RecordingFileWriterTest, WritesTheArchiveShowsItsSizeAndCleansUp) {
    const Bytes frame(5000, 0x42);
    for (int i = 0; i < 3; ++i) frames_.Append({frame, kDelimiter});
    const Bytes expectedFrames(frames_.View().begin(), frames_.View().end());
    const std::wstring tempFolder = TempFolder();

    bool tornDown = false;
    host_.onMessage = [&](const Message&) {
        HWND window = FindWindowW(L"GlimwellProgressWindow", ProgressWindow::kCaption);
        EXPECT_NE(window, nullptr);
        if (window) {
            // Packing done: the bar is full and the hint is the last step's.
            HWND bar = FindWindowExW(window, nullptr, PROGRESS_CLASSW, nullptr);
            EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 100);
        }
        return MessageResult::Ok;
    };
    WriteRecordingFile(host_, frames_, nullptr, [&] {
        tornDown = true;
        HWND window = FindWindowW(L"GlimwellProgressWindow", ProgressWindow::kCaption);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(window)) << "the progress window refuses to close";
    });
    EXPECT_TRUE(tornDown);
    EXPECT_EQ(FindWindowW(L"GlimwellProgressWindow", nullptr), nullptr);
    EXPECT_GT(host_.previewBytes, 54u);

    const std::wstring archive = Archive(L"录像1");
    const auto entries = ReadArchive(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.at(kFramesName), expectedFrames);
    const std::string config(entries.at("Config").begin(), entries.at("Config").end());
    EXPECT_NE(config.find("\xD6\xDC\xC6\xDA=125\r\n"), std::string::npos);

    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, CompletionText(fs::file_size(archive)));
    EXPECT_EQ(host_.messages[0].title, L"生成完毕");
    EXPECT_EQ(host_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_FALSE(fs::exists(tempFolder));
    EXPECT_EQ(host_.name, L"录像2");
    EXPECT_TRUE(frames_.Empty());
}

TEST_F(RecordingFileWriterTest, EmptyStoreAndLeftOverFilesArePacked) {
    EnsureFolder(host_.cache);
    CreateDirectoryW(TempFolder().c_str(), nullptr);
    {
        HANDLE f = CreateFileW((TempFolder() + L"old.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        CloseHandle(f);
    }
    WriteRecordingFile(host_, frames_, nullptr, {});
    const auto entries = ReadArchive(Archive(L"录像1"));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries.at(kFramesName).empty());
    EXPECT_EQ(entries.count("old.txt"), 1u);
}

TEST_F(RecordingFileWriterTest, FramesFileFailureOffersRetryThenWrites) {
    frames_.Append({Bytes(100, 7), kDelimiter});
    // A folder in the way of the frames file.
    EnsureFolder(host_.cache);
    const std::wstring blocker = TempFolder() + L"录制文件Temp";
    CreateDirectoryW(TempFolder().c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));
    host_.onMessage = [&](const Message& m) {
        if (m.style & MB_RETRYCANCEL) {
            EXPECT_NE(m.text.find(TempFolder()), std::wstring::npos);
            EXPECT_FALSE(frames_.Empty());
            RemoveDirectoryW(blocker.c_str());
            return MessageResult::Retry;
        }
        return MessageResult::Ok;
    };
    WriteRecordingFile(host_, frames_, nullptr, {});
    ASSERT_EQ(host_.messages.size(), 2u);
    EXPECT_EQ(host_.messages[1].title, L"生成完毕");
    EXPECT_EQ(ReadArchive(Archive(L"录像1")).at(kFramesName).size(), 110u);
}

TEST_F(RecordingFileWriterTest, FramesFileFailureCancelledDiscardsTheRecording) {
    frames_.Append({Bytes(100, 7), kDelimiter});
    EnsureFolder(host_.cache);
    CreateDirectoryW(TempFolder().c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryW((TempFolder() + L"录制文件Temp").c_str(), nullptr));
    host_.onMessage = [](const Message&) { return MessageResult::Cancel; };
    WriteRecordingFile(host_, frames_, nullptr, {});
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_TRUE(host_.messages[0].style & MB_RETRYCANCEL);
    EXPECT_FALSE(fs::exists(Archive(L"录像1")));
    EXPECT_FALSE(fs::exists(TempFolder()));
    EXPECT_TRUE(frames_.Empty());
    EXPECT_EQ(host_.name, L"录像1");
}

TEST_F(RecordingFileWriterTest, PackFailureKeepsTheTemporaryFolderAndSaysWhy) {
    frames_.Append({Bytes(100, 7), kDelimiter});
    // A folder where the archive should go: packing cannot put the archive there.
    EnsureFolder(host_.save);
    const std::wstring archive = Archive(L"录像1");
    ASSERT_TRUE(CreateDirectoryW(archive.c_str(), nullptr));
    const std::wstring tempFolder = TempFolder();
    WriteRecordingFile(host_, frames_, nullptr, {});

    // The kept folder is moved aside, so the proposed name can be recorded again safely.
    const std::wstring keptFolder = tempFolder.substr(0, tempFolder.size() - 1) + L"(未打包)\\";
    ASSERT_EQ(host_.messages.size(), 1u);
    const Message& m = host_.messages[0];
    EXPECT_NE(m.title, L"生成完毕");
    EXPECT_TRUE(m.style & MB_ICONERROR);
    EXPECT_NE(m.text.find(archive), std::wstring::npos);
    EXPECT_NE(m.text.find(keptFolder), std::wstring::npos);
    EXPECT_EQ(fs::file_size(keptFolder + L"录制文件Temp"), 110u);
    EXPECT_TRUE(fs::exists(keptFolder + L"Config"));
    EXPECT_FALSE(fs::exists(tempFolder));
    EXPECT_TRUE(frames_.Empty());  // the frames are on disk
    EXPECT_EQ(host_.name, L"录像1");  // a folder named 录像1.vx is no file

    // The next recording under the same name fails the same way and is kept beside the first.
    frames_.Append({Bytes(50, 9), kDelimiter});
    WriteRecordingFile(host_, frames_, nullptr, {});
    EXPECT_EQ(fs::file_size(keptFolder + L"录制文件Temp"), 110u);
    const std::wstring secondKept = tempFolder.substr(0, tempFolder.size() - 1) + L"(未打包2)\\";
    EXPECT_EQ(fs::file_size(secondKept + L"录制文件Temp"), 60u);
}

TEST_F(RecordingFileWriterTest, FailedPackLeavesAnEarlierArchiveUntouched) {
    frames_.Append({Bytes(100, 7), kDelimiter});
    EnsureFolder(host_.save);
    EnsureFolder(host_.cache);
    const std::wstring archive = Archive(L"录像1");
    {
        HANDLE f = CreateFileW(archive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(f, "old", 3, &written, nullptr);
        CloseHandle(f);
    }
    // A left-over file that another program holds open without sharing cannot be packed.
    const std::wstring tempFolder = TempFolder();
    CreateDirectoryW(tempFolder.c_str(), nullptr);
    HANDLE locked = CreateFileW((tempFolder + L"locked").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    WriteRecordingFile(host_, frames_, nullptr, {});
    CloseHandle(locked);

    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_TRUE(host_.messages[0].style & MB_ICONERROR);
    EXPECT_EQ(fs::file_size(archive), 3u);
    EXPECT_FALSE(fs::exists(archive + L".partial"));
    // Windows refuses to move a folder with a file held open in it, Wine does not: the frames
    // are kept in whichever folder the message names.
    const std::wstring movedAside = tempFolder.substr(0, tempFolder.size() - 1) + L"(未打包)\\";
    const std::wstring keptFolder = fs::exists(movedAside) ? movedAside : tempFolder;
    EXPECT_NE(host_.messages[0].text.find(keptFolder), std::wstring::npos);
    EXPECT_EQ(fs::file_size(keptFolder + L"录制文件Temp"), 110u);
}

class RecordingFoldersTest : public ::testing::Test {
protected:
    void SetUp() override { root_ = TempRoot(); }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::wstring root_;
};

TEST_F(RecordingFoldersTest, EnsureFolderWalksTheLevels) {
    struct Case {
        std::wstring text;
        std::wstring existsAfter;
        std::wstring absentAfter;
    };
    const Case cases[] = {
        {root_ + L"\\a\\b\\c", root_ + L"\\a\\b\\c", L""},
        {root_ + L"\\d\\e\\", root_ + L"\\d\\e", L""},
        {root_ + L"\\f\\.\\g", root_ + L"\\f", root_ + L"\\g"},
        {root_ + L"\\h\\..\\i", root_ + L"\\h", root_ + L"\\i"},
        {root_ + L"\\j\\\\k", root_ + L"\\j", root_ + L"\\j\\k"},
    };
    for (const Case& c : cases) {
        EnsureFolder(c.text);
        EXPECT_TRUE(fs::is_directory(c.existsAfter)) << fs::path(c.text).string();
        if (!c.absentAfter.empty()) {
            EXPECT_FALSE(fs::exists(c.absentAfter)) << fs::path(c.text).string();
        }
    }
    // Without a drive letter nothing is created, even relative to the current folder.
    const fs::path previous = fs::current_path();
    fs::current_path(root_);
    EnsureFolder(L"rel\\x");
    EXPECT_FALSE(fs::exists(root_ + L"\\rel"));
    fs::current_path(previous);
}

TEST_F(RecordingFoldersTest, ProposeFileNameCountsFilesOnly) {
    EnsureFolder(root_ + L"\\s");
    const std::wstring folder = root_ + L"\\s";
    EXPECT_EQ(ProposeFileName(folder), L"录像1");
    CreateDirectoryW((folder + L"\\录像1.vx").c_str(), nullptr);
    EXPECT_EQ(ProposeFileName(folder), L"录像1");
    for (const wchar_t* name : {L"\\录像2.vx", L"\\录像3.vx"}) {
        HANDLE f = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(f);
    }
    EXPECT_EQ(ProposeFileName(folder), L"录像1");
    RemoveDirectoryW((folder + L"\\录像1.vx").c_str());
    HANDLE f = CreateFileW((folder + L"\\录像1.vx").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    EXPECT_EQ(ProposeFileName(folder), L"录像4");
}

}  // namespace
}  // namespace glimwell
