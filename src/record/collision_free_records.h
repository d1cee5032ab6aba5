// Keeps the trailer and the frame delimiter out of every record we write. A payload that
// happens to contain either sequence would make readers cut the record or the whole frames
// entry at a false boundary, so such a record is taken back and its rectangle is encoded as two
// halves, each checked again. Records without a collision are left exactly as encoded.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/byte_buffer.h"
#include "record/pixel_rect.h"

namespace glimwell {

// Appends one whole record for a rectangle to `out`, or nothing.
using RecordEncoder = std::function<void(const PixelRect& rect, Bytes& out)>;

// Encodes `rect` through `encode`, splitting where a payload collides. Halves are cut across
// rows first, then across columns at a multiple of `leftAlignment` pixels from the left edge
// so that every half still starts on a byte. A rectangle that cannot be split further and
// still collides is left out rather than written unreadable.
void AppendCollisionFreeRecords(const PixelRect& rect, std::int32_t leftAlignment, Bytes& out,
                                const RecordEncoder& encode);

}  // namespace glimwell
