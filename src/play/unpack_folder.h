// Where a recording is unpacked while it loads: the cache folder, "\Play\", the recording's
// base name and "Temp\". Paths are joined as plain text.
#pragma once

#include <string>
#include <string_view>

namespace glimwell {

// The base name is the part after the last backslash or slash (the whole path without one),
// cut before its last dot when it has one. For D:\cache and E:\rec\demo.vx the folder is
// D:\cache\Play\demoTemp\ .
std::wstring UnpackFolderName(std::wstring_view cacheFolder, std::wstring_view recordingPath);

}  // namespace glimwell
