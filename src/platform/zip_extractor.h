// Reading ZIP archives over minizip: a reader over a file or over bytes in memory, and
// ExtractAll, which unpacks a recording into a folder. Archives are untrusted input: entry
// names that would leave the target folder are skipped, and no size an archive claims is
// ever allocated up front.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/byte_buffer.h"

namespace glimwell {

struct ZipEntryInfo {
    std::string name;               // stored name bytes (GBK in a recording), unchanged
    std::uint64_t claimedSize = 0;  // uncompressed size as the archive states it
    bool isFolder = false;          // the name ends with a slash or backslash
    bool encrypted = false;
};

class ZipReader {
public:
    // Opens an archive file; IsOpen() tells whether it is a readable ZIP archive.
    explicit ZipReader(const std::filesystem::path& archive);
    // Reads an archive held in memory; the bytes must outlive the reader.
    explicit ZipReader(ByteView archive);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }

    // Calls `visit` for every entry in archive order until it returns false. The entry's bytes
    // can be read with ReadCurrent from inside `visit`. False when the central directory is
    // damaged before its end (the entries before the damage have been visited).
    bool ForEachEntry(const std::function<bool(const ZipEntryInfo&)>& visit);

    // Streams the current entry's bytes to `sink` in chunks of at most 64 KiB, never more than
    // the entry claims. False when the entry cannot be opened, its data is damaged or fails its
    // CRC, or `sink` returns false; the chunks delivered before stay delivered.
    bool ReadCurrent(const std::function<bool(ByteView)>& sink);

    // The archive's bytes as minizip's callbacks see them.
    struct Source;

private:
    void Open(const void* name);

    std::unique_ptr<Source> source_;
    void* handle_ = nullptr;
};

// The relative path under which an entry may be written, or nothing when its name would
// leave the folder or cannot be a Windows file name: "..", a drive ("C:"), a leading slash
// or backslash, a device name (CON, NUL, COM1, ...), a component ending in a dot or space
// (Windows would strip it), control or reserved characters. Both slashes separate folders.
std::optional<std::filesystem::path> SafeEntryPath(std::string_view nameBytes);

// Extracts every entry whose path stays inside `folder` (created with its missing parents):
// folder entries become folders, an existing file is reset to normal attributes and
// overwritten. An entry that does not fit the free disk space, or whose name is unsafe, or that
// is encrypted, is skipped; a damaged entry keeps the bytes read before the damage. True when
// every entry was extracted whole.
bool ExtractAll(const std::filesystem::path& archive, const std::filesystem::path& folder);

}  // namespace glimwell
