// A GDI bitmap from the bytes of a BMP file (as a screen snapshot gives them), for showing
// the picture on a canvas.
#pragma once

#include "platform/byte_buffer.h"
#include "platform/win_handles.h"

namespace glimwell {

// Empty when the bytes are not a whole uncompressed BMP file or the bitmap cannot be made.
ScopedBitmap BitmapFromBmpFile(ByteView file);

}  // namespace glimwell
