// The fixed colour tables of the capturer's palette depths, stored as blue, green, red, 0.
#pragma once

#include <array>
#include <cstdint>

#include "platform/byte_buffer.h"

namespace glimwell {

struct Palettes {
    std::array<std::uint8_t, 1024> eightBit{};
    std::array<std::uint8_t, 64> fourBit{};
    std::array<std::uint8_t, 8> oneBit{};

    // The colour table that goes with a depth: empty for 16, 24 and 32 bits per pixel.
    ByteView TableFor(std::int32_t bitsPerPixel) const;
};

Palettes MakePalettes();

}  // namespace glimwell
