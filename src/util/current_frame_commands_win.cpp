// Save and copy of the current frame over ScreenSnapshot, CommonDialogs and ClipboardTools.
#include "util/current_frame_commands_win.h"

#include <limits>

#include "platform/message_box_win.h"
#include "platform/system_error_win.h"
#include "platform/win_handles.h"
#include "util/screen_snapshot_win.h"

namespace glimwell {

namespace {

constexpr wchar_t kBitmapFilter[] = L"位图文件(*.Bmp)|*.Bmp|所有文件(*.*)|*.*";
constexpr wchar_t kBitmapExtension[] = L"Bmp";
constexpr wchar_t kSaveDialogTitle[] = L"保存到";
constexpr int kSaveMode = 1;

std::optional<std::wstring> AskSavePath(CommonDialogs& dialogs, HWND owner) {
    std::wstring path;
    if (!dialogs.ShowFileDialog(owner, kSaveMode, path, std::wstring(kSaveDialogTitle))) return std::nullopt;
    return path;
}

}  // namespace

CurrentFrameUi CurrentFrameUi::WithDefaults() const {
    CurrentFrameUi ui = *this;
    if (!ui.chooseSavePath) ui.chooseSavePath = AskSavePath;
    if (!ui.reportFailure)
        ui.reportFailure = [](std::wstring_view text, std::wstring_view title) {
            ShowMessage(text, title, MB_OK | MB_ICONERROR);
        };
    if (!ui.copiedSound) ui.copiedSound = [] { MessageBeep(MB_ICONASTERISK); };
    if (!ui.takeSnapshot) ui.takeSnapshot = TakeScreenSnapshot;
    return ui;
}

DWORD ReplaceFileWith(const std::wstring& path, ByteView bytes) {
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return ERROR_FILE_TOO_LARGE;
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    if (written != bytes.size()) return ERROR_WRITE_FAULT;
    return ERROR_SUCCESS;
}

void SaveCurrentFrame(HWND owner, const CurrentFrameUi& given) {
    const CurrentFrameUi ui = given.WithDefaults();
    CommonDialogs dialogs;
    // Before the dialog, so the dialog is never part of the picture.
    const Bytes snapshot = ui.takeSnapshot();
    dialogs.Configure(kBitmapFilter, std::nullopt, std::wstring(kBitmapExtension));
    const std::optional<std::wstring> path = ui.chooseSavePath(dialogs, owner);
    if (!path) return;
    if (const DWORD error = ReplaceFileWith(*path, snapshot); error != ERROR_SUCCESS)
        ui.reportFailure(L"无法保存图片到文件“" + *path + L"”：" + SystemErrorText(error), L"保存失败");
}

bool CopyCurrentFrame(const ClipboardTools& clipboard, const CurrentFrameUi& given) {
    const CurrentFrameUi ui = given.WithDefaults();
    const bool copied = clipboard.PutPictureOnClipboard(ui.takeSnapshot());
    if (copied) ui.copiedSound();
    return copied;
}

}  // namespace glimwell
