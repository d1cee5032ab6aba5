// File-system side of the folder rules.
#include "record/recording_folders_win.h"

#include <windows.h>

#include "record/folder_rules.h"

namespace glimwell {

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void EnsureFolder(std::wstring_view folder) {
    for (const std::wstring& level : FolderLevels(folder)) {
        if (IsFolder(level)) continue;
        if (!CreateDirectoryW(level.c_str(), nullptr)) return;
    }
}

std::wstring ProposeFileName(std::wstring_view saveFolder) { return ProposeFileName(saveFolder, IsFile); }

}  // namespace glimwell
