// Clearing the attributes that stop a file from being overwritten (read-only, hidden, system).
#pragma once

#include <filesystem>

namespace glimwell {

// Gives an existing file normal attributes so that it can be replaced; nothing when it is missing.
void ResetFileAttributes(const std::filesystem::path& file);

}  // namespace glimwell
