// The writer's folder routines on the file system: making a folder level by level and the next
// free recording name in the save folder.
#pragma once

#include <string>
#include <string_view>

namespace glimwell {

// Makes sure that the folder exists, creating missing levels one by one; a text without a drive
// ("D:") creates nothing, and an empty piece, "." or ".." ends the walk. Failures end it silently.
void EnsureFolder(std::wstring_view folder);

// "录像" + the smallest n >= 1 for which saveFolder + "\录像" + n + ".vx" is not a file (a
// folder of that name does not count).
std::wstring ProposeFileName(std::wstring_view saveFolder);

}  // namespace glimwell
