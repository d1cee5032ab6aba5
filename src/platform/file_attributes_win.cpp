// Windows: a hidden or system file cannot be replaced by CreateFile with CREATE_ALWAYS and
// normal attributes, and a read-only one not at all, so all three go first.
#include <windows.h>

#include "platform/file_attributes.h"

namespace glimwell {

void ResetFileAttributes(const std::filesystem::path& file) {
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace glimwell
