// How the screen capturer turns the caller's recording options into its own settings, and the
// row sizes that follow from the screen width and colour depth.
#pragma once

#include <cstdint>
#include <optional>

#include "record/frame_format.h"

namespace glimwell {

inline constexpr std::int32_t kDefaultQuality = 30;
inline constexpr std::int32_t kDefaultBitsPerPixel = 8;
inline constexpr CompressionMode kDefaultCompression = CompressionMode::Png;
// Sampling every 17th row when the caller's step is out of range.
inline constexpr std::int32_t kDefaultRowStep = 17;
inline constexpr std::int32_t kMaxRowStep = 30;
// Change detection compares rows in blocks of this many pixels.
inline constexpr std::int32_t kBlockPixels = 16;

// A quality that was not given or lies outside 0..100 becomes 30.
std::int32_t NormalizeQuality(std::optional<std::int32_t> quality);
// Depths other than 1, 4, 8, 16, 24 and 32 become 8.
std::int32_t NormalizeBitsPerPixel(std::int32_t bitsPerPixel);
// Modes other than 1, 2 and 3 become Png.
CompressionMode NormalizeCompression(std::int32_t mode);
// Steps outside 1..30 become 17.
std::int32_t NormalizeRowStep(std::int32_t rowStep);
// True for 1, 2 and 3.
bool IsCompressionMode(std::int32_t mode);

// Bytes of one bitmap row of `width` pixels, padded to 4 bytes.
constexpr std::int32_t RowBytesFor(std::int32_t width, std::int32_t bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}
// Bytes of one 16-pixel block.
constexpr std::int32_t BlockBytesFor(std::int32_t bitsPerPixel) { return bitsPerPixel * 2; }

}  // namespace glimwell
