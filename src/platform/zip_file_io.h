// The system services under ZipPacker: file stamps, entry name bytes, archive file callbacks for
// minizip with the system's error kept, and the final move into place. One implementation per system.
#pragma once

#include <minizip/ioapi.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace glimwell {

struct ZipFileStamp {
    std::uint32_t dosDateTime = 0;  // local time of the last change: date in the high word, time in the low
    std::uint32_t modified = 0;     // Unix times for the extended-timestamp field
    std::uint32_t accessed = 0;
    std::uint32_t created = 0;
};

bool ReadZipFileStamp(const std::filesystem::path& path, ZipFileStamp& stamp);

// The entry name bytes of a file name in code page 936.
std::string ZipEntryNameBytes(const std::filesystem::path& name);

// The archive file as minizip sees it; keeps the first system error of any call.
struct ArchiveIo {
    zlib_filefunc64_def functions{};
    std::error_code error;
};

// Fills io.functions; the path handed to zipOpen2_64 is ArchiveOpenName(path).
void InitArchiveIo(ArchiveIo& io);
const void* ArchiveOpenName(const std::filesystem::path& path);

// Moves `from` over `to`, replacing it.
std::error_code MoveFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// The system's text of an error, for messages that the user reads.
std::wstring ErrorText(const std::error_code& error);

}  // namespace glimwell
