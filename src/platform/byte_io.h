// Little-endian byte writing and bounds-checked reading for the byte-exact formats
// (frame records, BMP headers, ZIP fields, WAV headers).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/byte_buffer.h"

namespace glimwell {

class ByteWriter {
public:
    explicit ByteWriter(Bytes& out) : out_(out) {}

    void U8(std::uint8_t v) { out_.push_back(v); }
    void U16(std::uint16_t v) { U8(static_cast<std::uint8_t>(v)); U8(static_cast<std::uint8_t>(v >> 8)); }
    void U32(std::uint32_t v) { U16(static_cast<std::uint16_t>(v)); U16(static_cast<std::uint16_t>(v >> 16)); }
    void U64(std::uint64_t v) { U32(static_cast<std::uint32_t>(v)); U32(static_cast<std::uint32_t>(v >> 32)); }
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Raw(ByteView bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    void Zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }
    // Overwrites a 32-bit field already written, e.g. a size known only at the end.
    void PatchU32(std::size_t offset, std::uint32_t v);

    std::size_t Size() const { return out_.size(); }

private:
    Bytes& out_;
};

// Reads at a moving position; a read past the end returns nothing and marks the reader failed.
class ByteReader {
public:
    explicit ByteReader(ByteView bytes) : bytes_(bytes) {}

    std::optional<std::uint8_t> U8();
    std::optional<std::uint16_t> U16();
    std::optional<std::uint32_t> U32();
    std::optional<std::uint64_t> U64();
    std::optional<std::int16_t> I16();
    std::optional<std::int32_t> I32();
    std::optional<ByteView> Take(std::size_t count);
    bool Skip(std::size_t count);
    bool Seek(std::size_t position);

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool Failed() const { return failed_; }

private:
    bool Has(std::size_t count);

    ByteView bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// Reads a field at a fixed offset of a byte array; nothing when it would run past the end.
std::optional<std::uint16_t> ReadU16At(ByteView bytes, std::size_t offset);
std::optional<std::uint32_t> ReadU32At(ByteView bytes, std::size_t offset);

}  // namespace glimwell
