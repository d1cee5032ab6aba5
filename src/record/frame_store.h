// FrameStore: the growing in-memory bytes of the current recording, one encoded frame and its
// delimiter per tick; written out whole and emptied when the recording file is made.
#pragma once

#include "platform/byte_buffer.h"

namespace glimwell {

using FrameStore = ByteBuffer;

}  // namespace glimwell
