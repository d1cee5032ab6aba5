// Where a rectangle's pixels lie in the capturer's work bitmap and how its BMP file starts.
// The work bitmap is W pixels wide and 2H + 1 rows high, stored bottom-up; screen row y of the
// reference picture is bitmap row y + 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/byte_buffer.h"
#include "record/palettes.h"
#include "record/pixel_rect.h"

namespace glimwell {

inline constexpr std::int32_t kBmpFileHeaderSize = 14;
inline constexpr std::int32_t kBmpInfoHeaderSize = 40;

struct RegionLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rowBytes = 0;     // bytes of one row of the region, padded to 4
    std::int64_t pixelBytes = 0;   // rowBytes * height
    // Byte of the work bitmap where the region's bottom row begins; the row above it starts
    // one work-bitmap row (workRowBytes) later.
    std::int64_t sourceStart = 0;
};

// Nothing when the rectangle has no pixels.
std::optional<RegionLayout> LayoutRegion(const PixelRect& rect, std::int32_t bitsPerPixel,
                                         std::int32_t screenHeight, std::int32_t workRowBytes);

// Offset of the pixel rows in a BMP file: headers plus the colour table of the depth.
std::int32_t BmpPixelOffset(std::int32_t bitsPerPixel);

// Appends the file header, the information header and the colour table of a bottom-up BMP.
// bfSize holds the size of the pixel rows alone, which every BMP reader we target accepts.
void AppendBmpHeaders(Bytes& out, const RegionLayout& layout, std::int32_t bitsPerPixel,
                      const Palettes& palettes);

// Pixels to which a left edge must be rounded down so that a region starts on a byte.
std::int32_t LeftAlignmentFor(std::int32_t bitsPerPixel);

}  // namespace glimwell
