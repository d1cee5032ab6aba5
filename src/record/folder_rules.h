// The folder rules of the recording file writer, as text operations: the levels that making a
// folder walks through, the next free file name, and the paths joined from the settings.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace glimwell {

// The paths to make, outermost first, for a folder text such as "D:\a\b\": the text must start
// with a drive ("D:"); an empty piece, "." or ".." ends the walk (so a trailing backslash ends it
// after the last real level). Empty without a drive.
std::vector<std::wstring> FolderLevels(std::wstring_view folder);

// "录像" + the smallest n >= 1 for which saveFolder + "\录像" + n + ".vx" is not a file.
std::wstring ProposeFileName(std::wstring_view saveFolder, const std::function<bool(const std::wstring&)>& isFile);

// cache folder + "\" + file name + "Temp\", joined as plain text.
std::wstring TempFolderText(std::wstring_view cacheFolder, std::wstring_view fileName);
// save folder + "\" + file name + ".vx".
std::wstring ArchivePathText(std::wstring_view saveFolder, std::wstring_view fileName);

}  // namespace glimwell
