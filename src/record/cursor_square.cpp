// Cursor square geometry.
#include "record/cursor_square.h"

#include "record/region_layout.h"

namespace glimwell {

PixelRect CursorRegion(const CursorSquare& square, std::int32_t screenWidth, std::int32_t screenHeight,
                       std::int32_t bitsPerPixel) {
    PixelRect r{square.x, square.y, square.x + square.width, square.y + square.height};
    if (r.right > screenWidth) r.right = screenWidth;
    if (r.bottom > screenHeight) r.bottom = screenHeight;
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    const std::int32_t align = LeftAlignmentFor(bitsPerPixel);
    r.left -= r.left % align;
    return r;
}

bool SquareInside(const CursorSquare& square, const PixelRect& region) {
    return square.x >= region.left && square.x + square.width <= region.right && square.y >= region.top &&
           square.y + square.height <= region.bottom;
}

bool SquareNear(const CursorSquare& square, const PixelRect& region) {
    return region.left - square.width <= square.x && square.x <= region.right + square.width &&
           region.top - square.height <= square.y && square.y <= region.bottom + square.height;
}

}  // namespace glimwell
