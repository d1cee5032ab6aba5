// The commands "保存当前帧(&R)" and "复制当前帧到剪贴板(&C)": a fresh picture of the whole
// screen, taken when the command is chosen, saved as a BMP file or put on the clipboard.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/byte_buffer.h"
#include "util/clipboard_tools_win.h"
#include "util/common_dialogs_win.h"

namespace glimwell {

// What the commands ask of the user and the system; tests replace the parts they watch.
struct CurrentFrameUi {
    // The path the user chose in the save dialog configured on `dialogs`; empty when cancelled.
    std::function<std::optional<std::wstring>(CommonDialogs& dialogs, HWND owner)> chooseSavePath;
    // Tells the user that the picture could not be saved (path and reason in the text).
    std::function<void(std::wstring_view text, std::wstring_view title)> reportFailure;
    // The sound of a successful copy.
    std::function<void()> copiedSound;
    std::function<Bytes()> takeSnapshot;

    // Every part left empty gets the program's own: the save dialog, a message box,
    // MessageBeep(MB_ICONASTERISK) and the screen snapshot.
    CurrentFrameUi WithDefaults() const;
};

// Takes the snapshot before any dialog shows, asks for a file ("保存到", bitmap files first,
// default extension "Bmp") and writes the picture there, creating or replacing the file.
// A file that cannot be written is reported with its path and the system's reason.
void SaveCurrentFrame(HWND owner, const CurrentFrameUi& ui = {});

// Puts the snapshot on the clipboard as a bitmap; true (and the information sound) on success.
bool CopyCurrentFrame(const ClipboardTools& clipboard, const CurrentFrameUi& ui = {});

// Creates or replaces `path` (opened without sharing) and writes the bytes in one piece;
// ERROR_SUCCESS or the system's error code.
DWORD ReplaceFileWith(const std::wstring& path, ByteView bytes);

}  // namespace glimwell
