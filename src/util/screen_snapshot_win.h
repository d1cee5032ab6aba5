// ScreenSnapshot: the whole primary screen as the bytes of a 24-bit BMP file, without the mouse
// pointer. Made whole for every request; nothing is kept between two snapshots.
#pragma once

#include "platform/byte_buffer.h"

namespace glimwell {

// Empty when the picture cannot be made (for example for lack of memory).
Bytes TakeScreenSnapshot();

}  // namespace glimwell
