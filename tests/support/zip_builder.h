// Builds small ZIP archives byte by byte for tests, including the hostile kinds that no
// archiver writes: unsafe names, sizes that lie, cut-off data.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/byte_io.h"

namespace glimwell::testing {

struct TestZipEntry {
    TestZipEntry(std::string name, Bytes data, bool deflate = true, std::optional<std::uint32_t> claimedSize = {},
                 std::uint16_t flags = 0)
        : name(std::move(name)), data(std::move(data)), deflate(deflate), claimedSize(claimedSize), flags(flags) {}

    std::string name;  // stored bytes, e.g. GBK
    Bytes data;
    bool deflate = true;
    std::optional<std::uint32_t> claimedSize;  // uncompressed size written into the headers
    std::uint16_t flags = 0;
};

inline Bytes RawDeflate(const Bytes& data) {
    z_stream z{};
    deflateInit2(&z, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, static_cast<uLong>(data.size())) + 16);
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline Bytes BuildZip(const std::vector<TestZipEntry>& entries) {
    Bytes zip;
    Bytes central;
    ByteWriter w(zip);
    ByteWriter c(central);
    for (const TestZipEntry& e : entries) {
        const Bytes stored = e.deflate ? RawDeflate(e.data) : e.data;
        const auto crc = static_cast<std::uint32_t>(crc32(0, e.data.data(), static_cast<uInt>(e.data.size())));
        const std::uint32_t size = e.claimedSize.value_or(static_cast<std::uint32_t>(e.data.size()));
        const auto offset = static_cast<std::uint32_t>(zip.size());
        const std::uint16_t method = e.deflate ? 8 : 0;
        w.U32(0x04034B50); w.U16(20); w.U16(e.flags); w.U16(method); w.U16(0); w.U16(0x21);
        w.U32(crc); w.U32(static_cast<std::uint32_t>(stored.size())); w.U32(size);
        w.U16(static_cast<std::uint16_t>(e.name.size())); w.U16(0);
        w.Raw(ByteView(reinterpret_cast<const std::uint8_t*>(e.name.data()), e.name.size()));
        w.Raw(stored);
        c.U32(0x02014B50); c.U16(0x0B17); c.U16(20); c.U16(e.flags); c.U16(method); c.U16(0); c.U16(0x21);
        c.U32(crc); c.U32(static_cast<std::uint32_t>(stored.size())); c.U32(size);
        c.U16(static_cast<std::uint16_t>(e.name.size())); c.U16(0); c.U16(0); c.U16(0); c.U16(0); c.U32(0);
        c.U32(offset);
        c.Raw(ByteView(reinterpret_cast<const std::uint8_t*>(e.name.data()), e.name.size()));
    }
    const auto centralOffset = static_cast<std::uint32_t>(zip.size());
    w.Raw(central);
    w.U32(0x06054B50); w.U16(0); w.U16(0);
    w.U16(static_cast<std::uint16_t>(entries.size())); w.U16(static_cast<std::uint16_t>(entries.size()));
    w.U32(static_cast<std::uint32_t>(central.size())); w.U32(centralOffset); w.U16(0);
    return zip;
}

inline Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline void WriteFile(const std::filesystem::path& path, ByteView bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(std::string_view tag) {
        // Test programs run in parallel and with the same heap layout, so the name takes a
        // random part from each process besides the counter within it.
        static const unsigned processTag = std::random_device{}();
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("glimwell-" + std::string(tag) + "-" + std::to_string(processTag) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace glimwell::testing
