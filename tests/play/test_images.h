// Small image files built byte by byte, with only the structure the frame reader walks
// (headers, chunk and segment lengths, end markers); checksums and pixel data are filler.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/byte_io.h"
#include "record/frame_format.h"

namespace glimwell::testing {

// A bottom-up 32-bit BMP as recordings store it (bfSize = pixel array size); `pixels` fills
// the rows cyclically.
inline Bytes MakeBmp(std::int32_t width, std::int32_t height, ByteView pixels = {}) {
    Bytes out;
    ByteWriter w(out);
    const std::uint32_t size = static_cast<std::uint32_t>(width) * 4 * static_cast<std::uint32_t>(height < 0 ? -height : height);
    w.U8('B'); w.U8('M'); w.U32(size); w.U32(0); w.U32(54);
    w.U32(40); w.I32(width); w.I32(height); w.U16(1); w.U16(32); w.U32(0); w.Zeros(20);
    for (std::uint32_t i = 0; i < size; ++i) w.U8(pixels.empty() ? static_cast<std::uint8_t>(i * 7) : pixels[i % pixels.size()]);
    return out;
}

inline void PngChunk(ByteWriter& w, std::string_view type, ByteView data) {
    const auto length = static_cast<std::uint32_t>(data.size());
    w.U8(length >> 24); w.U8(length >> 16 & 0xFF); w.U8(length >> 8 & 0xFF); w.U8(length & 0xFF);
    for (char c : type) w.U8(static_cast<std::uint8_t>(c));
    w.Raw(data);
    w.U32(0);  // CRC, not checked by the walker
}

inline Bytes MakePng(std::uint32_t width, std::uint32_t height, ByteView idat) {
    Bytes out = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    ByteWriter w(out);
    const std::uint8_t header[13] = {static_cast<std::uint8_t>(width >> 24), static_cast<std::uint8_t>(width >> 16),
                                     static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
                                     static_cast<std::uint8_t>(height >> 24), static_cast<std::uint8_t>(height >> 16),
                                     static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                                     8, 2, 0, 0, 0};
    PngChunk(w, "IHDR", header);
    PngChunk(w, "IDAT", idat);
    PngChunk(w, "IEND", {});
    return out;
}

// SOI, an APP0 segment, a frame header, a scan whose entropy data is `scan` (FF already
// stuffed as the caller wants it), EOI.
inline Bytes MakeJpeg(std::uint16_t width, std::uint16_t height, ByteView scan) {
    Bytes out = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x4A, 0x46};
    const std::uint8_t frame[] = {0xFF, 0xC0, 0x00, 0x0B, 8, static_cast<std::uint8_t>(height >> 8),
                                  static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(width >> 8),
                                  static_cast<std::uint8_t>(width), 1, 1, 0x11, 0};
    const std::uint8_t scanHeader[] = {0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 63, 0};
    out.insert(out.end(), std::begin(frame), std::end(frame));
    out.insert(out.end(), std::begin(scanHeader), std::end(scanHeader));
    out.insert(out.end(), scan.begin(), scan.end());
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

// Bytes that hold both the record trailer and the frame delimiter.
inline Bytes CollidingBytes() {
    Bytes bytes = {1, 2, 3};
    bytes.insert(bytes.end(), RegionTrailer.begin(), RegionTrailer.end());
    bytes.insert(bytes.end(), {4, 5});
    bytes.insert(bytes.end(), FrameDelimiter.begin(), FrameDelimiter.end());
    bytes.push_back(6);
    return bytes;
}

inline Bytes Record(std::int32_t x, std::int32_t y, ByteView payload) {
    Bytes out;
    AppendRegionRecord(out, x, y, payload);
    return out;
}

inline Bytes Concat(std::initializer_list<ByteView> pieces) {
    Bytes out;
    for (ByteView piece : pieces) out.insert(out.end(), piece.begin(), piece.end());
    return out;
}

inline const ByteView kDelimiter{FrameDelimiter};

inline Bytes ToBytesForTest(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace glimwell::testing
