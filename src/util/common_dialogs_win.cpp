// CommonDialogs over GetOpenFileNameW, GetSaveFileNameW and SHBrowseForFolderW.
#include "util/common_dialogs_win.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace glimwell {

namespace {
// The name buffer of the file dialogs: 256 characters and the terminating NUL.
constexpr std::size_t kFileBufferLength = 257;
// SHGetPathFromIDListW writes at most MAX_PATH characters; the buffer starts blank so that a
// selection without a path reads as empty after trimming.
constexpr std::size_t kFolderBufferLength = 512;
}  // namespace

CommonDialogs::CommonDialogs() = default;

void CommonDialogs::Configure(std::wstring_view filter, std::optional<std::wstring> initialFolder,
                              std::optional<std::wstring> defaultExtension) {
    settings_.hInstance = GetModuleHandleW(nullptr);
    filter_ = BuildDialogFilter(filter);
    settings_.lpstrFilter = filter_.c_str();
    settings_.nFilterIndex = 1;
    initialFolder_ = std::move(initialFolder);
    settings_.lpstrInitialDir = initialFolder_ ? initialFolder_->c_str() : nullptr;
    defaultExtension_ = std::move(defaultExtension);
    settings_.lpstrDefExt = defaultExtension_ ? defaultExtension_->c_str() : nullptr;
}

int CommonDialogs::ShowFileDialog(HWND owner, int mode, std::wstring& fileName, std::optional<std::wstring> title) {
    if (mode != static_cast<int>(FileDialogMode::Open) && mode != static_cast<int>(FileDialogMode::Save)) return 0;
    title_ = std::move(title);
    settings_.lpstrTitle = title_ ? title_->c_str() : nullptr;
    settings_.hwndOwner = owner;

    std::vector<wchar_t> buffer(kFileBufferLength, L'\0');
    fileName.copy(buffer.data(), std::min(fileName.size(), kFileBufferLength - 1));
    settings_.lpstrFile = buffer.data();
    settings_.nMaxFile = static_cast<DWORD>(buffer.size());
    // The record without the three fields added in Windows 2000 (places bar, flags extension).
    settings_.lStructSize = OPENFILENAME_SIZE_VERSION_400W;

    BOOL result;
    if (mode == static_cast<int>(FileDialogMode::Open)) {
        settings_.Flags = OpenDialogFlags(flags_);
        result = GetOpenFileNameW(&settings_);
    } else {
        settings_.Flags = SaveDialogFlags(flags_);
        result = GetSaveFileNameW(&settings_);
    }
    if (result) fileName.assign(buffer.data());
    // The next dialog starts without a name.
    settings_.lpstrFile = nullptr;
    settings_.nMaxFile = 0;
    return result;
}

std::wstring CommonDialogs::BrowseForFolder(std::wstring_view title, bool includeFiles, bool showEditBox,
                                            bool newStyle) {
    const std::wstring titleText(title);
    BROWSEINFOW info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.lpszTitle = titleText.c_str();
    info.ulFlags = BrowseFolderFlags(includeFiles, showEditBox, newStyle);
    std::vector<wchar_t> buffer(kFolderBufferLength, L' ');
    buffer.back() = L'\0';
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) {
        SHGetPathFromIDListW(chosen, buffer.data());
        CoTaskMemFree(chosen);
    }
    return TrimBlanks(std::wstring_view(buffer.data()));
}

}  // namespace glimwell
