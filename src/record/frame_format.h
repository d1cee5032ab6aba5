// The bytes of an encoded frame: a frame is zero or more region records back to back, each a
// 10-byte header with the rectangle's top-left corner, one image file, and an 11-byte trailer.
// Frames are stored one after another, each followed by the frame delimiter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/byte_buffer.h"

namespace glimwell {

// Payload format of every record of a recording.
enum class CompressionMode : std::int32_t { Jpeg = 1, Png = 2, Bitmap = 3 };

// Ends every record; the end of a payload is found only by it.
inline constexpr std::array<std::uint8_t, 11> RegionTrailer = {0x02, 0x04, 0x05, 0x04, 0x05, 0x08,
                                                               0x08, 0x06, 0x09, 0x00, 0x00};
// Follows every frame in the frames entry of a recording file.
inline constexpr std::array<std::uint8_t, 10> FrameDelimiter = {0x0B, 0x16, 0x21, 0x0B, 0x16,
                                                                0x21, 0x6F, 0xDE, 0x4D, 0x0A};

inline constexpr std::size_t kRecordHeaderSize = 10;
inline constexpr std::size_t kRecordOverhead = kRecordHeaderSize + RegionTrailer.size();

// Appends the 10 header bytes: FF FF, x, FF FF, y, FF FF (x and y signed 16-bit little-endian).
void AppendRecordHeader(Bytes& out, std::int32_t x, std::int32_t y);
// Appends a whole record: header, payload, trailer.
void AppendRegionRecord(Bytes& out, std::int32_t x, std::int32_t y, ByteView payload);

// True when the payload holds the trailer or the frame delimiter, either of which would make a
// reader cut the record or the frame at a false boundary. Neither sequence can straddle the
// payload's edges (the header is FF-framed, and neither sequence overlaps itself or the
// trailer), so checking the payload alone keeps the whole record clean.
bool PayloadCollides(ByteView payload);

struct DecodedRecord {
    std::int16_t x = 0;
    std::int16_t y = 0;
    ByteView payload;  // points into the frame; may be empty or not a valid image
};

// Splits one frame (without its delimiter) into records the way the player reads them:
// a frame shorter than a trailer holds nothing; every stretch before a trailer is a record,
// also an empty one between two trailers; bytes after the last trailer form one more record.
// A record must split into three parts at FF FF (so hold two such pairs) and be at least
// header-long, else it is skipped. X and Y are read at offsets 2 and 6; the payload is the
// rest after the header.
std::vector<DecodedRecord> ReadFrameRecords(ByteView frame);

}  // namespace glimwell
