// ClipboardTools: puts a picture, given as the bytes of a picture file, on the clipboard as a
// bitmap. The picture is decoded by the OLE picture loader before the clipboard is opened, so
// bytes that are not a picture leave the clipboard as it was.
#pragma once

#include <windows.h>

#include "platform/byte_buffer.h"
#include "platform/win_handles.h"

namespace glimwell {

class ClipboardTools {
public:
    // True when the clipboard now holds the picture in the format CF_BITMAP, and nothing else
    // that this call put there. False for empty bytes, bytes that are not a picture, or a
    // clipboard that another window or thread holds open; the decoded bitmap is then deleted.
    bool PutPictureOnClipboard(ByteView pictureBytes) const;

    // A bitmap of the picture's own width and height, the caller's to keep; empty when the bytes
    // are empty or not a picture the OLE loader reads (BMP, JPEG, GIF, icons).
    ScopedBitmap PictureBytesToBitmap(ByteView pictureBytes) const;
};

}  // namespace glimwell
