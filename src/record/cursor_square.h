// The square of screen that holds the mouse cursor: where it is, when a changed region covers
// it or lies near it, and the part of it that can be encoded.
#pragma once

#include <algorithm>
#include <cstdint>

#include "record/pixel_rect.h"

namespace glimwell {

// A cursor is sent as a square of this side, or as large as its own image where that is larger
// (cursors drawn above 96 DPI), so that it is never cut off.
inline constexpr std::int32_t kCursorSquareSide = 32;

struct CursorSquare {
    std::int32_t x = 0;  // top-left: cursor position minus hot spot
    std::int32_t y = 0;
    std::int32_t width = kCursorSquareSide;
    std::int32_t height = kCursorSquareSide;
    bool operator==(const CursorSquare&) const = default;
};

constexpr std::int32_t CursorSquareSide(std::int32_t imageSide) { return std::max(kCursorSquareSide, imageSide); }

// The square clamped to the screen, its left edge rounded down so that it starts on a byte at
// 1 and 4 bits per pixel. May be without pixels when the square lies off the screen.
PixelRect CursorRegion(const CursorSquare& square, std::int32_t screenWidth, std::int32_t screenHeight,
                       std::int32_t bitsPerPixel);

// The whole square lies inside the region, so re-sending the region erased the cursor there.
bool SquareInside(const CursorSquare& square, const PixelRect& region);
// The square lies within one square's size of the region, so the region may have painted over
// part of the cursor.
bool SquareNear(const CursorSquare& square, const PixelRect& region);

}  // namespace glimwell
