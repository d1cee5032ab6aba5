// ZipPacker: packs every file and sub-folder of a folder into one ZIP archive, the container of a
// recording. Entry names are GBK bytes, entries are deflated at level 8 and carry the
// extended-timestamp field; ZIP64 records appear only when an entry or an offset needs them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

namespace glimwell {

struct PackResult {
    bool ok = false;
    std::error_code error;             // the system's reason when packing failed
    std::filesystem::path failedPath;  // the file or folder that the failure concerns
};

class ZipPacker {
public:
    // Raised after each item (file or folder) with the integer part of items done * 100 / items counted.
    using PackProgress = std::function<void(int percent)>;

    void SetPackProgress(PackProgress handler) { progress_ = std::move(handler); }

    // Packs `source` into `archive`, replacing a file of that name. The archive is written under a
    // temporary name beside it and moved into place only when it is complete, so a failed pack
    // leaves an earlier file of the same name untouched.
    PackResult PackFolder(const std::filesystem::path& source, const std::filesystem::path& archive);

private:
    PackProgress progress_;
};

// Entry names that are stored without compression: the usual extensions of files that are
// compressed already, compared without regard to case.
bool IsStoredName(std::string_view nameBytes);

// True when an entry of this size may need ZIP64 sizes: deflate can grow incompressible data a
// little, so the compressed size is bounded before the header is written.
bool EntryNeedsZip64(std::uint64_t size);

}  // namespace glimwell
