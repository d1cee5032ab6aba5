// The GDI+ wrappers over the flat API.
#include "play/gdiplus_wrappers_win.h"

#include <utility>

#include "play/image_extent.h"

namespace glimwell {

namespace flat = Gdiplus::DllExports;

namespace {

// Records are screen rectangles and their coordinates are 16-bit, so no real image is larger
// than this; 64 M pixels is twice an 8K screen.
constexpr std::uint32_t kMaxImageSide = 32767;
constexpr std::uint64_t kMaxImagePixels = 64ull << 20;

Gdiplus::Status lastStatus = Gdiplus::Ok;

bool Track(Gdiplus::Status status) {
    lastStatus = status;
    return status == Gdiplus::Ok;
}

bool Plausible(ByteView bytes) {
    const std::optional<ImageSize> size = ClaimedImageSize(bytes);
    return !size || (size->width <= kMaxImageSide && size->height <= kMaxImageSide &&
                     std::uint64_t{size->width} * size->height <= kMaxImagePixels);
}

}  // namespace

Gdiplus::Status LastGdiplusStatus() { return lastStatus; }

bool GraphicsWrapper::Delete() {
    if (!native_) return false;
    handle_ = nullptr;
    return Track(flat::GdipDeleteGraphics(std::exchange(native_, nullptr)));
}

bool GraphicsWrapper::FromHDC(HDC dc) {
    Delete();
    Gdiplus::GpGraphics* graphics = nullptr;
    const bool ok = Track(flat::GdipCreateFromHDC(dc, &graphics));
    if (ok) native_ = handle_ = graphics;
    return ok;
}

bool GraphicsWrapper::SetInterpolationMode(Gdiplus::InterpolationMode mode) {
    return Track(flat::GdipSetInterpolationMode(handle_, mode));
}

bool GraphicsWrapper::Draw(Gdiplus::GpImage* image, float dstX, float dstY, float dstWidth, float dstHeight,
                           float srcX, float srcY, float srcWidth, float srcHeight,
                           const AttributesWrapper& attributes, Gdiplus::Unit unit) {
    return Track(flat::GdipDrawImageRectRect(handle_, image, dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth,
                                             srcHeight, unit, attributes.GetHandle(), nullptr, nullptr));
}

bool GraphicsWrapper::DrawImageRectRect(const ImageWrapper& image, float dstX, float dstY, float dstWidth,
                                        float dstHeight, float srcX, float srcY, float srcWidth, float srcHeight,
                                        const AttributesWrapper& attributes, Gdiplus::Unit unit) {
    return Draw(image.GetHandle(), dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth, srcHeight, attributes, unit);
}

bool GraphicsWrapper::DrawImageRectRect(const BitmapWrapper& image, float dstX, float dstY, float dstWidth,
                                        float dstHeight, float srcX, float srcY, float srcWidth, float srcHeight,
                                        const AttributesWrapper& attributes, Gdiplus::Unit unit) {
    return Draw(image.GetHandle(), dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth, srcHeight, attributes, unit);
}

bool ImageWrapper::Dispose() {
    bool ok = false;
    if (native_) {
        handle_ = nullptr;
        ok = Track(flat::GdipDisposeImage(std::exchange(native_, nullptr)));
    }
    stream_.Release();
    return ok;
}

bool ImageWrapper::LoadFromBytes(ByteView bytes) {
    Dispose();  // the old image reads from the stream that Open would free
    if (!Plausible(bytes)) return Track(Gdiplus::OutOfMemory);
    IStream* stream = stream_.Open(bytes);
    if (!stream) return Track(Gdiplus::OutOfMemory);
    Gdiplus::GpImage* image = nullptr;
    if (!Track(flat::GdipLoadImageFromStream(stream, &image))) {
        stream_.Release();
        return false;
    }
    native_ = handle_ = image;
    return true;
}

UINT ImageWrapper::Width() const {
    UINT width = 0;
    return Track(flat::GdipGetImageWidth(handle_, &width)) ? width : 0;
}

UINT ImageWrapper::Height() const {
    UINT height = 0;
    return Track(flat::GdipGetImageHeight(handle_, &height)) ? height : 0;
}

bool BitmapWrapper::Dispose() {
    if (!native_) return false;
    handle_ = nullptr;
    return Track(flat::GdipDisposeImage(std::exchange(native_, nullptr)));
}

void BitmapWrapper::Adopt(Gdiplus::GpBitmap* bitmap) {
    Dispose();
    native_ = handle_ = bitmap;
}

bool BitmapWrapper::FromHBitmap(HBITMAP bitmap, HPALETTE palette) {
    Gdiplus::GpBitmap* created = nullptr;
    if (!Track(flat::GdipCreateBitmapFromHBITMAP(bitmap, palette, &created))) return false;
    Adopt(created);
    return true;
}

bool BitmapWrapper::CloneArea(float x, float y, float width, float height, Gdiplus::PixelFormat format,
                              BitmapWrapper& target) const {
    Gdiplus::GpBitmap* clone = nullptr;
    if (!Track(flat::GdipCloneBitmapArea(x, y, width, height, format, handle_, &clone))) return false;
    target.Adopt(clone);
    return true;
}

bool AttributesWrapper::Dispose() {
    if (!native_) return false;
    handle_ = nullptr;
    return Track(flat::GdipDisposeImageAttributes(std::exchange(native_, nullptr)));
}

bool AttributesWrapper::Create() {
    Gdiplus::GpImageAttributes* attributes = nullptr;
    if (!Track(flat::GdipCreateImageAttributes(&attributes))) return false;
    Dispose();
    native_ = handle_ = attributes;
    return true;
}

}  // namespace glimwell
