// Folder and file-name rules of the recording file writer; the system calls stay with the caller.
#include "record/folder_rules.h"

namespace glimwell {

std::vector<std::wstring> FolderLevels(std::wstring_view folder) {
    std::vector<std::wstring_view> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = folder.find(L'\\', start);
        pieces.push_back(folder.substr(start, slash == std::wstring_view::npos ? std::wstring_view::npos : slash - start));
        if (slash == std::wstring_view::npos) break;
        start = slash + 1;
    }
    std::vector<std::wstring> levels;
    if (pieces[0].size() != 2 || pieces[0][1] != L':') return levels;
    std::wstring path(pieces[0]);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::wstring_view piece = pieces[i];
        if (piece.empty() || piece == L"." || piece == L"..") break;
        path.append(L"\\").append(piece);
        levels.push_back(path);
    }
    return levels;
}

std::wstring ProposeFileName(std::wstring_view saveFolder, const std::function<bool(const std::wstring&)>& isFile) {
    for (unsigned long long n = 1;; ++n) {
        std::wstring name = L"录像" + std::to_wstring(n);
        if (!isFile(std::wstring(saveFolder) + L"\\" + name + L".vx")) return name;
    }
}

std::wstring TempFolderText(std::wstring_view cacheFolder, std::wstring_view fileName) {
    return std::wstring(cacheFolder) + L"\\" + std::wstring(fileName) + L"Temp\\";
}

std::wstring ArchivePathText(std::wstring_view saveFolder, std::wstring_view fileName) {
    return std::wstring(saveFolder) + L"\\" + std::wstring(fileName) + L".vx";
}

}  // namespace glimwell
