// ClipboardTools over OleLoadPicture, CopyImage and the clipboard functions.
#include "util/clipboard_tools_win.h"

#include <ocidl.h>
#include <olectl.h>

#include "play/hglobal_stream_win.h"

namespace glimwell {

bool ClipboardTools::PutPictureOnClipboard(ByteView pictureBytes) const {
    if (pictureBytes.empty()) return false;
    ScopedBitmap bitmap = PictureBytesToBitmap(pictureBytes);
    if (!bitmap) return false;
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const HANDLE placed = SetClipboardData(CF_BITMAP, bitmap.Get());
    CloseClipboard();
    if (!placed) return false;
    bitmap.Detach();  // the system owns the bitmap from now on
    return true;
}

ScopedBitmap ClipboardTools::PictureBytesToBitmap(ByteView pictureBytes) const {
    if (pictureBytes.empty()) return {};
    HGlobalStream stream;
    IStream* source = stream.Open(pictureBytes);
    if (!source) return {};
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(source, static_cast<LONG>(pictureBytes.size()), TRUE, IID_IPicture,
                              reinterpret_cast<void**>(picture.Put()))) ||
        !picture)
        return {};
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle) return {};
    // The picture destroys its own bitmap when released: keep an independent copy.
    return ScopedBitmap(static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0)));
}

}  // namespace glimwell
