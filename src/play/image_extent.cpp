// Walks BMP, PNG and JPEG headers with bounds-checked reads; never trusts a length or size
// field beyond the bytes at hand.
#include "play/image_extent.h"

#include <algorithm>
#include <cstdlib>

#include "platform/byte_io.h"

namespace glimwell {

namespace {

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;  // BITMAPINFOHEADER; V4 and V5 headers are longer
constexpr std::uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kPngChunkOverhead = 12;  // length, type, CRC

std::optional<std::uint32_t> ReadU32BeAt(ByteView bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return std::nullopt;
    return static_cast<std::uint32_t>(bytes[offset]) << 24 | static_cast<std::uint32_t>(bytes[offset + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 8 | bytes[offset + 3];
}

std::optional<std::uint16_t> ReadU16BeAt(ByteView bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return std::nullopt;
    return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

bool StartsWith(ByteView bytes, ByteView prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// BMP: the pixel array ends at bfOffBits + rows; bfSize is not used, since recordings store
// only the pixel array's size there.
struct BmpHeader {
    std::uint32_t offBits = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t pixelBytes = 0;
};

std::optional<BmpHeader> ReadBmpHeader(ByteView bytes) {
    if (bytes.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    const std::uint32_t offBits = *ReadU32At(bytes, 10);
    const std::uint32_t infoSize = *ReadU32At(bytes, 14);
    const auto width = static_cast<std::int32_t>(*ReadU32At(bytes, 18));
    const auto height = static_cast<std::int32_t>(*ReadU32At(bytes, 22));
    const std::uint16_t bitCount = *ReadU16At(bytes, 28);
    const std::uint32_t compression = *ReadU32At(bytes, 30);
    const std::uint32_t sizeImage = *ReadU32At(bytes, 34);
    if (infoSize < kBmpInfoHeaderSize || infoSize > 4096 || offBits < kBmpFileHeaderSize + infoSize) return std::nullopt;
    if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    BmpHeader header;
    header.offBits = offBits;
    header.width = static_cast<std::uint32_t>(width);
    header.height = static_cast<std::uint32_t>(std::abs(height));
    constexpr std::uint32_t kRgb = 0, kBitFields = 3;
    if (compression == kRgb || compression == kBitFields) {
        switch (bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return std::nullopt;
        }
        const std::uint64_t rowBytes = (static_cast<std::uint64_t>(header.width) * bitCount + 31) / 32 * 4;
        header.pixelBytes = rowBytes * header.height;
    } else {
        header.pixelBytes = sizeImage;  // compressed rows: only the header knows their size
        if (header.pixelBytes == 0) return std::nullopt;
    }
    return header;
}

std::optional<ImageExtent> MeasureBmp(ByteView bytes) {
    const std::optional<BmpHeader> header = ReadBmpHeader(bytes);
    if (!header) return std::nullopt;
    const std::uint64_t length = header->offBits + header->pixelBytes;
    if (length > bytes.size()) return std::nullopt;
    return ImageExtent{ImageKind::Bmp, static_cast<std::size_t>(length), header->width, header->height};
}

std::optional<ImageExtent> MeasurePng(ByteView bytes) {
    if (!StartsWith(bytes, kPngSignature)) return std::nullopt;
    ImageExtent extent{ImageKind::Png, 0, 0, 0};
    std::size_t pos = sizeof kPngSignature;
    bool first = true;
    for (;;) {
        const std::optional<std::uint32_t> length = ReadU32BeAt(bytes, pos);
        if (!length || *length > 0x7FFFFFFFu) return std::nullopt;
        const std::size_t available = bytes.size() - pos;
        if (available < kPngChunkOverhead || available - kPngChunkOverhead < *length) return std::nullopt;
        const ByteView type = bytes.subspan(pos + 4, 4);
        const bool isHeader = std::equal(type.begin(), type.end(), "IHDR");
        if (first != isHeader) return std::nullopt;  // IHDR comes first and only first
        if (isHeader) {
            if (*length < 8) return std::nullopt;
            extent.width = *ReadU32BeAt(bytes, pos + 8);
            extent.height = *ReadU32BeAt(bytes, pos + 12);
        }
        first = false;
        pos += kPngChunkOverhead + *length;
        if (std::equal(type.begin(), type.end(), "IEND")) {
            extent.length = pos;
            return extent;
        }
    }
}

bool IsStartOfFrame(std::uint8_t marker) {
    // SOF0-SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandalone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

// Walks a JPEG's segments; with `stopAtFrameHeader` it returns as soon as the size is known,
// without scanning entropy-coded data.
std::optional<ImageExtent> WalkJpeg(ByteView bytes, bool stopAtFrameHeader) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    ImageExtent extent{ImageKind::Jpeg, 0, 0, 0};
    std::size_t pos = 2;
    for (;;) {
        if (pos >= bytes.size() || bytes[pos] != 0xFF) return std::nullopt;
        while (pos < bytes.size() && bytes[pos] == 0xFF) ++pos;  // fill bytes before a marker
        if (pos >= bytes.size()) return std::nullopt;
        const std::uint8_t marker = bytes[pos++];
        if (marker == 0xD9) {
            extent.length = pos;
            return extent;
        }
        if (marker == 0x00 || marker == 0xD8) return std::nullopt;
        if (IsStandalone(marker)) continue;
        const std::optional<std::uint16_t> length = ReadU16BeAt(bytes, pos);
        if (!length || *length < 2 || bytes.size() - pos < *length) return std::nullopt;
        if (IsStartOfFrame(marker)) {
            if (*length < 7) return std::nullopt;
            extent.height = *ReadU16BeAt(bytes, pos + 3);
            extent.width = *ReadU16BeAt(bytes, pos + 5);
            if (stopAtFrameHeader) return extent;
        }
        pos += *length;
        if (marker != 0xDA) continue;
        // Entropy-coded data: FF is followed by 00 (a stuffed byte) or a restart marker inside
        // it; any other marker ends it.
        for (;;) {
            while (pos < bytes.size() && bytes[pos] != 0xFF) ++pos;
            if (pos + 1 >= bytes.size()) return std::nullopt;
            const std::uint8_t next = bytes[pos + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                pos += 2;
            } else if (next == 0xFF) {
                ++pos;
            } else {
                break;
            }
        }
    }
}

}  // namespace

std::optional<ImageExtent> MeasureImage(ByteView bytes) {
    if (bytes.size() < 2) return std::nullopt;
    if (bytes[0] == 'B') return MeasureBmp(bytes);
    if (bytes[0] == 0x89) return MeasurePng(bytes);
    if (bytes[0] == 0xFF) return WalkJpeg(bytes, false);
    return std::nullopt;
}

std::optional<ImageSize> ClaimedImageSize(ByteView bytes) {
    if (const auto bmp = ReadBmpHeader(bytes)) return ImageSize{bmp->width, bmp->height};
    if (StartsWith(bytes, kPngSignature) && bytes.size() >= 24) {
        const ByteView type = bytes.subspan(12, 4);
        if (std::equal(type.begin(), type.end(), "IHDR")) return ImageSize{*ReadU32BeAt(bytes, 16), *ReadU32BeAt(bytes, 20)};
        return std::nullopt;
    }
    if (const auto jpeg = WalkJpeg(bytes, true); jpeg && (jpeg->width || jpeg->height))
        return ImageSize{jpeg->width, jpeg->height};
    return std::nullopt;
}

}  // namespace glimwell
