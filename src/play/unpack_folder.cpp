// The unpack folder's name from the cache folder's text and the recording path.
#include "play/unpack_folder.h"

namespace glimwell {

std::wstring UnpackFolderName(std::wstring_view cacheFolder, std::wstring_view recordingPath) {
    // Windows takes both slashes as separators; cutting at the backslash alone would put a
    // typed "E:/rec/demo.vx" under a folder named "E:/rec/demo".
    std::wstring_view base = recordingPath;
    if (const std::size_t slash = base.find_last_of(L"\\/"); slash != std::wstring_view::npos)
        base.remove_prefix(slash + 1);
    if (const std::size_t dot = base.rfind(L'.'); dot != std::wstring_view::npos) base = base.substr(0, dot);
    std::wstring folder(cacheFolder);
    folder += L"\\Play\\";
    folder += base;
    folder += L"Temp\\";
    return folder;
}

}  // namespace glimwell
