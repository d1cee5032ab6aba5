// Little-endian writer and bounds-checked reader.
#include "platform/byte_io.h"

namespace glimwell {

void ByteWriter::PatchU32(std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

bool ByteReader::Has(std::size_t count) {
    if (failed_ || count > Remaining()) {
        failed_ = true;
        return false;
    }
    return true;
}

std::optional<std::uint8_t> ByteReader::U8() {
    if (!Has(1)) return std::nullopt;
    return bytes_[pos_++];
}

std::optional<std::uint16_t> ByteReader::U16() {
    if (!Has(2)) return std::nullopt;
    const auto v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::optional<std::uint32_t> ByteReader::U32() {
    if (!Has(4)) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ + i];
    pos_ += 4;
    return v;
}

std::optional<std::uint64_t> ByteReader::U64() {
    if (!Has(8)) return std::nullopt;
    const std::uint64_t low = *U32();
    const std::uint64_t high = *U32();
    return low | (high << 32);
}

std::optional<std::int16_t> ByteReader::I16() {
    const auto v = U16();
    if (!v) return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::optional<std::int32_t> ByteReader::I32() {
    const auto v = U32();
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<ByteView> ByteReader::Take(std::size_t count) {
    if (!Has(count)) return std::nullopt;
    const ByteView piece = bytes_.subspan(pos_, count);
    pos_ += count;
    return piece;
}

bool ByteReader::Skip(std::size_t count) {
    if (!Has(count)) return false;
    pos_ += count;
    return true;
}

bool ByteReader::Seek(std::size_t position) {
    if (failed_ || position > bytes_.size()) {
        failed_ = true;
        return false;
    }
    pos_ = position;
    return true;
}

std::optional<std::uint16_t> ReadU16At(ByteView bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return std::nullopt;
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::optional<std::uint32_t> ReadU32At(ByteView bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | bytes[offset + i];
    return v;
}

}  // namespace glimwell
