// A rectangle of screen pixels: {left, top, right, bottom}, right and bottom exclusive.
#pragma once

#include <cstdint>

namespace glimwell {

struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool HasPixels() const { return right > left && bottom > top; }
    bool operator==(const PixelRect&) const = default;
};

}  // namespace glimwell
