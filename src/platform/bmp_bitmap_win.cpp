// BMP file bytes to a DIB section, with every size checked against the bytes there are.
#include "platform/bmp_bitmap_win.h"

#include <cstdint>
#include <cstring>

#include "platform/byte_io.h"

namespace glimwell {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kOffBitsOffset = 10;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBmSignature = 0x4D42;  // "BM"
}  // namespace

ScopedBitmap BitmapFromBmpFile(ByteView file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || ReadU16At(file, 0) != kBmSignature) return {};
    const std::uint32_t offBits = ReadU32At(file, kOffBitsOffset).value_or(0);
    const std::uint32_t headerSize = ReadU32At(file, kFileHeaderSize).value_or(0);
    if (headerSize < kInfoHeaderSize || offBits < kFileHeaderSize + headerSize || offBits > file.size()) return {};
    // The info header and colour table are used in place, so copy them to aligned memory.
    Bytes info(file.begin() + kFileHeaderSize, file.begin() + offBits);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, info.data(), sizeof header);
    if (header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1)
        return {};
    // GDI reads the colour table that follows the header, so it must lie within the bytes too.
    const std::uint64_t colours = header.biClrUsed ? header.biClrUsed
                                  : header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;
    if (colours > 256 || headerSize + colours * 4 > info.size()) return {};
    const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    const std::int64_t stride = ((static_cast<std::int64_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const std::int64_t imageBytes = stride * height;
    if (imageBytes <= 0 || imageBytes > static_cast<std::int64_t>(file.size() - offBits)) return {};

    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                         &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    std::memcpy(bits, file.data() + offBits, static_cast<std::size_t>(imageBytes));
    return bitmap;
}

}  // namespace glimwell
