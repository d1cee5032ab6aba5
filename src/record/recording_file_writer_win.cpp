// The steps of writing a recording file. Where the system fails, the recording is kept: the
// frames file is retried or given up only by the user, and the temporary folder with frames and
// INI stays until a complete archive exists.
#include "record/recording_file_writer_win.h"

#include <filesystem>

#include "platform/system_error_win.h"
#include "platform/win_handles.h"
#include "platform/zip_file_io.h"
#include "platform/zip_packer.h"
#include "record/folder_rules.h"
#include "record/progress_window_win.h"
#include "record/recording_file.h"
#include "record/recording_folders_win.h"
#include "record/size_text.h"
#include "record/sound_recorder_win.h"
#include "util/screen_snapshot_win.h"

namespace glimwell {

namespace {

namespace fs = std::filesystem;

constexpr DWORD kWriteStep = 64u << 20;  // WriteFile takes at most a DWORD of bytes per call

// Creates (or cuts to zero) the file and writes all bytes; the system's error code on failure.
DWORD WriteWholeFile(const std::wstring& path, ByteView bytes) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    while (!bytes.empty()) {
        const DWORD step = bytes.size() < kWriteStep ? static_cast<DWORD>(bytes.size()) : kWriteStep;
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), step, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes = bytes.subspan(written);
    }
    if (!CloseHandle(file.Detach())) return GetLastError();
    return ERROR_SUCCESS;
}

// Writes the frames file, asking the user to retry or give up when the system refuses.
// True when the frames are on disk.
bool WriteFramesFile(RecordingFileHost& host, const std::wstring& cacheFolder, const std::wstring& tempFolder,
                     ByteView frames) {
    while (true) {
        const DWORD error = WriteWholeFile(tempFolder + kFramesEntryFile, frames);
        if (error == ERROR_SUCCESS) return true;
        const std::wstring text = L"无法在文件夹“" + tempFolder + L"”中写入录制数据：" + SystemErrorText(error) +
                                  L"\r\n\r\n释放磁盘空间或修正文件夹后请点击“重试”；点击“取消”将放弃本次录制。";
        if (host.ShowMessage(text, L"写入录制数据失败", MB_RETRYCANCEL | MB_ICONERROR) != MessageResult::Retry)
            return false;
        // The user may have freed space or fixed the folder meanwhile.
        EnsureFolder(cacheFolder);
        CreateDirectoryW(tempFolder.c_str(), nullptr);
    }
}

// Moves a kept temporary folder aside to "<folder>(未打包)" (or "(未打包2)", ...): no later
// temporary folder ends in ")", so the next recording under the same file name, which the
// proposal offers again when no archive was made, cannot cut the kept frames to zero. Where
// the move fails (a file in it held open), the folder stays where it is.
std::wstring SetAsideKeptFolder(const std::wstring& tempFolder) {
    std::wstring base = tempFolder;
    while (!base.empty() && base.back() == L'\\') base.pop_back();
    for (int n = 1; n <= 100; ++n) {
        const std::wstring target = base + L"(未打包" + (n > 1 ? std::to_wstring(n) : L"") + L")";
        if (MoveFileW(base.c_str(), target.c_str())) return target + L"\\";
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
    }
    return tempFolder;
}

}  // namespace

std::wstring CompletionText(std::uint64_t archiveBytes) {
    return L"生成完毕,大小:" + FormatKilobytes(archiveBytes) + L"Kb";
}

void WriteRecordingFile(RecordingFileHost& host, FrameStore& frames, SoundRecorder* sound,
                        const std::function<void()>& teardownCapturer) {
    ProgressWindow progress;
    progress.Open(host.OwnerWindow());
    if (teardownCapturer) teardownCapturer();
    host.ShowPreview(TakeScreenSnapshot());

    const std::wstring cacheFolder = host.CacheFolderText();
    const std::wstring saveFolder = host.SaveFolderText();
    const std::wstring fileName = host.FileNameText();
    EnsureFolder(cacheFolder);
    EnsureFolder(saveFolder);
    const std::wstring tempFolder = TempFolderText(cacheFolder, fileName);
    CreateDirectoryW(tempFolder.c_str(), nullptr);

    progress.SetHint(L"正在生成录制文件...");
    bool keepTempFolder = false;
    if (WriteFramesFile(host, cacheFolder, tempFolder, frames.View())) {
        progress.SetProgress(10);

        progress.SetHint(L"正在写出配置文件...");
        const Bytes config = BuildRecordingConfig(FramePeriodMs(host.FrameRate()), host.OverlayXText(),
                                                  host.OverlayYText(), host.OverlayText());
        WriteWholeFile(tempFolder + kConfigEntryFile, config);
        progress.SetProgress(20);

        if (sound && sound->IsInputOpen()) {
            sound->StopInput();
            sound->SaveWave(fs::path(tempFolder + kMusicEntryFile), true);
        }

        progress.SetHint(L"正在保存为文件...");
        const std::wstring archivePath = ArchivePathText(saveFolder, fileName);
        ZipPacker packer;
        packer.SetPackProgress([&](int percent) { progress.SetProgress(20 + percent); });
        const PackResult packed = packer.PackFolder(fs::path(tempFolder), fs::path(archivePath));
        std::error_code ec;
        const std::uintmax_t size = packed.ok ? fs::file_size(fs::path(archivePath), ec) : 0;
        if (packed.ok && !ec) {
            host.ShowMessage(CompletionText(size), L"生成完毕", MB_OK | MB_ICONINFORMATION);
        } else {
            keepTempFolder = true;
            const std::wstring reason = ErrorText(packed.ok ? ec : packed.error);
            const std::wstring keptFolder = SetAsideKeptFolder(tempFolder);
            host.ShowMessage(L"无法生成录制文件“" + archivePath + L"”：" + reason + L"\r\n\r\n录制的数据已保留在文件夹“" +
                                 keptFolder + L"”中。",
                             L"生成失败", MB_OK | MB_ICONERROR);
        }
    }

    if (!keepTempFolder) {
        std::error_code ec;
        fs::remove_all(fs::path(tempFolder), ec);
    }
    host.SetFileNameText(ProposeFileName(saveFolder));
    frames.Clear();
    progress.Close();
}

}  // namespace glimwell
