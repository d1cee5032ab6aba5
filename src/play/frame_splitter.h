// Splits a recording's frames entry into frames and a frame into records by their structure:
// each record is a header, an image whose own headers give its length, and the trailer. An image
// may hold the trailer or delimiter bytes by chance; walking the structure steps over them
// where plain splitting would cut the recording there. Where the structure does not parse
// (foreign or damaged data), the plain split at the next trailer or delimiter takes over, so a
// recording without such collisions splits exactly as plain splitting splits it.
#pragma once

#include <vector>

#include "platform/byte_buffer.h"
#include "record/frame_format.h"

namespace glimwell {

// The frames of a frames entry, as views into it: each stretch before a delimiter is one frame
// (also an empty one), and the bytes after the last delimiter one more frame if there are any.
std::vector<ByteView> SplitFrames(ByteView framesEntry);

// The records of one frame, as the renderer draws them: nothing for a frame shorter than a
// trailer; records without the header's two FF FF marks are left out.
std::vector<DecodedRecord> ReadRecords(ByteView frame);

}  // namespace glimwell
