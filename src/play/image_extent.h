// Measures an image file at the start of a byte string by its own structure: a BMP from its
// headers, a PNG up to its IEND chunk, a JPEG up to its end marker. The frame reader uses the
// length to find a record's real end when the image happens to hold a trailer or delimiter, and
// the renderer uses the size to refuse images that claim more pixels than a screen can hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/byte_buffer.h"

namespace glimwell {

enum class ImageKind { Bmp, Png, Jpeg };

struct ImageExtent {
    ImageKind kind = ImageKind::Bmp;
    std::size_t length = 0;  // bytes from the start of the file to the end of the image
    std::uint32_t width = 0;
    std::uint32_t height = 0;  // 0 x 0 for a JPEG without a frame header
};

// Nothing when the bytes do not start with a BMP, PNG or JPEG file that ends within them.
std::optional<ImageExtent> MeasureImage(ByteView bytes);

// The width and height an image file claims in its header, even when its data is cut short;
// nothing for other formats or a header too short to say.
struct ImageSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};
std::optional<ImageSize> ClaimedImageSize(ByteView bytes);

}  // namespace glimwell
