// Native build: the owner's write permission stands in for clearing read-only.
#include <system_error>

#include "platform/file_attributes.h"

namespace glimwell {

void ResetFileAttributes(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec))
        std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
}

}  // namespace glimwell
